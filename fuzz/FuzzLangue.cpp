// libFuzzer target for the language-file reader: any bytes, read as a language file. Every
// text it takes must keep its default's placeholders and fields no wider, and format with
// the default's values in bounded time and size. Built by fuzz/CMakeLists.txt, run by
// scripts/fuzz.sh.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "base/Chaines.h"

namespace {

std::string Chemin;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Chemin = "/tmp/brivane-fuzz-langue-" + std::to_string(::getpid()) + ".dat";
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  {
    std::FILE* f = std::fopen(Chemin.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  std::string refus;
  const bool pris = ChargerChaines(Chemin, &refus);
  if (!pris && refus.empty()) __builtin_trap();  // a refusal is always said
  for (const TChaineDef& d : TableChaines()) {
    const std::string& t = rs(d.Cle);
    if (Placeholders(t, true) != Placeholders(d.Defaut, true) || !ChampsDansDefaut(t, d.Defaut))
      __builtin_trap();
  }
  // The widest default field bounds what a taken text can print for one string value.
  const std::string x = Format(rs("rsImprEchec"), "x");
  if (x.size() > 4096) __builtin_trap();
  ChaineDefauts();
  return 0;
}
