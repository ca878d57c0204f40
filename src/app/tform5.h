// TForm5 "Utilizator": "Contul meu", where the logged-in user changes his password and his
// identification text.
#pragma once

#include <QDialog>

#include <filesystem>

class QLineEdit;
class QPushButton;

namespace lirma::app {

class TForm3;

class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);

    // Fills the fields from the current user and shows the window modally; when confirmed
    // stores the change in the users file of the data folder. True when it was stored.
    bool Show(const std::filesystem::path& dataFolder);

    // The current password twice and the current LEGIT; focus on the first field.
    void prepare();
    // "&Memoreaza": the two passwords must be equal and not empty (a balloon otherwise),
    // then the window closes confirmed.
    void MemoreazaClick();

    QLineEdit* ParolaNoua() const { return parolaNoua_; }
    QLineEdit* VerificaParola() const { return verifica_; }
    QLineEdit* Legitimatia() const { return legit_; }
    QPushButton* Memoreaza() const { return memoreaza_; }
    QPushButton* Renunt() const { return renunt_; }

private:
    QLineEdit* parolaNoua_;
    QLineEdit* verifica_;
    QLineEdit* legit_;
    QPushButton* memoreaza_;
    QPushButton* renunt_;
};

// The command "Utilitare > Contul meu" of the main window.
void ShowContulMeu(TForm3& form);

} // namespace lirma::app
