// The surface list and the document: creation, naming, duplication, deletion
// with weld renumbering, locks, updates, extents, symmetry bases and welds.
#include <gtest/gtest.h>

#include <set>

#include "Aide.h"
#include "model/Etendue.h"
#include "session/ObjCom.h"

namespace {

TOptionsNouvelleSurface Opt() { return {}; }

TEST(Creation, NamesAreCutThenCheckedAndCountIsLimited) {
  TDocument doc;
  EXPECT_EQ(NouvelleSurface(doc, "Une coque vraiment tres longue", 0, Opt()), "");
  EXPECT_EQ(doc.Surf(0).Nom, "Une coque vraiment t");
  EXPECT_EQ(doc.Surf(0).Nom.size(), 20u);
  // Equal after the cut: refused.
  EXPECT_EQ(NouvelleSurface(doc, "Une coque vraiment tres courte", 0, Opt()), "rsErrNomDonne");
  EXPECT_EQ(NouvelleSurface(doc, "", 0, Opt()), "rsErrNomObligatoire");
  EXPECT_EQ(NouvelleSurface(doc, "Quille", 0, Opt()), "");
  EXPECT_EQ(NouvelleSurface(doc, "Safran", 0, Opt()), "");
  EXPECT_EQ(NouvelleSurface(doc, "Pont", 0, Opt()), "");
  EXPECT_EQ(NouvelleSurface(doc, "Voile", 0, Opt()), "rsErrMaxSurf");
  EXPECT_EQ(doc.NbSurf(), 4);
  for (int i = 0; i < 4; i++) EXPECT_EQ(doc.Surf(i).NumSurf, i);
}

TEST(Creation, OrdersAndShapeOutsideLimitsAreRefused) {
  TDocument doc;
  TOptionsNouvelleSurface o;
  o.FlexLongitudinale = 7;
  EXPECT_EQ(NouvelleSurface(doc, "A", 0, o), "rsErrFlexibilite");
  o.FlexLongitudinale = 1;
  EXPECT_EQ(NouvelleSurface(doc, "A", 0, o), "rsErrFlexibilite");
  EXPECT_EQ(NouvelleSurface(doc, "A", 7, Opt()), "rsErrCasImpossible");
  EXPECT_EQ(doc.NbSurf(), 0);
  o = Opt();
  o.FlexTransversale = 5;
  o.FlexLongitudinale = 2;
  o.Sym = false;
  o.Voile = true;
  ASSERT_EQ(NouvelleSurface(doc, "A", 6, o), "");
  const TSurface& s = *doc.SurfNurbs(0);
  EXPECT_EQ(s.Net.LFlex, 5);
  EXPECT_EQ(s.Net.CFlex, 2);
  EXPECT_FALSE(s.Sym);
  EXPECT_TRUE(s.Voile);
}

TEST(Creation, DefaultDocument) {
  TDocument doc;
  doc.InitDefaut();
  ASSERT_EQ(doc.NbSurf(), 1);
  EXPECT_EQ(doc.Surf(0).Nom, "Surface1");
  EXPECT_EQ(doc.SurfNurbs(0)->Net.LFlex, 4);
  EXPECT_EQ(doc.SurfNurbs(0)->Net.CFlex, 4);
  EXPECT_EQ(doc.PCCourant, (TPC{0, 0, 0}));
  EXPECT_TRUE(doc.Surf(0).Calculee);
  EXPECT_EQ(static_cast<int>(doc.Surf(0).Pts.size()), doc.Precision + 1);
  EXPECT_FALSE(doc.Modifie);
  // The default hull spans Y = 0 .. 6 and its mirror half X < 0.
  EXPECT_NEAR(doc.SurfYMax, 6, 1e-4);
  EXPECT_NEAR(doc.SurfXMin, -doc.SurfXMax, 1e-12);
}

TEST(Duplication, NamingLimitsAndCopies) {
  TDocument doc;
  NouvelleSurface(doc, "Coque", 0, Opt());
  NouvelleSurface(doc, "Quille", 1, Opt());
  doc.Surf(0).Coul = 255;
  doc.SurfNurbs(0)->Net.PC[1][1].W = 0.5;
  ASSERT_EQ(DupliquerSurfaces(doc, {0}), "");
  ASSERT_EQ(doc.NbSurf(), 3);
  EXPECT_EQ(doc.Surf(2).Nom, "Coque 3");
  EXPECT_EQ(doc.Surf(2).NumSurf, 2);
  EXPECT_EQ(doc.SurfNurbs(2)->Net.NumSurf, 2);
  EXPECT_EQ(doc.Surf(2).Coul, 255);
  EXPECT_EQ(doc.SurfNurbs(2)->Net.PC[1][1].W, 0.5);
  // Copies are independent.
  doc.SurfNurbs(2)->Net.PC[1][1].W = 2;
  EXPECT_EQ(doc.SurfNurbs(0)->Net.PC[1][1].W, 0.5);
  EXPECT_EQ(DupliquerSurfaces(doc, {0, 1}), "rsSurfSelMax");
  EXPECT_EQ(doc.NbSurf(), 3);
  EXPECT_EQ(DupliquerSurfaces(doc, {1}), "");
  EXPECT_EQ(doc.NbSurf(), 4);
}

TEST(Duplication, LongNamesStayUniqueAfterTheCut) {
  TDocument doc;
  NouvelleSurface(doc, "ABCDEFGHIJKLMNOPQRST", 0, Opt());  // 20 characters
  ASSERT_EQ(DupliquerSurfaces(doc, {0}), "");
  ASSERT_EQ(DupliquerSurfaces(doc, {0}), "");
  ASSERT_EQ(DupliquerSurfaces(doc, {0}), "");
  std::set<std::string> noms;
  for (int i = 0; i < doc.NbSurf(); i++) {
    EXPECT_LE(doc.Surf(i).Nom.size(), 20u);
    noms.insert(doc.Surf(i).Nom);
  }
  EXPECT_EQ(noms.size(), 4u);
  EXPECT_EQ(doc.Surf(1).Nom, "ABCDEFGHIJKLMNOPQR 2");
}

TEST(Suppression, RenumbersSurfacesNetsAndWelds) {
  TDocument doc;
  NouvelleSurface(doc, "A", 0, Opt());
  NouvelleSurface(doc, "B", 0, Opt());
  NouvelleSurface(doc, "C", 0, Opt());
  SouderPC(doc, {{2, 1, 1}, {1, 0, 0}});
  SouderPC(doc, {{0, 1, 1}, {0, 2, 2}});
  doc.ListePoids.push_back({"lest", 100, 0, 0, 0, 2});
  SupprimerSurface(doc, 0);
  ASSERT_EQ(doc.NbSurf(), 2);
  EXPECT_EQ(doc.Surf(0).Nom, "B");
  EXPECT_EQ(doc.Surf(1).NumSurf, 1);
  EXPECT_EQ(doc.SurfNurbs(1)->Net.NumSurf, 1);
  EXPECT_EQ(doc.GroupesSoudes[0], (TListPC{{1, 1, 1}, {0, 0, 0}}));
  EXPECT_TRUE(doc.GroupesSoudes[1].empty());
  EXPECT_FALSE(PCDansListe(doc.PCSoudes, {0, 1, 1}));
  EXPECT_TRUE(PCDansListe(doc.PCSoudes, {1, 1, 1}));
  EXPECT_EQ(doc.ListePoids[0].Surface, 1);
  EXPECT_TRUE(doc.Modifie);
}

TEST(Suppression, CurrentVertexGoesToFirstFreeSurfaceOrNowhere) {
  TDocument doc;
  NouvelleSurface(doc, "A", 0, Opt());
  NouvelleSurface(doc, "B", 0, Opt());
  NouvelleSurface(doc, "C", 0, Opt());
  doc.Surf(1).Visible = false;
  ChangeCurrentPC(doc, {0, 2, 2});
  SupprimerSurface(doc, 0);
  EXPECT_EQ(doc.PCCourant, (TPC{1, 0, 0}));  // "B" is hidden, "C" is now 1
  VerrouillerSurfaces(doc, {1});
  EXPECT_FALSE(doc.PCCourant.Existe());
  SupprimerSurfaces(doc, {0, 1});
  EXPECT_EQ(doc.NbSurf(), 0);
  EXPECT_FALSE(doc.PCCourant.Existe());
  EXPECT_EQ(SupprPC(doc), TResultatNet::Impossible);  // no current vertex: nothing to delete
}

TEST(ListOps, RenameMirrorScopeAndVisibility) {
  TDocument doc;
  NouvelleSurface(doc, "A", 1, Opt());
  NouvelleSurface(doc, "B", 1, Opt());
  EXPECT_EQ(RenommerSurface(doc, 0, "B"), "rsNomUtilise");
  EXPECT_EQ(RenommerSurface(doc, 0, ""), "rsEmptyName");
  EXPECT_EQ(RenommerSurface(doc, 5, "X"), "rsMauvaiseSelection");
  EXPECT_EQ(RenommerSurface(doc, 0, "Bordé de la coque tribord"), "");
  EXPECT_EQ(doc.Surf(0).Nom, "Bordé de la coque tr");  // 20 characters, not bytes
  EXPECT_EQ(SurfNom2Num(doc, "B"), 1);
  EXPECT_EQ(SurfNom2Num(doc, "b"), -1);

  TSurface& s = *doc.SurfNurbs(1);
  s.PlanSym.Origine = {0, 0, 1};
  s.PlanSym.MajPlan();
  MirroirZ(doc, 1);
  EXPECT_EQ(s.Net.PC[1][1].X, 2);
  EXPECT_EQ(s.PlanSym.Origine.Z, -1);
  EXPECT_EQ(s.PlanSym.Axe3.Z, -1);
  MirroirX(doc, 1);
  EXPECT_EQ(s.Net.PC[1][1].X, -2);
  EXPECT_EQ(s.PlanSym.A, -1);
  EXPECT_FALSE(s.Calculee);

  PorteeCalculs(doc, {1});
  EXPECT_FALSE(doc.Surf(0).Calc);
  EXPECT_TRUE(doc.Surf(1).Calc);
  VisibiliteSurfaces(doc, {0});
  EXPECT_TRUE(doc.Surf(0).Visible);
  EXPECT_FALSE(doc.Surf(1).Visible);
}

TEST(Updates, MajSurfaceFollowsDisplaysAndVisibility) {
  TAffichageGarde garde;  // the session's toggles come back after the test
  TDocument doc;
  NouvelleSurface(doc, "A", 1, Opt());
  NouvelleSurface(doc, "B", 1, Opt());
  AffichageCalculs().Carene = false;
  AffichageCalculs().SurfParam = false;
  MajSurface(doc, false, -1);
  EXPECT_FALSE(doc.Surf(0).Calculee);
  doc.Surf(1).Visible = false;
  AffichageCalculs().SurfParam = true;
  MajSurface(doc, false, -1);
  EXPECT_TRUE(doc.Surf(0).Calculee);
  EXPECT_FALSE(doc.Surf(1).Calculee);  // hidden surfaces keep their old grids
  MajSurface(doc, true, -1);
  EXPECT_TRUE(doc.Surf(1).Calculee);
}

TEST(Updates, PrecisionIsKeptWithinLimitsAndMeshGridsKeepTheirSize) {
  TDocument doc;
  NouvelleSurface(doc, "A", 1, Opt());
  doc.TabSurf.push_back(std::make_unique<TDXFSurface>(1, 7, 5));
  ChangePrecision(doc, 0);
  EXPECT_EQ(doc.Precision, 1);
  EXPECT_EQ(doc.Surf(0).Pts.size(), 2u);
  ChangePrecision(doc, 5000);
  EXPECT_EQ(doc.Precision, 200);
  EXPECT_EQ(doc.Surf(0).Pts.size(), 201u);
  EXPECT_EQ(doc.Surf(1).Pts.size(), 5u);
  EXPECT_EQ(doc.Surf(1).Pts[0].size(), 7u);
  // A mesh larger than the fixed tables is held to 201 x 201.
  TDXFSurface grand(0, 500, 300);
  EXPECT_EQ(grand.Pts.size(), 201u);
  EXPECT_EQ(grand.NbColPt, 200);
}

// A 2 x 3 mesh surface with given points, computed.
TDXFSurface Maille(const std::vector<std::vector<TVertex3f>>& pts, bool sym) {
  TDXFSurface s(0, static_cast<int>(pts[0].size()), static_cast<int>(pts.size()));
  s.Pts = pts;
  s.Sym = sym;
  s.CalcSurface();
  return s;
}

TEST(Extremes, TiesKeepTheFirstPoint) {
  TDXFSurface s = Maille({{{1, 0, 0}, {1, 1, 2}, {1, 2, 0}}, {{1, 0, 1}, {1, 1, 1}, {1, 2, 5}}}, false);
  EXPECT_EQ(s.PtXMin, (TVertex3f{1, 0, 0}));
  EXPECT_EQ(s.PtXMax, (TVertex3f{1, 0, 0}));
  EXPECT_EQ(s.PtZMax, (TVertex3f{1, 2, 5}));
  EXPECT_EQ(s.PtYMax, (TVertex3f{1, 2, 0}));
}

TEST(Extents, QueriesOverTheDocument) {
  TDocument doc;
  doc.TabSurf.push_back(std::make_unique<TDXFSurface>(
      Maille({{{1, 0, -1}, {1, 1, -1}, {1, 2, -1}}, {{2, 0, 1}, {2, 1, 1}, {2, 3, 1}}}, true)));
  Etendue e = LongueurSurf(doc, -3);
  EXPECT_EQ(e.Longueur, 0);
  EXPECT_EQ(e.Mini, 0);
  EXPECT_EQ(e.Maxi, 0);
  e = LongueurSurf(doc, 0);
  EXPECT_EQ(e.Mini, 0);
  EXPECT_EQ(e.Maxi, 3);
  e = LargeurSurf(doc, -1, false);
  EXPECT_EQ(e.Mini, -2);
  EXPECT_EQ(e.Maxi, 2);
  e = LargeurSurf(doc, 0, true);
  EXPECT_EQ(e.Mini, 1);
  e = HauteurSurf(doc, -1);
  EXPECT_EQ(e.Longueur, 2);
  // Waterline z = 0 crosses the three column segments of each half.
  TListPt3D l;
  InterSurf_LE(l, doc, 0, 0);
  EXPECT_EQ(l.size(), 6u);
  e = LongueurFlottaison(doc, 0, 0);
  EXPECT_EQ(e.Mini, 0);
  EXPECT_EQ(e.Maxi, 2.5);
  e = LongueurImmergee(doc, 0, 0);
  EXPECT_EQ(e.Maxi, 2.5);
  e = LargeurImmergeeListe(doc, {0}, 0);
  EXPECT_EQ(e.Mini, -1.5);
  // Above everything the immersed extent is that of the whole body.
  e = LongueurImmergeeListe(doc, {0}, 10);
  EXPECT_EQ(e.Mini, 0);
  EXPECT_EQ(e.Maxi, 3);
}

TEST(Extents, WaterlineThroughAGridPointCountsItOncePerSegment) {
  TDocument doc;
  doc.TabSurf.push_back(std::make_unique<TDXFSurface>(
      Maille({{{0, 0, -1}, {0, 1, -1}}, {{0, 0, 0}, {0, 1, 1}}, {{0, 0, 1}, {0, 1, 2}}}, false)));
  TListPt3D l;
  InterSurf_LE(l, doc, 0, 0);
  // (0,0,0) ends two column segments and one row segment: three times; plus (0,0.5,-... ) none else.
  int n = 0;
  for (const auto& p : l)
    if (p.Y == 0 && p.Z == 0) n++;
  EXPECT_EQ(n, 3);
}

TEST(Symetrie, BasesPlanesAndAngles) {
  TPlanSym ps;
  EXPECT_EQ(CalcSym({2, 3, 4}, ps.Plan()), (TVertex3f{-2, 3, 4}));
  ps.Origine = {0, 4, 0};
  ps.Axe1 = {0, 1, 0};
  ps.Axe2 = {-1, 0, 0};
  ps.MajPlan();
  EXPECT_EQ(ps.B, 1);
  EXPECT_EQ(ps.D, -4);
  EXPECT_EQ(CalcSym({1, 5, 2}, ps.Plan()), (TVertex3f{1, 3, 2}));
  double ax, ay, az;
  AnglesBase(ps, ax, ay, az);
  EXPECT_NEAR(ax, 0, 1e-9);
  EXPECT_NEAR(ay, 0, 1e-9);
  EXPECT_NEAR(az, 90, 1e-9);
}

TEST(Symetrie, ResetMovesTheSurfaceWithItsBase) {
  TDocument doc;
  NouvelleSurface(doc, "A", 1, Opt());
  TSurface& s = *doc.SurfNurbs(0);
  s.PlanSym.Origine = {0, 5, 0};
  s.PlanSym.MajPlan();
  RAZPlanSym(doc, 0);
  EXPECT_EQ(s.Net.PC[1][1].V(), (TVertex3f{2, -3, 0}));
  EXPECT_TRUE(s.PlanSym.EstBaseMonde());
  EXPECT_EQ(s.PlanSym.D, 0);

  // A base turned 90 degrees about Z: the surface turns back by 90 degrees.
  s.PlanSym.Axe1 = {0, 1, 0};
  s.PlanSym.Axe2 = {-1, 0, 0};
  s.PlanSym.MajPlan();
  TVertex3f avant = s.Net.PC[1][1].V();
  RAZPlanSym(doc, 0);
  TVertex3f apres = s.Net.PC[1][1].V();
  EXPECT_NEAR(apres.X, avant.Y, 1e-12);
  EXPECT_NEAR(apres.Y, -avant.X, 1e-12);
}

TEST(Soudures, WeldUnweldAndGroup) {
  TDocument doc;
  NouvelleSurface(doc, "A", 1, Opt());
  NouvelleSurface(doc, "B", 1, Opt());
  EnregistreMessages m;
  EXPECT_FALSE(SouderPC(doc, {{0, 0, 0}}));
  EXPECT_TRUE(m.A("Sélectionnez au moins deux vertex"));
  SouderPC(doc, {{0, 0, 0}, {1, 0, 0}});
  SouderPC(doc, {{0, 0, 0}, {1, 1, 1}});
  EXPECT_EQ(doc.PCSoudes.size(), 3u);
  // Unwelding with nothing selected takes the current vertex, last group first.
  ChangeCurrentPC(doc, {0, 0, 0});
  DessouderPC(doc, {});
  ASSERT_EQ(doc.GroupesSoudes.size(), 1u);
  EXPECT_EQ(doc.GroupesSoudes[0], (TListPC{{0, 0, 0}, {1, 0, 0}}));
  EXPECT_EQ(doc.PCSoudes, (TListPC{{0, 0, 0}, {1, 0, 0}}));

  doc.SurfNurbs(1)->Net.PC[1][1] = {7, 8, 9, 1};
  ASSERT_TRUE(GrouperPC(doc, {{1, 1, 1}, {0, 1, 0}}, tvPlan));
  EXPECT_EQ(doc.SurfNurbs(0)->Net.PC[1][0], (TPtNet{7, 8, 0, 1}));
  ASSERT_TRUE(GrouperPC(doc, {{1, 1, 1}, {0, 0, 1}}, -1));
  EXPECT_EQ(doc.SurfNurbs(0)->Net.PC[0][1].V(), (TVertex3f{7, 8, 9}));
}

}  // namespace
