#include "edition/forms/CotesForm.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/Principale.h"
#include "base/Chaines.h"
#include "session/ObjCom.h"
#include "ui/Rapport.h"
#include "ui/Registre.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

QString NomVueCote(int vue) {
  switch (vue) {
    case tvSection:
      return "Vertical";
    case tvPlan:
      return "Plan";
    case tvProfil:
      return "Profil";
    default:
      return "Perspective";
  }
}

TCotesForm::TCotesForm(TDocument& doc, QWidget* parent) : QDialog(parent), Doc(doc) {
  setObjectName("CotesForm");
  setWindowTitle(Q(rs("rsCotesFormCaption")));
  setWindowFlag(Qt::Tool);
  auto* v = new QVBoxLayout(this);
  Grille = new QTableWidget(0, 4);
  Grille->setHorizontalHeaderLabels({rs("rsPoidsColNum").c_str(), rs("rsPropFichType").c_str(),
                                     rs("rsPoidsColValeur").c_str(), rs("rsCotesVue").c_str()});
  Grille->verticalHeader()->hide();
  Grille->setColumnWidth(0, 35);
  for (int c = 1; c < 4; c++) Grille->setColumnWidth(c, 80);
  Grille->setSelectionBehavior(QAbstractItemView::SelectRows);
  Grille->setSelectionMode(QAbstractItemView::SingleSelection);
  Grille->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Grille->setFixedWidth(35 + 3 * 80 + 2 * Grille->frameWidth() + 20);
  v->addWidget(Grille, 1);
  auto* b = new QHBoxLayout;
  auto* sup = new QPushButton(rs("rsBtnSupprimer").c_str());
  auto* ok = new QPushButton("OK");
  ok->setDefault(true);
  b->addWidget(sup), b->addStretch(), b->addWidget(ok);
  v->addLayout(b);
  connect(sup, &QPushButton::clicked, this, [this] { Supprimer(); });
  connect(ok, &QPushButton::clicked, this, [this] {
    if (ApresModification) ApresModification();
    accept();
  });
  Remplit();
  setFixedSize(sizeHint().width(), 300);
}

void TCotesForm::Remplit() {
  const int n = static_cast<int>(Doc.ListeCotes.size());
  Grille->setRowCount(std::max(n, 1));
  for (int c = 0; c < 4; c++) Grille->setItem(0, c, new QTableWidgetItem);
  for (int r = 0; r < n; r++) {
    const TCote& c = Doc.ListeCotes[static_cast<size_t>(r)];
    int k = 0;
    for (const QString& t : {QString::number(r + 1), Q(c.Genre), Q(c.Texte), NomVueCote(c.Outil.Vue)})
      Grille->setItem(r, k++, new QTableWidgetItem(t));
  }
}

bool TCotesForm::Supprimer() {
  const int r = Grille->currentRow();
  if (Doc.ListeCotes.empty() || r < 0 || r >= static_cast<int>(Doc.ListeCotes.size())) return false;
  Doc.ListeCotes.erase(Doc.ListeCotes.begin() + r);
  Doc.MarqueModifie();
  Remplit();
  Grille->setCurrentCell(-1, -1);
  return true;
}

namespace {

const TEnregistrement Enregistre([] {
  EnregistreCommande({.Nom = "MeListeCotes", .Execute = [](TMainForm& f, bool) {
                        TCotesForm w(f.Document(), &f);
                        w.ApresModification = [&f] {
                          AnnonceAvis(f.Document(), avCotes);
                          f.AfficheNet();
                        };
                        w.exec();
                        f.AfficheNet();
                      }});
  EnregistreFenetre({.Nom = "cotes", .Ordre = 360, .Montre = [](TMainForm& f) -> QWidget* {
                       auto* w = new TCotesForm(f.Document(), &f);
                       w->setAttribute(Qt::WA_DeleteOnClose);
                       w->show();
                       return w;
                     }});
});

}  // namespace
