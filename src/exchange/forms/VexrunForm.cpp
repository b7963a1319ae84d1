// The resistance program's window, its settings and its command.
#include "exchange/forms/VexrunForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateTime>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <filesystem>

#include "app/Principale.h"
#include "app/ReglagesQt.h"
#include "base/Chaines.h"
#include "base/Debug.h"
#include "base/Services.h"
#include "session/ObjCom.h"
#include "ui/Graphe.h"
#include "ui/Registre.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

std::vector<std::string> LignesBoite(const QPlainTextEdit* b) {
  std::vector<std::string> l;
  for (const QString& t : b->toPlainText().split('\n')) l.push_back(S(t));
  while (!l.empty() && l.back().empty()) l.pop_back();
  return l;
}

void RemplitBoite(QPlainTextEdit* b, const std::vector<std::string>& l) {
  QStringList t;
  for (const auto& s : l) t << Q(s);
  b->setPlainText(t.join('\n'));
}

QPlainTextEdit* Boite(QWidget* parent, const char* nom, bool lecture) {
  auto* b = new QPlainTextEdit(parent);
  b->setObjectName(nom);
  b->setReadOnly(lecture);
  b->setLineWrapMode(QPlainTextEdit::NoWrap);
  QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  b->setFont(f);
  return b;
}

// The rows to act on: those given, or the list's selection.
std::vector<int> Lignes(const QListWidget* l, const std::vector<int>& donnees) {
  if (!donnees.empty()) return donnees;
  std::vector<int> r;
  for (int i = 0; i < l->count(); i++)
    if (l->item(i)->isSelected()) r.push_back(i);
  return r;
}

}  // namespace

TReglagesMichlet ChargeReglagesMichlet() { return LitReglagesVexrun(*OuvreMagasin()); }

void EnregistreReglagesMichlet(const TReglagesMichlet& r) { EcritDelaiVexrun(*OuvreMagasin(), r.DelaiMax); }

TVexrunForm::TVexrunForm(TMainForm& f, QWidget* parent) : QDialog(parent), F(f) {
  setObjectName("VexrunForm");
  setWindowTitle(Q(rs("rsVexrunFormCaption")));
  resize(900, 640);
  auto* haut = new QVBoxLayout(this);
  Onglets = new QTabWidget(this);
  haut->addWidget(Onglets);

  // --- Lancement ---
  auto* p1 = new QWidget(Onglets);
  auto* g = new QGridLayout(p1);
  auto* lDispo = new QLabel(Q(rs("rsVexrunDisponibles")), p1);
  auto* lChoix = new QLabel(Q(rs("rsVexrunChoisies")), p1);
  ListeDispo = new QListWidget(p1);
  ListeDispo->setObjectName("ListeDispo");
  ListeChoix = new QListWidget(p1);
  ListeChoix->setObjectName("ListeChoix");
  for (QListWidget* l : {ListeDispo, ListeChoix}) {
    l->setSelectionMode(QAbstractItemView::ExtendedSelection);
    l->setMaximumHeight(120);
  }
  auto* fleches = new QVBoxLayout;
  auto* bChoisit = new QPushButton(">", p1);
  bChoisit->setObjectName("BtnChoisit");
  auto* bRend = new QPushButton("<", p1);
  bRend->setObjectName("BtnRend");
  for (QPushButton* b : {bChoisit, bRend}) {
    b->setFixedWidth(36);
    fleches->addWidget(b);
  }
  fleches->addStretch();
  connect(bChoisit, &QPushButton::clicked, this, [this] { Choisit(); });
  connect(bRend, &QPushButton::clicked, this, [this] { Rend(); });

  auto* type = new QGroupBox(Q(rs("rsVexrunTypeCarene")), p1);
  auto* lt = new QVBoxLayout(type);
  RBSym = new QRadioButton(Q(rs("rsVexrunSymetrique")), type);
  RBAsym = new QRadioButton(Q(rs("rsVexrunAsymetrique")), type);
  RBSym->setChecked(true);
  lt->addWidget(RBSym);
  lt->addWidget(RBAsym);
  CBSupprimer = new QCheckBox(Q(rs("rsVexrunSupprimerOut")), p1);
  CBSupprimer->setChecked(true);
  lt->addWidget(CBSupprimer);

  g->addWidget(lDispo, 0, 0);
  g->addWidget(lChoix, 0, 2);
  g->addWidget(ListeDispo, 1, 0);
  g->addLayout(fleches, 1, 1);
  g->addWidget(ListeChoix, 1, 2);
  g->addWidget(type, 1, 3);

  BoiteGeneraux = Boite(p1, "BoiteGeneraux", false);
  BoiteComptes = Boite(p1, "BoiteComptes", true);
  BoiteVagues = Boite(p1, "BoiteVagues", false);
  auto* lGen = new QLabel(Q(rs("rsVexrunParamsGeneraux")), p1);
  auto* lCpt = new QLabel(Q(rs("rsVexrunComptes")), p1);
  auto* lVag = new QLabel(Q(rs("rsVexrunVagues")), p1);
  auto* config = new QHBoxLayout;
  auto* bSauve = new QToolButton(p1);
  bSauve->setObjectName("BtnSauveConfig");
  bSauve->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
  bSauve->setToolTip(Q(rs("rsVexrunSauverConfig")));
  auto* bCharge = new QToolButton(p1);
  bCharge->setObjectName("BtnChargeConfig");
  bCharge->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
  bCharge->setToolTip(Q(rs("rsVexrunChargerConfig")));
  connect(bSauve, &QToolButton::clicked, this, [this] { SauveConfigDialogue(); });
  connect(bCharge, &QToolButton::clicked, this, [this] { ChargeConfigDialogue(); });
  config->addWidget(lGen);
  config->addStretch();
  config->addWidget(bSauve);
  config->addWidget(bCharge);
  g->addLayout(config, 2, 0, 1, 2);
  g->addWidget(lCpt, 2, 2);
  g->addWidget(lVag, 4, 2);
  g->addWidget(BoiteGeneraux, 3, 0, 3, 2);
  g->addWidget(BoiteComptes, 3, 2, 1, 2);
  g->addWidget(BoiteVagues, 5, 2, 1, 2);
  g->setColumnStretch(0, 3);
  g->setColumnStretch(2, 2);
  g->setColumnStretch(3, 1);
  // Four short lines: the room goes to the boxes the user edits.
  BoiteComptes->setMaximumHeight(100);
  g->setRowStretch(3, 0);
  g->setRowStretch(5, 1);

  auto* bas = new QHBoxLayout;
  auto* lDelai = new QLabel(Q(rs("rsVexrunDelai")), p1);
  Delai = new QSpinBox(p1);
  Delai->setObjectName("Delai");
  Delai->setRange(1, 86400);
  LabelEtat = new QLabel(Q(rs("rsVexrunPret")), p1);
  LabelEtat->setObjectName("Etat");
  BtnLancer = new QPushButton(Q(rs("rsVexrunLancer")), p1);
  BtnLancer->setObjectName("BtnLancer");
  BtnArreter = new QPushButton(Q(rs("rsVexrunArreter")), p1);
  BtnArreter->setObjectName("BtnArreter");
  BtnArreter->setEnabled(false);
  connect(BtnLancer, &QPushButton::clicked, this, [this] { Lancer(); });
  connect(BtnArreter, &QPushButton::clicked, this, [this] { Arreter(); });
  bas->addWidget(lDelai);
  bas->addWidget(Delai);
  bas->addSpacing(12);
  bas->addWidget(LabelEtat, 1);
  bas->addWidget(BtnLancer);
  bas->addWidget(BtnArreter);
  g->addLayout(bas, 6, 0, 1, 4);
  Onglets->addTab(p1, Q(rs("rsVexrunLancement")));

  // --- Graphique ---
  auto* p2 = new QWidget(Onglets);
  auto* l2 = new QVBoxLayout(p2);
  Courbes = new TGraphe(p2);
  Courbes->setObjectName("Graphe");
  Courbes->Titres(Q(rs("rsVexrunTitreGraphe")), Q(rs("rsVexrunAxeVitesse")), Q(rs("rsVexrunAxeResistance")));
  l2->addWidget(Courbes, 1);
  auto* bRes = new QPushButton(Q(rs("rsVexrunResultat")), p2);
  bRes->setObjectName("BtnResultatGraphe");
  connect(bRes, &QPushButton::clicked, this, [this] { ResultatGraphe(); });
  auto* l2b = new QHBoxLayout;
  l2b->addStretch();
  l2b->addWidget(bRes);
  l2->addLayout(l2b);
  Onglets->addTab(p2, Q(rs("rsVexrunGraphique")));

  // --- Sortie ---
  auto* p3 = new QWidget(Onglets);
  auto* l3 = new QVBoxLayout(p3);
  Sortie = Boite(p3, "TexteSortie", true);
  l3->addWidget(Sortie, 1);
  auto* bRes2 = new QPushButton(Q(rs("rsVexrunResultat")), p3);
  bRes2->setObjectName("BtnResultatSortie");
  connect(bRes2, &QPushButton::clicked, this, [this] { ResultatSortie(); });
  auto* l3b = new QHBoxLayout;
  l3b->addStretch();
  l3b->addWidget(bRes2);
  l3->addLayout(l3b);
  Onglets->addTab(p3, Q(rs("rsVexrunSortie")));

  Minuterie = new QTimer(this);
  Minuterie->setInterval(250);
  connect(Minuterie, &QTimer::timeout, this, [this] { Tic(); });

  MontreParams(ParamsMichletInitiaux());
  Delai->setValue(LitReglages().DelaiMax);
  Remplit();
}

TVexrunForm::~TVexrunForm() {
  if (Processus) {
    Processus->disconnect(this);
    Processus->kill();
    Processus->waitForFinished(2000);
  }
}

void TVexrunForm::Remplit() {
  PairesDispo.clear();
  PairesChoix.clear();
  ListeDispo->clear();
  ListeChoix->clear();
  const TDocument& doc = F.Document();
  for (int k = 0; k < doc.NbSurf(); k++)
    if (doc.Surf(k).Calc && doc.Surf(k).Visible) {  // hidden surfaces are not exported
      PairesDispo.emplace_back(doc.Surf(k).Nom, k);
      ListeDispo->addItem(Q(doc.Surf(k).Nom));
    }
}

void TVexrunForm::Choisit(const std::vector<int>& donnees) {
  std::vector<int> l = Lignes(ListeDispo, donnees);
  const std::string lettre = RBSym->isChecked() ? " S" : " A";
  // From the last, so the rows still to move keep their numbers; then in display order.
  std::vector<std::pair<std::string, int>> pris;
  for (auto it = l.rbegin(); it != l.rend(); ++it) {
    const int i = *it;
    if (i < 0 || i >= static_cast<int>(PairesDispo.size())) continue;
    pris.insert(pris.begin(), PairesDispo[static_cast<size_t>(i)]);
    PairesDispo.erase(PairesDispo.begin() + i);
    delete ListeDispo->takeItem(i);
  }
  for (const auto& p : pris) {
    PairesChoix.push_back(p);
    ListeChoix->addItem(Q(p.first + lettre));
  }
}

void TVexrunForm::Rend(const std::vector<int>& donnees) {
  std::vector<int> l = Lignes(ListeChoix, donnees);
  std::vector<std::pair<std::string, int>> pris;
  for (auto it = l.rbegin(); it != l.rend(); ++it) {
    const int i = *it;
    if (i < 0 || i >= static_cast<int>(PairesChoix.size())) continue;
    pris.insert(pris.begin(), PairesChoix[static_cast<size_t>(i)]);
    PairesChoix.erase(PairesChoix.begin() + i);
    delete ListeChoix->takeItem(i);
  }
  for (const auto& p : pris) {
    PairesDispo.push_back(p);
    ListeDispo->addItem(Q(p.first));
  }
}

std::vector<int> TVexrunForm::Carenes() const {
  std::vector<int> r;
  for (const auto& p : PairesChoix) r.push_back(p.second);
  return r;
}

TParamsMichlet TVexrunForm::Params() const {
  return {LignesBoite(BoiteGeneraux), LignesBoite(BoiteComptes), LignesBoite(BoiteVagues)};
}

void TVexrunForm::MontreParams(const TParamsMichlet& p) {
  RemplitBoite(BoiteGeneraux, p.Generaux);
  RemplitBoite(BoiteComptes, p.Comptes);
  RemplitBoite(BoiteVagues, p.Vagues);
}

QString TVexrunForm::Etat() const { return LabelEtat->text(); }
QString TVexrunForm::TexteSortie() const { return Sortie->toPlainText(); }
bool TVexrunForm::EnCours() const { return Processus != nullptr; }

bool TVexrunForm::Lancer() {
  TRACE("TVexrunForm.BtnLancerClick");
  if (EnCours()) return false;
  const TReglagesMichlet r = LitReglages();
  TDocument& doc = F.Document();
  const std::vector<int> carenes = Carenes();
  const std::string entree = CheminMichlet(r.Dossier, r.Entree);
  try {
    PrepareCarenesMichlet(doc, carenes);
    TParamsMichlet p = Params();
    p.Comptes = ComptesMichlet(doc);
    RemplitBoite(BoiteComptes, p.Comptes);
    const QString date = QLocale::system().toString(QDateTime::currentDateTime(), QLocale::ShortFormat);
    EcritLignesMichlet(entree, LignesEntreeMichlet(doc, carenes, p, S(date)));
  } catch (const std::exception& e) {
    DbgErr(erDivers, "TVexrunForm.BtnLancerClick", 0, {e.what()});
    AfficheMessage(e.what(), mtError, mbOK);
    return false;
  }
  F.AfficheNet();
  if (CBSupprimer->isChecked() && !r.Sortie.empty()) {
    std::error_code ec;
    std::filesystem::remove(CheminMichlet(r.Dossier, r.Sortie), ec);
  }
  if (r.Dossier.empty()) {
    LabelEtat->setText(Q(Format(rs("rsVexrunEntreeEcrite"), entree.c_str())));
    return false;
  }
  TReglagesMichlet garde = r;
  garde.DelaiMax = Delai->value();
  if (garde.DelaiMax != r.DelaiMax) EcritReglages(garde);

  NomProgramme = std::filesystem::path(r.Programme).filename().string();
  ArretDemande = false;
  Processus = new QProcess(this);
  // An argument vector and the program's own folder: no shell sees the names.
  Processus->setProgram(Q(CheminMichlet(r.Dossier, r.Programme)));
  Processus->setArguments({Q(r.Entree)});
  Processus->setWorkingDirectory(Q(r.Dossier));
  Processus->setProcessChannelMode(QProcess::MergedChannels);
  connect(Processus, &QProcess::errorOccurred, this,
          [this](QProcess::ProcessError e) { ErreurProcessus(e); });
  connect(Processus, &QProcess::finished, this, [this](int c, QProcess::ExitStatus s) { Fin(c, s); });
  Chrono.start();
  BtnLancer->setEnabled(false);
  BtnArreter->setEnabled(true);
  Tic();
  Minuterie->start();
  Processus->start();
  return true;
}

void TVexrunForm::Tic() {
  if (!Processus) return;
  const int ecoule = static_cast<int>(Chrono.elapsed() / 1000);
  LabelEtat->setText(Q(Format(rs("rsVexrunEnCours"), ecoule, Delai->value())));
  if (Chrono.elapsed() >= 1000LL * Delai->value()) {
    const int delai = Delai->value();
    QProcess* p = Processus;
    p->disconnect(this);
    p->kill();
    p->waitForFinished(2000);
    Termine(Q(rs("rsVexrunArrete")));
    AfficheMessage(Format(rs("rsVexrunErrDelai"), NomProgramme.c_str(), delai), mtError, mbOK);
  }
}

void TVexrunForm::Arreter() {
  if (!Processus) return;
  QProcess* p = Processus;
  p->disconnect(this);
  p->kill();
  p->waitForFinished(2000);
  Termine(Q(rs("rsVexrunArrete")));
}

void TVexrunForm::ErreurProcessus(QProcess::ProcessError e) {
  // The other errors end in finished(), which reports them.
  if (e != QProcess::FailedToStart) return;
  const QString detail = Processus->errorString();
  Termine(Q(rs("rsVexrunPret")));
  DbgErr(erDivers, "TVexrunForm.BtnLancerClick", 0, {NomProgramme, S(detail)});
  AfficheMessage(rs("rsVexrunErrLancement") + NomProgramme, mtError, mbOK);
}

void TVexrunForm::Fin(int code, QProcess::ExitStatus statut) {
  const QString sortie = QString::fromLocal8Bit(Processus->readAll()).trimmed();
  Termine(Q(rs("rsVexrunTermine")));
  if (statut != QProcess::NormalExit || code != 0) {
    std::string m = statut != QProcess::NormalExit
                        ? Format(rs("rsVexrunErrPlantage"), NomProgramme.c_str())
                        : Format(rs("rsVexrunErrSortie"), NomProgramme.c_str(), code);
    if (!sortie.isEmpty()) m += "\n" + S(sortie.left(600));
    DbgErr(erDivers, "TVexrunForm.Fin", code, {m});
    AfficheMessage(m, mtError, mbOK);
    return;
  }
  ResultatSortie();
  if (ResultatGraphe()) Onglets->setCurrentIndex(1);
}

void TVexrunForm::Termine(const QString& etat) {
  Minuterie->stop();
  if (Processus) {
    Processus->disconnect(this);
    Processus->deleteLater();
    Processus = nullptr;
  }
  LabelEtat->setText(etat);
  BtnLancer->setEnabled(true);
  BtnArreter->setEnabled(false);
  if (QuandTermine) QuandTermine();
}

bool TVexrunForm::ResultatGraphe() {
  TRACE("TVexrunForm.BtnResultatClick");
  // The curves of a previous reading go first, whether this one succeeds or not.
  Courbes->Efface();
  Courbes->Titres(Q(rs("rsVexrunTitreGraphe")), Q(rs("rsVexrunAxeVitesse")), Q(rs("rsVexrunAxeResistance")));
  const TReglagesMichlet r = LitReglages();
  try {
    const TResultatsMichlet t = LitResultatsMichlet(LitLignesMichlet(CheminMichlet(r.Dossier, r.Sortie)));
    TGraphe::TPoints rr, rt;
    for (size_t i = 0; i < t.U.size(); i++)
      rr.emplace_back(t.U[i], t.Rr[i]), rt.emplace_back(t.U[i], t.Rt[i]);
    Courbes->AjouteLigne("Rr", Qt::blue, rr);
    Courbes->AjouteLigne("Rt", Qt::red, rt);
    // Two curves of one colour scheme: the legend says which is which.
    Courbes->chart()->legend()->setAlignment(Qt::AlignBottom);
    Courbes->chart()->legend()->show();
    Courbes->ZoomInitial();
    return true;
  } catch (const std::exception& e) {
    DbgErr(erDivers, "TVexrunForm.BtnResultatClick", 0, {e.what()});
    AfficheMessage(e.what(), mtError, mbOK);
    return false;
  }
}

void TVexrunForm::ResultatSortie() {
  const TReglagesMichlet r = LitReglages();
  try {
    const auto l = LitLignesMichlet(CheminMichlet(r.Dossier, r.Sortie));
    QStringList t;
    for (const auto& s : l) t << Q(s);
    Sortie->setPlainText(t.join('\n'));
  } catch (const std::exception& e) {
    AfficheMessage(e.what(), mtError, mbOK);
  }
}

bool TVexrunForm::SauveConfig(const std::string& chemin) {
  try {
    EcritLignesMichlet(chemin, LignesConfigMichlet(Params()));
    return true;
  } catch (const std::exception& e) {
    AfficheMessage(e.what(), mtError, mbOK);
    return false;
  }
}

bool TVexrunForm::ChargeConfig(const std::string& chemin) {
  // A file that is not there leaves the boxes as they are.
  if (!std::filesystem::exists(chemin)) return false;
  try {
    MontreParams(LitConfigMichlet(LitLignesMichlet(chemin)));
    return true;
  } catch (const std::exception& e) {
    AfficheMessage(e.what(), mtError, mbOK);
    return false;
  }
}

void TVexrunForm::SauveConfigDialogue() {
  if (!F.ChoisirFichier) return;
  QString c = F.ChoisirFichier(true, Q(rs("rsVexrunFiltreConfig")), QString());
  if (c.isEmpty()) return;
  if (QFileInfo(c).suffix().isEmpty()) c += ".cfg";
  SauveConfig(S(c));
}

void TVexrunForm::ChargeConfigDialogue() {
  if (!F.ChoisirFichier) return;
  const QString c = F.ChoisirFichier(false, Q(rs("rsVexrunFiltreConfig")), QString());
  if (!c.isEmpty()) ChargeConfig(S(c));
}

void TVexrunForm::closeEvent(QCloseEvent* e) {
  Arreter();
  QDialog::closeEvent(e);
}

void TVexrunForm::reject() {
  Arreter();
  QDialog::reject();
}

namespace {

const TEnregistrement Enregistre([] {
  EnregistreCommande({.Nom = "MeVexrun",
                      .Visible = [](const TMainForm&) { return ChargeReglagesMichlet().Active; },
                      .Execute =
                          [](TMainForm& f, bool) {
                            TVexrunForm w(f, &f);
                            w.exec();
                          }});
  // The picture: the stand-in's curve when the settings name a program, else the
  // window as it opens.
  EnregistreFenetre({.Nom = "vexrun", .Ordre = 240, .Montre = [](TMainForm& f) -> QWidget* {
                       auto* w = new TVexrunForm(f, &f);
                       w->setAttribute(Qt::WA_DeleteOnClose);
                       w->show();
                       w->Choisit({0});
                       bool fini = false;
                       w->QuandTermine = [&fini] { fini = true; };
                       if (w->Lancer()) {
                         QElapsedTimer t;
                         t.start();
                         while (!fini && t.elapsed() < 20000)
                           QApplication::processEvents(QEventLoop::AllEvents, 50);
                       }
                       w->QuandTermine = nullptr;
                       return w;
                     }});
});

}  // namespace
