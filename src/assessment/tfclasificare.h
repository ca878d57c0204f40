// TFClasificare "Nomenclator Coduri clasificare bugetara": the list of tax groups with their
// budget classification codes, and TFAddCODCL, its dialog that adds or modifies one. The work is
// done by ClassificationCodes; the windows only show it.
#pragma once

#include "assessment/classification_codes.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace lirma::db {
class Counters;
}

namespace lirma::assessment {

class TextRowsModel;

// Runs a dialog modally and returns its result; tests put their own in its place.
using DialogRunner = std::function<int(QDialog&)>;

class TFAddCODCL : public QDialog {
    Q_OBJECT
public:
    // The checks of "&Memoreaza" (cleaning the input in place); a problem keeps the dialog open.
    using Check = std::function<std::optional<CodeProblem>(CodeInput&)>;

    explicit TFAddCODCL(QWidget* parent = nullptr);

    // Empty fields, the name editable.
    void ResetForAdd();
    // The row's name (read-only) and accounts.
    void LoadForModify(const CodeRow& row);
    // Shows the dialog under the heading; true when "&Memoreaza" accepted it.
    bool ShowDialog(const QString& heading, Check check);
    void setDialogRunner(DialogRunner runner) { runDialog_ = std::move(runner); }

    CodeInput input() const;
    const CodeInput& accepted() const { return accepted_; }

    void MemoreazaClick();

    QLabel* heading() const { return heading_; }
    QLineEdit* CreantaL() const { return name_; }
    QLineEdit* TrezFL() const { return natural_; }
    QLineEdit* TrezJL() const { return legal_; }
    QPushButton* MemoreazaButton() const { return memoreaza_; }
    QPushButton* RenuntButton() const { return renunt_; }

private:
    QLabel* heading_;
    QLineEdit* name_;
    QLineEdit* natural_;
    QLineEdit* legal_;
    QPushButton* renunt_;
    QPushButton* memoreaza_;
    Check check_;
    DialogRunner runDialog_;
    CodeInput accepted_;
};

class TFClasificare : public QDialog {
    Q_OBJECT
public:
    explicit TFClasificare(QWidget* parent = nullptr);
    ~TFClasificare() override;

    // The window of the run, made on first use; it lives until the program ends.
    static TFClasificare& Shared();

    // The data folder the window works on.
    void use(storage::Database& db, db::Counters& counters);

    // Fills the list in its own order, shows the window modally and tells whether a row was
    // added, modified or deleted.
    bool ShowClassificationCodes();
    // The parts of it around the modal run.
    void Prepare();
    bool changed() const { return changed_; }

    void AdaugaClick();
    void ModificaClick();
    void StergeClick();
    // A click on a column title orders the list by that column and keeps the selected row.
    void TitleClick(int column);

    void setDialogRunner(DialogRunner runner) { runDialog_ = std::move(runner); }
    TFAddCODCL& dialog() { return *dialog_; }
    QTableView* grid() const { return grid_; }
    TextRowsModel* model() const { return model_; }
    QPushButton* addButton() const { return add_; }
    QPushButton* modifyButton() const { return modify_; }
    QPushButton* deleteButton() const { return delete_; }
    // IDCOD of the selected row, -1 when none.
    int64_t selectedId() const;
    bool selectId(int64_t idcod);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh(int64_t select);
    void showError(const std::exception& e);
    ClassificationCodes codes();

    storage::Database* db_ = nullptr;
    db::Counters* counters_ = nullptr;
    CodeOrder order_ = CodeOrder::Default;
    bool changed_ = false;
    QTableView* grid_;
    TextRowsModel* model_;
    QPushButton* add_;
    QPushButton* modify_;
    QPushButton* delete_;
    std::unique_ptr<TFAddCODCL> dialog_;
    DialogRunner runDialog_;
};

// Opens the codes window of the run on the data folder; true when a row was added, modified or
// deleted (lists of names are then filled again).
bool ShowClassificationCodes(storage::Database& db, db::Counters& counters);

} // namespace lirma::assessment
