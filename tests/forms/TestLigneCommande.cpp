// The program's command line: file names with blanks, debug switches, screenshots.
#include <gtest/gtest.h>

#include "app/LigneCommande.h"

namespace {

TEST(CommandLine, UnquotedFileNameWithBlanksIsJoinedBack) {
  TLigneCommande l = AnalyseLigneCommande({"Mon", "bateau", "v2.kvb"});
  EXPECT_EQ(l.Fichier, "Mon bateau v2.kvb");
  EXPECT_FALSE(l.Debug);
  EXPECT_EQ(l.Port, 4444);
  EXPECT_FALSE(l.Capture);
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
  l = AnalyseLigneCommande({"-d", "-p", "5000", "My", "Boat.kvb"});
  EXPECT_TRUE(l.Erreur.empty()) << l.Erreur;
  EXPECT_TRUE(l.Debug);
  EXPECT_EQ(l.Port, 5000);
  EXPECT_EQ(l.Fichier, "My Boat.kvb");
  l = AnalyseLigneCommande({"-d", "My Boat.kvb"});
  EXPECT_EQ(l.Port, 4444);
  EXPECT_EQ(l.Fichier, "My Boat.kvb");
  // Case-sensitive: "-D" is part of the name.
  EXPECT_EQ(AnalyseLigneCommande({"-D"}).Fichier, "-D");
  EXPECT_FALSE(AnalyseLigneCommande({"-D"}).Debug);
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
      AnalyseLigneCommande({"--screenshot", "o.png", "--lang", "lang_English.dat", "My", "Boat.kvb"});
  EXPECT_EQ(lc.Erreur, "");
  EXPECT_EQ(lc.Langue, "lang_English.dat");
  EXPECT_EQ(lc.Fichier, "My Boat.kvb");
  EXPECT_NE(AnalyseLigneCommande({"--lang"}).Erreur, "");
}
