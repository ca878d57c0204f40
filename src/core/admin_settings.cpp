#include "core/admin_settings.h"

#include "core/admin_texts.h"
#include "db/catalog.h"
#include "platform/base/edition.h"
#include "platform/ui/interaction.h"

#include <QDir>
#include <QFile>
#include <QSet>

#include <map>
#include <stdexcept>

namespace lirma::core {

namespace {

namespace keys = db::keys;
using base::Decimal;
using storage::Params;
using storage::StorageError;

QString yearQualifier()
{
    return QString::number(base::edition::FiscalYear);
}

QString text(const storage::Value& v)
{
    return QString::fromStdString(v.toText());
}

// The shortest decimal text of a number; nullopt for text that is no number.
std::optional<QString> decimalText(const QString& value)
{
    const auto d = Decimal::parse(QStringView(value));
    if (!d)
        return std::nullopt;
    return d->toQString();
}

// The legal intervals of the building-tax rates, in the order they are checked.
struct Interval {
    const char* name;
    const char* low;
    const char* high;
};
constexpr Interval kIntervals[] = {
    {admin_names::CotaCRPF, "0.08", "0.2"},
    {admin_names::CotaCNPF, "0.2", "1.3"},
    {admin_names::CotaCRPJ, "0.08", "0.2"},
    {admin_names::CotaCNPJ, "0.2", "1.3"},
};

const Decimal kMaximumIncrease = Decimal(50);

// Ini.dbf in a folder, found without regard to case; "" when absent.
QString findIniIn(const QString& folder)
{
    const QString wanted = QString::fromStdString(db::Table("Ini.dbf").fileName).toLower();
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files))
        if (name.toLower() == wanted)
            return dir.filePath(name);
    return {};
}

} // namespace

QHash<QString, QString> ReadIniValues(storage::Database& db, const QString& table)
{
    QHash<QString, QString> values;
    const std::string sql = "SELECT FORMA, NUME, VALOARE FROM " + table.toStdString() +
                            " WHERE FORMA IN (?, ?, ?) ORDER BY FORMA, NUME";
    const storage::ResultSet rs = db.query(sql, {kIniOwners[0], kIniOwners[1], kIniOwners[2]});
    // FORM4 < FR12 < FRCOMB: the later owner overrides the earlier one.
    for (const auto& row : rs.rows) {
        const QString name = text(row[1]).trimmed();
        if (!name.isEmpty())
            values.insert(name.toUpper(), text(row[2]));
    }
    return values;
}

AdminSettings::AdminSettings(AdminValues& values, storage::Database& db, db::Settings& settings)
    : values_(values), db_(db), settings_(settings)
{
}

QString AdminSettings::iniTable() const
{
    return QString::fromStdString(db::Table("Ini.dbf").sqlName());
}

void AdminSettings::CreateIniTable()
{
    const db::TableDef& def = db::Table("Ini.dbf");
    if (db_.tableExists(def.sqlName()))
        db_.dropTable(def.sqlName());
    db_.createTable(def.fileName, def.fields);
    const std::string sql = "INSERT INTO " + def.sqlName() + " (FORMA, NUME, VALOARE) VALUES (?, ?, ?)";
    storage::Transaction t(db_);
    for (const QString& name : values_.names()) {
        if (!values_.input(name)->inIni())
            continue;
        db_.exec(sql, {kIniOwners[0], name.toStdString(), values_.text(name).toStdString()});
    }
    t.commit();
}

void AdminSettings::Load(const QString& userName)
{
    problems_.clear();
    values_.resetToDesign();
    values_.lockAll();
    try {
        loadIni();
    } catch (const std::exception& e) {
        problems_.push_back(QStringLiteral("Ini.dbf: ") + QString::fromUtf8(e.what()));
    }
    loadSettings(userName);
    values_.markLoaded();
}

void AdminSettings::loadIni()
{
    const QString table = iniTable();
    const bool present = db_.tableExists(table.toStdString());
    if (!present || db_.scalar("SELECT COUNT(*) FROM " + table.toStdString()).toInt() == 0) {
        // A new database: the file holds the design values from now on.
        CreateIniTable();
        return;
    }
    const QHash<QString, QString> rows = ReadIniValues(db_, table);
    for (auto it = rows.cbegin(); it != rows.cend(); ++it) {
        const AdminInput* in = values_.input(it.key());
        if (in && in->inIni())
            values_.setText(in->name, it.value());
    }
}

void AdminSettings::loadSettings(const QString& userName)
{
    auto keep = [this](bool ok) {
        if (!ok)
            problems_.push_back(settings_.errorString());
    };
    keep(settings_.initWhenEmpty(keys::FARAMAJORARI));
    faraMajorari_ = settings_.isOn(keys::FARAMAJORARI);
    keep(settings_.initWhenEmpty(keys::ADMINBLOCAT, yearQualifier()));
    yearLocked_ = settings_.isOn(keys::ADMINBLOCAT, yearQualifier());

    for (const QString& name : values_.names()) {
        const AdminInput* in = values_.input(name);
        if (!in->setting || in->kind != InputKind::Number)
            continue;
        if (in->setting->kind == db::SettingKind::Whole) {
            // A whole number, or the value the field already holds.
            if (const auto whole = db::parseWhole(settings_.read(*in->setting)))
                values_.setText(name, QString::number(*whole));
        } else {
            values_.setText(name, decimalText(settings_.number(*in->setting)).value_or(in->design));
        }
    }

    if (values_.numberOrZero(QString::fromLatin1(admin_names::RataInfE)) > Decimal() &&
        settings_.read(keys::RATAINFPF).isEmpty())
        keep(settings_.write(keys::RATAINFPF, QStringLiteral("DA")));

    for (const QString& name : values_.names()) {
        const AdminInput* in = values_.input(name);
        if (in->kind != InputKind::Check || !in->setting)
            continue;
        const bool on = in->setting->perUser() ? (!userName.isEmpty() && settings_.isOn(*in->setting, userName))
                                               : settings_.isOn(*in->setting);
        values_.setChecked(name, on);
    }
}

bool AdminSettings::checkBeforeSave(const SaveHooks& hooks)
{
    auto showBuildings = [&] {
        if (hooks.showPage)
            hooks.showPage(AdminPage::Buildings);
    };
    for (const Interval& i : kIntervals) {
        const QString name = QString::fromLatin1(i.name);
        const Decimal value = values_.numberOrZero(name);
        if (value >= *Decimal::parse(i.low) && value <= *Decimal::parse(i.high))
            continue;
        showBuildings();
        if (!ui::AskYes(admintext::RatesTitle(),
                        admintext::RateOutsideText(name, QString::fromLatin1(i.low), QString::fromLatin1(i.high)),
                        ui::KindAtentie))
            return false;
    }

    const QString years = QString::fromLatin1(admin_names::EvalPJAni);
    const int64_t wholeYears = values_.numberOrZero(years).trunc();
    values_.setText(years, QString::number(wholeYears));
    if (wholeYears < 1) {
        showBuildings();
        ui::ShowProblem(admintext::WrongYears(), values_.widget(years));
        return false;
    }

    for (const char* n : {admin_names::RataInfE, admin_names::MajHCL}) {
        const QString name = QString::fromLatin1(n);
        values_.setText(name, values_.numberOrZero(name).toQString());
    }
    const QString increase = QString::fromLatin1(admin_names::MajHCL);
    if (values_.numberOrZero(increase) > kMaximumIncrease) {
        showBuildings();
        ui::ShowProblem(admintext::MaximumIncrease(), values_.widget(increase));
        return false;
    }
    return true;
}

AdminSettings::SaveOutcome AdminSettings::Save(const QString& userName, const SaveHooks& hooks)
{
    if (!checkBeforeSave(hooks))
        return SaveOutcome::Stopped;
    // The other numbers kept in the settings file are stored as decimal text too.
    for (const QString& name : values_.names()) {
        const AdminInput* in = values_.input(name);
        if (in->setting && in->kind == InputKind::Number)
            values_.setText(name, values_.numberOrZero(name).toQString());
    }

    ui::Progress& progress = ui::interaction().progress();
    progress.setText(admintext::SavingProgress());
    progress.setMaximum(10);
    progress.Begin();
    progress.setPosition(6);

    QString failure;
    try {
        writeIni();
    } catch (const std::exception& e) {
        failure = QString::fromUtf8(e.what());
    }
    if (failure.isEmpty())
        failure = writeSettings(userName).join(QLatin1Char('\r'));
    if (!failure.isEmpty()) {
        progress.End();
        ui::ShowMessage(admintext::SavingProgress(), admintext::SaveFailedText(failure), ui::BtnOk, ui::KindEroare);
        return SaveOutcome::Failed;
    }
    logLevelChanges(hooks.log);
    progress.setPosition(10);
    progress.End();
    return SaveOutcome::Saved;
}

void AdminSettings::writeIni()
{
    const QString table = iniTable();
    if (!db_.tableExists(table.toStdString()))
        CreateIniTable();
    const std::string t = table.toStdString();

    // The names as each owner's rows spell them, so that an update finds its rows by equality
    // whatever the case they were written in.
    std::map<QString, std::map<QString, QStringList>> spelled; // owner -> upper name -> names
    const storage::ResultSet rs =
        db_.query("SELECT FORMA, NUME FROM " + t + " WHERE FORMA IN (?, ?, ?)", {kIniOwners[0], kIniOwners[1], kIniOwners[2]});
    for (const auto& row : rs.rows) {
        const QString name = text(row[1]);
        QStringList& list = spelled[text(row[0])][name.trimmed().toUpper()];
        if (!list.contains(name))
            list.push_back(name);
    }

    const std::string update = "UPDATE " + t + " SET VALOARE = ? WHERE FORMA = ? AND NUME = ?";
    const std::string insert = "INSERT INTO " + t + " (FORMA, NUME, VALOARE) VALUES (?, ?, ?)";
    storage::Transaction tx(db_);
    for (const QString& name : values_.names()) {
        if (!values_.input(name)->inIni())
            continue;
        const std::string value = values_.text(name).toStdString();
        const QString key = name.toUpper();
        for (const char* owner : kIniOwners)
            for (const QString& stored : spelled[QString::fromLatin1(owner)][key])
                db_.exec(update, {value, owner, stored.toStdString()});
        // A file of an older edition may lack the row: it is added so the value is kept.
        if (spelled[QString::fromLatin1(kIniOwners[0])][key].isEmpty())
            db_.exec(insert, {kIniOwners[0], name.toStdString(), value});
    }
    tx.commit();
}

QStringList AdminSettings::writeSettings(const QString& userName)
{
    QStringList failures;
    for (const QString& name : values_.names()) {
        const AdminInput* in = values_.input(name);
        if (!in->setting)
            continue;
        if (in->setting->perUser() && userName.isEmpty())
            continue;
        const QString value = values_.text(name); // check boxes give "DA"/"NU"
        const bool ok = in->setting->perUser() ? settings_.write(*in->setting, value, userName)
                                               : settings_.write(*in->setting, value);
        if (!ok) {
            failures.push_back(settings_.errorString());
            break;
        }
    }
    return failures;
}

void AdminSettings::logLevelChanges(const LogFn& log)
{
    for (const QString& name : values_.names()) {
        const QString now = values_.text(name);
        const QString before = values_.loadedText(name);
        if (values_.input(name)->importable() && now != before && log)
            log(QString(), admintext::LevelChangedAction(name, before, now));
    }
    values_.markLoaded();
}

bool AdminSettings::AllowInflationCheck(const QString& name)
{
    if (values_.numberOrZero(QString::fromLatin1(admin_names::RataInfE)) != Decimal())
        return true;
    ui::ShowProblem(admintext::InflationFirst(), values_.widget(name));
    values_.setChecked(name, false);
    return false;
}

int AdminSettings::ImportLevels(const QString& sourceFolder, const QString& workFolder)
{
    const QString source = findIniIn(sourceFolder);
    if (source.isEmpty())
        throw std::runtime_error("no Ini.dbf in " + sourceFolder.toStdString());
    QDir().mkpath(workFolder);
    const QString copy = QDir(workFolder).filePath(QString::fromStdString(db::Table("Ini.dbf").fileName));
    QFile::remove(copy);
    if (!QFile::copy(source, copy))
        throw StorageError("cannot copy " + source.toStdString() + " to " + workFolder.toStdString());

    QHash<QString, QString> rows;
    {
        storage::Database other(workFolder.toStdString());
        rows = ReadIniValues(other, iniTable());
    }
    QFile::remove(copy);

    int taken = 0;
    for (const QString& name : values_.names()) {
        const AdminInput* in = values_.input(name);
        if (!in->importable())
            continue;
        const auto it = rows.constFind(name.toUpper());
        if (it == rows.cend() || !Decimal::parse(QStringView(*it)))
            continue;
        values_.setText(name, it->trimmed());
        ++taken;
    }
    return taken;
}

int AdminSettings::ImportLevelsChosen(const QString& startFolder, const QString& workFolder)
{
    const QString folder = ui::interaction().chooseFolder(admintext::ImportChooseCaption(), startFolder);
    if (folder.isEmpty())
        return -1;
    if (findIniIn(folder).isEmpty()) {
        ui::ShowMessage(admintext::ImportTitle(), admintext::ImportMissingText(folder), ui::BtnOk, ui::KindEroare);
        return -1;
    }
    try {
        const int taken = ImportLevels(folder, workFolder);
        ui::ShowMessage(admintext::ImportTitle(), admintext::ImportDoneText(taken, folder), ui::BtnOk,
                        ui::KindInformatie);
        return taken;
    } catch (const std::exception& e) {
        ui::ShowMessage(admintext::ImportTitle(), admintext::ImportFailedText(QString::fromUtf8(e.what())), ui::BtnOk,
                        ui::KindEroare);
        return -1;
    }
}

bool AdminSettings::UnlockPage(AdminPage page)
{
    if (values_.isPageUnlocked(page))
        return true;
    if (!ui::AskYes(admintext::UnlockTitle(), admintext::UnlockQuestion(), ui::KindAtentie))
        return false;
    values_.setPageUnlocked(page, true);
    return true;
}

} // namespace lirma::core
