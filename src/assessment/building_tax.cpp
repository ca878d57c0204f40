#include "assessment/building_tax.h"

#include "assessment/building_tax_internal.h"
#include "assessment/building_texts.h"
#include "assessment/exact_decimal.h"
#include "core/admin_values.h"
#include "core/inflation.h"
#include "platform/base/dates.h"
#include "platform/storage/storage.h"

namespace lirma::assessment {

namespace {

using base::Decimal;

Decimal hundredths(int64_t h) { return Decimal::fromUnits(h * 100); }

bool isYes(const QString& text) { return text == QLatin1String("DA"); }

// Art. 457 (6): zones A..D by rank 0..V, in hundredths.
constexpr int kZoneRank[4][6] = {
    {260, 250, 240, 230, 110, 105},
    {250, 240, 230, 220, 105, 100},
    {240, 230, 220, 210, 100, 95},
    {230, 220, 210, 200, 95, 90},
};

QString fmt2(const ExactDecimal& v) { return v.text(2); }
QString fmt0(const ExactDecimal& v) { return v.text(0); }

// The figures of Art. 457 for one row.
struct Art457 {
    ExactDecimal area;
    ExactDecimal valuePerSqm;
    ExactDecimal coefficient;      // after the block reduction
    bool inBlock = false;
    int age = 0;
    ExactDecimal ageFactor;
    ExactDecimal inflationFactor; // 1 + I / 100
    ExactDecimal value;

    Art457(const BuildingRow& row, const ExactDecimal& inflationPercent, int fiscalYear)
        : area(row.SUPRAFD),
          valuePerSqm(ValuePerSquareMetre(row.DESTINATIE, row.CODMAT, row.CUUTIL)),
          coefficient(ZoneCoefficient(row.ZONA, row.RANG, isYes(row.APT8))),
          inBlock(isYes(row.APT8)),
          age(fiscalYear - row.ANUL),
          ageFactor(AgeFactor(row.ANUL, fiscalYear)),
          inflationFactor(inflationPercent.onePlusPercent())
    {
        value = area * valuePerSqm * inflationFactor * coefficient * ageFactor;
    }

    // " = area X value X (1 + I/100) X coefficient X age factor = V lei"
    QString productsLine() const
    {
        return QStringLiteral(" = ") + fmt2(area) + QStringLiteral(" X ") + fmt0(valuePerSqm) + QStringLiteral(" X ") +
               fmt2(inflationFactor) + QStringLiteral(" X ") + fmt2(coefficient) + QStringLiteral(" X ") +
               fmt2(ageFactor) + QStringLiteral(" = ") + fmt2(value) + QStringLiteral(" lei");
    }
};

// A valuation is valid up to its date plus `months`; a date that cannot be read was never made.
struct Valuation {
    QDate expiry;
    bool expired = true;

    Valuation(const QDate& date, int months, int fiscalYear)
    {
        if (!date.isValid())
            return;
        expiry = date.addMonths(months);
        expired = QDate(fiscalYear, 1, 1) > expiry;
    }
};

QString dateText(const QDate& d) { return base::FormatDate(d); }

// " = V X R / 100 = T lei"
QString taxLine(const ExactDecimal& value, const ExactDecimal& ratePercent, const ExactDecimal& tax)
{
    return QStringLiteral(" = ") + fmt2(value) + QStringLiteral(" X ") + fmt2(ratePercent) + QStringLiteral(" / 100 = ") +
           fmt2(tax) + QStringLiteral(" lei");
}

const QString kSpace = QStringLiteral(" ");

} // namespace

PersonType PersonTypeOf(const QString& tip)
{
    return tip.trimmed() == QLatin1String("FIZICA") ? PersonType::Fizica : PersonType::Juridica;
}

BuildingUse BuildingUseOf(const QString& tipc)
{
    const QString t = tipc.trimmed();
    if (t.isEmpty() || t == QLatin1String("R"))
        return BuildingUse::Residential;
    if (t == QLatin1String("N"))
        return BuildingUse::NonResidential;
    return BuildingUse::Other;
}

Decimal ValuePerSquareMetre(int destinatie, int codmat, const QString& cuutil)
{
    const bool utilities = isYes(cuutil);
    const bool wood = codmat == 1;
    int value;
    if (destinatie == 2)
        value = wood ? (utilities ? 125 : 75) : (utilities ? 200 : 175);
    else
        value = wood ? (utilities ? 300 : 200) : (utilities ? 1000 : 600);
    Decimal v(value);
    if (destinatie == 3)
        v = v * hundredths(75);
    else if (destinatie == 4)
        v = v * hundredths(50);
    return v;
}

Decimal ZoneCoefficient(const QString& zona, int rang, bool inBlock)
{
    // An empty zone counts as "A"; the dialog offers only A..D and ranks 0..V, anything else
    // read from a table takes the first entry rather than an arbitrary one.
    const QString z = zona.trimmed().toUpper();
    int zone = z.isEmpty() ? 0 : z.at(0).unicode() - 'A';
    if (zone < 0 || zone > 3)
        zone = 0;
    const int rank = rang >= 0 && rang <= 5 ? rang : 0;
    return hundredths(kZoneRank[zone][rank] - (inBlock ? 10 : 0));
}

Decimal AgeFactor(int yearFinished, int fiscalYear)
{
    if (yearFinished == 0)
        return Decimal(1);
    const int age = fiscalYear - yearFinished;
    if (age >= 100)
        return hundredths(50);
    if (age >= 50)
        return hundredths(70);
    if (age >= 30)
        return hundredths(90);
    return Decimal(1);
}

BuildingTaxSettings BuildingTaxSettings::FromAdmin(const core::AdminValues& values)
{
    namespace n = core::admin_names;
    BuildingTaxSettings s;
    auto number = [&values](const char* name, Decimal fallback) {
        return values.number(QString::fromLatin1(name)).value_or(fallback);
    };
    s.cotaCRPF = number(n::CotaCRPF, s.cotaCRPF);
    s.cotaCNPF = number(n::CotaCNPF, s.cotaCNPF);
    s.cotaCRPJ = number(n::CotaCRPJ, s.cotaCRPJ);
    s.cotaCNPJ = number(n::CotaCNPJ, s.cotaCNPJ);
    s.majHCL = number(n::MajHCL, s.majHCL);
    s.rataInf = number(n::RataInfE, s.rataInf);
    if (const auto years = values.number(QString::fromLatin1(n::EvalPJAni)))
        s.evalPJAni = int(years->trunc());
    s.indexResidentialFizica = values.isChecked(QString::fromLatin1(n::RataInfPFR));
    s.indexNonResidentialFizica = values.isChecked(QString::fromLatin1(n::RataInfPFN));
    s.indexJuridica = values.isChecked(QString::fromLatin1(n::RataInfPJ));
    return s;
}

BuildingRow BuildingRowFromResult(const storage::ResultSet& result, size_t r)
{
    BuildingRow row;
    const auto& values = result.rows.at(r);
    auto cell = [&](const char* name) -> const storage::Value* {
        const int c = result.column(name);
        if (c < 0 || values.at(size_t(c)).isNull())
            return nullptr;
        return &values.at(size_t(c));
    };
    auto text = [&](const char* name, QString& out) {
        if (const auto* v = cell(name))
            out = QString::fromStdString(v->toText()).trimmed();
    };
    auto whole = [&](const char* name, auto& out) {
        if (const auto* v = cell(name))
            out = decltype(out + 0)(v->toInt());
    };
    auto decimal = [&](const char* name, Decimal& out) {
        const auto* v = cell(name);
        if (!v)
            return;
        std::optional<Decimal> d;
        if (v->isInt())
            d = Decimal(v->toInt());
        else if (v->isReal())
            d = Decimal::fromDouble(v->toReal());
        else
            d = Decimal::parse(v->toText());
        if (d)
            out = *d;
    };
    auto date = [&](const char* name, QDate& out) {
        if (const auto* v = cell(name))
            out = base::ParseIsoDate(QString::fromStdString(v->toText()));
    };
    whole("IDGOS", row.IDGOS);
    whole("IDCLAD", row.IDCLAD);
    text("ADRESA", row.ADRESA);
    whole("IDMANUAL", row.IDMANUAL);
    text("MIXTA", row.MIXTA);
    text("APT8", row.APT8);
    text("TIPC", row.TIPC);
    text("ACTAGR", row.ACTAGR);
    date("DATAEVAL", row.DATAEVAL);
    decimal("VALOAREN", row.VALOAREN);
    whole("DESTINATIE", row.DESTINATIE);
    text("ZONA", row.ZONA);
    whole("RANG", row.RANG);
    decimal("SUPRAFD", row.SUPRAFD);
    whole("ANUL", row.ANUL);
    whole("CODMAT", row.CODMAT);
    text("CUUTIL", row.CUUTIL);
    decimal("VALOAREJR", row.VALOAREJR);
    date("DATADOB", row.DATADOB);
    date("DATAIN", row.DATAIN);
    text("OBSIN", row.OBSIN);
    date("DATAVANZ", row.DATAVANZ);
    date("DATAOUT", row.DATAOUT);
    text("OBSOUT", row.OBSOUT);
    return row;
}

BuildingTax ComputeBuildingTax(const BuildingRow& row, PersonType person, const BuildingTaxSettings& settings,
                               int fiscalYear)
{
    return detail::EvaluateBuildingTax(row, person, settings, fiscalYear, nullptr);
}

namespace detail {

BuildingTax EvaluateBuildingTax(const BuildingRow& row, PersonType person, const BuildingTaxSettings& s,
                                int fiscalYear, QStringList* sheet)
{
    BuildingTax out;
    out.person = person;
    out.use = BuildingUseOf(row.TIPC);
    // A building entered in the fiscal year, or dated later, is taxed from the year after its entry.
    out.enteredThisYear = row.DATAIN.isValid() && row.DATAIN.year() >= fiscalYear;
    const bool fizica = person == PersonType::Fizica;

    auto line = [sheet](const QString& text) {
        if (sheet)
            sheet->push_back(text);
    };

    ExactDecimal inflation;  // I, percent
    ExactDecimal value;      // V
    ExactDecimal ratePercent; // R x 100
    ExactDecimal tax;        // T

    if (out.use == BuildingUse::Residential && fizica) {
        inflation = s.indexResidentialFizica ? ExactDecimal(s.rataInf) : ExactDecimal();
        const Art457 a(row, inflation, fiscalYear);
        value = a.value;
        ratePercent = s.cotaCRPF;
        tax = value * ratePercent.percentOf();

        line(QStringLiteral("Tip persoana           : FIZICA"));
        line(QStringLiteral("Tip cladire            : REZIDENTIALA"));
        if (inflation > ExactDecimal())
            line(QStringLiteral("Rata inflatiei         : ") + fmt2(inflation) + QStringLiteral(" %"));
        line(QStringLiteral("Suprafata              : ") + fmt2(a.area) + QStringLiteral(" mp"));
        line(QStringLiteral("Destinatia cladirii    : ") + DestinationText(row.DESTINATIE));
        line(QStringLiteral("Cod material           : ") + MaterialText(row.CODMAT, person));
        line(QStringLiteral("Cu toate utilitatile   : ") + row.CUUTIL);
        line(QStringLiteral("Situata in Zona        : ") + row.ZONA);
        line(QStringLiteral("                Rangul    : ") + QString::number(row.RANG));
        line(QStringLiteral("Anul terminarii constructiei : ") + QString::number(row.ANUL) +
             (row.ANUL == 0 ? QStringLiteral(" ????") : QString()));
        line(kSpace);
        line(QStringLiteral("Coeficient cf.Art.457 alin(2)    = ") + fmt0(a.valuePerSqm));
        if (inflation > ExactDecimal())
            line(QStringLiteral("  corectat cu Rata inflatiei per.2017-") + QString::number(fiscalYear - 2) +
                 QStringLiteral(" = ") + fmt2(a.valuePerSqm * a.inflationFactor));
        if (a.inBlock) {
            line(QStringLiteral("Coeficient cf.Art.457 alin(6)    = ") +
                 fmt2(a.coefficient + ExactDecimal(hundredths(10))));
            line(QStringLiteral("Fiind bloc cu peste 3 niveluri si 8 apt., coeficientul scade cu 0.10 cf. "
                                "Art.457 art.(7) = ") +
                 fmt2(a.coefficient));
        } else {
            line(QStringLiteral("Coeficient cf.Art.457 alin(6)    = ") + fmt2(a.coefficient));
        }
        line(QStringLiteral("Coeficient reducere dupa vechime Art.457 alin.(8)"));
        line(QStringLiteral("   - vechime : ") + QString::number(a.age) + QStringLiteral(" ani"));
        line(QStringLiteral("   - coeficient de reducere = ") + fmt0((ExactDecimal(1) - a.ageFactor) * ExactDecimal(100)) +
             QStringLiteral("%"));
        line(kSpace);
        line(kSpace);
        line(QStringLiteral("Calculul valorii impozabile : Suprafata X CoefArt457alin2 X (1+RataInflatiei/100) * "
                            "CoefArt457alin6 X (1-CoefVechime/100) ="));
        line(a.productsLine());
        line(kSpace);
        line(QStringLiteral("Cota stabilita prin H.C.L.       = ") + fmt2(ratePercent) + QStringLiteral(" %"));
        line(QStringLiteral("IMPOZIT CALCULAT : ValoareImpozabila X CotaHCL = ") + fmt2(value) + QStringLiteral(" X ") +
             fmt2(ratePercent) + QStringLiteral(" / 100 = ") + fmt2(tax) + QStringLiteral(" lei"));
        line(kSpace);
    } else if (out.use == BuildingUse::Residential) {
        inflation = s.indexJuridica ? ExactDecimal(s.rataInf) : ExactDecimal();
        const Valuation v(row.DATAEVAL, 12 * s.evalPJAni, fiscalYear);
        out.valuationExpired = v.expired;
        out.valuationExpiry = v.expiry;
        ratePercent = v.expired ? ExactDecimal(5) : ExactDecimal(s.cotaCRPJ);
        value = ExactDecimal(row.VALOAREJR) * inflation.onePlusPercent();
        tax = value * ratePercent.percentOf();

        line(QStringLiteral("Tip persoana           : JURIDICA"));
        line(QStringLiteral("Tip cladire            : REZIDENTIALA"));
        line(QStringLiteral("Valoare evaluata   = ") + fmt2(row.VALOAREJR) + QStringLiteral(" lei"));
        if (inflation > ExactDecimal())
            line(QStringLiteral("Rata inflatiei         : ") + fmt2(inflation) + QStringLiteral(" %"));
        line(QStringLiteral("Valoare evaluata corectata cu Rata inflatiei  = ") + fmt2(value) + QStringLiteral(" lei"));
        line(QStringLiteral("Cota stabilita prin H.C.L. = ") + fmt2(s.cotaCRPJ) + QStringLiteral(" %"));
        line(QStringLiteral("Data evaluarii           = ") + dateText(row.DATAEVAL));
        line(QStringLiteral("Data expirarii evaluarii = ") + dateText(v.expiry));
        if (v.expired)
            line(QStringLiteral(" - Evaluare expirata! Cota devine 5%  cf. Art.460 Alin.(8)"));
        line(kSpace);
        line(QStringLiteral("Calculul impozitului : ValoareEvaluata X Cota ="));
        line(taxLine(value, ratePercent, tax));
        line(kSpace);
    } else if (out.use == BuildingUse::NonResidential) {
        const bool indexed = fizica ? s.indexNonResidentialFizica : s.indexJuridica;
        core::CumulatedInflationResult cumulated;
        if (indexed)
            cumulated = core::CumulatedInflation(row.DATAEVAL.isValid() ? row.DATAEVAL.year() : 0, fiscalYear,
                                                 s.inflationHistory);
        inflation = cumulated.percent;
        const ExactDecimal indexedValue = ExactDecimal(row.VALOAREN) * inflation.onePlusPercent();
        const ExactDecimal hclRate = fizica ? s.cotaCNPF : s.cotaCNPJ;
        const Valuation v(row.DATAEVAL, fizica ? 60 : 12 * s.evalPJAni, fiscalYear);
        out.valuationExpired = v.expired;
        out.valuationExpiry = v.expiry;
        const bool agricultural = isYes(row.ACTAGR);
        value = indexedValue;
        ratePercent = hclRate;

        if (fizica) {
            line(QStringLiteral("Tip persoana           : FIZICA"));
            line(QStringLiteral("Tip cladire            : NEREZIDENTIALA"));
            line(QStringLiteral("Data evaluarii     = ") + dateText(row.DATAEVAL));
            line(QStringLiteral("Rata inflatiei     = ") + cumulated.text);
            line(QStringLiteral("Valoare evaluata   = ") + fmt2(row.VALOAREN) + QStringLiteral(" lei"));
            line(QStringLiteral(" corectie cu Rata inflatiei = ") + fmt2(indexedValue) + QStringLiteral(" lei"));
            line(QStringLiteral("Cota stabilita prin H.C.L. = ") + fmt2(hclRate) + QStringLiteral(" %"));
            if (v.expired) {
                // Not valued in the last 5 years: 2% of the value of Art. 457.
                const Art457 a(row, inflation, fiscalYear);
                value = a.value;
                ratePercent = 2;
                line(QStringLiteral("Cladire neevaluata in ultimii 5 ani."));
                line(QStringLiteral("  - Cota devine cf.Art.458 alin(4) = 2%"));
                line(QStringLiteral("    si Valoarea impozabila se calculeaza cf.Art.457 :"));
                if (a.inBlock)
                    line(QStringLiteral("(este bloc cu peste 3 niveluri si 8 apt.: cf.Art.457(7), CoefArt457alin6 "
                                        "scade cu 0.10)"));
                line(QStringLiteral("Suprafata X CoefArt457alin2 X (1+RataInflatiei/100) X CoefArt457alin6 X "
                                    "(1-CoefVechime/100) ="));
                line(a.productsLine());
            } else {
                line(QStringLiteral("Cladire evaluata in ultimii 5 ani."));
                if (agricultural) {
                    ratePercent = base::Decimal::fromUnits(4000);
                    line(QStringLiteral("Se desfasoara activitati agricole :"));
                    line(QStringLiteral("  - Cota devine cf.Art.458 alin(3) = 0.4%"));
                }
            }
            tax = value * ratePercent.percentOf();
        } else {
            const ExactDecimal increase = s.majHCL;
            if (increase > ExactDecimal())
                line(QStringLiteral("Majorare conf.H.C.L.   : ") + fmt2(increase) + QStringLiteral(" %"));
            line(QStringLiteral("Tip persoana           : JURIDICA"));
            line(QStringLiteral("Tip cladire            : NEREZIDENTIALA"));
            line(QStringLiteral("Data evaluarii         = ") + dateText(row.DATAEVAL));
            line(QStringLiteral("Rata inflatiei         : ") + cumulated.text);
            line(QStringLiteral("Valoare evaluata   = ") + fmt2(row.VALOAREN) + QStringLiteral(" lei"));
            line(QStringLiteral(" corectata cu Rata inflatiei  = ") + fmt2(value) + QStringLiteral(" lei"));
            line(QStringLiteral("Cota stabilita prin H.C.L. = ") + fmt2(hclRate) + QStringLiteral(" %"));
            if (v.expired) {
                ratePercent = 5;
                line(QStringLiteral("Cladire neevaluata in ultimii ") + QString::number(s.evalPJAni) +
                     QStringLiteral(" ani."));
                line(QStringLiteral("  - Cota devine cf.Art.460 alin(8) = 5%"));
            } else {
                line(QStringLiteral("Cladire evaluata in ultimii 5 ani."));
                if (agricultural) {
                    ratePercent = base::Decimal::fromUnits(4000);
                    line(QStringLiteral("Se desfasoara activitati agricole :"));
                    line(QStringLiteral("  - Cota devine cf.Art.460 alin(3) = 0.4%"));
                }
            }
            const ExactDecimal computed = value * ratePercent.percentOf();
            tax = computed * increase.onePlusPercent();
            line(kSpace);
            line(QStringLiteral("Calculul impozitului : ValoareImpozabila X Cota% ="));
            line(taxLine(value, ratePercent, computed));
            line(kSpace);
            if (!out.enteredThisYear && increase > ExactDecimal()) {
                line(QStringLiteral("Se aplica Majorare cf.H.C.L. ") + fmt2(increase) + QStringLiteral(" %"));
                line(QStringLiteral("IMPOZIT : Impozit Calculat X ") + fmt2(increase.onePlusPercent()) +
                     QStringLiteral(" = ") + fmt2(tax) + QStringLiteral(" lei"));
            }
        }
        if (fizica) {
            line(kSpace);
            line(QStringLiteral("Calculul impozitului : ValoareImpozabila X Cota% ="));
            line(taxLine(value, ratePercent, tax));
            line(kSpace);
        }
    }

    if (out.enteredThisYear)
        tax = ExactDecimal();

    out.inflationPercent = inflation.rounded(4);
    out.ratePercent = ratePercent.rounded(4);
    out.taxableValue = value.rounded(2);
    out.tax = tax.rounded(4);
    out.taxLei = tax.roundedLei();

    if (out.enteredThisYear) {
        line(kSpace);
        line(QStringLiteral("CONSTRUCTIA ESTE DOBANDITA IN ANUL CURENT."));
        line(QStringLiteral("Valoare Impozit = 0"));
    } else {
        line(QStringLiteral("IMPOZIT FINAL (stabilit prin rotunjire) = ") + ExactDecimal(out.taxLei).text(2) +
             QStringLiteral(" lei"));
    }
    line(QString(67, QLatin1Char('*')));
    return out;
}

} // namespace detail

} // namespace lirma::assessment
