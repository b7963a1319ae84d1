// Page layout of a printed view and the report heading, against figures worked out
// by hand from the paper sizes and the scale.
#include <gtest/gtest.h>

#include <cmath>

#include "base/MiseEnPage.h"
#include "model/EnteteRapport.h"

namespace {

// A4 at 300 dpi, no margin: 2480 x 3508 device pixels.
TPilote A4(int marge = 0) {
  TPilote p;
  p.Physique = {2480, 3508};
  p.Offset = {marge, marge};
  p.Page = {2480 - 2 * marge, 3508 - 2 * marge};
  return p;
}

TEST(MiseEnPage, PageNumberSplitsIntoColumnAndRow) {
  EXPECT_EQ(ColonneLigne(5, 2), (TPointI{1, 3}));
  EXPECT_EQ(ColonneLigne(1, 2), (TPointI{1, 1}));
  EXPECT_EQ(ColonneLigne(6, 2), (TPointI{2, 3}));
  EXPECT_EQ(ColonneLigne(4, 3), (TPointI{1, 2}));
  // Each page of a 3 x 4 block has its own place, row after row.
  for (int p = 1; p <= 12; p++) {
    TPointI cr = ColonneLigne(p, 3);
    EXPECT_EQ((cr.Y - 1) * 3 + cr.X, p);
  }
}

TEST(MiseEnPage, PreviewBoxAndPrintableArea) {
  auto a = CalculeApercu(A4(118));  // a 10 mm margin at 300 dpi
  ASSERT_TRUE(a);
  EXPECT_EQ(a->H, 297);
  EXPECT_EQ(a->L, static_cast<int>(std::lround(297.0 * 2480 / 3508)));
  // The margin is the same on both sides of the box.
  EXPECT_EQ(a->Gauche, 10);
  EXPECT_EQ(a->L - a->Droite, a->Gauche);
  EXPECT_NEAR(a->H - a->Bas, a->Haut, 1);
  // Landscape: the longer side across.
  TPilote l = A4();
  std::swap(l.Physique.X, l.Physique.Y);
  std::swap(l.Page.X, l.Page.Y);
  auto b = CalculeApercu(l);
  ASSERT_TRUE(b);
  EXPECT_EQ(b->L, 297);
  EXPECT_EQ(b->H, a->L);
  // Sizes of zero divide nothing: no layout.
  TPilote z = A4();
  z.Physique.X = 0;
  EXPECT_FALSE(CalculeApercu(z));
  z = A4();
  z.Page.Y = 0;
  EXPECT_FALSE(CalculeApercu(z));
}

TEST(MiseEnPage, FixedScaleNeedsTheRightBlockOfPages) {
  // 1/10 with a preview 210 pixels wide for 210 mm: 1 m is 100 mm, i.e. 100 pixels.
  TApercu a;
  a.L = 210, a.H = 297, a.Droite = 210, a.Bas = 297;
  const double e = EchelleFixe(a.L, 210, 10);
  EXPECT_DOUBLE_EQ(e, 100.0);
  // Twice the preview pixels for the same paper: twice the pixels per metre.
  EXPECT_DOUBLE_EQ(EchelleFixe(420, 210, 10), 200.0);
  EXPECT_DOUBLE_EQ(EchelleFixe(210, 210, 20), 50.0);
  auto b = BlocFixe(e, {0, 12, -0.5, 1.5}, a);  // a 12 m model, 2 m high
  ASSERT_TRUE(b);
  EXPECT_EQ(b->NbPagesH, static_cast<int>(std::trunc(1200.0 / 210 + 1)));
  EXPECT_EQ(b->NbPagesH, 6);
  EXPECT_EQ(b->NbPagesV, 1);
  EXPECT_EQ(b->NbPages(), 6);
  // The drawing sits in the middle of the block: equal margins left and right, top and bottom.
  const double gauche = b->OrigineBloc.X + 0 * 100.0 - a.Gauche;
  const double droite = a.Gauche + 6 * 210 - (b->OrigineBloc.X + 12 * 100.0);
  EXPECT_NEAR(gauche, droite, 1);
  const double haut = (b->OrigineBloc.Y - 1.5 * 100.0) - a.Haut;
  const double bas = a.Haut + 297 - (b->OrigineBloc.Y + 0.5 * 100.0);
  EXPECT_NEAR(haut, bas, 1);
  // An empty printable area, a zero scale, or a block beyond reason give no layout.
  TApercu vide = a;
  vide.Droite = vide.Gauche;
  EXPECT_FALSE(BlocFixe(100.0, {0, 12, 0, 1}, vide));
  EXPECT_FALSE(BlocFixe(0.0, {0, 12, 0, 1}, a));
  EXPECT_FALSE(BlocFixe(1e9, {0, 12, 0, 1}, a));
  EXPECT_EQ(EchelleFixe(210, 0, 10), 0);
}

TEST(MiseEnPage, PagesOfABlockTileWithoutGapOrOverlap) {
  TApercu a;
  a.L = 210, a.H = 297, a.Gauche = 7, a.Haut = 9, a.Droite = 203, a.Bas = 288;
  auto b = BlocFixe(77.0, {-1.3, 14.2, -2.1, 3.4}, a);
  ASSERT_TRUE(b);
  // A model point lands on exactly one page; on it, at the same place as on the block.
  for (double u : {-1.3, 0.0, 2.71, 9.9, 14.2}) {
    const double xb = b->OrigineBloc.X + u * 77.0 - a.Gauche;  // from the block's left edge
    int vus = 0;
    for (int c = 1; c <= b->NbPagesH; c++) {
      TPointI o = OriginePage(b->OrigineBloc, c, 1, a.LargImp(), a.HautImp());
      const double x = o.X + u * 77.0;
      if (x >= a.Gauche && x < a.Droite) {
        vus++;
        EXPECT_DOUBLE_EQ(x - a.Gauche + (c - 1) * a.LargImp(), xb);
      }
    }
    EXPECT_EQ(vus, 1) << u;
  }
}

TEST(MiseEnPage, ScreenScaleFitsTheViewAndKeepsItsCentre) {
  auto a = CalculeApercu(A4());
  ASSERT_TRUE(a);
  // A view 800 x 400 at 50 px/m, origin at (100, 300): the model point at the window's
  // centre is (400 - 100, 200 - 300) pixels from the origin, i.e. (6, -2) m.
  auto b = BlocEcran(50, 800, 400, {100, 300}, *a);
  ASSERT_TRUE(b);
  EXPECT_DOUBLE_EQ(b->Echelle, std::min(50.0 * a->LargImp() / 800, 50.0 * a->HautImp() / 400));
  EXPECT_EQ(b->NbPages(), 1);
  EXPECT_NEAR(b->OrigineBloc.X + 6 * b->Echelle, a->L / 2.0, 1);
  EXPECT_NEAR(b->OrigineBloc.Y - 2 * b->Echelle, a->H / 2.0, 1);
  EXPECT_FALSE(BlocEcran(50, 0, 400, {0, 0}, *a));
  EXPECT_FALSE(BlocEcran(0, 800, 400, {0, 0}, *a));
}

TEST(MiseEnPage, PrinterPixelsKeepTheScaleOnPaper) {
  TPilote p = A4(118);
  auto a = CalculeApercu(p);
  ASSERT_TRUE(a);
  const double e = EchelleFixe(a->L, 210, 20);
  const TConversionImp c = VersImprimante(e, {a->Gauche + 40, a->Haut + 25}, *a, p);
  // At 1/20 a metre is 50 mm: 50 / 25.4 x 300 dpi pixels, to the rounding of A4 in pixels.
  EXPECT_NEAR(c.EchelleImp, 50 / 25.4 * 300, 0.2);
  // The printer's painter starts at the printable area: the area's corner is (0, 0).
  EXPECT_NEAR(c.Origine.X, 40.0 * p.Page.X / a->LargImp(), 1);
  EXPECT_NEAR(c.Origine.Y, 25.0 * p.Page.Y / a->HautImp(), 1);
  const TConversionImp coin = VersImprimante(e, {a->Gauche, a->Haut}, *a, p);
  EXPECT_EQ(coin.Origine, (TPointI{0, 0}));
}

TEST(MiseEnPage, PaperOrientationAndTheSizeWarning) {
  EXPECT_EQ(OrientePapier(297, 210, false).H, 210);
  EXPECT_EQ(OrientePapier(210, 297, true).H, 297);
  EXPECT_EQ(OrientePapier(210, 297, true).V, 210);
  // A4 on an A4 printer, its size from 300 dpi pixels (2480 x 3508): no warning, either
  // way round.
  const double a4L = 2480 * 25.4 / 300, a4H = 3508 * 25.4 / 300;
  EXPECT_FALSE(TaillesPapierDifferentes(210, 297, a4L, a4H));
  EXPECT_FALSE(TaillesPapierDifferentes(297, 210, a4L, a4H));
  EXPECT_FALSE(TaillesPapierDifferentes(216, 279, 215.9, 279.4));  // Letter, its inch sizes
  // A3 on an A4 printer has A4's proportion but not its size: warned; so is Letter.
  EXPECT_TRUE(TaillesPapierDifferentes(297, 420, a4L, a4H));
  EXPECT_TRUE(TaillesPapierDifferentes(148, 210, a4L, a4H));
  EXPECT_TRUE(TaillesPapierDifferentes(216, 279, a4L, a4H));
  // Just inside and just outside the tolerance, on each side.
  EXPECT_FALSE(TaillesPapierDifferentes(210, 297, 210 + TolerancePapierMm - 0.01, 297));
  EXPECT_TRUE(TaillesPapierDifferentes(210, 297, 210, 297 + TolerancePapierMm + 0.01));
  EXPECT_FALSE(TaillesPapierDifferentes(0, 297, a4L, a4H));
  EXPECT_FALSE(TaillesPapierDifferentes(210, 297, 0, a4H));
}

TEST(MiseEnPage, EditsTakeOnlyWhatTheyCanHold) {
  EXPECT_EQ(TexteCopies("250"), 100);
  EXPECT_EQ(TexteCopies("0"), 1);
  EXPECT_EQ(TexteCopies(" 3 "), 3);
  EXPECT_FALSE(TexteCopies(""));
  EXPECT_FALSE(TexteCopies("-"));
  EXPECT_FALSE(TexteCopies("2x"));
  EXPECT_EQ(TexteEchellePerso("0"), 1);
  EXPECT_EQ(TexteEchellePerso("-4"), 1);
  EXPECT_EQ(TexteEchellePerso("abc"), 10);
  EXPECT_EQ(TexteEchellePerso(""), 10);
  EXPECT_EQ(TexteEchellePerso("25"), 25);
  EXPECT_EQ(TexteEchellePerso("99999999999999"), 1000);
  EXPECT_EQ(TextePage("9", 6), 6);
  EXPECT_EQ(TextePage("0", 6), 1);
  EXPECT_FALSE(TextePage("x", 6));
  EXPECT_EQ(TitreTravail("/bateaux/Voilier11.kvb"), "Brivane - Voilier11.kvb");
  EXPECT_EQ(TitreTravail(""), "Brivane - ");
}

TEST(EnteteRapport, PropertiesCutToTheirLimitsAndTheHeadingBlock) {
  EXPECT_EQ(CoupeCaracteres("Société", 5), "Socié");
  EXPECT_EQ(CoupeCaracteres("abc", 10), "abc");
  EXPECT_EQ(CoupeCaracteres("éé", 1), "é");
  TSaisieProprietes s;
  s.Titre = std::string(60, 'T');
  s.Version = "1.2.3.4.5.6.7.8.9.10.11";
  s.Date = "2026-12-09 18:00";
  s.Societe = "Chantier Naval Société";
  s.Commentaire = {"ligne 1", "", "ligne 3", "", ""};
  TPropFich p = ProprietesSaisies(s);
  EXPECT_EQ(p.Titre, std::string(50, 'T'));
  EXPECT_EQ(p.Version.size(), 20u);
  EXPECT_EQ(p.Date, "2026-12-09");
  EXPECT_EQ(p.Societe, s.Societe);
  EXPECT_EQ(p.Commentaire, (std::vector<std::string>{"ligne 1", "", "ligne 3"}));
  p.Archi = "A. Martin";
  auto e = EnteteRapport(p, "Hydrostatique");
  ASSERT_EQ(e.size(), 7u);
  EXPECT_EQ(e[0], "Brivane - Hydrostatique");
  EXPECT_EQ(e[1], p.Titre);
  EXPECT_EQ(e[2], "A. Martin");
  EXPECT_EQ(e[3], p.Version);
  EXPECT_EQ(e[4], "2026-12-09");
  EXPECT_EQ(e[5], "________________________________");
  EXPECT_EQ(e[6], "");
}

}  // namespace

#include "base/PlaceFenetre.h"

namespace {

TEST(PlaceFenetre, StoredPlaceComesBackOnAScreenThatExists) {
  const TRectEcran defaut{10, 10, 800, 600};
  const std::vector<TRectEcran> un = {{0, 0, 1920, 1040}};
  const std::vector<TRectEcran> deux = {{0, 0, 1920, 1040}, {1920, 0, 1280, 1000}};
  // On the screen: kept as it was.
  EXPECT_EQ(PlaceSurEcran({100, 50, 1000, 700}, un, defaut), (TRectEcran{100, 50, 1000, 700}));
  // On a second screen that is gone: the default place.
  EXPECT_EQ(PlaceSurEcran({2200, 100, 900, 700}, un, defaut), defaut);
  EXPECT_EQ(PlaceSurEcran({2200, 100, 900, 700}, deux, defaut), (TRectEcran{2200, 100, 900, 700}));
  // Half off the right edge: moved in, whole.
  EXPECT_EQ(PlaceSurEcran({1500, 600, 800, 600}, un, defaut), (TRectEcran{1120, 440, 800, 600}));
  // Across two screens: onto the one it covers most, shrunk to its size.
  EXPECT_EQ(PlaceSurEcran({1800, -20, 1500, 1100}, deux, defaut), (TRectEcran{1920, 0, 1280, 1000}));
  // Only a sliver visible, or sizes that are no window: the default.
  EXPECT_EQ(PlaceSurEcran({1900, 1000, 800, 600}, un, defaut), defaut);
  EXPECT_EQ(PlaceSurEcran({100, 100, 0, 600}, un, defaut), defaut);
  EXPECT_EQ(PlaceSurEcran({100, 100, 800, -5}, un, defaut), defaut);
  EXPECT_EQ(PlaceSurEcran({100, 100, 800, 600}, {}, defaut), defaut);
}

}  // namespace

TEST(PlaceFenetre, ALayoutLargerThanItsZoneIsScaledWhole) {
  const TRectEcran zone{0, 0, 1000, 700};
  // A layout that fits stays as it is, even one window alone at its place.
  const std::vector<TRectEcran> petit{{10, 10, 400, 300}, {410, 10, 400, 300}};
  EXPECT_EQ(DispositionDansZone(petit, zone), petit);
  EXPECT_TRUE(DispositionDansZone({}, zone).empty());
  // Two by two on a screen 2.6 times as wide: scaled, still apart, each in the zone.
  std::vector<TRectEcran> grand;
  for (int i = 0; i < 4; i++) grand.push_back({(i % 2) * 1300, (i / 2) * 1000, 1300, 1000});
  const std::vector<TRectEcran> r = DispositionDansZone(grand, zone);
  ASSERT_EQ(r.size(), 4u);
  auto dedans = [&zone](const TRectEcran& a) {
    return a.X >= zone.X && a.Y >= zone.Y && a.X + a.L <= zone.X + zone.L && a.Y + a.H <= zone.Y + zone.H;
  };
  auto separes = [](const TRectEcran& a, const TRectEcran& b) {
    return a.X + a.L <= b.X || b.X + b.L <= a.X || a.Y + a.H <= b.Y || b.Y + b.H <= a.Y;
  };
  for (size_t i = 0; i < r.size(); i++) {
    EXPECT_TRUE(dedans(r[i])) << i;
    for (size_t j = 0; j < i; j++) EXPECT_TRUE(separes(r[i], r[j])) << i << " " << j;
  }
  // The scale of the layout: half the zone's width each, within a pixel.
  EXPECT_NEAR(r[1].X, 500, 1);
  EXPECT_NEAR(r[0].L, 500, 1);
  EXPECT_NEAR(r[2].Y, 350, 1);
  // Off the zone's top-left (a screen left of this one): moved in, the size kept.
  const std::vector<TRectEcran> decale = DispositionDansZone({{-300, -50, 400, 300}}, zone);
  EXPECT_EQ(decale.front(), (TRectEcran{0, 0, 400, 300}));
  // Views with a gap of one pixel keep a gap or share an edge, never overlap, at any scale.
  for (int l = 301; l < 2600; l += 97) {
    const std::vector<TRectEcran> v{{0, 0, l, 200}, {l + 1, 0, l, 200}, {2 * l + 2, 0, l, 200}};
    const std::vector<TRectEcran> s = DispositionDansZone(v, zone);
    for (size_t i = 1; i < s.size(); i++) EXPECT_LE(s[i - 1].X + s[i - 1].L, s[i].X) << l;
    EXPECT_LE(s.back().X + s.back().L, zone.L) << l;
  }
}
