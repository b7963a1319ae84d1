// Surface evaluation: a full document update of four dense rational surfaces at
// the highest precision, as real-time dragging asks for at every mouse move.
#include <benchmark/benchmark.h>

#include <cmath>

#include "session/ObjCom.h"

namespace {

// Four 31 x 31 nets of orders 6 x 6, weights spread over 0.5..2, precision 200.
void Prepare(TDocument& doc, bool courbure) {
  doc.Vider();
  TOptionsNouvelleSurface o;
  o.FlexLongitudinale = o.FlexTransversale = 6;
  doc.Precision = 200;
  for (int k = 0; k < 4; k++) {
    std::string nom = "Surface";
    nom += static_cast<char>('1' + k);
    NouvelleSurface(doc, nom, 0, o);
    TSurface& s = *doc.SurfNurbs(k);
    s.Net.NbLn = s.Net.NbCol = MaxNet;
    for (int i = 0; i < MaxNet; i++)
      for (int j = 0; j < MaxNet; j++) {
        const double w = 0.5 + 1.5 * (0.5 + 0.5 * std::sin(0.7 * i + 1.3 * j + k));
        s.Net.PC[i][j] = {1.5 * std::sin(i * 0.1) * (1 + 0.02 * j), 0.4 * j + k,
                          0.1 * i * i / MaxNet + 0.05 * std::cos(j * 0.3), w};
      }
    s.AvecCourbure = courbure;
  }
}

void Evalue(benchmark::State& st, bool courbure) {
  TDocument doc;
  Prepare(doc, courbure);
  for (auto _ : st) {
    for (int k = 0; k < doc.NbSurf(); k++) doc.Surf(k).MarqueNonCalculee();
    MajSurface(doc, false, -1);
    benchmark::DoNotOptimize(doc.Surf(3).Normales[100][100].X);
  }
  st.counters["points"] = benchmark::Counter(4.0 * 201 * 201, benchmark::Counter::kIsIterationInvariantRate);
}

const bool enregistre = [] {
  benchmark::RegisterBenchmark("Eval/Normals/4x31x31/o6/N200", [](benchmark::State& st) {
    Evalue(st, false);
  })->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Eval/Curvature/4x31x31/o6/N200", [](benchmark::State& st) {
    Evalue(st, true);
  })->Unit(benchmark::kMillisecond);
  return true;
}();

}  // namespace
