// Areas below and above the waterline, the sail plan's centre of effort and the
// lateral plane's centre, on flat plates whose areas are known by hand.
#include <gtest/gtest.h>

#include <memory>

#include "naval/Aires.h"
#include "naval/AiresVoiles.h"
#include "session/ObjCom.h"

namespace {

// A flat plate of nl x nc grid points from p0, spanned by the vectors u (rows) and v (columns).
TEntity& AjoutePlaque(TDocument& doc, const std::string& nom, TVertex3f p0, TVertex3f u, TVertex3f v,
                      bool sym, bool voile = false, int nl = 4, int nc = 3) {
  auto s = std::make_unique<TDXFSurface>(doc.NbSurf(), nc, nl);
  s->Nom = nom;
  for (int i = 0; i < nl; i++)
    for (int j = 0; j < nc; j++) s->Pts[i][j] = p0 + u * (double(i) / (nl - 1)) + v * (double(j) / (nc - 1));
  s->Sym = sym;
  s->Voile = voile;
  s->Calc = !voile;
  s->CreateTabCoupes(doc.Grille.NbSec, doc.Grille.NbLE, doc.Grille.NbLong, doc.Grille.NbDiag);
  doc.TabSurf.push_back(std::move(s));
  MajSurface(doc, true, -1);
  return doc.Surf(doc.NbSurf() - 1);
}

TEST(Aires, BelowAboveAndAcrossTheWaterline) {
  TDocument doc;
  doc.Vider();
  // A horizontal symmetric plate 1 x 2 wholly below Z = 0: both halves immersed.
  AjoutePlaque(doc, "Fond", {0.2, 0, -1}, {1, 0, 0}, {0, 2, 0}, true);
  // A vertical plate 2 long from Z = -1 to Z = 3, its grid rows at Z = -1, 1/3, 5/3, 3:
  // the waterline cuts through facets, not along a grid line.
  AjoutePlaque(doc, "Bordé", {0.5, 0, -1}, {0, 0, 4}, {0, 2, 0}, false);
  // The same plate wholly above water, symmetric.
  AjoutePlaque(doc, "Pont", {0.5, 0, 1}, {0, 0, 1}, {0, 2, 0}, true);
  const auto l = LignesAires(doc);
  ASSERT_EQ(l.size(), 3u);
  EXPECT_EQ(l[0].Nom, "Fond");
  EXPECT_NEAR(l[0].Totale, 4, 1e-6);
  EXPECT_NEAR(l[0].Immergee, 4, 1e-6);
  EXPECT_NEAR(l[0].Emergee, 0, 1e-6);
  EXPECT_NEAR(l[1].Totale, 8, 1e-6);
  EXPECT_NEAR(l[1].Immergee, 2, 1e-5);
  EXPECT_NEAR(l[1].Emergee, 6, 1e-5);
  EXPECT_NEAR(l[2].Totale, 4, 1e-6);
  EXPECT_NEAR(l[2].Immergee, 0, 1e-9);
  const TLigneAire t = TotalAires(l);
  EXPECT_NEAR(t.Immergee, 4 + 2 + 0, 1e-5);
  EXPECT_NEAR(t.Emergee, 0 + 6 + 4, 1e-5);
  EXPECT_NEAR(t.Totale, 16, 1e-5);
  // Hidden and out-of-calculation surfaces count all the same.
  doc.Surf(1).Visible = false;
  doc.Surf(1).Calc = false;
  EXPECT_NEAR(LignesAires(doc)[1].Totale, 8, 1e-6);
}

TEST(Voilure, CentreOfEffortWeightsEachSailByItsArea) {
  TDocument doc;
  doc.Vider();
  // 2 x 5 = 10 m² centred at Z 4, 3 x 10 = 30 m² centred at Z 8 (X 0, Y 1 and 2.5).
  AjoutePlaque(doc, "Foc", {0, 0, 1.5}, {0, 0, 5}, {0, 2, 0}, false, true);
  AjoutePlaque(doc, "Bordé", {0.5, 0, -1}, {0, 0, 4}, {0, 2, 0}, false);
  AjoutePlaque(doc, "GV", {0, 1, 3}, {0, 0, 10}, {0, 3, 0}, false, true);
  MajCentreVoilure(doc);
  EXPECT_NEAR(doc.CentreVoilure.Valeur, 40, 1e-6);
  EXPECT_NEAR(doc.CentreVoilure.Centre.Z, (10 * 4 + 30 * 8) / 40.0, 1e-6);
  EXPECT_NEAR(doc.CentreVoilure.Centre.Y, (10 * 1 + 30 * 2.5) / 40.0, 1e-6);
  const auto v = LignesVoiles(doc);
  ASSERT_EQ(v.size(), 2u);
  EXPECT_EQ(v[1].Nom, "GV");
  EXPECT_EQ(v[1].NumSurf, 2);
  EXPECT_NEAR(v[1].Centre.Valeur, 30, 1e-6);

  // A sail of no area (every point the same) adds nothing and does not move the centre.
  AjoutePlaque(doc, "Nulle", {9, 9, 9}, {0, 0, 0}, {0, 0, 0}, false, true);
  MajCentreVoilure(doc);
  EXPECT_NEAR(doc.CentreVoilure.Valeur, 40, 1e-6);
  EXPECT_NEAR(doc.CentreVoilure.Centre.Z, 7, 1e-6);
  EXPECT_EQ(LignesVoiles(doc).size(), 3u);

  // No sail at all: everything zero.
  for (auto& s : doc.TabSurf) s->Voile = false;
  MajCentreVoilure(doc);
  EXPECT_EQ(doc.CentreVoilure.Valeur, 0);
  EXPECT_EQ(doc.CentreVoilure.Centre, TVertex3f{});

  // The update keeps the centre current only while it is on display.
  doc.Surf(0).Voile = true;
  MajSurface(doc, false, -1);
  EXPECT_EQ(doc.CentreVoilure.Valeur, 0);
  TAffichageGarde garde;
  AffichageCalculs().CentreVoilure = true;
  MajSurface(doc, false, -1);
  EXPECT_NEAR(doc.CentreVoilure.Valeur, 10, 1e-6);
}

TEST(Voilure, LeadOverTheLateralCentre) {
  TDocument doc;
  doc.Vider();
  // A keel plate in the centre plane from Y 1 to Y 3, Z -1.5 to 0.5:
  // 3 m² below water
  // centred at Y 2, Z -0.75; its mirror adds nothing to the projection.
  AjoutePlaque(doc, "Quille", {0, 1, -1.5}, {0, 0, 2}, {0, 2, 0}, true);
  // A sail of 10 m² centred at Y 2.5; it also dips below Z = 0 but is no lateral plane.
  AjoutePlaque(doc, "GV", {0, 1.5, -1}, {0, 0, 5}, {0, 2, 0}, false, true);
  doc.Surf(1).Calc = true;
  TEquilibre e = CalcEquilibre(doc);
  EXPECT_NEAR(e.AntiDerive.Aire, 3, 1e-5);
  EXPECT_NEAR(e.AntiDerive.Y, 2, 1e-5);
  EXPECT_NEAR(e.AntiDerive.Z, -0.75, 1e-5);
  EXPECT_NEAR(e.Voilure.Valeur, 10, 1e-6);
  ASSERT_TRUE(e.Avance.has_value());
  EXPECT_NEAR(*e.Avance, 2.5 - 2, 1e-5);
  // Out of the calculation: no lateral plane, hence no lead.
  doc.Surf(0).Calc = false;
  e = CalcEquilibre(doc);
  EXPECT_EQ(e.AntiDerive.Aire, 0);
  EXPECT_FALSE(e.Avance.has_value());
}

}  // namespace
