// The activity log: the rows LogAction writes in both logs (read back by dbfread), a failed write
// that warns once and never throws, a log another workstation created first, reading a log back,
// and the trace file that stays off.
#include "core/activity_log.h"

#include "db/catalog.h"
#include "platform/storage/storage.h"
#include "platform/ui/scripted_interaction.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using lirma::base::Folders;
using lirma::core::ActivityLog;
using lirma::core::LogEntry;
using lirma::core::LogSource;
using lirma::core::TraceFile;
using lirma::storage::Database;
using lirma::ui::ScriptedInteraction;

namespace {

fs::path toPath(const QString& p) { return fs::path(QFile::encodeName(p).toStdString()); }

std::vector<std::string> splitTabs(const std::string& line)
{
    std::vector<std::string> cells;
    std::string cell;
    std::istringstream in(line);
    while (std::getline(in, cell, '\t')) cells.push_back(cell);
    if (!line.empty() && line.back() == '\t') cells.emplace_back();
    return cells;
}

// A table as dbfread, an independent reader, sees it: its fields and rows.
struct Dump {
    std::vector<lirma::storage::FieldDef> fields;
    std::vector<std::vector<std::string>> rows;
};

Dump readWithDbfread(const QString& file)
{
    const std::string cmd = "/usr/bin/python3 '" LIRMA_TEST_TOOLS_DIR "/dbf_tsv.py' '" +
                            QFile::encodeName(file).toStdString() + "'";
    FILE* pipe = popen(cmd.c_str(), "r");
    if (!pipe) throw std::runtime_error("cannot run " + cmd);
    std::string output;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) output.append(buf, n);
    if (pclose(pipe) != 0) throw std::runtime_error("dbfread failed on: " + cmd);
    Dump dump;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        const std::vector<std::string> cells = splitTabs(line);
        if (cells.size() >= 6 && cells[0] == "F")
            dump.fields.push_back({cells[2], cells[3][0], std::stoi(cells[4]), std::stoi(cells[5])});
        else if (cells.size() >= 2 && cells[0] == "R")
            dump.rows.emplace_back(cells.begin() + 2, cells.end());
    }
    return dump;
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// One workstation: its program folder with the data folder inside, the data folder's database,
// the name in its login field and a clock the test sets.
struct Workstation {
    QTemporaryDir dir;
    Folders folders;
    std::unique_ptr<Database> data;
    QString user = QStringLiteral("POPESCU");
    QDateTime now{QDate(2024, 3, 5), QTime(9, 7, 3)};

    // dataFolder empty: the local data folder of this program folder.
    explicit Workstation(const QString& dataFolder = {})
    {
        folders = Folders::ForProgram(dir.path());
        if (!dataFolder.isEmpty()) folders.data = dataFolder;
        EXPECT_TRUE(folders.createMissing());
        data = std::make_unique<Database>(toPath(folders.data));
    }

    ActivityLog::UserName userName() { return [this] { return user; }; }
    ActivityLog::Clock clock() { return [this] { return now; }; }
    QString logFile(LogSource s) const
    {
        return (s == LogSource::General ? folders.data : folders.program) + QStringLiteral("/Log.dbf");
    }
};

class ActivityLogTest : public testing::Test {
protected:
    ScriptedInteraction said;
    lirma::ui::ScopedInteraction scope{said};
    Workstation ws;
    ActivityLog log{*ws.data, ws.folders, ws.userName(), ws.clock()};
};

TEST_F(ActivityLogTest, FirstActionCreatesBothLogsWithTheCatalogLayoutAndOneRow)
{
    ASSERT_TRUE(log.LogAction(QStringLiteral("127"), QStringLiteral("Adaugat la plata")));
    EXPECT_TRUE(said.records().empty());
    for (LogSource s : {LogSource::General, LogSource::ThisComputer}) {
        SCOPED_TRACE(int(s));
        ASSERT_TRUE(QFile::exists(ws.logFile(s)));
        const Dump dump = readWithDbfread(ws.logFile(s));
        EXPECT_EQ(dump.fields, lirma::db::Table("Log.dbf").fields);
        ASSERT_EQ(dump.rows.size(), 1u);
        EXPECT_EQ(dump.rows[0],
                  (std::vector<std::string>{"2024-03-05", "09:07:03", "POPESCU", "127", "Adaugat la plata"}));
    }
}

TEST_F(ActivityLogTest, RowsTakeTheirValuesFromTheCallTheClockAndTheLoginField)
{
    struct Case {
        const char* what;
        QDateTime now;
        QString user;
        QString rol;
        QString action;
        LogEntry expected;
    };
    const QString longAction = QStringLiteral("Anulat Chitanta ABC nr.123 / 05.03.2024 - ") + QString(100, u'X');
    const std::vector<Case> cases = {
        {"login, empty role", QDateTime(QDate(2024, 1, 2), QTime(0, 0, 0)), "ADMIN", "", "Pornire program.",
         {QDate(2024, 1, 2), "00:00:00", "ADMIN", "", "Pornire program."}},
        {"afternoon, a role and a receipt", QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59)), "CASIER 1", "4512",
         "Operat Chitanta nr.77", {QDate(2024, 12, 31), "23:59:59", "CASIER 1", "4512", "Operat Chitanta nr.77"}},
        {"texts cut to their columns", QDateTime(QDate(2024, 6, 30), QTime(14, 5, 9)),
         "OPERATOR CU NUME FOARTE LUNG", "SAT NOU DE JOS", longAction,
         {QDate(2024, 6, 30), "14:05:09", "OPERATOR CU NUME FOA", "SAT NOU D", longAction.left(120)}},
        {"a name typed with letters of Romanian", QDateTime(QDate(2024, 2, 29), QTime(8, 30, 0)),
         QStringLiteral("IONESCU \u0218TEFAN"), "X", "Preluare date din salvare RA2020.",
         {QDate(2024, 2, 29), "08:30:00", QStringLiteral("IONESCU \u015ETEFAN"), "X",
          "Preluare date din salvare RA2020."}},
    };
    for (const Case& c : cases) {
        ws.now = c.now;
        ws.user = c.user;
        ASSERT_TRUE(log.LogAction(c.rol, c.action)) << c.what;
    }
    EXPECT_TRUE(said.records().empty());
    for (LogSource s : {LogSource::General, LogSource::ThisComputer}) {
        const std::vector<LogEntry> rows = log.Read(s);
        ASSERT_EQ(rows.size(), cases.size());
        for (size_t i = 0; i < cases.size(); ++i) {
            SCOPED_TRACE(cases[i].what);
            const LogEntry& e = cases[i].expected;
            EXPECT_EQ(rows[i].date, e.date);
            EXPECT_EQ(rows[i].time, e.time);
            EXPECT_EQ(rows[i].user, e.user);
            EXPECT_EQ(rows[i].rol, e.rol);
            EXPECT_EQ(rows[i].action, e.action);
        }
    }
}

TEST(ActivityLogWorkstations, GeneralHoldsEveryWorkstationAndEachComputerOnlyItsOwn)
{
    ScriptedInteraction said;
    lirma::ui::ScopedInteraction scope{said};
    Workstation first;
    Workstation second(first.folders.data); // the same data folder, as on a file server
    second.user = QStringLiteral("IONESCU");
    ActivityLog firstLog(*first.data, first.folders, first.userName(), first.clock());
    ActivityLog secondLog(*second.data, second.folders, second.userName(), second.clock());

    ASSERT_TRUE(firstLog.LogAction("1", "Adaugare Poprire"));
    ASSERT_TRUE(secondLog.LogAction("2", "Stergere Poprire"));
    ASSERT_TRUE(firstLog.LogAction("3", "Adaugat la plata"));
    EXPECT_TRUE(said.records().empty());

    auto actions = [](const std::vector<LogEntry>& rows) {
        std::vector<QString> out;
        for (const LogEntry& e : rows) out.push_back(e.user + u' ' + e.rol + u' ' + e.action);
        return out;
    };
    const std::vector<QString> all = {"POPESCU 1 Adaugare Poprire", "IONESCU 2 Stergere Poprire",
                                      "POPESCU 3 Adaugat la plata"};
    EXPECT_EQ(actions(firstLog.Read(LogSource::General)), all);
    EXPECT_EQ(actions(secondLog.Read(LogSource::General)), all);
    EXPECT_EQ(actions(firstLog.Read(LogSource::ThisComputer)),
              (std::vector<QString>{"POPESCU 1 Adaugare Poprire", "POPESCU 3 Adaugat la plata"}));
    EXPECT_EQ(actions(secondLog.Read(LogSource::ThisComputer)),
              (std::vector<QString>{"IONESCU 2 Stergere Poprire"}));
}

TEST_F(ActivityLogTest, ADeletedWorkstationLogIsMadeAgainAndTheGeneralOneKeepsItsRows)
{
    ASSERT_TRUE(log.LogAction("5", "Adaugare Poprire"));
    ASSERT_TRUE(QFile::remove(ws.logFile(LogSource::ThisComputer)));
    ASSERT_TRUE(log.LogAction("6", "Stergere Poprire")) << said.messageTexts().join("|").toStdString();
    EXPECT_TRUE(said.records().empty());
    EXPECT_EQ(log.Read(LogSource::General).size(), 2u);
    const std::vector<LogEntry> own = log.Read(LogSource::ThisComputer);
    ASSERT_EQ(own.size(), 1u);
    EXPECT_EQ(own[0].rol, "6");
}

TEST_F(ActivityLogTest, ALogNeverWrittenReadsEmptyAndADamagedOneCannotBeRead)
{
    EXPECT_TRUE(log.Read(LogSource::General).empty());
    EXPECT_TRUE(log.Read(LogSource::ThisComputer).empty());
    writeBytes(ws.logFile(LogSource::General), QByteArray("not a table"));
    EXPECT_THROW(log.Read(LogSource::General), lirma::storage::StorageError);
}

// Ways a log cannot be written, applied before the action.
struct Breakage {
    const char* what;
    bool general;     // the data folder's log is broken
    bool workstation; // the program folder's log is broken
};

void breakLog(const QString& path)
{
    // Half a header: the engine refuses to read or write such a file.
    writeBytes(path, QByteArray("\x03\x7C\x03\x05\x01\x00\x00\x00", 8));
}

TEST(ActivityLogFailure, AFailedWriteWarnsOnceNeverThrowsAndStillWritesTheOtherLog)
{
    const std::vector<Breakage> cases = {
        {"data folder's log damaged", true, false},
        {"workstation's log damaged", false, true},
        {"both damaged", true, true},
    };
    for (const Breakage& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedInteraction told;
        lirma::ui::ScopedInteraction scope{told};
        Workstation w;
        if (c.general) breakLog(w.logFile(LogSource::General));
        if (c.workstation) breakLog(w.logFile(LogSource::ThisComputer));
        const QByteArray broken = readBytes(w.logFile(c.general ? LogSource::General : LogSource::ThisComputer));
        ActivityLog l(*w.data, w.folders, w.userName(), w.clock());

        bool logged = true;
        EXPECT_NO_THROW(logged = l.LogAction("2", "Operat Chitanta nr.12"));
        EXPECT_FALSE(logged);

        ASSERT_EQ(told.records().size(), 1u);
        const auto& m = told.records().front();
        EXPECT_EQ(m.what, ScriptedInteraction::What::Message);
        EXPECT_EQ(m.buttons, lirma::ui::BtnOk);
        EXPECT_EQ(m.kind, lirma::ui::KindAtentie);
        EXPECT_TRUE(m.text.startsWith(lirma::core::logtext::NotLoggedWarning())) << m.text.toStdString();
        EXPECT_EQ(m.text.contains(w.logFile(LogSource::General)), c.general);
        EXPECT_EQ(m.text.contains(w.logFile(LogSource::ThisComputer)), c.workstation);

        // A damaged log is left as it was; the sound one got the row.
        for (LogSource s : {LogSource::General, LogSource::ThisComputer}) {
            const bool isBroken = s == LogSource::General ? c.general : c.workstation;
            if (isBroken) {
                EXPECT_EQ(readBytes(w.logFile(s)), broken);
            } else {
                const std::vector<LogEntry> rows = l.Read(s);
                ASSERT_EQ(rows.size(), 1u);
                EXPECT_EQ(rows[0].action, "Operat Chitanta nr.12");
            }
        }
    }
}

TEST(ActivityLogFailure, AnUnusableProgramFolderWarnsOnce)
{
    ScriptedInteraction said;
    lirma::ui::ScopedInteraction scope{said};
    Workstation ws;
    Folders elsewhere = ws.folders;
    // The program folder is a file: nothing can be opened or created in it.
    elsewhere.program = ws.folders.program + QStringLiteral("/Temp/notafolder");
    writeBytes(elsewhere.program, "x");
    ActivityLog log(*ws.data, elsewhere, ws.userName(), ws.clock());
    EXPECT_FALSE(log.LogAction("", "Pornire program."));
    EXPECT_EQ(said.messages().size(), 1u);
    EXPECT_EQ(log.Read(LogSource::General).size(), 1u);
    EXPECT_FALSE(log.LogAction("", "Pornire program."));
    EXPECT_EQ(said.messages().size(), 2u); // once per action, tried again each time
}

TEST_F(ActivityLogTest, AFailedLogWriteLeavesTheCallersTransactionUsable)
{
    ws.data->createTable("Poprire", {lirma::storage::FieldDef::Decimal("IDGOS", 10, 0)});
    breakLog(ws.logFile(LogSource::General));
    {
        lirma::storage::Transaction tx(*ws.data);
        ws.data->exec("INSERT INTO Poprire (IDGOS) VALUES (?)", {42});
        EXPECT_FALSE(log.LogAction("1", "Adaugare Poprire"));
        ws.data->exec("INSERT INTO Poprire (IDGOS) VALUES (?)", {43});
        tx.commit();
    }
    EXPECT_EQ(ws.data->scalar("SELECT SUM(IDGOS) FROM Poprire").toInt(), 85);
    EXPECT_EQ(said.messages().size(), 1u);
}

TEST_F(ActivityLogTest, TheGeneralRowBelongsToTheCallersTransaction)
{
    ASSERT_TRUE(log.LogAction("1", "Pornire program."));
    {
        lirma::storage::Transaction tx(*ws.data);
        ASSERT_TRUE(log.LogAction("2", "Operat Chitanta nr.1"));
        tx.rollback(); // the operation was undone: its row goes with it
    }
    EXPECT_EQ(log.Read(LogSource::General).size(), 1u);
    EXPECT_EQ(log.Read(LogSource::ThisComputer).size(), 2u);
}

// A workstation whose log is created by another one in the moment between "missing" and "create".
class RacedLog : public ActivityLog {
public:
    RacedLog(Workstation& ws, Database& other, Database& otherOwn)
        : ActivityLog(*ws.data, ws.folders, ws.userName(), ws.clock()), other_(other), otherOwn_(otherOwn)
    {
    }
    std::vector<LogSource> raced;

protected:
    void beforeCreate(LogSource source) override
    {
        raced.push_back(source);
        const auto& table = lirma::db::Table("Log.dbf");
        (source == LogSource::General ? other_ : otherOwn_).createTable(table.fileName, table.fields);
    }

private:
    Database& other_;
    Database& otherOwn_;
};

TEST(ActivityLogRace, ALogAnotherWorkstationCreatedFirstCountsAsCreated)
{
    ScriptedInteraction said;
    lirma::ui::ScopedInteraction scope{said};
    Workstation ws;
    // Other processes on the same folders, as another workstation (and a second copy on this one).
    Database other(toPath(ws.folders.data));
    Database otherOwn(toPath(ws.folders.program));
    RacedLog log(ws, other, otherOwn);

    EXPECT_TRUE(log.LogAction("9", "Adaugare Somatia nr.4/05.03.2024"));
    EXPECT_EQ(log.raced, (std::vector<LogSource>{LogSource::General, LogSource::ThisComputer}));
    EXPECT_TRUE(said.records().empty());
    for (LogSource s : {LogSource::General, LogSource::ThisComputer}) {
        const Dump dump = readWithDbfread(ws.logFile(s));
        ASSERT_EQ(dump.rows.size(), 1u);
        EXPECT_EQ(dump.rows[0][4], "Adaugare Somatia nr.4/05.03.2024");
    }
    // Created once, it is not created again.
    EXPECT_TRUE(log.LogAction("9", "Stergere Somatia nr.4/05.03.2024"));
    EXPECT_EQ(log.raced.size(), 2u);
}

TEST(TraceFile, StaysOffInThisEditionAndWritesTimedLinesWhenOn)
{
    QTemporaryDir dir;
    const Folders folders = Folders::ForProgram(dir.path());
    const QDateTime at(QDate(2024, 5, 6), QTime(7, 8, 9));
    EXPECT_FALSE(TraceFile::kOnInThisEdition);
    EXPECT_EQ(TraceFile::FileName(), "Lirma2024Log.txt");

    TraceFile off(folders, TraceFile::kOnInThisEdition, [&] { return at; });
    off.TraceLine("Am operat tot.");
    off.Reset();
    EXPECT_FALSE(QFile::exists(off.path()));
    writeBytes(off.path(), "kept\n");
    off.Reset();
    off.TraceLine("Am operat tot.");
    EXPECT_EQ(readBytes(off.path()), QByteArray("kept\n"));

    TraceFile on(folders, true, [&] { return at; });
    on.Reset();
    EXPECT_EQ(readBytes(on.path()), QByteArray());
    on.TraceLine("Start");
    on.TraceLine("Am operat tot.");
    EXPECT_EQ(readBytes(on.path()), QByteArray("07:08:09 : Start\n07:08:09 : Am operat tot.\n"));
}

}  // namespace
