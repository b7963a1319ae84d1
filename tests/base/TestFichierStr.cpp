// The tagged line file: section index, keyed reads that never stray out of
// their section, conversions independent of the locale, writers and the safe write.
#include <sys/resource.h>

#include <clocale>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "document/Outils.h"

namespace {

class FichierStr : public TestAvecMessages {};

TEST_F(FichierStr, IndexOfSections) {
  TfichierStr f;
  ASSERT_TRUE(f.ChargerTexte(Lignes(
      {"[HEADER]", "[END]",  "",        "[SURF0]", "[Nom]",    "A",       "[END]",      "[SURF0]", "[Nom]",
       "B",        "[END]",  "[Surf1]", "[Nom]",   "C",        "[END]",   "  [SOUDES]", "[NbGp]",  "0",
       "[end]",    "[VUES]", "[Se]",    "1;2;3;",  "[GRILLE]", "[NumSc]", "5"})));
  int p = 0, n = 0;
  // A header directly closed holds nothing.
  EXPECT_FALSE(f.ChercherSection("HEADER", p, n));
  // Only the first of two sections of one name; the name test ignores case.
  ASSERT_TRUE(f.ChercherSection("surf0", p, n));
  EXPECT_EQ(f.LireChaine("Nom", "", p, n), "A");
  // The prefix test has case: [Surf1] opens nothing.
  EXPECT_FALSE(f.ChercherSection("SURF1", p, n));
  // Leading blanks before a header, a lower-case end marker.
  ASSERT_TRUE(f.ChercherSection("SOUDES", p, n));
  EXPECT_EQ(f.LireEntier("NbGp", -1, p, n), 0);
  // No "[END]": VUES runs to the last line and the GRILLE header inside it is not indexed.
  ASSERT_TRUE(f.ChercherSection("VUES", p, n));
  EXPECT_EQ(p + n, f.NbLignes() + 1);
  EXPECT_FALSE(f.ChercherSection("GRILLE", p, n));
}

TEST_F(FichierStr, LineEndsOfEveryKind) {
  TfichierStr f;
  ASSERT_TRUE(f.ChargerTexte("a\r\nb\nc\rd"));
  ASSERT_EQ(f.NbLignes(), 4);
  EXPECT_EQ(f.Ligne(2), "c");
  EXPECT_EQ(f.Ligne(3), "d");
  EXPECT_EQ(f.Texte(), "a\r\nb\r\nc\r\nd\r\n");
  ASSERT_TRUE(f.ChargerTexte("\r\n\r\n"));
  EXPECT_EQ(f.NbLignes(), 2);
}

TEST_F(FichierStr, ReadsStayWithinTheKeysOwnSection) {
  TfichierStr f;
  ASSERT_TRUE(f.ChargerTexte(Lignes({"[SURF0]", "[Nom]", "A", "[Visible]", "[Verrou]", "1", "[Coul]", "[END]",
                                     "", "[SURF1]", "[Coul]", "255", "[Nom]", "B", "[Fin]"})));
  int p0, n0, p1, n1;
  ASSERT_TRUE(f.ChercherSection("SURF0", p0, n0));
  ASSERT_TRUE(f.ChercherSection("SURF1", p1, n1));
  // A key without its value line never takes the next key's value.
  EXPECT_TRUE(f.LireBooleen("Visible", true, p0, n0));
  EXPECT_EQ(f.DerniereValeur(), "1");  // the default text
  EXPECT_TRUE(f.LireBooleen("Verrou", false, p0, n0));
  // The last key of a section never reads across "[END]" into the next section.
  EXPECT_EQ(f.LireEntier("Coul", -1, p0, n0), -1);
  // Keys of another section are not found, whatever the cursor.
  EXPECT_EQ(f.LireChaine("Nom", "?", p1, n1), "B");
  EXPECT_EQ(f.LireChaine("Verrou", "?", p1, n1), "?");
  // A key on the last line of a file without "[END]" has no value and reads nothing past the end.
  EXPECT_EQ(f.LireChaine("Fin", "def", p1, n1), "def");
  // Keys out of order are found by the search; case is ignored.
  EXPECT_EQ(f.LireEntier("COUL", -1, p1, n1), 255);
  EXPECT_EQ(f.LireChaine("nom", "?", p0, n0), "A");
}

TEST_F(FichierStr, TypedReadsFallBackToTheirDefault) {
  TfichierStr f;
  ASSERT_TRUE(f.ChargerTexte(
      Lignes({"[MAIN]", "[B]", "yes",   "[E]", "7.5",  "[R]", "-2.5e1", "[N]", "nan", "[I]",
              "inf",    "[G]", "1e999", "[H]", "0x10", "[S]", " 12 ",   "[V]", "1,5", "[END]"})));
  int p, n;
  ASSERT_TRUE(f.ChercherSection("MAIN", p, n));
  EXPECT_TRUE(f.LireBooleen("B", true, p, n));
  EXPECT_EQ(f.LireEntier("E", 7, p, n), 7);
  EXPECT_DOUBLE_EQ(f.LireReel("R", 0, p, n), -25.0);
  // Non-finite numbers are never taken.
  EXPECT_EQ(f.LireReel("N", 3, p, n), 3);
  EXPECT_EQ(f.LireReel("I", 3, p, n), 3);
  EXPECT_EQ(f.LireReel("G", 3, p, n), 3);
  EXPECT_EQ(f.LireReel("H", 3, p, n), 3);
  EXPECT_EQ(f.LireEntier("S", 0, p, n), 12);
  EXPECT_EQ(f.LireReel("V", 4, p, n), 4);  // a comma is no decimal separator
  // A missing key gives its default as written: rounded to four decimals.
  EXPECT_EQ(f.LireReel("Absent", 1.0, p, n), 1.0);
  EXPECT_EQ(f.LireReel("Absent", 1.23456, p, n), 1.2346);
  EXPECT_EQ(f.DerniereValeur(), "1.2346");
  f.VirgulesEnPoints();
  EXPECT_EQ(f.LireReel("V", 4, p, n), 1.5);
}

TEST_F(FichierStr, WritersAndTheirText) {
  TfichierStr f;
  f.EcrireSection("MAIN");
  f.EcrireChaine("Vide", "");
  f.EcrireChaine("Titre", "Yacht");
  f.EcrireEntier("N", -12);
  f.EcrireReel("R", 2.0 / 3.0);
  f.EcrireReel("Neg", -0.00004);
  f.EcrireReel("Big", 1e15 + 0.5);
  f.EcrireReel("NaN", std::nan(""));
  f.EcrireBooleen("B", true);
  f.EcrireFin();
  EXPECT_EQ(f.Texte(),
            Lignes({"[MAIN]", "[Titre]", "Yacht", "[N]", "-12", "[R]", "0.6667", "[Neg]", "-0.0000", "[Big]",
                    "1000000000000000.5000", "[NaN]", "0", "[B]", "1", "[END]", ""}));
  EXPECT_EQ(f.NbNonFinis, 1);
  // A value that would break the file is made harmless at the last step.
  TfichierStr h;
  h.EcrireChaine("K", " [x\r\ny");
  EXPECT_EQ(h.Texte(), Lignes({"[K]", " (x  y"}));
  // The empty value wrote nothing: a read gets the default.
  TfichierStr g;
  ASSERT_TRUE(g.ChargerTexte(f.Texte()));
  int p, n;
  ASSERT_TRUE(g.ChercherSection("MAIN", p, n));
  EXPECT_EQ(g.LireChaine("Vide", "defaut", p, n), "defaut");
  EXPECT_EQ(g.LireChaine("Titre", "", p, n), "Yacht");
}

// Formatting and reading numbers must not follow the process locale.
TEST_F(FichierStr, NumbersIgnoreAFrenchLocale) {
  std::string ancien = std::setlocale(LC_NUMERIC, nullptr);
  if (!std::setlocale(LC_NUMERIC, "fr_FR.UTF-8")) GTEST_SKIP() << "fr_FR.UTF-8 locale not installed";
  char b[32];
  std::snprintf(b, sizeof b, "%.4f", 1.5);
  EXPECT_STREQ(b, "1,5000");  // the locale is really in force
  EXPECT_EQ(TexteReel4(1.5), "1.5000");
  EXPECT_EQ(TexteReel4(-1234.56789), "-1234.5679");
  double v = 0;
  EXPECT_TRUE(LitReel("1.25", v));
  EXPECT_EQ(v, 1.25);
  EXPECT_FALSE(LitReel("1,25", v));
  TfichierStr f;
  f.EcrireReel("R", 0.1);
  EXPECT_EQ(f.Ligne(1), "0.1000");
  std::setlocale(LC_NUMERIC, ancien.c_str());
}

// The writer's own "%.4f" must agree with printf everywhere, halfway cases included.
TEST_F(FichierStr, RealsFormatLikePrintf) {
  uint64_t x = 88172645463325252ull;  // xorshift: the same values on every run
  auto suivant = [&x] {
    x ^= x << 13, x ^= x >> 7, x ^= x << 17;
    return x;
  };
  std::vector<double> v = {
      0.0,  -0.0,  0.00005, -0.00005, 0.00015, 1.00005, 2.5e-5, 0.12345, 1e11 + 0.00005, 123456789012.34567,
      1e12, -1e15, 1e300,   5e-324,   0.1,     0.7,     1.0 / 3};
  for (int i = 0; i < 200000; i++) {
    double m = static_cast<double>(suivant() % 2000000001) - 1e9;
    v.push_back(m / std::pow(10.0, static_cast<double>(suivant() % 10)));  // decimals near the ties
    v.push_back(std::ldexp(static_cast<double>(suivant() >> 11), static_cast<int>(suivant() % 80) - 90));
  }
  char b[400];
  int ecarts = 0;
  for (double d : v) {
    std::snprintf(b, sizeof b, "%.4f", d);
    if (TexteReel4(d) != b && ecarts++ < 5) ADD_FAILURE() << b << " written " << TexteReel4(d);
    // And reading any decimal text gives the correctly rounded value, as strtod does.
    std::snprintf(b, sizeof b, "%.*f", static_cast<int>(suivant() % 18), d);
    double lu = 0;
    if ((!LitReel(b, lu) || lu != std::strtod(b, nullptr)) && ecarts++ < 5)
      ADD_FAILURE() << b << " read " << lu;
  }
  EXPECT_EQ(ecarts, 0);
}

TEST_F(FichierStr, TextHelpers) {
  std::string reste = "a;b";
  EXPECT_EQ(Decouper(";", reste), "a");
  EXPECT_EQ(reste, "b");
  EXPECT_EQ(Decouper(";", reste), "");
  EXPECT_EQ(reste, "b");
  reste = "x¤y¤";
  EXPECT_EQ(DecouperInclus("¤", reste), "x¤");
  EXPECT_EQ(reste, "y¤");
  EXPECT_EQ(CompterOccurrences(";;", "a;;;;b;;"), 3);
  EXPECT_EQ(TexteApres("=", "cle=valeur=x"), "valeur=x");
  EXPECT_EQ(TexteApres("#", "abc"), "");
  EXPECT_TRUE(CommencePar("[surf", "[SURF0]"));
  EXPECT_FALSE(CommencePar("[SURF0]x", "[SURF0]"));
  EXPECT_EQ(RemplacerCar("1,5;2,5", ',', '.'), "1.5;2.5");
  EXPECT_EQ(CompleterDroite(".", "ab", 5), "ab...");
  EXPECT_EQ(CompleterGauche("0", "42", 5), "00042");
  EXPECT_EQ(CompleterGauche("0", "123456", 5), "123456");
  EXPECT_TRUE(ValeurSure("  x"));
  EXPECT_FALSE(ValeurSure(" [SURF0]"));
  EXPECT_FALSE(ValeurSure("a\rb"));
}

TEST_F(FichierStr, SizeLimitsRefuseHugeInput) {
  TfichierStr f;
  std::string err;
  EXPECT_FALSE(f.ChargerTexte(std::string(MaxTailleDocument + 1, 'x'), &err));
  EXPECT_FALSE(err.empty());
  EXPECT_FALSE(f.ChargerTexte(std::string(MaxLignesDocument + 2, '\n'), &err));
  EXPECT_EQ(f.NbLignes(), 0);
}

TEST_F(FichierStr, MissingFileIsReported) {
  TfichierStr f;
  EXPECT_FALSE(f.Charger(Chemin("absent.kvb")));
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_EQ(Messages[0], "Fichier " + Chemin("absent.kvb") + " inexistant");
  EXPECT_FALSE(f.Charger(Dossier.string()));  // a folder is no file
  // A caller that takes the message is the one to say it.
  Messages.clear();
  std::string err;
  EXPECT_FALSE(f.Charger(Chemin("absent.kvb"), &err));
  EXPECT_EQ(err, "Fichier " + Chemin("absent.kvb") + " inexistant");
  EXPECT_TRUE(Messages.empty());
}

TEST_F(FichierStr, SaveReplacesAtomicallyAndKeepsPermissions) {
  const std::string cible = Chemin("doc.kvb");
  EcritFichier(cible, "ancien\r\n");
  std::filesystem::permissions(cible, std::filesystem::perms(0640));
  TfichierStr f;
  f.EcrireSection("HEADER");
  ASSERT_TRUE(f.Enregistrer(cible));
  EXPECT_EQ(LitFichier(cible), "[HEADER]\r\n");
  EXPECT_EQ(std::filesystem::status(cible).permissions() & std::filesystem::perms::all,
            std::filesystem::perms(0640));
  // Over a folder the rename fails: the folder stays, no temporary file is left.
  std::filesystem::create_directory(Chemin("dossier.kvb"));
  std::string err;
  EXPECT_FALSE(f.Enregistrer(Chemin("dossier.kvb"), &err));
  EXPECT_FALSE(err.empty());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Dossier), {}), 2);
  EXPECT_FALSE(f.Enregistrer(Chemin("pas/de/dossier.kvb"), &err));
}

// A disk that fills up mid-write: the previous file must survive whole.
TEST_F(FichierStr, FailedWriteLeavesThePreviousFile) {
  const std::string cible = Chemin("doc.kvb");
  const std::string ancien = Lignes({"[HEADER]", "[Version]", "1.10", "[END]"});
  EcritFichier(cible, ancien);
  TfichierStr f;
  for (int i = 0; i < 2000; i++) f.EcrireReel("R" + std::to_string(i), i);
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit ancienne{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &ancienne), 0);
  rlimit petite = ancienne;
  petite.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &petite), 0);
  std::string err;
  bool ok = f.Enregistrer(cible, &err);
  setrlimit(RLIMIT_FSIZE, &ancienne);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(ok);
  EXPECT_FALSE(err.empty());
  EXPECT_EQ(LitFichier(cible), ancien);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Dossier), {}), 1);
}

}  // namespace
