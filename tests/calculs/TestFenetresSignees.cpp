// The calculation windows opened from the main window's menus, as a naval architect
// uses them: the hydrostatic table's default rows, the progress of the long runs, a
// total weight that cannot be used, and the thickness that must not weigh twice.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <numbers>

#include "Aide.h"
#include "base/Chaines.h"
#include "forms/Fenetre.h"
#include "naval/Barge.h"
#include "naval/Poids.h"
#include "naval/forms/AireForm.h"
#include "naval/forms/DevSurfForm.h"
#include "naval/forms/HydrostatForm.h"
#include "naval/forms/StabForm.h"
#include "ui/Graphe.h"

namespace {

std::string Echantillon(const char* nom) { return std::string(BRIVANE_SAMPLES) + "/" + nom; }

// Runs a menu command that opens a modal window, and f on that window once it shows.
template <typename W>
bool DansLaFenetre(FenetreTest& t, const char* commande, const std::function<void(W&)>& f) {
  bool vu = false;
  QTimer::singleShot(0, [&] {
    auto* w = dynamic_cast<W*>(QApplication::activeModalWidget());
    if (!w) return;
    vu = true;
    f(*w);
    static_cast<QDialog*>(w)->reject();
  });
  t.A(commande)->trigger();
  return vu;
}

// The lowest and highest grid points of the surfaces in the calculations.
std::pair<double, double> Hauteurs(const TDocument& doc) {
  double bas = HUGE_VAL, haut = -HUGE_VAL;
  for (int k = 0; k < doc.NbSurf(); k++) {
    if (!doc.Surf(k).Calc) continue;
    for (const auto* g : {&doc.Surf(k).Pts, &doc.Surf(k).PtsSym})
      for (const auto& l : *g)
        for (const auto& p : l) bas = std::min(bas, p.Z), haut = std::max(haut, p.Z);
  }
  return {bas, haut};
}

TEST(FenetresSignees, LaTableHydrostatiqueCouvreLesTirantsEtPasseParLaFlottaison) {
  TLigneCommande lc;
  lc.Fichier = Echantillon("Voilier11.kvb");
  FenetreTest t(lc, true);
  ASSERT_GT(t.Doc().NbSurf(), 0);
  std::vector<int> progres;
  const bool vu = DansLaFenetre<THydrostatForm>(t, "MeHydrostatique", [&](THydrostatForm& h) {
    MajSurface(t.Doc(), true, -1);
    const auto [bas, haut] = Hauteurs(t.Doc());
    ASSERT_LT(bas, 0);
    auto* barre = h.findChild<QProgressBar*>("ProgresTable");
    ASSERT_NE(barre, nullptr);
    QObject::connect(barre, &QProgressBar::valueChanged, [&](int v) { progres.push_back(v); });
    h.BtnCalculerClick();
    const double V = h.Resultats().P.V;
    ASSERT_EQ(h.CalculeTable(), "");
    const auto& table = h.Table();
    ASSERT_GE(table.size(), 10u);
    // The first row a tenth of the depth above the keel, ten steps down to the waterline.
    EXPECT_NEAR(table.front().Z, bas - bas / 10, 1e-4);
    EXPECT_NEAR(table.front().Tirant, -bas / 10, 1e-4);
    int flottaison = -1;
    for (size_t i = 0; i < table.size(); i++) {
      EXPECT_GT(table[i].Tirant, 0) << i;
      EXPECT_LE(table[i].Z, haut) << i;
      if (table[i].Z == 0) flottaison = static_cast<int>(i);
    }
    ASSERT_EQ(flottaison, 9);
    // That row is the window's own waterline.
    EXPECT_NEAR(table[9].P.V, V, 1e-9 * V);
    EXPECT_EQ(h.GrilleTable->item(9, 0)->text(), "0.0000");
  });
  ASSERT_TRUE(vu);
  // The bar followed the rows up to the end.
  ASSERT_FALSE(progres.empty());
  EXPECT_EQ(progres.back(), 100);
  EXPECT_TRUE(std::is_sorted(progres.begin(), progres.end()));
}

TEST(FenetresSignees, UnPoidsTotalInutilisableEstDitSansCalculer) {
  TLigneCommande lc;
  lc.Fichier = Echantillon("Voilier11.kvb");
  FenetreTest t(lc, true);
  ASSERT_GT(t.Doc().NbSurf(), 0);
  // The surfaces' weights and a ballast that cancels them to a gram: no centre of gravity.
  MajSurface(t.Doc(), true, -1);
  MajTotalPoids(t.Doc());
  const double m = t.Doc().PoidsTotal.Masse;
  ASSERT_GT(m, 0);
  TPoids p;
  p.Nom = "Contre";
  p.Masse = -(m - 0.001);
  p.X = 0, p.Y = 3, p.Z = 1;
  t.Doc().ListePoids.push_back(p);
  MajTotalPoids(t.Doc());
  const std::string attendu = DefautPoidsTotal(t.Doc());
  ASSERT_FALSE(attendu.empty());
  const auto calcule = [&](TStabForm& f) {
    t.Messages.clear();
    f.BtnCalculer->click();
    ASSERT_EQ(t.Messages.size(), 1u);
    EXPECT_EQ(t.Messages[0], attendu);
    EXPECT_TRUE(f.Stab.Etapes.empty());
  };
  ASSERT_TRUE(DansLaFenetre<TStabForm>(t, "MeStabilite", calcule));
  // Negative: said as negative, not as a missing weight; adjusting the weight does not hide it.
  t.Doc().ListePoids.back().Masse = -2 * m;
  MajTotalPoids(t.Doc());
  const std::string negatif = DefautPoidsTotal(t.Doc());
  ASSERT_NE(negatif, rs("rsStabPoidsManquant"));
  ASSERT_TRUE(DansLaFenetre<TStabForm>(t, "MeStabilite", [&](TStabForm& f) {
    f.RBDeplacement->setChecked(true);
    f.findChild<QPushButton*>("BtnAjusterCondInit")->click();
    ASSERT_GT(f.Stab.Poids.Valeur, 0);
    t.Messages.clear();
    f.BtnCalculer->click();
    ASSERT_EQ(t.Messages.size(), 1u);
    EXPECT_EQ(t.Messages[0], negatif);
    EXPECT_TRUE(f.Stab.Etapes.empty());
  }));
  // Without that ballast the same window computes.
  t.Doc().ListePoids.pop_back();
  ASSERT_TRUE(DansLaFenetre<TStabForm>(t, "MeStabilite", [&](TStabForm& f) {
    f.EdAngleMax->setText("30");
    f.EdPas->setText("10");
    std::vector<int> progres;
    QObject::connect(f.Progres, &QProgressBar::valueChanged, [&](int v) { progres.push_back(v); });
    t.Messages.clear();
    f.BtnCalculer->click();
    EXPECT_TRUE(t.Messages.empty());
    EXPECT_EQ(f.Stab.Etapes.size(), 4u);
    // The bar runs twice from zero to the end: the sweep shown, then the criteria's own sweep.
    ASSERT_FALSE(progres.empty());
    EXPECT_EQ(progres.back(), 100);
    const auto fin = std::find(progres.begin(), progres.end(), 100);
    ASSERT_NE(fin, progres.end());
    const auto reprise = std::find(fin, progres.end(), 0);
    ASSERT_NE(reprise, progres.end()) << "the criteria's sweep starts from zero";
    EXPECT_TRUE(std::any_of(reprise, progres.end(), [](int v) { return v > 0 && v < 100; }));
  }));
}

TEST(FenetresSignees, UneEpaisseurNePesePasDeuxFois) {
  TLigneCommande lc;
  lc.Fichier = Echantillon("Canot52.kvb");
  FenetreTest t(lc, true);
  ASSERT_GT(t.Doc().NbSurf(), 0);
  ASSERT_LT(t.Doc().NbSurf(), 3);
  MajSurface(t.Doc(), true, -1);
  MajTotalPoids(t.Doc());
  const double avant = t.Doc().PoidsTotal.Masse;
  const int n = t.Doc().NbSurf();
  t.A("MeSurfEpaisseur")->trigger();
  auto* e = t.F->findChild<TEpaisseurForm*>("EpaisseurForm");
  ASSERT_NE(e, nullptr);
  ASSERT_TRUE(e->isVisible());
  EXPECT_FALSE(e->CBPoids->isChecked());
  e->Liste->setCurrentRow(0);
  e->Liste->item(0)->setSelected(true);
  // Half a metre the wrong way: refused, nothing made.
  e->Epaisseur->setText("-0.5");
  t.Messages.clear();
  e->accept();
  ASSERT_EQ(t.Messages.size(), 1u);
  EXPECT_EQ(t.Messages[0], rs("rsEpaisseurNegative"));
  EXPECT_EQ(t.Doc().NbSurf(), n);
  // Twelve millimetres: a new surface, and the total weight as it was.
  e->Epaisseur->setText("0.012");
  t.Messages.clear();
  e->accept();
  EXPECT_TRUE(t.Messages.empty());
  ASSERT_EQ(t.Doc().NbSurf(), n + 1);
  MajTotalPoids(t.Doc());
  EXPECT_EQ(t.Doc().Surf(n).Poids.Masse, 0);
  EXPECT_NEAR(t.Doc().PoidsTotal.Masse, avant, 1e-9 * avant);
}

}  // namespace

namespace {

// The letter after the single '&' of a caption, lower case ("" without one).
QString Mnemonique(const QString& texte) {
  for (qsizetype i = 0; i + 1 < texte.size(); i++) {
    if (texte[i] != '&') continue;
    if (texte[i + 1] == '&') {
      i++;
      continue;
    }
    return texte.mid(i + 1, 1).toLower();
  }
  return {};
}

TEST(FenetresSignees, LesCommandesDuMenuSurfacesOntChacuneLeurLettre) {
  FenetreTest t;
  QAction* surfaces = t.F->Action("MeSurfaces");
  ASSERT_NE(surfaces, nullptr);
  ASSERT_NE(surfaces->menu(), nullptr);
  std::map<QString, QString> vues;
  for (QAction* a : surfaces->menu()->actions()) {
    if (a->isSeparator() || !a->isVisible()) continue;
    const QString m = Mnemonique(a->text());
    if (m.isEmpty()) continue;
    const auto [it, nouveau] = vues.emplace(m, a->text());
    EXPECT_TRUE(nouveau) << a->text().toStdString() << " and " << it->second.toStdString();
  }
  EXPECT_GE(vues.size(), 10u);
}

}  // namespace

namespace {

TEST(FenetresSignees, UneSaisieQuiNeSeLitPasNommeSonChamp) {
  TLigneCommande lc;
  lc.Fichier = Echantillon("Canot52.kvb");
  FenetreTest t(lc, true);
  ASSERT_LT(t.Doc().NbSurf(), 4);
  ASSERT_TRUE(DansLaFenetre<TStabForm>(t, "MeStabilite", [&](TStabForm& f) {
    const std::pair<QLineEdit*, const char*> champs[] = {
        {f.EdAngleMax, "Angle de gite Max"}, {f.EdPas, "Pas de calcul"}, {f.EdDensite, "Densité de l'eau"}};
    for (const auto& [e, nom] : champs) {
      const QString avant = e->text();
      e->setText("5x");
      t.Messages.clear();
      f.BtnCalculer->click();
      ASSERT_EQ(t.Messages.size(), 1u) << nom;
      EXPECT_NE(t.Messages[0].find(nom), std::string::npos) << t.Messages[0];
      EXPECT_NE(t.Messages[0].find("'5x'"), std::string::npos) << t.Messages[0];
      EXPECT_TRUE(f.Stab.Etapes.empty());
      e->setText(avant);
    }
  }));
  t.A("MeSurfEpaisseur")->trigger();
  auto* e = t.F->findChild<TEpaisseurForm*>("EpaisseurForm");
  ASSERT_NE(e, nullptr);
  e->Liste->setCurrentRow(0);
  e->Liste->item(0)->setSelected(true);
  e->Epaisseur->setText("1,2x");
  t.Messages.clear();
  e->accept();
  ASSERT_EQ(t.Messages.size(), 1u);
  EXPECT_NE(t.Messages[0].find("Épaisseur [m]"), std::string::npos) << t.Messages[0];
  e->reject();
}

}  // namespace

namespace {

// A box barge: GM = KB + BM - KG = T/2 + B²/(12 T) - KG, the slope of the tangent drawn.
TEST(FenetresSignees, LaCourbeGZPorteLaTangenteGM) {
  EnregistreMessages m;
  const double B = 6, L = 20, T = 1.5, D = 3, KG = 2;
  TDocument doc;
  AjouteBargeFermee(doc, B, L, T, D, 24);
  MajSurface(doc, true, -1);
  TStabForm f(doc);
  f.Stab.Poids.Centre.Z = KG - T;
  f.EdAngleMax->setText("60");
  f.EdPas->setText("10");
  ASSERT_EQ(f.Calculer(), "");
  const double gm = T / 2 + B * B / (12 * T) - KG;
  ASSERT_GE(f.CourbeGZ->NbSeries(), 2);
  const TGraphe::TPoints& t = f.CourbeGZ->Serie(1);
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0], (std::pair<double, double>{0, 0}));
  EXPECT_NEAR(t[1].second / (t[1].first * std::numbers::pi / 180), gm, 1e-3 * gm);
  EXPECT_LE(t[1].first, 180 / std::numbers::pi + 1e-9);
  // The moment curve has none.
  f.RBMoment->setChecked(true);
  EXPECT_EQ(f.CourbeGZ->NbSeries(), 1);
}

}  // namespace

namespace {

// A box barge (0 <= Y <= 20, 1.5 m deep) and a flat sail of 4 x 6 m centred at Y = 12, Z = 8:
// the lateral plane is the barge's side, centre Y 10 and Z -0.75; the lead is 2 m.
TEST(FenetresSignees, LePlanDeVoilureDonneLeCentreLateralEtLAvance) {
  FenetreTest t;
  TDocument& doc = t.Doc();
  doc.Vider();
  AjouteBargeFermee(doc, 6, 20, 1.5, 3, 12);
  auto v = std::make_unique<TDXFSurface>(doc.NbSurf(), 2, 2);
  v->Nom = "Voile";
  v->Pts[0][0] = {0, 10, 5}, v->Pts[0][1] = {0, 14, 5};
  v->Pts[1][0] = {0, 10, 11}, v->Pts[1][1] = {0, 14, 11};
  v->Sym = false, v->Voile = true, v->Calc = false;
  v->CreateTabCoupes(doc.Grille.NbSec, doc.Grille.NbLE, doc.Grille.NbLong, doc.Grille.NbDiag);
  doc.TabSurf.push_back(std::move(v));
  MajSurface(doc, true, -1);
  t.A("MeSurfaceVoiles")->trigger();
  auto* f = t.F->findChild<TAiresVoilesForm*>();
  ASSERT_NE(f, nullptr);
  ASSERT_NE(f->Equilibre, nullptr);
  const QString e = f->Equilibre->text();
  EXPECT_TRUE(e.contains("aire 30.000 m², Y 10.000 m, Z -0.750 m")) << e.toStdString();
  EXPECT_TRUE(e.contains(": 2.000 m")) << e.toStdString();
  // The grid keeps its rows: the sail, then the total.
  ASSERT_EQ(f->Grille()->rowCount(), 2);
  EXPECT_EQ(f->Grille()->item(1, 1)->text(), "24.000");
  EXPECT_EQ(f->Grille()->item(1, 3)->text(), "12.000");
  f->close();
}

}  // namespace
