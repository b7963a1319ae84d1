// "export": each kind written from a sample with the window's choices as options.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <vector>

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

namespace {

// A copy of a sample with some of its text replaced (every occurrence).
std::string Copie(const std::string& source, const std::string& nom, const std::string& avant,
                  const std::string& apres) {
  std::string t = Lit(source);
  size_t p = 0;
  int n = 0;
  while ((p = t.find(avant, p)) != std::string::npos)
    t.replace(p, avant.size(), apres), p += apres.size(), n++;
  EXPECT_GT(n, 0) << avant;
  const std::string f = Sortie(nom);
  std::ofstream(f, std::ios::binary) << t;
  return f;
}

std::vector<double> Nombres(const std::string& dxf, const char* code, size_t n) {
  std::vector<double> v;
  const std::string cle = std::string("\r\n") + code + "\r\n";
  size_t p = dxf.find("ENTITIES\r\n");
  while (v.size() < n && (p = dxf.find(cle, p)) != std::string::npos) {
    p += cle.size();
    v.push_back(std::stod(dxf.substr(p, dxf.find("\r\n", p) - p)));
  }
  return v;
}

}  // namespace

// With every surface hidden there is no body: no file of 84 bytes that readers take for a
// broken model, but a refusal that says so; the previous file stays.
TEST(CliExport, NoBodyNoStlFile) {
  const std::string cache = Copie(std::string(BRIVANE_SAMPLES) + "/Canot52.kvb", "cache.kvb",
                                  "[Visible]\r\n1\r\n", "[Visible]\r\n0\r\n");
  for (const char* kind : {"stl", "obj"}) {
    const std::string f = Sortie(std::string("vide.") + kind);
    std::filesystem::remove(f);
    ResultatCli r = LanceCli(std::string("export ") + kind + " " + cache + " " + f, true);
    EXPECT_NE(r.Code, 0) << kind;
    EXPECT_NE(r.Sortie.find("not written: no closed, visible body"), std::string::npos) << r.Sortie;
    EXPECT_FALSE(std::filesystem::exists(f)) << kind;
  }
}

// "--view perspective" projects at the perspective angles the document saved, as the export
// window does with the view's own; the 3D points projected here are the reference.
TEST(CliExport, PerspectiveAtTheDocumentsSavedAngles) {
  const double a1 = 0.7, a2 = 0.2;
  const std::string doc = Copie(Voilier, "persp.kvb", "[Pe]\r\n0;0;0.0000;0.0000;0.0000;0.0000;",
                                "[Pe]\r\n10;20;150.0000;0.7000;0.2000;0.0000;");
  const std::string d3 = Sortie("p3.dxf"), d2 = Sortie("p2.dxf");
  ASSERT_EQ(LanceCli("export dxf " + doc + " " + d3 + " --entities edges").Code, 0);
  ASSERT_EQ(LanceCli("export dxf " + doc + " " + d2 + " --entities edges --view perspective").Code, 0);
  const std::string t3 = Lit(d3), t2 = Lit(d2);
  const auto x = Nombres(t3, "10", 40), y = Nombres(t3, "20", 40), z = Nombres(t3, "30", 40);
  const auto u = Nombres(t2, "10", 40), v = Nombres(t2, "20", 40);
  ASSERT_EQ(x.size(), 40u);
  ASSERT_EQ(u.size(), 40u);
  double ecart = 0;
  for (size_t i = 0; i < 40; i++) {
    const double pu = -x[i] * std::sin(a1) + y[i] * std::cos(a1);
    const double pv =
        -x[i] * std::cos(a1) * std::sin(a2) - y[i] * std::sin(a1) * std::sin(a2) + z[i] * std::cos(a2);
    ecart = std::max({ecart, std::fabs(pu - u[i]), std::fabs(pv - v[i])});
  }
  EXPECT_LT(ecart, 2e-5);
}
