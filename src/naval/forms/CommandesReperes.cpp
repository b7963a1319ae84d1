// The commands and screenshot windows of the reference marks and flooding points, and the
// mode in which a click in a view adds a mark.
#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include "app/Principale.h"
#include "base/Chaines.h"
#include "edition/Cadrage.h"
#include "naval/forms/ReperesForm.h"
#include "session/Avis.h"
#include "ui/Registre.h"

namespace {

void Redessine(TMainForm& f) {
  AnnonceAvis(f.Document(), avReperes);
  f.AfficheNet();
}

// "crRep": the views' cross with the mark's own sign beside it.
QCursor CurseurRepere() {
  QPixmap pm(32, 32);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  for (int passe = 0; passe < 2; passe++) {
    p.setPen(QPen(passe == 0 ? Qt::white : Qt::black, passe == 0 ? 3 : 1));
    p.drawLine(15, 2, 15, 28);
    p.drawLine(2, 15, 28, 15);
    p.drawLine(20, 20, 28, 28);
    p.drawLine(20, 28, 28, 20);
  }
  p.end();
  return QCursor(pm, 15, 15);
}

// In the mark mode a release in a view opens "Nouveau repère" at the model point; the press
// and the drag are the mode's too, so that nothing else is picked or moved.
class TFiltreRepere : public QObject {
 public:
  explicit TFiltreRepere(TMainForm& f) : QObject(&f), F(f) { setObjectName("FiltreRepere"); }
  bool eventFilter(QObject* o, QEvent* e) override {
    const auto t = e->type();
    if (t != QEvent::MouseButtonPress && t != QEvent::MouseButtonRelease && t != QEvent::MouseButtonDblClick)
      return false;
    QAction* mode = F.Action("MeAjoutRepere");
    auto* me = static_cast<QMouseEvent*>(e);
    if (!mode || !mode->isChecked() || me->button() != Qt::LeftButton) return false;
    TFormFille* v = nullptr;
    for (int k = tvSection; k <= tvPersp; k++)
      if (F.Vue(k) == o) v = F.Vue(k);
    if (!v) return false;
    if (t != QEvent::MouseButtonRelease) return true;
    const QPoint p = me->position().toPoint();
    // The perspective view has no depth to invert a click: the mark starts at the origin.
    const TVertex3f m =
        v->Type() == tvPersp ? TVertex3f{0, 0, 0} : CalculePt3DInv(v->Cadrage.Param, p.x(), p.y(), 0);
    TDefReperesForm d(F.Document(), m, &F);
    d.move(me->globalPosition().toPoint());
    if (d.exec() == QDialog::Accepted) Redessine(F);
    // Shift held as the dialog closes keeps the mode for the next click.
    if (!(QApplication::keyboardModifiers() & Qt::ShiftModifier)) mode->setChecked(false);
    F.Rafraichit();
    return true;
  }
  TMainForm& F;
};

void InstalleFiltre(TMainForm& f) {
  if (f.findChild<TFiltreRepere*>("FiltreRepere", Qt::FindDirectChildrenOnly)) return;
  auto* filtre = new TFiltreRepere(f);
  for (int t = tvSection; t <= tvPersp; t++)
    if (TFormFille* v = f.Vue(t)) v->installEventFilter(filtre);
  // The cursor follows the mode however it is turned off.
  if (QAction* a = f.Action("MeAjoutRepere"))
    QObject::connect(a, &QAction::toggled, filtre, [&f](bool on) {
      for (int t = tvSection; t <= tvPersp; t++)
        if (TFormFille* v = f.Vue(t)) v->setCursor(on ? CurseurRepere() : QCursor(Qt::CrossCursor));
    });
}

template <class W>
W* Ouvre(TMainForm& f) {
  auto* w = new W(f.Document(), &f);
  w->setAttribute(Qt::WA_DeleteOnClose);
  w->ApresModification = [&f] { Redessine(f); };
  return w;
}

TImportRepForm* OuvreImport(TMainForm& f) {
  auto* w = Ouvre<TImportRepForm>(f);
  w->ChoisitFichier = [&f] {
    return f.ChoisirFichier ? f.ChoisirFichier(false, QString::fromStdString(rs("rsFiltreImportReperes")), {})
                            : QString();
  };
  return w;
}

const TEnregistrement Enregistre([] {
  EnregistreCommande({.Nom = "MeAjoutRepere", .Execute = [](TMainForm& f, bool coche) {
                        InstalleFiltre(f);
                        for (int t = tvSection; t <= tvPersp; t++)
                          if (TFormFille* v = f.Vue(t))
                            v->setCursor(coche ? CurseurRepere() : QCursor(Qt::CrossCursor));
                      }});
  EnregistreCommande(
      {.Nom = "MeListeReperes", .Execute = [](TMainForm& f, bool) { Ouvre<TReperesForm>(f)->exec(); }});
  EnregistreCommande({.Nom = "MeListeEnvahissement",
                      .Execute = [](TMainForm& f, bool) { Ouvre<TEnvahissementForm>(f)->exec(); }});
  EnregistreCommande(
      {.Nom = "MeImportReperes", .Execute = [](TMainForm& f, bool) { OuvreImport(f)->exec(); }});

  EnregistreFenetre({.Nom = "reperes", .Ordre = 320, .Montre = [](TMainForm& f) -> QWidget* {
                       auto* w = Ouvre<TReperesForm>(f);
                       w->show();
                       return w;
                     }});
  EnregistreFenetre({.Nom = "envahissement", .Ordre = 330, .Montre = [](TMainForm& f) -> QWidget* {
                       auto* w = Ouvre<TEnvahissementForm>(f);
                       w->show();
                       return w;
                     }});
  EnregistreFenetre({.Nom = "importrep", .Ordre = 340, .Montre = [](TMainForm& f) -> QWidget* {
                       auto* w = OuvreImport(f);
                       w->show();
                       return w;
                     }});
  EnregistreFenetre({.Nom = "defreperes", .Ordre = 350, .Montre = [](TMainForm& f) -> QWidget* {
                       auto* w = new TDefReperesForm(f.Document(), {1.25, 3.5, 0}, &f);
                       w->setAttribute(Qt::WA_DeleteOnClose);
                       w->show();
                       return w;
                     }});
});

}  // namespace
