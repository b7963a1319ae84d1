// The vertex editor, its command, the views' double click and its screenshot.
#include "edition/forms/EditPCForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/CommandesEdition.h"
#include "app/Principale.h"
#include "base/Chaines.h"
#include "base/Debug.h"
#include "base/Services.h"
#include "edition/EditPC.h"
#include "session/ObjCom.h"
#include "ui/Dialogues.h"
#include "ui/Registre.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
const char* const NomsChamps[4] = {"X", "Y", "Z", "W"};

QToolButton* Fleche(QWidget* parent, const char* nom, Qt::ArrowType a) {
  auto* b = new QToolButton(parent);
  b->setObjectName(nom);
  b->setArrowType(a);
  b->setAutoRaise(true);
  b->setFixedSize(22, 16);
  return b;
}

}  // namespace

TEditPCForm::TEditPCForm(TMainForm& f, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint), F(f) {
  setObjectName("EditPCForm");
  setWindowTitle(Q(rs("rsEditPCFormCaption")));
  setModal(false);
  auto* l = new QVBoxLayout(this);
  ListeSurf = new QComboBox(this);
  ListeSurf->setObjectName("ListeSurf");
  l->addWidget(ListeSurf);
  connect(ListeSurf, &QComboBox::activated, this, [this](int i) { ChoisitSurface(i); });

  auto* g = new QGridLayout;
  LabelLn = new QLabel(this);
  LabelCol = new QLabel(this);
  auto* hautLn = ::Fleche(this, "HautLn", Qt::UpArrow);
  auto* basLn = ::Fleche(this, "BasLn", Qt::DownArrow);
  auto* hautCol = ::Fleche(this, "HautCol", Qt::UpArrow);
  auto* basCol = ::Fleche(this, "BasCol", Qt::DownArrow);
  connect(hautLn, &QToolButton::clicked, this, [this] { Fleche(true, 1); });
  connect(basLn, &QToolButton::clicked, this, [this] { Fleche(true, -1); });
  connect(hautCol, &QToolButton::clicked, this, [this] { Fleche(false, 1); });
  connect(basCol, &QToolButton::clicked, this, [this] { Fleche(false, -1); });
  auto fleches = [](QToolButton* h, QToolButton* b) {
    auto* v = new QVBoxLayout;
    v->setSpacing(0);
    v->addWidget(h);
    v->addWidget(b);
    return v;
  };
  g->addWidget(LabelLn, 0, 0);
  g->addLayout(fleches(hautLn, basLn), 0, 1);
  g->addWidget(LabelCol, 0, 2);
  g->addLayout(fleches(hautCol, basCol), 0, 3);
  for (int i = 0; i < 4; i++) {
    auto* e = new QLineEdit(this);
    e->setObjectName(QString("Champ") + NomsChamps[i]);
    // Wide enough for "-1234.5678": a field cut short would apply a wrong number.
    e->setMaxLength(16);
    e->setAlignment(Qt::AlignRight);
    Champs[static_cast<size_t>(i)] = e;
    connect(e, &QLineEdit::editingFinished, this, [this, i] { QuitteChamp(i); });
    g->addWidget(new QLabel(NomsChamps[i], this), 1 + i, 0);
    g->addWidget(e, 1 + i, 1, 1, 3);
  }
  g->setColumnStretch(0, 1);
  g->setColumnStretch(2, 1);
  l->addLayout(g);

  auto* b = new QHBoxLayout;
  BtnAppliquer = new QPushButton(Q(rs("rsEditPCAppliquer")), this);
  BtnAppliquer->setObjectName("BtnAppliquer");
  BtnAppliquer->setDefault(true);
  auto* fermer = new QPushButton(Q(rs("rsEditPCFermer")), this);
  fermer->setObjectName("BtnFermer");
  connect(BtnAppliquer, &QPushButton::clicked, this, [this] { Appliquer(); });
  connect(fermer, &QPushButton::clicked, this, [this] { reject(); });
  b->addWidget(BtnAppliquer);
  b->addWidget(fermer);
  l->addLayout(b);
  setFixedWidth(220);
}

QString TEditPCForm::TexteLn() const { return LabelLn->text(); }
QString TEditPCForm::TexteCol() const { return LabelCol->text(); }

void TEditPCForm::RemplieListe() {
  Remplissage = true;
  ListeSurf->clear();
  const TDocument& doc = F.Document();
  for (int k = 0; k < doc.NbSurf(); k++) ListeSurf->addItem(Q(doc.Surf(k).Nom));
  Remplissage = false;
}

void TEditPCForm::VideListe() {
  Remplissage = true;
  ListeSurf->clear();
  ListeSurf->setCurrentIndex(0);
  Remplissage = false;
}

void TEditPCForm::SelPoint(const TPC& pc) {
  Montre = pc;
  AffichePoint(pc);
}

void TEditPCForm::AffichePoint(const TPC& pc) {
  Montre = pc;
  const TDocument& doc = F.Document();
  Remplissage = true;
  if (pc.NumSurf >= 0 && pc.NumSurf < ListeSurf->count()) {
    ListeSurf->setCurrentIndex(pc.NumSurf);
    ListeSurf->setToolTip(Q(doc.Surf(pc.NumSurf).Nom));
  }
  Remplissage = false;
  LabelLn->setText(Q(Format(rs("rsEditPCLn"), pc.NumLn)));
  LabelCol->setText(Q(Format(rs("rsEditPCCol"), pc.NumCol)));
  if (VertexNurbs(doc, pc))
    for (int c = 0; c < 4; c++) {
      double& v = c == 0 ? Edite.X : c == 1 ? Edite.Y : c == 2 ? Edite.Z : Edite.W;
      v = LitCoordonneeVertex(doc, pc, c);
    }
  Mod = false;
  MontreChamps();
}

void TEditPCForm::MontreChamps() {
  for (int c = 0; c < 4; c++) MontreChamp(c);
}

void TEditPCForm::MontreChamp(int c) {
  const bool nurbs = VertexNurbs(F.Document(), Montre);
  const double v[4] = {Edite.X, Edite.Y, Edite.Z, Edite.W};
  QLineEdit* e = Champs[static_cast<size_t>(c)];
  e->setText(nurbs ? Q(Format("%.4f", v[c])) : QString());
  e->setModified(false);
  e->setEnabled(nurbs);
}

bool TEditPCForm::QuitteChamp(int i) {
  QLineEdit* e = Champs[static_cast<size_t>(i)];
  // Only what the user typed is converted: a field merely left keeps the exact value.
  if (!e->isModified() || !VertexNurbs(F.Document(), Montre)) return true;
  const std::string texte = e->text().toStdString();
  double v = 0;
  if (!LitCoordonnee(texte, v)) {
    MontreChamp(i);
    AfficheMessage(Format(rs("rsEditPCErrValeur"), NomsChamps[i], texte.c_str()), mtError, mbOK);
    return false;
  }
  (i == 0 ? Edite.X : i == 1 ? Edite.Y : i == 2 ? Edite.Z : Edite.W) = v;
  Mod = true;
  // This field only: another one may hold text typed and not yet converted.
  MontreChamp(i);
  return true;
}

bool TEditPCForm::Appliquer() {
  TRACE("TEditPCForm.BtnAppliquerClick");
  for (int i = 0; i < 4; i++)
    if (!QuitteChamp(i)) return false;
  TDocument& doc = F.Document();
  if (!Mod || !VertexNurbs(doc, Montre)) return false;
  TPtNet avant;
  for (int c = 0; c < 4; c++)
    (c == 0 ? avant.X : c == 1 ? avant.Y : c == 2 ? avant.Z : avant.W) = LitCoordonneeVertex(doc, Montre, c);
  Mod = false;
  // The undo step only before a real change: "Annuler" must never undo nothing.
  if (avant == Edite) return false;
  F.Edition()->RecordAction(taSnapshot, "rsEtapeEditeurVertex");
  AppliqueVertex(doc, Montre, Edite);
  F.Edition()->ApresEdition();
  doc.MarqueModifie();
  F.AfficheNet();
  return true;
}

void TEditPCForm::Fleche(bool ligne, int sens) {
  TDocument& doc = F.Document();
  const TSurface* s = doc.SurfNurbs(Montre.NumSurf);
  if (!s) return;
  TPC pc = Montre;
  int& n = ligne ? pc.NumLn : pc.NumCol;
  const int max = ligne ? s->Net.NbLn : s->Net.NbCol;
  if (sens > 0 && n + 1 < max)
    n++;
  else if (sens < 0 && n > 0)
    n--;
  else
    return;
  ChangeCurrentPC(doc, pc);
  SelPoint(doc.PCCourant);
  F.AfficheNet();
}

void TEditPCForm::ChoisitSurface(int index) {
  if (Remplissage || index < 0 || index >= F.Document().NbSurf()) return;
  TDocument& doc = F.Document();
  ChangeCurrentPC(doc, TPC{index, 0, 0});
  SelPoint(TPC{index, 0, 0});
  F.AfficheNet();
}

void TEditPCForm::Suit() {
  if (!isVisible()) return;
  const TDocument& doc = F.Document();
  if (doc.NbSurf() == 0) {
    Ferme();
    return;
  }
  bool noms = ListeSurf->count() == doc.NbSurf();
  for (int k = 0; noms && k < doc.NbSurf(); k++) noms = ListeSurf->itemText(k) == Q(doc.Surf(k).Nom);
  if (!noms) RemplieListe();
  // Values typed and not applied stay while the same vertex is shown.
  if (!(doc.PCCourant == Montre) && doc.PCCourant.Existe())
    SelPoint(doc.PCCourant);
  else if (!Mod)
    AffichePoint(Montre);
}

void TEditPCForm::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  Mod = false;
  RemplieListe();
  SelPoint(F.Document().PCCourant);
}

void TEditPCForm::Ferme() {
  VideListe();
  hide();
  F.Rafraichit();
}

void TEditPCForm::closeEvent(QCloseEvent* e) {
  QDialog::closeEvent(e);
  VideListe();
  F.Rafraichit();
}

void TEditPCForm::reject() { Ferme(); }

TEditPCForm& EditeurPC(TMainForm& f) {
  if (auto* e = f.findChild<TEditPCForm*>("EditPCForm")) return *e;
  auto* e = new TEditPCForm(f, &f);
  // Every redraw of the model reaches the editor.
  QObject::connect(&f, &TMainForm::ModeleRedessine, e, [e] { e->Suit(); });
  return *e;
}

namespace {

// A double click in a view opens the editor on the vertex the first click made current.
class TFiltreDoubleClic : public QObject {
 public:
  explicit TFiltreDoubleClic(TMainForm& f) : QObject(&f), F(f) {}
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton && F.Document().NbSurf() > 0)
      F.Lance("MeEditeurVertex", true);
    return false;
  }
  TMainForm& F;
};

const TEnregistrement Enregistre([] {
  EnregistreCommande({.Nom = "MeEditeurVertex",
                      .Actif = [](const TMainForm& f) { return f.Document().NbSurf() > 0; },
                      .Coche =
                          [](const TMainForm& f) {
                            auto* e = f.findChild<TEditPCForm*>("EditPCForm");
                            return e && e->isVisible();
                          },
                      .Execute =
                          [](TMainForm& f, bool on) {
                            TEditPCForm& e = EditeurPC(f);
                            if (on && f.Document().NbSurf() > 0) {
                              e.show();
                              e.raise();
                            } else {
                              e.reject();
                            }
                          }});
  EnregistreFenetre(
      {.Nom = "editpc", .Ordre = 250, .Montre = [](TMainForm& f) -> QWidget* {
         TDocument& doc = f.Document();
         if (doc.NbSurf() == 0) return nullptr;
         if (!VertexNurbs(doc, doc.PCCourant))
           for (int k = 0; k < doc.NbSurf(); k++)
             if (doc.SurfNurbs(k)) {
               ChangeCurrentPC(doc, TPC{k, doc.SurfNurbs(k)->Net.NbLn / 2, doc.SurfNurbs(k)->Net.NbCol / 2});
               break;
             }
         f.Lance("MeEditeurVertex", true);
         QApplication::processEvents();
         return &EditeurPC(f);
       }});
});

}  // namespace

void InstalleEditeurVertex(TMainForm& f) {
  auto* filtre = new TFiltreDoubleClic(f);
  for (int t = tvSection; t <= tvPersp; t++)
    if (TFormFille* v = f.Vue(t)) v->installEventFilter(filtre);
}

namespace {
const TEnregistrement EnregistreModuleEditeur([] {
  EnregistreModule({.Nom = "editeurvertex", .Installe = InstalleEditeurVertex});
});
}  // namespace

TEditPCForm::~TEditPCForm() { DetacheChamps(*this); }
