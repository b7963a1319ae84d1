// Tests of a surface's whole evaluation as the model runs it: the fused pass
// against the separate steps, mirror grids in rotated symmetry planes, the
// extremes, the precision limits and the update of a document.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "geometry/Nurbs.h"
#include "geometry/Spline.h"
#include "session/ObjCom.h"

namespace {

double Ecart(const TVertex3f& a, const TVertex3f& b) {
  return std::max({std::abs(a.X - b.X), std::abs(a.Y - b.Y), std::abs(a.Z - b.Z)});
}

bool Fini(const TVertex3f& p) { return std::isfinite(p.X) && std::isfinite(p.Y) && std::isfinite(p.Z); }

// A curved rational 7 x 6 net of orders 4 x 3.
void Coque(TSurface& s) {
  s.Net.NbLn = 7;
  s.Net.NbCol = 6;
  s.Net.LFlex = 4;
  s.Net.CFlex = 3;
  for (int i = 0; i < 7; i++)
    for (int j = 0; j < 6; j++)
      s.Net.PC[i][j] = {std::sin(0.4 * i) * (1 + 0.1 * j), 1.5 * j, 0.2 * i * i - 0.05 * j,
                        0.6 + 0.2 * ((i + j) % 4)};
}

// Turns the symmetry base about Z by 30 degrees and moves it to (0.5, 0, 0).
void BaseTournee(TPlanSym& ps) {
  const double c = std::cos(std::numbers::pi / 6), s = std::sin(std::numbers::pi / 6);
  ps.Origine = {0.5, 0, 0};
  ps.Axe1 = {c, s, 0};
  ps.Axe2 = {-s, c, 0};
  ps.Axe3 = {0, 0, 1};
  ps.MajPlan();
}

TVertex3f Reflechi(const TVertex3f& v, const TVertex3f& a) { return v - a * (2 * ProduitScalaire(v, a)); }

// The normal of a grid by central differences, rows then columns, at an inner node.
TVertex3f NormaleDifferences(const TArrayVertex3f& g, int i, int j) {
  TVertex3f n = ProduitVect(g[i + 1][j] - g[i - 1][j], g[i][j + 1] - g[i][j - 1]);
  NormalizeVertex3f(n);
  return n;
}

}  // namespace

TEST(CalcSurface, FusedPassEqualsSamplingDenormaliseAndMirrors) {
  for (bool avx : {true, false}) {
    TAvxAutorise garde(avx);
    for (bool courbure : {false, true}) {
      TSurface s(0, 24);
      Coque(s);
      BaseTournee(s.PlanSym);
      s.AvecCourbure = courbure;
      s.CalcSurface();

      TSNurbs r;
      s.MyNurbs2SNurbs(r);
      TArrayVertex3f pts = s.Pts, nor = s.Pts;
      std::vector<double> gauss;
      EvalGaussWholeSurface(r, 24, 24, nor, pts, gauss, 1, false);
      Denormalise(pts, nor);
      TSurface ref = s;
      ref.Pts = pts, ref.Normales = nor;
      CalcGrillesSym(ref);
      const double tol = 1e-12 * 8;  // the net spans about 8 m
      for (int i = 0; i <= 24; i++)
        for (int j = 0; j <= 24; j++) {
          ASSERT_LT(Ecart(s.Pts[i][j], ref.Pts[i][j]), tol);
          ASSERT_LT(Ecart(s.Normales[i][j], ref.Normales[i][j]), tol);
          ASSERT_LT(Ecart(s.PtsSym[i][j], ref.PtsSym[i][j]), tol);
          ASSERT_LT(Ecart(s.NormalesSym[i][j], ref.NormalesSym[i][j]), tol);
          ASSERT_NEAR(Norme(s.Normales[i][j]), 1, 1e-12);
          if (courbure) {
            ASSERT_NEAR(s.Gauss(i, j), gauss[size_t(i) * MaxGrille + j],
                        1e-12 * (1 + std::abs(s.Gauss(i, j))));
          }
        }
    }
  }
}

TEST(CalcSurface, MirrorNormalsFollowTheSurfacesOwnPlane) {
  for (bool tournee : {false, true}) {
    TSurface s(0, 30);
    Coque(s);
    if (tournee) BaseTournee(s.PlanSym);
    s.CalcSurface();
    const TVertex3f a = tournee ? TVertex3f{std::cos(std::numbers::pi / 6), std::sin(std::numbers::pi / 6), 0}
                                : TVertex3f{1, 0, 0};
    for (int i = 0; i <= 30; i++)
      for (int j = 0; j <= 30; j++) {
        EXPECT_LT(Ecart(s.PtsSym[30 - i][j], CalcSym(s.Pts[i][j], s.PlanSym.Plan())), 1e-12);
        EXPECT_LT(Ecart(s.NormalesSym[30 - i][j], Reflechi(s.Normales[i][j], a)), 1e-12);
      }
    if (!tournee) {
      // The world base: (-x, y, z) for points and normals alike.
      const TVertex3f p = s.Pts[7][9], n = s.Normales[7][9];
      EXPECT_EQ(s.PtsSym[23][9], (TVertex3f{-p.X, p.Y, p.Z}));
      EXPECT_EQ(s.NormalesSym[23][9], (TVertex3f{-n.X, n.Y, n.Z}));
    }
    // The mirror normals are the normals of the mirror grid itself, rows as stored.
    for (int i = 1; i < 30; i += 4)
      for (int j = 1; j < 30; j += 4)
        EXPECT_GT(ProduitScalaire(NormaleDifferences(s.PtsSym, i, j), s.NormalesSym[i][j]), 0.99)
            << (tournee ? "rotated" : "world") << " base [" << i << "][" << j << "]";
  }
}

namespace {
// The extremes by the plain rule: scan the grid, the point before its mirror,
// and keep a point only when strictly beyond.
void ExtremesReference(const TArrayVertex3f& pts, const TArrayVertex3f* sym, TVertex3f e[6]) {
  for (size_t i = 0; i < pts.size(); i++)
    for (size_t j = 0; j < pts[i].size(); j++)
      for (int s = 0; s < (sym ? 2 : 1); s++) {
        const TVertex3f& p = s ? (*sym)[i][j] : pts[i][j];
        if (p.X < e[0].X) e[0] = p;
        if (p.X > e[1].X) e[1] = p;
        if (p.Y < e[2].Y) e[2] = p;
        if (p.Y > e[3].Y) e[3] = p;
        if (p.Z < e[4].Z) e[4] = p;
        if (p.Z > e[5].Z) e[5] = p;
      }
}
}  // namespace

TEST(Extremes, FirstPointStrictlyBeyondInScanOrder) {
  std::mt19937 g(5);
  // Few distinct values, so that ties are everywhere; odd and even row lengths.
  std::uniform_int_distribution<int> v(-3, 3);
  for (int essai = 0; essai < 40; essai++) {
    const int n = 1 + essai % 7, m = 1 + (essai * 5) % 9;
    TArrayVertex3f pts(n, std::vector<TVertex3f>(m)), sym = pts;
    for (int i = 0; i < n; i++)
      for (int j = 0; j < m; j++) {
        pts[i][j] = {double(v(g)), double(v(g)) + 0.5 * j, double(v(g)) * i};
        sym[i][j] = {double(v(g)), double(v(g)), double(v(g))};
      }
    const TArrayVertex3f* miroirs[2] = {nullptr, &sym};
    for (const TArrayVertex3f* s : miroirs) {
      TVertex3f a[6] = {{10000, 0, 0},  {-10000, 0, 0}, {0, 10000, 0},
                        {0, -10000, 0}, {0, 0, 10000},  {0, 0, -10000}};
      TVertex3f b[6] = {a[0], a[1], a[2], a[3], a[4], a[5]};
      ExtremesGrille(pts, s, a);
      ExtremesReference(pts, s, b);
      for (int k = 0; k < 6; k++) ASSERT_EQ(a[k], b[k]) << "case " << essai << " extreme " << k;
    }
  }
  // A grid constant in X keeps its first point as both X extremes; a coordinate
  // never beyond the start values leaves them.
  TArrayVertex3f plat(3, std::vector<TVertex3f>(3));
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) plat[i][j] = {2, double(i), 20000.0 + j};
  TVertex3f e[6] = {{10000, 0, 0},  {-10000, 0, 0}, {0, 10000, 0},
                    {0, -10000, 0}, {0, 0, 10000},  {0, 0, -10000}};
  ExtremesGrille(plat, nullptr, e);
  EXPECT_EQ(e[0], plat[0][0]);
  EXPECT_EQ(e[1], plat[0][0]);
  EXPECT_EQ(e[4], (TVertex3f{0, 0, 10000}));
  EXPECT_EQ(e[5], plat[0][2]);
}

TEST(Document, StartingShapeOnePlaneAndUpdateThroughMajSurface) {
  TDocument doc;
  TOptionsNouvelleSurface o;
  o.FlexLongitudinale = o.FlexTransversale = 2;
  ASSERT_EQ(NouvelleSurface(doc, "Plan", 1, o), "");
  ChangePrecision(doc, 10);
  EXPECT_TRUE(doc.Surf(0).Calculee);
  EXPECT_EQ(doc.Surf(0).Pts[5][5], (TVertex3f{1, 1, 0}));
  EXPECT_NEAR(doc.SurfXMin, -2 + 2e-6, 1e-12);  // the mirror half counts
  EXPECT_NEAR(doc.SurfXMax, 2 - 2e-6, 1e-12);

  // An edit marks the surface; one MajSurface brings the grids and extents back.
  doc.SurfNurbs(0)->Net.PC[1][1].Z = 3;
  doc.Surf(0).MarqueNonCalculee();
  MajSurface(doc, false, -1);
  EXPECT_TRUE(doc.Surf(0).Calculee);
  EXPECT_NEAR(doc.Surf(0).Pts[5][5].Z, 0.75, 1e-12);
  EXPECT_NEAR(doc.SurfZMax, 3 * (1 - 1e-6) * (1 - 1e-6), 1e-12);
}

TEST(Document, PrecisionFromAnySourceStaysWithinOneToTwoHundred) {
  TDocument doc;
  doc.InitDefaut();
  ASSERT_EQ(doc.Precision, 20);
  ChangePrecision(doc, 50);
  EXPECT_EQ(doc.Surf(0).Pts.size(), 51u);
  EXPECT_EQ(doc.Surf(0).NbColPt, 50);
  ChangePrecision(doc, 0);  // would divide by zero
  EXPECT_EQ(doc.Precision, 1);
  EXPECT_EQ(doc.Surf(0).Pts.size(), 2u);
  ChangePrecision(doc, 500);
  EXPECT_EQ(doc.Precision, 200);
  EXPECT_EQ(doc.Surf(0).PtsSym.size(), 201u);
  // A surface built with a precision of 0 gets 1.
  TSurface s(0, 0);
  EXPECT_EQ(s.Pts.size(), 2u);
  // A grid of a single point (a grid resized by hand) samples the corner, finitely.
  s.RedimGrilles(1, 1);
  s.Net.Initialise(0);
  s.AvecCourbure = true;
  s.CalcSurface();
  ASSERT_EQ(s.Pts.size(), 1u);
  EXPECT_TRUE(Fini(s.Pts[0][0]) && Fini(s.Normales[0][0]) && std::isfinite(s.Gauss(0, 0)));
  EXPECT_LT(Ecart(s.Pts[0][0], s.Net.PC[0][0].V()), 1e-4);
}
