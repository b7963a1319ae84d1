// The program run as a user runs it: the screenshot mode writes a picture of the
// four views with the model in them, and a second instance is refused. The platform
// of the program is offscreen unless BRIVANE_CAPTURE_PLATFORM names another (xcb under Xvfb).
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include "views/Affiche.h"
#include "views/RenduQt.h"

namespace {

struct Resultat {
  int Code = -1;
  QString Erreurs;
};

Resultat Lance(const QStringList& args, const QString& tmp, int attenteMs = 60000) {
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  QString plateforme = qEnvironmentVariable("BRIVANE_CAPTURE_PLATFORM", "offscreen");
  env.insert("QT_QPA_PLATFORM", plateforme);
  env.insert("TMPDIR", tmp);
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
      if ((im.pixel(x, y) & 0xFFFFFF) == (CouleurQt(o.BordSf) & 0xFFFFFF)) gauche = std::min(gauche, x), droite = std::max(droite, x);
  EXPECT_GT(droite - gauche, 600);
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

TEST(SingleInstance, ASecondStartIsRefused) {
  QTemporaryDir d;
  QProcess premier;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("TMPDIR", d.path());
  premier.setProcessEnvironment(env);
  premier.start(BRIVANE_GUI_EXE, {});
  ASSERT_TRUE(premier.waitForStarted());
  // Wait for its lock file.
  for (int i = 0; i < 100 && !QFile::exists(d.filePath("MutexBrivane.lock")); i++) QThread::msleep(50);
  ASSERT_TRUE(QFile::exists(d.filePath("MutexBrivane.lock")));
  QProcess second;
  second.setProcessEnvironment(env);
  second.start(BRIVANE_GUI_EXE, {});
  bool fini = second.waitForFinished(20000);
  premier.kill();
  premier.waitForFinished();
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
  EXPECT_TRUE(QString::fromUtf8(aide.readAllStandardOutput()).startsWith("usage: brivane [FILE]"));
}

}  // namespace
