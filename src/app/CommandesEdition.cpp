// The editing commands of the main window and the instant-hydrostatics panel.
#include "app/CommandesEdition.h"

#include <QAction>
#include <QApplication>
#include <QBitmap>
#include <QCursor>
#include <QFormLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QToolBar>
#include <QToolButton>
#include <exception>

#include "app/Principale.h"
#include "base/Chaines.h"
#include "base/Debug.h"
#include "base/Services.h"
#include "session/ObjCom.h"
#include "ui/Registre.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The named cursors: the view's cross with a sign telling what a click will do.
enum class TCurseurNomme { CroixInv, Insertion, Suppression };

QCursor CurseurNomme(TCurseurNomme c) {
  if (c == TCurseurNomme::CroixInv) return Qt::CrossCursor;
  QPixmap pm(32, 32);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  // A white halo under black strokes: visible on dark and light backgrounds alike.
  for (int passe = 0; passe < 2; passe++) {
    p.setPen(QPen(passe == 0 ? Qt::white : Qt::black, passe == 0 ? 3 : 1));
    p.drawLine(15, 2, 15, 28);
    p.drawLine(2, 15, 28, 15);
    p.drawLine(20, 24, 28, 24);
    if (c == TCurseurNomme::Insertion) p.drawLine(24, 20, 24, 28);
  }
  p.end();
  return QCursor(pm, 15, 15);
}

TFormFille* VueActive(TMainForm& f) { return f.Vue(f.Document().VueActive); }

// The editing commands in the registry. The modes' checked state is their action's own
// (the view's gesture turns them off); what follows from it runs on the action's toggled
// signal, wired by InstalleEdition, so that a handler has nothing more to do.
using F = TMainForm;
void Rien(F&, bool) {}
TEditionProgramme* Ed(const F& f) { return f.Edition(); }

const TEnregistrement Enregistre([] {
  EnregistreCommande({.Nom = "MeAnnuler",
                      .Actif = [](const F& f) { return Ed(f) && Ed(f)->Annulation().AnnulerActif(); },
                      .Execute = [](F& f, bool) { Ed(f)->Annuler(); }});
  EnregistreCommande({.Nom = "MeRefaire",
                      .Actif = [](const F& f) { return Ed(f) && Ed(f)->Annulation().RefaireActif(); },
                      .Execute = [](F& f, bool) { Ed(f)->Refaire(); }});
  for (const char* n : {"MeAjoutLigne", "MeSupprLigne", "MeTranslationH", "MeTranslationV"})
    EnregistreCommande({.Nom = n, .Execute = Rien});
  // The proportional items stay out of the menus; their keys constrain a drag as F5 and F6.
  EnregistreCommande({.Nom = "MeHomothetie",
                      .Places = {{"MeVertex", 75}},
                      .Genre = TGenre::SousMenu,
                      .Visible = [](const F&) { return false; }});
  EnregistreCommande({.Nom = "MeHomothetieH",
                      .Places = {{"MeHomothetie", 10}},
                      .Raccourci = "F7",
                      .Genre = TGenre::Coche,
                      .Execute = Rien});
  EnregistreCommande({.Nom = "MeHomothetieV",
                      .Places = {{"MeHomothetie", 20}},
                      .Raccourci = "F8",
                      .Genre = TGenre::Coche,
                      .Execute = Rien});
  EnregistreCommande({.Nom = "MeGrouperPlan", .Execute = [](F& f, bool) { Ed(f)->Grouper(false); }});
  EnregistreCommande({.Nom = "MeGrouperEspace", .Execute = [](F& f, bool) { Ed(f)->Grouper(true); }});
  EnregistreCommande({.Nom = "MeAlignerPlan", .Execute = [](F& f, bool) { Ed(f)->Aligner(false); }});
  EnregistreCommande({.Nom = "MeAlignerEspace", .Execute = [](F& f, bool) { Ed(f)->Aligner(true); }});
  EnregistreCommande({.Nom = "MeSouder", .Execute = [](F& f, bool) {
                        if (TFormFille* v = VueActive(f)) SouderPC(f.Document(), v->Selection);
                        Ed(f)->RedessineTout();
                      }});
  EnregistreCommande({.Nom = "MeDessouder", .Execute = [](F& f, bool) {
                        if (TFormFille* v = VueActive(f)) DessouderPC(f.Document(), v->Selection);
                        Ed(f)->RedessineTout();
                      }});
  EnregistreCommande({.Nom = "MeSelectTous", .Execute = [](F& f, bool) {
                        if (TFormFille* v = VueActive(f))
                          TSelectionVue(v->Tab, v->Selection).SelectAllPoints(f.Document());
                        Ed(f)->RedessineTout();
                      }});
  EnregistreCommande({.Nom = "MeHydroInstantanee",
                      .Places = {{"MeAffichage", 210, true}},
                      .Genre = TGenre::Coche,
                      .Coche = [](const F& f) { return Ed(f) && !Ed(f)->Panneau()->isHidden(); },
                      .Execute = [](F& f, bool on) { Ed(f)->MontrePanneau(on); }});
  // Screenshots: the four views with the panel docked beside them, and the selection window.
  EnregistreFenetre({.Nom = "hydro", .Ordre = 150, .Montre = [](F& f) -> QWidget* {
                       Ed(f)->MontrePanneau(true);
                       QApplication::processEvents();
                       f.MosaiqueHorizontale();
                       return &f;
                     }});
});

}  // namespace

TPanneauHydro::TPanneauHydro(QWidget* parent) : QDockWidget(Q(rs("rsHydroInstantanee")), parent) {
  setObjectName("PanneauHydro");
  auto* w = new QWidget(this);
  auto* l = new QFormLayout(w);
  l->setContentsMargins(8, 6, 8, 6);
  l->setLabelAlignment(Qt::AlignLeft);
  const char* cles[5] = {"rsHydroInstDeplacement", "rsHydroInstCC", "rsHydroInstMouillee",
                         "rsHydroInstFlottaison", "rsHydroInstCb"};
  for (size_t i = 0; i < Valeurs.size(); i++) {
    Valeurs[i] = new QLabel("-", w);
    Valeurs[i]->setObjectName(QString("HydroValeur%1").arg(i));
    Valeurs[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Valeurs[i]->setMinimumWidth(80);
    l->addRow(Q(rs(cles[i])), Valeurs[i]);
  }
  setWidget(w);
  setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
              QDockWidget::DockWidgetFloatable);
}

void TPanneauHydro::Affiche(const THydroInstant& h) {
  if (!h.Immerge) {
    Valeurs[0]->setText(Q(rs("rsHydroInstRien")));
    for (size_t i = 1; i < Valeurs.size(); i++) Valeurs[i]->setText("-");
    return;
  }
  Valeurs[0]->setText(Q(Format("%.0f", h.Deplacement)));
  Valeurs[1]->setText(Q(Format("%.3f", h.CCLongitudinal)));
  Valeurs[2]->setText(Q(Format("%.3f", h.SurfMouillee)));
  Valeurs[3]->setText(Q(Format("%.3f", h.AireFlottaison)));
  Valeurs[4]->setText(Q(Format("%.3f", h.Cb)));
}

QString TPanneauHydro::Texte(int i) const {
  return i >= 0 && i < static_cast<int>(Valeurs.size()) ? Valeurs[static_cast<size_t>(i)]->text() : QString();
}

TEditionProgramme::TEditionProgramme(TMainForm& f) : F(f) { Store.Reinitialise(); }

TEditionProgramme::~TEditionProgramme() {
  // The panel outlives this object inside the main window: it must not call back.
  if (Hydro) QObject::disconnect(Hydro, nullptr, &F, nullptr);
}

void TEditionProgramme::MajMenus() {
  F.Action("MeAnnuler")->setEnabled(Store.AnnulerActif());
  F.Action("MeRefaire")->setEnabled(Store.RefaireActif());
  // The captions name the step each would restore: several steps wait on each side.
  auto libelle = [](const char* simple, const char* avecEtape, const std::string& etape) {
    return Q(etape.empty() || !ChaineConnue(etape) ? rs(simple) : Format(rs(avecEtape), rs(etape).c_str()));
  };
  F.Action("MeAnnuler")
      ->setText(libelle("rsMeAnnulerCaption", "rsMeAnnulerEtapeCaption", Store.NomAnnuler()));
  F.Action("MeRefaire")
      ->setText(libelle("rsMeRefaireCaption", "rsMeRefaireEtapeCaption", Store.NomRefaire()));
}

void TEditionProgramme::RecordAction(int type, const std::string& nom) {
  try {
    if (!Store.RecordAction(F.Document(), type, nom))
      AfficheMessage(rs("rsRecordActionIndefini"), mtError, mbOK);
  } catch (const std::exception& e) {
    DbgErr(erDivers, "TMainForm.RecordAction", type, {e.what()});
    AfficheMessage(rs("rsErrRecordAction") + std::to_string(type), mtError, mbOK);
  }
  MajMenus();
}

void TEditionProgramme::Echange(bool refaire) {
  TDocument& doc = F.Document();
  try {
    if (refaire)
      Store.Refaire(doc);
    else
      Store.Annuler(doc);
  } catch (const std::exception& e) {
    DbgErr(erDivers, "TMainForm.MeAnnulerClick", Store.TypeAction(), {e.what()});
    AfficheMessage(rs("rsErrAnnuler") + std::to_string(Store.TypeAction()), mtError, mbOK);
  }
  GeometrieModifiee(doc, avDocument);
  RepareSelections();
  MajMenus();
  MajPanneau();
  F.AfficheNet();
}

void TEditionProgramme::Annuler() { Echange(false); }
void TEditionProgramme::Refaire() { Echange(true); }

void TEditionProgramme::DocumentFerme() {
  Store.Oublie();
  MajMenus();
  MajPanneau();
}

void TEditionProgramme::RepareSelections() {
  TDocument& doc = F.Document();
  for (int t = tvSection; t <= tvPersp; t++)
    if (TFormFille* v = F.Vue(t)) TSelectionVue(v->Tab, v->Selection).Repare(doc);
  RepareCurrentPC(doc);
}

void TEditionProgramme::MajPanneau() {
  // Hidden, it does no work: it catches up when shown.
  if (!Hydro || !Hydro->isVisible()) return;
  Perime = false;
  Hydro->Affiche(CalcHydroInstant(F.Document()));
}

TModesEdition TEditionProgramme::ModesEdition() const {
  auto c = [this](const char* n) { return F.Action(n)->isChecked(); };
  TModesEdition m;
  m.Insertion = c("MeAjoutLigne");
  m.Suppression = c("MeSupprLigne");
  m.Horizontale = c("MeTranslationH") || c("MeHomothetieH");
  m.Verticale = c("MeTranslationV") || c("MeHomothetieV");
  m.BasePlanSym = c("MeBasePlanSym");
  m.Orientation = c("MeOrientation");
  return m;
}

void TEditionProgramme::FinInsertionSuppression() {
  F.Action("MeAjoutLigne")->setChecked(false);
  F.Action("MeSupprLigne")->setChecked(false);
}

void TEditionProgramme::FinContraintes() {
  for (const char* n : {"MeTranslationH", "MeTranslationV", "MeHomothetieH", "MeHomothetieV"})
    F.Action(n)->setChecked(false);
}

void TEditionProgramme::ApresEdition() {
  GeometrieModifiee(F.Document());
  MajPanneau();
}

void TEditionProgramme::RedessineTout() { F.AfficheNet(); }

void TEditionProgramme::Status(int panneau, const std::string& texte) { F.EcritStatus(panneau, texte); }

void TEditionProgramme::MajCurseurs() {
  QCursor c = CurseurNomme(TCurseurNomme::CroixInv);
  if (F.Action("MeDeplacer")->isChecked())
    c = Qt::SizeAllCursor;
  else if (F.Action("MeZoom")->isChecked())
    c = Qt::CrossCursor;
  else if (F.Action("MeAjoutLigne")->isChecked())
    c = CurseurNomme(TCurseurNomme::Insertion);
  else if (F.Action("MeSupprLigne")->isChecked())
    c = CurseurNomme(TCurseurNomme::Suppression);
  else if (F.Action("MeTranslationH")->isChecked() || F.Action("MeHomothetieH")->isChecked())
    c = Qt::SizeHorCursor;
  else if (F.Action("MeTranslationV")->isChecked() || F.Action("MeHomothetieV")->isChecked())
    c = Qt::SizeVerCursor;
  for (int t = tvSection; t <= tvPersp; t++)
    if (TFormFille* v = F.Vue(t)) v->setCursor(c);
}

void TEditionProgramme::MontrePanneau(bool on) {
  Hydro->setVisible(on);
  MajPanneau();
}

void TEditionProgramme::Grouper(bool espace) {
  TFormFille* v = VueActive(F);
  if (!v) return;
  TDocument& doc = F.Document();
  if (v->Selection.size() >= 2) RecordAction(taSnapshot, "rsEtapeGrouper");
  if (GrouperPC(doc, v->Selection, espace ? -1 : v->Type())) ApresEdition();
  F.AfficheNet();
}

void TEditionProgramme::Aligner(bool espace) {
  TFormFille* v = VueActive(F);
  if (!v) return;
  TDocument& doc = F.Document();
  if (v->Selection.size() > 2) RecordAction(taSnapshot, "rsEtapeAligner");
  bool ok = espace ? AligneDanslEspace(doc, v->Selection) : AligneDansLePlan(doc, v->Selection, v->Type());
  if (ok) ApresEdition();
  F.AfficheNet();
}

TEditionProgramme* InstalleEdition(TMainForm& f) {
  auto* e = new TEditionProgramme(f);
  // The tool-bar button is never disabled: it runs undo whatever the menu's state.
  if (auto* b = f.BarreOutils()->findChild<QToolButton*>("SBAnnuler")) {
    QObject::disconnect(f.Action("MeAnnuler"), nullptr, b, nullptr);
    QObject::disconnect(b, &QToolButton::clicked, nullptr, nullptr);
    b->setEnabled(true);
    // With one step it goes back and forth as it always did; with more it undoes.
    QObject::connect(b, &QToolButton::clicked, &f, [e, &f] {
      if (!e->Annulation().AnnulerActif() && e->Annulation().RefaireActif())
        e->Refaire();
      else
        e->Annuler();
      f.Rafraichit();
    });
  }
  // Two-state modes: one click mode at a time, one constraint at a time.
  auto exclusifs = [&f, e](const char* a, const char* b) {
    QAction* qa = f.Action(a);
    QAction* qb = f.Action(b);
    QObject::connect(qa, &QAction::toggled, &f, [qb, e](bool on) {
      if (on) qb->setChecked(false);
      e->MajCurseurs();
    });
    QObject::connect(qb, &QAction::toggled, &f, [qa, e](bool on) {
      if (on) qa->setChecked(false);
      e->MajCurseurs();
    });
  };
  exclusifs("MeAjoutLigne", "MeSupprLigne");
  exclusifs("MeTranslationH", "MeTranslationV");
  exclusifs("MeHomothetieH", "MeHomothetieV");
  // In a hidden menu the keys would not reach them: the window holds them too.
  f.addAction(f.Action("MeHomothetieH"));
  f.addAction(f.Action("MeHomothetieV"));
  QObject::connect(f.Action("MeAjoutLigne"), &QAction::toggled, &f, [&f](bool on) {
    f.Aff.ModeInsertion = on;
    f.AfficheNet();
  });
  for (const char* n : {"MeDeplacer", "MeZoom"})
    QObject::connect(f.Action(n), &QAction::toggled, &f, [e] { e->MajCurseurs(); });

  // The panel, off by default, toggled from "Affichage".
  e->Hydro = new TPanneauHydro(&f);
  f.addDockWidget(Qt::RightDockWidgetArea, e->Hydro);
  e->Hydro->hide();
  // Closed by its own button: the menu item follows.
  QObject::connect(e->Hydro, &QDockWidget::visibilityChanged, &f, [e, &f](bool v) {
    if (v) e->MajPanneau();
    f.Rafraichit();
  });
  e->MajCurseurs();
  return e;
}

THoteEdition* TMainForm::HoteEdition() { return Edit; }
