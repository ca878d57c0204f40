// The yearly assessment on the register window: the row of buttons below the pages with
// "A&dauga Gospodaria (ROL) la plata" and "Adauga toate &Localitatile la plata", and on the land
// and vehicle pages a line with the page's tax and its "Fisa de calcul" button. The work is done
// by the assessment library; this only reads the window's selection and filter and puts them
// back afterwards.
#pragma once

#include "assessment/assessment_commands.h"
#include "core/admin_values.h"
#include "db/counters.h"
#include "db/settings.h"
#include "platform/base/files.h"
#include "platform/storage/storage.h"
#include "register/asset_pages.h"

#include <QWidget>

#include <map>
#include <optional>

class QHBoxLayout;
class QLabel;
class QPushButton;

namespace lirma::reg {

class TGospodarii;

class AssessmentBar : public QWidget {
    Q_OBJECT
public:
    // Puts the tax lines on the window's pages Pag1, Pag4 and Pag5; the window places the bar itself
    // below its pages. `log` is the activity log (LogAction).
    AssessmentBar(TGospodarii& window, storage::Database& db, db::Settings& settings, db::Counters& counters,
                  core::AdminValues& admin, base::Folders folders, assessment::LogFn log, QWidget* parent = nullptr);

    QPushButton* addOneButton() const { return addOne_; } // "AddLaPlata"
    QPushButton* addAllButton() const { return addAll_; } // "AddAllPlata"
    // The row of buttons, for the village-wide buttons that join it.
    QHBoxLayout* buttonRow() const { return row_; }

    // "A&dauga Gospodaria (ROL) la plata": the pending-changes question of the shown page first,
    // then the selected taxpayer. True when he was added.
    bool AddLaPlata();
    // "Adauga toate &Localitatile la plata": every taxpayer of the register whatever the filter; the
    // filter is put back and the first row selected afterwards.
    std::optional<assessment::YearlyDebts::RunResult> AddAllPlata();

    // The tax line of a land or vehicle page (nullptr for other pages).
    QLabel* taxLabel(AssetPage page) const;
    QPushButton* sheetButton(AssetPage page) const;
    // The taxes of the selected taxpayer computed again from his stored pages.
    void refreshTaxes();
    // "Fisa de calcul" of a page: the workbook written and opened; "" when none.
    QString ShowSheet(AssetPage page);

private:
    struct PageLine {
        QLabel* tax = nullptr;
        QPushButton* sheet = nullptr;
    };
    void addPageLine(AssetPage page);
    assessment::AssessmentSettings currentSettings() const;

    TGospodarii& window_;
    storage::Database& db_;
    db::Settings& settings_;
    db::Counters& counters_;
    core::AdminValues& admin_;
    base::Folders folders_;
    assessment::LogFn log_;
    QHBoxLayout* row_ = nullptr;
    QPushButton* addOne_ = nullptr;
    QPushButton* addAll_ = nullptr;
    std::map<AssetPage, PageLine> lines_;
};

} // namespace lirma::reg
