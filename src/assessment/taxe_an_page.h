// TaxeAn "Operatiuni in timpul anului": the last page of the register window. Two grids of the
// selected taxpayer: the levies and fines entered by hand (Datorii.dbf rows of TIP "M") and the
// debits of the year (Debit.dbf), each with its add, modify and delete buttons, which open the
// levy dialog TFTaxe and the debit dialog TAddImpozit. The register window makes the page and
// tells it which taxpayer is selected.
#pragma once

#include "assessment/debits.h"
#include "assessment/levies.h"
#include "core/admin_values.h"

#include <QWidget>

#include <functional>
#include <memory>

class QPushButton;
class QTableView;

namespace lirma::db {
class Counters;
}

namespace lirma::assessment {

class TAddImpozit;
class TextRowsModel;

class TaxeAnPage : public QWidget {
    Q_OBJECT
public:
    TaxeAnPage(storage::Database& db, db::Counters& counters, core::AdminValues& admin = core::AdminStore(),
               QWidget* parent = nullptr);
    ~TaxeAnPage() override;

    // The taxpayer whose rows the page shows; both grids are opened again.
    void setTaxpayer(const LevyOwner& owner);
    // No taxpayer: empty grids, nothing can be added.
    void clearTaxpayer();
    const LevyOwner& taxpayer() const { return owner_; }

    // What "Coduri clasificare" of the dialogs opens; by default the codes window of the run.
    void setCodesOpener(std::function<bool()> openCodes);

    // Grid " > Amenzi si taxe".
    void AddTaxaClick();
    void EditTaxaClick();
    void DelTaxaClick();
    // Grid " > Debite in timpul anului".
    void AddDebClick();
    void EditDebClick();
    void DelDebClick();

    // The grids opened again, the row of the identifier selected when it is there.
    void refreshLevies(int64_t select = -1);
    void refreshDebits(int64_t select = -1);
    // Identifiers of the selected rows, -1 when none.
    int64_t selectedLevy() const;
    int64_t selectedDebit() const;
    bool selectLevy(int64_t iddat);
    bool selectDebit(int64_t iddeb);

    Levies& levies() { return levies_; }
    Debits& debits() { return debits_; }
    TAddImpozit& debitDialog();
    QTableView* SMDBGrid1() const { return grid1_; }
    QTableView* SMDBGrid2() const { return grid2_; }
    TextRowsModel* leviesModel() const { return model1_; }
    TextRowsModel* debitsModel() const { return model2_; }
    QPushButton* AddTaxa() const { return addTaxa_; }
    QPushButton* EditTaxa() const { return editTaxa_; }
    QPushButton* DelTaxa() const { return delTaxa_; }
    QPushButton* AddDeb() const { return addDeb_; }
    QPushButton* EditDeb() const { return editDeb_; }
    QPushButton* DelDeb() const { return delDeb_; }

private:
    void showError(const QString& title, const std::exception& e);
    QString defaultZone() const;

    storage::Database& db_;
    db::Counters& counters_;
    core::AdminValues& admin_;
    Levies levies_;
    Debits debits_;
    LevyOwner owner_;
    std::function<bool()> openCodes_;
    std::unique_ptr<TAddImpozit> debitDialog_;

    QTableView* grid1_;
    TextRowsModel* model1_;
    QTableView* grid2_;
    TextRowsModel* model2_;
    QPushButton* addTaxa_;
    QPushButton* editTaxa_;
    QPushButton* delTaxa_;
    QPushButton* addDeb_;
    QPushButton* editDeb_;
    QPushButton* delDeb_;
};

} // namespace lirma::assessment
