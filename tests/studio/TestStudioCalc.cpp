// The studio's arithmetic without a display: the curvature colour scale, the light
// angles, the camera mappings, the order of the surfaces and of their passes.
#include <gtest/gtest.h>

#include <cmath>

#include "session/ObjCom.h"
#include "studio/GLGest.h"
#include "studio/StudioCalc.h"

namespace {

struct Rgb {
  int R, G, B;
};
Rgb Composantes(int bgr) { return {bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF}; }
void AttendCouleur(int bgr, int r, int g, int b) {
  Rgb c = Composantes(bgr);
  EXPECT_EQ(c.R, r);
  EXPECT_EQ(c.G, g);
  EXPECT_EQ(c.B, b);
}

TEST(EchelleGauss, TableRunsFromDarkRedThroughWhiteToDarkBlue) {
  TEchelleGauss e;
  AttendCouleur(e.Entree(0), 255, 255, 255);
  AttendCouleur(e.Entree(1), 254, 254, 255);
  AttendCouleur(e.Entree(254), 1, 1, 255);
  AttendCouleur(e.Entree(255), 0, 0, 255);
  AttendCouleur(e.Entree(440), 0, 0, 70);
  AttendCouleur(e.Entree(-1), 255, 254, 254);
  AttendCouleur(e.Entree(-254), 255, 1, 1);
  AttendCouleur(e.Entree(-255), 255, 0, 0);
  AttendCouleur(e.Entree(-440), 70, 0, 0);
}

TEST(EchelleGauss, DefaultsMapCurvatureToTheirIndices) {
  TEchelleGauss e;
  EXPECT_EQ(e.Indice(0.25), 220);
  AttendCouleur(e.Couleur(0.25), 35, 35, 255);
  EXPECT_EQ(e.Indice(-0.6), -440);
  AttendCouleur(e.Couleur(-0.6), 70, 0, 0);
  AttendCouleur(e.Couleur(0), 255, 255, 255);
  EXPECT_EQ(e.Indice(1e9), 440);
  // A degenerate point's not-a-number says nothing: white.
  EXPECT_EQ(e.Indice(std::nan("")), 0);
  EXPECT_EQ(e.LabelHaut(), "> 0.5000");
  EXPECT_EQ(e.LabelBas(), "< -0.5000");
}

TEST(EchelleGauss, DeadBandContrastAndHalfwayRounding) {
  TEchelleGauss e;
  ASSERT_TRUE(e.SaisitMin("0.01"));
  EXPECT_EQ(e.Indice(0.005), 0);
  EXPECT_EQ(e.Indice(-0.009), 0);
  EXPECT_EQ(e.Indice(0.01), 9);  // 8.8
  e.Min = 0;
  e.Curseur(50);
  EXPECT_DOUBLE_EQ(e.Facteur, 0.5);
  EXPECT_EQ(e.Indice(0.25), 440);
  EXPECT_EQ(e.Indice(-0.25), -440);
  EXPECT_EQ(e.LabelHaut(), "> 0.2500");
  EXPECT_EQ(e.LabelBas(), "< -0.2500");
  e.Curseur(99);
  EXPECT_DOUBLE_EQ(e.Facteur, 0.01);
  // K / Max = 1/16 and 3/16 give exactly 27.5 and 82.5: halves go to the even neighbour.
  e.Curseur(0);
  e.Max = 1;
  EXPECT_EQ(e.Indice(0.0625), 28);
  EXPECT_EQ(e.Indice(0.1875), 82);
  EXPECT_EQ(e.Indice(-0.0625), -28);
}

TEST(EchelleGauss, BadTextsKeepThePreviousValues) {
  TEchelleGauss e;
  for (const char* t : {"", "abc", "0", "-0.2", "0.3x", "inf"}) {
    EXPECT_FALSE(e.SaisitMax(t)) << t;
    EXPECT_DOUBLE_EQ(e.Max, 0.5) << t;
  }
  EXPECT_TRUE(e.SaisitMax(" 0.8"));
  EXPECT_DOUBLE_EQ(e.Max, 0.8);
  EXPECT_FALSE(e.SaisitMin("x"));
  EXPECT_DOUBLE_EQ(e.Min, 0);
  EXPECT_TRUE(e.SaisitMin("0.000"));
}

TEST(EchelleGauss, ColoursFollowTheCurvatureOfVisibleNurbsSurfacesOnly) {
  TDocument d;
  d.Precision = 4;
  TOptionsNouvelleSurface o;
  NouvelleSurface(d, "A", 1, o);
  NouvelleSurface(d, "B", 1, o);
  MajSurface(d, true, -1);
  TSurface& a = *d.SurfNurbs(0);
  TSurface& b = *d.SurfNurbs(1);
  a.Courbure.assign(size_t(MaxGrille) * MaxGrille, 0.0);
  a.Courbure[size_t(1) * MaxGrille + 2] = 0.25;
  a.Courbure[size_t(a.NbLnPt) * MaxGrille + a.NbColPt] = -0.6;
  b.Visible = false;
  TEchelleGauss e;
  InitCouleursCourbureAllSurf(d, e);
  ASSERT_EQ(a.CouleurCourbure.size(), size_t(MaxGrille) * MaxGrille);
  EXPECT_EQ(a.CouleurCourbure[size_t(1) * MaxGrille + 2], e.Entree(220));
  EXPECT_EQ(a.CouleurCourbure[size_t(a.NbLnPt) * MaxGrille + a.NbColPt], e.Entree(-440));
  EXPECT_EQ(a.CouleurCourbure[0], e.Entree(0));
  EXPECT_TRUE(b.CouleurCourbure.empty());
}

TEST(Lumieres, RotationsStayWithinATurn) {
  EXPECT_FLOAT_EQ(AngleLumiere(-10), 350);
  EXPECT_FLOAT_EQ(AngleLumiere(370), 10);
  EXPECT_FLOAT_EQ(AngleLumiere(360), 360);
  EXPECT_FLOAT_EQ(AngleLumiere(0), 0);
  TglLight l(3);
  int changes = 0;
  l.OnChange = [&] { changes++; };
  l.SetRotY(l.RotY() - 10);  // turning left from 0
  EXPECT_FLOAT_EQ(l.RotY(), 350);
  for (int i = 0; i < 40; i++) l.SetRotX(l.RotX() + 10);
  EXPECT_GE(l.RotX(), 0);
  EXPECT_LE(l.RotX(), 360);
  l.SetDistZ(6);
  EXPECT_FLOAT_EQ(l.Position[2], 6);
  EXPECT_FLOAT_EQ(l.Position[3], 0);
  l.SetKind(TLightKind::lkPositional);
  EXPECT_FLOAT_EQ(l.Position[3], 1);
  EXPECT_EQ(changes, 43);
}

TEST(Lumieres, ListRoutesEveryLightsChange) {
  TglLightList ll;
  int n = 0;
  ll.OnChange = [&] { n++; };
  for (int i = 0; i < TglLightList::Nombre; i++) {
    EXPECT_EQ(ll[i].Numero, i);
    ll[i].SetEnabled(true);
  }
  EXPECT_EQ(n, 8);
}

TEST(CameraStudio, ZoomStepsAndTheSliderMapping) {
  TCameraStudio c;
  c.Distance = 1;
  for (int i = 0; i < 5; i++) ZoomStudio(c, true, {});
  EXPECT_FLOAT_EQ(c.Distance, -4);  // past the model: no lower bound
  EXPECT_FLOAT_EQ(c.Echelle, 350 + 40 + 1);
  ZoomStudio(c, false, {false, true, false});
  EXPECT_FLOAT_EQ(c.Distance, 1);
  ZoomStudio(c, false, {true, false, false});
  EXPECT_NEAR(c.Distance, 1.2, 1e-6);
  ZoomStudio(c, false, {true, true, false});  // Alt wins over Ctrl
  EXPECT_NEAR(c.Distance, 6.2, 1e-6);
  EXPECT_FLOAT_EQ(DistanceDuCurseur(151), 20);
  EXPECT_FLOAT_EQ(DistanceDuCurseur(350), 0.1f);
  TCameraStudio premiere;
  LieControleVues(premiere);  // the first activation
  EXPECT_FLOAT_EQ(premiere.Distance, 20);
  // Zooming keeps the slider and the distance in step.
  ZoomStudio(premiere, true, {});
  LieControleVues(premiere);
  EXPECT_FLOAT_EQ(premiere.Distance, 19);
}

TEST(CameraStudio, AnglesRefreshedAndArrowKeys) {
  EXPECT_FLOAT_EQ(AngleRafraichi(400), 40);
  EXPECT_FLOAT_EQ(AngleRafraichi(-400), -40);
  EXPECT_FLOAT_EQ(AngleRafraichi(-360), -360);
  EXPECT_FLOAT_EQ(AngleRafraichi(359.5f), 359.5f);
  EXPECT_FLOAT_EQ(AngleRafraichi(720.6f), 1);
  EXPECT_EQ(PasFlecheStudio({true, true, false}), 1);
  EXPECT_EQ(PasFlecheStudio({false, true, false}), 50);
  EXPECT_EQ(PasFlecheStudio({}), 10);
  TCameraStudio c;
  FlecheStudio(c, -10, 0, {false, false, true});
  FlecheStudio(c, 0, 10, {false, false, true});
  EXPECT_FLOAT_EQ(c.Azimut, -10);
  EXPECT_FLOAT_EQ(c.Elevation, 10);
  EXPECT_EQ(c.OrigineX, 0);
  FlecheStudio(c, 10, 0, {});
  FlecheStudio(c, 0, -10, {});  // Up pans the model up
  EXPECT_EQ(c.OrigineX, 10);
  EXPECT_EQ(c.OrigineY, 10);
  TourneSouris(c, 7, -4);
  EXPECT_FLOAT_EQ(c.Azimut, -6.5f);
  EXPECT_FLOAT_EQ(c.Elevation, 12);
}

TEST(CameraStudio, SideViewAtZeroAnglesAndFramingCentresTheModel) {
  TCameraStudio c;
  c.Distance = 20;
  double x0, y0, x1, y1;
  ASSERT_TRUE(ProjetteStudio(c, 400, 300, {0, 0, 0}, x0, y0));
  EXPECT_NEAR(x0, 200, 1e-9);
  EXPECT_NEAR(y0, 150, 1e-9);
  ASSERT_TRUE(ProjetteStudio(c, 400, 300, {0, 1, 1}, x1, y1));
  EXPECT_GT(x1, x0);                                 // Y to the right
  EXPECT_LT(y1, y0);                                 // Z up the screen
  EXPECT_NEAR(VersOeil(c, {1, 0, 0}).Z, -19, 1e-9);  // X towards the viewer
  c.Distance = -4;
  EXPECT_FALSE(ProjetteStudio(c, 400, 300, {0, 0, 0}, x0, y0));

  TDocument d;
  d.SurfXMin = 0, d.SurfXMax = 1.8, d.SurfYMin = 0, d.SurfYMax = 11, d.SurfZMin = -1.9, d.SurfZMax = 1;
  CadreStudio(c, d, -35, 18, 600, 400);
  EXPECT_FLOAT_EQ(c.Azimut, -35);
  ASSERT_TRUE(ProjetteStudio(c, 600, 400, {0, 5.5, -0.45}, x0, y0));
  EXPECT_NEAR(x0, 300, 3);
  EXPECT_NEAR(y0, 200, 3);
  for (double x : {-1.8, 1.8})
    for (double y : {0.0, 11.0})
      for (double z : {-1.9, 1.0}) {
        ASSERT_TRUE(ProjetteStudio(c, 600, 400, {x, y, z}, x0, y0));
        EXPECT_TRUE(x0 > 0 && x0 < 600 && y0 > 0 && y0 < 400) << x << " " << y << " " << z;
      }
}

TEST(CameraStudio, TheDocumentsStudioCameraAsItWasSaved) {
  TDocument d;
  EXPECT_FALSE(VueStudioDocument(d).has_value());
  d.SectionsBrutes.push_back(
      {"VUES", {"[Se]", "10;20;100.0000;", "[St]", "3;-7;12.5000;40.0000;-15.5000;2.0000;"}});
  auto v = VueStudioDocument(d);
  ASSERT_TRUE(v.has_value());
  EXPECT_EQ(v->OrigineX, 3);
  EXPECT_EQ(v->OrigineY, -7);
  EXPECT_FLOAT_EQ(v->Echelle, 12.5f);
  EXPECT_FLOAT_EQ(v->Angle1, 40);
  EXPECT_FLOAT_EQ(v->Angle2, -15.5f);
  EXPECT_FLOAT_EQ(v->Angle3, 2);
  // A field that does not convert (a comma, a fraction of a tenth, one missing): the defaults.
  for (const char* mauvais :
       {"3;-7;12,5;40;0;0;", "3.5;-7;12.5;40;0;0;", "3;-7;12.5;40;0;", "3;x;1;1;1;1;"}) {
    d.SectionsBrutes.back().Lignes.back() = mauvais;
    v = VueStudioDocument(d);
    ASSERT_TRUE(v.has_value()) << mauvais;
    EXPECT_EQ(v->OrigineX, 0) << mauvais;
    EXPECT_FLOAT_EQ(v->Echelle, 10) << mauvais;
    EXPECT_FLOAT_EQ(v->Angle1, 0) << mauvais;
  }
  // A views section without the studio's key leaves the studio as it is.
  d.SectionsBrutes.back().Lignes = {"[Se]", "10;20;100.0000;"};
  EXPECT_FALSE(VueStudioDocument(d).has_value());
}

TEST(PassesStudio, OpaqueSurfacesFirstThenTransparentInListOrder) {
  TDocument d;
  for (int i = 0; i < 4; i++) NouvelleSurface(d, "S" + std::to_string(i), 1, {});
  d.Surf(0).Alpha = 0.5;
  d.Surf(2).Visible = false;
  d.Surf(3).Alpha = 0.999;
  EXPECT_EQ(OrdreSurfaces(d), (std::vector<int>{1, 0, 3}));
}

TEST(PassesStudio, MaskingPassComesFirstAndStandsForTheFillWithLines) {
  using P = std::vector<TPasse>;
  EXPECT_EQ(PassesSurface(TModeDessin::Rempli, false, false), P{TPasse::Rempli});
  EXPECT_EQ(PassesSurface(TModeDessin::Rempli, false, true), P{TPasse::MasqueSurface});
  EXPECT_EQ(PassesSurface(TModeDessin::Rempli, true, false), (P{TPasse::MasqueSurface, TPasse::Rempli}));
  EXPECT_EQ(PassesSurface(TModeDessin::Filaire, true, false), (P{TPasse::MasqueFond, TPasse::Filaire}));
  EXPECT_EQ(PassesSurface(TModeDessin::Filaire, false, true), P{TPasse::Filaire});
  EXPECT_EQ(PassesSurface(TModeDessin::Points, false, false), P{TPasse::Points});
  EXPECT_EQ(PassesSurface(TModeDessin::Contours, false, false), P{TPasse::Contours});
  EXPECT_EQ(PassesSurface(TModeDessin::Invisible, true, false), P{TPasse::MasqueFond});
  EXPECT_TRUE(PassesSurface(TModeDessin::Invisible, false, true).empty());
}

TEST(ReglagesStudio, DefaultsOfTheProgram) {
  TReglagesStudio r;
  EXPECT_DOUBLE_EQ(r.FacteurPoly(), 1);
  EXPECT_DOUBLE_EQ(r.UnitesPoly(), 1);
  r.PolyFactor = 25;
  EXPECT_DOUBLE_EQ(r.FacteurPoly(), 3.5);
  int allumees = 0;
  for (const auto& l : r.Lumieres) allumees += l.Active;
  EXPECT_EQ(allumees, 3);
  EXPECT_DOUBLE_EQ(r.Lumieres[2].RotY, 240);
  auto c = DColorToGL(0xFF9B00);
  EXPECT_FLOAT_EQ(c[0], 0);
  EXPECT_FLOAT_EQ(c[1], 155 / 255.0f);
  EXPECT_FLOAT_EQ(c[2], 1);
}

}  // namespace
