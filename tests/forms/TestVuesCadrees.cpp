// The views keep the hull in sight through what a designer does first: open a
// sample, start a new document, centre, choose a preset, cascade and tile the
// windows, maximise and restore a view. With BRIVANE_CAPTURES set to a folder each
// step also leaves its picture there.
#include <gtest/gtest.h>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QTest>
#include <cstdlib>
#include <set>

#include "Fenetre.h"
#include "document/GestFich.h"
#include "edition/Cadrage.h"

namespace {

void Capture(FenetreTest& t, const char* nom) {
  const char* dossier = std::getenv("BRIVANE_CAPTURES");
  if (!dossier) return;
  QApplication::processEvents();
  t.F->grab().save(QString(dossier) + "/" + nom + ".png", "PNG");
}

// How many vertices of the visible nets (mirror halves included) land inside the view.
struct TCompte {
  int Dedans = 0, Total = 0;
};
TCompte Compte(FenetreTest& t, int type) {
  TFormFille& v = t.Vue(type);
  TCompte c;
  for (const auto& e : t.Doc().TabSurf) {
    const auto* s = dynamic_cast<const TSurface*>(e.get());
    if (!s || !s->Visible) continue;
    for (int i = 0; i < s->Net.NbLn; i++)
      for (int j = 0; j < s->Net.NbCol; j++)
        for (TVertex3f p : {s->Net.PC[i][j].V(), CalcSym(s->Net.PC[i][j].V(), s->PlanSym.Plan())}) {
          TPixel px;
          Pt3DVersEcran(p, px, v.Cadrage.Param);
          c.Total++;
          if (px.X >= 0 && px.Y >= 0 && px.X < v.width() && px.Y < v.height()) c.Dedans++;
        }
  }
  return c;
}

void ToutEnVue(FenetreTest& t, const char* etape) {
  QApplication::processEvents();
  for (int type = tvSection; type <= tvPersp; type++) {
    if (t.F->SousFenetre(type)->isMinimized()) continue;
    TCompte c = Compte(t, type);
    EXPECT_GT(c.Total, 0);
    EXPECT_EQ(c.Dedans, c.Total) << etape << ", view " << type;
  }
}

struct FenetreVoilier : FenetreTest {
  FenetreVoilier() {
    Disque.Fichiers["/bateaux/voilier.kvb"] = [](TDocument& d) {
      ASSERT_TRUE(::OuvrirFichier(d, std::string(BRIVANE_SAMPLES) + "/Voilier11.kvb"));
    };
    Reponses = {mrYes};
    Choix = {"/bateaux/voilier.kvb"};
    EXPECT_TRUE(F->Ouvrir());
    QApplication::processEvents();
  }
};

TEST(ViewsInSight, StartOpenAndNewFitTheViews) {
  {
    // A start without a file frames the first surface.
    FenetreTest t;
    ToutEnVue(t, "start");
    Capture(t, "01-demarrage");
  }
  FenetreVoilier t;
  ToutEnVue(t, "open");
  Capture(t, "02-ouvert");
  ASSERT_TRUE(t.F->Nouveau());
  ToutEnVue(t, "new");
  // The new surface fills its views, not the corner the yacht's scale left it.
  TCompte c = Compte(t, tvPlan);
  EXPECT_EQ(c.Dedans, c.Total);
  Capture(t, "03-nouveau");
}

TEST(ViewsInSight, CentreAndPresetsKeepTheBowInView) {
  FenetreVoilier t;
  for (int type : {tvPlan, tvProfil, tvPersp}) {
    t.F->ActiveVue(type, false);
    TFormFille& v = t.Vue(type);
    v.Cadrage.Deplace(700, -500);
    t.A("MeRecentrer")->trigger();
    ToutEnVue(t, "recentre");
  }
  Capture(t, "04-recentre");
  TFormFille& p = t.Vue(tvPersp);
  for (const TPresetPersp& pr : PresetsPersp) {
    // What the "3D Express" entries do; the pop-up menu itself waits for a click.
    p.Cadrage.Angles(pr.Azimut, pr.Elevation);
    p.Cadrage.CentreOuAjuste(t.Doc(), false, 2500);
    p.Redessine();
    ToutEnVue(t, pr.Nom);
  }
  p.Cadrage.Angles(PresetsPersp[0].Azimut, PresetsPersp[0].Elevation);
  p.Cadrage.CentreModele(t.Doc(), false);
  p.Redessine();
  Capture(t, "05-preset");
}

TEST(ViewsInSight, CascadeTilingAndMaximiseKeepUsableFittedViews) {
  FenetreVoilier t;
  const QRect zone = t.F->Zone()->viewport()->rect();
  t.A("MeCascade")->trigger();
  QApplication::processEvents();
  for (int type = tvSection; type <= tvPersp; type++) {
    EXPECT_GE(t.F->SousFenetre(type)->width(), 320);
    EXPECT_GE(t.F->SousFenetre(type)->height(), 240);
    EXPECT_LE(t.F->SousFenetre(type)->geometry().right(), zone.right() + 1);
  }
  ToutEnVue(t, "cascade");
  Capture(t, "06-cascade");

  t.A("MeMosaiqueH")->trigger();
  QApplication::processEvents();
  std::set<int> lignes;
  for (int type = tvSection; type <= tvPersp; type++) {
    EXPECT_EQ(t.F->SousFenetre(type)->width(), zone.width());
    lignes.insert(t.F->SousFenetre(type)->y());
  }
  EXPECT_EQ(lignes.size(), 4u);
  ToutEnVue(t, "tile rows");
  Capture(t, "07-mosaique-horizontale");

  t.A("MeMosaiqueV")->trigger();
  QApplication::processEvents();
  std::set<int> colonnes;
  for (int type = tvSection; type <= tvPersp; type++) {
    EXPECT_EQ(t.F->SousFenetre(type)->height(), zone.height());
    colonnes.insert(t.F->SousFenetre(type)->x());
  }
  EXPECT_EQ(colonnes.size(), 4u);
  ToutEnVue(t, "tile columns");
  Capture(t, "08-mosaique-verticale");

  // Maximised, the view frames the hull at its new size; restored, again.
  QMdiSubWindow* s = t.F->SousFenetre(tvProfil);
  const float avant = t.Vue(tvProfil).Cadrage.Param.Echelle;
  s->showMaximized();
  QApplication::processEvents();
  QApplication::processEvents();
  EXPECT_GT(t.Vue(tvProfil).Cadrage.Param.Echelle, avant);
  TCompte c = Compte(t, tvProfil);
  EXPECT_EQ(c.Dedans, c.Total);
  Capture(t, "09-maximise");
  s->showNormal();
  QApplication::processEvents();
  QApplication::processEvents();
  EXPECT_NEAR(t.Vue(tvProfil).Cadrage.Param.Echelle, avant, avant * 0.02);
  c = Compte(t, tvProfil);
  EXPECT_EQ(c.Dedans, c.Total);
}

}  // namespace
