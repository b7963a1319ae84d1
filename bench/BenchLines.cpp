// Lines plan: every line of the four kinds through four surfaces of 31 x 31
// vertices at precision 200, both halves: a yacht (hull, deck, keel, rudder),
// four nested hulls, and the plane-by-plane cut of the same lines.
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

#include "lines/Coupes.h"
#include "session/ObjCom.h"

namespace {

void AjouteSurface(TDocument& doc, const std::string& nom, auto point) {
  auto surf = std::make_unique<TSurface>(doc.NbSurf(), doc.Precision);
  surf->Nom = nom;
  TNet& net = surf->Net;
  net.NbLn = net.NbCol = 31;
  net.LFlex = net.CFlex = 4;
  for (int i = 0; i < 31; i++)
    for (int j = 0; j < 31; j++) {
      TVertex3f p = point(i / 30.0, j / 30.0);
      net.PC[i][j] = {p.X, p.Y, p.Z, 1};
    }
  surf->Sym = true;
  doc.TabSurf.push_back(std::move(surf));
}

// Half-breadth of the hull along its length (0 at the stern, 1 at the bow).
double Forme(double v) { return std::pow(std::sin(std::numbers::pi * (0.04 + 0.92 * v)), 0.6); }

// A sailing yacht as designed: hull, deck, keel fin and rudder (keel to sheer
// across the rows, stern to bow along the columns), evaluated once, with 100
// lines of each kind spread by the standard rule over the whole model.
void PrepareVoilier(TDocument& doc) {
  doc.Vider();
  doc.Precision = 200;
  const double pi = std::numbers::pi;
  AjouteSurface(doc, "Coque", [&](double u, double v) {
    double a = u * pi / 2, f = Forme(v);
    return TVertex3f{1.2 * f * std::sin(a), 6 * v, -0.7 * f * std::cos(a) + 0.6 * u};
  });
  AjouteSurface(doc, "Pont", [&](double u, double v) {
    return TVertex3f{1.2 * Forme(v) * u, 6 * v, 0.6 + 0.08 * (1 - u * u)};
  });
  // Fins: a thin section (rows round the foil, from the centre plane and back) swept down the span.
  auto aileron = [&](double y0, double corde, double z0, double z1) {
    return [=](double u, double v) {
      double c = 0.5 - 0.5 * std::cos(2 * pi * u);
      return TVertex3f{0.06 * corde * std::sin(pi * c), y0 + corde * c * (1 - 0.2 * v), z0 + (z1 - z0) * v};
    };
  };
  AjouteSurface(doc, "Quille", aileron(2.4, 1.1, -1.9, -0.5));
  AjouteSurface(doc, "Safran", aileron(0.5, 0.45, -1.3, -0.2));
  TGrille& g = doc.Grille;
  g.NbSec = g.NbLE = g.NbLong = g.NbDiag = 100;
  MajSurface(doc, true, -1);
  for (int f = 0; f < NbFamillesLignes; f++) AutoStand(doc, static_cast<TFamilleLignes>(f));
}

// The heaviest case: four full hulls nested in one another, every line
// crossing every surface.
void PrepareCoque(TDocument& doc) {
  doc.Vider();
  doc.Precision = 200;
  for (int s = 0; s < 4; s++) {
    const double k = 1 - 0.12 * s;
    AjouteSurface(doc, "Surface" + std::to_string(s + 1), [&](double u, double v) {
      double f = Forme(v), a = u * std::numbers::pi / 2;
      return TVertex3f{1.2 * k * f * std::sin(a), 0.3 * s + 6 * k * v,
                       -0.7 * k * f * std::cos(a) + 0.6 * u + 0.1 * s};
    });
  }
  TGrille& g = doc.Grille;
  g.NbSec = g.NbLE = g.NbLong = g.NbDiag = 100;
  MajSurface(doc, true, -1);
  for (int f = 0; f < NbFamillesLignes; f++) AutoStand(doc, static_cast<TFamilleLignes>(f));
}

size_t PointsDesLignes(TDocument& doc) {
  size_t points = 0;
  for (auto& s : doc.TabSurf)
    for (auto* t : {&s->Sec, &s->SecSym, &s->LgE, &s->LgESym, &s->Long, &s->LongSym, &s->Diag, &s->DiagSym})
      for (const auto& c : *t)
        for (const auto& p : c) points += p.size();
  return points;
}

void ToutesLesLignes(benchmark::State& st, TDocument& doc) {
  for (auto _ : st) {
    for (auto& s : doc.TabSurf) s->SecCalc = s->LgECalc = s->LongCalc = s->DiagCalc = false;
    CalcTabLignesSec(doc);
    CalcTabLignesLE(doc);
    CalcTabLignesLgt(doc);
    CalcTabLignesDiag(doc);
    benchmark::DoNotOptimize(doc.Surf(3).Diag[50].size());
  }
  st.counters["points"] = static_cast<double>(PointsDesLignes(doc));
}

void Lines_All(benchmark::State& st) {
  TDocument doc;
  PrepareVoilier(doc);
  ToutesLesLignes(st, doc);
}

void Lines_Emboitees(benchmark::State& st) {
  TDocument doc;
  PrepareCoque(doc);
  ToutesLesLignes(st, doc);
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
  benchmark::RegisterBenchmark("Lines/All/4x31x31/N200/100each/NestedHulls", Lines_Emboitees)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Lines/PlaneByPlane/4x31x31/N200/100each/NestedHulls", Lines_PlaneParPlan)
      ->Unit(benchmark::kMillisecond);
  return 0;
}();

}  // namespace
