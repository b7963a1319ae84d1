// Stability: the whole heel sweep with trim equilibrium on a four-surface sailing
// hull (hull, keel, rudder, deckhouse; closed NURBS surfaces of 31 x 31 vertices
// evaluated at precision 50), and one sinkage search on its own.
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

#include "Voilier.h"
#include "naval/Stab.h"
#include "session/ObjCom.h"

namespace {

// The stability set up as the window leaves it: the hull's displacement at its design
// waterline as weight, G a little forward of B and above the waterline.
void PrepareStab(TDocument& doc, TStab& st) {
  Voilier(doc);
  st.Conditions.CorrectionAssiette = true;
  MajSurface(doc, true, -1);
  st.Init(doc);
  st.Poids.Valeur = st.CarInitiale.Valeur;
  st.Poids.Centre = {0, st.CarInitiale.Centre.Y + 0.15, 0.1};
  st.DemandeArret = [] { return false; };
}

void Sweep(benchmark::State& etat) {
  TDocument doc;
  TStab st;
  PrepareStab(doc, st);
  int nonConverges = 0;
  for (auto _ : etat) {
    st.CalcStab();
    benchmark::DoNotOptimize(st.Etapes.back().CC.Centre.X);
  }
  for (const auto& e : st.Etapes) nonConverges += !e.Converge;
  etat.counters["steps"] = static_cast<double>(st.Etapes.size());
  etat.counters["sinkage_iterations"] = st.Iterations;
  etat.counters["not_converged"] = nonConverges;
}

void Sinkage(benchmark::State& etat) {
  TDocument doc;
  TStab st;
  PrepareStab(doc, st);
  const TMatrice4 m = MatriceGite(35, st.Poids.Centre);
  for (auto _ : etat) benchmark::DoNotOptimize(st.IsoCareneEnf(m, 0).Enfoncement);
}

const bool enregistre = [] {
  benchmark::RegisterBenchmark("Stab/Sweep0to180by5/trim/4x31x31/N50", Sweep)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Stab/Sinkage35deg/4x31x31/N50", Sinkage)->Unit(benchmark::kMicrosecond);
  return true;
}();

}  // namespace
