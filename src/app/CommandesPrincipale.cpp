// The main window's own commands: the document's life (Fichier), copying the active
// view (Edition), the bars, the calculator, the user's guide and the about box.
#include <QApplication>
#include <QToolBar>

#include "app/Principale.h"
#include "ui/Dialogues.h"
#include "ui/Registre.h"
#include "views/FormFille.h"

namespace {

using F = TMainForm;

const TEnregistrement Enregistre([] {
  EnregistreCommande({.Nom = "MeNouveau", .Execute = [](F& f, bool) { f.Nouveau(); }});
  EnregistreCommande({.Nom = "MeOuvrir", .Execute = [](F& f, bool) { f.Ouvrir(); }});
  EnregistreCommande({.Nom = "MeFermer", .Execute = [](F& f, bool) { f.Fermer(); }});
  EnregistreCommande({.Nom = "MeEnregistrer", .Execute = [](F& f, bool) { f.Enregistrer(); }});
  EnregistreCommande({.Nom = "MeEnregistrerSous", .Execute = [](F& f, bool) { f.EnregistrerSous(); }});
  EnregistreCommande({.Nom = "MeQuitter", .Execute = [](F& f, bool) { f.close(); }});
  // The tool bar's save button: enabled while the document has changes.
  EnregistreCommande({.Nom = "SBEnregistrerAction",
                      .CleLibelle = "rsMeEnregistrerCaption",
                      .Actif = [](const F& f) { return f.Document().Modifie; },
                      .Execute = [](F& f, bool) { f.Enregistrer(); }});
  EnregistreCommande({.Nom = "MeCopier", .Execute = [](F& f, bool) { f.Copier(); }});
  // Voir > Barres d'icônes
  EnregistreCommande({.Nom = "MeBarreStandard",
                      .Coche = [](const F& f) { return !f.BarreOutils()->isHidden(); },
                      .Execute = [](F& f, bool on) { f.BarreOutils()->setVisible(on); }});
  EnregistreCommande({.Nom = "MeBoiteOutils",
                      .Coche = [](const F& f) { return f.BoiteOutils()->isVisible(); },
                      .Execute =
                          [](F& f, bool on) {
                            f.BoiteOutils()->setVisible(on);
                            if (on) f.BoiteOutils()->PlaceADroite();
                          }});
  EnregistreCommande({.Nom = "MeCalculatrice", .Execute = [](F& f, bool) {
                        f.Calculatrice()->show();
                        f.Calculatrice()->raise();
                      }});
  EnregistreCommande({.Nom = "MeGuide", .Execute = [](F& f, bool) { f.GuideUtilisateur(); }});
  EnregistreCommande({.Nom = "MeAPropos", .Execute = [](F& f, bool) { TSplash(true, &f).exec(); }});
  // The bars alone for the screenshot mode (the guide's pictures, a look at the icons).
  EnregistreFenetre(
      {.Nom = "toolbar", .Ordre = 100, .Montre = [](F& f) -> QWidget* { return f.BarreOutils(); }});
  EnregistreFenetre({.Nom = "toolbox", .Ordre = 110, .Montre = [](F& f) -> QWidget* {
                       f.BoiteOutils()->show();
                       f.BoiteOutils()->adjustSize();
                       return f.BoiteOutils();
                     }});
});

}  // namespace
