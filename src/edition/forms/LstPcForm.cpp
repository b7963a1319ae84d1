// The vertex list, its command and its screenshot.
#include "edition/forms/LstPcForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/CommandesEdition.h"
#include "app/Principale.h"
#include "base/Chaines.h"
#include "base/Debug.h"
#include "base/FichierStr.h"
#include "base/Services.h"
#include "edition/EditPC.h"
#include "session/ObjCom.h"
#include "ui/Registre.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
constexpr int ColX = 5;
// Wide enough for their headers ("Colonne") in the default font.
const int Largeurs[9] = {40, 90, 60, 60, 64, 64, 64, 64, 64};

}  // namespace

TLstPcForm::TLstPcForm(TMainForm& f, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint), F(f) {
  setObjectName("LstPcForm");
  setWindowTitle(Q(rs("rsLstPcFormCaption")));
  setModal(false);
  auto* l = new QVBoxLayout(this);
  Table = new QTableWidget(0, 9, this);
  Table->setObjectName("GrillePC");
  QStringList entetes;
  for (const auto& e : EnteteListePC()) entetes << Q(e);
  Table->setHorizontalHeaderLabels(entetes);
  Table->verticalHeader()->hide();
  Table->verticalHeader()->setDefaultSectionSize(20);
  for (int c = 0; c < 9; c++) Table->setColumnWidth(c, Largeurs[c]);
  Table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                         QAbstractItemView::AnyKeyPressed);
  l->addWidget(Table, 1);
  connect(Table, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* it) { CelluleChangee(it); });

  auto* b = new QHBoxLayout;
  auto* exp = new QPushButton(Q(rs("rsLstPcExport")), this);
  exp->setObjectName("BtnExport");
  exp->setToolTip(Q(rs("rsLstPcExportHint")));
  exp->setAutoDefault(false);
  auto* fermer = new QPushButton(Q(rs("rsLstPcFermer")), this);
  fermer->setObjectName("BtnFermer");
  fermer->setAutoDefault(false);
  connect(exp, &QPushButton::clicked, this, [this] { ExporteDialogue(); });
  connect(fermer, &QPushButton::clicked, this, [this] { close(); });
  b->addWidget(exp);
  b->addStretch();
  b->addWidget(fermer);
  l->addLayout(b);
  int w = 0;
  for (int c : Largeurs) w += c;
  resize(w + 40, 480);
}

void TLstPcForm::Refresh() {
  Remplissage = true;
  const auto lignes = LignesListePC(F.Document());
  Table->setRowCount(static_cast<int>(lignes.size()));
  for (int r = 0; r < static_cast<int>(lignes.size()); r++)
    for (int c = 0; c < 9; c++) {
      auto* it = new QTableWidgetItem(Q(lignes[static_cast<size_t>(r)][static_cast<size_t>(c)]));
      if (c < ColX) {
        it->setFlags(it->flags() & ~Qt::ItemIsEditable);
        it->setBackground(palette().window());
      }
      if (c == 0 || c >= 2) it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      Table->setItem(r, c, it);
    }
  Remplissage = false;
}

bool TLstPcForm::EnEdition() const {
  const QWidget* w = QApplication::focusWidget();
  return w && Table->viewport()->isAncestorOf(w);
}

void TLstPcForm::Active() {
  Refresh();
  Enregistre = false;
  Mod = false;
}

void TLstPcForm::Quitte() {
  if (!Mod) return;
  Mod = false;
  TDocument& doc = F.Document();
  F.Edition()->ApresEdition();
  doc.MarqueModifie();
  F.AfficheNet();
}

void TLstPcForm::CelluleChangee(QTableWidgetItem* it) {
  if (Remplissage || !it || it->column() < ColX) return;
  const int r = it->row(), c = it->column();
  auto entier = [this, r](int col) { return Table->item(r, col) ? Table->item(r, col)->text().toInt() : -1; };
  const TPC pc{entier(2), entier(3), entier(4)};
  TDocument& doc = F.Document();
  const std::string texte = it->text().toStdString();
  double v = 0;
  const bool lu = LitCoordonnee(texte, v);
  auto remet = [&] {
    Remplissage = true;
    it->setText(Q(Format("%.3f", LitCoordonneeVertex(doc, pc, c - ColX))));
    Remplissage = false;
  };
  if (!lu) {
    remet();
    if (!texte.empty() && texte != "-")
      AfficheMessage(Format(rs("rsLstPcErrValeur"), texte.c_str()), mtError, mbOK);
    return;
  }
  if (v != LitCoordonneeVertex(doc, pc, c - ColX) && VertexNurbs(doc, pc)) {
    // One undo step for the whole activation, taken before its first real change.
    if (!Enregistre) {
      F.Edition()->RecordAction(taSnapshot, "rsEtapeListeVertex");
      Enregistre = true;
    }
    EcritCoordonnee(doc, pc, c - ColX, v);
    Mod = true;
  }
  remet();
}

bool TLstPcForm::Exporte(const std::string& chemin) {
  std::vector<TLignePC> lignes;
  for (int r = 0; r < Table->rowCount(); r++) {
    TLignePC l;
    for (int c = 0; c < 9; c++)
      l[static_cast<size_t>(c)] = Table->item(r, c) ? Table->item(r, c)->text().toStdString() : "";
    lignes.push_back(l);
  }
  std::string erreur;
  if (!EcritFichierTexte(chemin, ExportListePC(lignes), &erreur)) {
    DbgErr(erDivers, "TLstPcForm.BtnExportClick", 0, {chemin, erreur});
    AfficheMessage(rs("rsLstPcErrExport") + chemin, mtError, mbOK);
    return false;
  }
  return true;
}

void TLstPcForm::ExporteDialogue() {
  if (!F.ChoisirFichier) return;
  const QString c = F.ChoisirFichier(true, Q(rs("rsLstPcFiltre")), QString());
  if (!c.isEmpty()) Exporte(c.toStdString());
}

void TLstPcForm::changeEvent(QEvent* e) {
  QDialog::changeEvent(e);
  if (e->type() != QEvent::ActivationChange) return;
  if (isActiveWindow())
    Active();
  else
    Quitte();
}

void TLstPcForm::closeEvent(QCloseEvent* e) {
  // A window closed while active may never hear of its deactivation.
  Quitte();
  QDialog::closeEvent(e);
}

TLstPcForm& ListePC(TMainForm& f) {
  if (auto* l = f.findChild<TLstPcForm*>("LstPcForm")) return *l;
  auto* l = new TLstPcForm(f, &f);
  // A model changed elsewhere (an undo, a drag) shows when the list is not being typed into.
  QObject::connect(&f, &TMainForm::ModeleRedessine, l, [l] {
    if (l->isVisible() && !l->EnEdition()) l->Refresh();
  });
  return *l;
}

namespace {

const TEnregistrement Enregistre([] {
  EnregistreCommande({.Nom = "MeListeVertex", .Execute = [](TMainForm& f, bool) {
                        TLstPcForm& l = ListePC(f);
                        l.Refresh();
                        l.show();
                        l.raise();
                        l.activateWindow();
                      }});
  EnregistreFenetre({.Nom = "lstpc", .Ordre = 260, .Montre = [](TMainForm& f) -> QWidget* {
                       f.Lance("MeListeVertex");
                       QApplication::processEvents();
                       return &ListePC(f);
                     }});
});

}  // namespace
