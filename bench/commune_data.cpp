#include "commune_data.h"

#include <algorithm>
#include <cstdio>

namespace lirma::bench {
namespace {

// The layouts of the real tables, so that record widths (and so the bytes a scan walks
// through) are those of a real data folder.
constexpr const char* kGospodarColumns =
    "IDGOS DECIMAL(10,0), SATUL CHAR(32), ROL CHAR(9), NUMEP CHAR(40), CNP CHAR(13), "
    "STRADA CHAR(40), ADRESA CHAR(160), MOST CHAR(200), NRPERS DECIMAL(6,0), TIP CHAR(8), "
    "SCCLAD DECIMAL(6,0), SCCC DECIMAL(6,0), SCTI DECIMAL(6,0), SCAUTO DECIMAL(6,0), "
    "SCTE DECIMAL(6,0), OBS CHAR(240), OBS2 CHAR(240), NOTAX CHAR(2), INDOP CHAR(6)";

constexpr const char* kDatoriiColumns =
    "IDDAT DECIMAL(10,0), IDGOS DECIMAL(10,0), DINDATA DATE, SATUL CHAR(32), ROL CHAR(9), "
    "GRUPA CHAR(60), DENUM CHAR(50), DOCJUS CHAR(50), NR DECIMAL(10,0), SUMA DECIMAL(6,0), "
    "REST DECIMAL(6,0), REDUC DECIMAL(6,0), UM CHAR(8), CANT DECIMAL(9,4), REDUCP DECIMAL(6,0), "
    "SCUTIT DECIMAL(6,0), TIP CHAR(1), SUMA2 DECIMAL(6,0), RESTINI DECIMAL(6,0)";

const std::vector<std::string> kVillages = {
    "Poiana",       "Valea Mare", "Şesuri",  "Dealu Frumos", "Cireşu", "Izvoru",
    "Măgura",       "Pădureni",   "Runcu",   "Stejaru",      "Ţarina", "Livezi"};
// Villages are not equally large: the first ones hold more taxpayers.
const std::vector<int> kVillageWeights = {18, 14, 12, 10, 9, 8, 7, 6, 5, 4, 4, 3};

const std::vector<std::string> kGroups = {
    "IMPOZIT PE CLADIRI PERSOANE FIZICE", "IMPOZIT PE TEREN INTRAVILAN",
    "IMPOZIT PE TEREN EXTRAVILAN",        "TAXA ASUPRA MIJLOACELOR DE TRANSPORT",
    "TAXA SALUBRIZARE",                   "AMENZI",
    "TAXA APA",                           "CHIRII SI CONCESIUNI",
    "TAXE DIVERSE",                       "IMPOZIT PE CLADIRI PERSOANE JURIDICE"};
const std::vector<int> kGroupWeights = {22, 20, 18, 8, 14, 4, 6, 2, 4, 2};

const std::vector<std::string> kSurnames = {
    "Popescu", "Ionescu", "Munteanu", "Ţurcanu", "Dumitrescu", "Stoica",  "Lungu",
    "Bălan",   "Moldovan", "Rusu",    "Oprea",   "Şerban",     "Ciobanu", "Matei",
    "Constantin", "Nistor", "Pârvu",  "Toma",    "Văduva",     "Gheorghiu"};
const std::vector<std::string> kFirstNames = {
    "Ion", "Maria", "Gheorghe", "Elena", "Vasile", "Ana", "Ştefan", "Ioana", "Constantin",
    "Mihaela", "Nicolae", "Floarea", "Dumitru", "Aurelia", "Petru", "Viorica"};
const std::vector<std::string> kStreets = {
    "Principală", "Şcolii", "Bisericii", "Morii", "Livezilor", "Păcii", "Florilor",
    "Izvorului", "Gării", "Dealului"};
const std::vector<std::string> kUnits = {"", "mp", "buc", "ha", "luna"};

int weighted(Rng& rng, const std::vector<int>& weights) {
    int total = 0;
    for (int w : weights) total += w;
    int r = rng.below(total);
    for (size_t i = 0; i < weights.size(); ++i) {
        if (r < weights[i]) return int(i);
        r -= weights[i];
    }
    return int(weights.size()) - 1;
}

std::string digits(Rng& rng, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += char('0' + rng.below(10));
    return s;
}

// Day d (0-based) of 2024 as YYYY-MM-DD.
std::string isoDay2024(int d) {
    static const int len[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int m = 0;
    while (d >= len[m]) d -= len[m++];
    char buf[16];
    std::snprintf(buf, sizeof buf, "2024-%02d-%02d", m + 1, d + 1);
    return buf;
}

struct Taxpayer {
    int64_t idgos;
    std::string village;
    std::string rol;
    bool legal;
};

} // namespace

std::string TableData::insertSql(const std::string& as) const {
    size_t n = storage::parseColumnList(columns).size();
    std::string sql = "INSERT INTO " + (as.empty() ? name : as) + " VALUES (";
    for (size_t i = 0; i < n; ++i) sql += i ? ", ?" : "?";
    return sql + ")";
}

std::string TableData::createSql(const std::string& as) const {
    return "CREATE TABLE " + (as.empty() ? name : as) + " (" + columns + ")";
}

Commune generateCommune(uint64_t seed, int taxpayers, int debtRows) {
    Rng rng(seed);
    Commune c;
    c.villages = kVillages;
    c.groups = kGroups;
    c.gospodar.name = "Gospodar";
    c.gospodar.columns = kGospodarColumns;
    c.datorii.name = "Datorii";
    c.datorii.columns = kDatoriiColumns;

    std::vector<int> nextRol(kVillages.size(), 1);
    std::vector<Taxpayer> people;
    people.reserve(size_t(taxpayers));
    c.gospodar.rows.reserve(size_t(taxpayers));
    for (int i = 0; i < taxpayers; ++i) {
        int v = weighted(rng, kVillageWeights);
        Taxpayer t{i + 1, kVillages[size_t(v)], std::to_string(nextRol[size_t(v)]++), rng.chance(5)};
        std::string name = t.legal ? "SC " + kSurnames[size_t(rng.below(int(kSurnames.size())))] + " SRL"
                                   : kSurnames[size_t(rng.below(int(kSurnames.size())))] + " " +
                                         kFirstNames[size_t(rng.below(int(kFirstNames.size())))];
        std::string cnp = t.legal ? digits(rng, 8) : std::string(1, char('1' + rng.below(2))) + digits(rng, 12);
        std::string street = "Str. " + kStreets[size_t(rng.below(int(kStreets.size())))];
        std::string address = "nr. " + std::to_string(rng.between(1, 400));
        if (rng.chance(10)) address += ", bl. " + std::to_string(rng.between(1, 9)) + ", ap. " + std::to_string(rng.between(1, 40));
        auto exemption = [&]() -> Value { return rng.chance(4) ? Value(rng.chance(50) ? 100 : 50) : Value(0); };
        Params row{
            Value(t.idgos),
            Value(t.village),
            Value(t.rol),
            Value(name),
            Value(cnp),
            Value(street),
            Value(address),
            Value(rng.chance(5) ? "Mostenitori: " + kFirstNames[size_t(rng.below(int(kFirstNames.size())))] + ", " +
                                      kFirstNames[size_t(rng.below(int(kFirstNames.size())))]
                                : std::string()),
            t.legal ? Value() : Value(rng.between(1, 6)),
            Value(t.legal ? "JURIDICA" : "FIZICA"),
            exemption(),
            exemption(),
            exemption(),
            exemption(),
            exemption(),
            Value(rng.chance(10) ? "verificat la teren in " + isoDay2024(rng.below(366)) : std::string()),
            Value(std::string()),
            Value(rng.chance(2) ? "DA" : "NU"),
            Value(rng.chance(30) ? "I" + std::to_string(rng.between(1, 4)) : std::string()),
        };
        c.gospodar.rows.push_back(std::move(row));
        people.push_back(std::move(t));
    }

    // Debt rows come in runs per taxpayer, as the yearly assessment writes them; once every
    // taxpayer has had a run, the rest are levies entered by hand for random taxpayers.
    c.datorii.rows.reserve(size_t(debtRows));
    int64_t iddat = 0;
    size_t person = 0;
    while (int(c.datorii.rows.size()) < debtRows) {
        bool assessed = person < people.size();
        const Taxpayer& t = assessed ? people[person++] : people[size_t(rng.below(int(people.size())))];
        int run = assessed ? rng.between(4, 11) : 1;
        for (int k = 0; k < run && int(c.datorii.rows.size()) < debtRows; ++k) {
            int g = weighted(rng, kGroupWeights);
            int suma = rng.between(0, 3000);
            int rest = rng.chance(30) ? rng.between(1, 1500) : 0;
            bool discount = rng.chance(20);
            Params row{
                Value(++iddat),
                Value(t.idgos),
                Value(isoDay2024(assessed ? rng.below(31) : rng.below(366))),
                Value(t.village),
                Value(t.rol),
                Value(kGroups[size_t(g)]),
                Value("Pozitia " + std::to_string(k + 1) + " " + kGroups[size_t(g)].substr(0, 20)),
                Value(rng.chance(25) ? "Decizia nr. " + std::to_string(rng.between(1, 999)) + "/2024" : std::string()),
                rng.chance(25) ? Value(rng.between(1, 99999)) : Value(),
                Value(suma),
                Value(rest),
                Value(discount ? suma / 10 : 0),
                Value(kUnits[size_t(rng.below(int(kUnits.size())))]),
                Value(double(rng.between(0, 999999)) / 10000.0),
                Value(discount ? 10 : 0),
                Value(0),
                Value(assessed ? "A" : "M"),
                Value(suma),
                Value(rest),
            };
            c.datorii.rows.push_back(std::move(row));
        }
    }
    return c;
}

} // namespace lirma::bench
