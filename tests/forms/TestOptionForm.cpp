#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>

#include "Fenetre.h"
#include "app/OptionForm.h"
#include "app/ReglagesQt.h"
#include "base/PlaceFenetre.h"
#include "naval/forms/HydrostatForm.h"

namespace {

// Each test gets its own scratch store, so no test sees another's settings.
struct MagasinTemporaire {
  QTemporaryDir Dossier;
  QByteArray Ancien = qgetenv("BRIVANE_SETTINGS");
  QString Fichier = QDir(Dossier.path()).filePath("Brivane.ini");
  MagasinTemporaire() {
    qputenv("BRIVANE_SETTINGS", Fichier.toLocal8Bit());
    ReglagesProgramme() = TReglages();
  }
  ~MagasinTemporaire() {
    qputenv("BRIVANE_SETTINGS", Ancien);
    ReglagesProgramme() = TReglages();
    Options() = TOptions();
  }
};

}  // namespace

TEST(MagasinQt, TextAndBinaryValuesSurviveReopening) {
  MagasinTemporaire t;
  {
    TMagasinQt m(t.Fichier);
    auto l = LumieresParDefaut();
    l[4].Dist = 9.5;
    EcritLumieres(m, l);
    m.Ecrit("Colors", "Arp", "255");
    m.Ecrit("Files", "File1", "/a.kvb");
    m.Ecrit("Files", "File2", "/b.kvb");
  }
  TMagasinQt m(t.Fichier);
  EXPECT_EQ(m.Lit("Colors", "Arp"), "255");
  EXPECT_FALSE(m.Lit("Colors", "Axes"));
  ASSERT_TRUE(m.LitBinaire("PosLight", "L4Dist"));
  EXPECT_EQ(m.LitBinaire("PosLight", "L4Dist")->size(), 8u);
  EXPECT_FALSE(m.LitBinaire("Colors", "Arp"));  // text is not a light position
  TReglages r = LitReglages(m);
  EXPECT_DOUBLE_EQ(r.Lumieres[4].Dist, 9.5);
  EXPECT_EQ(r.Couleur("Arp"), 255);
  m.EffaceSection("Files");
  EXPECT_FALSE(m.Lit("Files", "File1"));
}

TEST(MagasinQt, SettingsSurviveARestartOfTheMainWindow) {
  MagasinTemporaire t;
  {
    FenetreTest w;
    EXPECT_EQ(w.F->OptV.Arp, 0);  // first start: black views, red axes
    EXPECT_EQ(w.F->OptV.Axes, 255);
    TReglages r = ReglagesProgramme();
    r.Couleurs[0] = 0x203040;
    r.RatioVect = 400;
    r.Fichiers = {"/bateaux/yacht.kvb"};
    AppliqueOptions(*w.F, r);
    ReglagesProgramme().Fichiers = r.Fichiers;
    w.F->close();
  }
  ReglagesProgramme() = TReglages();
  FenetreTest w;
  EXPECT_EQ(w.F->OptV.Arp, 0x203040);
  EXPECT_DOUBLE_EQ(w.F->OptV.RatioVect, 400);
  EXPECT_EQ(ReglagesProgramme().Fichiers, std::vector<std::string>{"/bateaux/yacht.kvb"});
}

TEST(OptionForm, OpensOnTheFirstPageWithTheLanguagesOfTheFolder) {
  MagasinTemporaire t;
  FenetreTest w;
  QFile(QDir(t.Dossier.path()).filePath("lang_English.dat")).open(QIODevice::WriteOnly);
  QFile(QDir(t.Dossier.path()).filePath("lang_..dat")).open(QIODevice::WriteOnly);
  TReglages r;
  r.Language = "English";
  r.LongRayon = 1;  // below the slider's range: shown at its minimum
  TOptionForm fen(*w.F);
  fen.Pages->setCurrentIndex(2);
  fen.Ouvre(r, t.Dossier.path());
  EXPECT_EQ(fen.Pages->currentIndex(), 0);
  ASSERT_EQ(fen.CBLangue->count(), 2);
  EXPECT_EQ(fen.CBLangue->itemText(0), "English");
  EXPECT_EQ(fen.CBLangue->itemText(1), QString::fromUtf8("Français"));
  EXPECT_EQ(fen.CBLangue->currentText(), "English");
  EXPECT_EQ(fen.EdTailleReperes->text(), "0.020");
  EXPECT_EQ(fen.TBCourbure->value(), 10);
  EXPECT_TRUE(fen.CBPosLight->isChecked());
}

TEST(OptionForm, AWrongMarkerSizeAppliesNothing) {
  MagasinTemporaire t;
  FenetreTest w;
  TOptionForm fen(*w.F);
  fen.Ouvre(ReglagesProgramme(), t.Dossier.path());
  fen.CBMultiFen->setChecked(true);
  fen.findChild<QPushButton*>("BtnCouleursDefaut")->click();
  fen.EdTailleReperes->setText("deux");
  fen.Pages->setCurrentIndex(1);
  EXPECT_FALSE(fen.Valide());
  EXPECT_EQ(fen.Pages->currentIndex(), 0);
  ASSERT_EQ(w.Messages.size(), 1u);
  EXPECT_NE(w.Messages[0].find("deux"), std::string::npos);
  EXPECT_FALSE(fen.Resultat().MultiFen);
  EXPECT_FALSE(Options().MultiFen);

  fen.EdTailleReperes->setText("0.05");
  ASSERT_TRUE(fen.Valide());
  EXPECT_TRUE(fen.Resultat().MultiFen);
  EXPECT_DOUBLE_EQ(fen.Resultat().OptTailleReperesStudio, 0.05);
  AppliqueOptions(*w.F, fen.Resultat());
  EXPECT_TRUE(Options().MultiFen);
  TMagasinQt m(t.Fichier);
  EXPECT_EQ(m.Lit("Environement", "MultiFen"), "1");
  EXPECT_EQ(m.Lit("Environement", "OptTailleReperesStudio"), "0.050");
  EXPECT_FALSE(m.Lit("Environement", "Language"));  // unchanged: not written
}

TEST(OptionForm, CurvatureSliderActsAtOnceButTheStoreKeepsTheOldValue) {
  MagasinTemporaire t;
  FenetreTest w;
  TOptionForm fen(*w.F);
  fen.Ouvre(ReglagesProgramme(), t.Dossier.path());
  fen.TBCourbure->setValue(2500);
  EXPECT_EQ(Options().FacteurCourbure, 2500);
  fen.reject();
  EXPECT_EQ(Options().FacteurCourbure, 2500);
  TMagasinQt m(t.Fichier);
  EXPECT_NE(m.Lit("Courbure", "LongRayon"), "2500");
  if (qEnvironmentVariableIsSet("BRIVANE_CAPTURE_DIR")) {
    fen.show();
    for (int i = 0; i < 3; ++i) {
      fen.Pages->setCurrentIndex(i);
      fen.grab().save(qEnvironmentVariable("BRIVANE_CAPTURE_DIR") + QString("/option%1.png").arg(i));
    }
  }
}

TEST(FichiersRecents, OpeningAndSavingPutTheFileAtTheHeadOfTheMenu) {
  MagasinTemporaire t;
  FenetreTest w;
  QAction* derniers = w.F->Action("MeDerniers");
  ASSERT_TRUE(derniers && derniers->menu());
  EXPECT_FALSE(derniers->isEnabled());
  ASSERT_TRUE(w.F->OuvrirFichier("/bateaux/plan.kvb", false, false));
  ASSERT_TRUE(w.F->OuvrirFichier("/bateaux/yacht.kvb", false, false));
  EXPECT_TRUE(derniers->isEnabled());
  Q_EMIT derniers->menu()->aboutToShow();
  ASSERT_EQ(derniers->menu()->actions().size(), 2);
  EXPECT_EQ(derniers->menu()->actions()[0]->text(), "/bateaux/yacht.kvb");
  w.F->Document().NomFichier = "/bateaux/plan.kvb";
  ASSERT_TRUE(w.F->Enregistrer());
  EXPECT_EQ(ReglagesProgramme().Fichiers,
            (std::vector<std::string>{"/bateaux/plan.kvb", "/bateaux/yacht.kvb"}));
}

namespace {

QWidget* Fenetre(const char* nom) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == nom) return w;
  return nullptr;
}

}  // namespace

TEST(Configuration, SwitchesAndWindowPlacesSurviveARestart) {
  MagasinTemporaire t;
  {
    TMagasinQt m(t.Fichier);
    EcritBooleen(m, "Environement", "SavConfig", true);
    EcritBooleen(m, "Environement", "PosFen", true);
  }
  QRect place;
  {
    FenetreTest w;
    ASSERT_TRUE(ReglagesProgramme().SavConfig && ReglagesProgramme().PosFen);
    w.F->Lance("MeCouples", true);
    w.F->Lance("MeAxes", false);
    w.F->Lance("MePrecBonne", true);
    w.F->Lance("MeControleVues", true);
    QWidget* vc = Fenetre("VueCtrlForm");
    ASSERT_TRUE(vc && vc->isVisible());
    vc->setGeometry(30, 40, 260, 320);
    place = vc->geometry();
    // The four views apart, in an area smaller than any this test's windows have (a layout
    // larger than the area would come back scaled).
    w.F->SousFenetre(tvPlan)->setGeometry(15, 25, 300, 220);
    w.F->SousFenetre(tvSection)->setGeometry(320, 25, 300, 220);
    w.F->SousFenetre(tvProfil)->setGeometry(15, 250, 300, 220);
    w.F->SousFenetre(tvPersp)->setGeometry(320, 250, 300, 220);
    w.Doc().Modifie = false;
    w.F->close();
  }
  {
    TMagasinQt m(t.Fichier);
    EXPECT_EQ(m.Lit("Conf", "AffSections"), "1");
    EXPECT_EQ(m.Lit("Conf", "AffAxes"), "0");
    EXPECT_EQ(m.Lit("Conf", "Precision"), "Bonne");
    EXPECT_EQ(m.Lit("PosFen", "VueCtrlFormVisible"), "1");
    EXPECT_EQ(m.Lit("PosFen", "PlanFormWidth"), "300");
  }
  {
    FenetreTest w;
    EXPECT_TRUE(w.F->Aff.Couples);
    EXPECT_FALSE(w.F->Aff.Axes);
    EXPECT_TRUE(w.F->Action("MeCouples")->isChecked());
    EXPECT_EQ(w.Doc().Precision, 50);
    EXPECT_FALSE(w.Doc().Modifie);  // restoring the display changes no document
    QWidget* vc = Fenetre("VueCtrlForm");
    ASSERT_TRUE(vc);
    EXPECT_TRUE(vc->isVisible());
    EXPECT_TRUE(w.F->Action("MeControleVues")->isChecked());
    EXPECT_EQ(vc->geometry(), place);
    EXPECT_EQ(w.F->SousFenetre(tvPlan)->geometry(), QRect(15, 25, 300, 220));
    // Off: the section stays as it was, whatever the display at exit.
    ReglagesProgramme().SavConfig = false;
    w.F->Lance("MeCouples", false);
    w.F->close();
  }
  TMagasinQt m(t.Fichier);
  EXPECT_EQ(m.Lit("Conf", "AffSections"), "1");
}

TEST(Configuration, APlaceOffEveryScreenGivesTheDefaultAndCalculationWindowsKeepTheirs) {
  MagasinTemporaire t;
  {
    TMagasinQt m(t.Fichier);
    EcritBooleen(m, "Environement", "PosFen", true);
    // A second screen far to the right that is no longer there.
    EcritPlaceFenetre(m, "VueCtrlForm", {{5000, 40, 260, 320}, "Normal", true, true});
    EcritPlaceFenetre(m, "HydrostatForm", {{20, 30, 620, 460}, "Normal", false, true});
    // Maximised at exit: back maximised, its four values not applied.
    EcritPlaceFenetre(m, "ProfileForm", {{1, 2, 250, 180}, "Maximized", false, true});
  }
  FenetreTest w;
  EXPECT_TRUE(w.F->SousFenetre(tvProfil)->isMaximized());
  EXPECT_NE(w.F->SousFenetre(tvProfil)->size(), QSize(250, 180));
  QWidget* vc = Fenetre("VueCtrlForm");
  ASSERT_TRUE(vc && vc->isVisible());
  const QRect ecran = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_TRUE(ecran.intersects(vc->geometry())) << vc->geometry().x();
  EXPECT_LT(vc->geometry().x(), 5000);

  // A calculation window made later takes its place when first shown, and gives it back
  // when the program ends.
  auto* h = new THydrostatForm(w.Doc(), w.F.get());
  h->show();
  QApplication::processEvents();
  EXPECT_EQ(h->geometry(), QRect(20, 30, 620, 460));
  h->setGeometry(60, 70, 640, 470);
  h->hide();
  delete h;
  w.F->close();
  TMagasinQt m(t.Fichier);
  EXPECT_EQ(m.Lit("PosFen", "HydrostatFormLeft"), "60");
  EXPECT_EQ(m.Lit("PosFen", "HydrostatFormWidth"), "640");
  EXPECT_EQ(m.Lit("PosFen", "HydrostatFormVisible"), "0");
}

// A new user's layout and switches come back at the next start without a visit to the
// options; views placed on a larger screen come back side by side, each title bar in the area.
TEST(Configuration, ANewUsersLayoutIsKeptAndASmallerScreenKeepsTheViewsApart) {
  MagasinTemporaire t;
  {
    FenetreTest w;
    w.F->Lance("MeCouples", true);
    w.Doc().Modifie = false;
    w.F->close();
  }
  {
    TMagasinQt m(t.Fichier);
    EXPECT_EQ(m.Lit("Conf", "AffSections"), "1");
    EXPECT_TRUE(m.Lit("PosFen", "MainFormWidth").has_value());
    EXPECT_TRUE(m.Lit("PosFen", "PlanFormLeft").has_value());
    // Two by two on a screen far larger than this one.
    const char* vues[] = {"SectionForm", "PlanForm", "ProfileForm", "PerspForm"};
    for (int i = 0; i < 4; i++)
      EcritPlaceFenetre(m, vues[i], {{(i % 2) * 1300, (i / 2) * 1000, 1300, 1000}, "Normal", true, true});
  }
  FenetreTest w;
  EXPECT_TRUE(w.F->Aff.Couples);
  const QRect zone = w.F->Zone()->viewport()->rect();
  std::vector<QRect> places;
  for (int t = tvSection; t <= tvPersp; t++) {
    const QRect g = w.F->SousFenetre(t)->geometry();
    EXPECT_TRUE(zone.contains(g)) << t << ": " << g.x() << "," << g.y() << " " << g.width() << "x"
                                  << g.height();
    for (const QRect& autre : places) EXPECT_FALSE(autre.intersects(g)) << t;
    places.push_back(g);
  }
  // Still the layout stored, scaled: the plan view right of the section, the profile below it.
  EXPECT_GT(places[tvPlan].left(), places[tvSection].left() + zone.width() / 3);
  EXPECT_GT(places[tvProfil].top(), places[tvSection].top() + zone.height() / 3);
  w.Doc().Modifie = false;
}
