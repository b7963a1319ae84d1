// brivane-cli float, hydro at an attitude and check, on the samples.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/CliAide.h"

namespace {

const std::string Echantillons = std::string(BRIVANE_SAMPLES) + "/";

double Valeur(const nlohmann::json& rows, const std::string& libelle) {
  for (const auto& r : rows)
    if (r["label"] == libelle) return r["value"];
  ADD_FAILURE() << libelle;
  return 0;
}

// The samples were balanced to float at the waterline they are drawn at.
TEST(CliFloat, SamplesFloatAtTheirOwnWaterline) {
  for (const char* n : {"Canot52", "Deriveur42", "Vedette85", "Voilier11"}) {
    ResultatCli r = LanceCli("float " + Echantillons + n + ".kvb --json");
    ASSERT_EQ(r.Code, 0) << n;
    const auto j = nlohmann::json::parse(r.Sortie);
    EXPECT_TRUE(j["converged"].get<bool>()) << n;
    EXPECT_LT(std::abs(j["heel_deg"].get<double>()), 0.05) << n;
    EXPECT_LT(std::abs(j["trim_deg"].get<double>()), 0.05) << n;
    // The waterline's height above the model's Z = 0 at both ends, from the drafts and the keel.
    const double kz = j["keel_z"];
    EXPECT_LT(std::abs(j["draft_aft"].get<double>() + kz), 0.002) << n;
    EXPECT_LT(std::abs(j["draft_forward"].get<double>() + kz), 0.002) << n;
    EXPECT_LT(std::abs(j["reference_draft"].get<double>()), 0.002) << n;
    // The hydrostatics there displace the mass, in sea water.
    EXPECT_NEAR(Valeur(j["hydrostatics"], "Déplacement en eau de mer [Kg]"), j["mass"].get<double>(),
                1e-3 * j["mass"].get<double>())
        << n;
  }
}

TEST(CliFloat, GivenWeightAndHeldHeel) {
  const std::string v = Echantillons + "Vedette85.kvb";
  ResultatCli r = LanceCli("float " + v + " --json --weight 3500 --cg 0,2.5,0.3 --heel 3");
  ASSERT_EQ(r.Code, 0);
  const auto j = nlohmann::json::parse(r.Sortie);
  EXPECT_EQ(j["heel_deg"].get<double>(), 3);
  EXPECT_NEAR(Valeur(j["hydrostatics"], "Déplacement en eau de mer [Kg]"), 3500, 3.5);
  EXPECT_LT(std::abs(j["residual_longitudinal"].get<double>()), 1e-6);
  // Heavier and G further aft than drawn: deeper, and down by the stern (Y = 0).
  EXPECT_GT(j["draft_mean"].get<double>(), -j["keel_z"].get<double>());
  EXPECT_GT(j["draft_aft"].get<double>(), j["draft_forward"].get<double>());
  EXPECT_EQ(LanceCli("float " + v + " --weight -1").Code, 2);
  EXPECT_EQ(LanceCli("float " + v + " --cg 1,2").Code, 2);
  EXPECT_EQ(LanceCli("float " + v + " --weight 1e9").Code, 2);  // sinks
}

TEST(CliHydro, AttitudeOptionsAddTheirBlockAfterThePartsOnes) {
  const std::string v = Echantillons + "Voilier11.kvb";
  ResultatCli plain = LanceCli("hydro " + v);
  ResultatCli att = LanceCli("hydro " + v + " --draft 0 --trim 0 --heel 0");
  ASSERT_EQ(plain.Code, 0);
  ASSERT_EQ(att.Code, 0);
  // The hull as drawn: the same blocks, then the attitude.
  ASSERT_EQ(att.Sortie.compare(0, plain.Sortie.size(), plain.Sortie), 0);
  EXPECT_NE(att.Sortie.find("\nAttitude du calcul\n", plain.Sortie.size() - 1), std::string::npos);
  // The waterline 0.1 m up the model: what the table gives at Z = 0.1.
  auto jd = nlohmann::json::parse(LanceCli("hydro " + v + " --json --draft 0.1").Sortie);
  auto jt = nlohmann::json::parse(LanceCli("hydro " + v + " --json --table 0.1:0.1:1").Sortie);
  EXPECT_NEAR(Valeur(jd["rows"], "Volume immergé [m3]"), jt["rows"][0]["Volume [m3]"].get<double>(), 1e-9);
  EXPECT_EQ(jd["attitude"]["draft"], 0.1);
  EXPECT_EQ(LanceCli("hydro " + v + " --heel 5 --table 0:1:3").Code, 2);
}

TEST(CliCheck, KeelRootAndReversedHull) {
  ResultatCli r = LanceCli("check " + Echantillons + "Voilier11.kvb --json");
  EXPECT_EQ(r.Code, 1);
  const auto j = nlohmann::json::parse(r.Sortie);
  int quille = 0;
  for (const auto& f : j["findings"])
    if (f["kind"] == "intersecting_bodies" && f["surface"] == "Coque" && f["other_surface"] == "Quille") {
      quille++;
      EXPECT_GE(f["value"].get<double>(), 0.01);
      EXPECT_LE(f["value"].get<double>(), 0.03);
    }
  EXPECT_EQ(quille, 1);
  // A clean sample passes.
  EXPECT_EQ(LanceCli("check " + Echantillons + "Vedette85.kvb").Code, 0);

  // The motor boat with its bottom turned inside out.
  std::ifstream in(Echantillons + "Vedette85.kvb", std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  std::string t = ss.str();
  const size_t k = t.find("[Orientation]\r\n1\r\n");
  ASSERT_NE(k, std::string::npos);
  t.replace(k, 18, "[Orientation]\r\n0\r\n");
  const auto chemin = std::filesystem::temp_directory_path() / "brivane_retournee.kvb";
  std::ofstream(chemin, std::ios::binary) << t;
  const auto jr = nlohmann::json::parse(LanceCli("check " + chemin.string() + " --json").Sortie);
  std::filesystem::remove(chemin);
  ASSERT_FALSE(jr["findings"].empty());
  EXPECT_EQ(jr["findings"][0]["kind"], "reversed_orientation");
  EXPECT_EQ(jr["findings"][0]["surface"], "Fond");
  EXPECT_LT(jr["findings"][0]["value"].get<double>(), 0);
}

// The check says a precision is too low exactly when the volume moves by more than 0.5 % on
// doubling it, as the hydrostatics measure it.
TEST(CliCheck, PrecisionTooLow) {
  const std::string d = Echantillons + "Deriveur42.kvb";
  auto volume = [&](int p) {
    auto j =
        nlohmann::json::parse(LanceCli("hydro " + d + " --json --precision " + std::to_string(p)).Sortie);
    return Valeur(j["rows"], "Volume immergé [m3]");
  };
  const double v20 = volume(20), v40 = volume(40), v80 = volume(80);
  ASSERT_GT(std::abs(v40 - v20) / v20, 0.005);
  ASSERT_LT(std::abs(v80 - v40) / v40, 0.005);
  auto precision = [&](const std::string& opt) {
    const auto j = nlohmann::json::parse(LanceCli("check " + d + " --json" + opt).Sortie);
    for (const auto& f : j["findings"])
      if (f["kind"] == "precision_too_low") return f["precision_enough"].get<int>();
    return 0;
  };
  EXPECT_EQ(precision(""), 40);
  EXPECT_EQ(precision(" --precision 40"), 0);
}

// Before floating, the model check names on one line what falsifies the result.
TEST(CliFloat, TheCheckIsNamedBeforeTheCalculation) {
  ResultatCli r = LanceCli("float " + Echantillons + "Voilier11.kvb", true);
  ASSERT_EQ(r.Code, 0);
  EXPECT_NE(
      r.Sortie.find("brivane-cli: warning: La vérification du modèle a trouvé 3 problème(s) qui faussent "
                    "ce calcul : corps ouvert (Safran) ; corps qui se recoupent (Coque et Quille, Coque "
                    "et Safran). (brivane-cli check)"),
      std::string::npos)
      << r.Sortie;
  // Every calculation of the hull says it too, on standard error only; the weights, which
  // the hull's overlaps do not falsify, say nothing.
  for (const char* cmd : {"hydro ", "stab --max 30 --step 10 ", "kn --heels 0:30:10 --displacements 8000 "}) {
    ResultatCli c = LanceCli(cmd + Echantillons + "Voilier11.kvb", true);
    EXPECT_EQ(c.Code, 0) << cmd;
    EXPECT_NE(c.Sortie.find("corps qui se recoupent (Coque et Quille"), std::string::npos) << cmd << c.Sortie;
    EXPECT_EQ(LanceCli(cmd + Echantillons + "Voilier11.kvb").Sortie.find("recoupent"), std::string::npos)
        << cmd;
  }
  EXPECT_EQ(LanceCli("weights " + Echantillons + "Voilier11.kvb", true).Sortie.find("recoupent"),
            std::string::npos);
}

}  // namespace
