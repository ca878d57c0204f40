// Windows-1250 <-> UTF-8, the text encoding of the dBASE files.
#pragma once

#include <string>
#include <string_view>

namespace lirma::codepage {

// Appends the UTF-8 form of Windows-1250 bytes to `out`.
void appendUtf8FromCp1250(std::string& out, const char* data, size_t size);
std::string utf8FromCp1250(std::string_view cp1250);

// Windows-1250 form of UTF-8 text. The comma-below letters (ș ț Ș Ț), missing from
// Windows-1250, become their cedilla forms; other characters it lacks become '?'.
std::string cp1250FromUtf8(std::string_view utf8);

} // namespace lirma::codepage
