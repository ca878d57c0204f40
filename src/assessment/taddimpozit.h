// TAddImpozit "Impozite": the dialog of one debit of the year. Its detail panel follows the tax
// chosen: the explanation for buildings, category, area and zone for land inside and outside the
// built-up area, and the vehicle list with capacity and count. It runs the checks of its
// "&Memoreaza" (CheckDebit); storing is the caller's (Debits).
#pragma once

#include "assessment/debits.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;

namespace lirma::assessment {

class TAddImpozit : public QDialog {
    Q_OBJECT
public:
    using DialogRunner = std::function<int(QDialog&)>;

    explicit TAddImpozit(QWidget* parent = nullptr);

    // What "Coduri clasificare" opens.
    void setCodesOpener(std::function<bool()> openCodes);

    // Defaults: amount, areas, capacity and count 0, no explanation, today, both zone lists on
    // `defaultZone` (the first zone when the list lacks it). The tax, the category, the panels'
    // lists and "Numarul" keep their values.
    void Reset(const QString& defaultZone);
    // Reset, then the values of a stored debit.
    void Load(const DebitRow& row, const QString& defaultZone);

    bool ShowDialog(const QString& title);
    void setDialogRunner(DialogRunner runner) { runDialog_ = std::move(runner); }

    // The fields as they stand, and what was accepted (after the checks made it ready).
    DebitInput input() const;
    const DebitInput& accepted() const { return accepted_; }
    // Puts an input into the fields (the tax selects its panel).
    void setInput(const DebitInput& in);

    void MemoreazaClick();
    void CoduriClick();

    QLabel* titleLine() const { return title_; }
    QDateEdit* DINDATA() const { return date_; }
    QComboBox* ImpozitBox() const { return impozit_; }
    QComboBox* CategBox() const { return categ_; }
    QLineEdit* Nr() const { return nr_; }
    QLabel* NrKind() const { return nrKind_; }
    QLineEdit* DOCJUS() const { return docjus_; }
    QLineEdit* SUMA() const { return suma_; }
    QStackedWidget* panels() const { return panels_; }
    QLabel* CladExplic() const { return cladExplic_; }
    QComboBox* TICategBox() const { return tiCateg_; }
    QLineEdit* Supraf3() const { return supraf3_; }
    QLabel* Supraf3Unit() const { return supraf3Unit_; }
    QComboBox* Zona3() const { return zona3_; }
    QComboBox* TECategBox() const { return teCateg_; }
    QLineEdit* Supraf4() const { return supraf4_; }
    QComboBox* Zona4() const { return zona4_; }
    QComboBox* ITMCategBox() const { return itmCateg_; }
    QLineEdit* Capac() const { return capac_; }
    QLabel* CapacUnit() const { return capacUnit_; }
    QLineEdit* BucE() const { return bucE_; }
    QPushButton* CoduriButton() const { return coduri_; }
    QPushButton* MemoreazaButton() const { return memoreaza_; }
    QPushButton* RenuntButton() const { return renunt_; }

private:
    void groupChanged();
    void categoryChanged();
    void vehicleChanged();
    void insideCategoryChanged();

    QLabel* title_;
    QDateEdit* date_;
    QComboBox* impozit_;
    QComboBox* categ_;
    QLineEdit* nr_;
    QLabel* nrKind_;
    QLineEdit* docjus_;
    QLineEdit* suma_;
    QStackedWidget* panels_;
    QLabel* cladExplic_;
    QComboBox* tiCateg_;
    QLineEdit* supraf3_;
    QLabel* supraf3Unit_;
    QComboBox* zona3_;
    QComboBox* teCateg_;
    QLineEdit* supraf4_;
    QComboBox* zona4_;
    QComboBox* itmCateg_;
    QLabel* capacLabel_;
    QLineEdit* capac_;
    QLabel* capacUnit_;
    QLabel* bucLabel_;
    QLineEdit* bucE_;
    QPushButton* coduri_;
    QPushButton* renunt_;
    QPushButton* memoreaza_;
    std::function<bool()> openCodes_;
    DialogRunner runDialog_;
    DebitInput accepted_;
};

} // namespace lirma::assessment
