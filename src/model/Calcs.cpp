// Vector, plane, angle, curvature and screen procedures.
#include "model/Calcs.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <numbers>
#include <stdexcept>

#include "base/Chaines.h"
#include "base/Options.h"
#include "base/Services.h"

namespace {
constexpr double DegRad = std::numbers::pi / 180.0;
constexpr double RadDeg = 180.0 / std::numbers::pi;
}  // namespace

double MaxTab(std::span<const double> t) {
  double m = -10000;
  for (double v : t)
    if (v > m) m = v;
  return m;
}

double MinTab(std::span<const double> t) {
  double m = 10000;
  for (double v : t)
    if (v < m) m = v;
  return m;
}

bool MemeSigne(double a, double b) { return (a >= 0 && b >= 0) || (a <= 0 && b <= 0); }

bool ResizeArrayVertex3f(TArrayVertex3f& g, int rows, int cols) {
  if (rows < 0) rows = 0;
  if (cols < 0) cols = 0;
  try {
    // Built aside and swapped in, so a failure never leaves a ragged grid.
    TArrayVertex3f n(static_cast<size_t>(rows), std::vector<TVertex3f>(static_cast<size_t>(cols)));
    for (size_t i = 0; i < n.size() && i < g.size(); i++)
      for (size_t j = 0; j < n[i].size() && j < g[i].size(); j++) n[i][j] = g[i][j];
    g.swap(n);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  } catch (const std::length_error&) {
    return false;
  }
}

double Norme(const TVertex3f& v) { return std::sqrt(v.X * v.X + v.Y * v.Y + v.Z * v.Z); }

void NormalizeVertex3f(TVertex3f& v) {
  double n = Norme(v);
  if (n == 0) {
    v = {0, 1, 0};
    return;
  }
  v = v * (1.0 / n);
}

double Distance3D(const TVertex3f& a, const TVertex3f& b) { return Norme(b - a); }

double Distance2D(const TPoint2f& a, const TPoint2f& b) {
  double dx = static_cast<double>(b.X) - a.X, dy = static_cast<double>(b.Y) - a.Y;
  return std::sqrt(dx * dx + dy * dy);
}

double ProduitScalaire(const TVertex3f& a, const TVertex3f& b) { return a.X * b.X + a.Y * b.Y + a.Z * b.Z; }

void ProduitVect(const TVertex3f& a, const TVertex3f& b, TVertex3f& r) { r = ProduitVect(a, b); }

TVertex3f ProduitVect(const TVertex3f& a, const TVertex3f& b) {
  return {a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X};
}

void ProduitVectoriel(const TVertex3f& p1, const TVertex3f& p2, const TVertex3f& p3, TVertex3f& n) {
  n = ProduitVect(p1 - p2, p3 - p2);
}

void NormaleTriangle(const TVertex3f& p1, const TVertex3f& p2, const TVertex3f& p3, TVertex3f& n) {
  n = ProduitVect(p2 - p1, p3 - p1);
}

void BarycentreTri(const TVertex3f& p1, const TVertex3f& p2, const TVertex3f& p3, TVertex3f& g) {
  g = (p1 + p2 + p3) * (1.0 / 3.0);
}

double CalcSurfTri(const TVertex3f& p1, const TVertex3f& p2, const TVertex3f& p3) {
  double a = Distance3D(p1, p2), b = Distance3D(p2, p3), c = Distance3D(p3, p1);
  double s = (a + b + c) / 2;
  return std::sqrt(s * std::abs((s - a) * (s - b) * (s - c)));
}

double AireTrapeze(double h, double b1, double b2) { return (b1 + b2) * h / 2; }

void CalcSym(const TVertex3f& p, const TPlan& pl, TVertex3f& q) { q = CalcSym(p, pl); }

TVertex3f CalcSym(const TVertex3f& p, const TPlan& pl) {
  double n2 = pl.A * pl.A + pl.B * pl.B + pl.C * pl.C;
  if (n2 == 0) return p;  // no normal: no mirror to take
  double t = 2 * (pl.A * p.X + pl.B * p.Y + pl.C * p.Z + pl.D) / n2;
  return {p.X - t * pl.A, p.Y - t * pl.B, p.Z - t * pl.C};
}

void CalcProjeteVect(const TVertex3f& p, const TVertex3f& v, const TPlan& pl, TVertex3f& q) {
  double g = pl.A * v.X + pl.B * v.Y + pl.C * v.Z;
  double t = (g != 0) ? -(pl.A * p.X + pl.B * p.Y + pl.C * p.Z + pl.D) / g : 0;
  q = p + v * t;
}

void CalcProjeteNX(const TVertex3f& p, const TPlan& pl, TVertex3f& q) {
  double d = pl.B * pl.B + pl.C * pl.C;
  if (d == 0) {
    q = p;
    return;
  }
  double f = (pl.A * p.X + pl.B * p.Y + pl.C * p.Z + pl.D) / d;
  q = {p.X, p.Y - pl.B * f, p.Z - pl.C * f};
}

void CalcProjeteNY(const TVertex3f& p, const TPlan& pl, TVertex3f& q) {
  double d = pl.A * pl.A + pl.C * pl.C;
  if (d == 0) {
    q = p;
    return;
  }
  double f = (pl.A * p.X + pl.B * p.Y + pl.C * p.Z + pl.D) / d;
  q = {p.X - pl.A * f, p.Y, p.Z - pl.C * f};
}

void CalcProjeteNZ(const TVertex3f& p, const TPlan& pl, TVertex3f& q) {
  double d = pl.A * pl.A + pl.B * pl.B;
  if (d == 0) {
    q = p;
    return;
  }
  double f = (pl.A * p.X + pl.B * p.Y + pl.C * p.Z + pl.D) / d;
  q = {p.X - pl.A * f, p.Y - pl.B * f, p.Z};
}

void RotationPtAxe(int axe, const TVertex3f& centre, TVertex3f& p, double aDeg) {
  double c = std::cos(aDeg * DegRad), s = std::sin(aDeg * DegRad);
  TVertex3f r = p - centre, n = r;
  switch (axe) {
    case 0:
      n.X = r.X * c - r.Z * s;
      n.Z = r.X * s + r.Z * c;
      break;
    case 1:
      n.X = r.X * c - r.Y * s;
      n.Y = r.X * s + r.Y * c;
      break;
    case 2:
      n.Y = r.Y * c - r.Z * s;
      n.Z = r.Y * s + r.Z * c;
      break;
    default:
      AfficheMessage(rs("rsErActionNonPrevue"), mtError, mbOK);
      return;
  }
  p = n + centre;
}

void CalcPtDroite(const TVertex3f& p1, const TVertex3f& p2, TVertex3f& p, int mode) {
  auto interp = [](double a1, double a2, double a, double b1, double b2) {
    return b1 + (a - a1) / (a2 - a1) * (b2 - b1);
  };
  switch (mode) {
    case 1:
      if (p1.X != p2.X) {
        p.Y = interp(p1.X, p2.X, p.X, p1.Y, p2.Y);
        p.Z = interp(p1.X, p2.X, p.X, p1.Z, p2.Z);
      } else {
        p.Y = (p1.Y + p2.Y) / 2;
        p.Z = (p1.Z + p2.Z) / 2;
      }
      break;
    case 2:
      if (p1.Y != p2.Y) {
        p.X = interp(p1.Y, p2.Y, p.Y, p1.X, p2.X);
        p.Z = interp(p1.Y, p2.Y, p.Y, p1.Z, p2.Z);
      } else {
        p.X = (p1.X + p2.X) / 2;
        p.Z = (p1.Z + p2.Z) / 2;
      }
      break;
    case 3:
      if (p1.Z != p2.Z) {
        p.X = interp(p1.Z, p2.Z, p.Z, p1.X, p2.X);
        p.Y = interp(p1.Z, p2.Z, p.Z, p1.Y, p2.Y);
      } else {
        p.X = (p1.X + p2.X) / 2;
        p.Y = (p1.Y + p2.Y) / 2;
      }
      break;
    default:
      AfficheMessage(rs("rsErrCasDroites"), mtError, mbOK);
  }
}

void InterDroiteDiag(const TVertex3f& p1, const TVertex3f& p2, TVertex3f& p, double z0, double pente) {
  double den = pente * (p2.X - p1.X) - (p2.Z - p1.Z);
  double t = (den != 0) ? (p1.Z - pente * p1.X - z0) / den : 0;  // parallel segment: its first end
  p.X = p1.X + t * (p2.X - p1.X);
  p.Y = p1.Y + t * (p2.Y - p1.Y);
  p.Z = z0 + pente * p.X;
}

double Angle2D(const TPoint2f& p1, const TPoint2f& p2, const TPoint2f& p3) {
  double a = Distance2D(p1, p2), b = Distance2D(p1, p3), d = Distance2D(p2, p3);
  if (a == 0 || b == 0) return 0;
  double c = (a * a + b * b - d * d) / (2 * a * b);
  if (!(c >= -1 && c <= 1)) return 0;
  return std::acos(c) * RadDeg;
}

double Angle3D(const TVertex3f& p1, const TVertex3f& p2, const TVertex3f& p3) {
  TVertex3f u = p1 - p2, v = p3 - p2;
  double nu = Norme(u), nv = Norme(v);
  if (nu == 0 || nv == 0) return 0;
  double c = ProduitScalaire(u, v) / (nu * nv);
  double s = Norme(ProduitVect(u, v)) / (nu * nv);
  if (c == 0) return 90;
  double a = std::atan(s / c) * RadDeg;
  if (c < 0) a += 180;
  return a;
}

double AngleOriente2D(const TPoint2f& p1, const TPoint2f& p2, const TPoint2f& p3) {
  double ux = static_cast<double>(p1.X) - p2.X, uy = static_cast<double>(p1.Y) - p2.Y;
  double vx = static_cast<double>(p3.X) - p2.X, vy = static_cast<double>(p3.Y) - p2.Y;
  double nu = std::sqrt(ux * ux + uy * uy), nv = std::sqrt(vx * vx + vy * vy);
  if (nu == 0 || nv == 0) return 0;
  double c = (ux * vx + uy * vy) / (nu * nv);
  double s = (ux * vy - vx * uy) / (nu * nv);
  if (c == 0) return s > 0 ? 90 : (s < 0 ? -90 : 0);
  double a = std::atan(s / c) * RadDeg;
  if (c < 0 && s >= 0)
    a += 180;
  else if (c < 0 && s < 0)
    a -= 180;
  return a;
}

bool CerclePar3Pts(const TVertex3f& p1, const TVertex3f& p2, const TVertex3f& p3, TVertex3f& centre) {
  TVertex3f u = p2 - p1, w = p3 - p1;
  TVertex3f uw = ProduitVect(u, w);
  double r = ProduitScalaire(uw, uw);
  if (r == 0) return false;
  double p = ProduitScalaire(u, u), q = ProduitScalaire(u, w), s = ProduitScalaire(w, w);
  centre = p1 + u * ((p - q) * s / (2 * r)) + w * (p * (s - q) / (2 * r));
  return true;
}

void Courbure(const TVertex3f& p1, const TVertex3f& p2, const TVertex3f& p3, bool racine, TCourbure& k) {
  const TOptions& o = Options();
  double f = o.FacteurCourbure / 5000.0;
  TVertex3f a = p2 + (p1 - p2) * f, b = p2 + (p3 - p2) * f;
  TVertex3f centre;
  if (!CerclePar3Pts(a, p2, b, centre)) {
    k = {};
    return;
  }
  double r = Distance3D(p2, centre);
  if (r == 0) {
    k = {{0, 0, 0}, 10000};
    return;
  }
  k.Valeur = racine ? 1 / std::sqrt(r) : 1 / r;
  k.Vecteur = centre - p2;
  if (o.TypeRayon == 0) k.Vecteur = k.Vecteur * (k.Valeur / r);
  if (o.OrientationRayon == 1) k.Vecteur = -k.Vecteur;
}

void ProjAxono(const TVertex3f& p, TPoint2f& q, double theta, double phi) {
  double st = std::sin(theta), ct = std::cos(theta), sp = std::sin(phi), cp = std::cos(phi);
  q.X = static_cast<float>(-p.X * st + p.Y * ct);
  q.Y = static_cast<float>(-p.X * ct * sp - p.Y * st * sp + p.Z * cp);
}

void Pt3DVersEcran(const TVertex3f& p, TPixel& pixel, const TParamVue& vue) {
  TPoint2f q;
  ProjAxono(p, q, vue.Theta, vue.Phi);
  // nearbyint rounds ties to even under the default rounding mode.
  pixel.X = static_cast<int>(std::nearbyint(static_cast<double>(vue.Echelle) * q.X)) + vue.OrigineX;
  pixel.Y = vue.OrigineY - static_cast<int>(std::nearbyint(static_cast<double>(vue.Echelle) * q.Y));
}

bool SurSegment(const TPixel& p1, const TPixel& p2, const TPixel& p) {
  long h, l, m;
  if (p1.X == p2.X) {
    h = p.X - 1 - p1.X;
    l = p.X - p1.X;
    m = p.X + 1 - p1.X;
  } else {
    double k = static_cast<double>(p2.Y - p1.Y) / (p2.X - p1.X);
    double r = p1.Y - p1.X * k;
    h = std::lround(std::nearbyint(k * (p.X - 1) + r - p.Y));
    l = std::lround(std::nearbyint(k * p.X + r)) - p.Y;
    m = std::lround(std::nearbyint(k * (p.X + 1) + r - p.Y));
  }
  if (!(l == 0 || (h <= 0 && 0 <= m) || (h >= 0 && 0 >= m))) return false;
  // The line test alone accepts any point of the pointer's column on a steep or
  // zero-length segment, however far beyond its ends: keep to its box, one pixel wide.
  if (p.X < std::min(p1.X, p2.X) - 1 || p.X > std::max(p1.X, p2.X) + 1 || p.Y < std::min(p1.Y, p2.Y) - 1 ||
      p.Y > std::max(p1.Y, p2.Y) + 1)
    return false;
  double t;
  if (p1.X == p2.X && p1.Y == p2.Y)
    t = 0;
  else if (p1.X == p2.X)
    t = static_cast<double>(p2.Y - p.Y) / (p2.Y - p1.Y);
  else
    t = static_cast<double>(p2.X - p.X) / (p2.X - p1.X);
  return t >= 0 && t <= 1;
}
