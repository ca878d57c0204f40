#include "platform/ini/ini.h"

#include "platform/ini/cp1250.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lirma::ini {
namespace {

// Messages of this store, in one place.
QString msgCannotLock(const QString& path, const QString& why)
{
    return QStringLiteral("Fisierul de setari %1 nu poate fi blocat: %2").arg(path, why);
}
QString msgCannotRead(const QString& path, const QString& why)
{
    return QStringLiteral("Fisierul de setari %1 nu poate fi citit: %2").arg(path, why);
}
QString msgReadOnly(const QString& path)
{
    return QStringLiteral("Fisierul de setari %1 este doar pentru citire").arg(path);
}
QString msgCannotWrite(const QString& path, const QString& why)
{
    return QStringLiteral("Fisierul de setari %1 nu poate fi scris: %2").arg(path, why);
}
QString msgNotVerified(const QString& path)
{
    return QStringLiteral("Fisierul de setari %1 nu contine ce s-a scris in el").arg(path);
}
QString msgBadEntry(const QString& section, const QString& key)
{
    return QStringLiteral("Setarea [%1] %2 nu poate fi scrisa in fisier").arg(section, key);
}

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

// Windows trims spaces and tabs only; a no-break space is part of the value.
QString trimBlanks(const QString& s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return s.mid(b, e - b);
}

bool isQuote(QChar c) { return c == u'"' || c == u'\''; }

QString unquote(const QString& v)
{
    if (v.size() >= 2 && isQuote(v.front()) && v.back() == v.front())
        return v.mid(1, v.size() - 2);
    return v;
}

// Quotes a value that would not read back as written: surrounding blanks would be
// trimmed, and surrounding quotes stripped.
QString quoteIfNeeded(const QString& v)
{
    if (v.isEmpty())
        return v;
    if (isBlank(v.front()) || isBlank(v.back()) || (v.size() >= 2 && isQuote(v.front()) && v.back() == v.front()))
        return u'"' + v + u'"';
    return v;
}

// A name as it will compare once stored: comma-below letters become cedilla ones.
QString storedForm(const QString& name) { return decodeCp1250(encodeCp1250(trimBlanks(name))); }

bool sameName(const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) == 0; }

bool hasLineBreak(const QString& s) { return s.contains(u'\n') || s.contains(u'\r'); }

struct Parsed {
    enum Kind { Other, Section, Key } kind = Other;
    QString name;  // section or key name
    QString value; // key lines only
};

Parsed parseLine(const QByteArray& raw)
{
    const QString s = trimBlanks(decodeCp1250(raw));
    Parsed p;
    if (s.startsWith(u'[')) {
        const qsizetype close = s.indexOf(u']');
        p.kind = Parsed::Section;
        p.name = trimBlanks(s.mid(1, close < 0 ? -1 : close - 1));
        return p;
    }
    if (s.startsWith(u';'))
        return p;
    const qsizetype eq = s.indexOf(u'=');
    if (eq <= 0)
        return p;
    p.kind = Parsed::Key;
    p.name = trimBlanks(s.left(eq));
    p.value = unquote(trimBlanks(s.mid(eq + 1)));
    return p;
}

} // namespace

// --- IniDocument ---------------------------------------------------------------------

IniDocument IniDocument::fromBytes(const QByteArray& bytes)
{
    IniDocument doc;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype nl = bytes.indexOf('\n', start);
        Line line;
        if (nl < 0) {
            line.text = bytes.mid(start);
            start = bytes.size();
        } else {
            qsizetype end = nl;
            if (end > start && bytes[end - 1] == '\r')
                --end;
            line.text = bytes.mid(start, end - start);
            line.eol = bytes.mid(end, nl + 1 - end);
            start = nl + 1;
        }
        doc.lines_.push_back(std::move(line));
    }
    return doc;
}

QByteArray IniDocument::toBytes() const
{
    QByteArray out;
    for (const Line& l : lines_)
        out += l.text + l.eol;
    return out;
}

std::optional<QString> IniDocument::find(const QString& section, const QString& key) const
{
    const QString sec = storedForm(section);
    const QString k = storedForm(key);
    bool inSection = false;
    for (const Line& l : lines_) {
        const Parsed p = parseLine(l.text);
        if (p.kind == Parsed::Section)
            inSection = sameName(p.name, sec);
        else if (inSection && p.kind == Parsed::Key && sameName(p.name, k))
            return p.value;
    }
    return std::nullopt;
}

bool IniDocument::setValue(const QString& section, const QString& key, const QString& value)
{
    const QString sec = storedForm(section);
    const QString k = storedForm(key);
    if (sec.isEmpty() || k.isEmpty() || hasLineBreak(sec) || hasLineBreak(k) || hasLineBreak(value)
        || sec.contains(u']') || k.contains(u'=') || k.startsWith(u'[') || k.startsWith(u';'))
        return false;

    const QByteArray encodedValue = encodeCp1250(quoteIfNeeded(value));
    if (find(sec, k) == decodeCp1250(encodeCp1250(value)))
        return true; // already so: leave the file untouched

    // A missing key goes after the last key of the first section of that name.
    bool inSection = false;
    bool inFirst = false;
    std::optional<size_t> sectionEnd;
    for (size_t i = 0; i < lines_.size(); ++i) {
        const Parsed p = parseLine(lines_[i].text);
        if (p.kind == Parsed::Section) {
            inSection = sameName(p.name, sec);
            inFirst = inSection && !sectionEnd;
            if (inFirst)
                sectionEnd = i + 1;
        } else if (inSection && p.kind == Parsed::Key) {
            if (sameName(p.name, k)) {
                // Keep the key as spelled in the file.
                lines_[i].text = encodeCp1250(p.name) + '=' + encodedValue;
                modified_ = true;
                return true;
            }
            if (inFirst)
                sectionEnd = i + 1;
        }
    }

    std::vector<Line> added;
    if (!sectionEnd) {
        sectionEnd = lines_.size();
        added.push_back({'[' + encodeCp1250(sec) + ']', "\r\n"});
    }
    added.push_back({encodeCp1250(k) + '=' + encodedValue, "\r\n"});
    // The line before the insertion point must end, or the new line would join it.
    if (*sectionEnd > 0 && lines_[*sectionEnd - 1].eol.isEmpty())
        lines_[*sectionEnd - 1].eol = "\r\n";
    lines_.insert(lines_.begin() + qsizetype(*sectionEnd), added.begin(), added.end());
    modified_ = true;
    return true;
}

// --- IniFile -------------------------------------------------------------------------

IniFile::IniFile(QString path) : path_(std::move(path)) {}

IniDocument IniFile::read(bool* ok) const
{
    if (ok)
        *ok = true;
    QFile f(path_);
    if (!f.exists())
        return {};
    if (!f.open(QIODevice::ReadOnly)) {
        error_ = msgCannotRead(path_, f.errorString());
        if (ok)
            *ok = false;
        return {};
    }
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        error_ = msgCannotRead(path_, f.errorString());
        if (ok)
            *ok = false;
        return {};
    }
    return IniDocument::fromBytes(bytes);
}

QString IniFile::value(const QString& section, const QString& key, const QString& defaultValue) const
{
    // No lock: writers replace the file atomically, so a read sees the old or the new one.
    return read().value(section, key, defaultValue);
}

bool IniFile::setValue(const QString& section, const QString& key, const QString& value)
{
    bool accepted = true;
    const bool ok = update([&](IniDocument& doc) {
        accepted = doc.setValue(section, key, value);
        return accepted;
    });
    if (!accepted)
        error_ = msgBadEntry(section, key);
    return ok;
}

bool IniFile::update(const std::function<bool(IniDocument&)>& change)
{
    IniLock lock(path_);
    if (!lock.acquire()) {
        error_ = lock.errorString();
        return false;
    }
    bool readOk = true;
    IniDocument doc = read(&readOk);
    if (!readOk)
        return false;
    if (!change(doc))
        return false;
    if (!doc.isModified())
        return true;
    return writeVerified(doc.toBytes());
}

bool IniFile::writeVerified(const QByteArray& bytes)
{
    // A read-only settings file must refuse the write even for root, who could
    // otherwise replace it: the read-only mark is the administrator's decision.
    const QByteArray native = QFile::encodeName(path_);
    struct stat st {};
    const bool existed = ::stat(native.constData(), &st) == 0;
    if (existed && ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(native.constData(), W_OK) != 0)) {
        error_ = msgReadOnly(path_);
        return false;
    }

    QSaveFile out(path_);
    if (!out.open(QIODevice::WriteOnly)) {
        error_ = msgCannotWrite(path_, out.errorString());
        return false;
    }
    if (out.write(bytes) != bytes.size()) {
        error_ = msgCannotWrite(path_, out.errorString());
        out.cancelWriting();
        return false;
    }
    if (!out.commit()) {
        error_ = msgCannotWrite(path_, out.errorString());
        return false;
    }
    QFile check(path_);
    if (!check.open(QIODevice::ReadOnly) || check.readAll() != bytes) {
        error_ = msgNotVerified(path_);
        return false;
    }
    return true;
}

// --- IniLock -------------------------------------------------------------------------

IniLock::IniLock(const QString& settingsPath) : lockPath_(lockPathFor(settingsPath)) {}

IniLock::~IniLock()
{
    release();
}

bool IniLock::acquire()
{
    return lock(true);
}

bool IniLock::tryAcquire()
{
    return lock(false);
}

bool IniLock::lock(bool wait)
{
    if (held_)
        return true;
    if (fd_ < 0) {
        const QByteArray native = QFile::encodeName(lockPath_);
        fd_ = ::open(native.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0)
            ::fchmod(fd_, 0666); // every user of a shared folder must be able to take it
        else if (errno == EEXIST)
            fd_ = ::open(native.constData(), O_RDWR | O_CLOEXEC);
        if (fd_ < 0) {
            error_ = msgCannotLock(lockPath_, QString::fromLocal8Bit(std::strerror(errno)));
            return false;
        }
    }
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET; // l_start = l_len = 0: the whole file
    int rc;
    do {
        rc = ::fcntl(fd_, wait ? F_OFD_SETLKW : F_OFD_SETLK, &fl);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        error_ = msgCannotLock(lockPath_, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    held_ = true;
    return true;
}

void IniLock::release()
{
    if (fd_ >= 0)
        ::close(fd_); // closing the last descriptor drops the lock
    fd_ = -1;
    held_ = false;
}

} // namespace lirma::ini
