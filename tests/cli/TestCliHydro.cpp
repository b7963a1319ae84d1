// brivane-cli hydro: the whole table for a sample, JSON rows and the curve, refusals.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

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
