#include "app/RecuperationQt.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>
#include <filesystem>

#include "app/DebugForm.h"
#include "app/Principale.h"
#include "app/ReglagesQt.h"
#include "base/Chaines.h"
#include "base/Crash.h"
#include "base/Debug.h"
#include "base/Services.h"
#include "document/GestionErreurs.h"
#include "document/Recuperation.h"

std::string CheminRecuperationProgramme() {
  QString c = qEnvironmentVariable("BRIVANE_RECOVERY");
  if (c.isEmpty()) {
    QString d = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (d.isEmpty()) d = QDir::homePath();
    QDir().mkpath(d);
    c = QDir(d).filePath("recovery.kvb");
  }
  return QFileInfo(c).absoluteFilePath().toStdString();
}

void DemarreRecuperation(TMainForm& f) {
  int minutes = IntervalleRecuperationDefaut;
  if (auto m = OuvreMagasin())
    minutes =
        IntervalleRecuperation(LitEntier(*m, "System", "Recuperation", IntervalleRecuperationDefaut, 1, 120));
  auto* t = new QTimer(&f);
  t->setObjectName("TimerRecuperation");
  QObject::connect(t, &QTimer::timeout, &f, [&f] { SauveRecuperation(f); });
  t->start(minutes * 60 * 1000);
}

bool SauveRecuperation(TMainForm& f) {
  TDocument& doc = f.Document();
  if (!doc.Modifie || doc.NbSurf() == 0) return false;
  const std::string chemin = CheminRecuperationProgramme();
  std::string err;
  if (!EnregistreRecuperation(doc, chemin, &err)) {
    // Logged, not shown: a message every few minutes would stop the designer's work.
    DbgErr(erFichier, "Recuperation", 0, {chemin, err});
    return false;
  }
  NoteOrigineRecuperation(doc);
  return true;
}

void NoteOrigineRecuperation(const TDocument& doc) {
  std::string de;
  std::error_code ec;
  if (!doc.NomFichier.empty()) de = std::filesystem::absolute(doc.NomFichier, ec).string();
  if (auto m = OuvreMagasin()) m->Ecrit("System", "RecuperationDe", de);
}

bool OffreRecuperation(TMainForm& f) {
  const std::string chemin = CheminRecuperationProgramme();
  std::string de;
  if (auto m = OuvreMagasin()) de = LitTexte(*m, "System", "RecuperationDe");
  if (!RecuperationAOffrir(chemin, de)) return false;
  const std::string date =
      QFileInfo(QString::fromStdString(chemin)).lastModified().toString("dd/MM/yyyy HH:mm").toStdString();
  const std::string nom = de.empty() ? rs("rsRecuperationSansNom") : de;
  if (AfficheMessage(Format(rs("rsRecuperationOffre").c_str(), nom.c_str(), date.c_str()), mtConfirmation,
                     mbYes | mbNo) != mrYes)
    return false;
  if (!f.OuvrirFichier(chemin, false, false)) return false;
  // The design belongs to its own file, not to the recovery copy.
  f.Document().NomFichier = de;
  f.Document().MarqueModifie();
  return true;
}

void FinRecuperation() { SupprimeRecuperation(CheminRecuperationProgramme()); }

void InstalleSauvegardesUrgence(TMainForm& f, unsigned delaiFin) {
  InstalleSauvegardeCrash(&f.Document(), CheminRecuperationProgramme(), CheminErrorLog(),
                          NoteOrigineRecuperation);
  const int tube = InstalleFinDemandee(delaiFin);
  if (tube < 0) return;
  auto* n = new QSocketNotifier(tube, QSocketNotifier::Read, &f);
  QObject::connect(n, &QSocketNotifier::activated, &f, [] { FinDemandee(); });
}
