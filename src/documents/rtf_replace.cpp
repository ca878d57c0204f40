#include "documents/rtf_replace.h"

#include "platform/codepage/cp1250.h"
#include "platform/office/lock_file.h"
#include "platform/ui/interaction.h"

#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <algorithm>

namespace lirma::documents {

namespace {

const QByteArray kPard = "\\pard";
const QByteArray kLineEnd = "\r\n";
const QByteArray kEmptyValue = "..........";

QByteArray toCp1250(const QString& text)
{
    const std::string bytes = codepage::cp1250FromUtf8(text.toStdString());
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

char upper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

QByteArray asciiUpper(QByteArray text)
{
    for (char& c : text)
        c = upper(c);
    return text;
}

// Position of `needle` in `hay` from `from` on, ASCII letters compared without regard to case; -1 if none.
qsizetype indexOfCi(const QByteArray& hay, const QByteArray& needle, qsizetype from)
{
    const qsizetype last = hay.size() - needle.size();
    for (qsizetype i = from; i <= last; ++i) {
        qsizetype k = 0;
        while (k < needle.size() && upper(hay[i + k]) == upper(needle[k]))
            ++k;
        if (k == needle.size())
            return i;
    }
    return -1;
}

// Spaces and control characters off both ends.
QByteArray trimmed(const QByteArray& line)
{
    qsizetype begin = 0;
    qsizetype end = line.size();
    while (begin < end && quint8(line[begin]) <= ' ')
        ++begin;
    while (end > begin && quint8(line[end - 1]) <= ' ')
        --end;
    return line.mid(begin, end - begin);
}

int braceBalance(const QByteArray& line) { return int(line.count('{') - line.count('}')); }

// Lines of a text ending in CR LF, LF or CR; a final line end does not start another line.
std::vector<QByteArray> splitLines(const QByteArray& bytes)
{
    std::vector<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.push_back(bytes.mid(start, i - start));
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines.push_back(bytes.mid(start));
    return lines;
}

int pardLine(const std::vector<QByteArray>& lines)
{
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].contains(kPard))
            return int(i);
    return -1;
}

bool writeFile(const QString& path, const QByteArray& bytes, QIODevice::OpenMode mode)
{
    QFile file(path);
    if (!file.open(mode))
        return false;
    return file.write(bytes) == bytes.size() && file.flush();
}

} // namespace

QByteArray TRTFReplace::EscapeValue(const QString& value)
{
    const QByteArray raw = toCp1250(value);
    QByteArray out;
    out.reserve(raw.size());
    for (const char c : raw) {
        switch (quint8(c)) {
        case '{': out += '('; break;
        case '}': out += ')'; break;
        case '\\': out += "\\\\"; break;
        case 0xAA: out += "\\'aa"; break;
        case 0xDE: out += "\\'de"; break;
        default: out += c;
        }
    }
    return out;
}

bool TRTFReplace::NewDestination(const QString& prefix)
{
    for (int n = 0; n < 100; ++n) {
        const QString path = prefix + QString::number(n) + QStringLiteral(".rtf");
        const QFileInfo info(path);
        if (!info.exists() && !info.isSymLink()) {
            dest_ = path;
            return true;
        }
        if (info.isFile() && !office::IsInUse(path) && QFile::remove(path)) {
            dest_ = path;
            return true;
        }
    }
    return false;
}

bool TRTFReplace::loadTemplate()
{
    loadedPath_.clear();
    lines_.clear();
    QFile file(sursa_);
    if (sursa_.isEmpty() || !QFileInfo(sursa_).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    lines_ = splitLines(file.readAll());
    loadedPath_ = sursa_;
    return true;
}

bool TRTFReplace::BeginDocument()
{
    ready_ = false;
    if (dest_.isEmpty() || office::IsInUse(dest_) || !loadTemplate())
        return false;
    const int pard = pardLine(lines_);
    if (pard < 0) {
        // Empty, or not a template this engine can fill: no half-made document stays behind.
        QFile::remove(dest_);
        return false;
    }
    QByteArray out;
    for (int i = 0; i < pard; ++i)
        out += lines_[size_t(i)] + kLineEnd;
    const QByteArray& line = lines_[size_t(pard)];
    const QByteArray head = trimmed(line.left(line.indexOf(kPard)));
    if (!head.isEmpty())
        out += head + kLineEnd;
    if (!writeFile(dest_, out, QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    ClearPairs();
    ready_ = true;
    return true;
}

void TRTFReplace::AddPair(const QString& key, const QString& value)
{
    keys_.push_back(toCp1250(key));
    values_.push_back(EscapeValue(value));
}

void TRTFReplace::ClearPairs()
{
    keys_.clear();
    values_.clear();
    cursor_ = -1;
}

bool TRTFReplace::fail()
{
    ready_ = false;
    ClearPairs();
    return false;
}

bool TRTFReplace::append(const QByteArray& bytes)
{
    if (!writeFile(dest_, bytes, QIODevice::WriteOnly | QIODevice::Append))
        return fail();
    return true;
}

QByteArray TRTFReplace::fillLine(QByteArray line)
{
    const int count = int(keys_.size());
    bool anyKey = false;
    for (int n = 0; n < count; ++n) {
        const QByteArray& key = keys_[size_t(n)];
        if (key.isEmpty())
            continue;
        qsizetype pos = indexOfCi(line, key, 0);
        if (pos < 0)
            continue;
        anyKey = true;
        // Inside a run of equal keys the cursor says which value this copy of the line shows.
        const int p = (cursor_ >= 0 && keys_[size_t(cursor_)] == key) ? cursor_ : n;
        while (pos >= 0) {
            const QByteArray matched = line.mid(pos, key.size());
            // A placeholder spelled in capitals (longer than 4) prints the value in capitals.
            QByteArray value = (matched.size() > 4 && matched == asciiUpper(matched))
                                   ? asciiUpper(values_[size_t(p)])
                                   : values_[size_t(p)];
            if (value.isEmpty())
                value = kEmptyValue;
            line.replace(pos, key.size(), value);
            pos = indexOfCi(line, key, pos + value.size());
        }
        int run = 1;
        while (p + run < count && keys_[size_t(p + run)] == keys_[size_t(p)])
            ++run;
        if (run > 1) {
            cursor_ = p + 1;
            n = std::max(n, p + run - 1); // never back: filling always ends
        } else if (cursor_ >= 0 && keys_[size_t(cursor_)] == keys_[size_t(p)]) {
            cursor_ = -1;
        }
    }
    if (!anyKey)
        cursor_ = -1;
    return line;
}

void TRTFReplace::emitLine(const QByteArray& line, QByteArray& out)
{
    out += fillLine(line) + kLineEnd;
    // A run of k equal keys writes the line k times; two runs on one line could go on for ever,
    // so no line is written more often than there are pairs.
    const int most = std::max(1, int(keys_.size()));
    for (int copies = 1; cursor_ >= 0 && copies < most; ++copies)
        out += fillLine(line) + kLineEnd;
    cursor_ = -1;
}

bool TRTFReplace::WriteBody()
{
    if (!ready_ || (loadedPath_ != sursa_ && !loadTemplate()))
        return fail();
    const int pard = pardLine(lines_);
    if (pard < 0)
        return fail();
    const int last = int(lines_.size()) - 1;
    int i = pard;
    QByteArray line = lines_[size_t(i)].mid(lines_[size_t(i)].indexOf(kPard));
    int depth = 1 + braceBalance(line);
    QByteArray out;
    while (i < last && depth != 0) {
        if (!line.isEmpty())
            emitLine(line, out);
        line = lines_[size_t(++i)];
        depth += braceBalance(line);
    }
    // The closing line loses the brace that ends the document group.
    line = trimmed(line);
    line.chop(1);
    if (!line.isEmpty())
        out += fillLine(line) + kLineEnd;
    cursor_ = -1;
    const bool ok = append(out);
    ClearPairs();
    return ok;
}

bool TRTFReplace::PageBreak()
{
    if (!ready_)
        return fail();
    const bool ok = append(" \\par \\page " + kLineEnd);
    ClearPairs();
    return ok;
}

bool TRTFReplace::EndDocument()
{
    if (!ready_)
        return fail();
    const bool ok = append("}" + kLineEnd);
    ClearPairs();
    return ok;
}

QByteArray TRTFReplace::replaceAll(const QByteArray& source) const
{
    QByteArray line = source;
    // Searched over a shadow in capitals in which text brought by a value is blanked out, so that
    // no key, the same or a later one, ever matches inside a value or across its edges.
    QByteArray shadow = asciiUpper(source);
    for (size_t n = 0; n < keys_.size(); ++n) {
        const QByteArray key = asciiUpper(keys_[n]);
        if (key.isEmpty())
            continue;
        const QByteArray& value = values_[n];
        qsizetype pos = shadow.indexOf(key, 0);
        while (pos >= 0) {
            line.replace(pos, key.size(), value);
            shadow.replace(pos, key.size(), QByteArray(value.size(), '\0'));
            pos = shadow.indexOf(key, pos + value.size());
        }
    }
    return line;
}

bool TRTFReplace::ReplaceFromMarker(const QString& marker)
{
    if (!ready_ || (loadedPath_ != sursa_ && !loadTemplate()))
        return fail();
    const QByteArray mark = toCp1250(marker);
    QByteArray out;
    size_t i = 0;
    while (i < lines_.size() && !lines_[i].contains(mark))
        out += lines_[i++] + kLineEnd;
    for (; i < lines_.size(); ++i)
        out += replaceAll(lines_[i]) + kLineEnd;
    const bool ok = writeFile(dest_, out, QIODevice::WriteOnly | QIODevice::Truncate);
    ClearPairs();
    return ok ? true : fail();
}

bool TRTFReplace::SaveAsPdf(const office::ConversionOptions& options)
{
    if (dest_.isEmpty() || !QFileInfo(dest_).isFile())
        return false;
    const office::ConversionResult result = office::ConvertToPdf({dest_}, options);
    if (!result.ok())
        return false;
    QFile::remove(dest_);
    dest_ = result.pdfs.first();
    return true;
}

void TRTFReplace::SaveAsPdfAsync(QObject* context, std::function<void(bool)> done,
                                 const office::ConversionOptions& options)
{
    if (dest_.isEmpty() || !QFileInfo(dest_).isFile()) {
        QTimer::singleShot(0, context, [done] { done(false); });
        return;
    }
    auto* conversion = new office::PdfConversion(context);
    const QString rtf = dest_;
    QObject::connect(conversion, &office::PdfConversion::finished, context,
                     [this, conversion, rtf, done](const office::ConversionResult& result) {
                         conversion->deleteLater();
                         const bool ok = result.ok();
                         if (ok) {
                             QFile::remove(rtf);
                             if (dest_ == rtf)
                                 dest_ = result.pdfs.first();
                         }
                         done(ok);
                     });
    conversion->start({rtf}, options);
}

bool TRTFReplace::OpenDocument()
{
    const QFileInfo info(dest_);
    if (dest_.isEmpty() || !info.isAbsolute() || !info.isFile())
        return false;
    return ui::interaction().openDocument(dest_);
}

} // namespace lirma::documents
