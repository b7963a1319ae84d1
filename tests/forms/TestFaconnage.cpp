// The transformations, hull dimensions, development and thickness windows, driven as
// a user would through their fields and buttons, on documents built here.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableWidget>

#include "Aide.h"
#include "Fenetre.h"
#include "base/Chaines.h"
#include "edition/forms/TailleForm.h"
#include "edition/forms/TransForm.h"
#include "naval/forms/DevSurfForm.h"
#include "session/ObjCom.h"

namespace {

// A ruled strip (2 rows of order 2) and a plain surface.
void Document(TDocument& doc) {
  doc.Vider();
  doc.Precision = 10;
  auto s = std::make_unique<TSurface>(0, doc.Precision);
  s->Nom = "Bordé";
  s->Net.NbLn = 2, s->Net.NbCol = 4, s->Net.LFlex = 2, s->Net.CFlex = 4;
  for (int j = 0; j < 4; j++) {
    s->Net.PC[0][j] = {0.5, 1.5 * j, 0.1 * j, 1};
    s->Net.PC[1][j] = {1.0, 1.5 * j, 0.6 + 0.1 * j, 1};
  }
  s->CreateTabCoupes(0, 0, 0, 0);
  doc.TabSurf.push_back(std::move(s));
  TOptionsNouvelleSurface o;
  NouvelleSurface(doc, "Pont", 0, o);
  MajSurface(doc, true, -1);
  doc.Modifie = false;
}

struct Fenetres : ::testing::Test {
  EnregistreMessages Messages;
  TDocument Doc;
  void SetUp() override { Document(Doc); }
};

TEST_F(Fenetres, ProportionalSizesFollowTheEditedWidth) {
  TTransForm t(Doc);
  t.Prepare();
  t.Pages->setCurrentIndex(3);
  const double x = t.Taille[0]->text().toDouble(), y = t.Taille[1]->text().toDouble();
  const QString z = t.Taille[2]->text();
  ASSERT_GT(x, 0);
  t.Prop[0]->setChecked(true);
  t.Prop[1]->setChecked(true);
  t.Taille[0]->setText(QString::asprintf("%.3f", 2 * x));
  Q_EMIT t.Taille[0]->editingFinished();
  EXPECT_EQ(t.Pct[0]->text(), "200.00");
  EXPECT_EQ(t.Pct[1]->text(), "200.00");
  EXPECT_EQ(t.Taille[1]->text(), QString::asprintf("%.3f", 2 * y));
  EXPECT_EQ(t.Taille[2]->text(), z);
  EXPECT_EQ(t.Pct[2]->text(), "100.00");
  // A percentage brings its size and the other proportional one.
  t.Pct[1]->setText("50");
  Q_EMIT t.Pct[1]->editingFinished();
  EXPECT_EQ(t.Taille[1]->text(), QString::asprintf("%.3f", y));
  EXPECT_EQ(t.Taille[0]->text(), QString::asprintf("%.3f", x));
  // Not a number: said, and nothing changes.
  t.Taille[2]->setText("abc");
  Q_EMIT t.Taille[2]->editingFinished();
  EXPECT_TRUE(Messages.A("Valeur numérique positive demandée"));
}

TEST_F(Fenetres, ApplyingASizeOfZeroIsRefusedAndOKWithNothingSelectedOnlyMarksModified) {
  TTransForm t(Doc);
  int ouvert = 0, applique = 0;
  t.AvantPremiere = [&] { ouvert++; };
  t.QuandApplique = [&] { applique++; };
  t.Prepare();
  t.show();
  EXPECT_EQ(ouvert, 0) << "the undo step waits for the first transformation";
  const TPtNet avant = Doc.SurfNurbs(0)->Net.PC[1][2];
  t.Pages->setCurrentIndex(3);
  t.Taille[0]->setText("0");
  Q_EMIT t.Taille[0]->textEdited("0");
  t.Appliquer();
  EXPECT_TRUE(Messages.A("Valeur numérique positive demandée"));
  EXPECT_EQ(Doc.SurfNurbs(0)->Net.PC[1][2], avant);
  // Translation page, applied, with the surfaces recomputed afterwards.
  t.Pages->setCurrentIndex(0);
  t.Depl[1]->setText("2");
  t.Appliquer();
  EXPECT_DOUBLE_EQ(Doc.SurfNurbs(0)->Net.PC[1][2].Y, avant.Y + 2);
  EXPECT_EQ(applique, 2);
  EXPECT_EQ(ouvert, 1) << "one step for the whole opening";
  // No surface selected: sizes 0, OK changes nothing but marks the document modified.
  t.BtnAucune->click();
  EXPECT_EQ(t.Taille[0]->text(), "0.000");
  Doc.Modifie = false;
  t.Depl[0]->setText("5");
  t.accept();
  EXPECT_DOUBLE_EQ(Doc.SurfNurbs(0)->Net.PC[1][2].X, avant.X);
  EXPECT_TRUE(Doc.Modifie);
}

TEST_F(Fenetres, OnlyTheBaseBoxFollowsTheSymmetryBaseBox) {
  TTransForm t(Doc);
  t.Prepare();
  t.CBPlanSymSeul->setChecked(true);
  t.CBPlanSym->setChecked(false);
  EXPECT_FALSE(t.CBPlanSymSeul->isChecked());
  EXPECT_FALSE(t.CBPlanSymSeul->isEnabled());
  EXPECT_FALSE(t.Options().PlanSymSeul);
  t.CBPlanSym->setChecked(true);
  EXPECT_TRUE(t.CBPlanSymSeul->isEnabled());
}

TEST_F(Fenetres, DevelopmentListsRuledSurfacesAndFillsTheErrorGrid) {
  TDevSurfForm d(Doc);
  int avant = 0;
  d.AvantChangement = [&] { avant++; };
  d.Prepare();
  ASSERT_EQ(d.Liste->count(), 1);  // the ruled strip only
  EXPECT_EQ(d.Entrees(), std::vector<int>{0});
  // Nothing selected: nothing added, the document marked modified, the grid empty.
  d.Lancer();
  EXPECT_EQ(Doc.NbSurf(), 2);
  EXPECT_EQ(d.Grille->rowCount(), 0);
  EXPECT_TRUE(Doc.Modifie);
  EXPECT_EQ(avant, 0);
  d.Liste->selectAll();
  d.Lancer();
  ASSERT_EQ(Doc.NbSurf(), 3);
  EXPECT_EQ(Doc.Surf(2).Nom, "Bordé_DEV");
  EXPECT_EQ(avant, 1);
  ASSERT_EQ(d.Grille->rowCount(), Doc.SurfNurbs(0)->NbColPt + 1);
  EXPECT_EQ(d.Grille->item(0, 0)->text(), "Bordé_DEV");
  EXPECT_EQ(d.Grille->item(3, 1)->text(), "3");
  // A straight strip is developable: every error is small, and green.
  for (int r = 0; r < d.Grille->rowCount(); r++) {
    EXPECT_LT(d.Grille->item(r, 2)->text().toDouble(), 0.001);
    EXPECT_EQ(d.Grille->item(r, 2)->foreground().color(), QColor(0, 0x80, 0));
  }
  // Beside them the error in millimetres, three significant digits.
  for (int r = 0; r < d.Grille->rowCount(); r++) {
    const double m = d.Grille->item(r, 2)->text().toDouble() * 1000;
    const QString t = d.Grille->item(r, 3)->text();
    EXPECT_NEAR(t.toDouble(), m, std::max(5e-5, 5e-3 * std::abs(m))) << t.toStdString();
    EXPECT_FALSE(t.contains('e')) << t.toStdString();
    // The digits from the first one that is not zero.
    EXPECT_LE(QString(t).remove('.').remove('-').remove(QRegularExpression("^0+")).size(), 3)
        << t.toStdString();
  }
  // The strip is the parallelogram of its ruling (0.5, 0, 0.6) and its edge (0, 4.5, 0.3).
  const double aire = Norme(ProduitVect(TVertex3f{0.5, 0, 0.6}, TVertex3f{0, 4.5, 0.3}));
  const double bord = std::hypot(4.5, 0.3);
  const QString resume = d.Resume->text();
  EXPECT_TRUE(resume.startsWith("Bordé_DEV : aire ")) << resume.toStdString();
  EXPECT_TRUE(resume.contains(QString::asprintf("aire %.4f m²", aire))) << resume.toStdString();
  EXPECT_TRUE(resume.contains(QString::asprintf("bords %.4f m et %.4f m", bord, bord)))
      << resume.toStdString();
  d.Grille->selectRow(1);
  const QStringList l = d.TexteCopie().split('\r', Qt::SkipEmptyParts);
  ASSERT_EQ(l.size(), 2);
  EXPECT_EQ(l[0], "Surface\tDirectrice\tErreur");
  EXPECT_TRUE(l[1].startsWith("Bordé_DEV\t1\t"));
  // Two more would make five: refused before anything is made.
  NouvelleSurface(Doc, "Autre", 0, {});
  d.Prepare();
  d.Liste->selectAll();
  d.Lancer();
  EXPECT_EQ(Doc.NbSurf(), 4);
  EXPECT_TRUE(Messages.A(rs("rsSurfSelMax")));
}

TEST_F(Fenetres, ThicknessConvertsItsDistanceBeforeMakingAnything) {
  TEpaisseurForm e(Doc);
  int avant = 0;
  e.AvantChangement = [&] { avant++; };
  e.Prepare();
  e.show();
  ASSERT_EQ(e.Liste->count(), 2);
  EXPECT_TRUE(e.RBInterieur->isChecked());
  EXPECT_EQ(e.Epaisseur->text(), "0.000");
  e.Liste->setCurrentRow(0);
  e.Epaisseur->setText("1,2x");
  e.accept();
  EXPECT_EQ(Doc.NbSurf(), 2);
  EXPECT_EQ(avant, 0);
  EXPECT_EQ(Messages.Textes.size(), 1u);
  e.Epaisseur->setText("0.012");
  e.accept();
  ASSERT_EQ(Doc.NbSurf(), 3);
  EXPECT_EQ(Doc.Surf(2).Nom, "Bordé 3");
  EXPECT_EQ(avant, 1);
  // Closed by OK, then opened again: the list is that of the document.
  EXPECT_FALSE(e.isVisible());
  EXPECT_EQ(e.Liste->count(), 0);
  e.Prepare();
  EXPECT_EQ(e.Liste->count(), 3);
}

TEST_F(Fenetres, HullDimensionsStartFromTheCalculationScope) {
  Doc.Surf(1).Calc = false;
  TTailleForm t(Doc);
  t.Execute();
  EXPECT_EQ(t.Selection(), std::vector<int>{0});
  t.BtnAucune->click();
  for (const auto& g : t.Groupes())
    for (const auto& l : g.Lignes) EXPECT_NE(l.find("=0.0000"), std::string::npos);
  t.BtnToutes->click();
  EXPECT_EQ(t.Selection().size(), 2u);
  const QStringList p = t.TexteImpression();
  EXPECT_EQ(p[0], "Brivane - Dimensions caractéristiques");
  // The report's heading block, then the first group's heading.
  EXPECT_EQ(p[5], QString(32, '_'));
  EXPECT_EQ(p[6], "");
  EXPECT_EQ(p[7], "#Dimensions");
  EXPECT_TRUE(p.contains("#Dimensions"));
  EXPECT_LT(p.indexOf("#Dimensions"), p.indexOf("#Max largeur X"));
  EXPECT_LT(p.indexOf("#Max largeur X"), p.indexOf("#Min largeur X"));
}

// Through the program: everything done while the window is open is one undo step.
TEST(FaconnageProgramme, TransformationsUndoAsOneStep) {
  FenetreTest t;
  TDocument& d = t.F->Document();
  MajSurface(d, true, -1);
  const TPtNet avant = d.SurfNurbs(0)->Net.PC[1][1];
  const TVertex3f base = d.Surf(0).PlanSym.Origine;
  ASSERT_TRUE(t.F->Lance("MeSurfTransformations"));
  auto* tr = t.F->findChild<TTransForm*>("TransForm");
  ASSERT_NE(tr, nullptr);
  ASSERT_TRUE(tr->isVisible());
  tr->Pages->setCurrentIndex(0);
  tr->Depl[2]->setText("1.5");
  tr->Appliquer();
  tr->Pages->setCurrentIndex(1);
  tr->AnglesRot[2]->setText("30");
  tr->Appliquer();
  tr->reject();
  EXPECT_NE(d.SurfNurbs(0)->Net.PC[1][1], avant);
  EXPECT_TRUE(d.Modifie);
  ASSERT_TRUE(t.A("MeAnnuler")->isEnabled());
  t.F->Lance("MeAnnuler");
  EXPECT_EQ(d.SurfNurbs(0)->Net.PC[1][1], avant);
  EXPECT_EQ(d.Surf(0).PlanSym.Origine, base);
}

}  // namespace
