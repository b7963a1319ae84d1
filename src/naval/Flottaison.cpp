// The floating position: sinkage by a safeguarded secant on the volume, trim and heel by
// Newton's method on the horizontal offset of B from G, on the facets of working copies.
#include "naval/Flottaison.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/Chaines.h"
#include "base/Debug.h"
#include "naval/Stab.h"

namespace {

TVertex3f Applique(const TMatrice4& m, const TVertex3f& p) {
  TVertex3f q;
  Transformation3D(m, p, q);
  return q;
}

// The height of a model point in the floating frame.
double ZPlace(const TMatrice4& m, const TVertex3f& p) {
  return m[2][0] * p.X + m[2][1] * p.Y + m[2][2] * p.Z + m[2][3];
}

template <class F>
void PourGrilles(const TDocument& doc, const TListSurf& portee, F f) {
  for (int k : portee) {
    if (k < 0 || k >= doc.NbSurf()) continue;
    const TEntity& e = doc.Surf(k);
    f(e, e.Pts);
    if (e.Sym && !e.PtsSym.empty()) f(e, e.PtsSym);
  }
}

// The working copies placed at one pair of angles about (0, yref, 0), and the waterline that
// displaces the volume asked for.
class TEssai {
 public:
  TEssai(const TDocument& doc, const TListSurf& portee, double yref) : Pivot{0, yref, 0} {
    for (int k : portee)
      if (k >= 0 && k < doc.NbSurf() && !Copies.AddSurf(doc.Surf(k)))
        DbgErr(erCalcul, "Flottaison.Flotte", k, {"grid not usable"});
    Car.Construit(Copies);
  }
  bool Vide() const { return Car.NbFacettes() == 0; }

  // Places the copies at (gite, assiette); false when no waterline displaces v0 (the hull
  // sinks whole). B is then in the rotated frame, its Z absolute; W the waterline.
  bool Place(double gite, double assiette, double v0) {
    R = MatriceAttitude(gite, assiette, Pivot);
    Car.Place(R);
    double a = Car.ZMin(), b = Car.ZMax();
    const double vmax = Car.Volume(b);
    if (!(vmax >= v0 * (1 - 1e-12))) return false;
    const double tol = 1e-13 * std::max(v0, 1e-9);
    double w = std::clamp(W, a, b), fw = Car.ResserreVolume(a, b, w) - v0;
    double wp = w == b ? a : b, fp = wp == a ? -v0 : vmax - v0;
    for (int i = 0; i < 200 && std::abs(fw) > tol; i++) {
      if (fw < 0)
        a = w;
      else
        b = w;
      if (b - a <= 1e-14 * (1 + std::abs(a) + std::abs(b))) break;
      double s = fw != fp ? w - fw * (w - wp) / (fw - fp) : (a + b) / 2;
      // The secant leaves the bracket or crawls along one side: halve instead.
      if (!(s > a && s < b) || (i % 8 == 7)) s = (a + b) / 2;
      wp = w, fp = fw;
      w = s;
      fw = Car.ResserreVolume(a, b, w) - v0;
    }
    W = w;
    TCumulCarene c;
    Car.Centre(W, c);
    Volume = c.Vol;
    B = c.Vol != 0 ? TVertex3f{c.Mx / c.Vol, c.My / c.Vol, c.Mz / c.Vol + W} : TVertex3f{};
    return true;
  }

  TVertex3f Pivot;
  TMatrice4 R;
  double W = 0, Volume = 0;
  TVertex3f B;
  TCarene Car;

 private:
  TDoubleSurfList Copies;
};

constexpr int MaxIterFlottaison = 60;
constexpr double PasAngleMax = 10;   // degrees: a Newton step is capped to this
constexpr double PasDerivee = 1e-4;  // degrees: forward differences of the offsets

}  // namespace

TMatrice4 MatricePlacement(const TAttitude& a) {
  TMatrice4 t;
  MatTranslation({0, 0, -a.Tirant}, t);
  return t * MatriceAttitude(a.Gite, a.Assiette, {0, a.YRef, a.Tirant});
}

TMatrice4 InverseRigide(const TMatrice4& m) {
  TMatrice4 r = MatIdentite();
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) r[i][j] = m[j][i];
  for (int i = 0; i < 3; i++) r[i][3] = -(r[i][0] * m[0][3] + r[i][1] * m[1][3] + r[i][2] * m[2][3]);
  return r;
}

double YMilieuPortee(const TDocument& doc, const TListSurf& portee) {
  double lo = std::numeric_limits<double>::infinity(), hi = -lo;
  PourGrilles(doc, portee, [&](const TEntity&, const TArrayVertex3f& g) {
    for (const auto& r : g)
      for (const auto& p : r) lo = std::min(lo, p.Y), hi = std::max(hi, p.Y);
  });
  return lo <= hi ? (lo + hi) / 2 : 0;
}

void CopiePlacee(const TDocument& doc, const TListSurf& portee, const TMatrice4& m, TDocument& copie) {
  copie.TabSurf.clear();
  copie.Precision = doc.Precision;
  TMatrice4 r = m;  // directions (normals, axes of the symmetry base) take no translation
  r[0][3] = r[1][3] = r[2][3] = 0;
  auto place = [](const TMatrice4& t, TArrayVertex3f& g) {
    for (auto& l : g)
      for (auto& p : l) Transformation3D(t, p);
  };
  for (int k : portee) {
    if (k < 0 || k >= doc.NbSurf()) continue;
    std::unique_ptr<TEntity> e = doc.Surf(k).Clone();
    e->NumSurf = copie.NbSurf();
    place(m, e->Pts);
    place(m, e->PtsSym);
    place(r, e->Normales);
    place(r, e->NormalesSym);
    TPlanSym& p = e->PlanSym;
    Transformation3D(m, p.Origine);
    Transformation3D(r, p.Axe1);
    Transformation3D(r, p.Axe2);
    Transformation3D(r, p.Axe3);
    p.MajPlan();
    for (TVertex3f* x : {&e->PtXMin, &e->PtXMax, &e->PtYMin, &e->PtYMax, &e->PtZMin, &e->PtZMax}) *x = {};
    // The extremes after a rotation are other points: found again over the moved grids.
    bool premier = true;
    auto extremes = [&](const TArrayVertex3f& g) {
      for (const auto& l : g)
        for (const auto& q : l) {
          if (premier) {
            e->PtXMin = e->PtXMax = e->PtYMin = e->PtYMax = e->PtZMin = e->PtZMax = q;
            premier = false;
          }
          if (q.X < e->PtXMin.X) e->PtXMin = q;
          if (q.X > e->PtXMax.X) e->PtXMax = q;
          if (q.Y < e->PtYMin.Y) e->PtYMin = q;
          if (q.Y > e->PtYMax.Y) e->PtYMax = q;
          if (q.Z < e->PtZMin.Z) e->PtZMin = q;
          if (q.Z > e->PtZMax.Z) e->PtZMax = q;
        }
    };
    extremes(e->Pts);
    if (e->Sym) extremes(e->PtsSym);
    copie.TabSurf.push_back(std::move(e));
  }
}

TResultatsHydro HydroAttitude(const TDocument& doc, const TListSurf& portee, const TAttitude& a,
                              int nbSections, const TBarycentre* poids) {
  TRACE("Flottaison.HydroAttitude");
  const TMatrice4 m = MatricePlacement(a);
  TDocument copie;
  CopiePlacee(doc, portee, m, copie);
  TListSurf tout;
  for (int k = 0; k < copie.NbSurf(); k++) tout.push_back(k);
  TBarycentre g;
  if (poids) g = *poids, g.Centre = Applique(m, poids->Centre);
  return CalcHydrostatiques(copie, tout, nbSections, {}, poids ? &g : nullptr);
}

std::vector<std::pair<TVertex3f, TVertex3f>> LigneFlottaison(const TDocument& doc, const TListSurf& portee,
                                                             const TMatrice4& m) {
  std::vector<std::pair<TVertex3f, TVertex3f>> r;
  auto facette = [&](const TVertex3f& a, const TVertex3f& b, const TVertex3f& c) {
    const TVertex3f* p[3] = {&a, &b, &c};
    double z[3];
    for (int i = 0; i < 3; i++) z[i] = ZPlace(m, *p[i]);
    TVertex3f x[2];
    int n = 0;
    for (int i = 0; i < 3 && n < 2; i++) {
      const int j = (i + 1) % 3;
      if ((z[i] < 0) == (z[j] < 0)) continue;
      const double t = z[i] / (z[i] - z[j]);
      x[n++] = *p[i] + (*p[j] - *p[i]) * t;
    }
    if (n == 2) r.push_back({x[0], x[1]});
  };
  PourGrilles(doc, portee, [&](const TEntity&, const TArrayVertex3f& g) {
    for (size_t i = 0; i + 1 < g.size(); i++)
      for (size_t j = 0; j + 1 < std::min(g[i].size(), g[i + 1].size()); j++) {
        facette(g[i][j], g[i][j + 1], g[i + 1][j]);
        facette(g[i][j + 1], g[i + 1][j + 1], g[i + 1][j]);
      }
  });
  return r;
}

TResultatFlottaison Flotte(const TDocument& doc, const TListSurf& portee, const TConditionFlottaison& c) {
  TRACE("Flottaison.Flotte");
  TResultatFlottaison r;
  const double masse = c.Poids.Valeur;
  if (!(masse > 0) || !std::isfinite(masse)) {
    r.Erreur = rs("rsFlottePoidsManquant");
    return r;
  }
  if (!(c.Densite > 0) || !std::isfinite(c.Densite)) {
    r.Erreur = rs("rsFlotteDensite");
    return r;
  }
  r.Erreur = DefautPoidsSommets(doc, portee);
  if (!r.Erreur.empty()) return r;
  const double yref = YMilieuPortee(doc, portee);
  TEssai essai(doc, portee, yref);
  if (essai.Vide()) {
    r.Erreur = rs("rsErrPorteeVide");
    return r;
  }
  const double v0 = masse / 1000 / c.Densite;
  const TVertex3f g = c.Poids.Centre;
  // The horizontal offsets of B from the vertical through G at the angles x (degrees).
  bool coule = false;
  auto ecarts = [&](double gite, double assiette, double e[2]) {
    if (!essai.Place(gite, assiette, v0)) {
      coule = true;
      return;
    }
    const TVertex3f gp = Applique(essai.R, g);
    e[0] = essai.B.X - gp.X, e[1] = essai.B.Y - gp.Y;
  };
  // The longest extent of the copies: the scale of a negligible offset.
  double lo = std::numeric_limits<double>::infinity(), hi = -lo;
  PourGrilles(doc, portee, [&](const TEntity&, const TArrayVertex3f& gr) {
    for (const auto& l : gr)
      for (const auto& p : l) lo = std::min({lo, p.X, p.Y, p.Z}), hi = std::max({hi, p.X, p.Y, p.Z});
  });
  const double tol = 1e-11 * std::max(1.0, hi - lo);
  const bool giteLibre = !c.GiteImposee;
  double x[2] = {giteLibre ? 0 : c.Gite, 0};  // heel, trim
  double e[2] = {0, 0};
  ecarts(x[0], x[1], e);
  auto norme = [&](const double v[2]) { return giteLibre ? std::hypot(v[0], v[1]) : std::abs(v[1]); };
  for (; !coule && r.Iterations < MaxIterFlottaison; r.Iterations++) {
    if (norme(e) <= tol) {
      r.Converge = true;
      break;
    }
    // Forward differences: column j is the change of the offsets with angle j.
    double jac[2][2] = {}, d[2] = {};
    for (int j = giteLibre ? 0 : 1; j < 2; j++) {
      double xp[2] = {x[0], x[1]}, ep[2] = {0, 0};
      xp[j] += PasDerivee;
      ecarts(xp[0], xp[1], ep);
      if (coule) break;
      for (int i = 0; i < 2; i++) jac[i][j] = (ep[i] - e[i]) / PasDerivee;
    }
    if (coule) break;
    if (giteLibre) {
      const double det = jac[0][0] * jac[1][1] - jac[0][1] * jac[1][0];
      if (det == 0 || !std::isfinite(det)) break;
      d[0] = -(jac[1][1] * e[0] - jac[0][1] * e[1]) / det;
      d[1] = -(-jac[1][0] * e[0] + jac[0][0] * e[1]) / det;
    } else {
      if (jac[1][1] == 0 || !std::isfinite(jac[1][1])) break;
      d[1] = -e[1] / jac[1][1];
    }
    const double grand = std::max(std::abs(d[0]), std::abs(d[1]));
    if (grand > PasAngleMax) d[0] *= PasAngleMax / grand, d[1] *= PasAngleMax / grand;
    // Halved while the offsets grow: far from the equilibrium the linear model overshoots.
    const double avant = norme(e);
    double xn[2] = {x[0], x[1]}, en[2] = {0, 0};
    for (int k = 0; k < 12; k++) {
      xn[0] = x[0] + d[0], xn[1] = x[1] + d[1];
      ecarts(xn[0], xn[1], en);
      if (coule || norme(en) < avant) break;
      d[0] /= 2, d[1] /= 2;
    }
    if (coule) break;
    const bool immobile = xn[0] == x[0] && xn[1] == x[1];
    x[0] = xn[0], x[1] = xn[1], e[0] = en[0], e[1] = en[1];
    if (immobile) break;
  }
  if (coule) {
    r.Erreur = rs("rsFlotteCoule");
    r.Converge = false;
    return r;
  }
  // The last trial is the one retained: place it again, it may have been a difference step.
  essai.Place(x[0], x[1], v0);
  if (!r.Converge && norme(e) <= tol) r.Converge = true;

  // The attitude as its reference point's waterline height.
  const TMatrice4& rot = essai.R;  // about (0, yref, 0)
  r.Attitude.Gite = x[0];
  r.Attitude.Assiette = x[1];
  r.Attitude.YRef = yref;
  r.Attitude.Tirant = essai.W / rot[2][2];  // along the model's Z through the pivot
  r.Placement = MatricePlacement(r.Attitude);
  const TMatrice4& m = r.Placement;
  const TMatrice4 inv = InverseRigide(m);

  // B back in the model's frame: the rotated frame and the floating one differ by a translation.
  TVertex3f bRot = essai.B;
  const TVertex3f pRot = Applique(rot, {0, 0, 0}), pFl = Applique(m, {0, 0, 0});
  r.BFlottant = {bRot.X - pRot.X + pFl.X, bRot.Y - pRot.Y + pFl.Y, bRot.Z - essai.W};
  r.GFlottant = Applique(m, g);
  r.Carene.Centre = Applique(inv, r.BFlottant);
  r.Carene.Valeur = essai.Volume * c.Densite * 1000;
  r.ResiduMasse = r.Carene.Valeur - masse;
  r.ResiduTransversal = r.BFlottant.X - r.GFlottant.X;
  r.ResiduLongitudinal = r.BFlottant.Y - r.GFlottant.Y;

  MesuresPlacement(doc, portee, m, yref, r);
  return r;
}

void MesuresPlacement(const TDocument& doc, const TListSurf& portee, const TMatrice4& m, double yref,
                      TResultatFlottaison& r) {
  // The ends of the waterline: where the grid lines cross it, back in the model's frame.
  r.ZQuille = ZQuille(doc, portee);
  double ya = std::numeric_limits<double>::infinity(), yf = -ya;
  PourGrilles(doc, portee, [&](const TEntity&, const TArrayVertex3f& gr) {
    auto croise = [&](const TVertex3f& p, const TVertex3f& q) {
      const double zp = ZPlace(m, p), zq = ZPlace(m, q);
      if ((zp < 0) == (zq < 0)) return;
      const double t = zp / (zp - zq);
      const double y = p.Y + t * (q.Y - p.Y);
      ya = std::min(ya, y), yf = std::max(yf, y);
    };
    for (size_t i = 0; i < gr.size(); i++)
      for (size_t j = 0; j < gr[i].size(); j++) {
        if (j + 1 < gr[i].size()) croise(gr[i][j], gr[i][j + 1]);
        if (i + 1 < gr.size() && j < gr[i + 1].size()) croise(gr[i][j], gr[i + 1][j]);
      }
  });
  if (ya > yf) ya = yf = yref;
  // The waterline's height above the model's Z = 0 on the centre plane at y.
  auto zEau = [&](double y) { return m[2][2] != 0 ? -(m[2][1] * y + m[2][3]) / m[2][2] : 0; };
  r.YArriere = ya, r.YAvant = yf;
  r.TirantArriere = zEau(ya) - r.ZQuille;
  r.TirantAvant = zEau(yf) - r.ZQuille;
  r.TirantMoyen = (r.TirantArriere + r.TirantAvant) / 2;
  r.AssietteMetres = r.TirantAvant - r.TirantArriere;

  for (const auto& p : doc.ListeReperesEnv) {
    const double z = ZPlace(m, {p.X, p.Y, p.Z});
    if (!r.AvecEnvahissement || z < r.FrancBordEnvahissement) {
      r.AvecEnvahissement = true;
      r.FrancBordEnvahissement = z;
      r.PointEnvahissement = p.Nom;
    }
  }
  // The deck edge: of the border lines standing out at the side (half the greatest
  // half-breadth or more: not a keel, a rudder or a deck's crown), the highest on average.
  {
    double demiLargeur = 0;
    PourGrilles(doc, portee, [&](const TEntity&, const TArrayVertex3f& gr) {
      for (const auto& l : gr)
        for (const auto& p : l) demiLargeur = std::max(demiLargeur, std::abs(p.X));
    });
    std::vector<TVertex3f> livet;
    std::vector<std::pair<double, std::vector<TVertex3f>>> candidats;
    double zLivet = -std::numeric_limits<double>::infinity();
    PourGrilles(doc, portee, [&](const TEntity&, const TArrayVertex3f& gr) {
      const size_t nl = gr.size(), nc = nl ? gr[0].size() : 0;
      if (nl < 2 || nc < 2) return;
      for (const auto& l : gr)
        if (l.size() != nc) return;
      std::vector<std::vector<TVertex3f>> bords{gr[0], gr[nl - 1], {}, {}};
      for (size_t i = 0; i < nl; i++) bords[2].push_back(gr[i][0]), bords[3].push_back(gr[i][nc - 1]);
      for (const auto& b : bords) {
        double xm = 0, z = 0;
        for (const auto& p : b) xm += std::abs(p.X), z += p.Z;
        xm /= static_cast<double>(b.size()), z /= static_cast<double>(b.size());
        if (xm >= demiLargeur / 2) candidats.push_back({z, b}), zLivet = std::max(zLivet, z);
      }
    });
    // Both sides: the mirror's line stands as high as the line it mirrors.
    for (const auto& [z, b] : candidats)
      if (z >= zLivet - 1e-9 * (1 + std::abs(zLivet))) livet.insert(livet.end(), b.begin(), b.end());
    for (const auto& p : livet) {
      const double z = ZPlace(m, p);
      if (!r.AvecLivet || z < r.FrancBordLivet) r.AvecLivet = true, r.FrancBordLivet = z;
    }
  }
}

std::vector<TLigneFlottaison> LignesFlottaison(const TResultatFlottaison& r, const TConditionFlottaison& c) {
  const TAttitude& a = r.Attitude;
  std::vector<TLigneFlottaison> l{
      {rs("rsFlotteMasse"), "mass", c.Poids.Valeur},
      {rs("rsFlotteCGx"), "cg_x", c.Poids.Centre.X},
      {rs("rsFlotteCGy"), "cg_y", c.Poids.Centre.Y},
      {rs("rsFlotteCGz"), "cg_z", c.Poids.Centre.Z},
      {rs("rsFlotteYRef"), "reference_y", a.YRef},
      {rs("rsFlotteTirantRef"), "reference_draft", a.Tirant},
      {rs("rsFlotteAssiette"), "trim_deg", a.Assiette},
      {rs("rsFlotteGite"), "heel_deg", a.Gite},
      {rs("rsFlotteYAR"), "aft_end_y", r.YArriere},
      {rs("rsFlotteYAV"), "forward_end_y", r.YAvant},
      {rs("rsFlotteTirantAR"), "draft_aft", r.TirantArriere},
      {rs("rsFlotteTirantAV"), "draft_forward", r.TirantAvant},
      {rs("rsFlotteTirantMoyen"), "draft_mean", r.TirantMoyen},
      {rs("rsFlotteAssietteM"), "trim_m", r.AssietteMetres},
  };
  if (r.AvecEnvahissement)
    l.push_back({Format(rs("rsFlotteFBEnv").c_str(), r.PointEnvahissement.c_str()), "freeboard_flooding",
                 r.FrancBordEnvahissement});
  if (r.AvecLivet) l.push_back({rs("rsFlotteFBLivet"), "freeboard_deck_edge", r.FrancBordLivet});
  l.push_back({rs("rsFlotteResMasse"), "residual_mass", r.ResiduMasse});
  l.push_back({rs("rsFlotteResLong"), "residual_longitudinal", r.ResiduLongitudinal});
  l.push_back({rs("rsFlotteResTrans"), "residual_transverse", r.ResiduTransversal});
  return l;
}

std::vector<TLigneFlottaison> LignesAttitude(const TAttitude& a) {
  return {{rs("rsFlotteTirantRef"), "draft", a.Tirant},
          {rs("rsFlotteAssiette"), "trim_deg", a.Assiette},
          {rs("rsFlotteGite"), "heel_deg", a.Gite},
          {rs("rsFlotteYRef"), "reference_y", a.YRef}};
}

std::vector<THydroLigne> LignesReferencesHydro(const TDocument& doc, const TListSurf& portee,
                                               const TAttitude* a, int nbSections) {
  const TAttitude att = a ? *a : TAttitude{};
  const TMatrice4 m = a ? MatricePlacement(att) : MatIdentite();
  TResultatFlottaison r;
  MesuresPlacement(doc, portee, m, att.YRef, r);
  const std::string groupe = rs("rsHydroRefTitre");
  std::vector<THydroLigne> l{{groupe, 0, true, groupe, ""}};
  auto ligne = [&](const std::string& lib, double v) { l.push_back({lib, v, false, groupe, ""}); };
  auto texte = [&](const std::string& lib, const std::string& t) { l.push_back({lib, 0, false, groupe, t}); };
  texte(rs("rsHydroRefFlottaison"),
        a ? Format(rs("rsHydroRefFlottaisonPlacee").c_str(), TexteReel(att.YRef, 4).c_str())
          : rs("rsHydroRefFlottaisonModele"));
  ligne(rs("rsHydroRefK"), r.ZQuille);
  ligne(rs("rsHydroRefTirantMoyen"), r.TirantMoyen);
  ligne(Format(rs("rsHydroRefTirantAR").c_str(), TexteReel(r.YArriere, 4).c_str()), r.TirantArriere);
  ligne(Format(rs("rsHydroRefTirantAV").c_str(), TexteReel(r.YAvant, 4).c_str()), r.TirantAvant);
  ligne(rs("rsHydroRefAssiette"), att.Assiette);
  ligne(rs("rsHydroRefAssietteM"), r.AssietteMetres);
  ligne(rs("rsHydroRefGite"), att.Gite);
  // The least height of the hull's top above the water over the waterline's length: at each of
  // 41 stations the highest crossing of the grids' edges with the station's plane.
  {
    double fb = std::numeric_limits<double>::infinity();
    for (int k = 0; k <= 40 && r.YAvant > r.YArriere; k++) {
      const double y = r.YArriere + (r.YAvant - r.YArriere) * (k + 0.5) / 41;
      double haut = -std::numeric_limits<double>::infinity();
      PourGrilles(doc, portee, [&](const TEntity&, const TArrayVertex3f& gr) {
        auto croise = [&](const TVertex3f& p, const TVertex3f& q) {
          if ((p.Y < y) == (q.Y < y) || p.Y == q.Y) return;
          const double t = (y - p.Y) / (q.Y - p.Y);
          const TVertex3f c{p.X + t * (q.X - p.X), y, p.Z + t * (q.Z - p.Z)};
          haut = std::max(haut, ZPlace(m, c));
        };
        for (size_t i = 0; i < gr.size(); i++)
          for (size_t j = 0; j < gr[i].size(); j++) {
            if (j + 1 < gr[i].size()) croise(gr[i][j], gr[i][j + 1]);
            if (i + 1 < gr.size() && j < gr[i + 1].size()) croise(gr[i][j], gr[i + 1][j]);
          }
      });
      if (std::isfinite(haut)) fb = std::min(fb, haut);
    }
    if (std::isfinite(fb)) ligne(rs("rsHydroRefFBLivet"), fb);
  }
  if (r.AvecEnvahissement)
    ligne(Format(rs("rsFlotteFBEnv").c_str(), r.PointEnvahissement.c_str()), r.FrancBordEnvahissement);
  ligne(rs("rsHydroRefDensiteMer"), DensiteEauMer);
  ligne(rs("rsHydroRefDensiteDouce"), 1.0);
  std::string noms;
  for (int k : portee) {
    if (k < 0 || k >= doc.NbSurf()) continue;
    const TEntity& e = doc.Surf(k);
    if (!noms.empty()) noms += ", ";
    noms += e.Nom + " (" + rs(e.Sym ? "rsHydroRefDeuxBords" : "rsHydroRefUnBord") + ")";
  }
  texte(rs("rsHydroRefPortee"), noms.empty() ? rs("rsCritEnvAucun") : noms);
  texte(rs("rsHydroRefPrecision"), std::to_string(doc.Precision));
  texte(rs("rsHydroRefCouples"), std::to_string(std::clamp(nbSections, MinSectionsHydro, MaxSectionsHydro)));
  return l;
}

TListSurf CareneSansAppendices(const TDocument& doc, const TListSurf& portee) {
  std::vector<double> longueurs;
  double lMax = 0;
  for (int k : portee) {
    double lo = std::numeric_limits<double>::infinity(), hi = -lo;
    if (k >= 0 && k < doc.NbSurf())
      for (const auto& row : doc.Surf(k).Pts)
        for (const auto& p : row) lo = std::min(lo, p.Y), hi = std::max(hi, p.Y);
    longueurs.push_back(hi >= lo ? hi - lo : 0);
    lMax = std::max(lMax, longueurs.back());
  }
  TListSurf c;
  for (size_t i = 0; i < portee.size(); i++)
    if (longueurs[i] > 0 && longueurs[i] >= lMax / 2) c.push_back(portee[i]);
  return c;
}

std::vector<THydroLigne> LignesCareneSeule(TDocument& doc, const TListSurf& portee, const TAttitude* a,
                                           int nbSections) {
  const std::string groupe = rs("rsHydroCareneTitre");
  std::vector<THydroLigne> l{{groupe, 0, true, groupe, ""}};
  const TListSurf c = CareneSansAppendices(doc, portee);
  std::string noms;
  for (int k : c) noms += (noms.empty() ? "" : ", ") + doc.Surf(k).Nom;
  l.push_back({rs("rsHydroCareneSurfaces"), 0, false, groupe, noms.empty() ? rs("rsCritEnvAucun") : noms});
  if (c.size() == portee.size()) {
    l.push_back({rs("rsHydroCareneSans"), 0, false, groupe, rs("rsHydroCareneMemes")});
    return l;
  }
  const TResultatsHydro h =
      a ? HydroAttitude(doc, c, *a, nbSections) : CalcHydrostatiques(doc, c, nbSections);
  if (!h.SansResultat.empty()) {
    l.push_back({rs("rsHydroCareneSans"), 0, false, groupe, h.SansResultat});
    return l;
  }
  for (const char* cle : {"rsVolumeIm", "rsCoeffPrismatique", "rsCoeffBloc", "rsCoeffFlottaison",
                          "rsCoeffMaitreCouple", "rsCoeffVolumique", "rsCoeffFinesseGlobal"})
    for (const THydroLigne& x : h.Lignes)
      if (!x.Titre && x.Libelle == rs(cle)) {
        l.push_back({x.Libelle, x.Valeur, false, groupe, ""});
        break;
      }
  return l;
}
