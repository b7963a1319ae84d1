// The DXF export: group codes of small cases, layers, the 2D form and its
// extents, the grid's diagonals, and polylines always closed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "Aides.h"
#include "exchange/ExportDXF.h"
#include "exchange/ExportIGES.h"
#include "exchange/ExportTXT.h"

using namespace aides_export;

namespace {

struct TGroupe {
  std::string Code, Valeur;
};

std::vector<TGroupe> Groupes(const std::string& texte) {
  bool crlf = false;
  std::vector<std::string> l = Coupe(texte, &crlf);
  EXPECT_TRUE(crlf);
  EXPECT_EQ(l.size() % 2, 0u);
  std::vector<TGroupe> g;
  for (size_t i = 0; i + 1 < l.size(); i += 2) g.push_back({l[i], l[i + 1]});
  return g;
}

// The groups of the ENTITIES section, between its name and its ENDSEC.
std::vector<TGroupe> Entites(const std::string& texte) {
  std::vector<TGroupe> g = Groupes(texte), r;
  bool dans = false;
  for (size_t i = 0; i < g.size(); i++) {
    if (g[i].Code == "2" && g[i].Valeur == "ENTITIES") {
      dans = true;
      continue;
    }
    if (dans && g[i].Code == "0" && g[i].Valeur == "ENDSEC") break;
    if (dans) r.push_back(g[i]);
  }
  return r;
}

int Compte(const std::vector<TGroupe>& g, const std::string& code, const std::string& valeur) {
  int n = 0;
  for (const auto& x : g) n += x.Code == code && x.Valeur == valeur;
  return n;
}

std::string Texte(const std::vector<TGroupe>& g) {
  std::string s;
  for (const auto& x : g) s += x.Code + "|" + x.Valeur + "\n";
  return s;
}

TOptionsExport Options3D() {
  TOptionsExport o;
  o.Moitie = true;
  return o;
}

}  // namespace

TEST(ExportDXF, HiddenSurfacesGiveZeroExtentsAndAnEmptyEntitiesSection) {
  TDocument doc;
  doc.Vider();
  AjouteGrille(doc, "Coque", 3, 3).Visible = false;
  doc.TabSurf[0]->CalcSurface();
  TOptionsExport o = Options3D();
  o.Aretes = true;
  const std::string attendu =
      "0\r\nSECTION\r\n2\r\nHEADER\r\n9\r\n$ACADVER\r\n1\r\nAC1009\r\n9\r\n$INSBASE\r\n10\r\n0.0\r\n20\r\n0."
      "0\r\n"
      "30\r\n0.0\r\n9\r\n$EXTMIN\r\n10\r\n0.00000\r\n20\r\n0.00000\r\n30\r\n0.00000\r\n9\r\n$EXTMAX\r\n10\r\n"
      "0.00000\r\n20\r\n0.00000\r\n30\r\n0.00000\r\n9\r\n$ORTHOMODE\r\n70\r\n1\r\n9\r\n$"
      "FILLMODE\r\n70\r\n1\r\n"
      "9\r\n$INSUNITS\r\n70\r\n6\r\n9\r\n$LUNITS\r\n70\r\n2\r\n9\r\n$LUPREC\r\n70\r\n5\r\n0\r\nENDSEC\r\n"
      "0\r\nSECTION\r\n2\r\nTABLES\r\n0\r\nENDSEC\r\n0\r\nSECTION\r\n2\r\nBLOCKS\r\n0\r\nENDSEC\r\n"
      "0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\nENDSEC\r\n0\r\nEOF\r\n";
  EXPECT_EQ(TexteDXF(doc, o), attendu);
  // Grid and axes are still written when checked: two strokes a plane, one a diagonal, three axes.
  o.Grille = o.Axes = true;
  doc.Grille.NbSec = 2, doc.Grille.NbLE = 1, doc.Grille.NbLong = 1, doc.Grille.NbDiag = 2;
  doc.Grille.PosSec = {1, 2}, doc.Grille.PosLgE = {0}, doc.Grille.PosLong = {0.5};
  doc.Grille.PosDiag = {0.5, 0.2}, doc.Grille.AngleDiag = {45, 45};
  doc.Grille.GrilleMin = {0, 1, -1}, doc.Grille.GrilleMax = {2, 2, 0.6};
  auto e = Entites(TexteDXF(doc, o));
  EXPECT_EQ(Compte(e, "8", "GRID"), 2 * 4 + 2);
  EXPECT_EQ(Compte(e, "8", "AXIS"), 3);
}

TEST(ExportDXF, DiagonalsAreClippedToTheGridBoxAndNeverNaN) {
  TGrille g;
  g.GrilleMin = {-3, 0, -1}, g.GrilleMax = {2, 10, 1};
  TPoint3Export t;
  ASSERT_TRUE(TraitDiagonale(g, 0.5, 45, t));
  EXPECT_DOUBLE_EQ(t.A.X, 0);
  EXPECT_DOUBLE_EQ(t.A.Z, 0.5);
  EXPECT_NEAR(t.B.X, 1.5, 1e-12);
  EXPECT_DOUBLE_EQ(t.B.Z, -1);
  EXPECT_DOUBLE_EQ(t.B.Y, 0);
  // Rising diagonals stop at the top of the box.
  ASSERT_TRUE(TraitDiagonale(g, 0.5, 135, t));
  EXPECT_NEAR(t.B.X, 0.5, 1e-12);
  EXPECT_NEAR(t.B.Z, 1, 1e-12);
  // Vertical (0 and 180 degrees): down the centre plane to the bottom of the box.
  for (double a : {0.0, 180.0, -180.0}) {
    ASSERT_TRUE(TraitDiagonale(g, 0.5, a, t)) << a;
    EXPECT_EQ(t.B.X, 0) << a;
    EXPECT_EQ(t.B.Z, -1) << a;
  }
  // A diagonal that starts above the box enters it where its plane does.
  ASSERT_TRUE(TraitDiagonale(g, 2, 45, t));
  EXPECT_NEAR(t.A.X, 1, 1e-12);
  EXPECT_NEAR(t.A.Z, 1, 1e-12);
  // Horizontal above the box: nothing.
  EXPECT_FALSE(TraitDiagonale(g, 5, 90, t));
  TDocument doc;
  doc.Vider();
  doc.Grille = g;
  doc.Grille.NbSec = doc.Grille.NbLE = doc.Grille.NbLong = 0;
  doc.Grille.NbDiag = 2, doc.Grille.PosDiag = {0.5, 0.5}, doc.Grille.AngleDiag = {0, 45};
  TOptionsExport o = Options3D();
  o.Grille = true;
  const std::string texte = TexteDXF(doc, o);
  EXPECT_EQ(texte.find("nan"), std::string::npos);
  EXPECT_EQ(texte.find("inf"), std::string::npos);
}

TEST(ExportDXF, MeshOf31By31IsOnePolygonMeshColumnByColumn) {
  TDocument doc;
  doc.Vider();
  AjouteGrille(doc, "Coque", 30, 30).Sym = false;
  doc.TabSurf[0]->CalcSurface();
  TOptionsExport o = Options3D();
  o.SurfParam = true;
  auto e = Entites(TexteDXF(doc, o));
  EXPECT_EQ(Compte(e, "0", "POLYLINE"), 1);
  EXPECT_EQ(Compte(e, "0", "VERTEX"), 961);
  EXPECT_EQ(Compte(e, "70", "64"), 961);
  EXPECT_EQ(Compte(e, "0", "SEQEND"), 1);
  ASSERT_GE(e.size(), 14u);
  EXPECT_EQ(Texte({e.begin(), e.begin() + 6}), "0|POLYLINE\n8|Coque\n66|1\n70|16\n71|31\n72|31\n");
  // The second vertex is row 1 of column 0: (2, 0, 0.125).
  EXPECT_EQ(Texte({e.begin() + 12, e.begin() + 19}),
            "0|VERTEX\n8|Coque\n10|2.00000\n20|0.00000\n30|0.12500\n70|64\n0|VERTEX\n");
}

TEST(ExportDXF, OneAndTwoPointSectionsArePointAndLineAndLayersAreCleaned) {
  TDocument doc;
  doc.Vider();
  doc.Grille.NbSec = 2, doc.Grille.NbLE = doc.Grille.NbLong = doc.Grille.NbDiag = 0;
  TDXFSurface& s = AjouteGrille(doc, "Bord d'eau 1", 2, 2);
  s.CalcSurface();
  s.Sec.assign(2, {});
  s.SecSym.assign(2, {});
  s.Sec[0] = {{TPt3D({1, 2, 3})}};
  s.Sec[1] = {{TPt3D({1, 2, 3}), TPt3D({4, 5, 6})}};
  s.SecSym[1] = {{TPt3D({-1, 2, 3}), TPt3D({-4, 5, 6}), TPt3D({-5, 5, 7})}};
  TOptionsExport o;
  o.Couples = true;
  auto e = Entites(TexteDXF(doc, o));
  EXPECT_EQ(Texte(e),
            "0|POINT\n8|Bord_d_eau_1\n10|1.00000\n20|2.00000\n30|3.00000\n"
            "0|LINE\n8|Bord_d_eau_1\n10|1.00000\n20|2.00000\n30|3.00000\n11|4.00000\n21|5.00000\n31|6.00000\n"
            "0|POLYLINE\n8|Bord_d_eau_1\n66|1\n70|8\n"
            "0|VERTEX\n8|Bord_d_eau_1S\n10|-1.00000\n20|2.00000\n30|3.00000\n70|32\n"
            "0|VERTEX\n8|Bord_d_eau_1S\n10|-4.00000\n20|5.00000\n30|6.00000\n70|32\n"
            "0|VERTEX\n8|Bord_d_eau_1S\n10|-5.00000\n20|5.00000\n30|7.00000\n70|32\n0|SEQEND\n");
  // Mirrored edges: plain layer on the headers, "S" on the vertices.
  o.Couples = false, o.Aretes = true;
  e = Entites(TexteDXF(doc, o));
  EXPECT_EQ(Compte(e, "0", "POLYLINE"), 8);
  EXPECT_EQ(Compte(e, "8", "Bord_d_eau_1S"), 4 * 3);
  EXPECT_EQ(CalqueDXF("Bordé (avant)"), "Borde__avant_");
  EXPECT_EQ(CalqueDXF("$a-b_C9"), "$a-b_C9");
}

// Accented names give the same letters as the IGES labels; a coordinate that rounds to
// zero is written without a sign, in DXF as in the text export.
TEST(ExportDXF, AccentsAreTransliteratedAsInIgesAndNoNegativeZero) {
  for (const std::string nom : {"Bordé", "Dérive", "Œuvre morte", "Ça ß"}) {
    const std::string calque = CalqueDXF(nom);
    EXPECT_EQ(calque.find('_') == std::string::npos, nom.find(' ') == std::string::npos) << calque;
    std::string attendu = Hollerith(nom);
    attendu = attendu.substr(attendu.find('H') + 1);
    for (char& c : attendu)
      if (c == ' ') c = '_';
    EXPECT_EQ(calque, attendu);
  }
  EXPECT_EQ(CalqueDXF("Bordé"), "Borde");
  EXPECT_EQ(CalqueDXF("Dérive"), "Derive");
  TDocument doc;
  doc.Vider();
  doc.Grille.NbSec = 1, doc.Grille.NbLE = doc.Grille.NbLong = doc.Grille.NbDiag = 0;
  TDXFSurface& s = AjouteGrille(doc, "Quille", 2, 2);
  s.CalcSurface();
  s.Sec.assign(1, {});
  s.SecSym.assign(1, {});
  s.Sec[0] = {{TPt3D({-1e-7, -0.000004, 3}), TPt3D({-0.0, 5, -1e-9})}};
  TOptionsExport o;
  o.Couples = true;
  const std::string dxf = TexteDXF(doc, o);
  EXPECT_EQ(dxf.find("-0.00000"), std::string::npos);
  EXPECT_NE(dxf.find("\r\n10\r\n0.00000\r\n20\r\n0.00000\r\n30\r\n3.00000\r\n"), std::string::npos);
  std::vector<std::string> txt = LignesTXT(doc, o);
  ASSERT_GE(txt.size(), 2u);
  EXPECT_EQ(std::count(txt.begin(), txt.end(), "0.0000;0.0000;3.0000;"), 1);
  EXPECT_EQ(std::count(txt.begin(), txt.end(), "0.0000;5.0000;0.0000;"), 1);
  EXPECT_EQ(ReelFixe(-0.00004, 4), "0.0000");
  EXPECT_EQ(ReelFixe(-0.00005001, 4), "-0.0001");
}

TEST(ExportDXF, APolylineIsClosedEvenWhenAPointFailsHalfWay) {
  TDocument doc;
  doc.Vider();
  doc.Grille.NbSec = 2, doc.Grille.NbLE = doc.Grille.NbLong = doc.Grille.NbDiag = 0;
  TDXFSurface& s = AjouteGrille(doc, "S", 2, 2);
  s.Sym = false;
  s.CalcSurface();
  s.Sec.assign(2, {});
  s.Sec[0] = {{TPt3D({0, 0, 0}), TPt3D({1, 0, 0}), TPt3D({NAN, 0, 0}), TPt3D({2, 0, 0})},
              {TPt3D({5, 0, 0}), TPt3D({6, 0, 0}), TPt3D({7, 0, 0})}};
  s.Sec[1] = {{TPt3D({0, 1, 0}), TPt3D({1, 1, 0}), TPt3D({2, 1, 0})}};
  TOptionsExport o;
  o.Couples = true;
  const std::string texte = TexteDXF(doc, o);
  auto e = Entites(texte);
  EXPECT_EQ(texte.find("nan"), std::string::npos);
  // The broken piece keeps its two good vertices and is closed; its line stops; the next line is whole.
  EXPECT_EQ(Compte(e, "0", "POLYLINE"), 2);
  EXPECT_EQ(Compte(e, "0", "SEQEND"), 2);
  EXPECT_EQ(Compte(e, "0", "VERTEX"), 5);
}

TEST(ExportDXF, PlanViewHasNoZGroupsAndItsExtentsAreThoseWritten) {
  TDocument doc;
  doc.Vider();
  AjouteGrille(doc, "Coque", 3, 4);
  doc.TabSurf[0]->CalcSurface();
  TOptionsExport o;
  o.Contexte = ContexteVue(tvPlan);
  o.Aretes = o.SurfParam = o.Axes = true;
  const std::string texte = TexteDXF(doc, o);
  auto e = Entites(texte);
  for (const char* c : {"30", "31", "70", "71", "72"}) {
    int n = 0;
    for (const auto& g : e) n += g.Code == c;
    EXPECT_EQ(n, 0) << c;
  }
  // The mesh is one polyline per column (5), its mirror too; plus 8 edges.
  EXPECT_EQ(Compte(e, "0", "POLYLINE"), 5 * 2 + 8);
  double mn[2] = {1e9, 1e9}, mx[2] = {-1e9, -1e9};
  for (const auto& g : e)
    for (int k = 0; k < 2; k++)
      if (g.Code == std::to_string(10 * (k + 1)) || g.Code == std::to_string(10 * (k + 1) + 1)) {
        mn[k] = std::min(mn[k], std::stod(g.Valeur));
        mx[k] = std::max(mx[k], std::stod(g.Valeur));
      }
  // Plan view: u = y, v = -x; the grid reaches y = 8 and its mirror x = -4.
  EXPECT_DOUBLE_EQ(mx[0], 8);
  EXPECT_DOUBLE_EQ(mx[1], 4);
  auto g = Groupes(texte);
  std::map<std::string, std::vector<double>> h;
  for (size_t i = 0; i + 3 < g.size(); i++)
    if (g[i].Code == "9" && (g[i].Valeur == "$EXTMIN" || g[i].Valeur == "$EXTMAX"))
      h[g[i].Valeur] = {std::stod(g[i + 1].Valeur), std::stod(g[i + 2].Valeur)};
  EXPECT_EQ(h["$EXTMIN"], (std::vector<double>{mn[0], mn[1]}));
  EXPECT_EQ(h["$EXTMAX"], (std::vector<double>{mx[0], mx[1]}));
}
