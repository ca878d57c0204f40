// Logging in and out of the main window: the lookup in the users file, the first record of a
// new data folder ("PRIMA PORNIRE") and the current user that results.
#pragma once

#include "core/current_user.h"

#include <QString>
#include <QStringView>

#include <filesystem>
#include <functional>

namespace lirma::core {

// The name as the login looks it up: spaces cleaned (CleanSpaces) and upper case.
QString CleanUserName(QStringView typed);

// What the rest of the system adds to a login; each hook may stay unset.
struct LoginHooks {
    // Writes one line of the activity log (ROL, action); unset: nothing is logged.
    std::function<void(const QString& rol, const QString& action)> logAction;
    // The administrator's first login into an empty database: offers the import of last
    // year's data. Returns true when the import ran and the program must end.
    std::function<bool()> importAtFirstLogin;
};

enum class LoginOutcome {
    Refused,    // no record matched name and password: nothing to tell the user
    LoggedIn,   // CurrentUser() holds the user
    EndProgram, // the import at the first login ran: the program ends
};

class Login {
public:
    explicit Login(std::filesystem::path dataFolder, LoginHooks hooks = {});

    // The login of "Start". The current user becomes (cleaned name, password, rank
    // NECUNOSCUT) and then takes the rank and LEGIT of the matching record. A users file
    // that does not exist yet is created with the administrator's record, the user is told
    // its credentials ("PRIMA PORNIRE") and logged in with them. A users file that cannot
    // be read or made is reported and refuses the login.
    LoginOutcome logIn(const QString& typedName, const QString& typedPassword);
    // "Iesire": nobody is logged in any more.
    static void logOut();

    // The name the last logIn looked up (ADMIN after a first start).
    const QString& lookedUpName() const { return name_; }
    // Whether the last logIn created the users file.
    bool firstStart() const { return firstStart_; }

    const LoginHooks& hooks() const { return hooks_; }
    void setHooks(LoginHooks hooks) { hooks_ = std::move(hooks); }

private:
    std::filesystem::path dataFolder_;
    LoginHooks hooks_;
    QString name_;
    bool firstStart_ = false;
};

// Creates the users file when it is missing and then tells the user the administrator's
// name and default password ("PRIMA PORNIRE"). True when it created it. Throws
// UsersFileError when the file cannot be made.
bool EnsureUsersFile(const std::filesystem::path& dataFolder);

// Tells the user that the users file could not be used (I/O error in `detail`).
void ReportUsersFileError(const QString& detail);

} // namespace lirma::core
