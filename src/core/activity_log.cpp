#include "core/activity_log.h"

#include "db/catalog.h"
#include "platform/base/dates.h"
#include "platform/base/edition.h"
#include "platform/ui/interaction.h"

#include <QFile>
#include <QStringList>

#include <exception>

namespace lirma::core {

namespace logtext {
QString WindowCaption() { return QStringLiteral("Istoric actiuni"); }
QString TitleLine() { return QStringLiteral("Istoricul operatiunilor efectuate"); }
QString CloseButton() { return QStringLiteral("&Renunt"); }
QString DateTimeBand() { return QStringLiteral("Data si ora"); }
QString MenuCaption() { return QStringLiteral("Istoric modificari"); }
QString SourceCaption(LogSource source)
{
    return source == LogSource::General ? QStringLiteral("General") : QStringLiteral("De pe acest calculator");
}
QStringList ColumnTitles()
{
    return {QStringLiteral("Data"), QStringLiteral("Ora"), QStringLiteral("Nume operator"), QStringLiteral("ROL"),
            QStringLiteral("Actiune")};
}
QString NotLoggedWarning()
{
    return QStringLiteral("\rActiunea a fost efectuata, dar nu a putut fi inregistrata in istoric!");
}
QString ReadError() { return QStringLiteral("\rIstoricul nu poate fi citit!"); }
}  // namespace logtext

namespace {

const db::TableDef& logTable() { return db::Table("Log.dbf"); }

std::filesystem::path toPath(const QString& path) { return std::filesystem::path(QFile::encodeName(path).toStdString()); }

QString fromPath(const std::filesystem::path& path) { return QFile::decodeName(path.c_str()); }

QString join(const QString& folder, const QString& name)
{
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

QDateTime systemClock() { return QDateTime::currentDateTime(); }

}  // namespace

ActivityLog::ActivityLog(storage::Database& data, base::Folders folders, UserName userName, Clock clock)
    : data_(data), folders_(std::move(folders)), userName_(std::move(userName)),
      clock_(clock ? std::move(clock) : Clock(systemClock))
{
}

ActivityLog::~ActivityLog() = default;

QString ActivityLog::logPath(LogSource source) const
{
    const QString folder = source == LogSource::General ? fromPath(data_.dataFolder()) : folders_.program;
    return join(folder, QString::fromStdString(logTable().fileName));
}

template <class F>
auto ActivityLog::withDatabase(LogSource source, F&& f)
{
    if (source == LogSource::General) return f(data_);
    // Opened afresh each time: the workstation's copy is written seldom, and a file deleted or
    // replaced by hand since the last write is then simply seen as it is now.
    storage::Database own(toPath(folders_.program));
    return f(own);
}

void ActivityLog::write(storage::Database& db, LogSource source, const storage::Params& row)
{
    const db::TableDef& table = logTable();
    // True when this call made the table; false when it was there (or another workstation made it
    // a moment earlier: that counts as created).
    auto create = [&]() -> bool {
        try {
            db.createTable(table.fileName, table.fields);
            return true;
        } catch (const storage::StorageError&) {
            if (!db.tableExists(table.sqlName())) throw;
            return false;
        }
    };
    if (!db.tableExists(table.sqlName())) {
        beforeCreate(source);
        create();
    }
    const std::string insert =
        "INSERT INTO " + table.sqlName() + " (DATAA, ORA, UTILIZATOR, ROL, ACTIUNE) VALUES (?, ?, ?, ?, ?)";
    try {
        db.exec(insert, row);
    } catch (const storage::StorageError&) {
        // The file may have been deleted since this process last saw it (the workstation's copy
        // by hand, say): made again, it takes the row. Any other failure stands.
        if (!create()) throw;
        db.exec(insert, row);
    }
}

bool ActivityLog::LogAction(const QString& rol, const QString& action) noexcept
{
    QStringList failures;
    try {
        // One instant for both rows, so that date and time agree even at midnight.
        const QDateTime now = clock_();
        const QString user = userName_ ? userName_() : QString();
        const storage::Params row = {base::FormatIsoDate(now.date()).toStdString(),
                                     now.time().toString(QLatin1String(kLogTimeFormat)).toStdString(),
                                     user.toStdString(), rol.toStdString(), action.toStdString()};
        for (LogSource source : {LogSource::General, LogSource::ThisComputer}) {
            try {
                withDatabase(source, [&](storage::Database& db) { write(db, source, row); });
            } catch (const std::exception& e) {
                failures << logPath(source) + QStringLiteral(": ") + QString::fromUtf8(e.what());
            } catch (...) {
                failures << logPath(source);
            }
        }
    } catch (const std::exception& e) {
        failures << QString::fromUtf8(e.what());
    } catch (...) {
        failures << QString();
    }
    if (failures.isEmpty()) return true;
    try {
        QString text = logtext::NotLoggedWarning();
        for (const QString& f : failures)
            if (!f.isEmpty()) text += u'\r' + f;
        ui::ShowMessage(logtext::WindowCaption(), text, ui::BtnOk, ui::KindAtentie);
    } catch (...) {
        // Nobody to tell: the action stays done all the same.
    }
    return false;
}

std::vector<LogEntry> ActivityLog::Read(LogSource source)
{
    return withDatabase(source, [&](storage::Database& db) { return read(db); });
}

std::vector<LogEntry> ActivityLog::read(storage::Database& db)
{
    const db::TableDef& table = logTable();
    std::vector<LogEntry> out;
    if (!db.tableExists(table.sqlName())) return out;
    // No ORDER BY: a scan gives the rows in file order, which is the order of writing.
    const storage::ResultSet rs = db.query("SELECT DATAA, ORA, UTILIZATOR, ROL, ACTIUNE FROM " + table.sqlName());
    out.reserve(rs.size());
    for (const auto& r : rs.rows) {
        LogEntry e;
        e.date = base::ParseIsoDate(QString::fromStdString(r[0].toText()));
        e.time = QString::fromStdString(r[1].toText());
        e.user = QString::fromStdString(r[2].toText());
        e.rol = QString::fromStdString(r[3].toText());
        e.action = QString::fromStdString(r[4].toText());
        out.push_back(std::move(e));
    }
    return out;
}

// ---- TraceFile ----------------------------------------------------------------------

TraceFile::TraceFile(const base::Folders& folders, bool on, ActivityLog::Clock clock)
    : path_(join(folders.program, FileName())), on_(on), clock_(clock ? std::move(clock) : ActivityLog::Clock(systemClock))
{
}

QString TraceFile::FileName()
{
    return QStringLiteral("Lirma") + QString::number(base::edition::FiscalYear) + QStringLiteral("Log.txt");
}

void TraceFile::Reset()
{
    if (!on_) return;
    QFile file(path_);
    (void)file.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

void TraceFile::TraceLine(const QString& text)
{
    if (!on_) return;
    QFile file(path_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) return;
    const QString line = clock_().time().toString(QLatin1String(kLogTimeFormat)) + QStringLiteral(" : ") + text + u'\n';
    file.write(line.toUtf8());
}

}  // namespace lirma::core
