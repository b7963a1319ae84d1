// The view-control window and the background pictures, on the offscreen platform.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "Fenetre.h"
#include "base/Debug.h"
#include "edition/CalageImage.h"
#include "edition/forms/BitMFondForm.h"
#include "edition/forms/VueCtrl.h"
#include "views/BitMFond.h"

namespace {

const std::string Images = std::string(BRIVANE_TEST_DATA) + "/images/";

TEST(VueCtrl, AnglesFollowTheViewKindAndSlidersSetTheActiveView) {
  FenetreTest t;
  t.F->Lance("MeControleVues", true);
  auto* w = VueCtrlExistante(*t.F);
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->isVisible());
  EXPECT_TRUE(t.A("MeControleVues")->isChecked());
  t.F->ActiveVue(tvPlan, false);
  EXPECT_EQ(w->VueLiee(), tvPlan);
  EXPECT_FALSE(w->Curseurs[TVueCtrlForm::AngleH]->isEnabled());
  EXPECT_FALSE(w->Curseurs[TVueCtrlForm::AngleV]->isEnabled());
  TCadrage& c = t.Vue(tvPlan).Cadrage;
  // The sliders show the view as it is.
  EXPECT_EQ(w->Curseurs[TVueCtrlForm::Echelle]->value(), static_cast<int>(std::lround(c.Param.Echelle)));
  EXPECT_EQ(w->Curseurs[TVueCtrlForm::DeplH]->value(),
            c.Param.OrigineX - static_cast<int>(std::lround(c.Largeur / 2.0)));

  w->Curseurs[TVueCtrlForm::Echelle]->setValue(200);
  w->Curseurs[TVueCtrlForm::DeplH]->setValue(30);
  w->Curseurs[TVueCtrlForm::DeplV]->setValue(-40);
  EXPECT_EQ(c.Param.Echelle, 200.0f);
  EXPECT_EQ(c.Param.OrigineX, static_cast<int>(std::lround(c.Largeur / 2.0)) + 30);
  EXPECT_EQ(c.Param.OrigineY, static_cast<int>(std::lround(c.Hauteur / 2.0)) + 40);
  EXPECT_EQ(w->Valeurs[TVueCtrlForm::Echelle]->text(), "200");

  // A zoom by command moves the slider, and the other views stay as they were.
  const float profil = t.Vue(tvProfil).Cadrage.Param.Echelle;
  t.F->Lance("MeAgrandir");
  EXPECT_EQ(w->Curseurs[TVueCtrlForm::Echelle]->value(), static_cast<int>(std::lround(c.Param.Echelle)));
  EXPECT_EQ(t.Vue(tvProfil).Cadrage.Param.Echelle, profil);

  t.F->ActiveVue(tvPersp, false);
  EXPECT_TRUE(w->Curseurs[TVueCtrlForm::AngleH]->isEnabled());
  w->Curseurs[TVueCtrlForm::AngleH]->setValue(90);
  EXPECT_NEAR(t.Vue(tvPersp).Cadrage.Param.Theta, M_PI / 2, 1e-6);
  EXPECT_EQ(t.Vue(tvPersp).Cadrage.AzimutDeg, 90);

  w->close();
  EXPECT_FALSE(t.A("MeControleVues")->isChecked());
}

TEST(ImagesFond, DialogLoadsFitsAndStoresThePicture) {
  FenetreTest t;
  EXPECT_FALSE(t.A("MeImageFond")->isEnabled());
  TBitMFondForm d(*t.F, t.F.get());
  d.ChoisitVue(tvProfil);
  EXPECT_EQ(d.Noms[tvProfil]->text(), "-");
  t.Choix.push_back(QString::fromStdString(Images + "plan_profil.jpg"));
  d.BtnCharger->click();
  EXPECT_EQ(d.Noms[tvProfil]->text().toStdString(), Images + "plan_profil.jpg");
  d.Modes[1]->setChecked(true);
  EXPECT_FALSE(d.LargeurFixe->isEnabled());
  d.Applique();

  const TImageFondDoc& im = t.Doc().ImagesFond[tvProfil];
  EXPECT_EQ(im.Fichier, Images + "plan_profil.jpg");
  EXPECT_EQ(im.Ajustement, 1);
  EXPECT_TRUE(im.Affiche);
  EXPECT_TRUE(t.Doc().Modifie);
  TFormFille& v = t.Vue(tvProfil);
  ASSERT_TRUE(v.FondCharge());
  EXPECT_EQ(v.FondSource().size(), QSize(900, 300));
  // Window width: the 900 x 300 picture keeps its proportions.
  EXPECT_EQ(v.FondAjuste().width(), v.width());
  EXPECT_EQ(v.FondAjuste().height(), static_cast<int>(std::lround(300.0 * v.width() / 900)));
  EXPECT_TRUE(t.A("MeImageFond")->isEnabled());
  EXPECT_TRUE(t.A("MeImageFond")->isChecked());
  // Drawn behind the model: the paper colour of the picture shows in a corner the model leaves empty.
  v.Redessine();
  const QColor coin = v.Image().pixelColor(2, 42);
  EXPECT_GT(coin.red(), 200);
  EXPECT_GT(coin.green(), 200);
  EXPECT_LT(coin.blue(), 235);
  // Toggled off, the view no longer shows it.
  t.F->Lance("MeImageFond", false);
  EXPECT_FALSE(t.A("MeImageFond")->isChecked());
  v.Redessine();
  EXPECT_NE(v.Image().pixelColor(2, 42), coin);

  // The other views were left without a picture.
  EXPECT_FALSE(t.Vue(tvPlan).FondCharge());
}

TEST(ImagesFond, FixedSizesAreAtLeastOne) {
  FenetreTest t;
  TBitMFondForm d(*t.F, t.F.get());
  d.ChoisitVue(tvPlan);
  d.Modes[3]->setChecked(true);
  EXPECT_TRUE(d.LargeurFixe->isEnabled());
  EXPECT_FALSE(d.HauteurFixe->isEnabled());
  d.LargeurFixe->setText("640");
  d.LitTailles();
  EXPECT_EQ(d.Reglages()[tvPlan].LargeurFixe, 640);
  for (const char* mauvais : {"0", "-5", "", "ab"}) {
    d.LargeurFixe->setText(mauvais);
    d.LitTailles();
    EXPECT_EQ(d.Reglages()[tvPlan].LargeurFixe, 640) << mauvais;
    EXPECT_EQ(d.LargeurFixe->text(), "640");
  }
}

// A picture that cannot be decoded, or is gone, leaves the view without one, shows
// nothing and writes a diagnostics entry.
TEST(ImagesFond, BadOrMissingPicturesLeaveTheViewBare) {
  FenetreTest t;
  std::vector<TDbgEntree> entrees;
  // Entries are recorded in debug mode only; both settings go back however the test ends.
  struct Garde {
    ~Garde() { DebugConfig().ModeDebug = false, DebugConfig().Recepteur = nullptr; }
  } garde;
  DebugConfig().ModeDebug = true;
  DebugConfig().Recepteur = [&](const TDbgEntree& e) { entrees.push_back(e); };
  const auto dossier =
      std::filesystem::temp_directory_path() / ("brivane_fond_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dossier);
  const std::string tronque = (dossier / "tronque.jpg").string();
  {
    std::ifstream in(Images + "plan_profil.jpg", std::ios::binary);
    std::string b((std::istreambuf_iterator<char>(in)), {});
    std::ofstream(tronque, std::ios::binary) << b.substr(0, b.size() / 2);
  }
  for (const std::string& chemin : {tronque, (dossier / "absent.gif").string(), Images + "../doc_v101.kvb"}) {
    SCOPED_TRACE(chemin);
    entrees.clear();
    t.Doc().ImagesFond[tvPlan] = {chemin, true, 0, 0, 0, 500, 500};
    t.Vue(tvPlan).ChargeFondFichier();
    EXPECT_FALSE(t.Vue(tvPlan).FondCharge());
    EXPECT_TRUE(t.Vue(tvPlan).FondAjuste().isNull());
    ASSERT_FALSE(entrees.empty());
    EXPECT_EQ(entrees.front().Type, erFichier);
  }
  EXPECT_TRUE(t.Messages.empty());
  // The three formats each decode from a file.
  for (const char* f : {"petit.jpg", "prog.jpg", "petit.bmp", "petit.gif", "entrelace.gif"}) {
    QImage q;
    EXPECT_TRUE(ChargeImageFond(Images + f, q)) << f;
    EXPECT_FALSE(q.isNull()) << f;
  }
  DebugConfig().Recepteur = nullptr;
  std::filesystem::remove_all(dossier);
}

TEST(ImagesFond, RelativeNamesAreFoundBesideTheDocument) {
  EXPECT_EQ(CheminImageFond("images/petit.gif", std::string(BRIVANE_TEST_DATA) + "/doc.kvb"),
            std::string(BRIVANE_TEST_DATA) + "/images/petit.gif");
  EXPECT_EQ(CheminImageFond("/absolu/x.jpg", "/ailleurs/doc.kvb"), "/absolu/x.jpg");
  EXPECT_EQ(CheminImageFond("nulle_part.jpg", "/ailleurs/doc.kvb"), "nulle_part.jpg");
}

}  // namespace

namespace {

// The colour at a view pixel, as red (1), blue (2) or something else (0).
int Teinte(const QImage& i, TPixel p) {
  const QColor c = i.pixelColor(p.X, p.Y);
  if (c.red() > 200 && c.green() < 80 && c.blue() < 80) return 1;
  if (c.blue() > 200 && c.red() < 80 && c.green() < 80) return 2;
  return 0;
}

}  // namespace

// A lines plan tied to the hull by two clicks and their model coordinates stays under the
// hull when the view is zoomed and panned.
TEST(ImagesFond, APictureTiedToTheModelFollowsTheZoomAndThePan) {
  QTemporaryDir dossier;
  // Left half red, right half blue: the edge between them is x = 200 of the picture.
  QImage plan(400, 200, QImage::Format_RGB32);
  plan.fill(Qt::red);
  for (int y = 0; y < 200; y++)
    for (int x = 200; x < 400; x++) plan.setPixelColor(x, y, Qt::blue);
  const QString fichier = dossier.filePath("plan.bmp");
  ASSERT_TRUE(plan.save(fichier, "BMP"));

  FenetreTest t;
  TFormFille& v = t.Vue(tvProfil);
  TCadrage& c = v.Cadrage;
  // The two points: the model point at the view's centre, and one half a view to the right
  // and a quarter of a view down.
  const TVertex3f centre = CalculePt3DInv(c.Param, c.Largeur / 2, c.Hauteur / 2, 0);
  const double d = 0.5 * c.Largeur / c.Param.Echelle;
  TBitMFondForm dlg(*t.F, t.F.get());
  dlg.ChoisitVue(tvProfil);
  t.Choix.push_back(fichier);
  dlg.BtnCharger->click();
  ASSERT_TRUE(dlg.BtnCaler->isEnabled());
  dlg.Caler([&](TCalageForm& f) {
    QTest::mouseClick(f.Image, Qt::LeftButton, {}, QPoint(100, 50));
    QTest::mouseClick(f.Image, Qt::LeftButton, {}, QPoint(300, 150));
    QTest::keyClicks(f.Coord[0][0], QString::number(centre.Y, 'f', 6));
    QTest::keyClicks(f.Coord[0][1], QString::number(centre.Z, 'f', 6));
    QTest::keyClicks(f.Coord[1][0], QString::number(centre.Y + d, 'f', 6));
    QTest::keyClicks(f.Coord[1][1], QString::number(centre.Z - d / 2, 'f', 6));
    return f.Valide();
  });
  EXPECT_FALSE(dlg.Modes[1]->isEnabled());  // the fit modes wait while the picture is tied
  dlg.Applique();
  ASSERT_TRUE(t.Doc().ImagesFond[tvProfil].Calee);

  // The edge, halfway between the two points, in the model.
  const TVertex3f bord{0, centre.Y + d / 2, centre.Z - d / 4};
  auto verifie = [&](const char* quand) {
    v.Redessine();
    TPixel p;
    ASSERT_TRUE(TProjecteur(c.Param).Projette(bord, p)) << quand;
    ASSERT_TRUE(p.X > 6 && p.X < v.width() - 6 && p.Y > 0 && p.Y < v.height()) << quand;
    EXPECT_EQ(Teinte(v.Image(), {p.X - 5, p.Y}), 1) << quand;
    EXPECT_EQ(Teinte(v.Image(), {p.X + 5, p.Y}), 2) << quand;
  };
  verifie("tied");
  t.F->ActiveVue(tvProfil, false);
  t.F->Lance("MeAgrandir");
  verifie("zoomed in");
  t.F->Lance("MeReduire");
  t.F->Lance("MeReduire");
  verifie("zoomed out");
  c.Fleche(-40, 25, false);
  verifie("panned");

  // Untied, the picture is placed in the window again and no longer follows.
  TBitMFondForm dlg2(*t.F, t.F.get());
  dlg2.ChoisitVue(tvProfil);
  ASSERT_TRUE(dlg2.BtnLiberer->isEnabled());
  dlg2.BtnLiberer->click();
  dlg2.Applique();
  EXPECT_FALSE(t.Doc().ImagesFond[tvProfil].Calee);
}

// Two clicks on the same spot, or no second click, tie nothing and say why.
TEST(ImagesFond, ATieWithoutTwoDistinctPointsIsRefused) {
  QTemporaryDir dossier;
  QImage plan(300, 200, QImage::Format_RGB32);
  plan.fill(Qt::white);
  const QString fichier = dossier.filePath("plan.bmp");
  ASSERT_TRUE(plan.save(fichier, "BMP"));
  FenetreTest t;
  TBitMFondForm dlg(*t.F, t.F.get());
  dlg.ChoisitVue(tvSection);
  t.Choix.push_back(fichier);
  dlg.BtnCharger->click();
  bool accepte = true;
  dlg.Caler([&](TCalageForm& f) {
    QTest::mouseClick(f.Image, Qt::LeftButton, {}, QPoint(40, 40));
    QTest::keyClicks(f.Coord[0][0], "0");
    QTest::keyClicks(f.Coord[0][1], "0");
    accepte = f.Valide();  // the second point was never clicked
    EXPECT_FALSE(accepte);
    QTest::mouseClick(f.Image, Qt::LeftButton, {}, QPoint(40, 40));
    QTest::keyClicks(f.Coord[1][0], "1");
    QTest::keyClicks(f.Coord[1][1], "1");
    accepte = f.Valide();  // the same pixel twice
    return accepte;
  });
  EXPECT_FALSE(accepte);
  EXPECT_EQ(t.Messages.size(), 2u);
  EXPECT_FALSE(dlg.Reglages()[tvSection].Calee);
  // The perspective view has nothing to tie a picture to.
  dlg.ChoisitVue(tvPersp);
  t.Choix.push_back(fichier);
  dlg.BtnCharger->click();
  EXPECT_FALSE(dlg.BtnCaler->isEnabled());
}
