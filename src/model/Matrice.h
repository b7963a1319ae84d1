// Points, vectors and 4 x 4 transformation matrices of the hull model.
// Points are column vectors: M x (x, y, z, 1), translation in column 3, and no
// perspective division (row 3 is carried along but never used).
#pragma once

#include <vector>

struct TVertex3f {
  double X = 0, Y = 0, Z = 0;
  friend bool operator==(const TVertex3f&, const TVertex3f&) = default;
};

inline TVertex3f operator+(const TVertex3f& a, const TVertex3f& b) {
  return {a.X + b.X, a.Y + b.Y, a.Z + b.Z};
}
inline TVertex3f operator-(const TVertex3f& a, const TVertex3f& b) {
  return {a.X - b.X, a.Y - b.Y, a.Z - b.Z};
}
inline TVertex3f operator*(const TVertex3f& a, double k) { return {a.X * k, a.Y * k, a.Z * k}; }
inline TVertex3f operator*(double k, const TVertex3f& a) { return a * k; }
inline TVertex3f operator-(const TVertex3f& a) { return {-a.X, -a.Y, -a.Z}; }

struct TPoint2f {
  float X = 0, Y = 0;
  friend bool operator==(const TPoint2f&, const TPoint2f&) = default;
};

// A grid of points, [row][column].
using TArrayVertex3f = std::vector<std::vector<TVertex3f>>;

struct TMatrice4 {
  double M[4][4] = {};
  double* operator[](int i) { return M[i]; }
  const double* operator[](int i) const { return M[i]; }
};

void InitMatrice(TMatrice4& m);  // all zero but M[3][3] = 1 (not the identity)
TMatrice4 MatIdentite();
void CopieMatrice(const TMatrice4& src, TMatrice4& dst);
void ProduitMatrice4(const TMatrice4& a, const TMatrice4& b, TMatrice4& r);
TMatrice4 operator*(const TMatrice4& a, const TMatrice4& b);
void Transformation3D(const TMatrice4& m, const TVertex3f& p, TVertex3f& q);
void Transformation3D(const TMatrice4& m, TVertex3f& p);
void MatTranslation(const TVertex3f& v, TMatrice4& m);
void Translation3D(const TVertex3f& v, TVertex3f& p);
void MatRotationX(TMatrice4& m, double aDeg);
void MatRotationY(TMatrice4& m, double aDeg);
void MatRotationZ(TMatrice4& m, double aDeg);
// T(centre) x Rz x Ry x Rx x T(-centre): rotates about X first, then Y, then Z.
void MatRotation3D(const TVertex3f& centre, const TVertex3f& anglesDeg, TMatrice4& m);
// T(centre) x Rx x Ry x Rz x T(-centre); with negated angles the inverse of MatRotation3D.
void MatRotationInv3D(const TVertex3f& centre, const TVertex3f& anglesDeg, TMatrice4& m);
void Rotation3D(const TVertex3f& centre, const TVertex3f& anglesDeg, TVertex3f& p);
void MatEchelle3D(const TVertex3f& s, TMatrice4& m);
void MatHomothetie3D(const TVertex3f& s, const TVertex3f& centre, TMatrice4& m);
