// The commands and screenshot windows of the development and the thickness: both add
// surfaces, so each takes an undo step of a changed surface list before it does.
#include <QListWidget>
#include <QWidget>

#include "app/CommandesEdition.h"
#include "app/Principale.h"
#include "base/Chaines.h"
#include "base/Services.h"
#include "model/Limites.h"
#include "naval/forms/DevSurfForm.h"
#include "session/ObjCom.h"
#include "ui/Registre.h"

namespace {

void Actualise(TMainForm& f) {
  {
    TCurseurAttente attente;
    GeometrieModifiee(f.Document(), avListe);
  }
  f.Rafraichit();
  f.AfficheNet();
}

void Relie(TMainForm& f, auto* d) {
  d->AvantChangement = [&f] {
    if (f.Edition()) f.Edition()->RecordAction(taListeChangee, "rsEtapeAjoutSurfaces");
  };
  d->QuandApplique = [&f] { Actualise(f); };
}

TDevSurfForm* DevSurf(TMainForm& f) {
  if (auto* d = f.findChild<TDevSurfForm*>("DevSurfForm")) return d;
  auto* d = new TDevSurfForm(f.Document(), &f);
  Relie(f, d);
  return d;
}

TEpaisseurForm* Epaisseur(TMainForm& f) {
  if (auto* d = f.findChild<TEpaisseurForm*>("EpaisseurForm")) return d;
  auto* d = new TEpaisseurForm(f.Document(), &f);
  Relie(f, d);
  return d;
}

bool AvecSurface(const TMainForm& f) { return f.Document().NbSurf() > 0; }

const TEnregistrement Enregistre([] {
  EnregistreCommande({.Nom = "MeSurfDeveloppement", .Actif = AvecSurface, .Execute = [](TMainForm& f, bool) {
                        TDevSurfForm* d = DevSurf(f);
                        d->Prepare();
                        d->open();
                      }});
  EnregistreCommande({.Nom = "MeSurfEpaisseur", .Actif = AvecSurface, .Execute = [](TMainForm& f, bool) {
                        // Refused before the window opens: it could only fail.
                        if (f.Document().NbSurf() >= MaxSurf) {
                          AfficheMessage(rs("rsErrMaxSurf"), mtWarning, mbOK);
                          return;
                        }
                        TEpaisseurForm* d = Epaisseur(f);
                        d->Prepare();
                        d->open();
                      }});
  EnregistreFenetre({.Nom = "devsurf", .Ordre = 320, .Montre = [](TMainForm& f) -> QWidget* {
                       TDevSurfForm* d = DevSurf(f);
                       d->show();
                       d->Prepare();
                       // Pictured after a run on every surface it offers, when there is room.
                       d->Liste->selectAll();
                       if (!d->Entrees().empty() &&
                           f.Document().NbSurf() + static_cast<int>(d->Entrees().size()) <= MaxSurf)
                         d->Lancer();
                       d->adjustSize();
                       return d;
                     }});
  EnregistreFenetre({.Nom = "epaisseur", .Ordre = 330, .Montre = [](TMainForm& f) -> QWidget* {
                       TEpaisseurForm* d = Epaisseur(f);
                       d->show();
                       d->Prepare();
                       if (d->Liste->count() > 0) d->Liste->setCurrentRow(0);
                       d->adjustSize();
                       return d;
                     }});
});

}  // namespace
