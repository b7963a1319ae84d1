// The view-control window and its command.
#include "edition/forms/VueCtrl.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QSlider>
#include <cmath>

#include "app/Principale.h"
#include "base/Chaines.h"
#include "base/Debug.h"
#include "edition/Cadrage.h"
#include "ui/Registre.h"

namespace {
constexpr double Pi = 3.14159265358979323846;
int Arrondi(double v) { return static_cast<int>(std::lround(v)); }
}  // namespace

TVueCtrlForm::TVueCtrlForm(TMainForm& f, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), F(f) {
  setObjectName("VueCtrlForm");
  setWindowTitle(QString::fromStdString(rs("rsVueCtrlCaption")));
  static const char* const titres[5] = {"rsVueCtrlEchelle", "rsVueCtrlDeplH", "rsVueCtrlDeplV",
                                        "rsVueCtrlAngleH", "rsVueCtrlAngleV"};
  auto* g = new QGridLayout(this);
  g->setVerticalSpacing(2);
  for (int k = 0; k < 5; k++) {
    auto* t = new QLabel(QString::fromStdString(rs(titres[k])), this);
    auto* v = new QLabel("0", this);
    v->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    v->setMinimumWidth(v->fontMetrics().horizontalAdvance("-20000") + 4);
    auto* c = new QSlider(Qt::Horizontal, this);
    c->setMinimumWidth(220);
    Titres[static_cast<size_t>(k)] = t;
    Valeurs[static_cast<size_t>(k)] = v;
    Curseurs[static_cast<size_t>(k)] = c;
    g->addWidget(t, 2 * k, 0);
    g->addWidget(v, 2 * k, 1);
    g->addWidget(c, 2 * k + 1, 0, 1, 2);
    connect(c, &QSlider::valueChanged, this, [this, k](int val) {
      Valeurs[static_cast<size_t>(k)]->setText(QString::asprintf("%d", val));
      if (!Maj) Applique(k, val);
    });
  }
  ChangeVue(F.Document().VueActive);
  MajPositions(F.Document().VueActive);
  adjustSize();
}

void TVueCtrlForm::ChangeVue(int type) {
  Type = type;
  Maj = true;
  Curseurs[Echelle]->setRange(1, static_cast<int>(F.OptV.ZoomMax));
  Curseurs[DeplH]->setRange(-20000, 20000);
  Curseurs[DeplV]->setRange(-10000, 10000);
  for (int k : {AngleH, AngleV}) {
    Curseurs[static_cast<size_t>(k)]->setRange(-360, 360);
    const bool persp = type == tvPersp;
    Curseurs[static_cast<size_t>(k)]->setEnabled(persp);
    Titres[static_cast<size_t>(k)]->setEnabled(persp);
    Valeurs[static_cast<size_t>(k)]->setEnabled(persp);
  }
  Maj = false;
}

void TVueCtrlForm::MajPositions(int type) {
  if (type != Type) return;
  TFormFille* v = F.Vue(type);
  if (!v) return;
  const TCadrage& c = v->Cadrage;
  Maj = true;
  Curseurs[Echelle]->setValue(Arrondi(c.Param.Echelle));
  Curseurs[DeplH]->setValue(c.Param.OrigineX - Arrondi(c.Largeur / 2.0));
  Curseurs[DeplV]->setValue(Arrondi(c.Hauteur / 2.0) - c.Param.OrigineY);
  if (type == tvPersp) {
    Curseurs[AngleH]->setValue(Arrondi(c.Param.Theta * 180 / Pi));
    Curseurs[AngleV]->setValue(Arrondi(c.Param.Phi * 180 / Pi));
  }
  for (size_t k = 0; k < 5; k++) Valeurs[k]->setText(QString::asprintf("%d", Curseurs[k]->value()));
  Maj = false;
}

void TVueCtrlForm::Applique(int curseur, int valeur) {
  TRACE("TVueCtrlForm.TrackBarChange");
  TFormFille* v = F.FenetreActive();
  if (!v) return;
  TCadrage& c = v->Cadrage;
  switch (curseur) {
    case Echelle:
      c.Param.Echelle = static_cast<float>(valeur);
      break;
    case DeplH:
      c.Param.OrigineX = Arrondi(c.Largeur / 2.0) + valeur;
      v->DeplH = valeur;
      break;
    case DeplV:
      c.Param.OrigineY = Arrondi(c.Hauteur / 2.0) - valeur;
      v->DeplV = valeur;
      break;
    case AngleH:
      if (v->Type() == tvPersp) c.Angles(valeur, c.ElevationDeg);
      break;
    case AngleV:
      if (v->Type() == tvPersp) c.Angles(c.AzimutDeg, valeur);
      break;
    default:
      return;
  }
  v->Redessine();
}

void TVueCtrlForm::closeEvent(QCloseEvent* e) {
  QWidget::closeEvent(e);
  hide();
  F.Rafraichit();  // unchecks "&Contrôle des vues"
}

TVueCtrlForm* VueCtrlExistante(const TMainForm& f) {
  // No meta-object of its own: findChild<TVueCtrlForm*> would take any widget.
  for (QObject* o : f.children())
    if (auto* w = dynamic_cast<TVueCtrlForm*>(o)) return w;
  return nullptr;
}

TVueCtrlForm& VueCtrl(TMainForm& f) {
  if (auto* w = VueCtrlExistante(f)) return *w;
  auto* w = new TVueCtrlForm(f, &f);
  // Activation binds it, every redraw of its view moves the sliders.
  QObject::connect(&f, &TMainForm::ActivationVue, w, [w](int t) {
    w->ChangeVue(t);
    w->MajPositions(t);
  });
  QObject::connect(&f, &TMainForm::RedessinVue, w, [w](int t) {
    if (w->isVisible()) w->MajPositions(t);
  });
  return *w;
}

namespace {

const TEnregistrement Enregistre([] {
  EnregistreCommande({.Nom = "MeControleVues",
                      .Coche =
                          [](const TMainForm& f) {
                            auto* w = VueCtrlExistante(f);
                            return w && w->isVisible();
                          },
                      .Execute =
                          [](TMainForm& f, bool coche) {
                            TVueCtrlForm& w = VueCtrl(f);
                            if (!coche) {
                              w.hide();
                              return;
                            }
                            w.ChangeVue(f.Document().VueActive);
                            w.MajPositions(f.Document().VueActive);
                            w.show();
                            w.raise();
                          }});
  EnregistreFenetre({.Nom = "vuectrl", .Montre = [](TMainForm& f) -> QWidget* {
                       f.ActiveVue(tvPersp, false);
                       TVueCtrlForm& w = VueCtrl(f);
                       w.ChangeVue(tvPersp);
                       w.MajPositions(tvPersp);
                       w.show();
                       return &w;
                     }});
});

}  // namespace
