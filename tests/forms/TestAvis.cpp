// The notice of change through the real main window: what a command or a click changes
// reaches every window that shows it, without the command telling each one.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <algorithm>

#include "app/CommandesEdition.h"
#include "base/Chaines.h"
#include "edition/HydroInstant.h"
#include "edition/Selection.h"
#include "edition/forms/TransForm.h"
#include "forms/Fenetre.h"
#include "model/Calcs.h"

namespace {

QPoint Pt(TFormFille& v, const TPC& pc) {
  const TPixel& p = v.Tab.Pos[pc.NumSurf][pc.NumLn][pc.NumCol];
  return {p.X, p.Y};
}

// Segments of the display list that show on the screen (a comb of zero curvature does not).
int SegmentsVisibles(const TListeDessin& l) {
  int n = 0;
  for (const TElement& e : l.Elements)
    if (e.Figure == TFigure::Segment && e.Nombre == 2) {
      const TPixel& a = l.Points[e.Debut];
      const TPixel& b = l.Points[e.Debut + 1];
      if (a.X != b.X || a.Y != b.Y) n++;
    }
  return n;
}

TEST(Avis, CurvatureCombsShowInTheSectionViewWhenSwitchedOn) {
  FenetreTest t;
  // The sloop, read from its file as "Fichier > Ouvrir" reads it.
  t.F->IO = DocumentIOStandard();
  ASSERT_TRUE(t.F->OuvrirFichier(BRIVANE_SAMPLES "/Voilier11.kvb", false, false));
  t.F->ActiveVue(tvSection, true);
  ASSERT_TRUE(t.F->Lance("MeCouples", true));
  QApplication::processEvents();
  TFormFille& v = t.Vue(tvSection);
  const int sans = SegmentsVisibles(v.Liste());
  ASSERT_TRUE(t.F->Lance("MeHerisson", true));
  QApplication::processEvents();
  EXPECT_TRUE(AffichageCalculs().Herisson) << "one display state: the updates read the menu's switch";
  // The combs are drawn from the sections' curvature, which the update computed: with none
  // computed they are segments of no length, and the view looks the same.
  EXPECT_GT(SegmentsVisibles(v.Liste()), sans + 10);
  // At the default settings a comb is a fraction of the 3.8 m beam, not tens of metres.
  std::vector<double> longueurs;
  for (const auto& e : t.Doc().TabSurf)
    for (const TCoupe& c : e->Sec)
      for (const TListPt3D& pl : c)
        for (size_t i = 1; i + 1 < pl.size(); i++) longueurs.push_back(Norme(pl[i].Courbure.Vecteur));
  ASSERT_GT(longueurs.size(), 100u);
  std::nth_element(longueurs.begin(), longueurs.begin() + longueurs.size() / 2, longueurs.end());
  EXPECT_LT(longueurs[longueurs.size() / 2], 1.0);
  EXPECT_GT(longueurs[longueurs.size() / 2], 0.01);
  ASSERT_TRUE(t.F->Lance("MeHerisson", false));
  QApplication::processEvents();
  EXPECT_EQ(SegmentsVisibles(v.Liste()), sans);
}

TEST(Avis, InstantHydrostaticsFollowTheTransformationsWindow) {
  FenetreTest t;
  TDocument& d = t.Doc();
  ASSERT_TRUE(t.F->Lance("MeHydroInstantanee", true));
  QApplication::processEvents();
  TPanneauHydro* panneau = t.F->Edition()->Panneau();
  ASSERT_TRUE(panneau->isVisible());
  const QString avant = panneau->Texte(0);
  ASSERT_TRUE(t.F->Lance("MeSurfTransformations"));
  auto* tr = t.F->findChild<TTransForm*>("TransForm");
  ASSERT_NE(tr, nullptr);
  tr->Pages->setCurrentIndex(0);
  tr->Depl[2]->setText("-0.05");
  QTest::mouseClick(tr->BtnAppliquer, Qt::LeftButton);
  const QString attendu = QString::fromStdString(Format("%.0f", CalcHydroInstant(d).Deplacement));
  ASSERT_NE(attendu, avant) << "moved down, the hull displaces more";
  // The panel is brought up to date at the next turn of the event loop.
  EXPECT_TRUE(QTest::qWaitFor([&] { return panneau->Texte(0) == attendu; }, 2000))
      << panneau->Texte(0).toStdString() << " instead of " << attendu.toStdString();
  tr->close();
}

TEST(Avis, StatusBarNamesTheVertexAClickMadeCurrent) {
  FenetreTest t;
  t.F->ActiveVue(tvPlan, false);
  TFormFille& v = t.Vue(tvPlan);
  v.Redessine();
  const TPC pc{0, 2, 1};
  ASSERT_NE(t.Doc().PCCourant, pc);
  QTest::mouseClick(&v, Qt::LeftButton, {}, Pt(v, pc));
  ASSERT_EQ(t.Doc().PCCourant, pc);
  EXPECT_EQ(t.F->Panneau(1)->text().toStdString(),
            Format(rs("rsStatusVx"), t.Doc().Surf(0).Nom.c_str(), pc.NumLn, pc.NumCol));
}

TEST(Avis, SelectionsOfEveryViewFollowAnInsertedRow) {
  FenetreTest t;
  t.F->ActiveVue(tvSection, false);
  TFormFille& v = t.Vue(tvSection);
  v.Redessine();
  // Selected in the plan view: a vertex of row 2 and one of row 0.
  t.Vue(tvPlan).Selection = {{0, 2, 1}, {0, 0, 0}};
  TSelectionVue(t.Vue(tvPlan).Tab, t.Vue(tvPlan).Selection).Repare(t.Doc());
  ChangeCurrentPC(t.Doc(), {0, 2, 1});
  const TVertex3f avant = VertexDe(t.Doc(), {0, 2, 1})->V();
  t.A("MeAjoutLigne")->trigger();
  QTest::mouseClick(&v, Qt::LeftButton, {}, (Pt(v, {0, 1, 1}) + Pt(v, {0, 2, 1})) / 2);
  ASSERT_EQ(t.Doc().SurfNurbs(0)->Net.NbLn, 4);
  // The row went in at index 2: the old row 2 is now row 3, and the selection names it still,
  // in the list and in the markers drawn.
  EXPECT_EQ(t.Vue(tvPlan).Selection, (TListPC{{0, 3, 1}, {0, 0, 0}}));
  EXPECT_EQ(t.Vue(tvPlan).Tab.Etat[0][3][1], epSelectionne);
  EXPECT_NE(t.Vue(tvPlan).Tab.Etat[0][2][1], epSelectionne);
  const TVertex3f apres = VertexDe(t.Doc(), {0, 3, 1})->V();
  EXPECT_EQ(apres.X, avant.X);
  EXPECT_EQ(apres.Y, avant.Y);
  EXPECT_EQ(apres.Z, avant.Z);
  // Removing that row again drops the vertices it held from the selections.
  t.Vue(tvPlan).Selection = {{0, 2, 1}, {0, 3, 1}};
  ChangeCurrentPC(t.Doc(), {0, 2, 1});
  ASSERT_EQ(SupprPC(t.Doc()), TResultatNet::Ok);
  EXPECT_EQ(t.Vue(tvPlan).Selection, (TListPC{{0, 2, 1}}));
}

}  // namespace
