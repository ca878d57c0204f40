// TFAddUser "Utilizatori": a user's name, rank, identification and receipt book, added or modified
// from the users grid of the administrator window.
#pragma once

#include "core/users_admin.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lirma::app {

class TFAddUser : public QDialog {
    Q_OBJECT
public:
    // The check of "Memoreaza": cleans the input and returns the balloon text for the name, "" when
    // the dialog may close.
    using Check = std::function<QString(core::UserInput& input, bool adding)>;

    explicit TFAddUser(QWidget* parent = nullptr);

    // "Adaugare Utilizator": empty fields, name editable, "Sterge parola" hidden.
    void prepareAdd();
    // "Modificare utilizator": a grid row, name read-only, "Sterge parola" shown and unchecked.
    void prepareModify(const core::UserRow& row);
    void setCheck(Check check) { check_ = std::move(check); }
    bool adding() const { return adding_; }

    // "Memoreaza": cleans name, identification and series, checks (balloon at the name), confirms.
    void MemoreazaClick();
    core::UserInput input() const;

    QLabel* titleLine() const { return title_; }
    QLineEdit* Nume() const { return name_; }
    QComboBox* Gradul() const { return rank_; }
    QLineEdit* Legit() const { return legit_; }
    QLineEdit* Seria() const { return series_; }
    QLineEdit* Nr() const { return number_; }
    QCheckBox* StergeParola() const { return clear_; }
    QPushButton* Memoreaza() const { return memoreaza_; }
    QPushButton* Renunt() const { return renunt_; }

private:
    QLabel* title_;
    QLineEdit* name_;
    QComboBox* rank_;
    QLineEdit* legit_;
    QGroupBox* receipts_;
    QLineEdit* series_;
    QLineEdit* number_;
    QCheckBox* clear_;
    QPushButton* memoreaza_;
    QPushButton* renunt_;
    Check check_;
    bool adding_ = true;
};

} // namespace lirma::app
