// Rational B-spline surfaces for the hull evaluator: the evaluation record,
// open uniform knots, span search, basis functions with derivatives, points,
// derivatives, normals and Gaussian curvature, and the whole-grid samplers.
#pragma once

#include <vector>

#include "model/Calcs.h"
#include "model/Limites.h"

constexpr int MaxNoeuds = MaxOrdre + MaxNet;  // knots of one direction: order + vertex count
constexpr int MaxDeriv = 2;                   // derivatives go up to the second (curvature)

// Grid corners are evaluated this far inside the parameter domain, so that a
// collapsed edge (a stem, a transom corner) still gets the normal of its neighbourhood.
constexpr double DecalageBord = 1e-6;

// Below this times the net's size squared, |Su x Sv| is taken as no normal. The
// rounding noise of the tangents of a net collapsed to a point is about 1e-13 of
// the size each, so 1e-26 for their product; a real surface, even a collapsed
// edge sampled DecalageBord inside the domain, is above 1e-12.
constexpr double ToleranceNormale = 1e-20;

// The evaluation record of one surface, rebuilt from its net before each evaluation.
struct TSNurbs {
  int OrdreU = 0;  // across the rows (LFlex, at most NbLn)
  int OrdreV = 0;  // across the columns (CFlex, at most NbCol)
  int NU = -1;     // highest row index
  int NV = -1;     // highest column index
  TVertex3f PtsCtrl[MaxNet][MaxNet] = {};
  double PoidsCtrl[MaxNet][MaxNet] = {};
  double NoeudsU[MaxNoeuds + 1] = {};
  double NoeudsV[MaxNoeuds + 1] = {};
  double Taille = 0;  // largest vertex coordinate (absolute): the scale of rounding errors

  // Something to evaluate: at least one vertex each way and orders within the tables.
  bool Valide() const {
    return NU >= 0 && NV >= 0 && NU < MaxNet && NV < MaxNet && OrdreU >= 1 && OrdreV >= 1 &&
           OrdreU <= MaxOrdre && OrdreV <= MaxOrdre;
  }
};

// Open uniform knots of order k over vertices 0..n: k zeros, then the interior
// values, then k ones. Knots must hold k + n + 1 values.
void KnotOpenUniform(int k, int n, double* knots);
void KnotBuild(int k, int n, double* knots);
// Lowers each order to the vertex count of its direction, then builds both knot vectors.
void KnotSetSNURBS(TSNurbs& r);
// Sets Taille from the vertices.
void MajTaille(TSNurbs& r);

// The knot span holding u (k - 1 .. n); u at or past the last knot gives n,
// u at or before the first interior knot (or not a number) gives k - 1.
int FindSpan(int k, int n, const double* knots, double u);

// Basis functions of order k at u and their derivatives up to nd:
// ders[d][r] is the d-th derivative of N[span - k + 1 + r]. Rows above the degree are zero.
// nd is held to 0..MaxDeriv (rows beyond are not written); an order outside 1..MaxOrdre
// gives zeros.
void DersBasisFuns(int span, int k, const double* knots, int nd, double u,
                   double ders[MaxDeriv + 1][MaxOrdre]);

// u at either end of the domain is moved DecalageBord inside it.
double ClampParam(double u, double dernierNoeud);

// Derivatives of the rational surface: S[a][b] is the a-th derivative in u and
// b-th in v, for a + b <= nd. Weight 0 at the point: the net's plain average is
// taken as the point and every derivative is zero.
struct TDerivees {
  TVertex3f S[MaxDeriv + 1][MaxDeriv + 1];
};
TDerivees SurfaceDerivs(const TSNurbs& r, int nd, double u, double v);

// Gaussian curvature from the first and second derivatives; 0 where the
// tangent plane is undefined (|Su x Sv| <= normeMin) or the value is not a number.
double CourbureGauss(const TVertex3f& su, const TVertex3f& sv, const TVertex3f& suu, const TVertex3f& suv,
                     const TVertex3f& svv, double normeMin = 0);
// The smallest |Su x Sv| that counts as a normal for this record.
double NormeMin(const TSNurbs& r);

// The point at (u, v) and that point moved by Distance along the unit normal
// (against it when Inverse); a point without normal (see ToleranceNormale) is its own offset point.
struct TPtNormale {
  TVertex3f Point, Decale;
};
TPtNormale EvalPtNormale(const TSNurbs& r, bool inverse, double u, double v, double distance);
// The same and the Gaussian curvature.
TPtNormale EvalPtGauss(const TSNurbs& r, bool inverse, double u, double v, double distance, double& k);

// Samples the surface on (N + 1) x (M + 1) parameter values spread evenly,
// corners moved inside: Pts[i][j] the points, Normales[i][j] the offset points.
// N and M are limited to the grids given; nothing is written when the record is not valid.
void EvalWholeSurface(const TSNurbs& r, int n, int m, TArrayVertex3f& normales, TArrayVertex3f& pts,
                      double distance, bool inverse);
// The same, with the Gaussian curvature into gauss[i * MaxGrille + j] (resized to 201 x 201 when smaller).
void EvalGaussWholeSurface(const TSNurbs& r, int n, int m, TArrayVertex3f& normales, TArrayVertex3f& pts,
                           std::vector<double>& gauss, double distance, bool inverse);

// A surface's whole evaluation in one pass: Pts, unit normals, PtsSym[N - i][j]
// mirrored in the plane, NormalesSym[N - i][j] mirrored in the parallel plane
// through the origin, and with courbure the Gaussian curvature. Equals
// EvalWholeSurface (or EvalGaussWholeSurface) with Distance 1, then Denormalise
// and the mirrors, to rounding; the grids' common extent sets N and M.
void EvalGrillesSurface(const TSNurbs& r, const TPlan& plan, bool courbure, TArrayVertex3f& pts,
                        TArrayVertex3f& normales, TArrayVertex3f& ptsSym, TArrayVertex3f& normalesSym,
                        std::vector<double>& gauss);

// Whether the samplers may use AVX where the processor has it (the default);
// tests turn it off to check the baseline path too (TAvxAutorise puts it back).
void AutoriseAvx(bool oui);
bool AvxAutorisee();
struct TAvxAutorise {
  explicit TAvxAutorise(bool oui) : Avant(AvxAutorisee()) { AutoriseAvx(oui); }
  ~TAvxAutorise() { AutoriseAvx(Avant); }
  TAvxAutorise(const TAvxAutorise&) = delete;
  TAvxAutorise& operator=(const TAvxAutorise&) = delete;
  bool Avant;
};
// Samples the grid samplers of this thread handed to the point-by-point path (a weight
// of about zero at the point) since the thread started: tests and benchmarks watch it.
long long ReprisesPointParPoint();
