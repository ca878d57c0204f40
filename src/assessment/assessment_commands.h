// The two commands of the register window that run the yearly debts, with their questions,
// progress window, activity log and messages (all through the interaction service). The window
// asks its pending-changes question first, passes what its list shows, and restores its filter
// and selection afterwards.
#pragma once

#include "assessment/yearly_debts.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QWidget;

namespace lirma::assessment {

// The activity log (LogAction): role text, action text.
using LogFn = std::function<void(const QString& rol, const QString& action)>;

// The taxpayer selected in the register list.
struct SelectedTaxpayer {
    int64_t idgos = 0;
    QString rol;
};

// "A&dauga Gospodaria (ROL) la plata". `selected`: nullopt when the list is empty; `roleField`: the
// role filter field a balloon points at. True when the taxpayer was added to payment.
bool AddLaPlata(YearlyDebts& debts, const std::optional<SelectedTaxpayer>& selected, QWidget* roleField,
                const LogFn& log);

// "Adauga toate &Localitatile la plata": every taxpayer of the register (`ids`, without the list's
// filter, in the list's order) after the confirmation. `villageFilter`: the text of the village
// filter, written to the log. nullopt when there was nothing to add or the user declined.
std::optional<YearlyDebts::RunResult> AddAllPlata(YearlyDebts& debts, const std::vector<int64_t>& ids,
                                                  const QString& villageFilter, const LogFn& log);

// The final message of the whole-register run: the counts, then the refused taxpayers (at most
// `listed` of them, then how many more).
QString RunSummary(const YearlyDebts::RunResult& result, int listed = 20);

} // namespace lirma::assessment
