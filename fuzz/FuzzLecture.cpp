// libFuzzer target for the hull document reader: any bytes, read as a document
// into an empty design and into a design with surfaces (merge), then written
// back and read again. Built by fuzz/CMakeLists.txt, run by scripts/fuzz.sh.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/Services.h"
#include "document/GestFich.h"
#include "session/ObjCom.h"

namespace {

void Lit(TDocument& doc, std::string_view texte) {
  TfichierStr f;
  if (!f.ChargerTexte(texte)) return;
  // Evaluation is the evaluator's business; it is fuzzed through small grids only.
  TOptionsLecture o;
  o.Evaluer = true;
  if (!LitDocument(doc, f, "fuzz.kvb", o)) return;
  // Whatever was read must write and read back.
  std::vector<int> nums;
  for (int k = 0; k < doc.NbSurf(); k++) nums.push_back(k);
  TfichierStr w, r;
  if (!ConstruitFichier(doc, nums, w)) __builtin_trap();
  if (!r.ChargerTexte(w.Texte())) __builtin_trap();
  TDocument relu;
  relu.Precision = doc.Precision;
  o.Evaluer = false;
  if (!LitDocument(relu, r, "fuzz.kvb", o)) __builtin_trap();
  if (relu.NbSurf() != doc.NbSurf()) __builtin_trap();
  // The other sections come back whole: what was read is what can be written.
  if (relu.ListePoids.size() != doc.ListePoids.size() || relu.ListeCotes.size() != doc.ListeCotes.size() ||
      relu.ListeReperes.size() != doc.ListeReperes.size() ||
      relu.ListeReperesEnv.size() != doc.ListeReperesEnv.size())
    __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Services().AfficheMessage = [](const std::string&, int, int b) { return ReponseParDefaut(b); };
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view texte(reinterpret_cast<const char*>(data), size);
  {
    TDocument doc;
    doc.Precision = 4;
    Lit(doc, texte);
  }
  {
    TDocument doc;
    doc.Precision = 4;
    doc.InitDefaut();
    ChangePrecision(doc, 4);
    Lit(doc, texte);
  }
  return 0;
}
