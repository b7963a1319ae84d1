// Small geometric procedures every unit calls: vectors, planes, rotation of a
// point about an axis, interpolation on a segment, angles, circle through three
// points, discrete curvature, triangle area, screen projection and hit test.
#pragma once

#include <span>
#include <vector>

#include "model/Matrice.h"

struct TCourbure {
  TVertex3f Vecteur;
  double Valeur = 0;
};

// One point of a computed line, with its curvature.
struct TPt3D {
  double X = 0, Y = 0, Z = 0;
  TCourbure Courbure;
  TPt3D() = default;
  explicit TPt3D(const TVertex3f& p) : X(p.X), Y(p.Y), Z(p.Z) {}
  TVertex3f V() const { return {X, Y, Z}; }
};
using TListPt3D = std::vector<TPt3D>;

// A plane a x + b y + c z + d = 0.
struct TPlan {
  double A = 1, B = 0, C = 0, D = 0;
};

// ObjCom helpers
inline TVertex3f Vertex3f(double x, double y, double z) { return {x, y, z}; }
inline TPoint2f Point2f(double x, double y) { return {static_cast<float>(x), static_cast<float>(y)}; }
inline void AjouteVertex3f(TVertex3f& a, const TVertex3f& b) { a = a + b; }
inline void RAZVertex3f(TVertex3f& a) { a = {}; }
inline void DiffVertex3f(const TVertex3f& a, const TVertex3f& b, TVertex3f& d) { d = b - a; }
double MaxTab(std::span<const double> t);  // from -10000
double MinTab(std::span<const double> t);  // from +10000
bool MemeSigne(double a, double b);
// Makes the grid exactly rows x cols, keeping what lies inside both bounds; new elements are zero.
// Returns false (grid unchanged) when memory runs out.
bool ResizeArrayVertex3f(TArrayVertex3f& g, int rows, int cols);

double Norme(const TVertex3f& v);
void NormalizeVertex3f(TVertex3f& v);  // the zero vector becomes (0, 1, 0)
double Distance3D(const TVertex3f& a, const TVertex3f& b);
double Distance2D(const TPoint2f& a, const TPoint2f& b);
double ProduitScalaire(const TVertex3f& a, const TVertex3f& b);
void ProduitVect(const TVertex3f& a, const TVertex3f& b, TVertex3f& r);
TVertex3f ProduitVect(const TVertex3f& a, const TVertex3f& b);
void ProduitVectoriel(const TVertex3f& p1, const TVertex3f& p2, const TVertex3f& p3, TVertex3f& n);
void NormaleTriangle(const TVertex3f& p1, const TVertex3f& p2, const TVertex3f& p3, TVertex3f& n);
void BarycentreTri(const TVertex3f& p1, const TVertex3f& p2, const TVertex3f& p3, TVertex3f& g);
double CalcSurfTri(const TVertex3f& p1, const TVertex3f& p2, const TVertex3f& p3);
double AireTrapeze(double h, double b1, double b2);

void CalcSym(const TVertex3f& p, const TPlan& pl, TVertex3f& q);
TVertex3f CalcSym(const TVertex3f& p, const TPlan& pl);
void CalcProjeteVect(const TVertex3f& p, const TVertex3f& v, const TPlan& pl, TVertex3f& q);
void CalcProjeteNX(const TVertex3f& p, const TPlan& pl, TVertex3f& q);
void CalcProjeteNY(const TVertex3f& p, const TPlan& pl, TVertex3f& q);
void CalcProjeteNZ(const TVertex3f& p, const TPlan& pl, TVertex3f& q);

// Axe 0: about Y; 1: about Z; 2: about X. Angle in degrees. Any other axis: message, P unchanged.
void RotationPtAxe(int axe, const TVertex3f& centre, TVertex3f& p, double aDeg);
// Mode 1: X known; 2: Y known; 3: Z known. Fills the two other coordinates on line P1-P2.
void CalcPtDroite(const TVertex3f& p1, const TVertex3f& p2, TVertex3f& p, int mode);
// Where P1-P2 meets the diagonal plane z = z0 + pente x.
void InterDroiteDiag(const TVertex3f& p1, const TVertex3f& p2, TVertex3f& p, double z0, double pente);

double Angle2D(const TPoint2f& p1, const TPoint2f& p2, const TPoint2f& p3);
double Angle3D(const TVertex3f& p1, const TVertex3f& p2, const TVertex3f& p3);
double AngleOriente2D(const TPoint2f& p1, const TPoint2f& p2, const TPoint2f& p3);

bool CerclePar3Pts(const TVertex3f& p1, const TVertex3f& p2, const TVertex3f& p3, TVertex3f& centre);
// Curvature at P2 of three consecutive points, with the length factor, type and
// orientation of the curvature options.
void Courbure(const TVertex3f& p1, const TVertex3f& p2, const TVertex3f& p3, bool racine, TCourbure& k);

// The projection parameters of a view that the projection reads.
struct TParamVue {
  int Type = 0;  // view kind: 0 section, 1 plan, 2 profile, 3 perspective
  int OrigineX = 0, OrigineY = 0;
  float Echelle = 1;
  float Theta = 0, Phi = 0;  // radians
  float Angle3 = 0;
};

struct TPixel {
  int X = 0, Y = 0;
  friend bool operator==(const TPixel&, const TPixel&) = default;
};

void ProjAxono(const TVertex3f& p, TPoint2f& q, double theta, double phi);
void Pt3DVersEcran(const TVertex3f& p, TPixel& pixel, const TParamVue& vue);
bool SurSegment(const TPixel& p1, const TPixel& p2, const TPixel& p);
