// Weights: the five weight models, the total and its centre of gravity, weights
// that follow their surface, the weights window's grids, CSV files and ballasts.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "Aide.h"
#include "base/Chaines.h"
#include "naval/Barge.h"
#include "naval/Face.h"
#include "naval/Poids.h"

namespace {

std::string Lit(const std::string& chemin) {
  std::ifstream in(chemin, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::string Temp(const char* nom) { return testing::TempDir() + nom; }

TEST(Texte, RealsWithAPointAndNoSignedZero) {
  EXPECT_EQ(TexteReel(1.23456, 3), "1.235");
  EXPECT_EQ(TexteReel(-0.00001, 4), "0.0000");
  EXPECT_EQ(TexteReel(-2.5, 1), "-2.5");
  double v = 7;
  EXPECT_TRUE(LitReel(" +1.5e1 ", v));
  EXPECT_EQ(v, 15);
  for (const char* faux : {"", " ", "1,5", "abc", "1.5x", "nan", "inf", "--1", "++1"}) {
    v = 7;
    EXPECT_FALSE(LitReel(faux, v)) << faux;
    EXPECT_EQ(v, 7);
  }
}

TEST(Modeles, EachWeightModelOnABarge) {
  // Barge of the facet tests: half-breadth 1, length 4, draft 0.5, freeboard 1.5.
  const double b = 1, L = 4, T = 0.5, D = 1.5;
  const double aire = 2 * b * L + 2 * L * (T + D);  // shell without strips: bottom and both sides
  const double vol = 2 * b * L * (T + D);
  TDocument doc;
  TEntity& s = AjouteBarge(doc, b, L, T, D, 4);
  s.Nom = "Coque";

  s.TypePoids = tpEpaisseurDensite, s.Epaisseur = 0.01, s.Densite = 2;
  ASSERT_TRUE(MajBarycentre(s));
  EXPECT_EQ(s.Poids.Nom, "Coque");
  EXPECT_NEAR(s.Poids.Masse, aire * 0.01 * 2 * 1000, 1e-9);
  EXPECT_NEAR(s.Poids.Y, L / 2, 1e-12);
  EXPECT_NEAR(s.Poids.X, 0, 1e-12);

  s.TypePoids = tpParM2, s.PoidsParM2 = 12;
  MajBarycentre(s);
  EXPECT_NEAR(s.Poids.Masse, aire * 12, 1e-9);

  s.TypePoids = tpFixeVolume, s.Poids.Masse = 500;
  MajBarycentre(s);
  EXPECT_EQ(s.Poids.Masse, 500);
  EXPECT_NEAR(s.Poids.Z, (D - T) / 2, 1e-9);  // centre of the closed box

  // The volume's sign only tells the orientation: the mass stays positive either way.
  s.TypePoids = tpDensiteVolume, s.Densite = 0.1;
  for (bool o : {true, false}) {
    s.Orientation = o;
    MajBarycentre(s);
    EXPECT_NEAR(s.Poids.Masse, vol * 0.1 * 1000, 1e-9);
    EXPECT_NEAR(s.Poids.Z, (D - T) / 2, 1e-9);
  }

  // A fixed shell mass of 0 keeps the stored centre without integrating the shell.
  s.TypePoids = tpFixeBorde, s.Poids.Masse = 0;
  s.CentreBorde = {{9, 9, 9}, 0};
  MajBarycentre(s);
  EXPECT_EQ(s.Poids.X, 9);
  s.Poids.Masse = 100;
  MajBarycentre(s);
  EXPECT_NEAR(s.Poids.Y, L / 2, 1e-12);
  EXPECT_NEAR(s.CentreBorde.Valeur, aire, 1e-9);
}

TEST(Total, SurfacesThenWeightsWithTheirMoments) {
  TDocument doc;
  MajTotalPoids(doc);
  EXPECT_EQ(doc.PoidsTotal.Nom, "TOTAL");
  EXPECT_EQ(doc.PoidsTotal.Masse, 0);
  EXPECT_EQ((TVertex3f{doc.PoidsTotal.X, doc.PoidsTotal.Y, doc.PoidsTotal.Z}), (TVertex3f{}));

  TEntity& s = AjouteBarge(doc, 1, 4, 0.5, 1.5, 2);
  s.TypePoids = tpFixeVolume, s.Poids.Masse = 300;  // at (0, 2, 0.5)
  doc.ListePoids.push_back({"Lest", 100, 0, 6, -1, -1});
  doc.ListePoids.push_back({"Nul", 0, 50, 50, 50, -1});
  MajTotalPoids(doc);
  EXPECT_NEAR(doc.PoidsTotal.Masse, 400, 1e-12);
  EXPECT_NEAR(doc.PoidsTotal.Y, (300 * 2 + 100 * 6) / 400.0, 1e-12);
  EXPECT_NEAR(doc.PoidsTotal.Z, (300 * 0.5 - 100) / 400.0, 1e-12);

  // A weight that is not a number is left out instead of poisoning the total.
  doc.ListePoids.push_back({"Faux", std::nan(""), 0, 0, 0, -1});
  MajTotalPoids(doc);
  EXPECT_NEAR(doc.PoidsTotal.Masse, 400, 1e-12);

  // Opposite masses cancelling give the position (0, 0, 0).
  doc.ListePoids = {{"A", -300, 1, 1, 1, -1}};
  MajTotalPoids(doc);
  EXPECT_EQ(doc.PoidsTotal.Masse, 0);
  EXPECT_EQ(doc.PoidsTotal.Y, 0);
}

TEST(Total, RecomputedByTheUpdateOnlyWhenShownOrForced) {
  TAffichageGarde garde;  // the session's toggles come back after the test
  TDocument doc;
  TEntity& s = AjouteBarge(doc, 1, 4, 0.5, 1.5, 2);  // forced update inside
  s.TypePoids = tpFixeVolume, s.Poids.Masse = 250;
  AffichageCalculs().Poids = false;
  MajSurface(doc, false, -1);
  EXPECT_EQ(doc.PoidsTotal.Masse, 0);
  MajSurface(doc, true, -1);
  EXPECT_EQ(doc.PoidsTotal.Masse, 250);
  s.Poids.Masse = 125;
  AffichageCalculs().Poids = true;
  MajSurface(doc, false, -1);
  EXPECT_EQ(doc.PoidsTotal.Masse, 125);
}

TEST(Attaches, WeightsFollowTheirSurfaceOnly) {
  TDocument doc;
  AjouteBarge(doc, 1, 4, 0.5, 1.5, 2);
  AjouteBarge(doc, 1, 4, 0.5, 1.5, 2);
  doc.ListePoids = {{"A", 10, 1, 2, 3, 0}, {"B", 10, 1, 2, 3, 1}, {"C", 10, 1, 2, 3, -1}};
  TMatrice4 m;
  MatRotation3D({1, 2, 0}, {0, 0, 90}, m);  // (1, 2, 3) about Z through (1, 2, 0): stays
  DeplacePoidsAttaches(doc, 0, m);
  EXPECT_NEAR(doc.ListePoids[0].X, 1, 1e-12);
  MatTranslation({0, 0, 10}, m);
  DeplacePoidsAttaches(doc, 1, m);
  EXPECT_EQ(doc.ListePoids[1].Z, 13);
  EXPECT_EQ(doc.ListePoids[0].Z, 3);
  EXPECT_EQ(doc.ListePoids[2].Z, 3);
  EXPECT_NEAR(doc.PoidsTotal.Z, (3 + 13 + 3) / 3.0, 1e-12);  // recomputed
  DeplacePoidsAttaches(doc, 7, m);                           // no such surface: nothing moves
  EXPECT_EQ(doc.ListePoids[1].Z, 13);
}

TEST(Grille, RowsTotalAndButtons) {
  TDocument doc;
  AjouteBarge(doc, 1, 4, 0.5, 1.5, 2).Nom = "Coque";
  MajSurface(doc, true, -1);  // as the window opens: the surfaces' weights take their names
  TGrillePoids surf = LignesSurfaces(doc);
  ASSERT_EQ(surf.size(), 1u);
  EXPECT_EQ(surf[0][1], "Coque");
  EXPECT_EQ(surf[0][6], "Coque");
  TGrillePoids g = LignesPoids(doc);
  ASSERT_EQ(g.size(), 1u);
  EXPECT_EQ(g[0], (TLignePoids{"0", "", "0.000", "0.000", "0.000", "0.000", ""}));

  g = {{"0", "a", "10", "1", "0", "0", ""},
       {"1", "b", "30", "x", "0", "0", ""},
       {"2", "c", "30", "3", "2", "0", ""}};
  TPoids t = TotalDesLignes(surf, g);  // the surface weighs 0 and row b does not convert
  EXPECT_EQ(t.Masse, 40);
  EXPECT_NEAR(t.X, (10 + 90) / 40.0, 1e-12);
  EXPECT_EQ(LigneTotal(t)[2], "40.000");
  EXPECT_EQ(VerifieLignes(g), Format(rs("rsErrConversionReel"), "x"));

  InsereLigne(g, 1);
  AjouteLigne(g);
  ASSERT_EQ(g.size(), 5u);
  EXPECT_EQ(g[1][1], "");
  EXPECT_EQ(g[2][1], "b");
  EXPECT_EQ(g[4][0], "4");
  SupprimeLigne(g, 2);
  EXPECT_EQ(g[2][1], "c");
  EXPECT_EQ(g[2][0], "2");
  TGrillePoids un = {{"0", "a", "1", "1", "1", "1", ""}};
  SupprimeLigne(un, 0);  // the last row is emptied, not removed
  ASSERT_EQ(un.size(), 1u);
  EXPECT_EQ(un[0][1], "");
  EXPECT_EQ(un[0][0], "0");
  EXPECT_EQ(VerifieLignes(un), "");
}

TEST(Grille, OkRebuildsTheListOrLeavesItWhole) {
  TDocument doc;
  AjouteBarge(doc, 1, 4, 0.5, 1.5, 2).Nom = "Coque";
  doc.ListePoids = {{"avant", 5, 0, 0, 0, -1}};
  doc.MarqueEnregistre();
  TGrillePoids g = {{"0", "lest", "100", "0", "2", "-1", "Coque"},
                    {"1", "moteur", "50", "0", "1", "0", "Inconnue"}};
  EXPECT_EQ(ValideGrillePoids(doc, g), "");
  ASSERT_EQ(doc.ListePoids.size(), 2u);
  EXPECT_EQ(doc.ListePoids[0].Surface, 0);
  EXPECT_EQ(doc.ListePoids[1].Surface, -1);  // a name that is no surface's
  EXPECT_EQ(doc.PoidsTotal.Masse, 150);
  EXPECT_TRUE(doc.Modifie);

  g[1][4] = "1.x";
  EXPECT_NE(ValideGrillePoids(doc, g), "");
  EXPECT_EQ(doc.ListePoids.size(), 2u);
  EXPECT_EQ(doc.ListePoids[1].Nom, "moteur");

  TPropFich p;
  p.Titre = "Essai";
  std::vector<std::string> imp = LignesImpressionPoids(p, LignesSurfaces(doc), g, doc.PoidsTotal);
  ASSERT_EQ(imp.size(), 9u + 1 + 2 + 1);
  EXPECT_EQ(imp[0], "Brivane - Devis de poids");
  EXPECT_EQ(imp[1], "Essai");
  EXPECT_EQ(imp[2], "");  // every property has its line, even empty
  EXPECT_EQ(imp[5], std::string(32, '_'));
  EXPECT_EQ(imp[8], "Nom\tValeur\tX\tY\tZ\tSurface attachée");
  EXPECT_EQ(imp[10], "lest\t100\t0\t2\t-1\tCoque");
  EXPECT_EQ(imp.back(), "TOTAL\t150.000\t0.000\t1.667\t-0.667\t");

  // One row with empty numbers empties the list.
  EXPECT_EQ(ValideGrillePoids(doc, {{"0", "", "", "", "", "", ""}}), "");
  EXPECT_TRUE(doc.ListePoids.empty());
}

TEST(Csv, LinesAreSplitAsTheImportReadsThem) {
  EXPECT_EQ(LigneCsv("quille;1200,5;0;2,25;-1,5"),
            (TLignePoids{"", "quille", "1200.5", "0", "2.25", "-1.5", ""}));
  // Four fields: Y stays empty and the fourth is Z; anything after a fifth ";" is dropped.
  EXPECT_EQ(LigneCsv("a;1;2;3"), (TLignePoids{"", "a", "1", "2", "", "3", ""}));
  EXPECT_EQ(LigneCsv("a;1;2;3;4;Coque;x"), (TLignePoids{"", "a", "1", "2", "3", "4", ""}));
  TGrillePoids g = {LigneCsv("a;1;2;3")};
  EXPECT_NE(VerifieLignes(g), "");
}

TEST(Csv, ExportThenImportKeepsTheRows) {
  const std::string f = Temp("poids_export.csv");
  TGrillePoids surf = {{"0", "Coque", "10.000", "0.000", "1.000", "2.000", "Coque"}};
  TGrillePoids poids = {{"0", "Lest é", "5.500", "0.000", "3.000", "-1.000", ""}};
  ASSERT_EQ(ExportePoidsCsv(f, surf, poids), "");
  EXPECT_EQ(Lit(f), "Coque;10.000;0.000;1.000;2.000;Coque\r\n\r\nLest \xE9;5.500;0.000;3.000;-1.000;\r\n");

  TGrillePoids g = {{"0", "", "0.000", "0.000", "0.000", "0.000", ""}};  // the blank row of an empty list
  ASSERT_EQ(ImportePoidsCsv(f, g), "");
  ASSERT_EQ(g.size(), 2u);  // the blank row is replaced, the empty line skipped
  EXPECT_EQ(g[1], (TLignePoids{"1", "Lest é", "5.500", "0.000", "3.000", "-1.000", ""}));
  EXPECT_EQ(g[0][1], "Coque");
  EXPECT_EQ(g[0][6], "");  // imported rows are attached to no surface

  TGrillePoids avant = g;
  EXPECT_EQ(ImportePoidsCsv(Temp("absent/nulle_part.csv"), g).rfind(rs("rsErrImportPoids"), 0), 0u);
  EXPECT_EQ(g, avant);
  EXPECT_EQ(
      ExportePoidsCsv(Temp("absent/nulle_part.csv"), surf, poids).rfind("Erreur d'écriture du fichier", 0),
      0u);
  std::remove(f.c_str());
}

TEST(Ballast, DialogChecksThenAppends) {
  TDocument doc;
  AjouteBarge(doc, 1, 4, 0.5, 1.5, 2);
  doc.MarqueEnregistre();
  EXPECT_EQ(AjouteBallast(doc, {"100", "b", "0", "", "1", -1}), rs("rsErrBallastChamps"));
  EXPECT_EQ(AjouteBallast(doc, {"100", "b", "0", "1,5", "1", -1}), rs("rsErrBallastValeur"));
  EXPECT_TRUE(doc.ListePoids.empty());
  EXPECT_FALSE(doc.Modifie);
  EXPECT_EQ(AjouteBallast(doc, {"100", "b", "0", "1.5", "-1", 0}), "");
  EXPECT_EQ(AjouteBallast(doc, {"50", "c", "0", "1.5", "-1", 9}), "");  // an index beyond the surfaces
  ASSERT_EQ(doc.ListePoids.size(), 2u);
  EXPECT_EQ(doc.ListePoids[0].Surface, 0);
  EXPECT_EQ(doc.ListePoids[1].Surface, -1);
  EXPECT_EQ(doc.PoidsTotal.Masse, 150);
  EXPECT_TRUE(doc.Modifie);
}

}  // namespace

// "TOTAL" is the computed total's name: a weight so named would be dropped on reading.
TEST(Ballast, TheTotalsNameIsRefusedWhenEntered) {
  TDocument doc;
  AjouteBarge(doc, 1, 4, 0.5, 1.5, 2).Nom = "Coque";
  doc.MarqueEnregistre();
  EXPECT_EQ(AjouteBallast(doc, {"100", "TOTAL", "0", "1.5", "1", -1}), rs("rsErrPoidsTotal"));
  EXPECT_EQ(AjouteBallast(doc, {"100", " TOTAL ", "0", "1.5", "1", -1}), rs("rsErrPoidsTotal"));
  EXPECT_TRUE(doc.ListePoids.empty());
  EXPECT_FALSE(doc.Modifie);
  // Another case is another name.
  EXPECT_EQ(AjouteBallast(doc, {"100", "Total", "0", "1.5", "1", -1}), "");
  doc.ListePoids = {{"avant", 5, 0, 0, 0, -1}};
  TGrillePoids g = {{"0", "lest", "100", "0", "2", "-1", "Coque"}, {"1", "TOTAL", "50", "0", "1", "0", ""}};
  EXPECT_EQ(ValideGrillePoids(doc, g), rs("rsErrPoidsTotal"));
  ASSERT_EQ(doc.ListePoids.size(), 1u);  // the list is left whole
  EXPECT_EQ(doc.ListePoids[0].Nom, "avant");
}

namespace {

// The import is bounded as the document reader is: a file of too many rows, or that
// is no regular file, imports nothing and says why.
TEST(Csv, ImportIsBoundedAndReadsOnlyRegularFiles) {
  const std::string f = Temp("poids_trop.csv");
  {
    std::ofstream out(f, std::ios::binary);
    for (int i = 0; i <= MaxLignesImportPoids; i++) out << "P" << i << ";1;0;0;0\r\n";
  }
  TGrillePoids g = {{"0", "Lest", "5.000", "0.000", "0.000", "0.000", ""}};
  const TGrillePoids avant = g;
  const std::string err = ImportePoidsCsv(f, g);
  EXPECT_NE(err.find(std::to_string(MaxLignesImportPoids)), std::string::npos) << err;
  EXPECT_EQ(g, avant);
  // One row fewer imports whole.
  {
    std::ofstream out(f, std::ios::binary);
    for (int i = 0; i < MaxLignesImportPoids; i++) out << "P" << i << ";1;0;0;0\r\n";
  }
  ASSERT_EQ(ImportePoidsCsv(f, g), "");
  EXPECT_EQ(g.size(), avant.size() + static_cast<size_t>(MaxLignesImportPoids));

  FifoSansEcrivain fifo(Temp("poids_tube.csv"));
  ASSERT_TRUE(fifo.Cree);
  g = avant;
  const std::string e = ImportePoidsCsv(fifo.Chemin, g);
  EXPECT_NE(e.find("n'est pas un fichier ordinaire"), std::string::npos) << e;
  EXPECT_EQ(fifo.Liberations, 0);
  EXPECT_EQ(g, avant);
}

}  // namespace

namespace {

TEST(Impression, TheMomentsTableGivesUnitsAndMassTimesPosition) {
  TDocument doc;
  doc.Vider();
  TPoids a, b;
  a.Nom = "lest", a.Masse = 1200.5, a.X = 0.25, a.Y = 4, a.Z = -1.5;
  b.Nom = "moteur", b.Masse = 180, b.X = -0.5, b.Y = 1.5, b.Z = 0.4;
  doc.ListePoids = {a, b};
  MajTotalPoids(doc);
  TGrillePoids g = LignesPoids(doc);
  g.push_back({"2", "illisible", "1.x", "0", "0", "0", ""});  // left out
  const std::vector<std::string> l = LignesMomentsPoids(LignesSurfaces(doc), g, doc.PoidsTotal);
  ASSERT_EQ(l.size(), 3u + 2 + 1);
  EXPECT_EQ(l[2], "Nom\tValeur [kg]\tX [m]\tY [m]\tZ [m]\tMx [kg.m]\tMy [kg.m]\tMz [kg.m]");
  EXPECT_EQ(l[3], "lest\t1200.500\t0.250\t4.000\t-1.500\t300.125\t4802.000\t-1800.750");
  EXPECT_EQ(l[4], "moteur\t180.000\t-0.500\t1.500\t0.400\t-90.000\t270.000\t72.000");
  // The total's moments are the sums of the rows'.
  const double m = 1200.5 + 180, my = 1200.5 * 4 + 180 * 1.5;
  EXPECT_EQ(l[5].substr(0, l[5].find('\t')), "TOTAL");
  EXPECT_NE(l[5].find("\t" + TexteReel(m, 3) + "\t"), std::string::npos) << l[5];
  EXPECT_NE(l[5].find("\t" + TexteReel(my, 3) + "\t"), std::string::npos) << l[5];
}

}  // namespace
