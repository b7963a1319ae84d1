// The surface list window and the visible-surfaces window.
#include "model/forms/ListeSurfForm.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>

#include "base/Chaines.h"
#include "base/Debug.h"
#include "base/Services.h"
#include "session/ObjCom.h"

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }

void RemplitNoms(QListWidget* l, const TDocument& doc) {
  l->clear();
  for (int i = 0; i < doc.NbSurf(); i++) l->addItem(Q(doc.Surf(i).Nom));
}
}  // namespace

const char* CleTitreListeSurf(int mode) {
  switch (mode) {
    case lsVerrou:
      return "rsListeSurfFormCapVer";
    case lsPorteeCalc:
      return "rsListeSurfFormCapPorteeCalc";
    case lsSuppr:
      return "rsListeSurfFormCapSuppr";
    case lsDupliquer:
      return "rsListeSurfFormCapDuplic";
    case lsMirroirV:
      return "rsListeSurfFormCapRetVer";
    case lsMirroirH:
      return "rsListeSurfFormCapRetHor";
    case lsExport:
      return "rsListeSurfFormCapExportSurf";
    case lsRenommer:
      return "rsSurfaceRename";
    default:
      return "";
  }
}

TListeSurfForm::TListeSurfForm(TDocument& doc, QWidget* parent) : QDialog(parent), Doc(doc) {
  setObjectName("ListeSurfForm");
  setWindowTitle(Q(rs("rsListeSurfFormCaption")));
  auto* v = new QVBoxLayout(this);
  Titre = new QLabel(this);
  Titre->setObjectName("Titre");
  QFont f = Titre->font();
  f.setBold(true);
  Titre->setFont(f);
  v->addWidget(Titre);
  Liste = new QListWidget(this);
  Liste->setObjectName("Liste");
  Liste->setMinimumSize(240, Liste->sizeHintForRow(0) * MaxSurf + 40);
  v->addWidget(Liste, 1);
  auto* hb = new QHBoxLayout;
  BtnToutes = new QPushButton(Q(rs("rsBtnToutes")), this);
  BtnToutes->setObjectName("BtnToutes");
  BtnAucune = new QPushButton(Q(rs("rsBtnAucune")), this);
  BtnAucune->setObjectName("BtnAucune");
  BtnToutes->setAutoDefault(false);
  BtnAucune->setAutoDefault(false);
  hb->addWidget(BtnToutes);
  hb->addWidget(BtnAucune);
  hb->addStretch(1);
  v->addLayout(hb);
  LabelNom = new QLabel(Q(rs("rsLabelNouveauNom")), this);
  Nom = new QLineEdit(this);
  Nom->setObjectName("EditNom");
  LabelNom->setBuddy(Nom);
  v->addWidget(LabelNom);
  v->addWidget(Nom);
  auto* boutons = new QDialogButtonBox(this);
  QPushButton* ok = boutons->addButton(Q(rs("rsBtnOK")), QDialogButtonBox::AcceptRole);
  ok->setObjectName("BtnOK");
  ok->setDefault(true);
  boutons->addButton(Q(rs("rsBtnAnnuler")), QDialogButtonBox::RejectRole)->setObjectName("BtnAnnuler");
  connect(boutons, &QDialogButtonBox::accepted, this, &TListeSurfForm::accept);
  connect(boutons, &QDialogButtonBox::rejected, this, &TListeSurfForm::reject);
  v->addWidget(boutons);
  connect(BtnToutes, &QPushButton::clicked, Liste, &QListWidget::selectAll);
  connect(BtnAucune, &QPushButton::clicked, Liste, &QListWidget::clearSelection);
  // Renaming proposes the chosen surface's name to edit.
  connect(Liste, &QListWidget::currentRowChanged, this, [this](int r) {
    if (ModeCourant == lsRenommer && r >= 0 && r < Doc.NbSurf()) {
      Nom->setText(Q(Doc.Surf(r).Nom));
      Nom->selectAll();
    }
  });
}

bool TListeSurfForm::Prepare(int mode) {
  const char* cle = CleTitreListeSurf(mode);
  if (!*cle) {
    AfficheMessage(rs("rsErActionNonPrevue"), mtError, mbOK);
    return false;
  }
  ModeCourant = mode;
  Titre->setText(Q(rs(cle)));
  setWindowTitle(Q(rs(cle)));
  bool renommer = mode == lsRenommer;
  Liste->setSelectionMode(renommer ? QAbstractItemView::SingleSelection : QAbstractItemView::MultiSelection);
  BtnToutes->setVisible(!renommer);
  BtnAucune->setVisible(!renommer);
  LabelNom->setVisible(renommer);
  Nom->setVisible(renommer);
  Nom->clear();
  RemplitNoms(Liste, Doc);
  // Lock and scope show the state they edit.
  for (int i = 0; i < Doc.NbSurf(); i++) {
    bool sel = (mode == lsVerrou && Doc.Surf(i).Verrou) || (mode == lsPorteeCalc && Doc.Surf(i).Calc);
    Liste->item(i)->setSelected(sel);
  }
  if (renommer) {
    int k = Doc.PCCourant.Existe() && Doc.PCCourant.NumSurf < Doc.NbSurf() ? Doc.PCCourant.NumSurf : 0;
    if (Doc.NbSurf() > 0) Liste->setCurrentRow(k);
    Nom->setFocus();
  } else {
    Liste->setFocus();
  }
  return true;
}

std::vector<int> TListeSurfForm::Selection() const {
  std::vector<int> r;
  for (int i = 0; i < Liste->count(); i++)
    if (Liste->item(i)->isSelected()) r.push_back(i);
  return r;
}

bool TListeSurfForm::Applique(const std::vector<int>& sel) {
  TRACE("TListeSurfForm.BtnOKClick");
  switch (ModeCourant) {
    case lsVerrou:
      VerrouillerSurfaces(Doc, sel);
      return true;
    case lsPorteeCalc:
      PorteeCalculs(Doc, sel);
      return true;
    case lsSuppr:
      if (sel.empty()) return true;
      if (AfficheMessage(rs("rsConfirmDeleteSurface"), mtConfirmation, mbYes | mbNo) != mrYes) return false;
      if (AvantModification) AvantModification(ModeCourant);
      SupprimerSurfaces(Doc, sel);
      PCCourantPremierLibre(Doc);
      Doc.MarqueModifie();
      return true;
    case lsDupliquer: {
      if (sel.empty()) return true;
      // A refused duplication must leave no step behind it.
      if (AvantModification && static_cast<int>(sel.size()) + Doc.NbSurf() <= MaxSurf)
        AvantModification(ModeCourant);
      std::string refus = DupliquerSurfaces(Doc, sel);
      if (!refus.empty()) {
        AfficheMessage(rs(refus), mtWarning, mbOK);
        Liste->setFocus();
        return false;
      }
      return true;
    }
    case lsMirroirV:
    case lsMirroirH:
      if (sel.empty()) return true;
      if (AvantModification) AvantModification(ModeCourant);
      for (auto it = sel.rbegin(); it != sel.rend(); ++it)
        (ModeCourant == lsMirroirV ? MirroirZ : MirroirX)(Doc, *it);
      return true;
    case lsExport:
      if (sel.empty()) return true;
      return !Exporte || Exporte(sel);
    case lsRenommer: {
      std::string nom = Nom->text().toStdString();
      std::string refus;
      // The order of the checks decides which fault is named first.
      if (SurfNom2Num(Doc, NomSurfaceCoupe(nom)) >= 0)
        refus = "rsNomUtilise";
      else if (sel.size() != 1)
        refus = "rsMauvaiseSelection";
      else
        refus = RenommerSurface(Doc, sel[0], nom);
      if (!refus.empty()) {
        AfficheMessage(rs(refus), mtWarning, mbOK);
        if (refus == "rsMauvaiseSelection")
          Liste->setFocus();
        else
          Nom->setFocus(), Nom->selectAll();
        return false;
      }
      return true;
    }
    default:
      AfficheMessage(rs("rsErActionNonPrevue"), mtError, mbOK);
      return true;
  }
}

void TListeSurfForm::accept() {
  std::vector<int> sel = Selection();
  if (!Applique(sel)) return;
  QDialog::accept();
  if (QuandApplique && (!sel.empty() || ModeCourant == lsVerrou || ModeCourant == lsPorteeCalc))
    QuandApplique({ModeCourant, sel});
}

TListeSurfVisiblesForm::TListeSurfVisiblesForm(TDocument& doc, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), Doc(doc) {
  setObjectName("ListeSurfVisiblesForm");
  setWindowTitle(Q(rs("rsListeSurfVisiblesFormCaption")));
  auto* v = new QVBoxLayout(this);
  Liste = new QListWidget(this);
  Liste->setObjectName("Liste");
  Liste->setSelectionMode(QAbstractItemView::MultiSelection);
  Liste->setMinimumSize(200, Liste->sizeHintForRow(0) * MaxSurf + 40);
  v->addWidget(Liste);
  auto* fermer = new QPushButton(Q(rs("rsBtnFermer")), this);
  fermer->setObjectName("BtnFermer");
  v->addWidget(fermer, 0, Qt::AlignRight);
  connect(fermer, &QPushButton::clicked, this, &QWidget::close);
  // A tool window has no dialog keys of its own: Escape closes it like the button.
  connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
  connect(Liste, &QListWidget::itemSelectionChanged, this, [this] {
    if (EnRemplissage) return;
    std::vector<int> sel;
    for (int i = 0; i < Liste->count(); i++)
      if (Liste->item(i)->isSelected()) sel.push_back(i);
    VisibiliteSurfaces(Doc, sel);
    if (QuandChange) QuandChange();
  });
}

void TListeSurfVisiblesForm::Rafraichit() {
  EnRemplissage = true;
  RemplitNoms(Liste, Doc);
  for (int i = 0; i < Doc.NbSurf(); i++) Liste->item(i)->setSelected(Doc.Surf(i).Visible);
  EnRemplissage = false;
}
