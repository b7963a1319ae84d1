#include "edition/forms/OutilsMesure.h"

#include <QAction>
#include <QMouseEvent>
#include <QPainter>

#include "app/Principale.h"
#include "base/Chaines.h"
#include "base/Services.h"
#include "edition/Cadrage.h"
#include "ui/Registre.h"
#include "views/RenduQt.h"

namespace {

struct TMode {
  const char* Nom;
  TGenreMesure Genre;
  bool Cotation;
};
constexpr TMode Modes[] = {{"MeMesMetre", gmMetre, false}, {"MeMesRayon", gmRayon, false},
                           {"MeMesAngle", gmAngle, false}, {"MeCotMetre", gmMetre, true},
                           {"MeCotRayon", gmRayon, true},  {"MeCotAngle", gmAngle, true}};

constexpr int PanneauMesure = 3;

TFormFille* VueDe(TMainForm& f, QObject* o) {
  for (int t = tvSection; t <= tvPersp; t++)
    if (f.Vue(t) == o) return f.Vue(t);
  return nullptr;
}

}  // namespace

TOutilsMesure::TOutilsMesure(TMainForm& f) : QObject(&f), F(f) {
  setObjectName("OutilsMesure");
  for (int t = tvSection; t <= tvPersp; t++)
    if (TFormFille* v = f.Vue(t)) {
      v->installEventFilter(this);
      new TCalqueMesure(*this, *v);
    }
  for (const TMode& m : Modes)
    if (QAction* a = f.Action(m.Nom))
      connect(a, &QAction::toggled, this, [this] {
        // The user's change of mode forgets everything; the end of a gesture keeps the
        // measure it just gave on the screen and in the status bar.
        if (!FinParGeste) Reinitialise();
      });
  // A gesture under way forgets itself when the document it measures goes.
  Avis = TAbonnement(f.Document(), [this](const TAvis& a) {
    if (a.A(avDocument)) Reinitialise();
  });
}

TOutilsMesure::~TOutilsMesure() = default;

TOutilsMesure& TOutilsMesure::De(TMainForm& f) {
  if (auto* o = f.findChild<TOutilsMesure*>("OutilsMesure", Qt::FindDirectChildrenOnly)) return *o;
  return *new TOutilsMesure(f);
}

bool TOutilsMesure::ModeCourant(TGenreMesure& g, bool& cotation) const {
  for (const TMode& m : Modes)
    if (QAction* a = F.Action(m.Nom); a && a->isChecked()) {
      g = m.Genre, cotation = m.Cotation;
      return true;
    }
  return false;
}

void TOutilsMesure::Reinitialise() {
  Geste.Reinitialise();
  Affiche = Final = false;
  if (VueGeste) VueGeste->update();
  VueGeste = nullptr;
  F.EcritStatus(PanneauMesure, "");
}

int TOutilsMesure::Couleur() const { return F.OptionsVues().Mesure; }

void TOutilsMesure::MontreBande(TFormFille& v) {
  Affiche = true;
  F.EcritStatus(PanneauMesure, TexteStatusMesure(Geste.M));
  v.update();
}

void TOutilsMesure::FinDuMode() {
  FinParGeste = true;
  for (const TMode& m : Modes)
    if (QAction* a = F.Action(m.Nom); a && a->isChecked()) a->setChecked(false);
  FinParGeste = false;
  F.Rafraichit();
}

bool TOutilsMesure::eventFilter(QObject* o, QEvent* e) {
  const auto type = e->type();
  if (type == QEvent::Resize) {
    if (auto* w = qobject_cast<QWidget*>(o))
      for (auto* c : w->findChildren<TCalqueMesure*>(Qt::FindDirectChildrenOnly)) c->setGeometry(w->rect());
    return false;
  }
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
    return false;
  TGenreMesure genre = gmMetre;
  bool cotation = false;
  TFormFille* v = VueDe(F, o);
  if (!v) return false;
  if (!ModeCourant(genre, cotation)) {
    // The last measure stays on the screen until the next click in a view.
    if (type == QEvent::MouseButtonPress && Affiche) Reinitialise();
    return false;
  }
  auto* me = static_cast<QMouseEvent*>(e);
  const QPoint pos = me->position().toPoint();
  const TParamVue& vue = v->Cadrage.Param;
  if (type == QEvent::MouseMove) {
    // The pointer's coordinates still show; only a drag moves the tool.
    if (Geste.Etat == TGesteMesure::EnCours && VueGeste == v && (me->buttons() & Qt::LeftButton)) {
      Geste.Deplace(CalculePt3DInv(vue, pos.x(), pos.y(), 0), vue);
      MontreBande(*v);
    }
    return false;
  }
  if (me->button() != Qt::LeftButton) return false;
  if (type == QEvent::MouseButtonPress) {
    if (!MesurePossible(vue)) {
      // No depth to turn a click into a model point there.
      Reinitialise();
      AfficheMessage(rs("rsMesureRefuseePersp"), mtWarning, mbOK);
      return true;
    }
    // A new tool, or one half placed in another view or with another mode: start afresh.
    if (Geste.Etat == TGesteMesure::EnCours &&
        (VueGeste != v || Geste.Genre != genre || Cotation != cotation))
      Geste.Reinitialise();
    if (Geste.Etat == TGesteMesure::Libre) {
      if (VueGeste && VueGeste != v) VueGeste->update();
      Geste = TGesteMesure(genre);
      Cotation = cotation;
      VueGeste = v;
      Final = false;
    }
    Geste.Appui(CalculePt3DInv(vue, pos.x(), pos.y(), 0), vue);
    MontreBande(*v);
    return true;
  }
  // Release.
  if (Geste.Etat != TGesteMesure::EnCours || VueGeste != v) return true;
  if (!Geste.Relache(CalculePt3DInv(vue, pos.x(), pos.y(), 0), vue)) {
    MontreBande(*v);
    return true;
  }
  const bool garde = (me->modifiers() & Qt::ShiftModifier) != 0;
  if (Cotation) {
    // The document draws it from now on; the status bar was for its placing only.
    TDocument& d = F.Document();
    d.ListeCotes.push_back({GenreCote(Geste.M.Genre), Geste.M.Texte, Geste.M});
    d.ListeCotes.back().Outil.Etape = 2;
    d.MarqueModifie();
    Affiche = Final = false;
    F.EcritStatus(PanneauMesure, "");
    F.AfficheNet();
  } else {
    Final = true;
    MontreBande(*v);
  }
  if (!garde) FinDuMode();
  return true;
}

TCalqueMesure::TCalqueMesure(TOutilsMesure& o, TFormFille& v) : QWidget(&v), O(o), V(v) {
  setObjectName("CalqueMesure");
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setGeometry(v.rect());
  show();
}

void TCalqueMesure::paintEvent(QPaintEvent*) {
  if (!O.Affiche || O.VueGeste != &V) return;
  TListeDessin l;
  TMesure m = O.Geste.M;
  // Re-projected at each paint: a pan or zoom after a measure keeps it on its points.
  DessineMesure(m, V.Cadrage.Param, O.Couleur(), O.Final, l);
  QPainter p(this);
  RenduListe(p, l);
}

namespace {

const TEnregistrement Enregistre([] {
  // The modes are their actions' checked states (one group); the tools act on the views'
  // mouse once made.
  for (const TMode& m : Modes)
    EnregistreCommande({.Nom = m.Nom, .Execute = [](TMainForm& f, bool) { TOutilsMesure::De(f); }});
});

}  // namespace
