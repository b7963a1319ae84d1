// What a designer does for an afternoon, through the main window: file dialogs that
// list the pictures and name the files they write, welds that hold whatever moves a
// surface, a cancelled dialog that keeps the undo, a perspective click that leaves no
// selection, documents framed in sight, ten different edits undone and redone with
// named captions, and tool windows and views that place themselves.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <functional>

#include "Aide.h"
#include "app/CommandesEdition.h"
#include "base/Chaines.h"
#include "base/FichierStr.h"
#include "document/GestFich.h"
#include "edition/forms/BitMFondForm.h"
#include "edition/forms/EditPCForm.h"
#include "edition/forms/LstPcForm.h"
#include "edition/forms/TransForm.h"
#include "forms/Fenetre.h"
#include "model/forms/CommandesSurfaces.h"
#include "model/forms/ListeSurfForm.h"
#include "model/forms/PrecisForm.h"
#include "naval/forms/PoidsForm.h"
#include "ui/Dialogues.h"
#include "ui/Rapport.h"

namespace {

QPoint Pt(const TPixel& p) { return {p.X, p.Y}; }
QPoint Ecran(TFormFille& v, const TPC& pc) { return Pt(v.Tab.Pos[pc.NumSurf][pc.NumLn][pc.NumCol]); }
TVertex3f V(TDocument& d, const TPC& pc) { return VertexDe(d, pc)->V(); }

void Glisse(TFormFille& v, QPoint a, QPoint b, Qt::KeyboardModifiers m = {}) {
  QTest::mousePress(&v, Qt::LeftButton, m, a);
  QTest::mouseMove(&v, (a + b) / 2);
  QTest::mouseMove(&v, b);
  QTest::mouseRelease(&v, Qt::LeftButton, m, b);
}

void Clic(TFormFille& v, QPoint a, Qt::KeyboardModifiers m = {}) {
  QTest::mousePress(&v, Qt::LeftButton, m, a);
  QTest::mouseRelease(&v, Qt::LeftButton, m, a);
}

// Runs f on the modal window of type W once it shows (the dialogs run with exec()).
template <class W>
void QuandModal(std::function<void(W*)> f) {
  auto* minuterie = new QTimer;
  minuterie->setInterval(20);
  QObject::connect(minuterie, &QTimer::timeout, [minuterie, f] {
    if (auto* w = dynamic_cast<W*>(QApplication::activeModalWidget())) {
      minuterie->stop();
      minuterie->deleteLater();
      f(w);
    }
  });
  minuterie->start();
}

std::string Texte(const TDocument& doc) {
  std::vector<int> nums;
  for (int i = 0; i < doc.NbSurf(); i++) nums.push_back(i);
  TfichierStr f;
  EXPECT_TRUE(ConstruitFichier(doc, nums, f));
  return f.Texte();
}

// The yacht with its three symmetry bases apart on the screen.
struct Yacht : FenetreTest {
  Yacht() {
    modele::Yacht(Doc(), 20, 0);
    const TVertex3f o[3] = {{0, 5, 0.5}, {0, 4, -1}, {0, 1, -0.8}};
    for (int k = 0; k < 3; k++) {
      Doc().Surf(k).PlanSym.Origine = o[k];
      Doc().Surf(k).PlanSym.MajPlan();
    }
    MajSurface(Doc(), true, -1);
    ChangeCurrentPC(Doc(), {0, 0, 0});
    F->AjusterTout();
    Doc().MarqueEnregistre();
  }
  TFormFille& Active(int type) {
    F->ActiveVue(type, false);
    TFormFille& v = Vue(type);
    v.Redessine();
    return v;
  }
};

TEST(Designer, ThePictureDialogListsJpegGifAndBmpUnderItsDefaultFilter) {
  TAffichageGarde garde;
  GardeServices services;
  QTemporaryDir dir;
  for (const char* n : {"a.jpg", "b.gif", "c.bmp", "d.txt"}) {
    QFile fi(dir.filePath(n));
    ASSERT_TRUE(fi.open(QIODevice::WriteOnly));
  }
  // The program's own file dialog: no test hook in front of it.
  auto f = std::make_unique<TMainForm>(TLigneCommande{}, DocumentIOStandard());
  Services().AfficheMessage = [](const std::string&, int, int b) { return ReponseParDefaut(b); };
  f->resize(1000, 800);
  f->show();
  QApplication::processEvents();
  f->PremierAffichage(false);
  QStringList filtres, vus;
  QuandModal<TBitMFondForm>([&](TBitMFondForm* d) {
    QuandModal<QFileDialog>([&](QFileDialog* fd) {
      filtres = fd->nameFilters();
      fd->setDirectory(dir.path());
      auto* lv = fd->findChild<QListView*>("listView");
      if (lv && QTest::qWaitFor([&] { return lv->model()->rowCount(lv->rootIndex()) >= 3; }, 5000))
        for (int r = 0; r < lv->model()->rowCount(lv->rootIndex()); r++)
          vus << lv->model()->index(r, 0, lv->rootIndex()).data().toString();
      fd->reject();
    });
    d->BtnCharger->click();
    d->reject();
  });
  f->Lance("MeImagesFond");
  ASSERT_FALSE(filtres.isEmpty());
  EXPECT_EQ(filtres[0], "Tout (*.bmp *.jpg *.gif)") << "one label, blank-separated patterns";
  EXPECT_EQ(filtres.value(2), "JPEG (*.jpg *.jpeg)");
  vus.sort();
  EXPECT_EQ(vus, (QStringList{"a.jpg", "b.gif", "c.bmp"}));
  f->Document().Modifie = false;
}

TEST(Designer, TheWeightsExportWritesItsCsvExtensionAndShowsItsFilterOnce) {
  Yacht t;
  QTemporaryDir dir;
  ChoixFichierRapport = [&dir](bool) { return dir.filePath("poids gui"); };
  t.Doc().ListePoids.push_back({"Moteur", 120, 0, 3, -0.2, -1});
  QuandModal<TPoidsForm>([](TPoidsForm* w) {
    for (auto* b : w->findChildren<QPushButton*>())
      if (b->text() == QString::fromStdString(rs("rsExport"))) b->click();
    w->reject();
  });
  t.F->Lance("MeDevisPoids");
  ChoixFichierRapport = nullptr;
  EXPECT_TRUE(QFile::exists(dir.filePath("poids gui.csv")));
  EXPECT_FALSE(QFile::exists(dir.filePath("poids gui")));
  EXPECT_EQ(FiltreQtDialogue(QString::fromStdString(rs("rsCSVFilter"))),
            "Fichiers CSV (séparateur ;) (*.csv);;Tous fichiers (*.*)");
  // A name that has its extension, or an "all files" choice, is left alone.
  EXPECT_EQ(AvecExtension("/d/p.txt", "Fichiers CSV (*.csv)"), "/d/p.txt");
  EXPECT_EQ(AvecExtension("/d.x/p", "Tous fichiers (*.*)"), "/d.x/p");
}

TEST(Designer, WeldedPartnersFollowABaseDragAndACoordinateTypedInTheList) {
  Yacht t;
  // A vertex of the keel welded to the hull's, another of the keel left free.
  const TPC coque{0, 0, 3}, quille{1, 1, 1}, libre{1, 0, 0};
  t.Doc().GroupesSoudes = {{coque, quille}};
  ReconstruitPCSoudes(t.Doc());
  const TVertex3f q0 = V(t.Doc(), quille), l0 = V(t.Doc(), libre), c0 = V(t.Doc(), coque);
  TFormFille& v = t.Active(tvProfil);
  t.A("MeBasePlanSym")->trigger();
  v.Redessine();
  TPixel o;
  ASSERT_TRUE(TProjecteur(v.Cadrage.Param).Projette(t.Doc().Surf(0).PlanSym.Origine, o));
  Glisse(v, Pt(o), Pt(o) + QPoint(0, -40));
  const double dz = 40 / v.Cadrage.Param.Echelle;
  // The scale is single precision: each step's delta is rounded through it.
  EXPECT_NEAR(V(t.Doc(), coque).Z, c0.Z + dz, 1e-6);
  EXPECT_NEAR(V(t.Doc(), quille).Z, V(t.Doc(), coque).Z - c0.Z + q0.Z, 1e-12) << "the seam stays closed";
  EXPECT_GT(V(t.Doc(), quille).Z, q0.Z + dz / 2);
  EXPECT_NEAR(V(t.Doc(), quille).Y, q0.Y, 1e-12);
  EXPECT_EQ(V(t.Doc(), libre).Z, l0.Z) << "the rest of the keel stays";
  // One undo puts both back.
  t.A("MeAnnuler")->trigger();
  EXPECT_NEAR(V(t.Doc(), quille).Z, q0.Z, 1e-12);

  // A Z typed for the hull's vertex in "Liste des vertex": row 3 is vertex (0, 0, 3).
  t.F->Lance("MeListeVertex");
  TLstPcForm& l = ListePC(*t.F);
  l.Active();
  QTableWidget* g = l.Grille();
  ASSERT_EQ(g->item(3, 3)->text(), "0");
  ASSERT_EQ(g->item(3, 4)->text(), "3");
  g->item(3, 7)->setText("1.25");
  EXPECT_DOUBLE_EQ(V(t.Doc(), coque).Z, 1.25);
  EXPECT_NEAR(V(t.Doc(), quille).Z, q0.Z + (1.25 - c0.Z), 1e-12);
  EXPECT_EQ(V(t.Doc(), libre).Z, l0.Z);
  l.close();
}

TEST(Designer, ACancelledTransformationsDialogKeepsTheUndoOfTheEditBefore) {
  Yacht t;
  TFormFille& v = t.Active(tvProfil);
  const TPC pc{0, 2, 3};
  const TVertex3f v0 = V(t.Doc(), pc);
  Glisse(v, Ecran(v, pc), Ecran(v, pc) + QPoint(0, -20));
  ASSERT_NE(V(t.Doc(), pc).Z, v0.Z);
  EXPECT_EQ(t.A("MeAnnuler")->text(), "&Annuler : déplacement de vertex");
  t.A("MeSurfTransformations")->trigger();
  auto* d = t.F->findChild<TTransForm*>("TransForm");
  ASSERT_NE(d, nullptr);
  ASSERT_TRUE(d->isVisible());
  d->BtnFermer->click();
  EXPECT_EQ(t.A("MeAnnuler")->text(), "&Annuler : déplacement de vertex");
  t.A("MeAnnuler")->trigger();
  EXPECT_EQ(V(t.Doc(), pc).Z, v0.Z) << "the drag is undone, not an empty step of the dialog";
}

TEST(Designer, APlainDragInThePerspectiveViewLeavesNoSelection) {
  Yacht t;
  TFormFille& v = t.Active(tvPersp);
  const TPC pc{0, 2, 3};
  const TVertex3f v0 = V(t.Doc(), pc);
  Glisse(v, Ecran(v, pc), Ecran(v, pc) + QPoint(15, 10));
  EXPECT_TRUE(v.Selection.empty());
  EXPECT_EQ(V(t.Doc(), pc).X, v0.X) << "the perspective view moves nothing";
  // As in a flat view.
  TFormFille& p = t.Active(tvPlan);
  Glisse(p, Ecran(p, pc), Ecran(p, pc) + QPoint(15, 10));
  EXPECT_TRUE(p.Selection.empty());
}

TEST(Designer, ADocumentWhoseStoredFramingHidesTheModelOpensFitted) {
  FenetreTest t({}, true);
  QTemporaryDir dir;
  const std::string chemin = dir.filePath("vedette.kvb").toStdString();
  {
    TDocument d;
    modele::Yacht(d, 20, 0);
    d.NomFichier = chemin;
    // Framings of another window: far off, tiny, and one good one that stays.
    d.Vues[tvSection] = {-4000, -3000, 100, 0, 0, 0};
    d.Vues[tvPlan] = {200, 150, 2, 0, 0, 0};
    d.Vues[tvProfil] = {900, 100, 300, 0, 0, 0};
    std::string err;
    ASSERT_TRUE(DocumentIOStandard().Ecrire(d, err)) << err;
  }
  // A view still framed for the document before: the perspective view far off too.
  t.Vue(tvPersp).Cadrage.Param.OrigineX = 50000;
  ASSERT_TRUE(t.F->OuvrirFichier(chemin, false, false));
  QApplication::processEvents();
  for (int type : {tvSection, tvPlan, tvProfil, tvPersp}) {
    TFormFille& v = t.Vue(type);
    v.Redessine();
    int x0 = 1 << 30, x1 = -(1 << 30), y0 = 1 << 30, y1 = -(1 << 30);
    for (int k = 0; k < t.Doc().NbSurf(); k++) {
      const TSurface* s = t.Doc().SurfNurbs(k);
      for (int i = 0; i < s->Net.NbLn; i++)
        for (int j = 0; j < s->Net.NbCol; j++) {
          TPixel p;
          ASSERT_TRUE(TProjecteur(v.Cadrage.Param).Projette(s->Net.PC[i][j].V(), p));
          x0 = std::min(x0, p.X), x1 = std::max(x1, p.X), y0 = std::min(y0, p.Y), y1 = std::max(y1, p.Y);
        }
    }
    EXPECT_GE(x0, 0) << type;
    EXPECT_LE(x1, v.width()) << type;
    EXPECT_GE(y0, 0) << type;
    EXPECT_LE(y1, v.height()) << type;
    EXPECT_TRUE(x1 - x0 >= v.width() / 2 || y1 - y0 >= v.height() / 2) << type << " not small";
  }
}

TEST(Designer, APlainLetterAnswersTheButtonItUnderlines) {
  GardeServices services;
  QTimer::singleShot(50, [] {
    if (QWidget* w = QApplication::activeModalWidget()) QTest::keyClick(w, Qt::Key_N);
  });
  // Whatever happens, the dialog goes: a test never waits for a hand.
  QTimer::singleShot(3000, [] {
    if (auto* d = dynamic_cast<QDialog*>(QApplication::activeModalWidget())) d->done(mrCancel);
  });
  EXPECT_EQ(AfficheMessageDlg("Voulez-vous enregistrer ?", mtConfirmation, mbYes | mbNo | mbCancel), mrNo);
}

TEST(Designer, TheCustomPrecisionCaptionIsNotCut) {
  TPrecisForm d;
  d.show();
  QApplication::processEvents();
  // Room for the caption and the caption bar's buttons.
  const int titre = d.fontMetrics().horizontalAdvance(d.windowTitle());
  EXPECT_GE(d.width(), titre + 90);
}

// Ten different edits, each through its own command, undone one by one with their names
// and redone: the document as it would be saved at each step is compared.
TEST(Designer, TenDifferentEditsAreUndoneAndRedoneInOrderWithTheirNames) {
  Yacht t;
  std::vector<std::string> etats{Texte(t.Doc())};
  std::vector<QString> noms;
  auto fait = [&](const char* nom) {
    etats.push_back(Texte(t.Doc()));
    ASSERT_NE(etats.back(), etats[etats.size() - 2]) << nom;
    noms.push_back(QString::fromUtf8(nom));
    EXPECT_EQ(t.A("MeAnnuler")->text(), "&Annuler : " + noms.back());
  };
  // 1, 2: drags in the profile and plan views.
  TFormFille& pf = t.Active(tvProfil);
  Glisse(pf, Ecran(pf, {0, 1, 1}), Ecran(pf, {0, 1, 1}) + QPoint(12, -9));
  fait("déplacement de vertex");
  TFormFille& pl = t.Active(tvPlan);
  Glisse(pl, Ecran(pl, {0, 2, 3}), Ecran(pl, {0, 2, 3}) + QPoint(-8, 14));
  fait("déplacement de vertex");
  // 3: a column inserted by a click between two vertices of the current row.
  ChangeCurrentPC(t.Doc(), {0, 2, 3});
  t.A("MeAjoutLigne")->trigger();
  pf.Redessine();
  Clic(pf, (Ecran(pf, {0, 2, 3}) + Ecran(pf, {0, 2, 4})) / 2);
  ASSERT_EQ(t.Doc().SurfNurbs(0)->Net.NbCol, 8);
  fait("ajout d'une colonne");
  // 4: that column deleted again by a click on one of its vertices, in the plan view.
  t.A("MeSupprLigne")->trigger();
  pl.Redessine();
  Clic(pl, Ecran(pl, {0, 3, 4}));
  ASSERT_EQ(t.Doc().SurfNurbs(0)->Net.NbCol, 7);
  fait("suppression d'une colonne");
  // 5: two vertices grouped in space.
  pf.Redessine();
  t.F->ActiveVue(tvProfil, false);
  Clic(pf, Ecran(pf, {0, 4, 5}), Qt::ShiftModifier);
  Clic(pf, Ecran(pf, {0, 4, 6}), Qt::ShiftModifier);
  ASSERT_EQ(pf.Selection.size(), 2u);
  t.A("MeGrouperEspace")->trigger();
  fait("groupement de vertex");
  // 6: three vertices of the keel aligned in space.
  Clic(pf, QPoint(2, 2));  // an empty place: the selection goes
  pf.Redessine();
  for (const TPC& pc : {TPC{1, 0, 0}, TPC{1, 0, 2}, TPC{1, 1, 1}}) Clic(pf, Ecran(pf, pc), Qt::ShiftModifier);
  ASSERT_EQ(pf.Selection.size(), 3u);
  t.A("MeAlignerEspace")->trigger();
  fait("alignement de vertex");
  Clic(pf, QPoint(2, 2));
  // 7: the rudder moved by its base.
  t.A("MeBasePlanSym")->trigger();
  pf.Redessine();
  TPixel o;
  ASSERT_TRUE(TProjecteur(pf.Cadrage.Param).Projette(t.Doc().Surf(2).PlanSym.Origine, o));
  Glisse(pf, Pt(o), Pt(o) + QPoint(16, 0));
  t.A("MeBasePlanSym")->trigger();
  fait("déplacement de surface");
  // 8: the transformations dialog, a translation applied.
  t.A("MeSurfTransformations")->trigger();
  auto* tr = t.F->findChild<TTransForm*>("TransForm");
  ASSERT_NE(tr, nullptr);
  tr->Pages->setCurrentIndex(0);
  tr->Depl[2]->setText("0.5");
  tr->BtnAppliquer->click();
  tr->BtnFermer->click();
  fait("transformations géométriques");
  // 9: coordinates typed in the vertex editor.
  ChangeCurrentPC(t.Doc(), {0, 3, 2});
  t.F->Lance("MeEditeurVertex", true);
  TEditPCForm& e = EditeurPC(*t.F);
  e.Champ(0)->setFocus();
  e.Champ(0)->selectAll();
  QTest::keyClicks(e.Champ(0), "1.75");
  ASSERT_TRUE(e.Appliquer());
  e.reject();
  fait("éditeur de vertex");
  // 10: the keel duplicated.
  TFenetresSurfaces w = FenetresSurfaces(*t.F);
  t.A("MeSurfDupliquer")->trigger();
  w.ListeSurf->Liste->clearSelection();
  w.ListeSurf->Liste->item(1)->setSelected(true);
  QTest::mouseClick(w.ListeSurf->findChild<QAbstractButton*>("BtnOK"), Qt::LeftButton);
  ASSERT_EQ(t.Doc().NbSurf(), 4);
  fait("duplication de surfaces");
  ASSERT_EQ(etats.size(), 11u);

  for (size_t k = 10; k >= 1; k--) {
    ASSERT_TRUE(t.A("MeAnnuler")->isEnabled()) << k;
    EXPECT_EQ(t.A("MeAnnuler")->text(), "&Annuler : " + noms[k - 1]) << k;
    t.A("MeAnnuler")->trigger();
    EXPECT_EQ(Texte(t.Doc()), etats[k - 1]) << "undo of step " << k;
    EXPECT_EQ(t.A("MeRefaire")->text(), "&Refaire : " + noms[k - 1]) << k;
  }
  EXPECT_FALSE(t.A("MeAnnuler")->isEnabled());
  EXPECT_EQ(t.A("MeAnnuler")->text(), "&Annuler");
  for (size_t k = 1; k <= 10; k++) {
    ASSERT_TRUE(t.A("MeRefaire")->isEnabled()) << k;
    t.A("MeRefaire")->trigger();
    EXPECT_EQ(Texte(t.Doc()), etats[k]) << "redo of step " << k;
  }
  EXPECT_FALSE(t.A("MeRefaire")->isEnabled());
}

QRect Global(const QWidget* w) { return QRect(w->mapToGlobal(QPoint(0, 0)), w->size()); }

TEST(Designer, ToolWindowsOpenBesideTheViewsNeverOverTheMenusOrEachOther) {
  Yacht t;
  t.A("MeControleVues")->trigger();
  t.A("MeSelectionVertex")->trigger();
  t.A("MeSurfVisibilite")->trigger();
  QApplication::processEvents();
  const QRect menus = Global(t.F->menuBar()), barre = Global(t.F->BarreOutils());
  const QRect zone = Global(t.F->Zone()->viewport());
  std::vector<QRect> places;
  for (const char* nom : {"VueCtrlForm", "FenSelForm", "ListeSurfVisiblesForm"}) {
    auto* w = t.F->findChild<QWidget*>(nom);
    ASSERT_NE(w, nullptr) << nom;
    ASSERT_TRUE(w->isVisible()) << nom;
    const QRect r = w->frameGeometry();
    EXPECT_FALSE(r.intersects(menus)) << nom;
    EXPECT_FALSE(r.intersects(barre)) << nom;
    EXPECT_TRUE(zone.contains(r)) << nom;
    for (const QRect& p : places) EXPECT_FALSE(p.intersects(r)) << nom;
    places.push_back(r);
  }
  // The vertex list is large: it is not laid over the middle of the views.
  t.F->Lance("MeListeVertex");
  QApplication::processEvents();
  const QRect l = ListePC(*t.F).frameGeometry();
  EXPECT_FALSE(l.intersects(menus));
  // No room beside the main window on this screen: against the right edge of the area,
  // not centred over the views.
  EXPECT_GE(l.right(), zone.right() - 12);
  EXPECT_GE(l.top(), barre.bottom());
}

TEST(Designer, TiledViewsFollowTheWindowAndTheStudioTakesPartInTheLayouts) {
  Yacht t;
  QMdiArea* zone = t.F->Zone();
  auto couvre = [&] {
    QApplication::processEvents();
    long aire = 0;
    QRect tout;
    for (QMdiSubWindow* s : zone->subWindowList())
      if (s->isVisible() && !s->isMinimized()) {
        aire += long(s->width()) * s->height();
        tout |= s->geometry();
      }
    return tout == zone->viewport()->rect() &&
           aire == long(zone->viewport()->width()) * zone->viewport()->height();
  };
  ASSERT_TRUE(couvre()) << "the start-up layout fills the area";
  // The main window grows (maximised): the views grow with it, no grey band.
  t.F->resize(1400, 1000);
  EXPECT_TRUE(couvre());
  TFormFille& v = t.Vue(tvPlan);
  EXPECT_EQ(v.Cadrage.Largeur, v.width()) << "the view framed at its new size";
  // The studio shown (maximised), then tiled with the views: it is one of the tiles.
  t.A("MeStudio")->trigger();
  QApplication::processEvents();
  QMdiSubWindow* studio = t.F->findChild<QMdiSubWindow*>("SousStudio");
  ASSERT_NE(studio, nullptr);
  ASSERT_TRUE(studio->isMaximized());
  t.A("MeMosaiqueV")->trigger();
  EXPECT_FALSE(studio->isMaximized());
  EXPECT_TRUE(couvre()) << "five tiles side by side";
  t.A("MeCascade")->trigger();
  EXPECT_FALSE(studio->isMaximized());
  EXPECT_TRUE(studio->isVisible());
  // Back to the start-up layout from the "Fenêtre" menu.
  t.A("MeDisposition2x2")->trigger();
  const QRect z = zone->viewport()->rect();
  std::vector<TRectFenetre> g = DispositionGrille(5, z.width(), z.height());
  EXPECT_EQ(t.F->SousFenetre(tvProfil)->geometry(), QRect(g[0].X, g[0].Y, g[0].L, g[0].H));
}

}  // namespace
