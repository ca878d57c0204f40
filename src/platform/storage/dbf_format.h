// The dBASE III+/IV file format: header, field descriptors and field values.
#pragma once

#include "storage.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3_context;
struct sqlite3_value;

namespace lirma::storage {

constexpr unsigned char kVersionByte = 0x03;
constexpr unsigned char kLanguageDriverCp1250 = 0xC8;
constexpr unsigned char kEndOfFile = 0x1A;
constexpr size_t kMaxFields = 255;

struct DbfHeader {
    unsigned char version = kVersionByte;
    uint32_t recordCount = 0;
    uint32_t headerLength = 0;
    uint32_t recordLength = 0;
    bool mdxFlag = false;
    std::vector<FieldDef> fields;
};

// Parses the header in `data` (at least the header bytes) and checks it against the file
// size. Throws StorageError naming `label` when the file is damaged.
DbfHeader parseHeader(std::string_view label, const unsigned char* data, size_t available,
                      uint64_t fileSize);

// Checks names, types and widths and fills the offsets; returns the record length.
uint32_t layoutFields(std::vector<FieldDef>& fields);

// Header bytes (descriptors and the 0x0D terminator) for a table with these fields.
std::string buildHeader(const std::vector<FieldDef>& fields, uint32_t recordCount);
// Sets the record count and today's date in an existing header and clears the
// production-index flag (byte 28).
void stampHeader(unsigned char* header, uint32_t recordCount);

// What a value to be written is.
struct FieldInput {
    enum Kind { Null, Int, Real, Text } kind = Null;
    int64_t i = 0;
    double r = 0;
    std::string_view text; // UTF-8
};
FieldInput inputFromSqlite(sqlite3_value* v);

// Writes `in` into the field's bytes. Returns an error reason (without table/column)
// when the value cannot be stored; text longer than the field is cut.
std::optional<std::string> encodeField(const FieldDef& f, const FieldInput& in, char* out);

// Reading: a field's value as SQL sees it (text right-trimmed, numbers integer or real,
// blanks NULL, dates ISO text).
void resultField(sqlite3_context* ctx, const FieldDef& f, const char* bytes);
Value valueOfField(const FieldDef& f, const char* bytes);

// Index keys: equal keys exactly when SQL equality holds. False means NULL (matches nothing).
bool keyOfField(const FieldDef& f, const char* bytes, std::string& key);
bool keyOfValue(const FieldDef& f, sqlite3_value* v, std::string& key);

// SQL type declared for a field ("TEXT", "INTEGER", "REAL").
const char* sqlTypeOf(const FieldDef& f);

} // namespace lirma::storage
