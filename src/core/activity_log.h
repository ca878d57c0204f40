// The activity log: one row per operation that changes money or documents, written twice, in the
// data folder (shared by every workstation of the database) and in the program folder (this
// workstation only). Both are Log.dbf with the catalog's layout, created on their first write.
#pragma once

#include "platform/base/files.h"
#include "platform/storage/storage.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace lirma::core {

// Which of the two logs.
enum class LogSource {
    General,      // the data folder's log: every workstation
    ThisComputer, // the program folder's log: this workstation only
};

// One row of a log.
struct LogEntry {
    QDate date;      // DATAA
    QString time;    // ORA, "HH:mm:ss"
    QString user;    // UTILIZATOR
    QString rol;     // ROL
    QString action;  // ACTIUNE
};

// The log's texts, each defined here once.
namespace logtext {
QString WindowCaption();    // "Istoric actiuni"
QString TitleLine();        // "Istoricul operatiunilor efectuate"
QString CloseButton();      // "&Renunt"
QString DateTimeBand();     // "Data si ora"
QString MenuCaption();      // "Istoric modificari"
QString SourceCaption(LogSource source); // "General", "De pe acest calculator"
// Column titles of the viewer, in column order: "Data", "Ora", "Nume operator", "ROL", "Actiune".
QStringList ColumnTitles();
QString NotLoggedWarning(); // the warning of a write that failed, before its details
QString ReadError();        // the error of a log that cannot be read, before its details
}  // namespace logtext

// Time of day as the log writes it.
inline constexpr const char kLogTimeFormat[] = "HH:mm:ss";

class ActivityLog {
public:
    // The name typed in the login field of the main window, read at every write.
    using UserName = std::function<QString()>;
    using Clock = std::function<QDateTime()>;

    // `data` is the database of the data folder (its log is the general one); the workstation's
    // log is opened in folders.program when it is written or read. Without a clock the system time is used.
    ActivityLog(storage::Database& data, base::Folders folders, UserName userName, Clock clock = {});
    virtual ~ActivityLog();
    ActivityLog(const ActivityLog&) = delete;
    ActivityLog& operator=(const ActivityLog&) = delete;

    // Appends one row (today, the time, the user, rol, action) to each log, creating a missing one.
    // Never throws: the operation that calls it is already done. When a row cannot be written the
    // other is still tried, one warning tells the user the action was done but not logged, and the
    // result is false. Inside an open transaction of `data` the general row belongs to it.
    // Texts longer than their column (ROL 9, ACTIUNE 120, UTILIZATOR 20) are cut to its width.
    bool LogAction(const QString& rol, const QString& action) noexcept;

    // Rows of one log in the order they were written; none when it was never written.
    // Throws storage::StorageError when it cannot be read.
    std::vector<LogEntry> Read(LogSource source);

    // Where each log lives (the file need not exist yet).
    QString logPath(LogSource source) const;

protected:
    // Called just before a missing log is created; tests create it from another workstation there.
    virtual void beforeCreate(LogSource source) {}

private:
    // Runs f on the database of one log.
    template <class F>
    auto withDatabase(LogSource source, F&& f);
    void write(storage::Database& db, LogSource source, const storage::Params& row);
    static std::vector<LogEntry> read(storage::Database& db);

    storage::Database& data_;
    base::Folders folders_;
    UserName userName_;
    Clock clock_;
};

// The plain-text trace (program folder + "Lirma" + fiscal year + "Log.txt"), one line per event:
// "HH:mm:ss : " + text. Switched off in this edition: while off, neither call touches the file.
class TraceFile {
public:
    static constexpr bool kOnInThisEdition = false;

    explicit TraceFile(const base::Folders& folders, bool on = kOnInThisEdition,
                       ActivityLog::Clock clock = {});

    static QString FileName(); // "Lirma2024Log.txt"
    QString path() const { return path_; }
    bool isOn() const { return on_; }

    // Empties the file. Failures are ignored: the trace never stops an operation.
    void Reset();
    void TraceLine(const QString& text);

private:
    QString path_;
    bool on_;
    ActivityLog::Clock clock_;
};

}  // namespace lirma::core
