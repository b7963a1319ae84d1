// The lines and offsets commands, run as a user would.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "cli/CliAide.h"

namespace {

using TSortie = ResultatCli;
TSortie Lance(const std::string& args) { return LanceCli(args, true); }

TEST(CliLignes, LinesOfAStartingShapeAsJson) {
  // Shape 1: the horizontal square 2 x 2 at Z = 0, symmetric.
  TSortie s = Lance("lines --template 1 --sections 3 --buttocks 5 --precision 10 --json");
  ASSERT_EQ(s.Code, 0) << s.Sortie;
  nlohmann::json j = nlohmann::json::parse(s.Sortie);
  for (const char* cle : {"sections", "waterlines", "buttocks", "diagonals"})
    ASSERT_TRUE(j.contains(cle)) << cle;
  const auto& sec = j["sections"];
  ASSERT_EQ(sec.size(), 6u);  // 3 sections x (main, mirror)
  EXPECT_EQ(sec[0]["half"], "main");
  EXPECT_EQ(sec[1]["half"], "mirror");
  EXPECT_EQ(sec[0]["surface"], "Surface1");
  // The middle section crosses both halves from side to side.
  EXPECT_EQ(sec[2]["polylines"].size(), 1u);
  EXPECT_EQ(sec[3]["polylines"].size(), 1u);
  for (const auto& e : sec)
    for (const auto& poly : e["polylines"])
      for (const auto& p : poly) EXPECT_DOUBLE_EQ(p[1].get<double>(), e["position"].get<double>());
  // Buttocks over the half-breadth 0, 0.5, 1, 1.5, 2: every one inside cuts the main
  // half; the planes lie on its side, none reaches the mirror half.
  const auto& lg = j["buttocks"];
  ASSERT_EQ(lg.size(), 10u);
  for (int k = 1; k <= 3; k++) {
    EXPECT_NEAR(lg[2 * k]["position"].get<double>(), 0.5 * k, 1e-5);
    EXPECT_EQ(lg[2 * k]["polylines"].size(), 1u) << k;
    EXPECT_TRUE(lg[2 * k + 1]["polylines"].empty()) << k;
  }
  EXPECT_TRUE(j["diagonals"][0].contains("angle"));
}

TEST(CliLignes, CountsOutsideTheirLimitsAreRefused) {
  EXPECT_NE(Lance("lines --template 0 --sections 101").Code, 0);
  EXPECT_NE(Lance("lines --template 0 --diagonals 1").Code, 0);
  EXPECT_NE(Lance("lines --template 9").Code, 0);
}

TEST(CliLignes, OffsetsWrittenInTheExportFormat) {
  namespace fs = std::filesystem;
  fs::path dir = fs::temp_directory_path() / ("brivane_cli_cotes_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  fs::path f = dir / "cotes.txt";
  TSortie s = Lance("offsets --template 0 --sections 5 --waterlines 3 --csv " + f.string());
  ASSERT_EQ(s.Code, 0) << s.Sortie;
  std::ifstream in(f, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  const std::string t = ss.str();
  EXPECT_EQ(t.rfind("Num;Nom;X;Y;Z\r\n0;LE_", 0), 0u) << t.substr(0, 60);
  EXPECT_NE(t.find(";Br_1_Surface1_"), std::string::npos);
  EXPECT_EQ(t.find("\n", t.find("\n") + 1) - t.find("\n"), t.find("\r\n", t.find("\n")) + 1 - t.find("\n"));
  // What was written is said: the lines and the file.
  EXPECT_EQ(s.Sortie, std::to_string(std::count(t.begin(), t.end(), '\n')) + " lignes écrites dans " +
                          f.string() + "\n");
  // "-" is standard output, byte for byte the file (and no file named "-").
  TSortie p = Lance("offsets --template 0 --sections 5 --waterlines 3 --csv -");
  EXPECT_EQ(p.Code, 0);
  EXPECT_EQ(p.Sortie, t);
  EXPECT_FALSE(fs::exists("-"));
  // Into a folder that does not exist: a failure, said so.
  TSortie e = Lance("offsets --template 0 --csv " + (dir / "absent" / "c.txt").string());
  EXPECT_EQ(e.Code, 2);
  EXPECT_NE(e.Sortie.find("Impossible d'"), std::string::npos) << e.Sortie;
  fs::remove_all(dir);
}

}  // namespace
