// "export": each kind written from a sample with the window's choices as options.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "CliAide.h"

namespace {

std::string Lit(const std::string& chemin) {
  std::ifstream in(chemin, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::string Sortie(const std::string& nom) {
  std::string d = ::testing::TempDir() + "brivane_cli_export/";
  std::filesystem::create_directories(d);
  return d + nom;
}

const std::string Voilier = std::string(BRIVANE_SAMPLES) + "/Voilier11.kvb";

}  // namespace

TEST(CliExport, EveryKindOfTheYachtIsWritten) {
  const std::string dxf = Sortie("v.dxf"), igs = Sortie("v.igs"), txt = Sortie("v.txt"),
                    stl = Sortie("v.stl");
  ASSERT_EQ(LanceCli("export dxf " + Voilier + " " + dxf + " --view plan --entities surface,sections").Code,
            0);
  std::string d = Lit(dxf);
  size_t ent = d.find("ENTITIES\r\n");
  ASSERT_NE(ent, std::string::npos);
  EXPECT_EQ(d.find("\r\n30\r\n", ent), std::string::npos) << "2D: no z";
  EXPECT_NE(d.find("POLYLINE", ent), std::string::npos);
  EXPECT_EQ(d.substr(d.size() - 19), "0\r\nENDSEC\r\n0\r\nEOF\r\n");

  ASSERT_EQ(LanceCli("export iges " + Voilier + " " + igs + " --colours").Code, 0);
  std::string i = Lit(igs);
  EXPECT_EQ(i.substr(0, 49), "IGS File Output Containing Brivane Created NURBS,");
  EXPECT_NE(i.find("     314       1"), std::string::npos);
  EXPECT_EQ(i.substr(i.size() - 10), "T      1\r\n");

  ASSERT_EQ(LanceCli("export txt " + Voilier + " " + txt + " --entities edges").Code, 0);
  std::string t = Lit(txt);
  EXPECT_EQ(t.rfind("[SURFACE]\r\nCoque\r\n", 0), 0u);
  EXPECT_NE(t.find("[NURBS]"), std::string::npos);
  EXPECT_EQ(t.find("[MESH]"), std::string::npos);

  // The rudder's top is open in the document: left out, and said so.
  ResultatCli r = LanceCli("export stl " + Voilier + " " + stl, true);
  ASSERT_EQ(r.Code, 0) << r.Sortie;
  EXPECT_NE(r.Sortie.find("Safran"), std::string::npos);
  std::string s = Lit(stl);
  ASSERT_GE(s.size(), 84u);
  uint32_t n = 0;
  std::memcpy(&n, s.data() + 80, 4);
  EXPECT_GT(n, 0u);
  EXPECT_EQ(s.size(), 84u + 50u * n);
}

TEST(CliExport, EverySampleInDxfIgesAndText) {
  for (const char* nom : {"Voilier11", "Deriveur42", "Vedette85"})
    for (const char* kind : {"dxf", "iges", "txt"}) {
      const std::string out = Sortie(std::string(nom) + "." + kind);
      ResultatCli r =
          LanceCli(std::string("export ") + kind + " " + BRIVANE_SAMPLES + "/" + nom + ".kvb " + out +
                   " --entities edges,sections,waterlines,buttocks,diagonals,surface,grid,axes");
      ASSERT_EQ(r.Code, 0) << nom << " " << kind;
      std::string t = Lit(out);
      ASSERT_GT(t.size(), 1000u) << nom << " " << kind;
      EXPECT_EQ(t.substr(t.size() - 2), "\r\n");
      // A number that is not one ("nan", "-inf"), not a word that holds those letters.
      EXPECT_FALSE(std::regex_search(t, std::regex("(^|[^A-Za-z])-?(nan|inf)([^A-Za-z]|$)")))
          << nom << " " << kind;
    }
}

TEST(CliExport, RefusalsKeepThePreviousFile) {
  const std::string f = Sortie("garde.dxf");
  { std::ofstream(f, std::ios::binary) << "ancien"; }
  ResultatCli r = LanceCli("export dxf " + Voilier + " " + f + " --entities edges,hull", true);
  EXPECT_NE(r.Code, 0);
  EXPECT_NE(r.Sortie.find("hull"), std::string::npos);
  EXPECT_EQ(Lit(f), "ancien");
  r = LanceCli("export iges " + Voilier + " " + f + " --view plan", true);
  EXPECT_NE(r.Code, 0);
  EXPECT_EQ(Lit(f), "ancien");
  r = LanceCli("export txt " + Voilier + " " + Sortie("absent/x.txt"), true);
  EXPECT_EQ(r.Code, 2);
  EXPECT_NE(r.Sortie.find("cannot write"), std::string::npos);
}
