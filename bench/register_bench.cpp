// The taxpayer register on a generated register of 20,000 taxpayers: the filter as the user types
// a name letter by letter (one keystroke per iteration, with the grid's model refreshed), reading
// the whole list again, and loading an asset page of a taxpayer. Target: under 100 ms each.
//
//   lirma-bench --benchmark_filter=register
#include "commune_data.h"

#include "db/catalog.h"
#include "db/counters.h"
#include "db/settings.h"
#include "register/asset_pages.h"
#include "register/taxpayer_model.h"
#include "register/taxpayer_register.h"

#include <benchmark/benchmark.h>

#include <QString>

#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace lirma;

namespace {

constexpr int kTaxpayers = 20000;

// One data folder with every table, the taxpayers and their page rows, made on first use.
struct RegisterWorld {
    fs::path folder;
    std::unique_ptr<storage::Database> db;
    std::unique_ptr<db::Settings> settings;
    std::unique_ptr<db::Counters> counters;
    std::unique_ptr<reg::TaxpayerRegister> reg;
    std::unique_ptr<reg::AssetPages> pages;

    RegisterWorld()
    {
        folder = fs::temp_directory_path() / ("lirma-register-bench-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        const QString data = QString::fromStdString(folder.string());
        db = std::make_unique<storage::Database>(folder);
        settings = std::make_unique<db::Settings>(db::Settings::inFolders(data, data));
        counters = std::make_unique<db::Counters>(db::settingsPathIn(data));
        db::CreateMissingTables(*db, {}, [this] { return counters->NextId(db::keys::IDCOD).toLongLong(); });
        fill();
        reg = std::make_unique<reg::TaxpayerRegister>(*db, *counters);
        pages = std::make_unique<reg::AssetPages>(*db, *settings);
    }
    ~RegisterWorld()
    {
        pages.reset();
        reg.reset();
        db.reset();
        std::error_code ec;
        fs::remove_all(folder, ec);
    }

    void fill()
    {
        static const char* const villages[] = {"POIANA", "VALEA MARE", "SESURI", "DEALU FRUMOS",
                                               "CIRESU", "IZVORU",     "MAGURA", "PADURENI"};
        static const char* const surnames[] = {"POPESCU", "IONESCU", "MUNTEANU", "TURCANU", "DUMITRESCU",
                                               "STOICA",  "LUNGU",   "BALAN",    "MOLDOVAN", "RUSU",
                                               "OPREA",   "SERBAN",  "CIOBANU",  "MATEI",   "POPA"};
        static const char* const names[] = {"ION", "MARIA", "GHEORGHE", "ELENA", "VASILE", "ANA",
                                            "STEFAN", "IOANA", "NICOLAE", "DUMITRU"};
        static const char* const streets[] = {"PRINCIPALA", "SCOLII", "BISERICII", "MORII", "LIVEZILOR"};
        bench::Rng rng(20240101);
        storage::Transaction tx(*db);
        for (int i = 1; i <= kTaxpayers; ++i) {
            const std::string name = std::string(surnames[rng.below(15)]) + " " + names[rng.below(10)];
            db->exec("INSERT INTO Gospodar (IDGOS, SATUL, ROL, NUMEP, CNP, STRADA, ADRESA, MOST, NRPERS, TIP, "
                     "SCCLAD, SCCC, SCTI, SCAUTO, SCTE, OBS, OBS2, NOTAX, INDOP) "
                     "VALUES (?, ?, ?, ?, '', ?, ?, '', ?, 'FIZICA', 0, 0, 0, 0, 0, ?, '', 'NU', '')",
                     {i, villages[rng.below(8)], std::to_string(i), name, streets[rng.below(5)],
                      "NR. " + std::to_string(rng.between(1, 300)), rng.between(1, 6),
                      rng.chance(10) ? "Observatie la rolul " + std::to_string(i) : std::string()});
            for (const QString& table : reg::PageTables())
                reg::InsertZeroRow(*db, table, i);
        }
        tx.commit();
    }
};

RegisterWorld& world()
{
    static RegisterWorld w;
    return w;
}

// One keystroke of a name typed letter by letter in one village and then cleared, as the
// window does it: the filter over the loaded list and the grid's model refreshed.
void BM_RegisterFilterKeystroke(benchmark::State& state)
{
    RegisterWorld& w = world();
    w.reg->Reload();
    reg::TaxpayerModel model(*w.reg);
    const QString typed = QStringLiteral("POPESCU ION");
    int step = 0;
    int64_t shown = 0;
    for (auto _ : state) {
        const int n = step % (int(typed.size()) + 1);
        w.reg->SetFilter(step % 2 ? QStringLiteral("POIANA") : QString(), QString(), typed.left(n));
        model.refresh();
        shown += model.rowCount();
        benchmark::DoNotOptimize(w.reg->rowOf(kTaxpayers / 2));
        ++step;
    }
    state.counters["rows_shown"] = benchmark::Counter(double(shown), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_RegisterFilterKeystroke)->Name("register/filter_keystroke")->Unit(benchmark::kMillisecond)->UseRealTime();

// Reading the whole register again (after add, modify, delete or a sort).
void BM_RegisterReload(benchmark::State& state)
{
    RegisterWorld& w = world();
    for (auto _ : state) {
        w.reg->Reload();
        benchmark::DoNotOptimize(w.reg->visibleCount());
    }
}
BENCHMARK(BM_RegisterReload)->Name("register/reload_list")->Unit(benchmark::kMillisecond)->UseRealTime();

// An asset page of one taxpayer: its row found by IDGOS among 20,000 and shown as texts.
void BM_RegisterPageLoad(benchmark::State& state)
{
    RegisterWorld& w = world();
    const reg::AssetPage page = reg::AssetPage(state.range(0));
    bench::Rng rng(7);
    for (auto _ : state) {
        const QStringList values = w.pages->Load(page, rng.between(1, kTaxpayers));
        benchmark::DoNotOptimize(values.size());
    }
    state.SetLabel(reg::PageDefOf(page).name.toStdString());
}
BENCHMARK(BM_RegisterPageLoad)
    ->Name("register/page_load")
    ->Arg(int(reg::AssetPage::Pag1))
    ->Arg(int(reg::AssetPage::Pag5))
    ->Arg(int(reg::AssetPage::Pag11))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
