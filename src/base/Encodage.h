// Conversion between the single-byte Windows-1252 text of the program's files
// and the UTF-8 strings held in memory.
#pragma once

#include <string>
#include <string_view>

std::string Cp1252VersUtf8(std::string_view s);
// Characters that Windows-1252 cannot hold become '?'; malformed UTF-8 bytes too.
std::string Utf8VersCp1252(std::string_view s);
// Number of characters (code points) of a UTF-8 string.
size_t LongueurUtf8(std::string_view s);
// The first n characters of a UTF-8 string, never cutting a character in two.
std::string TronqueUtf8(std::string_view s, size_t n);
