// Tests of "brivane-cli points": the evaluated grids of starting shapes as
// scripts read them, and the refusals of bad arguments.
#include <gtest/gtest.h>

#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

namespace {

struct TSortie {
  std::string Texte;
  int Statut = -1;
};

TSortie Lance(const std::string& args) {
  TSortie r;
  std::string cmd = std::string(BRIVANE_CLI) + " " + args + " 2>/dev/null";
  FILE* f = popen(cmd.c_str(), "r");
  if (!f) return r;
  char tampon[65536];
  size_t n;
  while ((n = fread(tampon, 1, sizeof tampon, f)) > 0) r.Texte.append(tampon, n);
  const int s = pclose(f);
  r.Statut = WIFEXITED(s) ? WEXITSTATUS(s) : -1;
  return r;
}

}  // namespace

TEST(CmdPoints, PlaneTemplateAtPrecisionTen) {
  const TSortie s = Lance("points --template 1 --precision 10 --json");
  ASSERT_EQ(s.Statut, 0);
  const auto j = nlohmann::json::parse(s.Texte);
  ASSERT_EQ(j["surfaces"].size(), 1u);
  const auto& surf = j["surfaces"][0];
  EXPECT_EQ(surf["rows"], 11);
  EXPECT_EQ(surf["cols"], 11);
  EXPECT_EQ(surf["points"][5][5], (nlohmann::json{1.0, 1.0, 0.0}));
  EXPECT_EQ(surf["normals"][5][5], (nlohmann::json{0.0, 0.0, 1.0}));
  EXPECT_EQ(surf["mirror"][5][5], (nlohmann::json{-1.0, 1.0, 0.0}));
  EXPECT_FALSE(surf.contains("curvature"));
}

TEST(CmdPoints, CylinderCurvatureAndPresetOrders) {
  // Shape 4 with its preset orders (4 across the rows): close to a half cylinder
  // of radius 1, flat in the Gaussian sense, whose mid section reaches x = 1.
  const TSortie s = Lance("points --template 4 --precision 8 --curvature --json --surface Surface1");
  ASSERT_EQ(s.Statut, 0);
  const auto j = nlohmann::json::parse(s.Texte);
  const auto& surf = j["surfaces"][0];
  ASSERT_EQ(surf["curvature"].size(), 9u);
  for (const auto& ligne : surf["curvature"])
    for (double k : ligne) EXPECT_NEAR(k, 0, 1e-9);
  const double x = surf["points"][4][0][0];
  EXPECT_NEAR(x, 1, 1e-3);  // with order 2 across the rows the section would be a polyline at x = 2
}

TEST(CmdPoints, PrecisionKeptWithinItsLimitsAndBadArgumentsRefused) {
  const auto j = nlohmann::json::parse(Lance("points --template 1 --precision 0 --json").Texte);
  EXPECT_EQ(j["surfaces"][0]["rows"], 2);
  EXPECT_EQ(Lance("points --template 7").Statut, 2);
  EXPECT_EQ(Lance("points --template 1 --surface Absente").Statut, 2);
}
