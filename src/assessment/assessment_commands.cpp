#include "assessment/assessment_commands.h"

#include "assessment/assessment_texts.h"
#include "platform/ui/interaction.h"

#include <algorithm>

namespace lirma::assessment {

namespace {

void showError(const QString& title, const QString& text)
{
    ui::ShowMessage(title, text, ui::BtnOk, ui::KindEroare);
}

} // namespace

bool AddLaPlata(YearlyDebts& debts, const std::optional<SelectedTaxpayer>& selected, QWidget* roleField,
                const LogFn& log)
{
    if (!selected) {
        showError(text::AddTitle(), text::ChooseRoleFirst());
        return false;
    }
    const QString rol = selected->rol.trimmed();
    if (rol.isEmpty()) {
        ui::ShowProblem(text::RoleMissing(rol), roleField);
        return false;
    }
    ui::Progress& progress = ui::interaction().progress();
    progress.Begin();
    progress.setText(text::AddingOne());
    std::optional<Refusal> refusal;
    try {
        refusal = debts.AssessTaxpayer(selected->idgos);
    } catch (const std::exception& e) {
        progress.End();
        showError(text::AddTitle(), QString::fromUtf8(e.what()));
        return false;
    }
    progress.End();
    if (refusal) {
        showError(text::AddTitle(), refusal->reason);
        return false;
    }
    if (log)
        log(rol, text::AddedOneAction());
    ui::ShowMessage(text::AddTitle(), text::AddedOne(rol), ui::BtnOk, ui::KindInformatie);
    return true;
}

std::optional<YearlyDebts::RunResult> AddAllPlata(YearlyDebts& debts, const std::vector<int64_t>& ids,
                                                  const QString& villageFilter, const LogFn& log)
{
    if (ids.empty()) {
        showError(text::AddTitle(), text::NothingToAdd());
        return std::nullopt;
    }
    if (!ui::AskYes(text::AddTitle(), text::AskAddAll()))
        return std::nullopt;

    const int total = int(ids.size());
    ui::Progress& progress = ui::interaction().progress();
    progress.BeginStoppable();
    progress.setText(text::AddingAll());
    progress.setMaximum(total / 10);
    const YearlyDebts::RunResult result = debts.AssessAll(ids, [&progress, total](int done) {
        if (done % 10 == 0) {
            progress.setText(text::AddingStep(done, total));
            progress.Step();
        }
        return !progress.StopRequested();
    });
    progress.End();

    if (!result.error.isEmpty())
        showError(text::AddTitle(), text::RunFailed(result.error));
    if (log)
        log(villageFilter, text::AddedAllAction(result.accepted));
    ui::ShowMessage(text::AddAllTitle(), RunSummary(result), ui::BtnOk, ui::KindInformatie);
    return result;
}

QString RunSummary(const YearlyDebts::RunResult& result, int listed)
{
    QString message = text::AddedAll(result.accepted, result.rejected);
    if (!result.refusals.empty()) {
        message += text::RefusedHeading();
        const int shown = std::min(listed, int(result.refusals.size()));
        for (int i = 0; i < shown; ++i)
            message += QLatin1Char('\r') + result.refusals[size_t(i)].reason;
        if (int(result.refusals.size()) > shown)
            message += text::RefusedMore(int(result.refusals.size()) - shown);
    }
    return message;
}

} // namespace lirma::assessment
