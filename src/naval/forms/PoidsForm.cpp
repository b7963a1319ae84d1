#include "naval/forms/PoidsForm.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include "base/Chaines.h"
#include "base/Services.h"
#include "session/ObjCom.h"
#include "ui/Rapport.h"

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }

constexpr int Largeurs[NbColPoids] = {40, 180, 80, 80, 80, 80, 140};

QTableWidget* NouvelleGrille(int lignes, bool entete) {
  auto* t = new QTableWidget(lignes, NbColPoids);
  QStringList h;
  for (const char* k : {"rsPoidsColNum", "rsPoidsColNom", "rsPoidsColValeur", "rsPoidsColX", "rsPoidsColY",
                        "rsPoidsColZ", "rsPoidsColSurface"})
    h << Q(rs(k));
  t->setHorizontalHeaderLabels(h);
  if (!entete) t->horizontalHeader()->hide();
  t->verticalHeader()->hide();
  t->verticalHeader()->setDefaultSectionSize(20);
  for (int c = 0; c < NbColPoids; c++) t->setColumnWidth(c, Largeurs[c]);
  return t;
}

void EcritGrille(QTableWidget* t, const TGrillePoids& g, bool editable) {
  t->setRowCount(static_cast<int>(g.size()));
  for (int i = 0; i < static_cast<int>(g.size()); i++)
    for (int c = 0; c < NbColPoids; c++) {
      auto* it = new QTableWidgetItem(Q(g[static_cast<size_t>(i)][static_cast<size_t>(c)]));
      if (c >= 2 && c <= 5) it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
      if (editable && c >= 1) f |= Qt::ItemIsEditable;
      it->setFlags(f);
      t->setItem(i, c, it);
    }
}

// Column 6: a drop-down of the surfaces' names; a name that is no surface's is cleared.
class TDelegueSurface : public QStyledItemDelegate {
 public:
  TDelegueSurface(QObject* parent, QStringList noms) : QStyledItemDelegate(parent), Noms(std::move(noms)) {}
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override {
    auto* c = new QComboBox(parent);
    c->addItem(QString());
    c->addItems(Noms);
    c->setEditable(true);
    return c;
  }
  void setEditorData(QWidget* e, const QModelIndex& i) const override {
    auto* c = static_cast<QComboBox*>(e);
    int k = c->findText(i.data().toString());
    c->setCurrentIndex(k < 0 ? 0 : k);
  }
  void setModelData(QWidget* e, QAbstractItemModel* m, const QModelIndex& i) const override {
    QString t = static_cast<QComboBox*>(e)->currentText();
    m->setData(i, Noms.contains(t) ? t : QString());
  }
  QStringList Noms;
};
}  // namespace

TPoidsForm::TPoidsForm(TDocument& doc, QWidget* parent) : QDialog(parent), Doc(doc) {
  setObjectName("PoidsForm");
  setWindowTitle(Q(rs("rsPoidsCaption")));
  auto* v = new QVBoxLayout(this);
  auto* split = new QSplitter(Qt::Vertical);
  auto* hautW = new QWidget;
  auto* haut = new QVBoxLayout(hautW);
  haut->setContentsMargins(0, 0, 0, 0);
  haut->addWidget(new QLabel(Q(rs("rsPoidsSurfaces"))));
  TSurfaces = NouvelleGrille(0, true);
  TSurfaces->setEditTriggers(QAbstractItemView::NoEditTriggers);
  haut->addWidget(TSurfaces);
  split->addWidget(hautW);
  auto* basW = new QWidget;
  auto* bas = new QHBoxLayout(basW);
  bas->setContentsMargins(0, 0, 0, 0);
  auto* gp = new QVBoxLayout;
  gp->addWidget(new QLabel(Q(rs("rsPoidsBallasts"))));
  TPoids_ = NouvelleGrille(1, true);
  gp->addWidget(TPoids_);
  bas->addLayout(gp, 1);
  auto* boutons = new QVBoxLayout;
  auto bouton = [&](const char* t, auto f) {
    auto* b = new QPushButton(QString::fromUtf8(t));
    connect(b, &QPushButton::clicked, this, f);
    boutons->addWidget(b);
  };
  bouton(rs("rsBtnInserer").c_str(), [this] { Inserer(); });
  bouton(rs("rsBtnAjouter").c_str(), [this] { Ajouter(); });
  bouton(rs("rsBtnSupprimer").c_str(), [this] { Supprimer(); });
  bouton(rs("rsImport").c_str(), [this] {
    QString f = DemandeFichier(this, false, rs("rsCSVFilter"));
    if (!f.isEmpty()) Importer(f.toStdString());
  });
  bouton(rs("rsExport").c_str(), [this] {
    QString f = DemandeFichier(this, true, rs("rsCSVFilter"));
    if (!f.isEmpty()) Exporter(f.toStdString());
  });
  boutons->addStretch();
  bas->addLayout(boutons);
  split->addWidget(basW);
  v->addWidget(split, 1);
  TTotal = NouvelleGrille(1, false);
  TTotal->setEditTriggers(QAbstractItemView::NoEditTriggers);
  TTotal->setFixedHeight(26);
  TTotal->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  v->addWidget(TTotal);
  auto* bb = new QHBoxLayout;
  auto* imp = new QPushButton(rs("rsImprimer").c_str());
  connect(imp, &QPushButton::clicked, this,
          [this] { DemandeImpression(this, Q(rs("rsPoidsCaption")), LignesRapport()); });
  auto* ok = new QPushButton("&OK");
  auto* annuler = new QPushButton(rs("rsBtnAnnuler").c_str());
  connect(ok, &QPushButton::clicked, this, [this] { Valider(); });
  connect(annuler, &QPushButton::clicked, this, [this] { reject(); });
  bb->addWidget(imp);
  bb->addStretch();
  bb->addWidget(ok);
  bb->addWidget(annuler);
  v->addLayout(bb);
  connect(TPoids_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* it) {
    if (it->column() >= 2 && it->column() <= 5) MajTotal();
  });
  resize(820, 560);
  Initialise();
}

void TPoidsForm::Initialise() {
  MajSurface(Doc, true, -1);
  MajTotalPoids(Doc);
  QStringList noms;
  for (int k = 0; k < Doc.NbSurf(); k++) noms << Q(Doc.Surf(k).Nom);
  TPoids_->setItemDelegateForColumn(6, new TDelegueSurface(TPoids_, noms));
  Surfaces = LignesSurfaces(Doc);
  EcritGrille(TSurfaces, Surfaces, false);
  Ecrit(LignesPoids(Doc));
}

void TPoidsForm::Ecrit(const TGrillePoids& g) {
  const bool b = TPoids_->blockSignals(true);
  EcritGrille(TPoids_, g, true);
  TPoids_->blockSignals(b);
  MajTotal();
}

TGrillePoids TPoidsForm::GrillePoidsLue() const {
  TGrillePoids g;
  for (int i = 0; i < TPoids_->rowCount(); i++) {
    TLignePoids l;
    for (int c = 0; c < NbColPoids; c++)
      l[static_cast<size_t>(c)] =
          TPoids_->item(i, c) ? TPoids_->item(i, c)->text().toStdString() : std::string();
    g.push_back(l);
  }
  return g;
}

void TPoidsForm::MajTotal() {
  TLignePoids t = LigneTotal(TotalDesLignes(Surfaces, GrillePoidsLue()));
  EcritGrille(TTotal, {t}, false);
}

bool TPoidsForm::Verifie() {
  std::string err = VerifieLignes(GrillePoidsLue());
  if (!err.empty()) AfficheMessage(err, mtError, mbOK);
  return err.empty();
}

void TPoidsForm::Ajouter() {
  if (!Verifie()) return;
  TGrillePoids g = GrillePoidsLue();
  AjouteLigne(g);
  Ecrit(g);
}

void TPoidsForm::Inserer() {
  if (!Verifie()) return;
  TGrillePoids g = GrillePoidsLue();
  InsereLigne(g, std::max(0, TPoids_->currentRow()));
  Ecrit(g);
}

void TPoidsForm::Supprimer() {
  TGrillePoids g = GrillePoidsLue();
  SupprimeLigne(g, std::max(0, TPoids_->currentRow()));
  Ecrit(g);
}

std::string TPoidsForm::Valider() {
  std::string err = ValideGrillePoids(Doc, GrillePoidsLue());
  if (!err.empty()) {
    AfficheMessage(err, mtError, mbOK);
    return err;
  }
  Doc.MarqueModifie();
  if (ApresModification) ApresModification();
  accept();
  return "";
}

std::string TPoidsForm::Importer(const std::string& chemin) {
  TGrillePoids g = GrillePoidsLue();
  std::string err = ImportePoidsCsv(chemin, g);
  Ecrit(g);
  if (!err.empty()) AfficheMessage(err, mtError, mbOK);
  return err;
}

bool TPoidsForm::Exporter(const std::string& chemin) const {
  std::string err = ExportePoidsCsv(chemin, Surfaces, GrillePoidsLue());
  if (!err.empty()) AfficheMessage(err, mtError, mbOK);
  return err.empty();
}

std::vector<TLigneRapport> TPoidsForm::LignesRapport() const {
  const TPropFich& d = Doc.Proprietes;
  std::vector<TLigneRapport> r;
  // Every line of the weight estimate prints in the heading size.
  const std::vector<std::string> l =
      LignesImpressionPoids(d, Surfaces, GrillePoidsLue(), TotalDesLignes(Surfaces, GrillePoidsLue()));
  // The first row with columns names them.
  bool entete = false;
  for (const auto& x : l) {
    const bool premier = !entete && x.find('\t') != std::string::npos;
    entete = entete || premier;
    r.push_back({x, true, premier});
  }
  // After the estimate, the same rows with their units and moments, in value size.
  const std::vector<std::string> m =
      LignesMomentsPoids(Surfaces, GrillePoidsLue(), TotalDesLignes(Surfaces, GrillePoidsLue()));
  for (size_t i = 0; i < m.size(); i++) r.push_back({m[i], i == 1, i == 2});
  return r;
}

TDefPoidsForm::TDefPoidsForm(TDocument& doc, const TVertex3f& p, QWidget* parent)
    : QDialog(parent), Doc(doc) {
  setObjectName("DefPoidsForm");
  setWindowTitle(Q(rs("rsDefPoidsCaption")));
  auto* v = new QVBoxLayout(this);
  auto* gb = new QGroupBox(rs("rsGBBallastCaption").c_str());
  auto* fb = new QFormLayout(gb);
  EdValeur = new QLineEdit;
  EdNom = new QLineEdit;
  fb->addRow(rs("rsPoidsColValeur").c_str(), EdValeur);
  fb->addRow(rs("rsNom").c_str(), EdNom);
  v->addWidget(gb);
  auto* gp = new QGroupBox(rs("rsGBPositionCaption").c_str());
  auto* fp = new QFormLayout(gp);
  EdX = new QLineEdit(QString::asprintf("%.4f", p.X));
  EdY = new QLineEdit(QString::asprintf("%.4f", p.Y));
  EdZ = new QLineEdit(QString::asprintf("%.4f", p.Z));
  fp->addRow("X", EdX);
  fp->addRow("Y", EdY);
  fp->addRow("Z", EdZ);
  v->addWidget(gp);
  auto* ga = new QGroupBox(QString::fromUtf8(rs("rsAttacheA").c_str()));
  auto* va = new QVBoxLayout(ga);
  Attache = new QListWidget;
  for (int k = 0; k < doc.NbSurf(); k++) Attache->addItem(Q(doc.Surf(k).Nom));
  va->addWidget(Attache);
  v->addWidget(ga);
  auto* bb = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(bb, &QDialogButtonBox::accepted, this, [this] { Valider(); });
  connect(bb, &QDialogButtonBox::rejected, this, &QDialog::reject);
  v->addWidget(bb);
}

std::string TDefPoidsForm::Valider() {
  TSaisieBallast s{EdValeur->text().toStdString(), EdNom->text().toStdString(), EdX->text().toStdString(),
                   EdY->text().toStdString(),      EdZ->text().toStdString(),   -1};
  auto sel = Attache->selectedItems();
  if (!sel.isEmpty()) s.Surface = Attache->row(sel.first());
  std::string err = AjouteBallast(Doc, s);
  if (!err.empty()) {
    AfficheMessage(err, mtError, mbOK);
    return err;
  }
  Doc.MarqueModifie();
  accept();
  return "";
}
