// The STL and OBJ exports: closed shells with outward normals whose volume is
// the naval calculations' own, read back from the binary file.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <regex>

#include "Aides.h"
#include "document/GestFich.h"
#include "exchange/ExportSTL.h"
#include "naval/Face.h"

using namespace aides_export;

namespace {

struct TTriangleLu {
  float N[3], P[3][3];
};

std::vector<TTriangleLu> LitSTL(const std::string& s) {
  std::vector<TTriangleLu> t;
  EXPECT_GE(s.size(), 84u);
  uint32_t n = 0;
  std::memcpy(&n, s.data() + 80, 4);
  EXPECT_EQ(s.size(), 84u + 50u * n);
  for (uint32_t i = 0; i < n && 84 + 50 * (i + 1) <= s.size(); i++) {
    TTriangleLu x;
    std::memcpy(&x, s.data() + 84 + 50 * i, 48);
    t.push_back(x);
  }
  return t;
}

// The volume enclosed by triangles, by the divergence theorem.
double Volume(const std::vector<TTriangleLu>& t) {
  double v = 0;
  for (const auto& x : t) {
    TVertex3f a{x.P[0][0], x.P[0][1], x.P[0][2]}, b{x.P[1][0], x.P[1][1], x.P[1][2]},
        c{x.P[2][0], x.P[2][1], x.P[2][2]};
    v += ProduitScalaire(a, ProduitVect(b, c)) / 6;
  }
  return v;
}

}  // namespace

TEST(ExportSTL, SampleBodiesAreClosedShellsWithTheNavalVolume) {
  for (const char* nom : {"Voilier11.kvb", "Deriveur42.kvb", "Vedette85.kvb"}) {
    SCOPED_TRACE(nom);
    TDocument doc;
    ASSERT_TRUE(OuvrirFichier(doc, std::string(BRIVANE_SAMPLES) + "/" + nom));
    MajSurface(doc, true, -1);
    TResultatExport r;
    std::vector<TCoque> coques = CoquesPortee(doc, &r);
    double attendu = 0;
    for (const auto& s : doc.TabSurf) {
      if (!s->Calc) continue;
      bool gardee = false;
      for (const auto& c : coques) gardee = gardee || c.Nom == s->Nom;
      if (!gardee) continue;
      TListFace l;
      BuildFaceListFull(*s, l);
      attendu += std::fabs(VolByFace(l, 0, 1));
    }
    EXPECT_FALSE(coques.empty());
    for (const auto& c : coques) {
      // Every edge of a shell is shared by two triangles that run it in opposite ways.
      std::map<std::pair<int, int>, int> aretes;
      for (const auto& t : c.Triangles)
        for (int k = 0; k < 3; k++) aretes[{t[k], t[(k + 1) % 3]}]++;
      for (const auto& [a, n] : aretes) {
        ASSERT_EQ(n, 1) << c.Nom;
        ASSERT_EQ(aretes.count({a.second, a.first}), 1u) << c.Nom;
      }
    }
    std::vector<TTriangleLu> t = LitSTL(TexteSTL(coques));
    // Positive volume: the normals point outwards; single precision costs about 1e-6 of it.
    EXPECT_GT(Volume(t), 0);
    EXPECT_NEAR(Volume(t), attendu, 1e-5 * attendu + 1e-9);
    for (const auto& x : t) {
      double l = std::sqrt(x.N[0] * x.N[0] + x.N[1] * x.N[1] + x.N[2] * x.N[2]);
      EXPECT_NEAR(l, 1, 1e-5);
    }
  }
}

// Hidden surfaces are left out of every export, as the DXF, IGES and text ones do.
TEST(ExportSTL, HiddenSurfacesAreNotWritten) {
  TDocument doc;
  ASSERT_TRUE(OuvrirFichier(doc, std::string(BRIVANE_SAMPLES) + "/Voilier11.kvb"));
  MajSurface(doc, true, -1);
  const int quille = SurfNom2Num(doc, "Quille");
  ASSERT_GE(quille, 0);
  auto noms = [&] {
    std::vector<std::string> n;
    for (const auto& c : CoquesPortee(doc)) n.push_back(c.Nom);
    return n;
  };
  EXPECT_EQ(noms(), (std::vector<std::string>{"Coque", "Quille", "Pont"}));
  doc.Surf(quille).Visible = false;
  EXPECT_EQ(noms(), (std::vector<std::string>{"Coque", "Pont"}));
  const std::string obj = Dossier() + "cache.obj";
  ASSERT_TRUE(ExportOBJ(doc, obj).Ok);
  EXPECT_EQ(Lit(obj).find("o Quille"), std::string::npos);
}

TEST(ExportSTL, ASurfaceThatDoesNotCloseIsLeftOutWithAMessage) {
  TDocument doc;
  doc.Vider();
  TDXFSurface& ouverte = AjouteGrille(doc, "Voile", 3, 3);
  ouverte.Sym = false;
  ouverte.CalcSurface();
  TDXFSurface& fermee = AjouteGrille(doc, "Caisson", 3, 3);
  fermee.JonctionSym = true;
  fermee.CalcSurface();
  TResultatExport r;
  std::vector<TCoque> c = CoquesPortee(doc, &r);
  ASSERT_EQ(c.size(), 1u);
  EXPECT_EQ(c[0].Nom, "Caisson");
  ASSERT_EQ(r.Messages.size(), 1u);
  EXPECT_NE(r.Messages[0].find("Voile"), std::string::npos);
  // The body closed by its mirror and strips holds the volume of its facets.
  TListFace l;
  BuildFaceListFull(fermee, l);
  EXPECT_NEAR(Volume(LitSTL(TexteSTL(c))), std::fabs(VolByFace(l, 0, 1)), 1e-5);
  // OBJ: one object, its vertices, then faces numbered from 1.
  const std::string obj = TexteOBJ(c);
  auto lignes = Coupe(obj);
  int v = 0, f = 0;
  for (const auto& x : lignes) v += x.rfind("v ", 0) == 0, f += x.rfind("f ", 0) == 0;
  EXPECT_EQ(v, int(c[0].Sommets.size()));
  EXPECT_EQ(f, int(c[0].Triangles.size()));
  EXPECT_EQ(lignes[1], "o Caisson");
}

// What readers take: no facet without area in the single precision of the file, every
// edge of the welded facets met once each way; OBJ with every digit and UTF-8 names.
TEST(ExportSTL, NoFlatFacetsAndObjKeepsEveryDigitAndUtf8Names) {
  for (const char* nom : {"Voilier11.kvb", "Deriveur42.kvb", "Vedette85.kvb", "Canot52.kvb"}) {
    SCOPED_TRACE(nom);
    TDocument doc;
    ASSERT_TRUE(OuvrirFichier(doc, std::string(BRIVANE_SAMPLES) + "/" + nom));
    MajSurface(doc, true, -1);
    std::vector<TCoque> coques = CoquesPortee(doc);
    ASSERT_FALSE(coques.empty());
    int plates = 0;
    std::map<std::array<float, 3>, int> index;
    std::map<std::pair<int, int>, int> aretes;
    for (const auto& x : LitSTL(TexteSTL(coques))) {
      int s[3];
      for (int k = 0; k < 3; k++)
        s[k] = index.emplace(std::array<float, 3>{x.P[k][0], x.P[k][1], x.P[k][2]}, int(index.size()))
                   .first->second;
      const float u[3] = {x.P[1][0] - x.P[0][0], x.P[1][1] - x.P[0][1], x.P[1][2] - x.P[0][2]};
      const float v[3] = {x.P[2][0] - x.P[0][0], x.P[2][1] - x.P[0][1], x.P[2][2] - x.P[0][2]};
      const float n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
      plates += n[0] == 0 && n[1] == 0 && n[2] == 0;
      for (int k = 0; k < 3; k++) aretes[{s[k], s[(k + 1) % 3]}]++;
    }
    EXPECT_EQ(plates, 0);
    int mauvaises = 0;
    for (const auto& [a, n] : aretes) mauvaises += n != 1 || !aretes.count({a.second, a.first});
    EXPECT_EQ(mauvaises, 0);
    const std::string obj = TexteOBJ(coques);
    size_t lus = 0;
    for (const auto& l : Coupe(obj)) {
      if (l.rfind("v ", 0) != 0) continue;
      std::stringstream ss(l.substr(2));
      double x, y, z;
      ss >> x >> y >> z;
      if (lus < coques[0].Sommets.size()) {
        const TVertex3f& p = coques[0].Sommets[lus];
        EXPECT_TRUE(x == p.X && y == p.Y && z == p.Z) << l;
      }
      lus++;
    }
  }
  TDocument doc;
  doc.Vider();
  TDXFSurface& f = AjouteGrille(doc, "Bordé", 3, 3);
  f.JonctionSym = true;
  f.CalcSurface();
  const std::string fichier = Dossier() + "bord.obj";
  ASSERT_TRUE(ExportOBJ(doc, fichier).Ok);
  EXPECT_NE(Lit(fichier).find("o Bord\xC3\xA9\r\n"), std::string::npos);
}

namespace {

// What admesh says of a file: its output, or empty when it could not be run.
std::string Admesh(const std::string& fichier) {
  std::string r;
  FILE* f = popen(("admesh '" + fichier + "' 2>&1").c_str(), "r");
  if (!f) return r;
  char b[4096];
  size_t n;
  while ((n = fread(b, 1, sizeof b, f)) > 0) r.append(b, n);
  return pclose(f) == 0 ? r : std::string();
}

}  // namespace

// A second reader: admesh checks and repairs what slicers need (every edge shared the
// right way, no flat facet, normals that agree with the corners). Each sample's file,
// at its own precision and at a fine one, must need no repair at all.
TEST(ExportSTL, AdmeshFindsNothingToFixInAnySample) {
  for (const char* nom : {"Voilier11.kvb", "Deriveur42.kvb", "Vedette85.kvb", "Canot52.kvb"})
    for (int precision : {0, 60}) {
      SCOPED_TRACE(std::string(nom) + " " + std::to_string(precision));
      TDocument doc;
      ASSERT_TRUE(OuvrirFichier(doc, std::string(BRIVANE_SAMPLES) + "/" + nom));
      if (precision) ChangePrecision(doc, precision);
      MajSurface(doc, true, -1);
      const std::string fichier = Dossier() + "admesh.stl";
      ASSERT_TRUE(ExportSTL(doc, fichier).Ok);
      const std::string sortie = Admesh(fichier);
      ASSERT_FALSE(sortie.empty()) << "admesh (scripts/install-deps.sh) did not run";
      for (const char* champ :
           {"Degenerate facets", "Edges fixed", "Facets removed", "Facets added", "Facets reversed",
            "Backwards edges", "Normals fixed", "Total disconnected facets"}) {
        std::smatch m;
        ASSERT_TRUE(std::regex_search(sortie, m, std::regex(std::string(champ) + R"(\s*:\s*(\d+)\s+(\d+)?)")))
            << champ << "\n"
            << sortie;
        EXPECT_EQ(m[1].str(), "0") << champ << "\n" << sortie;
        if (m[2].matched) {
          EXPECT_EQ(m[2].str(), "0") << champ;
        }
      }
    }
}
