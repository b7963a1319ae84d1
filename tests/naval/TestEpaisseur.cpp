// Thickness: offsets of meshes whose true offset is known (a sphere, a plane), the
// stop at the symmetry plane, and what the new surface takes from its source.
#include <gtest/gtest.h>

#include <cmath>

#include "Aide.h"
#include "naval/Poids.h"
#include "session/Epaisseur.h"
#include "session/ObjCom.h"

namespace {

// A patch of the sphere of radius R about the origin, away from its poles and from x = 0.
TDXFSurface& Sphere(TDocument& doc, double R, bool sym) {
  const int nl = 25, nc = 31;
  auto s = std::make_unique<TDXFSurface>(doc.NbSurf(), nc, nl);
  s->Nom = "Sphère";
  for (int i = 0; i < nl; i++)
    for (int j = 0; j < nc; j++) {
      const double lat = -0.6 + 1.2 * i / (nl - 1), lon = 0.3 + 1.0 * j / (nc - 1);
      s->Pts[size_t(i)][size_t(j)] = {R * std::cos(lat) * std::cos(lon), R * std::cos(lat) * std::sin(lon),
                                      R * std::sin(lat)};
    }
  s->Sym = sym;
  s->CreateTabCoupes(doc.Grille.NbSec, doc.Grille.NbLE, doc.Grille.NbLong, doc.Grille.NbDiag);
  doc.TabSurf.push_back(std::move(s));
  MajSurface(doc, true, doc.NbSurf() - 1);
  return static_cast<TDXFSurface&>(doc.Surf(doc.NbSurf() - 1));
}

// A flat panel, tilted, its points at x from x0 to x0 + 1.
TDXFSurface& Panneau(TDocument& doc, double x0) {
  auto s = std::make_unique<TDXFSurface>(doc.NbSurf(), 5, 5);
  s->Nom = "Panneau";
  for (int i = 0; i < 5; i++)
    for (int j = 0; j < 5; j++) s->Pts[size_t(i)][size_t(j)] = {x0 + i / 4.0, 2.0 * j / 4, 0.5 * i / 4.0};
  s->CreateTabCoupes(doc.Grille.NbSec, doc.Grille.NbLE, doc.Grille.NbLong, doc.Grille.NbDiag);
  doc.TabSurf.push_back(std::move(s));
  MajSurface(doc, true, doc.NbSurf() - 1);
  return static_cast<TDXFSurface&>(doc.Surf(doc.NbSurf() - 1));
}

class Thickness : public ::testing::Test {
 protected:
  EnregistreMessages Messages;
  TDocument Doc;
  void SetUp() override { Doc.Vider(); }
  // The radii of the offset grid's points.
  std::pair<double, double> Rayons(int k) {
    double mn = 1e9, mx = -1e9;
    for (const auto& l : Doc.Surf(k).Pts)
      for (const auto& p : l) mn = std::min(mn, Norme(p)), mx = std::max(mx, Norme(p));
    return {mn, mx};
  }
};

TEST_F(Thickness, TheOffsetOfASphereLiesOnTheConcentricSphere) {
  const double R = 2, t = 0.15;
  Sphere(Doc, R, false);
  ASSERT_EQ(AjouteEpaisseur(Doc, 0, t, true), "");
  ASSERT_EQ(AjouteEpaisseur(Doc, 0, t, false), "");
  // One side is R - t, the other R + t, to the chord error of the estimated normals.
  const double tol = 2e-3 * t;
  const int in = Rayons(1).first < Rayons(2).first ? 1 : 2, out = 3 - in;
  EXPECT_NEAR(Rayons(in).first, R - t, tol);
  EXPECT_NEAR(Rayons(in).second, R - t, tol);
  EXPECT_NEAR(Rayons(out).first, R + t, tol);
  EXPECT_NEAR(Rayons(out).second, R + t, tol);
  // The reversed orientation swaps the sides.
  Doc.Surf(0).Orientation = !Doc.Surf(0).Orientation;
  ASSERT_EQ(AjouteEpaisseur(Doc, 0, t, true), "");
  EXPECT_NEAR(Rayons(3).first, Rayons(2).first, 1e-12);
  EXPECT_NEAR(Rayons(3).second, Rayons(2).second, 1e-12);
}

TEST_F(Thickness, ZeroGivesACopyNamedWithTheNewCountAndTheSourceProperties) {
  TDXFSurface& s = Panneau(Doc, 0.5);
  s.Coul = 0x123456, s.Alpha = 0.5, s.Verrou = true, s.Voile = true, s.Orientation = false;
  s.TypePoids = tpFixeBorde, s.PoidsParM2 = 7.5, s.Poids.Masse = 12;
  s.PlanSym.Origine = {0.1, 0, 0};
  s.PlanSym.MajPlan();
  int k = -1;
  // Asked to weigh: the source's weight model comes with it.
  ASSERT_EQ(AjouteEpaisseur(Doc, 0, 0, true, &k, true), "");
  ASSERT_EQ(k, 1);
  const TEntity& e = Doc.Surf(1);
  EXPECT_EQ(e.Nom, "Panneau 2");
  EXPECT_FALSE(e.EstNurbs());
  EXPECT_FALSE(e.Calc);
  EXPECT_EQ(e.Coul, 0x123456);
  EXPECT_EQ(e.Alpha, 0.5);
  EXPECT_TRUE(e.Verrou && e.Voile);
  EXPECT_FALSE(e.Orientation);
  EXPECT_EQ(e.TypePoids, tpFixeBorde);
  EXPECT_EQ(e.PoidsParM2, 7.5);
  EXPECT_EQ(e.Poids.Masse, 12);
  EXPECT_EQ(e.PlanSym.Origine, s.PlanSym.Origine);
  EXPECT_EQ(e.PlanSym.D, s.PlanSym.D);
  EXPECT_EQ(e.Pts, Doc.Surf(0).Pts);
  EXPECT_TRUE(e.Calculee);
  EXPECT_TRUE(Doc.Modifie);
}

TEST_F(Thickness, TheNewSurfaceWeighsNothingUnlessAskedAndAbsurdDistancesAreRefused) {
  TDXFSurface& s = Panneau(Doc, 1);  // 1 x 2 x 0.5 m
  s.TypePoids = tpEpaisseurDensite, s.Epaisseur = 0.012, s.Densite = 1.5;
  MajTotalPoids(Doc);
  const double source = Doc.Surf(0).Poids.Masse;
  // The panel and its mirror image (flat, 2 m by the length of (1, 0, 0.5)) times 12 mm of 1.5 t/m3.
  ASSERT_NEAR(source, 2 * 2 * std::sqrt(1.25) * 0.012 * 1.5 * 1000, 1e-9);
  ASSERT_EQ(AjouteEpaisseur(Doc, 0, 0.012, true), "");
  MajTotalPoids(Doc);
  EXPECT_EQ(Doc.Surf(1).Poids.Masse, 0);
  EXPECT_NEAR(Doc.PoidsTotal.Masse, source, 1e-9);
  // Its properties are kept for the user who wants to weigh it after all.
  EXPECT_EQ(Doc.Surf(1).Epaisseur, 0.012);
  EXPECT_EQ(Doc.Surf(1).Densite, 1.5);
  ASSERT_EQ(AjouteEpaisseur(Doc, 0, 0.012, true, nullptr, true), "");
  MajTotalPoids(Doc);
  EXPECT_NEAR(Doc.PoidsTotal.Masse, 2 * source, 1e-6);
  // A negative distance would swap the side chosen; beyond half the panel's largest size (1 m)
  // it is no thickness.
  const int n = Doc.NbSurf();
  EXPECT_EQ(AjouteEpaisseur(Doc, 0, -0.5, true), "rsEpaisseurNegative");
  EXPECT_EQ(AjouteEpaisseur(Doc, 0, 1.01, true), "rsEpaisseurTropGrande");
  EXPECT_EQ(Doc.NbSurf(), n);
  EXPECT_EQ(AjouteEpaisseur(Doc, 0, 1.0, true), "");
}

TEST_F(Thickness, AnOffsetCrossingTheCentrePlaneStopsOnIt) {
  Panneau(Doc, 0);  // from x = 0 to 1, normal across it with an x component
  const double t = 0.6;
  ASSERT_EQ(AjouteEpaisseur(Doc, 0, t, true), "");
  ASSERT_EQ(AjouteEpaisseur(Doc, 0, t, false), "");
  const TEntity& s = Doc.Surf(0);
  // The one that went towards negative x is stopped at x = 0, along the normal.
  const int vers = Doc.Surf(1).Pts[4][0].X < Doc.Surf(2).Pts[4][0].X ? 1 : 2;
  int arretes = 0;
  for (size_t i = 0; i < 5; i++)
    for (size_t j = 0; j < 5; j++) {
      const TVertex3f p = s.Pts[i][j], n = s.Normales[i][j];
      const TVertex3f libre = p + n * (n.X < 0 ? t : -t);
      const TVertex3f q = Doc.Surf(vers).Pts[i][j];
      if (libre.X < 0) {
        EXPECT_NEAR(q.X, 0, 1e-12);
        EXPECT_NEAR(Norme(ProduitVect(q - p, n)), 0, 1e-12);
        arretes++;
      } else {
        EXPECT_NEAR(Distance3D(q, libre), 0, 1e-12);
      }
    }
  EXPECT_GT(arretes, 0);
}

TEST_F(Thickness, ASurfaceModelledOnTheNegativeSideKeepsItsOffset) {
  Panneau(Doc, -3);  // entirely at x < 0, symmetric
  ASSERT_EQ(AjouteEpaisseur(Doc, 0, 0.4, true), "");
  const TEntity &s = Doc.Surf(0), &o = Doc.Surf(1);
  for (size_t i = 0; i < 5; i++)
    for (size_t j = 0; j < 5; j++) EXPECT_NEAR(Distance3D(s.Pts[i][j], o.Pts[i][j]), 0.4, 1e-12);
}

TEST_F(Thickness, AFullDocumentOrABadIndexCreatesNothing) {
  for (int i = 0; i < MaxSurf; i++) Panneau(Doc, i);
  EXPECT_EQ(AjouteEpaisseur(Doc, 0, 0.01, true), "rsErrMaxSurf");
  EXPECT_EQ(Doc.NbSurf(), MaxSurf);
  Doc.TabSurf.pop_back();
  EXPECT_EQ(AjouteEpaisseur(Doc, 5, 0.01, true), "rsMauvaiseSelection");
  EXPECT_EQ(AjouteEpaisseur(Doc, 0, std::nan(""), true), "rsEpaisseurInvalide");
  EXPECT_EQ(Doc.NbSurf(), MaxSurf - 1);
}

}  // namespace
