// The settings store: the shared settings file Lirma.set of the data folder and the
// one of the local data folder. Each access opens the file, reads or writes once
// and closes it; nothing is cached, so a value written by one workstation is seen
// by the next read of every other. Writes happen under the file's lock, into a
// temporary file that replaces the old one (platform/ini).
#pragma once

#include "db/setting_keys.h"
#include "platform/base/edition.h"
#include "platform/ini/ini.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace lirma::db {

// Lirma.set in a folder.
QString settingsPathIn(const QString& folder);

// A whole number written in decimal digits (sign and spaces around allowed), or
// nullopt: the text of a counter.
std::optional<int64_t> parseWhole(const QString& text);

class Settings {
public:
    // dataFile: Lirma.set of the data folder; localFile: Lirma.set of the local data
    // folder (the same path when the data folder is the local one).
    Settings(QString dataFile, QString localFile);
    static Settings inFolders(const QString& dataFolder, const QString& localDataFolder)
    {
        return Settings(settingsPathIn(dataFolder), settingsPathIn(localDataFolder));
    }

    // The value, "" when the file, the section or the key is absent.
    QString ReadSetting(const QString& section, const QString& key) const;
    // Writes the value, creating the file, section or key when missing; "" keeps the key
    // with an empty value. false when it could not be stored (errorString()).
    bool WriteSetting(const QString& section, const QString& key, const QString& value);
    // The same on the local data folder's file.
    bool WriteLocalSetting(const QString& section, const QString& key, const QString& value);

    // Through the catalogue of setting_keys.h. `qualifier` is the user's section (login
    // name) for per-user keys, the four digits of the year for year-bound keys
    // (ADMINBLOCAT), and unused otherwise.
    QString read(const SettingKey& k, const QString& qualifier = {}) const;
    bool write(const SettingKey& k, const QString& value, const QString& qualifier = {});
    // Whether a yes/no option is on, by the key's rule ("DA" only).
    bool isOn(const SettingKey& k, const QString& qualifier = {}) const;
    // The stored text (trimmed) when it is a number of the key's kind, else the key's
    // default: Number and Whole keys read this way ("abc" in COTACNPF gives "0.4").
    // Numbers are as base::Decimal::parse takes them ("." separator, no exponent).
    QString number(const SettingKey& k, const QString& qualifier = {}) const;
    // Stores the key's writtenWhenEmpty value when the stored value is empty (one
    // check-and-write under the lock). false when that write failed.
    bool initWhenEmpty(const SettingKey& k, const QString& qualifier = {});

    // Version stamp [CONST] VER23: written as versionNumber / 10000 with four decimals
    // ("1.0029") when versionNumber is greater than the stored value (default 1, also
    // for text that is no number) × 10000; the stamp only grows. false when the
    // needed write failed.
    bool StampVersion(int versionNumber = base::edition::VersionNumber);

    ini::IniFile& dataFile() { return data_; }
    ini::IniFile& localFile() { return local_; }
    QString errorString() const { return error_; }

private:
    ini::IniFile data_;
    ini::IniFile local_;
    QString error_;
};

} // namespace lirma::db
