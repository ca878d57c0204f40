#include "platform/base/text.h"

#include "platform/base/edition.h"

namespace lirma::base {

namespace {

bool isTrimmed(QChar c) { return c.unicode() <= u' '; }

bool isDigit(QChar c) { return c.unicode() >= u'0' && c.unicode() <= u'9'; }

} // namespace

QString TrimText(QStringView text)
{
    qsizetype b = 0, e = text.size();
    while (b < e && isTrimmed(text[b]))
        ++b;
    while (e > b && isTrimmed(text[e - 1]))
        --e;
    return text.sliced(b, e - b).toString();
}

QString CleanSpaces(QStringView text)
{
    const QString trimmed = TrimText(text);
    QString result;
    result.reserve(trimmed.size());
    for (QChar c : trimmed) {
        if (c == u' ' && result.endsWith(u' '))
            continue;
        result.append(c);
    }
    return result;
}

QString FirstWord(QStringView text)
{
    const qsizetype space = text.indexOf(u' ');
    return (space < 0 ? text : text.first(space)).toString();
}

QString RestAfterFirstWord(QStringView text)
{
    const qsizetype space = text.indexOf(u' ');
    return space < 0 ? QString() : TrimText(text.sliced(space + 1));
}

QString JoinFilters(QStringView text)
{
    QString result = TrimText(text);
    result.replace(QStringLiteral(")("), QStringLiteral(") AND ("));
    return result;
}

QString FormatAddress(QStringView street, QStringView number)
{
    if (TrimText(street).isEmpty())
        return TrimText(number);
    QString address = QStringLiteral("str.");
    address.append(street).append(u' ').append(number);
    return TrimText(address);
}

int GroupIndex(QStringView group)
{
    const QStringList& groups = ImpozitGroups();
    for (int i = 0; i < 4; ++i) {
        if (group.compare(groups[i], Qt::CaseInsensitive) == 0)
            return i + 1;
    }
    return 5;
}

bool ValidIban(QStringView text)
{
    QString iban;
    for (QChar c : text) {
        const QChar u = c.toUpper();
        if (isDigit(u) || (u.unicode() >= u'A' && u.unicode() <= u'Z'))
            iban.append(u);
    }
    if (iban.size() != 24 || !iban.startsWith(QStringLiteral("RO")) || !isDigit(iban[2]) || !isDigit(iban[3]))
        return false;

    // Country and check digits go to the end; letters become 10..35; the
    // remainder of that long number by 97 must be 1.
    const QString moved = iban.sliced(4) + iban.first(4);
    QString number;
    for (QChar c : moved)
        number += isDigit(c) ? QString(c) : QString::number(c.unicode() - u'A' + 10);
    int remainder = 0;
    for (QChar c : number)
        remainder = (remainder * 10 + (c.unicode() - u'0')) % 97;
    return remainder == 1;
}

bool ValidFiscalCode(QStringView text)
{
    if (text.size() < 3 || text.size() > 10)
        return false;
    for (QChar c : text) {
        if (!isDigit(c))
            return false;
    }
    const QString code = text.toString().rightJustified(10, u'0');
    static constexpr char Key[] = "753217532";
    int sum = 0;
    for (int i = 0; i < 9; ++i)
        sum += (code[i].unicode() - u'0') * (Key[i] - '0');
    return code[9].unicode() - u'0' == (sum * 10 % 11) % 10;
}

} // namespace lirma::base
