// Walks generated result pages of 1 to 10 MB with CutBetween and prints the time per page and per
// megabyte; linear cost shows as a flat time per megabyte. Times are the thread's processor time,
// so a busy machine that preempts the walk does not distort them.
#include "core/util/textcursor.h"

#include <algorithm>
#include <cstdio>
#include <time.h>

using namespace Qt::StringLiterals;

namespace {

double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

// About entryChars characters per company entry, as on a real result page.
QString MakePage(qsizetype targetChars, qsizetype entryChars) {
    const QString filler = u"<span class=\"meta\">Lorem ipsum dolor sit amet</span>"_s;
    QString page = u"<html><body><ul class=\"results\">"_s;
    page.reserve(targetChars + entryChars);
    for (int i = 0; page.size() < targetChars; ++i) {
        const qsizetype entryStart = page.size();
        page += u"<li class=\"result\"><h3><a href=\"/company/"_s + QString::number(i) + u"\">Company "_s +
                QString::number(i) + u"</a></h3>"_s;
        while (page.size() - entryStart < entryChars) {
            page += filler;
        }
        page += u"</li>\n"_s;
    }
    return page + u"</ul></body></html>"_s;
}

struct Walk {
    int cuts = 0;
    double constructMs = 0;
    double cutMs = 0;
};

Walk WalkPage(const QString &page) {
    Walk walk;
    const double start = ThreadCpuMs();
    TextCursor buffer(page);
    const double constructed = ThreadCpuMs();
    walk.constructMs = constructed - start;
    for (;;) {
        const QString link = CutBetween(u"<h3><a href=\"", u"\">", 0, buffer);
        if (link.isEmpty()) {
            break;
        }
        CutBetween(u"\">", u"</A>", 0, buffer);
        walk.cuts += 2;
    }
    walk.cutMs = ThreadCpuMs() - constructed;
    return walk;
}

Walk BestOf(const QString &page, int runs) {
    Walk best = WalkPage(page);
    for (int i = 1; i < runs; ++i) {
        const Walk walk = WalkPage(page);
        if (walk.constructMs + walk.cutMs < best.constructMs + best.cutMs) {
            best = walk;
        }
    }
    return best;
}

} // namespace

int main() {
    const qsizetype megabyte = 1000 * 1000;
    const qsizetype entryChars = 1000;
    double total1 = 0;
    for (const int megabytes : {1, 2, 5, 10}) {
        const QString page = MakePage(megabytes * megabyte, entryChars);
        const Walk walk = BestOf(page, 5);
        const double total = walk.constructMs + walk.cutMs;
        if (megabytes == 1) {
            total1 = total;
        }
        std::printf("%2d MB page: %5d cuts, cursor %6.2f ms + cuts %6.2f ms = %6.2f ms, %5.2f ms per MB, %5.1f times "
                    "the 1 MB page\n",
                    megabytes, walk.cuts, walk.constructMs, walk.cutMs, total, total / megabytes,
                    total / std::max(total1, 1e-9));
    }
    return 0;
}
