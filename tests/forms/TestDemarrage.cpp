// The program started as a user or a desktop starts it: its command line (help and version
// without a display, Qt's options left to Qt, a language by name, several documents), one
// program per user that takes the documents of a later start, and its log and recovery
// copy in the user's folder, never beside the program.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <set>

#include "app/InstanceUnique.h"
#include "app/LigneCommande.h"

namespace {

struct TSortie {
  int Code = -1;  // -1: still running when the wait ended (then killed)
  QString Sortie, Erreurs;
};

// The environment of a user whose folders are all in `d`.
QProcessEnvironment Utilisateur(const QTemporaryDir& d) {
  QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
  e.insert("QT_QPA_PLATFORM", "offscreen");
  for (const char* v : {"BRIVANE_SETTINGS", "BRIVANE_RECOVERY", "BRIVANE_ERRORLOG"}) e.remove(v);
  for (const char* v : {"run", "data", "config", "home"}) QDir(d.path()).mkpath(v);
  ::chmod(QFile::encodeName(d.filePath("run")).constData(), 0700);
  e.insert("XDG_RUNTIME_DIR", d.filePath("run"));
  e.insert("XDG_DATA_HOME", d.filePath("data"));
  e.insert("XDG_CONFIG_HOME", d.filePath("config"));
  e.insert("HOME", d.filePath("home"));
  e.insert("TMPDIR", d.path());
  return e;
}

TSortie Lance(const QString& programme, const QStringList& args, const QProcessEnvironment& env,
              int attenteMs = 60000, const QString& dossier = {}) {
  QProcess p;
  p.setProcessEnvironment(env);
  if (!dossier.isEmpty()) p.setWorkingDirectory(dossier);
  p.start(programme, args);
  TSortie r;
  if (!p.waitForFinished(attenteMs)) {
    p.kill();
    p.waitForFinished();
  } else {
    r.Code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
  }
  r.Sortie = QString::fromUtf8(p.readAllStandardOutput());
  r.Erreurs = QString::fromUtf8(p.readAllStandardError());
  return r;
}

TSortie Lance(const QStringList& args, const QProcessEnvironment& env, int attenteMs = 60000) {
  return Lance(BRIVANE_GUI_EXE, args, env, attenteMs);
}

// The test talks to the program of the user in `d`: the same runtime folder.
struct TMemeUtilisateur {
  QByteArray Avant = qgetenv("XDG_RUNTIME_DIR");
  explicit TMemeUtilisateur(const QTemporaryDir& d) {
    qputenv("XDG_RUNTIME_DIR", d.filePath("run").toLocal8Bit());
  }
  ~TMemeUtilisateur() { qputenv("XDG_RUNTIME_DIR", Avant); }
};

// The document the running program has open, once it answers; "?" when it does not.
QString DocumentOuvert() {
  QString doc;
  return TransmetAInstance({}, &doc, 2000) ? doc : QString("?");
}

void Arrete(QProcess& p) {
  p.kill();
  p.waitForFinished();
}

const QString Deriveur = BRIVANE_SAMPLES "/Deriveur42.kvb";
const QString Canot = BRIVANE_SAMPLES "/Canot52.kvb";
const QString Vedette = BRIVANE_SAMPLES "/Vedette85.kvb";  // with the dinghy, four surfaces

TEST(Demarrage, HelpAndVersionNeedNoDisplay) {
  QTemporaryDir d;
  QProcessEnvironment sans = Utilisateur(d);
  for (const char* v : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) sans.remove(v);
  QProcessEnvironment horsEcran = Utilisateur(d);
  for (const QProcessEnvironment& env : {sans, horsEcran}) {
    TSortie v = Lance({"--version"}, env, 20000);
    EXPECT_EQ(v.Code, 0) << v.Erreurs.toStdString();
    EXPECT_EQ(v.Sortie, QString("brivane ") + BRIVANE_VERSION + "\n");
    TSortie a = Lance({"-style", "fusion", "--help"}, env, 20000);
    EXPECT_EQ(a.Code, 0) << a.Erreurs.toStdString();
    EXPECT_TRUE(a.Sortie.startsWith("Usage: brivane [options] [FILE...]")) << a.Sortie.toStdString();
    EXPECT_TRUE(a.Sortie.contains("--merge")) << a.Sortie.toStdString();
  }
}

// Every option of the help is in the manual page, and the page names no other.
TEST(Demarrage, TheManualPageListsTheOptionsOfTheHelp) {
  QTemporaryDir d;
  TSortie a = Lance({"--help"}, Utilisateur(d), 20000);
  ASSERT_EQ(a.Code, 0);
  std::set<QString> aide, page;
  QRegularExpression option("(?:^|, )(--?[a-z][a-z-]*)");
  for (const QString& l : a.Sortie.split('\n')) {
    if (!l.startsWith("  -")) continue;
    const QString noms = l.trimmed().section("  ", 0, 0);
    for (auto it = option.globalMatch(noms); it.hasNext();) aide.insert(it.next().captured(1));
  }
  QFile man(BRIVANE_SAMPLES "/../packaging/man/brivane.1");
  ASSERT_TRUE(man.open(QIODevice::ReadOnly));
  const QString texte = QString::fromUtf8(man.readAll());
  const QString options = texte.section(".SH OPTIONS", 1).section("\n.SH ", 0, 0);
  QRegularExpression nom("\\\\-(\\\\-)?([a-z][a-z-]*)");
  for (const QString& l : options.split('\n')) {
    if (!l.startsWith(".B")) continue;
    for (auto it = nom.globalMatch(l); it.hasNext();) {
      auto m = it.next();
      page.insert((m.captured(1).isEmpty() ? "-" : "--") + m.captured(2));
    }
  }
  EXPECT_GE(aide.size(), 12u);
  EXPECT_EQ(aide, page);
}

TEST(Demarrage, QtsOwnOptionsAreNoFileNames) {
  QTemporaryDir d;
  const QString png = d.filePath("s.png");
  TSortie s = Lance({"-style", "fusion", "--screenshot", png, "--size", "800x600", Deriveur}, Utilisateur(d));
  EXPECT_EQ(s.Code, 0) << s.Erreurs.toStdString();
  EXPECT_EQ(QImage(png).size(), QSize(800, 600));
  // An option nobody knows is said, not taken for a file.
  TSortie x = Lance({"--bogus", Deriveur}, Utilisateur(d), 20000);
  EXPECT_EQ(x.Code, 2);
  EXPECT_TRUE(x.Erreurs.contains("bogus")) << x.Erreurs.toStdString();
}

// "--lang English" finds the language file beside the program; a printed report shows it.
TEST(Demarrage, ALanguageByItsName) {
  QTemporaryDir d;
  auto texte = [&](const QStringList& langue) {
    const QString pdf = d.filePath("h.pdf");
    QFile::remove(pdf);
    TSortie s =
        Lance(QStringList{"--print", "hydrostat", pdf} + langue + QStringList{Deriveur}, Utilisateur(d));
    EXPECT_EQ(s.Code, 0) << s.Erreurs.toStdString();
    QProcess p;
    p.start("pdftotext", {pdf, "-"});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
  };
  const QString francais = texte({});
  const QString anglais = texte({"--lang", "English"});
  EXPECT_TRUE(francais.contains(QString::fromUtf8("Déplacement"))) << francais.toStdString();
  EXPECT_TRUE(anglais.contains("Displacement")) << anglais.toStdString();
  EXPECT_FALSE(anglais.contains(QString::fromUtf8("Déplacement")));
  // A file by its path works as before; a name no file has is refused with both places tried.
  EXPECT_TRUE(
      texte({"--lang", QDir(BRIVANE_BUILD_DIR).filePath("lang_English.dat")}).contains("Displacement"));
  TSortie k =
      Lance({"--print", "hydrostat", d.filePath("k.pdf"), "--lang", "Klingon", Deriveur}, Utilisateur(d));
  EXPECT_EQ(k.Code, 2);
  EXPECT_TRUE(k.Erreurs.contains("lang_Klingon.dat")) << k.Erreurs.toStdString();
  EXPECT_FALSE(QFile::exists(d.filePath("k.pdf")));
}

// Two documents: a picture shows the first with the second merged only when asked to.
TEST(Demarrage, SeveralDocumentsMergedOnlyWhenAsked) {
  QTemporaryDir d;
  auto photo = [&](const QString& nom, const QStringList& fichiers) {
    TSortie s = Lance(
        QStringList{"--screenshot", d.filePath(nom), "--size", "600x400", "--window", "plan"} + fichiers,
        Utilisateur(d));
    return std::pair{s, QImage(d.filePath(nom))};
  };
  const auto [s1, seul] = photo("seul.png", {Canot});
  ASSERT_EQ(s1.Code, 0) << s1.Erreurs.toStdString();
  const auto [s2, refuse] = photo("refus.png", {Canot, Vedette});
  EXPECT_EQ(s2.Code, 2);
  EXPECT_TRUE(s2.Erreurs.contains("--merge")) << s2.Erreurs.toStdString();
  EXPECT_TRUE(refuse.isNull());
  const auto [s3, fusion] = photo("fusion.png", {"--merge", Canot, Vedette});
  ASSERT_EQ(s3.Code, 0) << s3.Erreurs.toStdString();
  const auto [s4, vedette] = photo("vedette.png", {Vedette});
  ASSERT_EQ(s4.Code, 0) << s4.Erreurs.toStdString();
  ASSERT_FALSE(fusion.isNull());
  EXPECT_NE(fusion, seul);
  EXPECT_NE(fusion, vedette);
}

TEST(SingleInstance, ALaterStartHandsItsDocumentToTheRunningProgram) {
  QTemporaryDir d;
  const QProcessEnvironment env = Utilisateur(d);
  TMemeUtilisateur meme(d);
  QProcess premier;
  premier.setProcessEnvironment(env);
  premier.start(BRIVANE_GUI_EXE, {});
  ASSERT_TRUE(premier.waitForStarted());
  EXPECT_TRUE(QTest::qWaitFor([] { return DocumentOuvert() == ""; }, 30000));
  // Without a document, the later start only brings the first to the front, and ends well.
  TSortie sans = Lance({}, env, 30000);
  EXPECT_EQ(sans.Code, 0) << sans.Erreurs.toStdString();
  EXPECT_EQ(DocumentOuvert(), "");
  // With one, named from its own folder as a file manager does: the running program opens
  // it through the open command (its question answered by default: nobody is there).
  TSortie avec = Lance(BRIVANE_GUI_EXE, {"Canot52.kvb"}, env, 30000, BRIVANE_SAMPLES);
  EXPECT_EQ(avec.Code, 0) << avec.Erreurs.toStdString();
  EXPECT_TRUE(QTest::qWaitFor([] { return DocumentOuvert() == QFileInfo(Canot).absoluteFilePath(); }, 20000))
      << DocumentOuvert().toStdString();
  EXPECT_EQ(premier.state(), QProcess::Running);
  Arrete(premier);
  EXPECT_TRUE(
      QString::fromUtf8(premier.readAllStandardError()).contains("Voulez-vous fermer le dessin courant ?"));
}

// The program copied to a folder it may write to, as an installed program run as root may:
// a crash leaves its log line and the recovery copy in the user's data folder, nothing
// beside the program.
TEST(Diagnostics, TheLogAndTheRecoveryCopyGoToTheUsersDataFolder) {
  QTemporaryDir d;
  QDir(d.path()).mkpath("bin");
  const QString programme = d.filePath("bin/brivane");
  ASSERT_TRUE(QFile::copy(BRIVANE_GUI_EXE, programme));
  const QProcessEnvironment env = Utilisateur(d);
  TMemeUtilisateur meme(d);
  QProcess p;
  p.setProcessEnvironment(env);
  // Two documents merged: a design with unsaved work.
  p.start(programme, {"--merge", Canot, Vedette});
  ASSERT_TRUE(p.waitForStarted());
  ASSERT_TRUE(QTest::qWaitFor([] { return DocumentOuvert() != "?"; }, 30000));
  ::kill(static_cast<pid_t>(p.processId()), SIGSEGV);
  ASSERT_TRUE(p.waitForFinished(30000));
  const QDir donnees(d.filePath("data/Brivane/Brivane"));
  QFile log(donnees.filePath("Error.log"));
  ASSERT_TRUE(log.open(QIODevice::ReadOnly)) << log.fileName().toStdString();
  EXPECT_TRUE(log.readAll().contains("design saved to " + donnees.filePath("recovery.kvb").toUtf8()));
  EXPECT_GT(QFileInfo(donnees.filePath("recovery.kvb")).size(), 1000);
  EXPECT_EQ(QDir(d.filePath("bin")).entryList(QDir::Files), QStringList{"brivane"});
}

}  // namespace
