// Hydrostatic particulars: stations, sections and waterplanes cut from the
// evaluated grids, facet integrals for volume and wetted area.
#include "naval/Hydrostat.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/Chaines.h"
#include "base/Debug.h"
#include "lines/Coupes.h"
#include "model/EnteteRapport.h"
#include "naval/Face.h"
#include "naval/Parallele.h"

namespace {

// Sums areas and girths; the centre is area-weighted in X and Z (sections) or in
// X and Y (waterplanes, whose Z is then the last one's); 0 for a zero area.
TAireRec Combine(const TAireRec& a, const TAireRec& b, bool plan = false) {
  TAireRec r = a;
  r.Aire = a.Aire + b.Aire;
  r.Perimetre = a.Perimetre + b.Perimetre;
  auto moyenne = [&](float u, float v) {
    return r.Aire != 0 ? static_cast<float>((u * a.Aire + v * b.Aire) / r.Aire) : 0.f;
  };
  r.X = moyenne(a.X, b.X);
  if (plan) {
    r.Y = moyenne(a.Y, b.Y);
    r.Z = b.Z;
  } else {
    r.Z = moyenne(a.Z, b.Z);
  }
  return r;
}

// Feeds the consecutive segments of n points to f; a segment whose ends lie strictly
// on opposite sides of W is split at its crossing (Z = W). Nothing is copied.
template <typename Point, typename F>
void PourSegments(size_t n, Point&& point, float w, F&& f) {
  for (size_t k = 0; k + 1 < n; k++) {
    const TVertex3f a = point(k), b = point(k + 1);
    if ((a.Z < w && b.Z > w) || (a.Z > w && b.Z < w)) {
      TVertex3f c{0, 0, w};
      CalcPtDroite(a, b, c, 3);
      f(a, c);
      f(c, b);
    } else {
      f(a, b);
    }
  }
}

// The shoelace sums of a section over its segments at or below W, and their length.
struct TSommesSection {
  explicit TSommesSection(float w) : W(w) {}
  float W;
  double S = 0, Sx = 0, Sz = 0, L = 0;
  void operator()(const TVertex3f& a, const TVertex3f& b) {
    if (a.Z <= W && b.Z <= W) {
      double e = a.X * b.Z - a.Z * b.X;
      S += e;
      Sx += (a.X + b.X) * e;
      Sz += (a.Z + b.Z) * e;
      L += Distance3D(a, b);
    }
  }
  TAireRec Rec() const {
    TAireRec r;
    r.X = S != 0 ? static_cast<float>(Sx / (3 * S)) : 0;
    r.Z = S != 0 ? static_cast<float>(Sz / (3 * S)) : 0;
    r.Aire = std::abs(S) / 2;
    return r;
  }
};

}  // namespace

void InsereStation(TListAires& l, const TAireRec& a) {
  auto it = l.begin();
  for (; it != l.end(); ++it) {
    if (it->Y == a.Y) return;
    if (it->Y > a.Y) break;
  }
  l.insert(it, a);
}

namespace {

// The stations of a surface whose crossings with the waterline Z = 0 are l.
std::vector<TAireRec> StationsFlottaison(const TEntity& e, const TListPt3D& l, int n) {
  n = std::clamp(n, MinSectionsHydro, MaxSectionsHydro);
  std::vector<TAireRec> r;
  double ymin = 10000, ymax = -10000;
  for (const auto& p : l) ymin = std::min(ymin, p.Y), ymax = std::max(ymax, p.Y);
  auto sous = [&](const TArrayVertex3f& g) {
    for (const auto& row : g)
      for (const auto& p : row)
        if (p.Z < 0) ymin = std::min(ymin, p.Y), ymax = std::max(ymax, p.Y);
  };
  sous(e.Pts);
  if (e.Sym) sous(e.PtsSym);
  if (ymin == 10000) ymin = 0;
  if (ymax == -10000) ymax = 0;
  for (int k = 0; k < n; k++) {
    TAireRec a;
    a.Y = static_cast<float>(ymin + k * (ymax - ymin) / (n - 1));
    r.push_back(a);
  }
  return r;
}

}  // namespace

std::vector<TAireRec> StationsSurface(const TDocument& doc, int numSurf, int n) {
  TRACE("Hydrostat.StationsSurface");
  if (numSurf < 0 || numSurf >= doc.NbSurf()) return {};
  TListPt3D l;
  InterSurf_LE(l, doc, numSurf, 0);
  return StationsFlottaison(doc.Surf(numSurf), l, n);
}

TAireRec AireSec(const TCoupe& c, double wd) {
  TSommesSection t(static_cast<float>(wd));
  float y = 0;
  for (const auto& p : c) {
    PourSegments(
        p.size(), [&](size_t k) { return p[k].V(); }, t.W, t);
    if (!p.empty()) y = static_cast<float>(p.back().Y);
  }
  TAireRec r = t.Rec();
  r.Y = y;
  return r;
}

double PerimetreSec(const TCoupe& c, double wd) {
  TSommesSection t(static_cast<float>(wd));
  for (const auto& p : c)
    PourSegments(
        p.size(), [&](size_t k) { return p[k].V(); }, t.W, t);
  return t.L;
}

double ProfondeurSec(const TCoupe& c) {
  double z = 0;
  for (const auto& poly : c)
    if (poly.size() >= 2)
      for (const auto& p : poly) z = std::min(z, p.Z);
  return z;
}

TAireRec AireLE(const TCoupe& c) {
  double s = 0, sx = 0, sy = 0;
  TAireRec r;
  for (const auto& p : c) {
    for (size_t k = 0; k + 1 < p.size(); k++) {
      const TPt3D &a = p[k], &b = p[k + 1];
      double e = a.X * b.Y - a.Y * b.X;
      s += e;
      sx += (a.X + b.X) * e;
      sy += (a.Y + b.Y) * e;
    }
    if (!p.empty()) r.Z = static_cast<float>(p.back().Z);
  }
  r.X = s != 0 ? static_cast<float>(sx / (3 * s)) : 0;
  r.Y = s != 0 ? static_cast<float>(sy / (3 * s)) : 0;
  r.Aire = std::abs(s) / 2;
  return r;
}

double PerimetreCoupe(const TCoupe& c) {
  double l = 0;
  for (const auto& p : c)
    for (size_t k = 0; k + 1 < p.size(); k++) l += Distance3D(p[k].V(), p[k + 1].V());
  return l;
}

void FermeParPlanSym(TCoupe& c, const TEntity& e) {
  const TPlan plan = e.PlanSym.Plan();
  auto proj = [&](const TPt3D& p) {
    TVertex3f q;
    CalcProjeteNY(p.V(), plan, q);
    return TPt3D(q);
  };
  for (auto& p : c) {
    if (p.empty()) continue;
    if (e.Sym) {
      TPt3D debut = proj(p.front()), fin = proj(p.back());
      p.insert(p.begin(), debut);
      p.push_back(fin);
    }
    p.push_back(proj(p.front()));
  }
}

namespace {

// The half section of one cut: girth measured as cut, area of each polyline closed
// through the symmetry plane as FermeParPlanSym closes it, without building the copy.
TAireRec SectionDeCoupe(const TEntity& e, const TCoupe& c, double y, double& prof) {
  prof = std::min(prof, ProfondeurSec(c));
  const TPlan plan = e.PlanSym.Plan();
  auto proj = [&](const TVertex3f& p) {
    TVertex3f q;
    CalcProjeteNY(p, plan, q);
    return q;
  };
  TSommesSection girth(0), aire(0);
  for (const auto& p : c) {
    if (p.empty()) continue;
    PourSegments(
        p.size(), [&](size_t k) { return p[k].V(); }, 0.f, girth);
    // [projected first] + polyline + [projected last] + [projection of the new first].
    const size_t debut = e.Sym ? 1 : 0, n = p.size() + (e.Sym ? 3 : 1);
    const TVertex3f premier = e.Sym ? proj(p.front().V()) : p.front().V();
    const TVertex3f dernier = proj(p.back().V()), retour = proj(premier);
    auto point = [&](size_t k) -> TVertex3f {
      if (e.Sym && k == 0) return premier;
      if (k - debut < p.size()) return p[k - debut].V();
      if (e.Sym && k == debut + p.size()) return dernier;
      return retour;
    };
    PourSegments(n, point, 0.f, aire);
  }
  TAireRec a = aire.Rec();
  a.Perimetre = girth.L;
  a.Y = static_cast<float>(y);
  return a;
}

TAireRec SectionGrille(const TEntity& e, const TArrayVertex3f& g, double y, double& prof) {
  TCoupe c;
  if (g.empty() || g[0].empty()) return {};
  CalcSecMesh(g, static_cast<int>(g.size()) - 1, static_cast<int>(g[0].size()) - 1, c, y);
  return SectionDeCoupe(e, c, y, prof);
}

// Whether the mirror grid is the main one's exact image in the plane x = 0 (rows in
// reverse order): its cuts are then the main half's turned over, and its sections
// follow from the main half's without cutting it again.
bool MiroirDeduit(const TEntity& e) {
  const TPlan pl = e.PlanSym.Plan();
  if (!e.Sym || pl.A != 1 || pl.B != 0 || pl.C != 0 || pl.D != 0) return false;
  const TArrayVertex3f &g = e.Pts, &s = e.PtsSym;
  const size_t n = g.size();
  if (s.size() != n) return false;
  for (size_t i = 0; i < n; i++) {
    const auto &r = g[i], &q = s[n - 1 - i];
    if (q.size() != r.size()) return false;
    for (size_t j = 0; j < r.size(); j++)
      if (!(q[j].X == -r[j].X && q[j].Y == r[j].Y && q[j].Z == r[j].Z)) return false;
  }
  return true;
}

}  // namespace

void SectionsStations(const TEntity& e, const std::vector<double>& ys, TAireRec* r, double* profondeurs,
                      bool deduireMiroir) {
  std::vector<TCoupe> principal, miroir;
  auto coupe = [&](const TArrayVertex3f& g, std::vector<TCoupe>& c) {
    c.assign(ys.size(), {});
    if (g.empty() || g[0].empty()) return;
    CalcFamilleParallele(g, static_cast<int>(g.size()) - 1, static_cast<int>(g[0].size()) - 1, apY, ys, c);
  };
  const bool deduit = deduireMiroir && MiroirDeduit(e);
  coupe(e.Pts, principal);
  if (e.Sym && !deduit) coupe(e.PtsSym, miroir);
  for (size_t k = 0; k < ys.size(); k++) {
    double prof = 0;
    TAireRec a = SectionDeCoupe(e, principal[k], ys[k], prof);
    if (deduit) {
      TAireRec b = a;
      b.X = -a.X;
      a = Combine(a, b);
    } else if (e.Sym) {
      double profSym = 0;
      a = Combine(a, SectionDeCoupe(e, miroir[k], ys[k], profSym));
      prof = std::min(prof, profSym);
    }
    a.Y = static_cast<float>(ys[k]);
    r[k] = a;
    if (profondeurs) profondeurs[k] = prof;
  }
}

namespace {

struct TMomentsPlan;
void AjouteMoments(TMomentsPlan* m, const TCoupe& c);

// One cut serves the waterplane and, when asked, its second moments.
TAireRec FlottaisonGrille(const TEntity& e, const TArrayVertex3f& g, double z, TMomentsPlan* m = nullptr) {
  TCoupe c;
  if (g.empty() || g[0].empty()) return {};
  CalcLEMesh(g, static_cast<int>(g.size()) - 1, static_cast<int>(g[0].size()) - 1, c, z);
  double per = PerimetreCoupe(c);
  FermeParPlanSym(c, e);
  if (m) AjouteMoments(m, c);
  TAireRec a = AireLE(c);
  a.Perimetre = per;
  a.Z = static_cast<float>(z);
  return a;
}

// The signed integrals of 1, x, y, x², y² over a cut closed through the symmetry plane.
struct TMomentsPlan {
  double A = 0, Ax = 0, Ay = 0, Axx = 0, Ayy = 0;
  void Ajoute(const TCoupe& c) {
    double s = 0, sx = 0, sy = 0, sxx = 0, syy = 0;
    for (const auto& p : c)
      for (size_t k = 0; k + 1 < p.size(); k++) {
        const double x1 = p[k].X, y1 = p[k].Y, x2 = p[k + 1].X, y2 = p[k + 1].Y;
        const double e = x1 * y2 - y1 * x2;
        s += e, sx += (x1 + x2) * e, sy += (y1 + y2) * e;
        sxx += (x1 * x1 + x1 * x2 + x2 * x2) * e, syy += (y1 * y1 + y1 * y2 + y2 * y2) * e;
      }
    // The area counts without sign, as AireLE gives it: the moments follow its sign.
    const double sg = s < 0 ? -1 : 1;
    A += sg * s / 2, Ax += sg * sx / 6, Ay += sg * sy / 6, Axx += sg * sxx / 12, Ayy += sg * syy / 12;
  }
};

void AjouteMoments(TMomentsPlan* m, const TCoupe& c) { m->Ajoute(c); }

TInertieFlottaison Inertie(const TMomentsPlan& m) {
  TInertieFlottaison r;
  r.Aire = m.A;
  if (m.A <= 0) return r;
  r.Xf = m.Ax / m.A, r.Yf = m.Ay / m.A;
  r.It = m.Axx - m.A * r.Xf * r.Xf;
  r.Il = m.Ayy - m.A * r.Yf * r.Yf;
  return r;
}

// Waterplanes add like sections, their centre weighted in X and Y; Z is the last one's.
TAireRec CombineXY(const TAireRec& a, const TAireRec& b) { return Combine(a, b, true); }

}  // namespace

TAireRec SectionSurface(const TEntity& e, double y, double* profondeur) {
  double prof = 0;
  TAireRec a = SectionGrille(e, e.Pts, y, prof);
  if (e.Sym) {
    double profSym = 0;
    TAireRec b = SectionGrille(e, e.PtsSym, y, profSym);
    prof = std::min(prof, profSym);
    a = Combine(a, b);
  }
  a.Y = static_cast<float>(y);
  if (profondeur) *profondeur = prof;
  return a;
}

namespace {
TAireRec FlottaisonSurfaceMoments(const TEntity& e, double z, TMomentsPlan* m) {
  TAireRec a = FlottaisonGrille(e, e.Pts, z, m);
  if (e.Sym) a = CombineXY(a, FlottaisonGrille(e, e.PtsSym, z, m));
  a.Z = static_cast<float>(z);
  return a;
}
}  // namespace

TAireRec FlottaisonSurface(const TEntity& e, double z) { return FlottaisonSurfaceMoments(e, z, nullptr); }

namespace {
// The first scope surface's record, each further one combined into it.
template <typename F>
TAireRec CombineListe(const TDocument& doc, const TListSurf& l, bool plan, F&& deSurface) {
  TAireRec r;
  bool premier = true;
  for (int k : l) {
    if (k < 0 || k >= doc.NbSurf()) continue;
    TAireRec a = deSurface(doc.Surf(k));
    r = premier ? a : Combine(r, a, plan);
    premier = false;
  }
  return r;
}
}  // namespace

TAireRec SectionListe(const TDocument& doc, const TListSurf& l, double y) {
  TRACE("Hydrostat.SectionListe");
  TAireRec r = CombineListe(doc, l, false, [&](const TEntity& e) { return SectionSurface(e, y); });
  r.Y = static_cast<float>(y);
  return r;
}

TAireRec FlottaisonListe(const TDocument& doc, const TListSurf& l, double z) {
  TRACE("Hydrostat.FlottaisonListe");
  TAireRec r = CombineListe(doc, l, true, [&](const TEntity& e) { return FlottaisonSurface(e, z); });
  r.Z = static_cast<float>(z);
  return r;
}

namespace {
// The waterplane of the list and its second moments, from one cut per grid.
TAireRec FlottaisonInertie(const TDocument& doc, const TListSurf& l, double z, TInertieFlottaison& in) {
  TMomentsPlan m;
  TAireRec r =
      CombineListe(doc, l, true, [&](const TEntity& e) { return FlottaisonSurfaceMoments(e, z, &m); });
  r.Z = static_cast<float>(z);
  in = Inertie(m);
  return r;
}
}  // namespace

TInertieFlottaison InertieFlottaison(const TDocument& doc, const TListSurf& l, double z) {
  TRACE("Hydrostat.InertieFlottaison");
  TInertieFlottaison in;
  FlottaisonInertie(doc, l, z, in);
  return in;
}

double ZQuille(const TDocument& doc, const TListSurf& l) {
  TRACE("Hydrostat.ZQuille");
  double z = std::numeric_limits<double>::infinity();
  auto parcourt = [&](const TArrayVertex3f& g) {
    for (const auto& r : g)
      for (const auto& p : r) z = std::min(z, p.Z);
  };
  for (int k : l) {
    if (k < 0 || k >= doc.NbSurf()) continue;
    parcourt(doc.Surf(k).Pts);
    if (doc.Surf(k).Sym) parcourt(doc.Surf(k).PtsSym);
  }
  return std::isfinite(z) ? z : 0;
}

TListSurf PorteeCalc(const TDocument& doc) {
  TRACE("ObjCom.PorteeCalc");
  TListSurf l;
  for (int k = 0; k < doc.NbSurf(); k++)
    if (doc.Surf(k).Calc) l.push_back(k);
  return l;
}

namespace {

struct TEtendues {
  double LwlMin = 10000, LwlMax = -10000, BwlMin = 10000, BwlMax = -10000;
  double LMin = 10000, LMax = -10000, LtMin = 10000, LtMax = -10000;
};

double Etendue1(double mini, double maxi) { return maxi >= mini ? maxi - mini : 0; }

class TGrilleHydro {
 public:
  explicit TGrilleHydro(TResultatsHydro& r) : R(r) {}
  void Titre(const char* cle) {
    Groupe = rs(cle);
    R.Lignes.push_back({Groupe, 0, true, Groupe, ""});
  }
  void Ligne(const char* cle, double v) { R.Lignes.push_back({rs(cle), v, false, Groupe, ""}); }

 private:
  TResultatsHydro& R;
  std::string Groupe;
};

double Div(double a, double b) { return b != 0 ? a / b : 0; }

bool Rectangulaire(const TArrayVertex3f& g, size_t nc) {
  for (const auto& r : g)
    if (r.size() != nc) return false;
  return true;
}

// The immersed part of one surface's full facet list (grid, mirror, closing strips),
// integrated facet by facet as it is cut instead of being stored.
void CumuleImmerge(const TEntity& e, TCumulCarene& c) {
  const TArrayVertex3f &g = e.Pts, &s = e.PtsSym;
  const size_t nl = g.size(), nc = nl ? g[0].size() : 0;
  const bool sym = e.Sym && !s.empty();
  if (!Rectangulaire(g, nc) || (sym && (s.size() != nl || !Rectangulaire(s, nc)))) {
    TListFace l;  // an irregular grid takes the general path
    BuildFaceListFull(e, l, 0);
    for (const auto& f : l.F) c.Ajoute(f.P1, f.P2, f.P3, 0);
    return;
  }
  auto pt = [&](const TRefPt& r) -> const TVertex3f& { return (r.Sym ? s : g)[r.Ln][r.Col]; };
  PourFacettesCorps(
      static_cast<int>(nl), static_cast<int>(nc), sym, e.Orientation ? 1 : 0, e.JonctionSym,
      [&](const TRefPt& a, const TRefPt& b, const TRefPt& d) { c.AjouteSous(pt(a), pt(b), pt(d), 0); });
}

}  // namespace

namespace {

// The faults of one surface, given its immersed integrals.
void ControleSurface(const TEntity& e, const TCumulCarene& c, std::vector<std::string>& r) {
  // Rounding alone leaves a volume of the order of 1e-16 of the body's: not a reversal.
  if (c.Vol < 0 && -c.Vol > 1e-12 * (1 + c.Aire * std::sqrt(c.Aire)))
    r.push_back(Format(rs("rsCareneRetournee").c_str(), e.Nom.c_str(), c.Vol));
  if (e.JonctionSym && !e.Sym) r.push_back(Format(rs("rsCareneOuverte").c_str(), e.Nom.c_str()));
}

}  // namespace

std::vector<std::string> ControleCarene(const TDocument& doc, const TListSurf& l) {
  TRACE("Hydrostat.ControleCarene");
  std::vector<std::string> r;
  for (int k : l) {
    if (k < 0 || k >= doc.NbSurf()) continue;
    TCumulCarene c;
    CumuleImmerge(doc.Surf(k), c);
    ControleSurface(doc.Surf(k), c, r);
  }
  return r;
}

std::string DefautPoidsSommets(const TDocument& doc, const TListSurf& l) {
  for (int k : l) {
    if (k < 0 || k >= doc.NbSurf() || !doc.Surf(k).EstNurbs()) continue;
    const auto& s = static_cast<const TSurface&>(doc.Surf(k));
    const int nl = std::clamp(s.Net.NbLn, 0, MaxNet), nc = std::clamp(s.Net.NbCol, 0, MaxNet);
    for (int i = 0; i < nl; i++)
      for (int j = 0; j < nc; j++)
        if (!(s.Net.PC[i][j].W > 0) || !std::isfinite(s.Net.PC[i][j].W))
          return Format(rs("rsHydroPoidsSommets").c_str(), s.Nom.c_str(), i, j,
                        FormatC("%g", s.Net.PC[i][j].W).c_str());
  }
  return {};
}

namespace {

// The lateral area of a grid's part below the waterline, projected on the centre plane.
struct TCumulLateral {
  double A = 0, Sy = 0, Sz = 0;
  void Ajoute(const TVertex3f& p1, const TVertex3f& p2, const TVertex3f& p3) {
    double a = std::abs((p1.Y - p2.Y) * (p3.Z - p2.Z) - (p1.Z - p2.Z) * (p3.Y - p2.Y)) / 2;
    A += a;
    Sy += a * (p1.Y + p2.Y + p3.Y) / 3;
    Sz += a * (p1.Z + p2.Z + p3.Z) / 3;
  }
  void AjouteSous(TVertex3f a, TVertex3f b, TVertex3f c) {
    // A facet wholly on one side is what GetTriUnderDWL would return unchanged.
    if (a.Z >= 0 && b.Z >= 0 && c.Z >= 0) return;
    if (a.Z <= 0 && b.Z <= 0 && c.Z <= 0) return Ajoute(a, b, c);
    TVertex3f d, e, f;
    int n = GetTriUnderDWL(a, b, c, 0, d, e, f);
    if (n >= 1) Ajoute(a, b, c);
    if (n == 2) Ajoute(d, e, f);
  }
  void Grille(const TArrayVertex3f& g) {
    for (size_t i = 0; i + 1 < g.size(); i++) {
      const size_t m = std::min(g[i].size(), g[i + 1].size());
      for (size_t j = 0; j + 1 < m; j++) {
        AjouteSous(g[i][j], g[i][j + 1], g[i + 1][j]);
        AjouteSous(g[i][j + 1], g[i + 1][j + 1], g[i + 1][j]);
      }
    }
  }
};

}  // namespace

namespace {

// The evaluation samples a surface's edges a hair inside its parameter domain, so an edge
// modelled on the waterline comes out just below it (a millionth of the parameter range,
// times a derivative of at most the order times the surface's size): the cut at Z = 0
// would miss it. Points that near the plane are put on it.
double BandeFlottaison(const TEntity& e) {
  double mn[3] = {HUGE_VAL, HUGE_VAL, HUGE_VAL}, mx[3] = {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
  for (const auto& l : e.Pts)
    for (const auto& p : l) {
      const double v[3] = {p.X, p.Y, p.Z};
      for (int a = 0; a < 3; a++) mn[a] = std::min(mn[a], v[a]), mx[a] = std::max(mx[a], v[a]);
    }
  double t = 0;
  for (int a = 0; a < 3; a++)
    if (mx[a] >= mn[a]) t = std::max(t, mx[a] - mn[a]);
  return 1e-5 * t;
}

bool PresDeFlottaison(const TArrayVertex3f& g, double bande) {
  for (const auto& l : g)
    for (const auto& p : l)
      if (p.Z != 0 && std::abs(p.Z) <= bande) return true;
  return false;
}

void SurFlottaison(TArrayVertex3f& g, double bande) {
  for (auto& l : g)
    for (auto& p : l)
      if (std::abs(p.Z) <= bande) p.Z = 0;
}

}  // namespace

TResultatsHydro CalcHydrostatiques(TDocument& doc, const TListSurf& portee, int nbSections,
                                   const std::function<void(int, int)>& progres, const TBarycentre* poids) {
  TRACE("THydrostatForm.RunCalcHydroLstSurf");
  TRACE("THydrostatForm.BtnCalculerClick");
  // Computed on a copy whose points at the waterline's edge lie on it, when there are any.
  bool pres = false;
  for (int k : portee)
    if (k >= 0 && k < doc.NbSurf()) {
      const TEntity& e = doc.Surf(k);
      const double b = BandeFlottaison(e);
      pres = pres || PresDeFlottaison(e.Pts, b) || (e.Sym && PresDeFlottaison(e.PtsSym, b));
    }
  if (pres) {
    TDocument copie;
    copie.TabSurf.clear();
    copie.Precision = doc.Precision;
    TListSurf tout;
    for (int k : portee) {
      if (k < 0 || k >= doc.NbSurf()) continue;
      std::unique_ptr<TEntity> e = doc.Surf(k).Clone();
      const double b = BandeFlottaison(*e);
      SurFlottaison(e->Pts, b);
      SurFlottaison(e->PtsSym, b);
      e->NumSurf = copie.NbSurf();
      tout.push_back(copie.NbSurf());
      copie.TabSurf.push_back(std::move(e));
    }
    return CalcHydrostatiques(copie, tout, nbSections, progres, poids);
  }
  TResultatsHydro r;
  nbSections = std::clamp(nbSections, MinSectionsHydro, MaxSectionsHydro);
  TListSurf scope;
  for (int k : portee)
    if (k >= 0 && k < doc.NbSurf()) scope.push_back(k);
  r.SansResultat = DefautPoidsSommets(doc, scope);
  if (!r.SansResultat.empty()) {
    r.Avertissements.push_back(r.SansResultat);
    return r;
  }
  const int ns = static_cast<int>(scope.size());
  // What does not depend on the stations, on the cores at once: each surface's immersed
  // body (surface by surface, so that the same sums tell which one is turned inside out;
  // added in scope order below), the two waterplanes, and each surface's crossings with
  // the waterline, for its stations and the lengths. The largest pieces first.
  std::vector<TCumulCarene> cumuls(scope.size());
  std::vector<TListPt3D> flottaisons(scope.size());
  std::vector<std::vector<TAireRec>> stationsSurf(scope.size());
  std::vector<TEtendues> etendues(scope.size());  // of the grids: immersed and whole lengths
  TInertieFlottaison in;
  TAireRec wp0, wp1;
  TCumulLateral cl;
  double zK = 0;
  EnParallele(0, 2 * ns + 3, [&](int p) {
    if (p < ns) {
      CumuleImmerge(doc.Surf(scope[p]), cumuls[p]);
    } else if (p == ns) {
      wp0 = FlottaisonInertie(doc, scope, 0, in);
    } else if (p == ns + 1) {
      wp1 = FlottaisonListe(doc, scope, 0.01);
    } else if (p == ns + 2) {
      // Summed in scope order, as one piece.
      for (int k : scope) cl.Grille(doc.Surf(k).Pts);
      zK = ZQuille(doc, scope);
    } else {
      const int s = p - ns - 3;
      const TEntity& e = doc.Surf(scope[s]);
      InterSurf_LE(flottaisons[s], doc, scope[s], 0);
      stationsSurf[s] = StationsFlottaison(e, flottaisons[s], nbSections);
      TEtendues& et = etendues[s];
      auto parcourt = [&](const TArrayVertex3f& g, bool total) {
        for (const auto& row : g)
          for (const auto& q : row) {
            if (q.Z < 0) et.LMin = std::min(et.LMin, q.Y), et.LMax = std::max(et.LMax, q.Y);
            if (total) et.LtMin = std::min(et.LtMin, q.Y), et.LtMax = std::max(et.LtMax, q.Y);
          }
      };
      parcourt(e.Pts, true);
      if (e.Sym) parcourt(e.PtsSym, false);
    }
  });
  // Stations of every surface, merged.
  TListAires& st = r.Stations;
  for (int s = 0; s < ns; s++)
    for (const auto& a : stationsSurf[s]) InsereStation(st, a);
  const int n = static_cast<int>(st.size());
  std::vector<double> ys(st.size());
  for (int i = 0; i < n; i++) ys[i] = st[i].Y;
  std::vector<double> profondeurs(st.size(), 0.0);
  // The surfaces are cut independently, on the cores at once; they combine in scope order.
  std::vector<std::vector<TAireRec>> secs(scope.size());
  std::vector<std::vector<double>> profs(scope.size(), std::vector<double>(st.size(), 0.0));
  // Each surface's stations in two halves, the pieces shared between the cores: every
  // plane is cut on its own, so the split changes no crossing and no sum.
  const int moities = n >= 2 ? 2 : 1;
  for (auto& sec : secs) sec.resize(st.size());
  EnParallele(0, ns * moities, [&](int t) {
    const int s = t / moities, h = t % moities;
    const size_t debut = static_cast<size_t>(n) * h / moities,
                 fin = static_cast<size_t>(n) * (h + 1) / moities;
    const std::vector<double> part(ys.begin() + static_cast<std::ptrdiff_t>(debut),
                                   ys.begin() + static_cast<std::ptrdiff_t>(fin));
    SectionsStations(doc.Surf(scope[s]), part, secs[s].data() + debut, profs[s].data() + debut, true);
  });
  for (int s = 0; s < ns; s++) {
    const std::vector<TAireRec>& sec = secs[s];
    for (int i = 0; i < n; i++) {
      st[i] = s == 0 ? sec[i] : Combine(st[i], sec[i]);
      st[i].Y = static_cast<float>(ys[i]);
      profondeurs[i] = std::min(profondeurs[i], profs[s][i]);
    }
    if (progres) progres(s + 1, ns);
  }

  // Immersed body.
  TCumulCarene cumul;
  for (int s = 0; s < ns; s++) {
    const TCumulCarene& c = cumuls[s];
    ControleSurface(doc.Surf(scope[s]), c, r.Avertissements);
    cumul.Vol += c.Vol, cumul.Mx += c.Mx, cumul.My += c.My, cumul.Mz += c.Mz, cumul.Aire += c.Aire;
  }
  TBarycentre cc;
  cumul.Barycentre(cc, 1);
  const double V = cc.Valeur;
  const double surfMouillee = cumul.Aire;
  TCentreAire lat;
  lat.Aire = cl.A;
  lat.Y = cl.A != 0 ? static_cast<float>(cl.Sy / cl.A) : 0;
  lat.Z = cl.A != 0 ? static_cast<float>(cl.Sz / cl.A) : 0;

  // Lengths. Minima and maxima, whatever their order (a not-a-number is never kept).
  TEtendues e;
  for (size_t i = 0; i < scope.size(); i++) {
    for (const auto& p : flottaisons[i]) {
      e.LwlMin = std::min(e.LwlMin, p.Y), e.LwlMax = std::max(e.LwlMax, p.Y);
      e.BwlMin = std::min(e.BwlMin, p.X), e.BwlMax = std::max(e.BwlMax, p.X);
      e.LMin = std::min(e.LMin, p.Y), e.LMax = std::max(e.LMax, p.Y);
    }
    const TEtendues& g = etendues[i];
    e.LMin = std::min(e.LMin, g.LMin), e.LMax = std::max(e.LMax, g.LMax);
    e.LtMin = std::min(e.LtMin, g.LtMin), e.LtMax = std::max(e.LtMax, g.LtMax);
  }
  const double Lwl = Etendue1(e.LwlMin, e.LwlMax), Bwl = Etendue1(e.BwlMin, e.BwlMax);
  const double L = Etendue1(e.LMin, e.LMax), Lt = Etendue1(e.LtMin, e.LtMax);
  const double YminT = e.LtMax >= e.LtMin ? e.LtMin : 0;

  // Largest section and the draught there.
  TAireRec mc;
  double T = 0;
  for (int i = 0; i < n; i++)
    if (st[i].Aire > mc.Aire) mc = st[i], T = profondeurs[i];

  TGrilleHydro g(r);
  g.Titre("rsGBCareneImmergee");
  g.Ligne("rsVolumeIm", V);
  g.Ligne("rsDeplacementEauDouce", V * 1000);
  g.Ligne("rsDeplacementEauMer", V * 1026);
  g.Ligne("rsCentreCareneX", cc.Centre.X);
  g.Ligne("rsCentreCareneY", cc.Centre.Y);
  g.Ligne("rsCentreCareneZ", cc.Centre.Z);
  g.Ligne("rsVolume1cm", (wp0.Aire + wp1.Aire) / 2 * 0.01);
  g.Titre("rsSurfImmergeeTitre");
  g.Ligne("rsSurfImmergee", surfMouillee);
  g.Titre("rsGBCoeff");
  g.Ligne("rsCoeffPrismatique", Div(V, mc.Aire * Lwl));
  g.Ligne("rsCoeffBloc", Div(V, std::abs(Bwl * Lwl * T)));
  g.Ligne("rsCoeffVolumique", L > 0 ? V / (L * L * L) : 0);
  g.Ligne("rsCoeffFinesseGlobal", V > 0 ? L / std::cbrt(V) : 0);
  g.Titre("rsGBFlottaison");
  g.Ligne("rsLongDWL", Lwl);
  g.Ligne("rsLargDWL", Bwl);
  g.Ligne("rsAireDWL", wp0.Aire);
  g.Ligne("rsAireDWLX", wp0.X);
  g.Ligne("rsAireDWLY", wp0.Y);
  g.Ligne("rsAireDWLZ", wp0.Z);
  g.Ligne("rsAireDWLPerimetre", wp0.Perimetre);
  g.Titre("rsGBMaitreCouple");
  g.Ligne("rsAire", mc.Aire);
  g.Ligne("rsMaitreCoupleX", mc.Aire > 0 ? mc.X : 0);
  g.Ligne("rsMaitreCoupleY", mc.Aire > 0 ? mc.Y : 0);
  g.Ligne("rsMaitreCoupleZ", mc.Aire > 0 ? mc.Z : 0);
  g.Ligne("rsMaitreCoupleRatio", Lt != 0 ? (mc.Y - YminT) / Lt * 100 : 0);
  g.Titre("rsGBSurfDerive");
  g.Ligne("rsSurfDeriveValeur", lat.Aire);
  g.Ligne("rsSurfDeriveY", lat.Y);
  g.Ligne("rsSurfDeriveZ", lat.Z);

  // Initial stability: metacentres from the waterplane's inertia about its centre of flotation.
  const double BMt = Div(in.It, V), BMl = Div(in.Il, V);
  const double KB = V != 0 ? cc.Centre.Z - zK : 0;
  const double deplT = V * DensiteEauMer;  // tonnes
  g.Titre("rsGBStabInitiale");
  g.Ligne("rsInertieT", in.It);
  g.Ligne("rsInertieL", in.Il);
  g.Ligne("rsBMt", BMt);
  g.Ligne("rsBMl", BMl);
  g.Ligne("rsKB", KB);
  g.Ligne("rsKMt", KB + BMt);
  g.Ligne("rsKMl", KB + BMl);
  g.Ligne("rsCoeffFlottaison", Div(wp0.Aire, Lwl * Bwl));
  g.Ligne("rsCoeffMaitreCouple", Div(mc.Aire, std::abs(Bwl * T)));
  g.Ligne("rsTPC", wp0.Aire * DensiteEauMer / 100);
  // A hull wholly above the water has no metacentre: G alone would give a GM of -KG.
  const bool avecPoids = poids && poids->Valeur > 0 && V > 0;
  if (poids && poids->Valeur > 0 && !(V > 0)) r.Avertissements.push_back(rs("rsHydroHorsEau"));
  const double GMl = avecPoids ? KB + BMl - (poids->Centre.Z - zK) : BMl;
  // Without a weight the moment to trim uses BMl for GMl, the usual approximation.
  g.Ligne("rsMCT", Div(deplT * GMl, 100 * Lwl));
  if (avecPoids) {
    g.Ligne("rsGMt", KB + BMt - (poids->Centre.Z - zK));
    g.Ligne("rsGMl", GMl);
  }
  TParticulesHydro& P = r.P;
  P.V = V, P.SurfMouillee = surfMouillee, P.CC = cc.Centre;
  P.Lwl = Lwl, P.Bwl = Bwl, P.Tirant = -T;
  P.Awp = wp0.Aire, P.Xf = in.Xf, P.Yf = in.Yf, P.It = in.It, P.Il = in.Il;
  P.Amax = mc.Aire, P.Cb = Div(V, std::abs(Bwl * Lwl * T)), P.Cp = Div(V, mc.Aire * Lwl);
  P.Cwp = Div(wp0.Aire, Lwl * Bwl), P.Cm = Div(mc.Aire, std::abs(Bwl * T));
  P.BMt = BMt, P.BMl = BMl, P.KB = KB, P.KMt = KB + BMt, P.KMl = KB + BMl;
  P.TPC = wp0.Aire * DensiteEauMer / 100, P.MCT = Div(deplT * GMl, 100 * Lwl);
  P.AvecPoids = avecPoids;
  if (avecPoids) P.GMt = KB + BMt - (poids->Centre.Z - zK), P.GMl = GMl;

  if (!st.empty() && st.front().Aire != 0) r.Courbe.emplace_back(st.front().Y, 0);
  for (const auto& a : st) r.Courbe.emplace_back(a.Y, a.Aire);
  if (!st.empty() && st.back().Aire != 0) r.Courbe.emplace_back(st.back().Y, 0);
  // A value that is no number makes every other one doubtful: none is given, and the reason.
  bool fini = true;
  for (const auto& l : r.Lignes) fini = fini && (l.Titre || std::isfinite(l.Valeur));
  for (const auto& [y, a] : r.Courbe) fini = fini && std::isfinite(y) && std::isfinite(a);
  if (!fini) {
    r.Lignes.clear();
    r.Courbe.clear();
    r.P = TParticulesHydro{};
    r.SansResultat = rs("rsHydroNonFini");
    r.Avertissements.push_back(r.SansResultat);
  }
  return r;
}

std::vector<std::string> TexteHydro(const TResultatsHydro& r, const TPropFich& proprietes) {
  std::vector<std::string> l = EnteteRapport(proprietes, rs("rsHydrostatFormCaption"));
  // Every group, the first included, starts with an empty line, the rule and an empty line:
  // the heading block's rule and blank line serve the first, the empty line goes before them.
  l.insert(l.end() - 2, "");
  bool premier = true;  // the heading block's rule already stands before the first group
  for (const auto& x : r.Lignes) {
    if (x.Titre) {
      if (!premier) {
        l.emplace_back("");
        l.emplace_back(LigneRegle);
        l.emplace_back("");
      }
      premier = false;
      l.push_back(x.Libelle + "\t");
    } else if (!x.Texte.empty()) {
      l.push_back(x.Libelle + "\t" + x.Texte);
    } else {
      std::string v = Format("%.4f", x.Valeur);
      if (v == "-0.0000") v.erase(0, 1);  // a value that rounds to zero carries no sign
      l.push_back(x.Libelle + "\t" + v);
    }
  }
  return l;
}
