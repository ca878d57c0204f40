// The inputs of the administrator window TForm4, page by page: component name, kind, label,
// design value, length and where the value is kept. Other windows read the values by these
// names (EC1ZA, AUTO1, G1A ...), so the names are part of the interface. One table per page.
#pragma once

#include "db/setting_keys.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace lirma::core {

// The pages of the window, in the order of its page stack.
enum class AdminPage {
    General = 0,
    Zones,
    Extravilan,
    Buildings,
    Intravilan,
    Vehicles,
    Unregistered,
    OtherTaxes,
    HeavyVehicles,
    RoadTrains,
    WaterVehicles,
};
inline constexpr int kAdminPageCount = 11;

enum class InputKind {
    Text,   // text box
    Number, // numeric box: digits and one "."
    List,   // list box: one of its entries
    Check,  // check box: kept in the settings file only
};

// Most characters Ini.dbf keeps of a value (VALOARE CHAR(40)).
inline constexpr int kIniValueWidth = 40;

struct AdminInput {
    QString name;       // component name
    InputKind kind = InputKind::Number;
    QString label;      // caption beside the input ("" when its row and column say it)
    QString design;     // design value; for a check box "DA" (checked) or ""
    int maxLength = 10; // characters the input accepts (never above kIniValueWidth)
    QStringList entries; // list boxes
    // A legal level: read-only in the window until the administrator unlocks its page.
    bool level = false;
    // Kept also (check boxes: only) in the settings file; a value found there overrides
    // Ini.dbf at load. nullptr: Ini.dbf only.
    const db::SettingKey* setting = nullptr;
    QString suffix;     // text after the input ("%", "ani.")
    QString hint;
    QString heading;    // a line of text shown above the input's line ("" for none)
    AdminPage page = AdminPage::General;
    int row = 0;        // place on its page's grid of inputs
    int column = 0;

    bool inIni() const { return kind != InputKind::Check; }
    // A value of the law or of the council kept in Ini.dbf: what the import takes from
    // another data folder (the numbers of the tax pages, not the classification lists).
    bool importable() const;
};

struct AdminPageDef {
    AdminPage page = AdminPage::General;
    QString navEntry;     // entry of the navigation list
    QString title;        // title line of the page
    QString subtitle;     // line under it ("" when none)
    QString cornerHead;      // head of the row labels' column of a matrix page
    QStringList columnHeads; // heads of the input columns of a matrix page (column 1 on)
    QStringList rowLabels;   // label of each row of a matrix page ("" for none)
    std::vector<AdminInput> inputs; // in component order
};

// Every page, in page order.
const std::vector<AdminPageDef>& AdminPages();
const AdminPageDef& AdminPageOf(AdminPage page);

// The entries of the navigation list, the heading included, in order.
const QStringList& AdminNavigationEntries();
// The heading of the tax pages: not selectable.
QString AdminNavigationHeading(); // " IMPOZITE si TAXE - Valori fixate"
// The page an entry selects (entry i < 2: page i, i > 2: page i - 1); -1 for the heading.
int AdminPageOfEntry(int entry);
int AdminEntryOfPage(AdminPage page);

// Entries of the list boxes.
const QStringList& Counties();  // 41 counties "ALBA" .. "VRANCEA" and "MUNICIPIUL BUCURESTI"
const QStringList& ZoneLetters(); // "A" .. "D"
const QStringList& RankNumerals(); // "0", "I" .. "V"

// The inflation rates shown on the general page: rate of the fiscal year minus k, k = 0..5.
struct InflationYear {
    int year;
    QString rate; // percent, "13.8"
};
const std::vector<InflationYear>& InflationHistory();

// Component names the logic refers to by itself.
namespace admin_names {
inline constexpr char PrimariaLab[] = "PrimariaLab";
inline constexpr char LocalitateaLab[] = "LocalitateaLab";
inline constexpr char CUILab[] = "CUILab";
inline constexpr char JudetulLab[] = "JudetulLab";
inline constexpr char PrimarLab[] = "PrimarLab";
inline constexpr char ContabilLab[] = "ContabilLab";
inline constexpr char PreviewC[] = "PreviewC";
inline constexpr char FormatPDF[] = "FormatPDF";
inline constexpr char InExcel[] = "InExcel";
inline constexpr char Bonificatie50[] = "Bonificatie50";
inline constexpr char BonifPJ[] = "BonifPJ";
inline constexpr char RataInfE[] = "RataInfE";
inline constexpr char ZonaImplicita[] = "ZonaImplicita";
inline constexpr char RangImplicit[] = "RangImplicit";
inline constexpr char CotaCRPF[] = "CotaCRPF";
inline constexpr char CotaCNPF[] = "CotaCNPF";
inline constexpr char RedC[] = "RedC";
inline constexpr char RataInfPFR[] = "RataInfPFR";
inline constexpr char RataInfPFN[] = "RataInfPFN";
inline constexpr char CotaCRPJ[] = "CotaCRPJ";
inline constexpr char CotaCNPJ[] = "CotaCNPJ";
inline constexpr char MajHCL[] = "MajHCL";
inline constexpr char RataInfPJ[] = "RataInfPJ";
inline constexpr char EvalPJAni[] = "EvalPJAni";
inline constexpr char ERED[] = "ERED";
inline constexpr char IIRED[] = "IIRED";
inline constexpr char NumericEdit3[] = "NumericEdit3";
} // namespace admin_names

} // namespace lirma::core
