// The four views inside the main window: their images show the model where its
// vertices project; mouse (zoom rectangle, pan, wheel), keyboard and display toggles.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <QWheelEvent>

#include "Fenetre.h"
#include "base/Chaines.h"
#include "views/RenduQt.h"

namespace {

QRgb Rgb(int bgr) { return CouleurQt(bgr) & 0xFFFFFF; }

// Whether the image has a pixel of that colour within r pixels of (x, y).
bool CouleurPres(const QImage& im, int x, int y, int bgr, int r) {
  for (int j = y - r; j <= y + r; j++)
    for (int i = x - r; i <= x + r; i++)
      if (i >= 0 && j >= 0 && i < im.width() && j < im.height() && (im.pixel(i, j) & 0xFFFFFF) == Rgb(bgr))
        return true;
  return false;
}

void VerifieImages(FenetreTest& t) {
  const TOptionsVues& o = t.F->OptionsVues();
  for (int type = tvSection; type <= tvPersp; type++) {
    TFormFille& v = t.Vue(type);
    const QImage& im = v.Image();
    ASSERT_EQ(im.size(), v.size()) << type;
    int vus = 0, dedans = 0;
    for (int k = 0; k < t.Doc().NbSurf(); k++) {
      const TSurface* s = t.Doc().SurfNurbs(k);
      for (int i = 0; i < s->Net.NbLn; i++)
        for (int j = 0; j < s->Net.NbCol; j++) {
          TPixel p;
          Pt3DVersEcran(s->Net.PC[i][j].V(), p, v.Cadrage.Param);
          if (p.X < 4 || p.Y < 4 || p.X >= im.width() - 4 || p.Y >= im.height() - 4) continue;
          dedans++;
          // The marker: a 7 x 7 square around the vertex in the vertex colour (the current
          // vertex's frame is drawn over one of them).
          if (CouleurPres(im, p.X, p.Y, o.Vertex, 3)) vus++;
        }
      // The surface boundary passes through the evaluated corners.
      TPixel c;
      Pt3DVersEcran(s->Pts[0][0], c, v.Cadrage.Param);
      if (c.X >= 0 && c.Y >= 0 && c.X < im.width() && c.Y < im.height()) {
        EXPECT_TRUE(CouleurPres(im, c.X, c.Y, o.BordSf, 4) || CouleurPres(im, c.X, c.Y, o.Vertex, 4))
            << type << " surface " << k;
      }
    }
    EXPECT_GT(dedans, 0) << type;
    EXPECT_EQ(vus, dedans) << type;
    // Background elsewhere: the corner pixel.
    EXPECT_EQ(im.pixel(im.width() - 1, im.height() - 1) & 0xFFFFFF, Rgb(o.Arp)) << type;
  }
}

TEST(ViewImages, DefaultDocumentShowsModelPixelsWhereVerticesProject) {
  FenetreTest t;
  VerifieImages(t);
}

TEST(ViewImages, BuiltYachtFittedInEveryView) {
  FenetreTest t;
  t.Reponses = {mrYes};
  t.Choix = {"/bateaux/yacht.kvb"};
  ASSERT_TRUE(t.F->Ouvrir());
  VerifieImages(t);
  // The mirror half of the hull shows in the transverse view: boundary pixels left of the centre line.
  TFormFille& s = t.Vue(tvSection);
  int centre = s.Cadrage.Param.OrigineX, gauche = 0;
  const QImage& im = s.Image();
  for (int y = 0; y < im.height(); y++)
    for (int x = 0; x < centre - 3; x++)
      gauche += (im.pixel(x, y) & 0xFFFFFF) == Rgb(t.F->OptionsVues().BordSf);
  EXPECT_GT(gauche, 50);
  t.A("MeMoitie")->trigger();
  gauche = 0;
  for (int y = 0; y < s.Image().height(); y++)
    for (int x = 0; x < s.Cadrage.Param.OrigineX - 3; x++)
      gauche += (s.Image().pixel(x, y) & 0xFFFFFF) == Rgb(t.F->OptionsVues().BordSf);
  EXPECT_EQ(gauche, 0);
}

TEST(ViewImages, DisplayTogglesRedrawEveryVisibleViewAndReachTheDocument) {
  FenetreTest t;
  auto tirets = [&](int type) {
    int n = 0;
    for (const auto& e : t.Vue(type).Liste().Elements) n += e.Stylo.Style == TStyleTrait::TiretPoint;
    return n;
  };
  EXPECT_EQ(tirets(tvPlan), 3);
  t.A("MeAxes")->trigger();
  for (int type = tvSection; type <= tvPersp; type++) EXPECT_EQ(tirets(type), 0) << type;
  t.A("MeLignesEau")->trigger();
  EXPECT_TRUE(AffichageCalculs().LignesEau);
  t.A("MeSurfParam")->trigger();
  EXPECT_TRUE(AffichageCalculs().SurfParam);
  EXPECT_TRUE(t.F->Affichage().SurfParam);
  t.A("MePoids")->trigger();
  EXPECT_FALSE(AffichageCalculs().Poids);
}

TEST(ViewImages, HullAndNetAreNeverBothOff) {
  FenetreTest t;
  auto marqueurs = [&](int type) {
    int n = 0;
    for (const auto& e : t.Vue(type).Liste().Elements) n += e.Figure == TFigure::Rectangle;
    return n;
  };
  EXPECT_EQ(marqueurs(tvPlan), 10);  // nine markers and the current vertex's frame
  t.A("MeReseau")->trigger();
  EXPECT_FALSE(t.A("MeReseau")->isChecked());
  EXPECT_TRUE(t.A("MeCarene")->isChecked());
  EXPECT_EQ(marqueurs(tvPlan), 0);  // every vertex inactive
  t.A("MeCarene")->trigger();       // hull off: the net comes back, vertices active again
  EXPECT_TRUE(t.A("MeReseau")->isChecked());
  EXPECT_FALSE(t.A("MeCarene")->isChecked());
  EXPECT_EQ(marqueurs(tvPlan), 10);
  EXPECT_FALSE(AffichageCalculs().Carene);
  t.A("MeReseau")->trigger();  // net off: the hull comes back
  EXPECT_TRUE(t.A("MeCarene")->isChecked());
}

TEST(ViewMouse, ZoomRectangleToTheRightZoomsAndLeftwardsKeepsTheMode) {
  FenetreTest t;
  TFormFille& v = t.Vue(tvProfil);
  t.F->ActiveVue(tvProfil, false);
  t.A("MeZoom")->trigger();
  // Moving without a button shows the crosshair.
  QTest::mouseMove(&v, QPoint(50, 40));
  EXPECT_EQ(v.Superposition(), TFormFille::TSuperpose::Croix);
  float e0 = v.Cadrage.Param.Echelle;
  TVertex3f coin = CalculePt3DInv(v.Cadrage.Param, 40, 30, 0);
  QTest::mousePress(&v, Qt::LeftButton, {}, QPoint(40, 30));
  QTest::mouseMove(&v, QPoint(140, 90));
  EXPECT_EQ(v.Superposition(), TFormFille::TSuperpose::RectProportionnel);
  QTest::mouseRelease(&v, Qt::LeftButton, {}, QPoint(140, 90));
  EXPECT_FALSE(t.F->ModeZoom());
  EXPECT_FLOAT_EQ(v.Cadrage.Param.Echelle, e0 * v.width() / 100.0f);
  TPixel p;
  Pt3DVersEcran(coin, p, v.Cadrage.Param);
  EXPECT_NEAR(p.X, 0, 1);
  EXPECT_NEAR(p.Y, 0, 1);
  EXPECT_EQ(v.Superposition(), TFormFille::TSuperpose::Rien);
  // Leftwards: a dotted rectangle, no zoom, still in zoom mode.
  t.A("MeZoom")->trigger();
  float e1 = v.Cadrage.Param.Echelle;
  QTest::mousePress(&v, Qt::LeftButton, {}, QPoint(140, 90));
  QTest::mouseMove(&v, QPoint(60, 120));
  EXPECT_EQ(v.Superposition(), TFormFille::TSuperpose::RectPointille);
  QTest::mouseRelease(&v, Qt::LeftButton, {}, QPoint(60, 120));
  EXPECT_TRUE(t.F->ModeZoom());
  EXPECT_EQ(v.Cadrage.Param.Echelle, e1);
  // The start of the rectangle stored the view before it.
  t.A("MeVuePrecedente")->trigger();
  EXPECT_FALSE(t.F->ModeZoom());
  EXPECT_FLOAT_EQ(v.Cadrage.Param.Echelle, e1);
}

TEST(ViewMouse, PanFollowsThePointerAndShiftKeepsTheMode) {
  FenetreTest t;
  TFormFille& v = t.Vue(tvPlan);
  t.A("MeDeplacer")->trigger();
  int ox = v.Cadrage.Param.OrigineX, oy = v.Cadrage.Param.OrigineY;
  QTest::mousePress(&v, Qt::LeftButton, {}, QPoint(100, 100));
  QTest::mouseMove(&v, QPoint(120, 90));
  QTest::mouseMove(&v, QPoint(130, 95));
  QTest::mouseRelease(&v, Qt::LeftButton, Qt::ShiftModifier, QPoint(130, 95));
  EXPECT_EQ(v.Cadrage.Param.OrigineX, ox + 30);
  EXPECT_EQ(v.Cadrage.Param.OrigineY, oy - 5);
  EXPECT_TRUE(t.F->ModeDeplacer());
  EXPECT_EQ(v.cursor().shape(), Qt::SizeAllCursor);
  QTest::mousePress(&v, Qt::LeftButton, {}, QPoint(100, 100));
  QTest::mouseRelease(&v, Qt::LeftButton, {}, QPoint(100, 100));
  EXPECT_FALSE(t.F->ModeDeplacer());
  EXPECT_EQ(v.cursor().shape(), Qt::CrossCursor);
  // The pan stored the previous view.
  t.A("MeVuePrecedente")->trigger();
  EXPECT_EQ(v.Cadrage.Param.OrigineX, ox + 30);
}

TEST(ViewMouse, WheelZoomsTheViewUnderThePointerAndMovesWriteCoordinates) {
  FenetreTest t;
  t.F->ActiveVue(tvSection, false);
  TFormFille& v = t.Vue(tvPlan);
  float e0 = v.Cadrage.Param.Echelle;
  QWheelEvent haut(QPointF(50, 50), v.mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, 120), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&v, &haut);
  EXPECT_EQ(t.Doc().VueActive, tvPlan);
  EXPECT_FLOAT_EQ(v.Cadrage.Param.Echelle, e0 * 1.3f);
  QWheelEvent bas(QPointF(50, 50), v.mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120), Qt::NoButton,
                  Qt::ControlModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&v, &bas);
  EXPECT_FLOAT_EQ(v.Cadrage.Param.Echelle, static_cast<float>(e0 * 1.3f * 0.9090909090909091));
  int ox = v.Cadrage.Param.OrigineX, oy = v.Cadrage.Param.OrigineY;
  double k = v.Cadrage.Param.Echelle;
  // The plan view shows Y to the right and X downwards from its origin.
  const int sx = v.width() / 2, sy = v.height() / 2;
  QTest::mouseMove(&v, QPoint(sx, sy));
  std::string attendu = Format("X = %.4f; Y = %.4f; Z = 0.0000", (sy - oy) / k, (sx - ox) / k);
  EXPECT_EQ(t.F->Panneau(2)->text().toStdString(), attendu);
}

TEST(ViewKeyboard, ArrowsPanPagesZoomAndShiftTurnsThePerspective) {
  FenetreTest t;
  t.F->ActiveVue(tvProfil, false);
  TCadrage& c = t.Vue(tvProfil).Cadrage;
  int ox = c.Param.OrigineX, oy = c.Param.OrigineY;
  EXPECT_TRUE(t.F->TraiteTouche(Qt::Key_Left, {}));
  EXPECT_EQ(c.Param.OrigineX, ox - 10);
  t.F->TraiteTouche(Qt::Key_Up, Qt::ControlModifier);
  EXPECT_EQ(c.Param.OrigineY, oy - 1);
  t.F->TraiteTouche(Qt::Key_Down, Qt::AltModifier);
  EXPECT_EQ(c.Param.OrigineY, oy + 49);
  float e = c.Param.Echelle;
  t.F->TraiteTouche(Qt::Key_PageUp, {});
  EXPECT_FLOAT_EQ(c.Param.Echelle, e * 1.3f);
  EXPECT_TRUE(t.F->TraiteTouche(Qt::Key_PageDown, Qt::ShiftModifier));  // consumed, nothing done
  EXPECT_FLOAT_EQ(c.Param.Echelle, e * 1.3f);
  EXPECT_FALSE(t.F->TraiteTouche(Qt::Key_A, {}));
  t.F->ActiveVue(tvPersp, false);
  TCadrage& p = t.Vue(tvPersp).Cadrage;
  t.F->TraiteTouche(Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(p.AzimutDeg, -125);
  // Through the application-wide hook, as a real key press.
  t.F->activateWindow();
  if (QTest::qWaitForWindowActive(t.F.get(), 1000)) {
    int x = p.Param.OrigineX;
    QTest::keyClick(&t.Vue(tvPersp), Qt::Key_Right);
    EXPECT_EQ(p.Param.OrigineX, x + 10);
  }
}

}  // namespace
