// Line computation: crossings and their chaining on grids whose lines are
// known, the family sweeps against the plane-by-plane procedures, the lines of
// an exact sphere, and the updates that recompute only what is displayed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <numbers>

#include "Aides.h"
#include "base/Debug.h"
#include "base/Options.h"
#include "lines/Coupes.h"

namespace {

using aides::Grille;

// Starting shape 1 (the horizontal square 2 x 2 at Z = 0) at precision 20.
TArrayVertex3f PlanHorizontal() {
  return Grille(20, 20, [](int i, int j) { return TVertex3f{2.0 * i / 20, 2.0 * j / 20, 0}; });
}

TEST(Coupes, SectionThroughNodesOrThroughRowEdges) {
  TArrayVertex3f g = PlanHorizontal();
  TCoupe c;
  CalcSecMesh(g, 20, 20, c, 1.0);
  ASSERT_EQ(c.size(), 1u);
  ASSERT_EQ(c[0].size(), 21u);
  for (int i = 0; i <= 20; i++) {
    EXPECT_EQ(c[0][i].X, g[i][10].X);  // the nodes of column 10, in order
    EXPECT_EQ(c[0][i].Y, 1.0);
    EXPECT_EQ(c[0][i].Z, 0);
  }
  CalcSecMesh(g, 20, 20, c, 1.05);
  ASSERT_EQ(c.size(), 1u);
  ASSERT_EQ(c[0].size(), 21u);
  EXPECT_EQ(c[0].front().X, 0);
  EXPECT_EQ(c[0].back().X, 2);
  EXPECT_NEAR(c[0][7].X, g[7][10].X, 1e-15);
  // A plane beyond the grid misses it.
  CalcSecMesh(g, 20, 20, c, 2.5);
  EXPECT_TRUE(c.empty());
  // A grid smaller than announced is not read past its end.
  CalcSecMesh(g, 25, 20, c, 1.0);
  EXPECT_TRUE(c.empty());
}

TEST(Coupes, PlaneTouchingOneNodeGivesOnePoint) {
  // A pyramid whose apex (3, 3) is the only point at Z = 1.
  TArrayVertex3f g = Grille(6, 6, [](int i, int j) {
    return TVertex3f{double(i), double(j), 1 - 0.1 * (std::abs(i - 3) + std::abs(j - 3))};
  });
  TCoupe c;
  CalcLEMesh(g, 6, 6, c, 1.0);
  ASSERT_EQ(c.size(), 1u);
  ASSERT_EQ(c[0].size(), 1u);
  EXPECT_EQ(c[0][0].X, 3);
}

TEST(Coupes, ALoopClosesOnItsFirstPoint) {
  // A hill: the waterline at Z = 0.5 is a ring well inside the grid.
  TArrayVertex3f g = Grille(16, 16, [](int i, int j) {
    double x = (i - 8) / 4.0, y = (j - 8) / 4.0;
    return TVertex3f{x, y, 1 - (x * x + y * y) / 4};
  });
  TCoupe c;
  CalcLEMesh(g, 16, 16, c, 0.5 + 1e-9);
  ASSERT_EQ(c.size(), 1u);
  const TListPt3D& l = c[0];
  ASSERT_GT(l.size(), 10u);
  EXPECT_EQ(l.front().X, l.back().X);
  EXPECT_EQ(l.front().Y, l.back().Y);
  for (const auto& p : l) EXPECT_NEAR(std::hypot(p.X, p.Y), std::sqrt(2.0), 0.02);
}

TEST(Coupes, TwoCrossingsMakeASegmentNotALoop) {
  // The plane x + y = 0.5 only clips the corner cell of the grid.
  TArrayVertex3f g = Grille(4, 4, [](int i, int j) {
    return TVertex3f{double(i), double(j), double(i + j)};
  });
  TCoupe c;
  CalcLEMesh(g, 4, 4, c, 0.5);
  ASSERT_EQ(c.size(), 1u);
  EXPECT_EQ(c[0].size(), 2u);
}

TEST(Coupes, NeighboursAreLookedForInsideTheGridOnly) {
  // On a 3 x 4 grid, the row edge [2][1] (last row) has no row below: the
  // column edge [0][1] must not be taken for it, wherever the tables keep it.
  TTablesPresence& t = TablesPresence();
  t.Nouvelle(2, 3);
  TCouple bas{tcLigne, 2, 1, {}}, haut{tcColonne, 0, 1, {}}, fin{tcColonne, 1, 0, {}};
  t.Place(bas, 0);
  t.Place(haut, 1);
  int k = -1;
  EXPECT_FALSE(t.PresCoupleAdj(bas, k));
  // The row edge [1][2] is the last of its row: nothing past column 3 either.
  TCouple droite{tcLigne, 1, 2, {}};
  t.Nouvelle(2, 3);
  t.Place(droite, 0);
  t.Place(fin, 1);
  EXPECT_FALSE(t.PresCoupleAdj(droite, k));
  // A real neighbour is found, and taken.
  TCouple voisin{tcColonne, 0, 3, {}};
  t.Place(voisin, 2);
  EXPECT_TRUE(t.PresCoupleAdj(droite, k));
  EXPECT_EQ(k, 2);
  EXPECT_FALSE(t.Disponible(voisin));
  // A new line starts with nothing available, without clearing.
  t.Nouvelle(2, 3);
  EXPECT_FALSE(t.Disponible(fin));
}

TEST(Coupes, DiagonalsStayOnTheStarboardSide) {
  TCoupe c{{TPt3D({1, 0, 0}), TPt3D({-1, 1, 0}), TPt3D({-2, 2, 0}), TPt3D({1, 3, 0})},
           {TPt3D({-1, 0, 0}), TPt3D({-2, 1, 0})},
           {TPt3D({2, 0, 5})}};
  EliminePtInfZero(c);
  ASSERT_EQ(c.size(), 2u);  // the polyline wholly to port is gone, not left empty
  ASSERT_EQ(c[0].size(), 4u);
  EXPECT_EQ(c[0][1].X, 0);
  EXPECT_DOUBLE_EQ(c[0][1].Y, 0.5);  // towards the previous point, X > 0
  EXPECT_EQ(c[0][2].X, 0);
  EXPECT_DOUBLE_EQ(c[0][2].Y, 2 + 2.0 / 3);  // towards the next one
  EXPECT_EQ(c[1][0].Z, 5);
}

TEST(Coupes, MirrorDiagonalOfAHullToPortIsEmpty) {
  TDocument doc;
  TEntity& s = aides::AjouteMaillage(doc, "Coque", Grille(10, 10, [](int i, int j) {
                                       return TVertex3f{0.1 * i, 0.3 * j, -1 + 0.1 * i};
                                     }));
  doc.Grille.NbDiag = 2;
  doc.Grille.PosDiag[0] = -0.5, doc.Grille.AngleDiag[0] = 45;
  doc.Grille.PosDiag[1] = -0.8, doc.Grille.AngleDiag[1] = 60;
  CalcAllDiag(doc, s);
  EXPECT_FALSE(s.Diag[0].empty());
  EXPECT_TRUE(s.DiagSym[0].empty());
  EXPECT_TRUE(s.DiagSym[1].empty());
}

TEST(Coupes, WaterlineOfTheVerticalHalfCylinder) {
  TDocument doc;
  TOptionsNouvelleSurface o;
  o.FlexLongitudinale = 4, o.FlexTransversale = 2;
  ASSERT_EQ(NouvelleSurface(doc, "Cyl", 6, o), "");
  MajSurface(doc, true, -1);
  TEntity& s = doc.Surf(0);
  TCoupe c, cs;
  CalcLEMesh(s.Pts, s.NbLnPt, s.NbColPt, c, 1.5);
  CalcLEMesh(s.PtsSym, s.NbLnPt, s.NbColPt, cs, 1.5);
  ASSERT_EQ(c.size(), 1u);
  ASSERT_EQ(cs.size(), 1u);
  EXPECT_GE(c[0].size(), 21u);
  EXPECT_NE(c[0].front().Y, c[0].back().Y);  // open: it ends on both ends of the centre plane
  for (const auto& p : c[0]) EXPECT_GE(p.X, -1e-9);
  for (const auto& p : cs[0]) EXPECT_LE(p.X, 1e-9);
}

// A pseudo-random but repeatable sequence.
struct TAlea {
  uint64_t Etat;
  double operator()() {
    Etat = Etat * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<double>(Etat >> 11) / 9007199254740992.0;
  }
};

void CompareFamilles(const TArrayVertex3f& g, int n, int m, const std::vector<double>& pos,
                     const std::vector<double>& z0, const std::vector<double>& angles) {
  const TAxePlan axes[] = {apX, apY, apZ};
  for (TAxePlan a : axes) {
    std::vector<TCoupe> famille;
    CalcFamilleParallele(g, n, m, a, pos, famille);
    ASSERT_EQ(famille.size(), pos.size());
    for (size_t k = 0; k < pos.size(); k++) {
      TCoupe ref;
      if (a == apX)
        CalcLong(g, n, m, ref, pos[k]);
      else if (a == apY)
        CalcSecMesh(g, n, m, ref, pos[k]);
      else
        CalcLEMesh(g, n, m, ref, pos[k]);
      EXPECT_TRUE(aides::MemesPoints(famille[k], ref)) << "axe " << a << " plan " << k << " a " << pos[k];
    }
  }
  std::vector<double> pentes;
  for (double a : angles) pentes.push_back(AngleDiagValide(a) ? PenteDiag(a) : std::nan(""));
  std::vector<TCoupe> famille;
  CalcFamilleDiag(g, n, m, z0, pentes, famille);
  ASSERT_EQ(famille.size(), z0.size());
  for (size_t k = 0; k < z0.size(); k++) {
    TCoupe ref;
    CalcDiag(g, n, m, ref, z0[k], pentes[k]);
    EXPECT_TRUE(aides::MemesPoints(famille[k], ref)) << "diagonale " << k;
  }
}

TEST(Coupes, FamilySweepsGiveTheLinesOfThePlaneByPlaneCut) {
  // Integer grid: many planes pass exactly through nodes, and some lines branch.
  TArrayVertex3f entiers = Grille(30, 23, [](int i, int j) {
    return TVertex3f{double((i * 7 + j * 3) % 5) - 2, double(i / 2 + (j % 3)), double((i + 2 * j) % 7) - 3};
  });
  std::vector<double> pos = {-2, -1.5, 0, 0, 1, 2, 3, 17, -40, 0.5, std::nan(""), 1e300};
  std::vector<double> z0 = {0, -1, 1, 2.5, 0};
  std::vector<double> ang = {45, 90, 135, 30, 0};
  CompareFamilles(entiers, 30, 23, pos, z0, ang);

  // A crumpled random grid with holes of NaN.
  TAlea h{42};
  TArrayVertex3f froisse = Grille(40, 57, [&](int i, int j) {
    return TVertex3f{h() * 2 - 0.5 + 0.05 * j, h() + 0.1 * i, h() * 3 - 1};
  });
  froisse[5][5].Z = std::nan("");
  froisse[17][33].X = std::nan("");
  pos.clear(), z0.clear(), ang.clear();
  for (int k = 0; k < 40; k++) {
    pos.push_back(h() * 6 - 1);
    z0.push_back(h() * 3 - 1.5);
    ang.push_back(5 + h() * 170);
  }
  pos.push_back(froisse[3][4].Y);
  CompareFamilles(froisse, 40, 57, pos, z0, ang);

  // One row, one column, one node.
  TArrayVertex3f ligne = Grille(0, 9, [](int, int j) { return TVertex3f{double(j), double(j % 3), 0}; });
  CompareFamilles(ligne, 0, 9, {0.5, 1, 4}, {0.5, -1}, {45, 100});
  TArrayVertex3f point = Grille(0, 0, [](int, int) { return TVertex3f{1, 1, 1}; });
  CompareFamilles(point, 0, 0, {1, 2}, {1}, {90});
}

TEST(Coupes, FamilySweepsOnAnEvaluatedHull) {
  TDocument doc;
  doc.Precision = 60;
  aides::AjouteOctantSphere(doc, 1.5, 3);
  MajSurface(doc, true, -1);
  const TEntity& s = doc.Surf(0);
  std::vector<double> pos, z0, ang;
  for (int k = 0; k < 25; k++) {
    pos.push_back(-1.6 + k * 0.19);
    z0.push_back(-1.5 + k * 0.07);
    ang.push_back(30 + k * 2);
  }
  pos.push_back(s.Pts[10][20].Y);
  pos.push_back(s.Pts[10][20].X);
  pos.push_back(s.Pts[10][20].Z);
  CompareFamilles(s.Pts, s.NbLnPt, s.NbColPt, pos, z0, ang);
  CompareFamilles(s.PtsSym, s.NbLnPt, s.NbColPt, pos, z0, ang);
}

// Every point of every line of an exact sphere lies on its plane and on the
// sphere, inside it by no more than the sag of the longest grid edge.
TEST(Coupes, LinesOfAnExactSphereLieOnIt) {
  const double R = 2, yc = 5;
  TDocument doc;
  doc.Precision = 40;
  aides::AjouteOctantSphere(doc, R, yc);
  TGrille& g = doc.Grille;
  g.NbSec = g.NbLE = g.NbLong = g.NbDiag = 9;
  for (int k = 0; k < 9; k++) {
    g.PosSec[k] = yc - R + 0.24 * k;  // from the forward end to near the widest section
    g.PosLgE[k] = -R + 0.25 * k;
    g.PosLong[k] = -R + 0.5 * k;
    g.PosDiag[k] = -1.9 + 0.2 * k;
    g.AngleDiag[k] = 20 + 17.5 * k;
  }
  ReconstruitTablesCoupes(doc);
  MajSurface(doc, true, -1);
  TEntity& s = doc.Surf(0);
  for (int f = 0; f < NbFamillesLignes; f++) CalcAll(doc, s, static_cast<TFamilleLignes>(f));

  double corde = 0;
  for (const TArrayVertex3f* gr : {&s.Pts, &s.PtsSym})
    for (int i = 0; i <= s.NbLnPt; i++)
      for (int j = 0; j <= s.NbColPt; j++) {
        if (i < s.NbLnPt) corde = std::max(corde, Distance3D((*gr)[i][j], (*gr)[i + 1][j]));
        if (j < s.NbColPt) corde = std::max(corde, Distance3D((*gr)[i][j], (*gr)[i][j + 1]));
      }
  const double fleche = R - std::sqrt(R * R - corde * corde / 4);
  ASSERT_GT(fleche, 0);
  ASSERT_LT(fleche, 0.01);
  const TVertex3f centre{0, yc, 0};
  size_t points = 0;
  auto verifie = [&](const TCoupe& c, auto surPlan, const char* quoi, int k) {
    for (const auto& poly : c)
      for (const auto& p : poly) {
        double d = Distance3D(p.V(), centre);
        EXPECT_LE(d, R + 1e-9) << quoi << k;
        EXPECT_GE(d, R - fleche - 1e-9) << quoi << k;
        EXPECT_TRUE(surPlan(p)) << quoi << k << " " << p.X << " " << p.Y << " " << p.Z;
        points++;
      }
  };
  for (int k = 0; k < 9; k++) {
    for (bool sym : {false, true}) {
      verifie(
          sym ? s.SecSym[k] : s.Sec[k], [&](const TPt3D& p) { return p.Y == g.PosSec[k]; }, "couple ", k);
      verifie(
          sym ? s.LgESym[k] : s.LgE[k], [&](const TPt3D& p) { return p.Z == g.PosLgE[k]; }, "ligne d'eau ",
          k);
      verifie(
          sym ? s.LongSym[k] : s.Long[k], [&](const TPt3D& p) { return p.X == g.PosLong[k]; }, "longit. ", k);
      double pente = PenteDiag(g.AngleDiag[k]);
      verifie(
          sym ? s.DiagSym[k] : s.Diag[k],
          [&](const TPt3D& p) {
            return std::fabs(p.Z - (g.PosDiag[k] + pente * p.X)) < 1e-12 * (1 + std::fabs(pente));
          },
          "diagonale ", k);
    }
    // Sections inside the sphere's length are single arcs from the keel to the waterline.
    if (k > 0) {
      ASSERT_EQ(s.Sec[k].size(), 1u) << k;
      EXPECT_GT(s.Sec[k][0].size(), 10u);
    }
  }
  EXPECT_GT(points, 1000u);
}

TEST(Coupes, OnlyDisplayedKindsAndVisibleSurfacesAreRecomputed) {
  TAffichageGarde garde;  // the session's toggles come back after the test
  TDocument doc;
  doc.InitDefaut();
  TEntity& s = doc.Surf(0);
  MajCoupesSurface(doc);
  EXPECT_TRUE(s.SecCalc);
  EXPECT_FALSE(s.LgECalc);
  EXPECT_FALSE(s.DiagCalc);
  AffichageCalculs().LignesEau = true;
  MajCoupesSurface(doc);
  EXPECT_TRUE(s.LgECalc);
  EXPECT_FALSE(s.LgE[3].empty());

  // A hidden surface keeps the lines it had, even once its net has changed.
  TCoupe avant = s.Sec[5];
  s.Visible = false;
  dynamic_cast<TSurface&>(s).Net.PC[1][1].X += 0.5;
  s.MarqueNonCalculee();
  MajCoupesSurface(doc);
  EXPECT_FALSE(s.SecCalc);
  EXPECT_TRUE(aides::MemesPoints(s.Sec[5], avant));
  s.Visible = true;
  MajCoupesSurface(doc);
  EXPECT_TRUE(s.SecCalc);
  EXPECT_FALSE(aides::MemesPoints(s.Sec[5], avant));
}

TEST(Coupes, CurvatureAlongSectionsForTheComb) {
  TAffichageGarde garde;  // the session's toggles come back after the test
  // A bilge of radius 2 along Y: the section at Y = 1 passes through the nodes of column 2.
  TDocument doc;
  TEntity& s = aides::AjouteMaillage(doc, "Bouchain", Grille(12, 6, [](int i, int j) {
                                       double a = (-90 + 7.5 * i) * std::numbers::pi / 180;
                                       return TVertex3f{2 * std::cos(a), 0.5 * j, 2 * std::sin(a)};
                                     }));
  doc.Grille.NbSec = 1;
  doc.Grille.PosSec[0] = 1;
  ReconstruitTablesCoupes(doc);
  AffichageCalculs().Herisson = true;  // the session's recomputations below take them too
  CalcAllSec(doc, s, true);
  ASSERT_EQ(s.Sec[0].size(), 1u);
  const TListPt3D& l = s.Sec[0][0];
  ASSERT_EQ(l.size(), 13u);
  EXPECT_EQ(l.front().Courbure.Valeur, 0);
  EXPECT_EQ(l.back().Courbure.Valeur, 0);
  // Root of the curvature of a circle of radius 2, vectors towards its centre.
  for (size_t k = 1; k + 1 < l.size(); k++) {
    EXPECT_NEAR(l[k].Courbure.Valeur, 1 / std::sqrt(2.0), 1e-9) << k;
    EXPECT_LT(l[k].Courbure.Vecteur.X * l[k].X + l[k].Courbure.Vecteur.Z * l[k].Z, 0);
  }
  EXPECT_TRUE(s.SecSym[0][0][3].Courbure.Valeur == 0);  // the mirror half carries none
  // Once the options change the sections are recomputed with them: a length
  // factor of 2 reads the circle as twice as large, 1 / sqrt(2 R).
  Options().FacteurCourbure = 10000;
  CourbureOptionsChangees(doc);
  Options().FacteurCourbure = 5000;
  EXPECT_NEAR(s.Sec[0][0][4].Courbure.Valeur, 0.5, 1e-9);

  // Three equal points: the failure is logged and the rest of the line left without curvature.
  TCoupe c{{TPt3D({0, 0, 0}), TPt3D({1, 0, 0}), TPt3D({1, 0, 0}), TPt3D({1, 0, 0}), TPt3D({2, 1, 0})}};
  CalcCourbureCoupe(c);
  for (const auto& p : c[0]) EXPECT_TRUE(std::isfinite(p.Courbure.Valeur));
}

}  // namespace
