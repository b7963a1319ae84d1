// A log-out or a closed terminal ends the program with SIGTERM or SIGHUP: the unsaved work
// goes to the recovery document first, whether the event loop is free to answer or held
// by a long calculation; a design with nothing unsaved just ends. Each case runs in a
// child process of its own, the main window of the program in it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>

#include "Fenetre.h"
#include "FinCrash.h"
#include "app/RecuperationQt.h"
#include "app/ReglagesQt.h"
#include "document/GestFich.h"

namespace {

class FinProgramme : public ::testing::Test {
 protected:
  void SetUp() override {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // The child runs this test again from its start: it finds the parent's folder here.
    if (!qEnvironmentVariableIsSet("BRIVANE_TEST_FIN")) {
      qputenv("BRIVANE_TEST_FIN", Temp.path().toLocal8Bit());
      Parent = true;
    }
    Dossier = QDir(qEnvironmentVariable("BRIVANE_TEST_FIN"));
  }
  void TearDown() override {
    if (Parent) qunsetenv("BRIVANE_TEST_FIN");
  }
  std::string Fichier(const char* nom) const { return Dossier.filePath(nom).toStdString(); }

  // In the child: the program's files in the shared folder, the window with a design moved
  // since it was last saved (or not), and the handlers the program installs.
  void Programme(FenetreTest& t, bool modifie) {
    qputenv("BRIVANE_RECOVERY", QByteArray::fromStdString(Fichier("recovery.kvb")));
    qputenv("BRIVANE_SETTINGS", QByteArray::fromStdString(Fichier("Brivane.ini")));
    qputenv("BRIVANE_ERRORLOG", QByteArray::fromStdString(Fichier("Error.log")));
    t.Doc().NomFichier = "/bateaux/coque.kvb";
    if (modifie) {
      TSurface* s = t.Doc().SurfNurbs(0);
      s->Net.PC[1][1].Z += 0.625;
      s->MarqueNonCalculee();
      MajSurface(t.Doc(), true, -1);
      t.Doc().MarqueModifie();
    } else {
      t.Doc().MarqueEnregistre();
    }
    InstalleSauvegardesUrgence(*t.F, 1);
  }

  // In the parent: the recovery document holds the moved vertex, the next start knows whose
  // copy it is, and the log says why the program ended.
  void CopieGardee(const char* signal, double zAttendu) {
    TDocument lu;
    ASSERT_TRUE(OuvrirFichier(lu, Fichier("recovery.kvb")));
    ASSERT_GT(lu.NbSurf(), 0);
    EXPECT_NEAR(lu.SurfNurbs(0)->Net.PC[1][1].Z, zAttendu, 5e-5);
    const QByteArray avant = qgetenv("BRIVANE_SETTINGS");
    qputenv("BRIVANE_SETTINGS", QByteArray::fromStdString(Fichier("Brivane.ini")));
    EXPECT_EQ(LitTexte(*OuvreMagasin(), "System", "RecuperationDe"), "/bateaux/coque.kvb");
    qputenv("BRIVANE_SETTINGS", avant);
    QFile log(QString::fromStdString(Fichier("Error.log")));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(
        log.readAll().contains(QByteArray(signal) + ", design saved to " + Fichier("recovery.kvb").c_str()));
  }

  // The Z the moved vertex has in the window's default design.
  static double ZDeplace() {
    FenetreTest t;
    return t.Doc().SurfNurbs(0)->Net.PC[1][1].Z + 0.625;
  }

  QTemporaryDir Temp;
  QDir Dossier;
  bool Parent = false;
};

TEST_F(FinProgramme, SigtermWithTheLoopFreeKeepsTheWork) {
  const double z = ZDeplace();
  EXPECT_EXIT(
      {
        FenetreTest t;
        Programme(t, true);
        std::raise(SIGTERM);
        // The loop answers at once: well before the signal's own delay runs out.
        QTest::qWait(800);
        std::exit(0);
      },
      FinCrash(SIGTERM), "SIGTERM");
  CopieGardee("SIGTERM", z);
}

TEST_F(FinProgramme, SighupWhileACalculationHoldsTheLoopKeepsTheWork) {
  const double z = ZDeplace();
  EXPECT_EXIT(
      {
        FenetreTest t;
        Programme(t, true);
        std::raise(SIGHUP);
        // No event processed: the loop never answers, the delay does the work.
        const auto fin = std::chrono::steady_clock::now() + std::chrono::seconds(8);
        while (std::chrono::steady_clock::now() < fin)
          std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::exit(0);
      },
      FinCrash(SIGHUP), "SIGHUP");
  CopieGardee("SIGHUP", z);
}

TEST_F(FinProgramme, NothingUnsavedEndsWithoutACopy) {
  EXPECT_EXIT(
      {
        FenetreTest t;
        Programme(t, false);
        std::raise(SIGTERM);
        QTest::qWait(800);
        std::exit(0);
      },
      FinCrash(SIGTERM), "");
  EXPECT_FALSE(QFile::exists(QString::fromStdString(Fichier("recovery.kvb"))));
  EXPECT_FALSE(QFile::exists(QString::fromStdString(Fichier("Error.log"))));
}

}  // namespace
