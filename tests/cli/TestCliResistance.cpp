// "resistance" as a script uses it: the motor-boat sample by Savitsky, the sloop by
// Holtrop-Mennen, the 1982 paper's example ship from a parameter file, and the refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <string>

#include "cli/CliAide.h"

namespace {

using json = nlohmann::json;

std::set<std::string> Cles(const json& hors) {
  std::set<std::string> r;
  for (const auto& h : hors) r.insert(h["key"].get<std::string>());
  return r;
}

TEST(CliResistance, VedetteSavitsky) {
  const ResultatCli r = LanceCli("resistance " + std::string(BRIVANE_SAMPLES) +
                                 "/Vedette85.kvb --method savitsky --speeds 5:15:1 --knots --json");
  ASSERT_EQ(r.Code, 0) << r.Sortie;
  const json j = json::parse(r.Sortie);
  for (const char* k :
       {"mass", "lcg", "vcg", "beam", "deadrise", "thrust_angle", "thrust_offset", "rho", "nu"})
    EXPECT_TRUE(j.contains(k)) << k;
  EXPECT_EQ(j["source"], "floating");
  EXPECT_NEAR(j["mass"].get<double>(), 2880.216, 0.01);
  EXPECT_NEAR(j["deadrise"].get<double>(), 17.9, 0.5);
  EXPECT_EQ(j["rho"].get<double>(), 1025);
  ASSERT_EQ(j["speeds"].size(), 11u);
  std::set<std::string> hors;
  for (const auto& s : j["speeds"]) {
    ASSERT_TRUE(s["equilibrium"].get<bool>()) << s.dump();
    const double v = s["speed"].get<double>(), rt = s["total"].get<double>();
    EXPECT_NEAR(v, s["speed_knots"].get<double>() * 1852 / 3600, 1e-9);
    EXPECT_GT(s["trim"].get<double>(), 0);
    EXPECT_GT(rt, 0);
    EXPECT_NEAR(s["power"].get<double>(), rt * v, 1e-6 * rt * v);
    EXPECT_NEAR(rt, s["lift_drag"].get<double>() + s["friction"].get<double>(), 1e-6 * rt);
    for (const auto& k : Cles(s["out_of_range"])) hors.insert(k);
  }
  // At 5 knots Cv = 2.57 / sqrt(9.81 x 2.6) = 0.51: below the method's 0.6.
  EXPECT_EQ(Cles(j["speeds"][0]["out_of_range"]).count("cv"), 1u);
  EXPECT_EQ(Cles(j["speeds"][10]["out_of_range"]).count("cv"), 0u);
}

// The sloop: keel and rudder deepen the draught far beyond a ship's B/T, and 10 knots is
// well past Fn 0.45 on a 9.6 m waterline.
TEST(CliResistance, VoilierHoltropHorsDomaine) {
  const ResultatCli r = LanceCli("resistance " + std::string(BRIVANE_SAMPLES) +
                                 "/Voilier11.kvb --method holtrop --speeds 2:10:2 --knots --json");
  ASSERT_EQ(r.Code, 0) << r.Sortie;
  const json j = json::parse(r.Sortie);
  for (const char* k :
       {"lwl", "bwl", "t_aft", "t_fore", "volume", "lcb", "cp", "cm", "cb", "cwp", "wetted_area",
        "transom_area", "bulb_area", "bulb_height", "stern", "appendages", "rho", "nu"})
    EXPECT_TRUE(j.contains(k)) << k;
  EXPECT_EQ(Cles(j["out_of_range"]).count("b_t"), 1u) << j["out_of_range"].dump();
  const double fn10 = 10 * 1852.0 / 3600 / std::sqrt(9.81 * j["lwl"].get<double>());
  ASSERT_GT(fn10, 0.45);
  EXPECT_EQ(Cles(j["speeds"][4]["out_of_range"]).count("fn"), 1u);
  EXPECT_EQ(Cles(j["speeds"][0]["out_of_range"]).count("fn"), 0u);
}

// The paper's example from a parameter file, and the JSON output fed back as parameters.
TEST(CliResistance, ParametresExplicites) {
  const std::string f = testing::TempDir() + "navire205.json";
  {
    std::ofstream o(f);
    o << R"({"lwl": 205, "bwl": 32, "t_aft": 10, "t_fore": 10, "volume": 37500, "lcb": 0.4925,
            "cp": 0.583316, "cm": 0.98, "cb": 0.571650, "cwp": 0.75, "transom_area": 16,
            "bulb_area": 20, "bulb_height": 4, "stern": "U", "appendages": [{"area": 50, "k2": 1.5}],
            "rho": 1025, "nu": 1.18831e-6})";
  }
  const ResultatCli r =
      LanceCli("resistance --method holtrop --wave 1982 --speeds 25:25:1 --knots --json --params " + f);
  ASSERT_EQ(r.Code, 0) << r.Sortie;
  const json j = json::parse(r.Sortie);
  EXPECT_EQ(j["source"], "params");
  EXPECT_NEAR(j["wetted_area"].get<double>(), 7381.45, 0.05);
  ASSERT_EQ(j["speeds"].size(), 1u);
  const json& s = j["speeds"][0];
  EXPECT_NEAR(s["wave"].get<double>() / 1000, 557.11, 0.3);
  EXPECT_NEAR(s["friction"].get<double>() / 1000, 869.63, 0.1);
  EXPECT_NEAR(s["form_factor"].get<double>(), 1.156, 0.0005);
  EXPECT_TRUE(j["out_of_range"].empty());

  const std::string g = testing::TempDir() + "sortie205.json";
  {
    std::ofstream o(g);
    o << r.Sortie;
  }
  const ResultatCli r2 =
      LanceCli("resistance --method holtrop --wave 1982 --speeds 25:25:1 --knots --json --params " + g);
  ASSERT_EQ(r2.Code, 0);
  EXPECT_EQ(json::parse(r2.Sortie)["speeds"][0]["total"], s["total"]);
  std::remove(f.c_str());
  std::remove(g.c_str());
}

TEST(CliResistance, ZeroNegatifEtCsv) {
  const std::string doc = std::string(BRIVANE_SAMPLES) + "/Vedette85.kvb";
  const ResultatCli z = LanceCli("resistance " + doc + " --method savitsky --speeds 0:2:1 --json");
  ASSERT_EQ(z.Code, 0) << z.Sortie;
  const json j = json::parse(z.Sortie);
  EXPECT_EQ(j["speeds"][0]["total"].get<double>(), 0);
  EXPECT_EQ(j["speeds"][0]["power"].get<double>(), 0);
  const ResultatCli n = LanceCli("resistance " + doc + " --method holtrop --speeds -1:2:1", true);
  EXPECT_EQ(n.Code, 2);
  EXPECT_NE(n.Sortie.find("-1"), std::string::npos) << n.Sortie;
  const ResultatCli m = LanceCli("resistance " + doc + " --method froude --speeds 1:2:1", true);
  EXPECT_EQ(m.Code, 2);
  const std::string csv = testing::TempDir() + "vedette.csv";
  const ResultatCli c =
      LanceCli("resistance " + doc + " --method savitsky --speeds 6:10:2 --knots --csv " + csv);
  ASSERT_EQ(c.Code, 0);
  std::ifstream in(csv);
  std::string entete, ligne;
  std::getline(in, entete);
  EXPECT_NE(entete.find("trim"), std::string::npos);
  EXPECT_NE(entete.find("total [N]"), std::string::npos);
  int n3 = 0;
  while (std::getline(in, ligne))
    if (!ligne.empty() && ligne != "\r") n3++;
  EXPECT_EQ(n3, 3);
  std::remove(csv.c_str());
}

}  // namespace
