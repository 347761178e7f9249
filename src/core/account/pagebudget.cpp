#include "core/account/pagebudget.h"

#include "core/host/hostservices.h"

#include <QFile>
#include <QLoggingCategory>

#include <algorithm>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcBudget, "tarnwick.account.budget", QtInfoMsg)

namespace {

using Window = PageBudget::Wait::Window;

constexpr qint64 HourMs = 60LL * 60 * 1000;
constexpr qint64 DayMs = 24 * HourMs;
// A long wait goes in slices, so a changed limit or a clock that jumped is seen within a minute.

qint64 WindowMs(Window window) {
    return window == Window::Hour ? HourMs : DayMs;
}

// A read a day or more away from now counts no more: earlier ones have left both windows, and
// later ones were taken by a clock that was wrong then.
bool Kept(qint64 read, qint64 now) {
    return read > now - DayMs && read < now + DayMs;
}

QByteArray Line(qint64 read) {
    return QByteArray::number(read) + '\n';
}

bool SameWait(const PageBudget::Wait &a, const PageBudget::Wait &b) {
    return a.spent == b.spent && a.until == b.until && a.window == b.window && a.limit == b.limit;
}

} // namespace

QString PageBudgetFilePath(const QString &appDataFolder) {
    return appDataFolder + u"/pagereads.dat"_s;
}

PageBudget::PageBudget(QString filePath, Clock clock) : m_file(std::move(filePath)), m_clock(std::move(clock)) {
    if (!m_clock) {
        m_clock = [] {
            return QDateTime::currentDateTimeUtc();
        };
    }
    load();
}

void PageBudget::setLimits(int perHour, int perDay) {
    // A limit of 0 would leave no read to wait for.
    m_perHour = std::max(perHour, 1);
    m_perDay = std::max(perDay, 1);
}

qint64 PageBudget::nowMs() const {
    return m_clock().toMSecsSinceEpoch();
}

void PageBudget::load() {
    QFile file(m_file.path());
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    QList<QByteArray> lines = file.readAll().split('\n');
    // After the last line break comes nothing, unless a write was cut off.
    m_fileDamaged = !lines.takeLast().isEmpty();
    m_fileLines = lines.size();
    const qint64 now = nowMs();
    for (const QByteArray &line : std::as_const(lines)) {
        bool ok = false;
        const qint64 read = line.trimmed().toLongLong(&ok);
        if (!ok) {
            m_fileDamaged = true;
        } else if (Kept(read, now)) {
            m_reads.push_back(read);
        }
    }
    std::sort(m_reads.begin(), m_reads.end());
}

int PageBudget::readsSince(qint64 start) const {
    return static_cast<int>(m_reads.end() - std::upper_bound(m_reads.begin(), m_reads.end(), start));
}

int PageBudget::readsInLastHour() const {
    return readsSince(nowMs() - HourMs);
}

int PageBudget::readsInLastDay() const {
    return readsSince(nowMs() - DayMs);
}

PageBudget::Wait PageBudget::spentWait(Window window, qint64 now) const {
    const qint64 length = WindowMs(window);
    const int limit = window == Window::Hour ? m_perHour : m_perDay;
    const auto first = std::upper_bound(m_reads.begin(), m_reads.end(), now - length);
    const auto count = m_reads.end() - first;
    if (count < limit) {
        return {};
    }
    // Room for one more read once all but limit - 1 of the window's reads have left it.
    const qint64 freed = *(first + (count - limit)) + length;
    return {true, QDateTime::fromMSecsSinceEpoch(freed, Qt::UTC), window, limit};
}

PageBudget::Wait PageBudget::check() const {
    const qint64 now = nowMs();
    const Wait hour = spentWait(Window::Hour, now);
    const Wait day = spentWait(Window::Day, now);
    return hour.spent && (!day.spent || hour.until > day.until) ? hour : day;
}

QString PageBudget::recordRead() {
    const qint64 now = nowMs();
    std::erase_if(m_reads, [now](qint64 read) { return !Kept(read, now); });
    m_reads.insert(std::upper_bound(m_reads.begin(), m_reads.end(), now), now);
    // The file holds at most twice the lines it needs; past that, or damaged, it is written anew.
    if (m_fileDamaged || m_fileLines + 1 > 2 * static_cast<qsizetype>(m_reads.size())) {
        return rewrite();
    }
    if (!m_file.append({Line(now)})) {
        // Part of the line may have stayed behind.
        m_fileDamaged = true;
        return m_file.errorString();
    }
    ++m_fileLines;
    return {};
}

QString PageBudget::rewrite() {
    QByteArray content;
    for (const qint64 read : m_reads) {
        content += Line(read);
    }
    if (!m_file.replace({content})) {
        return m_file.errorString();
    }
    m_fileLines = static_cast<qsizetype>(m_reads.size());
    m_fileDamaged = false;
    return {};
}

QCoro::Task<bool> TakeRead(PageBudget &budget, StopToken stop, std::function<void(const PageBudget::Wait &)> onPause) {
    PageBudget::Wait reported;
    for (;;) {
        if (stop.requested()) {
            co_return false;
        }
        const PageBudget::Wait wait = budget.check();
        if (!wait.spent) {
            break;
        }
        if (!SameWait(wait, reported)) {
            reported = wait;
            if (onPause) {
                onPause(wait);
            }
        }
        const qint64 left = wait.until.toMSecsSinceEpoch() - budget.nowMs();
        co_await PumpDelay(static_cast<int>(std::clamp<qint64>(left, 1, budget.m_waitSliceMs)), stop);
    }
    if (const QString error = budget.recordRead(); !error.isEmpty()) {
        qCWarning(lcBudget).noquote() << "the page read is counted but not kept:" << error;
    }
    co_return true;
}
