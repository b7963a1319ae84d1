// Hull model: transforming nets and updating extents.
#include <benchmark/benchmark.h>

#include "session/ObjCom.h"

static void Model_TransformeNet31x31(benchmark::State& st) {
  TSurface s(0, 10);
  s.Net.NbLn = s.Net.NbCol = 31;
  for (int i = 0; i < 31; i++)
    for (int j = 0; j < 31; j++) s.Net.PC[i][j] = {double(i), double(j), 0.1 * i * j, 1};
  TMatrice4 m;
  MatRotation3D({1, 2, 3}, {10, 20, 30}, m);
  for (auto _ : st) {
    s.Transforme(m);
    benchmark::DoNotOptimize(s.Net.PC[30][30].X);
  }
}
BENCHMARK(Model_TransformeNet31x31);
