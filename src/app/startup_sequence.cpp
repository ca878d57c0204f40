#include "app/startup_sequence.h"

#include "documents/template_store.h"

#include "db/catalog.h"
#include "platform/base/dates.h"
#include "platform/base/edition.h"
#include "platform/registry/registry.h"
#include "platform/ui/interaction.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <array>

namespace lirma::app {

namespace {

QString fileNameOf(std::string_view table)
{
    return QString::fromStdString(db::Table(table).fileName);
}

QString textOf(const std::exception& e)
{
    return QString::fromUtf8(e.what());
}

// The counters the re-seeding sets, in its order.
const std::array<const db::SettingKey*, 10>& reseededKeys()
{
    static const std::array<const db::SettingKey*, 10> keys = {
        &db::keys::IDGOS, &db::keys::IDDAT,  &db::keys::IDRES, &db::keys::IDDEB,  &db::keys::IDCHIT,
        &db::keys::IDRC,  &db::keys::IDANUL, &db::keys::IDCOD, &db::keys::IDCONF, &db::keys::IDDETA};
    return keys;
}

} // namespace

QStringList StartupReport::guardedErrors() const
{
    QStringList errors;
    if (!maintenanceError.isEmpty())
        errors.push_back(maintenanceError);
    if (!reseedError.isEmpty())
        errors.push_back(reseedError);
    return errors;
}

QStringList StartupReport::problems() const
{
    QStringList all;
    if (!serverMissing.isEmpty())
        all.push_back(QStringLiteral("server folder %1 lacks %2").arg(serverFolder, serverMissing.join(u' ')));
    if (!datoriiPackError.isEmpty())
        all.push_back(datoriiPackError);
    all += settingsErrors;
    all += upgradeErrors;
    all += guardedErrors();
    return all;
}

QString StartupSequence::LoadingDataText() { return QStringLiteral("Incarcare date"); }
QString StartupSequence::LoadingText() { return QStringLiteral("Incarcare ..."); }
QString StartupSequence::ServerTitle() { return QStringLiteral("Conectare server"); }

QString StartupSequence::ServerMessage(const QString& path)
{
    return QStringLiteral("Baza de date ") + path + u'\r' + QStringLiteral("NU este accesibila sau este incompleta!") +
           u'\r' + QStringLiteral("Verificati conexiunea si baza si reporniti programul!");
}

StartupSequence::StartupSequence(Options options)
    : options_(std::move(options)), folders_(options_.folders), status_(LoadingDataText())
{
    if (!options_.today.isValid())
        options_.today = QDate::currentDate();
}

StartupSequence::~StartupSequence() = default;

storage::Database& StartupSequence::database()
{
    if (!db_)
        throw StartupError("the data folder is not open yet");
    return *db_;
}

db::Settings& StartupSequence::settings()
{
    if (!settings_)
        throw StartupError("the data folder is not open yet");
    return *settings_;
}

db::Counters& StartupSequence::counters()
{
    if (!counters_)
        throw StartupError("the data folder is not open yet");
    return *counters_;
}

void StartupSequence::step(int advance)
{
    if (progress_)
        progress_(status_, advance);
}

void StartupSequence::runSteps()
{
    fixRegionalFormats();
    step();
    prepareFolders();
    step();
    chooseDataFolder();
    openData();
    step();
    checkMaintenanceDay();
    step();
    if (loadAdmin_)
        loadAdmin_(*this);
    step();
    createTables();
    step();
    packDatorii();
    step();
    stampAndUpgrade();
    step();
    recordVersionInRegistry();
    step();
    fillVillages();
    step();
    removeOrphans();
    step();
    extractMissingTemplates();
    step();
}

void StartupSequence::runGuarded()
{
    status_ = LoadingText();
    step();
    // Separately guarded: a table that cannot be packed never keeps the counters stale.
    maintainTables();
    reseedCounters();
    step();
}

void StartupSequence::fixRegionalFormats()
{
    // "." for decimals and no group separators whatever the desktop says; dates are
    // always written through base::FormatDate ("dd.MM.yyyy").
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::OmitGroupSeparator);
    QLocale::setDefault(c);
}

void StartupSequence::prepareFolders()
{
    folders_.data = folders_.localData;
    if (!options_.workstation) {
        if (!QDir().mkpath(folders_.data))
            throw StartupError(QStringLiteral("cannot create the data folder %1").arg(folders_.data).toStdString());
        return;
    }
    for (const QString& folder : {folders_.localData, folders_.sqlWork, folders_.temp}) {
        if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir())
            throw StartupError(QStringLiteral("cannot create the folder %1").arg(folder).toStdString());
    }
}

void StartupSequence::chooseDataFolder()
{
    if (!options_.workstation)
        return;
    const QString server = registry::ReadRegistry(QStringLiteral("SERVER"));
    if (server.trimmed().isEmpty())
        return;
    report_.serverFolder = server;
    const QStringList missing = db::CheckServerFolder(server);
    if (missing.isEmpty()) {
        folders_.data = QDir::cleanPath(QFileInfo(server.trimmed()).absoluteFilePath());
        action(QStringLiteral("data folder %1 (server)").arg(folders_.data));
        return;
    }
    report_.serverMissing = missing;
    action(QStringLiteral("server folder %1 refused, it lacks %2").arg(server, missing.join(u' ')));
    ui::ShowMessage(ServerTitle(), ServerMessage(server), ui::BtnOk, ui::KindEroare);
}

void StartupSequence::openData()
{
    try {
        db_ = std::make_unique<storage::Database>(folders_.data.toStdString());
        if (options_.workstation)
            db_->registerFolder(folders_.temp.toStdString(), true);
    } catch (const std::exception& e) {
        throw StartupError(QStringLiteral("cannot open the data folder %1: %2").arg(folders_.data, textOf(e)).toStdString());
    }
    settings_ = std::make_unique<db::Settings>(db::Settings::inFolders(folders_.data, folders_.localData));
    counters_ = std::make_unique<db::Counters>(db::settingsPathIn(folders_.data));
}

void StartupSequence::checkMaintenanceDay()
{
    report_.today = QString::number(base::DayNumber(options_.today));
    report_.lastPack = settings_->read(db::keys::LASTPACK);
    // The first start of a calendar day, per data folder.
    report_.maintenanceDay = report_.today != report_.lastPack;
    action(report_.maintenanceDay
               ? QStringLiteral("maintenance day %1 (LASTPACK %2)").arg(report_.today, report_.lastPack.isEmpty() ? QStringLiteral("none") : report_.lastPack)
               : QStringLiteral("not a maintenance day (LASTPACK %1)").arg(report_.lastPack));
}

void StartupSequence::createTables()
{
    try {
        const db::CreateResult created = db::CreateMissingTables(*db_, {}, [this]() -> int64_t {
            const QString id = counters_->NextId(db::keys::IDCOD);
            const std::optional<int64_t> value = db::parseWhole(id);
            if (!value)
                throw db::CounterError("IDCOD is not a whole number: " + id.toStdString());
            return *value;
        });
        for (const std::string& name : created.created) {
            report_.created.push_back(QString::fromStdString(name));
            action(QStringLiteral("created %1").arg(QString::fromStdString(name)));
        }
        report_.codclRowsSeeded = created.codclRowsSeeded;
        if (created.codclRowsSeeded > 0)
            action(QStringLiteral("seeded %1 with %2 rows").arg(fileNameOf("CODCL"), QString::number(created.codclRowsSeeded)));
    } catch (const std::exception& e) {
        throw StartupError(QStringLiteral("cannot create the tables: %1").arg(textOf(e)).toStdString());
    }
}

void StartupSequence::packDatorii()
{
    if (!report_.maintenanceDay)
        return;
    const QString file = fileNameOf("Datorii");
    try {
        db_->packTable(db::Table("Datorii").sqlName());
    } catch (const std::exception& e) {
        // Held or damaged: skipped without LASTPACK, so that the next start tries again.
        report_.datoriiPackError = QStringLiteral("packing %1 failed: %2").arg(file, textOf(e));
        action(QStringLiteral("skipped packing %1: %2").arg(file, textOf(e)));
        return;
    }
    report_.datoriiPacked = true;
    action(QStringLiteral("packed %1").arg(file));
    if (settings_->write(db::keys::LASTPACK, report_.today)) {
        report_.lastPackWritten = true;
        action(QStringLiteral("set LASTPACK %1").arg(report_.today));
    } else {
        report_.settingsErrors.push_back(QStringLiteral("LASTPACK not stored: %1").arg(settings_->errorString()));
        action(report_.settingsErrors.back());
    }
}

void StartupSequence::stampAndUpgrade()
{
    const QString before = settings_->read(db::keys::VER23);
    if (settings_->StampVersion()) {
        const QString after = settings_->read(db::keys::VER23);
        if (after != before)
            action(QStringLiteral("stamped VER23 %1").arg(after));
    } else {
        report_.settingsErrors.push_back(QStringLiteral("VER23 not stored: %1").arg(settings_->errorString()));
        action(report_.settingsErrors.back());
    }

    try {
        report_.gospodarEmpty = db_->scalar("SELECT COUNT(*) FROM Gospodar").toInt() == 0;
    } catch (const std::exception& e) {
        throw StartupError(QStringLiteral("cannot read %1: %2").arg(fileNameOf("Gospodar"), textOf(e)).toStdString());
    }

    const db::UpgradeResult upgrade = db::UpgradeSchema(*db_);
    for (const std::string& column : upgrade.widened) {
        report_.widened.push_back(QString::fromStdString(column));
        action(QStringLiteral("widened %1").arg(QString::fromStdString(column)));
    }
    for (const auto& [column, error] : upgrade.failed) {
        report_.upgradeErrors.push_back(
            QStringLiteral("widening %1 failed: %2").arg(QString::fromStdString(column), QString::fromStdString(error)));
        action(report_.upgradeErrors.back());
    }
}

void StartupSequence::recordVersionInRegistry()
{
    if (!options_.workstation)
        return;
    // The stored text is the version, never the title: both values are rewritten at every
    // start, which keeps CALE right after the program folder moved.
    if (registry::ReadRegistry(QStringLiteral("VER")) != base::edition::AppTitle()) {
        registry::WriteRegistry(QStringLiteral("CALE"), folders_.program);
        registry::WriteRegistry(QStringLiteral("VER"), base::edition::VersionText());
    }
}

void StartupSequence::fillVillages()
{
    try {
        villages_ = db::VillageList(*db_);
    } catch (const std::exception& e) {
        throw StartupError(QStringLiteral("cannot read the villages: %1").arg(textOf(e)).toStdString());
    }
}

void StartupSequence::removeOrphans()
{
    // On a shared server folder other workstations may be adding villages right now.
    if (!report_.maintenanceDay || !folders_.isLocal())
        return;
    try {
        report_.orphans = db::RemoveOrphans(*db_, villages_);
    } catch (const std::exception& e) {
        throw StartupError(QStringLiteral("cannot remove the rows without a taxpayer: %1").arg(textOf(e)).toStdString());
    }
    report_.orphansChecked = !report_.orphans.skipped;
    if (report_.orphans.skipped) {
        action(QStringLiteral("orphan removal skipped: no village known"));
        return;
    }
    for (const auto& [table, count] : report_.orphans.deleted) {
        const QString file = fileNameOf(table);
        action(QStringLiteral("removed %1 orphan rows from %2").arg(QString::number(count), file));
        if (count > 0 && log_)
            log_(QString(), QStringLiteral("Sterse %1 randuri fara contribuabil din %2").arg(QString::number(count), file));
    }
}

void StartupSequence::extractMissingTemplates()
{
    const documents::EnsureResult result = documents::EnsureTemplates(folders_);
    for (const QString& written : result.written)
        action(QStringLiteral("Model extras: ") + written);
    if (!result.ok())
        throw StartupError((QStringLiteral("Modelele de documente nu au putut fi scrise: ") + result.failed.join(", ")).toStdString());
}

void StartupSequence::maintainTables()
{
    if (!report_.maintenanceDay)
        return;
    struct Pack {
        std::string_view table;
        int advance;
    };
    static constexpr Pack before[] = {{"DefZone", 2}, {"Gospodar", 5}, {"Pag1", 5}, {"Pag2", 5}, {"Pag4", 5},
                                      {"Pag5", 5},    {"Pag6", 5},     {"Pag7", 5}, {"Pag8", 5}};
    static constexpr Pack after[] = {{"SoldCalc", 5}, {"Chitante", 5}, {"UndelDat", 3}, {"UndelSold", 2},
                                     {"CodCL", 3},    {"ChitAnul", 2}, {"Confirm", 3}};
    QString current;
    try {
        auto pack = [&](const Pack& p) {
            current = fileNameOf(p.table);
            db_->packTable(db::Table(p.table).sqlName());
            report_.packed.push_back(current);
            action(QStringLiteral("packed %1").arg(current));
            step(p.advance);
        };
        for (const Pack& p : before)
            pack(p);
        try {
            db_->addIndex(db::Table("Datorii").sqlName(), "IDGOS");
            action(QStringLiteral("indexed %1 on IDGOS").arg(fileNameOf("Datorii")));
        } catch (const std::exception& e) {
            action(QStringLiteral("index IDGOS of %1 not added: %2").arg(fileNameOf("Datorii"), textOf(e)));
        }
        for (const Pack& p : after)
            pack(p);
    } catch (const std::exception& e) {
        report_.maintenanceError = QStringLiteral("packing %1 failed: %2").arg(current, textOf(e));
        action(report_.maintenanceError);
    }
}

void StartupSequence::reseedCounters()
{
    try {
        counters_->ReseedCounters(*db_);
    } catch (const std::exception& e) {
        report_.reseedError = QStringLiteral("re-seeding the counters failed: %1").arg(textOf(e));
        action(report_.reseedError);
        return;
    }
    report_.reseeded = true;
    for (const db::SettingKey* key : reseededKeys())
        action(QStringLiteral("counter %1 %2").arg(QString(key->key), counters_->PeekId(*key)));
}

} // namespace lirma::app
