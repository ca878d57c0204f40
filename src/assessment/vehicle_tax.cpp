#include "assessment/vehicle_tax.h"

#include "assessment/asset_labels.h"

#include <algorithm>

namespace lirma::assessment {

using base::Decimal;

namespace {

int64_t startedThousands(int64_t tonnage) { return tonnage <= 0 ? 0 : (tonnage + 999) / 1000; }

class Rows {
public:
    Rows(const TaxpayerTerms& terms, const AssessmentSettings& settings)
        : exemption_(terms.exemptions.vehicles),
          discountPercent_(settings.vehicleDiscount),
          discount_(DiscountGranted(terms.person, settings.reducereJuridice))
    {
    }

    void add(const QString& denum, const QString& um, const Decimal& quantity, const Decimal& amount)
    {
        TaxItem item;
        item.grupa = GroupVehicles();
        item.denum = denum;
        item.um = um;
        item.quantity = quantity;
        const Exempted e = ApplyExemption(amount, exemption_);
        item.amount = e.rest;
        item.exempted = e.lei;
        item.exemption = ExemptionGroup::Vehicles;
        if (discount_) {
            item.discount = FourPlaceDiscount(e.rest, discountPercent_);
            item.discountPercent = discountPercent_;
        }
        items_.push_back(std::move(item));
    }

    std::vector<TaxItem> take() { return std::move(items_); }

private:
    Decimal exemption_;
    Decimal discountPercent_;
    bool discount_;
    std::vector<TaxItem> items_;
};

} // namespace

int64_t UnitsOf200(int64_t capacity) { return capacity <= 0 ? 0 : (capacity + 199) / 200; }

VehiclePages VehiclePages::FromRows(const PageRow& pag5, const PageRow& pag6)
{
    // Column names made once: the pages of every taxpayer are read through them.
    struct Columns {
        QString count[24], over3000[4], tractorCapacity[4], tractorCount[4], busCapacity[4], busCount[4], other[12],
            heavy[15][2], train[24][2], vessel[13], unregistered[11];
        Columns()
        {
            for (int n = 1; n <= 9; ++n)
                count[n] = QStringLiteral("AUTO%1").arg(n);
            // The bands up to 1200 cmc (fields AUTO18 .. AUTO23) live in columns AUTO11 .. AUTO16.
            for (int n = 18; n <= 23; ++n)
                count[n] = QStringLiteral("AUTO%1").arg(n - 7);
            // The trailers (fields AUTO14 .. AUTO17) in REM1 .. REM4.
            for (int n = 14; n <= 17; ++n)
                count[n] = QStringLiteral("REM%1").arg(n - 13);
            for (int k = 1; k <= 4; ++k) {
                over3000[k - 1] = QStringLiteral("P3000%1").arg(k);
                tractorCapacity[k - 1] = QStringLiteral("TRAC%1").arg(k);
                tractorCount[k - 1] = QStringLiteral("TBUC%1").arg(k);
                busCapacity[k - 1] = QStringLiteral("ATB%1").arg(k);
                busCount[k - 1] = QStringLiteral("ATBNR%1").arg(k);
            }
            for (int k = 1; k <= 12; ++k)
                other[k - 1] = QStringLiteral("ALTE%1").arg(k);
            for (int n = 1; n <= 15; ++n) {
                heavy[n - 1][0] = QStringLiteral("G%1A").arg(n);
                heavy[n - 1][1] = QStringLiteral("G%1B").arg(n);
            }
            for (int n = 1; n <= 24; ++n) {
                train[n - 1][0] = QStringLiteral("GC%1A").arg(n);
                train[n - 1][1] = QStringLiteral("GC%1B").arg(n);
            }
            for (int n = 1; n <= 13; ++n)
                vessel[n - 1] = QStringLiteral("APA%1").arg(n);
            for (int n = 1; n <= 11; ++n)
                unregistered[n - 1] = QStringLiteral("VN%1").arg(n);
        }
    };
    static const Columns c;

    VehiclePages p;
    for (int n = 1; n <= 23; ++n)
        if (!c.count[n].isEmpty())
            p.count[n] = pag5.whole(c.count[n]);
    for (int k = 0; k < 4; ++k) {
        p.over3000[k] = pag5.whole(c.over3000[k]);
        p.tractorCapacity[k] = pag5.whole(c.tractorCapacity[k]);
        p.tractorCount[k] = pag5.whole(c.tractorCount[k]);
        p.busCapacity[k] = pag5.whole(c.busCapacity[k]);
        p.busCount[k] = pag5.whole(c.busCount[k]);
    }
    for (int k = 0; k < 12; ++k)
        p.other[k] = pag5.whole(c.other[k]);
    for (int n = 0; n < 15; ++n)
        for (int x = 0; x < 2; ++x)
            p.heavy[n][x] = pag5.whole(c.heavy[n][x]);
    for (int n = 0; n < 24; ++n)
        for (int x = 0; x < 2; ++x)
            p.train[n][x] = pag5.whole(c.train[n][x]);
    for (int n = 0; n < 13; ++n)
        p.vessel[n] = pag5.whole(c.vessel[n]);
    for (int n = 0; n < 11; ++n)
        p.unregistered[n] = pag6.whole(c.unregistered[n]);
    return p;
}

std::vector<TaxItem> VehicleItems(const VehiclePages& p, const TaxpayerTerms& terms, const AssessmentSettings& settings)
{
    const VehicleRates& rate = settings.vehicles;
    const QString buc = QStringLiteral("buc");
    const QString per200 = QStringLiteral("200cmc");
    const QString cmc = QStringLiteral("cmc");
    Rows rows(terms, settings);

    for (int n = 1; n <= 9; ++n)
        rows.add(CarBandName(n), buc, Decimal(p.count[n]), rate.autoRate[n] * Decimal(p.count[n]));
    for (int n = 14; n <= 17; ++n)
        rows.add(TrailerName(n), buc, Decimal(p.count[n]), rate.autoRate[n] * Decimal(p.count[n]));
    for (int n = 18; n <= 23; ++n)
        rows.add(CarBandName(n), buc, Decimal(p.count[n]), rate.autoRate[n] * Decimal(p.count[n]));

    for (int k = 1; k <= 4; ++k) {
        const int64_t units = UnitsOf200(p.over3000[k - 1]);
        rows.add(Over3000Name(k), per200, Decimal(units), rate.autoRate[10] * Decimal(units));
    }
    for (int k = 1; k <= 12; ++k) {
        const int64_t units = UnitsOf200(p.other[k - 1]);
        rows.add(OtherVehicleName(k), per200, Decimal(units), rate.autoRate[11] * Decimal(units));
    }
    // Tractors and buses: a negative capacity counts as 0.
    for (int k = 1; k <= 4; ++k) {
        const int64_t capacity = std::max<int64_t>(0, p.tractorCapacity[k - 1]);
        const int64_t count = p.tractorCount[k - 1];
        rows.add(TractorName(k), cmc, Decimal(capacity * count),
                 rate.autoRate[13] * Decimal(UnitsOf200(capacity)) * Decimal(count));
    }
    for (int k = 1; k <= 4; ++k) {
        const int64_t capacity = std::max<int64_t>(0, p.busCapacity[k - 1]);
        const int64_t count = p.busCount[k - 1];
        rows.add(BusName(k), cmc, Decimal(capacity * count),
                 rate.autoRate[12] * Decimal(UnitsOf200(capacity)) * Decimal(count));
    }

    for (int n = 1; n <= 15; ++n)
        for (int c = 0; c < 2; ++c)
            rows.add(HeavyVehicleName(n, c == 0), buc, Decimal(p.heavy[n - 1][c]),
                     rate.heavy[n - 1][c] * Decimal(p.heavy[n - 1][c]));
    for (int n = 1; n <= 24; ++n)
        for (int c = 0; c < 2; ++c)
            rows.add(RoadTrainName(n, c == 0), buc, Decimal(p.train[n - 1][c]),
                     rate.train[n - 1][c] * Decimal(p.train[n - 1][c]));

    for (int n = 1; n <= 13; ++n) {
        const int64_t value = p.vessel[n - 1];
        if (n == 10)
            rows.add(VesselNames()[n - 1], QStringLiteral("tdw"), Decimal(value),
                     rate.vessel[n - 1] * Decimal(startedThousands(value)));
        else
            rows.add(VesselNames()[n - 1], buc, Decimal(value), rate.vessel[n - 1] * Decimal(value));
    }

    auto unregistered = [&](int first, const Decimal& perUnit, const QString& name) {
        int64_t units = 0, vehicles = 0;
        for (int i = first; i < first + 5; ++i) {
            units += UnitsOf200(p.unregistered[i]);
            if (p.unregistered[i] > 0)
                ++vehicles;
        }
        rows.add(name, buc, Decimal(vehicles), perUnit * Decimal(units));
    };
    unregistered(0, rate.unregistered[0], UnregisteredUpTo4800Name());
    unregistered(5, rate.unregistered[1], UnregisteredOver4800Name());
    rows.add(UnregisteredUnknownName(), buc, Decimal(p.unregistered[10]),
             rate.unregistered[2] * Decimal(p.unregistered[10]));
    return rows.take();
}

} // namespace lirma::assessment
