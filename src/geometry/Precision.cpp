// The custom precision's entry rules.
#include "geometry/Precision.h"

#include <algorithm>
#include <charconv>

#include "model/Limites.h"

std::optional<int> LitPrecisionPerso(const std::string& texte, bool modeDebug) {
  size_t a = texte.find_first_not_of(" \t"), b = texte.find_last_not_of(" \t");
  if (a == std::string::npos) return std::nullopt;
  const char* d = texte.data() + a;
  const char* f = texte.data() + b + 1;
  if (*d == '+') d++;
  long long v = 0;
  auto [fin, ec] = std::from_chars(d, f, v);
  if (fin != f) return std::nullopt;
  // Digits beyond any integer still ask for the most steps there are.
  if (ec == std::errc::result_out_of_range)
    v = texte[a] == '-' ? 0 : MaxPrecision;
  else if (ec != std::errc{})
    return std::nullopt;
  return static_cast<int>(
      std::clamp<long long>(v, modeDebug ? MinPrecision : MinPrecisionPerso, MaxPrecision));
}
