#include <gtest/gtest.h>

#include <cstring>

#include "app/Options.h"

namespace {

std::vector<unsigned char> Octets(double v, size_t n = sizeof(double)) {
  std::vector<unsigned char> b(sizeof(double));
  std::memcpy(b.data(), &v, sizeof v);
  b.resize(n);
  return b;
}

}  // namespace

TEST(Reglages, EmptyStoreGivesTheDocumentedDefaults) {
  TMagasinMemoire m;
  TReglages r = LitReglages(m);
  EXPECT_EQ(r.Couleur("Arp"), 0);
  EXPECT_EQ(r.Couleur("Axes"), 255);
  EXPECT_EQ(r.Couleur("Grille"), 0x93FFFF);
  EXPECT_EQ(r.Couleur("SoudeVertex"), 0xB5CA00);
  EXPECT_DOUBLE_EQ(r.FacteurCourbure(), 0.0002);
  EXPECT_EQ(r.RatioVect / 10, 100);
  EXPECT_EQ(r.ZoomMax, 2500);
  EXPECT_TRUE(r.Fichiers.empty());
  EXPECT_TRUE(r.PosLight);
  EXPECT_FALSE(r.SavConfig);
  EXPECT_DOUBLE_EQ(r.OptTailleReperesStudio, 0.02);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(r.Lumieres[i].Visible, i < 4) << i;
  EXPECT_DOUBLE_EQ(r.Lumieres[1].RX, -60);
  EXPECT_DOUBLE_EQ(r.Lumieres[3].RY, -60);
  EXPECT_EQ(r.Papier, TFormatPapier::A4);
  EXPECT_EQ(r.ImpPhyHorzSize, 210);
  EXPECT_EQ(r.PenWidth, 3);
  // ZOOMMAX is created on the first start.
  EXPECT_EQ(m.Lit("System", "ZOOMMAX"), "2500");
}

TEST(Reglages, BadOrOutOfRangeValuesFallBackToTheirDefaults) {
  TMagasinMemoire m;
  m.Ecrit("System", "ZOOMMAX", "0");
  m.Ecrit("Poids", "RatioVect", "-5");
  m.Ecrit("Printer", "ImpPhyHorzSize", "0");
  m.Ecrit("Printer", "ImpPhyVertSize", "12x");
  m.Ecrit("Printer", "PenWidth", "9999");
  m.Ecrit("Colors", "Axes", "16777216");
  m.Ecrit("Colors", "Grille", "abc");
  m.Ecrit("Courbure", "TypeRayon", "2");
  m.Ecrit("Environement", "OptTailleReperesStudio", "0,05");
  m.Ecrit("Environement", "MultiFen", "7");  // any value but 0 is true
  TReglages r = LitReglages(m);
  EXPECT_EQ(r.ZoomMax, 2500);
  EXPECT_EQ(m.Lit("System", "ZOOMMAX"), "2500");
  EXPECT_EQ(r.RatioVect, 1000);
  EXPECT_EQ(r.ImpPhyHorzSize, 210);
  EXPECT_EQ(r.ImpPhyVertSize, 297);
  EXPECT_EQ(r.PenWidth, 3);
  EXPECT_EQ(r.Couleur("Axes"), 255);
  EXPECT_EQ(r.Couleur("Grille"), 0x93FFFF);
  EXPECT_EQ(r.TypeRayon, 0);
  EXPECT_DOUBLE_EQ(r.OptTailleReperesStudio, 0.02);
  EXPECT_TRUE(r.MultiFen);
}

TEST(Reglages, OptionsWriteThenReadRoundTrips) {
  TMagasinMemoire m;
  TReglages r;
  r.Couleurs[0] = 0x123456;
  r.SavConfig = true;
  r.PosLight = false;
  r.OptTailleReperesStudio = 0.125;
  r.RatioVect = 500;
  r.LongRayon = 2500;
  r.OrientationRayon = 1;
  r.Language = "English";
  EcritReglagesOptions(m, r, false);
  EXPECT_FALSE(m.Contient("Environement", "Language"));
  EXPECT_EQ(m.Lit("Environement", "SavConfig"), "1");
  EcritReglagesOptions(m, r, true);
  TReglages l = LitReglages(m);
  EXPECT_EQ(l.Couleurs[0], 0x123456);
  EXPECT_TRUE(l.SavConfig);
  EXPECT_FALSE(l.PosLight);
  EXPECT_DOUBLE_EQ(l.OptTailleReperesStudio, 0.125);
  EXPECT_EQ(l.RatioVect, 500);
  EXPECT_DOUBLE_EQ(l.FacteurCourbure(), 0.5);
  EXPECT_EQ(l.OrientationRayon, 1);
  EXPECT_EQ(l.Language, "English");
}

TEST(Reglages, LightsKeepTheirPositionsOrAllReset) {
  TMagasinMemoire m;
  auto l = LumieresParDefaut();
  l[0].Visible = false;
  l[5].Dist = 7.5;
  l[2].RX = 12.25;
  EcritLumieres(m, l);
  EXPECT_TRUE(m.Contient("PosLight", "LzDist"));
  TReglages r = LitReglages(m);
  EXPECT_FALSE(r.Lumieres[0].Visible);
  EXPECT_DOUBLE_EQ(r.Lumieres[5].Dist, 7.5);
  EXPECT_DOUBLE_EQ(r.Lumieres[2].RX, 12.25);

  // A 7-byte value resets every position (the switches stay as stored).
  m.EcritBinaire("PosLight", "L6RY", Octets(3.0, 7));
  r = LitReglages(m);
  EXPECT_DOUBLE_EQ(r.Lumieres[5].Dist, 4);
  EXPECT_DOUBLE_EQ(r.Lumieres[2].RX, 60);
  EXPECT_FALSE(r.Lumieres[0].Visible);
  // So does a text where a double is expected.
  EcritLumieres(m, l);
  m.Ecrit("PosLight", "L3RX", "1.5");
  EXPECT_DOUBLE_EQ(LitReglages(m).Lumieres[5].Dist, 4);
}

TEST(Reglages, LanguageNameCannotLeaveTheProgramFolder) {
  EXPECT_EQ(NomLangueSur("English"), "English");
  EXPECT_EQ(NomLangueSur("Français"), "Français");
  for (const char* n : {"../x", "..", "a/b", "a\\b", "/etc/passwd", "C:x", ".cache", ""})
    EXPECT_EQ(NomLangueSur(n), "") << n;
  TMagasinMemoire m;
  m.Ecrit("Environement", "Language", "../../tmp/evil");
  EXPECT_EQ(LitReglages(m).Language, "");
}

TEST(Reglages, RecentFilesAreAbsoluteAndUnique) {
  std::vector<std::string> l;
  AjouteFichierRecent(l, "/tmp/a.bri");
  AjouteFichierRecent(l, "relatif.bri");
  ASSERT_EQ(l.size(), 2u);
  EXPECT_EQ(l[0].front(), '/');
  EXPECT_NE(l[0].find("relatif.bri"), std::string::npos);
  AjouteFichierRecent(l, "/tmp/./a.bri");
  EXPECT_EQ(l.size(), 2u);
  EXPECT_EQ(l[0], "/tmp/a.bri");
  AjouteFichierRecent(l, "/TMP/A.BRI");
  EXPECT_EQ(l.size(), 2u);
  EXPECT_EQ(l[0], "/TMP/A.BRI");

  // Written whole, read back from File1 until one is missing.
  TMagasinMemoire m;
  m.Ecrit("Files", "File7", "stale");
  EcritFichiersRecents(m, {"/x", "/y"});
  EXPECT_EQ(LitReglages(m).Fichiers, (std::vector<std::string>{"/x", "/y"}));
  EXPECT_FALSE(m.Contient("Files", "File7"));
}

TEST(Reglages, MarkerSizeConversion) {
  EXPECT_EQ(LitTailleReperes("0.02"), 0.02);
  EXPECT_FALSE(LitTailleReperes("abc"));
  EXPECT_FALSE(LitTailleReperes("0"));
  EXPECT_FALSE(LitTailleReperes("0.02m"));
  EXPECT_EQ(TexteTailleReperes(0.02), "0.020");
}
