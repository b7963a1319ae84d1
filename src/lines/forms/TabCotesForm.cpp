#include "lines/forms/TabCotesForm.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/Principale.h"
#include "base/Chaines.h"
#include "base/Services.h"
#include "model/EnteteRapport.h"
#include "session/ObjCom.h"
#include "ui/Rapport.h"
#include "ui/Registre.h"

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

TTabCotesForm::TTabCotesForm(TDocument& doc, QWidget* parent) : QDialog(parent), Doc(doc) {
  setObjectName("TabCotesForm");
  setWindowTitle(Q(rs("rsTabCotesFormCaption")));
  auto* h = new QHBoxLayout(this);
  auto* g = new QVBoxLayout;
  g->addWidget(new QLabel(rs("rsRGIntersectionCaption").c_str()));
  Croisement = new QComboBox;
  Croisement->addItems({Q(rs("rsLignesE")), Q(rs("rsLongits"))});
  g->addWidget(Croisement);
  Liste = new QListWidget;
  Liste->setSelectionMode(QAbstractItemView::MultiSelection);
  Liste->setMaximumWidth(200);
  g->addWidget(Liste, 1);
  auto bouton = [&](const char* t, auto f) {
    auto* b = new QPushButton(QString::fromUtf8(t));
    connect(b, &QPushButton::clicked, this, f);
    g->addWidget(b);
    return b;
  };
  bouton(rs("rsBtnToutes").c_str(), [this] { Liste->selectAll(); });
  bouton(rs("rsBtnAucune").c_str(), [this] { Liste->clearSelection(); });
  bouton(rs("rsBtnCalculer").c_str(), [this] { Calculer(); });
  BtnExport = bouton(rs("rsExport").c_str(), [this] {
    QString f = DemandeFichier(this, true, rs("rsTXTFilter"), rs("rsExport").c_str());
    if (!f.isEmpty()) Exporter(f.toStdString());
  });
  BtnImprimer = bouton(rs("rsImprimer").c_str(),
                       [this] { DemandeImpression(this, Q(rs("rsTabCotesFormCaption")), LignesRapport()); });
  bouton("OK", [this] { accept(); });
  h->addLayout(g);
  Grille = new QTableWidget(1, 5);
  Grille->verticalHeader()->hide();
  Grille->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Grille->verticalHeader()->setDefaultSectionSize(20);
  int larg[5] = {45, 170, 80, 80, 80};
  for (int c = 0; c < 5; c++) Grille->setColumnWidth(c, larg[c]);
  GrilleMatrice = new QTableWidget(0, 0);
  GrilleMatrice->setObjectName("GrilleMatrice");
  GrilleMatrice->verticalHeader()->hide();
  GrilleMatrice->setEditTriggers(QAbstractItemView::NoEditTriggers);
  GrilleMatrice->verticalHeader()->setDefaultSectionSize(20);
  Pages = new QTabWidget;
  Pages->addTab(Grille, Q(rs("rsCotesOngletListe")));
  Pages->addTab(GrilleMatrice, Q(rs("rsCotesOngletMatrice")));
  h->addWidget(Pages, 1);
  resize(760, 560);
  Initialise();
}

void TTabCotesForm::Initialise() {
  MajSurface(Doc, true, -1);
  T.Reinitialise();
  M = {};
  BtnExport->setEnabled(false);
  BtnImprimer->setEnabled(false);
  Liste->clear();
  for (int k = 0; k < Doc.NbSurf(); k++) Liste->addItem(Q(Doc.Surf(k).Nom));
  Liste->selectAll();
  Affiche();
}

void TTabCotesForm::Calculer() {
  BtnExport->setEnabled(true);
  BtnImprimer->setEnabled(true);
  std::vector<int> sel;
  for (int i = 0; i < Liste->count(); i++)
    if (Liste->item(i)->isSelected()) sel.push_back(i);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  MajSurface(Doc, true, -1);  // the model may have changed since the window opened
  const TCroisementCotes c =
      Croisement->currentIndex() == 1 ? TCroisementCotes::Longitudinales : TCroisementCotes::LignesEau;
  CalculeTableCotes(Doc, sel, c, T, AffichageCalculs().Herisson);
  M = MatriceCotes(Doc, sel, c);
  QApplication::restoreOverrideCursor();
  Affiche();
}

void TTabCotesForm::Affiche() {
  const auto& l = T.Lignes();
  QStringList h;
  for (const auto& s : l[0]) h << Q(s);
  Grille->setHorizontalHeaderLabels(h);
  Grille->setRowCount(static_cast<int>(l.size()) - 1);
  for (size_t i = 1; i < l.size(); i++)
    for (int c = 0; c < 5; c++) {
      auto* it = new QTableWidgetItem(Q(l[i][static_cast<size_t>(c)]));
      if (c != 1) it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      Grille->setItem(static_cast<int>(i) - 1, c, it);
    }
  // The matrix: its title over the levels, the station's number and Y first.
  const std::vector<TLigneMatriceCotes> lm = LignesMatriceCotes(M, static_cast<int>(M.Niveaux.size()) + 1);
  GrilleMatrice->clear();
  GrilleMatrice->setRowCount(0);
  GrilleMatrice->setColumnCount(0);
  if (lm.size() < 2) return;
  GrilleMatrice->setToolTip(Q(lm[0].Texte));
  const QStringList entete = Q(lm[1].Texte).split('\t');
  GrilleMatrice->setColumnCount(static_cast<int>(entete.size()));
  GrilleMatrice->setHorizontalHeaderLabels(entete);
  GrilleMatrice->setRowCount(static_cast<int>(lm.size()) - 2);
  for (size_t i = 2; i < lm.size(); i++) {
    const QStringList c = Q(lm[i].Texte).split('\t');
    for (qsizetype j = 0; j < c.size(); j++) {
      auto* it = new QTableWidgetItem(c[j]);
      it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      GrilleMatrice->setItem(static_cast<int>(i) - 2, static_cast<int>(j), it);
    }
  }
  GrilleMatrice->resizeColumnsToContents();
}

bool TTabCotesForm::Exporter(const std::string& chemin) {
  try {
    ExporteTableCotes(T, chemin);
    return true;
  } catch (const TErreurExportCotes& e) {
    AfficheMessage(e.what(), mtError, mbOK);
    return false;
  }
}

std::vector<TLigneRapport> TTabCotesForm::LignesRapport() const {
  std::vector<TLigneRapport> r;
  const std::vector<std::string> entete = EnteteRapport(Doc.Proprietes, rs("rsTabCotesFormCaption"));
  for (const auto& l : entete) r.push_back({l, !l.empty()});
  const std::vector<std::string> l = LignesRapportCotes(T);
  for (size_t i = 0; i < l.size(); i++) r.push_back({l[i], false, i == 0});
  // After the list, the same crossings as a matrix of stations by levels.
  r.push_back({"", false, false});
  for (const TLigneMatriceCotes& m : LignesMatriceCotes(M)) r.push_back({m.Texte, m.Titre, m.Entete});
  return r;
}

namespace {

const TEnregistrement Enregistre([] {
  EnregistreCommande({.Nom = "MeTableauCotes", .Execute = [](TMainForm& f, bool) {
                        TTabCotesForm w(f.Document(), &f);
                        w.exec();
                      }});
  EnregistreFenetre({.Nom = "tabcotes",
                     .Montre = [](TMainForm& f) -> QWidget* {
                       auto* w = new TTabCotesForm(f.Document(), &f);
                       w->setAttribute(Qt::WA_DeleteOnClose);
                       w->Calculer();
                       w->show();
                       return w;
                     },
                     .Imprime =
                         [](QWidget* w) {
                           auto* t = static_cast<TTabCotesForm*>(w);
                           return DemandeImpression(t, Q(rs("rsTabCotesFormCaption")), t->LignesRapport());
                         }});
});

}  // namespace
