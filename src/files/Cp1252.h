#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace bis {

// Files hold texts one byte per character in Windows-1252, the code page of the show-day
// machines. The five bytes that code page leaves undefined map to the control characters of the
// same number, so every byte sequence survives a round trip through UTF-8 unchanged.

// The UTF-8 form of Windows-1252 bytes.
[[nodiscard]] std::string Utf8FromCp1252(std::string_view bytes);

// The Windows-1252 bytes of a UTF-8 text; a character the code page cannot hold, or a byte that
// is not valid UTF-8, becomes "?".
[[nodiscard]] std::string Cp1252FromUtf8(std::string_view utf8);

// The Windows-1252 byte of one Unicode code point, if the code page holds it.
[[nodiscard]] std::optional<unsigned char> Cp1252Byte(char32_t codePoint);

}  // namespace bis
