// The hydrostatics window at the three attitudes, driven as the user does: the menu command
// opens it modally, the attitude is chosen and "&Calculer" pressed. The numbers are checked
// against the wall-sided box barge's closed forms; the model check's line names what falsifies
// the calculation and links to the whole list.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <functional>
#include <numbers>

#include "base/Chaines.h"
#include "forms/Fenetre.h"
#include "naval/Barge.h"
#include "naval/Poids.h"
#include "naval/forms/HydrostatForm.h"
#include "naval/forms/StabForm.h"
#include "naval/forms/VerificationForm.h"

namespace {

constexpr double Deg = 180 / std::numbers::pi;
constexpr double Rho = 1026;  // kg/m³, the "eau de mer" of the particulars

// The box: breadth 2, length 10 from Y = 0, keel at Z = -1, deck at Z = +1.
constexpr double B = 2, L = 10, Quille = -1, Creux = 2;

// t = tan(trim) solving t (L²/(12 T) + T/2 + t² L²/(24 T) - KG) = LCG (wall-sided), by bisection.
double PenteParoisDroites(double T, double KG, double lcg) {
  auto f = [&](double t) { return t * (L * L / (12 * T) + T / 2 + t * t * L * L / (24 * T) - KG) - lcg; };
  double a = 0, b = 1;
  for (int i = 0; i < 200; i++) {
    const double m = (a + b) / 2;
    ((f(m) > 0) == (f(b) > 0) ? b : a) = m;
  }
  return (a + b) / 2;
}

// Opens the window through the menu command and runs f on it while it is modal.
void AvecHydrostatique(FenetreTest& t, const std::function<void(THydrostatForm&)>& f) {
  bool vu = false;
  QTimer::singleShot(0, [&] {
    auto* w = dynamic_cast<THydrostatForm*>(QApplication::activeModalWidget());
    ASSERT_TRUE(w);
    vu = true;
    f(*w);
    w->accept();
  });
  ASSERT_TRUE(t.F->Lance("MeHydrostatique"));
  EXPECT_TRUE(vu);
}

void Calcule(THydrostatForm& w) {
  for (QPushButton* b : w.Pages->widget(0)->findChildren<QPushButton*>())
    if (b->text() == QString::fromStdString(rs("rsBtnCalculer"))) return QTest::mouseClick(b, Qt::LeftButton);
  ADD_FAILURE() << "no \"Calculer\" button on the first page";
}

// The value shown in the grid for a label (the last row of that label), NaN when absent.
double Valeur(const THydrostatForm& w, const std::string& libelle) {
  double v = std::nan("");
  for (int i = 0; i < w.Grille->rowCount(); i++)
    if (w.Grille->item(i, 0) && w.Grille->item(i, 0)->text() == QString::fromStdString(libelle))
      v = w.Grille->item(i, 1)->text().toDouble();
  return v;
}

TEST(HydroAttitude, TheBargeFloatsAtItsWeightsAndAtAGivenAttitude) {
  // Mean draft 0.8 m, G 0.3 m forward of mid-length and 0.5 m above the keel.
  const double T = 0.8, KG = 0.5, lcg = 0.3, m = Rho * L * B * T;
  FenetreTest t;
  t.Disque.Fichiers["/bateaux/barge.kvb"] = [&](TDocument& d) {
    AjouteBarge(d, B / 2, L, -Quille, Creux + Quille, 4);
    d.ListePoids.push_back({"Charge", m, 0, L / 2 + lcg, Quille + KG, -1});
    MajTotalPoids(d);
  };
  ASSERT_TRUE(t.F->OuvrirFichier("/bateaux/barge.kvb", false, false));
  const double tt = PenteParoisDroites(T, KG, lcg);
  // The wall-sided closed form holds: both ends wet, the deck edge dry.
  ASSERT_GT(T - tt * L / 2, 0);
  ASSERT_LT(T + tt * L / 2, Creux);

  AvecHydrostatique(t, [&](THydrostatForm& w) {
    // At Z = 0 of the model as drawn: the box below Z = 0, whatever the weights.
    EXPECT_TRUE(w.RBModele->isChecked());
    EXPECT_FALSE(w.EdTirant->isEnabled());
    Calcule(w);
    EXPECT_NEAR(Valeur(w, "Volume immergé [m3]"), B * L * -Quille, 1e-4);
    // The rows that say where the values are measured from come after every other block.
    int lignesPart = w.Grille->rowCount();
    for (int i = 0; i < w.Grille->rowCount(); i++)
      if (w.Grille->item(i, 0)->text().toStdString() == rs("rsHydroRefTitre"))
        lignesPart = std::min(lignesPart, i);
    const QString dernier = w.Grille->item(lignesPart - 1, 0)->text();

    QTest::mouseClick(w.RBFlottant, Qt::LeftButton);
    ASSERT_TRUE(w.RBFlottant->isChecked());
    Calcule(w);
    // The particulars keep their rows; the floating position's block follows them.
    ASSERT_GT(w.Grille->rowCount(), lignesPart);
    EXPECT_EQ(w.Grille->item(lignesPart - 1, 0)->text(), dernier);
    EXPECT_EQ(w.Grille->item(lignesPart, 0)->text().toStdString(), rs("rsFlotteTitre"));
    EXPECT_NEAR(Valeur(w, "Déplacement en eau de mer [Kg]"), m, 0.01);
    EXPECT_NEAR(Valeur(w, "Volume immergé [m3]"), L * B * T, 1e-4);
    EXPECT_NEAR(Valeur(w, rs("rsFlotteResLong")), 0, 1e-4);
    EXPECT_NEAR(Valeur(w, rs("rsFlotteTirantMoyen")), T, 1e-4);
    EXPECT_NEAR(std::abs(Valeur(w, rs("rsFlotteAssiette"))), std::atan(tt) * Deg, 1e-4);
    EXPECT_NEAR(Valeur(w, rs("rsFlotteGite")), 0, 1e-4);
    EXPECT_NEAR(Valeur(w, rs("rsFlotteTirantAR")), T - tt * L / 2, 1e-4);
    EXPECT_NEAR(Valeur(w, rs("rsFlotteTirantAV")), T + tt * L / 2, 1e-4);
    EXPECT_NEAR(Valeur(w, rs("rsFlotteAssietteM")), tt * L, 1e-4);
    // The waterplane of a trimmed box: L B / cos(trim) in the floating frame.
    EXPECT_NEAR(w.Resultats().P.Awp, L * B * std::sqrt(1 + tt * tt), 1e-6);
    // A clean box: no line of the model check.
    EXPECT_FALSE(w.Verification->isVisible());

    // A given attitude: 0.8 above the keel at mid-length, heeled 10 degrees. Wall-sided, the
    // immersed section stays B T, the bottom stays wet and the side under water gains what the
    // other loses.
    QTest::mouseClick(w.RBDonnee, Qt::LeftButton);
    EXPECT_TRUE(w.EdTirant->isEnabled());
    for (auto [e, v] : {std::pair{w.EdTirant, "-0.2"}, {w.EdAssiette, "0"}, {w.EdGite, "10"}}) {
      e->clear();
      QTest::keyClicks(e, v);
    }
    Calcule(w);
    EXPECT_NEAR(Valeur(w, "Volume immergé [m3]"), L * B * T, 1e-4);
    const double montee = B / 2 * std::tan(10 / Deg);
    EXPECT_NEAR(Valeur(w, "Surface immergée [m²]"), B * L + (T + montee + T - montee) * L + 2 * B * T, 1e-4);
    EXPECT_EQ(w.Grille->item(lignesPart, 0)->text().toStdString(), rs("rsHydroAttitude"));
    EXPECT_NEAR(Valeur(w, rs("rsFlotteGite")), 10, 1e-9);
    EXPECT_NEAR(Valeur(w, rs("rsFlotteTirantRef")), -0.2, 1e-9);
    EXPECT_NEAR(Valeur(w, rs("rsFlotteYRef")), L / 2, 1e-9);

    // A heel that is no number is said, and the results stay those of the last calculation.
    const int avant = static_cast<int>(t.Messages.size());
    w.EdGite->clear();
    QTest::keyClicks(w.EdGite, "dix");
    Calcule(w);
    ASSERT_EQ(static_cast<int>(t.Messages.size()), avant + 1);
    EXPECT_EQ(t.Messages.back(), rs("rsErrAttitudeHydro"));
    EXPECT_NEAR(Valeur(w, rs("rsFlotteGite")), 10, 1e-9);
  });
  // The model never moved.
  EXPECT_EQ(t.Doc().Surf(0).Pts[0][0].Z, Quille);
}

TEST(HydroAttitude, FloatingWithoutAWeightIsRefused) {
  FenetreTest t;
  t.Disque.Fichiers["/bateaux/barge.kvb"] = [](TDocument& d) { AjouteBarge(d, B / 2, L, 1, 1, 4); };
  ASSERT_TRUE(t.F->OuvrirFichier("/bateaux/barge.kvb", false, false));
  AvecHydrostatique(t, [&](THydrostatForm& w) {
    QTest::mouseClick(w.RBFlottant, Qt::LeftButton);
    Calcule(w);
    ASSERT_FALSE(t.Messages.empty());
    EXPECT_EQ(t.Messages.back(), rs("rsStabPoidsManquant"));
    EXPECT_FALSE(w.BtnEnregistrer->isEnabled());
  });
}

TEST(HydroAttitude, TheModelChecksLineNamesTheKeelRootAndLinksToTheList) {
  FenetreTest t;
  t.F->IO = DocumentIOStandard();
  ASSERT_TRUE(t.F->OuvrirFichier(BRIVANE_SAMPLES "/Voilier11.kvb", false, false));
  AvecHydrostatique(t, [&](THydrostatForm& w) {
    EXPECT_FALSE(w.Verification->isVisible());  // not before the calculation
    Calcule(w);
    ASSERT_TRUE(w.Verification->isVisible());
    const QString l = w.Verification->text();
    EXPECT_TRUE(l.contains(QString::fromUtf8("corps qui se recoupent (Coque et Quille"))) << l.toStdString();
    EXPECT_TRUE(l.contains("<a href=")) << l.toStdString();
    // The link opens the check's window with the whole list, the overlap in it.
    bool liste = false;
    QTimer::singleShot(0, [&] {
      auto* d = dynamic_cast<TVerificationForm*>(QApplication::activeModalWidget());
      ASSERT_TRUE(d);
      for (int i = 0; i < d->Liste()->count(); i++)
        liste = liste || d->Liste()->item(i)->text().startsWith("Les corps Coque et Quille se recoupent");
      d->reject();
    });
    Q_EMIT w.Verification->linkActivated("liste");
    EXPECT_TRUE(liste);
  });
}

TEST(HydroAttitude, TheStabilitySweepIsPrecededByTheModelCheck) {
  FenetreTest t;
  t.F->IO = DocumentIOStandard();
  ASSERT_TRUE(t.F->OuvrirFichier(BRIVANE_SAMPLES "/Voilier11.kvb", false, false));
  bool vu = false;
  QTimer::singleShot(0, [&] {
    auto* w = dynamic_cast<TStabForm*>(QApplication::activeModalWidget());
    ASSERT_TRUE(w);
    vu = true;
    EXPECT_FALSE(w->Verification->isVisible());
    w->EdAngleMax->setText("30");
    w->EdPas->setText("15");
    QTest::mouseClick(w->BtnCalculer, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return w->Verification->isVisible(); }, 5000));
    EXPECT_TRUE(w->Verification->text().contains("corps qui se recoupent (Coque et Quille"))
        << w->Verification->text().toStdString();
    w->close();
  });
  ASSERT_TRUE(t.F->Lance("MeStabilite"));
  EXPECT_TRUE(vu);
}

}  // namespace
