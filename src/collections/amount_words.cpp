#include "collections/amount_words.h"

#include <array>

namespace lirma::collections {

namespace {

// Feminine forms: the scale words that follow are feminine plurals.
const std::array<const char*, 10> Word{"zero", "una", "doua", "trei", "patru", "cinci", "sase", "sapte", "opt", "noua"};

QString word(int digit) { return QString::fromLatin1(Word[size_t(digit)]); }

QString spellGroup(int h, int t, int u)
{
    QString s;
    if (h == 1)
        s += QStringLiteral("unasuta");
    else if (h > 1)
        s += word(h) + QStringLiteral("sute");

    const int tu = 10 * t + u;
    if (tu >= 1 && tu <= 9)
        s += word(u);
    else if (tu == 10)
        s += QStringLiteral("zece");
    else if (tu == 11)
        s += QStringLiteral("unsprezece");
    else if (tu == 12)
        s += QStringLiteral("doisprezece");
    else if (tu >= 13 && tu <= 19)
        s += word(u) + QStringLiteral("sprezece");
    else if (tu >= 20) {
        s += word(t) + QStringLiteral("zeci");
        if (u != 0)
            s += QStringLiteral("si") + word(u);
    }
    return s;
}

// `digits`: decimal digits only, at least one.
QString spellWhole(QString digits)
{
    while (digits.size() % 3 != 0)
        digits.prepend(QLatin1Char('0'));
    const qsizetype n = digits.size() / 3;
    QString result;
    for (qsizetype g = 0; g < n; ++g) {
        const auto d = [&](int k) { return digits[g * 3 + k].unicode() - u'0'; };
        const QString group = spellGroup(d(0), d(1), d(2));
        if (group.isEmpty())
            continue;
        result += group;
        switch (n - g) { // position counted from the right
        case 2: result += QStringLiteral("mii"); break;
        case 3: result += QStringLiteral("milioane"); break;
        case 4: result += QStringLiteral("miliarde"); break;
        default: break; // units, and groups beyond billions, get no scale word
        }
    }
    if (result.isEmpty())
        return QStringLiteral("zero");
    // Masculine form of a final one or two only; unamii, douasute inside stay as they are.
    if (result.endsWith(QLatin1String("una")))
        result.back() = QLatin1Char('u');
    else if (result.size() > 3 && result.endsWith(QLatin1String("doua")))
        result.replace(result.size() - 4, 4, QStringLiteral("doi"));
    return result;
}

} // namespace

QString AmountInWords(QStringView text, QChar thousandsSeparator)
{
    QString t = text.trimmed().toString();
    bool negative = false;
    if (t.startsWith(QLatin1Char('-'))) {
        negative = true;
        t.remove(0, 1);
    }
    if (thousandsSeparator != QLatin1Char('.'))
        t.remove(thousandsSeparator);
    const qsizetype point = t.indexOf(QLatin1Char('.'));
    const QString whole = point < 0 ? t : t.left(point);
    const QString decimals = point < 0 ? QString() : t.mid(point + 1);

    const auto allDigits = [](const QString& s) {
        for (QChar c : s)
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
        return true;
    };
    if (!allDigits(whole) || !allDigits(decimals) || (negative && whole.isEmpty() && decimals.isEmpty()))
        return {};
    const QString words = spellWhole(whole.isEmpty() ? QStringLiteral("0") : whole);
    // -0.5 spells zero lei: there is nothing to put a minus before.
    if (negative && words != QLatin1String("zero"))
        return QStringLiteral("minus") + words;
    return words;
}

QString AmountInWords(int64_t lei)
{
    return AmountInWords(QString::number(lei));
}

} // namespace lirma::collections
