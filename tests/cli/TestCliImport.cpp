// "import iges" and "import offsets": the documents they write open in the program with
// the surfaces and deviations they report; bad input is refused with status 2 and no file.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "CliAide.h"
#include "document/GestFich.h"

namespace {

std::string Dossier() {
  std::string d = ::testing::TempDir() + "brivane_cli_import/";
  std::filesystem::create_directories(d);
  return d;
}

TEST(CliImport, IgesOfASampleGivesTheSampleBack) {
  const std::string d = Dossier(), igs = d + "voilier.igs", kvb = d + "voilier.kvb";
  std::filesystem::remove(kvb);
  ASSERT_EQ(LanceCli("export iges " + std::string(BRIVANE_SAMPLES) + "/Voilier11.kvb " + igs).Code, 0);
  ResultatCli r = LanceCli("import iges " + igs + " " + kvb + " --json");
  ASSERT_EQ(r.Code, 0) << r.Sortie;
  const nlohmann::json j = nlohmann::json::parse(r.Sortie);
  TDocument orig, lu;
  ASSERT_TRUE(OuvrirFichier(orig, std::string(BRIVANE_SAMPLES) + "/Voilier11.kvb"));
  ASSERT_TRUE(OuvrirFichier(lu, kvb));
  ASSERT_EQ(j["surfaces"].size(), size_t(lu.NbSurf()));
  ASSERT_EQ(lu.NbSurf(), orig.NbSurf());
  for (int k = 0; k < lu.NbSurf(); k++) {
    EXPECT_EQ(j["surfaces"][size_t(k)]["name"], lu.Surf(k).Nom);
    EXPECT_TRUE(j["surfaces"][size_t(k)]["exact"]);
    const TNet &a = orig.SurfNurbs(k)->Net, &b = lu.SurfNurbs(k)->Net;
    ASSERT_EQ(a.NbLn, b.NbLn);
    ASSERT_EQ(a.NbCol, b.NbCol);
    // The document keeps four decimals.
    for (int i = 0; i < a.NbLn; i++)
      for (int c = 0; c < a.NbCol; c++) EXPECT_NEAR(a.PC[i][c].Z, b.PC[i][c].Z, 5e-5);
  }
  EXPECT_EQ(j["max_deviation"], 0.0);
}

TEST(CliImport, OffsetsWriteOneSymmetricSurfaceAndTellItsDeviation) {
  const std::string d = Dossier(), csv = d + "caisse.csv", kvb = d + "caisse.kvb";
  std::ofstream(csv) << ";0;0,5;1\n0;0,9;1;1,1\n2;1;1,1;1,2\n4;0,9;1;1,1\n";
  ResultatCli r = LanceCli("import offsets " + csv + " " + kvb + " --tolerance 0.0005 --json");
  ASSERT_EQ(r.Code, 0) << r.Sortie;
  const nlohmann::json j = nlohmann::json::parse(r.Sortie);
  ASSERT_EQ(j["surfaces"].size(), 1u);
  EXPECT_LE(j["max_deviation"].get<double>(), 0.0005);
  EXPECT_EQ(j["tolerance"], 0.0005);
  TDocument lu;
  ASSERT_TRUE(OuvrirFichier(lu, kvb));
  ASSERT_EQ(lu.NbSurf(), 1);
  EXPECT_EQ(lu.Surf(0).Nom, "caisse");
  EXPECT_TRUE(lu.Surf(0).Sym);
  EXPECT_EQ(lu.SurfNurbs(0)->Net.NbLn, j["surfaces"][0]["rows"]);
}

TEST(CliImport, BadInputIsRefusedAndWritesNothing) {
  const std::string d = Dossier(), csv = d + "faux.csv", kvb = d + "faux.kvb";
  std::filesystem::remove(kvb);
  std::ofstream(csv) << ";0;1\n1;0,5;x\n2;1;1\n";
  ResultatCli r = LanceCli("import offsets " + csv + " " + kvb, true);
  EXPECT_EQ(r.Code, 2);
  EXPECT_NE(r.Sortie.find("faux.csv, ligne 2"), std::string::npos) << r.Sortie;
  EXPECT_FALSE(std::filesystem::exists(kvb));
  r = LanceCli("import iges " + csv + " " + kvb, true);
  EXPECT_EQ(r.Code, 2);
  EXPECT_NE(r.Sortie.find("faux.csv, ligne 1"), std::string::npos) << r.Sortie;
  r = LanceCli("import offsets " + csv + " " + kvb + " --tolerance 0", true);
  EXPECT_EQ(r.Code, 2);
  EXPECT_NE(r.Sortie.find("--tolerance"), std::string::npos) << r.Sortie;
  EXPECT_FALSE(std::filesystem::exists(kvb));
}

}  // namespace
