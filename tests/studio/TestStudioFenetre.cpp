// The studio window in the main window on the offscreen platform, where no OpenGL
// context exists: the placeholder, the commands routed to the studio while it is
// active, the curvature button with its scale window, and the light controls.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <fstream>
#include <sstream>

#include "forms/Fenetre.h"
#include "studio/CommandesStudio.h"
#include "studio/GaussCtrl.h"
#include "studio/Studio.h"

namespace {

struct FenetreStudio : FenetreTest {
  TStudioForm* S = nullptr;
  FenetreStudio() {
    Choix.push_back("/bateaux/yacht.kvb");
    F->Ouvrir();
    S = StudioDe(*F);
  }
  template <class T>
  T* W(const char* nom) {
    T* w = S->findChild<T*>(nom);
    EXPECT_NE(w, nullptr) << nom;
    return w;
  }
};

// The studio beside the views follows a vertex drag at every move, not only at the release.
TEST(StudioFenetre, RedrawnAtEveryMoveOfADragInAView) {
  FenetreStudio t;
  t.A("MeStudio")->trigger();
  t.F->MosaiqueHorizontale();
  QApplication::processEvents();
  ASSERT_TRUE(t.S->isVisible());
  int dessins = 0;
  QObject::connect(t.F.get(), &TMainForm::ModeleRedessine, t.S, [&] { dessins++; });
  t.F->ActiveVue(tvPlan, false);
  TFormFille& v = t.Vue(tvPlan);
  v.Redessine();
  const TPixel e = v.Tab.Pos[0][1][1];
  const QPoint p(e.X, e.Y);
  QTest::mousePress(&v, Qt::LeftButton, {}, p);
  dessins = 0;
  QTest::mouseMove(&v, p + QPoint(4, 0));
  QTest::mouseMove(&v, p + QPoint(9, 0));
  QTest::mouseMove(&v, p + QPoint(15, 0));
  EXPECT_GE(dessins, 3);
  QTest::mouseRelease(&v, Qt::LeftButton, {}, p + QPoint(15, 0));
  EXPECT_TRUE(t.F->Document().Modifie);
}

TEST(StudioFenetre, OffscreenShowsAPlaceholderSayingWhy) {
  FenetreStudio t;
  ASSERT_NE(t.S, nullptr);
  EXPECT_FALSE(t.S->AvecOpenGL());
  auto* l = t.W<QLabel>("StudioSansOpenGL");
  ASSERT_NE(l, nullptr);
  EXPECT_TRUE(l->text().contains("offscreen")) << l->text().toStdString();
  EXPECT_TRUE(t.S->Image().isNull());
}

TEST(StudioFenetre, StudioCommandActivatesItAndViewCommandsGoToIt) {
  FenetreStudio t;
  QMdiSubWindow* sous = t.F->findChild<QMdiSubWindow*>("SousStudio");
  ASSERT_NE(sous, nullptr);
  EXPECT_FALSE(sous->isVisible());  // created hidden at start
  ASSERT_TRUE(t.A("MeStudio")->isEnabled());
  t.A("MeStudio")->trigger();
  QApplication::processEvents();
  EXPECT_TRUE(sous->isMaximized());
  EXPECT_EQ(t.F->Zone()->activeSubWindow(), sous);
  EXPECT_TRUE(t.A("MeStudio")->isChecked());
  EXPECT_FALSE(t.A("MeVueSection")->isChecked());
  EXPECT_TRUE(t.S->Actif);
  EXPECT_EQ(t.F->Panneau(0)->text(), "Studio");
  EXPECT_FLOAT_EQ(t.S->Camera.Distance, 20);  // the slider's 151 at the first activation

  const float echelleSection = t.Vue(tvSection).Cadrage.Param.Echelle;
  t.F->Agrandir({});
  t.F->Agrandir({});
  t.F->Reduire({true, false, false});
  EXPECT_NEAR(t.S->Camera.Distance, 18.2, 1e-5);
  EXPECT_FLOAT_EQ(t.Vue(tvSection).Cadrage.Param.Echelle, echelleSection);
  EXPECT_TRUE(t.S->Touche(Qt::Key_Right, {}));
  EXPECT_TRUE(t.S->Touche(Qt::Key_Left, {false, false, true}));
  EXPECT_FALSE(t.S->Touche(Qt::Key_A, {}));
  EXPECT_EQ(t.S->Camera.OrigineX, 10);
  EXPECT_FLOAT_EQ(t.S->Camera.Azimut, -10);
  t.A("MeRecentrer")->trigger();
  EXPECT_EQ(t.S->Camera.OrigineX, 0);
  // No viewport, no picture: the copy says so.
  t.A("MeCopier")->trigger();
  EXPECT_TRUE(t.A_Vu("Exception in GetImage"));

  t.A("MeVueSection")->trigger();
  QApplication::processEvents();
  EXPECT_FALSE(t.S->Actif);
  EXPECT_TRUE(t.A("MeVueSection")->isChecked());
  // Back on a view, the zoom is the view's again.
  t.F->Agrandir({});
  EXPECT_NE(t.Vue(tvSection).Cadrage.Param.Echelle, echelleSection);
  EXPECT_NEAR(t.S->Camera.Distance, 18.2, 1e-5);
  // The close box only hides it: the window lives as long as the program.
  sous->close();
  EXPECT_FALSE(sous->isVisible());
  EXPECT_EQ(StudioDe(*t.F), t.S);
  t.A("MeStudio")->trigger();
  EXPECT_TRUE(sous->isVisible());
}

TEST(StudioFenetre, CurvatureButtonComputesColoursAndShowsTheScale) {
  FenetreStudio t;
  ActiveStudio(*t.F);
  TDocument& d = t.Doc();
  ASSERT_GE(d.NbSurf(), 3);
  t.W<QToolButton>("SBCourbure")->click();
  EXPECT_TRUE(t.S->Etat.Courbure);
  EXPECT_TRUE(t.W<QToolButton>("SB_PCinvis")->isChecked());
  EXPECT_TRUE(t.S->Etat.CacheesInvisibles);
  ASSERT_NE(t.S->Gauss(), nullptr);
  EXPECT_TRUE(t.S->Gauss()->isVisible());
  EXPECT_EQ(t.S->Gauss()->windowTitle(), "Gaussienne");
  TSurface& coque = *d.SurfNurbs(0);
  EXPECT_TRUE(coque.AvecCourbure);
  ASSERT_EQ(coque.CouleurCourbure.size(), size_t(MaxGrille) * MaxGrille);
  // The hull's bilge is curved: not every point is white.
  int blanches = 0, points = 0;
  for (int i = 0; i <= coque.NbLnPt; i++)
    for (int j = 0; j <= coque.NbColPt; j++, points++) {
      EXPECT_EQ(coque.CouleurCourbure[size_t(i) * MaxGrille + j], t.S->Echelle.Couleur(coque.Gauss(i, j)));
      blanches += coque.CouleurCourbure[size_t(i) * MaxGrille + j] == 0xFFFFFF;
    }
  EXPECT_LT(blanches, points);

  // A sharper scale recolours at once; a bad text changes nothing.
  TGaussForm& g = *t.S->Gauss();
  std::vector<int> avant = coque.CouleurCourbure;
  g.EditMax->clear();
  QTest::keyClicks(g.EditMax, "abc");
  EXPECT_DOUBLE_EQ(t.S->Echelle.Max, 0.5);
  EXPECT_EQ(coque.CouleurCourbure, avant);
  g.EditMax->clear();
  QTest::keyClicks(g.EditMax, "0.05");
  EXPECT_DOUBLE_EQ(t.S->Echelle.Max, 0.05);
  EXPECT_NE(coque.CouleurCourbure, avant);
  EXPECT_EQ(g.LabelHaut->text(), "> 0.0500");
  g.Curseur->setValue(50);
  EXPECT_EQ(g.LabelBas->text(), "< -0.0250");

  std::vector<int> gardees = coque.CouleurCourbure;
  t.W<QToolButton>("SBCourbure")->click();
  EXPECT_FALSE(t.S->Gauss()->isVisible());
  EXPECT_FALSE(coque.AvecCourbure);
  // Later passes without curvature keep the last colours.
  coque.MarqueNonCalculee();
  MajSurface(d, false, 0);
  EXPECT_EQ(coque.CouleurCourbure, gardees);
}

TEST(StudioFenetre, LightControlsChooseSwitchAndTurnTheSelectedLight) {
  FenetreStudio t;
  auto* num = t.W<QSpinBox>("UD_Light");
  auto* actif = t.W<QCheckBox>("CB_Active");
  ASSERT_TRUE(num && actif);
  EXPECT_EQ(num->maximum(), 7);
  EXPECT_FALSE(num->wrapping());
  EXPECT_TRUE(actif->isChecked());
  EXPECT_TRUE(t.S->Lumieres[0].Enabled());
  // An empty settings store: the main window's first display gave every light its
  // stored default place, (60, 60) for light 0 and lights 4 to 7.
  EXPECT_FLOAT_EQ(t.S->Lumieres[0].RotX(), 60);
  EXPECT_FLOAT_EQ(t.S->Lumieres[0].RotY(), 60);
  EXPECT_TRUE(t.S->Lumieres[3].Enabled());  // lights 0 to 3 are on by default
  EXPECT_FALSE(t.S->Lumieres[4].Enabled());

  num->setValue(5);
  EXPECT_FALSE(actif->isChecked());
  actif->click();
  EXPECT_TRUE(t.S->Lumieres[5].Enabled());
  EXPECT_TRUE(t.S->Lumieres[5].SpotVisible());
  // Choosing a light whose state differs runs the box's click: marker follows state.
  t.S->Lumieres[2].SetSpotVisible(false);
  num->setValue(4);
  num->setValue(2);
  EXPECT_TRUE(actif->isChecked());
  EXPECT_TRUE(t.S->Lumieres[2].SpotVisible());

  num->setValue(5);
  auto* gauche = t.W<QToolButton>("SB_Gauche");
  auto* haut = t.W<QToolButton>("SB_Haut");
  gauche->setDown(true);
  t.S->PasLumiere();
  EXPECT_FLOAT_EQ(t.S->Lumieres[5].RotY(), 50);
  haut->setDown(true);  // the first pressed in the order up, down, left, right decides
  t.S->PasLumiere();
  EXPECT_FLOAT_EQ(t.S->Lumieres[5].RotX(), 50);
  EXPECT_FLOAT_EQ(t.S->Lumieres[5].RotY(), 50);
  haut->setDown(false);
  gauche->setDown(false);
  t.S->PasLumiere();
  EXPECT_FLOAT_EQ(t.S->Lumieres[5].RotY(), 50);

  t.W<QToolButton>("BtnSpot")->click();
  for (int i = 0; i < 8; i++) EXPECT_FALSE(t.S->Lumieres[i].SpotVisible()) << i;
}

// The studio's camera goes into the document when it is saved, through the real writer,
// and a window that opens the file again stands where the first one stood.
TEST(StudioFenetre, CameraIsSavedWithTheDocumentAndReadBack) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string chemin = dir.filePath("voilier.kvb").toStdString();
  ASSERT_TRUE(QFile::copy(BRIVANE_SAMPLES "/Voilier11.kvb", QString::fromStdString(chemin)));
  auto ouvre = [&](FenetreTest& t) {
    t.F->IO = DocumentIOStandard();
    t.Choix.push_back(QString::fromStdString(chemin));
    EXPECT_TRUE(t.F->Ouvrir());
    return StudioDe(*t.F);
  };
  {
    FenetreTest t;
    TStudioForm* s = ouvre(t);
    ASSERT_NE(s, nullptr);
    EXPECT_NE(s->Camera.Azimut, -35.5f);  // the sample keeps another camera
    ActiveStudio(*t.F);
    s->Camera.Azimut = -35.5f;
    s->Camera.Elevation = 18.25f;
    s->Camera.Angle3 = 2;
    s->Camera.OrigineX = 7;
    s->Camera.OrigineY = -3;
    t.F->Reduire({});  // zooms out by one from the slider's distance at activation
    const float distance = s->Camera.Distance;
    EXPECT_FLOAT_EQ(distance, 21);
    ASSERT_TRUE(t.F->Enregistrer());
    // The key other readers know, in its documented layout.
    std::ifstream f(chemin);
    std::stringstream texte;
    texte << f.rdbuf();
    EXPECT_NE(texte.str().find("[St]\r\n7;-3;21.0000;-35.5000;18.2500;2.0000;\r\n"), std::string::npos);
  }
  FenetreTest t;
  TStudioForm* s = ouvre(t);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->Camera.OrigineX, 7);
  EXPECT_EQ(s->Camera.OrigineY, -3);
  EXPECT_FLOAT_EQ(s->Camera.Distance, 21);
  EXPECT_FLOAT_EQ(s->Camera.Azimut, -35.5f);
  EXPECT_FLOAT_EQ(s->Camera.Elevation, 18.25f);
  EXPECT_FLOAT_EQ(s->Camera.Angle3, 2);
}

}  // namespace
