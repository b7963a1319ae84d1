// brivane-cli: help, version, exit status and the info command.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/CliAide.h"

namespace {

TEST(CliInfo, DefaultDocumentAsJson) {
  ResultatCli r = LanceCli("info --json");
  ASSERT_EQ(r.Code, 0);
  auto j = nlohmann::json::parse(r.Sortie);
  ASSERT_EQ(j["surfaces"].size(), 1u);
  const auto& s = j["surfaces"][0];
  EXPECT_EQ(s["name"], "Surface1");
  EXPECT_EQ(s["type"], "SNURBS");
  EXPECT_EQ(s["rows"], 3);
  EXPECT_EQ(s["cols"], 3);
  EXPECT_EQ(s["lflex"], 4);
  EXPECT_EQ(s["cflex"], 4);
  EXPECT_EQ(s["visible"], true);
  EXPECT_EQ(s["locked"], false);
  EXPECT_EQ(s["sym"], true);
  EXPECT_EQ(s["calc"], true);
  EXPECT_EQ(s["sail"], false);
  // The mirror half makes the model symmetric about X = 0.
  EXPECT_NEAR(j["extents"]["xmin"].get<double>(), -j["extents"]["xmax"].get<double>(), 1e-12);
  EXPECT_NEAR(j["extents"]["ymax"].get<double>(), 6, 1e-4);
}

TEST(CliInfo, TextHelpVersionAndErrors) {
  ResultatCli r = LanceCli("info");
  EXPECT_EQ(r.Code, 0);
  EXPECT_NE(r.Sortie.find("Surface1"), std::string::npos);
  EXPECT_EQ(LanceCli("--help").Code, 0);
  r = LanceCli("--version");
  EXPECT_EQ(r.Code, 0);
  EXPECT_NE(r.Sortie.find("brivane-cli"), std::string::npos);
  EXPECT_EQ(LanceCli("").Code, 2);
  EXPECT_EQ(LanceCli("info --bogus").Code, 2);
  EXPECT_EQ(LanceCli("info /nonexistent/file.kvb").Code, 2);
}

}  // namespace
