// brivane-cli hydro: the whole table for a sample, JSON rows and the curve, refusals.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/CliAide.h"

namespace {

const std::string Voilier = std::string(BRIVANE_SAMPLES) + "/Voilier11.kvb";

TEST(CliHydro, SampleTableAndJson) {
  ResultatCli t = LanceCli("hydro " + Voilier + " --precision 20");
  ASSERT_EQ(t.Code, 0);
  for (const char* l : {"Brivane - Calculs hydrostatiques", "Carène immergée\t", "Volume immergé [m3]\t",
                        "Coef. de bloc\t", "Flottaison\t", "Maître couple\t", "Centre latéral anti-dérive\t",
                        "Stabilité initiale\t", "BMt [m]\t", "GMt [m]\t"})
    EXPECT_NE(t.Sortie.find(l), std::string::npos) << l;
  ResultatCli j = LanceCli("hydro " + Voilier + " --precision 20 --json --curve");
  ASSERT_EQ(j.Code, 0);
  auto js = nlohmann::json::parse(j.Sortie);
  // 7 + 1 + 4 + 7 + 5 + 3 rows under the six headings, then 11 of initial stability and, the
  // sample having weights, GMt and GMl.
  ASSERT_EQ(js["rows"].size(), 40u);
  EXPECT_EQ(js["rows"][27]["group"], "Stabilité initiale");
  EXPECT_EQ(js["rows"][0]["label"], "Volume immergé [m3]");
  const double v = js["rows"][0]["value"];
  EXPECT_GT(v, 3);  // an 11 m sloop displaces a few tonnes
  EXPECT_LT(v, 15);
  EXPECT_NEAR(js["rows"][1]["value"].get<double>(), v * 1000, 1e-6);
  ASSERT_GE(js["curve"].size(), 3u);
  EXPECT_EQ(js["curve"][0][1], 0.0);
  EXPECT_EQ(js["curve"].back()[1], 0.0);
}

TEST(CliHydro, Refusals) {
  EXPECT_EQ(LanceCli("hydro /nonexistent.kvb").Code, 2);
  EXPECT_EQ(LanceCli("hydro " + Voilier + " --surfaces Absente").Code, 2);
  EXPECT_EQ(LanceCli("hydro " + Voilier + " --sections 2").Code, 2);
}

}  // namespace

namespace {

// A sample changed as a damaged or hostile file would be, written where the test can run on it.
struct FichierModifie {
  std::string Chemin;
  FichierModifie(const std::string& nom, const std::string& texte) {
    Chemin = ::testing::TempDir() + nom;
    std::ofstream(Chemin, std::ios::binary) << texte;
  }
  ~FichierModifie() { std::remove(Chemin.c_str()); }
};

std::string Lit(const std::string& chemin) {
  std::ifstream in(chemin, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Remplace(std::string t, const std::string& a, const std::string& b) {
  size_t k = t.find(a);
  EXPECT_NE(k, std::string::npos) << a;
  if (k != std::string::npos) t.replace(k, a.size(), b);
  return t;
}

bool ContientNonNombre(const std::string& s) {
  for (const char* m : {"nan", "inf", "NaN", "Inf"})
    if (s.find(m) != std::string::npos) return true;
  return false;
}

const std::string Deriveur = std::string(BRIVANE_SAMPLES) + "/Deriveur42.kvb";

TEST(CliNombres, ValuesBeyondTheBoundsOfABoatAreRefusedByName) {
  const std::string t = Lit(Deriveur);
  FichierModifie loin("loin.kvb",
                      Remplace(t, "0.0000;0.6583;-0.1191;1.0000;", "0.0000;1e150;-0.1191;1.0000;"));
  ResultatCli r = LanceCli("hydro " + loin.Chemin, true);
  EXPECT_NE(r.Code, 0);
  EXPECT_NE(r.Sortie.find("V_0_1 = 1e+150"), std::string::npos) << r.Sortie;
  EXPECT_NE(r.Sortie.find("100000 m"), std::string::npos) << r.Sortie;
  EXPECT_FALSE(ContientNonNombre(r.Sortie)) << r.Sortie;
  FichierModifie epais("epais.kvb", Remplace(t, "[Epaisseur]\r\n0.0060", "[Epaisseur]\r\n1e308"));
  r = LanceCli("weights " + epais.Chemin, true);
  EXPECT_NE(r.Code, 0);
  EXPECT_NE(r.Sortie.find("Epaisseur = 1e+308"), std::string::npos) << r.Sortie;
  EXPECT_FALSE(ContientNonNombre(r.Sortie)) << r.Sortie;
  // Just inside the bounds the file still reads.
  FichierModifie pres("pres.kvb",
                      Remplace(t, "0.0000;0.6583;-0.1191;1.0000;", "0.0000;99999;-0.1191;1.0000;"));
  EXPECT_EQ(LanceCli("info " + pres.Chemin).Code, 0);
}

TEST(CliNombres, AHullAboveTheWaterHasNoGM) {
  // Every vertex 50 m up: nothing immersed.
  std::string t = Lit(Deriveur), haut;
  std::istringstream in(t);
  std::string l;
  bool sommet = false;
  while (std::getline(in, l)) {
    if (sommet) {
      // X;Y;Z;W; with Z raised.
      size_t a = l.find(';'), b = l.find(';', a + 1), c = l.find(';', b + 1);
      l = l.substr(0, b + 1) + std::to_string(std::stod(l.substr(b + 1, c - b - 1)) + 50) + l.substr(c);
    }
    sommet = l.rfind("[V_", 0) == 0;
    haut += l + "\n";
  }
  FichierModifie f("haut.kvb", haut);
  ResultatCli r = LanceCli("hydro " + f.Chemin, true);
  ASSERT_EQ(r.Code, 0) << r.Sortie;
  EXPECT_NE(r.Sortie.find("Volume immergé [m3]\t0.0000"), std::string::npos) << r.Sortie;
  EXPECT_EQ(r.Sortie.find("GMt [m]"), std::string::npos) << r.Sortie;
  EXPECT_NE(r.Sortie.find("hors de l'eau"), std::string::npos) << r.Sortie;
}

TEST(CliNombres, ATotalWeightWithNoCentreOfGravityIsSaidAndNotUsed) {
  const std::string t = Lit(Deriveur);
  ResultatCli j = LanceCli("weights --json " + Deriveur);
  ASSERT_EQ(j.Code, 0);
  const double total = nlohmann::json::parse(j.Sortie)["total"]["mass"].get<double>();
  ASSERT_GT(total, 200);
  // The helmsman's mass chosen to cancel the rest: almost nothing left, or less than nothing.
  const struct {
    const char* Cas;
    double Reste;
    const char* Message;
  } cas[] = {{"almost nil", 1e-4, "presque nul"}, {"negative", -10, "négatif"}};
  for (const auto& c : cas) {
    char masse[64];
    std::snprintf(masse, sizeof masse, "%.4f", 80 - total + c.Reste);
    FichierModifie f("poids.kvb", Remplace(t, "Barreur;80.0000;", std::string("Barreur;") + masse + ";"));
    ResultatCli s = LanceCli("stab " + f.Chemin + " --max 30 --step 10", true);
    EXPECT_EQ(s.Code, 2) << c.Cas << ": " << s.Sortie;
    EXPECT_NE(s.Sortie.find(c.Message), std::string::npos) << c.Cas << ": " << s.Sortie;
    EXPECT_EQ(s.Sortie.find("Poids manquant"), std::string::npos) << c.Cas << ": " << s.Sortie;
    ResultatCli h = LanceCli("hydro " + f.Chemin, true);
    EXPECT_EQ(h.Code, 0) << c.Cas;
    EXPECT_EQ(h.Sortie.find("GMt [m]"), std::string::npos) << c.Cas << ": " << h.Sortie;
    EXPECT_NE(h.Sortie.find(c.Message), std::string::npos) << c.Cas << ": " << h.Sortie;
    ResultatCli w = LanceCli("weights --json " + f.Chemin);
    ASSERT_EQ(w.Code, 0) << c.Cas;
    auto js = nlohmann::json::parse(w.Sortie);
    EXPECT_TRUE(js["total"]["y"].is_null()) << c.Cas << ": " << js["total"].dump();
  }
}

// Vertex weights are not positive: the shape has no volume to sign, so no calculation
// gives a number, and each says which vertex is at fault.
TEST(CliNombres, VertexWeightsThatAreNotPositiveGiveNoResult) {
  const std::string t = Lit(Deriveur);
  // Every weight of every surface set to 0, line by line.
  std::string nuls;
  {
    std::istringstream in(t);
    std::string l;
    bool sommet = false;
    while (std::getline(in, l)) {
      if (sommet) {
        size_t c = 0;
        for (int k = 0; k < 3; k++) c = l.find(';', c) + 1;
        l = l.substr(0, c) + "0.0000;\r";
      }
      sommet = l.rfind("[V_", 0) == 0;
      nuls += l + "\n";
    }
  }
  const struct {
    const char* Cas;
    std::string Texte;
    const char* Sommet;
  } cas[] = {{"mixed signs", Remplace(t, "0.0000;0.6583;-0.1191;1.0000;", "0.0000;0.6583;-0.1191;-1.0000;"),
              "V_0_1 = -1"},
             {"all zero", nuls, "V_0_0 = 0"}};
  for (const auto& c : cas) {
    FichierModifie f("poidsnurbs.kvb", c.Texte);
    for (const std::string cmd :
         {"hydro ", "stab --max 30 --step 10 ", "kn --heels 0:30:10 --displacements 300 ", "float "}) {
      ResultatCli r = LanceCli(cmd + f.Chemin, true);
      EXPECT_NE(r.Code, 0) << c.Cas << ", " << cmd << ": " << r.Sortie;
      EXPECT_NE(r.Sortie.find("poids de vertex"), std::string::npos)
          << c.Cas << ", " << cmd << ": " << r.Sortie;
      EXPECT_NE(r.Sortie.find(c.Sommet), std::string::npos) << c.Cas << ", " << cmd << ": " << r.Sortie;
      EXPECT_EQ(r.Sortie.find("GMt"), std::string::npos) << c.Cas << ", " << cmd << ": " << r.Sortie;
      EXPECT_FALSE(ContientNonNombre(r.Sortie)) << c.Cas << ", " << cmd << ": " << r.Sortie;
    }
  }
}
}  // namespace

// One language for the run: "--lang" by name or file, anywhere on the line, else the window
// program's stored language, else French; a name no file has is refused.
TEST(CliLangue, TheMessagesOfARunAreInOneLanguage) {
  const std::string cmd = "hydro " + Voilier + " --precision 10";
  const ResultatCli fr = LanceCli(cmd);
  ASSERT_EQ(fr.Code, 0);
  EXPECT_NE(fr.Sortie.find("Brivane - Calculs hydrostatiques"), std::string::npos);
  EXPECT_NE(fr.Sortie.find("Volume immergé [m3]"), std::string::npos);
  auto anglais = [](const ResultatCli& r) {
    EXPECT_EQ(r.Code, 0);
    EXPECT_NE(r.Sortie.find("Brivane - Hydrostatics\n"), std::string::npos) << r.Sortie;
    EXPECT_NE(r.Sortie.find("Immersed volume [m3]"), std::string::npos) << r.Sortie;
    EXPECT_EQ(r.Sortie.find("immergé"), std::string::npos);
  };
  anglais(LanceCli("--lang English " + cmd));
  anglais(LanceCli(cmd + " --lang=English"));
  anglais(LanceCli(cmd + " --lang " + BRIVANE_SAMPLES + "/../lang/lang_English.dat"));
  // The interface's language, as the window program keeps it.
  const std::string ini = ::testing::TempDir() + "/brivane_cli_langue.ini";
  {
    std::ofstream f(ini);
    f << "[Environement]\nLanguage=English\n";
  }
  const char* avant = std::getenv("BRIVANE_SETTINGS");
  const std::string garde = avant ? avant : "";
  ::setenv("BRIVANE_SETTINGS", ini.c_str(), 1);
  anglais(LanceCli(cmd));
  ::setenv("BRIVANE_SETTINGS", garde.c_str(), 1);
  if (!avant) ::unsetenv("BRIVANE_SETTINGS");
  const ResultatCli k = LanceCli("--lang Klingon " + cmd, true);
  EXPECT_EQ(k.Code, 2);
  EXPECT_NE(k.Sortie.find("lang_Klingon.dat"), std::string::npos) << k.Sortie;
}
