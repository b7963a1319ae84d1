// The lines grid window.
#include "model/forms/GrilleForm.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "base/Chaines.h"
#include "base/FichierStr.h"
#include "base/Services.h"
#include "session/ObjCom.h"
#include "ui/Dialogues.h"

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }

const char* const ClesOnglets[NbFamillesLignes] = {"rsCouples", "rsLignesE", "rsLongits", "rsDiags"};
const char* const ClesNombres[NbFamillesLignes] = {"rsLabelNbSecCaption", "rsLabelNbLECaption",
                                                   "rsLabelNbLgCaption", "rsLabelNbDiagCaption"};
const char* const DefautsNombres[NbFamillesLignes] = {"11", "7", "9", "5"};
const char* const NomsFamilles[NbFamillesLignes] = {"Sec", "LE", "Long", "Diag"};

// The first row whose cells the table check refuses, with the refused column.
int CelleFautive(const TTableGrille& t, TFamilleLignes f, int& col) {
  for (size_t i = 0; i < t.Pos.size(); i++) {
    TTableGrille une;
    une.Pos = {t.Pos[i]};
    if (!VerifieTable(une, f).empty()) return col = 0, static_cast<int>(i);
    if (f == flDiagonales && i < t.Angles.size()) {
      une.Angles = {t.Angles[i]};
      if (!VerifieTable(une, f).empty()) return col = 1, static_cast<int>(i);
    }
  }
  return col = 0, -1;
}
}  // namespace

TGrilleForm::TGrilleForm(TDocument& doc, QWidget* parent) : QDialog(parent), Doc(doc) {
  setObjectName("GrilleForm");
  setWindowTitle(Q(rs("rsGrilleFormCaption")));
  auto* v = new QVBoxLayout(this);
  Onglets = new QTabWidget(this);
  Onglets->setObjectName("Onglets");
  v->addWidget(Onglets, 1);
  for (int i = 0; i < NbFamillesLignes; i++) {
    auto f = static_cast<TFamilleLignes>(i);
    TPageGrille& p = Pages[static_cast<size_t>(i)];
    auto* page = new QWidget(Onglets);
    page->setObjectName(QString("Page%1").arg(NomsFamilles[i]));
    auto* h = new QHBoxLayout(page);
    auto* droite = new QVBoxLayout;
    auto* fc = new QFormLayout;
    p.Nombre = new QLineEdit(page);
    p.Nombre->setObjectName(QString("EditNb%1").arg(NomsFamilles[i]));
    p.Nombre->setMaximumWidth(70);
    fc->addRow(Q(rs(ClesNombres[i])), p.Nombre);
    if (f == flSections) {
      Scinder = new QLineEdit(page);
      Scinder->setObjectName("EditScinder");
      Scinder->setMaximumWidth(70);
      fc->addRow(Q(rs("rsLabelScinderCaption")), Scinder);
    }
    droite->addLayout(fc);

    auto* gb = new QGroupBox(Q(rs("rsGroupBoxAutoCaption")), page);
    auto* ga = new QGridLayout(gb);
    auto* groupe = new QButtonGroup(gb);
    p.RBStandard = new QRadioButton(Q(rs("rsRB_AutoStandardCaption")), gb);
    p.RBEspDonne = new QRadioButton(Q(rs("rsRB_AutoEspDonneCaption")), gb);
    p.RBDistDonnee = new QRadioButton(Q(rs("rsRB_AutoDistDonneCaption")), gb);
    p.RBStandard->setObjectName("RBStandard");
    p.RBEspDonne->setObjectName("RBEspDonne");
    p.RBDistDonnee->setObjectName("RBDistDonnee");
    for (QRadioButton* r : {p.RBStandard, p.RBEspDonne, p.RBDistDonnee}) groupe->addButton(r);
    p.RBStandard->setChecked(true);
    ga->addWidget(p.RBStandard, 0, 0, 1, 2);
    ga->addWidget(p.RBEspDonne, 1, 0, 1, 2);
    ga->addWidget(p.RBDistDonnee, 2, 0, 1, 2);
    auto champ = [&](int ligne, const char* cle, const char* nom, const char* defaut) {
      ga->addWidget(new QLabel(Q(rs(cle)), gb), ligne, 0);
      auto* e = new QLineEdit(QString::fromLatin1(defaut), gb);
      e->setObjectName(nom);
      e->setMaximumWidth(110);
      ga->addWidget(e, ligne, 1);
      return e;
    };
    p.Base = champ(3, "rsLabelBaseCaption", "EditBase", "0");
    p.Espacement = champ(4, "rsLabelBase2Caption", "EditEspacement", "0.5");
    p.Fin = champ(5, "rsLabelFinCaption", "EditFin", "10");
    p.BtnAuto = new QPushButton(Q(rs("rsBtnAutoCaption")), gb);
    p.BtnAuto->setObjectName("BtnAuto");
    p.BtnAuto->setAutoDefault(false);
    ga->addWidget(p.BtnAuto, 6, 0, 1, 2);
    p.LabelPas = new QLabel(gb);
    p.LabelPas->setObjectName("LabelPas");
    p.LabelPas->setMinimumWidth(180);
    ga->addWidget(p.LabelPas, 7, 0, 1, 2);
    droite->addWidget(gb);
    droite->addStretch(1);

    p.Table = new QTableWidget(page);
    p.Table->setObjectName(QString("Table%1").arg(NomsFamilles[i]));
    p.Table->setColumnCount(f == flDiagonales ? 2 : 1);
    QStringList titres{Q(rs("rsColPosition"))};
    if (f == flDiagonales) titres << Q(rs("rsColAngle"));
    p.Table->setHorizontalHeaderLabels(titres);
    p.Table->horizontalHeader()->setDefaultSectionSize(110);
    p.Table->horizontalHeader()->setStretchLastSection(true);
    p.Table->setMinimumWidth(f == flDiagonales ? 270 : 170);
    p.Table->setMinimumHeight(300);
    h->addWidget(p.Table, 1);
    h->addLayout(droite);
    Onglets->addTab(page, Q(rs(ClesOnglets[i])));

    auto etat = [p] {
      p.Base->setEnabled(!p.RBStandard->isChecked());
      p.Espacement->setEnabled(p.RBEspDonne->isChecked());
      p.Fin->setEnabled(p.RBDistDonnee->isChecked());
    };
    etat();
    for (QRadioButton* r : {p.RBStandard, p.RBEspDonne, p.RBDistDonnee})
      connect(r, &QRadioButton::toggled, this, etat);
    connect(p.Nombre, &QLineEdit::editingFinished, this, [this, f] { CompteSaisi(f); });
    connect(p.BtnAuto, &QPushButton::clicked, this, [this, f] { Automatique(f); });
    connect(p.Table, &QTableWidget::cellChanged, this, [this, f](int r, int c) {
      if (EnRemplissage) return;
      TTableGrille& t = Tab.T[f];
      std::string texte = Pages[static_cast<size_t>(f)].Table->item(r, c)->text().toStdString();
      auto& col = c == 0 ? t.Pos : t.Angles;
      if (r >= 0 && r < static_cast<int>(col.size())) col[static_cast<size_t>(r)] = texte;
      t.Modifiee = true;
    });
  }
  connect(Scinder, &QLineEdit::editingFinished, this, [this] {
    if (std::optional<int> n =
            LitScinder(Scinder->text().toStdString(), static_cast<int>(Tab.T[flSections].Pos.size())))
      Tab.NumSc = *n;
    Scinder->setText(QString::number(Tab.NumSc));
  });
  // Leaving a page checks its table.
  connect(Onglets, &QTabWidget::currentChanged, this, [this](int i) {
    if (EnRemplissage || i == OngletCourant) return;
    if (!VerifiePage(static_cast<TFamilleLignes>(OngletCourant))) {
      EnRemplissage = true;
      Onglets->setCurrentIndex(OngletCourant);
      EnRemplissage = false;
      Pages[static_cast<size_t>(OngletCourant)].Table->setFocus();
      return;
    }
    OngletCourant = i;
  });

  auto* bas = new QHBoxLayout;
  BtnPortee = new QPushButton(Q(rs("rsBtnPorteeCalculs")), this);
  BtnPortee->setObjectName("BtnPortee");
  BtnPortee->setAutoDefault(false);
  bas->addWidget(BtnPortee);
  auto* boutons = new QDialogButtonBox(this);
  QPushButton* ok = boutons->addButton(Q(rs("rsBtnOK")), QDialogButtonBox::AcceptRole);
  ok->setObjectName("BtnOK");
  ok->setDefault(true);
  boutons->addButton(Q(rs("rsBtnAnnuler")), QDialogButtonBox::RejectRole)->setObjectName("BtnAnnuler");
  connect(boutons, &QDialogButtonBox::accepted, this, &TGrilleForm::accept);
  connect(boutons, &QDialogButtonBox::rejected, this, &TGrilleForm::reject);
  bas->addWidget(boutons, 1);
  v->addLayout(bas);
  connect(BtnPortee, &QPushButton::clicked, this, [this] {
    if (OuvrePortee) OuvrePortee();
  });
}

TGrilleForm::~TGrilleForm() { DetacheChamps(*this); }

void TGrilleForm::Prepare() {
  Tab = ChargeTablesGrille(Doc.Grille);
  for (int i = 0; i < NbFamillesLignes; i++) {
    Pages[static_cast<size_t>(i)].LabelPas->clear();
    RemplitPage(static_cast<TFamilleLignes>(i));
  }
  Scinder->setText(QString::number(Tab.NumSc));
  EnRemplissage = true;
  Onglets->setCurrentIndex(0);
  EnRemplissage = false;
  OngletCourant = 0;
  Pages[0].Nombre->setFocus();
  Pages[0].Nombre->selectAll();
}

void TGrilleForm::RemplitPage(TFamilleLignes f) {
  TPageGrille& p = Pages[static_cast<size_t>(f)];
  const TTableGrille& t = Tab.T[f];
  EnRemplissage = true;
  int n = static_cast<int>(t.Pos.size());
  p.Table->setRowCount(n);
  QStringList numeros;
  for (int r = 0; r < n; r++) {
    numeros << QString::number(r);
    p.Table->setItem(r, 0, new QTableWidgetItem(Q(t.Pos[static_cast<size_t>(r)])));
    if (f == flDiagonales)
      p.Table->setItem(
          r, 1,
          new QTableWidgetItem(r < static_cast<int>(t.Angles.size()) ? Q(t.Angles[static_cast<size_t>(r)])
                                                                     : "0"));
  }
  p.Table->setVerticalHeaderLabels(numeros);
  p.Nombre->setText(n > 0 ? QString::number(n) : QString::fromLatin1(DefautsNombres[f]));
  if (!t.LabelPas.empty()) p.LabelPas->setText(Q(t.LabelPas));
  EnRemplissage = false;
}

void TGrilleForm::CompteSaisi(TFamilleLignes f) {
  TPageGrille& p = Pages[static_cast<size_t>(f)];
  if (std::optional<int> n = LitCompte(p.Nombre->text().toStdString(), f)) {
    RedimTable(Tab, f, *n);
    RemplitPage(f);
    if (f == flSections) Scinder->setText(QString::number(Tab.NumSc));
  } else {
    // "-" and empty entries are ignored: the field shows the table's count again.
    p.Nombre->setText(QString::number(Tab.T[f].Pos.size()));
  }
}

void TGrilleForm::Automatique(TFamilleLignes f) {
  TPageGrille& p = Pages[static_cast<size_t>(f)];
  int n = static_cast<int>(Tab.T[f].Pos.size());
  auto lit = [](QLineEdit* e, const char* cle, double& v) {
    if (LitReel(e->text().toStdString(), v)) return true;
    AfficheMessage(Format(rs("rsErrNombreChamp"), rs(cle).c_str(), e->text().toStdString().c_str()),
                   mtWarning, mbOK);
    e->setFocus();
    e->selectAll();
    return false;
  };
  TEspacement e;
  double base = 0, autre = 0;
  if (p.RBStandard->isChecked()) {
    MajSurface(Doc, true, -1);
    e = EspacementStandard(Doc, f, n);
  } else if (p.RBEspDonne->isChecked()) {
    if (!lit(p.Base, "rsLabelBaseCaption", base) || !lit(p.Espacement, "rsLabelBase2Caption", autre)) return;
    e = EspacementDonne(f, base, autre, n);
  } else {
    if (!lit(p.Base, "rsLabelBaseCaption", base) || !lit(p.Fin, "rsLabelFinCaption", autre)) return;
    e = DistanceDonnee(f, base, autre, n);
  }
  RemplitTable(Tab.T[f], f, e);
  RemplitPage(f);
}

bool TGrilleForm::VerifiePage(TFamilleLignes f) {
  std::string refus = VerifieTable(Tab.T[f], f);
  if (refus.empty()) return true;
  AfficheMessage(refus, mtWarning, mbOK);
  int col = 0;
  int r = CelleFautive(Tab.T[f], f, col);
  QTableWidget* t = Pages[static_cast<size_t>(f)].Table;
  if (r >= 0) t->setCurrentCell(r, col);
  t->setFocus();
  return false;
}

void TGrilleForm::accept() {
  for (int i = 0; i < NbFamillesLignes; i++) {
    auto f = static_cast<TFamilleLignes>(i);
    if (!VerifiePage(f)) {
      EnRemplissage = true;
      Onglets->setCurrentIndex(i);
      EnRemplissage = false;
      OngletCourant = i;
      Pages[static_cast<size_t>(i)].Table->setFocus();
      return;
    }
  }
  MajGrille(Doc, Tab);
  QDialog::accept();
  if (QuandApplique) QuandApplique();
}
