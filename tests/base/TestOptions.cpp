#include <gtest/gtest.h>

#include <cstring>

#include "base/Options.h"
#include "base/PlaceFenetre.h"

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
  EXPECT_DOUBLE_EQ(r.FacteurCourbure(), 1.0);
  // The factor of older stores, below the slider's range, gives the default too.
  m.Ecrit("Courbure", "LongRayon", "1");
  EXPECT_EQ(LitReglages(m).LongRayon, 5000);
  EXPECT_EQ(r.RatioVect / 10, 100);
  EXPECT_EQ(r.ZoomMax, 2500);
  EXPECT_TRUE(r.Fichiers.empty());
  EXPECT_TRUE(r.PosLight);
  // Window places and display switches are kept by default; a stored "0" still turns them off.
  EXPECT_TRUE(r.SavConfig);
  EXPECT_TRUE(r.PosFen);
  {
    TMagasinMemoire n;
    n.Ecrit("Environement", "SavConfig", "0");
    n.Ecrit("Environement", "PosFen", "0");
    EXPECT_FALSE(LitReglages(n).SavConfig);
    EXPECT_FALSE(LitReglages(n).PosFen);
  }
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

TEST(Conf, EmptyStoreGivesTheSwitchDefaultsAndWritingReplacesTheSection) {
  TMagasinMemoire m;
  TConf c = LitConf(m);
  EXPECT_EQ(c.Precision, "Moyenne");
  for (const char* on : {"AffAxes", "AffReperes", "AffReperesEnv", "AffPoids", "AffCentreVoil", "AffCotes",
                         "AffImages", "AffPlanEau"})
    EXPECT_TRUE(c.Bascule(on)) << on;
  for (const char* off :
       {"AffBasePlanSym", "AffMoitie", "AffScinder", "AffSections", "AffLignesE", "AffLongits", "AffDiags",
        "AffSurfParam", "AffGrille", "AffOrientSurf", "AffHerisson", "VoirFenSel"})
    EXPECT_FALSE(c.Bascule(off)) << off;

  // A key of an older run that is no switch any more goes with the section.
  m.Ecrit("Conf", "AffAncienne", "1");
  TConf e;
  e.Bascules[5] = true;    // AffSections
  e.Bascules[13] = false;  // AffAxes
  e.Precision = "TBonne";
  EcritConf(m, e);
  EXPECT_FALSE(m.Contient("Conf", "AffAncienne"));
  EXPECT_EQ(m.Lit("Conf", "AffSections"), "1");
  EXPECT_EQ(m.Lit("Conf", "AffAxes"), "0");
  EXPECT_EQ(m.Lit("Conf", "AffCarene"), "1");  // written, never read back
  EXPECT_EQ(m.Cles("Conf").size(), static_cast<size_t>(NbClesConf) + 1);
  TConf l = LitConf(m);
  EXPECT_TRUE(l.Bascule("AffSections"));
  EXPECT_FALSE(l.Bascule("AffAxes"));
  EXPECT_EQ(l.Precision, "TBonne");

  // The hull and the net are the user's to switch: a stored 0 does not hide both.
  m.Ecrit("Conf", "AffCarene", "0");
  m.Ecrit("Conf", "AffNet", "0");
  EXPECT_TRUE(LitConf(m).Bascule("AffCarene"));
  EXPECT_TRUE(LitConf(m).Bascule("AffNet"));
  // "Perso" and names of no step give "Moyenne"; a switch's text that is no integer, its default.
  for (const char* p : {"Perso", "Excellente", ""}) {
    m.Ecrit("Conf", "Precision", p);
    EXPECT_EQ(LitConf(m).Precision, "Moyenne") << p;
  }
  m.Ecrit("Conf", "AffAxes", "oui");
  EXPECT_TRUE(LitConf(m).Bascule("AffAxes"));
}

TEST(Conf, PrecisionNamesFollowTheSteps) {
  EXPECT_EQ(NomPrecision(10), "Faible");
  EXPECT_EQ(NomPrecision(20), "Moyenne");
  EXPECT_EQ(NomPrecision(50), "Bonne");
  EXPECT_EQ(NomPrecision(100), "TBonne");
  EXPECT_EQ(NomPrecision(35), "Perso");
  for (int n : {10, 20, 50, 100}) EXPECT_EQ(PasPrecision(NomPrecision(n)), n);
  EXPECT_EQ(PasPrecision("Perso"), 0);
}

TEST(PosFen, PlacesRoundTripAndBadValuesGiveThePresentOnes) {
  TMagasinMemoire m;
  const TRectEcran actuel{10, 20, 300, 200};
  TPlaceFenetre p = LitPlaceFenetre(m, "VueCtrlForm", actuel);
  EXPECT_FALSE(p.Connue);
  EXPECT_EQ(p.Rect, actuel);
  EXPECT_EQ(p.Etat, "Normal");
  EXPECT_FALSE(p.Visible.has_value());

  EcritPlaceFenetre(m, "VueCtrlForm", {{-40, 75, 420, 310}, "Normal", true, true});
  EXPECT_FALSE(m.Contient("PosFen", "VueCtrlFormWinState"));  // written only when not normal
  p = LitPlaceFenetre(m, "VueCtrlForm", actuel);
  EXPECT_TRUE(p.Connue);
  EXPECT_EQ(p.Rect, (TRectEcran{-40, 75, 420, 310}));
  EXPECT_EQ(p.Visible, true);

  EcritPlaceFenetre(m, "StabForm", {{5, 6, 700, 500}, "Maximized", false, true});
  EXPECT_EQ(m.Lit("PosFen", "StabFormWinState"), "Maximized");
  EXPECT_EQ(LitPlaceFenetre(m, "StabForm", actuel).Etat, "Maximized");
  EXPECT_EQ(LitPlaceFenetre(m, "StabForm", actuel).Visible, false);

  m.Ecrit("PosFen", "VueCtrlFormWidth", "-5");
  m.Ecrit("PosFen", "VueCtrlFormTop", "9e9");
  m.Ecrit("PosFen", "VueCtrlFormWinState", "Plein");
  p = LitPlaceFenetre(m, "VueCtrlForm", actuel);
  EXPECT_EQ(p.Rect, (TRectEcran{-40, 20, 300, 310}));
  EXPECT_EQ(p.Etat, "Normal");
}

TEST(Vexrun, NamesAreCheckedAndTheTimeLimitHeldToItsRange) {
  TMagasinMemoire m;
  TReglagesVexrun r = LitReglagesVexrun(m);
  EXPECT_FALSE(r.Active);
  EXPECT_EQ(r.Dossier, "");
  EXPECT_EQ(r.DelaiMax, 300);

  m.Ecrit("Vexrun", "Enabled", "1");
  m.Ecrit("Vexrun", "ExePathName", "/opt/michlet/");
  m.Ecrit("Vexrun", "ExeName", "michlet.exe");
  m.Ecrit("Vexrun", "InFileName", "in.mlt");
  m.Ecrit("Vexrun", "OutFileName", "out.mlt");
  m.Ecrit("Vexrun", "DelaiMax", "45");
  r = LitReglagesVexrun(m);
  EXPECT_TRUE(r.Active);
  EXPECT_EQ(r.Dossier, "/opt/michlet/");
  EXPECT_EQ(r.Programme, "michlet.exe");
  EXPECT_EQ(r.Entree, "in.mlt");
  EXPECT_EQ(r.Sortie, "out.mlt");
  EXPECT_EQ(r.DelaiMax, 45);

  // The output is deleted before each run: a name that reaches another folder is refused.
  for (const char* n :
       {"../../home/u/hull.kvb", "/etc/passwd", "sub/out.mlt", "a\\b", "..", "C:out", "o\nut"}) {
    m.Ecrit("Vexrun", "OutFileName", n);
    EXPECT_EQ(LitReglagesVexrun(m).Sortie, "") << n;
  }
  m.Ecrit("Vexrun", "ExePathName", std::string("/opt/\x01"));
  EXPECT_EQ(LitReglagesVexrun(m).Dossier, "");
  for (const char* d : {"0", "-3", "100000", "dix"}) {
    m.Ecrit("Vexrun", "DelaiMax", d);
    EXPECT_EQ(LitReglagesVexrun(m).DelaiMax, 300) << d;
  }
  EcritDelaiVexrun(m, 1000000);
  EXPECT_EQ(LitReglagesVexrun(m).DelaiMax, DelaiMaxMax);
  EXPECT_EQ(m.Lit("Vexrun", "ExeName"), "michlet.exe");  // the paths stay the user's
}
