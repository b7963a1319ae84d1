// libFuzzer target for the weights import: any bytes, imported into an empty weights
// grid and into one with a row, then validated into a design as "OK" does. Built by
// fuzz/CMakeLists.txt, run by scripts/fuzz.sh.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/Services.h"
#include "naval/Poids.h"
#include "session/ObjCom.h"

namespace {

void Importe(TGrillePoids g, std::string_view texte) {
  const size_t avant = g.size();
  const std::string err = ImportePoidsCsvTexte(texte, g);
  // A refused import leaves the grid as it was; an accepted one stays within the bound.
  if (!err.empty() && g.size() != avant) __builtin_trap();
  if (g.empty() || g.size() > avant + static_cast<size_t>(MaxLignesImportPoids)) __builtin_trap();
  for (size_t k = 0; k < g.size(); k++)
    if (g[k][0] != std::to_string(k)) __builtin_trap();
  // What the grid holds goes through the check and the validation "OK" makes, on one
  // design made once (its weights list put back after each input).
  static TDocument* doc = [] {
    auto* d = new TDocument;
    d->InitDefaut();
    return d;
  }();
  const auto poids = doc->ListePoids;
  const std::string refus = ValideGrillePoids(*doc, g);
  if (!refus.empty() && doc->ListePoids != poids) __builtin_trap();
  if (VerifieLignes(g).empty() != refus.empty()) __builtin_trap();
  doc->ListePoids = poids;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Services().AfficheMessage = [](const std::string&, int, int b) { return ReponseParDefaut(b); };
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view texte(reinterpret_cast<const char*>(data), size);
  Importe({}, texte);
  TGrillePoids g;
  AjouteLigne(g);
  Importe(g, texte);
  return 0;
}
