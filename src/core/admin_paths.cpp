#include "core/admin_paths.h"

#include "core/admin_texts.h"
#include "db/data_folder.h"
#include "platform/ui/interaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace lirma::core {

namespace {

namespace keys = db::keys;
using namespace ui;

const QString kServer = QStringLiteral("SERVER");
const QString kBackups = QStringLiteral("CALESALVARI");

QString labelOf(const QString& path)
{
    return path.isEmpty() ? admintext::NoPath() : path;
}

// The folder dialog starts at the current path when it exists.
QString startOf(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir() ? path : QString();
}

QString withoutTrailingSeparator(QString folder)
{
    while (folder.size() > 1 && (folder.endsWith(u'\\') || folder.endsWith(u'/')))
        folder.chop(1);
    return folder;
}

bool containsFile(const QString& folder, const QString& file)
{
    const QString wanted = file.toLower();
    for (const QString& name : QDir(folder).entryList(QDir::Files))
        if (name.toLower() == wanted)
            return true;
    return false;
}

bool canWriteIn(const QString& folder)
{
    QFile probe(QDir(folder).filePath(QStringLiteral("test.txt")));
    if (!probe.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const bool written = probe.write("test") == 4;
    probe.close();
    return probe.remove() && written;
}

} // namespace

AdminPaths::AdminPaths(db::Settings& settings, base::Folders folders, registry::Registry registry)
    : settings_(settings), folders_(std::move(folders)), registry_(registry)
{
}

QString AdminPaths::server() const { return registry_.read(kServer); }
QString AdminPaths::backups() const { return registry_.read(kBackups); }
QString AdminPaths::agriculturalRegister() const { return settings_.read(keys::CALERA2020); }
QString AdminPaths::serverLabel() const { return labelOf(server()); }
QString AdminPaths::backupsLabel() const { return labelOf(backups()); }
QString AdminPaths::agriculturalRegisterLabel() const { return labelOf(agriculturalRegister()); }

bool AdminPaths::writeRegistry(const QString& name, const QString& value, const QString& title)
{
    if (registry_.write(name, value))
        return true;
    ShowMessage(title, admintext::PathNotStoredText(name), BtnOk, KindEroare);
    return false;
}

AdminPaths::Outcome AdminPaths::ChooseServer()
{
    QString folder = interaction().chooseFolder(admintext::ServerFolderCaption(), startOf(server()));
    if (folder.isEmpty())
        return Outcome::Nothing;
    folder = withoutTrailingSeparator(folder);
    if (!db::CheckServerFolder(folder).isEmpty()) {
        ShowMessage(admintext::ServerErrorTitle(), admintext::ServerErrorText(folder), BtnOk, KindEroare);
        return Outcome::Nothing;
    }
    if (!writeRegistry(kServer, folder, admintext::ServerErrorTitle()))
        return Outcome::Nothing;
    ShowMessage(admintext::ServerConnectedTitle(), admintext::ServerConnectedText(), BtnOk, KindInformatie);
    return Outcome::EndProgram;
}

AdminPaths::Outcome AdminPaths::ServerOff(QWidget* anchor)
{
    // Whatever the label shows, a stored value is what the next start would use.
    if (server().isEmpty()) {
        ShowProblem(admintext::NothingToClear(), anchor);
        return Outcome::Nothing;
    }
    if (!AskYes(admintext::ServerOffTitle(), admintext::ServerOffQuestion()))
        return Outcome::Nothing;
    if (!writeRegistry(kServer, QString(), admintext::ServerOffTitle()))
        return Outcome::Nothing;
    ShowMessage(admintext::ServerOffDoneTitle(), admintext::ServerOffDoneText(), BtnOk, KindInformatie);
    return Outcome::EndProgram;
}

AdminPaths::Outcome AdminPaths::ChooseBackups()
{
    if (!folders_.isLocal()) {
        ShowMessage(admintext::AutoBackupTitle(), admintext::OnlyServerBackups(), BtnOk, KindEroare);
        return Outcome::Nothing;
    }
    const QString folder = interaction().chooseFolder(admintext::BackupFolderCaption(), startOf(backups()));
    if (folder.isEmpty())
        return Outcome::Nothing;
    if (!canWriteIn(folder)) {
        ShowMessage(admintext::BackupWriteTitle(), admintext::BackupWriteError(folder), BtnOk, KindEroare);
        return Outcome::Nothing;
    }
    if (!writeRegistry(kBackups, folder, admintext::BackupWriteTitle()))
        return Outcome::Nothing;
    ShowMessage(admintext::BackupSetTitle(), admintext::BackupSetText(folder), BtnOk, KindInformatie);
    return Outcome::Changed;
}

AdminPaths::Outcome AdminPaths::BackupsOff(QWidget* anchor)
{
    if (backups().isEmpty()) {
        ShowProblem(admintext::NothingToClear(), anchor);
        return Outcome::Nothing;
    }
    if (!AskYes(admintext::BackupOffTitle(), admintext::BackupOffQuestion()))
        return Outcome::Nothing;
    if (!writeRegistry(kBackups, QString(), admintext::BackupOffTitle()))
        return Outcome::Nothing;
    ShowMessage(admintext::AutoBackupTitle(), admintext::BackupOffDone(), BtnOk, KindInformatie);
    return Outcome::Changed;
}

AdminPaths::Outcome AdminPaths::ChooseAgriculturalRegister()
{
    const QString folder = interaction().chooseFolder(admintext::RaFolderCaption(), startOf(agriculturalRegister()));
    if (folder.isEmpty())
        return Outcome::Nothing;
    if (!containsFile(folder, admintext::RaMarkerFile())) {
        ShowMessage(admintext::RaErrorTitle(), admintext::RaErrorText(), BtnOk, KindEroare);
        return Outcome::Nothing;
    }
    if (!settings_.write(keys::CALERA2020, folder)) {
        ShowMessage(admintext::RaErrorTitle(), admintext::PathNotStoredText(settings_.errorString()), BtnOk,
                    KindEroare);
        return Outcome::Nothing;
    }
    return Outcome::Changed;
}

AdminPaths::Outcome AdminPaths::AgriculturalRegisterOff(QWidget* anchor)
{
    if (agriculturalRegister().isEmpty()) {
        ShowProblem(admintext::NothingToClear(), anchor);
        return Outcome::Nothing;
    }
    if (!AskYes(admintext::RaOffTitle(), admintext::RaOffQuestion()))
        return Outcome::Nothing;
    if (!settings_.write(keys::CALERA2020, QString())) {
        ShowMessage(admintext::RaOffTitle(), admintext::PathNotStoredText(settings_.errorString()), BtnOk, KindEroare);
        return Outcome::Nothing;
    }
    ShowMessage(admintext::RaOffDoneTitle(), admintext::RaOffDoneText(), BtnOk, KindInformatie);
    return Outcome::Changed;
}

} // namespace lirma::core
