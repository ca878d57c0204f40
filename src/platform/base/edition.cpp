#include "platform/base/edition.h"

namespace lirma::base::edition {

QString AppTitle() { return QString::fromLatin1(Title); }

QString VersionText()
{
    return QStringLiteral("%1.%2").arg(VersionNumber / 10000).arg(VersionNumber % 10000, 4, 10, QLatin1Char('0'));
}

QString VersionCaption() { return AppTitle() + QStringLiteral(" ver. ") + VersionText(); }

} // namespace lirma::base::edition

namespace lirma::base {

const QStringList& TaxGroups()
{
    static const QStringList groups{QStringLiteral("Concesionari"), QStringLiteral("Iluminat"),
                                    QStringLiteral("Salubritate"), QStringLiteral("PSI"), QStringLiteral("Paza")};
    return groups;
}

const QStringList& ImpozitGroups()
{
    static const QStringList groups{QStringLiteral("Impozit pe cladiri"), QStringLiteral("Impozit pe teren intravilan"),
                                    QStringLiteral("Impozit pe teren extravilan"),
                                    QStringLiteral("Impozit pe mijloace de transport"), QStringLiteral("Alte taxe")};
    return groups;
}

} // namespace lirma::base
