#include "core/login.h"

#include "platform/base/text.h"
#include "platform/ui/interaction.h"

namespace lirma::core {

namespace {

const QString kFirstStartTitle = QStringLiteral("PRIMA PORNIRE");
const QString kUsersFileErrorTitle = QStringLiteral("Utilizatori");
// Logged at every successful login, with an empty ROL.
const QString kStartAction = QStringLiteral("Pornire program.");

QString firstStartText()
{
    return QStringLiteral("\rNumele: %1\rParola: %2\r"
                          "Parola se poate schimba din \"Utilitare > Contul meu\".")
        .arg(QString::fromUtf8(kAdminName.data(), qsizetype(kAdminName.size())),
             QString::fromUtf8(kDefaultAdminPassword.data(),
                               qsizetype(kDefaultAdminPassword.size())));
}

std::string utf8(const QString& s)
{
    return s.toStdString();
}

} // namespace

QString CleanUserName(QStringView typed)
{
    return base::CleanSpaces(typed).toUpper();
}

bool EnsureUsersFile(const std::filesystem::path& dataFolder)
{
    UsersFile file(dataFolder);
    if (!file.createIfMissing())
        return false;
    ui::ShowMessage(kFirstStartTitle, firstStartText(), ui::BtnOk, ui::KindInformatie);
    return true;
}

void ReportUsersFileError(const QString& detail)
{
    ui::ShowMessage(kUsersFileErrorTitle,
                    QStringLiteral("\rFisierul utilizatorilor nu poate fi folosit!\r") + detail,
                    ui::BtnOk, ui::KindEroare);
}

Login::Login(std::filesystem::path dataFolder, LoginHooks hooks)
    : dataFolder_(std::move(dataFolder)), hooks_(std::move(hooks))
{
}

LoginOutcome Login::logIn(const QString& typedName, const QString& typedPassword)
{
    name_ = CleanUserName(typedName);
    QString password = typedPassword;
    firstStart_ = false;
    SetCurrentUser({name_, password, Rank::Unknown, {}});

    UsersFile::LoginResult found;
    try {
        firstStart_ = EnsureUsersFile(dataFolder_);
        if (firstStart_) {
            // The new file's only user logs in, whatever was typed.
            name_ = QString::fromUtf8(kAdminName.data(), qsizetype(kAdminName.size()));
            password = QString::fromUtf8(kDefaultAdminPassword.data(),
                                         qsizetype(kDefaultAdminPassword.size()));
            SetCurrentUser({name_, password, Rank::Unknown, {}});
        }
        found = UsersFile(dataFolder_).lookup(utf8(name_), utf8(password));
    } catch (const UsersFileError& e) {
        ReportUsersFileError(QString::fromUtf8(e.what()));
        return LoginOutcome::Refused;
    }
    if (!found.ok())
        return LoginOutcome::Refused;
    SetCurrentUser({name_, password, found.rank, QString::fromStdString(found.legit)});

    if (found.rank == Rank::Admin && hooks_.importAtFirstLogin && hooks_.importAtFirstLogin())
        return LoginOutcome::EndProgram;

    if (hooks_.logAction)
        hooks_.logAction(QString(), kStartAction);
    return LoginOutcome::LoggedIn;
}

void Login::logOut()
{
    ClearCurrentUser();
}

} // namespace lirma::core
