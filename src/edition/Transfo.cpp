// Transformations of whole surfaces.
#include "edition/Transfo.h"

#include <cmath>

#include "base/Debug.h"
#include "edition/Edition.h"
#include "naval/Poids.h"
#include "session/ObjCom.h"

namespace {

bool Valide(const TDocument& doc, int k) { return k >= 0 && k < doc.NbSurf(); }

}  // namespace

void TranslationSurfaces(TDocument& doc, const std::vector<int>& nums, const TVertex3f& v,
                         const TOptionsTransfo& o) {
  TRACE("TTransForm.Translation");
  TMatrice4 m;
  MatTranslation(v, m);
  for (int k : nums) {
    if (!Valide(doc, k)) continue;
    TEntity& e = doc.Surf(k);
    // The surface always moves: a base alone is not translated from here.
    PourChaquePoint(e, [&](TVertex3f& p) { p = p + v; });
    if (o.PlanSym) {
      e.PlanSym.Origine = e.PlanSym.Origine + v;
      e.PlanSym.MajPlan();
    }
    if (o.Poids) DeplacePoidsAttaches(doc, k, m);
    e.MarqueNonCalculee();
  }
}

void RotationSurfaces(TDocument& doc, const std::vector<int>& nums, const TVertex3f& c,
                      const TVertex3f& angles, const TOptionsTransfo& o) {
  TRACE("TTransForm.Rotation");
  TMatrice4 m, axes;
  MatRotation3D(c, angles, m);
  MatRotation3D({0, 0, 0}, angles, axes);
  const bool seul = o.PlanSym && o.PlanSymSeul;
  for (int k : nums) {
    if (!Valide(doc, k)) continue;
    TEntity& e = doc.Surf(k);
    if (!seul) PourChaquePoint(e, [&](TVertex3f& p) { Transformation3D(m, p); });
    if (o.Poids) DeplacePoidsAttaches(doc, k, m);
    if (o.PlanSym) {
      TPlanSym& b = e.PlanSym;
      Rotation3D(c, angles, b.Origine);
      Transformation3D(axes, b.Axe1);
      Transformation3D(axes, b.Axe2);
      Transformation3D(axes, b.Axe3);
      b.MajPlan();
    }
    e.MarqueNonCalculee();
  }
}

void MiroirSurfaces(TDocument& doc, const std::vector<int>& nums, bool horizontal, bool vertical,
                    const TOptionsTransfo& o) {
  TRACE("TTransForm.Miroir");
  const bool seul = o.PlanSym && o.PlanSymSeul;
  auto miroir = [&](int k, bool enZ) {
    if (!Valide(doc, k)) return;
    TEntity& e = doc.Surf(k);
    auto inv = [enZ](TVertex3f& v) { (enZ ? v.Z : v.X) = -(enZ ? v.Z : v.X); };
    if (!seul) PourChaquePoint(e, inv);
    if (o.Poids) {
      TMatrice4 m = MatIdentite();
      m[enZ ? 2 : 0][enZ ? 2 : 0] = -1;
      DeplacePoidsAttaches(doc, k, m);
    }
    if (o.PlanSym) {
      TPlanSym& b = e.PlanSym;
      inv(b.Origine), inv(b.Axe1), inv(b.Axe2), inv(b.Axe3);
      b.MajPlan();
    }
    e.MarqueNonCalculee();
  };
  if (vertical)
    for (auto it = nums.rbegin(); it != nums.rend(); ++it) miroir(*it, false);
  if (horizontal)
    for (auto it = nums.rbegin(); it != nums.rend(); ++it) miroir(*it, true);
}

bool RedimSurfaces(TDocument& doc, const std::vector<int>& nums, const TVertex3f& f,
                   bool conserverPositions) {
  TRACE("TTransForm.Taille");
  for (double v : {f.X, f.Y, f.Z})
    if (!(v > 0) || !std::isfinite(v)) return false;
  for (int k : nums) {
    if (!Valide(doc, k)) continue;
    TEntity& e = doc.Surf(k);
    const TVertex3f o = e.PlanSym.Origine;
    TMatrice4 m;
    MatHomothetie3D(f, o, m);
    if (conserverPositions) {
      const TVertex3f v{(f.X - 1) * o.X, (f.Y - 1) * o.Y, (f.Z - 1) * o.Z};
      TMatrice4 t;
      MatTranslation(v, t);
      m = t * m;
      e.PlanSym.Origine = o + v;
      e.PlanSym.MajPlan();
    }
    e.Transforme(m);
  }
  return true;
}

std::vector<TDim> DimsSurfaces(const TDocument& doc) {
  std::vector<TDim> r(static_cast<size_t>(doc.NbSurf()));
  for (int k = 0; k < doc.NbSurf(); k++) {
    const Etendue x = LargeurSurf(doc, k, !doc.Surf(k).Sym), y = LongueurSurf(doc, k),
                  z = HauteurSurf(doc, k);
    TDim& d = r[size_t(k)];
    const Etendue* e[3] = {&x, &y, &z};
    for (int a = 0; a < 3; a++) d.Longueur[a] = e[a]->Longueur, d.Min[a] = e[a]->Mini, d.Max[a] = e[a]->Maxi;
  }
  return r;
}

TTailleSelection TailleSelection(const std::vector<TDim>& dims, const std::vector<int>& nums) {
  TTailleSelection t;
  bool une = false;
  double mn[3] = {10000, 10000, 10000}, mx[3] = {-10000, -10000, -10000};
  for (int k : nums) {
    if (k < 0 || k >= static_cast<int>(dims.size())) continue;
    une = true;
    for (int a = 0; a < 3; a++) {
      mn[a] = std::min(mn[a], double(dims[size_t(k)].Min[a]));
      mx[a] = std::max(mx[a], double(dims[size_t(k)].Max[a]));
    }
  }
  if (une)
    for (int a = 0; a < 3; a++) t.Min[a] = mn[a], t.Max[a] = mx[a];
  return t;
}

TVertex3f FacteursTaille(const double cible[3], const TTailleSelection& t) {
  double f[3];
  for (int a = 0; a < 3; a++) f[a] = t.Taille(a) == 0 ? 1 : cible[a] / t.Taille(a);
  return {f[0], f[1], f[2]};
}

bool CentreBases(const TDocument& doc, const std::vector<int>& nums, TVertex3f& c) {
  TVertex3f s;
  int n = 0;
  for (int k : nums)
    if (Valide(doc, k)) s = s + doc.Surf(k).PlanSym.Origine, n++;
  if (n == 0) return false;
  c = s * (1.0 / n);
  return true;
}
