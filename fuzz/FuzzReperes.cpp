// libFuzzer target for the import of reference marks: any bytes, read in each of the
// orders the import dialog offers, with and without names, then added to a list.
// Built by fuzz/CMakeLists.txt, run by scripts/fuzz.sh.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/Services.h"
#include "naval/Reperes.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Services().AfficheMessage = [](const std::string&, int, int b) { return ReponseParDefaut(b); };
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte chooses the dialog's options, the rest is the file.
  const bool avecNom = (data[0] & 1) != 0;
  const int ordre = (data[0] >> 1) % NbOrdresValeurs;
  const std::string texte(reinterpret_cast<const char*>(data) + 1, size - 1);
  const TResultatImport r = LitReperes(texte, avecNom, ordre);
  const auto lignes = static_cast<size_t>(std::count(texte.begin(), texte.end(), '\n')) + 1;
  // All or nothing: a refusal names its line and holds no mark.
  if (!r.Ok && (!r.Reperes.empty() || r.NumLigne <= 0 || r.Message.empty())) __builtin_trap();
  if (r.Ok && (r.NumLigne != 0 || r.Reperes.size() > lignes)) __builtin_trap();
  for (const TRepere& m : r.Reperes)
    if (!std::isfinite(m.X) || !std::isfinite(m.Y) || !std::isfinite(m.Z)) __builtin_trap();
  TListeReperes liste;
  const int n = AjouteReperes(liste, r);
  if (n < 0 || static_cast<size_t>(n) != liste.size()) __builtin_trap();
  return 0;
}
