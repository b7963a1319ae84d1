// The table of offsets: row keys and rounding against the levels, edge
// crossings, hidden surfaces, and the export file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "Aides.h"
#include "lines/TabCotes.h"

namespace {

// The session's upkeep before the table: every surface evaluated.
void Cotes(TDocument& doc, const std::vector<int>& surfaces, TCroisementCotes c, TTableCotes& t) {
  MajSurface(doc, true, -1);
  CalculeTableCotes(doc, surfaces, c, t);
}

using aides::Grille;

std::vector<std::string> Cles(const TTableCotes& t) {
  std::vector<std::string> r;
  for (size_t k = 1; k < t.Lignes().size(); k++) r.push_back(t.Lignes()[k][1]);
  return r;
}

TEST(TabCotes, NoSurfaceLeavesTheHeaderAndOneNumberedRow) {
  TDocument doc;
  doc.InitDefaut();
  TTableCotes t;
  Cotes(doc, {}, TCroisementCotes::LignesEau, t);
  ASSERT_EQ(t.Lignes().size(), 2u);
  EXPECT_EQ(TexteExportCotes(t), "Num;Nom;X;Y;Z\r\n0;;;;\r\n");
  EXPECT_EQ(LignesRapportCotes(t)[0], "Num\tNom\tX\tY\tZ");
}

TEST(TabCotes, LevelsAreMatchedAfterRoundingToFourDecimals) {
  TTableCotes t;
  // On the level after rounding, listed with its rounded height; then a segment crossing it.
  TCoupe c{{TPt3D({1, 2, 0.50004}), TPt3D({1.5, 2, 0.7}), TPt3D({2, 2, 0.5002}), TPt3D({2, 2, 0.4})}};
  IntersectionCoupleLE(t, c, 0.5);
  ASSERT_EQ(t.NbDonnees(), 2);
  EXPECT_EQ(t.Lignes()[1][1], "LE_0.50");
  EXPECT_EQ(t.Lignes()[1][4], "0.5000");
  EXPECT_EQ(t.Lignes()[2][2], "2.0000");
  EXPECT_EQ(t.Lignes()[2][4], "0.5000");
  // A closed line starting on the level lists its first point twice.
  TTableCotes b;
  TCoupe boucle{{TPt3D({0, 0, 1}), TPt3D({1, 0, 2}), TPt3D({0, 0, 3}), TPt3D({-1, 0, 2}), TPt3D({0, 0, 1})}};
  IntersectionCoupleLE(b, boucle, 1);
  IntersectionCoupleLE(b, boucle, 2);
  EXPECT_EQ(Cles(b), (std::vector<std::string>{"LE_1.00", "LE_1.00", "LE_2.00", "LE_2.00"}));
  // Buttocks: half-breadths rounded to five decimals.
  TTableCotes l;
  TCoupe axe{{TPt3D({0.000004, 0, 0}), TPt3D({0.3, 0, 1}), TPt3D({0.2, 0, 2})}, {TPt3D({0.25, 1, 1})}};
  IntersectionCoupleLg(l, axe, 0);
  IntersectionCoupleLg(l, axe, 0.25);
  EXPECT_EQ(Cles(l), (std::vector<std::string>{"Lg_0.00", "Lg_0.25", "Lg_0.25", "Lg_0.25"}));
  EXPECT_EQ(l.Lignes()[1][2], "0.0000");
  EXPECT_EQ(l.Lignes()[4][3], "1.0000");  // the one-point polyline
}

TEST(TabCotes, EdgesOfBothHalvesAndTheirCorners) {
  TDocument doc;
  // Rows along Y from 0 to 3, columns across X from 0.5 to 1.5, Z = -row.
  TEntity& s = aides::AjouteMaillage(doc, "Coque", Grille(3, 2, [](int i, int j) {
                                       return TVertex3f{0.5 + 0.5 * j, double(i), -0.25 * i};
                                     }));
  TTableCotes t;
  IntersectionCoupleAretes(t, s, 1.5);
  // Br_1 and Br_2 are rows 0 and 3 (Y = 0 and 3): not crossed; Br_3 and Br_4 once, on each half.
  EXPECT_EQ(Cles(t), (std::vector<std::string>{"Br_3_Coque_1.50", "Br_3_Coque_1.50", "Br_4_Coque_1.50",
                                               "Br_4_Coque_1.50"}));
  EXPECT_EQ(t.Lignes()[1][2], "0.5000");
  EXPECT_EQ(t.Lignes()[2][2], "-0.5000");  // the mirror half comes second
  // Through the last row: every node of it, the far corner [3][2] included. The
  // mirror grid's rows run the other way: its first row is the image of that one.
  TTableCotes c;
  IntersectionCoupleAretes(c, s, 3);
  std::vector<std::string> cles = Cles(c);
  EXPECT_EQ(std::count(cles.begin(), cles.end(), "Br_2_Coque_3.00"), 3);
  EXPECT_EQ(std::count(cles.begin(), cles.end(), "Br_1_Coque_3.00"), 3);
  EXPECT_EQ(std::count(cles.begin(), cles.end(), "Br_4_Coque_3.00"), 2);
  EXPECT_EQ(std::count(cles.begin(), cles.end(), "Br_3_Coque_3.00"), 2);
  s.Sym = false;
  TTableCotes u;
  IntersectionCoupleAretes(u, s, 3);
  EXPECT_EQ(u.NbDonnees(), 5);
  EXPECT_EQ(u.Lignes()[3][2], "1.5000");
  EXPECT_EQ(u.Lignes()[5][1], "Br_4_Coque_3.00");
}

TEST(TabCotes, CalculationListsSectionsThenEdgesAndAHiddenSurfaceOnlyByItsEdges) {
  TDocument doc;
  TEntity& s = aides::AjouteMaillage(doc, "Coque", Grille(4, 10, [](int i, int j) {
                                       return TVertex3f{1 - 0.2 * i, 0.5 * j, -0.25 * i};
                                     }));
  doc.Grille.NbSec = 2, doc.Grille.PosSec[0] = 1, doc.Grille.PosSec[1] = 3;
  doc.Grille.NbLE = 2, doc.Grille.PosLgE[0] = -0.5, doc.Grille.PosLgE[1] = -0.8;
  ReconstruitTablesCoupes(doc);
  TTableCotes t;
  Cotes(doc, {0}, TCroisementCotes::LignesEau, t);
  std::vector<std::string> attendu = {"LE_-0.50", "LE_-0.80", "LE_-0.50", "LE_-0.80"};
  for (const char* k : {"Br_1", "Br_2"})
    for (int n = 0; n < 2; n++) attendu.push_back(std::string(k) + "_Coque_1.00");
  for (const char* k : {"Br_1", "Br_2"})
    for (int n = 0; n < 2; n++) attendu.push_back(std::string(k) + "_Coque_3.00");
  EXPECT_EQ(Cles(t), attendu);
  EXPECT_EQ(t.Lignes()[1][0], "0");
  EXPECT_EQ(t.Lignes().back()[0], std::to_string(attendu.size() - 1));
  EXPECT_EQ(t.Lignes()[1][2], "0.6000");

  // Hidden after its shape changed: a hidden surface has no lines, so no level rows (neither
  // computed for it nor the ones it held when shown); its edges come from its present grid.
  s.Visible = false;
  for (auto& r : s.Pts)
    for (auto& p : r) p.X += 1;
  s.MarqueNonCalculee();
  s.CalcSurface();
  Cotes(doc, {0}, TCroisementCotes::LignesEau, t);
  attendu.erase(attendu.begin(), attendu.begin() + 4);
  EXPECT_EQ(Cles(t), attendu);
  // Row 0 of the grid lies at X = 1, moved by 1.
  EXPECT_EQ(t.Lignes()[1][2], "2.0000");
}

TEST(TabCotes, ExportReplacesTheFileAndReportsAFailedWrite) {
  TTableCotes t;
  t.AjouteEntree("Br_1_Carène_1.00", {1, 2, 3});
  t.Numerote();
  namespace fs = std::filesystem;
  fs::path dir = fs::temp_directory_path() / ("brivane_cotes_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  fs::path f = dir / "cotes.txt";
  { std::ofstream(f) << "ancien contenu bien plus long que le nouveau, qui doit disparaitre\n"; }
  ExporteTableCotes(t, f.string());
  std::ifstream in(f, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  EXPECT_EQ(ss.str(), "Num;Nom;X;Y;Z\r\n0;Br_1_Car\xE8ne_1.00;1.0000;2.0000;3.0000\r\n");
  EXPECT_FALSE(fs::exists(dir / "cotes.txt.tmp"));
  EXPECT_THROW(ExporteTableCotes(t, (dir / "absent" / "cotes.txt").string()), TErreurExportCotes);
  fs::remove_all(dir);
}

}  // namespace
