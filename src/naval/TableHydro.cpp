// The hydrostatic table, waterline by waterline on lowered working copies.
#include "naval/TableHydro.h"

#include <algorithm>
#include <cmath>

#include "base/Chaines.h"
#include "base/Debug.h"
#include "naval/Parallele.h"

void CopieAbaissee(const TDocument& doc, const TListSurf& portee, double z, TDocument& copie) {
  copie.TabSurf.clear();
  copie.Precision = doc.Precision;
  auto abaisse = [z](TArrayVertex3f& g) {
    for (auto& r : g)
      for (auto& p : r) p.Z -= z;
  };
  for (int k : portee) {
    if (k < 0 || k >= doc.NbSurf()) continue;
    std::unique_ptr<TEntity> e = doc.Surf(k).Clone();
    e->NumSurf = copie.NbSurf();
    abaisse(e->Pts);
    abaisse(e->PtsSym);
    e->PlanSym.Origine.Z -= z;
    e->PlanSym.MajPlan();
    // Lowered as the grids are: the same points stay extreme (rounding is monotonic).
    for (TVertex3f* x : {&e->PtXMin, &e->PtXMax, &e->PtYMin, &e->PtYMax, &e->PtZMin, &e->PtZMax}) x->Z -= z;
    copie.TabSurf.push_back(std::move(e));
  }
}

TPlageTable PlageTableDefaut(const TDocument& doc, const TListSurf& portee) {
  double bas = HUGE_VAL, haut = -HUGE_VAL;
  auto parcourt = [&](const TArrayVertex3f& g) {
    for (const auto& r : g)
      for (const auto& p : r) bas = std::min(bas, p.Z), haut = std::max(haut, p.Z);
  };
  for (int k : portee) {
    if (k < 0 || k >= doc.NbSurf()) continue;
    parcourt(doc.Surf(k).Pts);
    if (doc.Surf(k).Sym) parcourt(doc.Surf(k).PtsSym);
  }
  TPlageTable p;
  if (!(haut >= bas) || !std::isfinite(bas) || !std::isfinite(haut)) {
    p.Z0 = 0, p.Z1 = 1, p.N = 11;
    return p;
  }
  if (bas >= 0 || haut <= bas) {
    const double h = haut > bas ? (haut - bas) / 10 : 0.1;
    p.Z0 = bas + h, p.Z1 = bas + 10 * h, p.N = 10;
    return p;
  }
  // Ten steps from the keel to the waterline, the step written with four decimals as the
  // fields show it; the row at the keel itself would float nothing.
  const double h = std::max(1e-4, std::round(-bas / 10 * 1e4) / 1e4);
  const int dessus = std::clamp(static_cast<int>(std::floor(std::max(0.0, haut) / h + 1e-9)), 0, 2);
  p.N = 10 + dessus;
  p.Z0 = -9 * h;
  p.Z1 = dessus * h;
  return p;
}

std::vector<double> HauteursTable(double z0, double z1, int n) {
  std::vector<double> h;
  if (n < 1) return h;
  if (n == 1) return {z0};
  for (int i = 0; i < n; i++) {
    double z = i == n - 1 ? z1 : z0 + (z1 - z0) * i / (n - 1);
    // The waterline among the rows is the waterline, not a rounding beside it.
    if (std::abs(z) <= 1e-12 * (std::abs(z0) + std::abs(z1))) z = 0;
    h.push_back(z);
  }
  return h;
}

std::vector<TLigneTableHydro> TableHydrostatique(const TDocument& doc, const TListSurf& portee,
                                                 const std::vector<double>& hauteurs, int nbSections,
                                                 const TBarycentre* poids, TSuiviCalcul* suivi) {
  TRACE("TableHydrostatique");
  std::vector<TLigneTableHydro> t;
  if (suivi) suivi->Arret = false;
  const int n = static_cast<int>(hauteurs.size());
  auto ligne = [&](int i) {
    const double z = hauteurs[i];
    TDocument copie;
    CopieAbaissee(doc, portee, z, copie);
    TListSurf tout;
    for (int k = 0; k < copie.NbSurf(); k++) tout.push_back(k);
    TBarycentre g;
    if (poids) g = *poids, g.Centre.Z -= z;
    TResultatsHydro r = CalcHydrostatiques(copie, tout, nbSections, {}, poids ? &g : nullptr);
    TLigneTableHydro& l = t[i];
    l.Z = z;
    // A waterline below the keel gives no draught, not a negative one.
    l.Tirant = std::max(0.0, -ZQuille(copie, tout));
    l.P = r.P;
    l.P.CC.Z += z;  // back in the model's frame
  };
  t.resize(hauteurs.size());
  // The waterlines are independent: a batch of them runs on the cores at once, and the hooks
  // are called between batches on this thread.
  const int lot = NbFils(n);
  for (int i = 0; i < n; i += lot) {
    const int fin = std::min(n, i + lot);
    EnParallele(i, fin, ligne);
    if (suivi) {
      if (suivi->TraiteMessages) suivi->TraiteMessages();
      if (suivi->Progression) suivi->Progression(n, fin);
      if (suivi->Arret) {
        t.resize(static_cast<size_t>(fin));
        break;
      }
    }
  }
  return t;
}

std::vector<std::string> EnteteTableHydro(bool avecPoids) {
  std::vector<std::string> e{"Z [m]",
                             rs("rsEnteteTirant"),
                             "Volume [m3]",
                             rs("rsEnteteDepl"),
                             rs("rsCentreCareneX"),
                             rs("rsCentreCareneY"),
                             rs("rsCentreCareneZ"),
                             rs("rsEnteteSurfMouillee"),
                             "Lwl [m]",
                             "Bwl [m]",
                             rs("rsEnteteAireFlott"),
                             "CF x [m]",
                             "CF y [m]",
                             "It [m4]",
                             "Il [m4]",
                             "KB [m]",
                             "BMt [m]",
                             "BMl [m]",
                             "KMt [m]",
                             "KMl [m]",
                             "Cb",
                             "Cp",
                             "Cwp",
                             "Cm",
                             "TPC [t/cm]",
                             "MCT [t.m/cm]"};
  if (avecPoids) e.insert(e.end(), {"GMt [m]", "GMl [m]"});
  return e;
}

std::vector<double> ValeursTableHydro(const TLigneTableHydro& l, bool avecPoids) {
  const TParticulesHydro& p = l.P;
  std::vector<double> v{l.Z,    l.Tirant, p.V,    p.V * DensiteEauMer * 1000,
                        p.CC.X, p.CC.Y,   p.CC.Z, p.SurfMouillee,
                        p.Lwl,  p.Bwl,    p.Awp,  p.Xf,
                        p.Yf,   p.It,     p.Il,   p.KB,
                        p.BMt,  p.BMl,    p.KMt,  p.KMl,
                        p.Cb,   p.Cp,     p.Cwp,  p.Cm,
                        p.TPC,  p.MCT};
  if (avecPoids) v.insert(v.end(), {p.GMt, p.GMl});
  return v;
}
