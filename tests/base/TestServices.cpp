// Call trace, diagnostics entries, the error log, the text table and the
// Windows-1252 conversion.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>

#include "Aide.h"
#include "base/Chaines.h"
#include "base/Debug.h"
#include "base/Encodage.h"
#include "base/Services.h"

namespace {

namespace fs = std::filesystem;

struct Temp {
  fs::path Dir = fs::temp_directory_path() / ("brivane_test_" + std::to_string(::getpid()));
  Temp() { fs::create_directories(Dir); }
  ~Temp() { fs::remove_all(Dir); }
};

std::string Lit(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(Trace, NamesAreCutAndTheRingKeepsTheLastTen) {
  TraceRAZ();
  TraceEntree(std::string(40, 'a'));
  EXPECT_EQ(TraceDerniere(), std::string(30, 'a'));
  TraceRAZ();
  for (int i = 1; i <= 12; i++) TraceEntree("P" + std::to_string(i));
  auto r = TraceAnneauRecent();
  ASSERT_EQ(r.size(), 10u);
  EXPECT_EQ(r.front(), "P12");
  EXPECT_EQ(r.back(), "P3");
  std::string l = LigneErrorLog("D", "boom");
  EXPECT_EQ(l, "D : P12 . boom . Stack = P12 | P11 | P10 | P9 | P8 | P7 | P6 | P5 | P4 | P3 | ");
  TraceRAZ();
}

TEST(Trace, DeepNestingStaysAtThirtyAndScopesPop) {
  TraceRAZ();
  for (int i = 0; i < 35; i++) TraceEntree("N" + std::to_string(i));
  EXPECT_EQ(Trace().Profondeur, 30);
  EXPECT_EQ(Trace().Pile[29], "N34");  // each further entry replaced the innermost
  EXPECT_EQ(Trace().Pile[28], "N28");
  TraceSortie();
  EXPECT_EQ(Trace().Profondeur, 29);
  EXPECT_EQ(Trace().Pile[29], "");
  TraceRAZ();
  {
    TRACE("A.B");
    EXPECT_EQ(Trace().Profondeur, 1);
    try {
      TRACE("A.C");
      throw std::runtime_error("x");
    } catch (...) {
    }
    EXPECT_EQ(Trace().Profondeur, 1);
  }
  EXPECT_EQ(Trace().Profondeur, 0);
  TraceSortie();  // never below zero
  EXPECT_EQ(Trace().Profondeur, 0);
}

TEST(Diagnostics, EntriesFollowModeAndTraceButton) {
  std::vector<TDbgEntree> recu;
  DebugConfig().Recepteur = [&](const TDbgEntree& e) { recu.push_back(e); };
  DebugConfig().ModeDebug = false;
  DbgErr(erDivers, "X.Y", 1, {"a"});
  EXPECT_TRUE(recu.empty());
  DebugConfig().ModeDebug = true;
  DbgErr(erDivers, "X.Y", 3, {DbgVal(2), DbgVal(1.5), DbgVal("t"), "4", "5", "6"});
  ASSERT_EQ(recu.size(), 1u);
  EXPECT_EQ(TexteEnvoiDbg(recu[0]), "TMsgLong|erDivers|X.Y|3|6|2|1.5000|t|4|5|6|");
  DbgMsgS({"m"});
  ASSERT_EQ(recu.size(), 2u);
  EXPECT_EQ(TexteEnvoiDbg(recu[1]), "1|m|");
  DebugConfig().TracesActives = false;
  DbgMsgS({"m"});
  EXPECT_EQ(recu.size(), 2u);
  EXPECT_EQ(TexteTypeErr(1), "erInconnue");
  EXPECT_EQ(TexteTypeErr(4), "erFichier");
  DebugConfig() = TDebugConfig{};
}

TEST(ErrorLog, NewestLineFirst) {
  Temp t;
  fs::path p = t.Dir / "Error.log";
  ASSERT_TRUE(AjouteErrorLog(p.string(), "premiere").Ecrit);
  ASSERT_TRUE(AjouteErrorLog(p.string(), "seconde").Ecrit);
  EXPECT_EQ(Lit(p), "seconde\r\npremiere\r\n");
  EXPECT_FALSE(AjouteErrorLog((t.Dir / "absent" / "Error.log").string(), "x").Ecrit);
}

TEST(Chaines, LanguageFileRules) {
  Temp t;
  fs::path p = t.Dir / "lang_Test.dat";
  {
    std::ofstream f(p, std::ios::binary);
    f << "[MainForm]\r\n"
      << "RSBTNOK=&Ja\r\n"
      << "rsBtnOK=ignored, the first match wins\r\n"
      << "rsBtnAnnuler =not a match: the blank belongs to the key\r\n"
      << "rsBtnFermer=\r\n"
      << "rsXVal=X: %.4f m\r\n"
      << "rsInconnue=rien\r\n"
      << "rsMaxLignes=Trop de lignes = 31\r\n"
      << "rsSelection=S\xE9lection \x80\r\n";
  }
  ASSERT_TRUE(ChargerChaines(p.string()));
  EXPECT_EQ(rs("rsBtnOK"), "&Ja");
  EXPECT_EQ(rs("rsBtnAnnuler"), "&Annuler");
  EXPECT_EQ(rs("rsBtnFermer"), "");
  EXPECT_EQ(Format(rs("rsXVal"), 1.5), "X: 1.5000 m");
  EXPECT_EQ(rs("rsMaxLignes"), "Trop de lignes = 31");
  EXPECT_EQ(rs("rsSelection"), "Sélection €");
  EXPECT_EQ(rs("rsBtnToutes"), "&Toutes");
  // A missing file (no file is shipped for French) brings every default back.
  EXPECT_FALSE(ChargerChaines((t.Dir / "lang_Français.dat").string()));
  EXPECT_EQ(rs("rsBtnOK"), "&OK");
  EXPECT_EQ(rs("rsXVal"), "X=%.4f");
}

// The defaults come back at the end of a test that loads a language file.
struct GardeChaines {
  ~GardeChaines() { ChaineDefauts(); }
};

// Keys of the documented list that the table names otherwise: a language file written to
// that list reaches the texts, and the table's own key wins when both are given.
TEST(Chaines, KeysOfTheDocumentedListReachTheirTexts) {
  GardeChaines garde;
  const std::vector<std::pair<std::string, std::string>> cles = {
      {"rsGBDonneesCaption", "rsExportFormGBEntites"},
      {"rsGBCtxCaption", "rsExportFormGBContexte"},
      {"rsCBAretesCaption", "rsExportFormCBAretes"},
      {"rsCBSurfParamCaption", "rsExportFormCBSurfParam"},
      {"rsRBSurfMaille3DCaption", "rsExportFormRBMaillage"},
      {"rsRBSurfPolyLCaption", "rsExportFormRBCourbes"},
      {"rsCbNurbsCaption", "rsExportFormCBNurbs"},
      {"rsCBGrilleCaption", "rsExportFormCBGrille"},
      {"rsCBAxesCaption", "rsExportFormCBAxes"},
      {"rsRB3DCaption", "rsExportFormRB3D"},
      {"rsGB2DCaption", "rsExportFormRB2D"},
      {"rsCBColorCaption", "rsExportFormCBCouleurs"},
      {"rsSB_SouderHint", "rsBOSouderHint"},
      {"rsStabFormCaption", "rsStabCaption"}};
  Temp t;
  fs::path p = t.Dir / "lang_Test.dat";
  {
    std::ofstream f(p, std::ios::binary);
    for (size_t i = 0; i < cles.size(); i++) f << cles[i].first << "=T" << i << "\r\n";
    // Both names: the table's own key is taken.
    f << "rsExportFormCBAxes=propre\r\n";
  }
  ASSERT_TRUE(ChargerChaines(p.string()));
  for (size_t i = 0; i < cles.size(); i++) {
    ASSERT_TRUE(ChaineConnue(cles[i].second)) << cles[i].second;
    if (cles[i].second == std::string("rsExportFormCBAxes"))
      EXPECT_EQ(rs(cles[i].second), "propre");
    else
      EXPECT_EQ(rs(cles[i].second), "T" + std::to_string(i)) << cles[i].first;
  }
  // Everything else keeps its default.
  EXPECT_EQ(rs("rsBtnOK"), "&OK");
}

// Every key of the list published for translators reaches a text of the table, alone in
// its file: before, half of them were silently ignored.
TEST(Chaines, EveryPublishedKeyReachesItsText) {
  GardeChaines garde;
  std::ifstream liste(std::string(BRIVANE_TEST_DATA) + "/documented_keys.txt");
  std::vector<std::string> publiees;
  for (std::string l; std::getline(liste, l);)
    if (l.rfind("rs", 0) == 0) publiees.push_back(l);
  ASSERT_EQ(publiees.size(), 780u);
  Temp t;
  fs::path p = t.Dir / "lang_Test.dat";
  std::vector<std::string> ignorees, sansEffet;
  for (const std::string& cle : publiees) {
    std::vector<std::string> textes;
    if (ChaineConnue(cle)) textes.push_back(cle);
    for (const auto& a : AliasChaines())
      if (cle == a.Autre) textes.push_back(a.Cle);
    if (textes.empty()) {
      ignorees.push_back(cle);
      continue;
    }
    // A text of its own, with the placeholders the code passes.
    ChaineDefauts();
    const std::string texte = "T_" + cle + " " + rs(textes.front());
    {
      std::ofstream f(p, std::ios::binary | std::ios::trunc);
      f << Utf8VersCp1252(cle + "=" + texte) << "\r\n";
    }
    ASSERT_TRUE(ChargerChaines(p.string()));
    for (const std::string& c : textes)
      if (rs(c) != texte) sansEffet.push_back(cle + " -> " + c);
  }
  EXPECT_TRUE(ignorees.empty()) << ignorees.size() << " keys ignored, first " << ignorees.front();
  EXPECT_TRUE(sansEffet.empty()) << sansEffet.size() << " without effect, first " << sansEffet.front();
}

// The dump names a text by its published key, unless that key is another text's own.
TEST(Chaines, TheDumpGivesThePublishedName) {
  EXPECT_EQ(NomDocumente("rsMeProprietesCaption"), "rsMeProprietesFichierCaption");
  EXPECT_EQ(NomDocumente("rsExportFormCBAretes"), "rsCBAretesCaption");
  EXPECT_EQ(NomDocumente("rsBtnOK"), "rsBtnOK");
  // "rsExport" is published for the export buttons' hints, and reaches the export window's
  // caption too: it keeps its own name.
  EXPECT_EQ(NomDocumente("rsExport"), "rsExport");
}

TEST(Chaines, ATranslationWithOtherPlaceholdersIsRefused) {
  GardeChaines garde;
  Temp t;
  fs::path p = t.Dir / "lang_Test.dat";
  {
    std::ofstream f(p, std::ios::binary);
    f << "rsStatusVx=Vx : %d [ %s ]\r\n"  // the values the other way round
      << "rsXVal=X : %s\r\n"              // a string for a real
      << "rsYVal=Y : %.2f m (%d)\r\n"     // one value too many
      << "rsZVal=Z = %-.2f\r\n"           // a smaller precision, a flag
      << "rsErrCompteInvalide=Hors limites (%s) : 100 %%\r\n"
      // A width or a precision the default text does not have: one caption drawn with a
      // hundred million blanks.
      << "rsImprEchec=Echec : %99999999s\r\n"
      << "rsVexrunEntreeEcrite=%.99999999s\r\n"
      << "rsMinX=M = %8.4f\r\n"
      << "rsMaxX=N = %.5f\r\n"
      << "rsMinY=P = %*.4f\r\n";
  }
  ASSERT_TRUE(ChargerChaines(p.string()));
  EXPECT_EQ(rs("rsStatusVx"), "Vx : [ %s; %d; %d ]");
  EXPECT_EQ(rs("rsXVal"), "X=%.4f");
  EXPECT_EQ(rs("rsYVal"), "Y=%.4f");
  EXPECT_EQ(rs("rsZVal"), "Z = %-.2f");
  EXPECT_EQ(Format(rs("rsZVal"), 1.5), "Z = 1.50");
  EXPECT_EQ(Format(rs("rsErrCompteInvalide"), "x"), "Hors limites (x) : 100 %");
  EXPECT_EQ(rs("rsImprEchec"), "L'impression n'a pas pu commencer : %s");
  EXPECT_EQ(rs("rsVexrunEntreeEcrite"), "Fichier d'entrée écrit : %s");
  EXPECT_EQ(rs("rsMinX"), "Min X=%.4f");
  EXPECT_EQ(rs("rsMaxX"), "Max X=%.4f");
  EXPECT_EQ(rs("rsMinY"), "Min Y=%.4f");
  EXPECT_TRUE(ChampsDansDefaut("%5.2f|%s", "%8.4f|%s"));
  EXPECT_TRUE(ChampsDansDefaut("%*d", "%*d"));
  EXPECT_FALSE(ChampsDansDefaut("%*d", "%5d"));
  EXPECT_FALSE(ChampsDansDefaut("%9.2f", "%8.4f"));
}

TEST(Chaines, AFileThatIsNoWindows1252TextIsRefusedWholeAndSaidOnce) {
  GardeChaines garde;
  Temp t;
  fs::path p = t.Dir / "lang_Test.dat";
  const std::string bon = "rsBtnOK=&Ja\r\nrsSelection=S\xE9lection\r\n";
  const struct {
    const char* Cas;
    std::string Octets;
    const char* Raison;
  } cas[] = {
      {"empty", "", "rsLangueVide"},
      {"headings only", "[MainForm]\r\n\r\n", "rsLangueVide"},
      {"cut in a line", bon + "rsBtnAnnuler=&Abbre", "rsLangueTronquee"},
      {"UTF-8", "rsBtnOK=&Ja\r\nrsSelection=S\xC3\xA9lection\r\n", "rsLangueEncodage"},
      {"UTF-8 mark", "\xEF\xBB\xBF" + bon, "rsLangueEncodage"},
      {"UTF-16", std::string("\xFF\xFEr\0s\0B\0t\0n\0O\0K\0=\0J\0\r\0\n\0", 24), "rsLangueEncodage"},
      {"NUL byte", std::string("rsBtnOK=&J\0a\r\n", 14), "rsLangueEncodage"},
      {"byte Windows-1252 leaves out", "rsBtnOK=&Ja\x81\r\n", "rsLangueEncodage"},
  };
  size_t entrees = 0;
  TDebugConfig ancien = DebugConfig();
  DebugConfig().ModeDebug = true;
  DebugConfig().Recepteur = [&](const TDbgEntree&) { entrees++; };
  for (const auto& c : cas) {
    {
      std::ofstream f(p, std::ios::binary | std::ios::trunc);
      f << c.Octets;
    }
    std::string refus;
    entrees = 0;
    EXPECT_FALSE(ChargerChaines(p.string(), &refus)) << c.Cas;
    EXPECT_EQ(rs("rsBtnOK"), "&OK") << c.Cas;
    EXPECT_EQ(rs("rsSelection"), "Sélection") << c.Cas;
    EXPECT_NE(refus.find(p.string()), std::string::npos) << c.Cas << ": " << refus;
    EXPECT_NE(refus.find(rs(c.Raison)), std::string::npos) << c.Cas << ": " << refus;
    EXPECT_EQ(entrees, 1u) << c.Cas;
  }
  DebugConfig() = ancien;
  // The same entries as plain Windows-1252 text are taken; a missing file is said too,
  // for the caller to keep quiet about French.
  {
    std::ofstream f(p, std::ios::binary | std::ios::trunc);
    f << bon;
  }
  std::string refus = "x";
  EXPECT_TRUE(ChargerChaines(p.string(), &refus));
  EXPECT_EQ(refus, "");
  EXPECT_EQ(rs("rsSelection"), "Sélection");
  EXPECT_EQ(rs("rsBtnOK"), "&Ja");
  EXPECT_FALSE(ChargerChaines((t.Dir / "lang_Absent.dat").string(), &refus));
  EXPECT_NE(refus.find(rs("rsLangueAbsente")), std::string::npos) << refus;
  EXPECT_EQ(rs("rsBtnOK"), "&OK");
}

TEST(Chaines, AFormatIsUsedOnlyForTheValuesItTakes) {
  EXPECT_EQ(Format("%d surfaces", 3), "3 surfaces");
  EXPECT_EQ(Format("%.*f", 2, 1.0), "1.00");
  EXPECT_EQ(Format("%s = %ld", "n", 4L), "n = 4");
  // A text whose placeholders do not take the values comes back as it is.
  EXPECT_EQ(Format("%s de %s", 1, 2), "%s de %s");
  EXPECT_EQ(Format("%d", 1.5), "%d");
  EXPECT_EQ(Format("%n"), "%n");
  EXPECT_EQ(Format("100 %%"), "100 %");
  EXPECT_EQ(Format("sans valeur %s"), "sans valeur %s");
  EXPECT_EQ(Placeholders("%-8.3f %5d %%%s %*d"), "fisii");
  EXPECT_EQ(Placeholders("%lu %.4f", true), "lu f ");
}

TEST(Chaines, KeysAreUnique) {
  std::set<std::string> vues;
  for (const auto& d : TableChaines()) EXPECT_TRUE(vues.insert(d.Cle).second) << d.Cle;
}

// The French texts as a French reader expects them: accented capitals, no English left,
// none of the misspellings the screens once showed.
TEST(Chaines, FrenchDefaultsAreSpelledRight) {
  const char* fautes[] = {"symétie", "sufaces", "Mirroir",   "Mozaïque",  "Fenetre ", "Selectionn",
                          "Babord",  "Etat ",   "Epaisseur", "All files", "Profile "};
  for (const auto& d : TableChaines())
    for (const char* f : fautes)
      EXPECT_EQ(std::string(d.Defaut).find(f), std::string::npos) << d.Cle << ": " << d.Defaut;
}

TEST(Encodage, RoundTripAndUnmappable) {
  std::string cp = "\xC9t\xE9 \x80 \x9C";
  std::string u = Cp1252VersUtf8(cp);
  EXPECT_EQ(u, "Été € œ");
  EXPECT_EQ(Utf8VersCp1252(u), cp);
  EXPECT_EQ(Utf8VersCp1252("日"), "?");
  EXPECT_EQ(Utf8VersCp1252("\xFF\xFE"), "??");  // malformed UTF-8
  EXPECT_EQ(LongueurUtf8("Été"), 3u);
  EXPECT_EQ(TronqueUtf8("Étéà", 2), "Ét");
}

TEST(Services, DefaultAnswerIsTheFirstButton) {
  EXPECT_EQ(ReponseParDefaut(mbYes | mbNo | mbCancel), mrYes);
  EXPECT_EQ(ReponseParDefaut(mbCancel | mbOK), mrOk);
  EXPECT_EQ(ReponseParDefaut(0), mrNone);
  int n = 0;
  GardeServices garde;
  Services().CurseurAttente = [&](bool on) { n += on ? 1 : -10; };
  try {
    TCurseurAttente c;
    throw 1;
  } catch (int) {
  }
  EXPECT_EQ(n, -9);
}

}  // namespace
