// "Données > Vérifier le modèle" through the real main window on the sloop.
#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QTest>

#include "forms/Fenetre.h"
#include "naval/Poids.h"
#include "naval/forms/VerificationForm.h"
#include "ui/Registre.h"

namespace {

TEST(VerificationForm, TheSloopsKeelRootIsListedFromTheDataMenu) {
  FenetreTest t;
  t.F->IO = DocumentIOStandard();
  ASSERT_TRUE(t.F->OuvrirFichier(BRIVANE_SAMPLES "/Voilier11.kvb", false, false));
  bool auMenu = false;
  for (const auto& [c, p] : ItemsDe("MeDonnees")) auMenu = auMenu || c->Nom == "MeVerifierModele";
  EXPECT_TRUE(auMenu);
  ASSERT_TRUE(t.F->Lance("MeVerifierModele"));
  TVerificationForm* d = nullptr;
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return (d = t.F->findChild<TVerificationForm*>()) && d->isVisible(); }, 2000));
  ASSERT_TRUE(d);
  EXPECT_EQ(d->windowTitle(), "Vérification du modèle");
  const QListWidget* l = d->Liste();
  bool quille = false;
  for (int i = 0; i < l->count(); i++)
    quille = quille || l->item(i)->text().startsWith("Les corps Coque et Quille se recoupent : 0.0");
  EXPECT_TRUE(quille);
  d->close();
}

// The pixel rows of the segments in the water's colour of a view's display list (the floating
// waterline).
std::vector<int> LignesEau(const TListeDessin& l) {
  std::vector<int> y;
  for (const TElement& e : l.Elements)
    if (e.Figure == TFigure::Segment && e.Stylo.Couleur == CoulFlottaison)
      for (std::uint32_t i = 0; i < e.Nombre; i++) y.push_back(l.Points[e.Debut + i].Y);
  return y;
}

TEST(VerificationForm, TheFloatingWaterlineShowsInTheProfileAndFollowsTheWeights) {
  FenetreTest t;
  TAffichageGarde garde;
  t.F->IO = DocumentIOStandard();
  ASSERT_TRUE(t.F->OuvrirFichier(BRIVANE_SAMPLES "/Voilier11.kvb", false, false));
  t.F->ActiveVue(tvProfil, true);
  TFormFille& v = t.Vue(tvProfil);
  QApplication::processEvents();
  EXPECT_TRUE(LignesEau(v.Liste()).empty());
  ASSERT_TRUE(t.F->Lance("MeFlottaison", true));
  QApplication::processEvents();
  // The sloop floats at the waterline it is drawn at: one horizontal line in the profile.
  auto y = LignesEau(v.Liste());
  ASSERT_GT(y.size(), 20u);
  auto [bas, haut] = std::minmax_element(y.begin(), y.end());
  EXPECT_LE(*haut - *bas, 1);
  // A tonne of ballast at the stern: the line is found again, trimmed.
  t.Doc().ListePoids.push_back({"Lest", 1000, 0, 0.5, 0, -1});
  MajTotalPoids(t.Doc());
  t.F->AfficheNet();
  QApplication::processEvents();
  y = LignesEau(v.Liste());
  ASSERT_GT(y.size(), 20u);
  std::tie(bas, haut) = std::minmax_element(y.begin(), y.end());
  EXPECT_GT(*haut - *bas, 5);
  ASSERT_TRUE(t.F->Lance("MeFlottaison", false));
  QApplication::processEvents();
  EXPECT_TRUE(LignesEau(v.Liste()).empty());
}

}  // namespace
