// TCladAddF "Cladiri": the dialog that adds or modifies a building. It holds the fields only:
// the page it shows (PFR, PFN, PJR, PJN) follows the owner's person type and the use chosen,
// and the checks of "&Memoreaza" run in Buildings; a refusal is a balloon on the field and the
// dialog stays open.
#pragma once

#include "register/buildings.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lirma::reg {

class EnterMovesOn;

class TCladAddF : public QDialog {
    Q_OBJECT
public:
    // Runs a dialog modally and returns its result; tests put their own in its place.
    using DialogRunner = std::function<int(QDialog&)>;
    // The checks of "&Memoreaza": cleans the input; nullopt accepts it.
    using Check = std::function<std::optional<BuildingProblem>(BuildingInput&)>;

    explicit TCladAddF(QWidget* parent = nullptr);

    // Puts an input into the fields, for an owner of this person type; `mixedIds` are the
    // entries of "apartinand cladirii cu ID" after "nu exista in lista".
    void SetInput(const BuildingInput& input, PersonType person, const std::vector<int64_t>& mixedIds);
    // Shows the dialog under the heading ("Adaugare Cladire" / "Modificare cladire"); true when
    // "&Memoreaza" accepted it.
    bool ShowDialog(const QString& heading, Check check);
    void setDialogRunner(DialogRunner runner) { runDialog_ = std::move(runner); }

    // The fields as they stand, and the cleaned input that was accepted.
    BuildingInput input() const;
    const BuildingInput& accepted() const { return accepted_; }
    // The page shown.
    BuildingForm form() const;

    // "&Memoreaza".
    void MemoreazaClick();

    QWidget* fieldWidget(BuildingField field) const;
    QLabel* heading() const { return heading_; }
    QComboBox* TipC1() const { return tipC1_; }
    QWidget* mixedPanel() const { return mixedPanel_; }
    QComboBox* TipC2() const { return tipC2_; }
    QComboBox* IDManual() const { return idManual_; }
    QLineEdit* Adresa() const { return adresa_; }
    QLineEdit* Suprafata() const { return suprafata_; }
    QLineEdit* Anul() const { return anul_; }
    QComboBox* Material() const { return material_; }
    QComboBox* Destinatie() const { return destinatie_; }
    QComboBox* CuUtil() const { return cuUtil_; }
    QComboBox* Zona() const { return zona_; }
    QComboBox* Rang() const { return rang_; }
    QCheckBox* Bloc() const { return bloc_; }
    QDateEdit* DataEval() const { return dataEval_; }
    QLineEdit* Valoare() const { return valoare_; }
    QComboBox* ActAgr() const { return actAgr_; }
    QCheckBox* NuEvaluata() const { return nuEvaluata_; }
    QDateEdit* DataDob() const { return dataDob_; }
    QDateEdit* DataIn() const { return dataIn_; }
    QLineEdit* ObsIn() const { return obsIn_; }
    QCheckBox* Vanduta() const { return vanduta_; }
    QDateEdit* DataVanz() const { return dataVanz_; }
    QDateEdit* DataOut() const { return dataOut_; }
    QLineEdit* ObsOut() const { return obsOut_; }
    QPushButton* MemoreazaButton() const { return memoreaza_; }
    QPushButton* RenuntButton() const { return renunt_; }

private:
    void updatePage();
    void updateSale();
    void updateValued();

    PersonType person_ = PersonType::Fizica;

    QLabel* heading_;
    QComboBox* tipC1_;
    QWidget* mixedPanel_;
    QComboBox* tipC2_;
    QComboBox* idManual_;
    QLineEdit* adresa_;
    QFormLayout* page_;
    QLineEdit* suprafata_;
    QLineEdit* anul_;
    QComboBox* material_;
    QComboBox* destinatie_;
    QComboBox* cuUtil_;
    QWidget* zonaRang_;
    QComboBox* zona_;
    QComboBox* rang_;
    QCheckBox* bloc_;
    QWidget* valuedRow_;
    QDateEdit* dataEval_;
    QLineEdit* valoare_;
    QComboBox* actAgr_;
    QCheckBox* nuEvaluata_;
    QDateEdit* dataDob_;
    QDateEdit* dataIn_;
    QLineEdit* obsIn_;
    QCheckBox* vanduta_;
    QDateEdit* dataVanz_;
    QLabel* dataOutLabel_;
    QDateEdit* dataOut_;
    QLabel* obsOutLabel_;
    QLineEdit* obsOut_;
    QPushButton* renunt_;
    QPushButton* memoreaza_;
    EnterMovesOn* enter_;

    Check check_;
    DialogRunner runDialog_;
    BuildingInput accepted_;
};

} // namespace lirma::reg
