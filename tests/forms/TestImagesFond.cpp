// The view-control window and the background pictures, on the offscreen platform.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "Fenetre.h"
#include "base/Debug.h"
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
