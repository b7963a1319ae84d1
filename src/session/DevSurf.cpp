// Development of ruled surfaces: unfolding strip by strip, the circle intersection it
// rests on, and the patterns added to the document as mesh surfaces.
#include "session/DevSurf.h"

#include <cmath>

#include "base/Chaines.h"
#include "base/Debug.h"
#include "session/ObjCom.h"

namespace {

// Centres closer than this are one centre: the points come from 32-bit floats.
constexpr long double EpsCentre = 1e-6L;
// A discriminant this small against the size of the circles is a tangency lost to
// rounding (the centres are 32-bit floats): a degenerate triangle, such as a strip
// ending in a point. The discriminant is 4 a h2, h the half-chord: the scale is 4 a times
// the squares of the lengths in play.
constexpr long double EpsDiscriminant = 1e-6L;

long double Discriminant(long double d, long double a, long double echelle) {
  if (d < 0 && -d <= EpsDiscriminant * 4 * a * echelle) d = 0;
  return d;
}

TPoint2f P2(const TVertex3f& v) { return Point2f(v.X, v.Y); }
TVertex3f V3(const TPoint2f& p) { return {p.X, p.Y, 0}; }

bool Fini(const TVertex3f& v) { return std::isfinite(v.X) && std::isfinite(v.Y) && std::isfinite(v.Z); }

// Where a point at distance r1 from C1 goes when the two circles do not meet: on the
// line of the centres, on the side nearest the other circle, which is where the two
// points meet when the circles just touch. Concentric circles (a ruling of zero length)
// take the direction the edge was following.
TPoint2f Repli(const TPoint2f& c1, const TPoint2f& c2, double r1, double r2, double dx, double dy) {
  double ux = double(c2.X) - c1.X, uy = double(c2.Y) - c1.Y;
  double d = std::hypot(ux, uy);
  if (d < double(EpsCentre)) {
    double n = std::hypot(dx, dy);
    if (!(n > 0)) dx = 0, dy = 1, n = 1;
    return Point2f(c1.X + r1 * dx / n, c1.Y + r1 * dy / n);
  }
  ux /= d, uy /= d;
  double s = (d > r1 + r2 || r1 >= r2) ? 1 : -1;
  return Point2f(c1.X + s * r1 * ux, c1.Y + s * r1 * uy);
}

}  // namespace

bool SurfaceDeveloppable(const TEntity& e) {
  const auto* s = dynamic_cast<const TSurface*>(&e);
  if (!s) return false;
  return (s->Net.NbLn == 2 && s->Net.LFlex == 2) || (s->Net.NbCol == 2 && s->Net.CFlex == 2);
}

bool Intersect2Cercles(const TPoint2f& c1, const TPoint2f& c2, TPoint2f& p1, double r1, double r2,
                       TPoint2f& p2, bool* invalide) {
  if (invalide) *invalide = false;
  const long double x1 = c1.X, y1 = c1.Y, x2 = c2.X, y2 = c2.Y;
  if (std::fabs(x1 - x2) < EpsCentre && std::fabs(y1 - y2) < EpsCentre) {
    p1 = p2 = c1;
    return false;
  }
  const long double R1 = r1, R2 = r2;
  const long double W = R2 * R2 - R1 * R1 - x2 * x2 + x1 * x1 - y2 * y2 + y1 * y1;
  const long double echelle = (std::fabs(R1) + std::fabs(R2)) *
                              (std::fabs(R1) + std::fabs(R2) + std::hypot(x1, y1) + std::hypot(x2, y2));
  long double ax = 0, ay = 0, bx = 0, by = 0;
  long double d = 0;
  if (std::fabs(y1 - y2) > EpsCentre) {
    const long double k = (x1 - x2) / (y1 - y2);
    const long double w = W / (2 * (y1 - y2));
    const long double a = k * k + 1, b = 2 * y1 * k - 2 * w * k - 2 * x1;
    const long double c = x1 * x1 + y1 * y1 + w * w - R1 * R1 - 2 * y1 * w;
    d = Discriminant(b * b - 4 * a * c, a, echelle);
    if (d >= 0) {
      const long double r = std::sqrt(d);
      ax = (-b + r) / (2 * a), bx = (-b - r) / (2 * a);
      // y from the unrounded x: the line is steep when the centres are nearly level, and
      // an x rounded to 32 bits would throw y off by the slope times its rounding.
      ay = w - k * ax, by = w - k * bx;
    }
  } else {
    const long double x = W / (2 * (x1 - x2));
    const long double b = -2 * y1, c = (x1 - x) * (x1 - x) + y1 * y1 - R1 * R1;
    d = Discriminant(b * b - 4 * c, 1, echelle);
    if (d >= 0) {
      const long double r = std::sqrt(d);
      ax = bx = x;
      ay = (-b + r) / 2, by = (-b - r) / 2;
    }
  }
  if (std::isnan(d)) {
    if (invalide) *invalide = true;
    p1 = c1, p2 = c2;
    return false;
  }
  if (d < 0) {
    p1 = c1, p2 = c2;
    return false;
  }
  p1 = Point2f(double(ax), double(ay));
  p2 = Point2f(double(bx), double(by));
  if (!std::isfinite(p1.X) || !std::isfinite(p1.Y) || !std::isfinite(p2.X) || !std::isfinite(p2.Y)) {
    if (invalide) *invalide = true;
    p1 = c1, p2 = c2;
    return false;
  }
  return true;
}

bool DevelopSNURBS(const TSurface& s, TArrayVertex3f& patron, std::vector<TErreurDev>& erreurs,
                   std::string* message) {
  TRACE("DevSurf.DevelopSNURBS");
  patron.clear();
  auto echec = [&](const std::string& m) {
    patron.clear();
    if (message) *message = m;
    return false;
  };
  const bool lignes = s.Net.NbLn == 2 && s.Net.LFlex == 2;
  const bool colonnes = !lignes && s.Net.NbCol == 2 && s.Net.CFlex == 2;
  if (!lignes && !colonnes) return echec(rs("rsDevNonReglee"));
  // A net of 2 columns is read with its grid transposed: the source is never changed.
  const int n = (lignes ? s.NbColPt : s.NbLnPt) + 1;
  const int der = lignes ? s.NbLnPt : s.NbColPt;
  if (n < 2 || static_cast<int>(s.Pts.size()) <= std::max(s.NbLnPt, 0) ||
      static_cast<int>(s.Pts[0].size()) <= std::max(s.NbColPt, 0))
    return echec(rs("rsDevNonCalculee"));
  std::vector<TVertex3f> A(static_cast<size_t>(n)), B(static_cast<size_t>(n));
  for (int j = 0; j < n; j++) {
    A[size_t(j)] = lignes ? s.Pts[0][size_t(j)] : s.Pts[size_t(j)][0];
    B[size_t(j)] = lignes ? s.Pts[size_t(der)][size_t(j)] : s.Pts[size_t(j)][size_t(der)];
    if (!Fini(A[size_t(j)]) || !Fini(B[size_t(j)])) return echec(rs("rsDevErreurNan"));
  }
  std::vector<TVertex3f> Ap(static_cast<size_t>(n)), Bp(static_cast<size_t>(n));
  Ap[0] = {0, 0, 0};
  Bp[0] = {Distance3D(A[0], B[0]), 0, 0};
  std::vector<TErreurDev> err{{0, 0}};
  for (int i = 0; i + 1 < n; i++) {
    const size_t u = size_t(i), v = u + 1;
    const TPoint2f C1 = P2(Ap[u]), C2 = P2(Bp[u]);
    // The direction each edge was following, for a ruling of zero length.
    double dax = 0, day = 1, dbx = 0, dby = 1;
    if (i > 0) {
      dax = Ap[u].X - Ap[u - 1].X, day = Ap[u].Y - Ap[u - 1].Y;
      dbx = Bp[u].X - Bp[u - 1].X, dby = Bp[u].Y - Bp[u - 1].Y;
    }
    TPoint2f b1, b2, a1, a2;
    bool inv = false;
    const double rb1 = Distance3D(A[u], B[v]), rb2 = Distance3D(B[u], B[v]);
    if (!Intersect2Cercles(C1, C2, b1, rb1, rb2, b2, &inv)) {
      if (inv) return echec(rs("rsDevErreurNan"));
      b1 = b2 = Repli(C1, C2, rb1, rb2, dbx, dby);
    }
    const double ra1 = Distance3D(A[u], A[v]), ra2 = Distance3D(B[u], A[v]);
    if (!Intersect2Cercles(C1, C2, a1, ra1, ra2, a2, &inv)) {
      if (inv) return echec(rs("rsDevErreurNan"));
      a1 = a2 = Repli(C1, C2, ra1, ra2, dax, day);
    }
    if (i == 0) {
      Ap[v] = V3(a1), Bp[v] = V3(b1);
    } else {
      // Each side's candidate is judged against the bend of the other side's true edge.
      const double thB = Angle3D(B[u - 1], B[u], B[v]);
      Ap[v] = std::fabs(thB - Angle3D(Ap[u - 1], Ap[u], V3(a1))) <=
                      std::fabs(thB - Angle3D(Ap[u - 1], Ap[u], V3(a2)))
                  ? V3(a1)
                  : V3(a2);
      const double thA = Angle3D(A[u - 1], A[u], A[v]);
      Bp[v] = std::fabs(thA - Angle3D(Bp[u - 1], Bp[u], V3(b1))) <=
                      std::fabs(thA - Angle3D(Bp[u - 1], Bp[u], V3(b2)))
                  ? V3(b1)
                  : V3(b2);
    }
    err.push_back({i + 1, std::fabs(Distance3D(A[v], B[v]) - Distance3D(Ap[v], Bp[v]))});
    DbgErr(waTrace, "developSNURBS2", 0,
           {Format("%g", rb1), Format("%g", Distance3D(Ap[u], V3(b1))),
            Format("%g", Distance3D(Ap[u], V3(b2)))});
  }
  DbgErr(waTrace, "developSNURBS2", 100,
         {Format("%g;%g", Ap.back().X, Ap.back().Y), Format("%g;%g", Bp.back().X, Bp.back().Y)});
  patron = {std::move(Ap), std::move(Bp)};
  erreurs.insert(erreurs.end(), err.begin(), err.end());
  return true;
}

int AjouteEntityDev(TDocument& doc, const std::string& nom, const TArrayVertex3f& patron) {
  TRACE("TDevSurfForm.AjouteEntity");
  const int n = patron.empty() ? 0 : static_cast<int>(patron[0].size());
  auto e = std::make_unique<TDXFSurface>(doc.NbSurf(), n, 2);
  e->Nom = NomSurfaceCoupe(nom);
  e->Poids.Nom = e->Nom;
  e->Visible = true;
  e->Verrou = e->Sym = e->Calc = e->Voile = false;
  for (size_t i = 0; i < 2 && i < patron.size(); i++)
    for (size_t j = 0; j < patron[i].size() && j < e->Pts[i].size(); j++) e->Pts[i][j] = patron[i][j];
  e->CreateTabCoupes(doc.Grille.NbSec, doc.Grille.NbLE, doc.Grille.NbLong, doc.Grille.NbDiag);
  e->MarqueNonCalculee();
  doc.TabSurf.push_back(std::move(e));
  const int k = doc.NbSurf() - 1;
  TEntity& s = doc.Surf(k);
  MajSurface(doc, true, k);
  MajCoupesSurface(doc);
  s.PlanSym.Origine = {(s.PtXMin.X + s.PtXMax.X) / 2, (s.PtYMin.Y + s.PtYMax.Y) / 2,
                       (s.PtZMin.Z + s.PtZMax.Z) / 2};
  s.PlanSym.MajPlan();
  return k;
}

std::string DevelopperSurfaces(TDocument& doc, const std::vector<int>& nums, std::vector<TResultatDev>& res) {
  TRACE("TDevSurfForm.BtnLancerClick");
  res.clear();
  for (int k : nums)
    if (k < 0 || k >= doc.NbSurf()) return "rsMauvaiseSelection";
  // Counted before anything is made: a run never stops half-way for want of room.
  if (doc.NbSurf() + static_cast<int>(nums.size()) > MaxSurf) return "rsSurfSelMax";
  // A copy: the caller's list may live in the document that the new patterns grow.
  const std::vector<int> sources = nums;  // NOLINT(performance-unnecessary-copy-initialization)
  for (int k : sources) {
    TResultatDev r;
    r.Source = k;
    r.Nom = doc.Surf(k).Nom + "_DEV";
    const TSurface* s = doc.SurfNurbs(k);
    if (!s || !SurfaceDeveloppable(*s)) {
      r.Message = rs("rsDevNonReglee");
    } else {
      MajSurface(doc, true, k);
      if (DevelopSNURBS(*doc.SurfNurbs(k), r.Patron, r.Erreurs, &r.Message))
        r.Ajoutee = AjouteEntityDev(doc, r.Nom, r.Patron);
    }
    if (!r.Message.empty()) DbgErr(erCalcul, "DevSurf.DevelopSNURBS", k, {r.Nom, r.Message});
    res.push_back(std::move(r));
  }
  doc.MarqueModifie();
  return "";
}

double AirePatron(const TArrayVertex3f& patron) {
  if (patron.size() < 2) return 0;
  std::vector<TVertex3f> c(patron[0].begin(), patron[0].end());
  c.insert(c.end(), patron[1].rbegin(), patron[1].rend());
  double a = 0;
  for (size_t i = 0; i < c.size(); i++) {
    const TVertex3f &p = c[i], &q = c[(i + 1) % c.size()];
    a += p.X * q.Y - q.X * p.Y;
  }
  return std::fabs(a) / 2;
}

TMesurePatron MesurePatron(const TArrayVertex3f& patron) {
  TMesurePatron m;
  if (patron.size() < 2) return m;
  const auto &a = patron[0], &b = patron[1];
  const size_t n = std::min(a.size(), b.size());
  auto aire = [](const TVertex3f& p, const TVertex3f& q, const TVertex3f& r) {
    return Norme(ProduitVect(q - p, r - p)) / 2;
  };
  for (size_t j = 0; j + 1 < n; j++) {
    m.Aire += aire(a[j], b[j], b[j + 1]) + aire(a[j], b[j + 1], a[j + 1]);
    m.BordA += Norme(a[j + 1] - a[j]);
    m.BordB += Norme(b[j + 1] - b[j]);
  }
  return m;
}
