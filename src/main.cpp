// brivane: the program's windows. Start-up (single instance, splash, main window),
// the message loop, and the screenshot mode that renders the main window to a PNG
// for the README and the visual checks.
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLockFile>
#include <QMdiSubWindow>
#include <QPageSize>
#include <QPixmap>
#include <QPrinter>
#include <QScreen>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTimer>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/DebugForm.h"
#include "app/Icones.h"
#include "app/InstanceUnique.h"
#include "app/LigneCommande.h"
#include "app/Principale.h"
#include "app/RecuperationQt.h"
#include "app/ReglagesQt.h"
#include "app/Traduction.h"
#include "base/Chaines.h"
#include "base/Debug.h"
#include "base/Langues.h"
#include "base/Services.h"
#include "document/GestionErreurs.h"
#include "ui/Dialogues.h"
#include "ui/Rapport.h"
#include "ui/Registre.h"

namespace {

// The last line of defence: an error nothing caught ends the event that raised it,
// is recorded, and the program goes on.
class TApplication : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* o, QEvent* e) override {
    try {
      return QApplication::notify(o, e);
    } catch (const std::exception& ex) {
      Traite(ex.what());
    } catch (...) {
      Traite("exception inconnue");
    }
    return false;
  }

 private:
  static void Traite(const char* message) {
    std::fprintf(stderr, "brivane: %s\n", message);
    if (TDebugForm* d = TDebugForm::Instance()) d->ExceptionHandler(message);
  }
};

int Capture(TMainForm& f, const TLigneCommande& lc) {
  if (!f.ErreurOuverture().empty()) {
    // A picture of the default document would pass for the file's.
    std::fprintf(stderr, "brivane: %s\n", f.ErreurOuverture().c_str());
    return 2;
  }
  // Nobody can answer a dialog: messages go to the error stream.
  Services().AfficheMessage = [](const std::string& t, int, int boutons) {
    std::fprintf(stderr, "brivane: %s\n", t.c_str());
    return ReponseParDefaut(boutons);
  };
  f.resize(lc.Largeur, lc.Hauteur);
  f.show();
  QApplication::processEvents();
  f.PremierAffichage(false);
  // A named window: made, filled from the document and shown by its registration.
  QWidget* cible = &f;
  if (!lc.Fenetre.empty()) {
    const TFenetreCapture* w = FenetreCapture(lc.Fenetre);
    cible = w ? w->Montre(f) : nullptr;
    if (!cible) {
      std::fprintf(stderr, "brivane: no window %s to picture\n", lc.Fenetre.c_str());
      return 1;
    }
  }
  QApplication::processEvents();
  f.AjusterTout();
  QApplication::processEvents();
  if (lc.Impression) {
    QPrinter p(QPrinter::HighResolution);
    p.setOutputFormat(QPrinter::PdfFormat);
    p.setOutputFileName(QString::fromStdString(lc.CaptureSortie));
    p.setPageSize(QPageSize(QPageSize::A4));
    ImprimanteRapport = &p;
    const bool ok = FenetreCapture(lc.Fenetre)->Imprime(cible);
    ImprimanteRapport = nullptr;
    if (!ok) {
      std::fprintf(stderr, "brivane: cannot print %s to %s\n", lc.Fenetre.c_str(), lc.CaptureSortie.c_str());
      return 1;
    }
    return 0;
  }
  QImage image = cible->grab().toImage();
  if (!image.save(QString::fromStdString(lc.CaptureSortie), "PNG")) {
    std::fprintf(stderr, "brivane: cannot write %s\n", lc.CaptureSortie.c_str());
    return 1;
  }
  return 0;
}

// Whether anyone can answer a dialog: not on a platform without a screen.
bool Interactif() {
  return QGuiApplication::platformName() != "offscreen" && QGuiApplication::platformName() != "minimal";
}

// The single-instance lock. One left behind by a run that ended without removing it is
// stale, but Qt cannot always tell: when the process number it holds now belongs to another
// user, Qt may not look at that process and takes it for this program. The lock sits in
// this user's own folder, where only this user's program could have put it.
bool PrendVerrou(QLockFile& verrou) {
  if (verrou.tryLock(0)) return true;
  qint64 pid = 0;
  QString hote, appli;
  if (!verrou.getLockInfo(&pid, &hote, &appli) || pid <= 0) return false;
  if (!hote.isEmpty() && hote != QSysInfo::machineHostName()) return false;
  struct stat st {};
  const std::string proc = "/proc/" + std::to_string(pid);
  if (::stat(proc.c_str(), &st) != 0 || st.st_uid == ::geteuid()) return false;
  // A live holder of ours keeps its lock held, and then this fails.
  return verrou.removeStaleLockFile() && verrou.tryLock(0);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> brut(argv + (argc > 0 ? 1 : 0), argv + argc);
  // Help and version need no display: they are answered before the application exists,
  // whose platform may be missing.
  const TLigneCommande pre = PreAnalyseLigneCommande(brut);
  if (pre.Aide || pre.Version) {
    std::fputs((pre.Aide ? AideLigneCommande() : VersionProgramme() + "\n").c_str(), stdout);
    return 0;
  }
  // A screenshot needs no screen.
  if (pre.Capture && !std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY") &&
      !std::getenv("WAYLAND_DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");

  TApplication app(argc, argv);
  // The application has taken Qt's own options (-style, -platform...) out: the rest is ours.
  std::vector<std::string> params;
  for (const QString& a : QCoreApplication::arguments().mid(1))
    params.push_back(a.toLocal8Bit().toStdString());
  TLigneCommande lc = AnalyseLigneCommande(params);
  if (!lc.Erreur.empty()) {
    std::fprintf(stderr, "brivane: %s\n(brivane --help lists the options)\n", lc.Erreur.c_str());
    return 2;
  }
  // Qt sets the user's locale: numbers must keep their point.
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setApplicationName("Brivane");
  QApplication::setOrganizationName("Brivane");
  QApplication::setAttribute(Qt::AA_DontShowIconsInMenus);
  // The language before any window: the command line's file, else the stored language
  // (a screenshot shows only what its command line asks for).
  std::string refusLangue;
  if (!lc.Langue.empty()) {
    const std::string fichier =
        FichierLangueDemande(QCoreApplication::applicationDirPath().toStdString(), lc.Langue, &refusLangue);
    if (fichier.empty()) {
      std::fprintf(stderr, "brivane: --lang: %s\n", refusLangue.c_str());
      return 2;
    }
    ChargerChaines(fichier, &refusLangue);
  } else if (!lc.Capture)
    if (auto m = OuvreMagasin())
      refusLangue =
          ChangeLangue(QCoreApplication::applicationDirPath(), LitTexte(*m, "Environement", "Language"));
  if (!refusLangue.empty() && lc.Capture) std::fprintf(stderr, "brivane: %s\n", refusLangue.c_str());
  // Qt's own dialogs (open, save, the overwrite question) speak the program's language.
  InstalleTraductionQt();
  // The desktop matches the windows to the installed entry and its icon.
  QGuiApplication::setDesktopFileName("brivane");
  QApplication::setWindowIcon(IconeSvg(":/icones/brivane.svg"));

  // One instance at a time for each user (screenshots excepted: they change nothing): the
  // lock is in the user's runtime folder, not in the temporary folder every user shares. A
  // later start hands its documents to the running program, which comes to the front.
  QLockFile verrou(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + "/MutexBrivane.lock");
  std::unique_ptr<TServeurInstance> serveur;
  if (!lc.Capture) {
    if (!PrendVerrou(verrou)) {
      TDemandeInstance d;
      for (const std::string& fichier : lc.Fichiers)
        d.Fichiers << QFileInfo(QString::fromStdString(fichier)).absoluteFilePath();
      d.Fusion = lc.Fusion;
      if (TransmetAInstance(d)) return 0;
      // It holds the lock but does not answer.
      std::fprintf(stderr, "brivane: %s\n", rs("rsDejaLance").c_str());
      // Without a screen nobody could close the dialog.
      if (Interactif()) AfficheMessageDlg(rs("rsDejaLance"), mtError, mbOK);
      return 1;
    }
    serveur = std::make_unique<TServeurInstance>();
  }

  if (lc.Capture) {
    TMainForm f(lc);
    return Capture(f, lc);
  }

  TSplash splash(false);
  splash.show();
  QApplication::processEvents();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  TMainForm f(lc);
  if (QScreen* ecran = QGuiApplication::primaryScreen()) {
    QSize place = ecran->availableGeometry().size() * 0.95;
    f.resize(f.size().boundedTo(place));
  }
  f.show();
  QApplication::processEvents();
  QApplication::restoreOverrideCursor();
  splash.close();
  if (!refusLangue.empty()) {
    if (Interactif())
      AfficheMessage(refusLangue, mtWarning, mbOK);
    else
      std::fprintf(stderr, "brivane: %s\n", refusLangue.c_str());
  }
  // Nobody can answer a dialog: messages go to the error stream, with their default answer.
  if (!Interactif())
    Services().AfficheMessage = [](const std::string& t, int, int boutons) {
      std::fprintf(stderr, "brivane: %s\n", t.c_str());
      return ReponseParDefaut(boutons);
    };
  // The first display runs once the window has its size; then the other documents named.
  QTimer::singleShot(0, &f, [&f, &lc] {
    f.PremierAffichage(Interactif());
    if (lc.Fusion || lc.Fichiers.size() < 2 || f.Document().NomFichier != lc.Fichier) return;
    const std::vector<std::string> autres(lc.Fichiers.begin() + 1, lc.Fichiers.end());
    if (Interactif()) {
      f.FusionneFichiers(autres, false);
    } else {
      for (const std::string& a : autres)
        std::fprintf(stderr, "brivane: %s not merged into %s (--merge merges it)\n", a.c_str(),
                     lc.Fichier.c_str());
    }
  });
  // A crash of the process itself, or a log-out, still leaves the design and a log line
  // behind, where the next start looks for it and offers it under the design's own name.
  InstalleSauvegardesUrgence(f);
  // Documents handed by a later start (answered from now on): through the open command's
  // question, the window first brought to the front; not over a dialog being answered.
  std::function<void(const TDemandeInstance&)> traite;
  if (serveur) {
    traite = [&f, &traite](const TDemandeInstance& d) {
      f.setWindowState((f.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
      f.show();
      f.raise();
      f.activateWindow();
      if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
        if (!d.Fichiers.isEmpty()) QTimer::singleShot(500, &f, [&traite, d] { traite(d); });
        return;
      }
      std::vector<std::string> fichiers;
      for (const QString& c : d.Fichiers) fichiers.push_back(c.toStdString());
      f.OuvreFichiersDemandes(fichiers, d.Fusion);
    };
    serveur->Traite(traite, [&f] { return QString::fromStdString(f.Document().NomFichier); });
  }
  int r = app.exec();
  InstalleSauvegardeCrash(nullptr, {}, CheminErrorLog());
  return r;
}
