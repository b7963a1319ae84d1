// libFuzzer target for the IGES import: any bytes, read as a file and, when accepted, put
// into a design within its limits. Built by fuzz/CMakeLists.txt, run by scripts/fuzz.sh.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/Services.h"
#include "exchange/ImportIGES.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Services().AfficheMessage = [](const std::string&, int, int b) { return ReponseParDefaut(b); };
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view texte(reinterpret_cast<const char*>(data), size);
  // A coarse tolerance keeps each run short: the fit's search is the same.
  TImportCoque r = ImporteIGESTexte(texte, "fuzz.igs", 0.01);
  // All or nothing: a refusal says why and holds no surface.
  if (!r.Ok() && (!r.Surfaces.empty() || r.Erreur.find("fuzz.igs") == std::string::npos)) __builtin_trap();
  if (r.Ok() && r.Surfaces.empty()) __builtin_trap();
  for (const auto& s : r.Surfaces) {
    if (!std::isfinite(s.Ecart) || s.Ecart < 0) __builtin_trap();
    if (const auto* n = dynamic_cast<const TSurface*>(s.Surface.get())) {
      const TNet& net = n->Net;
      if (net.NbLn < 1 || net.NbLn > MaxNet || net.NbCol < 1 || net.NbCol > MaxNet) __builtin_trap();
      if (net.LFlex < MinOrdre || net.LFlex > MaxOrdre || net.CFlex < MinOrdre || net.CFlex > MaxOrdre)
        __builtin_trap();
      for (int i = 0; i < net.NbLn; i++)
        for (int j = 0; j < net.NbCol; j++)
          if (!std::isfinite(net.PC[i][j].X + net.PC[i][j].Y + net.PC[i][j].Z) || !(net.PC[i][j].W > 0))
            __builtin_trap();
    } else if (s.Surface->NbLnPt + 1 > MaxGrille || s.Surface->NbColPt + 1 > MaxGrille) {
      __builtin_trap();
    }
  }
  TDocument doc;
  const int n = int(r.Surfaces.size());
  const std::string refus = InstalleImport(doc, r, true);
  if (refus.empty() != (r.Ok() && n <= MaxSurf)) __builtin_trap();
  if (doc.NbSurf() != (refus.empty() ? n : 0)) __builtin_trap();
  return 0;
}
