// "Données > Vérifier le modèle" through the real main window on the sloop.
#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QTest>

#include "forms/Fenetre.h"
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

}  // namespace
