// Development of ruled surfaces: the circle intersection against the geometric
// construction, and unrolled strips against what a flat pattern must keep (ruling and
// edge lengths, area), with the surfaces built here and evaluated by the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "Aide.h"
#include "base/Chaines.h"
#include "session/DevSurf.h"
#include "session/ObjCom.h"

namespace {

constexpr double Pi = std::numbers::pi;

// A ruled NURBS surface: two rows of order 2 between the curves a(t) and b(t), t in [0, 1],
// each row a net of nc vertices of order 4 (or transposed: two columns).
TSurface& Reglee(TDocument& doc, int nc, auto a, auto b, bool colonnes = false,
                 const std::string& nom = "Bordé") {
  auto s = std::make_unique<TSurface>(doc.NbSurf(), doc.Precision);
  s->Nom = nom;
  TNet& n = s->Net;
  for (int j = 0; j < nc; j++) {
    const double t = double(j) / (nc - 1);
    const TVertex3f p = a(t), q = b(t);
    if (colonnes)
      n.PC[j][0] = {p.X, p.Y, p.Z, 1}, n.PC[j][1] = {q.X, q.Y, q.Z, 1};
    else
      n.PC[0][j] = {p.X, p.Y, p.Z, 1}, n.PC[1][j] = {q.X, q.Y, q.Z, 1};
  }
  n.NbLn = colonnes ? nc : 2, n.NbCol = colonnes ? 2 : nc;
  n.LFlex = colonnes ? 4 : 2, n.CFlex = colonnes ? 2 : 4;
  s->CreateTabCoupes(doc.Grille.NbSec, doc.Grille.NbLE, doc.Grille.NbLong, doc.Grille.NbDiag);
  doc.TabSurf.push_back(std::move(s));
  const int k = doc.NbSurf() - 1;
  MajSurface(doc, true, k);
  return *doc.SurfNurbs(k);
}

double LongueurPolyligne(const std::vector<TVertex3f>& l) {
  double s = 0;
  for (size_t i = 1; i < l.size(); i++) s += Distance3D(l[i - 1], l[i]);
  return s;
}

double AireTri(const TVertex3f& a, const TVertex3f& b, const TVertex3f& c) {
  return Norme(ProduitVect(b - a, c - a)) / 2;
}

std::vector<TVertex3f> Ligne(const TSurface& s, int i) { return s.Pts[size_t(i)]; }

bool Proche(const TPoint2f& p, double x, double y, double tol) {
  return std::fabs(p.X - x) < tol && std::fabs(p.Y - y) < tol;
}

TEST(Intersect2Cercles, MeetingCirclesGiveBothPointsOfTheGeometricConstruction) {
  TPoint2f p1, p2;
  // Centres level: the larger y first.
  ASSERT_TRUE(Intersect2Cercles({0, 0}, {4, 0}, p1, 5, 3, p2));
  EXPECT_TRUE(Proche(p1, 4, 3, 1e-6) && Proche(p2, 4, -3, 1e-6));
  // Centres not level: the 3-4-5 triangle on centres (1, 2) and (4, 6).
  ASSERT_TRUE(Intersect2Cercles({1, 2}, {4, 6}, p1, 3, 4, p2));
  const double ux = 0.6, uy = 0.8, a = 1.8, h = 2.4;
  const double xa = 1 + a * ux - h * uy, ya = 2 + a * uy + h * ux, xb = 1 + a * ux + h * uy,
               yb = 2 + a * uy - h * ux;
  EXPECT_TRUE((Proche(p1, xa, ya, 1e-5) && Proche(p2, xb, yb, 1e-5)) ||
              (Proche(p1, xb, yb, 1e-5) && Proche(p2, xa, ya, 1e-5)));
  // Nearly level centres make the line of the points steep: y stays exact all the same.
  const float dy = 1e-4f;
  ASSERT_TRUE(Intersect2Cercles({0, 0}, {3, dy}, p1, 3, 3, p2));
  for (const TPoint2f& p : {p1, p2}) EXPECT_NEAR(std::hypot(p.X, p.Y), 3, 1e-5);
}

TEST(Intersect2Cercles, CirclesThatDoNotMeetSayNoWhicheverTheCentres) {
  TPoint2f p1, p2;
  bool invalide = true;
  // Level centres, too far apart; then one centre above the other.
  EXPECT_FALSE(Intersect2Cercles({0, 0}, {10, 0}, p1, 1, 1, p2, &invalide));
  EXPECT_FALSE(invalide);
  EXPECT_EQ(p1, (TPoint2f{0, 0}));
  EXPECT_EQ(p2, (TPoint2f{10, 0}));
  EXPECT_FALSE(Intersect2Cercles({0, 0}, {0, 10}, p1, 1, 1, p2));
  EXPECT_EQ(p2, (TPoint2f{0, 10}));
  // One circle inside the other; one centre.
  EXPECT_FALSE(Intersect2Cercles({0, 0}, {1, 1}, p1, 10, 1, p2));
  EXPECT_FALSE(Intersect2Cercles({2, 3}, {2, 3}, p1, 1, 1, p2));
  EXPECT_EQ(p1, (TPoint2f{2, 3}));
}

TEST(Intersect2Cercles, ATangencyLostToRoundingIsStillATangency) {
  TPoint2f p1, p2;
  // Circles 1e-10 apart: the discriminant is a hair below zero.
  ASSERT_TRUE(Intersect2Cercles({0, 0}, {2, 0}, p1, 1, 1 - 1e-10, p2));
  EXPECT_TRUE(Proche(p1, 1, 0, 1e-4) && Proche(p2, 1, 0, 1e-4));
  ASSERT_TRUE(Intersect2Cercles({0, 0}, {0.6f, 0.8f}, p1, 0.5, 0.5 - 1e-10, p2));
  EXPECT_TRUE(Proche(p1, 0.3, 0.4, 1e-4) && Proche(p2, 0.3, 0.4, 1e-4));
}

TEST(Intersect2Cercles, ANotANumberIsReportedNotReturned) {
  TPoint2f p1, p2;
  bool invalide = false;
  EXPECT_FALSE(Intersect2Cercles({0, 0}, {4, 0}, p1, std::nan(""), 3, p2, &invalide));
  EXPECT_TRUE(invalide);
  EXPECT_TRUE(std::isfinite(p1.X) && std::isfinite(p2.Y));
  invalide = false;
  EXPECT_FALSE(Intersect2Cercles({0, 0}, {0, 4}, p1, 3, INFINITY, p2, &invalide));
  EXPECT_TRUE(invalide);
}

class Development : public ::testing::Test {
 protected:
  EnregistreMessages Messages;
  TDocument Doc;
  void SetUp() override {
    Doc.Vider();
    Doc.Precision = 40;
  }
};

TEST_F(Development, AFlatStripUnrollsToItself) {
  Doc.Precision = 10;
  TSurface& s = Reglee(
      Doc, 2,
      [](double t) {
        return TVertex3f{0, 3 * t, 0};
      },
      [](double t) {
        return TVertex3f{1.5, 3 * t, 0};
      });
  s.Net.CFlex = 2;
  s.MarqueNonCalculee();
  MajSurface(Doc, true, 0);
  TArrayVertex3f p;
  std::vector<TErreurDev> e;
  ASSERT_TRUE(DevelopSNURBS(s, p, e));
  ASSERT_EQ(p.size(), 2u);
  ASSERT_EQ(p[0].size(), 11u);
  ASSERT_EQ(e.size(), 11u);
  // The same rectangle as the evaluated grid, first ruling along +X from the origin.
  const TVertex3f o = s.Pts[0][0];
  for (size_t j = 0; j < p[0].size(); j++) {
    for (size_t r = 0; r < 2; r++) {
      const TVertex3f q = s.Pts[r * size_t(s.NbLnPt)][j] - o;
      EXPECT_NEAR(p[r][j].X, q.X, 1e-6);
      EXPECT_NEAR(p[r][j].Y, q.Y, 1e-6);
      EXPECT_GE(p[r][j].Y, 0);
    }
    EXPECT_EQ(e[j].Directrice, int(j));
    EXPECT_LT(e[j].Erreur, 1e-6);
  }
  EXPECT_NEAR(p[1][10].Y, 3, 1e-4);
}

TEST_F(Development, ACylinderStripUnrollsToARectangleOfItsSectionLength) {
  // Rulings along Y, the sections an arc of radius 2 over 100 degrees.
  auto arc = [](double y) {
    return [y](double t) {
      const double a = t * 100 * Pi / 180;
      return TVertex3f{2 * std::sin(a), y, -2 * std::cos(a)};
    };
  };
  TSurface& s = Reglee(Doc, 7, arc(0), arc(4));
  TArrayVertex3f p;
  std::vector<TErreurDev> e;
  ASSERT_TRUE(DevelopSNURBS(s, p, e));
  const double largeur = LongueurPolyligne(Ligne(s, 0));
  EXPECT_NEAR(LongueurPolyligne(p[0]), largeur, 1e-3 * largeur);
  EXPECT_NEAR(LongueurPolyligne(p[1]), largeur, 1e-3 * largeur);
  EXPECT_NEAR(AirePatron(p), 4 * largeur, 1e-3 * 4 * largeur);
  for (const auto& x : e) EXPECT_LT(x.Erreur, 0.001) << x.Directrice;
  for (const auto& r : p)
    for (const auto& q : r) EXPECT_EQ(q.Z, 0);
}

TEST_F(Development, AConeStripKeepsItsEdgesRulingsAndArea) {
  // Sections of a cone of apex (0, 10, 1): the second edge is the first brought 40 % of the
  // way to the apex, so every quadrilateral of the strip is planar.
  const TVertex3f apex{0, 10, 1};
  auto a = [](double t) { return TVertex3f{1.8 * std::sin(1.6 * t), 0.3 * t, 1 - 1.8 * std::cos(1.6 * t)}; };
  auto b = [&](double t) { return apex + (a(t) - apex) * 0.6; };
  TSurface& s = Reglee(Doc, 6, a, b);
  TArrayVertex3f p;
  std::vector<TErreurDev> e;
  ASSERT_TRUE(DevelopSNURBS(s, p, e));
  const auto A = Ligne(s, 0), B = Ligne(s, s.NbLnPt);
  double aire = 0;
  for (size_t j = 0; j + 1 < A.size(); j++) {
    EXPECT_NEAR(Distance3D(p[0][j], p[0][j + 1]), Distance3D(A[j], A[j + 1]), 1e-5);
    EXPECT_NEAR(Distance3D(p[1][j], p[1][j + 1]), Distance3D(B[j], B[j + 1]), 1e-5);
    aire += AireTri(A[j], B[j], B[j + 1]) + AireTri(A[j], B[j + 1], A[j + 1]);
  }
  EXPECT_NEAR(AirePatron(p), aire, 1e-3 * aire);
  for (const auto& x : e) EXPECT_LT(x.Erreur, 1e-4) << x.Directrice;
}

TEST_F(Development, AStripEndingInAPointStaysFlatAndTrue) {
  // The second edge is the apex itself: rulings of the fan meet there.
  const TVertex3f apex{0.5, 3, 2};
  TSurface& s = Reglee(
      Doc, 5,
      [](double t) {
        return TVertex3f{std::sin(2 * t), std::cos(2 * t), 0};
      },
      [&](double) { return apex; });
  TArrayVertex3f p;
  std::vector<TErreurDev> e;
  ASSERT_TRUE(DevelopSNURBS(s, p, e));
  const auto A = Ligne(s, 0);
  for (size_t j = 0; j < A.size(); j++) {
    EXPECT_EQ(p[0][j].Z, 0);
    EXPECT_EQ(p[1][j].Z, 0);
    EXPECT_LT(e[j].Erreur, 1e-4);
    if (j) {
      EXPECT_NEAR(Distance3D(p[0][j - 1], p[0][j]), Distance3D(A[j - 1], A[j]), 1e-5);
    }
  }
}

TEST_F(Development, ATwistedStripShowsErrorsGrowingAlongIt) {
  TSurface& s = Reglee(
      Doc, 2,
      [](double t) {
        return TVertex3f{0, 4 * t, 0};
      },
      [](double t) {
        return TVertex3f{1, 4 * t, 1.2 * t};
      });
  s.Net.CFlex = 2;
  s.MarqueNonCalculee();
  MajSurface(Doc, true, 0);
  TArrayVertex3f p;
  std::vector<TErreurDev> e;
  ASSERT_TRUE(DevelopSNURBS(s, p, e));
  // Each strip of a twisted surface is a warped quadrilateral: its unrolled ruling misses its
  // true length by a fraction of a millimetre, more at the end than at the start.
  double emax = 0;
  for (const auto& x : e) emax = std::max(emax, x.Erreur);
  EXPECT_GT(emax, 2e-4);
  EXPECT_LT(emax, 1e-2);
  EXPECT_GT(e.back().Erreur, 10 * e[2].Erreur);
}

TEST_F(Development, TwoColumnsAreReadTransposedAndTheSourceIsLeftAsItWas) {
  auto a = [](double t) { return TVertex3f{1 + 0.4 * t * t, 5 * t, 0.2 * t}; };
  auto b = [](double t) { return TVertex3f{1.5 + 0.3 * t, 5 * t, 1.1 - 0.2 * t * t}; };
  TSurface& c = Reglee(Doc, 5, a, b, true, "Colonnes");
  TSurface& l = Reglee(Doc, 5, a, b, false, "Lignes");
  const TSurface avant = *Doc.SurfNurbs(0);
  TArrayVertex3f pc, pl;
  std::vector<TErreurDev> ec, el;
  ASSERT_TRUE(DevelopSNURBS(c, pc, ec));
  ASSERT_TRUE(DevelopSNURBS(l, pl, el));
  ASSERT_EQ(pc[0].size(), pl[0].size());
  for (size_t j = 0; j < pc[0].size(); j++)
    for (size_t r = 0; r < 2; r++) {
      EXPECT_NEAR(pc[r][j].X, pl[r][j].X, 1e-9);
      EXPECT_NEAR(pc[r][j].Y, pl[r][j].Y, 1e-9);
    }
  const TSurface& apres = *Doc.SurfNurbs(0);
  EXPECT_EQ(apres.Net.NbLn, 5);
  EXPECT_EQ(apres.Net.NbCol, 2);
  EXPECT_EQ(apres.Pts, avant.Pts);
  EXPECT_TRUE(apres.Calculee);
}

TEST_F(Development, ASurfaceWithANotANumberIsAbandonedWithItsMessage) {
  TSurface& s = Reglee(
      Doc, 4,
      [](double t) {
        return TVertex3f{0, t, 0};
      },
      [](double t) {
        return TVertex3f{1, t, 0.5};
      });
  s.Pts[0][3].X = std::nan("");
  TArrayVertex3f p;
  std::vector<TErreurDev> e;
  std::string m;
  EXPECT_FALSE(DevelopSNURBS(s, p, e, &m));
  EXPECT_EQ(m, "Intersect2Cercles - Erreur NAN");
  EXPECT_TRUE(p.empty());
  EXPECT_TRUE(e.empty());
  // A net that is not ruled is refused, not unrolled.
  s.Net.LFlex = 3;
  EXPECT_FALSE(SurfaceDeveloppable(s));
  EXPECT_FALSE(DevelopSNURBS(s, p, e, &m));
}

TEST_F(Development, PatternsAreAddedAsMeshSurfacesAndNeverBeyondFour) {
  auto a = [](double t) { return TVertex3f{1, 6 * t, 0}; };
  auto b = [](double t) { return TVertex3f{1.4, 6 * t, 0.8}; };
  Reglee(Doc, 4, a, b, false, "Bordé tribord long nom");
  Reglee(Doc, 4, a, b, false, "Fond");
  std::vector<TResultatDev> r;
  ASSERT_EQ(DevelopperSurfaces(Doc, {0, 1}, r), "");
  ASSERT_EQ(Doc.NbSurf(), 4);
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0].Nom, "Bordé tribord long nom_DEV");
  const TEntity& d = Doc.Surf(2);
  EXPECT_EQ(d.Nom, NomSurfaceCoupe("Bordé tribord long nom_DEV"));
  EXPECT_FALSE(d.EstNurbs());
  EXPECT_FALSE(d.Sym || d.Calc || d.Voile || d.Verrou);
  EXPECT_TRUE(d.Visible && d.Calculee);
  EXPECT_EQ(d.NbLnPt, 1);
  EXPECT_EQ(d.PlanSym.Origine.X, (d.PtXMin.X + d.PtXMax.X) / 2);
  EXPECT_EQ(d.PlanSym.Origine.Y, (d.PtYMin.Y + d.PtYMax.Y) / 2);
  EXPECT_TRUE(Doc.Modifie);
  // The strip's rulings are 0.4 x 0.8 and its length 6: a flat rectangle of that size.
  EXPECT_NEAR(d.PtXMax.X - d.PtXMin.X, std::hypot(0.4, 0.8), 1e-5);
  EXPECT_NEAR(d.PtYMax.Y - d.PtYMin.Y, 6, 1e-4);
  // Full: refused before anything is made.
  Doc.Modifie = false;
  EXPECT_EQ(DevelopperSurfaces(Doc, {0}, r), "rsSurfSelMax");
  EXPECT_EQ(Doc.NbSurf(), 4);
  EXPECT_TRUE(r.empty());
}

TEST_F(Development, ARunOverTwoSurfacesThatWouldMakeFiveAddsNothing) {
  auto a = [](double t) { return TVertex3f{1, 6 * t, 0}; };
  auto b = [](double t) { return TVertex3f{1.4, 6 * t, 0.8}; };
  Reglee(Doc, 4, a, b);
  Reglee(Doc, 4, a, b);
  Reglee(Doc, 4, a, b);
  std::vector<TResultatDev> r;
  EXPECT_EQ(DevelopperSurfaces(Doc, {0, 2}, r), "rsSurfSelMax");
  EXPECT_EQ(Doc.NbSurf(), 3);
  // One goes through.
  EXPECT_EQ(DevelopperSurfaces(Doc, {2}, r), "");
  EXPECT_EQ(Doc.NbSurf(), 4);
}

}  // namespace
