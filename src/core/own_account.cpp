#include "core/own_account.h"

#include "core/current_user.h"
#include "core/login.h"
#include "core/users_file.h"
#include "platform/base/text.h"
#include "platform/ui/interaction.h"

#include <stdexcept>

namespace lirma::core {

namespace {
const QString kTitle = QStringLiteral("Schimbare cont");
} // namespace

QString CheckNewPassword(const QString& password, const QString& verify)
{
    if (password.isEmpty() || password != verify)
        return QStringLiteral("Parola nesetata sau nu este identica in cele doua casute!");
    return {};
}

bool SaveOwnAccount(const std::filesystem::path& dataFolder, const QString& newPassword,
                    const QString& legit)
{
    using namespace lirma::ui;
    const CurrentUserInfo user = CurrentUser();
    const QString cleanLegit = base::CleanSpaces(legit);
    UsersChange change = UsersChange::NotFound;
    try {
        EnsureUsersFile(dataFolder);
        change = UsersFile(dataFolder).changeOwnAccount(user.name.toStdString(),
                                                        user.password.toStdString(),
                                                        newPassword.toStdString(),
                                                        cleanLegit.toStdString());
    } catch (const UsersFileError& e) {
        ReportUsersFileError(QString::fromUtf8(e.what()));
        return false;
    } catch (const std::invalid_argument&) {
        change = UsersChange::NotFound; // longer than a record holds: nothing written
    }
    if (change != UsersChange::Done) {
        ShowMessage(kTitle, QStringLiteral("Modificarile nu pot fi memorate!"), BtnOk, KindEroare);
        return false;
    }
    CurrentUserInfo updated = user;
    updated.password = newPassword;
    updated.legit = cleanLegit;
    SetCurrentUser(updated);
    ShowMessage(kTitle, QStringLiteral("Modificarile au fost memorate cu succes!"), BtnOk,
                KindInformatie);
    return true;
}

} // namespace lirma::core
