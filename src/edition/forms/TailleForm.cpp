// The hull dimensions window.
#include "edition/forms/TailleForm.h"

#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/Chaines.h"
#include "base/Debug.h"
#include "model/EnteteRapport.h"
#include "session/ObjCom.h"
#include "ui/ChoixSurfaces.h"

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

TTailleForm::TTailleForm(TDocument& doc, QWidget* parent) : QDialog(parent), Doc(doc) {
  setObjectName("TailleForm");
  setWindowTitle(Q(rs("rsTailleFormCaption")));
  setWindowFlags(windowFlags() | Qt::Tool | Qt::WindowStaysOnTopHint);
  auto* h = new QHBoxLayout(this);
  auto* gauche = new QVBoxLayout;
  const TChoixSurfaces choix = AjouteChoixSurfaces(this, gauche);
  Liste = choix.Liste, BtnToutes = choix.Toutes, BtnAucune = choix.Aucune;
  Liste->setMaximumWidth(180);
  BtnImprimer = BoutonTexte(this, "rsImprimer", "BtnImprimer");
  gauche->addWidget(BtnImprimer);
  BtnOK = BoutonTexte(this, "rsBtnOK", "BtnOK");
  BtnOK->setDefault(true);
  gauche->addWidget(BtnOK);
  h->addLayout(gauche);

  auto* g = new QGridLayout;
  const std::vector<TGroupeTaille> vides = GroupesTaille({});
  for (size_t i = 0; i < Boites.size(); i++) {
    Boites[i] = new QGroupBox(Q(vides[i].Titre), this);
    Boites[i]->setObjectName(Q(vides[i].Cle));
    auto* v = new QVBoxLayout(Boites[i]);
    Textes[i] = new QLabel(Boites[i]);
    Textes[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Textes[i]->setMinimumWidth(150);
    v->addWidget(Textes[i]);
    // The minima in a row, the maxima below them, then the three summaries.
    const int r = i < 6 ? int(i) % 2 : 2, c = i < 6 ? int(i) / 2 : int(i) - 6;
    g->addWidget(Boites[i], r, c);
  }
  h->addLayout(g, 1);

  connect(BtnToutes, &QPushButton::clicked, this, [this] {
    Liste->selectAll();
    Recalcule();
  });
  connect(BtnAucune, &QPushButton::clicked, this, [this] {
    Liste->clearSelection();
    Recalcule();
  });
  connect(Liste, &QListWidget::itemClicked, this, &TTailleForm::Recalcule);
  connect(BtnOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(BtnImprimer, &QPushButton::clicked, this, &TTailleForm::Imprimer);
}

void TTailleForm::Execute() {
  TRACE("TTailleForm.Execute");
  Liste->clear();
  for (int k = 0; k < Doc.NbSurf(); k++) {
    Liste->addItem(Q(Doc.Surf(k).Nom));
    Liste->item(k)->setSelected(Doc.Surf(k).Calc);
  }
  MajSurface(Doc, true, -1);
  Recalcule();
}

std::vector<int> TTailleForm::Selection() const {
  std::vector<int> r;
  for (int i = 0; i < Liste->count(); i++)
    if (Liste->item(i)->isSelected()) r.push_back(i);
  return r;
}

void TTailleForm::Recalcule() {
  Dims = CalcDimensionsCoque(Doc, Selection());
  Courants = GroupesTaille(Dims);
  for (size_t i = 0; i < Textes.size() && i < Courants.size(); i++) {
    QStringList l;
    for (const auto& t : Courants[i].Lignes) l << Q(t);
    Textes[i]->setText(l.join("\n"));
  }
}

QStringList TTailleForm::TexteImpression() const {
  QStringList l;
  const QString trait(32, '_');
  for (const auto& e : EnteteRapport(Doc.Proprietes, rs("rsTailleFormCaption"))) l << Q(e);
  bool premier = true;  // the heading block ends with its own blank line
  for (const auto& g : GroupesTailleImpression(Dims)) {
    if (!premier) l << "";
    premier = false;
    l << "#" + Q(g.Titre);
    for (const auto& t : g.Lignes) l << Q(t);
    l << "" << trait;
  }
  return l;
}

void TTailleForm::Imprimer() {
  QPrinter imprimante;
  imprimante.setDocName(Q(rs("rsTailleFormCaption")));
  QPrintDialog d(&imprimante, this);
  if (d.exec() != QDialog::Accepted) return;
  QPainter p(&imprimante);
  int y = 0;
  for (const QString& ligne : TexteImpression()) {
    const bool titre = ligne.startsWith('#');
    p.setFont(QFont("Arial", titre ? 12 : 10));
    const QString t = titre ? ligne.mid(1) : ligne;
    y += p.fontMetrics().height();
    if (y > imprimante.pageLayout().paintRectPixels(imprimante.resolution()).height()) {
      imprimante.newPage();
      y = p.fontMetrics().height();
    }
    p.drawText(0, y, t);
  }
}
