#include "naval/forms/ReperesForm.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/Principale.h"
#include "base/Chaines.h"
#include "base/FichierStr.h"
#include "base/Services.h"
#include "edition/Cadrage.h"
#include "ui/Registre.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

// An import file larger than this is refused before it is read.
constexpr size_t TailleMaxImport = 16u << 20;

}  // namespace

TListePointsForm::TListePointsForm(TDocument& doc, const QString& titre, const TLecture& lit, TEcriture ecrit,
                                   QWidget* parent)
    : QDialog(parent), Doc(doc), Ecrit(std::move(ecrit)) {
  setWindowTitle(titre);
  setWindowFlag(Qt::Tool);
  auto* v = new QVBoxLayout(this);
  Grille = new QTableWidget(0, 5);
  Grille->setHorizontalHeaderLabels({rs("rsPoidsColNum").c_str(), rs("rsNom").c_str(), "X", "Y", "Z"});
  Grille->verticalHeader()->hide();
  for (int c = 0; auto w : {35, 85, 60, 60, 60}) Grille->setColumnWidth(c++, w);
  // The name takes what room there is; the numbers keep their width.
  Grille->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  Grille->setSelectionMode(QAbstractItemView::SingleSelection);
  Grille->setMinimumWidth(35 + 85 + 3 * 60 + 30);
  v->addWidget(Grille, 1);
  auto* b = new QHBoxLayout;
  BtnSupprimer = new QPushButton(rs("rsBtnSupprimer").c_str());
  BtnAjouter = new QPushButton(rs("rsBtnAjouter").c_str());
  auto* ok = new QPushButton("&OK");
  auto* annuler = new QPushButton(rs("rsBtnAnnuler").c_str());
  ok->setDefault(true);
  b->addWidget(BtnSupprimer), b->addWidget(BtnAjouter), b->addStretch(), b->addWidget(ok),
      b->addWidget(annuler);
  v->addLayout(b);
  connect(BtnSupprimer, &QPushButton::clicked, this, [this] { Supprimer(); });
  connect(BtnAjouter, &QPushButton::clicked, this, [this] {
    if (std::string e = Ajouter(); !e.empty()) AfficheMessage(e, mtError, mbOK);
  });
  connect(ok, &QPushButton::clicked, this, [this] { Valider(); });
  connect(annuler, &QPushButton::clicked, this, &QDialog::reject);
  Remplit(LignesDesReperes(lit()));
  Grille->setCurrentCell(-1, -1);
  resize(420, 300);
}

void TListePointsForm::Remplit(const std::vector<TLigneRepere>& l) {
  Grille->setRowCount(static_cast<int>(l.size()));
  for (int r = 0; r < static_cast<int>(l.size()); r++) {
    const TLigneRepere& x = l[static_cast<size_t>(r)];
    auto* num = new QTableWidgetItem(QString::number(r + 1));
    num->setFlags(Qt::ItemIsEnabled);  // the fixed column
    Grille->setItem(r, 0, num);
    int c = 1;
    for (const std::string* t : {&x.Nom, &x.X, &x.Y, &x.Z})
      Grille->setItem(r, c++, new QTableWidgetItem(Q(*t)));
  }
}

std::vector<TLigneRepere> TListePointsForm::Lignes() const {
  std::vector<TLigneRepere> l;
  auto t = [this](int r, int c) {
    return Grille->item(r, c) ? S(Grille->item(r, c)->text().trimmed()) : std::string();
  };
  for (int r = 0; r < Grille->rowCount(); r++) l.push_back({t(r, 1), t(r, 2), t(r, 3), t(r, 4)});
  return l;
}

std::string TListePointsForm::Ajouter() {
  auto l = Lignes();
  if (std::string e = VerifieLignesReperes(l); !e.empty()) return e;
  l.emplace_back();
  Remplit(l);
  Grille->setCurrentCell(Grille->rowCount() - 1, 1);
  return {};
}

void TListePointsForm::Supprimer() {
  const int r = Grille->currentRow();
  auto l = Lignes();
  if (r < 0 || r >= static_cast<int>(l.size())) return;
  if (l.size() == 1)
    l[0] = {};
  else
    l.erase(l.begin() + r);
  Remplit(l);
  Grille->setCurrentCell(-1, -1);
}

std::string TListePointsForm::Valider() {
  std::vector<TRepere> lus;
  std::string e;
  if (!LitLignesReperes(Lignes(), lus, e)) {
    AfficheMessage(e, mtError, mbOK);
    return e;
  }
  Ecrit(std::move(lus));
  Doc.MarqueModifie();
  if (ApresModification) ApresModification();
  accept();
  return {};
}

TReperesForm::TReperesForm(TDocument& doc, QWidget* parent)
    : TListePointsForm(
          doc, Q(rs("rsReperesFormCaption")), [&doc] { return doc.ListeReperes; },
          [&doc](std::vector<TRepere> l) { doc.ListeReperes = std::move(l); }, parent) {
  setObjectName("ReperesForm");
}

TEnvahissementForm::TEnvahissementForm(TDocument& doc, QWidget* parent)
    : TListePointsForm(
          doc, Q(rs("rsEnvahissementFormCaption")),
          [&doc] { return std::vector<TRepere>(doc.ListeReperesEnv.begin(), doc.ListeReperesEnv.end()); },
          [&doc](std::vector<TRepere> l) {
            doc.ListeReperesEnv.clear();
            for (TRepere& r : l) doc.ListeReperesEnv.push_back({std::move(r)});
          },
          parent) {
  setObjectName("EnvahissementForm");
}

TDefReperesForm::TDefReperesForm(TDocument& doc, const TVertex3f& p, QWidget* parent)
    : QDialog(parent), Doc(doc) {
  setObjectName("DefReperesForm");
  setWindowTitle(Q(rs("rsDefReperesFormCaption")));
  auto* v = new QVBoxLayout(this);
  auto* gr = new QGroupBox(QString::fromUtf8(rs("rsGBRepereCaption").c_str()));
  auto* fr = new QHBoxLayout(gr);
  EdNom = new QLineEdit;
  fr->addWidget(new QLabel(rs("rsNom").c_str())), fr->addWidget(EdNom, 1);
  v->addWidget(gr);
  auto* gp = new QGroupBox(rs("rsGBPositionCaption").c_str());
  auto* fp = new QHBoxLayout(gp);
  EdX = new QLineEdit(QString::asprintf("%.4f", p.X));
  EdY = new QLineEdit(QString::asprintf("%.4f", p.Y));
  EdZ = new QLineEdit(QString::asprintf("%.4f", p.Z));
  const std::pair<const char*, QLineEdit*> champs[] = {{"X", EdX}, {"Y", EdY}, {"Z", EdZ}};
  for (auto [n, e] : champs) {
    e->setMaximumWidth(80);
    fp->addWidget(new QLabel(n)), fp->addWidget(e);
  }
  v->addWidget(gp);
  // Buttons with their icons only, their names as hints.
  auto* b = new QHBoxLayout;
  auto* ok = new QToolButton;
  ok->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
  ok->setToolTip("OK");
  ok->setObjectName("BtnOK");
  auto* annuler = new QToolButton;
  annuler->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
  annuler->setToolTip(rs("rsAnnuler").c_str());
  annuler->setObjectName("BtnAnnuler");
  for (auto* t : {ok, annuler}) t->setIconSize(QSize(24, 24));
  b->addStretch(), b->addWidget(ok), b->addWidget(annuler);
  v->addLayout(b);
  connect(ok, &QToolButton::clicked, this, [this] { Valider(); });
  connect(annuler, &QToolButton::clicked, this, &QDialog::reject);
  EdNom->setFocus();
}

std::string TDefReperesForm::Valider() {
  TRepere r;
  std::string e = LitNouveauRepere(
      {S(EdNom->text()), S(EdX->text().trimmed()), S(EdY->text().trimmed()), S(EdZ->text().trimmed())}, r);
  if (!e.empty()) {
    AfficheMessage(e, mtError, mbOK);
    return e;
  }
  Doc.ListeReperes.push_back(std::move(r));
  Doc.MarqueModifie();
  accept();
  return {};
}

TImportRepForm::TImportRepForm(TDocument& doc, QWidget* parent) : QDialog(parent), Doc(doc) {
  setObjectName("ImportRepForm");
  setWindowTitle(Q(rs("rsImportRepFormCaption")));
  auto* v = new QVBoxLayout(this);
  CBNom = new QCheckBox(QString::fromUtf8(rs("rsCBNomRepereCaption").c_str()));
  v->addWidget(CBNom);
  auto* go = new QGroupBox(rs("rsRGOrdreCaption").c_str());
  auto* vo = new QVBoxLayout(go);
  for (int k = 0; k < NbOrdresValeurs; k++) {
    Ordres.push_back(new QRadioButton(Q(LibelleOrdre(k))));
    vo->addWidget(Ordres.back());
    connect(Ordres.back(), &QRadioButton::toggled, this,
            [this] { LblLigne->setText(Q(LigneAttendue(CBNom->isChecked(), OrdreChoisi()))); });
  }
  v->addWidget(go);
  setMinimumWidth(320);
  auto* gl = new QGroupBox(rs("rsGBResultCaption").c_str());
  auto* vl = new QVBoxLayout(gl);
  LblLigne = new QLabel;
  vl->addWidget(LblLigne);
  v->addWidget(gl);
  Ordres[0]->setChecked(true);
  connect(CBNom, &QCheckBox::toggled, this,
          [this] { LblLigne->setText(Q(LigneAttendue(CBNom->isChecked(), OrdreChoisi()))); });
  LblLigne->setText(Q(LigneAttendue(false, ovXYZ)));
  auto* b = new QHBoxLayout;
  auto* ok = new QPushButton("&OK");
  auto* annuler = new QPushButton(rs("rsBtnAnnuler").c_str());
  ok->setDefault(true);
  b->addStretch(), b->addWidget(ok), b->addWidget(annuler);
  v->addLayout(b);
  connect(ok, &QPushButton::clicked, this, [this] { Ok(); });
  connect(annuler, &QPushButton::clicked, this, &QDialog::reject);
}

int TImportRepForm::OrdreChoisi() const {
  for (int k = 0; k < static_cast<int>(Ordres.size()); k++)
    if (Ordres[static_cast<size_t>(k)]->isChecked()) return k;
  return ovXYZ;
}

void TImportRepForm::Ok() {
  const QString chemin = ChoisitFichier ? ChoisitFichier() : QString();
  if (chemin.isEmpty()) return;
  Importer(S(chemin));
}

std::string TImportRepForm::Importer(const std::string& chemin) {
  auto echec = [this](const std::string& e) {
    AfficheMessage(e, mtError, mbOK);
    reject();
    return e;
  };
  // Only a regular file within the bound: a device or a FIFO would never end.
  std::string lus, pourquoi;
  if (LitFichierOrdinaire(chemin, TailleMaxImport, lus, &pourquoi) != TLectureFichier::Ok)
    return echec(rs("rsErreurImportReperes") + " : " + pourquoi);
  // Single-byte text as the program writes it; UTF-8 from other tools reads as it is.
  const QByteArray octets = QByteArray::fromStdString(lus);
  std::string texte = QString::fromUtf8(octets).contains(QChar::ReplacementCharacter)
                          ? S(QString::fromLatin1(octets))
                          : octets.toStdString();
  const TResultatImport r = LitReperes(texte, CBNom->isChecked(), OrdreChoisi());
  if (!r.Ok) return echec(r.Message);
  if (AjouteReperes(Doc.ListeReperes, r) > 0) {
    Doc.MarqueModifie();
    if (ApresModification) ApresModification();
  }
  accept();
  return {};
}
