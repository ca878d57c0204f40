// Windows-1250 text, as the users file stores it; UTF-8 in memory.
#pragma once

#include <string>
#include <string_view>

namespace lirma::core {

// UTF-8 to Windows-1250. The comma-below letters (ș ț Ș Ț), which the code page lacks,
// become their cedilla forms; any other character it cannot hold becomes '?'.
std::string EncodeCp1250(std::string_view utf8);

// Windows-1250 to UTF-8. The five bytes the code page leaves unassigned map to the
// control characters of the same value, so decoding and encoding again is lossless.
std::string DecodeCp1250(std::string_view bytes);

} // namespace lirma::core
