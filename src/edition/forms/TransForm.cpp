// The transformations window.
#include "edition/forms/TransForm.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cmath>

#include "base/Chaines.h"
#include "base/Debug.h"
#include "base/Services.h"
#include "session/ObjCom.h"
#include "ui/ChoixSurfaces.h"
#include "ui/Dialogues.h"

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
QString F3(double v) { return QString::asprintf("%.3f", v); }
QString F2(double v) { return QString::asprintf("%.2f", v); }

bool Nombre(const QLineEdit* e, double& v) {
  bool ok = false;
  v = e->text().trimmed().toDouble(&ok);
  return ok && std::isfinite(v);
}

QLineEdit* Champ(QWidget* parent, const QString& nom) {
  auto* e = new QLineEdit("0.000", parent);
  e->setObjectName(nom);
  e->setAlignment(Qt::AlignRight);
  e->setMaximumWidth(110);
  return e;
}

}  // namespace

TTransForm::TTransForm(TDocument& doc, QWidget* parent) : QDialog(parent), Doc(doc) {
  setObjectName("TransForm");
  setWindowTitle(Q(rs("rsTransFormCaption")));
  setWindowFlag(Qt::Tool);
  setSizeGripEnabled(true);
  setMinimumSize(475, 450);
  auto* racine = new QVBoxLayout(this);
  auto* haut = new QHBoxLayout;
  racine->addLayout(haut, 1);

  auto* gauche = new QVBoxLayout;
  const TChoixSurfaces choix = AjouteChoixSurfaces(this, gauche);
  Liste = choix.Liste, BtnToutes = choix.Toutes, BtnAucune = choix.Aucune;
  Liste->setMinimumWidth(140);
  Liste->setMaximumWidth(200);
  haut->addLayout(gauche);

  Pages = new QTabWidget(this);
  Pages->setObjectName("Pages");
  haut->addWidget(Pages, 1);
  const char* axes[3] = {"X", "Y", "Z"};

  // Translation.
  {
    auto* p = new QWidget;
    auto* v = new QVBoxLayout(p);
    auto* g = new QGroupBox(Q(rs("rsGBDeplacementCaption")), p);
    auto* gl = new QGridLayout(g);
    const char* cles[3] = {"rsLabelDepTransCaption", "rsLabelDepLongCaption", "rsLabelDepVertCaption"};
    for (int a = 0; a < 3; a++) {
      Depl[size_t(a)] = Champ(g, QString("EdDepl") + axes[a]);
      gl->addWidget(new QLabel(Q(rs(cles[a])) + QString(" (%1)").arg(axes[a]), g), a, 0);
      gl->addWidget(Depl[size_t(a)], a, 1);
      gl->addWidget(new QLabel("m", g), a, 2);
    }
    v->addWidget(g);
    v->addStretch(1);
    Pages->addTab(p, Q(rs("rsTS_DeplCaption")));
  }
  // Rotation.
  {
    auto* p = new QWidget;
    auto* v = new QVBoxLayout(p);
    auto* gc = new QGroupBox(Q(rs("rsGBCentreRotCaption")), p);
    auto* lc = new QGridLayout(gc);
    const char* cc[3] = {"rsLabelCRotXCaption", "rsLabelCRotYCaption", "rsLabelCRotZCaption"};
    for (int a = 0; a < 3; a++) {
      CentreRot[size_t(a)] = Champ(gc, QString("EdCRot") + axes[a]);
      lc->addWidget(new QLabel(Q(rs(cc[a])), gc), a, 0);
      lc->addWidget(CentreRot[size_t(a)], a, 1);
      lc->addWidget(new QLabel("m", gc), a, 2);
    }
    v->addWidget(gc);
    auto* ga = new QGroupBox(Q(rs("rsGBAnglesRotCaption")), p);
    auto* la = new QGridLayout(ga);
    const char* ca[3] = {"rsLabelARotXCaption", "rsLabelARotYCaption", "rsLabelARotZCaption"};
    for (int a = 0; a < 3; a++) {
      AnglesRot[size_t(a)] = Champ(ga, QString("EdARot") + axes[a]);
      la->addWidget(new QLabel(Q(rs(ca[a])), ga), a, 0);
      la->addWidget(AnglesRot[size_t(a)], a, 1);
      la->addWidget(new QLabel("°", ga), a, 2);
    }
    v->addWidget(ga);
    v->addStretch(1);
    Pages->addTab(p, Q(rs("rsTS_RotCaption")));
  }
  // Mirrors.
  {
    auto* p = new QWidget;
    auto* v = new QVBoxLayout(p);
    BtnMirHor = BoutonTexte(p, "rsBtnMirHorCaption", "BtnMirHor");
    BtnMirVer = BoutonTexte(p, "rsBtnMirVerCaption", "BtnMirVer");
    for (QPushButton* b : {BtnMirHor, BtnMirVer}) {
      b->setCheckable(true);
      b->setMinimumHeight(36);
      v->addWidget(b);
    }
    // One text a line: a language file's text holds no line break.
    v->addWidget(new QLabel(Q(rs("rsLabelMirHor")) + "\n" + Q(rs("rsLabelMirVer")), p));
    v->addStretch(1);
    Pages->addTab(p, Q(rs("rsTS_MirCaption")));
  }
  // Size.
  {
    auto* p = new QWidget;
    auto* v = new QVBoxLayout(p);
    auto* g = new QGroupBox(Q(rs("rsGBTailleCaption")), p);
    auto* gl = new QGridLayout(g);
    const char* ct[3] = {"rsLabelTaiXCaption", "rsLabelTaiYCaption", "rsLabelTaiZCaption"};
    gl->addWidget(new QLabel("m", g), 0, 1, Qt::AlignCenter);
    gl->addWidget(new QLabel("%", g), 0, 2, Qt::AlignCenter);
    gl->addWidget(new QLabel(Q(rs("rsLabelPropCaption")), g), 0, 3);
    for (int a = 0; a < 3; a++) {
      Taille[size_t(a)] = Champ(g, QString("EdTaille") + axes[a]);
      Pct[size_t(a)] = Champ(g, QString("EdPct") + axes[a]);
      Pct[size_t(a)]->setText("100.00");
      Prop[size_t(a)] = new QCheckBox(g);
      Prop[size_t(a)]->setObjectName(QString("CBProp") + axes[a]);
      gl->addWidget(new QLabel(Q(rs(ct[a])), g), a + 1, 0);
      gl->addWidget(Taille[size_t(a)], a + 1, 1);
      gl->addWidget(Pct[size_t(a)], a + 1, 2);
      gl->addWidget(Prop[size_t(a)], a + 1, 3, Qt::AlignCenter);
    }
    v->addWidget(g);
    RBSurPlace = new QRadioButton(Q(rs("rsRB_SurPlaceCaption")), p);
    RBSurPlace->setObjectName("RBSurPlace");
    RBConsPosRel = new QRadioButton(Q(rs("rsRB_ConsPosRelCaption")), p);
    RBConsPosRel->setObjectName("RBConsPosRel");
    RBConsPosRel->setChecked(true);
    v->addWidget(RBSurPlace);
    v->addWidget(RBConsPosRel);
    v->addStretch(1);
    Pages->addTab(p, Q(rs("rsTS_TailleCaption")));
  }

  CBPoids = new QCheckBox(Q(rs("rsCB_ModifLstPoidsCaption")), this);
  CBPoids->setObjectName("CBPoids");
  CBPoids->setChecked(true);
  CBPlanSym = new QCheckBox(Q(rs("rsCB_ModifPlanSymCaption")), this);
  CBPlanSym->setObjectName("CBPlanSym");
  CBPlanSymSeul = new QCheckBox(Q(rs("rsCB_ModifPlanSymSeulCaption")), this);
  CBPlanSymSeul->setObjectName("CBPlanSymSeul");
  for (QCheckBox* c : {CBPoids, CBPlanSym, CBPlanSymSeul}) racine->addWidget(c);

  auto* bas = new QHBoxLayout;
  bas->addStretch(1);
  BtnOK = BoutonTexte(this, "rsBtnOK", "BtnOK");
  BtnFermer = BoutonTexte(this, "rsBtnFermer", "BtnFermer");
  BtnAppliquer = BoutonTexte(this, "rsBtnAppliquer", "BtnAppliquer");
  // Enter applies the page in front and leaves the window open.
  BtnAppliquer->setDefault(true);
  for (QPushButton* b : {BtnOK, BtnFermer, BtnAppliquer}) bas->addWidget(b);
  racine->addLayout(bas);

  connect(BtnToutes, &QPushButton::clicked, this, [this] {
    Liste->selectAll();
    RafraichitTailles();
  });
  connect(BtnAucune, &QPushButton::clicked, this, [this] {
    Liste->clearSelection();
    RafraichitTailles();
  });
  connect(Liste, &QListWidget::itemClicked, this, [this] {
    CentreSelection();
    RafraichitTailles();
  });
  for (int a = 0; a < 3; a++) {
    connect(Depl[size_t(a)], &QLineEdit::textChanged, this, [this] { Drapeaux[0] = true; });
    connect(CentreRot[size_t(a)], &QLineEdit::textChanged, this, [this] { Drapeaux[1] = true; });
    connect(AnglesRot[size_t(a)], &QLineEdit::textChanged, this, [this] { Drapeaux[1] = true; });
    connect(Taille[size_t(a)], &QLineEdit::textEdited, this, [this] { Drapeaux[3] = true; });
    connect(Pct[size_t(a)], &QLineEdit::textEdited, this, [this] { Drapeaux[3] = true; });
    connect(Taille[size_t(a)], &QLineEdit::editingFinished, this, [this, a] { TailleEditee(a); });
    connect(Pct[size_t(a)], &QLineEdit::editingFinished, this, [this, a] { PctEdite(a); });
  }
  connect(BtnMirHor, &QPushButton::clicked, this, [this] { Drapeaux[2] = true; });
  connect(BtnMirVer, &QPushButton::clicked, this, [this] { Drapeaux[2] = true; });
  connect(Pages, &QTabWidget::currentChanged, this, [this](int i) {
    if (i == 3) RafraichitTailles();
    if (i >= 0 && i < 4) Drapeaux[size_t(i)] = false;
  });
  connect(CBPlanSym, &QCheckBox::toggled, this, [this](bool on) {
    if (!on) CBPlanSymSeul->setChecked(false);
    CBPlanSymSeul->setEnabled(on);
  });
  connect(BtnAppliquer, &QPushButton::clicked, this, &TTransForm::Appliquer);
  connect(BtnOK, &QPushButton::clicked, this, &TTransForm::accept);
  connect(BtnFermer, &QPushButton::clicked, this, &TTransForm::reject);
}

void TTransForm::Prepare() {
  TRACE("TTransForm.FormShow");
  CBPlanSym->setChecked(true);
  CBPlanSymSeul->setEnabled(true);
  for (int a = 0; a < 3; a++) {
    Depl[size_t(a)]->setText(F3(0));
    CentreRot[size_t(a)]->setText(F3(0));
    AnglesRot[size_t(a)]->setText(F3(0));
    Taille[size_t(a)]->setText(F3(0));
    Pct[size_t(a)]->setText("100");
    Prop[size_t(a)]->setChecked(false);
  }
  BtnMirHor->setChecked(false);
  BtnMirVer->setChecked(false);
  Liste->clear();
  for (int k = 0; k < Doc.NbSurf(); k++) Liste->addItem(Q(Doc.Surf(k).Nom));
  MajSurface(Doc, true, -1);
  Dims = DimsSurfaces(Doc);
  Liste->selectAll();
  RafraichitTailles();
}

std::vector<int> TTransForm::Selection() const {
  std::vector<int> r;
  for (int i = 0; i < Liste->count(); i++)
    if (Liste->item(i)->isSelected()) r.push_back(i);
  return r;
}

TOptionsTransfo TTransForm::Options() const {
  return {CBPoids->isChecked(), CBPlanSym->isChecked(), CBPlanSym->isChecked() && CBPlanSymSeul->isChecked()};
}

void TTransForm::RafraichitTailles() {
  Tailles = TailleSelection(Dims, Selection());
  for (int a = 0; a < 3; a++) {
    Taille[size_t(a)]->setText(F3(Tailles.Taille(a)));
    Pct[size_t(a)]->setText("100.00");
  }
  Memorise();
}

void TTransForm::Memorise() {
  for (int a = 0; a < 3; a++)
    Memo[size_t(a)] = Taille[size_t(a)]->text(), Memo[size_t(a) + 3] = Pct[size_t(a)]->text();
}

void TTransForm::CentreSelection() {
  TVertex3f c;
  if (!CentreBases(Doc, Selection(), c)) return;
  CentreRot[0]->setText(F3(c.X));
  CentreRot[1]->setText(F3(c.Y));
  CentreRot[2]->setText(F3(c.Z));
}

void TTransForm::TailleEditee(int a) {
  double v;
  if (!Nombre(Taille[size_t(a)], v)) {
    AfficheMessage(rs("rsValeurPositive"), mtWarning, mbOK);
    return;
  }
  v = std::max(v, 0.0);
  if (Taille[size_t(a)]->text() == Memo[size_t(a)]) {
    for (auto* p : Pct) p->setText("100.00");
    return;
  }
  const double avant = Memo[size_t(a)].toDouble();
  // No ratio to a size of 0: the percentage stays at 100.
  const double pct = avant > 0 ? v / avant * 100 : 100;
  Pct[size_t(a)]->setText(F2(pct));
  Taille[size_t(a)]->setText(F3(v));
  if (Prop[size_t(a)]->isChecked())
    for (int b = 0; b < 3; b++)
      if (b != a && Prop[size_t(b)]->isChecked()) {
        Taille[size_t(b)]->setText(F3(Taille[size_t(b)]->text().toDouble() * pct / 100));
        Pct[size_t(b)]->setText(F2(pct));
      }
  Memorise();
}

void TTransForm::PctEdite(int a) {
  double p;
  if (!Nombre(Pct[size_t(a)], p)) {
    AfficheMessage(rs("rsValeurPositive"), mtWarning, mbOK);
    return;
  }
  if (p < 0) {
    p = 0;
    Pct[size_t(a)]->setText("0.00");
  }
  if (Pct[size_t(a)]->text() != Memo[size_t(a) + 3]) {
    Taille[size_t(a)]->setText(F3(Taille[size_t(a)]->text().toDouble() * p / 100));
    if (Prop[size_t(a)]->isChecked())
      for (int b = 0; b < 3; b++)
        if (b != a && Prop[size_t(b)]->isChecked()) {
          Taille[size_t(b)]->setText(F3(Taille[size_t(b)]->text().toDouble() * p / 100));
          Pct[size_t(b)]->setText(F2(p));
        }
  }
  Memorise();
}

bool TTransForm::Translation() {
  double v[3];
  for (int a = 0; a < 3; a++)
    if (!Nombre(Depl[size_t(a)], v[a])) return false;
  AvantTransformation();
  TranslationSurfaces(Doc, Selection(), {v[0], v[1], v[2]}, Options());
  Drapeaux[0] = false;
  return true;
}

bool TTransForm::Rotation() {
  double c[3], r[3];
  for (int a = 0; a < 3; a++)
    if (!Nombre(CentreRot[size_t(a)], c[a]) || !Nombre(AnglesRot[size_t(a)], r[a])) return false;
  AvantTransformation();
  RotationSurfaces(Doc, Selection(), {c[0], c[1], c[2]}, {r[0], r[1], r[2]}, Options());
  Drapeaux[1] = false;
  return true;
}

bool TTransForm::Miroirs() {
  AvantTransformation();
  MiroirSurfaces(Doc, Selection(), BtnMirHor->isChecked(), BtnMirVer->isChecked(), Options());
  Drapeaux[2] = false;
  return true;
}

bool TTransForm::Redim() {
  double cible[3];
  for (int a = 0; a < 3; a++) {
    if (!Nombre(Taille[size_t(a)], cible[a])) {
      AfficheMessage(rs("rsValeurPositive"), mtWarning, mbOK);
      return false;
    }
    // An axis of size 0 keeps its factor of 1 whatever is typed.
    if (Tailles.Taille(a) == 0) cible[a] = 0;
  }
  const TVertex3f f = FacteursTaille(cible, Tailles);
  // A refused size leaves no undo step behind it.
  if (f.X > 0 && f.Y > 0 && f.Z > 0 && std::isfinite(f.X + f.Y + f.Z)) AvantTransformation();
  if (!RedimSurfaces(Doc, Selection(), f, RBConsPosRel->isChecked())) {
    // A size of 0 would flatten the surfaces for good.
    AfficheMessage(rs("rsValeurPositive"), mtWarning, mbOK);
    return false;
  }
  Drapeaux[3] = false;
  return true;
}

void TTransForm::Apres() {
  if (QuandApplique) QuandApplique();
  Doc.MarqueModifie();
}

void TTransForm::Appliquer() {
  TRACE("TTransForm.BtnAppliquerClick");
  switch (Pages->currentIndex()) {
    case 0:
      Translation();
      break;
    case 1:
      Rotation();
      break;
    case 2:
      Miroirs();
      break;
    case 3:
      if (Drapeaux[3]) Redim();
      break;
    default:
      break;
  }
  Apres();
  MajSurface(Doc, true, -1);
  Dims = DimsSurfaces(Doc);
  RafraichitTailles();
}

void TTransForm::accept() {
  TRACE("TTransForm.BtnOKClick");
  if (Drapeaux[0]) Translation();
  if (Drapeaux[1]) Rotation();
  if (Drapeaux[2]) Miroirs();
  if (Drapeaux[3]) Redim();
  Apres();
  QDialog::accept();
}

void TTransForm::AvantTransformation() {
  if (EtapePrise) return;
  EtapePrise = true;
  if (AvantPremiere) AvantPremiere();
}

void TTransForm::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  EtapePrise = false;
}

void TTransForm::hideEvent(QHideEvent* e) {
  Liste->clear();
  Dims.clear();
  QDialog::hideEvent(e);
}

TTransForm::~TTransForm() { DetacheChamps(*this); }
