// The yearly assessment of a whole register: a generated commune of 20,000 taxpayers with their
// asset pages (land outside and inside the built-up area, buildings, cars, lighting, arrears),
// added to payment through the command of the register window (progress window, stop button,
// final message answered by the scripted interaction). First the run that creates every debt and
// balance row, then a second run over the unchanged register. Target: under 60 s each.
//
//   lirma-bench --benchmark_filter=assessment
#include "commune_data.h"

#include "assessment/assessment_commands.h"
#include "assessment/yearly_debts.h"
#include "db/catalog.h"
#include "db/counters.h"
#include "db/settings.h"
#include "platform/ui/scripted_interaction.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace lirma;

namespace {

constexpr int kTaxpayers = 20000;

struct AssessmentWorld {
    fs::path folder;
    std::unique_ptr<storage::Database> db;
    std::unique_ptr<db::Counters> counters;
    std::vector<int64_t> ids;

    AssessmentWorld()
    {
        folder = fs::temp_directory_path() / ("lirma-assessment-bench-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        db = std::make_unique<storage::Database>(folder);
        counters = std::make_unique<db::Counters>(db::settingsPathIn(QString::fromStdString(folder.string())));
        db::CreateMissingTables(*db, {}, [this] { return counters->NextId(db::keys::IDCOD).toLongLong(); });
        fill();
    }
    ~AssessmentWorld()
    {
        db.reset();
        std::error_code ec;
        fs::remove_all(folder, ec);
    }

    void fill()
    {
        static const char* const villages[] = {"POIANA", "VALEA MARE", "SESURI", "DEALU FRUMOS",
                                               "CIRESU", "IZVORU",     "MAGURA", "PADURENI"};
        bench::Rng rng(20240102);
        storage::Transaction tx(*db);
        int64_t idclad = 0;
        for (int i = 1; i <= kTaxpayers; ++i) {
            ids.push_back(i);
            const bool legal = rng.chance(3);
            db->exec("INSERT INTO Gospodar (IDGOS, SATUL, ROL, NUMEP, CNP, NRPERS, TIP, SCCLAD, SCCC, SCTI, SCAUTO, SCTE, "
                     "NOTAX) VALUES (?, ?, ?, ?, '', ?, ?, ?, 0, 0, 0, ?, 'NU')",
                     {i, villages[rng.below(8)], std::to_string(i), "CONTRIBUABIL " + std::to_string(i),
                      rng.between(1, 6), legal ? "JURIDICA" : "FIZICA", rng.chance(2) ? 100 : 0,
                      rng.chance(5) ? 50 : 0});
            // Land outside: a few categories and columns.
            db->exec("INSERT INTO Pag1 (IDGOS, L1A, L1C, L2B, L7D) VALUES (?, ?, ?, ?, ?)",
                     {i, rng.chance(60) ? rng.between(1, 30000) / 10000.0 : 0.0,
                      rng.chance(30) ? rng.between(1, 50000) / 10000.0 : 0.0,
                      rng.chance(40) ? rng.between(1, 20000) / 10000.0 : 0.0,
                      rng.chance(10) ? rng.between(1, 90000) / 10000.0 : 0.0});
            db->exec("INSERT INTO Pag4 (IDGOS, CCA, CCB, AL1A, AL5B) VALUES (?, ?, ?, ?, ?)",
                     {i, rng.chance(80) ? double(rng.between(100, 2500)) : 0.0,
                      rng.chance(10) ? double(rng.between(100, 900)) : 0.0,
                      rng.chance(40) ? rng.between(1, 9000) / 10000.0 : 0.0,
                      rng.chance(15) ? rng.between(1, 5000) / 10000.0 : 0.0});
            db->exec("INSERT INTO Pag5 (IDGOS, AUTO2, AUTO4, AUTO13, P30001, TRAC1, TBUC1) VALUES (?, ?, ?, ?, ?, ?, ?)",
                     {i, rng.chance(40) ? 1 : 0, rng.chance(15) ? 1 : 0, rng.chance(5) ? 1 : 0,
                      rng.chance(2) ? rng.between(3000, 4500) : 0, rng.chance(5) ? rng.between(1800, 4000) : 0,
                      rng.chance(5) ? 1 : 0});
            db->exec("INSERT INTO Pag6 (IDGOS) VALUES (?)", {i});
            db->exec("INSERT INTO Pag7 (IDGOS, LIN2, LIN3) VALUES (?, ?, ?)",
                     {i, rng.chance(30) ? rng.between(1, 4) : 0, rng.chance(50) ? rng.between(1, 6) : 0});
            db->exec("INSERT INTO Pag8 (IDGOS, LIN1, LIN2, PEN2, LIN8) VALUES (?, ?, ?, ?, ?)",
                     {i, rng.chance(5) ? rng.between(10, 400) : 0, rng.chance(8) ? rng.between(10, 900) : 0,
                      rng.chance(4) ? rng.between(1, 90) : 0, rng.chance(5) ? rng.between(5, 60) : 0});
            const int buildings = rng.chance(70) ? rng.between(1, 2) : 0;
            for (int b = 0; b < buildings; ++b) {
                ++idclad;
                const bool shop = legal || rng.chance(10);
                db->exec("INSERT INTO Pag2 (IDGOS, IDCLAD, IDMANUAL, MIXTA, APT8, TIPC, ACTAGR, DATAEVAL, VALOAREN, "
                         "DESTINATIE, ZONA, RANG, SUPRAFD, ANUL, CODMAT, CUUTIL, VALOAREJR, DATAIN, DATAVANZ, DATAOUT) "
                         "VALUES (?, ?, ?, '', 'NU', ?, 'NU', ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, '2010-05-01', '1900-01-01', "
                         "'1900-01-01')",
                         {i, idclad, idclad, shop ? "N" : "R", rng.chance(50) ? "2021-03-01" : "2000-01-01",
                          shop ? double(rng.between(50000, 900000)) : 0.0, rng.between(1, 2),
                          std::string(1, char('A' + rng.below(4))), rng.between(2, 4), double(rng.between(20, 250)),
                          rng.between(1950, 2020), rng.below(2), rng.chance(60) ? "DA" : "NU"});
            }
        }
        tx.commit();
    }

    assessment::AssessmentSettings settings() const
    {
        assessment::AssessmentSettings s;
        const int arable[5] = {40, 37, 35, 30, 30};
        for (int x = 0; x < 5; ++x)
            s.land.outside[0][x] = arable[x];
        s.land.outside[1][1] = 20;
        s.land.outside[6][3] = 6;
        s.land.yards[0] = base::Decimal::fromUnits(3500); // 0.35 lei / m2
        s.land.yards[1] = base::Decimal::fromUnits(3000);
        s.land.inside[0][0] = 30;
        s.land.inside[4][1] = 45;
        s.vehicles.autoRate[2] = 75;
        s.vehicles.autoRate[4] = 100;
        s.vehicles.autoRate[10] = 30;
        s.vehicles.autoRate[13] = 20;
        s.otherTaxes[1] = 25;
        s.otherTaxes[2] = 12;
        return s;
    }
};

AssessmentWorld& world()
{
    static AssessmentWorld w;
    return w;
}

// One run of "Adauga toate Localitatile la plata" over the whole register.
void runWholeRegister(benchmark::State& state)
{
    AssessmentWorld& w = world();
    ui::ScriptedInteraction scripted;
    ui::ScopedInteraction scope(scripted);
    assessment::YearlyDebts debts(*w.db, *w.counters, w.settings());
    std::optional<assessment::YearlyDebts::RunResult> result;
    for (auto _ : state) {
        scripted.answerMessage(ui::ReplyDa, QStringLiteral("Doriti sa adaugati toate pozitiile la plata?"));
        result = assessment::AddAllPlata(debts, w.ids, QString(), {});
    }
    if (!result || !result->error.isEmpty() || result->accepted != kTaxpayers) {
        state.SkipWithError(result ? ("not every taxpayer was assessed: " + result->error.toStdString()).c_str()
                                   : "the run did not start");
        return;
    }
    state.counters["taxpayers"] = result->accepted;
    state.counters["progress_steps"] = scripted.scriptedProgress().steps();
    state.counters["Datorii_rows"] = double(w.db->scalar("SELECT COUNT(*) FROM Datorii").toInt());
    state.counters["SoldCalc_rows"] = double(w.db->scalar("SELECT COUNT(*) FROM SoldCalc").toInt());
}

void BM_AssessWholeRegisterFirstRun(benchmark::State& state) { runWholeRegister(state); }
BENCHMARK(BM_AssessWholeRegisterFirstRun)
    ->Name("assessment/whole_register_first_run")
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(1);

// The same run again: every row is found and nothing changes.
void BM_AssessWholeRegisterAgain(benchmark::State& state) { runWholeRegister(state); }
BENCHMARK(BM_AssessWholeRegisterAgain)
    ->Name("assessment/whole_register_again")
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(1);

} // namespace
