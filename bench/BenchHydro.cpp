// Hydrostatics at the design waterline of a four-surface sailing hull evaluated
// at precision 100, with the window's default of 2 x precision + 1 stations.
#include <benchmark/benchmark.h>

#include "Voilier.h"
#include "naval/Hydrostat.h"

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

const bool enregistre = [] {
  benchmark::RegisterBenchmark("Hydro/4x31x31/N100", Hydro)->Unit(benchmark::kMillisecond);
  return true;
}();

}  // namespace
