#include "core/admin_fields.h"

#include <stdexcept>

namespace lirma::core {

namespace {

using db::SettingKey;
namespace keys = db::keys;

// An input placed on a page's lines: label, input, suffix.
AdminInput line(QString name, InputKind kind, QString label, QString design, int maxLength, int row,
                int block = 0, QString suffix = {}, const SettingKey* setting = nullptr)
{
    AdminInput in;
    in.name = std::move(name);
    in.kind = kind;
    in.label = std::move(label);
    in.design = std::move(design);
    in.maxLength = maxLength;
    in.row = row;
    in.column = block;
    in.suffix = std::move(suffix);
    in.setting = setting;
    return in;
}

AdminInput check(QString name, QString label, const SettingKey* setting, int row, int block = 0,
                 QString design = {})
{
    AdminInput in = line(std::move(name), InputKind::Check, std::move(label), std::move(design), 0, row, block);
    in.setting = setting;
    return in;
}

// A cell of a matrix page.
AdminInput cell(QString name, InputKind kind, QString design, int row, int column, int maxLength = 8)
{
    AdminInput in;
    in.name = std::move(name);
    in.kind = kind;
    in.design = std::move(design);
    in.maxLength = maxLength;
    in.row = row;
    in.column = column;
    return in;
}

AdminInput listCell(QString name, const QStringList& entries, QString design, int row, int column)
{
    AdminInput in = cell(std::move(name), InputKind::List, std::move(design), row, column, 3);
    in.entries = entries;
    return in;
}

AdminInput level(AdminInput in)
{
    in.level = true;
    return in;
}

AdminPageDef pageDef(AdminPage page, QString nav, QString title, QString subtitle = {})
{
    AdminPageDef p;
    p.page = page;
    p.navEntry = std::move(nav);
    p.title = std::move(title);
    p.subtitle = std::move(subtitle);
    return p;
}

AdminPageDef general()
{
    using namespace admin_names;
    AdminPageDef p = pageDef(AdminPage::General, QStringLiteral("   - general"), QStringLiteral("Date generale"));
    AdminInput judet = line(JudetulLab, InputKind::List, QStringLiteral("Judetul"), {}, 24, 3);
    judet.entries = Counties();
    p.inputs = {
        line(PrimariaLab, InputKind::Text, QStringLiteral("U.A.T."), {}, kIniValueWidth, 0),
        line(LocalitateaLab, InputKind::Text, QStringLiteral("Localitatea"), {}, kIniValueWidth, 1),
        line(CUILab, InputKind::Text, QStringLiteral("C.U.I."), {}, 12, 2),
        judet,
        line(PrimarLab, InputKind::Text, QStringLiteral("Primar"), {}, kIniValueWidth, 4),
        line(ContabilLab, InputKind::Text, QStringLiteral("Contabil"), {}, kIniValueWidth, 5),
        check(PreviewC, QStringLiteral("Arata chitanta inainte de listare"), &keys::PREVIEWL, 0, 1,
              QStringLiteral("DA")),
        check(FormatPDF, QStringLiteral("Arata chitanta in format PDF"), &keys::FORMATPDF, 1, 1),
        check(InExcel, QStringLiteral("Utilizez Excel 2010-2017"), &keys::INEXCEL, 2, 1),
        check(Bonificatie50, QStringLiteral("Acorda bonificatie pentru sume sub 50 ron"), &keys::BONIF50, 3, 1),
        check(BonifPJ, QStringLiteral("Acorda bonificatie la persoane juridice"), &keys::REDUCERE_JURIDICE, 4, 1),
        line(RataInfE, InputKind::Number, QStringLiteral("Rata totala a inflatiei este"), QStringLiteral("0"), 6, 5,
             1, QStringLiteral("%"), &keys::RATAINF),
    };
    return p;
}

AdminPageDef zones()
{
    AdminPageDef p = pageDef(AdminPage::Zones, QStringLiteral("   - definirea zonelor"), QStringLiteral("Stabilirea zonelor"),
                   QStringLiteral("Identificarea zonelor de impozitare"));
    AdminInput zone = line(admin_names::ZonaImplicita, InputKind::List, QStringLiteral("Zona implicita"),
                           QStringLiteral("A"), 1, 0);
    zone.entries = ZoneLetters();
    AdminInput rank = line(admin_names::RangImplicit, InputKind::List, QStringLiteral("Rangul implicit"),
                           QStringLiteral("IV"), 3, 1);
    rank.entries = RankNumerals();
    p.inputs = {zone, rank};
    return p;
}

AdminPageDef extravilan()
{
    AdminPageDef p = pageDef(AdminPage::Extravilan, QStringLiteral("   - teren extravilan"),
                   QStringLiteral("Impozit pentru terenul extravilan"),
                   QStringLiteral("Nivel impozit pe categorii  - lei / ha"));
    p.cornerHead = QStringLiteral("Incadrare");
    p.columnHeads = {QStringLiteral("1."), QStringLiteral("2."), QStringLiteral("3."), QStringLiteral("4."),
                     QStringLiteral("5.")};
    p.rowLabels = {QStringLiteral("Zona"), QStringLiteral("Rangul")};
    const QStringList zoneDesign = {"A", "B", "C", "D", "D"};
    const QStringList rankDesign = {"I", "II", "II", "II", "IV"};
    for (int c = 1; c <= 5; ++c)
        p.inputs.push_back(listCell(QStringLiteral("TEZ%1").arg(c), ZoneLetters(), zoneDesign[c - 1], 0, c));
    for (int c = 1; c <= 5; ++c)
        p.inputs.push_back(listCell(QStringLiteral("TER%1").arg(c), RankNumerals(), rankDesign[c - 1], 1, c));

    struct Category {
        const char* label;
        int values[5];
    };
    static const Category categories[] = {
        {"Teren arabil", {40, 37, 35, 30, 30}},
        {"Pasuni - fanete", {22, 20, 18, 14, 14}},
        {"Vie pe rod", {44, 42, 40, 34, 34}},
        {"Vie pana la intrarea pe rod", {0, 0, 0, 0, 0}},
        {"Livada pe rod", {44, 42, 40, 34, 34}},
        {"Livada pana la intrarea pe rod", {0, 0, 0, 0, 0}},
        {"Fond forestier sau alt teren cu vegetatie forestiera", {13, 11, 9, 6, 6}},
        {"Teren de constructii", {24, 22, 20, 16, 16}},
        {"Teren neproductiv", {0, 0, 0, 0, 0}},
        {"Teren cu apa, fara amenajari piscicole", {0, 0, 0, 0, 0}},
        {"Teren cu amenajari piscicole", {0, 0, 0, 0, 0}},
    };
    const QString letters = QStringLiteral("ABCDE");
    int n = 1;
    for (const Category& cat : categories) {
        p.rowLabels.push_back(QString::fromLatin1(cat.label));
        for (int x = 0; x < 5; ++x)
            p.inputs.push_back(level(cell(QStringLiteral("EC%1Z%2").arg(n).arg(letters[x]), InputKind::Number,
                                          QString::number(cat.values[x]), n + 1, x + 1)));
        ++n;
    }
    p.inputs.push_back(level(line(admin_names::ERED, InputKind::Number,
                                  QStringLiteral("Reducere la plata integrala in avans"), QStringLiteral("10"), 3, 0,
                                  0, QStringLiteral("%"))));
    return p;
}

AdminPageDef buildings()
{
    using namespace admin_names;
    AdminPageDef p = pageDef(AdminPage::Buildings, QStringLiteral("   - cladiri"), QStringLiteral("Impozit pe cladiri"));
    const QString rezidentiale = QStringLiteral("Cladiri Rezidentiale (0.08% - 0.2%)");
    const QString nerezidentiale = QStringLiteral("Cladiri Nerezidentiale (0.2% - 1.3%)");
    AdminInput crpf = line(CotaCRPF, InputKind::Number, rezidentiale, QStringLiteral("0.1"), 6, 0, 0,
                           QStringLiteral("%"), &keys::COTACRPF);
    crpf.heading = QStringLiteral("PERSOANE FIZICE - Cote stabilite prin H.C.L.");
    AdminInput crpj = line(CotaCRPJ, InputKind::Number, rezidentiale, QStringLiteral("0.1"), 6, 0, 1,
                           QStringLiteral("%"), &keys::COTACRPJ);
    crpj.heading = QStringLiteral("PERSOANE JURIDICE - Cote stabilite prin H.C.L.");
    p.inputs = {
        crpf,
        line(CotaCNPF, InputKind::Number, nerezidentiale, QStringLiteral("0.4"), 6, 1, 0, QStringLiteral("%"),
             &keys::COTACNPF),
        line(RedC, InputKind::Number, QStringLiteral("Reducere la plata integrala in avans"), QStringLiteral("10"), 2,
             2, 0, QStringLiteral("%"), &keys::REDC),
        check(RataInfPFR, QStringLiteral("La cladiri Rezidentiale se indexeaza cu rata inflatiei"), &keys::RATAINFPF,
              3, 0),
        check(RataInfPFN, QStringLiteral("La cladiri Nerezidentiale se indexeaza cu rata inflatiei"),
              &keys::RATAINFPFN, 4, 0),
        crpj,
        line(CotaCNPJ, InputKind::Number, nerezidentiale, QStringLiteral("0.4"), 6, 1, 1, QStringLiteral("%"),
             &keys::COTACNPJ),
        line(MajHCL, InputKind::Number, QStringLiteral("La cladiri nerezidentiale se aplica majorare cf.HCL de"),
             QStringLiteral("0"), 6, 2, 1, QStringLiteral("%"), &keys::MAJHCL),
        check(RataInfPJ, QStringLiteral("Se indexeaza cu rata inflatiei"), &keys::RATAINFPJ, 3, 1),
        line(EvalPJAni, InputKind::Number, QStringLiteral("Reevaloarea se face la"), QStringLiteral("5"), 3, 4, 1,
             QStringLiteral("ani."), &keys::EvalPJAni),
    };
    return p;
}

AdminPageDef intravilan()
{
    AdminPageDef p = pageDef(AdminPage::Intravilan, QStringLiteral("   - teren intravilan"),
                   QStringLiteral("Impozit pe teren intravilan"), QStringLiteral("Nivel impozit stabilit"));
    p.cornerHead = QStringLiteral("Incadrare");
    for (int c = 1; c <= 6; ++c)
        p.columnHeads.push_back(QStringLiteral("%1.").arg(c));
    p.rowLabels = {QStringLiteral("Zona"), QStringLiteral("Rangul"),
                   QStringLiteral("Curti cu constructii  - lei / mp")};
    const QStringList zoneDesign = {"A", "B", "C", "D", "D", "D"};
    const QStringList rankDesign = {"I", "II", "III", "III", "IV", "IV"};
    for (int c = 1; c <= 6; ++c)
        p.inputs.push_back(listCell(QStringLiteral("TIZ%1").arg(c), ZoneLetters(), zoneDesign[c - 1], 0, c));
    for (int c = 1; c <= 6; ++c)
        p.inputs.push_back(listCell(QStringLiteral("TIR%1").arg(c), RankNumerals(), rankDesign[c - 1], 1, c));
    const QString letters = QStringLiteral("ABCDEF");
    for (int c = 1; c <= 6; ++c)
        p.inputs.push_back(level(cell(QStringLiteral("ICC%1").arg(letters[c - 1]), InputKind::Number,
                                      QStringLiteral("0"), 2, c)));
    static const char* const uses[] = {"Teren arabil", "Pasune", "Faneata", "Vie",
                                       "Livada", "Neproductiv", "Padure", "Teren cu ape"};
    for (int r = 1; r <= 8; ++r) {
        QString label = QString::fromLatin1(uses[r - 1]) + QStringLiteral("  - lei / ha");
        p.rowLabels.push_back(label);
        for (int c = 1; c <= 6; ++c)
            p.inputs.push_back(level(cell(QStringLiteral("IA%1%2").arg(r).arg(c), InputKind::Number,
                                          QStringLiteral("0"), r + 2, c)));
    }
    p.inputs.push_back(level(line(admin_names::IIRED, InputKind::Number,
                                  QStringLiteral("Reducere la plata integrala in avans"), QStringLiteral("10"), 3, 0,
                                  0, QStringLiteral("%"))));
    return p;
}

AdminPageDef vehicles()
{
    AdminPageDef p = pageDef(AdminPage::Vehicles, QStringLiteral("   - mijloace de transport"),
                   QStringLiteral("Impozit pe mijloacele de transport"));
    struct Band {
        int n;
        const char* label;
    };
    static const Band bands[] = {
        {23, "cap. cil. pana in 200 cmc"}, {22, "cap. cil. 201 - 400 cmc"},   {21, "cap. cil. 401 - 600 cmc"},
        {20, "cap. cil. 601 - 800 cmc"},   {19, "cap. cil. 801 - 1000 cmc"},  {18, "cap. cil. 1001 - 1200 cmc"},
        {1, "cap. cil. 1201 - 1400 cmc"},  {2, "cap. cil. 1401 - 1600 cmc"},  {3, "cap. cil. 1601 - 1800 cmc"},
        {4, "cap. cil. 1801 - 2000 cmc"},  {5, "cap. cil. 2001 - 2200 cmc"},  {6, "cap. cil. 2201 - 2400 cmc"},
        {7, "cap. cil. 2401 - 2600 cmc"},  {8, "cap. cil. 2601 - 2800 cmc"},  {9, "cap. cil. 2801 - 3000 cmc"},
        {10, "peste 3000 cmc (lei/200 cmc)"},
    };
    int row = 0;
    for (const Band& b : bands) {
        AdminInput in = level(line(QStringLiteral("AUTO%1").arg(b.n), InputKind::Number, QString::fromLatin1(b.label),
                                   QStringLiteral("0"), 8, row++, 0, QStringLiteral("lei")));
        if (b.n == 23)
            in.heading = QStringLiteral("Autoturisme, motociclete, tricicluri, cvadricicluri:");
        p.inputs.push_back(in);
    }
    struct Other {
        int n;
        const char* label;
        const char* heading;
    };
    static const Other others[] = {
        {11, "Alte vehicule pana la 12 t, autoturisme de teren din productie interna", "Lei / 200 cmc sau fractiune:"},
        {12, "Autobuze, autocare, microbuze", nullptr},
        {13, "Tractoare inmatriculate", nullptr},
        {14, "pana la 1 tona inclusiv", "Remorci, semiremorci si rulote - masa totala maxima autorizata:"},
        {15, "peste 1 tona - pana la 3 tone", nullptr},
        {16, "peste 3 tone - pana la 5 tone", nullptr},
        {17, "peste 5 tone", nullptr},
    };
    row = 0;
    for (const Other& o : others) {
        AdminInput in = level(line(QStringLiteral("AUTO%1").arg(o.n), InputKind::Number, QString::fromLatin1(o.label),
                                   QStringLiteral("0"), 8, row++, 1, QStringLiteral("lei")));
        if (o.heading)
            in.heading = QString::fromLatin1(o.heading);
        p.inputs.push_back(in);
    }
    AdminInput red = level(line(admin_names::NumericEdit3, InputKind::Number,
                                QStringLiteral("Reducere la plata integrala in avans"), QStringLiteral("10"), 3, row, 1,
                                QStringLiteral("%")));
    red.heading = QStringLiteral(" ");
    p.inputs.push_back(red);
    return p;
}

AdminPageDef unregistered()
{
    AdminPageDef p = pageDef(AdminPage::Unregistered, QStringLiteral("   - auto neinmatriculate"),
                   QStringLiteral("Impozit pe autovehicule neinmatriculate"));
    AdminInput vn1 = line(QStringLiteral("VN1"), InputKind::Number,
                          QStringLiteral("Capacitate cilindrica pana la 4800 cmc - Tarif lei/200 cmc"), QStringLiteral("0"),
                          8, 0);
    vn1.hint = QStringLiteral("Intre 2 si 4 lei / 200 cmc sau fractiune.");
    AdminInput vn2 = line(QStringLiteral("VN2"), InputKind::Number,
                          QStringLiteral("Capacitate cilindrica peste 4800 cmc - Tarif lei/200 cmc"), QStringLiteral("0"),
                          8, 1);
    vn2.hint = QStringLiteral("Intre 4 si 6 lei / 200 cmc sau fractiune.");
    AdminInput vn3 = line(QStringLiteral("VN3"), InputKind::Number,
                          QStringLiteral("Capacitate cilindrica neevidentiata - Tarif lei/buc."), QStringLiteral("0"), 8,
                          2);
    vn3.hint = QStringLiteral("Intre 50 si 150 lei/an.");
    p.inputs = {vn1, vn2, vn3};
    return p;
}

AdminPageDef otherTaxes()
{
    AdminPageDef p = pageDef(AdminPage::OtherTaxes, QStringLiteral("   - alte taxe"), QStringLiteral("Alte taxe"));
    static const char* const labels[] = {"Taxa pentru concesionari  ( lei / mp )", "Iluminat  ( lei / u.m.)",
                                         "Salubritate (lei/UM)",                   "Taxa PSI",
                                         "Taxa pentru paza",                       "Taxa pe vehicule lente"};
    for (int i = 1; i <= 6; ++i)
        p.inputs.push_back(level(line(QStringLiteral("Alte%1").arg(i), InputKind::Number,
                                      QString::fromLatin1(labels[i - 1]), QStringLiteral("0"), 8, i - 1)));
    return p;
}

AdminPageDef heavyVehicles()
{
    AdminPageDef p = pageDef(AdminPage::HeavyVehicles, QStringLiteral("   - mijloace transp. peste 12 tone"),
                   QStringLiteral("Mijloace de transport peste 12 t"),
                   QStringLiteral("Autovehicule de transport marfa cu masa totala autorizata egala sau mai mare de 12 t"
                                  " - lei"));
    p.cornerHead = QStringLiteral("Numarul de axe si masa totala maxima autorizata");
    p.columnHeads = {QStringLiteral("Cu suspensie pneumatica"), QStringLiteral("Alte sisteme de suspensie")};
    static const char* const rows[] = {
        "Doua axe: 12 - 13 t",   "Doua axe: 13 - 14 t",   "Doua axe: 14 - 15 t",   "Doua axe: peste 15 t",
        "Trei axe: 15 - 17 t",   "Trei axe: 17 - 19 t",   "Trei axe: 19 - 21 t",   "Trei axe: 21 - 23 t",
        "Trei axe: 23 - 25 t",   "Trei axe: peste 25 t",  "Patru axe: 23 - 25 t",  "Patru axe: 25 - 27 t",
        "Patru axe: 27 - 29 t",  "Patru axe: 29 - 31 t",  "Patru axe: peste 31 t",
    };
    for (int k = 1; k <= 15; ++k) {
        p.rowLabels.push_back(QString::fromLatin1(rows[k - 1]));
        p.inputs.push_back(level(cell(QStringLiteral("G%1A").arg(k), InputKind::Number, QStringLiteral("0"), k - 1, 1)));
        p.inputs.push_back(level(cell(QStringLiteral("G%1B").arg(k), InputKind::Number, QStringLiteral("0"), k - 1, 2)));
    }
    return p;
}

AdminPageDef roadTrains()
{
    AdminPageDef p = pageDef(AdminPage::RoadTrains, QStringLiteral("   - combinatii auto peste 12 tone"),
                   QStringLiteral("Combinatii autovehicule marfa peste 12 tone"),
                   QStringLiteral("Combinatii de autovehicule (autovehicul articulat sau tren rutier) - lei"));
    p.cornerHead = QStringLiteral("Numarul de axe si masa totala maxima autorizata");
    p.columnHeads = {QStringLiteral("Cu suspensie pneumatica"), QStringLiteral("Alte sisteme de suspensie")};
    static const char* const rows[] = {
        "2+1 axe: 12 - 14 t", "2+1 axe: 14 - 16 t", "2+1 axe: 16 - 18 t", "2+1 axe: 18 - 20 t",
        "2+1 axe: 20 - 22 t", "2+1 axe: 22 - 23 t", "2+1 axe: 23 - 25 t", "2+1 axe: peste 25 t",
        "2+2 axe: 23 - 25 t", "2+2 axe: 25 - 26 t", "2+2 axe: 26 - 28 t", "2+2 axe: 28 - 29 t",
        "2+2 axe: 29 - 31 t", "2+2 axe: 31 - 33 t", "2+2 axe: 33 - 36 t", "2+2 axe: peste 36 t",
        "2+3 axe: 36 - 38 t", "2+3 axe: peste 38 t", "3+2 axe: 36 - 38 t", "3+2 axe: 38 - 40 t",
        "3+2 axe: peste 40 t", "3+3 axe: 36 - 38 t", "3+3 axe: 38 - 40 t", "3+3 axe: peste 40 t",
    };
    for (int k = 1; k <= 24; ++k) {
        p.rowLabels.push_back(QString::fromLatin1(rows[k - 1]));
        p.inputs.push_back(level(cell(QStringLiteral("GC%1A").arg(k), InputKind::Number, QStringLiteral("0"), k - 1, 1)));
        p.inputs.push_back(level(cell(QStringLiteral("GC%1B").arg(k), InputKind::Number, QStringLiteral("0"), k - 1, 2)));
    }
    return p;
}

AdminPageDef waterVehicles()
{
    AdminPageDef p = pageDef(AdminPage::WaterVehicles, QStringLiteral("   - mijloace de transport pe apa"),
                   QStringLiteral("Mijloace de transport pe apa"));
    struct Line {
        const char* label;
        const char* suffix;
        const char* heading;
    };
    static const Line lines[] = {
        {"1. Luntre, barci fara motor, scutere de apa folosite pentru uz personal", "lei", nullptr},
        {"2. Barci fara motor folosite in alte scopuri", "lei", nullptr},
        {"3. Barci cu motor", "lei", nullptr},
        {"4. Nave de sport si agrement", "lei", nullptr},
        {"5. Scutere de apa", "lei", nullptr},
        {"a) pana la 500 CP inclusiv", "lei", "6. Remorchere si impingatoare:"},
        {"b) peste 500 CP si pana la 2000 CP inclusiv", "lei", nullptr},
        {"c) peste 2000 CP si pana la 4000 CP inclusiv", "lei", nullptr},
        {"d) peste 4000 CP", "lei", nullptr},
        {"7. Vapoare - pentru fiecare 1000 tdw sau fractiune din acesta", "lei", nullptr},
        {"a) cu capacitatea de incarcare pana la 1500 tone inclusiv", "lei",
         "8. Ceamuri, slepuri si barje fluviale:"},
        {"b) cu capacitatea de incarcare de peste 1500 tone si pana la 3000 tone inclusiv", "lei", nullptr},
        {"c) cu capacitatea de incarcare de peste 3000 tone", "lei", nullptr},
    };
    for (int i = 1; i <= 13; ++i) {
        const Line& l = lines[i - 1];
        AdminInput in = level(line(QStringLiteral("APA%1").arg(i), InputKind::Number, QString::fromLatin1(l.label),
                                   QStringLiteral("0"), 8, i - 1, 0, QString::fromLatin1(l.suffix)));
        if (l.heading)
            in.heading = QString::fromLatin1(l.heading);
        p.inputs.push_back(in);
    }
    return p;
}

std::vector<AdminPageDef> buildPages()
{
    std::vector<AdminPageDef> pages = {general(),    zones(),        extravilan(), buildings(),
                                       intravilan(), vehicles(),     unregistered(), otherTaxes(),
                                       heavyVehicles(), roadTrains(), waterVehicles()};
    for (AdminPageDef& p : pages)
        for (AdminInput& in : p.inputs) {
            in.page = p.page;
            // Ini.dbf keeps 40 characters of a value: an input never takes more.
            if (in.maxLength > kIniValueWidth)
                in.maxLength = kIniValueWidth;
        }
    return pages;
}

} // namespace

bool AdminInput::importable() const
{
    return kind == InputKind::Number && page >= AdminPage::Extravilan && page != AdminPage::Buildings;
}

const std::vector<AdminPageDef>& AdminPages()
{
    static const std::vector<AdminPageDef> pages = buildPages();
    return pages;
}

const AdminPageDef& AdminPageOf(AdminPage page)
{
    return AdminPages().at(static_cast<size_t>(page));
}

QString AdminNavigationHeading()
{
    return QStringLiteral(" IMPOZITE si TAXE - Valori fixate");
}

const QStringList& AdminNavigationEntries()
{
    static const QStringList entries = [] {
        QStringList list;
        for (const AdminPageDef& p : AdminPages()) {
            if (p.page == AdminPage::Extravilan)
                list.push_back(AdminNavigationHeading());
            list.push_back(p.navEntry);
        }
        return list;
    }();
    return entries;
}

int AdminPageOfEntry(int entry)
{
    if (entry < 0 || entry >= AdminNavigationEntries().size() || entry == 2)
        return -1;
    return entry < 2 ? entry : entry - 1;
}

int AdminEntryOfPage(AdminPage page)
{
    const int i = static_cast<int>(page);
    return i < 2 ? i : i + 1;
}

const QStringList& Counties()
{
    static const QStringList list = {
        "ALBA",      "ARAD",      "ARGES",     "BACAU",     "BIHOR",          "BISTRITA-NASAUD", "BOTOSANI",
        "BRAILA",    "BRASOV",    "BUZAU",     "CALARASI",  "CARAS-SEVERIN",  "CLUJ",            "CONSTANTA",
        "COVASNA",   "DAMBOVITA", "DOLJ",      "GALATI",    "GIURGIU",        "GORJ",            "HARGHITA",
        "HUNEDOARA", "IALOMITA",  "IASI",      "ILFOV",     "MARAMURES",      "MEHEDINTI",       "MURES",
        "NEAMT",     "OLT",       "PRAHOVA",   "SALAJ",     "SATU MARE",      "SIBIU",           "SUCEAVA",
        "TELEORMAN", "TIMIS",     "TULCEA",    "VALCEA",    "VASLUI",         "VRANCEA",         "MUNICIPIUL BUCURESTI",
    };
    return list;
}

const QStringList& ZoneLetters()
{
    static const QStringList list = {"A", "B", "C", "D"};
    return list;
}

const QStringList& RankNumerals()
{
    static const QStringList list = {"0", "I", "II", "III", "IV", "V"};
    return list;
}

const std::vector<InflationYear>& InflationHistory()
{
    static const std::vector<InflationYear> history = {
        {2024, QStringLiteral("13.8")}, {2023, QStringLiteral("5.1")}, {2022, QStringLiteral("2.6")},
        {2021, QStringLiteral("3.8")},  {2020, QStringLiteral("4.6")}, {2019, QStringLiteral("1.3")},
    };
    return history;
}

} // namespace lirma::core
