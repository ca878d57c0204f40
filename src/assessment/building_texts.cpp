#include "assessment/building_texts.h"

#include "platform/base/dates.h"

namespace lirma::assessment {

QString UseText(const QString& tipc)
{
    const QString t = tipc.trimmed();
    if (t.isEmpty() || t == QLatin1String("R"))
        return QStringLiteral("Rezidentiala");
    if (t == QLatin1String("N"))
        return QStringLiteral("Nerezidentiala");
    if (t == QLatin1String("M"))
        return QStringLiteral("Mixta");
    return QString();
}

QString DestinationText(int destinatie)
{
    static const QStringList texts = {QStringLiteral("Cladire"), QStringLiteral("Cladire-Anexa"),
                                      QStringLiteral("Mansarda loc."), QStringLiteral("Mansarda neloc.")};
    if (destinatie < 1 || destinatie > texts.size())
        return QString();
    return texts.at(destinatie - 1);
}

QString MaterialText(int codmat, PersonType person)
{
    if (person == PersonType::Juridica)
        return QStringLiteral("-");
    if (codmat == 0)
        return QStringLiteral("beton...");
    if (codmat == 1)
        return QStringLiteral("lemn...");
    return QString();
}

QString YearText(int anul, PersonType person)
{
    if (person == PersonType::Juridica)
        return QStringLiteral("-");
    return QString::number(anul);
}

QString ValuationDateText(const QDate& dataeval, int fiscalYear)
{
    if (!dataeval.isValid() || dataeval < QDate(fiscalYear - 6, 12, 31))
        return QStringLiteral("-");
    return base::FormatDate(dataeval);
}

bool IsOutOfRecords(const QDate& dataout)
{
    return dataout.isValid() && base::DayNumber(dataout) > 100;
}

QString ExitDateText(const QDate& dataout)
{
    return IsOutOfRecords(dataout) ? base::FormatDate(dataout) : QStringLiteral("-");
}

const QStringList& DestinationEntries()
{
    static const QStringList entries = {
        QStringLiteral("Cladire"), QStringLiteral("Cladire-Anexa"), QStringLiteral("Subsol, Demisol, Mansarda locuita"),
        QStringLiteral("Subsol, Demisol, Mansarda nelocuita")};
    return entries;
}

const QStringList& MaterialEntries()
{
    static const QStringList entries = {
        QStringLiteral("beton, caramida arsa sau orice material rezultat prin tratament termic/chimic"),
        QStringLiteral("lemn, piatra naturala, valatuci, caramida nearsa sau orice material netratat termic/chimic")};
    return entries;
}

} // namespace lirma::assessment
