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

void Brancher(TMainForm& f, const char* nom, std::function<void()> action) {
  QAction* a = f.Action(nom);
  if (!a) return;
  a->setEnabled(true);
  QObject::connect(a, &QAction::triggered, &f, std::move(action));
}

}  // namespace

void RelieFenetresCalcul(TMainForm& f) {
  Brancher(f, "MeHydrostatique", [&f] {
    THydrostatForm w(f.Document(), &f);
    w.exec();
  });
  Brancher(f, "MeStabilite", [&f] {
    TStabForm w(f.Document(), &f);
    w.ApresTransformer = [&f] { Redessine(f); };
    w.exec();
  });
  Brancher(f, "MeDevisPoids", [&f] {
    TPoidsForm w(f.Document(), &f);
    w.ApresModification = [&f] { Redessine(f); };
    w.exec();
  });
  Brancher(f, "MeTableauCotes", [&f] {
    TTabCotesForm w(f.Document(), &f);
    w.exec();
  });
  if (QAction* a = f.Action("MeAjoutBallast")) {
    a->setEnabled(true);
    auto* filtre = new TFiltreBallast(f);
    for (int t = tvSection; t <= tvPersp; t++)
      if (TFormFille* v = f.Vue(t)) v->installEventFilter(filtre);
    QObject::connect(a, &QAction::toggled, &f, [&f](bool on) {
      for (int t = tvSection; t <= tvPersp; t++)
        if (TFormFille* v = f.Vue(t)) v->setCursor(on ? Qt::PointingHandCursor : Qt::CrossCursor);
    });
  }
}

bool EstFenetreCalcul(const std::string& nom) {
  return nom == "hydrostat" || nom == "stab" || nom == "poids" || nom == "tabcotes";
}

int CaptureFenetreCalcul(TMainForm& f, const std::string& nom, const QString& sortie) {
  std::unique_ptr<QDialog> w;
  TDocument& doc = f.Document();
  if (nom == "hydrostat") {
    auto* h = new THydrostatForm(doc);
    w.reset(h);
    h->BtnCalculerClick();
  } else if (nom == "stab") {
    auto* s = new TStabForm(doc);
    w.reset(s);
    s->Calculer();
    s->Pages->setCurrentIndex(1);  // the GZ curve
  } else if (nom == "poids") {
    w.reset(new TPoidsForm(doc));
  } else if (nom == "tabcotes") {
    auto* t = new TTabCotesForm(doc);
    w.reset(t);
    t->Calculer();
  } else {
    return 2;
  }
  w->show();
  QApplication::processEvents();
  QImage im = w->grab().toImage();
  if (!im.save(sortie, "PNG")) {
    std::fprintf(stderr, "brivane: cannot write %s\n", sortie.toStdString().c_str());
    return 1;
  }
  return 0;
}
