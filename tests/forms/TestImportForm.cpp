// "Fichier > Import" run from the menu through the dispatcher: the dialog driven with
// QTest, the surfaces added to the open design as one undo step, or a new document, and
// the surface count's refusal leaving the design as it was.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "Fenetre.h"
#include "exchange/forms/ImportForm.h"

namespace {

std::string TableCotes() {
  const std::string d = ::testing::TempDir() + "brivane_import_fenetre/";
  std::filesystem::create_directories(d);
  const std::string chemin = d + "Canoe.csv";
  std::ofstream f(chemin);
  f << ";-0,3;-0,15;0\n";
  for (int s = 0; s <= 6; s++) {
    const double y = s, c = std::sin(M_PI * (s + 0.5) / 7.0);
    f << y << ";" << 0.1 * c << ";" << 0.35 * c << ";" << 0.45 * c << "\n";
  }
  return chemin;
}

// Runs the command as the menu does; the dialog, once open, is driven by `pilote`.
void Lance(FenetreTest& t, const char* commande, const std::function<void(TImportForm&)>& pilote) {
  bool vu = false;
  QTimer::singleShot(0, [&] {
    auto* d = dynamic_cast<TImportForm*>(QApplication::activeModalWidget());
    if (!d) return;
    vu = true;
    pilote(*d);
    if (d->isVisible()) d->reject();
  });
  t.A(commande)->trigger();
  EXPECT_TRUE(vu) << "the import dialog opened";
}

void Ok(TImportForm& d) {
  auto* b = d.findChild<QDialogButtonBox*>();
  ASSERT_NE(b, nullptr);
  QTest::mouseClick(b->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

TEST(ImportFenetre, OffsetsAddedToTheDesignAsOneUndoStep) {
  FenetreTest t;
  const std::string chemin = TableCotes();
  ASSERT_EQ(t.Doc().NbSurf(), 1);
  t.Choix.push_back(QString::fromStdString(chemin));
  Lance(t, "MeImportCotes", [&](TImportForm& d) {
    EXPECT_EQ(d.CBGenre->currentIndex(), int(giCotes));
    QTest::mouseClick(d.BParcourir, Qt::LeftButton);
    EXPECT_EQ(d.EFichier->text().toStdString(), chemin);
    EXPECT_TRUE(d.RBAjouter->isChecked());
    d.SETolerance->setValue(0.5);
    Ok(d);
    EXPECT_FALSE(d.isVisible());
  });
  ASSERT_EQ(t.Doc().NbSurf(), 2);
  const TSurface* s = t.Doc().SurfNurbs(1);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->Nom, "Canoe");
  EXPECT_TRUE(s->Sym);
  EXPECT_TRUE(s->Calculee);
  EXPECT_TRUE(t.Doc().Modifie);
  ASSERT_FALSE(t.Messages.empty());
  EXPECT_NE(t.Messages.back().find("Import terminé"), std::string::npos) << t.Messages.back();
  EXPECT_NE(t.Messages.back().find("Canoe : réseau de"), std::string::npos) << t.Messages.back();
  // The evaluated hull reaches the offsets' extents.
  EXPECT_NEAR(s->PtYMax.Y, 6, 0.01);
  t.A("MeAnnuler")->trigger();
  EXPECT_EQ(t.Doc().NbSurf(), 1);
  t.A("MeRefaire")->trigger();
  EXPECT_EQ(t.Doc().NbSurf(), 2);
}

TEST(ImportFenetre, NewDocumentHoldsOnlyTheImportedHull) {
  FenetreTest t;
  const std::string chemin = TableCotes();
  Lance(t, "MeImportIGES", [&](TImportForm& d) {
    EXPECT_EQ(d.CBGenre->currentIndex(), int(giIGES));
    d.CBGenre->setCurrentIndex(giCotes);
    d.EFichier->setText(QString::fromStdString(chemin));
    // On its round button: the widget spans the dialog's width, its text does not.
    QTest::mouseClick(d.RBNouveau, Qt::LeftButton, {}, QPoint(6, d.RBNouveau->height() / 2));
    EXPECT_TRUE(d.RBNouveau->isChecked());
    Ok(d);
  });
  ASSERT_EQ(t.Doc().NbSurf(), 1);
  EXPECT_EQ(t.Doc().Surf(0).Nom, "Canoe");
  // The lines grid spread over the new hull.
  EXPECT_GT(t.Doc().Grille.PosSec[t.Doc().Grille.NbSec - 1], 3);
}

TEST(ImportFenetre, BeyondFourSurfacesTheDesignStaysAsItWas) {
  FenetreTest t;
  for (int k = 0; k < 3; k++) ASSERT_EQ(NouvelleSurface(t.Doc(), "S" + std::to_string(k), 1, {}), "");
  const std::string chemin = TableCotes();
  bool ouvert = false;
  Lance(t, "MeImportCotes", [&](TImportForm& d) {
    d.EFichier->setText(QString::fromStdString(chemin));
    d.RBAjouter->setChecked(true);
    Ok(d);
    ouvert = d.isVisible();
  });
  EXPECT_TRUE(ouvert) << "the dialog stays open";
  EXPECT_TRUE(t.A_Vu("Nombre maximum de Surfaces atteint"));
  EXPECT_EQ(t.Doc().NbSurf(), 4);
  EXPECT_EQ(t.Doc().Surf(3).Nom, "S2");
}

TEST(ImportFenetre, BadFileIsNamedAndNothingChanges) {
  FenetreTest t;
  const std::string d0 = ::testing::TempDir() + "brivane_import_fenetre/";
  std::filesystem::create_directories(d0);
  std::ofstream(d0 + "faux.igs") << "pas un fichier IGES\n";
  Lance(t, "MeImportIGES", [&](TImportForm& d) {
    d.EFichier->setText(QString::fromStdString(d0 + "faux.igs"));
    Ok(d);
  });
  ASSERT_FALSE(t.Messages.empty());
  EXPECT_NE(t.Messages.back().find("faux.igs, ligne 1"), std::string::npos) << t.Messages.back();
  EXPECT_EQ(t.Doc().NbSurf(), 1);
}

}  // namespace
