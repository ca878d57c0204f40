// TFTaxe "Taxe / Amenzi": the dialog of one levy or fine, used by the register's page of the
// year's operations and by the collections window. It holds the fields and runs the checks of
// its "&Memoreaza" (CheckLevy); storing is the caller's (Levies).
#pragma once

#include "assessment/levies.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lirma::assessment {

class TFTaxe : public QDialog {
    Q_OBJECT
public:
    // Runs a dialog modally and returns its result; tests put their own in its place.
    using DialogRunner = std::function<int(QDialog&)>;

    explicit TFTaxe(QWidget* parent = nullptr);

    // The dialog of the run: one window, so "Numarul" keeps the last value typed while the
    // program runs, whichever window asked for it.
    static TFTaxe& Shared();

    // Where the names come from and what "Coduri clasificare" opens (it returns whether the
    // codes changed). Set by the window about to show the dialog.
    void setSources(std::function<QStringList()> names, std::function<bool()> openCodes);

    // Defaults: the names again with the first selected, today, no explanation, amounts 0;
    // "Numarul" keeps its value.
    void Reset();
    // Reset, then the row's values; a name no longer among the codes is kept as an extra entry.
    void Load(const LevyRow& row);

    // Shows the dialog with the title line; true when "&Memoreaza" accepted it.
    bool ShowDialog(const QString& title);
    void setDialogRunner(DialogRunner runner) { runDialog_ = std::move(runner); }

    // The fields as they stand (amounts truncated to whole lei), and what was accepted.
    LevyInput input() const;
    const LevyInput& accepted() const { return accepted_; }

    void MemoreazaClick();
    void CoduriClick();

    QLabel* titleLine() const { return title_; }
    QComboBox* CreantaBox() const { return creanta_; }
    QDateEdit* DINDATA() const { return date_; }
    QLineEdit* Nr() const { return nr_; }
    QLineEdit* DOCJUS() const { return docjus_; }
    QLineEdit* Suma() const { return suma_; }
    QLineEdit* Rest() const { return rest_; }
    QLineEdit* Reduc() const { return reduc_; }
    QPushButton* CoduriButton() const { return coduri_; }
    QPushButton* MemoreazaButton() const { return memoreaza_; }
    QPushButton* RenuntButton() const { return renunt_; }

private:
    void fillNames(const QString& keep);

    QLabel* title_;
    QComboBox* creanta_;
    QDateEdit* date_;
    QLineEdit* nr_;
    QLineEdit* docjus_;
    QLineEdit* suma_;
    QLineEdit* rest_;
    QLineEdit* reduc_;
    QPushButton* coduri_;
    QPushButton* renunt_;
    QPushButton* memoreaza_;
    std::function<QStringList()> names_;
    std::function<bool()> openCodes_;
    QString extraName_; // a stored name no longer among the codes
    DialogRunner runDialog_;
    LevyInput accepted_;
};

// "Adauga" of a levy: the shared dialog reset and shown; on confirmation the row is stored for
// the taxpayer. The new IDDAT, or -1 when the user cancelled.
int64_t AddLevyWithDialog(Levies& levies, const LevyOwner& owner, Levies::Percent percent,
                          std::function<bool()> openCodes);

} // namespace lirma::assessment
