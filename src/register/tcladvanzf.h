// TCladVanzF "Vanzare Constructie": the date and the document of a sale. "Am ales" runs the
// check of the sale date; a refusal is a balloon on the date and the dialog stays open.
#pragma once

#include <QDate>
#include <QDialog>
#include <QString>

#include <functional>
#include <optional>

class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lirma::reg {

class TCladVanzF : public QDialog {
    Q_OBJECT
public:
    using DialogRunner = std::function<int(QDialog&)>;
    // The check of "Am ales": nullopt, or the balloon on the sale date.
    using Check = std::function<std::optional<QString>(const QDate&)>;

    explicit TCladVanzF(QWidget* parent = nullptr);

    // Sale date `today`, empty remark.
    void Reset(const QDate& today);
    // true when "Am ales" accepted the fields.
    bool ShowDialog(Check check);
    void setDialogRunner(DialogRunner runner) { runDialog_ = std::move(runner); }

    // "Am ales".
    void AmAlesClick();

    // What was accepted; the remark cleaned of extra spaces.
    QDate saleDate() const { return saleDate_; }
    QString remark() const { return remark_; }

    QDateEdit* DataVanz() const { return dataVanz_; }
    QLineEdit* Obs() const { return obs_; }
    QPushButton* AmAlesButton() const { return amAles_; }
    QPushButton* RenuntButton() const { return renunt_; }

private:
    QDateEdit* dataVanz_;
    QLineEdit* obs_;
    QPushButton* renunt_;
    QPushButton* amAles_;
    Check check_;
    DialogRunner runDialog_;
    QDate saleDate_;
    QString remark_;
};

} // namespace lirma::reg
