// Facets: triangles cut from the evaluated grids of the surfaces, their mirror
// halves and the strips that close a body, optionally clipped below the
// waterline, and the integrals over them (volume, centre, area, lateral area)
// that hydrostatics, stability and weights are made of.
#pragma once

#include <cmath>
#include <vector>

#include "model/Document.h"

struct TFacette {
  TVertex3f P1, P2, P3;
  int Sens = 1;     // +1 when the normal (P1 - P2) x (P3 - P2) points up (or is horizontal)
  double Aire = 0;  // area of the triangle
  TFacette() = default;
  TFacette(const TVertex3f& a, const TVertex3f& b, const TVertex3f& c);
  double Nz = 0;  // twice the signed area of the triangle projected on a horizontal plane
};

// An area and its centre.
struct TCentreAire {
  float X = 0, Y = 0, Z = 0;
  double Aire = 0;
};

class TListFace {
 public:
  // Ordre 0 swaps P1 and P3: an indirect orientation reverses every facet.
  void Add(TVertex3f p1, const TVertex3f& p2, TVertex3f p3, int ordre);
  // The same, keeping only what lies below Z = W (0, 1 or 2 facets).
  void Add(TVertex3f p1, TVertex3f p2, TVertex3f p3, int ordre, double w);
  void Clear() { F.clear(); }
  int Count() const { return static_cast<int>(F.size()); }
  // The facet at an index, or nullptr outside the list.
  const TFacette* Face(int i) const;
  std::vector<TFacette> F;
};

// Clips triangle A, B, C below Z = W. Returns 0 (nothing below), 1 (A, B, C modified)
// or 2 (A, B, C modified and D, E, F the second triangle).
int GetTriUnderDWL(TVertex3f& a, TVertex3f& b, TVertex3f& c, double w, TVertex3f& d, TVertex3f& e,
                   TVertex3f& f);

void MakeFaceList(const TArrayVertex3f& g, int ordre, TListFace& l);
void MakeFaceList(const TArrayVertex3f& g, int ordre, TListFace& l, double w);
// The image of grid point [k][c] in a mirror grid (whose rows are reversed). False outside.
bool GetSymPt(const TArrayVertex3f& s, int k, int c, TVertex3f& p);
// Grid, mirror grid (may be null or empty) and, when fermer, the closing strips.
void BuildFaceList(const TArrayVertex3f& g, const TArrayVertex3f* s, int ordre, double w, TListFace& l,
                   bool clip, bool fermer);
void BuildFaceListFull(const TEntity& e, TListFace& l, double w);  // clipped below w
void BuildFaceListFull(const TEntity& e, TListFace& l);            // the whole closed body
void BuildSimpleFaceList(const TEntity& e, TListFace& l);          // grid and mirror only, for areas

// Signed volume between the facets and the plane Z = zref, times facteur.
double VolByFace(const TListFace& l, double zref, double facteur);
// Volume and centre; the centre's Z is measured from zref.
void CCByFace(const TListFace& l, TBarycentre& b, double zref, double facteur);
void CCByFace(const TListFace& l, TBarycentre& b);
// Total area and centre of area.
void CCAireByFace(const TListFace& l, TBarycentre& b);
double AireByFace(const TListFace& l);
// Area projected on the centre plane X = 0 and its centre.
void VolByFaceLateral(const TListFace& l, TCentreAire& c);

// The surface records the weights use: shell area and centre, closed volume and the part below Z = 0.
void MajCentreBorde(TEntity& e);
void MajVolumes(TEntity& e);

// ---------------------------------------------------------------------------
// Facets without a list, for calculations that integrate the same body many
// times (the stability sweep): the topology is enumerated once, and a facet is
// clipped and integrated on the spot instead of being stored.

// A corner of a facet by its place in a surface's grids: the grid or the mirror grid.
struct TRefPt {
  bool Sym = false;
  int Ln = 0, Col = 0;
};

// The facets BuildFaceList makes from a rectangular grid of nbLn x nbCol points (and its
// mirror grid of the same shape when avecSym), in the same order and with the same corner
// order once Ordre is applied. f(a, b, c) receives the three corners as TRefPt.
template <typename F>
void PourFacettesCorps(int nbLn, int nbCol, bool avecSym, int ordre, bool fermer, F&& f) {
  if (nbLn < 1 || nbCol < 1) return;
  auto ajout = [&](TRefPt a, const TRefPt& b, TRefPt c) {
    if (ordre == 0) std::swap(a, c);
    f(a, b, c);
  };
  auto grille = [&](bool sym) {
    if (nbLn < 2 || nbCol < 2) return;
    for (int i = 0; i + 1 < nbLn; i++)
      for (int j = 0; j + 1 < nbCol; j++) {
        ajout({sym, i, j}, {sym, i, j + 1}, {sym, i + 1, j});
        ajout({sym, i, j + 1}, {sym, i + 1, j + 1}, {sym, i + 1, j});
      }
  };
  grille(false);
  if (!avecSym) return;
  grille(true);
  if (!fermer || nbLn < 2 || nbCol < 2) return;
  const int L = nbLn - 1, M = nbCol - 1;
  auto S = [&](int k, int c) { return TRefPt{true, L - k, c}; };  // the image of grid point [k][c]
  auto G = [](int k, int c) { return TRefPt{false, k, c}; };
  for (int i = 0; i < L; i++) {
    ajout(S(i, 0), G(i, 0), S(i + 1, 0));
    ajout(S(i + 1, 0), G(i, 0), G(i + 1, 0));
    ajout(S(i, M), G(i + 1, M), G(i, M));
    ajout(S(i, M), S(i + 1, M), G(i + 1, M));
  }
  for (int c = 0; c < M; c++) {
    ajout(S(0, c), S(0, c + 1), G(0, c));
    ajout(S(0, c + 1), G(0, c + 1), G(0, c));
    ajout(S(L, c + 1), S(L, c), G(L, c));
    ajout(G(L, c), G(L, c + 1), S(L, c + 1));
  }
}

// The prism between a planar facet and the plane zref, integrated exactly: the depth below
// zref is linear over the projected triangle, so for linear f and g the mean of f g over it is
// f̄ ḡ + Σ (f_i - f̄)(g_i - ḡ) / 12. a is the signed projected area (half the normal's Z).
// Mz is the moment of the height above zref, negative for a body below the plane.
struct TMomentsPrisme {
  double V = 0, Mx = 0, My = 0, Mz = 0;
  TMomentsPrisme(const TVertex3f& p, const TVertex3f& q, const TVertex3f& r, double a, double zref) {
    const double xm = (p.X + q.X + r.X) / 3, ym = (p.Y + q.Y + r.Y) / 3, zm = (p.Z + q.Z + r.Z) / 3;
    const double d = zref - zm;
    const double dx[3] = {p.X - xm, q.X - xm, r.X - xm}, dy[3] = {p.Y - ym, q.Y - ym, r.Y - ym};
    const double dz[3] = {p.Z - zm, q.Z - zm, r.Z - zm};
    double cxz = 0, cyz = 0, czz = 0;
    for (int i = 0; i < 3; i++) cxz += dx[i] * dz[i], cyz += dy[i] * dz[i], czz += dz[i] * dz[i];
    V = a * d;
    Mx = a * (d * xm - cxz / 12);
    My = a * (d * ym - cyz / 12);
    Mz = -a / 2 * (d * d + czz / 12);
  }
};

// The sums of CCByFace (about the plane zref) and AireByFace, accumulated facet by facet.
struct TCumulCarene {
  double Vol = 0, Mx = 0, My = 0, Mz = 0, Aire = 0;

  // One whole facet, exactly as a TFacette of a list would count.
  void Ajoute(const TVertex3f& a, const TVertex3f& b, const TVertex3f& c, double zref) {
    // ProduitVect and Norme written out, the same operations in the same order: this runs
    // once per facet of every body integral.
    const TVertex3f u = a - b, v = c - b;
    const TVertex3f n{u.Y * v.Z - u.Z * v.Y, u.Z * v.X - u.X * v.Z, u.X * v.Y - u.Y * v.X};
    TMomentsPrisme m(a, b, c, n.Z / 2, zref);
    Vol += m.V, Mx += m.Mx, My += m.My, Mz += m.Mz;
    Aire += std::sqrt(n.X * n.X + n.Y * n.Y + n.Z * n.Z) / 2;
  }
  // The part of a facet below Z = w, as TListFace::Add (below a plane) would cut it, about zref = w.
  void AjouteSous(TVertex3f a, TVertex3f b, TVertex3f c, double w) {
    // Most facets lie wholly on one side, which GetTriUnderDWL would return unchanged.
    if (a.Z >= w && b.Z >= w && c.Z >= w) return;
    if (a.Z <= w && b.Z <= w && c.Z <= w) return Ajoute(a, b, c, w);
    TVertex3f d, e, f;
    int n = GetTriUnderDWL(a, b, c, w, d, e, f);
    if (n >= 1) Ajoute(a, b, c, w);
    if (n == 2) Ajoute(d, e, f, w);
  }
  // The record of CCByFace(list, b, zref, facteur).
  void Barycentre(TBarycentre& b, double facteur) const {
    b.Centre = Vol != 0 ? TVertex3f{Mx / Vol, My / Vol, Mz / Vol} : TVertex3f{};
    b.Valeur = Vol * facteur;
  }
};
