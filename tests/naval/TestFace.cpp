// Facets: clipping below the waterline, grids with mirror and closing strips,
// and the volume, centre, area and lateral-area integrals.
#include <gtest/gtest.h>

#include "naval/Barge.h"
#include "naval/Face.h"

namespace {

TEST(Clipping, CornersOnThePlane) {
  TVertex3f a{0, 0, 0}, b{1, 0, 0}, c{0, 1, 0}, d, e, f;
  EXPECT_EQ(GetTriUnderDWL(a, b, c, 0, d, e, f), 0);  // lying in the plane
  a = {0, 0, 0}, b = {1, 0, 0}, c = {0, 1, -1};
  EXPECT_EQ(GetTriUnderDWL(a, b, c, 0, d, e, f), 1);  // two on, one below: whole
  EXPECT_EQ(c, (TVertex3f{0, 1, -1}));
  a = {0, 0, 0}, b = {1, 0, 1}, c = {0, 1, 1};
  EXPECT_EQ(GetTriUnderDWL(a, b, c, 0, d, e, f), 0);  // touching from above
  // One on, one below, one above: the cut corner on the on-plane corner's edge is that corner.
  a = {0, 0, 0}, b = {1, 0, -1}, c = {0, 1, 1};
  ASSERT_EQ(GetTriUnderDWL(a, b, c, 0, d, e, f), 1);
  EXPECT_EQ(a, (TVertex3f{0, 0, 0}));
  EXPECT_EQ(b, (TVertex3f{1, 0, -1}));
  EXPECT_EQ(c, (TVertex3f{0.5, 0.5, 0}));
}

TEST(Clipping, TwoBelowGivesTwoTrianglesCoveringTheQuadrilateral) {
  // All three two-below cases cover the same area and keep the turning sense.
  const TVertex3f h{0, 0, 2}, l1{2, 0, -2}, l2{0, 2, -2};
  const TVertex3f tris[3][3] = {{h, l1, l2}, {l2, h, l1}, {l1, l2, h}};
  for (const auto& t : tris) {
    TListFace lst;
    lst.Add(t[0], t[1], t[2], 1, 0);
    ASSERT_EQ(lst.Count(), 2);
    double a = 0;
    for (const auto& f : lst.F) {
      a += f.Aire;
      EXPECT_LT(f.Nz, 0);  // same sense as the whole triangle
      EXPECT_LE(std::max({f.P1.Z, f.P2.Z, f.P3.Z}), 0);
    }
    TFacette entier(t[0], t[1], t[2]);
    EXPECT_LT(entier.Nz, 0);
    EXPECT_NEAR(a, entier.Aire * 0.75, 1e-12);  // the part below the middle height: 3/4 of it
  }
}

TEST(Lists, OrderSwapsAndDegenerateGrids) {
  TListFace l;
  l.Add({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, 1);
  l.Add({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, 0);
  EXPECT_EQ(l.F[0].Sens, -l.F[1].Sens);
  EXPECT_EQ(l.Face(5), nullptr);
  TListFace vide;
  MakeFaceList({{{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}}, 1, vide);  // one row
  EXPECT_EQ(vide.Count(), 0);
  TBarycentre b{{1, 1, 1}, 1};
  CCByFace(vide, b);
  EXPECT_EQ(b.Valeur, 0);
  EXPECT_EQ(b.Centre, (TVertex3f{}));
  CCAireByFace(vide, b);
  EXPECT_EQ(b.Centre, (TVertex3f{}));
  TCentreAire c;
  VolByFaceLateral(vide, c);
  EXPECT_EQ(c.Aire, 0);
  EXPECT_EQ(VolByFace(vide, 0, 1), 0);
  TVertex3f p{9, 9, 9};
  EXPECT_FALSE(GetSymPt({{{1, 1, 1}}}, 3, 0, p));
  EXPECT_EQ(p, (TVertex3f{9, 9, 9}));
}

TEST(Integrals, BoxBargeIsExact) {
  const double b = 1.5, L = 8, T = 0.6, D = 0.9;
  TDocument doc;
  AjouteBarge(doc, b, L, T, D, 3);
  TEntity& s = doc.Surf(0);
  TListFace l;
  BuildFaceListFull(s, l, 0);
  TBarycentre cc;
  CCByFace(l, cc);
  EXPECT_NEAR(std::abs(cc.Valeur), 2 * b * L * T, 1e-9);
  EXPECT_NEAR(cc.Centre.X, 0, 1e-9);
  EXPECT_NEAR(cc.Centre.Y, L / 2, 1e-9);
  EXPECT_NEAR(cc.Centre.Z, -T / 2, 1e-9);
  // Wetted area: bottom, two sides and two ends below the waterline.
  EXPECT_NEAR(AireByFace(l), 2 * b * L + 2 * L * T + 2 * 2 * b * T, 1e-9);
  // Reversing the orientation reverses the volume only.
  s.Orientation = !s.Orientation;
  TListFace r;
  BuildFaceListFull(s, r, 0);
  TBarycentre cr;
  CCByFace(r, cr);
  EXPECT_NEAR(cr.Valeur, -cc.Valeur, 1e-12);
  EXPECT_NEAR(VolByFace(r, 0, 2), -2 * cc.Valeur, 1e-9);
  EXPECT_NEAR(AireByFace(r), AireByFace(l), 1e-12);
  EXPECT_NEAR(cr.Centre.Z, cc.Centre.Z, 1e-12);
}

TEST(Integrals, WholeBodyAndBodyAbovePlane) {
  const double b = 1, L = 4, T = 0.5, D = 1.5;
  TDocument doc;
  AjouteBarge(doc, b, L, T, D, 5);
  TEntity& s = doc.Surf(0);
  TListFace entier;
  BuildFaceListFull(s, entier);
  TBarycentre c;
  CCByFace(entier, c);
  EXPECT_NEAR(std::abs(c.Valeur), 2 * b * L * (T + D), 1e-9);
  EXPECT_NEAR(c.Centre.Z, (D - T) / 2, 1e-9);  // absolute with Zref = 0
  // Clipped far below the body: nothing.
  TListFace sous;
  BuildFaceListFull(s, sous, -10);
  EXPECT_EQ(sous.Count(), 0);
  // The records the weights read.
  MajVolumes(s);
  EXPECT_NEAR(std::abs(s.VolComplet.Valeur), 2 * b * L * (T + D), 1e-9);
  EXPECT_NEAR(std::abs(s.VolSimple.Valeur), 2 * b * L * T, 1e-9);
  MajCentreBorde(s);
  // Shell without strips: bottom and both sides.
  EXPECT_NEAR(s.CentreBorde.Valeur, 2 * b * L + 2 * L * (T + D), 1e-9);
  EXPECT_NEAR(s.CentreBorde.Centre.X, 0, 1e-12);
}

TEST(Integrals, StripsOnlyForSymmetricClosedSurfaces) {
  TDocument doc;
  AjouteBarge(doc, 1, 2, 0.5, 0.5, 2);  // a 5 x 3 grid
  TEntity& s = doc.Surf(0);
  TListFace avec, sans, nonSym;
  BuildFaceListFull(s, avec);
  s.JonctionSym = false;
  BuildFaceListFull(s, sans);
  s.JonctionSym = true;
  s.Sym = false;
  BuildFaceListFull(s, nonSym);
  const int cellules = 4 * 2;
  EXPECT_EQ(sans.Count(), 2 * 2 * cellules);
  EXPECT_EQ(nonSym.Count(), 2 * cellules);
  EXPECT_EQ(avec.Count(), 2 * 2 * cellules + 4 * 4 + 4 * 2);  // strips along rows, then columns
  // A mirror grid of another shape is never paired point by point.
  TArrayVertex3f g = s.Pts, m = s.PtsSym;
  m.pop_back();
  TListFace l;
  BuildFaceList(g, &m, 1, 0, l, false, true);
  EXPECT_EQ(l.Count(), 2 * cellules + 2 * 3 * 2);
}

TEST(Integrals, LateralAreaOfTheBarge) {
  const double b = 1.2, L = 6, T = 0.4;
  TDocument doc;
  AjouteBarge(doc, b, L, T, 0.8, 6);
  TListFace l;
  MakeFaceList(doc.Surf(0).Pts, 1, l, 0);
  TCentreAire c;
  VolByFaceLateral(l, c);
  EXPECT_NEAR(c.Aire, L * T, 1e-9);
  EXPECT_NEAR(c.Y, L / 2, 1e-6);
  EXPECT_NEAR(c.Z, -T / 2, 1e-6);
}

}  // namespace
