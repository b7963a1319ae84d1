// Tests of the NURBS evaluator: knots, spans, basis functions and derivatives
// against independent references, and the grid samplers against the
// point-by-point evaluation on random rational nets.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "geometry/Nurbs.h"
#include "model/Entity.h"

namespace {

std::vector<double> Noeuds(int k, int n) {
  std::vector<double> t(static_cast<size_t>(k + n + 1));
  KnotOpenUniform(k, n, t.data());
  return t;
}

void ExpectVecteur(const std::vector<double>& t, const std::vector<double>& attendu) {
  ASSERT_EQ(t.size(), attendu.size());
  for (size_t i = 0; i < t.size(); i++) EXPECT_NEAR(t[i], attendu[i], 1e-15) << "knot " << i;
}

double Ecart(const TVertex3f& a, const TVertex3f& b) {
  return std::max({std::abs(a.X - b.X), std::abs(a.Y - b.Y), std::abs(a.Z - b.Z)});
}

// Basis function i of order k at u by the plain Cox-de Boor recursion (right-open
// intervals, the last one closed): an evaluation that shares nothing with DersBasisFuns.
double BaseCoxDeBoor(const std::vector<double>& t, int i, int k, double u) {
  if (k == 1) {
    const double fin = t.back();
    if (u == fin) return (t[i] < fin && t[i + 1] == fin) ? 1 : 0;
    return (u >= t[i] && u < t[i + 1]) ? 1 : 0;
  }
  double r = 0;
  if (t[i + k - 1] > t[i]) r += (u - t[i]) / (t[i + k - 1] - t[i]) * BaseCoxDeBoor(t, i, k - 1, u);
  if (t[i + k] > t[i + 1]) r += (t[i + k] - u) / (t[i + k] - t[i + 1]) * BaseCoxDeBoor(t, i + 1, k - 1, u);
  return r;
}

// A random rational net: a gently curved sheet with noise, weights 0.5..2.
TSurface SurfaceAleatoire(std::mt19937& g, int nbLn, int nbCol, int lflex, int cflex, int precision) {
  std::uniform_real_distribution<double> bruit(-0.4, 0.4), poids(0.5, 2.0);
  TSurface s(0, precision);
  s.Net.NbLn = nbLn;
  s.Net.NbCol = nbCol;
  s.Net.LFlex = lflex;
  s.Net.CFlex = cflex;
  for (int i = 0; i < nbLn; i++)
    for (int j = 0; j < nbCol; j++)
      s.Net.PC[i][j] = {i + bruit(g), 2.0 * j + bruit(g), 0.3 * i * i - 0.1 * j * j + bruit(g), poids(g)};
  return s;
}

double TailleModele(const TSurface& s) {
  double t = 1;
  for (int i = 0; i < s.Net.NbLn; i++)
    for (int j = 0; j < s.Net.NbCol; j++)
      t = std::max({t, std::abs(s.Net.PC[i][j].X), std::abs(s.Net.PC[i][j].Y), std::abs(s.Net.PC[i][j].Z)});
  return t;
}

TArrayVertex3f GrilleVide(int n, int m) {
  return TArrayVertex3f(static_cast<size_t>(n + 1), std::vector<TVertex3f>(static_cast<size_t>(m + 1)));
}

double Param(int i, int n) { return ClampParam(std::min(i * (1.0 / n), 1.0), 1.0); }

}  // namespace

TEST(Noeuds, OpenUniformGivesClampedEvenKnots) {
  ExpectVecteur(Noeuds(2, 1), {0, 0, 1, 1});
  ExpectVecteur(Noeuds(4, 3), {0, 0, 0, 0, 1, 1, 1, 1});
  ExpectVecteur(Noeuds(3, 4), {0, 0, 0, 1.0 / 3, 2.0 / 3, 1, 1, 1});
  ExpectVecteur(Noeuds(1, 0), {0, 1});
}

TEST(Noeuds, OrderAboveVertexCountIsLoweredForEvaluationOnly) {
  TSurface s(0, 10);
  s.Net.Initialise(0);  // 3 x 3
  s.Net.LFlex = 4;
  s.Net.CFlex = 6;
  TSNurbs r;
  s.MyNurbs2SNurbs(r);
  EXPECT_EQ(r.OrdreU, 3);
  EXPECT_EQ(r.OrdreV, 3);
  EXPECT_EQ(s.Net.LFlex, 4);
  EXPECT_EQ(s.Net.CFlex, 6);
  // Same surface as the net with the lowered orders.
  s.CalcSurface();
  TSurface t(0, 10);
  t.Net.Initialise(0);
  t.Net.LFlex = t.Net.CFlex = 3;
  t.CalcSurface();
  for (int i = 0; i <= 10; i++)
    for (int j = 0; j <= 10; j++) EXPECT_EQ(s.Pts[i][j], t.Pts[i][j]);
}

TEST(Noeuds, ExportAndEvaluationKnotsOfFiveRowsOrderFour) {
  TSurface s(0, 10);
  s.Net.NbLn = 5;
  s.Net.NbCol = 2;
  s.Net.LFlex = 4;
  s.Net.CFlex = 2;
  s.Calc_VecteursNoeud();
  ExpectVecteur(s.NoeudsExportLn, {0, 0, 0, 0, 1.0 / 3, 2.0 / 3, 1, 1, 1, 1});
  ExpectVecteur(s.NoeudsExportCol, {0, 0, 0.5, 1, 1});
  TSNurbs r;
  s.MyNurbs2SNurbs(r);
  ExpectVecteur(std::vector<double>(r.NoeudsU, r.NoeudsU + 9), {0, 0, 0, 0, 0.5, 1, 1, 1, 1});

  // The largest net: 38 export knots, all of them kept.
  s.Net.NbLn = 31;
  s.Net.LFlex = 6;
  s.Calc_VecteursNoeud();
  ASSERT_EQ(s.NoeudsExportLn.size(), 38u);
  EXPECT_EQ(s.NoeudsExportLn[37], 1);
  EXPECT_NEAR(s.NoeudsExportLn[6], 1.0 / 27, 1e-15);
}

TEST(Span, FindsTheHalfOpenIntervalAndStopsOnBadInput) {
  const auto t = Noeuds(3, 5);  // 0 0 0 1/4 1/2 3/4 1 1 1
  EXPECT_EQ(FindSpan(3, 5, t.data(), 0.0), 2);
  EXPECT_EQ(FindSpan(3, 5, t.data(), 0.1), 2);
  EXPECT_EQ(FindSpan(3, 5, t.data(), 0.25), 3);
  EXPECT_EQ(FindSpan(3, 5, t.data(), 0.7499), 4);
  EXPECT_EQ(FindSpan(3, 5, t.data(), 0.75), 5);
  EXPECT_EQ(FindSpan(3, 5, t.data(), 1.0), 5);
  EXPECT_EQ(FindSpan(3, 5, t.data(), 7.0), 5);
  // Outside the domain, or not a number: an answer, not an endless search.
  EXPECT_EQ(FindSpan(3, 5, t.data(), -0.5), 2);
  EXPECT_EQ(FindSpan(3, 5, t.data(), std::nan("")), 2);
}

TEST(Base, MatchesCoxDeBoorAndItsDerivativesMatchDifferences) {
  std::mt19937 g(7);
  for (int k = 1; k <= MaxOrdre; k++)
    for (int n = k - 1; n <= k + 6; n++) {
      const auto t = Noeuds(k, n);
      std::uniform_real_distribution<double> du(0, 1);
      for (int essai = 0; essai < 20; essai++) {
        double u = essai == 0 ? 0.0 : essai == 1 ? 1.0 : du(g);
        const int span = FindSpan(k, n, t.data(), u);
        double d[MaxDeriv + 1][MaxOrdre];
        DersBasisFuns(span, k, t.data(), 2, u, d);
        double somme = 0, sommeD1 = 0, sommeD2 = 0;
        for (int r = 0; r < k; r++) {
          EXPECT_NEAR(d[0][r], BaseCoxDeBoor(t, span - k + 1 + r, k, u), 1e-13) << "k " << k << " u " << u;
          somme += d[0][r], sommeD1 += d[1][r], sommeD2 += d[2][r];
        }
        EXPECT_NEAR(somme, 1, 1e-13);
        EXPECT_NEAR(sommeD1, 0, 1e-9);
        EXPECT_NEAR(sommeD2, 0, 1e-7);
        // Derivatives against central differences, inside one knot span.
        const double h = 1e-6;
        if (u - h <= t[span] || u + h >= t[span + 1]) continue;
        double dp[MaxDeriv + 1][MaxOrdre], dm[MaxDeriv + 1][MaxOrdre];
        DersBasisFuns(span, k, t.data(), 2, u + h, dp);
        DersBasisFuns(span, k, t.data(), 2, u - h, dm);
        for (int r = 0; r < k; r++) {
          const double echelle = 1 + std::abs(d[1][r]) + std::abs(d[2][r]);
          EXPECT_NEAR(d[1][r], (dp[0][r] - dm[0][r]) / (2 * h), 1e-5 * echelle);
          EXPECT_NEAR(d[2][r], (dp[1][r] - dm[1][r]) / (2 * h), 1e-4 * echelle);
          if (k <= 2) {
            EXPECT_EQ(d[2][r], 0);  // above the degree
          }
        }
      }
    }
}

TEST(SurfaceDerivs, DerivativesMatchDifferencesOfTheRationalSurface) {
  std::mt19937 g(11);
  std::uniform_real_distribution<double> du(0.02, 0.98);
  for (int lf = 2; lf <= MaxOrdre; lf++)
    for (int cf = 2; cf <= MaxOrdre; cf++) {
      TSurface s = SurfaceAleatoire(g, lf + 2, cf + 1, lf, cf, 4);
      TSNurbs r;
      s.MyNurbs2SNurbs(r);
      const double taille = TailleModele(s);
      for (int essai = 0; essai < 5; essai++) {
        const double u = du(g), v = du(g), h = 1e-6;
        // Stay inside one span in each direction: the derivatives jump across knots.
        const int su = FindSpan(r.OrdreU, r.NU, r.NoeudsU, u), sv = FindSpan(r.OrdreV, r.NV, r.NoeudsV, v);
        if (u - h <= r.NoeudsU[su] || u + h >= r.NoeudsU[su + 1] || v - h <= r.NoeudsV[sv] ||
            v + h >= r.NoeudsV[sv + 1])
          continue;
        const TDerivees d = SurfaceDerivs(r, 2, u, v);
        const TDerivees up = SurfaceDerivs(r, 2, u + h, v), um = SurfaceDerivs(r, 2, u - h, v);
        const TDerivees vp = SurfaceDerivs(r, 2, u, v + h), vm = SurfaceDerivs(r, 2, u, v - h);
        auto diff = [h](const TVertex3f& a, const TVertex3f& b) { return (a - b) * (0.5 / h); };
        const double tol1 = 1e-6 * taille, tol2 = 1e-4 * taille;
        EXPECT_LT(Ecart(d.S[1][0], diff(up.S[0][0], um.S[0][0])), tol1) << lf << "x" << cf;
        EXPECT_LT(Ecart(d.S[0][1], diff(vp.S[0][0], vm.S[0][0])), tol1) << lf << "x" << cf;
        EXPECT_LT(Ecart(d.S[2][0], diff(up.S[1][0], um.S[1][0])), tol2) << lf << "x" << cf;
        EXPECT_LT(Ecart(d.S[1][1], diff(vp.S[1][0], vm.S[1][0])), tol2) << lf << "x" << cf;
        EXPECT_LT(Ecart(d.S[0][2], diff(vp.S[0][1], vm.S[0][1])), tol2) << lf << "x" << cf;
        // The point itself against the plain rational sum over every basis function.
        std::vector<double> tu(r.NoeudsU, r.NoeudsU + r.OrdreU + r.NU + 1);
        std::vector<double> tv(r.NoeudsV, r.NoeudsV + r.OrdreV + r.NV + 1);
        TVertex3f p;
        double w = 0;
        for (int i = 0; i <= r.NU; i++)
          for (int j = 0; j <= r.NV; j++) {
            const double b =
                BaseCoxDeBoor(tu, i, r.OrdreU, u) * BaseCoxDeBoor(tv, j, r.OrdreV, v) * r.PoidsCtrl[i][j];
            p = p + r.PtsCtrl[i][j] * b;
            w += b;
          }
        EXPECT_LT(Ecart(d.S[0][0], p * (1 / w)), 1e-13 * taille);
      }
    }
}

// The grid samplers share spans and basis functions along rows and columns:
// they must give what the point-by-point evaluation gives, corners included.
TEST(Echantillonnage, FastPathEqualsPointByPointOnRandomRationalNets) {
  for (bool avx : {true, false}) {
    TAvxAutorise garde(avx);  // where the processor has AVX, the baseline path is checked too
    std::mt19937 g(2024);
    std::uniform_int_distribution<int> taille(1, 12);
    const int precisions[][2] = {{1, 1}, {2, 3}, {7, 5}, {20, 13}, {33, 40}};
    int nbCas = 0;
    for (int lf = 2; lf <= MaxOrdre; lf++)
      for (int cf = 2; cf <= MaxOrdre; cf++)
        for (const auto& nm : precisions) {
          const int n = nm[0], m = nm[1];
          // Nets smaller than the order too: the order is then lowered.
          TSurface s = SurfaceAleatoire(g, taille(g) + lf - 2, taille(g) + cf - 3, lf, cf, n);
          TSNurbs r;
          s.MyNurbs2SNurbs(r);
          const double tol = 1e-12 * TailleModele(s);
          const double courbureModele = 1 / (TailleModele(s) * TailleModele(s));  // curvature is 1 / length^2
          const double distance = (nbCas % 3) ? 1.0 : 0.37;
          const bool inverse = nbCas % 2;
          TArrayVertex3f pts = GrilleVide(n, m), nor = GrilleVide(n, m), ptsG = GrilleVide(n, m),
                         norG = GrilleVide(n, m);
          std::vector<double> gauss;
          EvalWholeSurface(r, n, m, nor, pts, distance, inverse);
          EvalGaussWholeSurface(r, n, m, norG, ptsG, gauss, distance, inverse);
          ASSERT_EQ(gauss.size(), size_t(MaxGrille) * MaxGrille);
          for (int i = 0; i <= n; i++)
            for (int j = 0; j <= m; j++) {
              const double u = Param(i, n), v = Param(j, m);
              const TPtNormale pn = EvalPtNormale(r, inverse, u, v, distance);
              double k = 0;
              const TPtNormale pg = EvalPtGauss(r, inverse, u, v, distance, k);
              ASSERT_LT(Ecart(pts[i][j], pn.Point), tol) << lf << "x" << cf << " [" << i << "][" << j << "]";
              ASSERT_LT(Ecart(nor[i][j], pn.Decale), tol) << lf << "x" << cf << " [" << i << "][" << j << "]";
              ASSERT_LT(Ecart(ptsG[i][j], pg.Point), tol);
              ASSERT_LT(Ecart(norG[i][j], pg.Decale), tol);
              const double kg = gauss[size_t(i) * MaxGrille + j];
              ASSERT_TRUE(std::isfinite(kg));
              ASSERT_LE(std::abs(kg - k), 1e-12 * (std::abs(k) + courbureModele));
            }
          nbCas++;
        }
    EXPECT_EQ(nbCas, 125);
  }
}

TEST(Echantillonnage, NegativeWeightsStayOnTheVectorPath) {
  // A net whose weights are all negative is the same surface as with positive ones; only a
  // weight of about zero at a point sends that point to the point-by-point path.
  for (bool avx : {true, false}) {
    TAvxAutorise garde(avx);
    std::mt19937 g(7);
    TSurface s = SurfaceAleatoire(g, 6, 7, 4, 4, 20);
    for (int i = 0; i < s.Net.NbLn; i++)
      for (int j = 0; j < s.Net.NbCol; j++) s.Net.PC[i][j].W = -s.Net.PC[i][j].W;
    TSNurbs r;
    s.MyNurbs2SNurbs(r);
    TArrayVertex3f pts = GrilleVide(20, 20), nor = GrilleVide(20, 20);
    const long long avant = ReprisesPointParPoint();
    EvalWholeSurface(r, 20, 20, nor, pts, 1.0, false);
    EXPECT_EQ(ReprisesPointParPoint() - avant, 0) << "avx " << avx;
    const double tol = 1e-12 * TailleModele(s);
    for (int i = 0; i <= 20; i++)
      for (int j = 0; j <= 20; j++)
        ASSERT_LT(Ecart(pts[i][j], EvalPtNormale(r, false, Param(i, 20), Param(j, 20), 1.0).Point), tol);
  }
}

TEST(Base, DerivativeCountIsHeldToTheTables) {
  // Asked for more derivatives than the tables hold, nothing is written past them.
  const std::vector<double> t = Noeuds(MaxOrdre, 8);
  struct {
    double Ders[MaxDeriv + 1][MaxOrdre];
    double Garde[4 * MaxOrdre];
  } z;
  for (double& g : z.Garde) g = 12345;
  const int span = FindSpan(MaxOrdre, 8, t.data(), 0.4);
  DersBasisFuns(span, MaxOrdre, t.data(), MaxOrdre - 1, 0.4, z.Ders);
  for (double g : z.Garde) EXPECT_EQ(g, 12345);
  double ref[MaxDeriv + 1][MaxOrdre];
  DersBasisFuns(span, MaxOrdre, t.data(), MaxDeriv, 0.4, ref);
  for (int d = 0; d <= MaxDeriv; d++)
    for (int j = 0; j < MaxOrdre; j++) EXPECT_EQ(z.Ders[d][j], ref[d][j]) << d << " " << j;
  // An order beyond the tables gives zeros, a negative count the functions alone.
  DersBasisFuns(span, MaxOrdre + 3, t.data(), 1, 0.4, z.Ders);
  for (double g : z.Garde) EXPECT_EQ(g, 12345);
  EXPECT_EQ(z.Ders[0][0], 0);
  DersBasisFuns(span, MaxOrdre, t.data(), -4, 0.4, z.Ders);
  EXPECT_EQ(z.Ders[0][0], ref[0][0]);
}

TEST(Echantillonnage, CornersAreEvaluatedJustInsideTheDomain) {
  TSurface s(0, 10);
  s.Net.Initialise(1);  // 2 x 2 plane, 2 m square
  s.Net.LFlex = s.Net.CFlex = 2;
  s.CalcSurface();
  EXPECT_EQ(s.Pts[5][5], (TVertex3f{1, 1, 0}));
  // u = v = 1e-6 on a plane of size 2: (2e-6, 2e-6, 0), not the corner vertex itself.
  EXPECT_NEAR(s.Pts[0][0].X, 2e-6, 1e-18);
  EXPECT_NEAR(s.Pts[0][0].Y, 2e-6, 1e-18);
  EXPECT_LT(Ecart(s.Pts[0][0], s.Net.PC[0][0].V()), 1e-5 * 2);
  EXPECT_NEAR(s.Pts[10][10].X, 2 - 2e-6, 1e-15);
  for (int i = 0; i <= 10; i++)
    for (int j = 0; j <= 10; j++) EXPECT_EQ(s.Normales[i][j], (TVertex3f{0, 0, 1}));
}

TEST(Echantillonnage, DegenerateNetsGiveZeroNormalsAndNoNaN) {
  // Every vertex at one point: the tangents are rounding noise, whose cross
  // product must not be blown up into a unit normal of random direction.
  TSurface s(0, 6);
  s.Net.NbLn = 4;
  s.Net.NbCol = 3;
  s.Net.LFlex = s.Net.CFlex = 3;
  s.AvecCourbure = true;
  std::mt19937 g(3);
  std::uniform_real_distribution<double> poids(0.5, 2);
  for (int i = 0; i < 4; i++)
    for (int j = 0; j < 3; j++) s.Net.PC[i][j] = {1.1, 2.3, 3.7, poids(g)};
  s.CalcSurface();
  for (int i = 0; i <= 6; i++)
    for (int j = 0; j <= 6; j++) {
      EXPECT_LT(Ecart(s.Pts[i][j], TVertex3f{1.1, 2.3, 3.7}), 1e-14);
      EXPECT_EQ(s.Normales[i][j], (TVertex3f{}));
      EXPECT_EQ(s.Gauss(i, j), 0);
    }

  // A single row: a curve, no tangent plane.
  s.Net.NbLn = 1;
  s.Net.PC[0][1] = {0, 5, 0, 1};
  s.MarqueNonCalculee();
  s.CalcSurface();
  EXPECT_EQ(s.Normales[3][3], (TVertex3f{}));

  // Weights of zero: the rational point is undefined, the grid stays finite.
  TSurface z(0, 4);
  z.Net.Initialise(1);
  z.Net.LFlex = z.Net.CFlex = 2;
  for (int i = 0; i < 2; i++)
    for (int j = 0; j < 2; j++) z.Net.PC[i][j].W = 0;
  z.AvecCourbure = true;
  z.CalcSurface();
  for (int i = 0; i <= 4; i++)
    for (int j = 0; j <= 4; j++) {
      EXPECT_TRUE(std::isfinite(z.Pts[i][j].X) && std::isfinite(z.Pts[i][j].Y) &&
                  std::isfinite(z.Pts[i][j].Z));
      EXPECT_EQ(z.Normales[i][j], (TVertex3f{}));
      EXPECT_EQ(z.Gauss(i, j), 0);
    }
  EXPECT_NEAR(z.Pts[2][2].X, 1, 1e-12);  // the unweighted plane

  // An empty net: nothing to evaluate, nothing stale left.
  TSurface e(0, 3);
  e.Pts[1][1] = {9, 9, 9};
  e.CalcSurface();
  EXPECT_EQ(e.Pts[1][1], (TVertex3f{}));
}

TEST(Courbure, PlanesAndCylindersAreFlatAndAParaboloidIsNot) {
  for (int forme = 1; forme <= 6; forme++) {
    TSurface s(0, 20);
    s.Net.Initialise(forme);
    s.Net.LFlex = forme == 6 ? 2 : forme >= 4 ? 4 : 2;
    s.Net.CFlex = forme == 6 ? 4 : 2;
    s.AvecCourbure = true;
    s.CalcSurface();
    for (int i = 0; i <= 20; i++)
      for (int j = 0; j <= 20; j++) EXPECT_NEAR(s.Gauss(i, j), 0, 1e-9) << "shape " << forme;
  }
  // z = x^2 + y^2 over [-1, 1]^2 as a quadratic patch: K = 4 / (1 + 4x^2 + 4y^2)^2.
  TSurface p(0, 10);
  p.Net.NbLn = p.Net.NbCol = 3;
  p.Net.LFlex = p.Net.CFlex = 3;
  const double c[3] = {1, -1, 1};
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) p.Net.PC[i][j] = {i - 1.0, j - 1.0, c[i] + c[j], 1};
  p.AvecCourbure = true;
  p.CalcSurface();
  for (int i = 0; i <= 10; i++)
    for (int j = 0; j <= 10; j++) {
      const double x = p.Pts[i][j].X, y = p.Pts[i][j].Y, d = 1 + 4 * x * x + 4 * y * y;
      EXPECT_NEAR(p.Gauss(i, j), 4 / (d * d), 1e-9);
    }
  EXPECT_NEAR(p.Gauss(5, 5), 4, 1e-9);
  // Outside the table: 0, never a read past its end.
  EXPECT_EQ(p.Gauss(201, 0), 0);
  EXPECT_EQ(p.Gauss(-1, 3), 0);

  // A pass without curvature keeps the last values.
  p.AvecCourbure = false;
  p.Net.PC[1][1].Z = 5;
  p.MarqueNonCalculee();
  p.CalcSurface();
  EXPECT_NEAR(p.Gauss(5, 5), 4, 1e-9);

  EXPECT_EQ(CourbureGauss({1, 0, 0}, {2, 0, 0}, {0, 0, 1}, {0, 0, 1}, {0, 0, 1}), 0);
  // Tangents so short that g * g underflows: no curvature rather than infinity.
  EXPECT_EQ(CourbureGauss({1e-50, 0, 0}, {0, 1e-50, 0}, {0, 0, 1}, {0, 0, 0}, {0, 0, 1}), 0);
}
