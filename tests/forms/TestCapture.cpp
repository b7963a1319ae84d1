// The program run as a user runs it: the screenshot mode writes a picture of the
// four views with the model in them, and a second instance is refused. The platform
// of the program is offscreen unless BRIVANE_CAPTURE_PLATFORM names another (xcb under Xvfb).
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QImage>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include "edition/Affiche.h"
#include "views/RenduQt.h"

namespace {

struct Resultat {
  int Code = -1;
  QString Erreurs;
};

Resultat Lance(const QStringList& args, const QString& tmp, int attenteMs = 60000,
               const QList<QPair<QString, QString>>& autres = {}) {
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  QString plateforme = qEnvironmentVariable("BRIVANE_CAPTURE_PLATFORM", "offscreen");
  env.insert("QT_QPA_PLATFORM", plateforme);
  env.insert("TMPDIR", tmp);
  for (const auto& [cle, valeur] : autres) env.insert(cle, valeur);
  p.setProcessEnvironment(env);
  p.start(BRIVANE_GUI_EXE, args);
  Resultat r;
  if (!p.waitForFinished(attenteMs)) {
    p.kill();
    p.waitForFinished();
    return r;
  }
  r.Code = p.exitCode();
  r.Erreurs = QString::fromLocal8Bit(p.readAllStandardError());
  return r;
}

int Compte(const QImage& im, QRect zone, int bgr) {
  int n = 0;
  QRgb c = CouleurQt(bgr) & 0xFFFFFF;
  for (int y = zone.top(); y <= zone.bottom(); y++)
    for (int x = zone.left(); x <= zone.right(); x++) n += (im.pixel(x, y) & 0xFFFFFF) == c;
  return n;
}

TEST(Capture, FourViewsTiledWithTheModelInEachQuarter) {
  QTemporaryDir d;
  QString png = d.filePath("vues.png");
  Resultat r = Lance({"--screenshot", png, "--size", "1000x800"}, d.path());
  ASSERT_EQ(r.Code, 0) << r.Erreurs.toStdString();
  QImage im(png);
  ASSERT_EQ(im.size(), QSize(1000, 800));
  TOptionsVues o;
  // Each quarter of the window's middle holds one view with boundary and net pixels.
  for (QRect q : {QRect(0, 100, 500, 300), QRect(500, 100, 500, 300), QRect(0, 450, 500, 300),
                  QRect(500, 450, 500, 300)}) {
    EXPECT_GT(Compte(im, q, o.BordSf), 100) << q.x() << "," << q.y();
    EXPECT_GT(Compte(im, q, o.ResVertex), 100) << q.x() << "," << q.y();
    EXPECT_GT(Compte(im, q, o.Vertex), 20) << q.x() << "," << q.y();
  }
}

TEST(Capture, OneNamedWindowFillsTheFrame) {
  QTemporaryDir d;
  QString png = d.filePath("plan.png");
  Resultat r = Lance({"--screenshot", png, "--size", "800x600", "--window", "plan"}, d.path());
  ASSERT_EQ(r.Code, 0) << r.Erreurs.toStdString();
  QImage im(png);
  ASSERT_EQ(im.size(), QSize(800, 600));
  TOptionsVues o;
  // Maximised: the model spreads over most of the width.
  int gauche = 800, droite = 0;
  for (int y = 0; y < 600; y++)
    for (int x = 0; x < 800; x++)
      if ((im.pixel(x, y) & 0xFFFFFF) == (CouleurQt(o.BordSf) & 0xFFFFFF))
        gauche = std::min(gauche, x), droite = std::max(droite, x);
  EXPECT_GT(droite - gauche, 600);
}

// The studio maximised with the yacht sample: shaded, then with its curvature colours. On
// a real X server the picture is the viewport as drawn; offscreen it is the placeholder.
TEST(Capture, StudioShadedAndWithCurvature) {
  const bool gl = qEnvironmentVariable("BRIVANE_CAPTURE_PLATFORM") == "xcb";
  QTemporaryDir d;
  struct Comptes {
    int Coque = 0, Eau = 0, Rouge = 0, Blanc = 0;
  };
  auto compte = [](const QImage& im) {
    Comptes c;
    for (int y = 100; y < im.height() - 40; y++)
      for (int x = 100; x < im.width(); x++) {
        QColor p = im.pixelColor(x, y);
        const int r = p.red(), g = p.green(), b = p.blue();
        c.Coque += b > 180 && r < 60 && g > 90;                               // the default hull colour, lit
        c.Eau += r > 20 && r < 70 && g > 70 && g < 140 && b > 90 && b < 160;  // the water plane
        c.Rouge += r > 150 && g < 90 && b < 90;
        c.Blanc += r > 235 && g > 235 && b > 235;
      }
    return c;
  };
  for (bool courbure : {false, true}) {
    QString png = d.filePath(courbure ? "courbure.png" : "studio.png");
    QStringList args{"--screenshot", png, "--size", "1000x800", "--window", "studio"};
    if (courbure) args << "--curvature";
    Resultat r = Lance(args << BRIVANE_SAMPLES "/Voilier11.kvb", d.path());
    ASSERT_EQ(r.Code, 0) << r.Erreurs.toStdString();
    QImage im(png);
    ASSERT_EQ(im.size(), QSize(1000, 800));
    if (!gl) continue;
    Comptes c = compte(im);
    EXPECT_GT(c.Eau, 50000) << courbure;
    if (!courbure) {
      EXPECT_GT(c.Coque, 20000);
    } else {
      EXPECT_LT(c.Coque, 2000);  // coloured by curvature instead
      EXPECT_GT(c.Blanc, 20000);
      EXPECT_GT(c.Rouge, 300);
    }
  }
}

TEST(Capture, UnreadableFileAndBadOptionsFailWithoutAPicture) {
  QTemporaryDir d;
  QString png = d.filePath("x.png");
  Resultat r = Lance({"--screenshot", png, "/nulle/part.kvb"}, d.path());
  EXPECT_EQ(r.Code, 2);
  EXPECT_TRUE(r.Erreurs.contains("/nulle/part.kvb")) << r.Erreurs.toStdString();
  EXPECT_FALSE(QFile::exists(png));
  r = Lance({"--screenshot", png, "--size", "9x9"}, d.path());
  EXPECT_EQ(r.Code, 2);
}

// A recovery document left by an earlier crash, of another design: a picture shows the file
// it was asked for, nobody being there to answer the offer.
TEST(Capture, NeverOffersTheRecoveryDocument) {
  QTemporaryDir d;
  const QString recup = d.filePath("recovery.kvb");
  const QList<QPair<QString, QString>> env{{"BRIVANE_RECOVERY", recup},
                                           {"BRIVANE_SETTINGS", d.filePath("Brivane.ini")}};
  const QStringList args{"--size", "800x600", "--window", "plan", BRIVANE_SAMPLES "/Deriveur42.kvb"};
  Resultat sans = Lance(QStringList{"--screenshot", d.filePath("sans.png")} + args, d.path(), 60000, env);
  ASSERT_EQ(sans.Code, 0) << sans.Erreurs.toStdString();
  ASSERT_TRUE(QFile::copy(BRIVANE_SAMPLES "/Canot52.kvb", recup));
  Resultat avec = Lance(QStringList{"--screenshot", d.filePath("avec.png")} + args, d.path(), 60000, env);
  ASSERT_EQ(avec.Code, 0) << avec.Erreurs.toStdString();
  EXPECT_FALSE(avec.Erreurs.contains(QString::fromUtf8("récupération"))) << avec.Erreurs.toStdString();
  const QImage a(d.filePath("sans.png")), b(d.filePath("avec.png"));
  ASSERT_FALSE(a.isNull());
  EXPECT_TRUE(a == b);
  // The copy is still there for the next interactive start.
  EXPECT_TRUE(QFile::exists(recup));
}

// A program that holds the lock and does not answer (hung, or of a version before the
// socket that takes a later start's documents): the later start says so, in the program's
// language, and ends.
TEST(SingleInstance, ASecondStartIsRefused) {
  QTemporaryDir d;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("TMPDIR", d.path());
  env.insert("XDG_RUNTIME_DIR", d.path());  // the user's runtime folder holds the lock
  QLockFile verrou(d.filePath("MutexBrivane.lock"));
  ASSERT_TRUE(verrou.tryLock(0));
  QProcess second;
  second.setProcessEnvironment(env);
  second.start(BRIVANE_GUI_EXE, {});
  bool fini = second.waitForFinished(30000);
  ASSERT_TRUE(fini);
  EXPECT_EQ(second.exitCode(), 1);
  // In the program's own language.
  EXPECT_TRUE(QString::fromUtf8(second.readAllStandardError()).contains("Brivane est déjà lancé"));
  // Asked for its usage, the program says it and opens nothing (no lock is needed).
  QProcess aide;
  aide.setProcessEnvironment(env);
  aide.start(BRIVANE_GUI_EXE, {"--help"});
  ASSERT_TRUE(aide.waitForFinished(20000));
  EXPECT_EQ(aide.exitCode(), 0);
  EXPECT_TRUE(
      QString::fromUtf8(aide.readAllStandardOutput()).startsWith("Usage: brivane [options] [FILE...]"));
}

TEST(SingleInstance, AnotherUsersSessionIsNotBlocked) {
  // Two users share the temporary folder but each has a runtime folder of their own.
  QTemporaryDir tmp, a, b;
  auto env = [&tmp](const QTemporaryDir& runtime) {
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert("QT_QPA_PLATFORM", "offscreen");
    e.insert("TMPDIR", tmp.path());
    e.insert("XDG_RUNTIME_DIR", runtime.path());
    return e;
  };
  QProcess premier, second;
  premier.setProcessEnvironment(env(a));
  premier.start(BRIVANE_GUI_EXE, {});
  ASSERT_TRUE(premier.waitForStarted());
  (void)QTest::qWaitFor([&] { return QFile::exists(a.filePath("MutexBrivane.lock")); }, 5000);
  ASSERT_TRUE(QFile::exists(a.filePath("MutexBrivane.lock")));
  second.setProcessEnvironment(env(b));
  second.start(BRIVANE_GUI_EXE, {});
  ASSERT_TRUE(second.waitForStarted());
  // The other user's program runs: it takes its own lock and does not stop.
  (void)QTest::qWaitFor([&] { return QFile::exists(b.filePath("MutexBrivane.lock")); }, 5000);
  bool fini = second.waitForFinished(1500);
  EXPECT_TRUE(QFile::exists(b.filePath("MutexBrivane.lock")));
  EXPECT_FALSE(fini) << second.exitCode() << " "
                     << QString::fromLocal8Bit(second.readAllStandardError()).toStdString();
  for (QProcess* p : {&premier, &second}) {
    p->kill();
    p->waitForFinished();
  }
}

// A lock left behind by a run that was killed, whose process number now belongs to another
// user's live program: the next start is not refused. Only a user who may look at other
// users' processes (root) sees that program's name; for anyone else Qt already takes
// such a lock for stale.
TEST(SingleInstance, AStaleLockOfAnotherUsersProgramDoesNotBlock) {
  if (::geteuid() != 0) {
    GTEST_SKIP() << "needs root to run a program as another user";
  }
  QTemporaryDir tmp, runtime, reglages, autre;
  ASSERT_EQ(::chown(autre.path().toLocal8Bit().constData(), 65534, 65534), 0);
  auto env = [&tmp](const QTemporaryDir& runtime, const QTemporaryDir& reglages) {
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert("QT_QPA_PLATFORM", "offscreen");
    e.insert("TMPDIR", tmp.path());
    e.insert("XDG_RUNTIME_DIR", runtime.path());
    e.insert("HOME", reglages.path());
    e.insert("BRIVANE_SETTINGS", reglages.filePath("Brivane.ini"));
    e.insert("BRIVANE_RECOVERY", reglages.filePath("recovery.kvb"));
    e.insert("BRIVANE_ERRORLOG", reglages.filePath("Error.log"));
    return e;
  };
  // The other user's program, running.
  QProcess sien;
  sien.setProcessEnvironment(env(autre, autre));
  sien.start("setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups", BRIVANE_GUI_EXE});
  ASSERT_TRUE(sien.waitForStarted());
  ASSERT_FALSE(sien.waitForFinished(1000))
      << QString::fromLocal8Bit(sien.readAllStandardError()).toStdString();
  // This user's lock as the program writes it, its process number now the other program's.
  const QString chemin = runtime.filePath("MutexBrivane.lock");
  {
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray::number(sien.processId()) + "\nbrivane\n" + QSysInfo::machineHostName().toUtf8() +
            "\n" + QSysInfo::machineUniqueId() + "\n" + QSysInfo::bootUniqueId() + "\n");
  }
  QProcess p;
  p.setProcessEnvironment(env(runtime, reglages));
  p.start(BRIVANE_GUI_EXE, {});
  ASSERT_TRUE(p.waitForStarted());
  const bool fini = p.waitForFinished(3000);
  EXPECT_FALSE(fini) << p.exitCode() << " " << QString::fromLocal8Bit(p.readAllStandardError()).toStdString();
  // The lock is the new run's now.
  QLockFile l(chemin);
  qint64 pid = 0;
  QString hote, appli;
  EXPECT_TRUE(l.getLockInfo(&pid, &hote, &appli));
  EXPECT_EQ(pid, p.processId());
  for (QProcess* q : {&p, &sien}) {
    q->kill();
    q->waitForFinished();
  }
}

}  // namespace

namespace {

TEST(Capture, EachDialogIsPicturedAloneFilledFromTheFile) {
  QTemporaryDir d;
  QString doc = QString(BRIVANE_SAMPLES) + "/Deriveur42.kvb";
  for (const char* nom : {"surfnew", "listesurf", "propsurf", "precis", "grille"}) {
    QString png = d.filePath(QString(nom) + ".png");
    Resultat r = Lance({"--screenshot", png, "--window", nom, doc}, d.path());
    ASSERT_EQ(r.Code, 0) << nom << ": " << r.Erreurs.toStdString();
    QImage im(png);
    // The dialog's own size, not the main window's.
    EXPECT_GT(im.width(), 150) << nom;
    EXPECT_LT(im.width(), 1000) << nom;
    EXPECT_LT(im.height(), 900) << nom;
    // Text on it: dark pixels beside the background.
    int sombres = 0;
    for (int y = 0; y < im.height(); y++)
      for (int x = 0; x < im.width(); x++) sombres += qGray(im.pixel(x, y)) < 80;
    EXPECT_GT(sombres, 200) << nom;
  }
  // The shaping windows, on the sample whose panels are ruled.
  const QString canot = QString(BRIVANE_SAMPLES) + "/Canot52.kvb";
  for (const char* nom : {"trans", "taille", "devsurf", "epaisseur"}) {
    QString png = d.filePath(QString(nom) + ".png");
    Resultat r = Lance({"--screenshot", png, "--window", nom, canot}, d.path());
    ASSERT_EQ(r.Code, 0) << nom << ": " << r.Erreurs.toStdString();
    QImage im(png);
    EXPECT_GT(im.width(), 250) << nom;
    EXPECT_LT(im.width(), 1000) << nom;
  }
  // A name that is no window is refused.
  Resultat r = Lance({"--screenshot", d.filePath("x.png"), "--window", "bogus", doc}, d.path());
  EXPECT_EQ(r.Code, 2);
}

}  // namespace
TEST(Capture, TheExportWindowByName) {
  QTemporaryDir d;
  QString png = d.filePath("export.png");
  Resultat r = Lance({"--screenshot", png, "--window", "export"}, d.path());
  ASSERT_EQ(r.Code, 0) << r.Erreurs.toStdString();
  QImage im(png);
  // The dialog alone: far smaller than the main window's 1280 x 960.
  EXPECT_GT(im.width(), 200);
  EXPECT_LT(im.width(), 900);
  EXPECT_LT(im.height(), 600);
}
