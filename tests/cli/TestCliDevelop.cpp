// brivane-cli develop and thickness on the plywood sample: the flat topsides keep the
// lengths of their evaluated edges, and the thickness writes a document that reads back.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "cli/CliAide.h"

namespace {

const std::string Canot = std::string(BRIVANE_SAMPLES) + "/Canot52.kvb";

double Longueur(const nlohmann::json& l, bool plan) {
  double s = 0;
  for (size_t i = 1; i < l.size(); i++) {
    double d = 0;
    for (size_t k = 0; k < (plan ? 2u : 3u); k++)
      d += std::pow(l[i][k].get<double>() - l[i - 1][k].get<double>(), 2);
    s += std::sqrt(d);
  }
  return s;
}

TEST(CliDevelop, TheTopsidesUnrollKeepingTheirEdges) {
  ResultatCli r = LanceCli("develop " + Canot + " --surface Bordé --json");
  ASSERT_EQ(r.Code, 0);
  const auto j = nlohmann::json::parse(r.Sortie);
  EXPECT_EQ(j["pattern"], "Bordé_DEV");
  // The chine and sheer as the program evaluates them, against their flat images.
  ResultatCli p = LanceCli("points " + Canot + " --surface Bordé --json");
  ASSERT_EQ(p.Code, 0);
  const auto g = nlohmann::json::parse(p.Sortie)["surfaces"][0]["points"];
  // Two rows of order 2: the grid's first row is the chine, its last the sheer.
  const nlohmann::json chine = g.front(), livet = g.back();
  ASSERT_EQ(j["edge_a"].size(), chine.size());
  EXPECT_NEAR(Longueur(j["edge_a"], true), Longueur(chine, false), 2e-3);
  EXPECT_NEAR(Longueur(j["edge_b"], true), Longueur(livet, false), 2e-3);
  ASSERT_EQ(j["errors"].size(), chine.size());
  EXPECT_LT(j["max_error"].get<double>(), 0.01);
  // A surface that is not ruled, or not there, is refused with exit status 2.
  EXPECT_EQ(LanceCli("develop " + Canot + " --surface Inconnue").Code, 2);
}

// The pattern at another precision: one point per grid column, and the edges' lengths of
// the grid that the points command gives at the same precision.
TEST(CliDevelop, PrecisionIsAnOption) {
  ResultatCli r = LanceCli("develop " + Canot + " --surface Bordé --json --precision 30");
  ASSERT_EQ(r.Code, 0);
  const auto j = nlohmann::json::parse(r.Sortie);
  ResultatCli p = LanceCli("points " + Canot + " --surface Bordé --json --precision 30");
  ASSERT_EQ(p.Code, 0);
  const auto g = nlohmann::json::parse(p.Sortie)["surfaces"][0]["points"];
  ASSERT_EQ(j["edge_a"].size(), 31u);
  ASSERT_EQ(g.front().size(), 31u);
  EXPECT_NEAR(Longueur(j["edge_a"], true), Longueur(g.front(), false), 2e-3);
  EXPECT_NEAR(Longueur(j["edge_b"], true), Longueur(g.back(), false), 2e-3);
}

TEST(CliThickness, WritesTheDocumentWithTheOffsetAdded) {
  const std::string out = (std::filesystem::temp_directory_path() / "brivane_cli_epaisseur.kvb").string();
  ResultatCli r = LanceCli("thickness " + Canot + " --surface Fond --thickness 0.009 " + out);
  ASSERT_EQ(r.Code, 0);
  EXPECT_NE(r.Sortie.find("\"Fond 3\""), std::string::npos);
  ResultatCli i = LanceCli("info " + out + " --json");
  ASSERT_EQ(i.Code, 0);
  const auto j = nlohmann::json::parse(i.Sortie);
  ASSERT_EQ(j["surfaces"].size(), 3u);
  EXPECT_EQ(j["surfaces"][2]["name"], "Fond 3");
  EXPECT_EQ(LanceCli("thickness " + Canot + " --surface Fond --thickness abc " + out).Code, 2);
  std::filesystem::remove(out);
}

}  // namespace
