#include "views/Taille.h"

#include "app/Chaines.h"

TTaille CalculeTaille(const TDocument& doc, const TListSurf& l) {
  TTaille t;
  if (l.empty()) {
    t.XMin = t.XMax = t.YMin = t.YMax = t.ZMin = t.ZMax = {0, 0, 0};
    return t;
  }
  for (auto it = l.rbegin(); it != l.rend(); ++it) {
    if (*it < 0 || *it >= doc.NbSurf()) continue;
    const TEntity& e = doc.Surf(*it);
    if (e.PtXMin.X < t.XMin.X) t.XMin = e.PtXMin;
    if (e.PtXMax.X > t.XMax.X) t.XMax = e.PtXMax;
    if (e.PtYMin.Y < t.YMin.Y) t.YMin = e.PtYMin;
    if (e.PtYMax.Y > t.YMax.Y) t.YMax = e.PtYMax;
    if (e.PtZMin.Z < t.ZMin.Z) t.ZMin = e.PtZMin;
    if (e.PtZMax.Z > t.ZMax.Z) t.ZMax = e.PtZMax;
  }
  t.LongueurFlottaison = LongueurFlottaisonListe(doc, l, 0).Longueur;
  t.LargeurFlottaison = LargeurFlottaisonListe(doc, l, 0).Longueur;
  return t;
}

namespace {

TGroupeTaille Extreme(const char* titre, const char* premiere, double v, const TVertex3f& p) {
  return {titre, {Format(premiere, v), Format("X=%.4f", p.X), Format("Y=%.4f", p.Y), Format("Z=%.4f", p.Z)}};
}

}  // namespace

std::vector<TGroupeTaille> GroupesTaille(const TTaille& t) {
  return {
      Extreme("Min largeur X", "Min X=%.4f", t.XMin.X, t.XMin),
      Extreme("Max largeur X", "Max X=%.4f", t.XMax.X, t.XMax),
      Extreme("Min largeur Y", "Min Y=%.4f", t.YMin.Y, t.YMin),
      Extreme("Max largeur Y", "Max Y=%.4f", t.YMax.Y, t.YMax),
      Extreme("Min largeur Z", "Min Z=%.4f", t.ZMin.Z, t.ZMin),
      Extreme("Max largeur Z", "Max Z=%.4f", t.ZMax.Z, t.ZMax),
      {"Dimensions",
       {Format("Longueur=%.4f", t.YMax.Y - t.YMin.Y), Format("Largeur=%.4f", t.XMax.X - t.XMin.X),
        Format("Hauteur=%.4f", t.ZMax.Z - t.ZMin.Z)}},
      {"Hauteur",
       {Format("Hauteur max=%.4f", t.ZMax.Z > 0 ? t.ZMax.Z : 0.0),
        Format("Profondeur max=%.4f", t.ZMin.Z < 0 ? t.ZMin.Z : 0.0)}},
      {"Flottaison",
       {Format("Longueur=%.4f", t.LongueurFlottaison), Format("Largeur=%.4f", t.LargeurFlottaison)}},
  };
}

std::vector<TGroupeTaille> GroupesImpressionTaille(const TTaille& t) {
  const auto g = GroupesTaille(t);
  // Dimensions, Hauteur, Flottaison, then each axis's maximum before its minimum.
  return {g[6], g[7], g[8], g[1], g[0], g[3], g[2], g[5], g[4]};
}
