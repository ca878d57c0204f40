#include "dbf_format.h"

#include "platform/codepage/cp1250.h"

#include <sqlite3.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <ctime>
#include <set>

namespace lirma::storage {
using namespace lirma::codepage;
namespace {

uint32_t le16(const unsigned char* p) { return uint32_t(p[0]) | (uint32_t(p[1]) << 8); }
uint32_t le32(const unsigned char* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
void put16(unsigned char* p, uint32_t v) { p[0] = v & 0xFF; p[1] = (v >> 8) & 0xFF; }
void put32(unsigned char* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = (v >> (8 * i)) & 0xFF;
}

std::string upper(std::string s) {
    for (auto& c : s) c = char(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

void today(int& y, int& m, int& d) {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    y = tm.tm_year + 1900;
    m = tm.tm_mon + 1;
    d = tm.tm_mday;
}

std::string_view trimmed(const char* bytes, int width) {
    int b = 0, e = width;
    while (b < e && (bytes[b] == ' ' || bytes[b] == '\0')) ++b;
    while (e > b && (bytes[e - 1] == ' ' || bytes[e - 1] == '\0')) --e;
    return {bytes + b, size_t(e - b)};
}

int rightTrimmedLength(const char* bytes, int width) {
    int e = width;
    while (e > 0 && (bytes[e - 1] == ' ' || bytes[e - 1] == '\0')) --e;
    return e;
}

bool isDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

// A numeric field's text: integer when the field has no decimals and the text none.
enum class Num { Null, Int, Real };
Num parseNumber(const FieldDef& f, const char* bytes, int64_t& i, double& r) {
    std::string_view t = trimmed(bytes, f.width);
    if (t.empty()) return Num::Null;
    if (t.front() == '+') t.remove_prefix(1);
    bool hasPoint = t.find('.') != std::string_view::npos;
    if (f.decimals == 0 && !hasPoint) {
        auto res = std::from_chars(t.data(), t.data() + t.size(), i);
        if (res.ec == std::errc() && res.ptr == t.data() + t.size()) return Num::Int;
    }
    auto res = std::from_chars(t.data(), t.data() + t.size(), r, std::chars_format::fixed);
    if (res.ec == std::errc() && res.ptr == t.data() + t.size()) {
        if (f.decimals == 0 && std::floor(r) == r && std::fabs(r) < 9.0e15) {
            i = int64_t(r);
            return Num::Int;
        }
        return Num::Real;
    }
    return Num::Null; // not a number: shown as blank rather than failing the whole table
}

bool validDate(int y, int m, int d) {
    if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1) return false;
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int max = days[m - 1];
    if (m == 2 && ((y % 4 == 0 && y % 100 != 0) || y % 400 == 0)) max = 29;
    return d <= max;
}

// Date field bytes "YYYYMMDD" as ISO text; false when blank or invalid.
bool isoOfDate(const char* bytes, char iso[10]) {
    std::string_view t(bytes, 8);
    if (!isDigits(t)) return false;
    int y = (t[0] - '0') * 1000 + (t[1] - '0') * 100 + (t[2] - '0') * 10 + (t[3] - '0');
    int m = (t[4] - '0') * 10 + (t[5] - '0');
    int d = (t[6] - '0') * 10 + (t[7] - '0');
    if (!validDate(y, m, d)) return false;
    std::memcpy(iso, bytes, 4);
    iso[4] = '-';
    std::memcpy(iso + 5, bytes + 4, 2);
    iso[7] = '-';
    std::memcpy(iso + 8, bytes + 6, 2);
    return true;
}

int logicalOf(char c) {
    switch (c) {
    case 'T': case 't': case 'Y': case 'y': return 1;
    case 'F': case 'f': case 'N': case 'n': return 0;
    default: return -1;
    }
}

struct DecimalText {
    bool negative = false;
    std::string intDigits;
    std::string fracDigits;
};

bool parseDecimalText(std::string_view s, DecimalText& out) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    if (s.empty()) return false;
    if (s.front() == '-' || s.front() == '+') {
        out.negative = s.front() == '-';
        s.remove_prefix(1);
    }
    size_t point = s.find('.');
    std::string_view ip = s.substr(0, point);
    std::string_view fp = point == std::string_view::npos ? std::string_view() : s.substr(point + 1);
    if (ip.empty() && fp.empty()) return false;
    if (!ip.empty() && !isDigits(ip)) return false;
    if (!fp.empty() && !isDigits(fp)) return false;
    out.intDigits = std::string(ip);
    out.fracDigits = std::string(fp);
    return true;
}

// Rounds to `decimals` places, halves away from zero, and formats "-123.45".
std::string formatDecimal(DecimalText v, int decimals) {
    std::string digits = v.intDigits;
    std::string frac = v.fracDigits;
    bool roundUp = frac.size() > size_t(decimals) && frac[decimals] >= '5';
    frac.resize(decimals, '0');
    digits += frac;
    if (digits.empty()) digits = "0";
    if (roundUp) {
        int i = int(digits.size()) - 1;
        while (i >= 0 && digits[i] == '9') digits[i--] = '0';
        if (i < 0) digits.insert(digits.begin(), '1');
        else ++digits[i];
    }
    std::string ip = digits.substr(0, digits.size() - decimals);
    std::string fp = digits.substr(digits.size() - decimals);
    size_t nz = ip.find_first_not_of('0');
    ip = nz == std::string::npos ? "0" : ip.substr(nz);
    bool zero = ip == "0" && fp.find_first_not_of('0') == std::string::npos;
    std::string out = (v.negative && !zero) ? "-" : "";
    out += ip;
    if (decimals > 0) out += "." + fp;
    return out;
}

std::string numberText(const FieldInput& in) {
    char buf[400];
    if (in.kind == FieldInput::Int) return std::to_string(in.i);
    auto res = std::to_chars(buf, buf + sizeof buf, in.r, std::chars_format::fixed);
    return std::string(buf, res.ptr);
}

} // namespace

const char* sqlTypeOf(const FieldDef& f) {
    switch (f.type) {
    case 'N': case 'F': return f.decimals == 0 ? "INTEGER" : "REAL";
    case 'L': return "INTEGER";
    default: return "TEXT";
    }
}

uint32_t layoutFields(std::vector<FieldDef>& fields) {
    if (fields.empty()) throw StorageError("a table needs at least one column");
    if (fields.size() > kMaxFields)
        throw StorageError("a table has at most 255 columns, not " + std::to_string(fields.size()));
    std::set<std::string> seen;
    uint32_t offset = 1;
    for (auto& f : fields) {
        if (f.name.empty() || f.name.size() > 10)
            throw StorageError("column name '" + f.name + "' must have 1 to 10 characters");
        for (char c : f.name)
            if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_'))
                throw StorageError("column name '" + f.name + "' may hold only letters, digits and _");
        if (!seen.insert(upper(f.name)).second)
            throw StorageError("column " + f.name + " appears twice");
        f.type = char(std::toupper(static_cast<unsigned char>(f.type)));
        switch (f.type) {
        case 'C':
            if (f.width < 1 || f.width > 254) throw StorageError("CHAR width of " + f.name + " must be 1..254");
            f.decimals = 0;
            break;
        case 'N': case 'F':
            if (f.width < 1 || f.width > 20) throw StorageError("DECIMAL width of " + f.name + " must be 1..20");
            if (f.decimals < 0 || f.decimals > 15 || (f.decimals > 0 && f.decimals > f.width - 2))
                throw StorageError("DECIMAL(" + std::to_string(f.width) + "," + std::to_string(f.decimals) +
                                   ") of " + f.name + " is not a valid size");
            break;
        case 'D': f.width = 8; f.decimals = 0; break;
        case 'L': f.width = 1; f.decimals = 0; break;
        default: throw StorageError(std::string("unknown column type '") + f.type + "' of " + f.name);
        }
        f.offset = int(offset);
        offset += uint32_t(f.width);
    }
    if (offset > 65535) throw StorageError("record longer than 65535 bytes");
    return offset;
}

std::string buildHeader(const std::vector<FieldDef>& fieldsIn, uint32_t recordCount) {
    std::vector<FieldDef> fields = fieldsIn;
    uint32_t recordLength = layoutFields(fields);
    uint32_t headerLength = 32 + 32 * uint32_t(fields.size()) + 1;
    std::string h(headerLength, '\0');
    auto* p = reinterpret_cast<unsigned char*>(h.data());
    p[0] = kVersionByte;
    put16(p + 8, headerLength);
    put16(p + 10, recordLength);
    p[29] = kLanguageDriverCp1250;
    stampHeader(p, recordCount);
    for (size_t i = 0; i < fields.size(); ++i) {
        unsigned char* d = p + 32 + 32 * i;
        std::memcpy(d, fields[i].name.data(), fields[i].name.size());
        d[11] = static_cast<unsigned char>(fields[i].type);
        d[16] = static_cast<unsigned char>(fields[i].width);
        d[17] = static_cast<unsigned char>(fields[i].decimals);
    }
    p[headerLength - 1] = 0x0D;
    return h;
}

void stampHeader(unsigned char* header, uint32_t recordCount) {
    int y, m, d;
    today(y, m, d);
    header[1] = static_cast<unsigned char>(y - 1900);
    header[2] = static_cast<unsigned char>(m);
    header[3] = static_cast<unsigned char>(d);
    put32(header + 4, recordCount);
    header[28] = 0; // no production index: we never maintain .mdx files
}

DbfHeader parseHeader(std::string_view label, const unsigned char* p, size_t available, uint64_t fileSize) {
    auto fail = [&](const std::string& why) -> StorageError {
        return StorageError("damaged table " + std::string(label) + ": " + why);
    };
    if (fileSize < 32 || available < 32) throw fail("file too short for a dBASE header");
    DbfHeader h;
    h.version = p[0];
    h.recordCount = le32(p + 4);
    h.headerLength = le16(p + 8);
    h.recordLength = le16(p + 10);
    h.mdxFlag = p[28] != 0;
    if (h.headerLength < 33) throw fail("header length " + std::to_string(h.headerLength) + " is too small");
    if (h.recordLength < 1) throw fail("record length is zero");
    if (h.headerLength > fileSize)
        throw fail("header length " + std::to_string(h.headerLength) + " is beyond the end of the file");
    if (available < h.headerLength) throw fail("header could not be read whole");
    uint32_t pos = 32;
    uint32_t sum = 1;
    bool terminated = false;
    while (pos < h.headerLength) {
        if (p[pos] == 0x0D) {
            terminated = true;
            break;
        }
        if (pos + 32 > h.headerLength) throw fail("field descriptors run past the header");
        const unsigned char* d = p + pos;
        FieldDef f;
        size_t n = 0;
        while (n < 11 && d[n] != 0) ++n;
        f.name.assign(reinterpret_cast<const char*>(d), n);
        while (!f.name.empty() && f.name.back() == ' ') f.name.pop_back();
        f.type = char(d[11]);
        f.width = d[16];
        f.decimals = d[17];
        if (f.type != 'C' && f.type != 'N' && f.type != 'D' && f.type != 'L' && f.type != 'F')
            throw fail(std::string("unknown field type '") + (std::isprint(d[11]) ? char(d[11]) : '?') +
                       "' of field " + f.name);
        if (f.type == 'C') f.decimals = 0;
        if (f.width == 0) throw fail("field " + f.name + " has width 0");
        if (f.type == 'D' && f.width != 8) throw fail("date field " + f.name + " is not 8 bytes wide");
        f.offset = int(sum);
        sum += uint32_t(f.width);
        h.fields.push_back(std::move(f));
        if (h.fields.size() > kMaxFields) throw fail("more than 255 fields");
        pos += 32;
    }
    if (!terminated) throw fail("field descriptors are not terminated");
    if (h.fields.empty()) throw fail("no fields");
    if (sum != h.recordLength)
        throw fail("record length " + std::to_string(h.recordLength) + " does not match its fields (" +
                   std::to_string(sum) + ")");
    uint64_t expected = uint64_t(h.headerLength) + uint64_t(h.recordCount) * h.recordLength;
    if (fileSize < expected) {
        uint64_t present = (fileSize - h.headerLength) / h.recordLength;
        throw fail("truncated: " + std::to_string(h.recordCount) + " records announced, " +
                   std::to_string(present) + " present");
    }
    if (fileSize > expected + 1 && fileSize - expected - 1 >= h.recordLength)
        throw fail("the file holds more data than its " + std::to_string(h.recordCount) +
                   " records (record count or record length damaged)");
    return h;
}

FieldInput inputFromSqlite(sqlite3_value* v) {
    FieldInput in;
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER: in.kind = FieldInput::Int; in.i = sqlite3_value_int64(v); break;
    case SQLITE_FLOAT: in.kind = FieldInput::Real; in.r = sqlite3_value_double(v); break;
    case SQLITE_NULL: in.kind = FieldInput::Null; break;
    default:
        in.kind = FieldInput::Text;
        in.text = std::string_view(reinterpret_cast<const char*>(sqlite3_value_text(v)),
                                   size_t(sqlite3_value_bytes(v)));
        break;
    }
    return in;
}

std::optional<std::string> encodeField(const FieldDef& f, const FieldInput& in, char* out) {
    switch (f.type) {
    case 'C': {
        std::string text;
        if (in.kind == FieldInput::Text) text = cp1250FromUtf8(in.text);
        else if (in.kind == FieldInput::Int) text = std::to_string(in.i);
        else if (in.kind == FieldInput::Real) {
            char buf[64];
            auto res = std::to_chars(buf, buf + sizeof buf, in.r);
            text.assign(buf, res.ptr);
        }
        size_t n = std::min(text.size(), size_t(f.width)); // longer text is cut, as dBASE does
        std::memcpy(out, text.data(), n);
        std::memset(out + n, ' ', size_t(f.width) - n);
        return std::nullopt;
    }
    case 'N': case 'F': {
        if (in.kind == FieldInput::Null || (in.kind == FieldInput::Text && trimmed(in.text.data(), int(in.text.size())).empty())) {
            std::memset(out, ' ', size_t(f.width));
            return std::nullopt;
        }
        if (in.kind == FieldInput::Real && !std::isfinite(in.r)) return std::string("is not a finite number");
        DecimalText dt;
        std::string source = in.kind == FieldInput::Text ? std::string(in.text) : numberText(in);
        if (!parseDecimalText(source, dt)) {
            // Exponent notation and the like: go through a double.
            double r = 0;
            std::string_view t = trimmed(source.data(), int(source.size()));
            auto res = std::from_chars(t.data(), t.data() + t.size(), r);
            if (res.ec != std::errc() || res.ptr != t.data() + t.size() || !std::isfinite(r))
                return "'" + source + "' is not a number";
            FieldInput real;
            real.kind = FieldInput::Real;
            real.r = r;
            source = numberText(real);
            if (!parseDecimalText(source, dt)) return "'" + source + "' is not a number";
        }
        std::string text = formatDecimal(dt, f.decimals);
        if (text.size() > size_t(f.width))
            return "value " + text + " does not fit DECIMAL(" + std::to_string(f.width) + "," +
                   std::to_string(f.decimals) + ")";
        std::memset(out, ' ', size_t(f.width) - text.size());
        std::memcpy(out + f.width - text.size(), text.data(), text.size());
        return std::nullopt;
    }
    case 'D': {
        if (in.kind == FieldInput::Null) {
            std::memset(out, ' ', 8);
            return std::nullopt;
        }
        if (in.kind != FieldInput::Text) return std::string("a date is expected as text YYYY-MM-DD");
        std::string_view t = trimmed(in.text.data(), int(in.text.size()));
        if (t.empty()) {
            std::memset(out, ' ', 8);
            return std::nullopt;
        }
        std::string ymd;
        if (t.size() >= 10 && t[4] == '-' && t[7] == '-' && (t.size() == 10 || t[10] == ' ' || t[10] == 'T'))
            ymd = std::string(t.substr(0, 4)) + std::string(t.substr(5, 2)) + std::string(t.substr(8, 2));
        else if (t.size() == 10 && t[2] == '.' && t[5] == '.')
            ymd = std::string(t.substr(6, 4)) + std::string(t.substr(3, 2)) + std::string(t.substr(0, 2));
        else if (t.size() == 8)
            ymd = std::string(t);
        char iso[10];
        if (ymd.size() != 8 || !isoOfDate(ymd.data(), iso)) return "'" + std::string(t) + "' is not a date";
        std::memcpy(out, ymd.data(), 8);
        return std::nullopt;
    }
    case 'L': {
        char c = ' ';
        if (in.kind == FieldInput::Int) c = in.i ? 'T' : 'F';
        else if (in.kind == FieldInput::Real) c = in.r != 0 ? 'T' : 'F';
        else if (in.kind == FieldInput::Text) {
            std::string t = upper(std::string(trimmed(in.text.data(), int(in.text.size()))));
            if (t == "T" || t == "Y" || t == "1" || t == "DA" || t == "TRUE") c = 'T';
            else if (t == "F" || t == "N" || t == "0" || t == "NU" || t == "FALSE") c = 'F';
            else if (!t.empty()) return "'" + t + "' is not a logical value";
        }
        *out = c;
        return std::nullopt;
    }
    }
    return std::string("unsupported column type");
}

void resultField(sqlite3_context* ctx, const FieldDef& f, const char* bytes) {
    switch (f.type) {
    case 'C': {
        int n = rightTrimmedLength(bytes, f.width);
        bool ascii = true;
        for (int i = 0; i < n; ++i)
            if (static_cast<unsigned char>(bytes[i]) >= 0x80) { ascii = false; break; }
        if (ascii) {
            sqlite3_result_text(ctx, bytes, n, SQLITE_TRANSIENT);
        } else {
            std::string s;
            appendUtf8FromCp1250(s, bytes, size_t(n));
            sqlite3_result_text(ctx, s.data(), int(s.size()), SQLITE_TRANSIENT);
        }
        return;
    }
    case 'N': case 'F': {
        int64_t i;
        double r;
        switch (parseNumber(f, bytes, i, r)) {
        case Num::Int: sqlite3_result_int64(ctx, i); return;
        case Num::Real: sqlite3_result_double(ctx, r); return;
        case Num::Null: sqlite3_result_null(ctx); return;
        }
        return;
    }
    case 'D': {
        char iso[10];
        if (isoOfDate(bytes, iso)) sqlite3_result_text(ctx, iso, 10, SQLITE_TRANSIENT);
        else sqlite3_result_null(ctx);
        return;
    }
    case 'L': {
        int v = logicalOf(*bytes);
        if (v < 0) sqlite3_result_null(ctx);
        else sqlite3_result_int(ctx, v);
        return;
    }
    }
    sqlite3_result_null(ctx);
}

Value valueOfField(const FieldDef& f, const char* bytes) {
    switch (f.type) {
    case 'C': return Value(utf8FromCp1250(std::string_view(bytes, size_t(rightTrimmedLength(bytes, f.width)))));
    case 'N': case 'F': {
        int64_t i;
        double r;
        switch (parseNumber(f, bytes, i, r)) {
        case Num::Int: return Value(i);
        case Num::Real: return Value(r);
        case Num::Null: return Value();
        }
        return Value();
    }
    case 'D': {
        char iso[10];
        if (isoOfDate(bytes, iso)) return Value(std::string(iso, 10));
        return Value();
    }
    case 'L': {
        int v = logicalOf(*bytes);
        return v < 0 ? Value() : Value(v);
    }
    }
    return Value();
}

namespace {
void numberKey(double d, std::string& key) {
    if (d == 0) d = 0; // -0 and 0 are equal
    key.assign(reinterpret_cast<const char*>(&d), sizeof d);
}
} // namespace

bool keyOfField(const FieldDef& f, const char* bytes, std::string& key) {
    switch (f.type) {
    case 'C':
        key.clear();
        appendUtf8FromCp1250(key, bytes, size_t(rightTrimmedLength(bytes, f.width)));
        return true;
    case 'N': case 'F': {
        int64_t i;
        double r;
        switch (parseNumber(f, bytes, i, r)) {
        case Num::Int: numberKey(double(i), key); return true;
        case Num::Real: numberKey(r, key); return true;
        case Num::Null: return false;
        }
        return false;
    }
    case 'D': {
        char iso[10];
        if (!isoOfDate(bytes, iso)) return false;
        key.assign(iso, 10);
        return true;
    }
    case 'L': {
        int v = logicalOf(*bytes);
        if (v < 0) return false;
        numberKey(v, key);
        return true;
    }
    }
    return false;
}

bool keyOfValue(const FieldDef& f, sqlite3_value* v, std::string& key) {
    if (sqlite3_value_type(v) == SQLITE_NULL) return false;
    if (f.type == 'C' || f.type == 'D') {
        if (sqlite3_value_type(v) == SQLITE_BLOB) return false;
        key.assign(reinterpret_cast<const char*>(sqlite3_value_text(v)), size_t(sqlite3_value_bytes(v)));
        return true;
    }
    // Numeric affinity is applied to the compared value, as SQLite does for the column.
    switch (sqlite3_value_numeric_type(v)) {
    case SQLITE_INTEGER: numberKey(double(sqlite3_value_int64(v)), key); return true;
    case SQLITE_FLOAT: numberKey(sqlite3_value_double(v), key); return true;
    default: return false;
    }
}

} // namespace lirma::storage
