// Re-reading workbooks through LibreOffice: many files converted in one call (each call costs seconds),
// every sheet of each to CSV, with the values as LibreOffice shows them. Also PDF and PNG rendering for
// the screens of the documentation. A process uses one LibreOffice profile folder of its own.
#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

#include <map>
#include <memory>
#include <vector>

namespace lirma::test {

// One sheet as LibreOffice exported it. Rows and columns count from 1.
struct CsvTable {
    std::vector<std::vector<QString>> rows;

    int rowCount() const { return int(rows.size()); }
    QString cell(int row, int column) const
    {
        if (row < 1 || row > rowCount() || column < 1 || column > int(rows[size_t(row - 1)].size()))
            return {};
        return rows[size_t(row - 1)][size_t(column - 1)];
    }
    // The first row holding a cell equal to `text`; 0 when none.
    int findRow(const QString& text) const
    {
        for (size_t r = 0; r < rows.size(); ++r)
            for (const QString& c : rows[r])
                if (c == text)
                    return int(r) + 1;
        return 0;
    }
    // Whether any cell contains `text`.
    bool contains(const QString& text) const
    {
        for (const auto& row : rows)
            for (const QString& c : row)
                if (c.contains(text))
                    return true;
        return false;
    }
    // Cells that still hold a template marker: a whole cell "#NAME", "%NRCRT" or a bracketed "[KEY]"
    // (error values such as "#REF!" are not markers).
    QStringList markers() const
    {
        QStringList out;
        static const QRegularExpression marker(QStringLiteral("(^#[A-Za-z][A-Za-z0-9_]*$|%NRCRT|\\[[A-Za-z0-9]+\\])"));
        for (const auto& row : rows)
            for (const QString& c : row)
                if (marker.match(c.trimmed()).hasMatch())
                    out << c;
        return out;
    }
};

// Sheet name -> its table; empty when LibreOffice could not read the file.
using SheetTables = std::map<QString, CsvTable>;

inline std::vector<std::vector<QString>> ParseCsv(const QString& text)
{
    std::vector<std::vector<QString>> rows;
    std::vector<QString> row;
    QString field;
    bool quoted = false;
    bool any = false;
    for (int i = 0; i < text.size(); ++i) {
        QChar c = text[i];
        any = true;
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            row.push_back(field);
            field.clear();
        } else if (c == QLatin1Char('\n')) {
            row.push_back(field);
            field.clear();
            rows.push_back(std::move(row));
            row.clear();
            any = false;
        } else if (c != QLatin1Char('\r')) {
            field += c;
        }
    }
    if (any) {
        row.push_back(field);
        rows.push_back(std::move(row));
    }
    return rows;
}

class LibreOffice {
public:
    static LibreOffice& instance()
    {
        static LibreOffice lo;
        return lo;
    }

    // Runs soffice headless with the given arguments; false when it failed or timed out.
    bool run(QStringList args, QString* output = nullptr)
    {
        args.prepend(QStringLiteral("-env:UserInstallation=file://") + profile_.path());
        args.prepend(QStringLiteral("--headless"));
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(QStringLiteral("soffice"), args);
        if (!p.waitForStarted(20000))
            return false;
        bool done = p.waitForFinished(180000);
        if (output)
            *output = QString::fromUtf8(p.readAll());
        if (!done) {
            p.kill();
            p.waitForFinished();
            return false;
        }
        return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }

    // Every sheet of every workbook to CSV, in one call. Result in the order of `workbooks`.
    std::vector<SheetTables> toCsv(const QStringList& workbooks)
    {
        QTemporaryDir work;
        std::vector<SheetTables> out(size_t(workbooks.size()));
        QStringList staged;
        for (int i = 0; i < workbooks.size(); ++i) {
            QString name = work.filePath(QStringLiteral("w%1.xlsx").arg(i));
            QFile::copy(workbooks[i], name);
            staged << name;
        }
        QStringList args = {QStringLiteral("--convert-to"),
                            QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,1033,false,true,true,false,false,-1"),
                            QStringLiteral("--outdir"), work.filePath(QStringLiteral("out"))};
        args += staged;
        run(args);
        QDir outDir(work.filePath(QStringLiteral("out")));
        for (const QFileInfo& fi : outDir.entryInfoList({QStringLiteral("*.csv")}, QDir::Files)) {
            QString base = fi.completeBaseName(); // "w3-Sheet Name"
            int dash = base.indexOf(QLatin1Char('-'));
            if (dash < 2)
                continue;
            int index = base.mid(1, dash - 1).toInt();
            QFile f(fi.filePath());
            if (index < 0 || index >= workbooks.size() || !f.open(QIODevice::ReadOnly))
                continue;
            out[size_t(index)][base.mid(dash + 1)].rows = ParseCsv(QString::fromUtf8(f.readAll()));
        }
        return out;
    }

    SheetTables toCsv(const QString& workbook) { return toCsv(QStringList{workbook}).front(); }

    // First page of each workbook as a PNG (LibreOffice to PDF, then pdftoppm at `dpi`), written as
    // pngs[i]; false when any one is missing.
    bool toPng(const QStringList& workbooks, const QStringList& pngs, int dpi = 60)
    {
        QTemporaryDir work;
        QStringList staged;
        for (int i = 0; i < workbooks.size(); ++i) {
            QString name = work.filePath(QStringLiteral("p%1.xlsx").arg(i));
            QFile::copy(workbooks[i], name);
            staged << name;
        }
        QStringList args = {QStringLiteral("--convert-to"), QStringLiteral("pdf"), QStringLiteral("--outdir"), work.path()};
        args += staged;
        run(args);
        bool ok = true;
        for (int i = 0; i < workbooks.size(); ++i) {
            QString pdf = work.filePath(QStringLiteral("p%1.pdf").arg(i));
            QString stem = work.filePath(QStringLiteral("png%1").arg(i));
            QProcess p;
            p.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
                                                 QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
                                                 QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, stem});
            p.waitForFinished(60000);
            QFile::remove(pngs[i]);
            ok = QFile::copy(stem + QStringLiteral(".png"), pngs[i]) && ok;
        }
        return ok;
    }

private:
    LibreOffice() = default;
    QTemporaryDir profile_;
};

} // namespace lirma::test
