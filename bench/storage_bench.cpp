// The storage engine (dBASE files through a SQLite virtual-table module) against native
// SQLite tables holding the same rows, with the same SQL, in one run.
//
//   lirma-bench [--scale=F] [--min-time=S] [--iterations=N] [--dir=PATH] [--keep]
//               [--seed=N] [--native-cache-mb=N] [--benchmark_filter=REGEX ...]
//
// --scale multiplies the row counts (20,000 taxpayers, 150,000 debt rows, 10,000 inserted
// rows); --iterations fixes the iterations of every benchmark (for profiling runs);
// --dir puts the temporary folder elsewhere (another disk); --native-cache-mb gives the
// native side a bigger page cache than SQLite's default 2 MB.
#include "commune_data.h"
#include "native_sqlite.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;
using namespace lirma;
using namespace lirma::bench;
using storage::Database;
using storage::ResultSet;
using storage::Transaction;

namespace {

// ---- the statements measured (the same text on both sides) ---------------------------

constexpr const char* kScanSql = "SELECT COUNT(*), SUM(SUMA) FROM Datorii WHERE REST > ?";
constexpr const char* kGroupSql =
    "SELECT GRUPA, COUNT(*), SUM(SUMA), SUM(REST) FROM Datorii GROUP BY GRUPA ORDER BY GRUPA";
constexpr const char* kLookupGospodarSql = "SELECT * FROM Gospodar WHERE IDGOS = ?";
constexpr const char* kLookupDatoriiSql = "SELECT * FROM Datorii WHERE IDGOS = ?";
constexpr const char* kJoinSql =
    "SELECT g.IDGOS, g.NUMEP, COUNT(*), SUM(d.SUMA), SUM(d.REST) "
    "FROM Gospodar g JOIN Datorii d ON d.IDGOS = g.IDGOS "
    "WHERE g.SATUL = ? GROUP BY g.IDGOS, g.NUMEP ORDER BY g.IDGOS";
constexpr const char* kUpdateSql = "UPDATE Datorii SET REST = ? WHERE IDGOS = ? AND IDDAT = ?";
constexpr int kScanThreshold = 1000;

struct Options {
    double scale = 1.0;
    double minTime = 0.5;
    int64_t iterations = 0;
    fs::path dir;
    bool keep = false;
    int nativeCacheMb = 0; // 0: SQLite's default page cache (2 MB)
    uint64_t seed = 20240101;
};

using Clock = std::chrono::steady_clock;
double secondsSince(Clock::time_point t0) { return std::chrono::duration<double>(Clock::now() - t0).count(); }

std::string formatTime(double seconds) {
    char buf[32];
    if (seconds >= 1) std::snprintf(buf, sizeof buf, "%.2f s", seconds);
    else if (seconds >= 1e-3) std::snprintf(buf, sizeof buf, "%.2f ms", seconds * 1e3);
    else std::snprintf(buf, sizeof buf, "%.1f us", seconds * 1e6);
    return buf;
}

std::string formatSize(uintmax_t bytes) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f MB", double(bytes) / (1024.0 * 1024.0));
    return buf;
}

// Both sides must give the same rows before their speed means anything.
bool sameResult(const ResultSet& a, const ResultSet& b, std::string& why) {
    if (a.rows.size() != b.rows.size()) {
        why = std::to_string(a.rows.size()) + " rows against " + std::to_string(b.rows.size());
        return false;
    }
    for (size_t r = 0; r < a.rows.size(); ++r) {
        if (a.rows[r].size() != b.rows[r].size()) {
            why = "row " + std::to_string(r) + " has a different number of columns";
            return false;
        }
        for (size_t c = 0; c < a.rows[r].size(); ++c) {
            const Value& x = a.rows[r][c];
            const Value& y = b.rows[r][c];
            bool same = x == y;
            if (!same && x.isReal() && y.isReal())
                same = std::fabs(x.toReal() - y.toReal()) <= 1e-9 * std::max(1.0, std::fabs(y.toReal()));
            if (!same) {
                why = "row " + std::to_string(r) + " column " + std::to_string(c) + ": '" + x.toText() +
                      "' against '" + y.toText() + "'";
                return false;
            }
        }
    }
    return true;
}

// ---- the data and both databases ------------------------------------------------------

struct World {
    Options opt;
    fs::path root, dataFolder, nativeFile;
    Commune commune;
    int insertRows = 10000;
    std::unique_ptr<Database> engine;
    std::unique_ptr<Database> otherEngine; // a second connection: another workstation
    std::unique_ptr<NativeDb> native;
    std::unique_ptr<NativeDb> otherNative;
    std::vector<int64_t> lookupIds;
    std::vector<std::pair<int64_t, int64_t>> updateKeys; // (IDGOS, IDDAT)
    int tableSerial = 0;

    void build();
    void verify();
    void removeFolder();
};

void World::build() {
    int taxpayers = std::max(50, int(20000 * opt.scale));
    int debts = std::max(300, int(150000 * opt.scale));
    insertRows = std::max(100, int(10000 * opt.scale));

    fs::path base = opt.dir.empty() ? fs::temp_directory_path() : opt.dir;
    fs::create_directories(base);
    std::string tmpl = (base / "lirma-bench-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) throw std::runtime_error("cannot create a folder under " + base.string());
    root = tmpl;
    dataFolder = root / "data";
    nativeFile = root / "native.sqlite";
    fs::create_directories(dataFolder);

    auto t0 = Clock::now();
    commune = generateCommune(opt.seed, taxpayers, debts);
    std::printf("Generated %d taxpayers and %d debt rows in %s (seed %llu)\n", taxpayers, debts,
                formatTime(secondsSince(t0)).c_str(), static_cast<unsigned long long>(opt.seed));

    // Engine: tables created through the engine, rows inserted in one transaction each.
    t0 = Clock::now();
    {
        Database db(dataFolder);
        for (const TableData* t : {&commune.gospodar, &commune.datorii}) {
            db.createTable(t->name, storage::parseColumnList(t->columns));
            Transaction tx(db);
            std::string sql = t->insertSql();
            for (const auto& row : t->rows) db.exec(sql, row);
            tx.commit();
        }
    }
    double engineLoad = secondsSince(t0);

    // Native: the same rows, with the index on IDGOS a real schema would have.
    t0 = Clock::now();
    {
        NativeDb db(nativeFile);
        for (const TableData* t : {&commune.gospodar, &commune.datorii}) {
            db.script(t->createSql() + "; CREATE INDEX " + t->name + "_IDGOS ON " + t->name + "(IDGOS)");
            db.script("BEGIN");
            std::string sql = t->insertSql();
            for (const auto& row : t->rows) db.exec(sql, row);
            db.script("COMMIT");
        }
    }
    double nativeLoad = secondsSince(t0);

    uintmax_t dbfBytes = 0;
    for (auto& e : fs::directory_iterator(dataFolder))
        if (e.path().extension() == ".dbf") dbfBytes += e.file_size();
    std::printf("Bulk load: engine %s (%s of .dbf), native %s (%s)\n", formatTime(engineLoad).c_str(),
                formatSize(dbfBytes).c_str(), formatTime(nativeLoad).c_str(),
                formatSize(fs::file_size(nativeFile)).c_str());

    // Fresh connections, as a program opening the folder; the engine's IDGOS indexes as
    // the daily maintenance asks for them.
    t0 = Clock::now();
    engine = std::make_unique<Database>(dataFolder);
    engine->addIndex("Gospodar", "IDGOS");
    engine->addIndex("Datorii", "IDGOS");
    std::printf("Engine open + first load of both tables with IDGOS indexes: %s\n",
                formatTime(secondsSince(t0)).c_str());
    otherEngine = std::make_unique<Database>(dataFolder);
    native = std::make_unique<NativeDb>(nativeFile);
    otherNative = std::make_unique<NativeDb>(nativeFile);
    if (opt.nativeCacheMb > 0)
        for (NativeDb* n : {native.get(), otherNative.get()})
            n->script("PRAGMA cache_size=-" + std::to_string(opt.nativeCacheMb * 1024));

    Rng rng(opt.seed + 1);
    for (int i = 0; i < 4096; ++i) lookupIds.push_back(rng.between(1, taxpayers));
    for (int i = 0; i < 4096; ++i) {
        const Params& row = commune.datorii.rows[size_t(rng.below(debts))];
        updateKeys.emplace_back(row[1].toInt(), row[0].toInt());
    }
}

void World::verify() {
    struct Check {
        const char* sql;
        Params params;
    };
    std::vector<Check> checks = {
        {kScanSql, {Value(kScanThreshold)}},
        {kGroupSql, {}},
        {kLookupGospodarSql, {Value(lookupIds[0])}},
        {kLookupDatoriiSql, {Value(lookupIds[1])}},
        {kLookupDatoriiSql, {Value(int64_t(999999999))}},
    };
    for (const auto& v : commune.villages) checks.push_back({kJoinSql, {Value(v)}});
    for (const auto& c : checks) {
        ResultSet a = engine->query(c.sql, c.params);
        ResultSet b = native->query(c.sql, c.params);
        std::string why;
        if (!sameResult(a, b, why))
            throw std::runtime_error(std::string("engine and native differ on ") + c.sql + ": " + why);
    }
    std::printf("Results checked: the engine and native SQLite return the same rows for every statement.\n");
    std::printf("Native plans:\n");
    for (const char* sql : {kScanSql, kGroupSql, kLookupDatoriiSql, kJoinSql, kUpdateSql})
        std::printf("  %-70.70s | %s\n", sql, native->plan(sql).c_str());
    std::printf("Engine plans:\n");
    for (const char* sql : {kScanSql, kGroupSql, kLookupDatoriiSql, kJoinSql, kUpdateSql}) {
        std::string plan;
        try {
            size_t marks = 0;
            for (const char* q = sql; *q; ++q) marks += *q == '?';
            ResultSet rs = engine->query(std::string("EXPLAIN QUERY PLAN ") + sql, Params(marks));
            for (auto& row : rs.rows) plan += (plan.empty() ? "" : "; ") + row.back().toText();
        } catch (const std::exception& e) {
            plan = std::string("(") + e.what() + ")";
        }
        std::printf("  %-70.70s | %s\n", sql, plan.c_str());
    }
    std::fflush(stdout);
}

void World::removeFolder() {
    engine.reset();
    otherEngine.reset();
    native.reset();
    otherNative.reset();
    if (root.empty()) return;
    if (opt.keep) {
        std::printf("Data kept in %s\n", root.c_str());
        return;
    }
    std::error_code ec;
    fs::remove_all(root, ec);
}

World* world = nullptr;

// ---- one side of each pair ------------------------------------------------------------

struct EngineSide {
    static constexpr const char* name = "engine";
    static Database& db() { return *world->engine; }
    static Database& other() { return *world->otherEngine; }
    static void createInsertTable(const std::string& t) {
        db().createTable(t, storage::parseColumnList(world->commune.datorii.columns));
    }
    static void dropInsertTable(const std::string& t) { db().dropTable(t); }
    static void insertAll(const std::string& sql, int n) {
        Transaction tx(db());
        for (int i = 0; i < n; ++i) db().exec(sql, world->commune.datorii.rows[size_t(i)]);
        tx.commit();
    }
};

struct NativeSide {
    static constexpr const char* name = "native";
    static NativeDb& db() { return *world->native; }
    static NativeDb& other() { return *world->otherNative; }
    static void createInsertTable(const std::string& t) {
        db().script(world->commune.datorii.createSql(t) + "; CREATE INDEX " + t + "_IDGOS ON " + t + "(IDGOS)");
    }
    static void dropInsertTable(const std::string& t) { db().script("DROP TABLE " + t); }
    static void insertAll(const std::string& sql, int n) {
        db().script("BEGIN");
        for (int i = 0; i < n; ++i) db().exec(sql, world->commune.datorii.rows[size_t(i)]);
        db().script("COMMIT");
    }
};

template <class Side> void benchScan(benchmark::State& s) {
    for (auto _ : s) benchmark::DoNotOptimize(Side::db().query(kScanSql, {Value(kScanThreshold)}));
}

template <class Side> void benchGroup(benchmark::State& s) {
    for (auto _ : s) benchmark::DoNotOptimize(Side::db().query(kGroupSql));
}

template <class Side> void benchLookupGospodar(benchmark::State& s) {
    size_t i = 0;
    for (auto _ : s) {
        ResultSet rs = Side::db().query(kLookupGospodarSql, {Value(world->lookupIds[i++ % world->lookupIds.size()])});
        if (rs.size() != 1) s.SkipWithError("a taxpayer was not found");
    }
}

template <class Side> void benchLookupDatorii(benchmark::State& s) {
    size_t i = 0;
    for (auto _ : s)
        benchmark::DoNotOptimize(
            Side::db().query(kLookupDatoriiSql, {Value(world->lookupIds[i++ % world->lookupIds.size()])}));
}

template <class Side> void benchJoin(benchmark::State& s) {
    size_t i = 0;
    const auto& villages = world->commune.villages;
    for (auto _ : s) benchmark::DoNotOptimize(Side::db().query(kJoinSql, {Value(villages[i++ % villages.size()])}));
}

template <class Side> void benchInsert(benchmark::State& s) {
    for (auto _ : s) {
        s.PauseTiming();
        std::string table = "Ins" + std::to_string(++world->tableSerial);
        Side::createInsertTable(table);
        std::string sql = world->commune.datorii.insertSql(table);
        s.ResumeTiming();
        Side::insertAll(sql, world->insertRows);
        s.PauseTiming();
        Side::dropInsertTable(table);
        s.ResumeTiming();
    }
}

template <class Side> void benchUpdate(benchmark::State& s) {
    size_t i = 0;
    for (auto _ : s) {
        auto [idgos, iddat] = world->updateKeys[i % world->updateKeys.size()];
        int64_t changed = Side::db().exec(kUpdateSql, {Value(int64_t(i % 1000)), Value(idgos), Value(iddat)});
        ++i;
        if (changed != 1) s.SkipWithError("the update did not change exactly one row");
    }
}

// Another workstation commits one row, then this one looks a taxpayer's debts up.
template <class Side> void benchLookupAfterOtherCommit(benchmark::State& s) {
    size_t i = 0;
    for (auto _ : s) {
        s.PauseTiming();
        auto [idgos, iddat] = world->updateKeys[(i + 7) % world->updateKeys.size()];
        Side::other().exec(kUpdateSql, {Value(int64_t(i % 1000)), Value(idgos), Value(iddat)});
        s.ResumeTiming();
        benchmark::DoNotOptimize(
            Side::db().query(kLookupDatoriiSql, {Value(world->lookupIds[i % world->lookupIds.size()])}));
        ++i;
    }
}

// ---- pairs, targets and the summary ---------------------------------------------------

struct PairDef {
    const char* key;
    std::string title;
    double target; // allowed engine/native ratio; 0: no target
    void (*engine)(benchmark::State&);
    void (*native)(benchmark::State&);
    // Pairs whose iterations hide a durable commit (paused or not) run a fixed number of
    // times: a minimum time would multiply the fsyncs of the fast side.
    int64_t iterations = 0;
};

std::vector<PairDef> pairs() {
    std::string rows = std::to_string(world->commune.datorii.rows.size());
    std::string taxpayers = std::to_string(world->commune.gospodar.rows.size());
    return {
        {"scan_filter", "full scan, COUNT/SUM(SUMA) WHERE REST > ? (Datorii " + rows + ")", 3,
         benchScan<EngineSide>, benchScan<NativeSide>},
        {"group_by", "SUM ... GROUP BY GRUPA (Datorii " + rows + ")", 3, benchGroup<EngineSide>,
         benchGroup<NativeSide>},
        {"lookup_gospodar", "lookup Gospodar by IDGOS (" + taxpayers + " rows), one statement", 2,
         benchLookupGospodar<EngineSide>, benchLookupGospodar<NativeSide>},
        {"lookup_datorii", "lookup Datorii by IDGOS (~7.5 rows of " + rows + "), one statement", 2,
         benchLookupDatorii<EngineSide>, benchLookupDatorii<NativeSide>},
        {"join", "join Gospodar-Datorii on IDGOS, one village", 2, benchJoin<EngineSide>, benchJoin<NativeSide>},
        {"insert", "insert " + std::to_string(world->insertRows) + " rows in one transaction (fresh table)", 0,
         benchInsert<EngineSide>, benchInsert<NativeSide>, 12},
        {"update_durable", "one-row UPDATE, durable commit", 3, benchUpdate<EngineSide>, benchUpdate<NativeSide>,
         60},
        {"lookup_after_commit", "lookup Datorii after another connection committed", 0,
         benchLookupAfterOtherCommit<EngineSide>, benchLookupAfterOtherCommit<NativeSide>, 20},
    };
}

// Prints as the console reporter does and keeps the real time per iteration of each run.
class CollectingReporter : public benchmark::ConsoleReporter {
public:
    using ConsoleReporter::ConsoleReporter;
    std::map<std::string, double> secondsPerOp;
    std::map<std::string, std::string> errors;

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& r : runs) {
            if (r.run_type != Run::RT_Iteration) continue;
            std::string name = r.benchmark_name();
            if (auto cut = name.find("/min_time"); cut != std::string::npos) name.resize(cut);
            if (auto cut = name.find("/iterations"); cut != std::string::npos) name.resize(cut);
            if (auto cut = name.find("/real_time"); cut != std::string::npos) name.resize(cut);
            if (r.error_occurred) errors[name] = r.error_message;
            else if (r.iterations > 0) secondsPerOp[name] = r.real_accumulated_time / double(r.iterations);
        }
    }
};

void printSummary(const std::vector<PairDef>& defs, const CollectingReporter& rep) {
    char scale[32] = "full size";
    if (world->opt.scale != 1.0) std::snprintf(scale, sizeof scale, "scale %g", world->opt.scale);
    std::printf("\nEngine against native SQLite, real time per operation (%s, SQLite %s)\n", scale,
                sqlite3_libversion());
    std::printf("%-66s %11s %11s %8s %7s  %s\n", "operation", "engine", "native", "ratio", "target", "result");
    int missed = 0;
    for (const auto& p : defs) {
        std::string e = std::string(p.key) + "/engine", n = std::string(p.key) + "/native";
        auto ei = rep.secondsPerOp.find(e), ni = rep.secondsPerOp.find(n);
        if (ei == rep.secondsPerOp.end() || ni == rep.secondsPerOp.end()) {
            if (rep.errors.count(e) || rep.errors.count(n))
                std::printf("%-66s  failed: %s\n", p.title.c_str(),
                            (rep.errors.count(e) ? rep.errors.at(e) : rep.errors.at(n)).c_str());
            continue; // filtered out
        }
        double ratio = ei->second / ni->second;
        char target[16] = "-";
        const char* result = "";
        if (p.target > 0) {
            std::snprintf(target, sizeof target, "%.0fx", p.target);
            result = ratio <= p.target ? "OK" : "MISSED";
            if (ratio > p.target) ++missed;
        }
        std::printf("%-66s %11s %11s %7.2fx %7s  %s\n", p.title.c_str(), formatTime(ei->second).c_str(),
                    formatTime(ni->second).c_str(), ratio, target, result);
    }
    std::printf("%s\n", missed ? (std::to_string(missed) + " target(s) missed").c_str() : "All targets met.");
}

bool takeOption(const char* arg, const char* name, std::string& value) {
    size_t n = std::strlen(name);
    if (std::strncmp(arg, name, n) != 0) return false;
    if (arg[n] == '=') {
        value = arg + n + 1;
        return true;
    }
    if (arg[n] == '\0') {
        value.clear();
        return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    Options opt;
    std::vector<char*> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        std::string v;
        if (takeOption(argv[i], "--scale", v)) opt.scale = std::stod(v);
        else if (takeOption(argv[i], "--min-time", v)) opt.minTime = std::stod(v);
        else if (takeOption(argv[i], "--iterations", v)) opt.iterations = std::stoll(v);
        else if (takeOption(argv[i], "--dir", v)) opt.dir = v;
        else if (takeOption(argv[i], "--seed", v)) opt.seed = std::stoull(v);
        else if (takeOption(argv[i], "--keep", v)) opt.keep = true;
        else if (takeOption(argv[i], "--native-cache-mb", v)) opt.nativeCacheMb = std::stoi(v);
        else rest.push_back(argv[i]);
    }
    int bargc = int(rest.size());
    rest.push_back(nullptr);
    benchmark::Initialize(&bargc, rest.data());
    if (benchmark::ReportUnrecognizedArguments(bargc, rest.data())) return 1;

    World w;
    w.opt = opt;
    world = &w;
    int status = 0;
    try {
        auto t0 = Clock::now();
        w.build();
        w.verify();
        std::vector<PairDef> defs = pairs();
        for (const auto& p : defs) {
            for (int side = 0; side < 2; ++side) {
                std::string name = std::string(p.key) + (side ? "/native" : "/engine");
                auto* b = benchmark::RegisterBenchmark(name.c_str(), side ? p.native : p.engine);
                b->UseRealTime()->Unit(benchmark::kMicrosecond);
                if (opt.iterations > 0) b->Iterations(opt.iterations);
                else if (p.iterations > 0) b->Iterations(p.iterations);
                else b->MinTime(opt.minTime);
            }
        }
        CollectingReporter reporter(::isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_ColorTabular
                                                            : benchmark::ConsoleReporter::OO_Tabular);
        benchmark::RunSpecifiedBenchmarks(&reporter);
        printSummary(defs, reporter);
        std::printf("Total run: %s\n", formatTime(secondsSince(t0)).c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "lirma-bench: %s\n", e.what());
        status = 1;
    }
    benchmark::Shutdown();
    w.removeFolder();
    return status;
}
