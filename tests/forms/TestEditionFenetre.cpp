// Editing through the main window with simulated mouse events: drags in each
// view, window selection, the toolbox modes and their cursors, welds, undo and
// redo from the menu and the tool bar, the instant-hydrostatics panel, and a
// saved document left byte-identical by an edit and its undo.
#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "Aide.h"
#include "app/CommandesEdition.h"
#include "base/Chaines.h"
#include "base/Options.h"
#include "edition/forms/FenSelForm.h"
#include "forms/Fenetre.h"
#include "naval/forms/PoidsForm.h"

namespace {

TPixel Ecran(TFormFille& v, const TPC& pc) { return v.Tab.Pos[pc.NumSurf][pc.NumLn][pc.NumCol]; }
TVertex3f V(TDocument& d, const TPC& pc) { return VertexDe(d, pc)->V(); }

void Glisse(TFormFille& v, QPoint a, QPoint b, Qt::KeyboardModifiers m = {}) {
  QTest::mousePress(&v, Qt::LeftButton, m, a);
  QTest::mouseMove(&v, (a + b) / 2);
  QTest::mouseMove(&v, b);
  QTest::mouseRelease(&v, Qt::LeftButton, m, b);
}

QPoint Pt(const TPixel& p) { return {p.X, p.Y}; }

TEST(EditMouse, DragDeltasInEachFlatViewThenUndoFromTheMenu) {
  FenetreTest t;
  for (int type : {tvSection, tvPlan, tvProfil}) {
    t.F->ActiveVue(type, false);
    TFormFille& v = t.Vue(type);
    v.Redessine();
    const TPC pc{0, 1, 1};
    TVertex3f v0 = V(t.Doc(), pc);
    QPoint p = Pt(Ecran(v, pc));
    Glisse(v, p, p + QPoint(24, 12));
    double s = v.Cadrage.Param.Echelle;
    TVertex3f d = type == tvSection ? TVertex3f{24 / s, 0, -12 / s}
                  : type == tvPlan  ? TVertex3f{12 / s, 24 / s, 0}
                                    : TVertex3f{0, 24 / s, -12 / s};
    TVertex3f v1 = V(t.Doc(), pc);
    EXPECT_NEAR(v1.X, v0.X + d.X, 1e-6) << type;
    EXPECT_NEAR(v1.Y, v0.Y + d.Y, 1e-6) << type;
    EXPECT_NEAR(v1.Z, v0.Z + d.Z, 1e-6) << type;
    EXPECT_TRUE(v.Selection.empty()) << "a plain drag selects nothing";
    EXPECT_TRUE(t.A("MeAnnuler")->isEnabled());
    t.A("MeAnnuler")->trigger();
    EXPECT_NEAR(V(t.Doc(), pc).X, v0.X, 1e-12);
    EXPECT_NEAR(V(t.Doc(), pc).Z, v0.Z, 1e-12);
    EXPECT_FALSE(t.A("MeAnnuler")->isEnabled());
    EXPECT_TRUE(t.A("MeRefaire")->isEnabled());
    t.A("MeRefaire")->trigger();
    EXPECT_NEAR(V(t.Doc(), pc).Y, v1.Y, 1e-12);
    t.A("MeAnnuler")->trigger();
  }
  // The tool-bar button is never disabled and alternates by itself.
  auto* b = t.F->BarreOutils()->findChild<QToolButton*>("SBAnnuler");
  ASSERT_NE(b, nullptr);
  EXPECT_TRUE(b->isEnabled());
  TVertex3f avant = V(t.Doc(), {0, 1, 1});
  b->click();
  EXPECT_NE(V(t.Doc(), {0, 1, 1}).Y, avant.Y);
  b->click();
  EXPECT_EQ(V(t.Doc(), {0, 1, 1}).Y, avant.Y);
}

TEST(EditMouse, HiddenProportionalKeysConstrainADragAsTheTranslations) {
  FenetreTest t;
  QMenu* m = t.F->findChild<QMenu*>("MeHomothetie");
  ASSERT_NE(m, nullptr);
  t.F->Rafraichit();
  EXPECT_FALSE(m->menuAction()->isVisible());
  t.F->ActiveVue(tvSection, false);
  TFormFille& v = t.Vue(tvSection);
  v.Redessine();
  const TPC pc{0, 1, 1};
  QApplication::setActiveWindow(t.F.get());
  for (auto [touche, nom] :
       {std::pair{Qt::Key_F7, "MeHomothetieH"}, std::pair{Qt::Key_F8, "MeHomothetieV"}}) {
    QTest::keyClick(t.F.get(), touche);
    ASSERT_TRUE(t.A(nom)->isChecked()) << nom;
    EXPECT_EQ(v.cursor().shape(), touche == Qt::Key_F7 ? Qt::SizeHorCursor : Qt::SizeVerCursor);
    TVertex3f v0 = V(t.Doc(), pc);
    QPoint p = Pt(Ecran(v, pc));
    Glisse(v, p, p + QPoint(24, 12));
    double s = v.Cadrage.Param.Echelle;
    TVertex3f v1 = V(t.Doc(), pc);
    if (touche == Qt::Key_F7) {
      EXPECT_NEAR(v1.X, v0.X + 24 / s, 1e-6);
      EXPECT_EQ(v1.Z, v0.Z);
    } else {
      EXPECT_EQ(v1.X, v0.X);
      EXPECT_NEAR(v1.Z, v0.Z - 12 / s, 1e-6);
    }
    EXPECT_FALSE(t.A(nom)->isChecked()) << "off after the drag";
  }
}

TEST(EditMouse, BallastModeTakesTheClickInsteadOfTheVertexUnderIt) {
  FenetreTest t;
  t.F->ActiveVue(tvPlan, false);
  TFormFille& v = t.Vue(tvPlan);
  v.Redessine();
  const TPC pc{0, 1, 1};
  const TVertex3f v0 = V(t.Doc(), pc);
  const QPoint p = Pt(Ecran(v, pc));
  t.A("MeAjoutBallast")->trigger();
  ASSERT_TRUE(t.A("MeAjoutBallast")->isChecked());
  int dialogues = 0;
  auto repond = [&] {
    QTimer::singleShot(0, [&] {
      auto* d = dynamic_cast<TDefPoidsForm*>(QApplication::activeModalWidget());
      ASSERT_NE(d, nullptr);
      dialogues++;
      d->EdValeur->setText("250");
      d->EdNom->setText("Lest");
      if (std::string e = d->Valider(); !e.empty()) ADD_FAILURE() << e, d->reject();
    });
  };
  repond();
  // A press and a drag over a vertex: the vertex neither moves nor is picked.
  Glisse(v, p, p + QPoint(6, 0));
  EXPECT_EQ(dialogues, 1);
  EXPECT_EQ(V(t.Doc(), pc).Y, v0.Y);
  EXPECT_TRUE(v.Selection.empty());
  EXPECT_FALSE(t.A("MeAnnuler")->isEnabled()) << "no undo step: nothing was edited";
  EXPECT_FALSE(t.A("MeAjoutBallast")->isChecked()) << "one ballast per click without Shift";
  ASSERT_FALSE(t.Doc().ListePoids.empty());
  const TPoids& w = t.Doc().ListePoids.back();
  EXPECT_EQ(w.Nom, "Lest");
  EXPECT_DOUBLE_EQ(w.Masse, 250);
  // Released 6 pixels to the right of the vertex: in the plan view that is +Y.
  const double s = v.Cadrage.Param.Echelle;
  EXPECT_NEAR(w.Y, v0.Y + 6 / s, 1.5 / s);
  EXPECT_NEAR(w.X, v0.X, 1.5 / s);
  EXPECT_EQ(w.Z, 0);
  // The perspective view places no ballast: the click goes to the editing as always.
  t.A("MeAjoutBallast")->trigger();
  TFormFille& q = t.Vue(tvPersp);
  t.F->ActiveVue(tvPersp, false);
  q.Redessine();
  QTest::mouseClick(&q, Qt::LeftButton, {}, Pt(Ecran(q, pc)));
  QApplication::processEvents();
  EXPECT_EQ(dialogues, 1);
  EXPECT_EQ(t.Doc().PCCourant, pc);
  t.A("MeAjoutBallast")->trigger();
}

TEST(EditMouse, PerspectiveDragAndPlainClicksChangeNothing) {
  FenetreTest t;
  t.F->ActiveVue(tvPersp, false);
  TFormFille& v = t.Vue(tvPersp);
  v.Redessine();
  QPoint p = Pt(Ecran(v, {0, 2, 1}));
  TVertex3f v0 = V(t.Doc(), {0, 2, 1});
  Glisse(v, p, p + QPoint(30, 30));
  EXPECT_EQ(V(t.Doc(), {0, 2, 1}).X, v0.X);
  EXPECT_FALSE(t.Doc().Modifie);
  EXPECT_FALSE(t.A("MeAnnuler")->isEnabled());
  EXPECT_EQ(t.Doc().PCCourant, (TPC{0, 2, 1}));
}

// As in the flat views, a press-drag-release on a vertex leaves nothing selected; a
// press-release without a drag neither; the vertex stays the current one.
TEST(EditMouse, PerspectiveDragLeavesNoVertexSelected) {
  FenetreTest t;
  t.F->ActiveVue(tvPersp, false);
  TFormFille& v = t.Vue(tvPersp);
  v.Redessine();
  const TPC pc{0, 2, 1};
  const QPoint p = Pt(Ecran(v, pc));
  Glisse(v, p, p + QPoint(30, 30));
  EXPECT_TRUE(v.Selection.empty());
  EXPECT_EQ(v.Tab.Etat[0][2][1], epActif);
  QTest::mouseClick(&v, Qt::LeftButton, {}, Pt(Ecran(v, pc)));
  EXPECT_TRUE(v.Selection.empty());
  EXPECT_EQ(t.Doc().PCCourant, pc);
}

TEST(EditMouse, WindowSelectionBothWaysShowsItsRubberBand) {
  FenetreTest t;
  t.F->ActiveVue(tvPlan, false);
  TFormFille& v = t.Vue(tvPlan);
  v.Redessine();
  QPoint a = Pt(Ecran(v, {0, 0, 0})) - QPoint(5, 5), b = Pt(Ecran(v, {0, 1, 1})) + QPoint(5, 5);
  QPoint hautGauche(std::min(a.x(), b.x()), std::min(a.y(), b.y()));
  QPoint basDroite(std::max(a.x(), b.x()), std::max(a.y(), b.y()));
  QTest::mousePress(&v, Qt::LeftButton, {}, hautGauche);
  QTest::mouseMove(&v, basDroite);
  EXPECT_EQ(v.Superposition(), TFormFille::TSuperpose::RectPointille);
  QTest::mouseRelease(&v, Qt::LeftButton, {}, basDroite);
  EXPECT_EQ(v.Superposition(), TFormFille::TSuperpose::Rien);
  TListPC un = v.Selection;
  EXPECT_TRUE(PCDansListe(un, {0, 0, 0}));
  EXPECT_TRUE(PCDansListe(un, {0, 1, 1}));
  // A press on empty space clears it, and the reverse drag selects the same vertices.
  Glisse(v, QPoint(1, 1), QPoint(2, 2));
  EXPECT_TRUE(v.Selection.empty());
  Glisse(v, basDroite, hautGauche);
  EXPECT_EQ(v.Selection, un);
  // Select all, then Shift+click deselects one.
  t.A("MeSelectTous")->trigger();
  EXPECT_EQ(v.Selection.size(), 9u);
  QPoint p = Pt(Ecran(v, {0, 1, 1}));
  QTest::mouseClick(&v, Qt::LeftButton, Qt::ShiftModifier, p);
  EXPECT_EQ(v.Selection.size(), 8u);
  EXPECT_FALSE(PCDansListe(v.Selection, {0, 1, 1}));
}

TEST(EditMouse, InsertionModeCursorAndUndoRepairsTheCurrentVertex) {
  FenetreTest t;
  t.F->ActiveVue(tvSection, false);
  TFormFille& v = t.Vue(tvSection);
  v.Redessine();
  ChangeCurrentPC(t.Doc(), {0, 2, 1});
  t.A("MeAjoutLigne")->trigger();
  EXPECT_NE(v.cursor().shape(), Qt::CrossCursor) << "the insertion cursor";
  QPoint a = Pt(Ecran(v, {0, 1, 1})), c = Pt(Ecran(v, {0, 2, 1}));
  QTest::mouseClick(&v, Qt::LeftButton, {}, (a + c) / 2);
  EXPECT_EQ(t.Doc().SurfNurbs(0)->Net.NbLn, 4);
  EXPECT_FALSE(t.A("MeAjoutLigne")->isChecked());
  EXPECT_EQ(v.cursor().shape(), Qt::CrossCursor);
  // The new last row becomes current and is selected in another view: undo removes it.
  ChangeCurrentPC(t.Doc(), {0, 3, 1});
  t.Vue(tvPlan).Selection = {{0, 3, 0}, {0, 0, 0}};
  t.Vue(tvPlan).Tab.Etat[0][3][0] = epSelectionne;
  t.A("MeAnnuler")->trigger();
  EXPECT_EQ(t.Doc().SurfNurbs(0)->Net.NbLn, 3);
  EXPECT_EQ(t.Doc().PCCourant, (TPC{0, 0, 0}));
  EXPECT_EQ(t.Vue(tvPlan).Selection, (TListPC{{0, 0, 0}}));
  EXPECT_EQ(t.Vue(tvPlan).Tab.Etat[0][3][0], epActif);
  // Deletion mode: a click on a vertex in the plan view removes its column.
  t.F->ActiveVue(tvPlan, false);
  t.A("MeSupprLigne")->trigger();
  TFormFille& p = t.Vue(tvPlan);
  p.Redessine();
  QTest::mouseClick(&p, Qt::LeftButton, {}, Pt(Ecran(p, {0, 1, 2})));
  EXPECT_EQ(t.Doc().SurfNurbs(0)->Net.NbCol, 2);
  EXPECT_FALSE(t.A("MeSupprLigne")->isChecked());
}

TEST(EditMouse, WeldedVerticesOfTwoSurfacesMoveTogether) {
  FenetreTest t;
  TDocument& d = t.Doc();
  DupliquerSurfaces(d, {0});
  TSurface& s1 = *d.SurfNurbs(1);
  for (int i = 0; i < s1.Net.NbLn; i++)
    for (int j = 0; j < s1.Net.NbCol; j++) s1.Net.PC[i][j].Z -= 2;
  s1.MarqueNonCalculee();
  MajSurface(d, true, -1);
  t.F->ActiveVue(tvProfil, false);
  TFormFille& v = t.Vue(tvProfil);
  t.F->Ajuster(v, false);
  QTest::mouseClick(&v, Qt::LeftButton, Qt::ShiftModifier, Pt(Ecran(v, {0, 0, 1})));
  QTest::mouseClick(&v, Qt::LeftButton, Qt::ShiftModifier, Pt(Ecran(v, {1, 2, 1})));
  ASSERT_EQ(v.Selection.size(), 2u);
  t.A("MeSouder")->trigger();
  ASSERT_EQ(d.GroupesSoudes.size(), 1u);
  EXPECT_EQ(d.PCSoudes.size(), 2u);
  Glisse(v, QPoint(1, 1), QPoint(2, 2));  // clears the selection
  TVertex3f a0 = V(d, {0, 0, 1}), b0 = V(d, {1, 2, 1});
  QPoint p = Pt(Ecran(v, {0, 0, 1}));
  Glisse(v, p, p + QPoint(30, 0));
  double dy = 30 / v.Cadrage.Param.Echelle;
  EXPECT_NEAR(V(d, {0, 0, 1}).Y, a0.Y + dy, 1e-6);
  EXPECT_NEAR(V(d, {1, 2, 1}).Y, b0.Y + dy, 1e-6);
  // Unweld with nothing selected: the current vertex's group goes.
  t.A("MeDessouder")->trigger();
  EXPECT_TRUE(d.GroupesSoudes.empty());
  EXPECT_TRUE(d.PCSoudes.empty());
}

TEST(EditMouse, InstantHydrostaticsFollowTheDragWithRealTimeEvaluation) {
  FenetreTest t;
  t.Choix.clear();
  TDocument& d = t.Doc();
  // The default hull floats with its waterline at Z = 0: pull its bottom down.
  QAction* a = t.F->findChild<QAction*>("MeHydroInstantanee");
  ASSERT_NE(a, nullptr);
  EXPECT_FALSE(a->isChecked()) << "off by default";
  a->trigger();
  QApplication::processEvents();
  TPanneauHydro* panneau = t.F->Edition()->Panneau();
  ASSERT_TRUE(panneau->isVisible());
  THydroInstant h0 = CalcHydroInstant(d);
  ASSERT_TRUE(h0.Immerge);
  EXPECT_EQ(panneau->Texte(0).toStdString(), Format("%.0f", h0.Deplacement));
  bool tr = Options().SplineTR;
  Options().SplineTR = true;
  t.F->ActiveVue(tvSection, false);
  TFormFille& v = t.Vue(tvSection);
  v.Redessine();
  QPoint p = Pt(Ecran(v, {0, 1, 1}));
  QTest::mousePress(&v, Qt::LeftButton, {}, p);
  QTest::mouseMove(&v, p + QPoint(0, 5));
  QTest::mouseMove(&v, p + QPoint(0, 40));
  // Before the release: the panel already shows the deeper hull.
  double dep = panneau->Texte(0).toDouble();
  EXPECT_GT(dep, h0.Deplacement + 1);
  QTest::mouseRelease(&v, Qt::LeftButton, {}, p + QPoint(0, 40));
  Options().SplineTR = tr;
  EXPECT_EQ(panneau->Texte(0).toStdString(), Format("%.0f", CalcHydroInstant(d).Deplacement));
  t.A("MeAnnuler")->trigger();
  EXPECT_EQ(panneau->Texte(0).toStdString(), Format("%.0f", h0.Deplacement));
}

TEST(EditMouse, EditThenUndoLeavesTheSavedDocumentByteIdentical) {
  QTemporaryDir dir;
  QString chemin = dir.filePath("voilier.kvb");
  ASSERT_TRUE(QFile::copy(QString(BRIVANE_SAMPLES) + "/Voilier11.kvb", chemin));
  QFile::setPermissions(chemin, QFile::ReadOwner | QFile::WriteOwner);
  TLigneCommande lc;
  lc.Fichier = chemin.toStdString();
  GardeServices garde;  // the hook comes back even when an assertion returns early
  Services().AfficheMessage = [](const std::string&, int, int b) { return ReponseParDefaut(b); };
  {
    TMainForm f(lc);
    f.resize(1200, 900);
    f.show();
    QApplication::processEvents();
    f.PremierAffichage(false);
    ASSERT_TRUE(f.Enregistrer());
    auto lit = [&] {
      QFile q(chemin);
      EXPECT_TRUE(q.open(QIODevice::ReadOnly));
      return q.readAll();
    };
    QByteArray avant = lit();
    f.ActiveVue(tvPlan, false);
    TFormFille& v = *f.Vue(tvPlan);
    v.Redessine();
    QPoint p = Pt(Ecran(v, {0, 3, 4}));
    Glisse(v, p, p + QPoint(17, -9));
    EXPECT_TRUE(f.Document().Modifie);
    ASSERT_TRUE(f.Enregistrer());
    EXPECT_NE(lit(), avant);
    f.Action("MeAnnuler")->trigger();
    EXPECT_TRUE(f.Document().Modifie) << "save, undo, quit must not lose the screen's state";
    ASSERT_TRUE(f.Enregistrer());
    EXPECT_EQ(lit(), avant);
    f.Document().Modifie = false;
  }
}

TEST(EditMouse, VertexSelectionWindowRestrictsTheViewsToARow) {
  FenetreTest t;
  t.A("MeSelectionVertex")->trigger();
  TFenSelForm* w = FenSelDe(*t.F);
  ASSERT_TRUE(w->isVisible());
  EXPECT_EQ(w->windowTitle().toStdString(), "Sélection Surface1");
  // Shown: the stored filter of the new net (column 0) applies in every view.
  EXPECT_EQ(t.Vue(tvPlan).Tab.Etat[0][1][0], epActif);
  EXPECT_EQ(t.Vue(tvPlan).Tab.Etat[0][1][1], epInactif);
  TFenSelGeom g = w->Geometrie();
  QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(4, g.YLigne(1)));
  for (int v = tvSection; v <= tvPersp; v++) {
    EXPECT_EQ(t.Vue(v).Tab.Etat[0][1][2], epActif) << v;
    EXPECT_EQ(t.Vue(v).Tab.Etat[0][0][0], epInactif) << v;
  }
  EXPECT_EQ(t.Doc().PCCourant.NumLn, 1);
  // Inactive vertices cannot be picked.
  TFormFille& s = t.Vue(tvSection);
  t.F->ActiveVue(tvSection, false);
  s.Redessine();
  QTest::mouseClick(&s, Qt::LeftButton, Qt::ShiftModifier, Pt(Ecran(s, {0, 0, 0})));
  EXPECT_TRUE(s.Selection.empty());
  // Closing with the net shown makes every vertex active again.
  t.A("MeSelectionVertex")->trigger();
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(t.Vue(tvPlan).Tab.Etat[0][0][0], epActif);
}

}  // namespace
