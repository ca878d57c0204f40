// TGospodarii "Gospodarii": the taxpayer register window. A navigation list on the left shows
// either the identification page (the filtered, sortable list of taxpayers with add, modify
// and delete) or one asset page of the selected taxpayer, which loads, edits and saves its row
// (TaxpayerRegister and AssetPages do the work; the window only shows it).
#pragma once

#include "core/admin_values.h"
#include "db/counters.h"
#include "db/settings.h"
#include "platform/storage/storage.h"
#include "register/asset_pages.h"
#include "register/taddgosf.h"
#include "register/taxpayer_register.h"

#include <QDialog>

#include <map>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QTableView;
class QVBoxLayout;

namespace lirma::core {
class BandedHeaderView;
}
namespace lirma::assessment {
class TaxeAnPage;
}

namespace lirma::reg {

class AssetPageView;
class BuildingsPage;
class TaxpayerModel;

class TGospodarii : public QDialog {
    Q_OBJECT
public:
    TGospodarii(storage::Database& db, db::Settings& settings, db::Counters& counters,
                core::AdminValues& admin = core::AdminStore(), QWidget* parent = nullptr);
    ~TGospodarii() override;

    // "Gospodarii -Roluri-": prepares the window, shows it modally until it is closed.
    void Open();
    // Opening without the modal run (tests): list, village list, filters cleared, headings.
    void Prepare();
    // The village list again (after the administrator settings or an import changed it).
    void RefreshVillages();
    // A row of buttons below the pages (the yearly assessment's); the window takes it over.
    void AddBelowPages(QWidget* widget);

    // --- identification page ---
    void PuneFiltru();
    void SMDBGrid3TitleClick(int column);
    void AddGospodarie();
    void EditGospodarie();
    void DelGospodarie();
    // The selected taxpayer (nullptr when the list shows none).
    const Taxpayer* selected() const;
    bool selectTaxpayer(int64_t idgos);

    // --- navigation and pages ---
    // Entry of the navigation list; false when the window stayed where it was.
    bool ListView1SelectItem(int entry);
    // The entry that shows a page, and the page an entry shows.
    static int EntryOfPage(AssetPage page);
    // The entry of the buildings page ("   - cladiri").
    static int EntryOfBuildings();
    // The entry of the page "Operatiuni in timpul anului" (the last one).
    static int EntryOfYearOperations();
    static std::optional<AssetPage> PageOfEntry(int entry);
    std::optional<AssetPage> currentPage() const { return current_; }
    // "Memoreaza modificarile" / "Anuleaza modificarile" of a page; true when nothing is left
    // pending on it.
    bool SavePage(AssetPage page);
    void CancelPage(AssetPage page);
    // The pending-changes question when leaving a page or closing; false when the user must
    // stay (the save was refused).
    bool LeavePage();

    TaxpayerRegister& taxpayers() { return reg_; }
    AssetPages& pages() { return pages_; }
    TAddGosF& dialog();

    // Parts of the window, for tests.
    QListWidget* ListView1() const { return nav_; }
    QStackedWidget* pageControl() const { return stack_; }
    QWidget* IdentificareP() const { return ident_; }
    AssetPageView* pageView(AssetPage page) const;
    BuildingsPage* buildingsPage() const { return buildings_; }
    assessment::TaxeAnPage* taxeAnPage() const { return taxeAn_; }
    QComboBox* SatCombo() const { return satCombo_; }
    QLineEdit* ROLEd() const { return rolEd_; }
    QLineEdit* NumeEd() const { return numeEd_; }
    QTableView* SMDBGrid3() const { return grid_; }
    QLabel* totalLabel() const { return total_; }
    QLabel* remarksLabel() const { return remarks_; }
    QLabel* heirsLabel() const { return heirs_; }
    QLabel* noPenaltyLabel() const { return noPenaltyCaption_; }
    QLabel* noPenaltyValue() const { return noPenalty_; }
    QLabel* headerVillage() const { return headSat_; }
    QLabel* headerName() const { return headName_; }
    QLabel* headerRole() const { return headRol_; }
    QPushButton* addButton() const { return add_; }
    QPushButton* modifyButton() const { return modify_; }
    QPushButton* deleteButton() const { return delete_; }

public slots:
    // Esc and the close box: the pending-changes question first.
    void reject() override;

private:
    void buildIdentification();
    void showIdentification();
    void refreshGrid(std::optional<int64_t> select);
    void rowChanged();
    void loadPage(AssetPage page);
    void applyZoneHeadings();
    void addVillage(const QString& village);
    TAddGosF::Lists dialogLists();
    void showError(const std::exception& e);
    int64_t selectedId() const;

    storage::Database& db_;
    db::Settings& settings_;
    core::AdminValues& admin_;
    TaxpayerRegister reg_;
    AssetPages pages_;
    std::unique_ptr<TAddGosF> dialog_;

    QLabel* headSat_ = nullptr;
    QLabel* headName_ = nullptr;
    QLabel* headRol_ = nullptr;
    QListWidget* nav_ = nullptr;
    QStackedWidget* stack_ = nullptr;
    QVBoxLayout* pagesColumn_ = nullptr;
    QWidget* ident_ = nullptr;
    std::map<AssetPage, AssetPageView*> views_;
    BuildingsPage* buildings_ = nullptr;
    assessment::TaxeAnPage* taxeAn_ = nullptr;
    QComboBox* satCombo_ = nullptr;
    QLineEdit* rolEd_ = nullptr;
    QLineEdit* numeEd_ = nullptr;
    QTableView* grid_ = nullptr;
    TaxpayerModel* model_ = nullptr;
    core::BandedHeaderView* header_ = nullptr;
    QLabel* total_ = nullptr;
    QLabel* remarks_ = nullptr;
    QLabel* heirs_ = nullptr;
    QLabel* noPenaltyCaption_ = nullptr;
    QLabel* noPenalty_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* modify_ = nullptr;
    QPushButton* delete_ = nullptr;

    std::optional<AssetPage> current_; // nullopt: the identification, buildings or year page
    bool opening_ = false;
    bool loading_ = false;
    bool reloadPending_ = false;
    bool navigating_ = false;
};

} // namespace lirma::reg
