// INI settings files shared with Windows workstations (Lirma.set, Local.set).
//
// Format as the Windows profile functions read it: "[section]" lines, then "key=value"
// lines; section and key names compared without regard to case; names and values
// trimmed of spaces and tabs; a value enclosed in a pair of matching quotes is read
// without them; lines starting with ';' and any other line are kept but ignored.
// On disk the text is Windows-1250 (in memory UTF-8/QString); a line we add ends in
// CRLF; every line we do not change is written back byte for byte.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace lirma::ini {

// A settings file held in memory, line by line as read, so that a change rewrites
// only the line it touches.
class IniDocument {
public:
    IniDocument() = default;
    static IniDocument fromBytes(const QByteArray& bytes);
    QByteArray toBytes() const;

    // The value of the first `key` in a section named `section`; nullopt when absent.
    std::optional<QString> find(const QString& section, const QString& key) const;
    QString value(const QString& section, const QString& key, const QString& defaultValue = {}) const
    {
        return find(section, key).value_or(defaultValue);
    }
    bool contains(const QString& section, const QString& key) const { return find(section, key).has_value(); }

    // Sets a value, adding the key (at the end of its section) or the section (at the
    // end of the file) when missing. An empty value keeps the key with an empty value.
    // Returns false, changing nothing, for names or values the format cannot hold:
    // an empty name, a line break anywhere, ']' in a section name, '=' in a key, or a
    // key starting with '[' or ';'. Characters outside Windows-1250 are stored as '?'.
    bool setValue(const QString& section, const QString& key, const QString& value);

    bool isModified() const { return modified_; }

private:
    struct Line {
        QByteArray text; // without the line end
        QByteArray eol;  // "\r\n", "\n" or "" (last line without one)
    };
    std::vector<Line> lines_;
    bool modified_ = false;
};

// One settings file on disk. Each call opens, reads or writes, and closes the file:
// nothing is cached, so a value written by another workstation is seen at once.
class IniFile {
public:
    explicit IniFile(QString path);

    const QString& path() const { return path_; }

    // One read. A missing or unreadable file, or a missing key, gives defaultValue.
    QString value(const QString& section, const QString& key, const QString& defaultValue = {}) const;

    // The whole file as it is now; an empty document when the file is missing.
    // ok (when given) is false when the file exists but cannot be read.
    IniDocument read(bool* ok = nullptr) const;

    // One write: update() with a single setValue().
    bool setValue(const QString& section, const QString& key, const QString& value);

    // Read-modify-write under the file's lock (IniLock): reads the file afresh, lets
    // change() edit it and, when change() returns true and something changed, writes it
    // to a temporary file that replaces the old one atomically, then reads it back and
    // compares. Returns false when the lock, the read, the write or the check fails
    // (errorString() says why; the file is then as it was) or when change() returned
    // false (nothing written). An exception from change() passes through, nothing written.
    bool update(const std::function<bool(IniDocument&)>& change);

    // Why the last failing call failed.
    QString errorString() const { return error_; }

private:
    bool writeVerified(const QByteArray& bytes);

    QString path_;
    mutable QString error_;
};

// The exclusive lock for read-modify-write cycles on a settings file: an
// open-file-description lock on a lock file beside it (path + ".lock"). It excludes
// other processes and other IniLock objects of this process alike, and is released
// when the object is destroyed or its process dies. Not re-entrant: a thread that
// holds it must not acquire it again through another object.
class IniLock {
public:
    explicit IniLock(const QString& settingsPath);
    ~IniLock();
    IniLock(const IniLock&) = delete;
    IniLock& operator=(const IniLock&) = delete;

    bool acquire();    // waits for the lock; false when the lock file cannot be opened
    bool tryAcquire(); // false at once when another holder has it
    void release();
    bool isHeld() const { return held_; }
    QString errorString() const { return error_; }

    static QString lockPathFor(const QString& settingsPath) { return settingsPath + QStringLiteral(".lock"); }

private:
    bool lock(bool wait);

    QString lockPath_;
    int fd_ = -1;
    bool held_ = false;
    QString error_;
};

} // namespace lirma::ini
