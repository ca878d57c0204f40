// TAddGosF: the dialog that adds or modifies a taxpayer ("Adaugare gospodarie" /
// "Modificare gospodarie"). It only holds the fields; the checks run in the register's
// logic when "&Memoreaza" is pressed, and the dialog stays open when they refuse.
#pragma once

#include "register/taxpayer_register.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace lirma::reg {

class EnterMovesOn;
class TCNPEdit;

class TAddGosF : public QDialog {
    Q_OBJECT
public:
    // Runs a dialog modally and returns its result; tests put their own in its place.
    using DialogRunner = std::function<int(QDialog&)>;
    // The checks of "&Memoreaza": cleans the input, tells the user, gives the field to focus.
    using Check = std::function<bool(TaxpayerInput&, const TaxpayerRegister::FieldWidget&, InputField*)>;

    struct Lists {
        QStringList villages;  // without " * indiferent *"
        QStringList streets;
        QStringList operators;
        bool showNoPenalty = false; // FARAMAJORARI is "DA"
    };

    explicit TAddGosF(QWidget* parent = nullptr);

    // Defaults of a new taxpayer: the chosen village (may be ""), the suggested role, type
    // "FIZICA", exemptions "0", one person, empty name, code, remarks, heirs and operator.
    void ResetForAdd(const Lists& lists, const QString& village, const QString& suggestedRole);
    // The fields from a stored taxpayer.
    void FillForEdit(const Lists& lists, const Taxpayer& taxpayer);

    // Shows the dialog with the caption; true when "&Memoreaza" accepted it.
    bool ShowDialog(const QString& caption, Check check);
    void setDialogRunner(DialogRunner runner) { runDialog_ = std::move(runner); }

    // The fields as they stand, and the cleaned input that was accepted.
    TaxpayerInput input() const;
    const TaxpayerInput& accepted() const { return accepted_; }

    // "&Memoreaza".
    void MemoreazaClick();

    QWidget* fieldWidget(InputField field) const;
    QComboBox* SatCombo() const { return satCombo_; }
    QLineEdit* ROLEd() const { return rolEd_; }
    QLineEdit* CapGosp() const { return capGosp_; }
    TCNPEdit* CNP1() const { return cnp_; }
    QComboBox* Strada() const { return strada_; }
    QLineEdit* Adresa() const { return adresa_; }
    QLineEdit* NrPers() const { return nrPers_; }
    QPlainTextEdit* Most() const { return most_; }
    QComboBox* TipEd() const { return tipEd_; }
    QComboBox* FaraMaj() const { return faraMaj_; }
    QLabel* FaraMajLabel() const { return faraMajLabel_; }
    QComboBox* IndOp() const { return indOp_; }
    QPlainTextEdit* Obs() const { return obs_; }
    // SCCLAD, SCCC, SCTI, SCAUTO, SCTE.
    QComboBox* exemption(int i) const { return exemptions_[i]; }
    QPushButton* MemoreazaButton() const { return memoreaza_; }
    QPushButton* RenuntButton() const { return renunt_; }

private:
    void fillLists(const Lists& lists);

    QComboBox* satCombo_;
    QLineEdit* rolEd_;
    QLineEdit* capGosp_;
    TCNPEdit* cnp_;
    QComboBox* strada_;
    QLineEdit* adresa_;
    QLineEdit* nrPers_;
    QPlainTextEdit* most_;
    QComboBox* tipEd_;
    QLabel* faraMajLabel_;
    QComboBox* faraMaj_;
    QComboBox* indOp_;
    QPlainTextEdit* obs_;
    QComboBox* exemptions_[5];
    QPushButton* renunt_;
    QPushButton* memoreaza_;
    EnterMovesOn* enter_;

    Check check_;
    DialogRunner runDialog_;
    TaxpayerInput accepted_;
};

} // namespace lirma::reg
