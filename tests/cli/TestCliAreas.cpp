// brivane-cli areas: the balance of the dinghy sample in one line, and JSON that
// agrees with the text.
#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>

#include "cli/CliAide.h"

namespace {

const std::string Deriveur = std::string(BRIVANE_SAMPLES) + "/Deriveur42.kvb";

TEST(CliAreas, DinghyLeadInOneLineAndJson) {
  ResultatCli j = LanceCli("areas " + Deriveur + " --json");
  ASSERT_EQ(j.Code, 0);
  auto js = nlohmann::json::parse(j.Sortie);
  ASSERT_EQ(js["areas"].size(), 3u);
  ASSERT_EQ(js["sails"].size(), 1u);
  EXPECT_EQ(js["sails"][0]["name"], "Grand-voile");
  const double cv = js["centre_of_effort"]["y"], lat = js["lateral_centre"]["y"];
  ASSERT_TRUE(js["lead"].is_number());
  EXPECT_NEAR(js["lead"].get<double>(), cv - lat, 1e-6);
  EXPECT_GT(js["lateral_centre"]["area"].get<double>(), 0);
  EXPECT_LT(js["lateral_centre"]["z"].get<double>(), 0);
  double immerge = 0;
  for (const auto& a : js["areas"]) immerge += a["immersed"].get<double>();
  EXPECT_NEAR(js["areas_total"]["immersed"].get<double>(), immerge, 1e-9);

  ResultatCli t = LanceCli("areas " + Deriveur);
  ASSERT_EQ(t.Code, 0);
  char ligne[128];
  std::snprintf(ligne, sizeof ligne, "= %.3f m\n", js["lead"].get<double>());
  const size_t p = t.Sortie.find("Lead: centre of effort Y ");
  ASSERT_NE(p, std::string::npos);
  EXPECT_NE(t.Sortie.find(ligne, p), std::string::npos) << t.Sortie;
  for (const char* l : {"Calcul des aires", "Surface immergée", "Surface de voilure", "Aire totale"})
    EXPECT_NE(t.Sortie.find(l), std::string::npos) << l;
}

TEST(CliAreas, ADesignWithoutSailHasNoLead) {
  ResultatCli j = LanceCli("areas " + std::string(BRIVANE_SAMPLES) + "/Vedette85.kvb --json");
  ASSERT_EQ(j.Code, 0);
  auto js = nlohmann::json::parse(j.Sortie);
  EXPECT_TRUE(js["sails"].empty());
  EXPECT_EQ(js["centre_of_effort"]["area"], 0.0);
  EXPECT_TRUE(js["lead"].is_null());
  ResultatCli t = LanceCli("areas " + std::string(BRIVANE_SAMPLES) + "/Vedette85.kvb");
  EXPECT_NE(t.Sortie.find("Lead: none (no sail area)"), std::string::npos);
  EXPECT_EQ(LanceCli("areas /nonexistent/x.kvb").Code, 2);
}

}  // namespace

// The areas follow the evaluation's precision: a coarse grid cuts the curved hull short,
// and the grids converge as they get finer.
TEST(CliAreas, PrecisionIsAnOption) {
  auto total = [](int n) {
    ResultatCli r = LanceCli("areas " + Deriveur + " --json --precision " + std::to_string(n));
    EXPECT_EQ(r.Code, 0) << n;
    if (r.Code != 0) return 0.0;
    return nlohmann::json::parse(r.Sortie)["areas_total"]["total"].get<double>();
  };
  const double a2 = total(2), a60 = total(60), a120 = total(120);
  ASSERT_GT(a120, 0);
  EXPECT_LT(std::fabs(a120 - a60), std::fabs(a120 - a2) / 10);
  EXPECT_NE(a2, a60);
  EXPECT_NE(LanceCli("areas " + Deriveur + " --precision 0").Code, 0);
}
