#include "naval/forms/HydrostatForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/Chaines.h"
#include "app/forms/Rapport.h"
#include "document/FichierStr.h"
#include "model/ObjCom.h"
#include "naval/forms/Graphe.h"

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }

QString Val4(double v) {
  QString s = QString::asprintf("%.4f", v);
  return s == "-0.0000" ? "0.0000" : s;
}
}  // namespace

THydrostatForm::THydrostatForm(TDocument& doc, QWidget* parent) : QDialog(parent), Doc(doc) {
  setObjectName("HydrostatForm");
  setWindowTitle(Q(rs("rsHydrostatFormCaption")));
  auto* h = new QHBoxLayout(this);
  auto* gauche = new QVBoxLayout;
  Liste = new QListWidget;
  Liste->setSelectionMode(QAbstractItemView::MultiSelection);
  Liste->setMaximumWidth(200);
  gauche->addWidget(Liste);
  auto bouton = [&](const char* texte, auto f) {
    auto* b = new QPushButton(QString::fromUtf8(texte));
    connect(b, &QPushButton::clicked, this, f);
    gauche->addWidget(b);
    return b;
  };
  bouton("&Toutes", [this] { SelectionneTout(true); });
  bouton("&Aucune", [this] { SelectionneTout(false); });
  bouton("&Portée des calculs...", [this] { ChoisitPortee(); });
  bouton("&Fermer", [this] { accept(); });
  h->addLayout(gauche);

  Pages = new QTabWidget;
  auto* calc = new QWidget;
  auto* vc = new QVBoxLayout(calc);
  Grille = new QTableWidget(1, 2);
  Grille->horizontalHeader()->hide();
  Grille->verticalHeader()->hide();
  Grille->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Grille->setSelectionBehavior(QAbstractItemView::SelectRows);
  Grille->setColumnWidth(0, 330);
  Grille->setColumnWidth(1, 130);
  Grille->verticalHeader()->setDefaultSectionSize(20);
  vc->addWidget(Grille);
  InstalleCopie(Grille, [this] { return TexteSelection(); });
  auto* bc = new QHBoxLayout;
  BtnEnregistrer = new QPushButton("Enregistrer...");
  BtnImprimer = new QPushButton("Imprimer...");
  auto* calculer = new QPushButton("&Calculer");
  BtnEnregistrer->setEnabled(false);
  BtnImprimer->setEnabled(false);
  bc->addWidget(BtnEnregistrer);
  bc->addWidget(BtnImprimer);
  bc->addStretch();
  bc->addWidget(calculer);
  vc->addLayout(bc);
  Pages->addTab(calc, "Calculs");

  auto* aires = new QWidget;
  auto* va = new QVBoxLayout(aires);
  Courbe = new TGraphe;
  Courbe->Titres(Q(rs("rsCourbeAires")), "Longueur [m]", QString::fromUtf8("Aire [m²]"));
  Courbe->setVisible(false);
  va->addWidget(Courbe, 1);
  auto* ba = new QHBoxLayout;
  ba->addWidget(new QLabel("Nombre de couples"));
  NbCouples = new QSpinBox;
  NbCouples->setRange(MinSectionsHydro, MaxSectionsHydro);
  ba->addWidget(NbCouples);
  auto* zoom = new QPushButton("Zoom initial");
  connect(zoom, &QPushButton::clicked, this, [this] { Courbe->ZoomInitial(); });
  ba->addWidget(zoom);
  ba->addStretch();
  auto* calculer2 = new QPushButton("&Calculer");
  ba->addWidget(calculer2);
  va->addLayout(ba);
  Pages->addTab(aires, Q(rs("rsCourbeAires")));
  h->addWidget(Pages, 1);

  connect(calculer, &QPushButton::clicked, this, [this] { BtnCalculerClick(); });
  connect(calculer2, &QPushButton::clicked, this, [this] { BtnCalculerClick(); });
  connect(BtnEnregistrer, &QPushButton::clicked, this, [this] {
    QString f = DemandeFichier(this, true, rs("rsTXTFilter"));
    if (!f.isEmpty()) Enregistre(f.toStdString());
  });
  connect(BtnImprimer, &QPushButton::clicked, this,
          [this] { DemandeImpression(this, Q(rs("rsHydrostatFormCaption")), LignesRapport()); });
  resize(820, 620);
  Initialise();
}

void THydrostatForm::Initialise() {
  Liste->clear();
  Indices.clear();
  for (int k = 0; k < Doc.NbSurf(); k++) {
    if (!Doc.Surf(k).Calc) continue;
    if (!Doc.Surf(k).Calculee) MajSurface(Doc, true, k);
    Liste->addItem(Q(Doc.Surf(k).Nom));
    Indices.push_back(k);
  }
  SelectionneTout(true);
  NbCouples->setValue(std::clamp(2 * Doc.Precision + 1, MinSectionsHydro, MaxSectionsHydro));
  Pages->setCurrentIndex(0);
}

void THydrostatForm::SelectionneTout(bool oui) {
  for (int i = 0; i < Liste->count(); i++) Liste->item(i)->setSelected(oui);
}

TListSurf THydrostatForm::Portee() const {
  TListSurf l;
  for (int i = 0; i < Liste->count(); i++)
    if (Liste->item(i)->isSelected()) l.push_back(Indices[static_cast<size_t>(i)]);
  return l;
}

void THydrostatForm::ChoisitPortee() {
  QDialog d(this);
  d.setWindowTitle(Q(rs("rsListeSurfFormCapPorteeCalc")));
  auto* v = new QVBoxLayout(&d);
  std::vector<QCheckBox*> cases;
  for (int k = 0; k < Doc.NbSurf(); k++) {
    auto* c = new QCheckBox(Q(Doc.Surf(k).Nom));
    c->setChecked(Doc.Surf(k).Calc);
    v->addWidget(c);
    cases.push_back(c);
  }
  auto* bb = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(bb, &QDialogButtonBox::accepted, &d, &QDialog::accept);
  connect(bb, &QDialogButtonBox::rejected, &d, &QDialog::reject);
  v->addWidget(bb);
  if (d.exec() != QDialog::Accepted) return;
  bool change = false;
  for (int k = 0; k < Doc.NbSurf(); k++) {
    bool c = cases[static_cast<size_t>(k)]->isChecked();
    if (Doc.Surf(k).Calc != c) Doc.Surf(k).Calc = c, change = true;
  }
  if (change) Doc.MarqueModifie();
  Initialise();
}

void THydrostatForm::BtnCalculerClick() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  // Pending messages run between surfaces: the window repaints during a long calculation.
  R = CalcHydrostatiques(Doc, Portee(), NbCouples->value(), [](int, int) { QApplication::processEvents(); });
  Remplit();
  Courbe->Efface();
  Courbe->AjouteLigne(Q(rs("rsCourbeAires")), Qt::red, R.Courbe);
  Courbe->ZoomInitial();
  Courbe->setVisible(true);
  BtnEnregistrer->setEnabled(true);
  BtnImprimer->setEnabled(true);
  QApplication::restoreOverrideCursor();
}

void THydrostatForm::Remplit() {
  Grille->clearContents();
  Grille->setRowCount(static_cast<int>(R.Lignes.size()));
  QFont gras = Grille->font();
  gras.setBold(true);
  for (int i = 0; i < static_cast<int>(R.Lignes.size()); i++) {
    const THydroLigne& l = R.Lignes[static_cast<size_t>(i)];
    auto* a = new QTableWidgetItem(Q(l.Libelle));
    auto* b = new QTableWidgetItem(l.Titre ? QString() : Val4(l.Valeur));
    b->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (l.Titre) {
      for (auto* it : {a, b}) {
        it->setFont(gras);
        it->setBackground(QColor(192, 192, 192));
      }
    }
    Grille->setItem(i, 0, a);
    Grille->setItem(i, 1, b);
  }
}

std::vector<std::string> THydrostatForm::Lignes() const { return TexteHydro(R, ProprietesRapport(Doc)); }

bool THydrostatForm::Enregistre(const std::string& chemin) const {
  std::vector<std::string> l = Lignes();
  l.emplace_back("");
  return EcritFichierTexte(chemin, l);
}

std::vector<TLigneRapport> THydrostatForm::LignesRapport() const {
  std::vector<TLigneRapport> r;
  const std::vector<std::string> l = Lignes();
  const size_t entete = 1 + ProprietesRapport(Doc).size();
  for (size_t i = 0; i < l.size(); i++) {
    // Heading rows end with the tab of their empty value.
    bool titre = i < entete || (!l[i].empty() && l[i].back() == '\t');
    r.push_back({l[i], titre});
  }
  return r;
}

QString THydrostatForm::TexteSelection() const {
  QString t;
  for (int i = 0; i < Grille->rowCount(); i++) {
    if (!Grille->item(i, 0) || !Grille->item(i, 0)->isSelected()) continue;
    t += Grille->item(i, 0)->text() + "\t" + (Grille->item(i, 1) ? Grille->item(i, 1)->text() : QString()) +
         "\r";
  }
  return t;
}
