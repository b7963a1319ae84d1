// The display toggles (Affichage) and the evaluation precision (Surfaces > Précision):
// what the views draw, and what is recomputed when a toggle changes.
#include "app/Principale.h"
#include "base/Debug.h"
#include "naval/AiresVoiles.h"
#include "session/ObjCom.h"
#include "ui/Registre.h"
#include "views/FormFille.h"

namespace {

using F = TMainForm;

void EtatVues(F& f, std::uint8_t e, bool seulementSectionPersp) {
  for (int t = tvSection; t <= tvPersp; t++)
    if (!seulementSectionPersp || t == tvSection || t == tvPersp) f.Vue(t)->Tab.EtatTous(e);
}

void VideSelections(F& f) {
  for (int t = tvSection; t <= tvPersp; t++) f.Vue(t)->VideSelection();
}

// One toggle: its field, then what it changes in the model's derived data.
void Bascule(F& f, const std::string& nom, bool TAffichageVues::*champ, bool coche) {
  TRACE("TMainForm.Affichage");
  TDocument& doc = f.Document();
  f.Aff.*champ = coche;
  // The hull and the net are never both off.
  if (nom == "MeCarene") {
    if (!coche) {
      f.Aff.Reseau = true;
      EtatVues(f, epActif, false);
    } else {
      VideSelections(f);
      if (!f.Aff.Reseau) EtatVues(f, epInactif, true);
    }
  } else if (nom == "MeReseau") {
    if (!coche) {
      f.Aff.Carene = true;
      VideSelections(f);
      EtatVues(f, epInactif, false);
    } else {
      EtatVues(f, epActif, false);
    }
  }
  if (nom == "MeHerisson" && coche)
    for (auto& s : doc.TabSurf)
      if (s->Visible) s->SecCalc = s->LgECalc = s->LongCalc = s->DiagCalc = false;
  if (nom == "MeCarene" || nom == "MeReseau" || nom == "MeSurfParam") MajSurface(doc, false, -1);
  if (nom == "MeCentreVoilure" && coche) MajCentreVoilure(doc);
  if ((coche && (nom == "MeCouples" || nom == "MeLignesEau" || nom == "MeLongitudinales" ||
                 nom == "MeDiagonales" || nom == "MeHerisson")) ||
      nom == "MeCarene" || nom == "MeReseau")
    AffichageChange(doc);
  else
    AnnonceAvis(doc, avAffichage);
  f.AfficheNet();
}

struct TBascule {
  const char* Nom;
  bool TAffichageVues::*Champ;
};

const TBascule Bascules[] = {
    {"MeCarene", &TAffichageVues::Carene},
    {"MeReseau", &TAffichageVues::Reseau},
    {"MeBasePlanSym", &TAffichageVues::BasePlanSym},
    {"MeMoitie", &TAffichageVues::Moitie},
    {"MeScinder", &TAffichageVues::Scinder},
    {"MeCouples", &TAffichageVues::Couples},
    {"MeLignesEau", &TAffichageVues::LignesEau},
    {"MeLongitudinales", &TAffichageVues::Longitudinales},
    {"MeDiagonales", &TAffichageVues::Diagonales},
    {"MeSurfParam", &TAffichageVues::SurfParam},
    {"MeGrille", &TAffichageVues::Grille},
    {"MeOrientation", &TAffichageVues::Orientation},
    {"MeHerisson", &TAffichageVues::Herisson},
    {"MePoids", &TAffichageVues::Poids},
    {"MeCentreVoilure", &TAffichageVues::CentreVoilure},
    {"MeCotes", &TAffichageVues::Cotes},
    {"MeAxes", &TAffichageVues::Axes},
    {"MeReperes", &TAffichageVues::Reperes},
    {"MePtsEnvahissement", &TAffichageVues::PtsEnvahissement},
    {"MeImageFond", &TAffichageVues::ImageFond},
    {"MeFlottaison", &TAffichageVues::Flottaison},
};

const TEnregistrement Enregistre([] {
  for (const TBascule& b : Bascules) {
    std::string nom = b.Nom;
    auto champ = b.Champ;
    EnregistreCommande({.Nom = nom,
                        .Coche = [champ](const F& f) { return f.Aff.*champ; },
                        .Execute = [nom, champ](F& f, bool coche) { Bascule(f, nom, champ, coche); }});
  }
  // Surfaces > Précision
  for (auto [nom, n] :
       {std::pair{"MePrecFaible", 10}, {"MePrecMoyenne", 20}, {"MePrecBonne", 50}, {"MePrecTresBonne", 100}})
    EnregistreCommande({.Nom = nom,
                        .Coche = [n = n](const F& f) { return f.Document().Precision == n; },
                        .Execute = [n = n](F& f, bool) { f.ChangePrecision(n); }});
});

}  // namespace
