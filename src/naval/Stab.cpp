// Stability: working copies, displacement and sinkage, trim search, heel sweep,
// the step table, the synthesis and the text export.
#include "naval/Stab.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <numeric>
#include <tuple>

#include "base/Chaines.h"
#include "base/Debug.h"
#include "base/Services.h"
#include "model/EnteteRapport.h"
#include "naval/Hydrostat.h"
#include "naval/Poids.h"

namespace {

constexpr double DegRad = std::numbers::pi / 180;
// max / pas this close to a whole number is whole: 180 / 0.1 gives 1801 steps, not 1802.
constexpr double TolPasEntier = 1e-9;

bool Fini(const TVertex3f& p) { return std::isfinite(p.X) && std::isfinite(p.Y) && std::isfinite(p.Z); }

bool GrilleValide(const TArrayVertex3f& g) {
  if (g.empty()) return true;
  for (const auto& r : g) {
    if (r.size() != g[0].size()) return false;
    for (const auto& p : r)
      if (!Fini(p)) return false;
  }
  return true;
}

// AngleOriente2D in doubles: the signed angle at (x2, y2) from the first arm to the second.
double AngleOriente(double x1, double y1, double x2, double y2, double x3, double y3) {
  double ux = x1 - x2, uy = y1 - y2, vx = x3 - x2, vy = y3 - y2;
  double nu = std::hypot(ux, uy), nv = std::hypot(vx, vy);
  if (nu == 0 || nv == 0) return 0;
  double c = (ux * vx + uy * vy) / (nu * nv), s = (ux * vy - vx * uy) / (nu * nv);
  if (c == 0) return s > 0 ? 90 : (s < 0 ? -90 : 0);
  double a = std::atan(s / c) / DegRad;
  if (c < 0 && s >= 0)
    a += 180;
  else if (c < 0 && s < 0)
    a -= 180;
  return a;
}

// The signed prism volume between Z = w and the part of triangle a, b, c below it. The part
// is planar, and the prism volume of a planar polygon is the same whatever its triangulation,
// so this fan gives VolFacetteSous's value without building its two triangles.
inline double VolSous(const TVertex3f& a, const TVertex3f& b, const TVertex3f& c, double w) {
  const TVertex3f* t[3] = {&a, &b, &c};
  double x[4], y[4], z[4];
  int n = 0;
  for (int i = 0; i < 3; i++) {
    const TVertex3f &p = *t[i], &q = *t[(i + 1) % 3];
    if (p.Z <= w) x[n] = p.X, y[n] = p.Y, z[n] = p.Z, n++;
    if ((p.Z < w && q.Z > w) || (p.Z > w && q.Z < w)) {
      const double k = (w - p.Z) / (q.Z - p.Z);
      x[n] = p.X + k * (q.X - p.X), y[n] = p.Y + k * (q.Y - p.Y), z[n] = w, n++;
    }
  }
  double v = 0;
  for (int i = 1; i + 1 < n; i++) {
    const double nz = (x[0] - x[i]) * (y[i + 1] - y[i]) - (y[0] - y[i]) * (x[i + 1] - x[i]);
    v += nz / 2 * (w - (z[0] + z[i] + z[i + 1]) / 3);
  }
  return v;
}

TVertex3f Place(const TMatrice4& m, const TVertex3f& p) {
  TVertex3f q;
  Transformation3D(m, p, q);
  return q;
}

}  // namespace

// --- Working copies ----------------------------------------------------------------

bool TDoubleSurfList::AddSurf(const TEntity& e) {
  TRACE("TDoubleSurfList.AddSurf");
  if (!GrilleValide(e.Pts) || (e.Sym && !GrilleValide(e.PtsSym))) return false;
  TDoubleSurf d;
  d.Pts = e.Pts;
  if (e.Sym) {
    d.PtsSym = e.PtsSym;
    bool meme = d.PtsSym.size() == d.Pts.size() && (d.Pts.empty() || d.PtsSym[0].size() == d.Pts[0].size());
    if (!meme) return false;
  }
  d.NbLnPt = static_cast<int>(d.Pts.size()) - 1;
  d.NbColPt = d.Pts.empty() ? -1 : static_cast<int>(d.Pts[0].size()) - 1;
  d.Orientation = e.Orientation;
  d.JonctionSym = e.JonctionSym;
  Items.push_back(std::move(d));
  return true;
}

// --- Conditions -------------------------------------------------------------------

std::string LitConditionsStab(const TSaisieStab& s, TConditionsStab& c) {
  TConditionsStab r;
  r.CorrectionAssiette = s.CorrectionAssiette;
  // The message names the field: five of them take numbers.
  const std::tuple<const char*, const std::string*, double*> champs[] = {
      {"rsLabelGiteMaxCaption", &s.AngleMax, &r.AngleMax},
      {"rsStabSynPas", &s.Pas, &r.Pas},
      {"rsToleranceEnfPer", &s.TolEnfoncement, &r.TolEnfoncement},
      {"rsStabSynDensite", &s.Densite, &r.Densite},
      {"rsStabSynTolAssiette", &s.TolAssiette, &r.TolAssiette}};
  for (const auto& [champ, texte, valeur] : champs)
    if (!LitReel(*texte, *valeur))
      return Format(rs("rsErrConversionChamp"), rs(champ).c_str(), texte->c_str());
  c = r;
  return "";
}

std::string ValideConditionsStab(const TConditionsStab& c, double poids) {
  if (!(std::isfinite(c.AngleMax) && c.AngleMax >= 0 && c.AngleMax <= AngleMaxStab))
    return rs("rsStabAngleMax");
  // A quotient too large to count (1e308 / 1e-300) counts as no step at all: refused too.
  const int n = NombreEtapes(c.AngleMax, c.Pas);
  bool pasOk = std::isfinite(c.Pas) && c.Pas > 0 && c.AngleMax >= c.Pas && n >= 2 && n <= MaxEtapesStab;
  if (!pasOk) return rs("rsStabPasIncorrect");
  if (!(std::isfinite(poids) && poids > 0)) return rs("rsStabPoidsManquant");
  if (!(std::isfinite(c.TolEnfoncement) && c.TolEnfoncement > 0)) return rs("rsStabTolerance");
  if (c.CorrectionAssiette && !(std::isfinite(c.TolAssiette) && c.TolAssiette > 0))
    return rs("rsStabTolerance");
  if (!(std::isfinite(c.Densite) && c.Densite > 0)) return rs("rsStabDensite");
  return "";
}

int NombreEtapes(double max, double pas) {
  if (!(pas > 0) || !(max >= pas) || !std::isfinite(max / pas)) return 0;
  double q = max / pas;
  if (q > MaxEtapesStab) return MaxEtapesStab + 1;
  double k = std::round(q);
  if (std::abs(q - k) <= TolPasEntier * std::max(1.0, k)) return static_cast<int>(k) + 1;
  return static_cast<int>(std::floor(q)) + 2;
}

double AngleEtape(int i, int n, double max, double pas) { return i >= n - 1 ? max : i * pas; }

// --- Matrices -------------------------------------------------------------------------

TMatrice4 MatriceGite(double gite, const TVertex3f& g) {
  TMatrice4 m;
  MatRotation3D(g, {0, gite, 0}, m);
  return m;
}

TMatrice4 MatriceAttitude(double gite, double assiette, const TVertex3f& g) {
  TMatrice4 mg = MatriceGite(gite, g), mt;
  MatRotation3D(Place(mg, g), {assiette, 0, 0}, mt);
  return mt * mg;
}

TMatrice4 MatriceEtape(const TGZ& e, const TVertex3f& g) {
  TMatrice4 t;
  MatTranslation({0, 0, -e.Enfoncement}, t);
  return t * MatriceAttitude(e.Cote * e.Gite, e.Assiette, g);
}

std::string NomCote(int cote) { return cote < 0 ? "+X" : "-X"; }

void TransformerModele(TDocument& doc, const TGZ& e, const TVertex3f& g) {
  TRACE("TStabForm.RotationLstSurf");
  TRACE("TStabForm.Transformer");
  const TMatrice4 m = MatriceEtape(e, g);
  TMatrice4 r = m;  // the axes of a symmetry base are directions: no translation
  r[0][3] = r[1][3] = r[2][3] = 0;
  for (int k = 0; k < doc.NbSurf(); k++) {
    TEntity& s = doc.Surf(k);
    s.Transforme(m);
    TPlanSym& p = s.PlanSym;
    Transformation3D(m, p.Origine);
    Transformation3D(r, p.Axe1);
    Transformation3D(r, p.Axe2);
    Transformation3D(r, p.Axe3);
    p.MajPlan();
    s.MarqueNonCalculee();
    for (auto& w : doc.ListePoids)
      if (w.Surface == k) {
        TVertex3f v{w.X, w.Y, w.Z};
        Transformation3D(m, v);
        w.X = v.X, w.Y = v.Y, w.Z = v.Z;
      }
  }
  doc.MarqueModifie();
}

TEntity& AjouteBargeFermee(TDocument& doc, double b, double l, double t, double d, int div, double rho) {
  div = std::clamp(div, 1, (MaxGrille - 1) / 3);
  const int nl = 3 * div + 1, nc = div + 1;
  auto s = std::make_unique<TDXFSurface>(doc.NbSurf(), nc, nl);
  s->Nom = "Barge";
  const double x = b / 2;
  for (int i = 0; i < nl; i++)
    for (int j = 0; j < nc; j++) {
      const double y = l * j / div;
      TVertex3f& p = s->Pts[i][j];
      if (i <= div)
        p = {x * i / div, y, -t};
      else if (i <= 2 * div)
        p = {x, y, -t + d * (i - div) / div};
      else
        p = {x * (3 * div - i) / div, y, d - t};
    }
  s->JonctionSym = true;
  s->TypePoids = tpFixeVolume;
  s->Poids.Masse = rho * 1000 * b * l * t;
  s->CreateTabCoupes(doc.Grille.NbSec, doc.Grille.NbLE, doc.Grille.NbLong, doc.Grille.NbDiag);
  doc.TabSurf.push_back(std::move(s));
  return doc.Surf(doc.NbSurf() - 1);
}

// --- Facets of the copies ---------------------------------------------------------------

namespace {
// Cells on a side of a patch: 4 x 4 cells make 32 facets within a small sphere, so that a
// waterline crosses few patches while the per-patch sums stay cheap.
constexpr int CellulesPatch = 4;
}  // namespace

void TCarene::Construit(const TDoubleSurfList& l) {
  Source.clear();
  Tri.clear();
  std::vector<long long> cle;  // the patch of each facet
  int copie = 0;
  for (const auto& d : l.Items) {
    copie++;
    if (d.Pts.empty() || d.Pts[0].empty()) continue;
    const int nl = static_cast<int>(d.Pts.size()), nc = static_cast<int>(d.Pts[0].size());
    const int base = static_cast<int>(Source.size());
    const bool sym = !d.PtsSym.empty();
    for (const auto& r : d.Pts) Source.insert(Source.end(), r.begin(), r.end());
    if (sym)
      for (const auto& r : d.PtsSym) Source.insert(Source.end(), r.begin(), r.end());
    auto index = [&](const TRefPt& p) { return base + (p.Sym ? nl * nc : 0) + p.Ln * nc + p.Col; };
    PourFacettesCorps(nl, nc, sym, d.Orientation ? 1 : 0, d.JonctionSym, [&](TRefPt a, TRefPt b, TRefPt c) {
      Tri.push_back({index(a), index(b), index(c)});
      // Grid, mirror grid and closing strips (corners on both halves) make separate patches.
      long long genre = a.Sym == b.Sym && b.Sym == c.Sym ? (a.Sym ? 1 : 0) : 2;
      cle.push_back((((copie * 3LL + genre) * 256 + a.Ln / CellulesPatch) * 256) + a.Col / CellulesPatch);
    });
  }
  const int n = static_cast<int>(Tri.size());
  SrcN.resize(static_cast<size_t>(n));
  SrcC.resize(static_cast<size_t>(n));
  for (int k = 0; k < n; k++) {
    const TVertex3f &a = Source[Tri[k].A], &b = Source[Tri[k].B], &c = Source[Tri[k].C];
    SrcN[k] = ProduitVect(a - b, c - b);
    SrcC[k] = (a + b + c) * (1.0 / 3);
  }
  PatchTri.resize(static_cast<size_t>(n));
  std::iota(PatchTri.begin(), PatchTri.end(), 0);
  std::stable_sort(PatchTri.begin(), PatchTri.end(), [&](int i, int j) { return cle[i] < cle[j]; });
  Patchs.clear();
  for (int i = 0; i < n;) {
    TPatch p;
    p.Debut = i;
    while (i < n && cle[PatchTri[i]] == cle[PatchTri[p.Debut]]) i++;
    p.Fin = i;
    TVertex3f lo{1e300, 1e300, 1e300}, hi{-1e300, -1e300, -1e300};
    auto coins = [&](auto f) {
      for (int q = p.Debut; q < p.Fin; q++) {
        const TTri& t = Tri[PatchTri[q]];
        for (int s : {t.A, t.B, t.C}) f(Source[s]);
      }
    };
    coins([&](const TVertex3f& v) {
      lo = {std::min(lo.X, v.X), std::min(lo.Y, v.Y), std::min(lo.Z, v.Z)};
      hi = {std::max(hi.X, v.X), std::max(hi.Y, v.Y), std::max(hi.Z, v.Z)};
    });
    p.Centre = (lo + hi) * 0.5;
    coins([&](const TVertex3f& v) { p.Rayon = std::max(p.Rayon, Distance3D(v, p.Centre)); });
    for (int q = p.Debut; q < p.Fin; q++) {
      const int k = PatchTri[q];
      const double nn[3] = {SrcN[k].X, SrcN[k].Y, SrcN[k].Z};
      const TVertex3f gv = SrcC[k] - p.Centre;
      const double g[3] = {gv.X, gv.Y, gv.Z};
      // The mean of p p over the facet, for the exact second-order prism moments.
      double qq[3][3];
      for (int b = 0; b < 3; b++)
        for (int c = 0; c < 3; c++) qq[b][c] = g[b] * g[c];
      const TTri& t = Tri[k];
      for (int s : {t.A, t.B, t.C}) {
        const TVertex3f dv = Source[s] - SrcC[k];
        const double d[3] = {dv.X, dv.Y, dv.Z};
        for (int b = 0; b < 3; b++)
          for (int c = 0; c < 3; c++) qq[b][c] += d[b] * d[c] / 12;
      }
      for (int a = 0; a < 3; a++) {
        p.N[a] += nn[a];
        for (int b = 0; b < 3; b++) {
          p.S[a][b] += nn[a] * g[b];
          for (int c = 0; c < 3; c++) p.T[a][b][c] += nn[a] * qq[b][c];
        }
      }
    }
    Patchs.push_back(p);
  }
  Places.assign(Patchs.size(), TPatchPlace{});
  // Facets are kept in patch order, so that a patch's facets lie together in memory; Ordre
  // gives the lists' order back for the exact sums.
  std::vector<TTri> tri(static_cast<size_t>(n));
  std::vector<TVertex3f> sn(static_cast<size_t>(n)), sc(static_cast<size_t>(n));
  Ordre.assign(static_cast<size_t>(n), 0);
  for (int q = 0; q < n; q++) {
    const int k = PatchTri[q];
    tri[q] = Tri[k], sn[q] = SrcN[k], sc[q] = SrcC[k];
    Ordre[k] = q;
  }
  Tri.swap(tri), SrcN.swap(sn), SrcC.swap(sc);
  PatchDe.assign(static_cast<size_t>(n), 0);
  for (size_t p = 0; p < Patchs.size(); p++)
    for (int k = Patchs[p].Debut; k < Patchs[p].Fin; k++) PatchDe[k] = static_cast<int>(p);
  PatchTri.clear();
  Pts = Source;
  Utilise.assign(Source.size(), 0);
  for (const auto& t : Tri) Utilise[t.A] = Utilise[t.B] = Utilise[t.C] = 1;
  for (auto* v : {&FZMin, &FZMax, &FNz2, &FD, &FXm, &FYm, &FCxz, &FCyz, &FCzz})
    v->assign(static_cast<size_t>(n), 0);
  Place(MatIdentite());
}

void TCarene::Place(const TMatrice4& m) {
  for (int i = 0; i < 3; i++) {
    for (int j = 0; j < 3; j++) Lin[i][j] = m[i][j];
    Tr[i] = m[i][3];
  }
  // The height range is that of the facets' corners: a point of no facet (a grid of one row)
  // does not count.
  double lo = std::numeric_limits<double>::infinity(), hi = -lo;
  for (size_t i = 0; i < Source.size(); i++) {
    const TVertex3f& p = Source[i];
    TVertex3f& q = Pts[i];
    q = {m[0][0] * p.X + m[0][1] * p.Y + m[0][2] * p.Z + m[0][3],
         m[1][0] * p.X + m[1][1] * p.Y + m[1][2] * p.Z + m[1][3],
         m[2][0] * p.X + m[2][1] * p.Y + m[2][2] * p.Z + m[2][3]};
    if (Utilise[i]) {
      lo = q.Z < lo ? q.Z : lo;
      hi = q.Z > hi ? q.Z : hi;
    }
  }
  Zmin = Tri.empty() ? 0 : lo;
  Zmax = Tri.empty() ? 0 : hi;
  Zr = (Zmin + Zmax) / 2;
  // Row 2 of the cofactor matrix of the linear part: (M u) x (M v) = cof(M) (u x v).
  const TVertex3f c2 = ProduitVect({Lin[0][0], Lin[0][1], Lin[0][2]}, {Lin[1][0], Lin[1][1], Lin[1][2]});
  Cof[0] = c2.X, Cof[1] = c2.Y, Cof[2] = c2.Z;
  NormeZ = std::sqrt(Lin[2][0] * Lin[2][0] + Lin[2][1] * Lin[2][1] + Lin[2][2] * Lin[2][2]);
  for (size_t p = 0; p < Patchs.size(); p++) {
    const TVertex3f& c = Patchs[p].Centre;
    const double zc = Lin[2][0] * c.X + Lin[2][1] * c.Y + Lin[2][2] * c.Z + Tr[2];
    // Widened by far more than the rounding of zc and of the corners' heights (1e-16 of the
    // coordinates), so that no corner ever lies outside the bounds.
    const double r = Patchs[p].Rayon * NormeZ + 1e-9 * (1 + std::abs(zc) + std::abs(Tr[2]));
    Places[p] = {zc - r, zc + r, {}, false, false};
  }
  ToutActiver();
}

const TCarene::TSommes& TCarene::SommesPatch(int p) {
  TPatchPlace& pl = Places[p];
  if (pl.SommesPretes) return pl.Sommes;
  const TPatch& t = Patchs[p];
  // The facets' means are g + centre: X = r0.g + xi, Y = r1.g + eta, D = r2.g + tau.
  const double* r[3] = {Lin[0], Lin[1], Lin[2]};
  const TVertex3f& o = t.Centre;
  const double xi = r[0][0] * o.X + r[0][1] * o.Y + r[0][2] * o.Z + Tr[0];
  const double eta = r[1][0] * o.X + r[1][1] * o.Y + r[1][2] * o.Z + Tr[1];
  const double tau = r[2][0] * o.X + r[2][1] * o.Y + r[2][2] * o.Z + Tr[2] - Zr;
  double cN = 0, cS[3] = {}, V[3][3] = {};
  for (int a = 0; a < 3; a++) {
    cN += Cof[a] * t.N[a];
    for (int b = 0; b < 3; b++) {
      cS[b] += Cof[a] * t.S[a][b];
      for (int c = 0; c < 3; c++) V[b][c] += Cof[a] * t.T[a][b][c];
    }
  }
  auto sr = [&](const double* v) { return cS[0] * v[0] + cS[1] * v[1] + cS[2] * v[2]; };
  auto u = [&](const double* x, const double* y) {
    double s = 0;
    for (int b = 0; b < 3; b++)
      for (int c = 0; c < 3; c++) s += x[b] * V[b][c] * y[c];
    return s;
  };
  const double s0 = sr(r[0]), s1 = sr(r[1]), s2 = sr(r[2]);
  TSommes& s = pl.Sommes;
  s.A = cN / 2;
  s.D = (s2 + tau * cN) / 2;
  s.X = (s0 + xi * cN) / 2;
  s.Y = (s1 + eta * cN) / 2;
  s.DD = (u(r[2], r[2]) + 2 * tau * s2 + tau * tau * cN) / 2;
  s.XD = (u(r[0], r[2]) + tau * s0 + xi * s2 + xi * tau * cN) / 2;
  s.YD = (u(r[1], r[2]) + tau * s1 + eta * s2 + eta * tau * cN) / 2;
  pl.SommesPretes = true;
  return s;
}

void TCarene::PrepareFacettes(int p) {
  TPatchPlace& pl = Places[p];
  if (pl.FacettesPretes) return;
  for (int k = Patchs[p].Debut; k < Patchs[p].Fin; k++) {
    const double a = Pts[Tri[k].A].Z, b = Pts[Tri[k].B].Z, c = Pts[Tri[k].C].Z;
    const double ab = a < b ? a : b, AB = a < b ? b : a;
    FZMin[k] = ab < c ? ab : c;
    FZMax[k] = AB > c ? AB : c;
    const TVertex3f &nn = SrcN[k], &g = SrcC[k];
    FNz2[k] = (Cof[0] * nn.X + Cof[1] * nn.Y + Cof[2] * nn.Z) / 2;
    FXm[k] = Lin[0][0] * g.X + Lin[0][1] * g.Y + Lin[0][2] * g.Z + Tr[0];
    FYm[k] = Lin[1][0] * g.X + Lin[1][1] * g.Y + Lin[1][2] * g.Z + Tr[1];
    FD[k] = Lin[2][0] * g.X + Lin[2][1] * g.Y + Lin[2][2] * g.Z + Tr[2] - Zr;
    const TVertex3f* c3[3] = {&Pts[Tri[k].A], &Pts[Tri[k].B], &Pts[Tri[k].C]};
    const double zm = FD[k] + Zr;
    double cxz = 0, cyz = 0, czz = 0;
    for (const TVertex3f* v : c3) {
      const double dz = v->Z - zm;
      cxz += (v->X - FXm[k]) * dz, cyz += (v->Y - FYm[k]) * dz, czz += dz * dz;
    }
    FCxz[k] = cxz / 12, FCyz[k] = cyz / 12, FCzz[k] = czz / 12;
  }
  pl.FacettesPretes = true;
}

void TCarene::ToutActiver() {
  PatchsActifs.resize(Patchs.size());
  std::iota(PatchsActifs.begin(), PatchsActifs.end(), 0);
  Actives.clear();
  Lo = -std::numeric_limits<double>::infinity();
  Hi = std::numeric_limits<double>::infinity();
  Dessous = {};
}

void TCarene::Resserre(double lo, double hi) { ResserreVolume(lo, hi, (lo + hi) / 2); }

// Where a facet stands against a bisection interval [lo, hi] and a waterline w in it.
enum TPosition { psDessous, psDessus, psActive };

double TCarene::ResserreVolume(double lo, double hi, double w) {
  if (lo > hi) std::swap(lo, hi);
  if (lo < Lo || hi > Hi) ToutActiver();
  if (!(w >= lo && w <= hi)) return Volume(w);
  Lo = lo, Hi = hi;
  const double wr = w - Zr;
  double v = 0;
  TSommes& s = Dessous;
  // A facet below every waterline to come joins the sums, one above is dropped, the others
  // stay active and are cut at w.
  auto facette = [&](int k) {
    const double a = FNz2[k], d = FD[k];
    if (FZMax[k] < lo) {
      s.A += a, s.D += a * d, s.DD += a * (d * d + FCzz[k]);
      s.X += a * FXm[k], s.XD += a * (FXm[k] * d + FCxz[k]);
      s.Y += a * FYm[k], s.YD += a * (FYm[k] * d + FCyz[k]);
      return false;
    }
    if (FZMin[k] >= hi) return false;
    if (FZMin[k] < w) {
      if (FZMax[k] <= w)
        v += a * (wr - d);
      else
        v += VolSous(Pts[Tri[k].A], Pts[Tri[k].B], Pts[Tri[k].C], w);
    }
    return true;
  };
  size_t n = 0;
  for (size_t i = 0; i < Actives.size(); i++)
    if (facette(Actives[i])) Actives[n++] = Actives[i];
  Actives.resize(n);
  // Patches: the same, as a whole; a patch the waterline crosses is opened into its facets.
  size_t np = 0;
  for (size_t i = 0; i < PatchsActifs.size(); i++) {
    const int p = PatchsActifs[i];
    const TPatchPlace& pl = Places[p];
    if (pl.ZHaut < lo) {
      s += SommesPatch(p);
    } else if (pl.ZBas < hi) {
      if (pl.ZHaut <= w) {
        const TSommes& t = SommesPatch(p);
        v += t.A * wr - t.D;
        PatchsActifs[np++] = p;
      } else if (pl.ZBas >= w) {
        PatchsActifs[np++] = p;
      } else {
        PrepareFacettes(p);
        for (int k = Patchs[p].Debut; k < Patchs[p].Fin; k++)
          if (facette(k)) Actives.push_back(k);
      }
    }
  }
  PatchsActifs.resize(np);
  return v + s.A * wr - s.D;
}

double TCarene::Volume(double w) {
  if (!(w >= Lo && w <= Hi)) ToutActiver();
  const double wr = w - Zr;
  double v = Dessous.A * wr - Dessous.D;
  auto facette = [&](int k) {
    if (FZMin[k] >= w) return;
    if (FZMax[k] <= w)
      v += FNz2[k] * (wr - FD[k]);
    else
      v += VolSous(Pts[Tri[k].A], Pts[Tri[k].B], Pts[Tri[k].C], w);
  };
  for (int k : Actives) facette(k);
  for (int p : PatchsActifs) {
    const TPatchPlace& pl = Places[p];
    if (pl.ZBas >= w) continue;
    if (pl.ZHaut <= w) {
      const TSommes& s = SommesPatch(p);
      v += s.A * wr - s.D;
    } else {
      PrepareFacettes(p);
      for (int k = Patchs[p].Debut; k < Patchs[p].Fin; k++) facette(k);
    }
  }
  return v;
}

TFlottaisonCarene TCarene::Flottaison(double w) {
  // A corner counts below when under w, above otherwise: a facet with corners on both sides
  // has exactly two edges crossing, and a corner lying on w is met once.
  double a = 0, sx = 0, sy = 0, sxx = 0;
  for (size_t p = 0; p < Patchs.size(); p++) {
    if (Places[p].ZBas >= w || Places[p].ZHaut < w) continue;
    PrepareFacettes(static_cast<int>(p));
    for (int k = Patchs[p].Debut; k < Patchs[p].Fin; k++) {
      if (FZMin[k] >= w || FZMax[k] < w) continue;
      const TVertex3f* c[3] = {&Pts[Tri[k].A], &Pts[Tri[k].B], &Pts[Tri[k].C]};
      TVertex3f q[2];
      int n = 0;
      for (int i = 0; i < 3 && n < 2; i++) {
        const TVertex3f &u = *c[i], &v = *c[(i + 1) % 3];
        if ((u.Z < w) == (v.Z < w)) continue;
        const double t = (w - u.Z) / (v.Z - u.Z);
        q[n++] = {u.X + t * (v.X - u.X), u.Y + t * (v.Y - u.Y), w};
      }
      if (n < 2) continue;
      // The segment runs along Z x normal: every loop then turns the same way.
      const TVertex3f nn = ProduitVect(*c[0] - *c[1], *c[2] - *c[1]);
      if ((q[1].X - q[0].X) * -nn.Y + (q[1].Y - q[0].Y) * nn.X < 0) std::swap(q[0], q[1]);
      const double e = q[0].X * q[1].Y - q[1].X * q[0].Y;
      a += e / 2;
      sx += (q[0].X + q[1].X) * e / 6;
      sy += (q[0].Y + q[1].Y) * e / 6;
      sxx += (q[0].X * q[0].X + q[0].X * q[1].X + q[1].X * q[1].X) * e / 12;
    }
  }
  TFlottaisonCarene r;
  if (a == 0) return r;
  r.Aire = std::abs(a);
  r.Xf = sx / a;
  r.Yf = sy / a;
  r.It = std::abs(sxx - a * r.Xf * r.Xf);
  return r;
}

void TCarene::Centre(double w, TCumulCarene& c) {
  if (!(w >= Lo && w <= Hi)) ToutActiver();
  const double wr = w - Zr;
  auto somme = [&](const TSommes& s) {
    c.Vol += s.A * wr - s.D;
    c.Mx += s.X * wr - s.XD;
    c.My += s.Y * wr - s.YD;
    c.Mz -= (s.A * wr * wr - 2 * s.D * wr + s.DD) / 2;
  };
  auto facette = [&](int k) {
    if (FZMin[k] >= w) return;
    if (FZMax[k] <= w) {
      const double a = FNz2[k], e = a * (wr - FD[k]);
      c.Vol += e, c.Mx += e * FXm[k] - a * FCxz[k], c.My += e * FYm[k] - a * FCyz[k];
      c.Mz += e * (FD[k] - wr) / 2 - a * FCzz[k] / 2;
    } else {
      TCumulCarene t;
      t.AjouteSous(Pts[Tri[k].A], Pts[Tri[k].B], Pts[Tri[k].C], w);
      c.Vol += t.Vol, c.Mx += t.Mx, c.My += t.My, c.Mz += t.Mz;
    }
  };
  somme(Dessous);
  for (int k : Actives) facette(k);
  for (int p : PatchsActifs) {
    const TPatchPlace& pl = Places[p];
    if (pl.ZBas >= w) continue;
    if (pl.ZHaut <= w) {
      somme(SommesPatch(p));
    } else {
      PrepareFacettes(p);
      for (int k = Patchs[p].Debut; k < Patchs[p].Fin; k++) facette(k);
    }
  }
}

void TCarene::Integre(double w, TCumulCarene& cumul) {
  // A patch wholly above the waterline has nothing below it: its facets are not even placed.
  for (size_t p = 0; p < Patchs.size(); p++)
    if (Places[p].ZBas < w) PrepareFacettes(static_cast<int>(p));
  for (int k : Ordre) {
    if (Places[PatchDe[k]].ZBas >= w || FZMin[k] >= w) continue;
    const TVertex3f &a = Pts[Tri[k].A], &b = Pts[Tri[k].B], &c = Pts[Tri[k].C];
    if (FZMax[k] <= w)
      cumul.Ajoute(a, b, c, w);
    else
      cumul.AjouteSous(a, b, c, w);
  }
}

// --- The calculation ----------------------------------------------------------------------

TStab::TStab() {
  DemandeArret = [] {
    return AfficheMessage(rs("rsStabMaxIterations"), mtConfirmation, mbYes | mbNo) == mrYes;
  };
}

void TStab::BuildSurfList(const TDocument& doc) {
  TRACE("TStabForm.BuildSurfList");
  Copies.Clear();
  DefautModele = DefautPoidsSommets(doc, PorteeCalc(doc));
  for (int k = 0; k < doc.NbSurf(); k++)
    if (doc.Surf(k).Calc && !Copies.AddSurf(doc.Surf(k)))
      DbgErr(erCalcul, "TStabForm.BuildSurfList", k, {"grid not usable"});
  CarPrete = false;
}

void TStab::Prepare() {
  if (CarPrete) return;
  Car.Construit(Copies);
  CarPrete = true;
}

void TStab::Init(TDocument& doc) {
  TRACE("TStabForm.InitStabForm");
  const TPoids& t = doc.PoidsTotal;
  PoidsDocument = {{t.X, t.Y, t.Z}, t.Masse};
  Poids = PoidsDocument;
  BuildSurfList(doc);
  MajCarInitiale();
  Etapes.clear();
  Iterations = 0;
}

void TStab::MajCarInitiale() {
  Deplacement(MatIdentite(), 0, CarInitiale);
  CarInitiale.Valeur *= 1000;
}

void TStab::Ajuste(TModeAjuste mode, double poidsFixe, bool aligner) {
  switch (mode) {
    case ajDeplacementInitial:
      Poids.Valeur = CarInitiale.Valeur;
      break;
    case ajPoidsFixe:
      Poids.Valeur = poidsFixe;
      break;
    case ajValeursInitiales:
      Poids = PoidsDocument;
      break;
  }
  if (aligner) Poids.Centre.X = CarInitiale.Centre.X, Poids.Centre.Y = CarInitiale.Centre.Y;
}

void TStab::Deplacement(const TMatrice4& m, double w, TBarycentre& cc) {
  TRACE("TStabForm.Deplacement");
  Prepare();
  Car.Place(m);
  TCumulCarene c;
  Car.Integre(w, c);
  c.Barycentre(cc, Conditions.Densite);
}

double TStab::DeplacementValeur(const TMatrice4& m, double w) {
  TRACE("TStabForm.Deplacement");
  Prepare();
  Car.Place(m);
  return Car.Volume(w) * Conditions.Densite;
}

double TStab::SurfMouillee(const TMatrice4& m, double w) {
  TRACE("TStabForm.SurfMouillee");
  Prepare();
  Car.Place(m);
  TCumulCarene c;
  Car.Integre(w, c);
  return c.Aire;
}

void TStab::MajMinzMaxZ(const TMatrice4& m, double& zmin, double& zmax) {
  TRACE("TStabForm.MajMinzMaxZ");
  Prepare();
  Car.Place(m);
  zmin = Car.ZMin();
  zmax = Car.ZMax();
}

TEquilibre TStab::IsoCareneEnf(const TMatrice4& m, double w0) {
  Prepare();
  DebutCalcul();
  Car.Place(m);
  TEquilibre r = Enfonce(w0);
  Termine(r);
  return r;
}

void TStab::DebutCalcul() {
  PoidsT = Poids.Valeur / 1000;
  Tau = Conditions.TolEnfoncement * PoidsT / 100;
}

bool TStab::Demande() {
  if (!Questionne) {
    Questionne = true;
    ReponseArret = DemandeArret && DemandeArret();
  }
  return ReponseArret;
}

TEquilibre TStab::Enfonce(double w0) {
  TRACE("TStabForm.IsoCareneEnf");
  const double rho = Conditions.Densite;
  // The tolerance asked decides convergence; the search goes on to a tight one, which the
  // false position (Illinois) reaches in a few more volumes than the bisection needed.
  const double fin = std::min(Tau, TolEquilibreFine * PoidsT);
  double a = Car.ZMin(), b = Car.ZMax();
  double fa = -PoidsT, fb = Car.Volume(b) * rho - PoidsT;
  TEquilibre r;
  double s = w0, f = 0;
  if (fb < 0) {
    // Wholly immersed the copies still displace less than the weight: no waterline floats them.
    s = b;
    f = fb;
  } else {
    s = std::clamp(w0, a, b);
    f = Car.Volume(s) * rho - PoidsT;
    int garde = 0;  // the end kept at the last step: +1 a, -1 b
    while (std::abs(f) >= fin && r.Iterations < MaxIterEnfoncement) {
      if (TraiteMessages) TraiteMessages();
      if (f > 0) {
        b = s, fb = f;
        if (garde == 1) fa /= 2;
        garde = 1;
      } else {
        a = s, fa = f;
        if (garde == -1) fb /= 2;
        garde = -1;
      }
      double x = fb != fa ? (a * fb - b * fa) / (fb - fa) : (a + b) / 2;
      if (!(x > a && x < b)) x = (a + b) / 2;
      s = x;
      f = Car.ResserreVolume(a, b, s) * rho - PoidsT;
      r.Iterations++;
    }
  }
  r.Ecart = PoidsT > 0 ? std::abs(f) / PoidsT : 0;
  r.Converge = std::abs(f) < Tau;
  if (!r.Converge && fb >= 0 && Demande()) Arret = true;
  // The trim search needs only the centre: the wetted area waits for the final attitude.
  TCumulCarene c;
  Car.Centre(s, c);
  c.Barycentre(r.CC, rho);
  r.Enfoncement = s;
  return r;
}

void TStab::Termine(TEquilibre& r) {
  // The step's record facet by facet, exactly as the lists would sum it, with the wetted area.
  TCumulCarene c;
  Car.Integre(r.Enfoncement, c);
  c.Barycentre(r.CC, Conditions.Densite);
  r.SurfMouillee = c.Aire;
}

TEquilibre TStab::IsoCarene(const TMatrice4& mGite) {
  TRACE("TStabForm.IsoCarene");
  Prepare();
  DebutCalcul();
  const double delta = Conditions.TolAssiette;
  const double fin = std::min(delta, TolAssietteFine);
  Car.Place(mGite);
  TEquilibre r = Enfonce(0);
  const double s0 = r.Enfoncement;
  const TVertex3f g = Place(mGite, Poids.Centre);
  // Angles in the (Y, Z) plane of the hull lowered to its waterline: alpha at G from G->B to
  // the downward vertical, beta at B from the downward vertical to B->G.
  auto alpha = [](const TBarycentre& b, const TVertex3f& gl) {
    return AngleOriente(b.Centre.Y, b.Centre.Z, gl.Y, gl.Z, gl.Y, gl.Z - 1);
  };
  auto beta = [](const TBarycentre& b, const TVertex3f& gl) {
    return AngleOriente(b.Centre.Y, b.Centre.Z - 1, b.Centre.Y, b.Centre.Z, gl.Y, gl.Z);
  };
  double a = alpha(r.CC, {g.X, g.Y, g.Z - s0}), aPrec = a;
  double t = 0, h = 0;
  int iterations = r.Iterations;
  bool trouve = false, interrompu = false;
  double ecart = std::abs(a);
  for (int k = 0;; k++) {
    if (k == 0) {
      h = std::min(std::abs(a), PasAssietteMax);
      if (a > 0) h = -h;
    } else if (!MemeSigne(a, aPrec)) {
      h = -h / 2;  // overshot: come back by half the step
    }
    t += h;
    TMatrice4 mt;
    MatRotation3D(g, {t, 0, 0}, mt);
    const TMatrice4 m = mt * mGite;
    Car.Place(m);
    r = Enfonce(s0);
    iterations += r.Iterations;
    TVertex3f gl = Place(m, Poids.Centre);
    gl.Z -= r.Enfoncement;
    aPrec = a;
    a = alpha(r.CC, gl);
    double b = beta(r.CC, gl);
    ecart = std::min(std::abs(a), std::abs(b));
    if (TraiteMessages) TraiteMessages();
    if (Arret) {  // cut short: not converged, whatever was reached
      interrompu = true;
      break;
    }
    trouve = ecart < delta;
    // Met the tolerance asked, the search goes on to the tight one while it stays cheap.
    if (ecart < fin) break;
    if (k + 1 >= MaxIterAssiette) {
      if (!trouve && Demande()) Arret = true;
      break;
    }
  }
  r.Assiette = t;
  r.Iterations = iterations;
  r.Converge = r.Converge && trouve;
  r.Interrompu = interrompu;
  r.EcartAssiette = ecart;
  Termine(r);  // the copies are still in the last attitude tried
  return r;
}

double TStab::DeplacementMax() {
  Prepare();
  Car.Place(MatIdentite());
  return Car.Volume(Car.ZMax()) * Conditions.Densite * 1000;
}

std::string TStab::VerifieFlottabilite(double poids) {
  const double max = DeplacementMax();
  if (poids <= max) return "";
  return Format(rs("rsStabCoule"), TexteReel(poids, 1).c_str(), TexteReel(max, 1).c_str());
}

double TStab::GMDroit() {
  Prepare();
  const double tol = Conditions.TolEnfoncement, tolA = Conditions.TolAssiette;
  // The metacentre is read off the waterplane: the waterline must be exact.
  Conditions.TolEnfoncement = 1e-8;
  Conditions.TolAssiette = std::min(tolA, TolAssietteFine);
  const TVertex3f g0 = Poids.Centre;
  const TEquilibre eq =
      Conditions.CorrectionAssiette ? IsoCarene(MatIdentite()) : IsoCareneEnf(MatIdentite(), 0);
  Conditions.TolEnfoncement = tol, Conditions.TolAssiette = tolA;
  const TMatrice4 m = MatriceAttitude(0, Conditions.CorrectionAssiette ? eq.Assiette : 0, g0);
  Car.Place(m);
  const TFlottaisonCarene f = Car.Flottaison(eq.Enfoncement);
  const double v = eq.CC.Valeur / Conditions.Densite;
  if (!(v > 0)) return std::numeric_limits<double>::quiet_NaN();
  const TVertex3f g = Place(m, g0);
  // Both heights from the waterline: KB - KG = zB - zG whatever K is.
  return eq.CC.Centre.Z - (g.Z - eq.Enfoncement) + f.It / v;
}

TGZ TStab::CalcEtape(double gite) {
  Prepare();
  const TVertex3f g0 = Poids.Centre;
  TGZ e;
  e.Gite = gite;
  e.Cote = Conditions.Cote < 0 ? -1 : 1;
  const TMatrice4 mg = MatriceGite(e.Cote * gite, g0);
  const TEquilibre eq = Conditions.CorrectionAssiette ? IsoCarene(mg) : IsoCareneEnf(mg, 0);
  Iterations += eq.Iterations;
  e.Assiette = Conditions.CorrectionAssiette ? eq.Assiette : 0;
  e.Enfoncement = eq.Enfoncement;
  e.SurfMouillee = eq.SurfMouillee;
  e.CC = eq.CC;
  TVertex3f g = Place(MatriceAttitude(e.Cote * gite, e.Assiette, g0), g0);
  g.Z -= e.Enfoncement;
  e.CG = {g, Poids.Valeur};
  e.Converge = eq.Converge;
  e.EcartDeplacement = eq.Ecart;
  e.EcartAssiette = eq.EcartAssiette;
  e.Interrompu = eq.Interrompu;
  return e;
}

std::string TStab::CalcStab() {
  TRACE("TStabForm.CalcStab");
  std::string err = ValideConditionsStab(Conditions, Poids.Valeur);
  if (!err.empty()) return err;
  if (Copies.Count() == 0) return rs("rsStabAucunFlotteur");
  if (!DefautModele.empty()) return DefautModele;
  // A weight beyond the reserve of buoyancy would sink the hull at every heel.
  err = VerifieFlottabilite(Poids.Valeur);
  if (!err.empty()) return err;
  Arret = false;
  NouvelleQuestion();
  const int n = NombreEtapes(Conditions.AngleMax, Conditions.Pas);
  Etapes.clear();
  Iterations = 0;
  for (int i = 0; i < n; i++) {
    const TGZ e = CalcEtape(AngleEtape(i, n, Conditions.AngleMax, Conditions.Pas));
    // A step the stop cut short has only the trim of an attempt: it is not shown.
    if (e.Interrompu) break;
    Etapes.push_back(e);
    if (EtapeAjoutee) EtapeAjoutee(e);
    if (Arret) break;
    if (Progression) Progression(n, i + 1);
  }
  return "";
}

// --- Results ------------------------------------------------------------------------------

std::vector<std::string> EnteteTableGZ() {
  return {rs("rsStabColGite"), rs("rsStabColAssiette"), rs("rsStabColEnfoncement"),
          rs("rsStabColCBx"),  rs("rsStabColCBy"),      rs("rsStabColCBz"),
          rs("rsStabColCGx"),  rs("rsStabColCGy"),      rs("rsStabColCGz"),
          rs("rsStabColGZ"),   rs("rsStabColMoment"),   rs("rsStabColSurfMouillee")};
}

std::vector<std::string> LigneTableGZ(const TGZ& e) {
  const std::string nc = rs("rsStabNonConverge");
  return {TexteReel(e.Gite, 2),
          TexteReel(e.Assiette, 2),
          TexteReel(-e.Enfoncement, 4),
          TexteReel(e.CC.Centre.X, 4),
          TexteReel(e.CC.Centre.Y, 4),
          TexteReel(e.CC.Centre.Z, 4),
          TexteReel(e.CG.Centre.X, 4),
          TexteReel(e.CG.Centre.Y, 4),
          TexteReel(e.CG.Centre.Z, 4),
          e.Converge ? TexteReel(e.GZ(), 4) : nc,
          e.Converge ? TexteReel(e.Moment(), 4) : nc,
          TexteReel(e.SurfMouillee, 4)};
}

TResumeStab ResumeStab(const TListGZ& l) {
  TResumeStab r;
  double gzMin = 10000, gzMax = -10000;
  const TGZ* prec = nullptr;
  double pos = 0, neg = 0;
  for (const auto& e : l) {
    if (!e.Converge) {
      r.NbNonConverges++;
      continue;
    }
    r.NbConverges++;
    // One sign for the arm at every heel, upright included: the table's.
    double gz = e.GZ(), m = e.Moment();
    if (gz < gzMin) gzMin = gz, r.GZMin = gz, r.MomentMin = m, r.AngleGZMin = e.Gite;
    if (gz > gzMax) gzMax = gz, r.GZMax = gz, r.MomentMax = m, r.AngleGZMax = e.Gite;
    if (prec) {
      double mi = prec->Moment(), mj = m;
      double d = (e.Gite - prec->Gite) * DegRad;
      if (mi >= 0 && mj >= 0) {
        pos += (mi + mj) * d / 2;
      } else if (mi <= 0 && mj <= 0) {
        neg += (mi + mj) * d / 2;
      } else {
        TVertex3f p{0, 0, 0};
        CalcPtDroite({prec->Gite, mi, 0}, {e.Gite, mj, 0}, p, 2);
        double d0 = (p.X - prec->Gite) * DegRad, d1 = (e.Gite - p.X) * DegRad;
        (mi > 0 ? pos : neg) += mi * d0 / 2;
        (mj > 0 ? pos : neg) += mj * d1 / 2;
        if (mi > 0 && mj < 0) r.AngleDisparition = p.X;
      }
    }
    prec = &e;
  }
  r.EnergieChavirage = std::abs(pos);
  r.EnergieRedressement = std::abs(neg);
  return r;
}

std::vector<TLigneSynthese> Synthese(const TStab& s) {
  std::vector<TLigneSynthese> l;
  auto titre = [&](const char* cle) { l.push_back({rs(cle), "", 0, true}); };
  auto ligne = [&](const char* cle, double v, int dec) {
    l.push_back({rs(cle), TexteReel(v, dec), v, false});
  };
  const TConditionsStab& c = s.Conditions;
  titre("rsStabSynConditions");
  ligne("rsStabSynMasse", s.Poids.Valeur, 3);
  ligne("rsStabSynCGx", s.Poids.Centre.X, 3);
  ligne("rsStabSynCGy", s.Poids.Centre.Y, 3);
  ligne("rsStabSynCGz", s.Poids.Centre.Z, 3);
  ligne("rsStabSynPas", c.Pas, 3);
  ligne("rsStabSynAngleMin", s.Etapes.empty() ? 0 : s.Etapes.front().Gite, 3);
  ligne("rsStabSynAngleMax", s.Etapes.empty() ? 0 : s.Etapes.back().Gite, 3);
  ligne("rsStabSynTolEnf", c.TolEnfoncement * s.Poids.Valeur / 100, 3);
  ligne("rsStabSynTolAssiette", c.TolAssiette, 3);
  ligne("rsStabSynDensite", c.Densite, 4);
  TResumeStab r = ResumeStab(s.Etapes);
  // Without a single equilibrium there is no curve to read: nothing is reported as a result.
  if (r.NbConverges > 0) {
    titre("rsStabSynGZMoments");
    ligne("rsStabSynGZMin", r.GZMin, 4);
    ligne("rsStabSynGZMax", r.GZMax, 4);
    ligne("rsStabSynRMMin", r.MomentMin, 4);
    ligne("rsStabSynRMMax", r.MomentMax, 4);
    titre("rsStabSynAngles");
    ligne("rsStabSynAngleGZMin", r.AngleGZMin, 4);
    ligne("rsStabSynAngleGZMax", r.AngleGZMax, 4);
    ligne("rsStabSynAngleDisparition", r.AngleDisparition, 4);
    // No change of sign on the steps computed: the angle is beyond them, not 0.
    if (r.AngleDisparition == 0) l.back().Valeur = rs("rsStabNonAtteint");
    titre("rsStabSynEnergies");
    ligne("rsStabSynEnergieChavirage", r.EnergieChavirage, 4);
    ligne("rsStabSynEnergieRedressement", r.EnergieRedressement, 4);
  }
  if (r.NbNonConverges > 0)
    l.push_back(
        {rs("rsStabSynNonConverges"), std::to_string(r.NbNonConverges), double(r.NbNonConverges), false});
  // Beside the rows above, never among them: the side the arms are measured for.
  l.push_back({rs("rsStabCote"), NomCote(c.Cote), double(c.Cote < 0 ? -1 : 1), false});
  // With the trim searched, which way its sign goes.
  if (c.CorrectionAssiette) l.push_back({rs("rsStabSigneAssiette"), rs("rsStabAssiettePositive"), 1, false});
  return l;
}

std::vector<std::string> LibellesCalcul(double gite, double assiette, double deplacement, int iterations,
                                        bool debut) {
  return {rs(debut ? "rsStabLblGite" : "rsStabLblAngle") + " " + TexteReel(gite, 2) + "°",
          rs("rsStabLblAssiette") + " " + TexteReel(assiette, 2) + "°",
          rs("rsStabLblDeplacement") + " " + TexteReel(deplacement, 4) + " t",
          rs("rsStabLblIterations") + " " + std::to_string(iterations)};
}

std::vector<std::string> LignesExportStab(const TPropFich& d, const std::vector<TLigneSynthese>& synthese,
                                          const TListGZ& etapes) {
  const std::string traits(32, '_');
  // The properties named, each that is set: "Titre : " and a tab before the value.
  std::vector<std::string> l{"Brivane - " + rs("rsStabCaption")};
  for (const auto& [nom, valeur] : {std::pair<const char*, const std::string*>{"Titre", &d.Titre},
                                    {"Architecte", &d.Archi},
                                    {"Version", &d.Version},
                                    {"Date", &d.Date}})
    if (!valeur->empty()) l.push_back(std::string(nom) + " : \t" + *valeur);
  l.emplace_back();
  l.push_back(traits);
  l.push_back(rs("rsStabSynthese"));
  for (const auto& s : synthese) {
    if (s.Titre) {
      l.push_back(traits);
      l.emplace_back();
    }
    l.push_back(s.Libelle + "\t" + s.Valeur);
  }
  l.emplace_back();
  l.emplace_back();
  l.push_back(traits);
  l.push_back(rs("rsStabMesures"));
  l.push_back(traits);
  l.emplace_back();
  auto joint = [](const std::vector<std::string>& c) {
    std::string s;
    for (size_t i = 0; i < c.size(); i++) s += (i ? "\t" : "") + c[i];
    return s;
  };
  l.push_back(joint(EnteteTableGZ()));
  for (const auto& e : etapes) l.push_back(joint(LigneTableGZ(e)));
  l.emplace_back();
  return l;
}
