#include "platform/office/lock_file.h"
#include "platform/office/pdf_conversion.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

#include <gtest/gtest.h>

#include <csignal>

using namespace lirma::office;

namespace {

QCoreApplication& app()
{
    static int argc = 1;
    static char name[] = "office-tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* instance =
        QCoreApplication::instance() ? QCoreApplication::instance() : new QCoreApplication(argc, argv);
    return *instance;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A stand-in for the office program: a shell script that logs its arguments (one per line, a line
// "--end--" per call) beside itself and then runs `body`, where $OUT is the --outdir folder and
// $FILES the input files.
QString fakeOffice(const QString& folder, const QByteArray& body)
{
    const QString path = QDir(folder).filePath("fake-soffice");
    writeFile(path, "#!/bin/sh\n"
                    "here=$(dirname \"$0\")\n"
                    "printf '%s\\n' \"$@\" >> \"$here/args.log\"; echo --end-- >> \"$here/args.log\"\n"
                    "OUT=''; FILES=''\n"
                    "while [ $# -gt 0 ]; do case \"$1\" in\n"
                    "  --outdir) OUT=\"$2\"; shift 2;;\n"
                    "  --convert-to) shift 2;;\n"
                    "  -*) shift;;\n"
                    "  *) FILES=\"$FILES $1\"; shift;;\n"
                    "esac; done\n" +
                        body + "\n");
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return path;
}

const QByteArray kMakesPdfs = "for f in $FILES; do b=$(basename \"$f\"); printf '%%PDF-1.4 fake\\n' > \"$OUT/${b%.*}.pdf\"; done";

// The calls a fake office program received, each as its argument list.
std::vector<QStringList> callsLogged(const QString& folder)
{
    std::vector<QStringList> calls(1);
    for (const QString& line : QString::fromUtf8(readFile(QDir(folder).filePath("args.log"))).split('\n')) {
        if (line == "--end--")
            calls.emplace_back();
        else if (!line.isEmpty())
            calls.back() << line;
    }
    calls.pop_back();
    return calls;
}

ConversionOptions withProgram(const QString& program, int timeLimitMs = 0, const QString& outputFolder = {})
{
    ConversionOptions o;
    o.program = program;
    o.timeLimitMs = timeLimitMs;
    o.outputFolder = outputFolder;
    return o;
}

class PdfConversionTest : public testing::Test {
protected:
    void SetUp() override
    {
        app();
        ASSERT_TRUE(dir.isValid());
        docs = dir.filePath("docs");
        QDir().mkpath(docs);
    }
    QString doc(const QString& name, const QString& folder = {})
    {
        const QString path = QDir(folder.isEmpty() ? docs : folder).filePath(name);
        writeFile(path, "{\\rtf1 x}");
        return path;
    }
    QTemporaryDir dir;
    QString docs;
};

} // namespace

TEST_F(PdfConversionTest, ConvertedOnlyWhenAPdfAppears)
{
    struct Case {
        const char* name;
        QByteArray body;
        bool converted;
        const char* error; // part of the reported error
    };
    const std::vector<Case> cases = {
        {"makes the PDFs", kMakesPdfs, true, ""},
        {"exit 0 without output", "exit 0", false, "no PDF was made"},
        {"a file that is not a PDF", "for f in $FILES; do b=$(basename \"$f\"); echo oops > \"$OUT/${b%.*}.pdf\"; done",
         false, "no PDF was made"},
        {"output then exit code 3", kMakesPdfs + "\nexit 3", true, ""},
        {"no output and exit code 3", "exit 3", false, "ended with code 3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir bin;
        const QStringList inputs = {doc("Cert0.rtf"), doc("Aviz0.rtf")};
        const ConversionResult r = ConvertToPdf(inputs, withProgram(fakeOffice(bin.path(), c.body)));
        EXPECT_EQ(r.ok(), c.converted) << r.error.toStdString();
        EXPECT_TRUE(r.error.contains(QString::fromUtf8(c.error))) << r.error.toStdString();
        ASSERT_EQ(r.pdfs.size(), 2);
        for (int i = 0; i < 2; ++i) {
            if (c.converted) {
                EXPECT_EQ(r.pdfs[i], QDir(docs).filePath(QFileInfo(inputs[i]).completeBaseName() + ".pdf"));
            } else {
                EXPECT_EQ(r.pdfs[i], QString());
            }
        }
        for (const QString& pdf : QDir(docs).entryList({"*.pdf"}))
            QFile::remove(QDir(docs).filePath(pdf));
    }
}

TEST_F(PdfConversionTest, AnOldPdfDoesNotPassForANewOne)
{
    QTemporaryDir bin;
    const QString input = doc("Chitanta0.rtf");
    writeFile(QDir(docs).filePath("Chitanta0.pdf"), "%PDF-1.4 from yesterday");
    const ConversionResult r = ConvertToPdf({input}, withProgram(fakeOffice(bin.path(), "exit 0")));
    EXPECT_FALSE(r.ok());
    EXPECT_FALSE(QFileInfo::exists(QDir(docs).filePath("Chitanta0.pdf")));
}

TEST_F(PdfConversionTest, OneCallPerFolderWithItsOwnProfile)
{
    QTemporaryDir bin;
    const QString other = dir.filePath("other");
    QDir().mkpath(other);
    // Two files of one folder go together; a file of another folder, and one whose PDF would
    // take the name of another's, need calls of their own.
    const QStringList inputs = {doc("A.rtf"), doc("B.rtf"), doc("C.rtf", other), doc("A.txt"), dir.filePath("missing.rtf")};
    const ConversionResult r = ConvertToPdf(inputs, withProgram(fakeOffice(bin.path(), kMakesPdfs)));
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.error.contains("missing.rtf does not exist")) << r.error.toStdString();
    EXPECT_EQ(r.pdfs, (QStringList{QDir(docs).filePath("A.pdf"), QDir(docs).filePath("B.pdf"),
                                   QDir(other).filePath("C.pdf"), QDir(docs).filePath("A.pdf"), QString()}));

    const auto calls = callsLogged(bin.path());
    ASSERT_EQ(calls.size(), 3u);
    QStringList profiles;
    std::vector<QStringList> files;
    for (const QStringList& args : calls) {
        ASSERT_GE(args.size(), 4);
        ASSERT_TRUE(args[0].startsWith("-env:UserInstallation=file:///")) << args[0].toStdString();
        profiles << args[0];
        EXPECT_TRUE(args.contains("--headless"));
        const int convert = int(args.indexOf("--convert-to"));
        ASSERT_GE(convert, 0);
        EXPECT_EQ(args.value(convert + 1), "pdf");
        const int outdir = int(args.indexOf("--outdir"));
        ASSERT_GE(outdir, 0);
        files.push_back(args.mid(outdir + 2));
    }
    EXPECT_EQ(files[0], (QStringList{inputs[0], inputs[1]}));
    EXPECT_EQ(files[1], (QStringList{inputs[2]}));
    EXPECT_EQ(files[2], (QStringList{inputs[3]}));
    profiles.removeDuplicates();
    EXPECT_EQ(profiles.size(), 3);
    // The profile folders are gone once the calls are over.
    for (const QString& p : profiles)
        EXPECT_FALSE(QFileInfo::exists(QUrl(p.mid(QString("-env:UserInstallation=").size())).toLocalFile()));
}

TEST_F(PdfConversionTest, OutputFolderTakesEveryPdf)
{
    QTemporaryDir bin;
    const QString out = dir.filePath("out");
    QDir().mkpath(out);
    const ConversionResult r = ConvertToPdf({doc("A.rtf")}, withProgram(fakeOffice(bin.path(), kMakesPdfs), 0, out));
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.pdfs, QStringList{QDir(out).filePath("A.pdf")});
}

TEST_F(PdfConversionTest, TheTimeLimitEndsTheProgramAndEverythingItStarted)
{
    QTemporaryDir bin;
    // The program starts a helper that never ends and waits for it, as the office program does.
    const QString script = fakeOffice(bin.path(), "tail -f /dev/null & echo $! > \"$(dirname \"$0\")/helper.pid\"; wait");
    const ConversionResult r = ConvertToPdf({doc("A.rtf")}, withProgram(script, 500));
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.error.contains("did not finish")) << r.error.toStdString();
    const QByteArray pid = readFile(QDir(bin.path()).filePath("helper.pid")).trimmed();
    ASSERT_FALSE(pid.isEmpty());
    // Killed: either gone or a zombie waiting for its reaper. The kernel delivers the kill
    // asynchronously, so give it a bounded moment to show.
    QByteArray stat;
    QByteArray state;
    QElapsedTimer waited;
    waited.start();
    do {
        stat = readFile("/proc/" + QString::fromLatin1(pid) + "/stat");
        state = stat.isEmpty() ? QByteArray("Z") : stat.mid(stat.lastIndexOf(')') + 2, 1);
        if (state == "Z" || state == "X")
            break;
        QThread::msleep(10);
    } while (waited.elapsed() < 5000);
    EXPECT_TRUE(state == "Z" || state == "X") << stat.toStdString();
}

TEST_F(PdfConversionTest, MissingProgramIsAFailure)
{
    const ConversionResult r = ConvertToPdf({doc("A.rtf")}, withProgram(dir.filePath("no-such-office")));
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.error.contains("could not be started")) << r.error.toStdString();
}

TEST_F(PdfConversionTest, AsynchronousFormReportsThroughTheEventLoop)
{
    struct Case {
        QByteArray body;
        bool converted;
    };
    for (const Case& c : {Case{kMakesPdfs, true}, Case{"exit 0", false}}) {
        QTemporaryDir bin;
        const QString other = dir.filePath("async-other");
        QDir().mkpath(other);
        const QStringList inputs = {doc("Som0.rtf"), doc("Som1.rtf", other)};
        PdfConversion conversion;
        bool reported = false;
        ConversionResult seen;
        QEventLoop loop;
        QObject::connect(&conversion, &PdfConversion::finished, [&](const ConversionResult& r) {
            reported = true;
            seen = r;
            loop.quit();
        });
        ASSERT_TRUE(conversion.start(inputs, withProgram(fakeOffice(bin.path(), c.body))));
        EXPECT_TRUE(conversion.isRunning());
        EXPECT_FALSE(conversion.start(inputs)) << "one conversion at a time";
        EXPECT_FALSE(reported) << "start() must not block until the end";
        loop.exec();
        EXPECT_TRUE(reported);
        EXPECT_FALSE(conversion.isRunning());
        EXPECT_EQ(seen.ok(), c.converted) << seen.error.toStdString();
        EXPECT_EQ(callsLogged(bin.path()).size(), 2u);
        if (c.converted) {
            EXPECT_EQ(seen.pdfs, (QStringList{QDir(docs).filePath("Som0.pdf"), QDir(other).filePath("Som1.pdf")}));
        }
    }
}

TEST_F(PdfConversionTest, AsynchronousTimeLimit)
{
    QTemporaryDir bin;
    PdfConversion conversion;
    QEventLoop loop;
    ConversionResult seen;
    QObject::connect(&conversion, &PdfConversion::finished, [&](const ConversionResult& r) {
        seen = r;
        loop.quit();
    });
    conversion.start({doc("A.rtf")}, withProgram(fakeOffice(bin.path(), "exec tail -f /dev/null"), 300));
    loop.exec();
    EXPECT_FALSE(seen.ok());
    EXPECT_TRUE(seen.error.contains("did not finish")) << seen.error.toStdString();
}

TEST_F(PdfConversionTest, RealOfficeProgramConvertsSeveralFilesInOneCall)
{
    if (QStandardPaths::findExecutable("soffice").isEmpty() || QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "soffice or pdftotext not installed";
    const QString a = QDir(docs).filePath("first.rtf");
    const QString b = QDir(docs).filePath("second.rtf");
    // Windows-1250 bytes under a Central European font: 0xBA is s with cedilla, 0xE3 a with breve.
    writeFile(a, "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0\\froman\\fcharset238 Times New Roman;}}\r\n"
                 "\\pard\\f0\\fs24 Primul document: \xba\xe3.\\par\r\n}\r\n");
    writeFile(b, "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial;}}\r\n\\pard\\f0 Al doilea document\\par\r\n}\r\n");
    const ConversionResult r = ConvertToPdf({a, b});
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    QProcess text;
    text.start("pdftotext", {r.pdfs[0], "-"});
    ASSERT_TRUE(text.waitForFinished(30000));
    EXPECT_TRUE(QString::fromUtf8(text.readAllStandardOutput()).contains(QString::fromUtf8("Primul document: şă.")));
    text.start("pdftotext", {r.pdfs[1], "-"});
    ASSERT_TRUE(text.waitForFinished(30000));
    EXPECT_TRUE(QString::fromUtf8(text.readAllStandardOutput()).contains("Al doilea document"));
}

TEST(LockFile, InUseWhileTheOfficeLockFileExists)
{
    QTemporaryDir dir;
    const QString doc = dir.filePath("Titlu.rtf");
    writeFile(doc, "x");
    EXPECT_EQ(LockFileOf(doc), dir.filePath(".~lock.Titlu.rtf#"));
    struct Case {
        const char* lockName;
        bool inUse;
    };
    const std::vector<Case> cases = {
        {nullptr, false},
        {".~lock.Titlu.rtf#", true},
        {".~lock.Sistare.rtf#", false}, // another document's lock
        {".~lock.Titlu.rtf", false},
    };
    for (const Case& c : cases) {
        for (const QString& f : QDir(dir.path()).entryList({".~lock*"}, QDir::Hidden | QDir::Files))
            QFile::remove(dir.filePath(f));
        if (c.lockName)
            writeFile(dir.filePath(c.lockName), "user,host;");
        EXPECT_EQ(IsInUse(doc), c.inUse) << (c.lockName ? c.lockName : "no lock");
    }
    EXPECT_FALSE(IsInUse(QString()));
}
