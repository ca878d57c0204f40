// Generated commune for the benchmarks: a taxpayer register (Gospodar) and its debt rows
// (Datorii), deterministic for a given seed so that every run measures the same data.
#pragma once

#include "platform/storage/storage.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lirma::bench {

using storage::Params;
using storage::Value;

// Small deterministic generator (SplitMix64): the standard distributions differ between
// library versions, this one gives the same rows everywhere.
class Rng {
public:
    explicit Rng(uint64_t seed) : s_(seed) {}
    uint64_t next() {
        uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return int(next() % uint64_t(n)); }     // 0 .. n-1
    int between(int lo, int hi) { return lo + below(hi - lo + 1); } // lo .. hi
    bool chance(int percent) { return below(100) < percent; }

private:
    uint64_t s_;
};

struct TableData {
    std::string name;
    std::string columns; // column list in the engine's syntax, also valid SQLite DDL
    std::vector<Params> rows;

    // INSERT INTO <as> VALUES (?, ?, ...) and CREATE TABLE <as> (columns); <as> empty: name.
    std::string insertSql(const std::string& as = {}) const;
    std::string createSql(const std::string& as = {}) const;
};

struct Commune {
    TableData gospodar;
    TableData datorii;
    std::vector<std::string> villages;
    std::vector<std::string> groups;
};

Commune generateCommune(uint64_t seed, int taxpayers, int debtRows);

} // namespace lirma::bench
