// A resistance curve of 50 speeds: Holtrop-Mennen on the 1982 paper's example ship up to
// Fn 0.6 (all three wave regimes), Savitsky on a planing boat of the motor-boat sample's size
// (a running trim found at every speed). Budget: 10 ms a curve.
#include <benchmark/benchmark.h>

#include <cmath>

#include "naval/Resistance.h"

namespace {

std::vector<double> Vitesses(double v0, double v1) {
  std::vector<double> v;
  for (int i = 0; i < 50; i++) v.push_back(v0 + (v1 - v0) * i / 49);
  return v;
}

void CourbeHM(benchmark::State& etat) {
  TParamsHoltrop p;
  p.Lwl = 205, p.Bwl = 32, p.TArriere = p.TAvant = 10, p.Volume = 37500, p.Lcb = 0.4925;
  p.Cm = 0.98, p.Cwp = 0.75, p.Cb = 37500 / (205.0 * 32 * 10), p.Cp = p.Cb / p.Cm;
  p.AireBulbe = 20, p.HauteurBulbe = 4, p.AireTableau = 16, p.Appendices = {{50, 1.5}};
  const std::vector<double> v = Vitesses(0, 0.6 * std::sqrt(9.81 * 205));
  for (auto _ : etat) benchmark::DoNotOptimize(CourbeHoltrop(p, v).Points.back().Rt);
}

void CourbeSav(benchmark::State& etat) {
  TParamsSavitsky p;
  p.Masse = 2880, p.Lcg = 2.66, p.Vcg = 0.72, p.Largeur = 2.6, p.Deadrise = 18;
  p.AnglePoussee = 10, p.DecalagePoussee = 0.3;
  const std::vector<double> v = Vitesses(2, 20);
  int equilibres = 0;
  for (auto _ : etat) {
    const TCourbeResistance c = CourbeSavitsky(p, v);
    equilibres = 0;
    for (const auto& x : c.Points) equilibres += x.Equilibre;
    benchmark::DoNotOptimize(c.Points.back().Rt);
  }
  etat.counters["equilibria"] = equilibres;
}

}  // namespace

BENCHMARK(CourbeHM)->Unit(benchmark::kMillisecond);
BENCHMARK(CourbeSav)->Unit(benchmark::kMillisecond);
