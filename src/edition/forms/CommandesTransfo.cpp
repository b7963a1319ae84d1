// The commands and screenshot windows of the transformations and the hull dimensions.
#include <QTabWidget>
#include <QWidget>

#include "app/CommandesEdition.h"
#include "app/Principale.h"
#include "base/Services.h"
#include "edition/forms/TailleForm.h"
#include "edition/forms/TransForm.h"
#include "session/ObjCom.h"
#include "ui/Registre.h"

namespace {

TTransForm* Trans(TMainForm& f) {
  if (auto* d = f.findChild<TTransForm*>("TransForm")) return d;
  auto* d = new TTransForm(f.Document(), &f);
  // The whole opening is one undo step, taken before its first transformation.
  d->AvantPremiere = [&f] {
    if (f.Edition()) f.Edition()->RecordAction(taSnapshot, "rsEtapeTransformations");
  };
  d->QuandApplique = [&f] {
    {
      TCurseurAttente attente;
      GeometrieModifiee(f.Document());
    }
    f.Rafraichit();
    f.AfficheNet();
  };
  return d;
}

TTailleForm* Taille(TMainForm& f) {
  if (auto* d = f.findChild<TTailleForm*>("TailleForm")) return d;
  return new TTailleForm(f.Document(), &f);
}

bool AvecSurface(const TMainForm& f) { return f.Document().NbSurf() > 0; }

const TEnregistrement Enregistre([] {
  EnregistreCommande(
      {.Nom = "MeSurfTransformations", .Actif = AvecSurface, .Execute = [](TMainForm& f, bool) {
         TTransForm* d = Trans(f);
         d->Prepare();
         d->open();
       }});
  EnregistreCommande({.Nom = "MeTaille", .Actif = AvecSurface, .Execute = [](TMainForm& f, bool) {
                        TTailleForm* d = Taille(f);
                        d->Execute();
                        d->open();
                      }});
  EnregistreFenetre({.Nom = "trans", .Ordre = 340, .Montre = [](TMainForm& f) -> QWidget* {
                       TTransForm* d = Trans(f);
                       d->AvantPremiere = nullptr;  // nothing is undone in a picture
                       d->Prepare();
                       d->show();
                       d->Pages->setCurrentIndex(3);
                       d->adjustSize();
                       return d;
                     }});
  EnregistreFenetre({.Nom = "taille", .Ordre = 350, .Montre = [](TMainForm& f) -> QWidget* {
                       TTailleForm* d = Taille(f);
                       d->Execute();
                       d->show();
                       d->adjustSize();
                       return d;
                     }});
});

}  // namespace
