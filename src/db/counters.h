// Identifier counters and document number series, kept as decimal text in the shared
// settings file Lirma.set so that every workstation of a data folder draws from them.
// A draw holds the file's exclusive lock (ini::IniLock) from reading the value to
// verifying the written successor: no value is handed out twice, across processes too.
#pragma once

#include "db/setting_keys.h"
#include "platform/ini/ini.h"

#include <QString>

#include <cstdint>
#include <stdexcept>

namespace lirma::storage {
class Database;
}

namespace lirma::db {

// A draw that could not be made or stored. The operation that asked for the value
// must stop before inserting anything.
class CounterError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Counters {
public:
    // settingsFile: Lirma.set of the data folder.
    explicit Counters(QString settingsFile);

    // Returns the counter's value (absent or empty is "1") and stores the value plus
    // one. Throws CounterError when the value is not a whole number or the successor
    // cannot be stored and read back (read-only file, full disk): nothing is handed out.
    // Draw identifiers of new rows inside the storage Transaction that inserts them,
    // so that the start-up re-seeding never sees a drawn identifier not yet stored.
    QString NextId(const QString& section, const QString& key);
    QString NextId(const SettingKey& k, const QString& user = {}) { return NextId(sectionOf(k, user), QString(k.key)); }

    // Draws `count` (at least 1) consecutive values at once: returns the first and stores the
    // first plus count, with NextId's lock, checks and errors. For runs that insert many rows in
    // one transaction, where a draw per row would rewrite the file for every row.
    QString NextIds(const QString& section, const QString& key, int64_t count);
    QString NextIds(const SettingKey& k, int64_t count, const QString& user = {})
    {
        return NextIds(sectionOf(k, user), QString(k.key), count);
    }

    // The value the next draw will return (absent or empty is "1"), unchanged.
    QString PeekId(const QString& section, const QString& key) const;
    QString PeekId(const SettingKey& k, const QString& user = {}) const { return PeekId(sectionOf(k, user), QString(k.key)); }

    // Stores the next value. false when it is not a whole number or cannot be stored.
    bool SetCounter(const QString& section, const QString& key, const QString& value);
    bool SetCounter(const SettingKey& k, const QString& value, const QString& user = {})
    {
        return SetCounter(sectionOf(k, user), QString(k.key), value);
    }

    // Sets the ten re-seeded counters (IDGOS ... IDDETA) to 1 + the largest identifier
    // still stored: of the main table and of the tables that keep copies of its
    // identifiers (IDDAT: Datorii, UndelDat; IDRES: SoldCalc, UndelSold; IDDEB: Debit,
    // UndelDebit; IDCHIT: Chitante, ChitAnul; IDANUL: Chitante and the three snapshot
    // tables). A missing table counts as empty; an empty database gives "1". Runs in a
    // storage Transaction (no other workstation inserts meanwhile) and under the
    // settings file's lock, and writes all ten at once. Throws storage::StorageError or
    // CounterError; then no counter changed.
    void ReseedCounters(storage::Database& db);

    const QString& path() const { return file_.path(); }
    QString errorString() const { return error_; }

private:
    static QString sectionOf(const SettingKey& k, const QString& user) { return k.perUser() ? user : QString(k.section); }

    ini::IniFile file_;
    QString error_;
};

} // namespace lirma::db
