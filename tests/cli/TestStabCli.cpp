// brivane-cli weights and stab: JSON and text output on a box barge, the
// defaults taken from the document, and the refusals with exit status 2.
#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>

#include "cli/CliAide.h"

namespace {

ResultatCli LanceCliErr(const std::string& args) { return LanceCli(args, true); }

const char* Barge = "--barge 4,10,1.5,4";

TEST(CliWeights, BargeWeighsTheWaterItDisplaces) {
  ResultatCli r = LanceCli(std::string("weights --json ") + Barge);
  ASSERT_EQ(r.Code, 0);
  auto j = nlohmann::json::parse(r.Sortie);
  ASSERT_EQ(j["surfaces"].size(), 1u);
  EXPECT_NEAR(j["surfaces"][0]["mass"].get<double>(), 1026 * 4 * 10 * 1.5, 1e-6);
  EXPECT_EQ(j["surfaces"][0]["attached"], "Barge");
  EXPECT_TRUE(j["weights"].empty());
  EXPECT_EQ(j["total"]["name"], "TOTAL");
  EXPECT_NEAR(j["total"]["mass"].get<double>(), 61560, 1e-6);
  EXPECT_NEAR(j["total"]["y"].get<double>(), 5, 1e-9);
  EXPECT_NEAR(j["total"]["z"].get<double>(), 0.5, 1e-9);  // mid-depth: keel at -1.5, deck at 2.5

  r = LanceCli(std::string("weights ") + Barge);
  ASSERT_EQ(r.Code, 0);
  EXPECT_NE(r.Sortie.find("Surface attachée"), std::string::npos);
  EXPECT_NE(r.Sortie.find("61560.000"), std::string::npos);
  EXPECT_NE(r.Sortie.find("TOTAL"), std::string::npos);
}

TEST(CliStab, WholeCurveAsJson) {
  ResultatCli r = LanceCli(std::string("stab --json --max 180 --step 30 --cg 0,5,-0.5 ") + Barge);
  ASSERT_EQ(r.Code, 0);
  auto j = nlohmann::json::parse(r.Sortie);
  ASSERT_EQ(j["steps"].size(), 7u);
  const auto& s0 = j["steps"][0];
  for (const char* c : {"Gite", "Assiette", "Enfoncement", "CB.x", "CB.y", "CB.z", "CG.x [m]", "CG.y LCG [m]",
                        "CG.z VCG [m]", "GZ", "Moment", "Surf. mouillée"})
    EXPECT_TRUE(s0.contains(c)) << c;
  EXPECT_NEAR(s0["GZ"].get<double>(), 0, 1e-9);
  EXPECT_EQ(j["steps"][6]["Gite"], 180);
  EXPECT_GT(j["steps"][1]["GZ"].get<double>(), 0);  // G low in a wide box: stable at 30
  for (const auto& s : j["steps"]) EXPECT_TRUE(s["converged"].get<bool>());
  bool energie = false;
  for (const auto& l : j["synthesis"]) {
    EXPECT_TRUE(l["value"].is_number());
    if (l["label"] == "Energie de Chavirage [J]") energie = l["value"].get<double>() > 0;
    if (l["label"] == "Masse pour le calcul [Kg]") {
      EXPECT_NEAR(l["value"].get<double>(), 61560, 1e-6);
    }
  }
  EXPECT_TRUE(energie);
}

TEST(CliStab, TextTableAndSynthesis) {
  ResultatCli r = LanceCli(std::string("stab --step 45 --trim ") + Barge);
  ASSERT_EQ(r.Code, 0);
  EXPECT_NE(r.Sortie.find("Gite"), std::string::npos);
  EXPECT_NE(r.Sortie.find("Surf. mouillée"), std::string::npos);
  EXPECT_NE(r.Sortie.find("Synthèse"), std::string::npos);
  EXPECT_NE(r.Sortie.find("Angle de disparition de stabilité (chavirage) [°]"), std::string::npos);
  EXPECT_NE(r.Sortie.find("180.00"), std::string::npos);
  // The trim is searched: its sign is stated beside the heeling side.
  EXPECT_NE(r.Sortie.find("Signe de l'assiette : positive quand l'extrémité +Y se relève"),
            std::string::npos);
}

TEST(CliStab, RefusalsExitWithTheMessage) {
  ResultatCli r = LanceCliErr(std::string("stab --step 0 ") + Barge);
  EXPECT_EQ(r.Code, 2);
  EXPECT_NE(r.Sortie.find("Pas de calcul incorrect"), std::string::npos);
  r = LanceCliErr(std::string("stab --step 10 --max 5 ") + Barge);
  EXPECT_EQ(r.Code, 2);
  EXPECT_NE(r.Sortie.find("Pas de calcul incorrect"), std::string::npos);
  r = LanceCliErr(std::string("stab --weight 0 ") + Barge);
  EXPECT_EQ(r.Code, 2);
  EXPECT_NE(r.Sortie.find("Poids manquant. Vous devez définir au moins un poids (surface ou ballast)"),
            std::string::npos);
  // The default document's surface weighs nothing.
  r = LanceCliErr("stab");
  EXPECT_EQ(r.Code, 2);
  EXPECT_NE(r.Sortie.find("Poids manquant"), std::string::npos);
  EXPECT_EQ(LanceCliErr(std::string("stab --rho 0 ") + Barge).Code, 2);
  EXPECT_EQ(LanceCliErr(std::string("stab --tol -1 ") + Barge).Code, 2);
  EXPECT_EQ(LanceCliErr(std::string("stab --cg 1,2 ") + Barge).Code, 2);
  EXPECT_EQ(LanceCliErr("stab --barge 4,10,3,2").Code, 2);  // draft above depth
}

TEST(CliStab, ALoadBeyondTheBuoyancyIsRefused) {
  // Three times the barge's weight: it cannot float at any heel, and nothing is computed.
  ResultatCli r = LanceCliErr(std::string("stab --json --max 10 --step 10 --weight 184680 ") + Barge);
  EXPECT_EQ(r.Code, 2);
  EXPECT_EQ(r.Sortie.find("\"steps\""), std::string::npos);
}

}  // namespace
