// View framing without a window: projection and its inverse in each view, zoom,
// fit, zoom rectangle, previous and custom views, resize, keyboard, presets.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>

#include "Aide.h"
#include "edition/Cadrage.h"
#include "edition/CalageImage.h"
#include "views/Modele.h"

namespace {

TPixel Ecran(const TVertex3f& p, const TParamVue& v) {
  TPixel px;
  Pt3DVersEcran(p, px, v);
  return px;
}

TEST(Projection, InitialAnglesShowTheRightAxesInEachView) {
  const TVertex3f p{1.25, 2.5, 0.75};
  TCadrage sec(tvSection, 400, 300), plan(tvPlan, 400, 300), prof(tvProfil, 400, 300);
  // Transverse: X right, Z up (scale 100).
  EXPECT_EQ(Ecran(p, sec.Param), (TPixel{200 + 125, 150 - 75}));
  // Plan: Y right, X down (scale 50).
  EXPECT_EQ(Ecran(p, plan.Param), (TPixel{200 + 125, 150 + 62}));  // 62.5 rounds to even
  // Profile: Y right, Z up.
  EXPECT_EQ(Ecran(p, prof.Param), (TPixel{200 + 125, 150 - 38}));  // 37.5 rounds to even
  // In the plan view a point lower on the screen has a larger X.
  TVertex3f haut = CalculePt3DInv(plan.Param, 200, 100, 0), bas = CalculePt3DInv(plan.Param, 200, 200, 0);
  EXPECT_GT(bas.X, haut.X);
}

TEST(Projection, PrecomputedProjectorGivesTheSamePixelsAsTheCoreRoutine) {
  std::mt19937 g(7);
  std::uniform_real_distribution<double> d(-20, 20);
  for (int type = tvSection; type <= tvPersp; type++) {
    TCadrage c(type, 640, 480);
    c.Param.Echelle = 73.3f;
    TProjecteur pr(c.Param);
    for (int i = 0; i < 2000; i++) {
      TVertex3f p{d(g), d(g), d(g)};
      TPixel a{-1, -1};
      ASSERT_TRUE(pr.Projette(p, a));
      ASSERT_EQ(a, Ecran(p, c.Param)) << type << " " << p.X << " " << p.Y << " " << p.Z;
    }
  }
}

TEST(Projection, PointsThatCannotBeDrawnAreRefused) {
  TCadrage c(tvSection, 100, 100);
  TProjecteur pr(c.Param);
  TPixel px{5, 5};
  EXPECT_FALSE(pr.Projette({std::nan(""), 0, 0}, px));
  EXPECT_FALSE(pr.Projette({1e30, 0, 0}, px));
  EXPECT_EQ(px, (TPixel{5, 5}));
}

TEST(Projection, InverseMappingOfEachFlatViewSetsTheDepth) {
  TCadrage sec(tvSection, 500, 400), plan(tvPlan, 500, 400), prof(tvProfil, 500, 400),
      persp(tvPersp, 500, 400);
  const TVertex3f p{0.5, 3.0, -1.0};
  for (TCadrage* c : {&sec, &plan, &prof}) {
    TPixel px = Ecran(p, c->Param);
    TVertex3f q = CalculePt3DInv(c->Param, px.X, px.Y, 9.0);
    double tol = 0.5 / c->Param.Echelle;  // half a pixel
    int t = c->Param.Type;
    EXPECT_NEAR(q.X, t == tvProfil ? 9.0 : p.X, tol) << t;
    EXPECT_NEAR(q.Y, t == tvSection ? 9.0 : p.Y, tol) << t;
    EXPECT_NEAR(q.Z, t == tvPlan ? 9.0 : p.Z, tol) << t;
  }
  EXPECT_EQ(CalculePt3DInv(persp.Param, 10, 10, 5), (TVertex3f{0, 0, 0}));
  EnregistreMessages m;
  TParamVue autre;
  autre.Type = 7;
  EXPECT_EQ(CalculePt3DInv(autre, 1, 1, 1), (TVertex3f{0, 0, 0}));
  EXPECT_TRUE(m.A("Fenêtre fille non déclarée"));
}

TEST(Projection, StatusTextOfThePointUnderThePointer) {
  TCadrage sec(tvSection, 200, 200), plan(tvPlan, 200, 200), prof(tvProfil, 200, 200),
      persp(tvPersp, 200, 200);
  EXPECT_EQ(TexteCoordonnees(sec.Param, 150, 50), "X = 0.5000; Y = 0.0000; Z = 0.5000");
  EXPECT_EQ(TexteCoordonnees(plan.Param, 150, 150), "X = 1.0000; Y = 1.0000; Z = 0.0000");
  EXPECT_EQ(TexteCoordonnees(prof.Param, 50, 150), "X = 0.0000; Y = -1.0000; Z = -1.0000");
  EXPECT_EQ(TexteCoordonnees(persp.Param, 50, 150), "");
}

TEST(Zoom, LimitsKeepScaleAndOrigin) {
  TCadrage c(tvProfil, 640, 480);
  c.Param.Echelle = 2500;
  c.Param.OrigineX = 17, c.Param.OrigineY = -40;
  c.Agrandir({}, 2500);
  EXPECT_EQ(c.Param.Echelle, 2500);
  EXPECT_EQ(c.Param.OrigineX, 17);
  EXPECT_EQ(c.Param.OrigineY, -40);
  c.Param.Echelle = 5;
  c.Reduire({true, false, false});
  EXPECT_EQ(c.Param.Echelle, 5);
  EXPECT_EQ(c.Param.OrigineX, 17);
  // Just under the cap: a step that would pass it is refused, not shortened, so that
  // the steps back out still land on the scales passed on the way in.
  c.Param.Echelle = 2400;
  EXPECT_FALSE(c.Agrandir({false, true, false}, 2500));
  EXPECT_EQ(c.Param.Echelle, 2400);
  EXPECT_TRUE(c.Agrandir({true, false, false}, 2700));
  EXPECT_FLOAT_EQ(c.Param.Echelle, 2640);
}

TEST(Zoom, StepsInAndOutComeBackThroughTheLimits) {
  TCadrage c(tvPlan, 600, 400);
  c.Param.Echelle = 1000;
  // Ten steps in: the fourth would pass 2500 (1000 * 1.3^4 = 2856), so only three count.
  int pris = 0;
  for (int k = 0; k < 10; k++) pris += c.Agrandir({}, 2500);
  EXPECT_EQ(pris, 3);
  EXPECT_NEAR(c.Param.Echelle, 1000 * 1.3 * 1.3 * 1.3, 1e-2);
  for (int k = 0; k < pris; k++) EXPECT_TRUE(c.Reduire({}));
  EXPECT_NEAR(c.Param.Echelle, 1000, 1e-3);
  // Down to the floor and back.
  c.Param.Echelle = 8;
  EXPECT_TRUE(c.Reduire({}));   // 6.15
  EXPECT_FALSE(c.Reduire({}));  // 4.73 would pass 5
  EXPECT_TRUE(c.Agrandir({}, 2500));
  EXPECT_NEAR(c.Param.Echelle, 8, 1e-5);
}

// A hull whose origin (its transom) lies at one end: Y from 0 to 10, X from 0 to 1.5.
void CoqueDecentree(TDocument& doc) {
  doc.Vider();
  auto s = std::make_unique<TSurface>(0, 10);
  s->Net.NbLn = 2, s->Net.NbCol = 2;
  s->Net.PC[0][0] = {0, 0, -1, 1}, s->Net.PC[0][1] = {0, 10, -1, 1};
  s->Net.PC[1][0] = {1.5, 0, 1, 1}, s->Net.PC[1][1] = {1.5, 10, 1, 1};
  s->Net.LFlex = s->Net.CFlex = 2;
  doc.TabSurf.push_back(std::move(s));
}

TEST(Centre, CentresTheModelNotItsOrigin) {
  TDocument doc;
  CoqueDecentree(doc);
  // Plan view, 20 px/m: the hull's middle (X 0, Y 5: mirror half included) at the centre.
  TCadrage c(tvPlan, 600, 400);
  c.Param.Echelle = 20;
  ASSERT_TRUE(c.CentreModele(doc, false));
  EXPECT_EQ(Ecran({0, 5, 0}, c.Param), (TPixel{300, 200}));
  EXPECT_EQ(c.Param.Echelle, 20);
  // With "Moitié" only the main half counts: X 0.75.
  ASSERT_TRUE(c.CentreModele(doc, true));
  EXPECT_EQ(Ecran({0.75, 5, 0}, c.Param), (TPixel{300, 200}));
  // After every preset of the perspective view the hull (mirror half included) is
  // centred on the window: its projected corners straddle the centre.
  TCadrage p(tvPersp, 600, 400);
  ASSERT_TRUE(p.Ajuste(doc, false, 2500));
  for (const TPresetPersp& pr : PresetsPersp) {
    p.Angles(pr.Azimut, pr.Elevation);
    p.CentreModele(doc, false);
    int x0 = 1 << 30, x1 = -(1 << 30), y0 = 1 << 30, y1 = -(1 << 30);
    for (double y : {0.0, 10.0})
      for (TVertex3f q : {TVertex3f{0, y, -1}, TVertex3f{1.5, y, 1}, TVertex3f{-1.5, y, 1}}) {
        TPixel px = Ecran(q, p.Param);
        x0 = std::min(x0, px.X), x1 = std::max(x1, px.X), y0 = std::min(y0, px.Y), y1 = std::max(y1, px.Y);
      }
    EXPECT_NEAR((x0 + x1) / 2.0, 300, 1.5) << pr.Nom;
    EXPECT_NEAR((y0 + y1) / 2.0, 200, 1.5) << pr.Nom;
  }
  // Seen from the side the hull is longer than from three quarters: the preset fits it
  // (a narrow window, so that the length decides).
  TCadrage q(tvPersp, 300, 600);
  q.Angles(-135, 30);
  ASSERT_TRUE(q.Ajuste(doc, false, 2500));
  const float troisQuarts = q.Param.Echelle;
  q.Angles(0, 0);  // "Profil tribord"
  q.CentreOuAjuste(doc, false, 2500);
  EXPECT_LT(q.Param.Echelle, troisQuarts);
  for (double y : {0.0, 10.0}) {
    EXPECT_GE(Ecran({0, y, -1}, q.Param).X, 0);
    EXPECT_LE(Ecran({0, y, -1}, q.Param).X, 300);
  }
  // Nothing visible: the origin goes to the centre.
  doc.Surf(0).Visible = false;
  EXPECT_FALSE(c.CentreModele(doc, false));
  EXPECT_EQ(c.Param.OrigineX, 300);
}

TEST(Centre, ShiftArrowsTurnAboutTheModelsCentre) {
  TDocument doc;
  CoqueDecentree(doc);
  const TVertex3f centre = CentreModele3D(doc, false);
  EXPECT_EQ(centre.X, 0);
  EXPECT_EQ(centre.Y, 5);
  EXPECT_EQ(centre.Z, 0);
  TCadrage p(tvPersp, 600, 400);
  ASSERT_TRUE(p.Ajuste(doc, false, 2500));
  const TPixel avant = Ecran(centre, p.Param);
  for (int k = 0; k < 9; k++) p.Fleche(10, -10, true, centre);
  EXPECT_EQ(p.AzimutDeg, -135 + 90);
  EXPECT_NEAR(Ecran(centre, p.Param).X, avant.X, 1);
  EXPECT_NEAR(Ecran(centre, p.Param).Y, avant.Y, 1);
  // A flat view pans as before.
  TCadrage s(tvSection, 600, 400);
  s.Fleche(10, -10, false, centre);
  EXPECT_EQ(s.Param.OrigineX, 310);
}

TEST(Layout, TilingStacksRowsOrColumnsAndCascadeStaysUsable) {
  auto h = DispositionMosaique(4, 1000, 801, true);
  ASSERT_EQ(h.size(), 4u);
  for (int i = 0; i < 4; i++) {
    EXPECT_EQ(h[i].X, 0);
    EXPECT_EQ(h[i].L, 1000);
  }
  EXPECT_EQ(h[1].Y, 200);
  EXPECT_EQ(h[3].Y + h[3].H, 801);
  auto v = DispositionMosaique(4, 1001, 800, false);
  for (int i = 0; i < 4; i++) {
    EXPECT_EQ(v[i].Y, 0);
    EXPECT_EQ(v[i].H, 800);
  }
  EXPECT_EQ(v[2].X, 500);
  EXPECT_EQ(v[3].X + v[3].L, 1001);
  // Cascade: each one title bar further, all of one size, the last whole inside the area.
  auto c = DispositionCascade(4, 1200, 900, 30);
  ASSERT_EQ(c.size(), 4u);
  for (int i = 0; i < 4; i++) {
    EXPECT_EQ(c[i].X, 30 * i);
    EXPECT_EQ(c[i].Y, 30 * i);
    EXPECT_EQ(c[i].L, 900);
    EXPECT_EQ(c[i].H, 675);
  }
  EXPECT_LE(c[3].X + c[3].L, 1200);
  EXPECT_LE(c[3].Y + c[3].H, 900);
  // The first display: two rows of two.
  auto g = DispositionGrille(4, 1000, 800);
  EXPECT_EQ(g[1].X, 500);
  EXPECT_EQ(g[1].Y, 0);
  EXPECT_EQ(g[2].X, 0);
  EXPECT_EQ(g[2].Y, 400);
  EXPECT_EQ(g[3].L, 500);
  // A tiny area never shrinks a view below a usable size.
  auto p = DispositionCascade(4, 100, 60, 30);
  EXPECT_GE(p[0].L, 320);
  EXPECT_GE(p[0].H, 240);
}

TEST(Zoom, InThenOutWithTheSameModifierReturnsAndKeepsTheCentreFixed) {
  for (TModifs m : {TModifs{}, TModifs{true, false, false}, TModifs{false, true, false}}) {
    TCadrage c(tvPlan, 641, 480);
    c.Param.OrigineX = 100, c.Param.OrigineY = 90;
    TVertex3f centre = CalculePt3DInv(c.Param, 320, 240, 0);
    c.Agrandir(m, 2500);
    double f = m.Alt ? 1.6 : m.Ctrl ? 1.1 : 1.3;
    EXPECT_FLOAT_EQ(c.Param.Echelle, static_cast<float>(50 * f));
    TPixel px = Ecran(centre, c.Param);
    EXPECT_NEAR(px.X, 320, 1);
    EXPECT_NEAR(px.Y, 240, 1);
    c.Reduire(m);
    EXPECT_NEAR(c.Param.Echelle, 50, 1e-4);
    EXPECT_NEAR(c.Param.OrigineX, 100, 1);
  }
}

TEST(Fit, DefaultDocumentFillsEachViewWithAFivePercentMargin) {
  TDocument doc;
  doc.InitDefaut();
  for (int type = tvSection; type <= tvPersp; type++) {
    TCadrage c(type, 600, 400);
    ASSERT_TRUE(c.Ajuste(doc, false, 2500));
    // Every vertex and its mirror inside the window, the tighter side at 95 %.
    int minX = 1 << 30, maxX = -(1 << 30), minY = 1 << 30, maxY = -(1 << 30);
    const TSurface& s = *doc.SurfNurbs(0);
    for (int i = 0; i < s.Net.NbLn; i++)
      for (int j = 0; j < s.Net.NbCol; j++)
        for (TVertex3f v : {s.Net.PC[i][j].V(), CalcSym(s.Net.PC[i][j].V(), s.PlanSym.Plan())}) {
          TPixel p = Ecran(v, c.Param);
          minX = std::min(minX, p.X), maxX = std::max(maxX, p.X);
          minY = std::min(minY, p.Y), maxY = std::max(maxY, p.Y);
        }
    EXPECT_GE(minX, 0) << type;
    EXPECT_LE(maxX, 600) << type;
    EXPECT_GE(minY, 0) << type;
    EXPECT_LE(maxY, 400) << type;
    double remplissage = std::max((maxX - minX) / 600.0, (maxY - minY) / 400.0);
    EXPECT_NEAR(remplissage, 0.95, 0.01) << type;
    // Centred.
    EXPECT_NEAR(minX + maxX, 600, 2) << type;
    EXPECT_NEAR(minY + maxY, 400, 2) << type;
  }
}

TEST(Fit, EdgeOnFlatSurfaceLetsTheOtherDirectionDecide) {
  TDocument doc;
  NouvelleSurface(doc, "Plan", 1, {});  // the plane z = 0, 2 x 2 m
  MajSurface(doc, true, -1);
  TCadrage c(tvSection, 600, 400);  // seen edge-on: no height at all
  ASSERT_TRUE(c.Ajuste(doc, false, 2500));
  // Width from x = -2 to 2 (with the mirror): 4 m.
  EXPECT_FLOAT_EQ(c.Param.Echelle, static_cast<float>(0.95 * 600 / 4));
  // Capped when both directions are empty (a single point).
  TSurface& s = *doc.SurfNurbs(0);
  for (int i = 0; i < 2; i++)
    for (int j = 0; j < 2; j++) s.Net.PC[i][j] = {0, 0, 0, 1};
  ASSERT_TRUE(c.Ajuste(doc, false, 2500));
  EXPECT_EQ(c.Param.Echelle, 2500);
}

TEST(Fit, HalfModeIgnoresMirrorsAndNothingVisibleLeavesTheView) {
  TDocument doc;
  doc.InitDefaut();
  TCadrage entier(tvSection, 600, 400), moitie(tvSection, 600, 400);
  entier.Ajuste(doc, false, 2500);
  moitie.Ajuste(doc, true, 2500);
  // The half is half as wide: the scale is limited by the height instead.
  EXPECT_GT(moitie.Param.Echelle, entier.Param.Echelle);
  TEtendue2D e = DimentionsProj2D(doc, 1, moitie.Param, true);
  EXPECT_GE(e.MinU, 0);  // only x >= 0
  doc.Surf(0).Visible = false;
  TParamVue avant = entier.Param;
  EXPECT_FALSE(entier.Ajuste(doc, false, 2500));
  EXPECT_EQ(entier.Param.Echelle, avant.Echelle);
  EXPECT_EQ(entier.Param.OrigineX, avant.OrigineX);
  // Mode 0 frames the surfaces flagged for calculations, visible or not.
  EXPECT_FALSE(DimentionsProj2D(doc, 0, entier.Param, false).Vide());
}

TEST(ZoomRectangle, PressPointBecomesTheCornerAndLeftwardsDoesNothing) {
  TCadrage c(tvProfil, 600, 400);
  TVertex3f coin = CalculePt3DInv(c.Param, 100, 80, 0), fin = CalculePt3DInv(c.Param, 250, 80, 0);
  ASSERT_TRUE(c.ZoomRectangle(100, 80, 250, 2500));
  EXPECT_FLOAT_EQ(c.Param.Echelle, 50.0f * 600 / 150);
  TPixel p = Ecran(coin, c.Param), q = Ecran(fin, c.Param);
  EXPECT_EQ(p, (TPixel{0, 0}));
  EXPECT_EQ(q.X, 600);
  TParamVue avant = c.Param;
  EXPECT_FALSE(c.ZoomRectangle(300, 80, 300, 2500));  // same x: would divide by zero
  EXPECT_FALSE(c.ZoomRectangle(300, 80, 200, 2500));
  EXPECT_EQ(c.Param.Echelle, avant.Echelle);
  EXPECT_EQ(c.Param.OrigineX, avant.OrigineX);
  // A one-pixel rectangle is capped.
  ASSERT_TRUE(c.ZoomRectangle(10, 10, 11, 2500));
  EXPECT_EQ(c.Param.Echelle, 2500);
  // The rubber rectangle keeps the window's proportions whatever the pointer's height.
  EXPECT_EQ(CoinZoomProportionnel(100, 80, 250, 600, 400), (TPixel{251, 180}));
}

TEST(PreviousView, TwiceReturnsToTheStateBeforeTheFirst) {
  TCadrage c(tvPlan, 600, 400);
  c.MemorisePrecedente();
  c.Agrandir({}, 2500);
  c.Deplace(30, -12);
  TParamVue zoome = c.Param;
  c.EchangePrecedente();
  EXPECT_EQ(c.Param.Echelle, 50);
  EXPECT_EQ(c.Param.OrigineX, 300);
  c.EchangePrecedente();
  EXPECT_EQ(c.Param.Echelle, zoome.Echelle);
  EXPECT_EQ(c.Param.OrigineX, zoome.OrigineX);
  EXPECT_EQ(c.Param.OrigineY, zoome.OrigineY);
}

TEST(Resize, DrawingKeepsItsRelativePlaceAndScale) {
  TCadrage c(tvSection, 400, 300);
  c.Param.OrigineX = 100, c.Param.OrigineY = 75;
  c.Resize(800, 600);
  EXPECT_EQ(c.Param.OrigineX, 200);
  EXPECT_EQ(c.Param.OrigineY, 150);
  EXPECT_EQ(c.Param.Echelle, 100);
  c.Param.OrigineY = 0;
  c.Resize(400, 300);
  EXPECT_EQ(c.Param.OrigineY, 1);
}

TEST(Keyboard, StepsAndPerspectiveRotation) {
  EXPECT_EQ(PasClavier({true, true, false}), 1);
  EXPECT_EQ(PasClavier({false, true, false}), 50);
  EXPECT_EQ(PasClavier({}), 10);
  TCadrage p(tvPersp, 400, 300), s(tvSection, 400, 300);
  p.Fleche(10, -10, true);
  EXPECT_EQ(p.AzimutDeg, -125);
  EXPECT_EQ(p.ElevationDeg, 20);
  EXPECT_NEAR(p.Param.Phi, 20 * 3.14159265358979 / 180, 1e-6);
  EXPECT_EQ(p.Param.OrigineX, 200);  // rotation does not pan
  s.Fleche(10, -10, true);           // a flat view cannot turn
  EXPECT_EQ(s.Param.OrigineX, 200);
  EXPECT_EQ(s.Param.Theta, 4.712389f);
  s.Fleche(10, -10, false);
  EXPECT_EQ(s.Param.OrigineX, 210);
  EXPECT_EQ(s.Param.OrigineY, 140);
}

TEST(CustomView, SavedOnlyAfterSavingAndPerspectiveKeepsAngles) {
  TCadrage p(tvPersp, 400, 300);
  TVuePerso v;
  EXPECT_FALSE(p.RestaureVue(v));
  EXPECT_EQ(p.Param.Echelle, 50);
  p.Angles(45, 30);
  p.Agrandir({}, 2500);
  p.SauveVue(v);
  EXPECT_TRUE(v.Sauvee);
  TCadrage autre(tvPersp, 400, 300);
  ASSERT_TRUE(autre.RestaureVue(v));
  EXPECT_EQ(autre.Param.Echelle, p.Param.Echelle);
  EXPECT_EQ(autre.AzimutDeg, 45);
  EXPECT_EQ(autre.ElevationDeg, 30);
  // A flat view keeps its own angles.
  TCadrage plan(tvPlan, 400, 300);
  ASSERT_TRUE(plan.RestaureVue(v));
  EXPECT_EQ(plan.Param.Phi, 1.5707964f);
}

TEST(CustomView, TopPresetLooksLikeThePlanView) {
  // "Dessus" looks straight down: like the plan view, X goes down the screen.
  TCadrage dessus(tvPersp, 400, 300);
  dessus.Angles(0, 90);
  TPixel a = Ecran({0, 0, 0}, dessus.Param), b = Ecran({1, 0, 0}, dessus.Param);
  EXPECT_GT(b.Y, a.Y);
}

}  // namespace

// A picture tied to the model: its two points land where the view projects their model
// points, whatever the view, the turn of the picture, the zoom and the pan.
TEST(CalageImage, ThePicturesPointsLandOnTheirModelPoints) {
  TImageFondDoc im;
  im.Calee = true;
  im.Px = {120.5, 610};
  im.Py = {80, 455.25};  // the picture is turned: the two points are not level
  for (int type : {tvSection, tvPlan, tvProfil}) {
    const TVertex3f m1{0.3, 2.5, -0.4}, m2{1.1, 7.5, 0.9};
    CoordonneesVue(type, m1, im.A[0], im.B[0]);
    CoordonneesVue(type, m2, im.A[1], im.B[1]);
    for (float echelle : {12.0f, 95.0f, 700.0f})
      for (int ox : {-300, 40, 900}) {
        TParamVue v = TCadrage(type, 800, 600).Param;
        v.Echelle = echelle;
        v.OrigineX = ox;
        v.OrigineY = 210;
        std::array<double, 6> m{};
        ASSERT_TRUE(AffineCalage(im, v, m)) << type;
        TProjecteur p(v);
        const TVertex3f modele[2] = {m1, m2};
        for (size_t i = 0; i < 2; i++) {
          TPixel attendu;
          ASSERT_TRUE(p.Projette(modele[i], attendu));
          EXPECT_NEAR(m[0] * im.Px[i] + m[1] * im.Py[i] + m[4], attendu.X, 0.6) << type << " " << i;
          EXPECT_NEAR(m[2] * im.Px[i] + m[3] * im.Py[i] + m[5], attendu.Y, 0.6) << type << " " << i;
        }
        // A similarity: no shear, one scale in both directions.
        EXPECT_NEAR(m[0], m[3], 1e-9);
        EXPECT_NEAR(m[1], -m[2], 1e-9);
      }
  }
  // The user's typed vertical coordinate is the model's, the plan view's X pointing down.
  EXPECT_EQ(AxesVue(tvPlan).SigneVertical, -1);
  double a = 0, b = 0;
  CoordonneesVue(tvPlan, {0.7, 3, 0}, a, b);
  EXPECT_DOUBLE_EQ(a, 3);
  EXPECT_DOUBLE_EQ(b, -0.7);
}

TEST(CalageImage, ATieThatGivesNoScaleIsRefused) {
  TImageFondDoc im;
  im.Calee = true;
  im.Px = {100, 100.4};
  im.Py = {50, 50};
  im.A = {0, 1};
  im.B = {0, 0};
  TParamVue v;
  v.Type = tvProfil;
  std::array<double, 6> m{};
  EXPECT_EQ(DefautCalage(im), "rsCalagePointsImage");
  EXPECT_FALSE(AffineCalage(im, v, m));
  im.Px[1] = 300;
  im.A = {2, 2.00001};
  EXPECT_EQ(DefautCalage(im), "rsCalagePointsModele");
  im.A[1] = std::nan("");
  EXPECT_EQ(DefautCalage(im), "rsCalageNonFini");
  im.A[1] = 4;
  EXPECT_EQ(DefautCalage(im), "");
  EXPECT_TRUE(AffineCalage(im, v, m));
  // The perspective view has no plane to tie a picture to.
  v.Type = tvPersp;
  EXPECT_FALSE(AffineCalage(im, v, m));
}
