// The surface properties window.
#include "model/forms/PropSurfForm.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "base/Chaines.h"
#include "base/Services.h"
#include "session/ObjCom.h"

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }

// The label of each typed field, as its message names it.
const char* const ClesChamps[NbChampsPropSurf] = {
    "rsGBTransparenceCaption", "rsGBAmbianceCaption",   "rsLabelIntensiteCaption",
    "rsLabelTacheCaption",     "rsGBEmissiviteCaption", "rsLabelEpaisseurMCaption",
    "rsLabelDensiteBCaption",  "rsLabelPoidsM2Caption", "rsLabelPoidsFixeCaption"};

QString TexteChamp(double v) { return QString::fromStdString(Format("%g", v)); }

QColor VersQColor(int bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }
int DeQColor(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }
}  // namespace

TPropSurfForm::TPropSurfForm(TDocument& doc, QWidget* parent) : QDialog(parent), Doc(doc) {
  setObjectName("PropSurfForm");
  setWindowTitle(Q(rs("rsPropSurfFormCaption")));
  ChoisirCouleur = [this](int c) {
    QColor q = QColorDialog::getColor(VersQColor(c < 0 ? 0xC0C0C0 : c), this);
    return q.isValid() ? DeQColor(q) : -1;
  };
  auto* v = new QVBoxLayout(this);
  auto* haut = new QFormLayout;
  Surfaces = new QComboBox(this);
  Surfaces->setObjectName("ComboSurfaces");
  Surfaces->setMinimumWidth(200);
  haut->addRow(Q(rs("rsLabelSurfaceCaption")), Surfaces);
  Nom = new QLineEdit(this);
  Nom->setObjectName("EditNom");
  haut->addRow(Q(rs("rsLabelNomSurfaceCaption")), Nom);
  v->addLayout(haut);

  auto* colonnes = new QHBoxLayout;
  auto* gauche = new QVBoxLayout;
  auto* droite = new QVBoxLayout;
  colonnes->addLayout(gauche);
  colonnes->addLayout(droite);
  v->addLayout(colonnes);

  // Left: identity flags, orders, colour, symmetry base.
  auto* gbId = new QGroupBox(Q(rs("rsGBPropSurfCaption")), this);
  auto* gId = new QGridLayout(gbId);
  auto cb = [&](QWidget* p, const char* cle, const char* nom) {
    auto* c = new QCheckBox(Q(rs(cle)), p);
    c->setObjectName(nom);
    return c;
  };
  CBVisible = cb(gbId, "rsCheckBoxVisibleCaption", "CBVisible");
  CBVerrou = cb(gbId, "rsCheckBoxVerrouCaption", "CBVerrou");
  CBSym = cb(gbId, "rsCheckBoxSymCaption", "CBSym");
  CBVoile = cb(gbId, "rsCheckBoxVoileCaption", "CBVoile");
  gId->addWidget(CBVisible, 0, 0);
  gId->addWidget(CBVerrou, 0, 1);
  gId->addWidget(CBSym, 1, 0);
  gId->addWidget(CBVoile, 1, 1);
  gauche->addWidget(gbId);

  auto* gbFlex = new QGroupBox(Q(rs("rsGBFlexibiliteCaption")), this);
  auto* gF = new QGridLayout(gbFlex);
  auto spin = [&](int ligne, const char* cle, const char* nom, QLabel*& libelle) {
    gF->addWidget(new QLabel(Q(rs(cle)), gbFlex), ligne, 0);
    auto* s = new QSpinBox(gbFlex);
    s->setObjectName(nom);
    s->setRange(MinOrdre, MaxOrdre);
    gF->addWidget(s, ligne, 1);
    libelle = new QLabel(gbFlex);
    libelle->setMinimumWidth(90);
    gF->addWidget(libelle, ligne, 2);
    connect(s, &QSpinBox::valueChanged, libelle,
            [libelle](int o) { libelle->setText(Q(NomFlexibilite(o))); });
    return s;
  };
  FlexLong = spin(0, "rsLabelLongCaption", "FlexLong", NomFlexLong);
  FlexTrans = spin(1, "rsLabelTransCaption", "FlexTrans", NomFlexTrans);
  gauche->addWidget(gbFlex);

  auto* gbCoul = new QGroupBox(Q(rs("rsGBCouleurCaption")), this);
  auto* hc = new QHBoxLayout(gbCoul);
  RBCouleurDef = new QRadioButton(Q(rs("rsRB_CouleurDefCaption")), gbCoul);
  RBCouleurDef->setObjectName("RBCouleurDef");
  RBCouleurPers = new QRadioButton(Q(rs("rsRB_CouleurPersCaption")), gbCoul);
  RBCouleurPers->setObjectName("RBCouleurPers");
  Echantillon = new QLabel(gbCoul);
  Echantillon->setObjectName("Echantillon");
  Echantillon->setFixedSize(28, 20);
  Echantillon->setAutoFillBackground(true);
  Echantillon->setFrameShape(QFrame::Box);
  BtnCouleur = new QPushButton(Q(rs("rsBtnCouleur")), gbCoul);
  BtnCouleur->setObjectName("BtnCouleur");
  BtnCouleur->setAutoDefault(false);
  hc->addWidget(RBCouleurDef);
  hc->addWidget(RBCouleurPers);
  hc->addWidget(Echantillon);
  hc->addWidget(BtnCouleur);
  hc->addStretch(1);
  gauche->addWidget(gbCoul);

  auto* gbMat = new QGroupBox(Q(rs("rsGBRealVirtCaption")), this);
  auto* fMat = new QFormLayout(gbMat);
  auto champ = [&](QWidget* p, QFormLayout* f, TChampPropSurf c, const char* nom) {
    auto* e = new QLineEdit(p);
    e->setObjectName(nom);
    e->setMinimumWidth(90);
    e->setMaximumWidth(120);
    f->addRow(Q(rs(ClesChamps[c])), e);
    Champs[c] = e;
  };
  champ(gbMat, fMat, cpAlpha, "EditAlpha");
  champ(gbMat, fMat, cpAmbient, "EditAmbient");
  champ(gbMat, fMat, cpSpecular, "EditSpecular");
  champ(gbMat, fMat, cpShininess, "EditShininess");
  champ(gbMat, fMat, cpEmission, "EditEmission");
  gauche->addWidget(gbMat);
  gauche->addStretch(1);

  // Right: calculations, weight model, symmetry plane.
  auto* gbCalc = new QGroupBox(Q(rs("rsGB_CalculsCaption")), this);
  auto* vc = new QVBoxLayout(gbCalc);
  CBCalc = cb(gbCalc, "rsCheckBoxACalcCaption", "CBCalc");
  RBOrientDirecte = new QRadioButton(Q(rs("rsRB_OrientDirecteCaption")), gbCalc);
  RBOrientDirecte->setObjectName("RBOrientDirecte");
  RBOrientIndirecte = new QRadioButton(Q(rs("rsRB_OrientIndirecteCaption")), gbCalc);
  RBOrientIndirecte->setObjectName("RBOrientIndirecte");
  CBJonctionSym = cb(gbCalc, "rsCB_JonctionSymCaption", "CBJonctionSym");
  vc->addWidget(CBCalc);
  vc->addWidget(RBOrientDirecte);
  vc->addWidget(RBOrientIndirecte);
  vc->addWidget(CBJonctionSym);
  droite->addWidget(gbCalc);

  auto* gbPoids = new QGroupBox(Q(rs("rsGBDefPoidsCaption")), this);
  auto* vpd = new QVBoxLayout(gbPoids);
  auto* groupe = new QButtonGroup(this);
  auto rb = [&](int type, const char* cle) {
    auto* r = new QRadioButton(Q(rs(cle)), gbPoids);
    r->setObjectName(QString("RBPoids%1").arg(type));
    groupe->addButton(r, type);
    RBPoids[static_cast<size_t>(type)] = r;
    return r;
  };
  auto* lb = new QLabel(Q(rs("rsRBPoidsCentreBCaption")), gbPoids);
  QFont gras = lb->font();
  gras.setBold(true);
  lb->setFont(gras);
  vpd->addWidget(lb);
  vpd->addWidget(rb(tpFixeBorde, "rsRB_PoidsFixeBCaption"));
  vpd->addWidget(rb(tpEpaisseurDensite, "rsRB_EpaisseurDensCaption"));
  vpd->addWidget(rb(tpParM2, "rsRB_PoidsParM2Caption"));
  auto* lv = new QLabel(Q(rs("rsRBPoidsCentreVCaption")), gbPoids);
  lv->setFont(gras);
  vpd->addWidget(lv);
  vpd->addWidget(rb(tpFixeVolume, "rsRB_PoidsFixeVCaption"));
  vpd->addWidget(rb(tpDensiteVolume, "rsRB_DensCaption"));
  auto* fp = new QFormLayout;
  champ(gbPoids, fp, cpPoidsFixe, "EditPoidsFixe");
  champ(gbPoids, fp, cpEpaisseur, "EditEpaisseur");
  champ(gbPoids, fp, cpDensite, "EditDensite");
  champ(gbPoids, fp, cpPoidsParM2, "EditPoidsParM2");
  vpd->addLayout(fp);
  CBCG = cb(gbPoids, "rsCB_CGCaption", "CBCG");
  vpd->addWidget(CBCG);
  droite->addWidget(gbPoids);

  auto* gbSym = new QGroupBox(Q(rs("rsGBPlanSymCaption")), this);
  auto* hs = new QHBoxLayout(gbSym);
  BtnRAZBase = new QPushButton(Q(rs("rsBtnRAZBasePlanSymCaption")), gbSym);
  BtnRAZBase->setObjectName("BtnRAZBase");
  BtnRAZBase->setCheckable(true);
  BtnRAZBase->setAutoDefault(false);
  hs->addWidget(BtnRAZBase);
  hs->addStretch(1);
  droite->addWidget(gbSym);
  droite->addStretch(1);

  auto* boutons = new QDialogButtonBox(this);
  QPushButton* ok = boutons->addButton(Q(rs("rsBtnOK")), QDialogButtonBox::AcceptRole);
  ok->setObjectName("BtnOK");
  ok->setDefault(true);
  boutons->addButton(Q(rs("rsBtnAnnuler")), QDialogButtonBox::RejectRole)->setObjectName("BtnAnnuler");
  connect(boutons, &QDialogButtonBox::accepted, this, &TPropSurfForm::accept);
  connect(boutons, &QDialogButtonBox::rejected, this, &TPropSurfForm::reject);
  v->addWidget(boutons);

  connect(Surfaces, &QComboBox::currentIndexChanged, this, [this](int k) {
    if (EnRemplissage || k == Cour) return;
    if (!LitCourant()) {
      // The refused value stays on screen with its surface.
      EnRemplissage = true;
      Surfaces->setCurrentIndex(Cour);
      EnRemplissage = false;
      return;
    }
    Affiche(k);
  });
  connect(BtnCouleur, &QPushButton::clicked, this, [this] {
    int c = ChoisirCouleur ? ChoisirCouleur(CouleurPers) : -1;
    if (c < 0) return;
    CouleurPers = c;
    RBCouleurPers->setChecked(true);
    MajEchantillon();
  });
  connect(RBCouleurDef, &QRadioButton::toggled, this, [this] { MajEchantillon(); });
  connect(groupe, &QButtonGroup::idClicked, this, [this](int t) { ModelePoidsChoisi(t); });
}

void TPropSurfForm::Prepare(int surface) {
  Props.clear();
  for (int i = 0; i < Doc.NbSurf(); i++) Props.push_back(LitPropSurf(Doc.Surf(i)));
  Origines = Props;
  EnRemplissage = true;
  Surfaces->clear();
  for (const auto& p : Props) Surfaces->addItem(Q(p.Nom));
  Cour = -1;
  int k = surface >= 0 && surface < Doc.NbSurf() ? surface : 0;
  Surfaces->setCurrentIndex(Doc.NbSurf() > 0 ? k : -1);
  EnRemplissage = false;
  if (Doc.NbSurf() > 0) Affiche(k);
  Nom->setFocus();
}

void TPropSurfForm::Affiche(int k) {
  Cour = k;
  if (k < 0 || k >= static_cast<int>(Props.size())) return;
  const TPropSurf& p = Props[static_cast<size_t>(k)];
  EnRemplissage = true;
  Nom->setText(Q(p.Nom));
  CBVisible->setChecked(p.Visible);
  CBVerrou->setChecked(p.Verrou);
  CBSym->setChecked(p.Sym);
  CBCalc->setChecked(p.Calc);
  CBVoile->setChecked(p.Voile);
  FlexLong->setEnabled(p.EstNurbs);
  FlexTrans->setEnabled(p.EstNurbs);
  FlexLong->setValue(p.CFlex);
  FlexTrans->setValue(p.LFlex);
  NomFlexLong->setText(Q(NomFlexibilite(p.CFlex)));
  NomFlexTrans->setText(Q(NomFlexibilite(p.LFlex)));
  CouleurPers = p.Coul;
  (p.Coul < 0 ? RBCouleurDef : RBCouleurPers)->setChecked(true);
  for (int c = 0; c < NbChampsPropSurf; c++)
    Champs[static_cast<size_t>(c)]->setText(TexteChamp(ValeurChamp(p, static_cast<TChampPropSurf>(c))));
  (p.Orientation ? RBOrientDirecte : RBOrientIndirecte)->setChecked(true);
  CBJonctionSym->setChecked(p.JonctionSym);
  if (p.TypePoids >= 0 && p.TypePoids < 5) RBPoids[static_cast<size_t>(p.TypePoids)]->setChecked(true);
  CBCG->setChecked(p.CG);
  BtnRAZBase->setChecked(p.RAZBase);
  EnRemplissage = false;
  MajEchantillon();
}

void TPropSurfForm::MajEchantillon() {
  QPalette pal = Echantillon->palette();
  bool def = RBCouleurDef->isChecked() || CouleurPers < 0;
  pal.setColor(QPalette::Window, def ? palette().color(QPalette::Window) : VersQColor(CouleurPers));
  Echantillon->setPalette(pal);
}

void TPropSurfForm::ModelePoidsChoisi(int type) {
  if (EnRemplissage || !PoidsAuVolume(type) || CBJonctionSym->isChecked()) return;
  if (AfficheMessage(rs("rsFermetureVol"), mtConfirmation, mbYes | mbNo) == mrYes)
    CBJonctionSym->setChecked(true);
}

bool TPropSurfForm::LitCourant() {
  if (Cour < 0 || Cour >= static_cast<int>(Props.size())) return true;
  TPropSurf p = Props[static_cast<size_t>(Cour)];
  const TPropSurf& o = Origines[static_cast<size_t>(Cour)];
  for (int c = 0; c < NbChampsPropSurf; c++) {
    auto ch = static_cast<TChampPropSurf>(c);
    QLineEdit* e = Champs[static_cast<size_t>(c)];
    // The fields show values rounded by "%g": a field left alone keeps the exact value, even one
    // a file gave beyond the field's bounds.
    if (e->text() == TexteChamp(ValeurChamp(o, ch))) {
      FixeChamp(p, ch, ValeurChamp(o, ch));
      continue;
    }
    std::string refus = SaisitChamp(p, ch, e->text().toStdString(), rs(ClesChamps[c]));
    if (!refus.empty()) {
      AfficheMessage(refus, mtWarning, mbOK);
      e->setFocus();
      e->selectAll();
      return false;
    }
  }
  p.Nom = Nom->text().toStdString();
  p.Visible = CBVisible->isChecked();
  p.Verrou = CBVerrou->isChecked();
  p.Sym = CBSym->isChecked();
  p.Calc = CBCalc->isChecked();
  p.Voile = CBVoile->isChecked();
  p.CFlex = FlexLong->value();
  p.LFlex = FlexTrans->value();
  p.Coul = RBCouleurDef->isChecked() ? -1 : CouleurPers;
  p.Orientation = RBOrientDirecte->isChecked();
  p.JonctionSym = CBJonctionSym->isChecked();
  for (int t = 0; t < 5; t++)
    if (RBPoids[static_cast<size_t>(t)]->isChecked()) p.TypePoids = t;
  p.CG = CBCG->isChecked();
  p.RAZBase = BtnRAZBase->isChecked();
  TPropSurf a = p, b = o;
  a.Modifie = b.Modifie = false;
  p.Modifie = !(a == b);
  Props[static_cast<size_t>(Cour)] = p;
  return true;
}

void TPropSurfForm::accept() {
  if (!LitCourant()) return;
  int fautif = -1;
  std::string refus = VerifieNomsPropSurf(Doc, Props, fautif);
  if (!refus.empty()) {
    AfficheMessage(refus, mtWarning, mbOK);
    if (fautif >= 0 && fautif != Cour) Surfaces->setCurrentIndex(fautif);
    Nom->setFocus();
    Nom->selectAll();
    return;
  }
  std::vector<int> changees = AppliquePropSurfs(Doc, Props);
  QDialog::accept();
  if (QuandApplique && !changees.empty()) QuandApplique(changees);
}
