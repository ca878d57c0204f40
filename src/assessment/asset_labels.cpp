#include "assessment/asset_labels.h"

#include "db/catalog.h"

#include <string_view>

namespace lirma::assessment {

namespace {
QString group(std::string_view g) { return QString::fromLatin1(g.data(), qsizetype(g.size())); }
} // namespace

// The names are asked for every row of every taxpayer: each is made once and then shared.
QString GroupBuildings()
{
    static const QString g = group(db::kGroupBuildings);
    return g;
}
QString GroupLandInside()
{
    static const QString g = group(db::kGroupLandInside);
    return g;
}
QString GroupLandOutside()
{
    static const QString g = group(db::kGroupLandOutside);
    return g;
}
QString GroupVehicles()
{
    static const QString g = group(db::kGroupVehicles);
    return g;
}

const QStringList& OutsideLandLabels()
{
    static const QStringList labels = {"Teren arabil",
                                       "Pasuni - fanete",
                                       "Vie pe rod",
                                       "Vie pana la intrarea pe rod",
                                       "Livada pe rod",
                                       "Livada pana la intrarea pe rod",
                                       "Fond forestier sau alt teren",
                                       "Teren de constructii",
                                       "Teren neproductiv",
                                       "Teren cu apa, fara amenajari piscicole",
                                       "Teren cu amenajari piscicole"};
    return labels;
}

const QStringList& InsideLandLabels()
{
    static const QStringList labels = {"Teren arabil", "Pasune",      "Faneata", "Vie",
                                       "Livada",       "Neproductiv", "Padure",  "Teren cu ape"};
    return labels;
}

QString YardsLabel()
{
    static const QString label = QStringLiteral("Curti cu constructii");
    return label;
}
QString BuildingsLabel()
{
    static const QString label = QStringLiteral("Cladiri");
    return label;
}

const QStringList& VehicleBandTexts()
{
    static const QStringList texts = {"pana in  200 cmc", "  201 -   400 cmc", "  401 -   600 cmc", "  601 -   800 cmc",
                                      "  801 - 1000 cmc",  "1001 - 1200 cmc",   "1201 - 1400 cmc",   "1401 - 1600 cmc",
                                      "1601 - 1800 cmc",   "1801 - 2000 cmc",   "2001 - 2200 cmc",   "2201 - 2400 cmc",
                                      "2401 - 2600 cmc",   "2601 - 2800 cmc",   "2801 - 3000 cmc"};
    return texts;
}

QString VehicleBandText(int n)
{
    // The bands up to 1200 cmc came later as AUTO18 .. AUTO23, the smallest last.
    if (n >= 18 && n <= 23)
        return VehicleBandTexts()[23 - n];
    if (n >= 1 && n <= 9)
        return VehicleBandTexts()[5 + n];
    return {};
}

const QStringList& TrailerMassTexts()
{
    static const QStringList texts = {"max.1 t", ">1..3 t", ">3 t .. 5 t", ">5 t"};
    return texts;
}

const QStringList& HeavyVehicleTexts()
{
    static const QStringList texts = {
        "Vehicule 2 axe,12-13t,",  "Vehicule 2 axe,13-14t,",    "Vehicule 2 axe,14-15t,", "Vehicule 2 axe,peste 15t,",
        "Vehicule 3 axe,15-17t,",  "Vehicule 3 axe,17-19t,",    "Vehicule 3 axe,19-21t,", "Vehicule 3 axe,21-23t,",
        "Vehicule 3 axe,23-25t,",  "Vehicule 3 axe,peste 25t,", "Vehicule 4 axe,23-25t,", "Vehicule 4 axe,25-27t,",
        "Vehicule 4 axe,27-29t,",  "Vehicule 4 axe,29-31t,",    "Vehicule 4 axe,peste 31t,"};
    return texts;
}

const QStringList& RoadTrainTexts()
{
    static const QStringList texts = {
        "Vehicule 2+1 axe,12-14t,", "Vehicule 2+1 axe,14-16t,",    "Vehicule 2+1 axe,16-18t,",
        "Vehicule 2+1 axe,18-20t,", "Vehicule 2+1 axe,20-22t,",    "Vehicule 2+1 axe,22-23t,",
        "Vehicule 2+1 axe,23-25t,", "Vehicule 2+1 axe,peste 25t,", "Vehicule 2+2 axe,23-25t,",
        "Vehicule 2+2 axe,25-26t,", "Vehicule 2+2 axe,26-28t,",    "Vehicule 2+2 axe,28-29t,",
        "Vehicule 2+2 axe,29-31t,", "Vehicule 2+2 axe,31-33t,",    "Vehicule 2+2 axe,33-36t,",
        "Vehicule 2+2 axe,peste 36t,", "Vehicule 2+3 axe,36-38t,", "Vehicule 2+3 axe,peste 38t,",
        "Vehicule 3+2 axe,36-38t,", "Vehicule 3+2 axe,38-40t,",    "Vehicule 3+2 axe,peste 40t,",
        "Vehicule 3+3 axe,36-38t,", "Vehicule 3+3 axe,38-40t,",    "Vehicule 3+3 axe,peste 40t,"};
    return texts;
}

QString SuspensionSuffix(bool pneumatic)
{
    static const QString with = QStringLiteral("susp.pneum.");
    static const QString without = QStringLiteral("fara susp.pneum.");
    return pneumatic ? with : without;
}

QString HeavyVehicleName(int n, bool pneumatic)
{
    static const QStringList names = [] {
        QStringList l;
        for (const QString& t : HeavyVehicleTexts())
            l << t + SuspensionSuffix(true) << t + SuspensionSuffix(false);
        return l;
    }();
    return n >= 1 && n <= 15 ? names[2 * (n - 1) + (pneumatic ? 0 : 1)] : QString();
}

QString RoadTrainName(int n, bool pneumatic)
{
    static const QStringList names = [] {
        QStringList l;
        for (const QString& t : RoadTrainTexts())
            l << t + SuspensionSuffix(true) << t + SuspensionSuffix(false);
        return l;
    }();
    return n >= 1 && n <= 24 ? names[2 * (n - 1) + (pneumatic ? 0 : 1)] : QString();
}

const QStringList& VesselNames()
{
    static const QStringList names = {"Luntre,barca,scuter,uz personal",
                                      "Barca fara motor",
                                      "Barca cu motor",
                                      "Nave de sport si agrement",
                                      "Scutere de apa",
                                      "Remorcher pana la 500CP",
                                      "Remorcher pana la 2000CP",
                                      "Remorcher pana la 4000CP",
                                      "Remorcher peste 4000CP",
                                      "Vapoare",
                                      "Ceam,slep,barja pana la 1500to",
                                      "Ceam,slep,barja 1500-3000to",
                                      "Ceam,slep,barja peste 3000to"};
    return names;
}

namespace {
// Names numbered 1..count made once: make(k) for k = 1..count.
template <class Make>
QStringList numbered(int count, Make make)
{
    QStringList l;
    for (int k = 1; k <= count; ++k)
        l << make(k);
    return l;
}
QString pick(const QStringList& names, int k) { return k >= 1 && k <= names.size() ? names[k - 1] : QString(); }
} // namespace

QString CarBandName(int n)
{
    static const QStringList names =
        numbered(23, [](int k) { return QStringLiteral("Autoturisme cap.cil. ") + VehicleBandText(k); });
    return pick(names, n);
}

QString TrailerName(int n)
{
    static const QStringList names =
        numbered(4, [](int k) { return QStringLiteral("Remorci, rulote ") + TrailerMassTexts()[k - 1]; });
    return pick(names, n - 13);
}

QString Over3000Name(int k)
{
    static const QStringList names =
        numbered(4, [](int i) { return QStringLiteral("Autoturisme cap.cil.peste 3000cmc (%1)").arg(i); });
    return pick(names, k);
}
QString OtherVehicleName(int k)
{
    static const QStringList names =
        numbered(12, [](int i) { return QStringLiteral("Alte autovehicule pana in 12t (%1)").arg(i); });
    return pick(names, k);
}
QString TractorName(int k)
{
    static const QStringList names = numbered(4, [](int i) { return QStringLiteral("Tractoare inmatriculate %1").arg(i); });
    return pick(names, k);
}
QString BusName(int k)
{
    static const QStringList names =
        numbered(4, [](int i) { return QStringLiteral("Autobuze,autocare,microbuze %1").arg(i); });
    return pick(names, k);
}
QString UnregisteredUpTo4800Name()
{
    static const QString name = QStringLiteral("Vehicule neinmatriculate pana la 4800 cmc");
    return name;
}
QString UnregisteredOver4800Name()
{
    static const QString name = QStringLiteral("Vehicule neinmatriculate peste 4800 cmc");
    return name;
}
QString UnregisteredUnknownName()
{
    static const QString name = QStringLiteral("Auto neinmat. cu cap.cil.neevidentiabila");
    return name;
}

const QStringList& OtherTaxLabels()
{
    static const QStringList labels = {group(db::kGroupConcessions), group(db::kGroupLighting),
                                       group(db::kGroupSanitation),  group(db::kGroupFireService),
                                       group(db::kGroupGuard),       group(db::kGroupSlowVehicles)};
    return labels;
}

const QStringList& ArrearsLabels()
{
    static const QStringList labels = {"Teren extravilan",           "Cladiri",
                                       "Teren intravilan",           "Mijloace de transport",
                                       group(db::kGroupSlowVehicles), group(db::kGroupPasture),
                                       group(db::kGroupConcessions), group(db::kGroupLighting),
                                       group(db::kGroupSanitation),  group(db::kGroupFireService),
                                       group(db::kGroupGuard)};
    return labels;
}

} // namespace lirma::assessment
