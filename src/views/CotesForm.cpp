#include "views/CotesForm.h"

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

#include "app/Chaines.h"
#include "app/forms/Principale.h"
#include "app/forms/Rapport.h"
#include "app/forms/Registre.h"
#include "model/ObjCom.h"

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
  Grille->setHorizontalHeaderLabels({"Num", "Type", "Valeur", "Vue"});
  Grille->verticalHeader()->hide();
  Grille->setColumnWidth(0, 35);
  for (int c = 1; c < 4; c++) Grille->setColumnWidth(c, 80);
  Grille->setSelectionBehavior(QAbstractItemView::SelectRows);
  Grille->setSelectionMode(QAbstractItemView::SingleSelection);
  Grille->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Grille->setFixedWidth(35 + 3 * 80 + 2 * Grille->frameWidth() + 20);
  v->addWidget(Grille, 1);
  auto* b = new QHBoxLayout;
  auto* sup = new QPushButton("&Supprimer");
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

TTailleForm::TTailleForm(TDocument& doc, QWidget* parent) : QDialog(parent), Doc(doc) {
  setObjectName("TailleForm");
  setWindowTitle(Q(rs("rsTailleFormCaption")));
  setWindowFlags(windowFlags() | Qt::Tool | Qt::WindowStaysOnTopHint);
  auto* h = new QHBoxLayout(this);
  auto* gauche = new QVBoxLayout;
  Liste = new QListWidget;
  Liste->setSelectionMode(QAbstractItemView::MultiSelection);
  Liste->setMaximumWidth(170);
  gauche->addWidget(new QLabel("Surfaces"));
  gauche->addWidget(Liste, 1);
  auto* toutes = new QPushButton("&Toutes");
  auto* aucune = new QPushButton("&Aucune");
  auto* imp = new QPushButton("Imprimer");
  auto* ok = new QPushButton("&OK");
  for (auto* b : {toutes, aucune, imp, ok}) gauche->addWidget(b);
  h->addLayout(gauche);
  auto* grille = new QGridLayout;
  const TTaille vide;
  const auto groupes = GroupesTaille(vide);
  for (size_t g = 0; g < groupes.size(); g++) {
    auto* gb = new QGroupBox(Q(groupes[g].Titre));
    auto* vl = new QVBoxLayout(gb);
    Lignes.emplace_back();
    for (size_t l = 0; l < groupes[g].Lignes.size(); l++) {
      Lignes.back().push_back(new QLabel);
      vl->addWidget(Lignes.back().back());
    }
    vl->addStretch();
    Groupes.push_back(gb);
    // The extremes in pairs, axis by axis; the summaries on the last row.
    grille->addWidget(gb, static_cast<int>(g < 6 ? g % 2 : 2), static_cast<int>(g < 6 ? g / 2 : g - 6));
  }
  h->addLayout(grille, 1);
  for (int k = 0; k < Doc.NbSurf(); k++) {
    Liste->addItem(Q(Doc.Surf(k).Nom));
    Liste->item(k)->setSelected(Doc.Surf(k).Calc);
  }
  MajSurface(Doc, true, -1);
  connect(Liste, &QListWidget::itemSelectionChanged, this, [this] { Recalcule(); });
  connect(toutes, &QPushButton::clicked, this, [this] { Toutes(true); });
  connect(aucune, &QPushButton::clicked, this, [this] { Toutes(false); });
  connect(imp, &QPushButton::clicked, this,
          [this] { DemandeImpression(this, Q(rs("rsTailleFormCaption")), LignesRapport()); });
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  Recalcule();
}

void TTailleForm::Toutes(bool oui) {
  {
    const QSignalBlocker b(Liste);
    for (int k = 0; k < Liste->count(); k++) Liste->item(k)->setSelected(oui);
  }
  Recalcule();
}

void TTailleForm::Recalcule() {
  TListSurf l;
  for (int k = 0; k < Liste->count(); k++)
    if (Liste->item(k)->isSelected()) l.push_back(k);
  T = CalculeTaille(Doc, l);
  const auto groupes = GroupesTaille(T);
  for (size_t g = 0; g < groupes.size() && g < Lignes.size(); g++)
    for (size_t k = 0; k < groupes[g].Lignes.size() && k < Lignes[g].size(); k++)
      Lignes[g][k]->setText(Q(groupes[g].Lignes[k]));
}

std::vector<TLigneRapport> TTailleForm::LignesRapport() const {
  std::vector<TLigneRapport> r;
  const std::string trait(32, '_');
  r.push_back({"Brivane - " + rs("rsTailleFormCaption"), true});
  for (const std::string* s :
       {&Doc.Proprietes.Titre, &Doc.Proprietes.Archi, &Doc.Proprietes.Version, &Doc.Proprietes.Date})
    r.push_back({*s, false});
  r.push_back({trait, false});
  for (const TGroupeTaille& g : GroupesImpressionTaille(T)) {
    r.push_back({g.Titre, true});
    for (const std::string& l : g.Lignes) r.push_back({l, false});
    r.push_back({"", false});
    r.push_back({trait, false});
  }
  return r;
}

namespace {

const TEnregistrement Enregistre([] {
  EnregistreCommande({.Nom = "MeListeCotes", .Execute = [](TMainForm& f, bool) {
                        TCotesForm w(f.Document(), &f);
                        w.ApresModification = [&f] { f.AfficheNet(); };
                        w.exec();
                        f.AfficheNet();
                      }});
  EnregistreCommande({.Nom = "MeTaille", .Execute = [](TMainForm& f, bool) {
                        TTailleForm w(f.Document(), &f);
                        w.exec();
                      }});
  EnregistreFenetre({.Nom = "cotes", .Ordre = 360, .Montre = [](TMainForm& f) -> QWidget* {
                       auto* w = new TCotesForm(f.Document(), &f);
                       w->setAttribute(Qt::WA_DeleteOnClose);
                       w->show();
                       return w;
                     }});
  EnregistreFenetre({.Nom = "taille", .Ordre = 370, .Montre = [](TMainForm& f) -> QWidget* {
                       auto* w = new TTailleForm(f.Document(), &f);
                       w->setAttribute(Qt::WA_DeleteOnClose);
                       w->show();
                       return w;
                     }});
});

}  // namespace
