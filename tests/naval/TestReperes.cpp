// The import of reference marks: the six axis orders, the name option, blank lines,
// and the all-or-nothing refusal naming the bad line.
#include <gtest/gtest.h>

#include <algorithm>

#include "naval/Envahissement.h"
#include "naval/Reperes.h"

namespace {

TEST(ImportReperes, NameOptionCommasAndTheSixOrders) {
  TResultatImport r = LitReperes("  Mât;1,5;2.25;3  \n", true, ovXYZ);
  ASSERT_TRUE(r.Ok) << r.Message;
  ASSERT_EQ(r.Reperes.size(), 1u);
  EXPECT_EQ(r.Reperes[0], (TRepere{"Mât", 1.5, 2.25, 3}));

  // Values 1, 2, 3 in each order: the k-th value goes to the k-th named axis.
  const struct {
    int Ordre;
    const char* Libelle;
    TRepere Attendu;
  } cas[] = {{ovXYZ, "X - Y - Z", {"", 1, 2, 3}}, {ovYXZ, "Y - X - Z", {"", 2, 1, 3}},
             {ovXZY, "X - Z - Y", {"", 1, 3, 2}}, {ovYZX, "Y - Z - X", {"", 3, 1, 2}},
             {ovZXY, "Z - X - Y", {"", 2, 3, 1}}, {ovZYX, "Z - Y - X", {"", 3, 2, 1}}};
  for (const auto& c : cas) {
    EXPECT_EQ(LibelleOrdre(c.Ordre), c.Libelle);
    // The expected line of the dialog, with its trailing ";", reads back as it says.
    TResultatImport o = LitReperes("1;2;3;\r\n", false, c.Ordre);
    ASSERT_TRUE(o.Ok) << c.Libelle;
    EXPECT_EQ(o.Reperes.at(0), c.Attendu) << c.Libelle;
  }
  EXPECT_EQ(LigneAttendue(false, ovXYZ), "X;Y;Z;");
  EXPECT_EQ(LigneAttendue(true, ovZYX), "Nom_Repère;Z;Y;X;");
}

TEST(ImportReperes, BlankLinesAreSkippedAndAnEmptyNameIsKept) {
  TResultatImport r = LitReperes("A;1;2;3\n\n   \n;4;5;6\n\n", true, ovXYZ);
  ASSERT_TRUE(r.Ok) << r.Message;
  ASSERT_EQ(r.Reperes.size(), 2u);
  EXPECT_EQ(r.Reperes[1], (TRepere{"", 4, 5, 6}));
  TListeReperes l{{"Avant", 0, 0, 0}};
  EXPECT_EQ(AjouteReperes(l, r), 2);
  ASSERT_EQ(l.size(), 3u);
  EXPECT_EQ(l[0].Nom, "Avant");
  EXPECT_EQ(l[2].Z, 6);
  // An empty file is a complete import of nothing.
  EXPECT_TRUE(LitReperes("", false, ovXYZ).Ok);
}

TEST(ImportReperes, ABadLineIsNamedAndNothingIsImported) {
  // Without the name option the name is the first value, which does not convert.
  TResultatImport r = LitReperes("Mât;1,5;2.25;3\n", false, ovXYZ);
  EXPECT_FALSE(r.Ok);
  EXPECT_EQ(r.NumLigne, 1);
  EXPECT_TRUE(r.Reperes.empty());

  r = LitReperes("1;2;3\n4;5;6\n\n7;x;9\n10;11;12\n", false, ovXYZ);
  EXPECT_FALSE(r.Ok);
  EXPECT_EQ(r.NumLigne, 4);
  EXPECT_EQ(r.Ligne, "7;x;9");
  EXPECT_TRUE(r.Reperes.empty());
  EXPECT_NE(r.Message.find("Erreur de lecture du fichier d'import"), std::string::npos);
  EXPECT_NE(r.Message.find("4"), std::string::npos);
  EXPECT_NE(r.Message.find("7;x;9"), std::string::npos);
  TListeReperes l{{"Avant", 0, 0, 0}};
  EXPECT_EQ(AjouteReperes(l, r), 0);
  EXPECT_EQ(l.size(), 1u);

  // Too few values, a missing name separator, non-finite values, a bad order.
  for (const char* faux : {"1;2", "1;2;", "nan;1;2", "1;inf;2", "1;2;3x"})
    EXPECT_FALSE(LitReperes(faux, false, ovXYZ).Ok) << faux;
  EXPECT_FALSE(LitReperes("Mât", true, ovXYZ).Ok);
  EXPECT_FALSE(LitReperes("1;2;3", false, NbOrdresValeurs).Ok);
  EXPECT_FALSE(LitReperes("1;2;3", false, -1).Ok);

  // The line count is bounded, even for blank lines.
  EXPECT_FALSE(LitReperes(std::string(MaxLignesImport + 1, '\n') + "1;2;3", false, ovXYZ).Ok);
  EXPECT_TRUE(LitReperes(std::string(MaxLignesImport - 1, '\n') + "1;2;3", false, ovXYZ).Ok);
}

TEST(ListeReperes, RowsInAndOutOfTheWindow) {
  // An empty list opens on one empty row; that row untouched gives back an empty list.
  auto l = LignesDesReperes({});
  ASSERT_EQ(l.size(), 1u);
  std::vector<TRepere> sortie{{"avant", 1, 2, 3}};
  std::string msg;
  ASSERT_TRUE(LitLignesReperes(l, sortie, msg));
  EXPECT_TRUE(sortie.empty());
  // Points shown with four decimals, read back in order; an empty name is kept.
  l = LignesDesReperes({{"Mât", 1.5, -2, 0.125}, {"", 0, 0, 1}});
  ASSERT_EQ(l.size(), 2u);
  EXPECT_EQ(l[0].X, "1.5000");
  EXPECT_EQ(l[0].Y, "-2.0000");
  ASSERT_TRUE(LitLignesReperes(l, sortie, msg)) << msg;
  EXPECT_EQ(sortie, (std::vector<TRepere>{{"Mât", 1.5, -2, 0.125}, {"", 0, 0, 1}}));
  // A bad cell anywhere changes nothing and names the text that failed.
  l[1].Z = "1,2x";
  EXPECT_FALSE(LitLignesReperes(l, sortie, msg));
  EXPECT_NE(msg.find("1,2x"), std::string::npos) << msg;
  EXPECT_EQ(msg, VerifieLignesReperes(l));
  EXPECT_EQ(sortie.size(), 2u);
  EXPECT_EQ(VerifieLignesReperes(LignesDesReperes({{"a", 1, 2, 3}})), "");
  // A lone row without coordinates stands for an empty list, whatever its name; with one
  // coordinate typed it is a row to read, and the empty ones do not convert.
  ASSERT_TRUE(LitLignesReperes({{"seul", "", "", ""}}, sortie, msg));
  EXPECT_TRUE(sortie.empty());
  EXPECT_FALSE(LitLignesReperes({{"seul", "1", "", ""}}, sortie, msg));
}

TEST(ListeReperes, TheNewMarkDialogsTwoMessages) {
  TRepere r{"inchangé", 9, 9, 9};
  EXPECT_EQ(LitNouveauRepere({"a", "1", "", "2"}, r), "Les champs X, Y et Z doivent être renseignés !");
  EXPECT_EQ(LitNouveauRepere({"a", "1", "b", "2"}, r), "L'un des champs a une valeur erronée");
  EXPECT_EQ(r.Nom, "inchangé");
  EXPECT_EQ(LitNouveauRepere({"Étrave", "0.5", "-1.25", "2"}, r), "");
  EXPECT_EQ(r, (TRepere{"Étrave", 0.5, -1.25, 2}));
}

// Steps of a heel sweep about the origin, upright waterline through the origin, no trim
// or sinkage: a point at height h on the centre plane stays above water while h cos(heel) > 0.
TListGZ Etapes(double max, double pas) {
  TListGZ l;
  for (double g = 0; g <= max + 1e-9; g += pas) {
    TGZ e;
    e.Gite = g;
    l.push_back(e);
  }
  return l;
}

TEST(Envahissement, MarkersWhereAPointChangesSide) {
  const TListGZ e = Etapes(180, 5);
  TListeReperesEnv pts;
  pts.push_back({{"Écoutille", 0, 2, 0.5}});
  pts.push_back({{"Sous l'eau", 0, 2, -0.5}});
  // Off the centre plane at (±1, 0.5): under water once tan(heel) > 0.5 on the side it
  // leans to, first at 30° (26.57° lies between 25 and 30); the other side goes under only
  // past 90°, at 180 - 26.57 = 153.43°, first at 155°.
  pts.push_back({{"Tribord", 1, 0, 0.5}});
  pts.push_back({{"Bâbord", -1, 0, 0.5}});
  const auto m = MarquesEnvahissement(pts, e, {0, 0, 0});
  std::vector<TMarqueEnvahissement> de;
  auto pour = [&](const std::string& nom) {
    de.clear();
    for (const auto& x : m)
      if (x.Nom == nom) de.push_back(x);
    return de.size();
  };
  ASSERT_EQ(pour("Écoutille"), 1u);
  EXPECT_DOUBLE_EQ(de[0].Gite, 95);
  EXPECT_TRUE(de[0].Immerge);
  ASSERT_EQ(pour("Sous l'eau"), 1u);
  EXPECT_DOUBLE_EQ(de[0].Gite, 95);
  EXPECT_FALSE(de[0].Immerge);
  std::vector<double> cotes;
  for (const char* n : {"Tribord", "Bâbord"}) {
    ASSERT_EQ(pour(n), 1u) << n;
    EXPECT_TRUE(de[0].Immerge);
    cotes.push_back(de[0].Gite);
  }
  std::sort(cotes.begin(), cotes.end());
  EXPECT_DOUBLE_EQ(cotes[0], 30);
  EXPECT_DOUBLE_EQ(cotes[1], 155);
  // No step, no marker; one step, no change to see.
  EXPECT_TRUE(MarquesEnvahissement(pts, {}, {0, 0, 0}).empty());
  EXPECT_TRUE(MarquesEnvahissement(pts, Etapes(0, 5), {0, 0, 0}).empty());
}

}  // namespace
