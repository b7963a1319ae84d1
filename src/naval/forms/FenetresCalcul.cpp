#include "naval/forms/FenetresCalcul.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QMouseEvent>
#include <QTabWidget>
#include <cstdio>
#include <memory>

#include "app/forms/Principale.h"
#include "app/forms/Registre.h"
#include "lines/forms/TabCotesForm.h"
#include "naval/forms/HydrostatForm.h"
#include "naval/forms/PoidsForm.h"
#include "naval/forms/StabForm.h"
#include "views/Cadrage.h"

namespace {

void Redessine(TMainForm& f) {
  f.AfficheNet();
  f.RafraichitFenetresOutils();
}

// In the ballast mode a release in a view opens "Nouveau ballast" at the model point.
class TFiltreBallast : public QObject {
 public:
  explicit TFiltreBallast(TMainForm& f) : QObject(&f), F(f) {}
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() != QEvent::MouseButtonRelease) return false;
    QAction* mode = F.Action("MeAjoutBallast");
    auto* me = static_cast<QMouseEvent*>(e);
    if (!mode || !mode->isChecked() || me->button() != Qt::LeftButton) return false;
    for (int t = tvSection; t <= tvPersp; t++) {
      TFormFille* v = F.Vue(t);
      if (v != o || t == tvPersp) continue;
      QPoint p = me->position().toPoint();
      TDefPoidsForm d(F.Document(), CalculePt3DInv(v->Cadrage.Param, p.x(), p.y(), 0), &F);
      d.move(me->globalPosition().toPoint());
      if (d.exec() == QDialog::Accepted) Redessine(F);
      // Shift held keeps the mode for the next click.
      if (!(QApplication::keyboardModifiers() & Qt::ShiftModifier)) mode->setChecked(false);
      return true;
    }
    return false;
  }
  TMainForm& F;
};

TFiltreBallast& FiltreBallast(TMainForm& f) {
  if (auto* e = f.findChild<TFiltreBallast*>()) return *e;
  auto* filtre = new TFiltreBallast(f);
  for (int t = tvSection; t <= tvPersp; t++)
    if (TFormFille* v = f.Vue(t)) v->installEventFilter(filtre);
  return *filtre;
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
                        w.ApresTransformer = [&f] { Redessine(f); };
                        w.exec();
                      }});
  EnregistreCommande({.Nom = "MeDevisPoids", .Execute = [](TMainForm& f, bool) {
                        TPoidsForm w(f.Document(), &f);
                        w.ApresModification = [&f] { Redessine(f); };
                        w.exec();
                      }});
  EnregistreCommande({.Nom = "MeTableauCotes", .Execute = [](TMainForm& f, bool) {
                        TTabCotesForm w(f.Document(), &f);
                        w.exec();
                      }});
  // The mode: a release in a view adds a ballast there (see TFiltreBallast).
  EnregistreCommande({.Nom = "MeAjoutBallast", .Execute = [](TMainForm& f, bool coche) {
                        FiltreBallast(f);
                        for (int t = tvSection; t <= tvPersp; t++)
                          if (TFormFille* v = f.Vue(t))
                            v->setCursor(coche ? Qt::PointingHandCursor : Qt::CrossCursor);
                      }});

  EnregistreFenetre({.Nom = "hydrostat", .Montre = [](TMainForm& f) {
                       return Montre<THydrostatForm>(f, [](THydrostatForm& w) { w.BtnCalculerClick(); });
                     }});
  EnregistreFenetre({.Nom = "stab", .Montre = [](TMainForm& f) {
                       return Montre<TStabForm>(f, [](TStabForm& w) {
                         w.Calculer();
                         w.Pages->setCurrentIndex(1);  // the GZ curve
                       });
                     }});
  EnregistreFenetre(
      {.Nom = "poids", .Montre = [](TMainForm& f) { return Montre<TPoidsForm>(f, [](TPoidsForm&) {}); }});
  EnregistreFenetre({.Nom = "tabcotes", .Montre = [](TMainForm& f) {
                       return Montre<TTabCotesForm>(f, [](TTabCotesForm& w) { w.Calculer(); });
                     }});
});

}  // namespace
