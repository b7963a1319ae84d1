// The commands and screenshot windows of the areas and the sail plan.
#include <QWidget>

#include "app/Principale.h"
#include "naval/forms/AireForm.h"
#include "ui/Registre.h"

namespace {

template <typename T>
T* Ouvre(TMainForm& f) {
  auto* d = new T(f.Document(), &f);
  d->setAttribute(Qt::WA_DeleteOnClose);
  d->Prepare();
  return d;
}

const TEnregistrement Enregistre([] {
  EnregistreCommande({.Nom = "MeAires", .Execute = [](TMainForm& f, bool) { Ouvre<TAireForm>(f)->open(); }});
  EnregistreCommande({.Nom = "MeSurfaceVoiles", .Execute = [](TMainForm& f, bool) {
                        Ouvre<TAiresVoilesForm>(f)->open();
                        f.AfficheNet();
                      }});
  EnregistreFenetre({.Nom = "aire", .Ordre = 300, .Montre = [](TMainForm& f) -> QWidget* {
                       auto* d = Ouvre<TAireForm>(f);
                       d->show();
                       return d;
                     }});
  EnregistreFenetre({.Nom = "airesvoiles", .Ordre = 310, .Montre = [](TMainForm& f) -> QWidget* {
                       auto* d = Ouvre<TAiresVoilesForm>(f);
                       d->show();
                       return d;
                     }});
});

}  // namespace
