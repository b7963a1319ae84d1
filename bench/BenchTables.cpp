// The hydrostatic table (20 waterlines) and the cross curves (5 displacements by
// 10 heels, free trim) of the four-surface sailing hull at precision 50.
#include <benchmark/benchmark.h>

#include "Voilier.h"
#include "naval/Criteres.h"
#include "naval/TableHydro.h"

namespace {

void Table(benchmark::State& etat) {
  TDocument doc;
  Voilier(doc, 50);
  const TListSurf portee = PorteeCalc(doc);
  const std::vector<double> z = HauteursTable(-0.5, 0.5, 20);
  for (auto _ : etat) {
    auto t = TableHydrostatique(doc, portee, z, 2 * doc.Precision + 1, nullptr);
    benchmark::DoNotOptimize(t.back().P.V);
  }
}

void CourbesKN(benchmark::State& etat) {
  TDocument doc;
  Voilier(doc, 50);
  const TListSurf portee = PorteeCalc(doc);
  TDoubleSurfList copies;
  for (int k : portee) copies.AddSurf(doc.Surf(k));
  const double v = CalcHydrostatiques(doc, portee, 21).P.V * 1026;
  const std::vector<double> d{0.8 * v, 0.9 * v, v, 1.1 * v, 1.2 * v};
  TConditionsStab c;
  c.AngleMax = 90, c.Pas = 10, c.CorrectionAssiette = true;
  const double zK = ZQuille(doc, portee);
  for (auto _ : etat) {
    std::string err;
    auto kn = CalcKN(copies, zK, d, c, err);
    benchmark::DoNotOptimize(kn.back().Points.back().KN);
  }
}

const bool enregistre = [] {
  benchmark::RegisterBenchmark("HydroTable/4x31x31/N50/20wl", Table)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("KN/4x31x31/N50/5x10/trim", CourbesKN)->Unit(benchmark::kMillisecond);
  return true;
}();

}  // namespace
