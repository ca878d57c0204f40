#include "register/personal_code.h"

namespace lirma::reg {

namespace {

bool allDigits(QStringView text)
{
    for (QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

int digit(QStringView text, int i) { return text[i].unicode() - u'0'; }

// Two digits at i as a number; -1 when they are not digits.
int twoDigits(QStringView text, int i)
{
    if (!allDigits(text.mid(i, 2)))
        return -1;
    return digit(text, i) * 10 + digit(text, i + 1);
}

} // namespace

QString SexMale() { return QStringLiteral("masculin"); }
QString SexFemale() { return QStringLiteral("feminin"); }

bool CnpCorect(QStringView text, bool acceptEmpty)
{
    if (text.isEmpty())
        return acceptEmpty;
    if (text.size() != kCnpLength || !allDigits(text))
        return false;
    const int first = digit(text, 0);
    const int yy = twoDigits(text, 1), mm = twoDigits(text, 3), dd = twoDigits(text, 5);
    switch (first) {
    case 1: case 2:
        if (!QDate::isValid(1900 + yy, mm, dd))
            return false;
        break;
    case 5: case 6:
        if (!QDate::isValid(2000 + yy, mm, dd))
            return false;
        break;
    case 7: case 8: case 9:
        // Residents' codes carry no century: 29 February of "00" is a date in 2000.
        if (!QDate::isValid(1900 + yy, mm, dd) && !QDate::isValid(2000 + yy, mm, dd))
            return false;
        break;
    default:
        return false;
    }
    static constexpr int kKey[12] = {2, 7, 9, 1, 4, 6, 3, 5, 8, 2, 7, 9};
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += digit(text, i) * kKey[i];
    int check = sum % 11;
    if (check == 10)
        check = 1;
    return digit(text, 12) == check;
}

QDate CnpNascutLa(QStringView text)
{
    if (text.size() <= 6)
        return {};
    const int yy = twoDigits(text, 1), mm = twoDigits(text, 3), dd = twoDigits(text, 5);
    if (yy < 0 || mm < 0 || dd < 0)
        return {};
    const int century = (text[0] == u'5' || text[0] == u'6') ? 2000 : 1900;
    const QDate date(century + yy, mm, dd);
    return date.isValid() ? date : QDate(1900, 1, 1);
}

QString CnpSex(QStringView text)
{
    if (text.isEmpty())
        return SexMale();
    const QChar c = text[0];
    return (c == u'1' || c == u'5' || c == u'7' || c == u'9') ? SexMale() : SexFemale();
}

CnpEditState ApplyCnpKey(const CnpEditState& state, CnpKey key, QChar digitChar)
{
    CnpEditState s = state;
    const bool selected = s.selectionStart >= 0 && s.selectionLength > 0;
    auto removeSelection = [&s] {
        s.text.remove(s.selectionStart, s.selectionLength);
        s.cursor = s.selectionStart;
        s.selectionStart = -1;
        s.selectionLength = 0;
    };
    s.cursor = qBound(0, s.cursor, int(s.text.size()));
    switch (key) {
    case CnpKey::Backspace:
        if (selected) {
            removeSelection();
        } else if (s.cursor > 0) {
            s.text.remove(s.cursor - 1, 1);
            --s.cursor;
        }
        break;
    case CnpKey::Delete:
        if (selected)
            removeSelection();
        else if (s.cursor < s.text.size())
            s.text.remove(s.cursor, 1);
        break;
    case CnpKey::Digit:
        if (digitChar < u'0' || digitChar > u'9')
            break;
        if (selected)
            removeSelection();
        if (s.text == QStringLiteral("0")) {
            s.text.clear();
            s.cursor = 0;
        }
        if (s.text.size() >= kCnpLength)
            break;
        s.text.insert(s.cursor, digitChar);
        ++s.cursor;
        break;
    case CnpKey::Other:
        break;
    }
    if (s.selectionLength == 0)
        s.selectionStart = -1;
    return s;
}

} // namespace lirma::reg
