// The development and thickness windows.
#include "naval/forms/DevSurfForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "base/Chaines.h"
#include "base/Debug.h"
#include "base/Services.h"
#include "model/Limites.h"
#include "session/Epaisseur.h"
#include "ui/ChoixSurfaces.h"

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }

// Green below a millimetre, orange below a centimetre, red above.
QColor CouleurErreur(double e) {
  if (e < 0.001) return QColor(0x00, 0x80, 0x00);
  if (e < 0.01) return QColor(0xFF, 0xA0, 0x00);
  return QColor(0xFF, 0x00, 0x00);
}
}  // namespace

TDevSurfForm::TDevSurfForm(TDocument& doc, QWidget* parent) : QDialog(parent), Doc(doc) {
  setObjectName("DevSurfForm");
  setWindowTitle(Q(rs("rsDevSurfFormCaption")));
  auto* h = new QHBoxLayout(this);
  auto* gs = new QGroupBox(Q(rs("rsSelection")), this);
  auto* vs = new QVBoxLayout(gs);
  const TChoixSurfaces choix = AjouteChoixSurfaces(gs, vs);
  Liste = choix.Liste, BtnToutes = choix.Toutes, BtnAucune = choix.Aucune;
  Liste->setMinimumWidth(170);
  BtnLancer = BoutonTexte(gs, "rsBtnLancerCaption", "BtnLancer");
  BtnLancer->setDefault(true);
  vs->addWidget(BtnLancer);
  h->addWidget(gs);

  auto* droite = new QVBoxLayout;
  auto* ge = new QGroupBox(Q(rs("rsGBControleErreursCaption")), this);
  auto* ve = new QVBoxLayout(ge);
  Grille = new QTableWidget(0, 4, ge);
  Grille->setObjectName("Grille");
  // The error in metres as the program gives it, and beside it in millimetres as one reads it.
  Grille->setHorizontalHeaderLabels(
      {Q(rs("rsSurface")), Q(rs("rsDirectrice")), Q(rs("rsErreur")), Q(rs("rsErreurMm"))});
  Grille->verticalHeader()->hide();
  Grille->verticalHeader()->setDefaultSectionSize(20);
  // The error is shown to 15 significant digits: its column takes them whole.
  Grille->setColumnWidth(0, 130);
  Grille->setColumnWidth(1, 87);
  Grille->setColumnWidth(2, 170);
  Grille->horizontalHeader()->setStretchLastSection(true);
  Grille->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Grille->setSelectionBehavior(QAbstractItemView::SelectRows);
  Grille->setMinimumSize(410, 320);
  ve->addWidget(Grille);
  Resume = new QLabel(ge);
  Resume->setObjectName("LblResume");
  Resume->setTextInteractionFlags(Qt::TextSelectableByMouse);
  ve->addWidget(Resume);
  droite->addWidget(ge, 1);
  auto* bf = new QHBoxLayout;
  bf->addStretch(1);
  BtnFermer = BoutonTexte(this, "rsBtnFermer", "BtnFermer");
  bf->addWidget(BtnFermer);
  droite->addLayout(bf);
  h->addLayout(droite, 1);

  connect(BtnToutes, &QPushButton::clicked, Liste, &QListWidget::selectAll);
  connect(BtnAucune, &QPushButton::clicked, Liste, &QListWidget::clearSelection);
  connect(BtnLancer, &QPushButton::clicked, this, &TDevSurfForm::Lancer);
  connect(BtnFermer, &QPushButton::clicked, this, &QDialog::reject);
}

void TDevSurfForm::Prepare() {
  Liste->clear();
  Entree.clear();
  // Only the surfaces the unrolling knows are offered.
  for (int k = 0; k < Doc.NbSurf(); k++)
    if (SurfaceDeveloppable(Doc.Surf(k))) {
      Liste->addItem(Q(Doc.Surf(k).Nom));
      Entree.push_back(k);
    }
  BtnLancer->setEnabled(!Entree.empty());
  BtnToutes->setEnabled(!Entree.empty());
  BtnAucune->setEnabled(!Entree.empty());
  // The explanation is read whole, on as many lines as the list's width needs.
  Liste->setWordWrap(Entree.empty());
  Liste->setHorizontalScrollBarPolicy(Entree.empty() ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
  if (Entree.empty()) Liste->addItem(Q(rs("rsDevAucuneReglee")));
  if (Entree.empty()) Liste->item(0)->setFlags(Qt::NoItemFlags);
}

void TDevSurfForm::Lancer() {
  TRACE("TDevSurfForm.BtnLancerClick");
  Grille->setRowCount(0);
  Resume->clear();
  std::vector<int> nums;
  for (int i = 0; i < Liste->count() && i < static_cast<int>(Entree.size()); i++)
    if (Liste->item(i)->isSelected()) nums.push_back(Entree[size_t(i)]);
  if (Doc.NbSurf() + static_cast<int>(nums.size()) > MaxSurf) {
    AfficheMessage(rs("rsSurfSelMax"), mtWarning, mbOK);
    return;
  }
  if (!nums.empty() && AvantChangement) AvantChangement();
  std::vector<TResultatDev> res;
  const std::string refus = DevelopperSurfaces(Doc, nums, res);
  if (!refus.empty()) {
    AfficheMessage(rs(refus), mtWarning, mbOK);
    return;
  }
  QStringList resume;
  for (const auto& r : res) {
    if (r.Ajoutee >= 0) {
      RefreshSG_Erreur(r.Nom, r.Erreurs);
      const TMesurePatron m = MesurePatron(r.Patron);
      resume << Q(Format(rs("rsDevResume"), r.Nom.c_str(), m.Aire, m.BordA, m.BordB));
    } else
      AfficheMessage(r.Nom + " : " + r.Message, mtError, mbOK);
  }
  Resume->setText(resume.join("\n"));
  Doc.MarqueModifie();
  if (QuandApplique) QuandApplique();
  Prepare();
}

void TDevSurfForm::RefreshSG_Erreur(const std::string& nom, const std::vector<TErreurDev>& erreurs) {
  for (const auto& e : erreurs) {
    const int r = Grille->rowCount();
    Grille->insertRow(r);
    Grille->setItem(r, 0, new QTableWidgetItem(Q(nom)));
    Grille->setItem(r, 1, new QTableWidgetItem(QString::number(e.Directrice)));
    auto* c = new QTableWidgetItem(QString::number(e.Erreur, 'g', 15));
    c->setForeground(CouleurErreur(e.Erreur));
    Grille->setItem(r, 2, c);
    // Three significant digits, down to a tenth of a micron: below that it is the rounding of
    // the pattern's coordinates, not an error one could cut.
    const double v = e.Erreur * 1000;
    const int dec = v == 0 ? 4 : std::clamp(2 - static_cast<int>(std::floor(std::log10(std::abs(v)))), 0, 4);
    auto* mm = new QTableWidgetItem(QString::number(v, 'f', dec));
    mm->setForeground(CouleurErreur(e.Erreur));
    Grille->setItem(r, 3, mm);
  }
}

QString TDevSurfForm::TexteCopie() const {
  QString t;
  for (int c = 0; c < 3; c++) t += (c ? "\t" : "") + Grille->horizontalHeaderItem(c)->text();
  t += "\r";
  for (int r = 0; r < Grille->rowCount(); r++) {
    if (!Grille->item(r, 0) || !Grille->item(r, 0)->isSelected()) continue;
    for (int c = 0; c < 3; c++)
      t += (c ? "\t" : "") + (Grille->item(r, c) ? Grille->item(r, c)->text() : QString());
    t += "\r";
  }
  return t;
}

void TDevSurfForm::keyPressEvent(QKeyEvent* e) {
  if (e->matches(QKeySequence::Copy) && Grille->hasFocus()) {
    QApplication::clipboard()->setText(TexteCopie());
    return;
  }
  QDialog::keyPressEvent(e);
}

void TDevSurfForm::hideEvent(QHideEvent* e) {
  Liste->clear();
  Entree.clear();
  QDialog::hideEvent(e);
}

// --- Thickness ------------------------------------------------------------------------

TEpaisseurForm::TEpaisseurForm(TDocument& doc, QWidget* parent) : QDialog(parent), Doc(doc) {
  setObjectName("EpaisseurForm");
  setWindowTitle(Q(rs("rsEpaisseurFormCaption")));
  auto* v = new QVBoxLayout(this);
  auto* gs = new QGroupBox(Q(rs("rsSelection")), this);
  auto* vs = new QVBoxLayout(gs);
  Liste = new QListWidget(gs);
  Liste->setObjectName("Liste");
  Liste->setSelectionMode(QAbstractItemView::SingleSelection);
  Liste->setMinimumSize(220, 110);
  vs->addWidget(Liste);
  v->addWidget(gs, 1);
  auto* h = new QHBoxLayout;
  RBInterieur = new QRadioButton(Q(rs("rsRB_InterieurCaption")), this);
  RBInterieur->setObjectName("RBInterieur");
  RBExterieur = new QRadioButton(Q(rs("rsRB_ExterieurCaption")), this);
  RBExterieur->setObjectName("RBExterieur");
  RBInterieur->setChecked(true);
  h->addWidget(RBInterieur);
  h->addWidget(RBExterieur);
  h->addStretch(1);
  v->addLayout(h);
  auto* he = new QHBoxLayout;
  auto* l = new QLabel(Q(rs("rsLabelEpaisseurMCaption")), this);
  Epaisseur = new QLineEdit("0.000", this);
  Epaisseur->setObjectName("EditEpaisseur");
  l->setBuddy(Epaisseur);
  he->addWidget(l);
  he->addWidget(Epaisseur);
  v->addLayout(he);
  CBPoids = new QCheckBox(Q(rs("rsCBPoidsEpaisseurCaption")), this);
  CBPoids->setObjectName("CBPoids");
  v->addWidget(CBPoids);
  auto* boutons = new QDialogButtonBox(this);
  QPushButton* ok = boutons->addButton(Q(rs("rsBtnOK")), QDialogButtonBox::AcceptRole);
  ok->setObjectName("BtnOK");
  ok->setDefault(true);
  boutons->addButton(Q(rs("rsBtnAnnuler")), QDialogButtonBox::RejectRole)->setObjectName("BtnAnnuler");
  connect(boutons, &QDialogButtonBox::accepted, this, &TEpaisseurForm::accept);
  connect(boutons, &QDialogButtonBox::rejected, this, &TEpaisseurForm::reject);
  v->addWidget(boutons);
}

void TEpaisseurForm::Prepare() {
  Liste->clear();
  for (int k = 0; k < Doc.NbSurf(); k++) Liste->addItem(Q(Doc.Surf(k).Nom));
}

void TEpaisseurForm::accept() {
  TRACE("TEpaisseurForm.BtnOKClick");
  const int k = Liste->currentRow();
  const bool choisie = k >= 0 && Liste->item(k)->isSelected() && k < Doc.NbSurf();
  if (choisie) {
    // Converted once, before anything is made.
    bool ok = false;
    const QString texte = Epaisseur->text().trimmed();
    const double t = texte.toDouble(&ok);
    if (!ok || !std::isfinite(t)) {
      AfficheMessage(Format(rs("rsErrConversionChamp"), rs("rsLabelEpaisseurMCaption").c_str(),
                            texte.toStdString().c_str()),
                     mtError, mbOK);
      return;
    }
    if (Doc.NbSurf() >= MaxSurf) {
      AfficheMessage(rs("rsErrMaxSurf"), mtWarning, mbOK);
      return;
    }
    if (AvantChangement) AvantChangement();
    const std::string refus =
        AjouteEpaisseur(Doc, k, t, RBInterieur->isChecked(), nullptr, CBPoids->isChecked());
    if (!refus.empty()) {
      AfficheMessage(rs(refus), mtError, mbOK);
      return;
    }
  }
  Doc.MarqueModifie();
  if (QuandApplique) QuandApplique();
  QDialog::accept();
}

void TEpaisseurForm::hideEvent(QHideEvent* e) {
  Liste->clear();
  QDialog::hideEvent(e);
}
