// brivane-cli hydro --table, kn and stab --criteria: text, JSON and CSV on the
// sloop and on a box barge whose answers are known, and the refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/CliAide.h"

namespace {

const std::string Voilier = std::string(BRIVANE_SAMPLES) + "/Voilier11.kvb";

std::vector<std::vector<std::string>> LitCsv(const std::string& texte) {
  std::vector<std::vector<std::string>> r;
  std::stringstream ss(texte);
  std::string ligne;
  while (std::getline(ss, ligne)) {
    std::vector<std::string> cellules;
    std::stringstream sl(ligne);
    std::string c;
    while (std::getline(sl, c, ',')) cellules.push_back(c);
    r.push_back(cellules);
  }
  return r;
}

TEST(CliTables, HydroTableOfTheSloopAsTextJsonAndCsv) {
  ResultatCli t = LanceCli("hydro " + Voilier + " --precision 10 --table -0.2:0.2:3");
  ASSERT_EQ(t.Code, 0);
  EXPECT_NE(t.Sortie.find("Table hydrostatique"), std::string::npos);
  EXPECT_NE(t.Sortie.find("BMt [m]"), std::string::npos);
  ResultatCli j = LanceCli("hydro " + Voilier + " --precision 10 --table -0.2:0.2:3 --json");
  ASSERT_EQ(j.Code, 0);
  auto js = nlohmann::json::parse(j.Sortie);
  ASSERT_EQ(js["rows"].size(), 3u);
  // Deeper waterlines hold more water; the middle one is the document's own floating state.
  const double v0 = js["rows"][0]["Volume [m3]"], v1 = js["rows"][1]["Volume [m3]"],
               v2 = js["rows"][2]["Volume [m3]"];
  EXPECT_LT(v0, v1);
  EXPECT_LT(v1, v2);
  auto h = nlohmann::json::parse(LanceCli("hydro " + Voilier + " --precision 10 --json").Sortie);
  EXPECT_NEAR(h["rows"][0]["value"].get<double>(), v1, 1e-9);
  EXPECT_NEAR(js["rows"][0]["Z [m]"].get<double>(), -0.2, 1e-12);
  // CSV to standard output and to a file, the same.
  ResultatCli c = LanceCli("hydro " + Voilier + " --precision 10 --table -0.2:0.2:3 --csv -");
  ASSERT_EQ(c.Code, 0);
  auto csv = LitCsv(c.Sortie);
  ASSERT_EQ(csv.size(), 4u);
  EXPECT_EQ(csv[0][0], "Z [m]");
  EXPECT_EQ(csv[0].size(), csv[1].size());
  EXPECT_NEAR(std::stod(csv[2][2]), v1, 1e-6);
  const std::string fichier = ::testing::TempDir() + "/table.csv";
  ASSERT_EQ(LanceCli("hydro " + Voilier + " --precision 10 --table -0.2:0.2:3 --csv " + fichier).Code, 0);
  std::ifstream f(fichier);
  std::stringstream lu;
  lu << f.rdbuf();
  EXPECT_EQ(lu.str(), c.Sortie);
}

TEST(CliTables, CrossCurvesOfTheSloopAndOfABarge) {
  ResultatCli t =
      LanceCli("kn " + Voilier + " --precision 10 --displacements 6000,8000 --heels 0:60:30 --trim");
  ASSERT_EQ(t.Code, 0);
  EXPECT_NE(t.Sortie.find("Courbes pantocarènes KN"), std::string::npos);
  EXPECT_NE(t.Sortie.find("8000.0"), std::string::npos);
  ResultatCli c =
      LanceCli("kn " + Voilier + " --precision 10 --displacements 6000,8000 --heels 0:60:30 --csv -");
  ASSERT_EQ(c.Code, 0);
  auto csv = LitCsv(c.Sortie);
  ASSERT_EQ(csv.size(), 3u);
  ASSERT_EQ(csv[0].size(), 5u);  // displacement, LCG and three heels
  // Upright, KN is nearly 0: the mirror half's cells are cut along the other diagonal, so a
  // coarse grid leaves the hull a millimetre or two off symmetric.
  EXPECT_NEAR(std::stod(csv[1][2]), 0, 5e-3);
  EXPECT_GT(std::stod(csv[1][3]), 0);
  // A box of breadth 6 at draught 1.5: KN at 30 degrees is the clipped section's arm with G at
  // the keel, 0.5078 + 2 sin 30 (the arm at KG 2 plus KG sin phi).
  ResultatCli j = LanceCli("kn --barge 6,20,1.5,3 --displacements 184680 --heels 0:30:30 --tol 1e-6 --json");
  ASSERT_EQ(j.Code, 0);
  auto js = nlohmann::json::parse(j.Sortie);
  ASSERT_EQ(js["curves"].size(), 1u);
  EXPECT_NEAR(js["zK"].get<double>(), -1.5, 1e-12);
  EXPECT_NEAR(js["curves"][0]["points"][1]["kn"].get<double>(), 0.50777 + 2 * 0.5, 1e-4);
}

TEST(CliTables, CriteriaOfABargeAsTextAndJson) {
  ResultatCli j =
      LanceCli("stab --barge 6,20,1.5,3 --cg 0,10,0.5 --max 90 --step 5 --tol 1e-5 --criteria --json");
  ASSERT_EQ(j.Code, 0);
  auto js = nlohmann::json::parse(j.Sortie);
  ASSERT_EQ(js["criteria"].size(), 6u);
  // GM = KB + BM - KG = 0.75 + 36 / 18 - 2.
  EXPECT_NEAR(js["criteria"][5]["attained"].get<double>(), 0.75, 1e-3);
  EXPECT_TRUE(js["criteria"][5]["pass"].get<bool>());
  EXPECT_NEAR(js["criteria"][5]["required"].get<double>(), 0.15, 1e-12);
  ResultatCli t = LanceCli("stab --barge 6,20,1.5,3 --cg 0,10,0.5 --max 90 --step 5 --criteria");
  ASSERT_EQ(t.Code, 0);
  EXPECT_NE(t.Sortie.find("GM initial [m]"), std::string::npos);
  EXPECT_NE(t.Sortie.find("Satisfait"), std::string::npos);
}

TEST(CliTables, RefusalsNameTheBadValue) {
  auto refus = [](const std::string& args, const std::string& attendu) {
    ResultatCli r = LanceCli(args, true);
    EXPECT_EQ(r.Code, 2) << args;
    EXPECT_NE(r.Sortie.find(attendu), std::string::npos) << args << ": " << r.Sortie;
    EXPECT_EQ(std::count(r.Sortie.begin(), r.Sortie.end(), '\n'), 1) << args;
  };
  const std::string barge = " --barge 6,20,1.5,3";
  refus("stab --max 400" + barge, "--max 400");
  refus("stab --max 1e308 --step 1e-300" + barge, "--max 1e+308");
  refus("stab --max 180 --step 1e-3" + barge, "--step 0.001");
  refus("stab --max 30 --criteria" + barge, "--max 30");
  refus("stab --precision 0" + barge, "--precision");
  refus("hydro " + Voilier + " --table 0:1", "--table");
  refus("hydro " + Voilier + " --table 0:1:0", "--table 0:1:0");
  refus("kn" + barge + " --displacements 1000,-3", "'-3'");
  refus("kn" + barge + " --displacements 1000 --heels 0:400:10", "--heels 0:400:10");
  refus("kn" + barge + " --displacements 1000 --heels 5:40:10", "--heels 5:40:10");
  refus("weights --precision 500" + barge, "--precision");
}

}  // namespace
