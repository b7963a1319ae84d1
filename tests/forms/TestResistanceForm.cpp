// "Données > Résistance à l'avancement..." through the real main window on the motor-boat
// sample: the fields driven as a user would, the charts' curves against the core's, the
// entries kept in the settings, and the Michlet results drawn beside them.
#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

#include "Fenetre.h"
#include "app/ReglagesQt.h"
#include "naval/Hydrostat.h"
#include "naval/forms/ResistanceForm.h"
#include "ui/Graphe.h"
#include "ui/Registre.h"

namespace {

struct MagasinTemporaire {
  QTemporaryDir Dossier;
  QByteArray Ancien = qgetenv("BRIVANE_SETTINGS");
  QString Fichier = QDir(Dossier.path()).filePath("Brivane.ini");
  MagasinTemporaire() { qputenv("BRIVANE_SETTINGS", Fichier.toLocal8Bit()); }
  ~MagasinTemporaire() { qputenv("BRIVANE_SETTINGS", Ancien); }
};

void Saisit(QLineEdit* e, const QString& t) {
  e->selectAll();
  QTest::keyClicks(e, t);
}

TEST(ResistanceForm, SavitskyOnTheMotorBoatFromTheDataMenu) {
  MagasinTemporaire m;
  // A Michlet output in the program's folder: its Rt (kN) joins the resistance chart.
  {
    TMagasinQt s(m.Fichier);
    s.Ecrit("Vexrun", "ExePathName", m.Dossier.path().toStdString() + "/");
    s.Ecrit("Vexrun", "OutFileName", "out.mlt");
    std::ofstream o(m.Dossier.path().toStdString() + "/out.mlt");
    o << " U (m/sec),       Rr     ,       Rt\r\n 3.0, 1.0, 2.5\r\n 5.0, 2.0, 4.0\r\n\r\nfin\r\n";
  }
  FenetreTest t;
  t.F->IO = DocumentIOStandard();
  ASSERT_TRUE(t.F->OuvrirFichier(BRIVANE_SAMPLES "/Vedette85.kvb", false, false));
  bool auMenu = false;
  for (const auto& [c, p] : ItemsDe("MeDonnees")) auMenu = auMenu || c->Nom == "MeResistance";
  EXPECT_TRUE(auMenu);
  ASSERT_TRUE(t.F->Lance("MeResistance"));
  TResistanceForm* d = nullptr;
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return (d = t.F->findChild<TResistanceForm*>()) && d->isVisible(); }, 2000));
  ASSERT_TRUE(d);
  EXPECT_EQ(d->windowTitle(), "Résistance à l'avancement");
  // The hard-chined motor boat is taken for a planing hull; the user could choose otherwise.
  EXPECT_TRUE(d->RBSavitsky->isChecked());
  d->RBHoltrop->click();
  d->RBSavitsky->click();
  Saisit(d->EdVitMin, "5");
  Saisit(d->EdVitMax, "15");
  Saisit(d->EdVitPas, "1");
  Saisit(d->EdAnglePoussee, "10");
  QTest::mouseClick(d->findChild<QPushButton*>("BtnCalculer"), Qt::LeftButton);

  // The core's curve on the same hull and entries.
  TSaisieResistance s;
  s.AnglePoussee = 10;
  const TParamsModele pm = ParametresModele(t.Doc(), PorteeCalc(t.Doc()), s);
  const TCourbeResistance c = CourbeSavitsky(pm.Savitsky, VitessesResistance(5 * Noeud, 15 * Noeud, Noeud));
  const TGraphe* gr = d->GrapheResistance;
  ASSERT_GE(gr->NbSeries(), 4) << (t.Messages.empty() ? "" : t.Messages.back());
  const auto& rt = gr->Serie(0);
  ASSERT_EQ(rt.size(), 11u);
  for (size_t i = 0; i < rt.size(); i++) {
    EXPECT_NEAR(rt[i].first, 5.0 + static_cast<double>(i), 1e-9);
    EXPECT_NEAR(rt[i].second, c.Points[i].Rt, 1e-9 * c.Points[i].Rt);
  }
  // Friction and lift drag add up to the total.
  for (size_t i = 0; i < rt.size(); i++)
    EXPECT_NEAR(gr->Serie(1)[i].second + gr->Serie(2)[i].second, rt[i].second, 1e-6 * rt[i].second);
  const auto& pe = d->GraphePuissance->Serie(0);
  ASSERT_EQ(pe.size(), 11u);
  EXPECT_NEAR(pe[10].second, c.Points[10].Pe, 1e-9 * c.Points[10].Pe);
  // The out-of-range speeds (Cv below 0.6 at 5 knots) are marked, and the Michlet curve is there.
  bool michlet = false, marques = false;
  for (int i = 0; i < gr->NbSeries(); i++) {
    if (gr->Serie(i).size() == 2 && gr->Serie(i)[1].second == 4000) michlet = true;
    if (!gr->Serie(i).empty() && gr->Serie(i)[0].first == 5 && i > 2 && gr->Serie(i).size() < 11)
      marques = true;
  }
  EXPECT_TRUE(michlet);
  EXPECT_TRUE(marques);
  // The table gives one row per speed and the running trims; the parameters show the ranges.
  EXPECT_EQ(d->Resultats->rowCount(), 11);
  EXPECT_EQ(d->Resultats->item(10, 2)->text(), QString::number(c.Points[10].Composantes[1].second, 'f', 2));
  bool deadrise = false;
  for (int i = 0; i < d->Parametres->rowCount(); i++)
    deadrise = deadrise || (d->Parametres->item(i, 1)->text() == "deadrise" &&
                            d->Parametres->item(i, 0)->text() == "Relevé de varangue au bouchain [°]" &&
                            d->Parametres->item(i, 3)->text() == "0 .. 30");
  EXPECT_TRUE(deadrise);
  d->close();
  // The entries are the settings', not the document's.
  TMagasinQt r(m.Fichier);
  EXPECT_EQ(LitSaisieResistance(r).AnglePoussee, 10);
  EXPECT_EQ(r.Lit("Resistance", "Methode").value_or(""), "1");
  EXPECT_FALSE(t.Doc().Modifie);
}

}  // namespace
