// Transactions: all or nothing, also when the process is killed in the middle of a commit,
// and several processes on one folder.
#include "storage_fixture.h"

#include "platform/storage/fault.h"

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void makeThreeTables(const fs::path& folder) {
    Database db(folder);
    db.createTable("SoldCalc", parseColumnList("IDGOS DECIMAL(10,0), SUMA DECIMAL(8,0)"));
    db.createTable("Chitante", parseColumnList("IDCHIT DECIMAL(10,0), IDGOS DECIMAL(10,0), SUMA DECIMAL(8,0), "
                                               "NUME CHAR(40)"));
    db.createTable("Datorii", parseColumnList("IDDAT DECIMAL(10,0), IDGOS DECIMAL(10,0), REST DECIMAL(8,0)"));
    Transaction tx(db);
    for (int g = 1; g <= 20; ++g) {
        db.exec("INSERT INTO SoldCalc VALUES (?, 1000)", {g});
        db.exec("INSERT INTO Datorii VALUES (?, ?, 50)", {g, g});
    }
    tx.commit();
}

// A payment: balances lowered, receipt lines appended, a debt row deleted.
void payment(Database& db) {
    Transaction tx(db);
    db.exec("UPDATE SoldCalc SET SUMA = SUMA - 100 WHERE IDGOS <= 10");
    for (int i = 1; i <= 30; ++i)
        db.exec("INSERT INTO Chitante VALUES (?, ?, 100, 'Ţăranu Ion')", {i, i % 10 + 1});
    db.exec("DELETE FROM Datorii WHERE IDGOS IN (3, 4, 5)");
    tx.commit();
}

enum class State { None, All, Mixed };

State stateOf(const fs::path& folder) {
    Database db(folder); // opening rolls back a journal left behind
    int64_t sold = db.scalar("SELECT SUM(SUMA) FROM SoldCalc").toInt();
    int64_t chit = db.scalar("SELECT COUNT(*) FROM Chitante").toInt();
    int64_t dat = db.scalar("SELECT COUNT(*) FROM Datorii").toInt();
    if (sold == 20000 && chit == 0 && dat == 20) return State::None;
    if (sold == 19000 && chit == 30 && dat == 17) return State::All;
    ADD_FAILURE() << "sold " << sold << " receipts " << chit << " debts " << dat;
    return State::Mixed;
}

TEST(StorageTransactions, RollbackAndDestructionLeaveNothing) {
    TempDir dir;
    makeThreeTables(dir.path());
    Database db(dir.path());
    {
        Transaction tx(db);
        db.exec("UPDATE SoldCalc SET SUMA = 0");
        db.exec("INSERT INTO Chitante VALUES (1, 1, 1, 'x')");
        EXPECT_EQ(db.scalar("SELECT SUM(SUMA) FROM SoldCalc").toInt(), 0);
    } // no commit
    EXPECT_EQ(stateOf(dir.path()), State::None);
    EXPECT_EQ(db.scalar("SELECT SUM(SUMA) FROM SoldCalc").toInt(), 20000);
    payment(db);
    EXPECT_EQ(stateOf(dir.path()), State::All);
}

TEST(StorageTransactions, KilledAtEveryWriteOfTheCommitLeavesAllOrNothing) {
    TempDir pristine;
    makeThreeTables(pristine.path());
    int sawNone = 0, sawAll = 0;
    for (long kill = 1;; ++kill) {
        SCOPED_TRACE("killed at write " + std::to_string(kill));
        TempDir dir;
        for (auto& e : fs::directory_iterator(pristine.path())) fs::copy(e.path(), dir / e.path().filename().string());
        pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            lirma::storage::fault::setKillAt(kill);
            try {
                Database db(dir.path());
                payment(db);
            } catch (...) {
                _exit(2);
            }
            _exit(0);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        bool killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
        ASSERT_TRUE(killed || (WIFEXITED(status) && WEXITSTATUS(status) == 0)) << status;
        State s = stateOf(dir.path());
        ASSERT_NE(s, State::Mixed);
        s == State::All ? ++sawAll : ++sawNone;
        EXPECT_FALSE(fs::exists(dir / "lirma.jnl"));
        for (const char* t : {"SoldCalc.dbf", "Chitante.dbf", "Datorii.dbf"}) {
            std::string json = dumpWithDbfread(dir / t);
            EXPECT_EQ(json.rfind("{\"fields\"", 0), 0u) << json;
        }
        if (!killed) {
            EXPECT_EQ(s, State::All);
            break;
        }
        ASSERT_LT(kill, 100);
    }
    // Kills before the journal was deleted roll back; the ones after it keep the payment.
    EXPECT_GT(sawNone, 3);
    EXPECT_GE(sawAll, 1);
}

TEST(StorageTransactions, CommitOfOneProcessIsSeenByTheNextStatementOfAnother) {
    TempDir dir;
    makeThreeTables(dir.path());
    Database a(dir.path()), b(dir.path());
    EXPECT_EQ(b.scalar("SELECT SUMA FROM SoldCalc WHERE IDGOS = 1").toInt(), 1000); // b caches and indexes
    a.exec("UPDATE SoldCalc SET SUMA = 1 WHERE IDGOS = 1");
    EXPECT_EQ(b.scalar("SELECT SUMA FROM SoldCalc WHERE IDGOS = 1").toInt(), 1);
    a.exec("UPDATE SoldCalc SET IDGOS = 77 WHERE IDGOS = 2");
    EXPECT_EQ(b.scalar("SELECT COUNT(*) FROM SoldCalc WHERE IDGOS = 77").toInt(), 1);
    a.createTable("Nou", parseColumnList("A CHAR(2)"));
    a.exec("INSERT INTO Nou VALUES ('x')");
    EXPECT_EQ(b.scalar("SELECT A FROM Nou"), Value("x"));
    a.packTable("Datorii");
    EXPECT_EQ(b.scalar("SELECT COUNT(*) FROM Datorii").toInt(), 20);
    a.dropTable("Nou");
    EXPECT_THROW(b.query("SELECT A FROM Nou"), StorageError);
    // Readers never see an open transaction's changes.
    Transaction tx(a);
    a.exec("UPDATE SoldCalc SET SUMA = 5");
    EXPECT_EQ(a.scalar("SELECT SUM(SUMA) FROM SoldCalc").toInt(), 100);
    EXPECT_EQ(b.scalar("SELECT SUM(SUMA) FROM SoldCalc").toInt(), 19001);
    tx.commit();
    EXPECT_EQ(b.scalar("SELECT SUM(SUMA) FROM SoldCalc").toInt(), 100);
}

// Runs `work` in `n` child processes at once; all must exit 0.
template <class F> void inChildren(int n, F work) {
    std::vector<pid_t> pids;
    for (int i = 0; i < n; ++i) {
        pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            int rc = 0;
            try {
                work(i);
            } catch (const std::exception& e) {
                fprintf(stderr, "child %d: %s\n", i, e.what());
                rc = 3;
            }
            _exit(rc);
        }
        pids.push_back(pid);
    }
    for (pid_t pid : pids) {
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
}

TEST(StorageConcurrency, TwoProcessesIncrementingOneRowLoseNothing) {
    TempDir dir;
    {
        Database db(dir.path());
        db.createTable("Contor", parseColumnList("ID DECIMAL(4,0), N DECIMAL(10,0)"));
        db.exec("INSERT INTO Contor VALUES (1, 0)");
    }
    inChildren(2, [&](int) {
        Database db(dir.path());
        for (int i = 0; i < 500; ++i) {
            // Read, then write inside one transaction: safe because the write lock is held from the start.
            Transaction tx(db);
            int64_t n = db.scalar("SELECT N FROM Contor WHERE ID = 1").toInt();
            db.exec("UPDATE Contor SET N = ? WHERE ID = 1", {n + 1});
            tx.commit();
        }
    });
    Database db(dir.path());
    EXPECT_EQ(db.scalar("SELECT N FROM Contor WHERE ID = 1").toInt(), 1000);
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM Contor").toInt(), 1);
}

TEST(StorageConcurrency, TwoProcessesAppendingGetEveryRowOnce) {
    TempDir dir;
    {
        Database db(dir.path());
        db.createTable("Chitante", parseColumnList("WHO DECIMAL(2,0), NR DECIMAL(6,0)"));
    }
    inChildren(2, [&](int who) {
        Database db(dir.path());
        for (int i = 0; i < 500; ++i) db.exec("INSERT INTO Chitante VALUES (?, ?)", {who, i});
    });
    Database db(dir.path());
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM Chitante").toInt(), 1000);
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM (SELECT DISTINCT WHO, NR FROM Chitante)").toInt(), 1000);
    std::string json = dumpWithDbfread(dir / "Chitante.dbf");
    EXPECT_NE(json.find("\"deleted\": 0"), std::string::npos);
}

} // namespace
