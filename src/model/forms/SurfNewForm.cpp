// The new-surface window.
#include "model/forms/SurfNewForm.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "base/Chaines.h"
#include "base/Services.h"
#include "session/ObjCom.h"

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
const char* const ClesFormes[NbFormesDepart] = {"rsAddSurfDef",      "rsAddPlanHoriz", "rsAddPlanVertLong",
                                                "rsAddPlanVertTran", "rsAddCylHoriz",  "rsAddCylHorizTrans",
                                                "rsAddCylVert"};
}  // namespace

std::pair<int, int> FlexDeForme(int forme) {
  switch (forme) {
    case 0:
      return {4, 4};
    case 4:
    case 5:
      return {2, 4};
    case 6:
      return {4, 2};
    default:
      return {2, 2};
  }
}

TSurfNewForm::TSurfNewForm(TDocument& doc, QWidget* parent) : QDialog(parent), Doc(doc) {
  setObjectName("SurfNewForm");
  setWindowTitle(Q(rs("rsSurfNewFormCaption")));
  auto* v = new QVBoxLayout(this);
  auto* haut = new QFormLayout;
  Nom = new QLineEdit(this);
  Nom->setObjectName("EditNom");
  Nom->setMinimumWidth(220);
  haut->addRow(Q(rs("rsLabelNomSurfaceCaption")), Nom);
  v->addLayout(haut);

  auto* gbType = new QGroupBox(Q(rs("rsTypeSurf")), this);
  auto* vt = new QVBoxLayout(gbType);
  Formes = new QListWidget(gbType);
  Formes->setObjectName("ListeFormes");
  for (const char* c : ClesFormes) Formes->addItem(Q(rs(c)));
  // Every shape in sight, no scroll bar and no empty band.
  Formes->setFixedHeight(Formes->sizeHintForRow(0) * NbFormesDepart + 2 * Formes->frameWidth() + 2);
  vt->addWidget(Formes);
  v->addWidget(gbType);

  auto* milieu = new QHBoxLayout;
  auto* gbProp = new QGroupBox(Q(rs("rsGBPropSurfCaption")), this);
  auto* vp = new QVBoxLayout(gbProp);
  auto cb = [&](const char* cle, const char* nom) {
    auto* c = new QCheckBox(Q(rs(cle)), gbProp);
    c->setObjectName(nom);
    vp->addWidget(c);
    return c;
  };
  CBVisible = cb("rsCBVisibleCaption", "CBVisible");
  CBVerrou = cb("rsCBVerrouCaption", "CBVerrou");
  CBSym = cb("rsCBSymCaption", "CBSym");
  CBCalc = cb("rsCBCalcCaption", "CBCalc");
  CBVoile = cb("rsCBVoileCaption", "CBVoile");
  milieu->addWidget(gbProp);

  auto* gbFlex = new QGroupBox(Q(rs("rsLabelFlexCaption")), this);
  auto* g = new QGridLayout(gbFlex);
  auto spin = [&](int ligne, const char* cle, const char* nom, QLabel*& libelle) {
    g->addWidget(new QLabel(Q(rs(cle)), gbFlex), ligne, 0);
    auto* s = new QSpinBox(gbFlex);
    s->setObjectName(nom);
    s->setRange(MinOrdre, MaxOrdre);
    g->addWidget(s, ligne, 1);
    libelle = new QLabel(gbFlex);
    libelle->setMinimumWidth(90);
    g->addWidget(libelle, ligne, 2);
    connect(s, &QSpinBox::valueChanged, libelle,
            [libelle](int o) { libelle->setText(Q(NomFlexibilite(o))); });
    return s;
  };
  FlexLong = spin(0, "rsLabelFlexLongCaption", "FlexLong", NomFlexLong);
  FlexTrans = spin(1, "rsLabelFlexTransCaption", "FlexTrans", NomFlexTrans);
  g->setRowStretch(2, 1);
  milieu->addWidget(gbFlex, 1);
  v->addLayout(milieu);

  auto* boutons = new QDialogButtonBox(this);
  QPushButton* ok = boutons->addButton(Q(rs("rsBtnOK")), QDialogButtonBox::AcceptRole);
  ok->setObjectName("BtnOK");
  ok->setDefault(true);
  boutons->addButton(Q(rs("rsBtnAnnuler")), QDialogButtonBox::RejectRole)->setObjectName("BtnAnnuler");
  connect(boutons, &QDialogButtonBox::accepted, this, &TSurfNewForm::accept);
  connect(boutons, &QDialogButtonBox::rejected, this, &TSurfNewForm::reject);
  v->addWidget(boutons);

  connect(Formes, &QListWidget::currentRowChanged, this, [this](int f) { FormeChoisie(f); });
}

void TSurfNewForm::FormeChoisie(int forme) {
  if (forme < 0) return;
  auto [l, t] = FlexDeForme(forme);
  FlexLong->setValue(l);
  FlexTrans->setValue(t);
}

void TSurfNewForm::Prepare() {
  std::string nom;
  for (int n = Doc.NbSurf() + 1;; n++) {
    nom = Format("Surface%d", n);
    if (SurfNom2Num(Doc, nom) < 0) break;
  }
  Nom->setText(Q(nom));
  Nom->selectAll();
  const TOptionsNouvelleSurface& o = Doc.OptionsNouvelle;
  CBVisible->setChecked(o.Visible);
  CBVerrou->setChecked(o.Verrou);
  CBSym->setChecked(o.Sym);
  CBCalc->setChecked(o.Calc);
  CBVoile->setChecked(o.Voile);
  Formes->setCurrentRow(-1);
  Formes->setCurrentRow(0);
  Nom->setFocus();
}

void TSurfNewForm::accept() {
  TOptionsNouvelleSurface o;
  o.Visible = CBVisible->isChecked();
  o.Verrou = CBVerrou->isChecked();
  o.Sym = CBSym->isChecked();
  o.Calc = CBCalc->isChecked();
  o.Voile = CBVoile->isChecked();
  o.FlexLongitudinale = FlexLong->value();
  o.FlexTransversale = FlexTrans->value();
  std::string refus = NouvelleSurface(Doc, Nom->text().toStdString(), std::max(0, Formes->currentRow()), o);
  if (!refus.empty()) {
    AfficheMessage(rs(refus), mtWarning, mbOK);
    if (refus != "rsErrMaxSurf") {
      Nom->setFocus();
      Nom->selectAll();
      return;
    }
    QDialog::reject();
    return;
  }
  // A new document starts with the flags last chosen here.
  Doc.OptionsNouvelle = o;
  QDialog::accept();
  if (QuandCree) QuandCree(Doc.NbSurf() - 1);
}
