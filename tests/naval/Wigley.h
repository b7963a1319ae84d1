// The Wigley hull x = B/2 (1 - (2y/L)^2)(1 - (z/T)^2) is exactly a biquadratic
// Bezier patch: rows run up from the keel, columns along the length. The patch is
// continued to z = h above the waterline so that the waterline crosses it.
#pragma once

#include <stdexcept>

#include "session/ObjCom.h"

inline TSurface& AjouteWigley(TDocument& doc, double L, double B, double T, double h, int precision) {
  TOptionsNouvelleSurface o;
  o.FlexLongitudinale = o.FlexTransversale = 3;
  if (!NouvelleSurface(doc, "Wigley", 1, o).empty()) throw std::runtime_error("wigley");
  TSurface& s = *doc.SurfNurbs(doc.NbSurf() - 1);
  const double c = 1 + h / T;
  const double a[3] = {0, c, 2 * c - c * c};  // Bernstein coefficients of 1 - (z/T)^2 in u
  const double b[3] = {0, 2, 0};              // and of 1 - (2y/L)^2 in v
  const double z[3] = {-T, (h - T) / 2, h};
  const double y[3] = {-L / 2, 0, L / 2};
  s.Net.NbLn = s.Net.NbCol = 3;
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) s.Net.PC[i][j] = {B / 2 * a[i] * b[j], y[j], z[i], 1};
  ChangePrecision(doc, precision);
  MajSurface(doc, true, -1);
  return s;
}
