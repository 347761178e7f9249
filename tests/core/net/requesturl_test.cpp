#include "core/net/requesturl.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char16_t *address;
    const char16_t *sent;
};

// What goes out for an address copied from a page or a profile.
const Case cases[] = {
    // Blanks and other characters outside the URL syntax, as UTF-8.
    {u"http://acme.example/with space", u"http://acme.example/with%20space"},
    {u"http://acme.example/?q=a b", u"http://acme.example/?q=a%20b"},
    {u"http://acme.example/caf\u00E9/\u0142\u00F3d\u017A", u"http://acme.example/caf%C3%A9/%C5%82%C3%B3d%C5%BA"},
    {u"http://acme.example/\U0001F600", u"http://acme.example/%F0%9F%98%80"},
    {u"http://acme.example/a\"b<c>d`e{f}g|h\\i^j", u"http://acme.example/a%22b%3Cc%3Ed%60e%7Bf%7Dg%7Ch%5Ci%5Ej"},
    {u"http://acme.example/\u0001\u007Fx", u"http://acme.example/%01%7Fx"},
    // Reserved characters, unreserved ones and what is already encoded stay.
    {u"https://u:p@acme.example:8080/a/b;c=d,e?x=1&y=$!'()*+,;=:@/?#frag[1]~_.-",
     u"https://u:p@acme.example:8080/a/b;c=d,e?x=1&y=$!'()*+,;=:@/?#frag[1]~_.-"},
    {u"http://acme.example/caf%C3%A9?q=a%20b%2B", u"http://acme.example/caf%C3%A9?q=a%20b%2B"},
    {u"http://acme.example/50%off", u"http://acme.example/50%off"},
    // Around the address blanks and controls go; inside it tabs and line breaks.
    {u"http://acme.example/contact \r\n", u"http://acme.example/contact"},
    {u"\thttp://acme.example/", u"http://acme.example/"},
    {u"http://acme.example/con\ntact\t.html", u"http://acme.example/contact.html"},
    // The host is left to libcurl, which converts an international name.
    {u"http://b\u00FCcher.example/b\u00FCcher", u"http://b\u00FCcher.example/b%C3%BCcher"},
    {u"http://acme.example", u"http://acme.example"},
    {u"", u""},
};

TEST(RequestUrl, EncodesWhatABrowserEncodes) {
    for (const Case &c : cases) {
        const QString address = QString::fromUtf16(c.address);
        EXPECT_EQ(RequestUrl(address).toStdString(), QString::fromUtf16(c.sent).toStdString());
    }
}

} // namespace
