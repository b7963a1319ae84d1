// libFuzzer target for the table-of-offsets import: any bytes, read and fitted; what is
// accepted is one surface of the program's form. Built by fuzz/CMakeLists.txt, run by
// scripts/fuzz.sh.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/Services.h"
#include "exchange/ImportCotes.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Services().AfficheMessage = [](const std::string&, int, int b) { return ReponseParDefaut(b); };
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view texte(reinterpret_cast<const char*>(data), size);
  TTableCotesLue t;
  std::string erreur;
  const bool lu = LitTableCotes(texte, "fuzz.csv", t, erreur);
  if (lu != erreur.empty()) __builtin_trap();
  if (!lu) return 0;
  if (t.Stations.size() < 2 || t.DemiLargeurs.size() != t.Stations.size()) __builtin_trap();
  TImportCoque r = AjusteCotes(t, "fuzz.csv", 0.01);
  if (!r.Ok()) return 0;
  if (r.Surfaces.size() != 1) __builtin_trap();
  const auto* s = dynamic_cast<const TSurface*>(r.Surfaces[0].Surface.get());
  if (!s || !s->Sym || !std::isfinite(r.Surfaces[0].Ecart)) __builtin_trap();
  const TNet& n = s->Net;
  if (n.NbLn < 1 || n.NbLn > MaxNet || n.NbCol < 1 || n.NbCol > MaxNet) __builtin_trap();
  for (int i = 0; i < n.NbLn; i++)
    for (int j = 0; j < n.NbCol; j++)
      if (!std::isfinite(n.PC[i][j].X + n.PC[i][j].Y + n.PC[i][j].Z)) __builtin_trap();
  return 0;
}
