#include "platform/workbook/cell_value.h"

#include <charconv>
#include <cmath>

namespace lirma::workbook {

CellValue CellValue::Text(const QString& text)
{
    CellValue v;
    v.kind_ = Kind::Text;
    v.text_ = text;
    return v;
}

CellValue CellValue::Integer(int64_t value)
{
    CellValue v;
    v.kind_ = Kind::Number;
    v.literal_ = std::to_string(value);
    return v;
}

CellValue CellValue::Number(double value)
{
    if (!std::isfinite(value))
        return Text(QStringLiteral("#NUM!"));
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    CellValue v;
    v.kind_ = Kind::Number;
    v.literal_.assign(buf, res.ptr);
    if (v.literal_ == "-0")
        v.literal_ = "0";
    return v;
}

CellValue CellValue::Literal(const std::string& literal)
{
    double d = 0;
    auto res = std::from_chars(literal.data(), literal.data() + literal.size(), d);
    if (literal.empty() || res.ec != std::errc() || res.ptr != literal.data() + literal.size() || !std::isfinite(d))
        return Text(QString::fromStdString(literal));
    CellValue v;
    v.kind_ = Kind::Number;
    v.literal_ = literal;
    return v;
}

double CellValue::toDouble() const
{
    if (kind_ != Kind::Number)
        return 0;
    double d = 0;
    std::from_chars(literal_.data(), literal_.data() + literal_.size(), d);
    return d;
}

QString CellValue::toString() const
{
    switch (kind_) {
    case Kind::Text:
        return text_;
    case Kind::Number:
        return QString::fromStdString(literal_);
    case Kind::Empty:
        break;
    }
    return {};
}

} // namespace lirma::workbook
