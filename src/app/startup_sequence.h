// The start-up sequence: everything the program does with its folders and its data
// before the main window appears. No widgets here: TForm1 shows its progress, and
// `lirma-cli init` runs the data steps of it without any window.
#pragma once

#include "db/counters.h"
#include "db/data_folder.h"
#include "db/settings.h"
#include "platform/base/files.h"
#include "platform/storage/storage.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <stdexcept>

namespace lirma::app {

// A failure of the steps before the guarded maintenance: the program cannot go on.
class StartupError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What the start-up did, for the command line and for the windows that follow.
struct StartupReport {
    // One line per thing done or skipped, plain text, in order.
    QStringList actions;

    QString serverFolder;           // the SERVER value, when one was set
    QStringList serverMissing;      // its missing tables when it was refused
    bool maintenanceDay = false;
    QString today;                  // day number as text
    QString lastPack;               // LASTPACK as found

    QStringList created;            // tables created, in order
    int codclRowsSeeded = 0;
    bool datoriiPacked = false;
    QString datoriiPackError;       // the daily pack that was skipped
    bool lastPackWritten = false;
    bool gospodarEmpty = false;     // no taxpayer yet (the login offers last year's import)
    QStringList widened;            // "RegCasa.PLATIT", ...
    QStringList settingsErrors;     // writes of Lirma.set that did not happen
    QStringList upgradeErrors;      // widenings that failed (tried again next start)
    bool orphansChecked = false;
    db::OrphanRemoval orphans;

    QStringList packed;             // tables of the guarded maintenance
    QString maintenanceError;       // the guarded maintenance stopped here
    bool reseeded = false;
    QString reseedError;

    // Failures of the guarded steps, reported once the main window has closed.
    QStringList guardedErrors() const;
    // Every failure that was worked around (the command line exits 1 on any).
    QStringList problems() const;
};

class StartupSequence {
public:
    struct Options {
        base::Folders folders;   // `data` is the local data folder on entry
        QDate today;             // an invalid date means the current date
        // A workstation start: creates the work folders, reads SERVER and writes VER/CALE
        // in the per-workstation store, tells the user about a refused server folder.
        // Off for the command line, which works on the data folder alone.
        bool workstation = true;
    };

    // Called after every step with the status text and how much the progress bar advances.
    using ProgressFn = std::function<void(const QString& status, int advance)>;
    // The activity log (LogAction): ROL text, action text.
    using LogFn = std::function<void(const QString& rol, const QString& action)>;

    // The status texts of the start-up window.
    static QString LoadingDataText(); // "Incarcare date"
    static QString LoadingText();     // "Incarcare ..."
    // The message of a refused server folder.
    static QString ServerTitle();     // "Conectare server"
    static QString ServerMessage(const QString& path);

    explicit StartupSequence(Options options);
    ~StartupSequence();
    StartupSequence(const StartupSequence&) = delete;
    StartupSequence& operator=(const StartupSequence&) = delete;

    void setProgress(ProgressFn fn) { progress_ = std::move(fn); }
    void setLogAction(LogFn fn) { log_ = std::move(fn); }
    // Loads the administrator values into the administrator window (step 5); set by the
    // program once that window exists.
    void setLoadAdministratorSettings(std::function<void(StartupSequence&)> fn) { loadAdmin_ = std::move(fn); }

    // Steps 1-13. Throws StartupError on a failure that must end the program.
    void runSteps();
    // Step 14: the maintenance of a maintenance day and the re-seeding of the counters,
    // each guarded on its own: a failure is kept in the report, never thrown.
    void runGuarded();
    // Both, in order.
    void run()
    {
        runSteps();
        runGuarded();
    }

    // Available once runSteps() has passed the step that makes them.
    const base::Folders& folders() const { return folders_; }
    storage::Database& database();
    db::Settings& settings();
    db::Counters& counters();
    bool hasDatabase() const { return db_ != nullptr; }
    // The village list of the taxpayer register, " * indiferent *" first.
    const QStringList& villages() const { return villages_; }
    bool maintenanceDay() const { return report_.maintenanceDay; }
    bool gospodarEmpty() const { return report_.gospodarEmpty; }
    const StartupReport& report() const { return report_; }

private:
    void step(int advance = 0);
    void action(const QString& line) { report_.actions.push_back(line); }
    void fixRegionalFormats();
    void prepareFolders();
    void chooseDataFolder();
    void openData();
    void checkMaintenanceDay();
    void createTables();
    void packDatorii();
    void stampAndUpgrade();
    void recordVersionInRegistry();
    void fillVillages();
    void removeOrphans();
    // The document templates are extracted here once they are embedded in the program.
    void extractMissingTemplates();
    void maintainTables();
    void reseedCounters();

    Options options_;
    base::Folders folders_;
    std::unique_ptr<storage::Database> db_;
    std::unique_ptr<db::Settings> settings_;
    std::unique_ptr<db::Counters> counters_;
    QStringList villages_;
    QString status_;
    StartupReport report_;
    ProgressFn progress_;
    LogFn log_;
    std::function<void(StartupSequence&)> loadAdmin_;
};

} // namespace lirma::app
