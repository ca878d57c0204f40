#include "documents/rtf_replace.h"

#include "platform/office/lock_file.h"
#include "platform/ui/scripted_interaction.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <variant>

using namespace lirma::documents;

namespace {

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

// Lines joined, each ending in CR LF (the engine's output).
QByteArray crlf(std::initializer_list<const char*> lines)
{
    QByteArray out;
    for (const char* l : lines)
        out += QByteArray(l) + "\r\n";
    return out;
}

// Template lines joined with the given line end.
QByteArray joined(std::initializer_list<const char*> lines, const char* end = "\r\n")
{
    QByteArray out;
    for (const char* l : lines)
        out += QByteArray(l) + end;
    return out;
}

struct Pair {
    QString key, value;
};
struct Body {};
struct Break {};
struct End {};
struct Marker {
    QString marker;
};
using Op = std::variant<Pair, Body, Break, End, Marker>;

// A Windows-1250 header every template case starts with.
const char* kHead = R"({\rtf1\ansi\ansicpg1250{\fonttbl{\f0\froman\fcharset238 Times New Roman;}})";

struct Case {
    const char* name;
    QByteArray templ;
    std::vector<Op> ops;
    QByteArray expected;
};

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

class RtfReplaceTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        source = dir.filePath("Model.rtf");
        dest = dir.filePath("Out0.rtf");
    }
    // Runs the operations after BeginDocument; returns the output file.
    QByteArray run(const QByteArray& templ, const std::vector<Op>& ops, bool* begun = nullptr)
    {
        QFile::remove(dest);
        writeFile(source, templ);
        TRTFReplace rtf;
        rtf.setRTFSursa(source);
        rtf.setRTFDest(dest);
        const bool ok = rtf.BeginDocument();
        if (begun)
            *begun = ok;
        for (const Op& op : ops) {
            if (auto* p = std::get_if<Pair>(&op))
                rtf.AddPair(p->key, p->value);
            else if (std::holds_alternative<Body>(op))
                EXPECT_EQ(rtf.WriteBody(), ok);
            else if (std::holds_alternative<Break>(op))
                EXPECT_EQ(rtf.PageBreak(), ok);
            else if (std::holds_alternative<End>(op))
                EXPECT_EQ(rtf.EndDocument(), ok);
            else if (auto* m = std::get_if<Marker>(&op))
                EXPECT_EQ(rtf.ReplaceFromMarker(m->marker), ok);
            EXPECT_TRUE(std::holds_alternative<Pair>(op) || rtf.keys().empty()) << "pairs must not outlive a write";
        }
        return readFile(dest);
    }
    QTemporaryDir dir;
    QString source;
    QString dest;
};

} // namespace

TEST_F(RtfReplaceTest, RecordModeByteForByte)
{
    const std::vector<Case> cases = {
        {"keys replaced, placeholder in capitals prints capitals",
         joined({kHead, R"(\pard\f0 Nume: [NumeP], rol [ROL], nr. [NR]\par)", "}"}),
         {Pair{"[NUMEP]", "Ion Pop"}, Pair{"[ROL]", "12a"}, Pair{"[NR]", "n5"}, Body{}, End{}},
         crlf({kHead, R"(\pard\f0 Nume: Ion Pop, rol 12A, nr. n5\par)", "}"})},
        {"the same key spelled twice: as stored and in capitals; capitals rule only for ASCII",
         joined({kHead, R"(\pard [Adresa] / [ADRESA] / [adresa]\par)", "}"}),
         {Pair{"[ADRESA]", u("Str. Morii ăla")}, Body{}, End{}},
         crlf({kHead, "\\pard Str. Morii \xe3la / STR. MORII \xe3LA / Str. Morii \xe3la\\par", "}"})},
        {"an empty value leaves ten dots",
         joined({kHead, R"(\pard CNP: [CNP]\par)", "}"}),
         {Pair{"[CNP]", ""}, Body{}, End{}},
         crlf({kHead, R"(\pard CNP: ..........\par)", "}"})},
        {"escapes: braces, backslash, capital S and T with cedilla; other letters raw",
         joined({kHead, R"(\pard [X]\par)", "}"}),
         {Pair{"[X]", u("{a}Bl.3\\A ŞŢ șț Șî")}, Body{}, End{}},
         crlf({kHead, "\\pard (a)Bl.3\\\\A \\'aa\\'de \xba\xfe \\'aa\xee\\par", "}"})},
        {"two records with a page break between them, none before the first",
         joined({kHead, R"(\pard [Nume]\par)", "}"}),
         {Pair{"[NUME]", "A"}, Body{}, Break{}, Pair{"[NUME]", "B"}, Body{}, End{}},
         crlf({kHead, R"(\pard A\par)", R"( \par \page )", R"(\pard B\par)", "}"})},
        {"a key given three times in a row writes its line three times",
         joined({kHead, R"(\pard Teren:\par)", R"({[Cap2b]\par})", R"(Total [Tot]\par)", "}"}),
         {Pair{"[CAP2B]", "t1"}, Pair{"[CAP2B]", "t2"}, Pair{"[CAP2B]", "t3"}, Pair{"[TOT]", "9"}, Body{}, End{}},
         crlf({kHead, R"(\pard Teren:\par)", R"({t1\par})", R"({t2\par})", R"({t3\par})", R"(Total 9\par)", "}"})},
        {"a value holding its own key is inserted once; a later key fills placeholders a value brought",
         joined({kHead, R"(\pard [Rol] [Row]\par)", "}"}),
         {Pair{"[ROL]", "x[ROL]y"}, Pair{"[ROW]", "<[Cell]>"}, Pair{"[CELL]", "c"}, Body{}, End{}},
         crlf({kHead, R"(\pard x[ROL]y <c>\par)", "}"})},
        {"[D1] does not match inside [D10]",
         joined({kHead, R"(\pard [D1]|[D10]|[d1]\par)", "}"}),
         {Pair{"[D1]", "a"}, Pair{"[D10]", "b"}, Body{}, End{}},
         crlf({kHead, R"(\pard a|B|a\par)", "}"})}, // "[D10]" is long enough for capitals
        {"header and body on one line: the text before \\pard stays in the header",
         QByteArray(kHead) + R"(  {\stylesheet{\f0 Normal;}} \pard [A]\par})" + "\r\n",
         {Pair{"[A]", "v"}, Body{}, End{}},
         crlf({R"({\rtf1\ansi\ansicpg1250{\fonttbl{\f0\froman\fcharset238 Times New Roman;}}  {\stylesheet{\f0 Normal;}})",
               R"(\pard v\par)", "}"})},
        {"groups over several lines; the closing line keeps all but the document's brace; the rest is ignored",
         joined({kHead, R"(\pard {\b [A]}\par)", "{\\trowd", "", R"(\cell [B]\row})", R"(\par [C]})", "after"}),
         {Pair{"[A]", "1"}, Pair{"[B]", "2"}, Pair{"[C]", "3"}, Body{}, End{}},
         crlf({kHead, R"(\pard {\b 1}\par)", "{\\trowd", R"(\cell 2\row})", R"(\par 3)", "}"})},
        {"two different keys repeated on one line: written at most once per pair",
         joined({kHead, R"(\pard [A][B]\par)", "}"}),
         {Pair{"[A]", "1"}, Pair{"[A]", "2"}, Pair{"[B]", "x"}, Pair{"[B]", "y"}, Body{}, End{}},
         crlf({kHead, R"(\pard 1x\par)", R"(\pard 1x\par)", R"(\pard 1x\par)", R"(\pard 1x\par)", "}"})},
        {"a page break and the end after no record",
         joined({kHead, R"(\pard x\par)", "}"}),
         {Break{}, End{}},
         crlf({kHead, R"( \par \page )", "}"})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool begun = false;
        const QByteArray out = run(c.templ, c.ops, &begun);
        EXPECT_TRUE(begun);
        EXPECT_EQ(out.toStdString(), c.expected.toStdString());
    }
}

TEST_F(RtfReplaceTest, LineEndsOfTheTemplateDoNotMatter)
{
    const std::vector<Op> ops = {Pair{"[A]", "1"}, Body{}, End{}};
    const QByteArray expected = crlf({kHead, R"(\pard 1\par)", R"(\par})", "}"});
    for (const char* end : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(QByteArray(end).toHex().toStdString());
        const QByteArray templ = joined({kHead, R"(\pard [A]\par)", R"(\par}})"}, end);
        EXPECT_EQ(run(templ, ops).toStdString(), expected.toStdString());
        // Without a line end after the last line.
        EXPECT_EQ(run(templ.left(templ.size() - qsizetype(strlen(end))), ops).toStdString(), expected.toStdString());
    }
}

TEST_F(RtfReplaceTest, WholeTemplateModeByteForByte)
{
    const std::vector<Case> cases = {
        {"lines before the marker untouched, the rest replaced without capitals rule or dots",
         joined({kHead, "{\\info{\\title [NR]}}", R"(\pard Judetul [JUDET], nr. [Nr] / [nr])", R"([Gol]|[D1]|[D10]\par)", "}"}),
         {Pair{"[NR]", "7a"}, Pair{"[JUDET]", "Alba"}, Pair{"[GOL]", ""}, Pair{"[D1]", "x"}, Pair{"[D10]", "y"},
          Marker{"JUDE"}, End{}},
         crlf({kHead, "{\\info{\\title [NR]}}", R"(\pard Judetul Alba, nr. 7a / 7a)", R"(|x|y\par)", "}", "}"})},
        {"text a value brought is never matched again, by the same or a later key",
         joined({kHead, R"(\pard [JUDET] [A] [B]\par)", "}"}),
         {Pair{"[JUDET]", "J"}, Pair{"[A]", "[a][B"}, Pair{"[B]", "b"}, Marker{"JUDE"}, End{}},
         crlf({kHead, R"(\pard J [a][B b\par)", "}", "}"})},
        {"values are escaped as in record mode; empty lines stay",
         joined({kHead, "", R"(\pard [JUDET])", "", R"([Nume]\par)", "}"}),
         {Pair{"[JUDET]", u("Bacău")}, Pair{"[NUME]", u("Ştefan {x}")}, Marker{"JUDE"}, End{}},
         crlf({kHead, "", "\\pard Bac\xe3u", "", "\\'aatefan (x)\\par", "}", "}"})},
        {"a marker that never occurs copies the template",
         joined({kHead, R"(\pard [A]\par)", "}"}),
         {Pair{"[A]", "1"}, Marker{"JUDE"}, End{}},
         crlf({kHead, R"(\pard [A]\par)", "}", "}"})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(run(c.templ, c.ops).toStdString(), c.expected.toStdString());
    }
}

TEST_F(RtfReplaceTest, TemplatesItCannotFillAreRefusedAndNothingIsWritten)
{
    struct Refused {
        const char* name;
        std::optional<QByteArray> templ; // none: the file is missing
    };
    const std::vector<Refused> cases = {
        {"missing template", std::nullopt},
        {"empty template", QByteArray()},
        {"no \\pard", joined({kHead, R"(\plain [A]\par)", "}"})},
        {"\\pard only in another case", joined({kHead, R"(\PARD [A]\par)", "}"})},
    };
    for (const Refused& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(source);
        if (c.templ)
            writeFile(source, *c.templ);
        writeFile(dest, "old output");
        TRTFReplace rtf;
        rtf.setRTFSursa(source);
        rtf.setRTFDest(dest);
        EXPECT_FALSE(rtf.BeginDocument());
        EXPECT_FALSE(rtf.ready());
        rtf.AddPair("[A]", "1");
        EXPECT_FALSE(rtf.WriteBody());
        EXPECT_TRUE(rtf.keys().empty());
        EXPECT_FALSE(rtf.PageBreak());
        rtf.AddPair("[A]", "1");
        EXPECT_FALSE(rtf.ReplaceFromMarker("JUDE"));
        EXPECT_FALSE(rtf.EndDocument());
        if (c.templ) {
            EXPECT_FALSE(QFileInfo::exists(dest)) << "no half-made document";
        } else {
            EXPECT_EQ(readFile(dest), "old output") << "a missing template leaves the output alone";
        }
    }
    // No template path at all.
    TRTFReplace rtf;
    rtf.setRTFDest(dest);
    EXPECT_FALSE(rtf.BeginDocument());
}

TEST_F(RtfReplaceTest, ADocumentOpenInTheOfficeProgramIsNeverOverwritten)
{
    writeFile(source, joined({kHead, R"(\pard x\par)", "}"}));
    writeFile(dest, "open document");
    writeFile(lirma::office::LockFileOf(dest), "user");
    TRTFReplace rtf;
    rtf.setRTFSursa(source);
    rtf.setRTFDest(dest);
    EXPECT_FALSE(rtf.BeginDocument());
    EXPECT_FALSE(rtf.WriteBody());
    EXPECT_EQ(readFile(dest), "open document");
}

TEST_F(RtfReplaceTest, NewDestinationTakesTheFirstNameNotInUse)
{
    const QString prefix = dir.filePath("SomTit");
    auto name = [&](int n) { return prefix + QString::number(n) + ".rtf"; };
    struct Setup {
        const char* name;
        std::vector<int> existing; // files present
        std::vector<int> locked;   // of those, open in the office program
        int expected;              // -1: none free
    };
    const std::vector<Setup> cases = {
        {"nothing there", {}, {}, 0},
        {"an old file is deleted and reused", {0, 1}, {}, 0},
        {"open files are skipped", {0, 1, 2}, {0, 1}, 2},
        {"a gap after an open file", {0, 2}, {0}, 1},
        {"all hundred open", [] { std::vector<int> v; for (int i = 0; i < 100; ++i) v.push_back(i); return v; }(),
         [] { std::vector<int> v; for (int i = 0; i < 100; ++i) v.push_back(i); return v; }(), -1},
    };
    for (const Setup& c : cases) {
        SCOPED_TRACE(c.name);
        for (const QString& f : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden))
            QFile::remove(dir.filePath(f));
        for (int n : c.existing)
            writeFile(name(n), "old");
        for (int n : c.locked)
            writeFile(lirma::office::LockFileOf(name(n)), "user");
        TRTFReplace rtf;
        rtf.setRTFDest("previous.rtf");
        EXPECT_EQ(rtf.NewDestination(prefix), c.expected >= 0);
        if (c.expected >= 0) {
            EXPECT_EQ(rtf.RTFDest(), name(c.expected));
            EXPECT_FALSE(QFileInfo::exists(name(c.expected)));
        } else {
            EXPECT_EQ(rtf.RTFDest(), "previous.rtf");
        }
        for (int n : c.locked)
            EXPECT_EQ(readFile(name(n)), "old") << n;
    }
}

TEST_F(RtfReplaceTest, OpenDocumentOnlyForAnExistingFullPath)
{
    lirma::ui::ScriptedInteraction scripted;
    lirma::ui::ScopedInteraction installed(scripted);
    writeFile(dest, "x");
    struct Try {
        QString dest;
        bool opened;
    };
    for (const Try& t : {Try{dest, true}, Try{"", false}, Try{"Out0.rtf", false}, Try{dir.filePath("none.rtf"), false}}) {
        scripted.clearRecords();
        TRTFReplace rtf;
        rtf.setRTFDest(t.dest);
        EXPECT_EQ(rtf.OpenDocument(), t.opened) << t.dest.toStdString();
        const auto docs = scripted.recordsOf(lirma::ui::ScriptedInteraction::What::Document);
        ASSERT_EQ(docs.size(), t.opened ? 1u : 0u);
        if (t.opened)
            EXPECT_EQ(docs[0].path, dest);
    }
}

namespace {
// Stand-in office program: makes a PDF of every input in --outdir, or nothing when `works` is false.
QString fakeOffice(const QString& folder, bool works)
{
    const QString path = QDir(folder).filePath(works ? "office-ok" : "office-silent");
    writeFile(path, works ? "#!/bin/sh\nOUT=''\nwhile [ $# -gt 0 ]; do case \"$1\" in --outdir) OUT=\"$2\"; shift 2;;"
                            " --convert-to) shift 2;; -*) shift;; *) b=$(basename \"$1\"); printf '%%PDF-1.4\\n' > \"$OUT/${b%.*}.pdf\";"
                            " shift;; esac; done\n"
                          : "#!/bin/sh\nexit 0\n");
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return path;
}
} // namespace

TEST_F(RtfReplaceTest, SaveAsPdfReplacesTheRtfOnlyWhenAPdfCameOut)
{
    static int argc = 1;
    static char name[] = "documents-tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);
    for (const bool works : {true, false}) {
        for (const bool async : {false, true}) {
            SCOPED_TRACE(std::string(works ? "office works" : "office makes nothing") + (async ? ", async" : ""));
            writeFile(dest, "{\\rtf1 x}");
            lirma::office::ConversionOptions options;
            options.program = fakeOffice(dir.path(), works);
            TRTFReplace rtf;
            rtf.setRTFDest(dest);
            bool converted = false;
            if (async) {
                QObject context;
                QEventLoop loop;
                bool reported = false;
                rtf.SaveAsPdfAsync(&context, [&](bool ok) { converted = ok; reported = true; loop.quit(); }, options);
                EXPECT_FALSE(reported);
                loop.exec();
            } else {
                converted = rtf.SaveAsPdf(options);
            }
            const QString pdf = dir.filePath("Out0.pdf");
            EXPECT_EQ(converted, works);
            EXPECT_EQ(rtf.RTFDest(), works ? pdf : dest);
            EXPECT_EQ(QFileInfo::exists(dest), !works);
            QFile::remove(pdf);
        }
    }
}
