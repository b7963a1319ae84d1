// Helpers of the lines tests: documents made of hand-built grids or of exact
// NURBS nets, and comparisons of lines.
#pragma once

#include <cmath>
#include <functional>
#include <memory>
#include <string>

#include "lines/Coupes.h"
#include "model/Document.h"
#include "session/ObjCom.h"

namespace aides {

// A grid of (n + 1) x (m + 1) points from a function of the row and column.
inline TArrayVertex3f Grille(int n, int m, const std::function<TVertex3f(int, int)>& f) {
  TArrayVertex3f g(static_cast<size_t>(n) + 1, std::vector<TVertex3f>(static_cast<size_t>(m) + 1));
  for (int i = 0; i <= n; i++)
    for (int j = 0; j <= m; j++) g[i][j] = f(i, j);
  return g;
}

// Appends a mesh surface holding the grid; it is evaluated (mirror grid) at once.
inline TEntity& AjouteMaillage(TDocument& doc, const std::string& nom, const TArrayVertex3f& g,
                               bool sym = true) {
  int n = static_cast<int>(g.size()) - 1, m = static_cast<int>(g[0].size()) - 1;
  auto s = std::make_unique<TDXFSurface>(doc.NbSurf(), m + 1, n + 1);
  s->Nom = nom;
  s->Sym = sym;
  s->Pts = g;
  s->CreateTabCoupes(doc.Grille.NbSec, doc.Grille.NbLE, doc.Grille.NbLong, doc.Grille.NbDiag);
  s->CalcSurface();
  doc.TabSurf.push_back(std::move(s));
  return doc.Surf(doc.NbSurf() - 1);
}

// One eighth of a sphere of radius R centred at (0, yc, 0) (x >= 0, y <= yc,
// z <= 0) as an exact rational net: a quarter circle from the keel to the
// waterline swept about the vertical axis by a quarter circle.
inline TSurface& AjouteOctantSphere(TDocument& doc, double r, double yc) {
  auto s = std::make_unique<TSurface>(doc.NbSurf(), doc.Precision);
  s->Nom = "Sphere";
  const double w = std::sqrt(0.5);
  const double rm[3] = {0, r, r}, zm[3] = {-r, -r, 0}, wm[3] = {1, w, 1};  // meridian (radius, height)
  const double ax[3] = {0, 1, 1}, ay[3] = {-1, -1, 0}, wa[3] = {1, w, 1};  // sweep (unit circle)
  s->Net.NbLn = s->Net.NbCol = 3;
  s->Net.LFlex = s->Net.CFlex = 3;
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) s->Net.PC[i][j] = {rm[i] * ax[j], yc + rm[i] * ay[j], zm[i], wm[i] * wa[j]};
  s->CreateTabCoupes(doc.Grille.NbSec, doc.Grille.NbLE, doc.Grille.NbLong, doc.Grille.NbDiag);
  doc.TabSurf.push_back(std::move(s));
  return *doc.SurfNurbs(doc.NbSurf() - 1);
}

// Equal coordinates, bit for bit (a NaN carried from a broken grid equals itself).
inline bool Meme(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

inline bool MemesPoints(const TCoupe& a, const TCoupe& b) {
  if (a.size() != b.size()) return false;
  for (size_t k = 0; k < a.size(); k++) {
    if (a[k].size() != b[k].size()) return false;
    for (size_t p = 0; p < a[k].size(); p++)
      if (!Meme(a[k][p].X, b[k][p].X) || !Meme(a[k][p].Y, b[k][p].Y) || !Meme(a[k][p].Z, b[k][p].Z))
        return false;
  }
  return true;
}

inline size_t NbPoints(const TCoupe& c) {
  size_t n = 0;
  for (const auto& p : c) n += p.size();
  return n;
}

}  // namespace aides
