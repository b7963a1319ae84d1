// Hull dimensions of chosen surfaces.
#include "edition/Taille.h"

#include <cmath>

#include "base/Chaines.h"

TDimensionsCoque CalcDimensionsCoque(const TDocument& doc, const TListSurf& l) {
  TDimensionsCoque d;
  bool une = false;
  TVertex3f p[6] = {{10000, 0, 0},  {-10000, 0, 0}, {0, 10000, 0},
                    {0, -10000, 0}, {0, 0, 10000},  {0, 0, -10000}};
  // From the last to the first, strict comparisons: ties keep the point found first.
  for (auto it = l.rbegin(); it != l.rend(); ++it) {
    if (*it < 0 || *it >= doc.NbSurf()) continue;
    une = true;
    const TEntity& s = doc.Surf(*it);
    if (s.PtXMin.X < p[0].X) p[0] = s.PtXMin;
    if (s.PtXMax.X > p[1].X) p[1] = s.PtXMax;
    if (s.PtYMin.Y < p[2].Y) p[2] = s.PtYMin;
    if (s.PtYMax.Y > p[3].Y) p[3] = s.PtYMax;
    if (s.PtZMin.Z < p[4].Z) p[4] = s.PtZMin;
    if (s.PtZMax.Z > p[5].Z) p[5] = s.PtZMax;
  }
  if (!une) return d;
  for (int i = 0; i < 6; i++) d.Pt[i] = p[i];
  d.LongueurFlottaison = LongueurFlottaisonListe(doc, l, 0).Longueur;
  d.LargeurFlottaison = LargeurFlottaisonListe(doc, l, 0).Longueur;
  return d;
}

namespace {

// A value that rounds to zero is shown as 0.0000, not -0.0000.
double Net(double v) { return std::fabs(v) < 5e-5 ? 0.0 : v; }

TGroupeTaille Groupe(const char* cle, std::vector<std::string> lignes) {
  return {cle, rs(cle), std::move(lignes)};
}

TGroupeTaille Extreme(const TDimensionsCoque& d, int i) {
  static const char* cles[6] = {"rsGBMinXCaption", "rsGBMaxXCaption", "rsGBMinYCaption",
                                "rsGBMaxYCaption", "rsGBMinZCaption", "rsGBMaxZCaption"};
  static const char* tetes[6] = {"rsMinX", "rsMaxX", "rsMinY", "rsMaxY", "rsMinZ", "rsMaxZ"};
  const TVertex3f& p = d.Pt[i];
  const double v = i < 2 ? p.X : i < 4 ? p.Y : p.Z;
  return Groupe(cles[i], {Format(rs(tetes[i]), Net(v)), Format(rs("rsXVal"), Net(p.X)),
                          Format(rs("rsYVal"), Net(p.Y)), Format(rs("rsZVal"), Net(p.Z))});
}

TGroupeTaille Dimensions(const TDimensionsCoque& d) {
  return Groupe("rsGBDimCaption", {Format(rs("rsTailleLongueur"), d.Pt[3].Y - d.Pt[2].Y),
                                   Format(rs("rsTailleLargeur"), d.Pt[1].X - d.Pt[0].X),
                                   Format(rs("rsTailleHauteur"), d.Pt[5].Z - d.Pt[4].Z)});
}

TGroupeTaille Hauteurs(const TDimensionsCoque& d) {
  return Groupe("rsGBTA_TECaption", {Format(rs("rsTailleHauteurMax"), d.Pt[5].Z > 0 ? d.Pt[5].Z : 0.0),
                                     Format(rs("rsTailleProfondeurMax"), d.Pt[4].Z < 0 ? d.Pt[4].Z : 0.0)});
}

TGroupeTaille Flottaison(const TDimensionsCoque& d) {
  return Groupe("rsGBFlottCaption", {Format(rs("rsTailleLongueur"), d.LongueurFlottaison),
                                     Format(rs("rsTailleLargeur"), d.LargeurFlottaison)});
}

}  // namespace

std::vector<TGroupeTaille> GroupesTaille(const TDimensionsCoque& d) {
  std::vector<TGroupeTaille> g;
  for (int i = 0; i < 6; i++) g.push_back(Extreme(d, i));
  g.push_back(Dimensions(d));
  g.push_back(Hauteurs(d));
  g.push_back(Flottaison(d));
  return g;
}

std::vector<TGroupeTaille> GroupesTailleImpression(const TDimensionsCoque& d) {
  return {Dimensions(d), Hauteurs(d),   Flottaison(d), Extreme(d, 1), Extreme(d, 0),
          Extreme(d, 3), Extreme(d, 2), Extreme(d, 5), Extreme(d, 4)};
}
