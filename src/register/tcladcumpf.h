// TCladCumpF "Cumparare Constructie": picks, among the buildings that left the records this
// year, the one the taxpayer bought ("Am ales" or a double click).
#pragma once

#include "register/buildings.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

class QPushButton;
class QTableWidget;

namespace lirma::reg {

class TCladCumpF : public QDialog {
    Q_OBJECT
public:
    using DialogRunner = std::function<int(QDialog&)>;

    explicit TCladCumpF(QWidget* parent = nullptr);

    // The candidates in the grid, the first one selected.
    void SetCandidates(const std::vector<PurchaseCandidate>& candidates);
    // The position of the chosen candidate; nullopt when the dialog was closed without a choice.
    std::optional<int> ShowDialog();
    void setDialogRunner(DialogRunner runner) { runDialog_ = std::move(runner); }

    // "Am ales": the selected row, when there is one.
    void AmAlesClick();

    QTableWidget* grid() const { return grid_; }
    QPushButton* AmAlesButton() const { return amAles_; }
    QPushButton* RenuntButton() const { return renunt_; }

private:
    QTableWidget* grid_;
    QPushButton* renunt_;
    QPushButton* amAles_;
    DialogRunner runDialog_;
    std::optional<int> chosen_;
};

} // namespace lirma::reg
