// The stability window as the user drives it: a load the hull cannot float is refused
// before any sweep with one message, and the criteria page sees the document's
// flooding points, takes the worse heeling side and says so; the hydrostatics' section
// count typed too large is brought back to its maximum.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <numbers>

#include "Aide.h"
#include "base/Chaines.h"
#include "document/GestFich.h"
#include "naval/Barge.h"
#include "naval/forms/HydrostatForm.h"
#include "naval/forms/StabForm.h"
#include "session/ObjCom.h"

namespace {

constexpr double Rad = std::numbers::pi / 180;

TEST(StabFenetre, UneChargeQuiCouleEstRefuseeAvantLeCalcul) {
  EnregistreMessages m;
  TDocument doc;
  ASSERT_TRUE(OuvrirFichier(doc, std::string(BRIVANE_SAMPLES) + "/Voilier11.kvb"));
  TStabForm f(doc);
  f.RBPoidsFixe->setChecked(true);
  f.EdPoidsFixe->setText("1000000");
  f.findChild<QPushButton*>("BtnAjusterCondInit")->click();
  ASSERT_DOUBLE_EQ(f.Stab.Poids.Valeur, 1e6);
  f.BtnCalculer->click();
  // One message, giving the largest displacement, and nothing computed.
  ASSERT_EQ(m.Textes.size(), 1u);
  TStab essai = f.Stab;
  const std::string max = TexteReel(essai.DeplacementMax(), 1);
  EXPECT_NE(m.Textes[0].find(max), std::string::npos) << m.Textes[0];
  EXPECT_TRUE(f.Stab.Etapes.empty());
  EXPECT_EQ(f.Criteres->rowCount(), 0);
  // The cross curves at a displacement beyond it: the same refusal, not a table of "n.c.".
  m.Textes.clear();
  f.EdKNDeplacements->setText("50000");
  const std::string err = f.CalculerKN();
  EXPECT_NE(err.find(max), std::string::npos) << err;
  EXPECT_EQ(m.Textes.size(), 1u);
  EXPECT_EQ(f.TableKN->rowCount(), 0);
}

TEST(StabFenetre, LesCriteresVoientLePointDEnvahissementEtLeCotePire) {
  EnregistreMessages m;
  TDocument doc;
  AjouteBargeFermee(doc, 6, 20, 1.5, 3, 4);
  MajSurface(doc, true, -1);
  TRepereEnv p;
  p.Nom = "Descente";
  p.X = 2.5, p.Y = 10, p.Z = 1.0;
  doc.ListeReperesEnv.push_back(p);
  TStabForm f(doc);
  f.EdAngleMax->setText("60");
  f.EdPas->setText("10");
  ASSERT_EQ(f.Calculer(), "");
  ASSERT_EQ(f.Criteres->rowCount(), 6);
  // The point goes under heeling +X down where tan(phi) = 1 / 2.5 (wall-sided up to 26.6 degrees).
  const double phiE = std::atan(0.4) / Rad;
  const QString notes = f.LblNotesCriteres->text();
  EXPECT_TRUE(notes.contains("Descente")) << notes.toStdString();
  EXPECT_TRUE(notes.contains(QString::number(phiE, 'f', 2))) << notes.toStdString();
  EXPECT_TRUE(notes.contains("+X")) << notes.toStdString();
  // The area 0-40 stops there: Simpson on the section's exact arm (KG 1.5).
  const int n = 2000;
  double s = 0;
  for (int i = 0; i <= n; i++) {
    const double phi = phiE * i / n * Rad;
    s += (i == 0 || i == n ? 1 : i % 2 ? 4 : 2) * GZSectionBoite(6, 3, 1.5, 1.5, phi);
  }
  const double aire = s * phiE / n * Rad / 3;
  EXPECT_NEAR(f.Criteres->item(1, 2)->text().toDouble(), aire, 0.005 * aire);
  // GM of the upright box: KB + BM - KG = 0.75 + 36 / 18 - 1.5.
  EXPECT_NEAR(f.Criteres->item(5, 2)->text().toDouble(), 1.25, 1.25e-3);
  EXPECT_TRUE(m.Textes.empty());
}

TEST(StabFenetre, FermerPendantLeCalculArreteEtFerme) {
  EnregistreMessages m;
  TDocument doc;
  ASSERT_TRUE(OuvrirFichier(doc, std::string(BRIVANE_SAMPLES) + "/Voilier11.kvb"));
  TStabForm f(doc);
  f.show();
  // "&Fermer" reached while the sweep processes its messages.
  QTimer::singleShot(0, &f, [&f] { f.findChild<QPushButton*>("BtnFermer")->click(); });
  f.Calculer();
  EXPECT_LT(f.Stab.Etapes.size(), 37u);
  EXPECT_FALSE(f.isVisible());
}

TEST(StabFenetre, UnAngleDeDisparitionHorsDuBalayageNEstPasZero) {
  EnregistreMessages m;
  TDocument doc;
  AjouteBargeFermee(doc, 6, 20, 1.5, 3, 4);
  MajSurface(doc, true, -1);
  TStabForm f(doc);
  f.EdAngleMax->setText("20");
  f.EdPas->setText("10");
  ASSERT_EQ(f.Calculer(), "");
  // The arm stays positive up to 20 degrees: the angle of vanishing stability lies beyond.
  bool vu = false;
  for (int i = 0; i < f.Synth->rowCount(); i++)
    if (f.Synth->item(i, 0)->text().startsWith("Angle de disparition")) {
      EXPECT_EQ(f.Synth->item(i, 1)->text(), "non atteint");
      vu = true;
    }
  EXPECT_TRUE(vu);
}

TEST(HydroFenetre, UnNombreDeCouplesTropGrandDevientLeMaximum) {
  EnregistreMessages m;
  TDocument doc;
  ASSERT_TRUE(OuvrirFichier(doc, std::string(BRIVANE_SAMPLES) + "/Voilier11.kvb"));
  THydrostatForm f(doc);
  f.NbCouples->selectAll();
  QTest::keyClicks(f.NbCouples, "500");
  QTest::keyClick(f.NbCouples, Qt::Key_Return);
  EXPECT_EQ(f.NbCouples->value(), 201);
  f.NbCouples->selectAll();
  QTest::keyClicks(f.NbCouples, "37");
  QTest::keyClick(f.NbCouples, Qt::Key_Return);
  EXPECT_EQ(f.NbCouples->value(), 37);
}

}  // namespace
