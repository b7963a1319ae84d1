// The main window's command table: every command is there with its caption and
// shortcut (the menus already show the whole program), and each command that this
// build enables does what it says.
#include <gtest/gtest.h>

#include <QActionGroup>
#include <QClipboard>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "Fenetre.h"
#include "app/forms/Dialogues.h"
#include "views/Cadrage.h"

namespace {

struct Cmd {
  const char* Nom;
  const char* Caption;
  const char* Raccourci;
};

// Captions and shortcuts as the program's users know them.
const Cmd Table[] = {
    {"MeNouveau", "&Nouveau", "Ctrl+N"},
    {"MeOuvrir", "&Ouvrir...", "Ctrl+O"},
    {"MeFermer", "&Fermer", ""},
    {"MeEnregistrer", "&Enregistrer", "Ctrl+S"},
    {"MeEnregistrerSous", "En&registrer sous...", ""},
    {"MeExportSurfaces", "Surfaces", ""},
    {"MeExportDXF", "DXF", ""},
    {"MeExportIGES", "IGES", ""},
    {"MeExportTexte", "Texte QZ", ""},
    {"MeImprimer", "&Imprimer...", "Ctrl+I"},
    {"MeConfigImpression", "&Configuration de l'impression...", ""},
    {"MeProprietes", "&Propriétés...", ""},
    {"MeQuitter", "&Quitter", "Ctrl+Q"},
    {"MeAnnuler", "&Annuler", "Ctrl+Z"},
    {"MeRefaire", "&Refaire ", "Ctrl+Y"},
    {"MeCopier", "&Copier", ""},
    {"MeZoom", "&Zoom", "Ctrl+E"},
    {"MeAgrandir", "A&grandir", ""},
    {"MeReduire", "&Réduire", "Ctrl+R"},
    {"MeVuePrecedente", "Vue &précédente", "Ctrl+P"},
    {"MeDeplacer", "&Déplacer", "Ctrl+D"},
    {"MeAjuster", "&Ajuster", "Ctrl+A"},
    {"MeRecentrer", "Re&centrer", "Ctrl+M"},
    {"MeVuePerso", "&Vue personnalisée", ""},
    {"MeSauverVue", "&Sauver la vue", ""},
    {"MeControleVues", "&Contrôle des vues", ""},
    {"MeBarreStandard", "Standa&rd", ""},
    {"MeBoiteOutils", "&Boite à outils", ""},
    {"MeCarene", "&Carène", ""},
    {"MeReseau", "&Réseau de vertex", ""},
    {"MeBasePlanSym", "Base du plan de symétrie", ""},
    {"MeMoitie", "&Moitié", ""},
    {"MeScinder", "Sc&inder", ""},
    {"MeCouples", "Co&uples", ""},
    {"MeLignesEau", "&Lignes d'eau", ""},
    {"MeLongitudinales", "L&ongitudinales", ""},
    {"MeDiagonales", "&Diagonales", ""},
    {"MeSurfParam", "S&urface paramétrique", ""},
    {"MeGrille", "&Grille", ""},
    {"MeOrientation", "Orientation des surfaces", ""},
    {"MeHerisson", "Hérisson", ""},
    {"MePoids", "Poids et Ballasts", ""},
    {"MeCentreVoilure", "Centre de Voilure", ""},
    {"MeCotes", "C&otes", ""},
    {"MeAxes", "Axes", ""},
    {"MeReperes", "Repères", ""},
    {"MePtsEnvahissement", "Points d'envahissement", ""},
    {"MeImageFond", "&Image de fond", ""},
    {"MeAjoutLigne", "&Ajouter une ligne", "Ctrl+Ins"},
    {"MeSupprLigne", "&Supprimer une ligne", "Ctrl+Del"},
    {"MeGrouperPlan", "Grouper dans le &plan", ""},
    {"MeGrouperEspace", "Grouper dans l'&espace", ""},
    {"MeAlignerPlan", "A&ligner dans le plan", ""},
    {"MeAlignerEspace", "Ali&gner dans l'espace", ""},
    {"MeTranslationH", "Horizontale", "F5"},
    {"MeTranslationV", "Verticale", "F6"},
    {"MeSouder", "S&ouder", ""},
    {"MeDessouder", "Desso&uder", ""},
    {"MeSelectTous", "&Sélectionner tous", "Ctrl+W"},
    {"MeSelectionVertex", "Sélection des verte&x", ""},
    {"MeEditeurVertex", "&Editeur de vertex", ""},
    {"MeListeVertex", "Liste des Verte&x", ""},
    {"MeSurfAjouter", "&Ajouter...", ""},
    {"MeSurfSupprimer", "&Supprimer", ""},
    {"MeSurfDupliquer", "&Dupliquer", ""},
    {"MeSurfEpaisseur", "Ajouter une &épaisseur", ""},
    {"MeSurfRenommer", "&Renommer", ""},
    {"MeSurfProprietes", "&Propriétés...", ""},
    {"MeSurfVisibilite", "&Visibilité...", ""},
    {"MeSurfVerrouillage", "Ve&rrouillage...", ""},
    {"MeSurfTransformations", "&Transformations...", ""},
    {"MeSurfDeveloppement", "&Développement...", ""},
    {"MePrecFaible", "Faible", ""},
    {"MePrecMoyenne", "Moyenne", ""},
    {"MePrecBonne", "Bonne", ""},
    {"MePrecTresBonne", "Très bonne", ""},
    {"MePrecPerso", "Personnalisée...", ""},
    {"MeMesMetre", "Mètre", ""},
    {"MeMesRayon", "Rayon", ""},
    {"MeMesAngle", "Angle", ""},
    {"MeCotMetre", "Mètre", ""},
    {"MeCotRayon", "Rayon", ""},
    {"MeCotAngle", "Angle", ""},
    {"MeListeCotes", "&Liste des cotes...", ""},
    {"MeAjoutRepere", "&Ajout d'un repère", ""},
    {"MeImportReperes", "Import de repères...", ""},
    {"MeListeReperes", "Liste des &repères...", ""},
    {"MeImagesFond", "&Images de fond d'écran...", ""},
    {"MeCalculatrice", "C&alculatrice", ""},
    {"MeOptions", "&Options...", ""},
    {"MeVexrun", "Vexrun", ""},
    {"MeEspacementGrille", "&Espacement Grille...", ""},
    {"MeTaille", "&Taille...", ""},
    {"MeTableauCotes", "Tableau de &cotes", ""},
    {"MeAjoutBallast", "Ajout de &ballast", ""},
    {"MeDevisPoids", "&Devis de poids...", ""},
    {"MeListeEnvahissement", "Liste des points d'en&vahissement...", ""},
    {"MeHydrostatique", "Calculs &hydrostatiques...", ""},
    {"MeStabilite", "Calculs de &stabilité...", ""},
    {"MeAires", "Calcul des &aires...", ""},
    {"MeSurfaceVoiles", "Surface des v&oiles", ""},
    {"MePorteeCalculs", "&Portée des calculs...", ""},
    {"MeControleFacettes", "Contrôle des &facettes", ""},
    {"MeVueSection", "Vue &transversale", ""},
    {"MeVuePlan", "Vue en &plan", ""},
    {"MeVueProfil", "Vue de pro&fil", ""},
    {"MeVuePersp", "Vue en pe&rspective", ""},
    {"MeStudio", "&Studio", ""},
    {"MeMosaiqueH", "&Mosaïque Horiz.", ""},
    {"MeMosaiqueV", "M&ozaïque Vert.", ""},
    {"MeCascade", "&Cascade", ""},
    {"MeReorganiser", "&Réorganiser les icones", ""},
    {"MeDebug", "&Debug", ""},
    {"MeTraduction", "Traduction", ""},
    {"MeGuide", "&Guide de l'utilisateur", ""},
    {"MeAPropos", "A &propos...", ""},
};

TEST(Commands, EveryCommandIsAnActionWithItsCaptionAndShortcut) {
  FenetreTest t;
  t.F->ActiveVue(tvSection, false);  // the vertex items are named after the active view
  for (const Cmd& c : Table) {
    QAction* a = t.A(c.Nom);
    if (!a) continue;
    EXPECT_EQ(a->text().toStdString(), c.Caption) << c.Nom;
    EXPECT_EQ(a->shortcut(), QKeySequence(QString::fromLatin1(c.Raccourci))) << c.Nom;
  }
  // The menu bar holds the eleven menus in order.
  QStringList menus;
  for (QAction* a : t.F->menuBar()->actions()) menus << a->text();
  EXPECT_EQ(menus, (QStringList{"&Fichier", "&Edition", "&Voir", "&Affichage", "Verte&x", "&Surfaces", "&Outils",
                                "&Données", "Fe&nêtre", "&?"}));
  for (const char* sm : {"MeDerniers", "MeExport", "MeBarresIcones", "MeTranslation", "MePrecision", "MeMesures",
                         "MeCotations"})
    EXPECT_NE(t.F->findChild<QMenu*>(sm), nullptr) << sm;
}

TEST(Commands, CheckAndRadioItemsStartAsDescribed) {
  FenetreTest t;
  for (const char* n : {"MeCarene", "MeReseau", "MePoids", "MeCentreVoilure", "MeCotes", "MeAxes", "MeReperes",
                        "MePtsEnvahissement", "MeImageFond", "MeBarreStandard", "MePrecMoyenne"}) {
    EXPECT_TRUE(t.A(n)->isCheckable()) << n;
    EXPECT_TRUE(t.A(n)->isChecked()) << n;
  }
  for (const char* n : {"MeBasePlanSym", "MeMoitie", "MeScinder", "MeCouples", "MeLignesEau", "MeLongitudinales",
                        "MeDiagonales", "MeSurfParam", "MeGrille", "MeOrientation", "MeHerisson", "MeZoom",
                        "MeDeplacer", "MeAjoutLigne", "MeSupprLigne", "MeTranslationH", "MeTranslationV",
                        "MeAjoutRepere", "MeAjoutBallast", "MeSelectionVertex", "MeMesMetre", "MeCotAngle"}) {
    EXPECT_TRUE(t.A(n)->isCheckable()) << n;
    EXPECT_FALSE(t.A(n)->isChecked()) << n;
  }
  // "&Image de fond" waits for a background image.
  EXPECT_FALSE(t.A("MeImageFond")->isEnabled());
  // Precision and window items are radio groups; the six measures exclude each other.
  ASSERT_NE(t.A("MePrecBonne")->actionGroup(), nullptr);
  EXPECT_TRUE(t.A("MePrecBonne")->actionGroup()->isExclusive());
  EXPECT_EQ(t.A("MeVuePlan")->actionGroup(), t.A("MeStudio")->actionGroup());
  t.A("MeMesMetre")->setEnabled(true), t.A("MeCotRayon")->setEnabled(true);
  t.A("MeMesMetre")->trigger();
  t.A("MeCotRayon")->trigger();
  EXPECT_FALSE(t.A("MeMesMetre")->isChecked());
  t.A("MeCotRayon")->trigger();
  EXPECT_FALSE(t.A("MeCotRayon")->isChecked());  // all may be off
  // Debug items only in debug mode; the resistance program only when enabled.
  EXPECT_FALSE(t.A("MeDebug")->isVisible());
  EXPECT_FALSE(t.A("MeVexrun")->isVisible());
  TLigneCommande debug;
  debug.Debug = true;
  FenetreTest d(debug);
  EXPECT_TRUE(d.A("MeDebug")->isVisible());
  EXPECT_TRUE(d.A("MeTraduction")->isVisible());
}

TEST(Commands, CommandsOfLaterWorkAreShownDisabled) {
  FenetreTest t;
  for (const char* n : {"MeAnnuler", "MeRefaire", "MeImprimer", "MeExportDXF", "MeSurfAjouter", "MeHydrostatique",
                        "MeStudio", "MeSouder", "MeOptions", "MePrecPerso"}) {
    EXPECT_FALSE(t.A(n)->isEnabled()) << n;
    EXPECT_TRUE(t.A(n)->isVisible()) << n;
  }
  // Their tool-bar and toolbox buttons follow.
  auto* b = t.F->BarreOutils()->findChild<QToolButton*>("SBHydro");
  ASSERT_NE(b, nullptr);
  EXPECT_FALSE(b->isEnabled());
  EXPECT_EQ(b->toolTip(), "Calculs hydrostatiques");
  int boutons = 0;
  for (auto* b : t.F->BarreOutils()->findChildren<QToolButton*>()) boutons += b->objectName().startsWith("SB");
  EXPECT_EQ(boutons, 32);
}

TEST(Commands, ViewCommandsActOnTheActiveView) {
  FenetreTest t;
  t.F->ActiveVue(tvPlan, false);
  TCadrage& c = t.Vue(tvPlan).Cadrage;
  float e0 = c.Param.Echelle, autre = t.Vue(tvProfil).Cadrage.Param.Echelle;
  t.A("MeAgrandir")->trigger();
  EXPECT_FLOAT_EQ(c.Param.Echelle, e0 * 1.3f);
  t.A("MeReduire")->trigger();
  EXPECT_NEAR(c.Param.Echelle, e0, 1e-3);
  t.A("MeAgrandir")->trigger();
  t.A("MeVuePrecedente")->trigger();
  EXPECT_NEAR(c.Param.Echelle, e0, 1e-3);
  t.A("MeVuePrecedente")->trigger();
  EXPECT_FLOAT_EQ(c.Param.Echelle, e0 * 1.3f);
  // Recentred, the model's middle comes to the window's centre, whatever its origin.
  c.Param.OrigineX = 3;
  t.A("MeRecentrer")->trigger();
  const TVertex3f milieu = CentreModele3D(t.Doc(), false);
  TPixel px;
  Pt3DVersEcran(milieu, px, c.Param);
  EXPECT_NEAR(px.X, t.Vue(tvPlan).width() / 2, 2);
  EXPECT_NEAR(px.Y, t.Vue(tvPlan).height() / 2, 2);
  t.A("MeAjuster")->trigger();
  EXPECT_NE(c.Param.Echelle, e0 * 1.3f);
  // The other views did not move.
  EXPECT_EQ(t.Vue(tvProfil).Cadrage.Param.Echelle, autre);
}

TEST(Commands, CustomViewSavesWhenNothingSavedAndMarksTheDocument) {
  FenetreTest t;
  t.F->ActiveVue(tvProfil, false);
  TCadrage& c = t.Vue(tvProfil).Cadrage;
  ASSERT_FALSE(t.Doc().Modifie);
  t.A("MeVuePerso")->trigger();
  EXPECT_TRUE(t.Doc().VuesPerso[tvProfil].Sauvee);
  EXPECT_TRUE(t.Doc().Modifie);
  float sauvee = c.Param.Echelle;
  t.A("MeAgrandir")->trigger();
  t.A("MeVuePerso")->trigger();
  EXPECT_EQ(c.Param.Echelle, sauvee);
  t.A("MeAgrandir")->trigger();
  t.A("MeSauverVue")->trigger();
  EXPECT_EQ(t.Doc().VuesPerso[tvProfil].Echelle, c.Param.Echelle);
  EXPECT_FALSE(t.Doc().VuesPerso[tvPlan].Sauvee);
}

TEST(Commands, ModesToolbarToolboxAndWindows) {
  FenetreTest t;
  t.A("MeZoom")->trigger();
  EXPECT_TRUE(t.F->ModeZoom());
  t.A("MeDeplacer")->trigger();
  EXPECT_EQ(t.Vue(tvSection).cursor().shape(), Qt::SizeAllCursor);
  t.A("MeDeplacer")->trigger();
  EXPECT_EQ(t.Vue(tvSection).cursor().shape(), Qt::CrossCursor);
  // Zooming through the menu leaves zoom mode.
  t.A("MeAgrandir")->trigger();
  EXPECT_FALSE(t.F->ModeZoom());
  t.A("MeBarreStandard")->trigger();
  EXPECT_FALSE(t.F->BarreOutils()->isVisible());
  t.A("MeBoiteOutils")->trigger();
  EXPECT_TRUE(t.F->BoiteOutils()->isVisible());
  t.F->BoiteOutils()->close();
  EXPECT_FALSE(t.A("MeBoiteOutils")->isChecked());
  t.A("MeCalculatrice")->trigger();
  EXPECT_TRUE(t.F->Calculatrice()->isVisible());
  // Choosing a view maximises it and checks its radio item.
  t.A("MeVuePersp")->trigger();
  EXPECT_EQ(t.Doc().VueActive, tvPersp);
  EXPECT_TRUE(t.F->SousFenetre(tvPersp)->isMaximized());
  EXPECT_EQ(t.F->Panneau(0)->text(), "Vue perspective");
  t.A("MeVuePlan")->trigger();
  EXPECT_TRUE(t.A("MeVuePlan")->isChecked());
  EXPECT_FALSE(t.A("MeVuePersp")->isChecked());
  EXPECT_EQ(t.A("MeAjoutLigne")->text(), "&Ajouter une colonne");
  t.A("MeVueSection")->trigger();
  EXPECT_EQ(t.A("MeSupprLigne")->text(), "&Supprimer une ligne");
  // Tiles: four windows side by side without overlap.
  t.A("MeMosaiqueH")->trigger();
  QRect r[4];
  for (int k = 0; k < 4; k++) r[k] = t.F->SousFenetre(k)->geometry();
  for (int i = 0; i < 4; i++)
    for (int j = i + 1; j < 4; j++) EXPECT_FALSE(r[i].intersects(r[j])) << i << j;
  t.A("MeCascade")->trigger();
  EXPECT_TRUE(t.F->SousFenetre(0)->geometry().intersects(t.F->SousFenetre(1)->geometry()));
  t.A("MeMosaiqueV")->trigger();
  EXPECT_FALSE(t.F->SousFenetre(0)->geometry().intersects(t.F->SousFenetre(1)->geometry()));
  // Closing a view window minimises it; the arrangement puts it at the bottom.
  t.F->SousFenetre(tvPlan)->close();
  EXPECT_TRUE(t.F->SousFenetre(tvPlan)->isMinimized());
  t.A("MeReorganiser")->trigger();
  EXPECT_EQ(t.F->SousFenetre(tvPlan)->geometry().bottom(), t.F->Zone()->viewport()->height() - 1);
}

TEST(Commands, PrecisionCopyGuideAndAbout) {
  FenetreTest t;
  t.A("MePrecBonne")->trigger();
  EXPECT_EQ(t.Doc().Precision, 50);
  EXPECT_EQ(t.Doc().Surf(0).NbLnPt, 50);
  EXPECT_TRUE(t.Doc().Surf(0).Calculee);
  t.A("MePrecFaible")->trigger();
  EXPECT_EQ(t.Doc().Surf(0).NbColPt, 10);
  t.A("MePrecTresBonne")->trigger();
  EXPECT_EQ(t.Doc().Surf(0).NbColPt, 100);
  t.A("MePrecMoyenne")->trigger();
  EXPECT_EQ(t.Doc().Precision, 20);
  t.A("MeCopier")->trigger();
  EXPECT_EQ(QApplication::clipboard()->image().size(), t.F->FenetreActive()->size());
  t.A("MeGuide")->trigger();
  ASSERT_FALSE(t.Messages.empty());
  EXPECT_NE(t.Messages.back().find("Doc/Brivane.html est introuvable"), std::string::npos);
  bool vu = false;
  QTimer::singleShot(0, [&vu] {
    if (QWidget* w = QApplication::activeModalWidget()) {
      vu = w->objectName() == "AProposForm";
      w->close();
    }
  });
  t.A("MeAPropos")->trigger();
  EXPECT_TRUE(vu);
}

std::vector<bool> Etat(const TAffichageVues& a) {
  return {a.Carene,     a.Reseau,      a.BasePlanSym, a.Moitie,        a.Scinder, a.Couples, a.LignesEau,
          a.Longitudinales, a.Diagonales, a.SurfParam, a.Grille,       a.Orientation, a.Herisson, a.Poids,
          a.CentreVoilure, a.Cotes,    a.Axes,        a.Reperes,       a.PtsEnvahissement, a.ImageFond};
}

TEST(Commands, EachDisplayToggleChangesWhatTheViewsDraw) {
  FenetreTest t;
  int n = 0;
  for (const char* nom : {"MeCarene", "MeReseau", "MeBasePlanSym", "MeMoitie", "MeScinder", "MeCouples",
                          "MeLignesEau", "MeLongitudinales", "MeDiagonales", "MeSurfParam", "MeGrille",
                          "MeOrientation", "MeHerisson", "MePoids", "MeCentreVoilure", "MeCotes", "MeAxes",
                          "MeReperes", "MePtsEnvahissement"}) {
    ASSERT_TRUE(t.A(nom)->isEnabled()) << nom;
    std::vector<bool> avant = Etat(t.F->Affichage());
    bool coche = t.A(nom)->isChecked();
    t.A(nom)->trigger();
    EXPECT_NE(t.A(nom)->isChecked(), coche) << nom;
    EXPECT_NE(Etat(t.F->Affichage()), avant) << nom;
    t.A(nom)->trigger();  // back
    n++;
  }
  EXPECT_EQ(n, 19);
}

TEST(Commands, FileCommandsThroughTheirActions) {
  FenetreTest t;
  t.Choix = {"/bateaux/yacht.kvb"};
  t.Reponses = {mrYes};
  t.A("MeOuvrir")->trigger();
  EXPECT_EQ(t.Doc().NbSurf(), 3);
  t.A("MeNouveau")->trigger();
  EXPECT_EQ(t.Doc().NbSurf(), 1);
  t.Choix = {"/bateaux/neuf.kvb"};
  t.A("MeEnregistrer")->trigger();  // no name yet: asks for one
  EXPECT_EQ(t.Doc().NomFichier, "/bateaux/neuf.kvb");
  t.Choix = {"/bateaux/autre.kvb"};
  t.A("MeEnregistrerSous")->trigger();
  EXPECT_EQ(t.Disque.Ecrits.back(), "/bateaux/autre.kvb");
  t.A("MeFermer")->trigger();
  EXPECT_EQ(t.Doc().NbSurf(), 0);
  ASSERT_TRUE(t.F->isVisible());
  t.A("MeQuitter")->trigger();
  EXPECT_FALSE(t.F->isVisible());
}

TEST(Commands, StatusBarShowsTheCurrentVertexAndHooksReachIt) {
  FenetreTest t;
  EXPECT_EQ(t.F->Panneau(1)->text(), "Vx : [ Surface1; 0; 0 ]");
  WriteStatusBar(3, "Ouverture du fichier");
  EXPECT_EQ(t.F->Panneau(3)->text(), "Ouverture du fichier");
  ProgressMax(10);
  ProgressVisible(true);
  ProgressPos(4);
  EXPECT_TRUE(t.F->Progression()->isVisible());
  EXPECT_EQ(t.F->Progression()->value(), 4);
  ProgressVisible(false);
  EXPECT_FALSE(t.F->Progression()->isVisible());
  {
    TCurseurAttente attente;
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
