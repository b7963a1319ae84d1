// The diagnostics window as a developer uses it: entries listed and sent to a debugger
// listening on a local port, the two states of "Traces actives", the export; and a
// fault in a command, which leaves a recovery document that opens with the work in it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <cstdio>
#include <fstream>
#include <stdexcept>

#include "Fenetre.h"
#include "app/DebugForm.h"
#include "app/RecuperationQt.h"
#include "app/ReglagesQt.h"
#include "base/Debug.h"
#include "document/GestFich.h"
#include "ui/Registre.h"

namespace {

// A port nobody listens on: the window then finds no debugger, quickly.
quint16 PortLibre() {
  QTcpServer s;
  EXPECT_TRUE(s.listen(QHostAddress::LocalHost, 0));
  return s.serverPort();
}

TLigneCommande ModeDebug(quint16 port) {
  TLigneCommande lc;
  lc.Debug = true;
  lc.Port = port;
  return lc;
}

QStringList Ligne(const QTreeWidgetItem* it) {
  QStringList r;
  for (int c = 0; c < it->columnCount(); c++) r << it->text(c);
  return r;
}

// What the debugger has received so far, once `n` bytes are there (or after 5 s).
QByteArray Recu(QTcpSocket* c, QByteArray& tampon, int n) {
  (void)QTest::qWaitFor(
      [&] {
        tampon += c->readAll();
        return tampon.size() >= n;
      },
      5000);
  QByteArray r = tampon;
  tampon.clear();
  return r;
}

TEST(DebugForm, MadeAtStartHiddenWithItsBarListAndState) {
  FenetreTest t;
  TDebugForm* d = t.F->Debogueur();
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(TDebugForm::Instance(), d);
  EXPECT_FALSE(d->isVisible());
  EXPECT_EQ(d->windowTitle(), "Debug");
  EXPECT_TRUE(d->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(d->BtnRAZ->text(), "RAZ");
  EXPECT_EQ(d->BtnTraces->text(), "Traces actives");
  EXPECT_EQ(d->BtnEnregistrer->text(), "Enregistrer");
  EXPECT_EQ(d->BtnConnexion->text(), "Connexion Debugger");
  EXPECT_TRUE(d->BtnTraces->isCheckable());
  EXPECT_TRUE(d->BtnTraces->isChecked());
  const QStringList titres{"Type Err", "Procédure", "Index", "Val1", "Val2", "Val3", "Val4"};
  const int largeurs[] = {70, 160, 50, 70, 70, 70, 70};
  ASSERT_EQ(d->Liste->columnCount(), 7);
  for (int c = 0; c < 7; c++) {
    EXPECT_EQ(d->Liste->headerItem()->text(c), titres[c]);
    EXPECT_EQ(d->Liste->columnWidth(c), largeurs[c]) << c;
  }
  EXPECT_EQ(d->Etat->text(), "Non connecté");
  // Out of debug mode nothing is recorded, and "&Debug" is not offered.
  DbgErr(erDivers, "A.B", 1, {"x"});
  DbgMsgS({"y"});
  EXPECT_EQ(d->Liste->topLevelItemCount(), 0);
  EXPECT_FALSE(t.A("MeDebug")->isVisible());
}

TEST(DebugForm, ShownByItsCommandInDebugMode) {
  FenetreTest t(ModeDebug(PortLibre()));
  t.F->Rafraichit();
  ASSERT_TRUE(t.A("MeDebug")->isVisible());
  ASSERT_TRUE(t.A("MeDebug")->isEnabled());
  t.A("MeDebug")->trigger();
  EXPECT_TRUE(t.F->Debogueur()->isVisible());
  // No debugger on the port: no error, only the state.
  EXPECT_TRUE(QTest::qWaitFor([&] { return t.F->Debogueur()->Etat->text() == "Non connecté"; }, 5000));
  EXPECT_TRUE(t.Messages.empty());
}

TEST(DebugForm, EntriesAreListedNewestFirstAndSentWhole) {
  QTcpServer serveur;
  ASSERT_TRUE(serveur.listen(QHostAddress::LocalHost, 0));
  FenetreTest t(ModeDebug(serveur.serverPort()));
  TDebugForm* d = t.F->Debogueur();
  ASSERT_TRUE(QTest::qWaitFor([&] { return serveur.hasPendingConnections(); }, 5000));
  QTcpSocket* c = serveur.nextPendingConnection();
  ASSERT_TRUE(QTest::qWaitFor([&] { return d->Etat->text() == "Connecté"; }, 5000));
  // Whatever the start-up recorded is dropped, up to a mark sent after it: the stream keeps
  // its order.
  DbgMsgS({"Test.Marque"});
  const QByteArray marque = "1|Test.Marque|";
  QByteArray tampon;
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        tampon += c->readAll();
        return tampon.endsWith(marque);
      },
      5000))
      << tampon.toStdString();
  tampon.clear();
  d->RAZ();

  // Six values: four shown, six sent.
  DbgErr(erDivers, "TStabForm.CalcStab", 3, {DbgVal(2), DbgVal(1.5), DbgVal("t"), "4", "5", "6"});
  const QByteArray long6 = "TMsgLong|erDivers|TStabForm.CalcStab|3|6|2|1.5000|t|4|5|6|";
  EXPECT_EQ(Recu(c, tampon, long6.size()), long6);
  ASSERT_EQ(d->Liste->topLevelItemCount(), 1);
  EXPECT_EQ(Ligne(d->Liste->topLevelItem(0)),
            (QStringList{"erDivers", "TStabForm.CalcStab", "3", "2", "1.5000", "t", "4"}));
  // A trace message: no name, newest on top.
  DbgMsgS({"GestFich.LitDocument", "coque.kvb"});
  const QByteArray trace = "2|GestFich.LitDocument|coque.kvb|";
  EXPECT_EQ(Recu(c, tampon, trace.size()), trace);
  ASSERT_EQ(d->Liste->topLevelItemCount(), 2);
  EXPECT_EQ(Ligne(d->Liste->topLevelItem(0)),
            (QStringList{"waTrace", "", "0", "GestFich.LitDocument", "coque.kvb", "", ""}));

  // "Traces actives" up: errors are sent and not listed, trace messages are dropped.
  d->BtnTraces->click();
  EXPECT_FALSE(DebugConfig().TracesActives);
  DbgMsgS({"perdue"});
  DbgErr(erFichier, "GestFich.OuvrirFichier", 0, {"x"});
  const QByteArray fichier = "TMsgLong|erFichier|GestFich.OuvrirFichier|0|1|x|";
  EXPECT_EQ(Recu(c, tampon, fichier.size()), fichier);
  EXPECT_EQ(d->Liste->topLevelItemCount(), 2);
  d->BtnTraces->click();
  EXPECT_TRUE(DebugConfig().TracesActives);

  // The debugger goes away: the state says so and the list goes on.
  c->close();
  EXPECT_TRUE(QTest::qWaitFor([&] { return d->Etat->text() == "Non connecté"; }, 5000));
  DbgErr(erGLdll, "TStudioForm.TraceOneSurf", 20, {DbgVal(1)});
  EXPECT_EQ(d->Liste->topLevelItemCount(), 3);
  // ... and comes back through "Connexion Debugger".
  d->BtnConnexion->click();
  ASSERT_TRUE(QTest::qWaitFor([&] { return serveur.hasPendingConnections(); }, 5000));
  c = serveur.nextPendingConnection();
  EXPECT_TRUE(QTest::qWaitFor([&] { return d->Etat->text() == "Connecté"; }, 5000));
  DbgErr(erDivZero, "Calcs.Aire", 1, {});
  const QByteArray zero = "TMsgLong|erDivZero|Calcs.Aire|1|0|";
  EXPECT_EQ(Recu(c, tampon, zero.size()), zero);
}

TEST(DebugForm, SaveWritesTheRowsTopFirstAndRAZEmptiesTheList) {
  QTemporaryDir dossier;
  const QString avant = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(dossier.path()));
  {
    FenetreTest t(ModeDebug(PortLibre()));
    TDebugForm* d = t.F->Debogueur();
    d->RAZ();
    DbgErr(erDivers, "Premiere", 1, {"a", "b", "c", "d"});
    DbgErr(1, "Seconde", 2, {"e"});
    EXPECT_EQ(d->Liste->topLevelItem(0)->text(0), "erInconnue");
    d->BtnEnregistrer->click();
    std::ifstream in(QDir(dossier.path()).filePath("QZDbg.txt").toStdString(), std::ios::binary);
    std::string texte{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(texte, "Seconde | 2 | e |  | \r\nPremiere | 1 | a | b | c\r\n");
    EXPECT_TRUE(t.Messages.empty());
    EXPECT_FALSE(d->Enregistre(QDir(dossier.path()).filePath("absent/QZDbg.txt")));
    d->BtnRAZ->click();
    EXPECT_EQ(d->Liste->topLevelItemCount(), 0);
  }
  QDir::setCurrent(avant);
}

// A command registered for one test only.
struct CommandeTemporaire {
  std::string Nom;
  explicit CommandeTemporaire(TCommande c) : Nom(c.Nom) { EnregistreCommande(std::move(c)); }
  ~CommandeTemporaire() { RetireCommande(Nom); }
};

std::string PremiereLigne(const std::string& chemin) {
  std::ifstream in(chemin, std::ios::binary);
  std::string l;
  std::getline(in, l);
  if (!l.empty() && l.back() == '\r') l.pop_back();
  return l;
}

TEST(DebugForm, AFaultInACommandLeavesARecoveryDocumentThatOpensWithTheWork) {
  // Work done, then a fault before the command ends.
  CommandeTemporaire panne({.Nom = "MeTestPanne", .Execute = [](TMainForm& f, bool) {
                              TRACE("TTestForm.Panne");
                              TSurface* s = f.Document().SurfNurbs(0);
                              s->Net.PC[1][1].X += 0.5;
                              s->Net.PC[1][1].Z -= 0.25;
                              s->MarqueNonCalculee();
                              MajSurface(f.Document(), true, -1);
                              f.Document().MarqueModifie();
                              throw std::runtime_error("panne simulée");
                            }});
  // A current folder where nothing can be written (gone since the start): the copy goes to
  // the one place the crash and the periodic copies use, where the next start looks.
  QTemporaryDir dossier;
  const QString avant = QDir::currentPath();
  ASSERT_TRUE(QDir(dossier.path()).mkdir("parti"));
  ASSERT_TRUE(QDir::setCurrent(dossier.filePath("parti")));
  ASSERT_TRUE(QDir(dossier.path()).rmdir("parti"));
  const std::string log = CheminErrorLog();
  std::remove(log.c_str());
  const std::string recup = CheminRecuperationProgramme();
  std::remove(recup.c_str());
  {
    FenetreTest t;  // debug mode off: nothing recorded, the work kept all the same
    const std::string nom = t.Doc().NomFichier;
    EXPECT_TRUE(t.F->Lance("MeTestPanne"));
    ASSERT_TRUE(QFileInfo::exists(QString::fromStdString(recup)));
    // At the head of the recent files; the design keeps its own name and still needs saving.
    ASSERT_FALSE(ReglagesProgramme().Fichiers.empty());
    EXPECT_EQ(ReglagesProgramme().Fichiers.front(), recup);
    EXPECT_EQ(t.Doc().NomFichier, nom);
    EXPECT_TRUE(t.Doc().Modifie);
    // The user hears that the command did not finish.
    ASSERT_EQ(t.Messages.size(), 1u);
    EXPECT_NE(t.Messages[0].find("panne simulée"), std::string::npos);
    EXPECT_EQ(t.F->Debogueur()->Liste->topLevelItemCount(), 0);
    // The recovery document holds the moved vertex and evaluates to the same points.
    TDocument lu;
    ASSERT_TRUE(OuvrirFichier(lu, recup));
    ASSERT_EQ(lu.NbSurf(), t.Doc().NbSurf());
    MajSurface(lu, true, -1);
    const TEntity &a = t.Doc().Surf(0), &b = lu.Surf(0);
    const TNet &na = t.Doc().SurfNurbs(0)->Net, &nb = lu.SurfNurbs(0)->Net;
    EXPECT_NEAR(nb.PC[1][1].X, na.PC[1][1].X, 5e-5);
    EXPECT_NEAR(nb.PC[1][1].Z, na.PC[1][1].Z, 5e-5);
    ASSERT_EQ(a.NbLnPt, b.NbLnPt);
    ASSERT_EQ(a.NbColPt, b.NbColPt);
    for (int i = 0; i < a.NbLnPt; i++)
      for (int j = 0; j < a.NbColPt; j++) {
        EXPECT_NEAR(a.Pts[i][j].X, b.Pts[i][j].X, 1e-4) << i << " " << j;
        EXPECT_NEAR(a.Pts[i][j].Y, b.Pts[i][j].Y, 1e-4) << i << " " << j;
        EXPECT_NEAR(a.Pts[i][j].Z, b.Pts[i][j].Z, 1e-4) << i << " " << j;
      }
    // The log's line: the last procedure entered (the command's update), the message, and
    // the command among the last ten.
    const std::string l = PremiereLigne(log);
    EXPECT_NE(l.find(" : TEntity.MajBarycentre . panne simul\xE9"
                     "e . Stack = TEntity.MajBarycentre | "),
              std::string::npos)
        << l;
    EXPECT_NE(l.find(" | TTestForm.Panne | "), std::string::npos) << l;
    // The program goes on, drawing again.
    EXPECT_TRUE(t.F->DessinPermis());
    EXPECT_TRUE(t.F->Lance("MeAgrandir"));
    EXPECT_EQ(t.Messages.size(), 1u);
  }
  std::remove(recup.c_str());
  QDir::setCurrent(avant);
}

// Dark pixels (text) in the list, below its header and above the status bar.
int TexteListe(const QImage& im) {
  int n = 0;
  for (int y = 70; y < im.height() - 30; y++)
    for (int x = 0; x < im.width(); x++) n += qGray(im.pixel(x, y)) < 100;
  return n;
}

TEST(DebugForm, PicturedWithTheEntriesOfTheFilesOpening) {
  QTemporaryDir d;
  auto photo = [&](const QString& nom, QStringList fichier) {
    const QString png = d.filePath(nom);
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    p.start(BRIVANE_GUI_EXE, QStringList{"--screenshot", png, "--window", "debug"} + fichier);
    EXPECT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return QImage(png);
  };
  QImage vide = photo("vide.png", {});
  QImage lu = photo("lu.png", {BRIVANE_SAMPLES "/Voilier11.kvb"});
  ASSERT_FALSE(lu.isNull());
  ASSERT_EQ(lu.size(), vide.size());
  EXPECT_GE(lu.width(), 560);  // every column in view
  // The reading of the file put its rows in the list; a start without a file did not.
  EXPECT_GT(TexteListe(lu), TexteListe(vide) + 200);
}

}  // namespace
