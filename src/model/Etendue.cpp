// Extent queries.
#include "model/Etendue.h"

#include <algorithm>

namespace {

constexpr int AxeX = 0, AxeY = 1, AxeZ = 2;

double Coord(const TPt3D& p, int axe) { return axe == AxeX ? p.X : axe == AxeY ? p.Y : p.Z; }

Etendue Reduit(const TListPt3D& l, int axe) {
  TDim d = DimListe(l);
  Etendue e;
  e.Mini = d.Min[axe] == 10000 ? 0 : d.Min[axe];
  e.Maxi = d.Max[axe] == -10000 ? 0 : d.Max[axe];
  e.Longueur = static_cast<double>(e.Maxi) - e.Mini;
  return e;
}

void AjouteGrille(TListPt3D& l, const TArrayVertex3f& g) {
  for (const auto& row : g)
    for (const auto& p : row) l.emplace_back(p);
}

void AjouteSousZ(TListPt3D& l, const TEntity& s, double z, bool avecSym) {
  for (size_t i = 0; i < s.Pts.size(); i++)
    for (size_t j = 0; j < s.Pts[i].size(); j++) {
      if (s.Pts[i][j].Z < z) l.emplace_back(s.Pts[i][j]);
      if (avecSym && i < s.PtsSym.size() && j < s.PtsSym[i].size() && s.PtsSym[i][j].Z < z)
        l.emplace_back(s.PtsSym[i][j]);
    }
}

bool Valide(const TDocument& doc, int k) { return k >= 0 && k < doc.NbSurf(); }

// The immersed extent starts from the waterline extent; an empty waterline
// must not pin the extension to (0, 0).
Etendue Etend(Etendue e, const TListPt3D& sous, int axe) {
  float mini = e.Mini, maxi = e.Maxi;
  if (mini == 0 && maxi == 0) mini = 10000, maxi = -10000;
  for (const auto& p : sous) {
    mini = std::min(mini, static_cast<float>(Coord(p, axe)));
    maxi = std::max(maxi, static_cast<float>(Coord(p, axe)));
  }
  if (maxi == -10000) maxi = 0;
  if (mini == 10000) mini = 0;
  e.Mini = mini, e.Maxi = maxi;
  e.Longueur = static_cast<double>(maxi) - mini;
  return e;
}

}  // namespace

TDim DimListe(const TListPt3D& l) {
  TDim d;
  for (const auto& p : l)
    for (int a = 0; a < 3; a++) {
      float v = static_cast<float>(Coord(p, a));
      d.Min[a] = std::min(d.Min[a], v);
      d.Max[a] = std::max(d.Max[a], v);
    }
  for (int a = 0; a < 3; a++) d.Longueur[a] = static_cast<double>(d.Max[a]) - d.Min[a];
  return d;
}

Etendue LongueurSurf(const TDocument& doc, int numSurf) {
  TListPt3D l;
  if (Valide(doc, numSurf)) {
    AjouteGrille(l, doc.Surf(numSurf).Pts);
    AjouteGrille(l, doc.Surf(numSurf).PtsSym);
  } else if (numSurf == -1 || numSurf == -2) {
    for (int k = 0; k < doc.NbSurf(); k++)
      if (numSurf == -1 || doc.Surf(k).Calc) AjouteGrille(l, doc.Surf(k).Pts);
  }
  return Reduit(l, AxeY);
}

Etendue LongueurListe(const TDocument& doc, const TListSurf& ls) {
  TListPt3D l;
  for (int k : ls)
    if (Valide(doc, k)) AjouteGrille(l, doc.Surf(k).Pts);
  return Reduit(l, AxeY);
}

void InterSurf_LE(TListPt3D& l, const TDocument& doc, int numSurf, double z) {
  if (!Valide(doc, numSurf)) return;
  const TEntity& s = doc.Surf(numSurf);
  auto segment = [&](const TVertex3f& a, const TVertex3f& b) {
    if ((z >= a.Z && z <= b.Z) || (z >= b.Z && z <= a.Z)) {
      TVertex3f p{0, 0, z};
      CalcPtDroite(a, b, p, 3);
      l.emplace_back(p);
    }
  };
  auto grilles = [&](auto&& f) {
    f(s.Pts);
    if (s.Sym) f(s.PtsSym);
  };
  // Column segments first, then row segments.
  grilles([&](const TArrayVertex3f& g) {
    for (size_t i = 0; i + 1 < g.size(); i++)
      for (size_t j = 0; j < g[i].size() && j < g[i + 1].size(); j++) segment(g[i][j], g[i + 1][j]);
  });
  grilles([&](const TArrayVertex3f& g) {
    for (size_t i = 0; i < g.size(); i++)
      for (size_t j = 0; j + 1 < g[i].size(); j++) segment(g[i][j], g[i][j + 1]);
  });
}

Etendue LongueurFlottaison(const TDocument& doc, int numSurf, double z) {
  TListPt3D l;
  if (Valide(doc, numSurf)) {
    if (doc.Surf(numSurf).Calc) InterSurf_LE(l, doc, numSurf, z);
  } else if (numSurf == -1) {
    for (int k = 0; k < doc.NbSurf(); k++)
      if (doc.Surf(k).Calc) InterSurf_LE(l, doc, k, z);
  }
  return Reduit(l, AxeY);
}

Etendue LongueurFlottaisonListe(const TDocument& doc, const TListSurf& ls, double z) {
  TListPt3D l;
  for (int k : ls) InterSurf_LE(l, doc, k, z);
  return Reduit(l, AxeY);
}

Etendue LongueurImmergee(const TDocument& doc, int numSurf, double z) {
  Etendue e = LongueurFlottaison(doc, numSurf, z);
  if (!Valide(doc, numSurf)) return e;
  TListPt3D sous;
  const TEntity& s = doc.Surf(numSurf);
  AjouteSousZ(sous, s, z, s.Sym);
  return Etend(e, sous, AxeY);
}

Etendue LongueurImmergeeListe(const TDocument& doc, const TListSurf& ls, double z) {
  Etendue e = LongueurFlottaisonListe(doc, ls, z);
  TListPt3D sous;
  for (int k : ls)
    if (Valide(doc, k)) AjouteSousZ(sous, doc.Surf(k), z, false);
  return Etend(e, sous, AxeY);
}

Etendue HauteurSurf(const TDocument& doc, int numSurf) {
  TListPt3D l;
  if (Valide(doc, numSurf)) {
    AjouteGrille(l, doc.Surf(numSurf).Pts);
  } else if (numSurf == -1) {
    for (int k = 0; k < doc.NbSurf(); k++)
      if (doc.Surf(k).Calc) AjouteGrille(l, doc.Surf(k).Pts);
  }
  return Reduit(l, AxeZ);
}

Etendue LargeurSurf(const TDocument& doc, int numSurf, bool demiSeule) {
  TListPt3D l;
  if (Valide(doc, numSurf)) {
    AjouteGrille(l, doc.Surf(numSurf).Pts);
    if (!demiSeule) AjouteGrille(l, doc.Surf(numSurf).PtsSym);
  } else if (numSurf == -1) {
    for (int k = 0; k < doc.NbSurf(); k++) {
      AjouteGrille(l, doc.Surf(k).Pts);
      if (doc.Surf(k).Sym) AjouteGrille(l, doc.Surf(k).PtsSym);
    }
  }
  return Reduit(l, AxeX);
}

Etendue LargeurFlottaisonListe(const TDocument& doc, const TListSurf& ls, double z) {
  TListPt3D l;
  for (int k : ls) InterSurf_LE(l, doc, k, z);
  return Reduit(l, AxeX);
}

Etendue LargeurImmergeeListe(const TDocument& doc, const TListSurf& ls, double z) {
  Etendue e = LargeurFlottaisonListe(doc, ls, z);
  TListPt3D sous;
  for (int k : ls)
    if (Valide(doc, k)) AjouteSousZ(sous, doc.Surf(k), z, doc.Surf(k).Sym);
  return Etend(e, sous, AxeX);
}
