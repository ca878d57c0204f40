// The users grid of the administrator window: every user of s.mpg except the one logged in,
// with his receipt book from the settings file, and the add, modify and delete operations.
#pragma once

#include "core/users_file.h"
#include "db/settings.h"

#include <QString>
#include <QStringList>

#include <filesystem>
#include <vector>

namespace lirma::core {

struct UserRow {
    QString name;     // NUME
    QString password; // PAROLA: kept, never shown
    QString rank;     // GRAD: the rank's name
    QString legit;    // LEGIT
    QString series;   // SERIA
    QString number;   // NR: the next receipt number (CHIT), up to 10 digits
};

// What the user dialog gives back.
struct UserInput {
    QString name;
    QString rank;            // a rank's name, "OPERATOR DE ROL" or "CASIER"
    QString legit;
    QString series;
    QString number;          // "De la nr.": digits
    bool clearPassword = false;
};

// The ranks the dialog offers.
const QStringList& AssignableRanks(); // "OPERATOR DE ROL", "CASIER"

class UsersAdmin {
public:
    static constexpr int kNameMax = 32;
    static constexpr int kSeriesMax = 10;
    static constexpr int kNumberDigits = 10;

    UsersAdmin(const std::filesystem::path& dataFolder, db::Settings& settings);

    // Reads the users file again; the logged-in user is left out. Rows ordered by name.
    // Throws UsersFileError when the file cannot be read.
    void Build(const QString& loggedInUser);
    const std::vector<UserRow>& rows() const { return rows_; }
    int indexOf(const QString& name) const;

    // The dialog's "Memoreaza": cleans name, identification and series; returns the balloon
    // text for the name, "" when the dialog may close.
    QString CheckDialog(UserInput& input, bool adding) const;

    // Each returns "" when done, else the text of the message already shown to the user.
    // Add: the new user (empty password) in s.mpg and his receipt book in the settings file.
    QString Add(const UserInput& input);
    // Before opening the dialog for a row: the balloon text, "" when it may be modified.
    QString CheckModify(int row) const;
    QString Modify(const UserInput& input);
    QString CheckDelete(int row) const;
    // Asks "Stergere utilizator" first; "" also when the user answered "NU" (see `deleted`).
    QString Delete(int row, bool* deleted = nullptr);

    // "Chitante": the receipt book as the settings file holds it ("1" when CHIT is empty).
    QString series(const QString& name) const;
    QString nextNumber(const QString& name) const;

private:
    QString writeReceiptBook(const UserInput& input);
    void sortRows();
    QString fail(const QString& title, const QString& text);

    QString loggedIn_;
    UsersFile file_;
    db::Settings& settings_;
    std::vector<UserRow> rows_;
};

} // namespace lirma::core
