#include "samplesite/drawnpage.h"

#include "samplesite/markuptext.h"

namespace {

// Decodes the content as UTF-8 and replaces the placeholder with it; the delay starts when the
// page has loaded, as a framework that fetches its data after start-up would draw.
const QString drawScript = QStringLiteral(R"(
  const draw = () => {
    const main = document.querySelector('main');
    const bytes = Uint8Array.from(atob(content), (c) => c.charCodeAt(0));
    main.innerHTML = new TextDecoder().decode(bytes);
    main.removeAttribute('aria-busy');
  };
  const later = () => setTimeout(draw, delay);
  if (document.readyState === 'complete') {
    later();
  } else {
    window.addEventListener('load', later);
  }
)");

} // namespace

QString DrawnPage::Html() const {
    const QString encoded = QString::fromLatin1(content.toUtf8().toBase64());
    return u"<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + HtmlEscaped(title) +
           u"</title>\n</head>\n<body>\n" + beforeMain + u"<main class=\"" + mainClass + u"\" aria-busy=\"true\">" +
           placeholder + u"</main>\n" + afterMain + u"<script>\n(() => {\n  const content = '" + encoded +
           u"';\n  const delay = " + QString::number(delayMs) + u";" + drawScript + extraScript +
           u"})();\n</script>\n" + u"</body>\n</html>\n";
}
