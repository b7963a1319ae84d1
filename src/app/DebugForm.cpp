#include "app/DebugForm.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QHostAddress>
#include <QLabel>
#include <QMetaObject>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTcpSocket>
#include <QThread>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <filesystem>

#include "app/Principale.h"
#include "app/RecuperationQt.h"
#include "app/ReglagesQt.h"
#include "base/Chaines.h"
#include "base/Debug.h"
#include "base/Encodage.h"
#include "base/FichierStr.h"
#include "base/Services.h"
#include "document/GestionErreurs.h"
#include "ui/Registre.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

TDebugForm* Courante = nullptr;

constexpr int NbValeursListe = 4;
constexpr int ColValeurs = 3;

}  // namespace

std::string CheminErrorLog() {
  QString c = qEnvironmentVariable("BRIVANE_ERRORLOG");
  if (c.isEmpty()) {
    // Never beside the program, even where that folder is writable (run as root, an
    // installed program would leave the log in the system's folders): the user's data
    // folder, with the recovery copies.
    QString d = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (d.isEmpty()) d = QDir::homePath();
    QDir().mkpath(d);
    c = QDir(d).filePath("Error.log");
  }
  return QFileInfo(c).absoluteFilePath().toStdString();
}

TDebugForm::TDebugForm(TMainForm& f) : QWidget(&f, Qt::Tool | Qt::WindowStaysOnTopHint), F(f) {
  setObjectName("DebugForm");
  setWindowTitle(Q(rs("rsDebugFormCaption")));
  auto* barre = new QToolBar(this);
  barre->setObjectName("BarreDebug");
  auto bouton = [&](const char* nom, const char* cle) {
    auto* b = new QToolButton(barre);
    b->setObjectName(nom);
    b->setText(Q(rs(cle)));
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    barre->addWidget(b);
    return b;
  };
  BtnRAZ = bouton("BtnRAZ", "rsBtnRAZCaption");
  BtnTraces = bouton("BtnTracesActives", "rsBtnTracesActivesCaption");
  BtnTraces->setCheckable(true);
  BtnTraces->setChecked(true);
  barre->addSeparator();
  BtnEnregistrer = bouton("BtnEnregistrer", "rsBtnEnregistrerDbgCaption");
  BtnConnexion = bouton("BtnConnexion", "rsBtnConnexionDebuggerCaption");

  Liste = new QTreeWidget(this);
  Liste->setObjectName("ListeDebug");
  Liste->setRootIsDecorated(false);
  Liste->setUniformRowHeights(true);
  Liste->setAlternatingRowColors(true);
  Liste->setHeaderLabels({Q(rs("rsDbgColType")), Q(rs("rsDbgColProcedure")), Q(rs("rsDbgColIndex")), "Val1",
                          "Val2", "Val3", "Val4"});
  const int largeurs[] = {70, 160, 50, 70, 70, 70, 70};
  for (int i = 0; i < 7; i++) Liste->setColumnWidth(i, largeurs[i]);
  Liste->header()->setStretchLastSection(false);

  auto* etat = new QStatusBar(this);
  etat->setSizeGripEnabled(false);
  Etat = new QLabel(Q(rs("rsDbgNonConnecte")), etat);
  Etat->setObjectName("EtatConnexion");
  etat->addWidget(Etat, 1);

  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(0, 0, 0, 0);
  v->setSpacing(0);
  v->addWidget(barre);
  v->addWidget(Liste, 1);
  v->addWidget(etat);
  resize(600, 320);

  Socket = new QTcpSocket(this);
  connect(Socket, &QTcpSocket::stateChanged, this, [this](QAbstractSocket::SocketState s) {
    if (s == QAbstractSocket::HostLookupState || s == QAbstractSocket::ConnectingState)
      Etat->setText(Q(rs("rsDbgConnexionEnCours")));
    else if (s == QAbstractSocket::ConnectedState)
      Etat->setText(Q(rs("rsDbgConnecte")));
    else if (s == QAbstractSocket::UnconnectedState)
      Etat->setText(Q(rs("rsDbgNonConnecte")));
  });
  // A debugger that is not there is no error: the state says so and nothing else.
  connect(Socket, &QTcpSocket::errorOccurred, this,
          [this](QAbstractSocket::SocketError) { Etat->setText(Q(rs("rsDbgNonConnecte"))); });

  connect(BtnRAZ, &QToolButton::clicked, this, [this] { RAZ(); });
  connect(BtnTraces, &QToolButton::toggled, this, [](bool bas) { DebugConfig().TracesActives = bas; });
  connect(BtnEnregistrer, &QToolButton::clicked, this, [this] {
    if (!Enregistre()) AfficheMessage(Format(rs("rsErrEcritureQZDbg"), "QZDbg.txt"), mtError, mbOK);
  });
  connect(BtnConnexion, &QToolButton::clicked, this, [this] { Connecte(); });

  Courante = this;
  TraceRAZ();
  DebugConfig().TracesActives = BtnTraces->isChecked();
  DebugConfig().Recepteur = [this](const TDbgEntree& e) {
    // A calculation's worker thread records too: the window is touched on its own thread only.
    if (QThread::currentThread() == thread())
      Recoit(e);
    else
      QMetaObject::invokeMethod(
          this, [this, e] { Recoit(e); }, Qt::QueuedConnection);
  };
  if (F.ModeDebug()) Connecte();
}

TDebugForm::~TDebugForm() {
  DebugConfig().Recepteur = nullptr;
  if (Courante == this) Courante = nullptr;
  Socket->abort();
}

TDebugForm* TDebugForm::Instance() { return Courante; }

void TDebugForm::Connecte() {
  Socket->abort();
  Socket->connectToHost(QHostAddress(QHostAddress::LocalHost), static_cast<quint16>(F.Port()));
}

void TDebugForm::Recoit(const TDbgEntree& e) {
  if (Socket->state() == QAbstractSocket::ConnectedState) {
    const std::string t = Utf8VersCp1252(TexteEnvoiDbg(e));
    Socket->write(t.data(), static_cast<qint64>(t.size()));
  }
  // Button up: only sent (trace messages were dropped before reaching here).
  if (!BtnTraces->isChecked()) return;
  QStringList c{Q(TexteTypeErr(e.Type)), Q(e.Nom), QString::number(e.Index)};
  for (size_t i = 0; i < NbValeursListe; i++) c << (i < e.Valeurs.size() ? Q(e.Valeurs[i]) : QString());
  Liste->insertTopLevelItem(0, new QTreeWidgetItem(c));
}

void TDebugForm::RAZ() { Liste->clear(); }

bool TDebugForm::Enregistre(const QString& chemin) {
  std::vector<std::string> lignes;
  for (int r = 0; r < Liste->topLevelItemCount(); r++) {
    const QTreeWidgetItem* it = Liste->topLevelItem(r);
    TDbgEntree e;
    e.Nom = it->text(1).toStdString();
    e.Index = it->text(2).toInt();
    for (int k = 0; k < NbValeursListe; k++) e.Valeurs.push_back(it->text(ColValeurs + k).toStdString());
    lignes.push_back(LigneExportDbg(e));
  }
  return EcritFichierTexte(chemin.toStdString(), lignes);
}

void TDebugForm::ExceptionHandler(const std::string& message) {
  while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
  // The same place as the crash's and the periodic copy's, offered at the next start.
  TBilanErreur b =
      TraiteErreurNonRattrapee(F.Document(), message, CheminErrorLog(), CheminRecuperationProgramme());
  if (b.RecuperationEcrite) {
    NoteOrigineRecuperation(F.Document());
    FichierRecent(F, b.CheminRecuperation);
  }
  if (b.Log.LectureImpossible)
    AfficheMessage(Format(rs("rsErrLectureErrorLog"), message.c_str(), b.Log.Chemin.c_str()), mtError, mbOK);
}

namespace {

const TEnregistrement Enregistre([] {
  EnregistreCommande({.Nom = "MeDebug", .Execute = [](TMainForm&, bool) {
                        if (TDebugForm* d = TDebugForm::Instance()) {
                          d->show();
                          d->raise();
                          d->activateWindow();
                        }
                      }});
  EnregistreFenetre({.Nom = "debug", .Ordre = 900, .Montre = [](TMainForm&) -> QWidget* {
                       TDebugForm* d = TDebugForm::Instance();
                       if (d) d->show();
                       return d;
                     }});
});

}  // namespace
