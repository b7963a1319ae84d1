// The offset surface at a thickness: each grid point moved along its unit normal.
#include "session/Epaisseur.h"

#include <algorithm>
#include <cmath>

#include "base/Chaines.h"
#include "base/Debug.h"
#include "session/ObjCom.h"

namespace {
double Cote(const TPlan& pl, const TVertex3f& p) { return pl.A * p.X + pl.B * p.Y + pl.C * p.Z + pl.D; }
}  // namespace

double DemiTailleSurface(const TEntity& s) {
  double mn[3] = {HUGE_VAL, HUGE_VAL, HUGE_VAL}, mx[3] = {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
  for (const auto& l : s.Pts)
    for (const auto& p : l) {
      const double v[3] = {p.X, p.Y, p.Z};
      for (int a = 0; a < 3; a++) mn[a] = std::min(mn[a], v[a]), mx[a] = std::max(mx[a], v[a]);
    }
  double d = 0;
  for (int a = 0; a < 3; a++)
    if (mx[a] >= mn[a]) d = std::max(d, mx[a] - mn[a]);
  return d / 2;
}

TVertex3f PointEpaisseur(const TVertex3f& p, const TVertex3f& n, double t, bool versNormale, bool sym,
                         const TPlan& plan) {
  TVertex3f q = versNormale ? p + n * t : p - n * t;
  // Only a point the offset carries across the plane is stopped: a surface modelled on the
  // negative side keeps its shape.
  if (sym && Cote(plan, q) < 0 && Cote(plan, p) >= 0) {
    TVertex3f r;
    CalcProjeteVect(q, n, plan, r);
    q = r;
  }
  return q;
}

std::string AjouteEpaisseur(TDocument& doc, int k, double t, bool interieur, int* nouvelle, bool avecPoids) {
  TRACE("TEpaisseurForm.BtnOKClick");
  if (k < 0 || k >= doc.NbSurf()) return "rsMauvaiseSelection";
  if (!std::isfinite(t)) return "rsEpaisseurInvalide";
  // The side is chosen by the inner or outer choice: a negative distance would silently
  // swap it.
  if (t < 0) return "rsEpaisseurNegative";
  if (doc.NbSurf() >= MaxSurf) return "rsErrMaxSurf";
  MajSurface(doc, true, k);
  const TEntity& s = doc.Surf(k);
  if (!s.Calculee || static_cast<int>(s.Pts.size()) < s.NbLnPt + 1 ||
      static_cast<int>(s.Normales.size()) < s.NbLnPt + 1)
    return "rsDevNonCalculee";
  if (t > DemiTailleSurface(s)) return "rsEpaisseurTropGrande";
  const int n = doc.NbSurf() + 1;
  auto e = std::make_unique<TDXFSurface>(n - 1, s.NbColPt + 1, s.NbLnPt + 1);
  e->Nom = NomSurfaceCoupe(s.Nom + Format(" %d", n));
  e->Poids.Nom = e->Nom;
  e->Visible = s.Visible, e->Verrou = s.Verrou, e->Sym = s.Sym, e->Voile = s.Voile;
  e->Coul = s.Coul, e->Alpha = s.Alpha, e->Ambient = s.Ambient, e->Specular = s.Specular;
  e->Shininess = s.Shininess, e->Emission = s.Emission;
  e->Orientation = s.Orientation, e->JonctionSym = s.JonctionSym, e->CG = s.CG;
  e->TypePoids = s.TypePoids, e->Epaisseur = s.Epaisseur, e->Densite = s.Densite,
  e->PoidsParM2 = s.PoidsParM2;
  e->Poids.Masse = s.Poids.Masse;
  if (!avecPoids) {
    // The source's weight model counts the plating already: a copy of it would count it twice.
    e->TypePoids = tpFixeBorde;
    e->Poids.Masse = 0;
  }
  e->PlanSym = s.PlanSym;
  e->Calc = false;
  // Inner is against the outward side that the orientation defines.
  const bool versNormale = interieur == s.Orientation;
  const TPlan plan = s.PlanSym.Plan();
  for (int i = 0; i <= s.NbLnPt; i++)
    for (int j = 0; j <= s.NbColPt; j++)
      e->Pts[size_t(i)][size_t(j)] = PointEpaisseur(
          s.Pts[size_t(i)][size_t(j)], s.Normales[size_t(i)][size_t(j)], t, versNormale, s.Sym, plan);
  e->CreateTabCoupes(doc.Grille.NbSec, doc.Grille.NbLE, doc.Grille.NbLong, doc.Grille.NbDiag);
  e->MarqueNonCalculee();
  doc.TabSurf.push_back(std::move(e));
  if (nouvelle) *nouvelle = n - 1;
  MajSurface(doc, false, -1);
  MajCoupesSurface(doc);
  doc.MarqueModifie();
  return "";
}
