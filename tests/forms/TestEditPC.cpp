// The vertex editor and the vertex list in the main window: typed coordinates move the
// vertex and its welded partners as one undo step, refused text never reaches the model,
// and no undo step is recorded without a real change.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "../exchange/Aides.h"
#include "Fenetre.h"
#include "app/CommandesEdition.h"
#include "base/Chaines.h"
#include "base/Encodage.h"
#include "edition/forms/EditPCForm.h"
#include "edition/forms/LstPcForm.h"

namespace {

// Two nets of 3 x 4 vertices with vertex (2, 3) of the first welded to (0, 0) of the
// second, and a mesh surface.
struct Modele : FenetreTest {
  Modele() {
    Doc().Vider();
    aides_export::AjouteNet(Doc(), "Coque", 3, 4, 3, 3);
    aides_export::AjouteNet(Doc(), "Quille", 3, 4, 3, 3);
    aides_export::AjouteGrille(Doc(), "Maille", 2, 2);
    Doc().GroupesSoudes = {{{0, 2, 3}, {1, 0, 0}}};
    MajSurface(Doc(), true, -1);
    ChangeCurrentPC(Doc(), {0, 2, 3});
    F->Rafraichit();
  }
  TPtNet& PC(int k, int i, int j) { return Doc().SurfNurbs(k)->Net.PC[i][j]; }
  bool AnnulerActif() { return A("MeAnnuler")->isEnabled(); }
};

void Tape(QLineEdit* e, const QString& texte) {
  e->setFocus();
  e->selectAll();
  QTest::keyClicks(e, texte);
}

}  // namespace

TEST(EditeurVertex, TypedVertexMovesItsWeldedPartnerAndUndoPutsThemBack) {
  Modele t;
  ASSERT_TRUE(t.A("MeEditeurVertex")->isEnabled());
  t.F->Lance("MeEditeurVertex", true);
  TEditPCForm& e = EditeurPC(*t.F);
  ASSERT_TRUE(e.isVisible());
  EXPECT_TRUE(t.A("MeEditeurVertex")->isChecked());
  EXPECT_EQ(e.TexteLn(), "Ln : 2");
  EXPECT_EQ(e.TexteCol(), "Col : 3");
  EXPECT_EQ(e.Surfaces()->currentText(), "Coque");
  const TPtNet a0 = t.PC(0, 2, 3), b0 = t.PC(1, 0, 0), voisin = t.PC(0, 2, 2);
  EXPECT_EQ(e.Champ(0)->text().toStdString(), Format("%.4f", a0.X));

  Tape(e.Champ(0), "2.5");
  Tape(e.Champ(2), " -1.25 ");
  Tape(e.Champ(3), "3");
  EXPECT_FALSE(t.AnnulerActif());
  ASSERT_TRUE(e.Appliquer());
  EXPECT_EQ(t.PC(0, 2, 3), (TPtNet{2.5, a0.Y, -1.25, 3}));
  // The partner moved by the same displacement, its weight kept; nothing else moved.
  EXPECT_DOUBLE_EQ(t.PC(1, 0, 0).X, b0.X + (2.5 - a0.X));
  EXPECT_DOUBLE_EQ(t.PC(1, 0, 0).Y, b0.Y);
  EXPECT_DOUBLE_EQ(t.PC(1, 0, 0).Z, b0.Z + (-1.25 - a0.Z));
  EXPECT_DOUBLE_EQ(t.PC(1, 0, 0).W, b0.W);
  EXPECT_EQ(t.PC(0, 2, 2), voisin);
  EXPECT_TRUE(t.Doc().Modifie);
  EXPECT_TRUE(t.Doc().Surf(0).Calculee) << "the surfaces are evaluated again";
  EXPECT_EQ(e.Champ(0)->text(), "2.5000");

  ASSERT_TRUE(t.AnnulerActif());
  t.F->Lance("MeAnnuler");
  EXPECT_EQ(t.PC(0, 2, 3), a0);
  EXPECT_EQ(t.PC(1, 0, 0), b0);
  EXPECT_EQ(e.Champ(0)->text().toStdString(), Format("%.4f", a0.X)) << "the editor shows the vertex undone";
}

TEST(EditeurVertex, TextItCannotReadIsRefusedAndNothingIsRecorded) {
  Modele t;
  t.F->Lance("MeEditeurVertex", true);
  TEditPCForm& e = EditeurPC(*t.F);
  // Nothing typed: nothing applied, no undo step.
  EXPECT_FALSE(e.Appliquer());
  EXPECT_FALSE(t.AnnulerActif());
  // A field merely visited keeps the exact value, not its four-decimal text.
  t.PC(0, 2, 3).X = 1.23456789;
  e.AffichePoint({0, 2, 3});
  e.Champ(0)->setFocus();
  Tape(e.Champ(1), "7");
  ASSERT_TRUE(e.Appliquer());
  EXPECT_DOUBLE_EQ(t.PC(0, 2, 3).X, 1.23456789);
  EXPECT_DOUBLE_EQ(t.PC(0, 2, 3).Y, 7);
  const TPtNet avant = t.PC(0, 2, 3);
  for (const char* faute : {"1,5", "abc", "1.5x", "--1"}) {
    t.Messages.clear();
    Tape(e.Champ(0), faute);
    EXPECT_FALSE(e.Appliquer()) << faute;
    EXPECT_EQ(t.PC(0, 2, 3), avant) << faute;
    EXPECT_EQ(t.Messages.size(), 1u) << faute;
    EXPECT_EQ(e.Champ(0)->text().toStdString(), Format("%.4f", avant.X))
        << "the field shows the vertex again";
  }
  // The vertex's own values typed again change nothing and record nothing.
  t.F->Edition()->Annulation().Reinitialise();
  t.F->Rafraichit();
  t.PC(0, 2, 3).X = 2;
  e.AffichePoint({0, 2, 3});
  Tape(e.Champ(0), "2");
  EXPECT_FALSE(e.Appliquer());
  EXPECT_FALSE(t.AnnulerActif());
}

TEST(EditeurVertex, ArrowsStopAtTheNetEdgesAndAMeshVertexHasNoFields) {
  Modele t;
  t.F->Lance("MeEditeurVertex", true);
  TEditPCForm& e = EditeurPC(*t.F);
  e.Fleche(true, 1);  // row 2 is the last of 3
  EXPECT_EQ(t.Doc().PCCourant, (TPC{0, 2, 3}));
  e.Fleche(false, 1);  // column 3 is the last of 4
  EXPECT_EQ(t.Doc().PCCourant, (TPC{0, 2, 3}));
  e.Fleche(true, -1);
  e.Fleche(false, -1);
  EXPECT_EQ(t.Doc().PCCourant, (TPC{0, 1, 2}));
  EXPECT_EQ(e.TexteLn(), "Ln : 1");
  for (int i = 0; i < 3; i++) e.Fleche(true, -1);
  EXPECT_EQ(t.Doc().PCCourant, (TPC{0, 0, 2}));
  // Choosing the mesh surface: its vertex (0, 0) is current, the fields are empty.
  e.Surfaces()->setCurrentIndex(2);
  Q_EMIT e.Surfaces()->activated(2);
  EXPECT_EQ(t.Doc().PCCourant, (TPC{2, 0, 0}));
  EXPECT_TRUE(e.Champ(0)->text().isEmpty());
  EXPECT_FALSE(e.Appliquer());
  EXPECT_FALSE(t.AnnulerActif());
  // A vertex picked elsewhere is followed.
  ChangeCurrentPC(t.Doc(), {1, 2, 1});
  t.F->AfficheNet();
  EXPECT_EQ(e.Vertex(), (TPC{1, 2, 1}));
  EXPECT_EQ(e.Surfaces()->currentText(), "Quille");
  // Closing unchecks the command.
  e.reject();
  t.F->Rafraichit();
  EXPECT_FALSE(t.A("MeEditeurVertex")->isChecked());
}

TEST(ListeVertex, CellsWriteTheNetAndOneUndoStepCoversTheActivation) {
  Modele t;
  t.F->Lance("MeListeVertex");
  TLstPcForm& l = ListePC(*t.F);
  l.Active();
  QTableWidget* g = l.Grille();
  ASSERT_EQ(g->rowCount(), 24) << "the two nets of 3 x 4; the mesh surface is not listed";
  EXPECT_EQ(g->item(12, 0)->text(), "13");
  EXPECT_EQ(g->item(12, 1)->text(), "Quille");
  EXPECT_EQ(g->item(12, 2)->text(), "1");
  EXPECT_EQ(g->item(7, 3)->text(), "1");  // row 1, column 3 of the first net
  EXPECT_EQ(g->item(7, 4)->text(), "3");
  EXPECT_EQ(g->item(7, 5)->text().toStdString(), Format("%.3f", t.PC(0, 1, 3).X));
  EXPECT_FALSE(g->item(7, 4)->flags() & Qt::ItemIsEditable);
  const TPtNet p0 = t.PC(0, 1, 3), q0 = t.PC(1, 2, 0);

  // The same value, a typo and a lone minus change nothing and record nothing.
  g->item(7, 5)->setText(g->item(7, 5)->text());
  g->item(7, 5)->setText("-");
  EXPECT_TRUE(t.Messages.empty());
  g->item(7, 5)->setText("x1");
  EXPECT_EQ(t.Messages.size(), 1u);
  EXPECT_EQ(t.PC(0, 1, 3), p0);
  EXPECT_EQ(g->item(7, 5)->text().toStdString(), Format("%.3f", p0.X));
  EXPECT_FALSE(t.AnnulerActif());
  EXPECT_FALSE(l.Modifie());

  g->item(7, 5)->setText("-1");
  g->item(7, 8)->setText("2.5");
  g->item(20, 7)->setText("4.125");
  EXPECT_EQ(t.PC(0, 1, 3), (TPtNet{-1, p0.Y, p0.Z, 2.5}));
  EXPECT_DOUBLE_EQ(t.PC(1, 2, 0).Z, 4.125);
  EXPECT_TRUE(t.AnnulerActif());
  // Leaving the list recomputes and marks the document modified.
  l.Quitte();
  EXPECT_TRUE(t.Doc().Modifie);
  EXPECT_TRUE(t.Doc().Surf(1).Calculee);
  t.F->Lance("MeAnnuler");
  EXPECT_EQ(t.PC(0, 1, 3), p0);
  EXPECT_EQ(t.PC(1, 2, 0), q0);
  EXPECT_EQ(g->item(7, 5)->text().toStdString(), Format("%.3f", p0.X)) << "the list follows the undo";
}

TEST(ListeVertex, ExportStartsWithTheHeaderLine) {
  Modele t;
  TLstPcForm& l = ListePC(*t.F);
  l.Refresh();
  const auto d =
      std::filesystem::temp_directory_path() / ("brivane_lstpc_" + std::to_string(::getpid()) + ".txt");
  ASSERT_TRUE(l.Exporte(d.string()));
  bool crlf = false;
  const auto lignes = aides_export::Coupe(aides_export::Lit(d.string()), &crlf);
  EXPECT_TRUE(crlf);
  ASSERT_EQ(lignes.size(), 25u);
  EXPECT_EQ(lignes[0], Utf8VersCp1252(";Surface;Numéro;Ligne;Colonne;X;Y;Z;W;"));
  EXPECT_EQ(lignes[1].substr(0, 17), "1;Coque;0;0;0;0.1");
  EXPECT_FALSE(l.Exporte("/nonexistent/dir/x.txt"));
  EXPECT_EQ(t.Messages.size(), 1u);
  std::filesystem::remove(d);
}

TEST(EditeurVertex, DoubleClickInAViewOpensIt) {
  Modele t;
  ASSERT_FALSE(EditeurPC(*t.F).isVisible());
  QTest::mouseDClick(&t.Vue(tvPlan), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(EditeurPC(*t.F).isVisible());
  EXPECT_TRUE(t.A("MeEditeurVertex")->isChecked());
  // Without a surface the command is off and the editor closes.
  t.Doc().Vider();
  t.F->AfficheNet();
  t.F->Rafraichit();
  EXPECT_FALSE(EditeurPC(*t.F).isVisible());
  EXPECT_FALSE(t.A("MeEditeurVertex")->isEnabled());
}

namespace {

// A value typed through the cell's editor and refused comes back as the vertex's value, right-
// aligned as every number of the list, both in the item and as the view paints it.
TEST(ListeVertex, ARefusedCellIsRedrawnRightAligned) {
  Modele t;
  t.F->Lance("MeListeVertex");
  TLstPcForm& l = ListePC(*t.F);
  l.Active();
  QTableWidget* g = l.Grille();
  const TPtNet p0 = t.PC(0, 1, 3);
  for (const char* saisie : {"x1", "-"}) {
    g->setCurrentCell(7, 5);
    g->editItem(g->item(7, 5));
    auto* e = g->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(e, nullptr);
    e->selectAll();
    QTest::keyClicks(e, saisie);
    QTest::keyClick(e, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(t.PC(0, 1, 3), p0);
    QTableWidgetItem* it = g->item(7, 5);
    EXPECT_EQ(it->text().toStdString(), Format("%.3f", p0.X)) << saisie;
    EXPECT_TRUE(it->textAlignment() & Qt::AlignRight) << saisie << " " << it->textAlignment();
    EXPECT_TRUE(g->model()->data(g->model()->index(7, 5), Qt::TextAlignmentRole).toInt() & Qt::AlignRight)
        << saisie;
  }
}

}  // namespace
