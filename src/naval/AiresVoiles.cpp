#include "naval/AiresVoiles.h"

void MajCentreVoilure(TDocument& doc) {
  TBarycentre c;
  TVertex3f m;
  for (auto& s : doc.TabSurf) {
    if (!s->Voile) continue;
    MajCentreBorde(*s);
    const TBarycentre& b = s->CentreBorde;
    c.Valeur += b.Valeur;
    m = m + b.Centre * b.Valeur;
  }
  if (c.Valeur != 0) c.Centre = m * (1 / c.Valeur);
  doc.CentreVoilure = c;
}

std::vector<TLigneVoile> LignesVoiles(const TDocument& doc) {
  std::vector<TLigneVoile> r;
  for (int k = 0; k < doc.NbSurf(); k++)
    if (doc.Surf(k).Voile) r.push_back({doc.Surf(k).Nom, k, doc.Surf(k).CentreBorde});
  return r;
}

TCentreAire PlanAntiDerive(const TDocument& doc, const std::vector<int>& portee) {
  double a = 0, sy = 0, sz = 0;
  auto ajoute = [&](const TVertex3f& p1, const TVertex3f& p2, const TVertex3f& p3) {
    double t = std::abs((p1.Y - p2.Y) * (p3.Z - p2.Z) - (p1.Z - p2.Z) * (p3.Y - p2.Y)) / 2;
    a += t;
    sy += t * (p1.Y + p2.Y + p3.Y) / 3;
    sz += t * (p1.Z + p2.Z + p3.Z) / 3;
  };
  for (int k : portee) {
    if (k < 0 || k >= doc.NbSurf() || doc.Surf(k).Voile) continue;
    // One half only: the mirror projects onto the same place of the centre plane.
    TListFace l;
    MakeFaceList(doc.Surf(k).Pts, 1, l, 0);
    for (const auto& f : l.F) ajoute(f.P1, f.P2, f.P3);
  }
  TCentreAire c;
  c.Aire = a;
  if (a != 0) c.Y = static_cast<float>(sy / a), c.Z = static_cast<float>(sz / a);
  return c;
}

TEquilibre CalcEquilibre(TDocument& doc) {
  MajCentreVoilure(doc);
  TEquilibre e;
  e.Voilure = doc.CentreVoilure;
  std::vector<int> portee;
  for (int k = 0; k < doc.NbSurf(); k++)
    if (doc.Surf(k).Calc) portee.push_back(k);
  e.AntiDerive = PlanAntiDerive(doc, portee);
  if (e.Voilure.Valeur != 0 && e.AntiDerive.Aire != 0) e.Avance = e.Voilure.Centre.Y - e.AntiDerive.Y;
  return e;
}
