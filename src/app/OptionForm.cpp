#include "app/OptionForm.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/Principale.h"
#include "app/ReglagesQt.h"
#include "app/Traduction.h"
#include "base/Chaines.h"
#include "base/Services.h"
#include "lines/Coupes.h"
#include "session/ObjCom.h"
#include "ui/Dialogues.h"
#include "ui/Registre.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
QString Q(const char* s) { return QString::fromUtf8(s); }

QColor Couleur(int bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }
int Bgr(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }

QString TextePoids(int position) { return Q(Format(rs("rsLabelRatioVectPoidsCaption"), position / 10.0)); }

QSlider* Curseur(int min, int max) {
  auto* s = new QSlider(Qt::Horizontal);
  s->setRange(min, max);
  return s;
}

}  // namespace

QStringList LanguesDisponibles(const QString& dossier) {
  QStringList l;
  for (const QString& d : DossiersLangues(dossier))
    for (const QString& n : QDir(d).entryList({"lang_*.dat"}, QDir::Files)) {
      QString nom = n.mid(5, n.size() - 9);
      if (!NomLangueSur(nom.toStdString()).empty()) l << nom;
    }
  l << Q("Français");
  l.removeDuplicates();
  l.sort();
  return l;
}

TOptionForm::TOptionForm(TMainForm& f, QWidget* parent) : QDialog(parent ? parent : &f), F(f) {
  setObjectName("OptionForm");
  setWindowTitle(Q(rs("rsOptionFormCaption")));
  auto* racine = new QVBoxLayout(this);
  Pages = new QTabWidget;
  racine->addWidget(Pages);

  // Général
  auto* general = new QWidget;
  auto* lg = new QVBoxLayout(general);
  auto* gAff = new QGroupBox(Q(rs("rsGB_AffichageCaption")));
  auto* la = new QVBoxLayout(gAff);
  CBMultiFen = new QCheckBox(Q(rs("rsCB_MultiF_ActifCaption")));
  CBSplineTR = new QCheckBox(Q(rs("rsCB_CalcSplineTRCaption")));
  CBAxesPlanSym = new QCheckBox(Q(rs("rsCB_AxesPlanSymCaption")));
  for (auto* c : {CBMultiFen, CBSplineTR, CBAxesPlanSym}) la->addWidget(c);
  auto* gSav = new QGroupBox(Q(rs("rsGB_ConfigCaption")));
  auto* ls = new QVBoxLayout(gSav);
  CBSavConfig = new QCheckBox(Q(rs("rsCB_SavConfigCaption")));
  CBPosFen = new QCheckBox(Q(rs("rsCB_PositionFenCaption")));
  CBPosLight = new QCheckBox(Q(rs("rsCB_PosLightCaption")));
  for (auto* c : {CBSavConfig, CBPosFen, CBPosLight}) ls->addWidget(c);
  auto* gStudio = new QGroupBox(Q(rs("rsgbAffichageStudioCaption")));
  auto* lst = new QFormLayout(gStudio);
  CBNetVxStudio = new QCheckBox(Q(rs("rscb_NetVxStudioCaption")));
  EdTailleReperes = new QLineEdit;
  EdTailleReperes->setObjectName("EdTailleReperes");
  EdTailleReperes->setMaximumWidth(90);
  lst->addRow(CBNetVxStudio);
  lst->addRow(Q(rs("rslbTailleReperesStudioCaption")), EdTailleReperes);
  auto* lLangue = new QFormLayout;
  CBLangue = new QComboBox;
  CBLangue->setObjectName("CBLangue");
  lLangue->addRow(Q(rs("rsGB_LangueCaption")), CBLangue);
  lg->addWidget(gAff);
  lg->addWidget(gSav);
  lg->addWidget(gStudio);
  lg->addLayout(lLangue);
  lg->addStretch();
  Pages->addTab(general, Q(rs("rsTS_GeneralCaption")));

  // Couleurs
  auto* couleurs = new QWidget;
  auto* lc = new QGridLayout(couleurs);
  for (int i = 0; i < NbCouleurs; ++i) {
    auto* b = new QPushButton;
    b->setObjectName(Q(std::string("Coul") + CouleursReglages[static_cast<size_t>(i)].Cle));
    b->setFixedSize(44, 22);
    Pastilles[static_cast<size_t>(i)] = b;
    connect(b, &QPushButton::clicked, this, [this, i] { ChoisitCouleur(i); });
    int ligne = i % 8, col = (i / 8) * 2;
    lc->addWidget(b, ligne, col);
    lc->addWidget(new QLabel(Q(rs(std::string("rsLabelCoul") + CouleursReglages[static_cast<size_t>(i)].Cle +
                                  "Caption"))),
                  ligne, col + 1);
  }
  auto* defaut = new QPushButton(Q(rs("rsBtnCouleursDefCaption")));
  defaut->setObjectName("BtnCouleursDefaut");
  connect(defaut, &QPushButton::clicked, this, [this] {
    for (int i = 0; i < NbCouleurs; ++i) Peint(i, CouleursReglages[static_cast<size_t>(i)].Defaut);
  });
  lc->addWidget(defaut, 8, 2, 1, 2, Qt::AlignRight);
  lc->setColumnStretch(1, 1);
  lc->setColumnStretch(3, 1);
  lc->setRowStretch(9, 1);
  Pages->addTab(couleurs, Q(rs("rsTS_CouleursCaption")));

  // Réglages
  auto* reglages = new QWidget;
  auto* lr = new QVBoxLayout(reglages);
  auto* gPoids = new QGroupBox(Q(rs("rsGB_RatioAffichPoidsCaption")));
  auto* lp = new QVBoxLayout(gPoids);
  TBPoids = Curseur(10, 10000);
  LPoids = new QLabel;
  lp->addWidget(TBPoids);
  lp->addWidget(LPoids);
  connect(TBPoids, &QSlider::valueChanged, this, [this](int v) {
    LPoids->setText(TextePoids(v));
    if (!Remplissage) F.AfficheNet();
  });
  auto* gPoly = new QGroupBox(Q(rs("rsGR_ControlePartiesCacheesCaption")));
  auto* lpo = new QFormLayout(gPoly);
  TBPolyFactor = Curseur(0, 100);
  TBPolyUnits = Curseur(0, 100);
  lpo->addRow(Q(rs("rsLabelPolyFactorCaption")), TBPolyFactor);
  lpo->addRow(Q(rs("rsLabelPolyUnitsCaption")), TBPolyUnits);
  for (QSlider* s : {TBPolyFactor, TBPolyUnits})
    connect(s, &QSlider::valueChanged, this, [this] {
      if (Remplissage) return;
      TReglages r = ReglagesProgramme();
      r.PolyFactor = TBPolyFactor->value();
      r.PolyUnits = TBPolyUnits->value();
      AppliqueReglages(F, r);
      F.AfficheNet();
    });
  auto* gCourb = new QGroupBox(Q(rs("rsGB_FacteurLongRCourbCaption")));
  auto* lcb = new QGridLayout(gCourb);
  TBCourbure = Curseur(10, 25000);
  TBCourbure->setObjectName("TBCourbure");
  LCourbure = new QLabel;
  RBCourbure = new QRadioButton(Q(rs("rsCourbure")));
  RBRayon = new QRadioButton(Q(rs("rsRayonCourbure")));
  RBInterieur = new QRadioButton(Q(rs("rsInterieurCourbe")));
  RBExterieur = new QRadioButton(Q(rs("rsExterieurCourbe")));
  auto* gType = new QWidget;
  auto* lt = new QVBoxLayout(gType);
  lt->setContentsMargins(0, 0, 0, 0);
  lt->addWidget(RBCourbure);
  lt->addWidget(RBRayon);
  auto* gOr = new QWidget;
  auto* lo = new QVBoxLayout(gOr);
  lo->setContentsMargins(0, 0, 0, 0);
  lo->addWidget(RBInterieur);
  lo->addWidget(RBExterieur);
  lcb->addWidget(TBCourbure, 0, 0, 1, 2);
  lcb->addWidget(LCourbure, 0, 2);
  lcb->addWidget(gType, 1, 0);
  lcb->addWidget(gOr, 1, 1);
  connect(TBCourbure, &QSlider::valueChanged, this, [this] { CourbureChangee(); });
  for (QRadioButton* b : {RBRayon, RBExterieur})
    connect(b, &QRadioButton::toggled, this, [this] { CourbureChangee(); });
  lr->addWidget(gPoids);
  lr->addWidget(gPoly);
  lr->addWidget(gCourb);
  lr->addStretch();
  Pages->addTab(reglages, Q(rs("rsTS_ReglagesCaption")));

  auto* boutons = new QDialogButtonBox;
  boutons->addButton(Q(rs("rsBtnOK")), QDialogButtonBox::AcceptRole)->setObjectName("BtnOK");
  boutons->addButton(Q(rs("rsBtnAnnuler")), QDialogButtonBox::RejectRole)->setObjectName("BtnAnnuler");
  connect(boutons, &QDialogButtonBox::accepted, this, [this] {
    if (Valide()) accept();
  });
  connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  racine->addWidget(boutons);
}

void TOptionForm::Peint(int i, int couleur) {
  Couleurs[static_cast<size_t>(i)] = couleur;
  Pastilles[static_cast<size_t>(i)]->setStyleSheet(
      QString("background-color: %1; border: 1px solid #606060;").arg(Couleur(couleur).name()));
}

void TOptionForm::ChoisitCouleur(int i) {
  QColor c = QColorDialog::getColor(Couleur(Couleurs[static_cast<size_t>(i)]), this);
  if (c.isValid()) Peint(i, Bgr(c));
}

// The curvature choices act at once, even when the window is cancelled later.
void TOptionForm::CourbureChangee() {
  LCourbure->setText(QString::asprintf("%.3f", TBCourbure->value() / 5000.0));
  if (Remplissage) return;
  TOptions& o = Options();
  o.FacteurCourbure = TBCourbure->value();
  o.TypeRayon = RBRayon->isChecked() ? 1 : 0;
  o.OrientationRayon = RBExterieur->isChecked() ? 1 : 0;
  CourbureOptionsChangees(F.Document());
  F.AfficheNet();
}

void TOptionForm::Ouvre(const TReglages& r, const QString& dossierLangues) {
  Remplissage = true;
  R = r;
  Pages->setCurrentIndex(0);
  for (int i = 0; i < NbCouleurs; ++i) Peint(i, r.Couleurs[static_cast<size_t>(i)]);
  CBMultiFen->setChecked(r.MultiFen);
  CBSplineTR->setChecked(r.SplineTR);
  CBSavConfig->setChecked(r.SavConfig);
  CBPosFen->setChecked(r.PosFen);
  CBAxesPlanSym->setChecked(r.OptAxesPlanSym);
  CBPosLight->setChecked(r.PosLight);
  CBNetVxStudio->setChecked(r.OptNetVxStudio);
  EdTailleReperes->setText(Q(TexteTailleReperes(r.OptTailleReperesStudio)));
  TBPoids->setValue(r.RatioVect);
  LPoids->setText(TextePoids(TBPoids->value()));
  TBPolyFactor->setValue(r.PolyFactor);
  TBPolyUnits->setValue(r.PolyUnits);
  (r.TypeRayon ? RBRayon : RBCourbure)->setChecked(true);
  (r.OrientationRayon ? RBExterieur : RBInterieur)->setChecked(true);
  TBCourbure->setValue(r.LongRayon);
  LCourbure->setText(QString::asprintf("%.3f", TBCourbure->value() / 5000.0));
  CBLangue->clear();
  CBLangue->addItems(LanguesDisponibles(dossierLangues));
  int i = CBLangue->findText(Q(r.Language.empty() ? std::string("Français") : r.Language));
  CBLangue->setCurrentIndex(i < 0 ? 0 : i);
  Remplissage = false;
}

bool TOptionForm::Valide() {
  auto taille = LitTailleReperes(EdTailleReperes->text().trimmed().toStdString());
  if (!taille) {
    Pages->setCurrentIndex(0);
    EdTailleReperes->setFocus();
    AfficheMessage(Format(rs("rsErrTailleReperes"), EdTailleReperes->text().toStdString().c_str()), mtError,
                   mbOK);
    return false;
  }
  R.Couleurs = Couleurs;
  R.MultiFen = CBMultiFen->isChecked();
  R.SplineTR = CBSplineTR->isChecked();
  R.SavConfig = CBSavConfig->isChecked();
  R.PosFen = CBPosFen->isChecked();
  R.OptAxesPlanSym = CBAxesPlanSym->isChecked();
  R.PosLight = CBPosLight->isChecked();
  R.OptNetVxStudio = CBNetVxStudio->isChecked();
  R.OptTailleReperesStudio = *taille;
  R.RatioVect = TBPoids->value();
  R.PolyFactor = TBPolyFactor->value();
  R.PolyUnits = TBPolyUnits->value();
  R.LongRayon = TBCourbure->value();
  R.TypeRayon = RBRayon->isChecked() ? 1 : 0;
  R.OrientationRayon = RBExterieur->isChecked() ? 1 : 0;
  QString langue = CBLangue->currentText();
  R.Language = langue == Q("Français") ? std::string() : NomLangueSur(langue.toStdString());
  return true;
}

void AppliqueOptions(TMainForm& f, const TReglages& r) {
  bool langue = r.Language != ReglagesProgramme().Language;
  ReglagesProgramme() = r;
  AppliqueReglages(f, r);
  auto m = OuvreMagasin();
  EcritReglagesOptions(*m, r, langue);
  CourbureOptionsChangees(f.Document());
  if (langue) {
    std::string refus = ChangeLangue(f.DossierProgramme, r.Language);
    f.Rafraichit();
    if (!refus.empty()) AfficheMessage(refus, mtWarning, mbOK);
  }
  f.AfficheNet();
}

void LanceOptions(TMainForm& f) {
  TOptionForm fen(f);
  fen.Ouvre(ReglagesProgramme(), QCoreApplication::applicationDirPath());
  if (fen.exec() == QDialog::Accepted) AppliqueOptions(f, fen.Resultat());
}

namespace {

const TEnregistrement Enregistre([] {
  EnregistreCommande({.Nom = "MeOptions", .Execute = [](TMainForm& f, bool) { LanceOptions(f); }});
  EnregistreFenetre({.Nom = "option", .Ordre = 300, .Montre = [](TMainForm& f) -> QWidget* {
                       auto* fen = new TOptionForm(f);
                       fen->Ouvre(ReglagesProgramme(), QCoreApplication::applicationDirPath());
                       fen->show();
                       fen->adjustSize();
                       return fen;
                     }});
});

}  // namespace
