// Rational B-spline surfaces for the hull evaluator: knots, spans, basis
// functions, derivatives, normals and curvature, point by point and over the
// whole parameter grid. The grid samplers share each row's and each column's
// span and basis functions, which is what makes real-time dragging possible.
#include "geometry/Nurbs.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "base/Services.h"

namespace {

// A weight this small at a point makes the rational quotient meaningless (the
// point flies to infinity); the point then falls back to the unweighted surface.
constexpr double PoidsMin = std::numeric_limits<double>::min();

// The progress bar runs from 0 to this during a sampling pass.
constexpr int ProgressionMax = 100;

// A control point in homogeneous form (w x, w y, w z, w); the vector code reads
// and writes it as four packed doubles.
struct alignas(32) THomog {
  double X = 0, Y = 0, Z = 0, W = 0;
};
static_assert(sizeof(THomog) == 4 * sizeof(double));

// Inline here: these run 40 000 times a surface.
inline TVertex3f Croix(const TVertex3f& a, const TVertex3f& b) {
  return {a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X};
}
inline double Scal(const TVertex3f& a, const TVertex3f& b) { return a.X * b.X + a.Y * b.Y + a.Z * b.Z; }

inline THomog Homog(const TVertex3f& p, double w) { return {w * p.X, w * p.Y, w * p.Z, w}; }

inline void Ajoute(THomog& acc, double f, const THomog& p) {
  acc.X += f * p.X;
  acc.Y += f * p.Y;
  acc.Z += f * p.Z;
  acc.W += f * p.W;
}

// Derivatives are numbered in pairs (order in u, order in v): 00, 10, 01, 20, 11, 02.
constexpr int NbPaires(int nd) { return (nd + 1) * (nd + 2) / 2; }
constexpr int PaireU[6] = {0, 1, 0, 2, 1, 0};
constexpr int PaireV[6] = {0, 0, 1, 0, 1, 2};

// One coordinate of the rational derivatives from the homogeneous ones (quotient
// rule), a and w in pair order, inv = 1 / w00. Both the point-by-point path and
// the samplers (on pairs of samples) go through this, so they round alike.
template <int ND, class T>
__attribute__((always_inline)) inline void Quotient(const T a[6], const T w[6], const T& inv, T s[6]) {
  s[0] = a[0] * inv;
  if constexpr (ND >= 1) {
    s[1] = (a[1] - w[1] * s[0]) * inv;
    s[2] = (a[2] - w[2] * s[0]) * inv;
  }
  if constexpr (ND >= 2) {
    s[3] = (a[3] - (w[1] + w[1]) * s[1] - w[3] * s[0]) * inv;
    s[4] = (a[4] - w[2] * s[1] - w[1] * s[2] - w[4] * s[0]) * inv;
    s[5] = (a[5] - (w[2] + w[2]) * s[2] - w[5] * s[0]) * inv;
  }
}

inline bool PoidsUtilisable(double w) { return std::abs(w) >= PoidsMin; }

inline TPtNormale Decale(const TVertex3f& p, const TVertex3f& su, const TVertex3f& sv, double distance,
                         bool inverse, double normeMin) {
  TVertex3f n = Croix(su, sv);
  double n2 = Scal(n, n);
  if (n2 == 0 || n2 <= normeMin * normeMin) return {p, p};
  double t = distance / std::sqrt(n2);
  if (inverse) t = -t;
  return {p, p + n * t};
}

// Homogeneous derivatives at one point: contraction along the rows (u) first,
// then along the columns (v); the samplers follow the same order of sums.
void Homogenes(const TSNurbs& r, int nd, int su, const double nu[MaxDeriv + 1][MaxOrdre], int sv,
               const double nv[MaxDeriv + 1][MaxOrdre], THomog a[6]) {
  const int ku = r.OrdreU, kv = r.OrdreV;
  THomog q[MaxDeriv + 1][MaxOrdre];
  for (int d = 0; d <= nd; d++)
    for (int s = 0; s < kv; s++) {
      const int c = sv - kv + 1 + s;
      THomog acc;
      for (int l = 0; l < ku; l++) {
        const int ln = su - ku + 1 + l;
        Ajoute(acc, nu[d][l], Homog(r.PtsCtrl[ln][c], r.PoidsCtrl[ln][c]));
      }
      q[d][s] = acc;
    }
  for (int p = 0; p < NbPaires(nd); p++) {
    THomog acc;
    for (int s = 0; s < kv; s++) Ajoute(acc, nv[PaireV[p]][s], q[PaireU[p]][s]);
    a[p] = acc;
  }
}

// The rational derivatives of one point from its homogeneous ones; false when
// the weight there is too small to divide by.
template <int ND>
bool Rationnel(const THomog a[6], TDerivees& d) {
  if (!PoidsUtilisable(a[0].W)) return false;
  const double inv = 1.0 / a[0].W;
  double w[6] = {}, x[6] = {}, y[6] = {}, z[6] = {}, sx[6] = {}, sy[6] = {}, sz[6] = {};
  for (int p = 0; p < NbPaires(ND); p++) w[p] = a[p].W, x[p] = a[p].X, y[p] = a[p].Y, z[p] = a[p].Z;
  Quotient<ND>(x, w, inv, sx);
  Quotient<ND>(y, w, inv, sy);
  Quotient<ND>(z, w, inv, sz);
  for (int p = 0; p < NbPaires(ND); p++) d.S[PaireU[p]][PaireV[p]] = {sx[p], sy[p], sz[p]};
  return true;
}

// The surface with every weight taken as 1: where the rational surface has no
// point, this keeps the grid finite and close to the net.
TVertex3f PointNonPondere(const TSNurbs& r, int su, const double nu[MaxDeriv + 1][MaxOrdre], int sv,
                          const double nv[MaxDeriv + 1][MaxOrdre]) {
  TVertex3f p;
  for (int l = 0; l < r.OrdreU; l++)
    for (int s = 0; s < r.OrdreV; s++)
      p = p + (nu[0][l] * nv[0][s]) * r.PtsCtrl[su - r.OrdreU + 1 + l][sv - r.OrdreV + 1 + s];
  return p;
}

}  // namespace

void KnotOpenUniform(int k, int n, double* knots) {
  knots[0] = 0;
  for (int i = 1; i <= k + n; i++) knots[i] = knots[i - 1] + ((i >= k && i <= n + 1) ? 1 : 0);
  const double dernier = knots[k + n];
  if (dernier <= 0) return;  // no interior span (k > n + 1): left all zero, callers lower k first
  for (int i = 1; i <= k + n; i++) knots[i] /= dernier;
}

void KnotBuild(int k, int n, double* knots) { KnotOpenUniform(k, n, knots); }

void KnotSetSNURBS(TSNurbs& r) {
  r.NU = std::clamp(r.NU, -1, MaxNet - 1);
  r.NV = std::clamp(r.NV, -1, MaxNet - 1);
  r.OrdreU = std::clamp(r.OrdreU, 1, MaxOrdre);
  r.OrdreV = std::clamp(r.OrdreV, 1, MaxOrdre);
  if (r.OrdreU > r.NU + 1) r.OrdreU = r.NU + 1;
  if (r.OrdreV > r.NV + 1) r.OrdreV = r.NV + 1;
  if (!r.Valide()) return;
  KnotBuild(r.OrdreU, r.NU, r.NoeudsU);
  KnotBuild(r.OrdreV, r.NV, r.NoeudsV);
}

void MajTaille(TSNurbs& r) {
  r.Taille = 0;
  for (int i = 0; i <= std::min(r.NU, MaxNet - 1); i++)
    for (int j = 0; j <= std::min(r.NV, MaxNet - 1); j++) {
      const TVertex3f& p = r.PtsCtrl[i][j];
      r.Taille = std::max({r.Taille, std::abs(p.X), std::abs(p.Y), std::abs(p.Z)});
    }
}

int FindSpan(int k, int n, const double* knots, double u) {
  if (u >= knots[k + n]) return n;
  // Below the domain (or NaN) the search would never end.
  if (!(u > knots[k - 1])) return k - 1;
  int low = k - 1, high = n + 1, mid = (low + high) / 2;
  while (u < knots[mid] || u >= knots[mid + 1]) {
    if (u < knots[mid])
      high = mid;
    else
      low = mid;
    mid = (low + high) / 2;
  }
  return mid;
}

void DersBasisFuns(int span, int k, const double* knots, int nd, double u,
                   double ders[MaxDeriv + 1][MaxOrdre]) {
  // The tables hold MaxDeriv derivatives of orders up to MaxOrdre: nothing is written beyond.
  nd = std::clamp(nd, 0, MaxDeriv);
  if (k < 1 || k > MaxOrdre) {
    for (int d = 0; d <= nd; d++)
      for (int j = 0; j < MaxOrdre; j++) ders[d][j] = 0;
    return;
  }
  const int p = k - 1;
  const int n = std::min(nd, p);
  double ndu[MaxOrdre + 1][MaxOrdre + 1];
  double left[MaxOrdre + 1], right[MaxOrdre + 1];
  double a[2][MaxOrdre + 1] = {};  // zeroed only to quiet a false maybe-uninitialized at -O3
  ndu[0][0] = 1;
  for (int j = 1; j <= p; j++) {
    left[j] = u - knots[span + 1 - j];
    right[j] = knots[span + j] - u;
    double saved = 0;
    for (int r = 0; r < j; r++) {
      ndu[j][r] = right[r + 1] + left[j - r];
      const double temp = ndu[r][j - 1] / ndu[j][r];
      ndu[r][j] = saved + right[r + 1] * temp;
      saved = left[j - r] * temp;
    }
    ndu[j][j] = saved;
  }
  for (int j = 0; j <= p; j++) ders[0][j] = ndu[j][p];
  for (int r = 0; r <= p; r++) {
    int s1 = 0, s2 = 1;
    a[0][0] = 1;
    for (int kk = 1; kk <= n; kk++) {
      double d = 0;
      const int rk = r - kk, pk = p - kk;
      if (r >= kk) {
        a[s2][0] = a[s1][0] / ndu[pk + 1][rk];
        d = a[s2][0] * ndu[rk][pk];
      }
      const int j1 = rk >= -1 ? 1 : -rk;
      const int j2 = (r - 1 <= pk) ? kk - 1 : p - r;
      for (int j = j1; j <= j2; j++) {
        a[s2][j] = (a[s1][j] - a[s1][j - 1]) / ndu[pk + 1][rk + j];
        d += a[s2][j] * ndu[rk + j][pk];
      }
      if (r <= pk) {
        a[s2][kk] = -a[s1][kk - 1] / ndu[pk + 1][r];
        d += a[s2][kk] * ndu[r][pk];
      }
      ders[kk][r] = d;
      std::swap(s1, s2);
    }
  }
  double f = p;
  for (int kk = 1; kk <= n; kk++) {
    for (int j = 0; j <= p; j++) ders[kk][j] *= f;
    f *= (p - kk);
  }
  for (int kk = n + 1; kk <= nd; kk++)
    for (int j = 0; j <= p; j++) ders[kk][j] = 0;
}

double ClampParam(double u, double dernierNoeud) {
  if (u == dernierNoeud) return dernierNoeud - DecalageBord;
  if (u == 0) return DecalageBord;
  return u;
}

TDerivees SurfaceDerivs(const TSNurbs& r, int nd, double u, double v) {
  TDerivees d{};
  if (!r.Valide()) return d;
  nd = std::clamp(nd, 0, MaxDeriv);
  const int su = FindSpan(r.OrdreU, r.NU, r.NoeudsU, u);
  const int sv = FindSpan(r.OrdreV, r.NV, r.NoeudsV, v);
  double nu[MaxDeriv + 1][MaxOrdre], nv[MaxDeriv + 1][MaxOrdre];
  DersBasisFuns(su, r.OrdreU, r.NoeudsU, nd, u, nu);
  DersBasisFuns(sv, r.OrdreV, r.NoeudsV, nd, v, nv);
  THomog a[6];
  Homogenes(r, nd, su, nu, sv, nv, a);
  bool ok = nd == 0 ? Rationnel<0>(a, d) : nd == 1 ? Rationnel<1>(a, d) : Rationnel<2>(a, d);
  if (!ok) {
    d = TDerivees{};
    d.S[0][0] = PointNonPondere(r, su, nu, sv, nv);
  }
  return d;
}

double CourbureGauss(const TVertex3f& su, const TVertex3f& sv, const TVertex3f& suu, const TVertex3f& suv,
                     const TVertex3f& svv, double normeMin) {
  const TVertex3f n = Croix(su, sv);
  const double l = Scal(n, suu), m = Scal(n, suv), nn = Scal(n, svv);
  const double g = Scal(n, n);
  if (g == 0 || g <= normeMin * normeMin) return 0;
  const double k = (l * nn - m * m) / (g * g);
  // g * g underflows to 0 long before the tangents vanish: no curvature rather than infinity.
  return std::isfinite(k) ? k : 0;
}

double NormeMin(const TSNurbs& r) { return ToleranceNormale * r.Taille * r.Taille; }

TPtNormale EvalPtNormale(const TSNurbs& r, bool inverse, double u, double v, double distance) {
  const TDerivees d = SurfaceDerivs(r, 1, u, v);
  return Decale(d.S[0][0], d.S[1][0], d.S[0][1], distance, inverse, NormeMin(r));
}

TPtNormale EvalPtGauss(const TSNurbs& r, bool inverse, double u, double v, double distance, double& k) {
  const TDerivees d = SurfaceDerivs(r, 2, u, v);
  k = CourbureGauss(d.S[1][0], d.S[0][1], d.S[2][0], d.S[1][1], d.S[0][2], NormeMin(r));
  return Decale(d.S[0][0], d.S[1][0], d.S[0][1], distance, inverse, NormeMin(r));
}

namespace {

// Span and basis functions of one sampled parameter, shared by a whole row or column.
struct TBaseParam {
  int Span = 0;
  double U = 0;
  double N[MaxDeriv + 1][MaxOrdre] = {};
};

// The parameter of sample i of n, per the sampling rule: i times the step, at most
// the last knot, then moved inside at the ends.
double ParamEchantillon(int i, int n, double dernier) {
  const double pas = n > 0 ? dernier / n : 0;
  return ClampParam(std::min(i * pas, dernier), dernier);
}

// The spans and basis functions of the samples of one direction. They depend on
// the order, the knots and the sample count, not on the vertices, so they are
// kept from one evaluation to the next: while a vertex is dragged they stay.
struct TBasesDirection {
  int Ordre = -1, N = -1, M = -1, ND = -1;
  double Noeuds[MaxNoeuds + 1] = {};
  TBaseParam B[MaxGrille];

  const TBaseParam* Prepare(int ordre, int n, const double* noeuds, int m, int nd) {
    const size_t nbNoeuds = static_cast<size_t>(ordre + n + 1);
    if (ordre == Ordre && n == N && m == M && nd <= ND && std::equal(noeuds, noeuds + nbNoeuds, Noeuds))
      return B;
    Ordre = ordre, N = n, M = m, ND = nd;
    std::copy(noeuds, noeuds + nbNoeuds, Noeuds);
    for (int j = 0; j <= m; j++) {
      B[j].U = ParamEchantillon(j, m, noeuds[ordre + n]);
      B[j].Span = FindSpan(ordre, n, noeuds, B[j].U);
      DersBasisFuns(B[j].Span, ordre, noeuds, nd, B[j].U, B[j].N);
    }
    return B;
  }
};

// Two neighbouring samples handled by one SSE2 instruction (plain pairs on other
// processors), so that the divisions and square roots of the finishing steps
// are shared.
typedef double TDeux __attribute__((vector_size(16)));

#ifdef __SSE2__
inline TDeux Racine(const TDeux& v) { return _mm_sqrt_pd(v); }  // one instruction, no errno check
#else
inline TDeux Racine(const TDeux& v) { return TDeux{std::sqrt(v[0]), std::sqrt(v[1])}; }
#endif

// The homogeneous derivatives of one grid row, in pair order: H[p][j]; a spare
// sample pads the last pair of the finishing.
struct TLigneHomog {
  THomog H[6][MaxGrille + 1];
};

// A homogeneous point (x, y, z, w) as one AVX register.
typedef double TQuatre __attribute__((vector_size(32)));

// A sum of homogeneous points: one AVX register (Avx), or the (x, y) and (z, w)
// halves in two SSE2 registers. The contractions below are compiled twice, for
// the baseline processor and for AVX (the compiler's own split of a four-wide
// vector without AVX is several times slower). Without FMA both round alike.
template <bool Avx>
struct TSomme {
  TQuatre V4 = {0, 0, 0, 0};
  TDeux XY = {0, 0}, ZW = {0, 0};
};

template <bool Avx>
__attribute__((always_inline)) inline void Accumule(TSomme<Avx>& acc, double f, const THomog& p) {
  if constexpr (Avx) {
    TQuatre c;
    std::memcpy(&c, &p, sizeof c);
    acc.V4 += TQuatre{f, f, f, f} * c;
  } else {
    TDeux a, b;
    std::memcpy(&a, &p.X, sizeof a);
    std::memcpy(&b, &p.Z, sizeof b);
    acc.XY += TDeux{f, f} * a, acc.ZW += TDeux{f, f} * b;
  }
}

template <bool Avx>
__attribute__((always_inline)) inline void Range(THomog& dst, const TSomme<Avx>& acc) {
  if constexpr (Avx) {
    std::memcpy(static_cast<void*>(&dst), &acc.V4, sizeof acc.V4);
  } else {
    std::memcpy(&dst.X, &acc.XY, sizeof acc.XY);
    std::memcpy(&dst.Z, &acc.ZW, sizeof acc.ZW);
  }
}

// Contraction along the columns for every sample of the row; kv is a template
// parameter so that the sums unroll.
template <int ND, int KV, bool Avx>
__attribute__((always_inline)) inline void ContracteLigneT(const THomog (*q)[MaxNet], const TBaseParam* bv,
                                                           int m, TLigneHomog& h) {
  for (int j = 0; j <= m; j++) {
    const TBaseParam& b = bv[j];
    const int c0 = b.Span - KV + 1;
    for (int p = 0; p < NbPaires(ND); p++) {
      TSomme<Avx> acc;
      for (int s = 0; s < KV; s++) Accumule(acc, b.N[PaireV[p]][s], q[PaireU[p]][c0 + s]);
      Range(h.H[p][j], acc);
    }
  }
}

// The row's contraction along u at every net column: q[d][c] = sum over l of
// Nu^(d)(l) Pw[su - ku + 1 + l][c].
template <int ND, bool Avx>
__attribute__((always_inline)) inline void ContracteRangeeT(const THomog (*pw)[MaxNet], int nbCol, int su,
                                                            int ku, const double nu[MaxDeriv + 1][MaxOrdre],
                                                            THomog (*q)[MaxNet]) {
  for (int d = 0; d <= ND; d++)
    for (int c = 0; c < nbCol; c++) {
      TSomme<Avx> acc;
      for (int l = 0; l < ku; l++) Accumule(acc, nu[d][l], pw[su - ku + 1 + l][c]);
      Range(q[d][c], acc);
    }
}

// Row i's homogeneous derivatives at every sample: along u at each net column,
// then along v at each sample.
template <int ND, bool Avx>
__attribute__((always_inline)) inline void ContracteT(const THomog (*pw)[MaxNet], int nbCol, int su, int ku,
                                                      const double nu[MaxDeriv + 1][MaxOrdre], int kv,
                                                      const TBaseParam* bv, int m, TLigneHomog& h) {
  // q[d][c]: the d-th u-derivative of the row's contraction at net column c.
  static thread_local THomog q[MaxDeriv + 1][MaxNet];
  ContracteRangeeT<ND, Avx>(pw, nbCol, su, ku, nu, q);
  switch (kv) {
    case 1:
      return ContracteLigneT<ND, 1, Avx>(q, bv, m, h);
    case 2:
      return ContracteLigneT<ND, 2, Avx>(q, bv, m, h);
    case 3:
      return ContracteLigneT<ND, 3, Avx>(q, bv, m, h);
    case 4:
      return ContracteLigneT<ND, 4, Avx>(q, bv, m, h);
    case 5:
      return ContracteLigneT<ND, 5, Avx>(q, bv, m, h);
    default:
      return ContracteLigneT<ND, 6, Avx>(q, bv, m, h);
  }
}

template <int ND>
void ContracteBase(const THomog (*pw)[MaxNet], int nbCol, int su, int ku,
                   const double nu[MaxDeriv + 1][MaxOrdre], int kv, const TBaseParam* bv, int m,
                   TLigneHomog& h) {
  ContracteT<ND, false>(pw, nbCol, su, ku, nu, kv, bv, m, h);
}

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define BRIVANE_AVX 1
template <int ND>
__attribute__((target("avx"))) void ContracteAvx(const THomog (*pw)[MaxNet], int nbCol, int su, int ku,
                                                 const double nu[MaxDeriv + 1][MaxOrdre], int kv,
                                                 const TBaseParam* bv, int m, TLigneHomog& h) {
  ContracteT<ND, true>(pw, nbCol, su, ku, nu, kv, bv, m, h);
}

bool AvxPresent() {
  static const bool present = __builtin_cpu_supports("avx");
  return present;
}
#endif

bool AvxAutorise = true;
thread_local long long Reprises = 0;  // samples handed to the point-by-point path

template <int ND>
void Contracte(const THomog (*pw)[MaxNet], int nbCol, int su, int ku, const double nu[MaxDeriv + 1][MaxOrdre],
               int kv, const TBaseParam* bv, int m, TLigneHomog& h) {
#ifdef BRIVANE_AVX
  if (AvxAutorise && AvxPresent()) return ContracteAvx<ND>(pw, nbCol, su, ku, nu, kv, bv, m, h);
#endif
  ContracteBase<ND>(pw, nbCol, su, ku, nu, kv, bv, m, h);
}

// Where a sampling pass writes. Offset points (Distance, Inverse) for the
// samplers of the interface; unit normals and mirror grids for the fused pass of
// a surface's evaluation.
struct TSorties {
  TArrayVertex3f* Pts = nullptr;
  TArrayVertex3f* Normales = nullptr;
  double* Gauss = nullptr;  // [i * MaxGrille + j], or none
  double Distance = 1;
  bool Inverse = false;
  bool Unitaires = false;            // Normales receives n / |n| instead of P + Distance n / |n|
  TArrayVertex3f* PtsSym = nullptr;  // mirror grids, row order reversed; none when null
  TArrayVertex3f* NormalesSym = nullptr;
  TPlan Plan;
};

// What the first stage of a row's finishing leaves to the second, per sample.
struct alignas(16) TLigneDerivees {
  double P[3][MaxGrille + 1];  // the point
  double N[3][MaxGrille + 1];  // Su x Sv
  double N2[MaxGrille + 1];    // |Su x Sv|^2
  double K[MaxGrille + 1];     // numerator of the Gaussian curvature
  double PoidsOk[MaxGrille + 1];
};

// Points, normals and curvature of row i from its homogeneous derivatives, two
// samples at a time. Same formulas, in the same order, as Quotient, Decale,
// CourbureGauss and the mirror of the point-by-point path. In two stages, so
// that the square roots and divisions of many samples overlap instead of each
// waiting at the end of its own long chain. (Four samples in AVX registers were
// tried: slower, the values no longer fit the registers.)
template <int ND>
void FinitLigne(const TSNurbs& r, int i, int n, double u, const TBaseParam* bv, int m, TLigneHomog& h,
                const TSorties& o) {
  using T = TDeux;
  using M = decltype(T{} < T{});
  const T zero = {}, un = zero + 1.0;
  static thread_local TLigneDerivees d;
  for (int p = 0; p < NbPaires(ND); p++)  // pad sample of the last pair: any finite values will do
    h.H[p][m + 1] = {1, 1, 1, 1};

  // Stage 1: the rational derivatives, the normal direction and the curvature numerator.
  const T poidsMin = zero + PoidsMin;
  const M signe = reinterpret_cast<M>(-zero);  // the sign bits alone (-0.0: zero - 0.0 is +0.0)
  auto charge = [](const double* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
  };
  auto range = [](double* p, const T& v) { std::memcpy(p, &v, sizeof v); };
  for (int j = 0; j <= m; j += 2) {
    T w[6], x[6], y[6], z[6], sx[6], sy[6], sz[6];
    for (int p = 0; p < NbPaires(ND); p++) {
      // Two samples' (x, y) and (z, w) halves, regrouped coordinate by coordinate.
      const T xy0 = charge(&h.H[p][j].X), zw0 = charge(&h.H[p][j].Z);
      const T xy1 = charge(&h.H[p][j + 1].X), zw1 = charge(&h.H[p][j + 1].Z);
      x[p] = __builtin_shufflevector(xy0, xy1, 0, 2), y[p] = __builtin_shufflevector(xy0, xy1, 1, 3);
      z[p] = __builtin_shufflevector(zw0, zw1, 0, 2), w[p] = __builtin_shufflevector(zw0, zw1, 1, 3);
    }
    const M poidsOk = reinterpret_cast<T>(reinterpret_cast<M>(w[0]) & ~signe) >= poidsMin;
    const T inv = un / w[0];
    Quotient<ND>(x, w, inv, sx);
    Quotient<ND>(y, w, inv, sy);
    Quotient<ND>(z, w, inv, sz);
    const T nx = sy[1] * sz[2] - sz[1] * sy[2], ny = sz[1] * sx[2] - sx[1] * sz[2],
            nz = sx[1] * sy[2] - sy[1] * sx[2];
    range(&d.P[0][j], sx[0]), range(&d.P[1][j], sy[0]), range(&d.P[2][j], sz[0]);
    range(&d.N[0][j], nx), range(&d.N[1][j], ny), range(&d.N[2][j], nz);
    range(&d.N2[j], nx * nx + ny * ny + nz * nz);
    range(&d.PoidsOk[j], reinterpret_cast<T>(poidsOk & reinterpret_cast<M>(un)));
    if constexpr (ND == 2) {
      const T l = nx * sx[3] + ny * sy[3] + nz * sz[3];
      const T mm = nx * sx[4] + ny * sy[4] + nz * sz[4];
      const T nn = nx * sx[5] + ny * sy[5] + nz * sz[5];
      range(&d.K[j], l * nn - mm * mm);
    }
  }

  // Stage 2: unit normals (or offset points), curvature, mirrors, and the grids.
  const double normeMin = NormeMin(r);
  const T seuil = zero + normeMin * normeMin;
  const T dist = zero + (o.Inverse ? -o.Distance : o.Distance);
  // The mirror planes: the symmetry plane for points, its parallel through the origin for normals.
  const double pn2 = o.Plan.A * o.Plan.A + o.Plan.B * o.Plan.B + o.Plan.C * o.Plan.C;
  const T pa = zero + o.Plan.A, pb = zero + o.Plan.B, pc = zero + o.Plan.C, pd = zero + o.Plan.D;
  const T pf = zero + (pn2 > 0 ? 2 / pn2 : 0);  // no normal: no mirror, as CalcSym
  // The world base, x = 0, that most hulls keep: the general formula then gives
  // -x exactly (up to the sign of a zero), so it is skipped.
  const bool planX0 = o.Plan.A == 1 && o.Plan.B == 0 && o.Plan.C == 0 && o.Plan.D == 0;
  TVertex3f* pts = (*o.Pts)[i].data();
  TVertex3f* normales = (*o.Normales)[i].data();
  double* gauss = o.Gauss ? o.Gauss + static_cast<size_t>(i) * MaxGrille : nullptr;
  TVertex3f* ptsSym = o.PtsSym ? (*o.PtsSym)[n - i].data() : nullptr;
  TVertex3f* normalesSym = o.NormalesSym ? (*o.NormalesSym)[n - i].data() : nullptr;
  for (int j = 0; j <= m; j += 2) {
    const T px = charge(&d.P[0][j]), py = charge(&d.P[1][j]), pz = charge(&d.P[2][j]);
    const T nx = charge(&d.N[0][j]), ny = charge(&d.N[1][j]), nz = charge(&d.N[2][j]);
    const T n2 = charge(&d.N2[j]);
    const M aNormale = n2 > seuil;
    const T t = reinterpret_cast<T>(reinterpret_cast<M>(dist / Racine(n2)) & aNormale);
    T ox = nx * t, oy = ny * t, oz = nz * t;
    if (!o.Unitaires) ox = px + ox, oy = py + oy, oz = pz + oz;
    T k = zero;
    if constexpr (ND == 2) {
      const T kk = charge(&d.K[j]) / (n2 * n2);
      // kk - kk is 0 only when kk is finite.
      k = reinterpret_cast<T>(reinterpret_cast<M>(kk) & aNormale & ((kk - kk) == zero));
    }
    T qx = px, qy = py, qz = pz, mx = ox, my = oy, mz = oz;
    if (ptsSym && planX0) {
      qx = -qx, mx = -mx;
    } else if (ptsSym) {
      const T tp = (pa * qx + pb * qy + pc * qz + pd) * pf;
      qx = qx - tp * pa, qy = qy - tp * pb, qz = qz - tp * pc;
      const T tv = (pa * mx + pb * my + pc * mz + zero) * pf;
      mx = mx - tv * pa, my = my - tv * pb, mz = mz - tv * pc;
    }
    for (int e = 0; e < 2 && j + e <= m; e++) {
      if (d.PoidsOk[j + e] == 0) {
        // Rare (zero weight at the point): the point-by-point path owns the fallback.
        Reprises++;
        double kp = 0;
        const double v = bv[j + e].U;
        const TPtNormale pn = ND == 2 ? EvalPtGauss(r, o.Inverse, u, v, o.Distance, kp)
                                      : EvalPtNormale(r, o.Inverse, u, v, o.Distance);
        pts[j + e] = pn.Point;
        normales[j + e] = o.Unitaires ? pn.Decale - pn.Point : pn.Decale;
        if constexpr (ND == 2) gauss[j + e] = kp;
        if (ptsSym) {
          ptsSym[j + e] = CalcSym(pn.Point, o.Plan);
          normalesSym[j + e] = CalcSym(normales[j + e], {o.Plan.A, o.Plan.B, o.Plan.C, 0});
        }
        continue;
      }
      pts[j + e] = {px[e], py[e], pz[e]};
      normales[j + e] = {ox[e], oy[e], oz[e]};
      if constexpr (ND == 2) gauss[j + e] = k[e];
      if (ptsSym) {
        ptsSym[j + e] = {qx[e], qy[e], qz[e]};
        normalesSym[j + e] = {mx[e], my[e], mz[e]};
      }
    }
  }
}

// The common extent of the grids a pass writes, within the 201 x 201 tables.
void Etendue(const TSorties& o, int& n, int& m) {
  n = std::min(n, MaxGrille - 1);
  m = std::min(m, MaxGrille - 1);
  for (const TArrayVertex3f* g : {o.Pts, o.Normales, o.PtsSym, o.NormalesSym}) {
    if (!g) continue;
    n = std::min(n, static_cast<int>(g->size()) - 1);
    for (int i = 0; i <= n; i++) m = std::min(m, static_cast<int>((*g)[i].size()) - 1);
  }
}

template <int ND>
void Echantillonne(const TSNurbs& r, int n, int m, const TSorties& o) {
  if (!r.Valide()) return;
  Etendue(o, n, m);
  if (n < 0 || m < 0) return;

  const int ku = r.OrdreU, kv = r.OrdreV;
  static thread_local THomog pw[MaxNet][MaxNet];
  for (int l = 0; l <= r.NU; l++)
    for (int c = 0; c <= r.NV; c++) pw[l][c] = Homog(r.PtsCtrl[l][c], r.PoidsCtrl[l][c]);

  static thread_local TBasesDirection lignes, colonnes;
  const TBaseParam* bu = lignes.Prepare(ku, r.NU, r.NoeudsU, n, ND);
  const TBaseParam* bv = colonnes.Prepare(kv, r.NV, r.NoeudsV, m, ND);

  static thread_local TLigneHomog h;  // 40 KB
  ProgressPos(0);
  for (int i = 0; i <= n; i++) {
    Contracte<ND>(pw, r.NV + 1, bu[i].Span, ku, bu[i].N, kv, bv, m, h);
    FinitLigne<ND>(r, i, n, bu[i].U, bv, m, h, o);
    ProgressPos(n > 0 ? static_cast<int>(std::lround(double(ProgressionMax) * i / n)) : ProgressionMax);
  }
}

double* TableGauss(std::vector<double>& gauss) {
  constexpr size_t taille = static_cast<size_t>(MaxGrille) * MaxGrille;
  if (gauss.size() < taille) gauss.resize(taille, 0.0);
  return gauss.data();
}

}  // namespace

void AutoriseAvx(bool oui) { AvxAutorise = oui; }
bool AvxAutorisee() { return AvxAutorise; }
long long ReprisesPointParPoint() { return Reprises; }

void EvalWholeSurface(const TSNurbs& r, int n, int m, TArrayVertex3f& normales, TArrayVertex3f& pts,
                      double distance, bool inverse) {
  ProgressMax(ProgressionMax);
  TSorties o;
  o.Pts = &pts, o.Normales = &normales, o.Distance = distance, o.Inverse = inverse;
  Echantillonne<1>(r, n, m, o);
}

void EvalGaussWholeSurface(const TSNurbs& r, int n, int m, TArrayVertex3f& normales, TArrayVertex3f& pts,
                           std::vector<double>& gauss, double distance, bool inverse) {
  ProgressMax(ProgressionMax);
  TSorties o;
  o.Pts = &pts, o.Normales = &normales, o.Gauss = TableGauss(gauss), o.Distance = distance,
  o.Inverse = inverse;
  Echantillonne<2>(r, n, m, o);
}

void EvalGrillesSurface(const TSNurbs& r, const TPlan& plan, bool courbure, TArrayVertex3f& pts,
                        TArrayVertex3f& normales, TArrayVertex3f& ptsSym, TArrayVertex3f& normalesSym,
                        std::vector<double>& gauss) {
  ProgressMax(ProgressionMax);
  TSorties o;
  o.Pts = &pts, o.Normales = &normales, o.Unitaires = true;
  o.PtsSym = &ptsSym, o.NormalesSym = &normalesSym, o.Plan = plan;
  const int n = static_cast<int>(pts.size()) - 1, m = pts.empty() ? -1 : static_cast<int>(pts[0].size()) - 1;
  if (courbure) {
    o.Gauss = TableGauss(gauss);
    Echantillonne<2>(r, n, m, o);
  } else {
    Echantillonne<1>(r, n, m, o);
  }
}
