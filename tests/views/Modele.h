// A small sailing-yacht model built in code for the view tests and the view
// benchmark: a symmetric hull, a keel and a rudder, evaluated, with lines of
// each kind filled from the evaluated grids (the lines unit computes real ones).
#pragma once

#include <cmath>

#include "session/ObjCom.h"

namespace modele {

inline void Net(TSurface& s, int nl, int nc, auto f) {
  s.Net.NbLn = nl;
  s.Net.NbCol = nc;
  for (int i = 0; i < nl; i++)
    for (int j = 0; j < nc; j++) {
      TVertex3f p = f(i, j);
      s.Net.PC[i][j] = {p.X, p.Y, p.Z, 1};
    }
}

// A polyline of a line family taken from one row or column of the evaluated grid, so its
// size and place are those of a real line of that surface.
inline TCoupe LigneDeGrille(const TArrayVertex3f& g, int k, bool parLigne) {
  TListPt3D pl;
  if (g.empty()) return {};
  size_t nl = g.size(), nc = g[0].size();
  if (parLigne) {
    size_t i = static_cast<size_t>(k) % nl;
    for (size_t j = 0; j < nc; j++) pl.emplace_back(g[i][j]);
  } else {
    size_t j = static_cast<size_t>(k) % nc;
    for (size_t i = 0; i < nl; i++) pl.emplace_back(g[i][j]);
  }
  for (auto& p : pl) p.Courbure.Vecteur = {0.05, 0, 0.05};
  return {pl};
}

inline void RemplitLignes(TEntity& e, int n) {
  e.CreateTabCoupes(n, n, n, n);
  for (int k = 0; k < n; k++) {
    e.Sec[static_cast<size_t>(k)] = LigneDeGrille(e.Pts, k * 2, false);
    e.SecSym[static_cast<size_t>(k)] = LigneDeGrille(e.PtsSym, k * 2, false);
    e.LgE[static_cast<size_t>(k)] = LigneDeGrille(e.Pts, k * 2 + 1, true);
    e.LgESym[static_cast<size_t>(k)] = LigneDeGrille(e.PtsSym, k * 2 + 1, true);
    e.Long[static_cast<size_t>(k)] = LigneDeGrille(e.Pts, k * 2 + 1, false);
    e.LongSym[static_cast<size_t>(k)] = LigneDeGrille(e.PtsSym, k * 2 + 1, false);
    e.Diag[static_cast<size_t>(k)] = LigneDeGrille(e.Pts, k * 2, true);
    e.DiagSym[static_cast<size_t>(k)] = LigneDeGrille(e.PtsSym, k * 2, true);
  }
  e.SecCalc = e.LgECalc = e.LongCalc = e.DiagCalc = true;
}

// Hull 10 m long, 3.2 m wide, keel to 1.9 m draught, rudder aft. nbLignes lines of each kind.
inline void Yacht(TDocument& doc, int precision, int nbLignes) {
  doc.Vider();
  doc.Precision = precision;
  TOptionsNouvelleSurface o;
  o.FlexLongitudinale = o.FlexTransversale = 4;
  NouvelleSurface(doc, "Coque", 0, o);
  NouvelleSurface(doc, "Quille", 0, o);
  NouvelleSurface(doc, "Safran", 0, o);
  constexpr double Pi = 3.14159265358979323846;
  const double t[5] = {0, 0.55, 0.9, 1.0, 1.0};
  Net(*doc.SurfNurbs(0), 5, 7, [&](int i, int j) {
    double y = j * 10.0 / 6;
    double b = 1.6 * std::sin(Pi * (y + 1.5) / 12.5) * (j == 6 ? 0.0 : 1.0);
    double d = 0.55 * std::sin(Pi * (y + 0.8) / 11.6);
    double z[5] = {-d, -0.9 * d, -0.45 * d, 0.15, 0.85 + 0.02 * (y - 6) * (y - 6) / 3};
    return TVertex3f{b * t[i], y, z[i]};
  });
  Net(*doc.SurfNurbs(1), 2, 3, [](int i, int j) {
    double y = 3.6 + j * 0.6 + (i == 0 ? 0.5 : 0);
    return TVertex3f{0.08 * (j == 1 ? 1 : 0.2), y, i == 0 ? -1.9 : -0.4};
  });
  Net(*doc.SurfNurbs(2), 2, 2, [](int i, int j) {
    return TVertex3f{0.03, 0.6 + j * 0.5 + 0.1 * i, i == 0 ? -1.3 : -0.2};
  });
  for (int k = 0; k < doc.NbSurf(); k++) {
    doc.SurfNurbs(k)->Net.LFlex = std::min(4, doc.SurfNurbs(k)->Net.NbLn);
    doc.SurfNurbs(k)->Net.CFlex = std::min(4, doc.SurfNurbs(k)->Net.NbCol);
  }
  ChangePrecision(doc, precision);
  MajSurface(doc, true, -1);
  MajMinMaxAllNet(doc, false);
  for (int k = 0; k < doc.NbSurf(); k++) RemplitLignes(doc.Surf(k), nbLignes);
  doc.Grille.NbSec = doc.Grille.NbLE = doc.Grille.NbLong = doc.Grille.NbDiag = nbLignes;
  ChangeCurrentPC(doc, {0, 0, 0});
  doc.MarqueEnregistre();
}

}  // namespace modele
