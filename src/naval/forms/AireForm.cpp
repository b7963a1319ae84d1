#include "naval/forms/AireForm.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "base/Chaines.h"
#include "naval/Aires.h"
#include "naval/AiresVoiles.h"
#include "session/ObjCom.h"

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
QString F(const char* fmt, double v) { return Q(Format(fmt, v)); }
}  // namespace

TGrilleResultatsForm::TGrilleResultatsForm(QWidget* parent) : QDialog(parent), G(new QTableWidget(this)) {
  G->setEditTriggers(QAbstractItemView::NoEditTriggers);
  G->setSelectionBehavior(QAbstractItemView::SelectRows);
  G->setSelectionMode(QAbstractItemView::ExtendedSelection);
  G->verticalHeader()->hide();
  G->verticalHeader()->setDefaultSectionSize(20);
  G->setAlternatingRowColors(true);
  auto* ok = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  ok->button(QDialogButtonBox::Ok)->setText("OK");
  connect(ok, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* l = new QVBoxLayout(this);
  l->addWidget(G);
  l->addWidget(ok);
}

void TGrilleResultatsForm::Remplit(const QStringList& entete, const std::vector<QStringList>& lignes) {
  G->clear();
  G->setColumnCount(static_cast<int>(entete.size()));
  G->setHorizontalHeaderLabels(entete);
  G->setRowCount(static_cast<int>(lignes.size()));
  for (int r = 0; r < static_cast<int>(lignes.size()); r++)
    for (int c = 0; c < lignes[r].size(); c++) {
      auto* it = new QTableWidgetItem(lignes[r][c]);
      if (c > 0) it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      G->setItem(r, c, it);
    }
  // The total row stands out from the surfaces above it.
  if (!lignes.empty())
    for (int c = 0; c < G->columnCount(); c++) {
      QFont f = G->item(G->rowCount() - 1, c)->font();
      f.setBold(true);
      G->item(G->rowCount() - 1, c)->setFont(f);
    }
  G->resizeColumnsToContents();
  for (int c = 1; c < G->columnCount(); c++) G->setColumnWidth(c, std::max(G->columnWidth(c) + 12, 80));
  int larg = 2 * G->frameWidth() + 30,
      haut = 2 * G->frameWidth() + G->horizontalHeader()->sizeHint().height();
  for (int c = 0; c < G->columnCount(); c++) larg += G->columnWidth(c);
  for (int r = 0; r < G->rowCount(); r++) haut += G->rowHeight(r);
  // As tall as its rows: a short list leaves no empty grid below it.
  G->setMinimumWidth(std::min(larg, 900));
  G->setFixedHeight(std::min(haut + 4, 500));
  adjustSize();
}

QString TGrilleResultatsForm::TexteCopie() const {
  auto ligne = [&](auto cellule) {
    QStringList c;
    for (int k = 0; k < G->columnCount(); k++) c << cellule(k);
    return c.join('\t') + '\r';
  };
  QString t = ligne(
      [&](int k) { return G->horizontalHeaderItem(k) ? G->horizontalHeaderItem(k)->text() : QString(); });
  for (int r = 0; r < G->rowCount(); r++) {
    bool choisie = false;
    for (int k = 0; k < G->columnCount() && !choisie; k++)
      choisie = G->item(r, k) && G->item(r, k)->isSelected();
    if (choisie) t += ligne([&](int k) { return G->item(r, k) ? G->item(r, k)->text() : QString(); });
  }
  return t;
}

void TGrilleResultatsForm::keyPressEvent(QKeyEvent* e) {
  if (e->matches(QKeySequence::Copy)) {
    QApplication::clipboard()->setText(TexteCopie());
    return;
  }
  QDialog::keyPressEvent(e);
}

TAireForm::TAireForm(TDocument& doc, QWidget* parent) : TGrilleResultatsForm(parent), Doc(doc) {
  setWindowTitle(Q(rs("rsAireFormCaption")));
}

void TAireForm::Prepare() {
  MajSurface(Doc, true, -1);
  const auto aires = LignesAires(Doc);
  std::vector<QStringList> l;
  for (const auto& a : aires)
    l.push_back({Q(a.Nom), F("%.4f", a.Immergee), F("%.4f", a.Emergee), F("%.4f", a.Totale)});
  const TLigneAire t = TotalAires(aires);
  l.push_back({Q(rs("rsAireTotale")), F("%.4f", t.Immergee), F("%.4f", t.Emergee), F("%.4f", t.Totale)});
  Remplit({Q(rs("rsAireColNom")), Q(rs("rsAireColImmergee")), Q(rs("rsAireColEmergee")),
           Q(rs("rsAireColTotale"))},
          l);
}

TAiresVoilesForm::TAiresVoilesForm(TDocument& doc, QWidget* parent) : TGrilleResultatsForm(parent), Doc(doc) {
  setWindowTitle(Q(rs("rsAiresVoilesFormCaption")));
  Equilibre = new QLabel(this);
  Equilibre->setObjectName("LblEquilibre");
  Equilibre->setTextInteractionFlags(Qt::TextSelectableByMouse);
  if (auto* l = qobject_cast<QVBoxLayout*>(layout())) l->insertWidget(1, Equilibre);
}

void TAiresVoilesForm::Prepare() {
  MajSurface(Doc, true, -1);
  MajCentreVoilure(Doc);
  std::vector<QStringList> l;
  auto ligne = [&](const QString& nom, const TBarycentre& b) {
    l.push_back(
        {nom, F("%.3f", b.Valeur), F("%.3f", b.Centre.X), F("%.3f", b.Centre.Y), F("%.3f", b.Centre.Z)});
  };
  for (const auto& v : LignesVoiles(Doc)) ligne(Q(v.Nom), v.Centre);
  ligne(Q(rs("rsAireTotale")), Doc.CentreVoilure);
  Remplit({Q(rs("rsAireColNom")), Q(rs("rsVoileColValeur")), "X", "Y", "Z"}, l);
  Grille()->setColumnWidth(0, std::max(90, Grille()->columnWidth(0)));
  const TEquilibre eq = CalcEquilibre(Doc);
  QStringList t;
  t << Q(Format(rs("rsVoileAntiDerive"), eq.AntiDerive.Aire, eq.AntiDerive.Y, eq.AntiDerive.Z));
  if (eq.Avance)
    t << Q(Format(rs("rsVoileAvance"), *eq.Avance));
  else
    t << Q(rs(eq.Voilure.Valeur == 0 ? "rsVoileAvanceSansVoile" : "rsVoileAvanceSansPlan"));
  Equilibre->setText(t.join("\n"));
  adjustSize();
}
