// The lines grid: standard spacing over known extents, the dialog's count and
// cell rules, and applying a grid to a document.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "Aides.h"
#include "base/Chaines.h"
#include "base/FichierStr.h"
#include "document/GestFich.h"
#include "lines/Grille.h"

namespace {

// The session's upkeep before the rule: every surface evaluated.
TEspacement Standard(TDocument& doc, TFamilleLignes f, int n) {
  MajSurface(doc, true, -1);
  return EspacementStandard(doc, f, n);
}

// A flat-sided box hull: X from x0 to x1 across the rows' width, Y along the
// columns, Z down the rows.
TEntity& Caisson(TDocument& doc, double y0, double y1, double z0, double z1, double x0 = 0.5,
                 double x1 = 1.5) {
  return aides::AjouteMaillage(
      doc, "Coque", aides::Grille(4, 10, [=](int i, int j) {
        return TVertex3f{x0 + (x1 - x0) * j / 10.0, y0 + (y1 - y0) * j / 10.0, z0 + (z1 - z0) * i / 4.0};
      }));
}

TEST(Grille, SectionsSpanTheDesignWaterlineOrTheWholeLengthAboveIt) {
  TDocument doc;
  Caisson(doc, 0.2, 5.8, -0.5, 0.5);
  TEspacement e = Standard(doc, flSections, 11);
  ASSERT_EQ(e.Pos.size(), 11u);
  for (int i = 0; i < 11; i++) EXPECT_NEAR(e.Pos[i], 0.2 + 0.56 * i, 1e-6) << i;
  EXPECT_NEAR(e.Pas, 0.56, 1e-6);

  TDocument haut;
  Caisson(haut, 1, 4, 1, 2);
  e = Standard(haut, flSections, 4);
  EXPECT_NEAR(e.Pos[0], 1, 1e-6);
  EXPECT_NEAR(e.Pos[3], 4, 1e-6);
}

TEST(Grille, StandardDiagonalsWaterlinesAndButtocks) {
  TDocument doc;
  Caisson(doc, 0, 6, 0, 1);
  TEspacement d = Standard(doc, flDiagonales, 5);
  const double pos[] = {0.2, 0.4, 0.6, 0.8, 1.0}, ang[] = {30, 42.5, 55, 67.5, 80};
  for (int i = 0; i < 5; i++) {
    EXPECT_NEAR(d.Pos[i], pos[i], 1e-6);
    EXPECT_DOUBLE_EQ(d.Angles[i], ang[i]);
  }
  TEspacement le = Standard(doc, flLignesEau, 3);
  EXPECT_NEAR(le.Pos[1], 0.5, 1e-6);
  // Every buttock is also cut through the mirror half: over a symmetric surface they
  // are spread over its main half only, or half of them would repeat the others.
  TEspacement lg = Standard(doc, flLongitudinales, 3);
  EXPECT_NEAR(lg.Pos[0], 0.5, 1e-6);
  EXPECT_NEAR(lg.Pos[2], 1.5, 1e-6);
  // A surface outside the floating body counts for neither heights nor waterline length.
  doc.Surf(0).Calc = false;
  EXPECT_EQ(Standard(doc, flLignesEau, 3).Pos, (std::vector<double>{0, 0, 0}));
}

TEST(Grille, WaterlinesSpanTheBodyNotItsAppendages) {
  TDocument doc;
  Caisson(doc, 0, 6, -0.25, 1);
  // A centreboard: short and deep.
  aides::AjouteMaillage(doc, "Derive", aides::Grille(2, 2, [](int i, int j) {
                          return TVertex3f{0.02 * j, 2.5 + 0.25 * j, -0.25 - 0.5 * i};
                        }));
  TEspacement le = EspacementStandard(doc, flLignesEau, 6);
  EXPECT_NEAR(le.Pos[0], -0.25, 1e-6);
  EXPECT_NEAR(le.Pos[5], 1, 1e-6);
  // The diagonals still run over the whole height, the centreboard's tip included.
  EXPECT_NEAR(EspacementStandard(doc, flDiagonales, 5).Pas, (1 + 1.25) / 5, 1e-6);
  // A mirrored and an unmirrored surface: the mirror half counts again.
  doc.Surf(1).Sym = false;
  TEspacement lg = EspacementStandard(doc, flLongitudinales, 3);
  EXPECT_NEAR(lg.Pos[0], -1.5, 1e-6);
  EXPECT_NEAR(lg.Pos[2], 1.5, 1e-6);
}

TEST(Grille, GivenSpacingAndGivenDistance) {
  TEspacement e = EspacementDonne(flSections, 1, 0.5, 3);
  EXPECT_EQ(e.Pos, (std::vector<double>{1, 1.5, 2}));
  // From 10 down to 0: the step is signed and the last line lands on the end.
  e = DistanceDonnee(flSections, 10, 0, 3);
  EXPECT_EQ(e.Pos, (std::vector<double>{10, 5, 0}));
  EXPECT_EQ(e.Pas, -5);
  e = DistanceDonnee(flDiagonales, 0, 1, 2);
  EXPECT_EQ(e.Angles, (std::vector<double>{30, 80}));
  EXPECT_EQ(DistanceDonnee(flSections, 3, 7, 1).Pos, (std::vector<double>{3}));
}

TEST(Grille, CountsAreRoundedAndHeldToTheirLimits) {
  EXPECT_EQ(LitCompte("150", flLignesEau), 100);
  EXPECT_EQ(LitCompte("1", flDiagonales), 2);
  EXPECT_EQ(LitCompte("0", flSections), 1);
  EXPECT_EQ(LitCompte(" 7.6 ", flSections), 8);
  EXPECT_EQ(LitCompte("1e9", flSections), 100);
  EXPECT_FALSE(LitCompte("-", flSections));
  EXPECT_FALSE(LitCompte("", flSections));
  EXPECT_FALSE(LitCompte("douze", flSections));
  EXPECT_EQ(LitScinder("12", 11), 11);
  EXPECT_EQ(LitScinder("0", 11), 1);
}

TEST(Grille, CellChecksNameTheFirstBadCell) {
  TTableGrille t;
  t.Pos = {"0.5", "1,5x", "zz"};
  EXPECT_EQ(VerifieTable(t, flSections), "1,5xn'est pas une valeur de couple correcte");
  t.Pos = {"0.5", "-2", "+3", "1e-3"};
  EXPECT_EQ(VerifieTable(t, flLignesEau), "");
  // A diagonal at 0 or 180 degrees would be the centre plane itself.
  TTableGrille d;
  d.Pos = {"0.2", "0.4"};
  d.Angles = {"45", "180"};
  EXPECT_EQ(VerifieTable(d, flDiagonales), "180n'est pas une valeur de diagonale correcte");
  d.Angles = {"0", "45"};
  EXPECT_EQ(VerifieTable(d, flDiagonales), "0n'est pas une valeur de diagonale correcte");
  d.Angles = {"90", "135"};
  EXPECT_EQ(VerifieTable(d, flDiagonales), "");
  t.Pos = {"inf"};
  EXPECT_NE(VerifieTable(t, flLongitudinales), "");
}

TEST(Grille, TablesGrowWithZerosAndTheSplitFollowsTheSections) {
  TGrille g;
  TTablesGrille t = ChargeTablesGrille(g);
  ASSERT_EQ(t.T[flDiagonales].Angles.size(), 5u);
  EXPECT_EQ(t.T[flDiagonales].Angles[1], "42.5");
  RedimTable(t, flDiagonales, 7);
  EXPECT_EQ(t.T[flDiagonales].Pos.back(), "0");
  EXPECT_EQ(t.T[flDiagonales].Angles.back(), "0");
  EXPECT_TRUE(t.T[flDiagonales].Modifiee);
  RedimTable(t, flSections, 3);
  EXPECT_EQ(t.T[flSections].Pos.size(), 3u);
  EXPECT_EQ(t.NumSc, 3);
  RemplitTable(t.T[flSections], flSections, DistanceDonnee(flSections, 0, 1, 3));
  EXPECT_EQ(t.T[flSections].Pos, (std::vector<std::string>{"0.000000", "0.500000", "1.000000"}));
  EXPECT_EQ(t.T[flSections].LabelPas, "Espacement : 0.500000");
}

TEST(Grille, ApplyingTheGridRebuildsTheLinesOnDisplay) {
  TAffichageGarde garde;  // the session's toggles come back after the test
  TDocument doc;
  TEntity& s = Caisson(doc, 0, 6, -0.5, 0.5);
  TTablesGrille t = ChargeTablesGrille(doc.Grille);
  t.T[flSections].Pos = {"1", "abc", "3"};
  t.T[flLongitudinales].Pos = {"0.75", "-1"};
  t.T[flDiagonales].Pos = {"0", "0.1"};
  t.T[flDiagonales].Angles = {"45", "x"};
  t.NumSc = 9;
  doc.Modifie = false;
  MajGrille(doc, t);
  const TGrille& g = doc.Grille;
  EXPECT_EQ(g.NbSec, 3);
  EXPECT_EQ(g.NumSc, 3);
  EXPECT_EQ(g.PosSec[1], 0);  // unreadable
  EXPECT_EQ(g.PosLongSym[0], -0.75);
  EXPECT_EQ(g.AngleDiag[1], 0);
  EXPECT_EQ(g.GrilleMin.Y, 0);
  EXPECT_EQ(g.GrilleMax.Y, 3);
  EXPECT_EQ(g.GrilleMin.X, -1);
  EXPECT_TRUE(doc.Modifie);
  // The hull display is on: sections are recomputed, the other kinds wait for their display.
  ASSERT_EQ(s.Sec.size(), 3u);
  EXPECT_TRUE(s.SecCalc);
  EXPECT_FALSE(s.LongCalc);
  EXPECT_EQ(s.Sec[0].size(), 1u);
  EXPECT_EQ(s.Long.size(), 2u);
  AffichageCalculs().Longitudinales = AffichageCalculs().Diagonales = true;
  MajCoupesSurface(doc);
  EXPECT_EQ(s.Long[0].size(), 1u);
  EXPECT_TRUE(s.Long[1].empty());  // X = -1 is on the mirror half
  EXPECT_EQ(s.LongSym[1].size(), 1u);
  EXPECT_TRUE(s.Diag[1].empty());  // the unreadable angle (0) gives no plane, and no NaN
}

TEST(Grille, MinMaxOfAnEmptyFamilyStaysAtItsStart) {
  TGrille g;
  g.NbSec = 0;
  g.PosLong[0] = 2;
  g.NbLong = 1;
  MinMaxGrille(g);
  EXPECT_EQ(g.GrilleMin.Y, 10000);
  EXPECT_EQ(g.GrilleMax.Y, -10000);
  EXPECT_EQ(g.GrilleMin.X, 2);
  EXPECT_EQ(g.GrilleMax.X, 2);
}

TEST(Grille, FreshDocumentGrid) {
  TDocument doc;
  doc.InitDefaut();
  const TGrille& g = doc.Grille;
  EXPECT_EQ(g.NbSec, 11);
  EXPECT_EQ(g.NumSc, 5);
  EXPECT_EQ(g.NbLE, 7);
  EXPECT_EQ(g.NbLong, 9);
  EXPECT_EQ(g.NbDiag, 5);
  EXPECT_LT(g.PosSec[0], g.PosSec[10]);
  // The buttocks run from the centre plane out to the half-breadth.
  EXPECT_NEAR(g.PosLong[0], 0, 1e-6);
  EXPECT_NEAR(g.PosLong[8], doc.SurfXMax, 1e-3);
  EXPECT_EQ(doc.Surf(0).Sec.size(), 11u);
  EXPECT_FALSE(doc.Modifie);
}

TEST(Grille, NumbersReadAndWrittenWithAPoint) {
  double v = 0;
  EXPECT_TRUE(LitReel(" -1.25 ", v));
  EXPECT_EQ(v, -1.25);
  EXPECT_FALSE(LitReel("1,25", v));
  EXPECT_FALSE(LitReel("nan", v));
  EXPECT_FALSE(LitReel("++1", v));
  EXPECT_EQ(FormatReel(-0.0, 6), "0.000000");
  EXPECT_EQ(FormatReel(0.125, 2), "0.12");  // ties to even, as printf
  EXPECT_EQ(FormatReel(2.5, 1), "2.5");
}

}  // namespace

namespace {

// The standard rule spreads the lines over extents kept in single precision; the dialog's cells
// show the positions without that rounding's noise ("0.9", not "0.899999"): on every sample,
// each cell is its position to within the extents' single precision, written with no more
// digits than that precision carries.
TEST(Grille, StandardPositionsReadWithoutSinglePrecisionNoise) {
  for (const char* nom : {"", "Voilier11.kvb", "Vedette85.kvb", "Canot52.kvb", "Deriveur42.kvb"}) {
    TDocument doc;
    if (*nom)
      ASSERT_TRUE(OuvrirFichier(doc, std::string(BRIVANE_SAMPLES) + "/" + nom));
    else
      doc.InitDefaut();  // the new document's one surface
    for (int f = 0; f < 3; f++)
      for (int n : {5, 7, 9, 11, 21}) {
        const TEspacement e = Standard(doc, static_cast<TFamilleLignes>(f), n);
        TTableGrille t;
        RemplitTable(t, static_cast<TFamilleLignes>(f), e);
        ASSERT_EQ(t.Pos.size(), e.Pos.size());
        for (size_t i = 0; i < e.Pos.size(); i++) {
          double v = 0;
          ASSERT_TRUE(LitReel(t.Pos[i], v));
          EXPECT_NEAR(v, e.Pos[i], 2e-6 * std::max(1.0, std::abs(e.Pos[i]))) << nom << " " << t.Pos[i];
          // Six 9s or 0s in a row are single precision's noise, not a designer's value.
          EXPECT_EQ(t.Pos[i].find("99999"), std::string::npos)
              << nom << " " << f << " " << t.Pos[i] << " " << Format("%.12f", e.Pos[i]) << " "
              << Format("%.9f", e.Pas);
        }
      }
  }
}

}  // namespace
