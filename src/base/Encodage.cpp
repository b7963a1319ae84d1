// Windows-1252 <-> UTF-8.
#include "base/Encodage.h"

#include <cstdint>

namespace {

// Code points of bytes 0x80..0x9F in Windows-1252; 0 where the byte is unassigned.
constexpr char32_t Haut1252[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                   0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                   0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                   0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AjouteUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Decodes one code point at s[i]; advances i. Returns U+FFFD on malformed input.
char32_t LitUtf8(std::string_view s, size_t& i) {
  auto b = static_cast<unsigned char>(s[i++]);
  if (b < 0x80) return b;
  int n = (b >= 0xF0 && b < 0xF8) ? 3 : (b >= 0xE0) ? 2 : (b >= 0xC0) ? 1 : -1;
  if (n < 0) return 0xFFFD;
  char32_t c = b & (0x3F >> n);
  for (int k = 0; k < n; k++) {
    if (i >= s.size()) return 0xFFFD;
    auto d = static_cast<unsigned char>(s[i]);
    if ((d & 0xC0) != 0x80) return 0xFFFD;
    c = (c << 6) | (d & 0x3F);
    i++;
  }
  return c;
}

}  // namespace

std::string Cp1252VersUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char ch : s) {
    auto b = static_cast<unsigned char>(ch);
    char32_t c = b;
    if (b >= 0x80 && b < 0xA0) c = Haut1252[b - 0x80] ? Haut1252[b - 0x80] : b;
    AjouteUtf8(out, c);
  }
  return out;
}

std::string Utf8VersCp1252(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    char32_t c = LitUtf8(s, i);
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      out += static_cast<char>(c);
      continue;
    }
    char r = '?';
    for (int k = 0; k < 32; k++)
      if (Haut1252[k] == c) r = static_cast<char>(0x80 + k);
    out += r;
  }
  return out;
}

size_t LongueurUtf8(std::string_view s) {
  size_t n = 0;
  for (char ch : s)
    if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80) n++;
  return n;
}

std::string TronqueUtf8(std::string_view s, size_t n) {
  size_t i = 0, count = 0;
  while (i < s.size() && count < n) {
    LitUtf8(s, i);
    count++;
  }
  return std::string(s.substr(0, i));
}
