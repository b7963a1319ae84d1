// The pictogram of every command with a tool-bar or toolbox button, one line each.
// A unit adding a command with a button adds its line here or gives .Icone in its own
// registration; the drawings are resources/icones/*.svg (see resources/icones/README).
#include "app/Icones.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include "ui/Registre.h"

QIcon IconeSvg(const QString& chemin) {
  if (!QFile::exists(chemin)) return {};
  QSvgRenderer r(chemin);
  if (!r.isValid()) return {};
  QIcon icone;
  // Both device-pixel ratios' sizes: the bars' 16, 22 and 24 pixels and their doubles.
  for (int taille : {16, 22, 24, 32, 48, 64}) {
    QPixmap pm(taille, taille);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    r.render(&p);
    p.end();
    icone.addPixmap(pm);
  }
  return icone;
}

namespace {

void Icone(const char* commande, const char* fichier) {
  EnregistreCommande({.Nom = commande, .Icone = std::string(":/icones/") + fichier + ".svg"});
}

const TEnregistrement Enregistre([] {
  // Tool bar
  Icone("MeNouveau", "nouveau");
  Icone("MeOuvrir", "ouvrir");
  Icone("SBEnregistrerAction", "enregistrer");
  Icone("MeEnregistrer", "enregistrer");
  Icone("MeImprimer", "imprimer");
  Icone("MeAnnuler", "annuler");
  Icone("MeRefaire", "refaire");
  Icone("MeBoiteOutils", "boite-outils");
  Icone("MeControleVues", "controle-vues");
  Icone("MeSelectionVertex", "selection-vertex");
  Icone("MeCarene", "carene");
  Icone("MeReseau", "reseau");
  Icone("MeBasePlanSym", "bases-plan-sym");
  Icone("MeMoitie", "moitie");
  Icone("MeCouples", "couples");
  Icone("MeLignesEau", "lignes-eau");
  Icone("MeSurfParam", "surface-parametrique");
  Icone("MeGrille", "grille");
  Icone("MeAjuster", "ajuster");
  Icone("MeRecentrer", "recentrer");
  Icone("MeDeplacer", "deplacer");
  Icone("MeVuePerso", "vue-perso");
  Icone("MeZoom", "zoom-rectangle");
  Icone("MeAgrandir", "zoom-plus");
  Icone("MeReduire", "zoom-moins");
  Icone("MeVuePrecedente", "zoom-precedent");
  Icone("MeDevisPoids", "devis-poids");
  Icone("MeHydrostatique", "hydrostatique");
  Icone("MeStabilite", "stabilite");
  Icone("MeVueSection", "vue-transversale");
  Icone("MeVuePlan", "vue-plan");
  Icone("MeVueProfil", "vue-profil");
  Icone("MeVuePersp", "vue-perspective");
  Icone("MeStudio", "studio");
  // Toolbox
  Icone("MeAjoutLigne", "ajout-ligne");
  Icone("MeSupprLigne", "suppr-ligne");
  Icone("MeSouder", "souder");
  Icone("MeDessouder", "dessouder");
  Icone("MeGrouperPlan", "grouper-plan");
  Icone("MeGrouperEspace", "grouper-espace");
  Icone("MeAlignerPlan", "aligner-plan");
  Icone("MeAlignerEspace", "aligner-espace");
  Icone("MeTranslationH", "translation-h");
  Icone("MeTranslationV", "translation-v");
  Icone("MeSelectTous", "selection-tous");
  Icone("MeSurfVisibilite", "visibilite");
  Icone("MeSurfVerrouillage", "verrouillage");
  Icone("MeSurfProprietes", "proprietes");
  Icone("MeSurfTransformations", "transformations");
  Icone("MeMesMetre", "mesure-metre");
  Icone("MeMesRayon", "mesure-rayon");
  Icone("MeMesAngle", "mesure-angle");
  Icone("MeCotMetre", "cote-metre");
  Icone("MeCotRayon", "cote-rayon");
  Icone("MeCotAngle", "cote-angle");
  Icone("MeListeCotes", "liste-cotes");
  Icone("MeCalculatrice", "calculatrice");
});

}  // namespace
