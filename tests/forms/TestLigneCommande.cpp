// The program's command line: several files, names with blanks, debug switches, screenshots.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "app/LigneCommande.h"

namespace {

TEST(CommandLine, SeveralFilesAndAnUnquotedNameWithBlanks) {
  QTemporaryDir d;
  const std::string dossier = d.path().toStdString();
  for (const char* nom : {"Mon bateau v2.kvb", "a.kvb", "b.kvb"}) {
    QFile f(d.filePath(nom));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
  // Each name a file: each a document, the first opened.
  TLigneCommande l = AnalyseLigneCommande({dossier + "/a.kvb", dossier + "/b.kvb"});
  EXPECT_EQ(l.Fichiers, (std::vector<std::string>{dossier + "/a.kvb", dossier + "/b.kvb"}));
  EXPECT_EQ(l.Fichier, dossier + "/a.kvb");
  EXPECT_FALSE(l.Fusion);
  EXPECT_TRUE(AnalyseLigneCommande({"--merge", "x.kvb", "y.kvb"}).Fusion);
  // Words that are no files but together name one: that file, as the shell split it.
  l = AnalyseLigneCommande({dossier + "/Mon", "bateau", "v2.kvb"});
  EXPECT_EQ(l.Fichiers, (std::vector<std::string>{dossier + "/Mon bateau v2.kvb"}));
  EXPECT_FALSE(l.Debug);
  EXPECT_EQ(l.Port, 4444);
  EXPECT_FALSE(l.Capture);
  // Neither: the names as given (the open says which is missing).
  EXPECT_EQ(AnalyseLigneCommande({"x.kvb", "y.kvb"}).Fichiers.size(), 2u);
  // A picture of one design has nobody to ask about the second.
  EXPECT_NE(AnalyseLigneCommande({"--screenshot", "o.png", "x.kvb", "y.kvb"}).Erreur.find("--merge"),
            std::string::npos);
  EXPECT_EQ(AnalyseLigneCommande({"--screenshot", "o.png", "--merge", "x.kvb", "y.kvb"}).Erreur, "");
}

TEST(CommandLine, VersionAndOptionsOfNobody) {
  EXPECT_TRUE(AnalyseLigneCommande({"--version"}).Version);
  EXPECT_TRUE(AnalyseLigneCommande({"a.kvb", "-v"}).Version);
  // Qt's options are still there before the application takes them: the early look only
  // tells help, version and pictures.
  TLigneCommande pre = PreAnalyseLigneCommande({"-style", "fusion", "--screenshot", "o.png", "a.kvb"});
  EXPECT_TRUE(pre.Capture);
  EXPECT_FALSE(pre.Aide || pre.Version);
  EXPECT_TRUE(PreAnalyseLigneCommande({"-platform", "xcb", "--version"}).Version);
  // An option nobody knows is no file name; after "--" anything is one.
  EXPECT_NE(AnalyseLigneCommande({"--bogus", "a.kvb"}).Erreur.find("bogus"), std::string::npos);
  TLigneCommande l = AnalyseLigneCommande({"--", "-D.kvb"});
  EXPECT_EQ(l.Erreur, "");
  EXPECT_EQ(l.Fichier, "-D.kvb");
  EXPECT_NE(AideLigneCommande().find("--lang <NAME|FILE>"), std::string::npos);
}

TEST(CommandLine, HelpIsNoFileName) {
  for (const char* a : {"--help", "-h"}) {
    TLigneCommande l = AnalyseLigneCommande({a});
    EXPECT_TRUE(l.Aide) << a;
    EXPECT_EQ(l.Fichier, "") << a;
  }
  EXPECT_FALSE(AnalyseLigneCommande({"help.kvb"}).Aide);
}

TEST(CommandLine, DebugAndPortAreTakenOut) {
  TLigneCommande l = AnalyseLigneCommande({"coque.kvb", "-d", "-p", "5000"});
  EXPECT_EQ(l.Fichier, "coque.kvb");
  EXPECT_TRUE(l.Debug);
  EXPECT_EQ(l.Port, 5000);
  // The order does not matter, and a name with a blank is joined back.
  l = AnalyseLigneCommande({"-d", "-p", "5000", "My Boat.kvb"});
  EXPECT_TRUE(l.Erreur.empty()) << l.Erreur;
  EXPECT_TRUE(l.Debug);
  EXPECT_EQ(l.Port, 5000);
  EXPECT_EQ(l.Fichier, "My Boat.kvb");
  l = AnalyseLigneCommande({"-d", "My Boat.kvb"});
  EXPECT_EQ(l.Port, 4444);
  EXPECT_EQ(l.Fichier, "My Boat.kvb");
  // Case-sensitive: "-D" is no debug switch.
  EXPECT_FALSE(AnalyseLigneCommande({"-D"}).Debug);
  EXPECT_NE(AnalyseLigneCommande({"-D"}).Erreur, "");
}

TEST(CommandLine, ABadPortIsRefusedWithoutEatingTheFileName) {
  for (std::vector<std::string> args : std::vector<std::vector<std::string>>{{"-d", "-p"},
                                                                             {"-p", "coque.kvb"},
                                                                             {"-p", "12x", "a.kvb"},
                                                                             {"-p", "0"},
                                                                             {"-p", "65536"},
                                                                             {"-p", "-5"}}) {
    TLigneCommande l = AnalyseLigneCommande(args);
    EXPECT_NE(l.Erreur.find("-p"), std::string::npos) << args.back();
    EXPECT_NE(l.Erreur.find("port"), std::string::npos) << l.Erreur;
  }
  EXPECT_NE(AnalyseLigneCommande({"-p", "coque.kvb"}).Erreur.find("coque.kvb"), std::string::npos);
  EXPECT_EQ(AnalyseLigneCommande({"-p", "65535"}).Port, 65535);
  EXPECT_EQ(AnalyseLigneCommande({"-p", "1"}).Port, 1);
}

TEST(CommandLine, ScreenshotOptions) {
  TLigneCommande l =
      AnalyseLigneCommande({"--screenshot", "out.png", "--size", "800x600", "--window", "Plan", "y.kvb"});
  EXPECT_TRUE(l.Capture);
  EXPECT_EQ(l.CaptureSortie, "out.png");
  EXPECT_EQ(l.Largeur, 800);
  EXPECT_EQ(l.Hauteur, 600);
  EXPECT_EQ(TypeVueParNom(l.Fenetre), 1);
  EXPECT_EQ(l.Fichier, "y.kvb");
  EXPECT_TRUE(l.Erreur.empty());
  EXPECT_FALSE(AnalyseLigneCommande({"--screenshot"}).Erreur.empty());
  EXPECT_FALSE(AnalyseLigneCommande({"--screenshot", "a.png", "--size", "800"}).Erreur.empty());
  EXPECT_FALSE(AnalyseLigneCommande({"--screenshot", "a.png", "--size", "10x10"}).Erreur.empty());
  EXPECT_FALSE(AnalyseLigneCommande({"--screenshot", "a.png", "--window", "atelier"}).Erreur.empty());
  l = AnalyseLigneCommande({"--screenshot", "a.png", "--window", "studio", "--curvature", "Mon bateau.kvb"});
  EXPECT_TRUE(l.Erreur.empty()) << l.Erreur;
  EXPECT_EQ(l.Fenetre, "studio");
  EXPECT_TRUE(l.Courbure);
  EXPECT_EQ(l.Fichier, "Mon bateau.kvb");
  EXPECT_FALSE(AnalyseLigneCommande({"--screenshot", "a.png", "b.kvb"}).Courbure);
  // The diagnostics window is debug mode's: its picture switches that mode on.
  EXPECT_TRUE(AnalyseLigneCommande({"--screenshot", "a.png", "--window", "Debug", "b.kvb"}).Debug);
  EXPECT_FALSE(AnalyseLigneCommande({"--screenshot", "a.png", "--window", "plan", "b.kvb"}).Debug);
  EXPECT_EQ(FindInParams({"a", "-d", "-d"}, "-d"), 1);
  EXPECT_EQ(FindInParams({"a"}, "-d"), -1);
}

}  // namespace

TEST(CommandLine, LanguageFileForTheScreenshot) {
  TLigneCommande lc =
      AnalyseLigneCommande({"--screenshot", "o.png", "--lang", "lang_English.dat", "My Boat.kvb"});
  EXPECT_EQ(lc.Erreur, "");
  EXPECT_EQ(lc.Langue, "lang_English.dat");
  EXPECT_EQ(lc.Fichier, "My Boat.kvb");
  EXPECT_NE(AnalyseLigneCommande({"--lang"}).Erreur, "");
  // Printing: the window's name and the output follow the option, wherever it stands.
  lc = AnalyseLigneCommande({"b.kvb", "--print", "hydrostat", "h.pdf"});
  EXPECT_EQ(lc.Erreur, "");
  EXPECT_TRUE(lc.Impression);
  EXPECT_EQ(lc.Fenetre, "hydrostat");
  EXPECT_EQ(lc.CaptureSortie, "h.pdf");
  EXPECT_EQ(lc.Fichiers, std::vector<std::string>{"b.kvb"});
  EXPECT_NE(AnalyseLigneCommande({"--print", "hydrostat"}).Erreur, "");
}
