// 4 x 4 matrices acting on column vectors.
#include "model/Matrice.h"

#include <cmath>
#include <numbers>

namespace {
constexpr double DegRad = std::numbers::pi / 180.0;
}

void InitMatrice(TMatrice4& m) {
  m = TMatrice4{};
  m[3][3] = 1.0;
}

TMatrice4 MatIdentite() {
  TMatrice4 m;
  InitMatrice(m);
  m[0][0] = m[1][1] = m[2][2] = 1.0;
  return m;
}

void CopieMatrice(const TMatrice4& src, TMatrice4& dst) { dst = src; }

void ProduitMatrice4(const TMatrice4& a, const TMatrice4& b, TMatrice4& r) {
  TMatrice4 t;  // the output may alias an input
  for (int i = 0; i < 4; i++)
    for (int j = 0; j < 4; j++) {
      long double s = 0;
      for (int k = 0; k < 4; k++) s += static_cast<long double>(a[i][k]) * b[k][j];
      t[i][j] = static_cast<double>(s);
    }
  r = t;
}

TMatrice4 operator*(const TMatrice4& a, const TMatrice4& b) {
  TMatrice4 r;
  ProduitMatrice4(a, b, r);
  return r;
}

void Transformation3D(const TMatrice4& m, const TVertex3f& p, TVertex3f& q) {
  TVertex3f r;
  r.X = m[0][0] * p.X + m[0][1] * p.Y + m[0][2] * p.Z + m[0][3];
  r.Y = m[1][0] * p.X + m[1][1] * p.Y + m[1][2] * p.Z + m[1][3];
  r.Z = m[2][0] * p.X + m[2][1] * p.Y + m[2][2] * p.Z + m[2][3];
  q = r;
}

void Transformation3D(const TMatrice4& m, TVertex3f& p) { Transformation3D(m, p, p); }

void MatTranslation(const TVertex3f& v, TMatrice4& m) {
  InitMatrice(m);
  m[0][0] = m[1][1] = m[2][2] = 1.0;
  m[0][3] = v.X;
  m[1][3] = v.Y;
  m[2][3] = v.Z;
}

void Translation3D(const TVertex3f& v, TVertex3f& p) {
  TMatrice4 m;
  MatTranslation(v, m);
  Transformation3D(m, p);
}

void MatRotationX(TMatrice4& m, double aDeg) {
  double c = std::cos(aDeg * DegRad), s = std::sin(aDeg * DegRad);
  InitMatrice(m);
  m[0][0] = 1;
  m[1][1] = c;
  m[1][2] = -s;
  m[2][1] = s;
  m[2][2] = c;
}

void MatRotationY(TMatrice4& m, double aDeg) {
  // -sin above the diagonal here too: the transpose of the usual right-handed rotation about Y.
  double c = std::cos(aDeg * DegRad), s = std::sin(aDeg * DegRad);
  InitMatrice(m);
  m[0][0] = c;
  m[0][2] = -s;
  m[1][1] = 1;
  m[2][0] = s;
  m[2][2] = c;
}

void MatRotationZ(TMatrice4& m, double aDeg) {
  double c = std::cos(aDeg * DegRad), s = std::sin(aDeg * DegRad);
  InitMatrice(m);
  m[0][0] = c;
  m[0][1] = -s;
  m[1][0] = s;
  m[1][1] = c;
  m[2][2] = 1;
}

void MatRotation3D(const TVertex3f& centre, const TVertex3f& a, TMatrice4& m) {
  TMatrice4 t1, rx, ry, rz, t2;
  MatTranslation(centre, t1);
  MatRotationX(rx, a.X);
  MatRotationY(ry, a.Y);
  MatRotationZ(rz, a.Z);
  MatTranslation(-centre, t2);
  m = t1 * rz * ry * rx * t2;
}

void MatRotationInv3D(const TVertex3f& centre, const TVertex3f& a, TMatrice4& m) {
  TMatrice4 t1, rx, ry, rz, t2;
  MatTranslation(centre, t1);
  MatRotationX(rx, a.X);
  MatRotationY(ry, a.Y);
  MatRotationZ(rz, a.Z);
  MatTranslation(-centre, t2);
  m = t1 * rx * ry * rz * t2;
}

void Rotation3D(const TVertex3f& centre, const TVertex3f& a, TVertex3f& p) {
  TMatrice4 m;
  MatRotation3D(centre, a, m);
  Transformation3D(m, p);
}

void MatEchelle3D(const TVertex3f& s, TMatrice4& m) {
  InitMatrice(m);
  m[0][0] = s.X;
  m[1][1] = s.Y;
  m[2][2] = s.Z;
}

void MatHomothetie3D(const TVertex3f& s, const TVertex3f& centre, TMatrice4& m) {
  TMatrice4 t1, e, t2;
  MatTranslation(centre, t1);
  MatEchelle3D(s, e);
  MatTranslation(-centre, t2);
  m = t1 * e * t2;
}
