// The "Cladiri" page (Pag2) of the register window: the selected taxpayer's buildings with
// each one's taxable value and tax, and the commands "Adauga Cladire", "Modifica Cladire",
// "Sterge Cladire", "Fisa de calcul", "Cumparare" and "Vanzare". Buildings does the work; the
// page shows it and asks through the interaction service.
#pragma once

#include "platform/base/files.h"
#include "register/buildings.h"
#include "register/taxpayer_register.h"

#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

class QPushButton;
class QTableView;

namespace lirma::core {
class AdminValues;
class BandedHeaderView;
}

namespace lirma::reg {

class BuildingsModel;
class TCladAddF;
class TCladCumpF;
class TCladVanzF;

class BuildingsPage : public QWidget {
    Q_OBJECT
public:
    BuildingsPage(storage::Database& db, db::Settings& settings, db::Counters& counters, core::AdminValues& admin,
                  QWidget* parent = nullptr);
    ~BuildingsPage() override;

    // Shows the buildings of a taxpayer (the query is reopened), the first one selected.
    void Load(const Taxpayer& owner);
    // Reads the list again and selects a building (by IDCLAD; the first one when absent).
    void Reload(std::optional<int64_t> idclad = std::nullopt);

    // Where the calculation sheet is written (the program's folders unless a test sets others).
    void setFolders(const base::Folders& folders) { folders_ = folders; }

    // --- commands ---
    void CladAddClick();
    void CladModClick();
    void CladDelClick();
    void FisaClick();
    void CumparareClick();
    void VanzareClick();

    Buildings& buildings() { return buildings_; }
    const Taxpayer& owner() const { return owner_; }
    PersonType person() const;
    const std::vector<BuildingLine>& lines() const { return lines_; }
    // The selected building, nullptr when none.
    const BuildingLine* selected() const;
    bool selectBuilding(int64_t idclad);

    TCladAddF& addDialog();
    TCladVanzF& saleDialog();
    TCladCumpF& purchaseDialog();

    QTableView* grid() const { return grid_; }
    core::BandedHeaderView* header() const { return header_; }
    QPushButton* addButton() const { return add_; }
    QPushButton* modifyButton() const { return modify_; }
    QPushButton* deleteButton() const { return delete_; }
    QPushButton* sheetButton() const { return sheet_; }
    QPushButton* purchaseButton() const { return purchase_; }
    QPushButton* saleButton() const { return sale_; }

private:
    void refresh(std::optional<int64_t> idclad);
    void updateButtons();
    // The year lock's error when the year is locked; true when the command may go on.
    bool writable();
    void showLocked();
    void showError(const std::exception& e);

    Buildings buildings_;
    base::Folders folders_;
    Taxpayer owner_;
    std::vector<BuildingLine> lines_;

    BuildingsModel* model_ = nullptr;
    QTableView* grid_ = nullptr;
    core::BandedHeaderView* header_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* modify_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* sheet_ = nullptr;
    QPushButton* purchase_ = nullptr;
    QPushButton* sale_ = nullptr;

    std::unique_ptr<TCladAddF> addDialog_;
    std::unique_ptr<TCladVanzF> saleDialog_;
    std::unique_ptr<TCladCumpF> purchaseDialog_;
};

} // namespace lirma::reg
