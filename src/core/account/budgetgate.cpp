#include "core/account/budgetgate.h"

#include "core/account/pagebudget.h"
#include "core/settings/appsettings.h"
#include "core/settings/uitexts.h"

#include <QLocale>

BudgetGate::BudgetGate(PageBudget &budget, const AppSettings &settings, const UiTexts &texts,
                       std::function<void(const QString &)> say)
    : m_budget(budget), m_settings(settings), m_texts(texts), m_say(std::move(say)) {}

QCoro::Task<bool> BudgetGate::TakeRead(StopToken stop) {
    m_budget.setLimits(m_settings.eHourBudget, m_settings.eDayBudget);
    const auto paused = [this](const PageBudget::Wait &wait) {
        const QString tag =
            wait.window == PageBudget::Wait::Window::Hour ? QStringLiteral("main130") : QStringLiteral("main131");
        // The user's clock and the user's way of writing a time; a day-long wait names the day.
        const QDateTime until = wait.until.toLocalTime();
        const QLocale locale;
        const QString when = until.date() == QDate::currentDate() ? locale.toString(until.time(), QLocale::ShortFormat)
                                                                  : locale.toString(until, QLocale::ShortFormat);
        if (m_say) {
            m_say(m_texts.format(tag, {QString::number(wait.limit), when}));
        }
    };
    co_return co_await ::TakeRead(m_budget, std::move(stop), paused);
}
