// "michlet": the input file of the resistance program for a sample, every hull or those named.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "CliAide.h"

namespace {

std::vector<std::string> Lignes(const std::string& chemin) {
  std::ifstream in(chemin, std::ios::binary);
  std::vector<std::string> l;
  for (std::string s; std::getline(in, s);) {
    EXPECT_TRUE(!s.empty() && s.back() == '\r') << "CR LF after every line";
    if (!s.empty() && s.back() == '\r') s.pop_back();
    l.push_back(s);
  }
  return l;
}

int Compte(const std::vector<std::string>& l, const std::string& debut) {
  int n = 0;
  for (const auto& s : l) n += s.rfind(debut, 0) == 0;
  return n;
}

}  // namespace

TEST(CliMichlet, SampleHullsAreWrittenInTheOrderNamed) {
  const std::string d = ::testing::TempDir() + "brivane cli michlet/";
  std::filesystem::create_directories(d);
  const std::string voilier = std::string(BRIVANE_SAMPLES) + "/Voilier11.kvb";
  ASSERT_EQ(LanceCli("michlet " + voilier + " '" + d + "tout.mlt'").Code, 0);
  auto l = Lignes(d + "tout.mlt");
  ASSERT_GT(l.size(), 14u);
  EXPECT_EQ(l[4], "Note 1: Voilier11.kvb.mlt");
  const int coques = Compte(l, std::string(28, '=') + " ");
  EXPECT_EQ(l[13], std::to_string(coques));
  EXPECT_GE(coques, 1);

  ASSERT_EQ(LanceCli("michlet " + voilier + " '" + d + "deux.mlt' --hull Quille --hull Coque").Code, 0);
  l = Lignes(d + "deux.mlt");
  EXPECT_EQ(l[13], "2");
  std::vector<std::string> titres;
  for (const auto& s : l)
    if (s.rfind(std::string(28, '=') + " ", 0) == 0) titres.push_back(s);
  EXPECT_EQ(titres, (std::vector<std::string>{std::string(28, '=') + " Quille " + std::string(28, '='),
                                              std::string(28, '=') + " Coque " + std::string(28, '=')}));

  const ResultatCli r = LanceCli("michlet " + voilier + " '" + d + "non.mlt' --hull Absente", true);
  EXPECT_EQ(r.Code, 2);
  EXPECT_NE(r.Sortie.find("Absente"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(d + "non.mlt"));
  std::filesystem::remove_all(d);
}
