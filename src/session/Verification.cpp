// The model check, surface by surface, then pair by pair, then the weights and the precision.
#include "session/Verification.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/Chaines.h"
#include "base/Debug.h"
#include "naval/Face.h"

namespace {

struct TBoite {
  double X0 = std::numeric_limits<double>::infinity(), X1 = -X0, Y0 = X0, Y1 = -X0, Z0 = X0, Z1 = -X0;
  void Ajoute(const TVertex3f& p) {
    X0 = std::min(X0, p.X), X1 = std::max(X1, p.X), Y0 = std::min(Y0, p.Y), Y1 = std::max(Y1, p.Y);
    Z0 = std::min(Z0, p.Z), Z1 = std::max(Z1, p.Z);
  }
  bool Vide() const { return X0 > X1; }
  double Distance(const TVertex3f& p) const {
    const double dx = std::max({X0 - p.X, 0.0, p.X - X1}), dy = std::max({Y0 - p.Y, 0.0, p.Y - Y1}),
                 dz = std::max({Z0 - p.Z, 0.0, p.Z - Z1});
    return std::sqrt(dx * dx + dy * dy + dz * dz);
  }
};

template <class F>
void PourPoints(const TEntity& e, F f) {
  for (const auto& r : e.Pts)
    for (const auto& p : r) f(p);
  if (e.Sym)
    for (const auto& r : e.PtsSym)
      for (const auto& p : r) f(p);
}

// The four border lines of a grid: first and last row, first and last column.
std::vector<std::vector<TVertex3f>> Bords(const TArrayVertex3f& g) {
  std::vector<std::vector<TVertex3f>> b;
  const size_t nl = g.size(), nc = nl ? g[0].size() : 0;
  if (nl < 2 || nc < 2) return b;
  for (const auto& r : g)
    if (r.size() != nc) return b;
  b.resize(4);
  b[0] = g[0], b[1] = g[nl - 1];
  for (size_t i = 0; i < nl; i++) b[2].push_back(g[i][0]), b[3].push_back(g[i][nc - 1]);
  return b;
}

double DistanceSegment(const TVertex3f& p, const TVertex3f& a, const TVertex3f& b) {
  const TVertex3f ab = b - a, ap = p - a;
  const double l2 = ab.X * ab.X + ab.Y * ab.Y + ab.Z * ab.Z;
  const double t = l2 > 0 ? std::clamp((ap.X * ab.X + ap.Y * ab.Y + ap.Z * ab.Z) / l2, 0.0, 1.0) : 0;
  const TVertex3f d = ap - ab * t;
  return std::sqrt(d.X * d.X + d.Y * d.Y + d.Z * d.Z);
}

double DistancePlan(const TPlanSym& s, const TVertex3f& p) {
  const double n = std::sqrt(s.A * s.A + s.B * s.B + s.C * s.C);
  return n > 0 ? std::abs(s.A * p.X + s.B * p.Y + s.C * p.Z + s.D) / n : 0;
}

// The z where a vertical line at (x, y) crosses each facet of a body below the waterline,
// facets binned by the cells of a grid over a rectangle.
class TColonnes {
 public:
  TColonnes(const TListFace& l, double x0, double y0, double dx, double dy, int n)
      : X0(x0), Y0(y0), Dx(dx), Dy(dy), N(n), Cases(static_cast<size_t>(n) * n) {
    for (size_t k = 0; k < l.F.size(); k++) {
      const TFacette& f = l.F[k];
      const double xa = std::min({f.P1.X, f.P2.X, f.P3.X}), xb = std::max({f.P1.X, f.P2.X, f.P3.X});
      const double ya = std::min({f.P1.Y, f.P2.Y, f.P3.Y}), yb = std::max({f.P1.Y, f.P2.Y, f.P3.Y});
      const int i0 = std::max(0, static_cast<int>(std::floor((xa - X0) / Dx - 0.5))),
                i1 = std::min(N - 1, static_cast<int>(std::ceil((xb - X0) / Dx - 0.5)));
      const int j0 = std::max(0, static_cast<int>(std::floor((ya - Y0) / Dy - 0.5))),
                j1 = std::min(N - 1, static_cast<int>(std::ceil((yb - Y0) / Dy - 0.5)));
      for (int i = i0; i <= i1; i++)
        for (int j = j0; j <= j1; j++) Cases[static_cast<size_t>(i) * N + j].push_back(&f);
    }
  }
  // The intervals of the column (i, j) inside the body: crossings paired upwards, the
  // waterplane closing a column that crosses an odd number of facets.
  void Intervalles(int i, int j, std::vector<double>& z) const {
    z.clear();
    const double x = X0 + (i + 0.5) * Dx, y = Y0 + (j + 0.5) * Dy;
    for (const TFacette* f : Cases[static_cast<size_t>(i) * N + j]) {
      const TVertex3f &a = f->P1, &b = f->P2, &c = f->P3;
      const double d = (b.X - a.X) * (c.Y - a.Y) - (c.X - a.X) * (b.Y - a.Y);
      if (d == 0) continue;  // a vertical facet: no column crosses it
      const double u = ((x - a.X) * (c.Y - a.Y) - (c.X - a.X) * (y - a.Y)) / d;
      const double v = ((b.X - a.X) * (y - a.Y) - (x - a.X) * (b.Y - a.Y)) / d;
      if (u < 0 || v < 0 || u + v > 1) continue;
      z.push_back(a.Z + u * (b.Z - a.Z) + v * (c.Z - a.Z));
    }
    if (z.size() % 2) z.push_back(0);
    std::sort(z.begin(), z.end());
  }

 private:
  double X0, Y0, Dx, Dy;
  int N;
  std::vector<std::vector<const TFacette*>> Cases;
};

double VolumeImmerge(const TEntity& e) {
  TListFace l;
  BuildFaceListFull(e, l, 0);
  return VolByFace(l, 0, 1);
}

constexpr double EcartPrecision = 0.5;  // percent
constexpr int PrecisionMax = 200;

}  // namespace

const char* NomGenre(TGenreConstat g) {
  switch (g) {
    case TGenreConstat::Orientation:
      return "reversed_orientation";
    case TGenreConstat::Ouverte:
      return "open_body";
    case TGenreConstat::DemiCoque:
      return "half_hull_not_mirrored";
    case TGenreConstat::PlanSym:
      return "symmetry_plane_not_reached";
    case TGenreConstat::Intersection:
      return "intersecting_bodies";
    case TGenreConstat::PoidsLoin:
      return "weight_outside";
    case TGenreConstat::Precision:
      return "precision_too_low";
  }
  return "";
}

double VolumeCommun(const TEntity& a, const TEntity& b, int n) {
  TListFace la, lb;
  BuildFaceListFull(a, la, 0);
  BuildFaceListFull(b, lb, 0);
  TBoite ba, bb;
  for (const auto& f : la.F) ba.Ajoute(f.P1), ba.Ajoute(f.P2), ba.Ajoute(f.P3);
  for (const auto& f : lb.F) bb.Ajoute(f.P1), bb.Ajoute(f.P2), bb.Ajoute(f.P3);
  if (ba.Vide() || bb.Vide()) return 0;
  const double x0 = std::max(ba.X0, bb.X0), x1 = std::min(ba.X1, bb.X1);
  const double y0 = std::max(ba.Y0, bb.Y0), y1 = std::min(ba.Y1, bb.Y1);
  if (!(x1 > x0 && y1 > y0) || std::max(ba.Z0, bb.Z0) >= std::min(ba.Z1, bb.Z1)) return 0;
  n = std::max(n, 2);
  const double dx = (x1 - x0) / n, dy = (y1 - y0) / n;
  const TColonnes ca(la, x0, y0, dx, dy, n), cb(lb, x0, y0, dx, dy, n);
  std::vector<double> za, zb;
  double total = 0;
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++) {
      ca.Intervalles(i, j, za);
      if (za.empty()) continue;
      cb.Intervalles(i, j, zb);
      for (size_t p = 0; p + 1 < za.size(); p += 2)
        for (size_t q = 0; q + 1 < zb.size(); q += 2)
          total += std::max(0.0, std::min(za[p + 1], zb[q + 1]) - std::max(za[p], zb[q]));
    }
  return total * dx * dy;
}

std::vector<TConstatModele> VerifieModele(const TDocument& doc, const std::vector<int>& portee) {
  TRACE("Verification.VerifieModele");
  std::vector<TConstatModele> r;
  std::vector<int> ks;
  for (int k : portee)
    if (k >= 0 && k < doc.NbSurf()) ks.push_back(k);
  TBoite tout;
  for (int k : ks) PourPoints(doc.Surf(k), [&](const TVertex3f& p) { tout.Ajoute(p); });
  if (tout.Vide()) return r;
  const double taille = std::max({tout.X1 - tout.X0, tout.Y1 - tout.Y0, tout.Z1 - tout.Z0});
  const double tol = 1e-3 * taille, largeur = tout.X1 - tout.X0;

  // Orientation: a surface whose immersed volume is negative beyond rounding.
  std::vector<double> volumes(static_cast<size_t>(doc.NbSurf()), 0.0);
  for (int k : ks) {
    const TEntity& e = doc.Surf(k);
    const double v = VolumeImmerge(e);
    volumes[static_cast<size_t>(k)] = v;
    if (v < 0 && -v > 1e-9 * taille * taille * taille)
      r.push_back({TGenreConstat::Orientation, k, -1, v, 0,
                   Format(rs("rsVerifOrientation").c_str(), e.Nom.c_str(), v)});
  }

  // Free edges below the waterline: not on the symmetry plane of a symmetric surface, not
  // closed by the strips, not shared with another surface.
  for (int k : ks) {
    const TEntity& e = doc.Surf(k);
    if (e.Sym && e.JonctionSym) continue;  // the strips close every border
    const auto bords = Bords(e.Pts);
    bool ouvert = false, demi = false, ecart = false;
    double ya = std::numeric_limits<double>::infinity(), yb = -ya, zmin = ya, ecartMax = 0;
    bool unCote = true;  // every point on one side of X = 0: a half hull
    double xmin = ya, xmax = -ya;
    for (const auto& l : e.Pts)
      for (const auto& p : l) xmin = std::min(xmin, p.X), xmax = std::max(xmax, p.X);
    unCote = xmin >= -tol || xmax <= tol;
    auto partage = [&](const TVertex3f& p) {
      for (int o : ks) {
        if (o == k) continue;
        const TEntity& s = doc.Surf(o);
        for (const TArrayVertex3f* g : {&s.Pts, &s.PtsSym}) {
          if (g == &s.PtsSym && !s.Sym) continue;
          for (const auto& bo : Bords(*g))
            for (size_t i = 0; i + 1 < bo.size(); i++)
              if (DistanceSegment(p, bo[i], bo[i + 1]) <= tol) return true;
        }
      }
      return false;
    };
    for (const auto& bo : bords) {
      // A half that stops short of its plane keeps away from it all along the border; a border
      // touching the plane somewhere (a foil's tip) is open instead.
      double dBord = std::numeric_limits<double>::infinity();
      if (e.Sym)
        for (const auto& p : bo) dBord = std::min(dBord, DistancePlan(e.PlanSym, p));
      for (size_t i = 0; i + 1 < bo.size(); i++) {
        const TVertex3f &p = bo[i], &q = bo[i + 1];
        const TVertex3f d = q - p;
        if (std::sqrt(d.X * d.X + d.Y * d.Y + d.Z * d.Z) <= tol) continue;  // a collapsed border
        if (std::min(p.Z, q.Z) >= -tol) continue;                           // above the water
        if (e.Sym) {
          const double dp = DistancePlan(e.PlanSym, p), dq = DistancePlan(e.PlanSym, q);
          if (dp <= tol && dq <= tol) continue;  // joined to its mirror
          if (dBord > tol && std::max(dp, dq) < 0.05 * largeur && !partage(p)) {
            ecart = true, ecartMax = std::max(ecartMax, std::max(dp, dq));
            continue;
          }
        } else if (unCote && std::abs(p.X) <= tol && std::abs(q.X) <= tol) {
          demi = true;
          continue;
        }
        if (partage(p) && partage(q)) continue;
        ouvert = true;
        ya = std::min({ya, p.Y, q.Y}), yb = std::max({yb, p.Y, q.Y}), zmin = std::min({zmin, p.Z, q.Z});
      }
    }
    if (demi)
      r.push_back(
          {TGenreConstat::DemiCoque, k, -1, 0, 0, Format(rs("rsVerifDemiCoque").c_str(), e.Nom.c_str())});
    if (ecart)
      r.push_back({TGenreConstat::PlanSym, k, -1, ecartMax, 0,
                   Format(rs("rsVerifPlanSym").c_str(), e.Nom.c_str(), ecartMax)});
    if (ouvert)
      r.push_back({TGenreConstat::Ouverte, k, -1, zmin, 0,
                   Format(rs("rsVerifOuverte").c_str(), e.Nom.c_str(), ya, yb, zmin)});
  }

  // Bodies sharing volume below the waterline: the smaller one is named as the one to trim.
  for (size_t i = 0; i < ks.size(); i++)
    for (size_t j = i + 1; j < ks.size(); j++) {
      const TEntity &a = doc.Surf(ks[i]), &b = doc.Surf(ks[j]);
      const double v = VolumeCommun(a, b);
      const double va = std::abs(volumes[static_cast<size_t>(ks[i])]),
                   vb = std::abs(volumes[static_cast<size_t>(ks[j])]);
      // Rounding of the columns along a shared skin leaves a film: not an intersection.
      if (!(v > 1e-4 * std::max(va, vb) && v > 1e-9 * taille * taille * taille)) continue;
      const TEntity &petit = va <= vb ? a : b, &grand = va <= vb ? b : a;
      r.push_back({TGenreConstat::Intersection, ks[i], ks[j], v, 0,
                   Format(rs("rsVerifIntersection").c_str(), a.Nom.c_str(), b.Nom.c_str(), v,
                          petit.Nom.c_str(), grand.Nom.c_str())});
    }

  // Weights far from every surface (units, a sign, a typing slip). Measured in plan: a mast or
  // its rigging stands high above the hull by design, so height counts only beyond the length.
  const double longueur = tout.Y1 - tout.Y0;
  for (size_t w = 0; w < doc.ListePoids.size(); w++) {
    const TPoids& p = doc.ListePoids[w];
    double dmin = std::numeric_limits<double>::infinity();
    bool loin = true;
    for (int k : ks) {
      TBoite b;
      PourPoints(doc.Surf(k), [&](const TVertex3f& q) { b.Ajoute(q); });
      if (b.Vide()) continue;
      dmin = std::min(dmin, b.Distance({p.X, p.Y, p.Z}));
      TBoite plan = b;
      plan.Z0 = plan.Z1 = p.Z;
      const double dz = std::max({b.Z0 - p.Z, 0.0, p.Z - b.Z1});
      if (plan.Distance({p.X, p.Y, p.Z}) <= largeur && dz <= longueur) loin = false;
    }
    if (loin && dmin > largeur)
      r.push_back({TGenreConstat::PoidsLoin, -1, static_cast<int>(w), dmin, 0,
                   Format(rs("rsVerifPoidsLoin").c_str(), p.Nom.c_str(), p.X, p.Y, p.Z, dmin)});
  }

  // The precision: the immersed volumes again at twice the precision, on copies.
  const int p0 = doc.Precision;
  auto volumesA = [&](int precision, std::vector<double>& v) {
    v.assign(static_cast<size_t>(doc.NbSurf()), 0.0);
    for (int k : ks) {
      std::unique_ptr<TEntity> c = doc.Surf(k).Clone();
      if (auto* s = dynamic_cast<TSurface*>(c.get())) {
        if (!s->RedimGrilles(precision + 1, precision + 1)) continue;
        s->MarqueNonCalculee();
        s->CalcSurface();
        v[static_cast<size_t>(k)] = VolumeImmerge(*s);
      } else {
        v[static_cast<size_t>(k)] = volumes[static_cast<size_t>(k)];  // a mesh does not change
      }
    }
  };
  // The largest relative change between two sets of volumes and its surface.
  double total = 0;
  for (int k : ks) total += std::abs(volumes[static_cast<size_t>(k)]);
  auto ecart = [&](const std::vector<double>& v1, const std::vector<double>& v2, int& pire) {
    double m = 0;
    pire = -1;
    for (int k : ks) {
      const double a = v1[static_cast<size_t>(k)], b = v2[static_cast<size_t>(k)];
      if (std::abs(a) <= 1e-3 * total) continue;  // a sliver of the hull: its error is not the volume's
      const double e = 100 * std::abs(b - a) / std::abs(a);
      if (e > m) m = e, pire = k;
    }
    return m;
  };
  if (p0 < PrecisionMax && total > 0) {
    std::vector<double> v2;
    const int p2 = std::min(2 * p0, PrecisionMax);
    volumesA(p2, v2);
    int pire = -1;
    const double e = ecart(volumes, v2, pire);
    if (e > EcartPrecision && pire >= 0) {
      // Doubled again until the next doubling moves the volume less than the limit.
      int pc = p2;
      std::vector<double> va = v2, vb;
      while (pc < PrecisionMax) {
        const int pn = std::min(2 * pc, PrecisionMax);
        volumesA(pn, vb);
        int x = -1;
        if (ecart(va, vb, x) <= EcartPrecision) break;
        pc = pn, va = vb;
      }
      r.push_back({TGenreConstat::Precision, pire, -1, e, pc,
                   Format(rs("rsVerifPrecision").c_str(), doc.Surf(pire).Nom.c_str(), e, p0, p2, pc)});
    }
  }
  return r;
}

std::vector<TConstatModele> ConstatsPour(const std::vector<TConstatModele>& c, unsigned fonds) {
  std::vector<TConstatModele> r;
  for (const auto& x : c)
    if ((x.Genre == TGenreConstat::PoidsLoin ? fcPoids : fcCarene) & fonds) r.push_back(x);
  return r;
}

std::string LigneConstats(const TDocument& doc, const std::vector<TConstatModele>& c) {
  if (c.empty()) return "";
  static const std::pair<TGenreConstat, const char*> Courts[] = {
      {TGenreConstat::Orientation, "rsVerifCourtOrientation"},
      {TGenreConstat::Ouverte, "rsVerifCourtOuverte"},
      {TGenreConstat::DemiCoque, "rsVerifCourtDemiCoque"},
      {TGenreConstat::PlanSym, "rsVerifCourtPlanSym"},
      {TGenreConstat::Intersection, "rsVerifCourtIntersection"},
      {TGenreConstat::PoidsLoin, "rsVerifCourtPoidsLoin"},
      {TGenreConstat::Precision, "rsVerifCourtPrecision"}};
  auto nom = [&](const TConstatModele& x, int k) -> std::string {
    if (x.Genre == TGenreConstat::PoidsLoin)
      return x.Autre >= 0 && x.Autre < static_cast<int>(doc.ListePoids.size())
                 ? doc.ListePoids[static_cast<size_t>(x.Autre)].Nom
                 : std::string();
    return k >= 0 && k < doc.NbSurf() ? doc.Surf(k).Nom : std::string();
  };
  // Each kind once, in the check's order of kinds, with the names it concerns.
  std::string genres;
  for (const auto& [g, cle] : Courts) {
    std::vector<std::string> noms;
    for (const auto& x : c) {
      if (x.Genre != g) continue;
      // An intersection is a pair: both bodies, as the check names them.
      std::string n = nom(x, x.Surface);
      if (x.Genre == TGenreConstat::Intersection) n += " " + rs("rsEt") + " " + nom(x, x.Autre);
      if (!n.empty() && std::find(noms.begin(), noms.end(), n) == noms.end()) noms.push_back(n);
    }
    if (noms.empty() && std::none_of(c.begin(), c.end(), [g = g](const auto& x) { return x.Genre == g; }))
      continue;
    std::string t = rs(cle);
    if (!noms.empty()) {
      t += " (";
      for (size_t i = 0; i < noms.size(); i++) t += (i ? ", " : "") + noms[i];
      t += ")";
    }
    genres += (genres.empty() ? "" : " ; ") + t;
  }
  return Format(rs("rsVerifLigne").c_str(), static_cast<int>(c.size()), genres.c_str());
}
