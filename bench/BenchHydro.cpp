// Hydrostatics at the design waterline of a four-surface sailing hull evaluated
// at precision 100, with the window's default of 2 x precision + 1 stations.
#include <benchmark/benchmark.h>

#include "Voilier.h"
#include "naval/Hydrostat.h"
#include "naval/Parallele.h"

namespace {

void Hydro(benchmark::State& etat) {
  TDocument doc;
  Voilier(doc, 100);
  const TListSurf portee = PorteeCalc(doc);
  for (auto _ : etat) {
    TResultatsHydro r = CalcHydrostatiques(doc, portee, 2 * doc.Precision + 1);
    benchmark::DoNotOptimize(r.Lignes.front().Valeur);
  }
}

// The same on the calling thread alone, as inside a piece of work already shared.
void HydroUnFil(benchmark::State& etat) {
  DansParallele = true;
  Hydro(etat);
  DansParallele = false;
}

// The 201 station sections of every surface, the mirror half cut or turned over.
void Sections(benchmark::State& etat, bool deduire) {
  TDocument doc;
  Voilier(doc, 100);
  std::vector<double> ys;
  for (int k = 0; k < 201; k++) ys.push_back(0.2 + 9.6 * k / 200);
  std::vector<TAireRec> r(ys.size());
  for (auto _ : etat) {
    for (const auto& s : doc.TabSurf) SectionsStations(*s, ys, r.data(), nullptr, deduire);
    benchmark::DoNotOptimize(r[100].Aire);
  }
}

const bool enregistre = [] {
  benchmark::RegisterBenchmark("Hydro/4x31x31/N100", Hydro)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Hydro/4x31x31/N100/OneThread", HydroUnFil)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Hydro/Sections/201/MirrorCut", Sections, false)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Hydro/Sections/201/MirrorTurnedOver", Sections, true)
      ->Unit(benchmark::kMillisecond);
  return true;
}();

}  // namespace
