// Grid and axes geometry of the views.
#include "edition/GrilleVue.h"

#include <algorithm>
#include <cmath>

void TGrilleVue::MinMax() {
  Min = {10000, 10000, 10000};
  Max = {-10000, -10000, -10000};
  for (double x : Long) Min.X = std::min(Min.X, x), Max.X = std::max(Max.X, x);
  for (double y : Sec) Min.Y = std::min(Min.Y, y), Max.Y = std::max(Max.Y, y);
  for (double z : LE) Min.Z = std::min(Min.Z, z), Max.Z = std::max(Max.Z, z);
}

TGrilleVue GrilleDuDocument(const TDocument& doc) {
  TGrilleVue g;
  const TGrille& d = doc.Grille;
  g.Sec = d.Positions(flSections);
  g.LE = d.Positions(flLignesEau);
  g.Long = d.Positions(flLongitudinales);
  std::vector<double> z0 = d.Positions(flDiagonales);
  for (size_t k = 0; k < z0.size(); k++) g.Diag.push_back({z0[k], d.AngleDiag[k]});
  g.NumSc = d.NumSc;
  g.MinMax();
  return g;
}

std::vector<TSegment3D> SegmentsGrille(const TGrilleVue& g, double az, double el) {
  std::vector<TSegment3D> s;
  const TVertex3f mn = g.Min, mx = g.Max;
  // An empty family leaves its bounds at +-10000: nothing sensible to draw on that wall.
  if (mn.X > mx.X || mn.Y > mx.Y || mn.Z > mx.Z) return s;
  double farX = ((-90 < az && az < 90) || az < -270 || az > 270) ? mn.X : mx.X;
  double farY = (az > 180 || (-180 < az && az < 0)) ? mx.Y : mn.Y;
  double farZ = el >= 0 ? mn.Z : mx.Z;
  for (double y : g.Sec) {
    s.push_back({{farX, y, mn.Z}, {farX, y, mx.Z}});
    s.push_back({{mn.X, y, farZ}, {mx.X, y, farZ}});
  }
  for (double z : g.LE) {
    s.push_back({{farX, mn.Y, z}, {farX, mx.Y, z}});
    s.push_back({{mn.X, farY, z}, {mx.X, farY, z}});
  }
  for (double x : g.Long) {
    s.push_back({{x, mn.Y, farZ}, {x, mx.Y, farZ}});
    s.push_back({{x, farY, mn.Z}, {x, farY, mx.Z}});
  }
  for (const auto& d : g.Diag) {
    double a = d.Angle * 3.14159265358979323846 / 180.0;
    double sn = std::sin(a);
    TVertex3f fin{mx.X, farY, 0};
    if (sn == 0) {
      // A vertical diagonal falls straight down the centre plane.
      fin = {0, farY, mn.Z};
    } else {
      double cot = std::cos(a) / sn;
      fin.Z = d.Z0 - mx.X * cot;
      if (fin.Z < mn.Z && cot != 0) fin = {(mn.Z - d.Z0) / -cot, farY, mn.Z};
    }
    s.push_back({{0, farY, d.Z0}, fin});
  }
  return s;
}

std::vector<TSegment3D> SegmentsAxes(const TDocument& doc) {
  auto debut = [](double borne) { return borne < 0 ? borne - 1 : -1.0; };
  auto fin = [](double borne) { return borne > 0 ? borne + 1 : 1.0; };
  return {{{debut(doc.SurfXMin), 0, 0}, {fin(doc.SurfXMax), 0, 0}},
          {{0, debut(doc.SurfYMin), 0}, {0, fin(doc.SurfYMax), 0}},
          {{0, 0, debut(doc.SurfZMin)}, {0, 0, fin(doc.SurfZMax)}}};
}
