// Every key of the shared settings file Lirma.set, with its section, kind and
// default: the one place that names them.
#pragma once

#include <QLatin1String>
#include <QString>

namespace lirma::db {

inline constexpr QLatin1String kSettingsFileName{"Lirma.set"};

namespace section {
inline constexpr QLatin1String SERVER{"SERVER"};
inline constexpr QLatin1String CONST{"CONST"};
inline constexpr QLatin1String VAR{"VAR"};
inline constexpr QLatin1String VARIABILE{"VARIABILE"};
} // namespace section

enum class SettingKind {
    Text,
    YesNo,   // on only when the value is "DA" (see YesRule)
    Number,  // decimal with "."; unconvertible text reads as the default
    Whole,   // whole number; unconvertible text reads as the default
    Counter, // next number to hand out; absent or empty is "1" (Counters)
};

enum class YesRule {
    Exact,        // exactly "DA"
    Upper,        // "DA" after upper-casing
    UpperTrimmed, // "DA" after trimming and upper-casing
};

struct SettingKey {
    QLatin1String section;          // empty: the section named after the user (login name)
    QLatin1String key;              // with yearBound, followed by the four digits of a year
    SettingKind kind = SettingKind::Text;
    QLatin1String defaultValue{""}; // what an absent or unusable value reads as
    QLatin1String writtenWhenEmpty{""}; // stored at load when found empty (Settings::initWhenEmpty)
    YesRule yesRule = YesRule::Exact;
    bool yearBound = false;

    bool perUser() const { return section.isEmpty(); }
};

namespace keys {
using K = SettingKind;
using L = QLatin1String;

// [SERVER]: maintenance day marker.
inline constexpr SettingKey LASTPACK{L("SERVER"), L("LASTPACK")};

// [SERVER]: identifier counters.
inline constexpr SettingKey IDGOS{L("SERVER"), L("IDGOS"), K::Counter, L("1")};
inline constexpr SettingKey IDDAT{L("SERVER"), L("IDDAT"), K::Counter, L("1")};
inline constexpr SettingKey IDRES{L("SERVER"), L("IDRES"), K::Counter, L("1")};
inline constexpr SettingKey IDDEB{L("SERVER"), L("IDDEB"), K::Counter, L("1")};
inline constexpr SettingKey IDCHIT{L("SERVER"), L("IDCHIT"), K::Counter, L("1")};
inline constexpr SettingKey IDRC{L("SERVER"), L("IDRC"), K::Counter, L("1")};
inline constexpr SettingKey IDANUL{L("SERVER"), L("IDANUL"), K::Counter, L("1")};
inline constexpr SettingKey IDCOD{L("SERVER"), L("IDCOD"), K::Counter, L("1")};
inline constexpr SettingKey IDCONF{L("SERVER"), L("IDCONF"), K::Counter, L("1")};
inline constexpr SettingKey IDDETA{L("SERVER"), L("IDDETA"), K::Counter, L("1")};
inline constexpr SettingKey IDCLAD{L("SERVER"), L("IDCLAD"), K::Counter, L("1")};
inline constexpr SettingKey IDINS{L("SERVER"), L("IDINS"), K::Counter, L("1")};
inline constexpr SettingKey IDSOM{L("SERVER"), L("IDSOM"), K::Counter, L("1")};
inline constexpr SettingKey IDPOP{L("SERVER"), L("IDPOP"), K::Counter, L("1")};
inline constexpr SettingKey IDSCUT{L("SERVER"), L("IDSCUT"), K::Counter, L("1")};
inline constexpr SettingKey DEFZONE{L("SERVER"), L("DEFZONE"), K::Counter, L("1")};
// [SERVER]: document number series.
inline constexpr SettingKey OP{L("SERVER"), L("OP"), K::Counter, L("1")};
inline constexpr SettingKey CFNR{L("SERVER"), L("CFNR"), K::Counter, L("1")};
inline constexpr SettingKey CONFNR{L("SERVER"), L("CONFNR"), K::Counter, L("1")};

// [SERVER]: options of the tax office.
inline constexpr SettingKey PREVIEWL{L("SERVER"), L("PREVIEWL"), K::YesNo};
inline constexpr SettingKey BONIF50{L("SERVER"), L("BONIF50"), K::YesNo};
inline constexpr SettingKey REDUCERE_JURIDICE{L("SERVER"), L("REDUCERE_JURIDICE"), K::YesNo};
inline constexpr SettingKey FARAMAJORARI{L("SERVER"), L("FARAMAJORARI"), K::YesNo, L(""), L("NU"), YesRule::UpperTrimmed};
inline constexpr SettingKey ADMINBLOCAT{L("SERVER"), L("ADMINBLOCAT"), K::YesNo, L(""), L("NU"), YesRule::Upper, true};
inline constexpr SettingKey COTACRPF{L("SERVER"), L("COTACRPF"), K::Number, L("0.1")};
inline constexpr SettingKey COTACNPF{L("SERVER"), L("COTACNPF"), K::Number, L("0.4")};
inline constexpr SettingKey COTACRPJ{L("SERVER"), L("COTACRPJ"), K::Number, L("0.1")};
inline constexpr SettingKey COTACNPJ{L("SERVER"), L("COTACNPJ"), K::Number, L("0.4")};
inline constexpr SettingKey REDC{L("SERVER"), L("REDC"), K::Number, L("10")};
inline constexpr SettingKey MAJHCL{L("SERVER"), L("MAJHCL"), K::Number, L("0")};
inline constexpr SettingKey RATAINF{L("SERVER"), L("RATAINF"), K::Number, L("0")};
inline constexpr SettingKey EvalPJAni{L("SERVER"), L("EvalPJAni"), K::Whole, L("5")};
inline constexpr SettingKey CALERA2020{L("SERVER"), L("CALERA2020")};
inline constexpr SettingKey SalubTermen{L("SERVER"), L("SalubTermen"), K::Text, L(""), L("1")};
inline constexpr SettingKey CFTAXAT{L("SERVER"), L("CFTAXAT")};
inline constexpr SettingKey CFDINRA{L("SERVER"), L("CFDINRA"), K::YesNo};
inline constexpr SettingKey BDDifNr{L("SERVER"), L("BDDifNr")};
inline constexpr SettingKey BSDifNr{L("SERVER"), L("BSDifNr")};

// [CONST]
inline constexpr SettingKey VER23{L("CONST"), L("VER23"), K::Number, L("1")};
inline constexpr SettingKey RATAINFPF{L("CONST"), L("RATAINFPF"), K::YesNo};
inline constexpr SettingKey RATAINFPFN{L("CONST"), L("RATAINFPFN"), K::YesNo};
inline constexpr SettingKey RATAINFPJ{L("CONST"), L("RATAINFPJ"), K::YesNo};
// Only key of the local data folder's file (WriteLocalSetting).
inline constexpr SettingKey MEMOPASS{L("CONST"), L("MEMOPASS")};

// [user name]: per-user receipt book, document series and options.
inline constexpr SettingKey SERIA{L(""), L("SERIA")};
inline constexpr SettingKey CHIT{L(""), L("CHIT"), K::Counter, L("1")};
inline constexpr SettingKey NRINS{L(""), L("NRINS"), K::Counter, L("1")};
inline constexpr SettingKey NRSOM{L(""), L("NRSOM"), K::Counter, L("1")};
inline constexpr SettingKey InstiintareDePlata{L(""), L("Instiintare de plata"), K::Counter, L("1")};
inline constexpr SettingKey AngajamentDePlata{L(""), L("Angajament de plata"), K::Counter, L("1")};
inline constexpr SettingKey SistareUrmarire{L(""), L("Sistare urmarire"), K::Counter, L("1")};
inline constexpr SettingKey FORMATPDF{L(""), L("FORMATPDF"), K::YesNo};
inline constexpr SettingKey INEXCEL{L(""), L("INEXCEL"), K::YesNo};

// [VAR]: signer of the XML declaration.
inline constexpr SettingKey NUMED{L("VAR"), L("NUMED")};
inline constexpr SettingKey PRENUMED{L("VAR"), L("PRENUMED")};
inline constexpr SettingKey FUNCTIED{L("VAR"), L("FUNCTIED")};
// [VARIABILE]
inline constexpr SettingKey ANINCHIS{L("VARIABILE"), L("ANINCHIS")};
} // namespace keys

} // namespace lirma::db
