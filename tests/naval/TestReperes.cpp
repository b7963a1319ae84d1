// The import of reference marks: the six axis orders, the name option, blank lines,
// and the all-or-nothing refusal naming the bad line.
#include <gtest/gtest.h>

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

}  // namespace
