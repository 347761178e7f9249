#pragma once

#include "core/account/accountguard.h"

#include <functional>

struct AppSettings;
class PageBudget;
class UiTexts;

// The guard of a run's LinkedIn reads: the page budgets, with the limits the settings hold at
// each read. While a budget is spent the run waits, and say() is told why and until when.
class BudgetGate : public AccountGuard {
public:
    BudgetGate(PageBudget &budget, const AppSettings &settings, const UiTexts &texts,
               std::function<void(const QString &)> say);

    QCoro::Task<bool> TakeRead(StopToken stop) override;

private:
    PageBudget &m_budget;
    const AppSettings &m_settings;
    const UiTexts &m_texts;
    std::function<void(const QString &)> m_say;
};
