#include "naval/forms/HydrostatForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "base/Chaines.h"
#include "base/FichierStr.h"
#include "base/Services.h"
#include "model/EnteteRapport.h"
#include "naval/Flottaison.h"
#include "naval/Poids.h"
#include "naval/forms/VerificationForm.h"
#include "session/ObjCom.h"
#include "ui/Graphe.h"
#include "ui/Rapport.h"

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }

// A count typed above the maximum is taken and brought back to it when the edit is left,
// instead of its last digit being refused (500 read as 50).
class TSpinBorne : public QSpinBox {
 public:
  QValidator::State validate(QString& t, int& pos) const override {
    bool ok = false;
    const int v = t.trimmed().toInt(&ok);
    if (ok && v > maximum()) return QValidator::Intermediate;
    return QSpinBox::validate(t, pos);
  }
  void fixup(QString& t) const override {
    bool ok = false;
    const int v = t.trimmed().toInt(&ok);
    if (ok && v > maximum())
      t = QString::number(maximum());
    else
      QSpinBox::fixup(t);
  }
};

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
  bouton(rs("rsBtnToutes").c_str(), [this] { SelectionneTout(true); });
  bouton(rs("rsBtnAucune").c_str(), [this] { SelectionneTout(false); });
  bouton(rs("rsBtnPorteeCalculs").c_str(), [this] { ChoisitPortee(); });
  bouton(rs("rsBtnFermer").c_str(), [this] { accept(); });
  h->addLayout(gauche);

  Pages = new QTabWidget;
  auto* calc = new QWidget;
  auto* vc = new QVBoxLayout(calc);
  // The attitude: the three choices one under the other, the given attitude's numbers below
  // them: the window keeps the narrow width it had.
  auto* groupe = new QGroupBox(Q(rs("rsHydroAttitude")));
  auto* att = new QVBoxLayout(groupe);
  att->setSpacing(2);
  RBModele = new QRadioButton(Q(rs("rsRBHydroModele")));
  RBFlottant = new QRadioButton(Q(rs("rsRBHydroFlottant")));
  RBDonnee = new QRadioButton(Q(rs("rsRBHydroDonnee")));
  RBModele->setChecked(true);
  for (QRadioButton* b : {RBModele, RBFlottant, RBDonnee}) att->addWidget(b, 0, Qt::AlignLeft);
  auto* donnee = new QHBoxLayout;
  donnee->addSpacing(20);
  auto champ = [&](const std::string& lib, const std::string& bulle, QLineEdit*& e) {
    auto* l = new QLabel(Q(lib));
    e = new QLineEdit("0");
    e->setMaximumWidth(60);
    e->setAlignment(Qt::AlignRight);
    l->setToolTip(Q(bulle));
    e->setToolTip(Q(bulle));
    donnee->addWidget(l);
    donnee->addWidget(e);
  };
  champ(rs("rsLabelHydroTirant"), rs("rsFlotteTirantRef"), EdTirant);
  champ(rs("rsFlotteAssiette"), rs("rsFlotteAssiette"), EdAssiette);
  champ(rs("rsFlotteGite"), rs("rsFlotteGite"), EdGite);
  donnee->addStretch();
  att->addLayout(donnee);
  vc->addWidget(groupe);
  auto active = [this] {
    for (QLineEdit* e : {EdTirant, EdAssiette, EdGite}) e->setEnabled(RBDonnee->isChecked());
  };
  connect(RBDonnee, &QRadioButton::toggled, this, active);
  active();
  Verification = new TBandeauVerification(Doc);
  vc->addWidget(Verification);
  Grille = new QTableWidget(1, 2);
  Grille->horizontalHeader()->hide();
  Grille->verticalHeader()->hide();
  Grille->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Grille->setSelectionBehavior(QAbstractItemView::SelectRows);
  Grille->setColumnWidth(0, 330);
  Grille->setColumnWidth(1, 130);
  Grille->verticalHeader()->setDefaultSectionSize(20);
  vc->addWidget(Grille);
  Avertissements = new QLabel;
  Avertissements->setStyleSheet("color: #b00000");
  Avertissements->setWordWrap(true);
  Avertissements->setVisible(false);
  vc->addWidget(Avertissements);
  InstalleCopie(Grille, [this] { return TexteSelection(); });
  auto* bc = new QHBoxLayout;
  BtnEnregistrer = new QPushButton(rs("rsBtnEnregistrerPts").c_str());
  BtnImprimer = new QPushButton(rs("rsBtnImprimerPts").c_str());
  auto* calculer = new QPushButton(rs("rsBtnCalculer").c_str());
  BtnEnregistrer->setEnabled(false);
  BtnImprimer->setEnabled(false);
  bc->addWidget(BtnEnregistrer);
  bc->addWidget(BtnImprimer);
  bc->addStretch();
  bc->addWidget(calculer);
  vc->addLayout(bc);
  Pages->addTab(calc, rs("rsGB_CalculsCaption").c_str());

  auto* aires = new QWidget;
  auto* va = new QVBoxLayout(aires);
  Courbe = new TGraphe;
  Courbe->Titres(Q(rs("rsCourbeAires")), Q(rs("rsAxeAiresLongueur")), Q(rs("rsAxeAiresAire")));
  Courbe->setVisible(false);
  va->addWidget(Courbe, 1);
  auto* ba = new QHBoxLayout;
  ba->addWidget(new QLabel(rs("rsLabelNbCoupesCaption").c_str()));
  NbCouples = new TSpinBorne;
  NbCouples->setRange(MinSectionsHydro, MaxSectionsHydro);
  ba->addWidget(NbCouples);
  auto* zoom = new QPushButton(rs("rsBtnZoomInitial").c_str());
  connect(zoom, &QPushButton::clicked, this, [this] { Courbe->ZoomInitial(); });
  ba->addWidget(zoom);
  ba->addStretch();
  auto* calculer2 = new QPushButton(rs("rsBtnCalculer").c_str());
  ba->addWidget(calculer2);
  va->addLayout(ba);
  Pages->addTab(aires, Q(rs("rsCourbeAires")));

  // Table hydrostatique
  auto* tab = new QWidget;
  auto* vt = new QVBoxLayout(tab);
  auto* bt = new QHBoxLayout;
  auto edit = [&](const char* lib, QLineEdit*& e) {
    bt->addWidget(new QLabel(QString::fromUtf8(lib)));
    e = new QLineEdit;
    e->setMaximumWidth(70);
    e->setAlignment(Qt::AlignRight);
    bt->addWidget(e);
  };
  edit(rs("rsLabelHydroDe").c_str(), EdZ0);
  edit(rs("rsLabelHydroA").c_str(), EdZ1);
  edit(rs("rsLignesE").c_str(), EdNbLignes);
  EdNbLignes->setText("11");
  auto* calcTable = new QPushButton(rs("rsBtnCalculer").c_str());
  BtnArretTable = new QPushButton(rs("rsBtnAnnuler").c_str());
  BtnArretTable->setVisible(false);
  connect(calcTable, &QPushButton::clicked, this, [this] { CalculeTable(); });
  connect(BtnArretTable, &QPushButton::clicked, this, [this] { SuiviTable.Arret = true; });
  bt->addStretch();
  ProgresTable = new QProgressBar;
  ProgresTable->setObjectName("ProgresTable");
  ProgresTable->setRange(0, 100);
  ProgresTable->setMaximumWidth(140);
  ProgresTable->setVisible(false);  // shown while the table is computed, as the stop button
  bt->addWidget(ProgresTable);
  bt->addWidget(BtnArretTable);
  bt->addWidget(calcTable);
  vt->addLayout(bt);
  GrilleTable = new QTableWidget(0, 0);
  GrilleTable->verticalHeader()->hide();
  GrilleTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  GrilleTable->verticalHeader()->setDefaultSectionSize(20);
  vt->addWidget(GrilleTable, 1);
  auto* bct = new QHBoxLayout;
  bct->addWidget(new QLabel(rs("rsLabelHydroCourbe").c_str()));
  ChoixCourbe = new QComboBox;
  bct->addWidget(ChoixCourbe);
  bct->addStretch();
  vt->addLayout(bct);
  CourbeTable = new TGraphe;
  vt->addWidget(CourbeTable, 1);
  connect(ChoixCourbe, &QComboBox::currentIndexChanged, this, [this] { MajCourbeTable(); });
  Pages->addTab(tab, rs("rsTableHydro").c_str());
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
  // The hull's drafts, the waterline Z = 0 among the rows.
  const TPlageTable t = PlageTableDefaut(Doc, Portee());
  EdZ0->setText(QString::asprintf("%.4f", t.Z0));
  EdZ1->setText(QString::asprintf("%.4f", t.Z1));
  EdNbLignes->setText(QString::number(t.N));
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
  const TBarycentre g = PoidsTotal();
  const TListSurf portee = Portee();
  // Without a hull in scope there is no metacentre: G alone would give a GM of -KG.
  // A total that gives no centre of gravity gives no GMt either: said, not used.
  const std::string defautPoids = SansPoids(Doc) ? std::string() : DefautPoidsTotal(Doc);
  const bool avecPoids = g.Valeur > 0 && !portee.empty() && defautPoids.empty();
  Verification->Verifie(portee, fcCarene | (avecPoids || RBFlottant->isChecked() ? fcPoids : 0u));
  if (!CalculeAttitude(portee, g, avecPoids)) {
    QApplication::restoreOverrideCursor();
    return;
  }
  if (!defautPoids.empty()) R.Avertissements.insert(R.Avertissements.begin(), defautPoids);
  QStringList av;
  for (const auto& a : R.Avertissements) av << Q(a);
  Avertissements->setText(av.join("\n"));
  Avertissements->setVisible(!av.isEmpty());
  Remplit();
  Courbe->Efface();
  Courbe->AjouteLigne(Q(rs("rsCourbeAires")), Qt::red, R.Courbe);
  Courbe->ZoomInitial();
  Courbe->setVisible(true);
  BtnEnregistrer->setEnabled(true);
  BtnImprimer->setEnabled(true);
  QApplication::restoreOverrideCursor();
}

bool THydrostatForm::CalculeAttitude(const TListSurf& portee, const TBarycentre& g, bool avecPoids) {
  const int n = NbCouples->value();
  if (RBModele->isChecked()) {
    R = CalcHydrostatiques(
        Doc, portee, n, [](int, int) { QApplication::processEvents(); }, avecPoids ? &g : nullptr);
    AjouteReferences(portee, nullptr, n);
    return true;
  }
  auto refuse = [](const std::string& m) {
    QApplication::restoreOverrideCursor();
    AfficheMessage(m, mtError, mbOK);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    return false;
  };
  if (portee.empty()) return refuse(rs("rsErrPorteeVide"));
  std::string titre;
  std::vector<TLigneFlottaison> lignes;
  bool converge = true;
  TAttitude att;
  if (RBFlottant->isChecked()) {
    if (!avecPoids) return refuse(rs("rsStabPoidsManquant"));
    TConditionFlottaison c;
    c.Poids = g;
    const TResultatFlottaison f = Flotte(Doc, portee, c);
    if (!f.Erreur.empty()) return refuse(f.Erreur);
    att = f.Attitude;
    R = HydroAttitude(Doc, portee, att, n, &g);
    titre = rs("rsFlotteTitre");
    lignes = LignesFlottaison(f, c);
    converge = f.Converge;
  } else {
    TAttitude a;
    if (!LitReel(EdTirant->text().trimmed().toStdString(), a.Tirant) ||
        !LitReel(EdAssiette->text().trimmed().toStdString(), a.Assiette) ||
        !LitReel(EdGite->text().trimmed().toStdString(), a.Gite) || !std::isfinite(a.Tirant) ||
        !std::isfinite(a.Assiette) || !(std::abs(a.Gite) < 90) || !(std::abs(a.Assiette) < 90))
      return refuse(rs("rsErrAttitudeHydro"));
    a.YRef = YMilieuPortee(Doc, portee);
    att = a;
    R = HydroAttitude(Doc, portee, a, n, avecPoids ? &g : nullptr);
    titre = rs("rsHydroAttitude");
    lignes = LignesAttitude(a);
  }
  // The copy's checks give the copy's numbers: the model's own are the ones to act on.
  R.Avertissements = ControleCarene(Doc, portee);
  if (!R.SansResultat.empty()) R.Avertissements.push_back(R.SansResultat);
  if (!converge) R.Avertissements.push_back(rs("rsFlotteNonConvergee"));
  if (!R.SansResultat.empty()) return true;
  R.Lignes.push_back({titre, 0, true, "", ""});
  for (const auto& l : lignes) R.Lignes.push_back({l.Libelle, l.Valeur, false, titre, ""});
  AjouteReferences(portee, &att, n);
  return true;
}

void THydrostatForm::AjouteReferences(const TListSurf& portee, const TAttitude* a, int n) {
  // After every row of the calculation: where they are measured from, then the canoe body.
  if (!R.SansResultat.empty() || R.Lignes.empty() || portee.empty()) return;
  for (auto&& l : {LignesReferencesHydro(Doc, portee, a, n), LignesCareneSeule(Doc, portee, a, n)})
    R.Lignes.insert(R.Lignes.end(), l.begin(), l.end());
}

void THydrostatForm::Remplit() {
  Grille->clearContents();
  Grille->setRowCount(static_cast<int>(R.Lignes.size()));
  QFont gras = Grille->font();
  gras.setBold(true);
  for (int i = 0; i < static_cast<int>(R.Lignes.size()); i++) {
    const THydroLigne& l = R.Lignes[static_cast<size_t>(i)];
    auto* a = new QTableWidgetItem(Q(l.Libelle));
    auto* b = new QTableWidgetItem(l.Titre ? QString() : !l.Texte.empty() ? Q(l.Texte) : Val4(l.Valeur));
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

std::vector<std::string> THydrostatForm::Lignes() const { return TexteHydro(R, Doc.Proprietes); }

bool THydrostatForm::Enregistre(const std::string& chemin) const {
  std::vector<std::string> l = Lignes();
  l.emplace_back("");
  return EcritFichierTexte(chemin, l);
}

std::vector<TLigneRapport> THydrostatForm::LignesRapport() const {
  std::vector<TLigneRapport> r;
  const std::vector<std::string> l = Lignes();
  size_t entete = 0;  // the heading block: up to its rule
  while (entete < l.size() && l[entete] != LigneRegle) entete++;
  for (size_t i = 0; i < l.size(); i++) {
    // Heading rows end with the tab of their empty value.
    bool titre =
        (i < entete && !l[i].empty() && l[i] != LigneRegle) || (!l[i].empty() && l[i].back() == '\t');
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

TBarycentre THydrostatForm::PoidsTotal() const {
  // The initial stability needs the total weight of every surface brought up to date.
  MajSurface(Doc, true, -1);
  const TPoids& t = Doc.PoidsTotal;
  return {{t.X, t.Y, t.Z}, t.Masse};
}

std::string THydrostatForm::CalculeTable() {
  double z0 = 0, z1 = 0;
  int n = 0;
  if (!LitReel(EdZ0->text().toStdString(), z0) || !LitReel(EdZ1->text().toStdString(), z1) ||
      !LitEntier(EdNbLignes->text().toStdString(), n) || n < 2 || n > 201 || !(z1 > z0)) {
    std::string m = rs("rsErrLignesHydro").c_str();
    AfficheMessage(m, mtError, mbOK);
    return m;
  }
  const TBarycentre g = PoidsTotal();
  TableAvecPoids = g.Valeur > 0;
  SuiviTable.Arret = false;
  SuiviTable.TraiteMessages = [] { QApplication::processEvents(); };
  SuiviTable.Progression = [this](int total, int fait) {
    ProgresTable->setValue(total > 0 ? static_cast<int>(std::lround(100.0 * fait / total)) : 0);
  };
  ProgresTable->setValue(0);
  ProgresTable->setVisible(true);
  BtnArretTable->setVisible(true);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  LignesTable = TableHydrostatique(Doc, Portee(), HauteursTable(z0, z1, n), NbCouples->value(),
                                   TableAvecPoids ? &g : nullptr, &SuiviTable);
  QApplication::restoreOverrideCursor();
  BtnArretTable->setVisible(false);
  ProgresTable->setVisible(false);
  const std::vector<std::string> ent = EnteteTableHydro(TableAvecPoids);
  GrilleTable->setColumnCount(static_cast<int>(ent.size()));
  QStringList h;
  for (const auto& e : ent) h << Q(e);
  GrilleTable->setHorizontalHeaderLabels(h);
  GrilleTable->setRowCount(static_cast<int>(LignesTable.size()));
  for (int i = 0; i < static_cast<int>(LignesTable.size()); i++) {
    const std::vector<double> v = ValeursTableHydro(LignesTable[static_cast<size_t>(i)], TableAvecPoids);
    for (int c = 0; c < static_cast<int>(v.size()); c++) {
      auto* it = new QTableWidgetItem(Val4(v[static_cast<size_t>(c)]));
      it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      GrilleTable->setItem(i, c, it);
    }
  }
  GrilleTable->resizeColumnsToContents();
  const QString avant = ChoixCourbe->currentText();
  const bool b = ChoixCourbe->blockSignals(true);
  ChoixCourbe->clear();
  // Every column but the heights themselves can be drawn against the draught.
  for (size_t c = 2; c < ent.size(); c++) ChoixCourbe->addItem(Q(ent[c]), static_cast<int>(c));
  int k = ChoixCourbe->findText(avant);
  ChoixCourbe->setCurrentIndex(k >= 0 ? k : 1);
  ChoixCourbe->blockSignals(b);
  MajCourbeTable();
  return "";
}

void THydrostatForm::MajCourbeTable() {
  const int c = ChoixCourbe->currentData().toInt();
  const std::vector<std::string> ent = EnteteTableHydro(TableAvecPoids);
  CourbeTable->Efface();
  if (c <= 0 || c >= static_cast<int>(ent.size())) return;
  CourbeTable->Titres(Q(ent[static_cast<size_t>(c)]), Q(ent[static_cast<size_t>(c)]), Q(ent[1]));
  TGraphe::TPoints pts;
  for (const auto& l : LignesTable) {
    const std::vector<double> v = ValeursTableHydro(l, TableAvecPoids);
    pts.push_back({v[static_cast<size_t>(c)], v[1]});
  }
  CourbeTable->AjouteLigne(ChoixCourbe->currentText(), QColor(0, 90, 200), pts);
  CourbeTable->ZoomInitial();
}
