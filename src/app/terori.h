// TErori: the message dialog through which every message, warning and yes/no question is shown.
#pragma once

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;

namespace lirma::ui {
class GradientPanel;
class WrappedText;
}  // namespace lirma::ui

namespace lirma::app {

class TErori : public QDialog {
    Q_OBJECT
public:
    explicit TErori(QWidget* parent = nullptr);

    // Shows the dialog modally and returns the code of the pressed button (lirma::ui::MessageReply):
    // 2 for Esc, the close box, and a mask without buttons (then nothing is shown).
    int Show(const QString& title, const QString& text, int buttons, int kind);

    // Fills the dialog as Show does, without showing it; false when the mask shows no button.
    bool prepare(const QString& title, const QString& text, int buttons, int kind);
    // The code of the last button pressed (2 until one is).
    int code() const { return code_; }

    QLabel* titleLabel() const { return title_; }
    lirma::ui::WrappedText* EroText() const { return text_; }
    QLabel* iconLabel() const { return icon_; }
    lirma::ui::GradientPanel* topBand() const { return topBand_; }
    lirma::ui::GradientPanel* bottomBand() const { return bottomBand_; }
    QWidget* buttonRow() const { return row_; }
    // BE1 "DA", BE2 "NU", BE3 "RENUNT", BE4 "OK".
    QPushButton* button(int index) const { return buttons_.at(index); }

private:
    void arrange();

    lirma::ui::GradientPanel* topBand_;
    lirma::ui::GradientPanel* bottomBand_;
    QLabel* title_;
    QLabel* icon_;
    lirma::ui::WrappedText* text_;
    QWidget* row_;
    std::array<QPushButton*, 4> buttons_{};
    int code_ = 2;
};

}  // namespace lirma::app
