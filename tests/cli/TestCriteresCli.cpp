// brivane-cli stab --criteria and kn against a box barge whose righting arm is known
// from its section alone: the criteria do not depend on the step shown, the flooding
// points and the heeling side count, GM is the upright one, a load the hull cannot
// float is refused, and the default tolerances still give the exact equilibrium.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <numbers>

#include "cli/CliAide.h"
#include "document/GestFich.h"
#include "naval/Barge.h"
#include "naval/Stab.h"

namespace {

constexpr double Rad = std::numbers::pi / 180;

// The barge of "--barge 6,20,1.5,3" with G at KG above the keel.
double GZBarge(double kg, double phi) { return GZSectionBoite(6, 3, 1.5, kg, phi * Rad); }

// Area under the arm from a to b degrees, m.rad: Simpson on 4000 intervals.
double AireBarge(double kg, double a, double b) {
  const int n = 4000;
  const double h = (b - a) / n;
  double s = GZBarge(kg, a) + GZBarge(kg, b);
  for (int i = 1; i < n; i++) s += (i % 2 ? 4 : 2) * GZBarge(kg, a + i * h);
  return s * h / 3 * Rad;
}

// The heel of the largest arm, by golden section on [lo, hi].
double AngleMaxBarge(double kg, double lo, double hi) {
  const double r = (std::sqrt(5.0) - 1) / 2;
  while (hi - lo > 1e-6) {
    const double c = hi - r * (hi - lo), d = lo + r * (hi - lo);
    (GZBarge(kg, c) > GZBarge(kg, d) ? hi : lo) = GZBarge(kg, c) > GZBarge(kg, d) ? d : c;
  }
  return (lo + hi) / 2;
}

nlohmann::json Json(const std::string& args) {
  ResultatCli r = LanceCli(args);
  EXPECT_EQ(r.Code, 0) << args << "\n" << r.Sortie;
  return r.Code == 0 ? nlohmann::json::parse(r.Sortie) : nlohmann::json::object();
}

double Critere(const nlohmann::json& j, size_t i) {
  const auto& v = j["criteria"][i]["attained"];
  return v.is_number() ? v.get<double>() : std::nan("");
}

TEST(CriteresCli, LesAiresNeDependentPasDuPasAffiche) {
  const double kg = 2.0;  // --cg Z 0.5 with the keel at -1.5
  const double a30 = AireBarge(kg, 0, 30), a40 = AireBarge(kg, 0, 40), a3040 = AireBarge(kg, 30, 40);
  const double phiMax = AngleMaxBarge(kg, 20, 60);
  for (double pas : {1.0, 2.5, 5.0, 7.0, 10.0}) {
    SCOPED_TRACE(pas);
    auto j = Json("stab --barge 6,20,1.5,3 --cg 0,10,0.5 --max 60 --step " + std::to_string(pas) +
                  " --criteria --json");
    ASSERT_EQ(j["criteria"].size(), 6u);
    EXPECT_NEAR(Critere(j, 0), a30, 0.005 * a30);
    EXPECT_NEAR(Critere(j, 1), a40, 0.005 * a40);
    EXPECT_NEAR(Critere(j, 2), a3040, 0.005 * a3040);
    EXPECT_NEAR(Critere(j, 3), GZBarge(kg, phiMax), 0.005 * GZBarge(kg, phiMax));
    EXPECT_NEAR(Critere(j, 4), phiMax, 0.05);
    // GM = KB + BM - KG = 0.75 + 36 / 18 - 2.
    EXPECT_NEAR(Critere(j, 5), 0.75, 0.75e-3);
  }
}

TEST(CriteresCli, LeGMEstCeluiDeLaFlottaisonDroite) {
  // The motor boat has a hard chine: GM read off the arm at small heels is not the upright one.
  const std::string f = std::string(BRIVANE_SAMPLES) + "/Vedette85.kvb";
  auto h = Json("hydro --json " + f);
  double gmt = std::nan("");
  for (const auto& r : h["rows"])
    if (r["label"].get<std::string>().rfind("GMt", 0) == 0) gmt = r["value"].get<double>();
  ASSERT_TRUE(std::isfinite(gmt));
  auto j = Json("stab --max 60 --criteria --json " + f);
  EXPECT_NEAR(Critere(j, 5), gmt, 1e-3 * gmt);
}

class CriteresBargeFichier : public ::testing::Test {
 protected:
  void SetUp() override {
    Dossier =
        std::filesystem::temp_directory_path() /
        ("brivane_criteres_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::create_directories(Dossier);
  }
  void TearDown() override { std::filesystem::remove_all(Dossier); }
  // The barge 6 x 20 x 1.5 of depth 3, its weight at the centre of the box (KG 1.5), with
  // one flooding point on the +X side, 1 m above the waterline and 0.5 m in from the side.
  std::string BargeAvecPoint() {
    TDocument doc;
    AjouteBargeFermee(doc, 6, 20, 1.5, 3, 4);
    MajSurface(doc, true, -1);
    TRepereEnv p;
    p.Nom = "Descente";
    p.X = 2.5, p.Y = 10, p.Z = 1.0;
    doc.ListeReperesEnv.push_back(p);
    const std::string chemin = (Dossier / "barge.kvb").string();
    EXPECT_TRUE(EnregistrerFichier(doc, {0}, chemin));
    return chemin;
  }
  std::filesystem::path Dossier;
};

TEST_F(CriteresBargeFichier, LePointDEnvahissementArreteLesAiresDuCotePire) {
  const std::string f = BargeAvecPoint();
  // Wall-sided until the deck edge dips (26.6 degrees): the point, 2.5 m out and 1 m up, goes
  // under where tan(phi) = 1 / 2.5.
  const double phiE = std::atan(0.4) / Rad;
  auto j = Json("stab --max 60 --criteria --json " + f);
  ASSERT_EQ(j["criteria"].size(), 6u);
  EXPECT_NEAR(j["criteria_flooding_angle"].get<double>(), phiE, 0.01);
  EXPECT_EQ(j["criteria_flooding_point"].get<std::string>(), "Descente");
  // The default side (-X down) lifts the point: the worse side is the other one.
  EXPECT_EQ(j["criteria_side"].get<std::string>(), "+X");
  EXPECT_TRUE(j["criteria_both_sides"].get<bool>());
  const double a = AireBarge(1.5, 0, phiE);
  EXPECT_NEAR(Critere(j, 1), a, 0.005 * a);
  // Below 30 degrees there is no 30-40 range left to judge.
  EXPECT_FALSE(j["criteria"][2]["attained"].is_number());
  // The text says where the angle comes from and which side it is.
  ResultatCli t = LanceCli("stab --max 60 --criteria " + f);
  EXPECT_NE(t.Sortie.find("Descente"), std::string::npos) << t.Sortie;
  EXPECT_NE(t.Sortie.find("+X"), std::string::npos);
}

TEST(CriteresCli, LeCoteDeGiteCompteAvecUnPoidsHorsAxe) {
  // G 0.2 m out on +X: heeling +X down the weight is on the low side and the arm loses 0.2 cos(phi).
  const std::string b = "stab --barge 6,20,1.5,3 --max 60 --step 10 --json --cg 0.2,10,0.5";
  auto m = Json(b), p = Json(b + " --side +x");
  EXPECT_EQ(m["side"].get<std::string>(), "-X");
  EXPECT_EQ(p["side"].get<std::string>(), "+X");
  ASSERT_EQ(p["steps"].size(), 7u);
  for (size_t i = 0; i < 7; i++) {
    const double phi = p["steps"][i]["Gite"].get<double>();
    EXPECT_NEAR(p["steps"][i]["GZ"].get<double>(), GZBarge(2.0, phi) - 0.2 * std::cos(phi * Rad), 1e-4)
        << phi;
    EXPECT_NEAR(m["steps"][i]["GZ"].get<double>(), GZBarge(2.0, phi) + 0.2 * std::cos(phi * Rad), 1e-4)
        << phi;
  }
  auto c = Json(b + " --criteria");
  EXPECT_EQ(c["criteria_side"].get<std::string>(), "+X");
  EXPECT_NE(LanceCli(b + " --side 2", true).Code, 0);
}

TEST(CriteresCli, UneChargeQueLaCareneNePeutPorterEstRefusee) {
  // The barge 4 x 10 x 4 holds at most 160 m3: 164160 kg of sea water.
  ResultatCli r = LanceCli("stab --json --weight 184680 --barge 4,10,1.5,4", true);
  EXPECT_EQ(r.Code, 2);
  EXPECT_NE(r.Sortie.find("164160.0"), std::string::npos) << r.Sortie;
  EXPECT_EQ(std::count(r.Sortie.begin(), r.Sortie.end(), '\n'), 1) << r.Sortie;
  ResultatCli k = LanceCli("kn --barge 4,10,1.5,4 --displacements 100000,184680", true);
  EXPECT_EQ(k.Code, 2);
  EXPECT_NE(k.Sortie.find("164160.0"), std::string::npos) << k.Sortie;
  // Up to the brim it still floats.
  EXPECT_EQ(LanceCli("stab --json --max 10 --step 10 --weight 164000 --barge 4,10,1.5,4").Code, 0);
}

TEST(CriteresCli, LesToleranceParDefautDonnentLEquilibreExact) {
  // 1 % of the weight and 0.1 degree: the steps are still exact, and say how exact.
  auto j = Json("stab --barge 6,20,1.5,3 --cg 0,10,0.5 --max 60 --step 5 --json");
  ASSERT_EQ(j["steps"].size(), 13u);
  for (const auto& s : j["steps"]) {
    const double phi = s["Gite"].get<double>();
    EXPECT_TRUE(s["converged"].get<bool>());
    EXPECT_NEAR(s["GZ"].get<double>(), GZBarge(2.0, phi), 2e-5) << phi;
    EXPECT_LE(s["equilibrium_error"].get<double>(), 1e-6) << phi;
  }
  // KN: G at the keel, the arm of the barge at KG 0 for the draft of 1.5 m.
  auto k = Json("kn --barge 6,20,1.5,3 --displacements 184680 --heels 0:60:10 --json");
  ASSERT_EQ(k["curves"].size(), 1u);
  for (const auto& p : k["curves"][0]["points"]) {
    const double phi = p["heel"].get<double>();
    EXPECT_NEAR(p["kn"].get<double>(), GZBarge(0, phi), 2e-5) << phi;
  }
}

}  // namespace
