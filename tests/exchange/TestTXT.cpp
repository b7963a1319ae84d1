// The text export: the lines of small cases, the 2D form, and the failures of
// a line and of the write.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "Aides.h"
#include "exchange/ExportTXT.h"

using namespace aides_export;

namespace {

size_t Position(const std::vector<std::string>& l, const std::string& x, size_t debut = 0) {
  for (size_t i = debut; i < l.size(); i++)
    if (l[i] == x) return i;
  return l.size();
}

int Valeurs(const std::string& ligne) { return int(std::count(ligne.begin(), ligne.end(), ';')); }

}  // namespace

TEST(ExportTXT, NothingVisibleAndNothingCheckedIsAnEmptyFile) {
  TDocument doc;
  doc.Vider();
  AjouteGrille(doc, "Coque", 2, 2).Visible = false;
  TOptionsExport o;
  o.Aretes = o.SurfParam = true;
  const std::string f = Dossier() + "vide.txt";
  TResultatExport r = ExportTXT(doc, f, o);
  ASSERT_TRUE(r.Ok) << r.Erreur;
  EXPECT_EQ(std::filesystem::file_size(f), 0u);
}

TEST(ExportTXT, NetOfFiveRowsAndSevenColumnsWithItsEdges) {
  TDocument doc;
  doc.Vider();
  doc.Precision = 20;
  TSurface& s = AjouteNet(doc, "Coque", 5, 7, 4, 3);
  s.Coul = 255;
  s.Sym = false;
  MajSurface(doc, true, -1);
  TOptionsExport o;
  o.Aretes = true;
  const auto l = LignesTXT(doc, o);
  ASSERT_GE(l.size(), 4u + 7 + 35);
  // The export knots (order + count + 1 values): 0 x order, then i / (count - order + 2), then ones.
  EXPECT_EQ(
      (std::vector<std::string>(l.begin(), l.begin() + 11)),
      (std::vector<std::string>{"[SURFACE]", "Coque", "[COLOR]", "0000FF", "[NURBS]", "5", "7", "4", "3",
                                "0.0000;0.0000;0.0000;0.0000;0.3333;0.6667;1.0000;1.0000;1.0000;1.0000;",
                                "0.0000;0.0000;0.0000;0.1667;0.3333;0.5000;0.6667;0.8333;1.0000;1.0000;"
                                "1.0000;"}));
  EXPECT_EQ(l[11], "0.1000;0.0000;0.0000;1.0000;");
  EXPECT_EQ(l[11 + 34], "2.1000;6.0000;6.0000;1.0000;");
  // Four edges of the 21 x 21 grid follow, and nothing else.
  EXPECT_EQ(l.size(), 11u + 35 + 4 * 22);
  EXPECT_EQ(l[46], "[POLYLINE]");
  EXPECT_EQ(TexteCouleurTXT(-1), "FFFFFFFF");
  EXPECT_EQ(TexteCouleurTXT(0x123456), "123456");
}

TEST(ExportTXT, PlanViewPointsHaveTwoValuesButTheNetKeepsFour) {
  TDocument doc;
  doc.Vider();
  doc.Precision = 20;
  AjouteNet(doc, "Coque", 3, 3, 3, 3);
  MajSurface(doc, true, -1);
  TOptionsExport o;
  o.Aretes = o.SurfParam = true;
  o.Contexte = ContexteVue(tvPlan);
  const auto l = LignesTXT(doc, o);
  const size_t nurbs = Position(l, "[NURBS]");
  ASSERT_LT(nurbs, l.size());
  for (size_t i = nurbs + 7; i < nurbs + 7 + 9; i++) EXPECT_EQ(Valeurs(l[i]), 4) << l[i];
  size_t maillage = Position(l, "[MESH]");
  ASSERT_LT(maillage + 2, l.size());
  EXPECT_EQ(l[maillage + 1], "21");
  EXPECT_EQ(l[maillage + 2], "21");
  // With the mirror mesh: two meshes of 441 points, then the end of the file.
  size_t second = Position(l, "[MESH]", maillage + 1);
  EXPECT_EQ(second, maillage + 3 + 441);
  EXPECT_EQ(l.size(), second + 3 + 441);
  for (size_t i = nurbs + 16; i < l.size(); i++)
    if (l[i][0] != '[' && Valeurs(l[i]) > 0) {
      EXPECT_EQ(Valeurs(l[i]), 2) << i << " " << l[i];
    }
}

TEST(ExportTXT, LinesGridAndAxesComeAfterEverySurface) {
  TDocument doc;
  doc.Vider();
  doc.Grille.NbSec = 2, doc.Grille.NbLE = 0, doc.Grille.NbLong = 0, doc.Grille.NbDiag = 0;
  doc.Grille.PosSec = {1, 2};
  doc.Grille.GrilleMin = {0, 0, -1}, doc.Grille.GrilleMax = {2, 3, 1};
  TDXFSurface& s = AjouteGrille(doc, "GRID", 2, 2);
  s.CalcSurface();
  s.Sec.assign(2, {});
  s.SecSym.assign(2, {});
  s.Sec[0] = {{TPt3D({1, 1, 0})}};
  s.SecSym[0] = {{TPt3D({-1, 1, 0}), TPt3D({NAN, 1, 0}), TPt3D({-2, 1, 0})}, {TPt3D({-3, 1, 0})}};
  s.Sec[1] = {{TPt3D({1, 2, 0}), TPt3D({1, 2, 1})}};
  TOptionsExport o;
  o.Couples = o.Grille = o.Axes = true;
  o.CoulGrille = 0x808080;
  const auto l = LignesTXT(doc, o);
  const std::vector<std::string> attendu = {
      "[SURFACE]", "GRID", "[COLOR]", "FFFFFFFF", "[POLYLINE]", "1.0000;1.0000;0.0000;",
      // The mirrored line stops at its broken point: its second piece is not written.
      "[POLYLINE]", "-1.0000;1.0000;0.0000;", "[POLYLINE]", "1.0000;2.0000;0.0000;", "1.0000;2.0000;1.0000;",
      "[SURFACE]", "GRID", "[COLOR]", "808080", "[POLYLINE]", "0.0000;1.0000;-1.0000;",
      "0.0000;1.0000;1.0000;", "[POLYLINE]", "0.0000;2.0000;-1.0000;", "0.0000;2.0000;1.0000;", "[SURFACE]",
      "AXIS", "[COLOR]", "0000FF"};
  ASSERT_GE(l.size(), attendu.size());
  EXPECT_EQ(std::vector<std::string>(l.begin(), l.begin() + long(attendu.size())), attendu);
  EXPECT_EQ(l.size(), attendu.size() + 9);
}

TEST(ExportTXT, AFailedWriteIsReportedAndKeepsThePreviousFile) {
  TDocument doc;
  doc.Vider();
  TOptionsExport o;
  o.Axes = true;
  TResultatExport r = ExportTXT(doc, Dossier() + "absent/x.txt", o);
  EXPECT_FALSE(r.Ok);
  EXPECT_FALSE(r.Erreur.empty());
  // A target that cannot be replaced (a folder) stays as it was.
  const std::string d = Dossier() + "dossier.txt";
  std::filesystem::create_directories(d + "/dedans");
  r = ExportTXT(doc, d, o);
  EXPECT_FALSE(r.Ok);
  EXPECT_TRUE(std::filesystem::exists(d + "/dedans"));
}
