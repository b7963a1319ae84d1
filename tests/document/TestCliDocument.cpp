// The command line on documents: "info" lists the samples, "convert" upgrades
// an older file, and a hostile file ends in the program's message and status 2.
#include <cstdio>
#include <nlohmann/json.hpp>

#include "Outils.h"

namespace {

struct TSortie {
  int Statut;
  std::string Texte;
};

TSortie Lance(const std::string& args) {
  std::string cmd = std::string(BRIVANE_CLI) + " " + args + " 2>&1";
  TSortie r{-1, {}};
  FILE* p = ::popen(cmd.c_str(), "r");
  if (!p) return r;
  char b[4096];
  size_t n;
  while ((n = std::fread(b, 1, sizeof b, p)) > 0) r.Texte.append(b, n);
  int s = ::pclose(p);
  r.Statut = WIFEXITED(s) ? WEXITSTATUS(s) : -1;
  return r;
}

class CliDocument : public TestAvecMessages {};

TEST_F(CliDocument, InfoListsTheSamples) {
  TSortie s = Lance(std::string("info --json ") + BRIVANE_SAMPLES + "/Voilier11.kvb");
  ASSERT_EQ(s.Statut, 0) << s.Texte;
  auto j = nlohmann::json::parse(s.Texte);
  ASSERT_EQ(j["surfaces"].size(), 4u);
  EXPECT_EQ(j["surfaces"][0]["name"], "Coque");
  EXPECT_EQ(j["surfaces"][1]["name"], "Quille");
  EXPECT_EQ(j["surfaces"][3]["rows"], 3);
  EXPECT_NEAR(j["extents"]["zmin"].get<double>(), -1.92, 0.01);
  for (const char* f : {"Vedette85.kvb", "Deriveur42.kvb"}) {
    TSortie t = Lance(std::string("info ") + BRIVANE_SAMPLES + "/" + f);
    EXPECT_EQ(t.Statut, 0) << t.Texte;
    EXPECT_NE(t.Texte.find("SNURBS"), std::string::npos);
  }
}

TEST_F(CliDocument, ConvertUpgradesAnOlderFile) {
  const std::string a = Chemin("a.kvb"), b = Chemin("b.kvb");
  TSortie s = Lance("convert " + std::string(BRIVANE_TEST_DATA) + "/doc_v105.kvb " + a);
  ASSERT_EQ(s.Statut, 0) << s.Texte;
  EXPECT_NE(LitFichier(a).find("[Version]\r\n1.10\r\n"), std::string::npos);
  ASSERT_EQ(Lance("convert " + a + " " + b).Statut, 0);
  EXPECT_EQ(LitFichier(a), LitFichier(b));
}

TEST_F(CliDocument, HostileFileIsRefusedWithTheProgramsMessage) {
  const std::string f = Chemin("mauvais.kvb");
  EcritFichier(f, Lignes({"[SURF0]", "[NbL]", "40", "[NbC]", "2", "[END]"}));
  TSortie s = Lance("info " + f);
  EXPECT_EQ(s.Statut, 2);
  EXPECT_NE(s.Texte.find("NbL hors limites"), std::string::npos) << s.Texte;
  TSortie t = Lance("convert " + f + " " + Chemin("sortie.kvb"));
  EXPECT_EQ(t.Statut, 2);
  EXPECT_FALSE(std::filesystem::exists(Chemin("sortie.kvb")));
}

}  // namespace
