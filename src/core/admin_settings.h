// Load, save and checks of the administrator values: Ini.dbf (one row FORM4, component name,
// text per input), the shared settings file (check boxes and the building-tax numbers) and the
// legal levels, which the administrator may import from another data folder or unlock.
#pragma once

#include "core/admin_values.h"
#include "db/settings.h"
#include "platform/storage/storage.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>

namespace lirma::core {

// Owners of Ini.dbf rows that load reads, in the order they override one another.
inline constexpr const char* kIniOwners[] = {"FORM4", "FR12", "FRCOMB"};

class AdminSettings {
public:
    using LogFn = std::function<void(const QString& rol, const QString& action)>;

    AdminSettings(AdminValues& values, storage::Database& db, db::Settings& settings);

    // Every value from Ini.dbf and the settings file, over the design values; the level pages
    // locked again. A missing or empty Ini.dbf is created with the design values first.
    // userName: the section of the per-user options ("" before login: they read off).
    // Never throws: what could not be read or written is kept in problems().
    void Load(const QString& userName);
    const QStringList& problems() const { return problems_; }

    // Deletes Ini.dbf when present and creates it with one row (FORM4, name, text) per text,
    // numeric and list input, in component order. Throws storage::StorageError.
    void CreateIniTable();

    enum class SaveOutcome {
        Saved,   // every value stored: the window closes
        Stopped, // a check stopped it: nothing was written
        Failed,  // a write failed: the user was told
    };
    struct SaveHooks {
        std::function<void(AdminPage)> showPage; // brings a page forward before a question or balloon
        LogFn log;                               // the activity log
    };
    // "Salveaza si inchide": the checks in order, then the settings file and Ini.dbf.
    SaveOutcome Save(const QString& userName, const SaveHooks& hooks);

    // Checking an inflation box while the total inflation rate is 0: the balloon, and the box is
    // cleared again. true when the box may stay checked.
    bool AllowInflationCheck(const QString& name);

    // Sets every importable input (AdminInput::importable) from the Ini.dbf of another data folder
    // (FORM4, FR12 and FRCOMB rows, as load reads them); inputs it lacks or holds no number for keep
    // their value. The file is copied into workFolder and read there, so the other folder is never
    // written. Returns the number of values taken. Throws storage::StorageError when it cannot
    // be read; std::runtime_error when the folder has no Ini.dbf.
    int ImportLevels(const QString& sourceFolder, const QString& workFolder);
    // The same after the folder choice, telling the user the outcome. -1 when cancelled or failed.
    int ImportLevelsChosen(const QString& startFolder, const QString& workFolder);

    // Unlocks the level inputs of a page after the confirmation question; true when unlocked.
    bool UnlockPage(AdminPage page);

    // Options found at the last load.
    bool yearLocked() const { return yearLocked_; }     // [SERVER] ADMINBLOCAT + year is "DA"
    bool faraMajorari() const { return faraMajorari_; } // [SERVER] FARAMAJORARI is "DA"

    AdminValues& values() { return values_; }

private:
    void loadIni();
    void loadSettings(const QString& userName);
    bool checkBeforeSave(const SaveHooks& hooks);
    void writeIni();
    QStringList writeSettings(const QString& userName);
    void logLevelChanges(const LogFn& log);
    QString iniTable() const;

    AdminValues& values_;
    storage::Database& db_;
    db::Settings& settings_;
    QStringList problems_;
    bool yearLocked_ = false;
    bool faraMajorari_ = false;
};

// Reads the rows of one Ini.dbf (FORM4, FR12, FRCOMB) into name -> value, later owners overriding
// earlier ones. Keys upper-cased.
QHash<QString, QString> ReadIniValues(storage::Database& db, const QString& table);

} // namespace lirma::core
