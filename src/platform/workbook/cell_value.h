// A value as it goes into or comes out of a workbook cell: nothing, a text or a number. Numbers keep the
// exact text they are written with, so whole lei and fixed-point amounts are never rounded on the way.
#pragma once

#include <QString>

#include <cstdint>
#include <string>

namespace lirma::workbook {

class CellValue {
public:
    enum class Kind { Empty, Text, Number };

    CellValue() = default;
    static CellValue Text(const QString& text);
    static CellValue Integer(int64_t value);
    static CellValue Number(double value);
    // A number already written as text ("122.5"); an invalid literal gives a text value.
    static CellValue Literal(const std::string& literal);

    Kind kind() const { return kind_; }
    bool isEmpty() const { return kind_ == Kind::Empty; }
    bool isText() const { return kind_ == Kind::Text; }
    bool isNumber() const { return kind_ == Kind::Number; }

    const QString& text() const { return text_; }        // texts
    const std::string& literal() const { return literal_; } // numbers, as written in the file
    double toDouble() const;                              // numbers; 0 for anything else
    // The text of a text, the literal of a number, "" when empty.
    QString toString() const;

    bool operator==(const CellValue& other) const = default;

private:
    Kind kind_ = Kind::Empty;
    QString text_;
    std::string literal_;
};

} // namespace lirma::workbook
