#include "naval/forms/FenetresCalcul.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QTabWidget>
#include <cstdio>
#include <memory>

#include "app/CommandesEdition.h"
#include "app/Principale.h"
#include "base/Chaines.h"
#include "edition/Cadrage.h"
#include "naval/forms/HydrostatForm.h"
#include "naval/forms/PoidsForm.h"
#include "naval/forms/StabForm.h"
#include "session/Avis.h"
#include "ui/Rapport.h"
#include "ui/Registre.h"

namespace {

// The weights, or the heel the stability gave the model, changed.
void Redessine(TMainForm& f) {
  AnnonceAvis(f.Document(), avPoids);
  f.AfficheNet();
}

// "Ajout de ballast": a release in a flat view opens "Nouveau ballast" at the model point.
void InstalleOutilBallast(TMainForm& f) {
  if (f.property("OutilBallast").toBool()) return;
  f.setProperty("OutilBallast", true);
  f.InstalleOutil({.Priorite = 60,
                   .Actif =
                       [&f](const TFormFille& v) {
                         QAction* mode = f.Action("MeAjoutBallast");
                         return mode && mode->isChecked() && v.Type() != tvPersp;
                       },
                   .Relache =
                       [&f](TFormFille& v, QPoint p, QPoint global, TModifs) {
                         TDefPoidsForm d(f.Document(), CalculePt3DInv(v.Cadrage.Param, p.x(), p.y(), 0), &f);
                         d.move(global);
                         if (d.exec() == QDialog::Accepted) Redessine(f);
                         // Shift held keeps the mode for the next click.
                         if (!(QApplication::keyboardModifiers() & Qt::ShiftModifier))
                           f.Action("MeAjoutBallast")->setChecked(false);
                       }});
}

bool ImprimeStab(QWidget* w) {
  auto* s = static_cast<TStabForm*>(w);
  return DemandeImpression(s, QString::fromStdString(rs("rsStabCaption")), s->LignesRapport());
}

template <class W>
QWidget* Montre(TMainForm& f, const std::function<void(W&)>& calcule) {
  auto* w = new W(f.Document(), &f);
  w->setAttribute(Qt::WA_DeleteOnClose);
  calcule(*w);
  w->show();
  return w;
}

const TEnregistrement Enregistre([] {
  EnregistreCommande({.Nom = "MeHydrostatique", .Execute = [](TMainForm& f, bool) {
                        THydrostatForm w(f.Document(), &f);
                        w.exec();
                      }});
  EnregistreCommande({.Nom = "MeStabilite", .Execute = [](TMainForm& f, bool) {
                        TStabForm w(f.Document(), &f);
                        RelieStab(f, w);
                        w.exec();
                      }});
  EnregistreCommande({.Nom = "MeDevisPoids", .Execute = [](TMainForm& f, bool) {
                        TPoidsForm w(f.Document(), &f);
                        w.ApresModification = [&f] { Redessine(f); };
                        w.exec();
                      }});
  // The mode: a release in a view adds a ballast there (see TFiltreBallast).
  EnregistreCommande({.Nom = "MeAjoutBallast", .Execute = [](TMainForm& f, bool coche) {
                        InstalleOutilBallast(f);
                        for (int t = tvSection; t <= tvPersp; t++)
                          if (TFormFille* v = f.Vue(t))
                            v->setCursor(coche ? Qt::PointingHandCursor : Qt::CrossCursor);
                      }});

  EnregistreFenetre({.Nom = "hydrostat",
                     .Montre =
                         [](TMainForm& f) {
                           return Montre<THydrostatForm>(f, [](THydrostatForm& w) { w.BtnCalculerClick(); });
                         },
                     .Imprime =
                         [](QWidget* w) {
                           auto* h = static_cast<THydrostatForm*>(w);
                           return DemandeImpression(h, QString::fromStdString(rs("rsHydrostatFormCaption")),
                                                    h->LignesRapport());
                         }});
  EnregistreFenetre({.Nom = "stab",
                     .Montre =
                         [](TMainForm& f) {
                           return Montre<TStabForm>(f, [](TStabForm& w) {
                             w.Calculer();
                             w.Pages->setCurrentIndex(1);  // the GZ curve
                           });
                         },
                     .Imprime = ImprimeStab});
  // The two pages beyond the sweep's: the cross curves around the floating displacement,
  // and the criteria of a sweep to 60 degrees.
  EnregistreFenetre(
      {.Nom = "stabkn",
       .Montre =
           [](TMainForm& f) {
             return Montre<TStabForm>(f, [](TStabForm& w) {
               const double d = w.Stab.CarInitiale.Valeur;
               w.EdKNDeplacements->setText(QString::asprintf("%.0f, %.0f, %.0f", 0.8 * d, d, 1.2 * d));
               w.CalculerKN();
               w.Pages->setCurrentIndex(5);
             });
           },
       .Imprime =
           [](QWidget* w) {
             auto* s = static_cast<TStabForm*>(w);
             return DemandeImpression(s, QString::fromStdString(rs("rsStabCaption")), s->LignesRapportKN());
           }});
  EnregistreFenetre({.Nom = "stabcriteres",
                     .Montre =
                         [](TMainForm& f) {
                           return Montre<TStabForm>(f, [](TStabForm& w) {
                             w.EdAngleMax->setText("60");
                             w.Calculer();
                             w.Pages->setCurrentIndex(6);
                           });
                         },
                     .Imprime =
                         [](QWidget* w) {
                           auto* s = static_cast<TStabForm*>(w);
                           return DemandeImpression(s, QString::fromStdString(rs("rsStabCaption")),
                                                    s->LignesRapportCriteres());
                         }});
  EnregistreFenetre({.Nom = "poids",
                     .Montre = [](TMainForm& f) { return Montre<TPoidsForm>(f, [](TPoidsForm&) {}); },
                     .Imprime =
                         [](QWidget* w) {
                           auto* p = static_cast<TPoidsForm*>(w);
                           return DemandeImpression(p, QString::fromStdString(rs("rsPoidsCaption")),
                                                    p->LignesRapport());
                         }});
});

}  // namespace

void RelieStab(TMainForm& f, TStabForm& w) {
  // Everything the heel moves (nets, meshes, bases, weights) is one undo step.
  w.AvantTransformer = [&f] {
    if (TEditionProgramme* e = f.Edition()) e->RecordAction(taSnapshot, "rsEtapeGite");
  };
  w.ApresTransformer = [&f] {
    if (TEditionProgramme* e = f.Edition()) e->ApresEdition();
    Redessine(f);
  };
}
