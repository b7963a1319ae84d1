// The resistance program's window with the stand-in program: the run in a folder whose
// name has blanks, the curves it plots, the failures it reports and the time limit.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "../naval/Barge.h"
#include "Fenetre.h"
#include "exchange/forms/VexrunForm.h"
#include "ui/Graphe.h"

namespace fs = std::filesystem;

namespace {

// A barge 8 m long in a window whose settings name a copy of the stand-in, in a folder
// and under a file name that both hold blanks.
struct Michlet : FenetreTest {
  fs::path Dossier;
  TReglagesMichlet R;
  std::unique_ptr<TVexrunForm> W;
  bool Fini = false;

  Michlet() {
    Dossier = fs::temp_directory_path() / ("brivane vexrun " + std::to_string(::getpid()));
    fs::remove_all(Dossier);
    fs::create_directories(Dossier);
    fs::copy_file(BRIVANE_MICHLET_SUBSTITUT, Dossier / "michlet substitut");
    Doc().Vider();
    Doc().Grille.NbSec = 11;
    for (int k = 0; k < 11; k++) Doc().Grille.PosSec[static_cast<size_t>(k)] = 0.5 + 0.7 * k;
    Doc().Grille.NbLE = 5;
    for (int j = 0; j < 5; j++) Doc().Grille.PosLgE[static_cast<size_t>(j)] = -0.15 * j;
    AjouteBarge(Doc(), 1.5, 8, 0.6, 1.0, 4);
    AjouteBarge(Doc(), 1, 2, 0.1, 0.2, 2);
    Doc().Surf(1).Calc = false;  // not offered
    R = {true, Dossier.string() + "/", "michlet substitut", "in put.mlt", "out.mlt", 60};
    W = std::make_unique<TVexrunForm>(*F, F.get());
    W->LitReglages = [this] { return R; };
    W->EcritReglages = [](const TReglagesMichlet&) {};
    W->QuandTermine = [this] { Fini = true; };
  }
  ~Michlet() {
    W.reset();
    fs::remove_all(Dossier);
  }
  bool Attend(int ms = 20000) {
    return QTest::qWaitFor([this] { return Fini; }, ms);
  }
  bool Vu(const std::string& debut) const {
    for (const auto& m : Messages)
      if (m.rfind(debut, 0) == 0) return true;
    return false;
  }
};

double Friction(double u, double l) {
  const double re = u * l / 1.141e-6;
  return u * u * 0.075 / std::pow(std::log10(re) - 2, 2);
}

void Ecrit(const fs::path& p, const std::string& t) { std::ofstream(p, std::ios::binary) << t; }

}  // namespace

TEST(Vexrun, StandInRunPlotsRrAndRtAgainstSpeed) {
  Michlet m;
  ASSERT_EQ(m.W->Disponibles().size(), 1u) << "only the surfaces with Calc are offered";
  m.W->Choisit({0});
  ASSERT_TRUE(m.W->Lancer());
  ASSERT_TRUE(m.Attend());
  EXPECT_TRUE(m.Messages.empty()) << (m.Messages.empty() ? "" : m.Messages[0]);
  EXPECT_TRUE(fs::exists(m.Dossier / "in put.mlt"));
  EXPECT_EQ(m.W->Params().Comptes[1], "11");
  EXPECT_EQ(m.W->Params().Comptes[3], "5");
  TGraphe* g = m.W->Graphe();
  ASSERT_EQ(g->NbSeries(), 2);
  EXPECT_EQ(g->Titre(), "Résistance = f( vitesse )");
  EXPECT_EQ(m.W->Pages()->currentIndex(), 1) << "the chart page shows the result";
  const auto& rr = g->Serie(0);
  const auto& rt = g->Serie(1);
  ASSERT_EQ(rr.size(), 30u);
  ASSERT_EQ(rt.size(), 30u);
  EXPECT_NEAR(rt.front().first, 0.5, 1e-6);
  EXPECT_NEAR(rt.back().first, 15, 1e-6);
  // Rt - Rr is the friction: it follows the ITTC 1957 line from speed to speed.
  for (size_t i = 1; i < rt.size(); i++) {
    const double ratio = (rt[i].second - rr[i].second) / (rt[0].second - rr[0].second);
    EXPECT_NEAR(ratio, Friction(rt[i].first, 8) / Friction(rt[0].first, 8), 1e-3 * ratio) << i;
  }
  EXPECT_TRUE(m.W->TexteSortie().contains(" U (m/sec),       Rr     ,       Rt"));
  // A second reading replaces the curves.
  ASSERT_TRUE(m.W->ResultatGraphe());
  EXPECT_EQ(g->NbSeries(), 2);
  EXPECT_EQ(g->Serie(0).size(), 30u);
}

TEST(Vexrun, UnusableResultsGiveAMessageAndNoCurve) {
  Michlet m;
  const std::string entete = " U (m/sec),       Rr     ,       Rt\r\n";
  for (const std::string& t : {entete + "1.0, 2.0, 3.0\r\n2.0, 4.0\r\n", entete + "1.0, deux, 3.0\r\n",
                               std::string(), std::string("no table\r\n")}) {
    Ecrit(m.Dossier / "out.mlt", entete + "1.0, 2.0, 3.0\r\n");
    ASSERT_TRUE(m.W->ResultatGraphe());
    m.Messages.clear();
    Ecrit(m.Dossier / "out.mlt", t);
    EXPECT_FALSE(m.W->ResultatGraphe());
    EXPECT_EQ(m.Messages.size(), 1u);
    EXPECT_EQ(m.W->Graphe()->NbSeries(), 0) << "the previous curves do not stay";
  }
  fs::remove(m.Dossier / "out.mlt");
  m.Messages.clear();
  EXPECT_FALSE(m.W->ResultatGraphe());
  EXPECT_EQ(m.Messages.size(), 1u);
}

TEST(Vexrun, LaunchFailuresAreShown) {
  Michlet m;
  m.W->Choisit({0});
  // A program that is not there: the input file is written all the same.
  m.R.Programme = "absent";
  ASSERT_TRUE(m.W->Lancer());
  ASSERT_TRUE(m.Attend());
  EXPECT_TRUE(m.Vu("Erreur de lancement de l'application absent"))
      << (m.Messages.empty() ? "" : m.Messages[0]);
  EXPECT_TRUE(fs::exists(m.Dossier / "in put.mlt"));
  // The program refuses its input (no hull): its exit code and its words are shown.
  m.R.Programme = "michlet substitut";
  m.W->Rend({0});
  m.Fini = false;
  m.Messages.clear();
  ASSERT_TRUE(m.W->Lancer());
  ASSERT_TRUE(m.Attend());
  ASSERT_EQ(m.Messages.size(), 1u);
  EXPECT_NE(m.Messages[0].find("code 1"), std::string::npos) << m.Messages[0];
  EXPECT_NE(m.Messages[0].find("number of hulls"), std::string::npos) << m.Messages[0];
  EXPECT_EQ(m.W->Graphe()->NbSeries(), 0);
  // An input file that cannot be written: nothing starts.
  m.R.Dossier = (m.Dossier / "absent" / "").string();
  m.Messages.clear();
  EXPECT_FALSE(m.W->Lancer());
  EXPECT_EQ(m.Messages.size(), 1u);
  EXPECT_FALSE(m.W->EnCours());
}

TEST(Vexrun, AProgramThatNeverEndsIsStoppedAtTheLimitOrByTheUser) {
  Michlet m;
  m.W->Choisit({0});
  qputenv("BRIVANE_SUBSTITUT_BLOQUE", "1");
  m.W->findChild<QSpinBox*>("Delai")->setValue(1);
  ASSERT_TRUE(m.W->Lancer());
  EXPECT_TRUE(m.W->EnCours());
  EXPECT_TRUE(m.W->Etat().contains("sur 1 s")) << m.W->Etat().toStdString();
  ASSERT_TRUE(m.Attend(10000));
  EXPECT_FALSE(m.W->EnCours());
  EXPECT_TRUE(m.Vu("L'application michlet substitut ne s'est pas terminée en 1 s"));
  // Stopped by the user: no message, the window ready again.
  m.W->findChild<QSpinBox*>("Delai")->setValue(600);
  m.Fini = false;
  m.Messages.clear();
  ASSERT_TRUE(m.W->Lancer());
  // Stopped once it runs, not while it is still being started (the killed first run may
  // still be a child, awaiting its deletion).
  ASSERT_TRUE(QTest::qWaitFor(
      [&m] {
        for (const QProcess* p : m.W->findChildren<QProcess*>())
          if (p->state() == QProcess::Running) return true;
        return false;
      },
      10000));
  EXPECT_TRUE(m.W->EnCours());
  m.W->Arreter();
  qunsetenv("BRIVANE_SUBSTITUT_BLOQUE");
  EXPECT_TRUE(m.Fini);
  EXPECT_FALSE(m.W->EnCours());
  EXPECT_TRUE(m.Messages.empty());
  EXPECT_EQ(m.W->Etat(), "Calcul arrêté par l'utilisateur");
  EXPECT_FALSE(fs::exists(m.Dossier / "out.mlt"));
}

TEST(Vexrun, WithoutAFolderTheInputIsWrittenHereAndNothingStarts) {
  Michlet m;
  m.W->Choisit({0});
  const QString ici = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(m.Dossier.string())));
  m.R.Dossier.clear();
  m.R.Entree = "ici.mlt";
  EXPECT_FALSE(m.W->Lancer());
  QDir::setCurrent(ici);
  EXPECT_TRUE(fs::exists(m.Dossier / "ici.mlt"));
  EXPECT_FALSE(m.W->EnCours());
  EXPECT_TRUE(m.Messages.empty());
}

TEST(Vexrun, HullListsAndConfigurationFiles) {
  Michlet m;
  m.Doc().Surf(1).Calc = true;
  m.W->Remplit();
  ASSERT_EQ(m.W->Disponibles().size(), 2u);
  auto* choix = m.W->findChild<QListWidget*>("ListeChoix");
  m.W->Choisit({1});
  for (auto* rb : m.W->findChildren<QRadioButton*>())
    if (rb->text() == "Carène asymétrique") rb->setChecked(true);
  m.W->Choisit({0});
  EXPECT_EQ(m.W->Carenes(), (std::vector<int>{1, 0}));
  EXPECT_EQ(choix->item(0)->text(), "Barge1 S");
  EXPECT_EQ(choix->item(1)->text(), "Barge0 A");
  m.W->Rend({0});
  EXPECT_EQ(m.W->Carenes(), (std::vector<int>{0}));
  EXPECT_EQ(m.W->findChild<QListWidget*>("ListeDispo")->item(0)->text(), "Barge1");

  TParamsMichlet p = m.W->Params();
  p.Generaux[1] = "9.80";
  p.Comptes = {"c1", "c2"};
  m.W->MontreParams(p);
  const std::string cfg = (m.Dossier / "ma config.cfg").string();
  ASSERT_TRUE(m.W->SauveConfig(cfg));
  m.W->MontreParams(ParamsMichletInitiaux());
  ASSERT_TRUE(m.W->ChargeConfig(cfg));
  EXPECT_EQ(m.W->Params().Generaux, p.Generaux);
  EXPECT_EQ(m.W->Params().Comptes, p.Comptes);
  EXPECT_EQ(m.W->Params().Vagues, p.Vagues);
  EXPECT_FALSE(m.W->ChargeConfig((m.Dossier / "absent.cfg").string()));
  EXPECT_EQ(m.W->Params().Generaux, p.Generaux) << "a missing file leaves the boxes";
}
