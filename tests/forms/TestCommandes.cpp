// The main window's commands, built from the registry: every command is there with its
// caption and shortcut in its place (the menus already show the whole program), each
// command that this build enables does what it says, and the dispatcher catches what
// a handler throws.
#include <gtest/gtest.h>

#include <QActionGroup>
#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <set>
#include <stdexcept>

#include "Fenetre.h"
#include "base/Chaines.h"
#include "edition/Cadrage.h"
#include "ui/Dialogues.h"
#include "ui/Registre.h"

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
    {"MeEnregistrerSous", "En&registrer sous...", "Ctrl+Shift+S"},
    {"MeExportSurfaces", "Surfaces", ""},
    {"MeExportDXF", "DXF", ""},
    {"MeExportIGES", "IGES", ""},
    {"MeExportTexte", "Texte QZ", ""},
    {"MeExportSTL", "STL (impression 3D)", ""},
    {"MeExportOBJ", "OBJ (maillage)", ""},
    {"MeImportIGES", "Surfaces &IGES...", ""},
    {"MeImportCotes", "&Table de cotes...", ""},
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
    {"MeFlottaison", "Flottaison", ""},
    {"MeHydroInstantanee", "&Hydrostatique instantanée", ""},
    {"MeAjoutLigne", "&Ajouter une ligne", "Ctrl+Ins"},
    {"MeSupprLigne", "&Supprimer une ligne", "Ctrl+Del"},
    {"MeGrouperPlan", "Grouper dans le &plan", ""},
    {"MeGrouperEspace", "Grouper dans l'&espace", ""},
    {"MeAlignerPlan", "A&ligner dans le plan", ""},
    {"MeAlignerEspace", "Ali&gner dans l'espace", ""},
    {"MeTranslationH", "Horizontale", "F5"},
    {"MeTranslationV", "Verticale", "F6"},
    {"MeHomothetieH", "Horizontale", "F7"},
    {"MeHomothetieV", "Verticale", "F8"},
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
    {"MeSurfVerrouillage", "Verr&ouillage...", ""},
    {"MeSurfTransformations", "&Transformations...", ""},
    {"MeSurfDeveloppement", "Déve&loppement...", ""},
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
    {"MeVerifierModele", "&Vérifier le modèle...", ""},
    {"MeResistance", "&Résistance à l'avancement...", ""},
    {"MeVueSection", "Vue &transversale", ""},
    {"MeVuePlan", "Vue en &plan", ""},
    {"MeVueProfil", "Vue de pro&fil", ""},
    {"MeVuePersp", "Vue en pe&rspective", ""},
    {"MeStudio", "&Studio", ""},
    {"MeMosaiqueH", "&Mosaïque Horiz.", ""},
    {"MeMosaiqueV", "M&ozaïque Vert.", ""},
    {"MeCascade", "&Cascade", ""},
    {"MeDisposition2x2", "Disposition &2 x 2", ""},
    {"MeReorganiser", "&Réorganiser les icones", ""},
    {"MeDebug", "&Debug", ""},
    {"MeTraduction", "Traduction", ""},
    {"MeGuide", "&Guide de l'utilisateur", "F1"},
    {"MeAPropos", "A &propos...", ""},
};

TEST(Commands, EveryCommandIsAnActionWithItsCaptionAndShortcut) {
  FenetreTest t;
  t.F->ActiveVue(tvSection, false);  // the vertex items are named after the active view
  for (const Cmd& c : Table) {
    QAction* a = t.A(c.Nom);
    ASSERT_NE(a, nullptr) << c.Nom;
    EXPECT_EQ(a->text().toStdString(), c.Caption) << c.Nom;
    EXPECT_EQ(a->shortcut(), QKeySequence(QString::fromLatin1(c.Raccourci))) << c.Nom;
  }
  // The menu bar holds the eleven menus in order.
  QStringList menus;
  for (QAction* a : t.F->menuBar()->actions()) menus << a->text();
  EXPECT_EQ(menus, (QStringList{"&Fichier", "&Edition", "&Voir", "&Affichage", "Verte&x", "&Surfaces",
                                "&Outils", "&Données", "Fe&nêtre", "&?"}));
  for (const char* sm : {"MeDerniers", "MeExport", "MeBarresIcones", "MeTranslation", "MePrecision",
                         "MeMesures", "MeCotations"})
    EXPECT_NE(t.F->findChild<QMenu*>(sm), nullptr) << sm;
}

// A menu as "Name[item item - Sub[...] ...]" ("-" a separator), hidden items included.
std::string Arbre(const QMenu* m) {
  std::string r = m->objectName().toStdString() + "[";
  bool premier = true;
  for (QAction* a : m->actions()) {
    r += premier ? "" : " ";
    premier = false;
    if (a->isSeparator())
      r += "-";
    else if (a->menu())
      r += Arbre(a->menu());
    else
      r += a->objectName().toStdString();
  }
  return r + "]";
}

TEST(Commands, EveryMenuHoldsItsItemsInTheirOrder) {
  FenetreTest t;
  std::vector<std::string> menus;
  for (QAction* a : t.F->menuBar()->actions()) menus.push_back(Arbre(a->menu()));
  const std::vector<std::string> attendus = {
      "MeFichier[MeNouveau MeOuvrir MeDerniers[] MeFermer MeEnregistrer MeEnregistrerSous - "
      "MeExport[MeExportSurfaces "
      "MeExportDXF MeExportIGES MeExportTexte MeExportSTL MeExportOBJ] MeImport[MeImportIGES MeImportCotes] "
      "- "
      "MeImprimer MeConfigImpression "
      "MeProprietes - MeQuitter]",
      "MeEdition[MeAnnuler MeRefaire - MeCopier]",
      "MeVoir[MeZoom MeAgrandir MeReduire MeVuePrecedente MeDeplacer MeAjuster MeRecentrer MeVuePerso "
      "MeSauverVue - "
      "MeControleVues MeBarresIcones[MeBarreStandard MeBoiteOutils]]",
      "MeAffichage[MeCarene MeReseau MeBasePlanSym MeMoitie MeScinder - MeCouples MeLignesEau "
      "MeLongitudinales "
      "MeDiagonales - MeSurfParam MeGrille MeOrientation MeHerisson - MePoids MeCentreVoilure MeCotes MeAxes "
      "MeReperes "
      "MePtsEnvahissement MeImageFond MeFlottaison - MeHydroInstantanee]",
      "MeVertex[MeAjoutLigne MeSupprLigne - MeGrouperPlan MeGrouperEspace MeAlignerPlan MeAlignerEspace "
      "MeTranslation[MeTranslationH MeTranslationV] MeHomothetie[MeHomothetieH MeHomothetieV] MeSouder "
      "MeDessouder - MeSelectTous MeSelectionVertex "
      "MeEditeurVertex MeListeVertex]",
      "MeSurfaces[MeSurfAjouter MeSurfSupprimer MeSurfDupliquer MeSurfEpaisseur MeSurfRenommer - "
      "MeSurfProprietes "
      "MeSurfVisibilite MeSurfVerrouillage MeSurfTransformations MeSurfDeveloppement - "
      "MePrecision[MePrecFaible "
      "MePrecMoyenne MePrecBonne MePrecTresBonne MePrecPerso]]",
      "MeOutils[MeMesures[MeMesMetre MeMesRayon MeMesAngle] MeCotations[MeCotMetre MeCotRayon MeCotAngle] "
      "MeListeCotes "
      "- MeAjoutRepere MeImportReperes MeListeReperes - MeImagesFond MeCalculatrice MeOptions - MeVexrun]",
      "MeDonnees[MeEspacementGrille MeTaille MeTableauCotes - MeAjoutBallast MeDevisPoids "
      "MeListeEnvahissement - "
      "MeHydrostatique MeStabilite MeResistance MeAires MeSurfaceVoiles - MePorteeCalculs MeControleFacettes "
      "MeVerifierModele]",
      "MeFenetre[MeVueSection MeVuePlan MeVueProfil MeVuePersp MeStudio - MeMosaiqueH MeMosaiqueV MeCascade "
      "MeDisposition2x2 MeReorganiser - MeDebug MeTraduction]",
      "MeAide[MeGuide MeAPropos]",
  };
  EXPECT_EQ(menus, attendus);
}

TEST(Commands, EveryItemStartsEnabledCheckedAndShownAsBefore) {
  FenetreTest t;
  const std::set<std::string> actives = {
      "MeNouveau",
      "MeOuvrir",
      "MeFermer",
      "MeEnregistrer",
      "MeEnregistrerSous",
      "MeExportDXF",
      "MeExportIGES",
      "MeExportTexte",
      "MeExportSTL",
      "MeExportOBJ",
      "MeImportIGES",
      "MeImportCotes",
      "MeImprimer",
      "MeConfigImpression",
      "MeProprietes",
      "MeQuitter",
      "MeCopier",
      "MeZoom",
      "MeAgrandir",
      "MeReduire",
      "MeVuePrecedente",
      "MeDeplacer",
      "MeAjuster",
      "MeFlottaison",
      "MeVerifierModele",
      "MeResistance",
      "MeRecentrer",
      "MeVuePerso",
      "MeSauverVue",
      "MeBarreStandard",
      "MeBoiteOutils",
      "MeCarene",
      "MeReseau",
      "MeBasePlanSym",
      "MeMoitie",
      "MeScinder",
      "MeCouples",
      "MeLignesEau",
      "MeLongitudinales",
      "MeDiagonales",
      "MeSurfParam",
      "MeGrille",
      "MeOrientation",
      "MeHerisson",
      "MePoids",
      "MeCentreVoilure",
      "MeCotes",
      "MeAxes",
      "MeReperes",
      "MePtsEnvahissement",
      "MePrecFaible",
      "MePrecMoyenne",
      "MePrecBonne",
      "MePrecTresBonne",
      "MeCalculatrice",
      "MeAires",
      "MeControleVues",
      "MeImagesFond",
      "MeSurfaceVoiles",
      "MeVueSection",
      "MeVuePlan",
      "MeVueProfil",
      "MeVuePersp",
      "MeMosaiqueH",
      "MeMosaiqueV",
      "MeCascade",
      "MeDisposition2x2",
      "MeReorganiser",
      "MeGuide",
      "MeAPropos",
      "MeExportSurfaces",
      "MeSurfAjouter",
      "MeSurfSupprimer",
      "MeSurfDupliquer",
      "MeSurfRenommer",
      "MeSurfProprietes",
      "MeSurfVisibilite",
      "MeSurfVerrouillage",
      "MePrecPerso",
      "MeEspacementGrille",
      "MePorteeCalculs",
      "MeStudio",
      "MeOptions",
      "MeAjoutLigne",
      "MeSupprLigne",
      "MeGrouperPlan",
      "MeGrouperEspace",
      "MeAlignerPlan",
      "MeAlignerEspace",
      "MeTranslationH",
      "MeTranslationV",
      "MeHomothetieH",
      "MeHomothetieV",
      "MeSouder",
      "MeDessouder",
      "MeSelectTous",
      "MeSelectionVertex",
      "MeHydroInstantanee",
      // The calculation windows.
      "MeHydrostatique",
      "MeStabilite",
      "MeDevisPoids",
      "MeTableauCotes",
      "MeAjoutBallast",
      // Marks, flooding points, measures and dimensions.
      "MeMesMetre",
      "MeMesRayon",
      "MeMesAngle",
      "MeCotMetre",
      "MeCotRayon",
      "MeCotAngle",
      "MeListeCotes",
      "MeAjoutRepere",
      "MeImportReperes",
      "MeListeReperes",
      "MeListeEnvahissement",
      // Shaping the surfaces and the hull dimensions.
      "MeSurfTransformations",
      "MeSurfDeveloppement",
      "MeSurfEpaisseur",
      "MeTaille",
      // The vertex editor and list.
      "MeEditeurVertex",
      "MeListeVertex",
  };
  const std::set<std::string> cochees = {
      "MeBarreStandard", "MeCarene",  "MeReseau",           "MePoids",     "MeCentreVoilure", "MeCotes",
      "MeAxes",          "MeReperes", "MePtsEnvahissement", "MeImageFond", "MePrecMoyenne",   "MeVueSection",
  };
  const std::set<std::string> cochables = {
      "MeZoom",           "MeDeplacer",     "MeControleVues", "MeBarreStandard",
      "MeBoiteOutils",    "MeCarene",       "MeReseau",       "MeBasePlanSym",
      "MeMoitie",         "MeScinder",      "MeCouples",      "MeLignesEau",
      "MeLongitudinales", "MeDiagonales",   "MeSurfParam",    "MeGrille",
      "MeOrientation",    "MeHerisson",     "MePoids",        "MeCentreVoilure",
      "MeCotes",          "MeAxes",         "MeReperes",      "MePtsEnvahissement",
      "MeImageFond",      "MeAjoutLigne",   "MeSupprLigne",   "MeTranslationH",
      "MeTranslationV",   "MeHomothetieH",  "MeHomothetieV",  "MeSelectionVertex",
      "MeEditeurVertex",  "MePrecFaible",   "MePrecMoyenne",  "MePrecBonne",
      "MePrecTresBonne",  "MePrecPerso",    "MeMesMetre",     "MeMesRayon",
      "MeMesAngle",       "MeCotMetre",     "MeCotRayon",     "MeCotAngle",
      "MeAjoutRepere",    "MeAjoutBallast", "MeVueSection",   "MeVuePlan",
      "MeVueProfil",      "MeVuePersp",     "MeStudio",       "MeHydroInstantanee",
      "MeFlottaison",
  };
  const std::set<std::string> cachees = {
      "MeVexrun",
      "MeDebug",
      "MeTraduction",
  };
  int vus = 0;
  std::function<void(const QMenu*)> parcourt = [&](const QMenu* m) {
    for (QAction* a : m->actions()) {
      if (a->isSeparator()) continue;
      if (a->menu()) {
        parcourt(a->menu());
        continue;
      }
      std::string n = a->objectName().toStdString();
      vus++;
      EXPECT_EQ(a->isEnabled(), actives.count(n) == 1) << n;
      EXPECT_EQ(a->isChecked(), cochees.count(n) == 1) << n;
      EXPECT_EQ(a->isCheckable(), cochables.count(n) == 1) << n;
      EXPECT_EQ(a->isVisible(), cachees.count(n) == 0) << n;
    }
  };
  for (QAction* a : t.F->menuBar()->actions()) parcourt(a->menu());
  EXPECT_EQ(vus, static_cast<int>(std::size(Table)));
  EXPECT_FALSE(t.F->findChild<QMenu*>("MeDerniers")->isEnabled());
  // The separators before hidden items hide with them.
  const QList<QAction*> fen = t.F->findChild<QMenu*>("MeFenetre")->actions();
  EXPECT_FALSE(fen[fen.size() - 3]->isVisible());
}

TEST(Commands, TheViewPopUpsHoldTheirCommands) {
  FenetreTest t;
  auto* pv = t.F->findChild<QMenu*>("PopVue");
  auto* pz = t.F->findChild<QMenu*>("PopZone");
  ASSERT_NE(pv, nullptr);
  ASSERT_NE(pz, nullptr);
  EXPECT_EQ(Arbre(pv),
            "PopVue[MePopVueAjuster MePopVueCentrer - MeZoom MeDeplacer MePop3DExpress[MePop3D0 MePop3D1 "
            "MePop3D2 MePop3D3 MePop3D4 MePop3D5 MePop3D6 MePop3D7 MePop3D8 MePop3D9]]");
  EXPECT_EQ(Arbre(pz),
            "PopZone[MePopZoneAjuster MePopZoneCentrer - MePopZoneSection MePopZonePlan MePopZoneProfil "
            "MePopZonePersp - MeControleVues MeSelectionVertex - MePopZoneMosaique MePopZoneCascade]");
  EXPECT_EQ(t.A("MePopVueAjuster")->text(), "Ajuster");
  // The 3D presets show on the perspective view only.
  t.F->ActiveVue(tvPlan, false);
  t.F->Rafraichit();
  EXPECT_FALSE(t.F->findChild<QMenu*>("MePop3DExpress")->menuAction()->isVisible());
  t.F->ActiveVue(tvPersp, false);
  t.F->Rafraichit();
  EXPECT_TRUE(t.F->findChild<QMenu*>("MePop3DExpress")->menuAction()->isVisible());
  float e = t.Vue(tvPersp).Cadrage.Param.Theta;
  t.A("MePop3D3")->trigger();
  EXPECT_NE(t.Vue(tvPersp).Cadrage.Param.Theta, e);
  t.A("MePopZoneProfil")->trigger();
  EXPECT_EQ(t.Doc().VueActive, tvProfil);
  EXPECT_TRUE(t.A("MeVueProfil")->isChecked());
}

// A command registered for one test only.
struct CommandeTemporaire {
  std::string Nom;
  explicit CommandeTemporaire(TCommande c) : Nom(c.Nom) { EnregistreCommande(std::move(c)); }
  ~CommandeTemporaire() { RetireCommande(Nom); }
};

TEST(Commands, WhatAHandlerThrowsIsCaughtAndSaidAtTheCommand) {
  CommandeTemporaire c({.Nom = "MeTestLance", .Places = {{"MeAide", 5}}, .Execute = [](TMainForm&, bool) {
                          throw std::runtime_error("plus de place");
                        }});
  CommandeTemporaire d({.Nom = "MeTestInconnu", .Execute = [](TMainForm&, bool) { throw 42; }});
  // The recovery document goes to the current folder: not the build's.
  QTemporaryDir dossier;
  const QString avant = QDir::currentPath();
  QDir::setCurrent(dossier.path());
  struct TRetour {
    QString D;
    ~TRetour() { QDir::setCurrent(D); }
  } retour{avant};
  FenetreTest t;
  ASSERT_NE(t.A("MeTestLance"), nullptr);
  EXPECT_NO_THROW(t.A("MeTestLance")->trigger());
  ASSERT_FALSE(t.Messages.empty());
  EXPECT_NE(t.Messages.back().find("plus de place"), std::string::npos) << t.Messages.back();
  EXPECT_NE(t.Messages.back().find("MeTestLance"), std::string::npos) << t.Messages.back();
  EXPECT_NO_THROW(t.F->Lance("MeTestInconnu"));
  EXPECT_EQ(t.Messages.size(), 2u);
  EXPECT_FALSE(t.F->Lance("MeNulPart"));
  // The window goes on.
  t.A("MeAgrandir")->trigger();
  EXPECT_TRUE(t.F->isVisible());
}

TEST(Registry, TwoRegistrationsOfOneNameMergeAndConflictsAreRefused) {
  CommandeTemporaire a({.Nom = "MeTestFusion", .Places = {{"MeAide", 5}}, .Raccourci = "Ctrl+K"});
  EnregistreCommande({.Nom = "MeTestFusion", .Places = {{"PopVue", 90}}, .Execute = [](TMainForm&, bool) {}});
  const TCommande* c = CommandeEnregistree("MeTestFusion");
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->Raccourci, "Ctrl+K");
  EXPECT_TRUE(static_cast<bool>(c->Execute));
  EXPECT_EQ(c->Places.size(), 2u);
  EXPECT_THROW(EnregistreCommande({.Nom = "MeTestFusion", .Execute = [](TMainForm&, bool) {}}),
               std::logic_error);
  EXPECT_THROW(EnregistreCommande({.Nom = "MeTestFusion", .Raccourci = "Ctrl+J"}), std::logic_error);
  EXPECT_THROW(EnregistreCommande({.Nom = "MeTestFusion", .Places = {{"MeAide", 6}}}), std::logic_error);
  EXPECT_NO_THROW(EnregistreCommande({.Nom = "MeTestFusion", .Places = {{"MeAide", 5}}}));
  EXPECT_THROW(EnregistreCommande({.Nom = ""}), std::logic_error);
}

TEST(Registry, ScreenshotWindowsByName) {
  ASSERT_NE(FenetreCapture("plan"), nullptr);
  EXPECT_EQ(FenetreCapture("Perspective"), FenetreCapture("perspective"));
  EXPECT_NE(FenetreCapture("profil"), nullptr);
  EXPECT_EQ(FenetreCapture("nulle"), nullptr);
  EXPECT_EQ(NomsFenetres().rfind("section, plan, profile, perspective", 0) == 0 ||
                NomsFenetres() == "section, plan, profile or perspective",
            true)
      << NomsFenetres();
}

TEST(Commands, CheckAndRadioItemsStartAsDescribed) {
  FenetreTest t;
  for (const char* n :
       {"MeCarene", "MeReseau", "MePoids", "MeCentreVoilure", "MeCotes", "MeAxes", "MeReperes",
        "MePtsEnvahissement", "MeImageFond", "MeBarreStandard", "MePrecMoyenne"}) {
    EXPECT_TRUE(t.A(n)->isCheckable()) << n;
    EXPECT_TRUE(t.A(n)->isChecked()) << n;
  }
  for (const char* n :
       {"MeBasePlanSym",    "MeMoitie",       "MeScinder",     "MeCouples",      "MeLignesEau",
        "MeLongitudinales", "MeDiagonales",   "MeSurfParam",   "MeGrille",       "MeOrientation",
        "MeHerisson",       "MeZoom",         "MeDeplacer",    "MeAjoutLigne",   "MeSupprLigne",
        "MeTranslationH",   "MeTranslationV", "MeAjoutRepere", "MeAjoutBallast", "MeSelectionVertex",
        "MeMesMetre",       "MeCotAngle"}) {
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
  for (const char* n : {"MeAnnuler", "MeRefaire"}) {
    EXPECT_FALSE(t.A(n)->isEnabled()) << n;
    EXPECT_TRUE(t.A(n)->isVisible()) << n;
  }
  // Printing has its work: its button is enabled with the active view.
  auto* imp = t.F->BarreOutils()->findChild<QToolButton*>("SBImprimer");
  ASSERT_NE(imp, nullptr);
  EXPECT_TRUE(imp->isEnabled());
  // A command with its work enables its button.
  auto* h = t.F->BarreOutils()->findChild<QToolButton*>("SBHydro");
  ASSERT_NE(h, nullptr);
  EXPECT_TRUE(h->isEnabled());
  EXPECT_EQ(h->toolTip(), "Calculs hydrostatiques");
  int boutons = 0;
  for (auto* b : t.F->BarreOutils()->findChildren<QToolButton*>())
    boutons += b->objectName().startsWith("SB");
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
  return {a.Carene,           a.Reseau,         a.BasePlanSym,   a.Moitie,    a.Scinder, a.Couples,
          a.LignesEau,        a.Longitudinales, a.Diagonales,    a.SurfParam, a.Grille,  a.Orientation,
          a.Herisson,         a.Poids,          a.CentreVoilure, a.Cotes,     a.Axes,    a.Reperes,
          a.PtsEnvahissement, a.ImageFond};
}

TEST(Commands, EachDisplayToggleChangesWhatTheViewsDraw) {
  FenetreTest t;
  int n = 0;
  for (const char* nom :
       {"MeCarene", "MeReseau", "MeBasePlanSym", "MeMoitie", "MeScinder", "MeCouples", "MeLignesEau",
        "MeLongitudinales", "MeDiagonales", "MeSurfParam", "MeGrille", "MeOrientation", "MeHerisson",
        "MePoids", "MeCentreVoilure", "MeCotes", "MeAxes", "MeReperes", "MePtsEnvahissement"}) {
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

namespace {

// A drag of files from the file manager, dropped on the main window.
bool Depose(QWidget* cible, const QStringList& fichiers) {
  QMimeData donnees;
  QList<QUrl> urls;
  for (const QString& f : fichiers) urls << QUrl::fromLocalFile(f);
  donnees.setUrls(urls);
  const QPoint p = cible->rect().center();
  QDragEnterEvent entree(p, Qt::CopyAction, &donnees, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(cible, &entree);
  if (!entree.isAccepted()) return false;
  QDropEvent depot(QPointF(p), Qt::CopyAction, &donnees, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(cible, &depot);
  QApplication::processEvents();
  return depot.isAccepted();
}

}  // namespace

// Beside the menus' own shortcuts: F1 opens the guide, Ctrl+Shift+S saves under another
// name, and a document dropped on the window opens through the open command's question.
TEST(Commands, DesktopConventions) {
  FenetreTest t;
  QUrl guide;
  t.F->OuvreDocument = [&guide](const QUrl& u) {
    guide = u;
    return true;
  };
  t.F->DossierProgramme = BRIVANE_BUILD_DIR;
  t.F->activateWindow();
  QTest::keyClick(t.F.get(), Qt::Key_F1);
  EXPECT_TRUE(guide.toLocalFile().endsWith("Doc/index.html")) << guide.toString().toStdString();
  t.Choix = {"/bateaux/sous.kvb"};
  QTest::keyClick(t.F.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(t.Doc().NomFichier, "/bateaux/sous.kvb");
  ASSERT_FALSE(t.Disque.Ecrits.empty());
  EXPECT_EQ(t.Disque.Ecrits.back(), "/bateaux/sous.kvb");
  // Dropped: the question, answered "close the design", then the file in its place.
  t.Messages.clear();
  t.Reponses = {mrYes};
  EXPECT_TRUE(Depose(t.F.get(), {"/bateaux/yacht.kvb"}));
  EXPECT_TRUE(QTest::qWaitFor([&t] { return t.Doc().NomFichier == "/bateaux/yacht.kvb"; }, 2000));
  EXPECT_EQ(t.Doc().NbSurf(), 3);
  ASSERT_FALSE(t.Messages.empty());
  EXPECT_EQ(t.Messages.front().rfind(rs("rsQuestFermerDessin"), 0), 0u);
  // Answered "merge": the second document's surfaces join the first's.
  t.Reponses = {mrNo};
  EXPECT_TRUE(Depose(t.F.get(), {"/bateaux/plan.kvb"}));
  EXPECT_TRUE(QTest::qWaitFor([&t] { return t.Doc().NbSurf() == 4; }, 2000));
  // Files that are no documents are not taken.
  EXPECT_FALSE(Depose(t.F.get(), {"/bateaux/notes.txt"}));
  t.Doc().Modifie = false;
}
