// Undo around the dialogs that change the model: each one records the step it owns
// (new surface, mirrors, deletion, the stability window's "Transformer"), and the ones
// outside undo (duplication, precision) leave an earlier step to restore only what
// it took. Documents are compared as they would be saved.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "Fenetre.h"
#include "app/CommandesEdition.h"
#include "base/FichierStr.h"
#include "document/GestFich.h"
#include "model/forms/CommandesSurfaces.h"
#include "model/forms/ListeSurfForm.h"
#include "model/forms/PrecisForm.h"
#include "model/forms/SurfNewForm.h"
#include "naval/forms/FenetresCalcul.h"
#include "naval/forms/StabForm.h"

namespace {

std::string Enregistre(const TDocument& doc) {
  std::vector<int> nums;
  for (int i = 0; i < doc.NbSurf(); i++) nums.push_back(i);
  TfichierStr f;
  EXPECT_TRUE(ConstruitFichier(doc, nums, f));
  return f.Texte();
}

void Clique(QWidget* parent, const char* nom) {
  auto* b = parent->findChild<QAbstractButton*>(nom);
  ASSERT_NE(b, nullptr) << nom;
  QTest::mouseClick(b, Qt::LeftButton);
}

void Selectionne(QListWidget* l, std::initializer_list<int> rangs) {
  l->clearSelection();
  for (int r : rangs) l->item(r)->setSelected(true);
}

struct Fenetres : FenetreTest {
  TFenetresSurfaces W = FenetresSurfaces(*F);
  // An edit as the mouse makes one: the snapshot, then a vertex moved.
  void Edite(int k, double dx) {
    F->Edition()->RecordAction(taSnapshot);
    Doc().SurfNurbs(k)->Net.PC[1][1].X += dx;
    Doc().Surf(k).MarqueNonCalculee();
    MajSurface(Doc(), false, -1);
  }
  void Annuler() { A("MeAnnuler")->trigger(); }
  void Refaire() { A("MeRefaire")->trigger(); }
};

TEST(UndoDialogs, ANewSurfaceTakesTheSnapshotSoAnOlderEditIsNoLongerUndone) {
  Fenetres t;
  t.Edite(0, 0.25);
  t.A("MeSurfAjouter")->trigger();
  t.W.SurfNew->Formes->setCurrentRow(2);
  Clique(t.W.SurfNew, "BtnOK");
  ASSERT_EQ(t.Doc().NbSurf(), 2);
  const std::string apres = Enregistre(t.Doc());
  ASSERT_TRUE(t.A("MeAnnuler")->isEnabled());
  t.Annuler();
  EXPECT_EQ(Enregistre(t.Doc()), apres);
  t.Refaire();
  EXPECT_EQ(Enregistre(t.Doc()), apres);
}

TEST(UndoDialogs, MirrorsAreUndoneAndRedoneExactly) {
  Fenetres t;
  modele::Yacht(t.Doc(), 20, 5);
  MajSurface(t.Doc(), true, -1);
  TListeSurfForm& l = *t.W.ListeSurf;
  for (int mode : {lsMirroirV, lsMirroirH}) {
    const std::string avant = Enregistre(t.Doc());
    const TPlanSym plan = t.Doc().Surf(0).PlanSym;
    ASSERT_TRUE(l.Prepare(mode));
    l.open();
    Selectionne(l.Liste, {0, 2});
    Clique(&l, "BtnOK");
    const std::string apres = Enregistre(t.Doc());
    ASSERT_NE(apres, avant) << mode;
    t.Annuler();
    EXPECT_EQ(Enregistre(t.Doc()), avant) << mode;
    const TPlanSym& p = t.Doc().Surf(0).PlanSym;
    EXPECT_NEAR(p.A, plan.A, 1e-12) << "the plane follows its base";
    EXPECT_NEAR(p.D, plan.D, 1e-12);
    t.Refaire();
    EXPECT_EQ(Enregistre(t.Doc()), apres) << mode;
    t.Annuler();
  }
}

TEST(UndoDialogs, ADeletionIsUndoneAndRedoneAndTheSelectionsStayValid) {
  Fenetres t;
  modele::Yacht(t.Doc(), 20, 5);
  MajSurface(t.Doc(), true, -1);
  // A step recorded, then a weight added: an undo of that step would take the weight away.
  t.Edite(1, 0.1);
  t.Doc().ListePoids.push_back({"Moteur", 120, 0, 3, -0.2, 1});
  ChangeCurrentPC(t.Doc(), {2, 1, 1});
  t.Vue(tvPlan).Selection = {{2, 0, 0}, {1, 0, 1}};
  TListeSurfForm& l = *t.W.ListeSurf;
  const std::string avant = Enregistre(t.Doc());
  t.A("MeSurfSupprimer")->trigger();
  Selectionne(l.Liste, {0});
  t.Reponses = {mrYes};
  Clique(&l, "BtnOK");
  ASSERT_EQ(t.Doc().NbSurf(), 2);
  const std::string apres = Enregistre(t.Doc());
  EXPECT_TRUE(t.A("MeAnnuler")->isEnabled());
  // The deleted surface comes back, the weight with it; redo deletes it again.
  t.Annuler();
  ASSERT_EQ(t.Doc().NbSurf(), 3);
  EXPECT_EQ(Enregistre(t.Doc()), avant);
  EXPECT_EQ(t.Doc().ListePoids.size(), 1u);
  t.Refaire();
  EXPECT_EQ(Enregistre(t.Doc()), apres);
  const TPC& pc = t.Doc().PCCourant;
  ASSERT_TRUE(pc.Existe());
  EXPECT_LT(pc.NumSurf, t.Doc().NbSurf());
  for (int v = tvSection; v <= tvPersp; v++)
    for (const TPC& s : t.Vue(v).Selection) EXPECT_LT(s.NumSurf, t.Doc().NbSurf()) << v;
}

TEST(UndoDialogs, ADuplicationIsAStepOfItsOwnBeforeTheEditBeforeIt) {
  Fenetres t;
  const double x0 = t.Doc().SurfNurbs(0)->Net.PC[1][1].X;
  t.Edite(0, 0.3);
  t.A("MeSurfDupliquer")->trigger();
  Selectionne(t.W.ListeSurf->Liste, {0});
  Clique(t.W.ListeSurf, "BtnOK");
  ASSERT_EQ(t.Doc().NbSurf(), 2);
  // The duplication is a step of its own: undone first, then the edit before it.
  EXPECT_EQ(t.A("MeAnnuler")->text(), "&Annuler : duplication de surfaces");
  t.Annuler();
  ASSERT_EQ(t.Doc().NbSurf(), 1);
  EXPECT_DOUBLE_EQ(t.Doc().SurfNurbs(0)->Net.PC[1][1].X, x0 + 0.3);
  t.Annuler();
  EXPECT_DOUBLE_EQ(t.Doc().SurfNurbs(0)->Net.PC[1][1].X, x0);
  t.Refaire();
  t.Refaire();
  ASSERT_EQ(t.Doc().NbSurf(), 2);
  EXPECT_DOUBLE_EQ(t.Doc().SurfNurbs(0)->Net.PC[1][1].X, x0 + 0.3);
  EXPECT_DOUBLE_EQ(t.Doc().SurfNurbs(1)->Net.PC[1][1].X, x0 + 0.3);
}

TEST(UndoDialogs, APrecisionChangeStaysWhenTheEditBeforeItIsUndone) {
  Fenetres t;
  const std::string avant = Enregistre(t.Doc());
  t.Edite(0, -0.2);
  t.A("MePrecPerso")->trigger();
  QLineEdit* e = t.W.Precis->Edit;
  e->setText("35");
  Clique(t.W.Precis, "BtnOK");
  ASSERT_EQ(t.Doc().Precision, 35);
  t.Annuler();
  EXPECT_EQ(t.Doc().Precision, 35);
  EXPECT_EQ(t.Doc().Surf(0).NbLnPt, 35) << "the grid keeps the precision in force";
  // Everything but the precision is as before the edit.
  t.Doc().Precision = 20;
  EXPECT_EQ(Enregistre(t.Doc()), avant);
}

TEST(UndoDialogs, TransformerIsOneStepThatUndoRestoresByteForByte) {
  Fenetres t;
  ASSERT_TRUE(OuvrirFichier(t.Doc(), std::string(BRIVANE_SAMPLES) + "/Voilier11.kvb"));
  MajSurface(t.Doc(), true, -1);
  ASSERT_FALSE(t.Doc().ListePoids.empty());
  const std::string avant = Enregistre(t.Doc());
  TStabForm w(t.Doc(), t.F.get());
  RelieStab(*t.F, w);
  w.EdAngleMax->setText("30");
  w.EdPas->setText("10");
  ASSERT_EQ(w.Calculer(), "");
  w.Mesures->selectRow(2);
  t.Reponses = {mrYes};
  ASSERT_TRUE(w.Transformer());
  const std::string apres = Enregistre(t.Doc());
  ASSERT_NE(apres, avant);
  EXPECT_TRUE(t.Doc().Surf(0).Calculee) << "the views show the heeled hull";
  t.Annuler();
  EXPECT_EQ(Enregistre(t.Doc()), avant);
  t.Refaire();
  EXPECT_EQ(Enregistre(t.Doc()), apres);
}

}  // namespace
