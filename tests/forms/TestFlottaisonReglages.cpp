// "Affichage > Flottaison" is a display switch like the others: kept in the settings at exit
// and switched back on at the next start, with the line drawn again.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "Fenetre.h"
#include "app/ReglagesQt.h"

namespace {

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

TEST(Configuration, TheFloatingWaterlineSwitchSurvivesARestart) {
  MagasinTemporaire t;
  {
    TMagasinQt m(t.Fichier);
    EcritBooleen(m, "Environement", "SavConfig", true);
  }
  {
    FenetreTest w;
    EXPECT_FALSE(w.F->Aff.Flottaison);  // off by default
    ASSERT_TRUE(w.F->Lance("MeFlottaison", true));
    w.Doc().Modifie = false;
    w.F->close();
  }
  {
    TMagasinQt m(t.Fichier);
    EXPECT_EQ(m.Lit("Conf", "AffFlottaison"), "1");
  }
  {
    FenetreTest w;
    EXPECT_TRUE(w.F->Aff.Flottaison);
    EXPECT_TRUE(w.F->Action("MeFlottaison")->isChecked());
    EXPECT_FALSE(w.Doc().Modifie);
    ASSERT_TRUE(w.F->Lance("MeFlottaison", false));
    w.F->close();
  }
  TMagasinQt m(t.Fichier);
  EXPECT_EQ(m.Lit("Conf", "AffFlottaison"), "0");
}

}  // namespace
