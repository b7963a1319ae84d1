// The hull imports: a 31 x 31 IGES surface of the program's own form read exactly (text
// to surface), and the table of offsets of an analytic hull (21 stations x 11 waterlines)
// fitted to the smallest net within 1 mm.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>

#include "exchange/ExportIGES.h"
#include "exchange/ImportCotes.h"
#include "exchange/ImportIGES.h"

namespace {

std::string Iges31() {
  TDocument doc;
  auto s = std::make_unique<TSurface>(0, 20);
  s->Nom = "Coque";
  s->Sym = false;
  s->Net.NbLn = s->Net.NbCol = MaxNet;
  s->Net.LFlex = s->Net.CFlex = 4;
  for (int i = 0; i < MaxNet; i++)
    for (int j = 0; j < MaxNet; j++)
      s->Net.PC[i][j] = {1.7 * std::sin(0.1 * i) * std::cos(0.05 * j - 0.7), 0.4 * j,
                         -1 + 0.07 * i + 0.01 * j, 1};
  doc.TabSurf.push_back(std::move(s));
  TOptionsExport o;
  o.Nurbs = true;
  o.Horloge = [] { return std::time_t(0); };
  std::string t;
  for (const auto& l : LignesIGES(doc, o)) t += l + "\r\n";
  return t;
}

void Import_IGES_Exact31x31(benchmark::State& st) {
  const std::string texte = Iges31();
  for (auto _ : st) {
    TImportCoque r = ImporteIGESTexte(texte, "coque.igs");
    if (!r.Ok() || r.Surfaces.size() != 1 || !r.Surfaces[0].Exacte) st.SkipWithError("not read exactly");
    benchmark::DoNotOptimize(r);
  }
  st.counters["bytes"] = double(texte.size());
}
BENCHMARK(Import_IGES_Exact31x31)->Unit(benchmark::kMillisecond);

void Import_Offsets_Analytic21x11(benchmark::State& st) {
  const double L = 12, B = 3.6, T = 0.9;
  std::string t;
  char b[32];
  for (int w = 0; w <= 10; w++) std::snprintf(b, sizeof b, ";%.6f", -T + T * w / 10), t += b;
  t += "\n";
  for (int s = 0; s <= 20; s++) {
    const double y = -L / 2 + L * s / 20;
    std::snprintf(b, sizeof b, "%.6f", y);
    t += b;
    for (int w = 0; w <= 10; w++) {
      const double z = -T + T * w / 10;
      std::snprintf(b, sizeof b, ";%.6f", B / 2 * std::cos(M_PI * y / L) * (1 - z * z / (T * T)));
      t += b;
    }
    t += "\n";
  }
  double ecart = 0;
  for (auto _ : st) {
    TImportCoque r = ImporteCotesTexte(t, "analytique.csv");
    if (!r.Ok() || r.Surfaces.size() != 1) st.SkipWithError(r.Erreur.c_str());
    ecart = r.EcartMax();
    benchmark::DoNotOptimize(r);
  }
  st.counters["deviation_mm"] = ecart * 1000;
}
BENCHMARK(Import_Offsets_Analytic21x11)->Unit(benchmark::kMillisecond);

}  // namespace
