// Matrices, vectors, planes, angles, circles, curvature and the screen procedures.
#include <gtest/gtest.h>

#include <cmath>

#include "Aide.h"
#include "base/Options.h"
#include "model/Calcs.h"
#include "model/Matrice.h"

namespace {

void ExpectNear(const TVertex3f& a, const TVertex3f& b, double tol = 1e-12) {
  EXPECT_NEAR(a.X, b.X, tol);
  EXPECT_NEAR(a.Y, b.Y, tol);
  EXPECT_NEAR(a.Z, b.Z, tol);
}

TEST(Matrices, InitAndScaleIdentity) {
  TMatrice4 m;
  m[1][2] = 7;
  InitMatrice(m);
  for (int i = 0; i < 4; i++)
    for (int j = 0; j < 4; j++) EXPECT_EQ(m[i][j], (i == 3 && j == 3) ? 1.0 : 0.0);
  TMatrice4 e;
  MatEchelle3D({1, 1, 1}, e);
  for (int i = 0; i < 4; i++)
    for (int j = 0; j < 4; j++) EXPECT_EQ(e[i][j], i == j ? 1.0 : 0.0);
}

TEST(Matrices, RotationSignsAndComposition) {
  TMatrice4 ry;
  MatRotationY(ry, 90);
  TVertex3f p{1, 0, 0};
  Transformation3D(ry, p);
  ExpectNear(p, {0, 0, 1});

  TMatrice4 rz;
  MatRotationZ(rz, 90);
  TVertex3f q{1, 0, 0};
  Transformation3D(rz, q);
  ExpectNear(q, {0, 1, 0});

  // X first, then Y, then Z: (0,1,0) -Rx90-> (0,0,1) -Ry90-> (-1,0,0) -Rz90-> (0,-1,0).
  TVertex3f r{0, 1, 0};
  Rotation3D({0, 0, 0}, {90, 90, 90}, r);
  ExpectNear(r, {0, -1, 0});
}

TEST(Matrices, InverseRotationRestoresOnlyWithNegatedAngles) {
  const TVertex3f c{1.5, -2, 0.25}, a{17, -33, 71}, p0{3, 4, -5};
  TMatrice4 m, inv, bad;
  MatRotation3D(c, a, m);
  MatRotationInv3D(c, {-a.X, -a.Y, -a.Z}, inv);
  MatRotationInv3D(c, a, bad);
  TVertex3f p = p0, q = p0;
  Transformation3D(m, p);
  Transformation3D(inv, p);
  ExpectNear(p, p0, 1e-12);
  Transformation3D(m, q);
  Transformation3D(bad, q);
  EXPECT_GT(Distance3D(q, p0), 0.1);
}

TEST(Matrices, ProductMayAliasAndHomothetyKeepsCentre) {
  TMatrice4 a, b;
  MatTranslation({1, 2, 3}, a);
  MatEchelle3D({2, 2, 2}, b);
  ProduitMatrice4(a, b, a);  // output aliases the first input
  TVertex3f p{1, 1, 1};
  Transformation3D(a, p);
  ExpectNear(p, {3, 4, 5});
  TMatrice4 h;
  MatHomothetie3D({3, 0.5, 2}, {1, 1, 1}, h);
  TVertex3f c{1, 1, 1}, d{2, 3, 1};
  Transformation3D(h, c);
  Transformation3D(h, d);
  ExpectNear(c, {1, 1, 1});
  ExpectNear(d, {4, 2, 1});
}

TEST(Vectors, NormalizeCrossAndHeron) {
  TVertex3f z{0, 0, 0};
  NormalizeVertex3f(z);
  EXPECT_EQ(z, (TVertex3f{0, 1, 0}));
  TVertex3f v{3, 0, 4};
  NormalizeVertex3f(v);
  ExpectNear(v, {0.6, 0, 0.8});
  ExpectNear(ProduitVect({1, 0, 0}, {0, 1, 0}), {0, 0, 1});
  TVertex3f n;
  ProduitVectoriel({1, 0, 0}, {0, 0, 0}, {0, 1, 0}, n);
  ExpectNear(n, {0, 0, 1});
  NormaleTriangle({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, n);
  ExpectNear(n, {0, 0, 1});
  EXPECT_NEAR(CalcSurfTri({0, 0, 0}, {3, 0, 0}, {0, 4, 0}), 6, 1e-12);
  EXPECT_EQ(CalcSurfTri({0, 0, 0}, {1, 1, 1}, {2, 2, 2}), 0);  // degenerate, not NaN
  EXPECT_EQ(MaxTab({}), -10000);
  EXPECT_EQ(MinTab({}), 10000);
  const double t[] = {-20000, -30000};
  EXPECT_EQ(MaxTab(t), -10000);
  EXPECT_TRUE(MemeSigne(0, -5));
  EXPECT_FALSE(MemeSigne(1, -5));
}

TEST(Vectors, ResizeKeepsOverlapAndZeroFills) {
  TArrayVertex3f g;
  ASSERT_TRUE(ResizeArrayVertex3f(g, 2, 3));
  g[1][2] = {1, 2, 3};
  ASSERT_TRUE(ResizeArrayVertex3f(g, 4, 4));
  EXPECT_EQ(g.size(), 4u);
  for (const auto& r : g) EXPECT_EQ(r.size(), 4u);
  EXPECT_EQ(g[1][2], (TVertex3f{1, 2, 3}));
  EXPECT_EQ(g[3][3], (TVertex3f{}));
  ASSERT_TRUE(ResizeArrayVertex3f(g, 2, 2));
  EXPECT_EQ(g.size(), 2u);
  EXPECT_EQ(g[1].size(), 2u);
}

TEST(Planes, MirrorAndProjections) {
  TPlan x0{1, 0, 0, 0};
  ExpectNear(CalcSym({2, 3, 4}, x0), {-2, 3, 4});
  TPlan oblique{0, 1, 0, -5};  // y = 5
  ExpectNear(CalcSym({1, 7, 2}, oblique), {1, 3, 2});
  TVertex3f q;
  CalcProjeteVect({1, 1, 1}, {0, 0, 1}, {0, 0, 1, -3}, q);  // onto z = 3 along Z
  ExpectNear(q, {1, 1, 3});
  CalcProjeteVect({1, 1, 1}, {1, 0, 0}, {0, 0, 1, -3}, q);  // parallel: unchanged
  ExpectNear(q, {1, 1, 1});
  CalcProjeteNY({2, 5, 0}, x0, q);
  ExpectNear(q, {0, 5, 0});
  CalcProjeteNX({2, 5, 0}, x0, q);  // b² + c² = 0
  ExpectNear(q, {2, 5, 0});
  CalcProjeteNZ({2, 5, 7}, {1, 1, 0, 0}, q);
  ExpectNear(q, {-1.5, 1.5, 7});
}

TEST(Points, RotationAboutAxesAndUnknownAxis) {
  TVertex3f p{2, 0, 0};
  RotationPtAxe(0, {1, 0, 0}, p, 90);  // about Y through (1,0,0)
  ExpectNear(p, {1, 0, 1});
  p = {1, 0, 0};
  RotationPtAxe(1, {0, 0, 0}, p, 90);
  ExpectNear(p, {0, 1, 0});
  p = {0, 1, 0};
  RotationPtAxe(2, {0, 0, 0}, p, 90);
  ExpectNear(p, {0, 0, 1});
  EnregistreMessages m;
  p = {5, 6, 7};
  RotationPtAxe(9, {0, 0, 0}, p, 90);
  EXPECT_EQ(p, (TVertex3f{5, 6, 7}));
  EXPECT_TRUE(m.A("Action non prévue"));
}

TEST(Points, SegmentInterpolationAndDiagonal) {
  TVertex3f p{0, 0, 0.5};
  CalcPtDroite({0, 0, 0}, {2, 4, 1}, p, 3);
  ExpectNear(p, {1, 2, 0.5});
  p = {0, 0, 3};
  CalcPtDroite({0, 0, 3}, {2, 4, 3}, p, 3);  // horizontal: midpoint
  ExpectNear(p, {1, 2, 3});
  p = {1, 0, 0};
  CalcPtDroite({0, 0, 0}, {2, 4, 6}, p, 1);
  ExpectNear(p, {1, 2, 3});
  EnregistreMessages m;
  p = {9, 9, 9};
  CalcPtDroite({0, 0, 0}, {1, 1, 1}, p, 4);
  EXPECT_EQ(p, (TVertex3f{9, 9, 9}));
  EXPECT_TRUE(m.A("Cas impossible dans le mode de calcul des droites"));
  // Diagonal z = 0.5 + x between (0,0,0) and (0,2,2): crosses at y = z = 0.5.
  InterDroiteDiag({0, 0, 0}, {0, 2, 2}, p, 0.5, 1);
  ExpectNear(p, {0, 0.5, 0.5});
}

TEST(Angles, DegenerateRightAndStraight) {
  EXPECT_EQ(Angle3D({0, 0, 0}, {0, 0, 0}, {1, 0, 0}), 0);
  EXPECT_NEAR(Angle3D({1, 0, 0}, {0, 0, 0}, {0, 1, 0}), 90, 1e-12);
  EXPECT_NEAR(Angle3D({1, 0, 0}, {0, 0, 0}, {-1, 0, 0}), 180, 1e-12);
  EXPECT_NEAR(Angle3D({1, 0, 0}, {0, 0, 0}, {-1, 1, 0}), 135, 1e-12);
  EXPECT_EQ(AngleOriente2D({1, 0}, {0, 0}, {0, 1}), 90);
  EXPECT_EQ(AngleOriente2D({1, 0}, {0, 0}, {0, -1}), -90);
  EXPECT_NEAR(AngleOriente2D({1, 0}, {0, 0}, {-1, 0}), 180, 1e-12);
  EXPECT_NEAR(AngleOriente2D({1, 0}, {0, 0}, {-1, -1}), -135, 1e-5);
  EXPECT_EQ(AngleOriente2D({0, 0}, {0, 0}, {1, 1}), 0);
  EXPECT_NEAR(Angle2D({0, 0}, {1, 0}, {0, 1}), 90, 1e-5);
  EXPECT_EQ(Angle2D({0, 0}, {0, 0}, {0, 1}), 0);
}

TEST(Circles, CollinearLeavesCentreUntouched) {
  TVertex3f c{42, 42, 42};
  EXPECT_FALSE(CerclePar3Pts({0, 0, 0}, {1, 1, 1}, {2, 2, 2}, c));
  EXPECT_EQ(c, (TVertex3f{42, 42, 42}));
  ASSERT_TRUE(CerclePar3Pts({1, 0, 0}, {0, 1, 0}, {-1, 0, 0}, c));
  ExpectNear(c, {0, 0, 0});
}

class CourbureTest : public ::testing::Test {
 protected:
  void TearDown() override { Options() = TOptions{}; }
};

TEST_F(CourbureTest, CollinearIsZero) {
  TCourbure k{{1, 1, 1}, 5};
  Courbure({0, 0, 0}, {1, 0, 0}, {2, 0, 0}, false, k);
  EXPECT_EQ(k.Valeur, 0);
  EXPECT_EQ(k.Vecteur, (TVertex3f{}));
}

TEST_F(CourbureTest, CircleOfRadiusRWithFactorTypeAndOrientation) {
  const double R = 2.5;
  auto pt = [R](double a) { return TVertex3f{R * std::cos(a), R * std::sin(a), 0}; };
  TVertex3f p1 = pt(0.3), p2 = pt(0.5), p3 = pt(0.7);
  TCourbure k;
  Courbure(p1, p2, p3, false, k);  // F = 1
  EXPECT_NEAR(k.Valeur, 1 / R, 1e-9);
  EXPECT_NEAR(Norme(k.Vecteur), 1 / R, 1e-9);
  // Points inwards: towards the circle's centre at the origin.
  EXPECT_LT(ProduitScalaire(k.Vecteur, p2), 0);

  Options().FacteurCourbure = 10000;  // F = 2
  Courbure(p1, p2, p3, false, k);
  EXPECT_NEAR(k.Valeur, 1 / (2 * R), 1e-9);
  Options().TypeRayon = 1;
  Courbure(p1, p2, p3, false, k);
  EXPECT_NEAR(Norme(k.Vecteur), 2 * R, 1e-9);
  Options().OrientationRayon = 1;
  Courbure(p1, p2, p3, true, k);
  EXPECT_NEAR(k.Valeur, 1 / std::sqrt(2 * R), 1e-9);
  EXPECT_GT(ProduitScalaire(k.Vecteur, p2), 0);
}

TEST(Screen, ProjectionRoundsToNearestEven) {
  TParamVue v;
  v.Echelle = 1;
  v.OrigineX = 100;
  v.OrigineY = 50;
  v.Theta = 0;
  v.Phi = 0;  // profile-like: x' = Y, y' = Z
  TPixel px;
  Pt3DVersEcran({0, 2.5, 1.5}, px, v);
  EXPECT_EQ(px, (TPixel{102, 48}));  // 2.5 -> 2, 1.5 -> 2
  Pt3DVersEcran({0, 3.5, -0.5}, px, v);
  EXPECT_EQ(px, (TPixel{104, 50}));
  TPoint2f q;
  ProjAxono({1, 0, 0}, q, 4.712389, 0);  // section view: X to the right
  EXPECT_NEAR(q.X, 1, 1e-6);
}

TEST(Screen, SurSegmentWithinOnePixel) {
  EXPECT_TRUE(SurSegment({0, 0}, {10, 10}, {5, 5}));
  EXPECT_TRUE(SurSegment({0, 0}, {10, 10}, {5, 6}));
  EXPECT_FALSE(SurSegment({0, 0}, {10, 10}, {5, 8}));
  EXPECT_FALSE(SurSegment({0, 0}, {10, 10}, {12, 12}));  // on the line, past the end
  EXPECT_TRUE(SurSegment({3, 0}, {3, 10}, {3, 4}));      // vertical
  EXPECT_TRUE(SurSegment({3, 0}, {3, 10}, {4, 4}));
  EXPECT_FALSE(SurSegment({3, 0}, {3, 10}, {3, 11}));
}

TEST(Screen, SurSegmentNeverFarBeyondItsEnds) {
  // A steep segment: on its line one pixel to the side, but 50 pixels past its end.
  EXPECT_TRUE(SurSegment({0, 0}, {1, 100}, {1, 99}));
  EXPECT_FALSE(SurSegment({0, 0}, {1, 100}, {1, 150}));
  EXPECT_FALSE(SurSegment({0, 0}, {1, 100}, {0, -60}));
  // A zero-length segment is only its own pixel and its neighbours.
  EXPECT_TRUE(SurSegment({5, 5}, {5, 5}, {5, 5}));
  EXPECT_TRUE(SurSegment({5, 5}, {5, 5}, {6, 5}));
  EXPECT_FALSE(SurSegment({5, 5}, {5, 5}, {5, 40}));
}

}  // namespace
