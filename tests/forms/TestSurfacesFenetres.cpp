// The windows of the Surfaces menu, the custom precision and the lines grid,
// driven from the main window's commands as a user drives them: each one applied
// changes the model, and each refused entry leaves the saved document as it was.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>

#include "Fenetre.h"
#include "base/FichierStr.h"
#include "document/GestFich.h"
#include "lines/Coupes.h"
#include "model/forms/CommandesSurfaces.h"
#include "model/forms/GrilleForm.h"
#include "model/forms/ListeSurfForm.h"
#include "model/forms/PrecisForm.h"
#include "model/forms/PropSurfForm.h"
#include "model/forms/SurfNewForm.h"

namespace {

// The document as it would be saved.
std::string Enregistre(const TDocument& doc) {
  std::vector<int> nums;
  for (int i = 0; i < doc.NbSurf(); i++) nums.push_back(i);
  TfichierStr f;
  EXPECT_TRUE(ConstruitFichier(doc, nums, f));
  return f.Texte();
}

// Typing over a field, its window active so that leaving the field is seen.
void Tape(QLineEdit* e, const QString& texte) {
  QWidget* w = e->window();
  QApplication::setActiveWindow(w);
  e->setFocus();
  e->selectAll();
  QTest::keyClick(e, Qt::Key_Delete);
  QTest::keyClicks(e, texte);
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
};

TEST(SurfaceWindows, NewSurfaceFromAStartingShapeWithItsFlagsAndOrders) {
  Fenetres t;
  t.A("MeSurfAjouter")->trigger();
  ASSERT_TRUE(t.W.SurfNew->isVisible());
  TSurfNewForm& s = *t.W.SurfNew;
  EXPECT_EQ(s.Nom->text(), "Surface2");
  // Cylindre horizontal presets Longitudinale 2, Transversale 4; the user then changes one.
  s.Formes->setCurrentRow(4);
  EXPECT_EQ(s.FlexLong->value(), 2);
  EXPECT_EQ(s.FlexTrans->value(), 4);
  EXPECT_EQ(s.NomFlexTrans->text(), "Flexible");
  s.Formes->setCurrentRow(6);
  EXPECT_EQ(s.FlexLong->value(), 4);
  EXPECT_EQ(s.FlexTrans->value(), 2);
  s.FlexTrans->setValue(5);
  s.CBSym->click();
  s.CBVoile->click();
  Tape(s.Nom, "Une coque au nom bien trop long");
  QTest::keyClick(s.Nom, Qt::Key_Return);  // Enter applies
  EXPECT_FALSE(s.isVisible());
  ASSERT_EQ(t.Doc().NbSurf(), 2);
  TSurface& n = *t.Doc().SurfNurbs(1);
  EXPECT_EQ(n.Nom, "Une coque au nom bie");  // 20 characters
  EXPECT_FALSE(n.Sym);
  EXPECT_TRUE(n.Voile);
  EXPECT_TRUE(n.Visible && n.Calc && !n.Verrou);
  EXPECT_EQ(n.Net.CFlex, 4);  // Longitudinale
  EXPECT_EQ(n.Net.LFlex, 5);  // Transversale
  TNet attendu(1);
  attendu.Initialise(6);
  EXPECT_EQ(n.Net.NbLn, attendu.NbLn);
  EXPECT_EQ(n.Net.NbCol, attendu.NbCol);
  EXPECT_TRUE(n.Calculee);  // computed at once, ready to draw
  EXPECT_TRUE(t.Doc().Modifie);
  // A new document starts with the flags last chosen.
  EXPECT_FALSE(t.Doc().OptionsNouvelle.Sym);
}

TEST(SurfaceWindows, RefusedNamesKeepTheWindowOpenAndTheDocumentUntouched) {
  Fenetres t;
  std::string avant = Enregistre(t.Doc());
  t.A("MeSurfAjouter")->trigger();
  TSurfNewForm& s = *t.W.SurfNew;
  Tape(s.Nom, "Surface1");
  Clique(&s, "BtnOK");
  EXPECT_TRUE(t.A_Vu("Nom de surface déjà utilisé"));
  Tape(s.Nom, "");
  Clique(&s, "BtnOK");
  EXPECT_TRUE(t.A_Vu("Donnez un nom à la surface"));
  EXPECT_TRUE(s.isVisible());
  EXPECT_EQ(s.focusWidget(), s.Nom);
  EXPECT_EQ(Enregistre(t.Doc()), avant);
  QTest::keyClick(&s, Qt::Key_Escape);
  EXPECT_FALSE(s.isVisible());
  EXPECT_EQ(Enregistre(t.Doc()), avant);
  EXPECT_FALSE(t.Doc().Modifie);
}

TEST(SurfaceWindows, AFifthSurfaceIsRefused) {
  Fenetres t;
  for (int i = 0; i < 3; i++) {
    t.A("MeSurfAjouter")->trigger();
    Clique(t.W.SurfNew, "BtnOK");
  }
  ASSERT_EQ(t.Doc().NbSurf(), 4);
  std::string avant = Enregistre(t.Doc());
  t.Messages.clear();
  t.A("MeSurfAjouter")->trigger();
  EXPECT_FALSE(t.W.SurfNew->isVisible());
  t.A("MeSurfDupliquer")->trigger();
  EXPECT_FALSE(t.W.ListeSurf->isVisible());
  EXPECT_EQ(t.Messages, (std::vector<std::string>{"Nombre maximum de Surfaces atteint",
                                                  "Nombre maximum de Surfaces atteint"}));
  EXPECT_EQ(Enregistre(t.Doc()), avant);
}

TEST(SurfaceWindows, DuplicateBeyondFourIsRefusedThenOneCopyIsMade) {
  Fenetres t;
  modele::Yacht(t.Doc(), 20, 5);
  std::string avant = Enregistre(t.Doc());
  t.A("MeSurfDupliquer")->trigger();
  TListeSurfForm& l = *t.W.ListeSurf;
  ASSERT_TRUE(l.isVisible());
  EXPECT_EQ(l.Titre->text(), "Dupliquer des surfaces");
  Selectionne(l.Liste, {0, 2});
  Clique(&l, "BtnOK");
  EXPECT_TRUE(t.A_Vu("Trop de surfaces sont sélectionnées. Le nombre maximum de surfaces est atteint."));
  EXPECT_TRUE(l.isVisible());
  EXPECT_EQ(Enregistre(t.Doc()), avant);
  Selectionne(l.Liste, {0});
  Clique(&l, "BtnOK");
  EXPECT_FALSE(l.isVisible());
  ASSERT_EQ(t.Doc().NbSurf(), 4);
  EXPECT_EQ(t.Doc().Surf(3).Nom, "Coque 4");
  EXPECT_TRUE(t.Doc().Surf(3).Calculee);
}

TEST(SurfaceWindows, DeleteAsksFirstAndLockAndScopeSetExactlyTheSelection) {
  Fenetres t;
  modele::Yacht(t.Doc(), 20, 5);
  std::string avant = Enregistre(t.Doc());
  TListeSurfForm& l = *t.W.ListeSurf;
  t.A("MeSurfSupprimer")->trigger();
  Selectionne(l.Liste, {0});
  t.Reponses = {mrNo};
  Clique(&l, "BtnOK");
  EXPECT_TRUE(t.A_Vu("Etes-vous sûr de supprimer les surfaces sélectionnées ?"));
  EXPECT_EQ(Enregistre(t.Doc()), avant);
  t.Reponses = {mrYes};
  Clique(&l, "BtnOK");
  ASSERT_EQ(t.Doc().NbSurf(), 2);
  EXPECT_EQ(t.Doc().Surf(0).Nom, "Quille");
  EXPECT_EQ(t.Doc().Surf(0).NumSurf, 0);

  t.A("MeSurfVerrouillage")->trigger();
  EXPECT_EQ(l.Titre->text(), "Verrouillage des surfaces");
  Selectionne(l.Liste, {0});
  Clique(&l, "BtnOK");
  EXPECT_TRUE(t.Doc().Surf(0).Verrou);
  EXPECT_FALSE(t.Doc().Surf(1).Verrou);
  EXPECT_EQ(t.Doc().PCCourant.NumSurf, 1);  // the current vertex leaves the locked surface
  // Showing the mode again shows the locks as they are.
  t.A("MeSurfVerrouillage")->trigger();
  EXPECT_TRUE(l.Liste->item(0)->isSelected());
  EXPECT_FALSE(l.Liste->item(1)->isSelected());
  QTest::keyClick(&l, Qt::Key_Escape);

  t.A("MePorteeCalculs")->trigger();
  EXPECT_EQ(l.Titre->text(), "Portée des calculs");
  Clique(&l, "BtnAucune");
  Clique(&l, "BtnOK");
  EXPECT_FALSE(t.Doc().Surf(0).Calc || t.Doc().Surf(1).Calc);
  EXPECT_FALSE(l.Prepare(12));
  EXPECT_TRUE(t.A_Vu("Action non prévue"));
}

TEST(SurfaceWindows, RenameFollowsTheNameRules) {
  Fenetres t;
  modele::Yacht(t.Doc(), 20, 5);
  std::string avant = Enregistre(t.Doc());
  TListeSurfForm& l = *t.W.ListeSurf;
  t.A("MeSurfRenommer")->trigger();
  ASSERT_TRUE(l.Nom->isVisible());
  l.Liste->setCurrentRow(1);
  EXPECT_EQ(l.Nom->text(), "Quille");
  Tape(l.Nom, "Safran");
  Clique(&l, "BtnOK");
  EXPECT_TRUE(t.A_Vu("Nom déjà utilisé"));
  Tape(l.Nom, "");
  Clique(&l, "BtnOK");
  EXPECT_TRUE(t.A_Vu("Le nom ne doit pas être vide"));
  l.Liste->clearSelection();
  Tape(l.Nom, "Aileron");
  Clique(&l, "BtnOK");
  EXPECT_TRUE(t.A_Vu("Mauvaise Sélection"));
  EXPECT_EQ(Enregistre(t.Doc()), avant);
  l.Liste->setCurrentRow(1);
  Tape(l.Nom, "Aileron de quille en plomb");
  QTest::keyClick(l.Nom, Qt::Key_Return);
  EXPECT_FALSE(l.isVisible());
  EXPECT_EQ(t.Doc().Surf(1).Nom, "Aileron de quille en");
}

TEST(SurfaceWindows, MirrorModesTurnTheNetOver) {
  Fenetres t;
  modele::Yacht(t.Doc(), 20, 5);
  TListeSurfForm& l = *t.W.ListeSurf;
  TVertex3f v = t.Doc().SurfNurbs(0)->Net.PC[0][2].V();
  ASSERT_TRUE(l.Prepare(lsMirroirV));
  l.open();
  Selectionne(l.Liste, {0});
  Clique(&l, "BtnOK");
  EXPECT_DOUBLE_EQ(t.Doc().SurfNurbs(0)->Net.PC[0][2].Z, -v.Z);
  ASSERT_TRUE(l.Prepare(lsMirroirH));
  l.open();
  Selectionne(l.Liste, {0});
  Clique(&l, "BtnOK");
  EXPECT_DOUBLE_EQ(t.Doc().SurfNurbs(0)->Net.PC[0][2].X, -v.X);
  EXPECT_TRUE(t.Doc().Surf(0).Calculee);  // evaluated again for the views
}

TEST(SurfaceWindows, ExportWritesTheChosenSurfacesAndLeavesTheDocumentAlone) {
  Fenetres t;
  modele::Yacht(t.Doc(), 20, 5);
  t.Doc().NomFichier = "/bateaux/yacht.kvb";
  t.Doc().MarqueEnregistre();
  QTemporaryDir dossier;
  QString chemin = dossier.filePath("quille.kvb");
  t.Choix = {chemin};
  t.A("MeExportSurfaces")->trigger();
  TListeSurfForm& l = *t.W.ListeSurf;
  ASSERT_TRUE(l.isVisible());
  EXPECT_EQ(l.Titre->text(), "Export de surfaces");
  Selectionne(l.Liste, {1, 2});
  Clique(&l, "BtnOK");
  EXPECT_FALSE(l.isVisible());
  TDocument lu;
  ASSERT_TRUE(OuvrirFichier(lu, chemin.toStdString()));
  ASSERT_EQ(lu.NbSurf(), 2);
  EXPECT_EQ(lu.Surf(0).Nom, "Quille");
  EXPECT_EQ(lu.Surf(1).Nom, "Safran");
  EXPECT_EQ(t.Doc().NbSurf(), 3);
  EXPECT_EQ(t.Doc().NomFichier, "/bateaux/yacht.kvb");
  EXPECT_FALSE(t.Doc().Modifie);
}

// Over a read-only file the export asks first; declined, nothing is written and no
// empty error follows; a failure is reported once.
TEST(SurfaceWindows, ExportOverAReadOnlyFileAsksAndAFailureIsShownOnce) {
  Fenetres t;
  modele::Yacht(t.Doc(), 20, 5);
  QTemporaryDir dossier;
  const std::string chemin = dossier.filePath("quille.kvb").toStdString();
  { std::ofstream(chemin, std::ios::binary) << "ancien"; }
  std::filesystem::permissions(chemin, std::filesystem::perms(0444));
  t.Choix = {QString::fromStdString(chemin)};
  t.A("MeExportSurfaces")->trigger();
  TListeSurfForm& l = *t.W.ListeSurf;
  ASSERT_TRUE(l.isVisible());
  t.Messages.clear();
  t.Reponses = {mrNo};
  Selectionne(l.Liste, {1});
  Clique(&l, "BtnOK");
  ASSERT_EQ(t.Messages.size(), 1u) << ::testing::PrintToString(t.Messages);
  EXPECT_NE(t.Messages[0].find("Le fichier " + chemin + " est en lecture seule"), std::string::npos);
  std::ifstream in(chemin, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "ancien");
  // A folder where the file should go: one message, which says so.
  const std::string sousDossier = dossier.filePath("dossier.kvb").toStdString();
  std::filesystem::create_directory(sousDossier);
  t.Choix = {QString::fromStdString(sousDossier)};
  t.A("MeExportSurfaces")->trigger();
  t.Messages.clear();
  Selectionne(t.W.ListeSurf->Liste, {1});
  Clique(t.W.ListeSurf, "BtnOK");
  ASSERT_EQ(t.Messages.size(), 1u) << ::testing::PrintToString(t.Messages);
  EXPECT_NE(t.Messages[0].find("ce nom est celui d'un dossier"), std::string::npos) << t.Messages[0];
}

TEST(SurfaceWindows, VisibilityWindowFollowsItsSelectionAtOnce) {
  Fenetres t;
  modele::Yacht(t.Doc(), 20, 5);
  t.A("MeSurfVisibilite")->trigger();
  TListeSurfVisiblesForm& v = *t.W.Visibles;
  ASSERT_TRUE(v.isVisible());
  EXPECT_EQ(v.Liste->selectedItems().size(), 3);
  v.Liste->item(1)->setSelected(false);
  EXPECT_FALSE(t.Doc().Surf(1).Visible);
  EXPECT_TRUE(t.Doc().Surf(0).Visible && t.Doc().Surf(2).Visible);
  EXPECT_TRUE(t.Doc().Modifie);
  v.Liste->item(1)->setSelected(true);
  EXPECT_TRUE(t.Doc().Surf(1).Visible);
  QApplication::setActiveWindow(&v);
  QTest::keyClick(v.Liste, Qt::Key_Escape);
  EXPECT_FALSE(v.isVisible());
}

TEST(SurfaceWindows, PropertiesAreCopiedBackOnOkOnly) {
  Fenetres t;
  modele::Yacht(t.Doc(), 20, 5);
  MajSurface(t.Doc(), true, -1);
  t.Doc().MarqueEnregistre();
  std::string avant = Enregistre(t.Doc());
  TPropSurfForm& p = *t.W.PropSurf;
  p.ChoisirCouleur = [](int) { return 0x0000FF; };
  t.A("MeSurfProprietes")->trigger();
  ASSERT_TRUE(p.isVisible());
  // An opacity beyond 1 is refused and keeps the user on the field.
  Tape(p.Champs[cpAlpha], "1.5");
  Clique(&p, "BtnOK");
  ASSERT_FALSE(t.Messages.empty());
  EXPECT_EQ(t.Messages.back(), "Opacité : « 1.5 » n'est pas une valeur correcte (de 0 à 1)");
  EXPECT_EQ(p.focusWidget(), p.Champs[cpAlpha]);
  // Nor can the user leave the surface with it.
  p.Surfaces->setCurrentIndex(1);
  EXPECT_EQ(p.Courante(), 0);
  EXPECT_EQ(Enregistre(t.Doc()), avant);
  Tape(p.Champs[cpAlpha], "0.4");
  Clique(&p, "BtnCouleur");
  EXPECT_TRUE(p.RBCouleurPers->isChecked());
  p.FlexTrans->setValue(3);
  // Surface 1: a fixed weight at the volume's centre asks to close the volume.
  p.Surfaces->setCurrentIndex(1);
  ASSERT_EQ(p.Courante(), 1);
  t.Reponses = {mrYes};
  p.RBPoids[tpFixeVolume]->click();
  EXPECT_TRUE(t.A_Vu("Voulez vous fermer le volume ?"));
  EXPECT_TRUE(p.CBJonctionSym->isChecked());
  Tape(p.Champs[cpPoidsFixe], "820");
  Tape(p.Nom, "Lest");
  p.RBOrientIndirecte->click();
  Clique(&p, "BtnOK");
  EXPECT_FALSE(p.isVisible());
  const TDocument& d = t.Doc();
  EXPECT_DOUBLE_EQ(d.Surf(0).Alpha, 0.4);
  EXPECT_EQ(d.Surf(0).Coul, 0x0000FF);
  EXPECT_EQ(t.Doc().SurfNurbs(0)->Net.LFlex, 3);
  EXPECT_EQ(d.Surf(1).Nom, "Lest");
  EXPECT_EQ(d.Surf(1).TypePoids, tpFixeVolume);
  EXPECT_TRUE(d.Surf(1).JonctionSym);
  EXPECT_FALSE(d.Surf(1).Orientation);
  EXPECT_DOUBLE_EQ(d.Surf(1).Poids.Masse, 820);
  // The third surface was not touched, and the changed ones are evaluated again.
  EXPECT_EQ(d.Surf(2).Nom, "Safran");
  EXPECT_TRUE(d.Surf(0).Calculee);
  EXPECT_TRUE(d.Modifie);
}

TEST(SurfaceWindows, PropertiesRefuseTwoSurfacesOfOneName) {
  Fenetres t;
  modele::Yacht(t.Doc(), 20, 5);
  std::string avant = Enregistre(t.Doc());
  TPropSurfForm& p = *t.W.PropSurf;
  t.A("MeSurfProprietes")->trigger();
  Tape(p.Nom, "Quille");
  Clique(&p, "BtnOK");
  EXPECT_TRUE(t.A_Vu("Nom de surface déjà utilisé"));
  EXPECT_TRUE(p.isVisible());
  EXPECT_EQ(Enregistre(t.Doc()), avant);
  // An empty name keeps the surface's own.
  Tape(p.Nom, "");
  Clique(&p, "BtnOK");
  EXPECT_FALSE(p.isVisible());
  EXPECT_EQ(t.Doc().Surf(0).Nom, "Coque");
}

TEST(PrecisionWindow, CustomPrecisionHeldToItsLimits) {
  Fenetres t;
  std::string avant = Enregistre(t.Doc());
  t.A("MePrecPerso")->trigger();
  TPrecisForm& p = *t.W.Precis;
  ASSERT_TRUE(p.isVisible());
  EXPECT_EQ(p.Edit->text(), "20");
  Tape(p.Edit, "500");
  QTest::keyClick(p.Edit, Qt::Key_Tab);
  EXPECT_EQ(p.Edit->text(), "200");
  Tape(p.Edit, "4");
  QTest::keyClick(p.Edit, Qt::Key_Tab);
  EXPECT_EQ(p.Edit->text(), "10");
  Tape(p.Edit, "3.5");
  Clique(&p, "BtnOK");
  EXPECT_TRUE(t.A_Vu("« 3.5 » n'est pas un nombre entier de pas"));
  EXPECT_TRUE(p.isVisible());
  EXPECT_EQ(Enregistre(t.Doc()), avant);
  QTest::keyClick(&p, Qt::Key_Escape);
  EXPECT_TRUE(t.A("MePrecMoyenne")->isChecked());  // the menu shows the precision in force
  t.A("MePrecPerso")->trigger();
  Tape(p.Edit, "35");
  QTest::keyClick(p.Edit, Qt::Key_Return);
  EXPECT_EQ(t.Doc().Precision, 35);
  EXPECT_EQ(t.Doc().Surf(0).NbLnPt, 35);
  EXPECT_TRUE(t.Doc().Surf(0).Calculee);
  EXPECT_TRUE(t.A("MePrecPerso")->isChecked());
  // A fixed value typed here checks its own item.
  t.A("MePrecPerso")->trigger();
  Tape(p.Edit, "50");
  Clique(&p, "BtnOK");
  EXPECT_TRUE(t.A("MePrecBonne")->isChecked());
}

TEST(GridWindow, CountsAndCellsAreCheckedBeforeAnythingIsApplied) {
  Fenetres t;
  modele::Yacht(t.Doc(), 20, 5);
  std::string avant = Enregistre(t.Doc());
  t.A("MeEspacementGrille")->trigger();
  TGrilleForm& g = *t.W.Grille;
  ASSERT_TRUE(g.isVisible());
  TPageGrille& sec = g.Pages[flSections];
  Tape(g.Pages[flLignesEau].Nombre, "150");
  QTest::keyClick(g.Pages[flLignesEau].Nombre, Qt::Key_Tab);
  EXPECT_EQ(g.Pages[flLignesEau].Nombre->text(), "100");
  EXPECT_EQ(g.Pages[flLignesEau].Table->rowCount(), 100);
  Tape(g.Pages[flDiagonales].Nombre, "1");
  QTest::keyClick(g.Pages[flDiagonales].Nombre, Qt::Key_Tab);
  EXPECT_EQ(g.Pages[flDiagonales].Table->rowCount(), 2);
  Tape(sec.Nombre, "-");
  QTest::keyClick(sec.Nombre, Qt::Key_Tab);
  EXPECT_EQ(sec.Nombre->text(), "5");  // ignored
  Tape(sec.Nombre, "3");
  QTest::keyClick(sec.Nombre, Qt::Key_Tab);
  EXPECT_EQ(g.Scinder->text(), "3");  // the split follows the count down
  sec.Table->item(1, 0)->setText("1,5x");
  g.Onglets->setCurrentIndex(1);
  EXPECT_EQ(g.Onglets->currentIndex(), 0);  // the page with the bad cell stays
  EXPECT_TRUE(t.A_Vu("1,5xn'est pas une valeur de couple correcte"));
  EXPECT_EQ(sec.Table->currentRow(), 1);
  t.Messages.clear();
  Clique(&g, "BtnOK");
  EXPECT_EQ(t.Messages, (std::vector<std::string>{"1,5xn'est pas une valeur de couple correcte"}));
  EXPECT_TRUE(g.isVisible());
  EXPECT_EQ(Enregistre(t.Doc()), avant);
  // Cancel, and the window shows the document's grid again.
  QTest::keyClick(&g, Qt::Key_Escape);
  t.A("MeEspacementGrille")->trigger();
  EXPECT_EQ(sec.Table->rowCount(), t.Doc().Grille.NbSec);
  EXPECT_EQ(g.Pages[flLignesEau].Table->rowCount(), t.Doc().Grille.NbLE);
  EXPECT_EQ(Enregistre(t.Doc()), avant);
}

TEST(GridWindow, GivenDistanceAndSpacingFillTheTablesAndOkAppliesThem) {
  Fenetres t;
  modele::Yacht(t.Doc(), 20, 5);
  t.A("MeEspacementGrille")->trigger();
  TGrilleForm& g = *t.W.Grille;
  TPageGrille& sec = g.Pages[flSections];
  Tape(sec.Nombre, "6");
  QTest::keyClick(sec.Nombre, Qt::Key_Tab);
  sec.RBDistDonnee->click();
  Tape(sec.Base, "0");
  Tape(sec.Fin, "10");
  Clique(g.Onglets->widget(0), "BtnAuto");
  EXPECT_EQ(sec.Table->item(5, 0)->text(), "10.000000");
  EXPECT_EQ(sec.LabelPas->text(), "Espacement : 2.000000");
  g.Onglets->setCurrentIndex(3);
  TPageGrille& dg = g.Pages[flDiagonales];
  dg.RBEspDonne->click();
  Tape(dg.Base, "abc");
  Clique(g.Onglets->widget(3), "BtnAuto");
  EXPECT_TRUE(t.A_Vu("Base : « abc » n'est pas un nombre"));
  EXPECT_EQ(g.focusWidget(), dg.Base);
  Tape(dg.Base, "0.1");
  Tape(dg.Espacement, "0.25");
  Clique(g.Onglets->widget(3), "BtnAuto");
  EXPECT_EQ(dg.Table->item(4, 0)->text(), "1.100000");
  EXPECT_EQ(dg.Table->item(4, 1)->text(), "80.0");
  Clique(&g, "BtnOK");
  EXPECT_FALSE(g.isVisible());
  const TGrille& gr = t.Doc().Grille;
  EXPECT_EQ(gr.NbSec, 6);
  EXPECT_DOUBLE_EQ(gr.PosSec[3], 6.0);
  EXPECT_DOUBLE_EQ(gr.PosDiag[2], 0.6);
  EXPECT_DOUBLE_EQ(gr.AngleDiag[2], 55);
  EXPECT_TRUE(t.Doc().Modifie);
  // The views draw the new grid.
  EXPECT_EQ(t.F->Grille.Sec.size(), 6u);
  EXPECT_DOUBLE_EQ(t.F->Grille.Sec[3], 6.0);
  EXPECT_EQ(t.Doc().Surf(0).Sec.size(), 6u);
}

TFamilleLignes Famille(const std::string& cle) {
  const std::map<std::string, TFamilleLignes> f = {{"sections", flSections},
                                                   {"waterlines", flLignesEau},
                                                   {"buttocks", flLongitudinales},
                                                   {"diagonals", flDiagonales}};
  return f.at(cle);
}

// The polylines of one family of lines, plane by plane, surface by surface and half by half.
nlohmann::json Lignes(const TDocument& doc, const char* cle) {
  nlohmann::json r = nlohmann::json::array();
  TFamilleLignes fam = Famille(cle);
  for (size_t k = 0; k < doc.Grille.Positions(fam).size(); k++)
    for (int s = 0; s < doc.NbSurf(); s++) {
      const TEntity& e = doc.Surf(s);
      for (bool sym : {false, true}) {
        if (sym && !e.Sym) continue;
        const auto& t = fam == flSections         ? (sym ? e.SecSym : e.Sec)
                        : fam == flLignesEau      ? (sym ? e.LgESym : e.LgE)
                        : fam == flLongitudinales ? (sym ? e.LongSym : e.Long)
                                                  : (sym ? e.DiagSym : e.Diag);
        nlohmann::json polys = nlohmann::json::array();
        for (const auto& p : t[k]) {
          nlohmann::json pts = nlohmann::json::array();
          for (const auto& q : p) pts.push_back({q.X, q.Y, q.Z});
          polys.push_back(std::move(pts));
        }
        r.push_back(polys);
      }
    }
  return r;
}

TEST(GridWindow, AGridLaidOutInTheWindowGivesTheLinesOfTheCommandLine) {
  Fenetres t;
  // The program's first document is the command line's "--template 0": one surface of shape 0, orders 4
  // and 4.
  ASSERT_EQ(t.Doc().NbSurf(), 1);
  t.A("MeEspacementGrille")->trigger();
  TGrilleForm& g = *t.W.Grille;
  // Five diagonals: their angles (30 to 80 by 12.5) are whole in the window's one decimal.
  const char* nombres[] = {"15", "6", "5", "5"};
  for (int f = 0; f < NbFamillesLignes; f++) {
    g.Onglets->setCurrentIndex(f);
    Tape(g.Pages[static_cast<size_t>(f)].Nombre, nombres[f]);
    QTest::keyClick(g.Pages[static_cast<size_t>(f)].Nombre, Qt::Key_Tab);
    Clique(g.Onglets->widget(f), "BtnAuto");  // Standard
  }
  Clique(&g, "BtnOK");
  TDocument& d = t.Doc();
  CalcTabLignesSec(d);
  CalcTabLignesLE(d);
  CalcTabLignesLgt(d);
  CalcTabLignesDiag(d);

  QProcess p;
  p.start(BRIVANE_CLI, {"lines", "--template", "0", "--sections", "15", "--waterlines", "6", "--buttocks",
                        "5", "--diagonals", "5", "--json"});
  ASSERT_TRUE(p.waitForFinished(60000));
  ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
  nlohmann::json cli = nlohmann::json::parse(p.readAllStandardOutput().toStdString());
  // The window holds positions to six decimals, as it shows them: the planes agree to that, and so
  // do the lines through them. The first and last planes of the standard rule touch the hull's
  // extremes, where a shift of 1e-7 may give or take a whole line: they are left out.
  const double tolerance = 1e-4;
  for (const char* cle : {"sections", "waterlines", "buttocks", "diagonals"}) {
    nlohmann::json attendu = nlohmann::json::array();
    std::vector<double> positions;
    for (const auto& e : cli[cle]) {
      attendu.push_back(e["polylines"]);
      positions.push_back(e["position"].get<double>());
    }
    nlohmann::json obtenu = Lignes(d, cle);
    ASSERT_EQ(obtenu.size(), attendu.size()) << cle;
    // Two entries a plane: the main and the mirror half of the one surface.
    std::vector<double> plans = d.Grille.Positions(Famille(cle));
    ASSERT_EQ(attendu.size(), 2 * plans.size()) << cle;
    for (size_t i = 0; i < plans.size(); i++) EXPECT_NEAR(plans[i], positions[2 * i], 5e-7) << cle;
    size_t points = 0;
    for (size_t i = 2; i + 2 < attendu.size(); i++) {
      ASSERT_EQ(obtenu[i].size(), attendu[i].size()) << cle << " line " << i / 2;
      for (size_t k = 0; k < obtenu[i].size(); k++) {
        ASSERT_EQ(obtenu[i][k].size(), attendu[i][k].size()) << cle << " line " << i / 2;
        points += obtenu[i][k].size();
        for (size_t m = 0; m < obtenu[i][k].size(); m++)
          for (int c = 0; c < 3; c++)
            EXPECT_NEAR(obtenu[i][k][m][c].get<double>(), attendu[i][k][m][c].get<double>(), tolerance)
                << cle;
      }
    }
    EXPECT_GT(points, attendu.size()) << cle;
  }
}

}  // namespace
