// Facet lists and their integrals.
#include "naval/Face.h"

#include <cmath>

#include "base/Debug.h"

TFacette::TFacette(const TVertex3f& a, const TVertex3f& b, const TVertex3f& c) : P1(a), P2(b), P3(c) {
  TVertex3f n;
  ProduitVectoriel(P1, P2, P3, n);
  Aire = Norme(n) / 2;
  Sens = n.Z >= 0 ? 1 : -1;
  Nz = n.Z;
}

void TListFace::Add(TVertex3f p1, const TVertex3f& p2, TVertex3f p3, int ordre) {
  if (ordre == 0) std::swap(p1, p3);
  F.emplace_back(p1, p2, p3);
}

void TListFace::Add(TVertex3f p1, TVertex3f p2, TVertex3f p3, int ordre, double w) {
  if (ordre == 0) std::swap(p1, p3);
  TVertex3f d, e, f;
  int n = GetTriUnderDWL(p1, p2, p3, w, d, e, f);
  if (n >= 1) F.emplace_back(p1, p2, p3);
  if (n == 2) F.emplace_back(d, e, f);
}

const TFacette* TListFace::Face(int i) const {
  if (i < 0 || i >= Count()) {
    DbgErr(erDivers, "TListFace.Face", 0, {DbgVal(Count()), DbgVal(i)});
    return nullptr;
  }
  return &F[static_cast<size_t>(i)];
}

namespace {

// The point of PQ at height W; a horizontal segment gives its middle.
TVertex3f I(const TVertex3f& p, const TVertex3f& q, double w) {
  TVertex3f r{0, 0, w};
  CalcPtDroite(p, q, r, 3);
  r.Z = w;
  return r;
}

}  // namespace

int GetTriUnderDWL(TVertex3f& a, TVertex3f& b, TVertex3f& c, double w, TVertex3f& d, TVertex3f& e,
                   TVertex3f& f) {
  bool aSous = a.Z < w, bSous = b.Z < w, cSous = c.Z < w;
  bool aSur = a.Z > w, bSur = b.Z > w, cSur = c.Z > w;
  if (!aSous && !bSous && !cSous) return 0;
  if (!aSur && !bSur && !cSur) return 1;
  bool aBas = !aSur, bBas = !bSur, cBas = !cSur;        // at or below
  bool aHaut = !aSous, bHaut = !bSous, cHaut = !cSous;  // at or above
  if (aBas && bHaut && cHaut) {
    b = I(a, b, w), c = I(a, c, w);
    return 1;
  }
  if (bBas && aHaut && cHaut) {
    a = I(b, a, w), c = I(b, c, w);
    return 1;
  }
  if (cBas && aHaut && bHaut) {
    a = I(c, a, w), b = I(c, b, w);
    return 1;
  }
  if (bBas && cBas && aHaut) {
    TVertex3f p = I(a, b, w), q = I(a, c, w);
    d = q, e = p, f = c;
    a = p;
    return 2;
  }
  if (aBas && cBas && bHaut) {
    TVertex3f p = I(b, c, w), q = I(b, a, w);
    d = a, e = q, f = p;
    b = p;
    return 2;
  }
  // a and b at or below, c at or above
  TVertex3f p = I(c, a, w), q = I(c, b, w);
  d = p, e = b, f = q;
  c = p;
  return 2;
}

namespace {

template <typename Ajout>
void Triangule(const TArrayVertex3f& g, Ajout&& ajout) {
  if (g.size() < 2) return;
  size_t m = g[0].size();
  if (m < 2) return;
  for (size_t i = 0; i + 1 < g.size(); i++) {
    if (g[i].size() < m || g[i + 1].size() < m) continue;  // ragged grid: skip the row, never read past it
    for (size_t j = 0; j + 1 < m; j++) {
      ajout(g[i][j], g[i][j + 1], g[i + 1][j]);
      ajout(g[i][j + 1], g[i + 1][j + 1], g[i + 1][j]);
    }
  }
}

bool MemeForme(const TArrayVertex3f& a, const TArrayVertex3f& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); i++)
    if (a[i].size() != b[i].size()) return false;
  return true;
}

}  // namespace

void MakeFaceList(const TArrayVertex3f& g, int ordre, TListFace& l) {
  TRACE("Face.MakeFaceList");
  Triangule(g, [&](const TVertex3f& a, const TVertex3f& b, const TVertex3f& c) { l.Add(a, b, c, ordre); });
}

void MakeFaceList(const TArrayVertex3f& g, int ordre, TListFace& l, double w) {
  TRACE("Face.MakeFaceList");
  Triangule(g, [&](const TVertex3f& a, const TVertex3f& b, const TVertex3f& c) { l.Add(a, b, c, ordre, w); });
}

bool GetSymPt(const TArrayVertex3f& s, int k, int c, TVertex3f& p) {
  int r = static_cast<int>(s.size()) - 1 - k;
  if (r < 0 || k < 0 || c < 0 || r >= static_cast<int>(s.size()) || c >= static_cast<int>(s[r].size()))
    return false;
  p = s[r][c];
  return true;
}

void BuildFaceList(const TArrayVertex3f& g, const TArrayVertex3f* s, int ordre, double w, TListFace& l,
                   bool clip, bool fermer) {
  TRACE("Face.BuildFaceList");
  auto ajout = [&](const TVertex3f& a, const TVertex3f& b, const TVertex3f& c) {
    if (clip)
      l.Add(a, b, c, ordre, w);
    else
      l.Add(a, b, c, ordre);
  };
  Triangule(g, ajout);
  if (!s || s->empty()) return;
  Triangule(*s, ajout);
  // The strips join the grid to its image point by point: a mirror of another shape
  // would pair the wrong points, or read outside one of the grids.
  if (!fermer || !MemeForme(g, *s) || s->size() < 2 || (*s)[0].size() < 2) {
    if (fermer && !MemeForme(g, *s)) DbgErr(erDivers, "Face.BuildFaceList", 1, {"mirror grid shape"});
    return;
  }
  // The strips alone, in the order and corner order of the whole-body topology.
  const int nl = static_cast<int>(g.size()), nc = static_cast<int>(g[0].size());
  for (const auto& r : g)
    if (static_cast<int>(r.size()) != nc) return;   // a ragged grid has no boundary to close
  const int grilles = 2 * 2 * (nl - 1) * (nc - 1);  // facets of the grid and of its mirror
  int n = 0;
  auto pt = [&](const TRefPt& r) -> const TVertex3f& { return (r.Sym ? *s : g)[r.Ln][r.Col]; };
  PourFacettesCorps(nl, nc, true, 1, true, [&](const TRefPt& a, const TRefPt& b, const TRefPt& c) {
    if (n++ >= grilles) ajout(pt(a), pt(b), pt(c));
  });
}

void BuildFaceListFull(const TEntity& e, TListFace& l, double w) {
  TRACE("Face.BuildFaceListFull");
  BuildFaceList(e.Pts, e.Sym ? &e.PtsSym : nullptr, e.Orientation ? 1 : 0, w, l, true, e.JonctionSym);
}

void BuildFaceListFull(const TEntity& e, TListFace& l) {
  TRACE("Face.BuildFaceListFull");
  BuildFaceList(e.Pts, e.Sym ? &e.PtsSym : nullptr, e.Orientation ? 1 : 0, 0, l, false, e.JonctionSym);
}

void BuildSimpleFaceList(const TEntity& e, TListFace& l) {
  TRACE("Face.BuildSimpleFaceList");
  MakeFaceList(e.Pts, 1, l);
  if (e.Sym) MakeFaceList(e.PtsSym, 0, l);
}

// The prism between a facet and the plane: Sens x (projected area) is exactly half the
// vertical component of the facet's normal, so no square root is needed.
double VolByFace(const TListFace& l, double zref, double facteur) {
  double v = 0;
  for (const auto& f : l.F) v += f.Nz / 2 * (zref - (f.P1.Z + f.P2.Z + f.P3.Z) / 3);
  return facteur * v;
}

void CCByFace(const TListFace& l, TBarycentre& b, double zref, double facteur) {
  double s = 0, sx = 0, sy = 0, sz = 0;
  for (const auto& f : l.F) {
    TMomentsPrisme m(f.P1, f.P2, f.P3, f.Nz / 2, zref);
    s += m.V, sx += m.Mx, sy += m.My, sz += m.Mz;
  }
  b.Centre = s != 0 ? TVertex3f{sx / s, sy / s, sz / s} : TVertex3f{};
  b.Valeur = s * facteur;
}

void CCByFace(const TListFace& l, TBarycentre& b) { CCByFace(l, b, 0, 1); }

void CCAireByFace(const TListFace& l, TBarycentre& b) {
  double s = 0;
  TVertex3f c;
  for (const auto& f : l.F) {
    s += f.Aire;
    c = c + (f.P1 + f.P2 + f.P3) * (f.Aire / 3);
  }
  b.Valeur = s;
  b.Centre = s != 0 ? c * (1 / s) : TVertex3f{};
}

double AireByFace(const TListFace& l) {
  double s = 0;
  for (const auto& f : l.F) s += f.Aire;
  return s;
}

void VolByFaceLateral(const TListFace& l, TCentreAire& r) {
  double s = 0, sy = 0, sz = 0;
  for (const auto& f : l.F) {
    // Area of the projection on X = 0: half the X component of the normal, unsigned.
    double a = std::abs((f.P1.Y - f.P2.Y) * (f.P3.Z - f.P2.Z) - (f.P1.Z - f.P2.Z) * (f.P3.Y - f.P2.Y)) / 2;
    s += a;
    sy += a * (f.P1.Y + f.P2.Y + f.P3.Y) / 3;
    sz += a * (f.P1.Z + f.P2.Z + f.P3.Z) / 3;
  }
  r.Aire = s;
  r.X = 0;
  r.Y = s != 0 ? static_cast<float>(sy / s) : 0;
  r.Z = s != 0 ? static_cast<float>(sz / s) : 0;
}

void MajCentreBorde(TEntity& e) {
  try {
    TListFace l;
    BuildSimpleFaceList(e, l);
    CCAireByFace(l, e.CentreBorde);
  } catch (const std::exception& ex) {
    e.CentreBorde = {};
    DbgErr(erDivers, "TEntity.MajCentreBorde", e.NumSurf, {ex.what()});
  }
}

void MajVolumes(TEntity& e) {
  TRACE("Face.MajVolumes");
  try {
    TListFace complet, simple;
    BuildFaceListFull(e, complet);
    BuildFaceListFull(e, simple, 0);
    TBarycentre c, s;
    CCByFace(complet, c);
    CCByFace(simple, s);
    e.VolComplet = c;
    e.VolSimple = s;
  } catch (const std::exception& ex) {
    DbgErr(erDivers, "TEntity.MajVolumes", e.NumSurf, {ex.what()});
  }
}
