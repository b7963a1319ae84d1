// The IGES import: rational B-spline surfaces (entity 128), read exactly when they
// have the program's own form (orders 2..6, at most 31 x 31 vertices, open uniform
// knots over the whole domain), otherwise fitted by the smallest net within the
// tolerance, or given as a mesh surface when even 31 x 31 vertices cannot hold it.
// Trimmed and bounded surfaces (144, 143) give their base surface untrimmed; other
// entities are listed as skipped. Lengths are converted to metres from the Global section.
#pragma once

#include <string>
#include <string_view>

#include "exchange/Import.h"

// Bounds of what the reader accepts: a hull is a handful of surfaces.
constexpr int MaxEntitesIGES = 100000;
constexpr int MaxSommetsIGES = 1000;   // control points in one direction of a surface
constexpr int MaxPointsIGES = 250000;  // control points of one surface
constexpr int MaxDegreIGES = 25;       // B-spline degree
constexpr int MaxSurfacesIGES = 64;    // surface entities worth fitting

TImportCoque ImporteIGES(const std::string& chemin, double tolerance = ToleranceImportDefaut);
// The same from the file's bytes (tests, fuzzing); nom names the file in the messages.
TImportCoque ImporteIGESTexte(std::string_view texte, const std::string& nom,
                              double tolerance = ToleranceImportDefaut);

// A rational B-spline surface as IGES gives it: the first direction (S, K1 + 1
// points) varies fastest in the lists; its domain is [U0, U1] x [V0, V1].
struct TSurfaceIGES {
  int K1 = 0, K2 = 0, M1 = 0, M2 = 0;
  std::vector<double> S, T, W;
  std::vector<TVertex3f> P;  // P[j * (K1 + 1) + i]
  double U0 = 0, U1 = 1, V0 = 0, V1 = 1;
  // The point at (s, t) of the domain.
  TVertex3f Point(double s, double t) const;
};
// Whether the surface is one of the program's own nets; if so fills the net (rows
// along the second direction, columns along the first).
bool NetExact(const TSurfaceIGES& s, TNet& net);
