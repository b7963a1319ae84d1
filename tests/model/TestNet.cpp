// Control nets: starting shapes, row and column insertion and deletion with
// their weld upkeep, transposition and alignment.
#include <gtest/gtest.h>

#include <cmath>

#include "Aide.h"
#include "session/ObjCom.h"

namespace {

// A document with one surface from the given starting shape.
struct DocForme {
  TDocument doc;
  explicit DocForme(int forme, int lflex = 2, int cflex = 2) {
    TOptionsNouvelleSurface o;
    o.FlexTransversale = lflex;
    o.FlexLongitudinale = cflex;
    EXPECT_EQ(NouvelleSurface(doc, "S", forme, o), "");
    doc.Precision = 10;
    ChangePrecision(doc, 10);
  }
  TNet& net() { return doc.SurfNurbs(0)->Net; }
};

TEST(Formes, ShapesAndResetRules) {
  TNet n;
  n.PC[20][5] = {9, 9, 9, 9};
  n.PC[3][3] = {7, 7, 7, 7};
  ASSERT_TRUE(n.Initialise(4));
  EXPECT_EQ(n.NbLn, 4);
  EXPECT_EQ(n.NbCol, 2);
  EXPECT_EQ(n.PC[1][1], (TPtNet{2, 3, 0, 0.3333}));
  EXPECT_EQ(n.PC[3][3], (TPtNet{0, 0, 0, 1}));   // rows 0..10 reset
  EXPECT_EQ(n.PC[20][5], (TPtNet{9, 9, 9, 9}));  // rows 11..30 left alone
  EnregistreMessages m;
  TNet avant = n;
  EXPECT_FALSE(n.Initialise(8));
  EXPECT_TRUE(m.A("Cas impossible"));
  EXPECT_EQ(n.NbLn, avant.NbLn);
  ASSERT_TRUE(n.Initialise(0));
  EXPECT_EQ(n.PC[2][2], (TPtNet{0, 6, 0.9, 1}));
  EXPECT_EQ(NomFlexibilite(6), "Très souple");
  EXPECT_EQ(NomFlexibilite(7), "Erreur : flexibilité non défini");
}

TEST(Insertion, RowBetweenTwoRowsOfAPlane) {
  DocForme d(1);
  // Clicked half way between the rows, in the section view (X, Z), current vertex in row 1.
  ASSERT_EQ(AjoutPC(d.doc, {1, 0, 0}, {0, 1, 0}, tvSection), TResultatNet::Ok);
  TNet& n = d.net();
  EXPECT_EQ(n.NbLn, 3);
  EXPECT_EQ(n.PC[1][0], (TPtNet{1, 0, 0, 1}));
  EXPECT_EQ(n.PC[1][1], (TPtNet{1, 2, 0, 1}));
  EXPECT_EQ(n.PC[2][0], (TPtNet{2, 0, 0, 1}));
  EXPECT_TRUE(d.doc.Modifie);
  EXPECT_TRUE(d.doc.Surf(0).Calculee);  // recomputed at once
}

TEST(Insertion, ColumnInPlanAndProfileViews) {
  DocForme d(1);
  double prop = 0, angle = 0;
  ASSERT_EQ(d.net().CalcProp_AjoutPC({0, 0.5, 0}, {0, 0, 1}, tvPlan, prop, angle), TResultatNet::Ok);
  EXPECT_NEAR(prop, 0.25, 1e-6);
  EXPECT_NEAR(angle, 0, 1e-9);
  ASSERT_EQ(AjoutPC(d.doc, {0, 0.5, 0}, {0, 0, 1}, tvPlan), TResultatNet::Ok);
  EXPECT_EQ(d.net().NbCol, 3);
  EXPECT_NEAR(d.net().PC[1][1].Y, 0.5, 1e-6);
  EXPECT_NEAR(d.net().PC[1][1].X, 2, 1e-6);
  ASSERT_EQ(AjoutPC(d.doc, {0, 1.5, 0}, {0, 0, 2}, tvProfil), TResultatNet::Ok);
  EXPECT_EQ(d.net().NbCol, 4);
  EXPECT_NEAR(d.net().PC[0][2].Y, 1.5, 1e-6);  // 1 m past column 1, of 1.5 m to column 2
}

TEST(Insertion, FirstRowOrColumnIsRefusedNotReadAtMinusOne) {
  DocForme d(1);
  EnregistreMessages m;
  TNet avant = d.net();
  EXPECT_EQ(AjoutPC(d.doc, {1, 0, 0}, {0, 0, 0}, tvSection), TResultatNet::PasDePrecedent);
  EXPECT_EQ(AjoutPC(d.doc, {0, 1, 0}, {0, 1, 0}, tvPlan), TResultatNet::PasDePrecedent);
  EXPECT_EQ(d.net().NbLn, avant.NbLn);
  EXPECT_EQ(d.net().NbCol, avant.NbCol);
  EXPECT_EQ(m.Textes.size(), 2u);
}

TEST(Insertion, SingleRowIsDuplicated) {
  DocForme d(1);
  d.doc.VueActive = tvSection;
  ChangeCurrentPC(d.doc, {0, 0, 0});
  ASSERT_EQ(SupprPC(d.doc), TResultatNet::Ok);  // 2 x 2 -> 1 x 2
  ASSERT_EQ(d.net().NbLn, 1);
  ASSERT_EQ(AjoutPC(d.doc, {5, 0, 5}, {0, 0, 0}, tvSection), TResultatNet::Ok);
  EXPECT_EQ(d.net().NbLn, 2);
  EXPECT_EQ(d.net().PC[1][1], d.net().PC[0][1]);
}

TEST(Insertion, FullNetChangesNothingNorWelds) {
  DocForme d(1);
  TNet& n = d.net();
  n.NbLn = 31;
  for (int i = 0; i < 31; i++) n.PC[i][0] = {double(i), 0, 0, 1}, n.PC[i][1] = {double(i), 2, 0, 1};
  SouderPC(d.doc, {{0, 5, 0}, {0, 20, 1}});
  auto groupes = d.doc.GroupesSoudes;
  auto soudes = d.doc.PCSoudes;
  EnregistreMessages m;
  EXPECT_EQ(AjoutPC(d.doc, {3.5, 0, 0}, {0, 4, 0}, tvSection), TResultatNet::MaxAtteint);
  EXPECT_TRUE(m.A("Nombre maximum de lignes atteint"));
  EXPECT_EQ(n.NbLn, 31);
  EXPECT_EQ(d.doc.GroupesSoudes, groupes);
  EXPECT_EQ(d.doc.PCSoudes, soudes);
}

TEST(Insertion, WeldsAtOrAfterTheNewRowShift) {
  DocForme d(4);  // 4 x 2
  SouderPC(d.doc, {{0, 1, 0}, {0, 2, 1}, {0, 3, 0}});
  ASSERT_EQ(AjoutPC(d.doc, {2, 0, 1}, {0, 2, 0}, tvSection), TResultatNet::Ok);
  TListPC attendu{{0, 1, 0}, {0, 3, 1}, {0, 4, 0}};
  EXPECT_EQ(d.doc.GroupesSoudes[0], attendu);
  EXPECT_TRUE(PCDansListe(d.doc.PCSoudes, {0, 4, 0}));
}

TEST(Suppression, RefusalsAndShrinking) {
  DocForme d(1);
  EnregistreMessages m;
  d.doc.VueActive = tvSection;
  ChangeCurrentPC(d.doc, {0, 1, 1});
  ASSERT_EQ(SupprPC(d.doc), TResultatNet::Ok);
  EXPECT_EQ(d.net().NbLn, 1);
  EXPECT_EQ(d.net().NbCol, 2);
  // 1 x 2: NbLn + NbCol = 3, both refused.
  EXPECT_EQ(SupprPC(d.doc), TResultatNet::Impossible);
  d.doc.VueActive = tvPlan;
  EXPECT_EQ(SupprPC(d.doc), TResultatNet::Impossible);
  EXPECT_TRUE(m.A("Impossible de supprimer cette ligne"));
  EXPECT_TRUE(m.A("Impossible de supprimer cette colonne"));
}

TEST(Suppression, RowDeletionMovesCurrentVertexAndMarksModified) {
  DocForme d(4);
  d.doc.VueActive = tvSection;
  ChangeCurrentPC(d.doc, {0, 3, 1});
  d.doc.Modifie = false;
  ASSERT_EQ(SupprPC(d.doc), TResultatNet::Ok);
  EXPECT_EQ(d.net().NbLn, 3);
  EXPECT_TRUE(d.net().DansNet(d.doc.PCCourant.NumLn, d.doc.PCCourant.NumCol));
  EXPECT_EQ(d.doc.PCCourant, (TPC{0, 0, 0}));
  EXPECT_TRUE(d.doc.Modifie);
  // The vacated row is zeroed.
  EXPECT_EQ(d.net().PC[3][0].X, 0);
  EXPECT_EQ(d.net().PC[3][0].Z, 0);
}

TEST(Suppression, WeldMembersInDeletedRowGoOthersMoveUp) {
  TDocument doc;
  TOptionsNouvelleSurface o;
  NouvelleSurface(doc, "A", 4, o);
  NouvelleSurface(doc, "B", 4, o);
  SouderPC(doc, {{0, 2, 0}, {1, 2, 0}});
  SouderPC(doc, {{0, 3, 1}, {1, 3, 1}, {0, 1, 1}});
  doc.VueActive = tvSection;
  ChangeCurrentPC(doc, {0, 2, 0});
  ASSERT_EQ(SupprPC(doc), TResultatNet::Ok);
  EXPECT_EQ(doc.GroupesSoudes[0], (TListPC{{1, 2, 0}}));
  EXPECT_EQ(doc.GroupesSoudes[1], (TListPC{{0, 2, 1}, {1, 3, 1}, {0, 1, 1}}));
  EXPECT_FALSE(PCDansListe(doc.PCSoudes, {0, 2, 0}));
  EXPECT_TRUE(PCDansListe(doc.PCSoudes, {0, 2, 1}));
  EXPECT_TRUE(PCDansListe(doc.PCSoudes, {1, 2, 0}));
}

TEST(Transposition, TwiceRestoresAndWeldsFollow) {
  DocForme d(6, 4, 2);  // 2 x 4
  TNet avant = d.net();
  SouderPC(d.doc, {{0, 1, 3}, {0, 0, 2}});
  ChangeCurrentPC(d.doc, {0, 1, 2});
  TransposeSurface(d.doc, 0);
  EXPECT_EQ(d.net().NbLn, 4);
  EXPECT_EQ(d.net().LFlex, 2);
  EXPECT_EQ(d.net().CFlex, 4);
  EXPECT_EQ(d.net().PC[3][1], avant.PC[1][3]);
  EXPECT_EQ(d.doc.GroupesSoudes[0], (TListPC{{0, 3, 1}, {0, 2, 0}}));
  EXPECT_EQ(d.doc.PCCourant, (TPC{0, 2, 1}));
  TransposeSurface(d.doc, 0);
  EXPECT_EQ(d.net().NbLn, avant.NbLn);
  EXPECT_EQ(d.net().LFlex, avant.LFlex);
  EXPECT_EQ(d.net().CFlex, avant.CFlex);
  for (int i = 0; i < avant.NbLn; i++)
    for (int j = 0; j < avant.NbCol; j++) ASSERT_EQ(d.net().PC[i][j], avant.PC[i][j]) << i << "," << j;
}

TEST(Alignement, InThePlaneOfTheView) {
  DocForme d(6, 4, 2);
  TNet& n = d.net();
  n.PC[0][0] = {0, 0, 0, 1};
  n.PC[0][1] = {1, 1, 5, 1};
  n.PC[0][2] = {2, 3, 7, 1};    // beyond P0 on P1's side: g < 90
  n.PC[0][3] = {-1, 0, -2, 1};  // behind P0: g >= 90
  ASSERT_TRUE(AligneDansLePlan(d.doc, {{0, 0, 0}, {0, 0, 1}, {0, 0, 2}, {0, 0, 3}}, tvSection));
  // Section view works in (X, Z); Y stays.
  EXPECT_NEAR(n.PC[0][2].X, std::sqrt(53.0) * (1 / std::sqrt(26.0)), 1e-5);
  EXPECT_NEAR(n.PC[0][2].Z, std::sqrt(53.0) * (5 / std::sqrt(26.0)), 1e-5);
  EXPECT_EQ(n.PC[0][2].Y, 3);
  EXPECT_LT(n.PC[0][3].X, 0);
  EXPECT_LT(n.PC[0][3].Z, 0);
}

TEST(Alignement, CoincidentFirstPointsReportAndLeaveThirdInPlace) {
  DocForme d(6, 4, 2);
  TNet& n = d.net();
  n.PC[0][1] = n.PC[0][0];
  TPtNet troisieme = n.PC[0][2];
  EnregistreMessages m;
  AligneDansLePlan(d.doc, {{0, 0, 0}, {0, 0, 1}, {0, 0, 2}}, tvPlan);
  EXPECT_TRUE(m.A("Alignement impossible"));
  EXPECT_EQ(n.PC[0][2], troisieme);
  AligneDanslEspace(d.doc, {{0, 0, 0}, {0, 0, 1}, {0, 0, 2}});
  EXPECT_EQ(n.PC[0][2], troisieme);
  m.Textes.clear();
  EXPECT_FALSE(AligneDansLePlan(d.doc, {{0, 0, 0}, {0, 0, 1}}, tvPlan));
  EXPECT_TRUE(m.A("Sélectionnez plus de deux vertex"));
}

TEST(Alignement, InSpaceBothSides) {
  DocForme d(6, 4, 2);
  TNet& n = d.net();
  n.PC[0][0] = {0, 0, 0, 1};
  n.PC[0][1] = {2, 0, 0, 1};
  n.PC[0][2] = {3, 4, 0, 0.7};  // g = 5 from P0
  n.PC[0][3] = {-3, 0, 4, 1};   // behind P0: distance from P1 is sqrt(41)
  ASSERT_TRUE(AligneDanslEspace(d.doc, {{0, 0, 0}, {0, 0, 1}, {0, 0, 2}, {0, 0, 3}}));
  EXPECT_NEAR(n.PC[0][2].X, 5, 1e-12);
  EXPECT_NEAR(n.PC[0][2].Y, 0, 1e-12);
  EXPECT_EQ(n.PC[0][2].W, 0.7);
  EXPECT_NEAR(n.PC[0][3].X, 2 - std::sqrt(41.0), 1e-12);
}

}  // namespace
