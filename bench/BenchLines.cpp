// Lines plan: every line of the four kinds through four hull surfaces of
// 31 x 31 vertices at precision 200, both halves, against the plane-by-plane cut.
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

#include "lines/Coupes.h"
#include "model/ObjCom.h"

namespace {

// Four nested hull-like surfaces (keel to sheer across the rows, stern to bow
// along the columns), evaluated once, with 100 lines of each kind spread by the standard rule.
void PrepareCoque(TDocument& doc) {
  doc.Vider();
  doc.Precision = 200;
  for (int s = 0; s < 4; s++) {
    auto surf = std::make_unique<TSurface>(s, doc.Precision);
    surf->Nom = "Surface" + std::to_string(s + 1);
    TNet& net = surf->Net;
    net.NbLn = net.NbCol = 31;
    net.LFlex = net.CFlex = 4;
    const double k = 1 - 0.12 * s;
    for (int i = 0; i < 31; i++)
      for (int j = 0; j < 31; j++) {
        double u = i / 30.0, v = j / 30.0;
        double forme = std::pow(std::sin(std::numbers::pi * (0.04 + 0.92 * v)), 0.6);
        double b = 1.2 * k * forme, d = 0.7 * k * forme;
        double a = u * std::numbers::pi / 2;
        net.PC[i][j] = {b * std::sin(a), 0.3 * s + 6 * k * v, -d * std::cos(a) + 0.6 * u + 0.1 * s, 1};
      }
    surf->Sym = true;
    doc.TabSurf.push_back(std::move(surf));
  }
  TGrille& g = doc.Grille;
  g.NbSec = g.NbLE = g.NbLong = g.NbDiag = 100;
  MajSurface(doc, true, -1);
  for (int f = 0; f < NbFamillesLignes; f++) AutoStand(doc, static_cast<TFamilleLignes>(f));
}

void Lines_All(benchmark::State& st) {
  TDocument doc;
  PrepareCoque(doc);
  size_t points = 0;
  for (auto _ : st) {
    for (auto& s : doc.TabSurf) s->SecCalc = s->LgECalc = s->LongCalc = s->DiagCalc = false;
    CalcTabLignesSec(doc);
    CalcTabLignesLE(doc);
    CalcTabLignesLgt(doc);
    CalcTabLignesDiag(doc);
    benchmark::DoNotOptimize(doc.Surf(3).Diag[50].size());
  }
  for (auto& s : doc.TabSurf)
    for (auto* t : {&s->Sec, &s->SecSym, &s->LgE, &s->LgESym, &s->Long, &s->LongSym, &s->Diag, &s->DiagSym})
      for (const auto& c : *t)
        for (const auto& p : c) points += p.size();
  st.counters["points"] = static_cast<double>(points);
}

// The same lines, each plane tested against every edge of the grid.
void Lines_PlaneParPlan(benchmark::State& st) {
  TDocument doc;
  PrepareCoque(doc);
  const TGrille& g = doc.Grille;
  TCoupe c;
  for (auto _ : st) {
    for (auto& s : doc.TabSurf)
      for (const TArrayVertex3f* gr : {&s->Pts, &s->PtsSym})
        for (int k = 0; k < 100; k++) {
          CalcSecMesh(*gr, s->NbLnPt, s->NbColPt, c, g.PosSec[k]);
          CalcLEMesh(*gr, s->NbLnPt, s->NbColPt, c, g.PosLgE[k]);
          CalcLong(*gr, s->NbLnPt, s->NbColPt, c, g.PosLong[k]);
          CalcDiag(*gr, s->NbLnPt, s->NbColPt, c, g.PosDiag[k], PenteDiag(g.AngleDiag[k]));
        }
    benchmark::DoNotOptimize(c.size());
  }
}

const int enregistre = [] {
  benchmark::RegisterBenchmark("Lines/All/4x31x31/N200/100each", Lines_All)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Lines/PlaneByPlane/4x31x31/N200/100each", Lines_PlaneParPlan)
      ->Unit(benchmark::kMillisecond);
  return 0;
}();

}  // namespace
