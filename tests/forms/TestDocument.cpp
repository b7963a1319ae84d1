// The document's life in the main window: new, open, save, save as, close and quit,
// with the questions asked and the rule that a designer's work is never lost.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCloseEvent>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "Aide.h"
#include "Fenetre.h"
#include "document/GestFich.h"

namespace {

// How many of the messages hold `part`.
int Contenant(const std::vector<std::string>& messages, const std::string& part) {
  return static_cast<int>(std::count_if(messages.begin(), messages.end(), [&](const std::string& m) {
    return m.find(part) != std::string::npos;
  }));
}

void Modifie(FenetreTest& t) {
  t.Doc().SurfNurbs(0)->Net.PC[0][0].X += 0.1;
  t.Doc().MarqueModifie();
}

TEST(DocumentLife, NewWithModifiedDocumentAnsweredCancelLeavesItUntouched) {
  FenetreTest t;
  Modifie(t);
  double x = t.Doc().SurfNurbs(0)->Net.PC[0][0].X;
  t.Reponses = {mrCancel};
  EXPECT_FALSE(t.F->Nouveau());
  EXPECT_TRUE(t.A_Vu("Voulez-vous sauvegarder les modifications ?"));
  EXPECT_TRUE(t.Doc().Modifie);
  EXPECT_EQ(t.Doc().SurfNurbs(0)->Net.PC[0][0].X, x);
}

TEST(DocumentLife, NewAfterAFailedOrCancelledSaveKeepsTheDocument) {
  FenetreTest t;
  Modifie(t);
  // Yes, then the save dialog is cancelled.
  t.Reponses = {mrYes};
  t.Choix = {""};
  EXPECT_FALSE(t.F->Nouveau());
  EXPECT_TRUE(t.Doc().Modifie);
  EXPECT_EQ(t.Doc().NbSurf(), 1);
  // Yes, a name, and the write fails: still open, still modified, no name taken.
  t.Disque.EcritureOk = false;
  t.Reponses = {mrYes};
  t.Choix = {"/bateaux/nouveau.kvb"};
  EXPECT_FALSE(t.F->Nouveau());
  EXPECT_TRUE(t.Doc().Modifie);
  EXPECT_EQ(t.Doc().NomFichier, "");
  EXPECT_TRUE(t.A_Vu("Erreur d'écriture de /bateaux/nouveau.kvb"));
  // Yes, and the write succeeds: saved, then the new document.
  t.Disque.EcritureOk = true;
  t.Reponses = {mrYes};
  t.Choix = {"/bateaux/nouveau.kvb"};
  EXPECT_TRUE(t.F->Nouveau());
  EXPECT_EQ(t.Disque.Ecrits, (std::vector<std::string>{"/bateaux/nouveau.kvb"}));
  EXPECT_FALSE(t.Doc().Modifie);
  EXPECT_EQ(t.Doc().NomFichier, "");
  ASSERT_EQ(t.Doc().NbSurf(), 1);
  EXPECT_EQ(t.Doc().Surf(0).Nom, "Surface 1");
  EXPECT_EQ(t.F->windowTitle(), "Brivane");
}

TEST(DocumentLife, QuitWithModifiedNamedDocumentAnsweredYesSavesAndCloses) {
  FenetreTest t;
  t.Choix = {"/bateaux/yacht.kvb"};
  t.Reponses = {mrYes};  // close the current drawing
  ASSERT_TRUE(t.F->Ouvrir());
  Modifie(t);
  t.Reponses = {mrYes};
  QCloseEvent e;
  QApplication::sendEvent(t.F.get(), &e);
  EXPECT_TRUE(e.isAccepted());
  EXPECT_TRUE(t.A_Vu("Voulez-vous sauvegarder les modifications dans yacht.kvb ?"));
  EXPECT_EQ(t.Disque.Ecrits, (std::vector<std::string>{"/bateaux/yacht.kvb"}));
  EXPECT_FALSE(t.Doc().Modifie);
}

TEST(DocumentLife, QuitCancelledOrWithAFailedSaveKeepsTheProgramOpen) {
  FenetreTest t;
  Modifie(t);
  t.Reponses = {mrCancel};
  QCloseEvent e1;
  QApplication::sendEvent(t.F.get(), &e1);
  EXPECT_FALSE(e1.isAccepted());
  t.Disque.EcritureOk = false;
  t.Reponses = {mrYes};
  t.Choix = {"/bateaux/a.kvb"};
  QCloseEvent e2;
  QApplication::sendEvent(t.F.get(), &e2);
  EXPECT_FALSE(e2.isAccepted());
  EXPECT_TRUE(t.Doc().Modifie);
  t.Reponses = {mrNo};
  QCloseEvent e3;
  QApplication::sendEvent(t.F.get(), &e3);
  EXPECT_TRUE(e3.isAccepted());
}

TEST(DocumentLife, OpenAnsweredNoAddsTheFileSurfacesToTheCurrentDocument) {
  FenetreTest t;
  t.Reponses = {mrNo};
  t.Choix = {"/bateaux/yacht.kvb"};
  ASSERT_TRUE(t.F->Ouvrir());
  EXPECT_EQ(Contenant(t.Messages, "Voulez-vous fermer le dessin courant ?"), 1);
  ASSERT_EQ(t.Doc().NbSurf(), 4);
  EXPECT_EQ(t.Doc().Surf(0).Nom, "Surface1");
  EXPECT_EQ(t.Doc().Surf(1).Nom, "Coque");
  EXPECT_EQ(t.Doc().Surf(3).NumSurf, 3);
  EXPECT_TRUE(t.Doc().Modifie);  // the merged document is in no file yet
  EXPECT_TRUE(t.Doc().Surf(3).Calculee);
}

TEST(DocumentLife, OpenAnsweredYesReplacesTheDocumentAndFitsTheViews) {
  FenetreTest t;
  float avant = t.Vue(tvProfil).Cadrage.Param.Echelle;
  t.Reponses = {mrYes};
  t.Choix = {"/bateaux/yacht.kvb"};
  ASSERT_TRUE(t.F->Ouvrir());
  EXPECT_EQ(t.Doc().NbSurf(), 3);
  EXPECT_EQ(t.Doc().NomFichier, "/bateaux/yacht.kvb");
  EXPECT_FALSE(t.Doc().Modifie);
  EXPECT_EQ(t.F->windowTitle(), "Brivane - yacht.kvb");
  EXPECT_NE(t.Vue(tvProfil).Cadrage.Param.Echelle, avant);
  // The save button follows the modified state.
  auto* sb = t.F->BarreOutils()->findChild<QToolButton*>("SBEnregistrer");
  EXPECT_FALSE(sb->isEnabled());
  Modifie(t);
  EXPECT_TRUE(sb->isEnabled());
}

TEST(DocumentLife, AReaderThatThrowsIsReportedOnceAndLeavesTheDocument) {
  FenetreTest t;
  t.Disque.Fichiers["/bateaux/lance.kvb"] = [](TDocument&) {
    throw std::runtime_error("Lecture interrompue");
  };
  EXPECT_FALSE(t.F->OuvrirFichier("/bateaux/lance.kvb", false, false));
  EXPECT_EQ(std::count(t.Messages.begin(), t.Messages.end(), "Lecture interrompue"), 1);
  ASSERT_EQ(t.Doc().NbSurf(), 1);
  EXPECT_EQ(t.Doc().Surf(0).Nom, "Surface1");
  EXPECT_EQ(t.Disque.Lectures, 1);
}

TEST(DocumentLife, AFileThatFailsToOpenLeavesTheDocumentAsItWas) {
  FenetreTest t;
  Modifie(t);
  double x = t.Doc().SurfNurbs(0)->Net.PC[0][0].X;
  // Yes to closing, No to saving, then a file that cannot be read.
  t.Reponses = {mrYes, mrNo};
  t.Choix = {"/bateaux/absent.kvb"};
  EXPECT_FALSE(t.F->Ouvrir());
  EXPECT_TRUE(t.A_Vu("Le fichier /bateaux/absent.kvb est introuvable"));
  ASSERT_EQ(t.Doc().NbSurf(), 1);
  EXPECT_EQ(t.Doc().SurfNurbs(0)->Net.PC[0][0].X, x);
  EXPECT_TRUE(t.Doc().Modifie);
  // Cancelling the file dialog changes nothing either.
  t.Reponses = {mrNo};
  t.Choix = {""};
  EXPECT_FALSE(t.F->Ouvrir());
  EXPECT_EQ(t.Doc().NbSurf(), 1);
}

TEST(DocumentLife, TheReadersOwnMessagesAreShownOnce) {
  FenetreTest t;
  t.Reponses = {mrYes};
  t.Choix = {"/bateaux/ancien.kvb"};
  ASSERT_TRUE(t.F->Ouvrir());
  EXPECT_EQ(std::count(t.Messages.begin(), t.Messages.end(), "Version ancienne"), 1);
  EXPECT_EQ(t.Doc().Surf(0).Nom, "Ancienne");
  t.Reponses = {mrYes};
  t.Choix = {"/bateaux/abime.kvb"};
  EXPECT_FALSE(t.F->Ouvrir());
  EXPECT_EQ(std::count(t.Messages.begin(), t.Messages.end(), "Fichier abîmé"), 1);
  EXPECT_EQ(t.Doc().Surf(0).Nom, "Ancienne");
}

TEST(DocumentLife, StartupFileIsReadAndABadOneKeepsTheDefaultDocument) {
  {
    TLigneCommande lc;
    lc.Fichier = "/bateaux/yacht.kvb";
    FenetreTest t(lc);
    EXPECT_EQ(t.Doc().NbSurf(), 3);
    EXPECT_TRUE(t.F->ErreurOuverture().empty());
  }
  TLigneCommande lc;
  lc.Fichier = "/bateaux/autre bateau.kvb";
  FenetreTest t(lc);
  EXPECT_EQ(t.Doc().NbSurf(), 1);
  EXPECT_EQ(t.Doc().Surf(0).Nom, "Surface1");
  EXPECT_EQ(t.F->ErreurOuverture(), "Le fichier /bateaux/autre bateau.kvb est introuvable");
}

TEST(DocumentLife, SaveAsFailureKeepsTheOldNameAndSaveUsesTheName) {
  FenetreTest t;
  t.Reponses = {mrYes};
  t.Choix = {"/bateaux/yacht.kvb"};
  ASSERT_TRUE(t.F->Ouvrir());
  t.Disque.EcritureOk = false;
  t.Choix = {"/bateaux/copie.kvb"};
  EXPECT_FALSE(t.F->EnregistrerSous());
  EXPECT_EQ(t.Doc().NomFichier, "/bateaux/yacht.kvb");
  EXPECT_EQ(t.F->windowTitle(), "Brivane - yacht.kvb");
  t.Disque.EcritureOk = true;
  t.Choix = {"/bateaux/copie.kvb"};
  EXPECT_TRUE(t.F->EnregistrerSous());
  EXPECT_EQ(t.F->windowTitle(), "Brivane - copie.kvb");
  Modifie(t);
  t.A("MeEnregistrer")->trigger();
  EXPECT_EQ(t.Disque.Ecrits, (std::vector<std::string>{"/bateaux/copie.kvb", "/bateaux/copie.kvb"}));
  EXPECT_FALSE(t.Doc().Modifie);
  // The views' placements go with the document.
  EXPECT_EQ(t.Doc().Vues[tvPlan].Echelle, t.Vue(tvPlan).Cadrage.Param.Echelle);
}

TEST(DocumentLife, CloseEmptiesTheDocument) {
  FenetreTest t;
  t.A("MeSauverVue")->trigger();
  t.Reponses = {mrNo};
  t.A("MeFermer")->trigger();
  EXPECT_EQ(t.Doc().NbSurf(), 0);
  EXPECT_FALSE(t.Doc().Modifie);
  EXPECT_FALSE(t.Doc().VuesPerso[t.Doc().VueActive].Sauvee);
  // Views of an empty document still draw (axes only).
  EXPECT_FALSE(t.Vue(tvPlan).Liste().Elements.empty());
  // Open now asks nothing: there is no drawing to close.
  t.Choix = {"/bateaux/plan.kvb"};
  size_t n = t.Messages.size();
  ASSERT_TRUE(t.F->Ouvrir());
  EXPECT_EQ(t.Messages.size(), n);
  EXPECT_EQ(t.Doc().NbSurf(), 1);
}

}  // namespace

namespace {

TEST(DocumentLife, APartialReadReplacesTheDesignOnlyWhenTheUserSaysSo) {
  FenetreTest t;
  Modifie(t);
  const double x = t.Doc().SurfNurbs(0)->Net.PC[0][0].X;
  // Open a new file without saving (merge declined), then No to the partial read.
  t.Reponses = {mrYes, mrNo, mrNo};
  t.Choix = {"/bateaux/partiel.kvb"};
  EXPECT_FALSE(t.F->Ouvrir());
  EXPECT_EQ(Contenant(t.Messages, "- Lu en partie"), 1);
  EXPECT_EQ(t.Disque.Lectures, 1);
  ASSERT_EQ(t.Doc().NbSurf(), 1);
  EXPECT_EQ(t.Doc().Surf(0).Nom, "Surface1");
  EXPECT_EQ(t.Doc().SurfNurbs(0)->Net.PC[0][0].X, x);
  EXPECT_TRUE(t.Doc().Modifie);
  EXPECT_TRUE(t.Doc().NomFichier.empty());
  // Yes: what could be read opens under the file's name, asked once.
  t.Messages.clear();
  t.Reponses = {mrYes, mrNo, mrYes};
  t.Choix = {"/bateaux/partiel.kvb"};
  ASSERT_TRUE(t.F->Ouvrir());
  EXPECT_EQ(Contenant(t.Messages, "- Lu en partie"), 1);
  EXPECT_EQ(t.Disque.Lectures, 2);
  EXPECT_EQ(t.Doc().Surf(0).Nom, "Partielle");
  EXPECT_EQ(t.Doc().FichierLuAvecErreurs, "/bateaux/partiel.kvb");
}

TEST(DocumentLife, SaveAfterCloseWritesNothingAndAsksForNoName) {
  FenetreTest t;
  t.Reponses = {mrNo};
  t.A("MeFermer")->trigger();
  ASSERT_EQ(t.Doc().NbSurf(), 0);
  t.Choix = {"/bateaux/vide.kvb"};
  t.A("MeEnregistrer")->trigger();
  EXPECT_TRUE(t.Disque.Ecrits.empty());
  EXPECT_EQ(t.Choix.size(), 1u);  // no save dialog was shown
}

TEST(DocumentLife, NewDocumentGetsTheStandardGridAndFittedViews) {
  FenetreTest t;
  t.Reponses = {mrYes};
  t.Choix = {"/bateaux/yacht.kvb"};
  ASSERT_TRUE(t.F->Ouvrir());
  const float echelleYacht = t.Vue(tvPlan).Cadrage.Param.Echelle;
  ASSERT_TRUE(t.F->Nouveau());
  const TGrille& g = t.Doc().Grille;
  ASSERT_EQ(g.NbSec, 11);
  // The sections run along the new surface, not all at 0, and each one inside cuts it.
  double ymin = 1e9, ymax = -1e9;
  const TEntity& s = t.Doc().Surf(0);
  for (const auto& l : s.Pts)
    for (const auto& p : l) ymin = std::min(ymin, p.Y), ymax = std::max(ymax, p.Y);
  EXPECT_GE(g.PosSec[0], ymin - 1e-3);
  EXPECT_LE(g.PosSec[10], ymax + 1e-3);
  EXPECT_GT(g.PosSec[10] - g.PosSec[0], (ymax - ymin) / 2);
  ASSERT_EQ(s.Sec.size(), 11u);
  for (int i = 1; i < 10; i++) EXPECT_FALSE(s.Sec[i].empty()) << i;
  // The views frame the new surface, not the yacht.
  EXPECT_NE(t.Vue(tvPlan).Cadrage.Param.Echelle, echelleYacht);
}

TEST(DocumentLife, TitleShowsTheModifiedMark) {
  FenetreTest t;
  t.Reponses = {mrYes};
  t.Choix = {"/bateaux/yacht.kvb"};
  ASSERT_TRUE(t.F->Ouvrir());
  EXPECT_EQ(t.F->windowTitle(), "Brivane - yacht.kvb");
  Modifie(t);
  EXPECT_EQ(t.F->windowTitle(), "Brivane - yacht.kvb*");
  t.A("MeEnregistrer")->trigger();
  EXPECT_EQ(t.F->windowTitle(), "Brivane - yacht.kvb");
}

// The program's own reader on a real file that lost a surface, opened by the command.
TEST(DocumentLife, ADamagedFileIsReadOnceAndTheUserAskedOnce) {
  namespace fs = std::filesystem;
  const fs::path dossier = fs::temp_directory_path() / ("brivane_ouvrir_" + std::to_string(::getpid()));
  fs::create_directories(dossier);
  std::ifstream in(std::string(BRIVANE_SAMPLES) + "/Voilier11.kvb", std::ios::binary);
  std::string t((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const size_t b = t.find("[SURF1]");
  ASSERT_NE(b, std::string::npos);
  t.replace(t.find("[NbL]\r\n7", b), 9, "[NbL]\r\n0");
  const size_t nbc = t.find("[NbC]\r\n4", b);
  t.replace(nbc, 9, "[NbC]\r\n0");
  const int ligne =
      2 + static_cast<int>(std::count(t.begin(), t.begin() + static_cast<std::ptrdiff_t>(nbc), '\n'));
  const std::string chemin = (dossier / "abime.kvb").string();
  std::ofstream(chemin, std::ios::binary) << t;

  FenetreTest w({}, true);
  Modifie(w);
  const double x = w.Doc().SurfNurbs(0)->Net.PC[0][0].X;
  const QString titre = w.F->windowTitle();
  // Yes to closing, No to saving, then No to taking what could be read.
  w.Messages.clear();
  w.Reponses = {mrYes, mrNo, mrNo};
  w.Choix = {QString::fromStdString(chemin)};
  EXPECT_TRUE(w.F->Lance("MeOuvrir"));
  EXPECT_EQ(w.Disque.Lectures, 1);
  ASSERT_EQ(w.Messages.size(), 3u) << ::testing::PrintToString(w.Messages);
  EXPECT_EQ(Contenant(w.Messages, "n'a pu être lu qu'en partie"), 1);
  const std::string& q = w.Messages[2];
  EXPECT_NE(q.find("Le fichier " + chemin + " n'a pu être lu qu'en partie (1 surface(s) lue(s))"),
            std::string::npos)
      << q;
  EXPECT_NE(q.find("- Erreur de lecture du fichier; NbVxi & NbVxj <=0 - Surf1 (fichier " + chemin +
                   ", ligne " + std::to_string(ligne) + ")"),
            std::string::npos)
      << q;
  EXPECT_NE(q.find("Ouvrir ce qui a pu être lu ?"), std::string::npos) << q;
  // Declined: the design is as it was, unsaved work included.
  ASSERT_EQ(w.Doc().NbSurf(), 1);
  EXPECT_EQ(w.Doc().Surf(0).Nom, "Surface1");
  EXPECT_EQ(w.Doc().SurfNurbs(0)->Net.PC[0][0].X, x);
  EXPECT_TRUE(w.Doc().Modifie);
  EXPECT_TRUE(w.Doc().NomFichier.empty());
  EXPECT_EQ(w.F->windowTitle(), titre);

  // Taken: one more read, one more question, and the part read opens under the file's name.
  w.Messages.clear();
  w.Reponses = {mrYes, mrNo, mrYes};
  w.Choix = {QString::fromStdString(chemin)};
  EXPECT_TRUE(w.F->Lance("MeOuvrir"));
  EXPECT_EQ(w.Disque.Lectures, 2);
  EXPECT_EQ(Contenant(w.Messages, "n'a pu être lu qu'en partie"), 1);
  EXPECT_EQ(w.Messages.size(), 3u) << ::testing::PrintToString(w.Messages);
  ASSERT_EQ(w.Doc().NbSurf(), 1);
  EXPECT_EQ(w.Doc().Surf(0).Nom, "Coque");
  EXPECT_EQ(w.Doc().NomFichier, chemin);
  EXPECT_EQ(w.Doc().FichierLuAvecErreurs, chemin);
  EXPECT_FALSE(w.Doc().Modifie);
  EXPECT_EQ(w.F->windowTitle(), "Brivane - abime.kvb");
  fs::remove_all(dossier);
}

// A scratch folder of real files for the program's own reader and writer.
struct DossierDisque {
  std::filesystem::path Dossier;
  DossierDisque() {
    Dossier = std::filesystem::temp_directory_path() /
              ("brivane_disque_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(Dossier);
    std::filesystem::create_directories(Dossier);
  }
  ~DossierDisque() {
    std::error_code ec;
    std::filesystem::remove_all(Dossier, ec);
  }
  std::string Chemin(const std::string& nom) const { return (Dossier / nom).string(); }
  static std::string Lit(const std::string& chemin) {
    std::ifstream in(chemin, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  std::string Copie(const std::string& echantillon, const std::string& nom) const {
    std::ofstream(Chemin(nom), std::ios::binary) << Lit(std::string(BRIVANE_SAMPLES) + "/" + echantillon);
    return Chemin(nom);
  }
};

// A file that lost its section ends opens only when the user says so, and is not
// written over with the part that was read unless the user says so again.
TEST(DocumentLife, AFileWithoutItsSectionEndsIsNeverTakenSilently) {
  DossierDisque d;
  std::string t = DossierDisque::Lit(std::string(BRIVANE_SAMPLES) + "/Deriveur42.kvb");
  for (size_t p = t.find("[END]\r\n"); p != std::string::npos; p = t.find("[END]\r\n")) t.erase(p, 7);
  const std::string chemin = d.Chemin("sans_fin.kvb");
  std::ofstream(chemin, std::ios::binary) << t;

  FenetreTest w({}, true);
  w.Reponses = {mrYes, mrNo};  // close the drawing; do not take the part read
  w.Choix = {QString::fromStdString(chemin)};
  w.F->Lance("MeOuvrir");
  EXPECT_EQ(Contenant(w.Messages, "n'a pu être lu qu'en partie"), 1) << ::testing::PrintToString(w.Messages);
  EXPECT_EQ(Contenant(w.Messages, "n'a pas de [END]"), 1);
  EXPECT_TRUE(w.Doc().NomFichier.empty());
  ASSERT_EQ(w.Doc().NbSurf(), 1);

  w.Messages.clear();
  w.Reponses = {mrYes, mrYes};  // taken this time
  w.Choix = {QString::fromStdString(chemin)};
  w.F->Lance("MeOuvrir");
  ASSERT_EQ(w.Doc().NomFichier, chemin);
  // Save: the question before the file is replaced; No keeps every byte of it.
  w.Messages.clear();
  w.Reponses = {mrNo};
  w.F->Lance("MeEnregistrer");
  EXPECT_EQ(Contenant(w.Messages, "ouvert avec des erreurs de lecture"), 1)
      << ::testing::PrintToString(w.Messages);
  EXPECT_EQ(DossierDisque::Lit(chemin), t);
}

// "No" to closing merges: the question says so, and the mixture is no longer the
// first file's: Save asks for a name instead of writing over it.
TEST(DocumentLife, AMergedDesignIsSavedOnlyUnderANameTheUserGives) {
  DossierDisque d;
  const std::string a = d.Copie("Deriveur42.kvb", "a.kvb");
  TDocument un;
  NouvelleSurface(un, "Seule", 1, {});
  MajSurface(un, true, -1);
  un.NomFichier = d.Chemin("b.kvb");
  ASSERT_TRUE(EnregistrerFichierAll(un));
  const std::string octetsA = DossierDisque::Lit(a);

  FenetreTest w({}, true);
  w.Reponses = {mrYes};
  w.Choix = {QString::fromStdString(a)};
  w.F->Lance("MeOuvrir");
  ASSERT_EQ(w.Doc().NomFichier, a);
  ASSERT_EQ(w.Doc().NbSurf(), 3);
  w.Messages.clear();
  w.Reponses = {mrNo};
  w.Choix = {QString::fromStdString(d.Chemin("b.kvb"))};
  w.F->Lance("MeOuvrir");
  ASSERT_EQ(w.Doc().NbSurf(), 4);
  ASSERT_FALSE(w.Messages.empty());
  EXPECT_NE(w.Messages[0].find("Voulez-vous fermer le dessin courant ?"), std::string::npos);
  EXPECT_NE(w.Messages[0].find("Non : les surfaces du fichier sont ajoutées au dessin courant"),
            std::string::npos)
      << w.Messages[0];
  EXPECT_TRUE(w.Doc().NomFichier.empty());
  EXPECT_EQ(w.F->windowTitle(), "Brivane*");
  // Save asks for a name; cancelled, nothing is written anywhere.
  w.Choix = {""};
  w.F->Lance("MeEnregistrer");
  EXPECT_TRUE(w.Choix.empty());  // the save dialog was shown
  EXPECT_EQ(DossierDisque::Lit(a), octetsA);
  EXPECT_TRUE(w.Doc().Modifie);
}

TEST(DocumentLife, SavingOverAReadOnlyFileAsksFirstNamingIt) {
  DossierDisque d;
  const std::string a = d.Copie("Deriveur42.kvb", "a.kvb");
  FenetreTest w({}, true);
  w.Reponses = {mrYes};
  w.Choix = {QString::fromStdString(a)};
  w.F->Lance("MeOuvrir");
  ASSERT_EQ(w.Doc().NomFichier, a);
  std::filesystem::permissions(a, std::filesystem::perms(0444));
  const std::string avant = DossierDisque::Lit(a);
  Modifie(w);
  w.Messages.clear();
  w.Reponses = {mrNo};
  w.F->Lance("MeEnregistrer");
  ASSERT_EQ(w.Messages.size(), 1u) << ::testing::PrintToString(w.Messages);
  EXPECT_NE(w.Messages[0].find("Le fichier " + a + " est en lecture seule"), std::string::npos)
      << w.Messages[0];
  EXPECT_EQ(DossierDisque::Lit(a), avant);
  EXPECT_TRUE(w.Doc().Modifie);
  // Yes: written, and the file stays read-only.
  w.Reponses = {mrYes};
  w.F->Lance("MeEnregistrer");
  EXPECT_NE(DossierDisque::Lit(a), avant);
  EXPECT_FALSE(w.Doc().Modifie);
  EXPECT_EQ(std::filesystem::status(a).permissions() & std::filesystem::perms::all,
            std::filesystem::perms(0444));
}

// A save that fails says why once, in plain words, and leaves no file behind.
TEST(DocumentLife, SavingToAFolderSaysSoOnceAndLeavesNothing) {
  DossierDisque d;
  const std::string dossier = d.Chemin("coque.kvb");
  std::filesystem::create_directory(dossier);
  FenetreTest w({}, true);
  w.Doc().NomFichier = dossier;
  Modifie(w);
  w.Messages.clear();
  w.F->Lance("MeEnregistrer");
  ASSERT_EQ(w.Messages.size(), 1u) << ::testing::PrintToString(w.Messages);
  EXPECT_NE(w.Messages[0].find("ce nom est celui d'un dossier"), std::string::npos) << w.Messages[0];
  EXPECT_TRUE(w.Doc().Modifie);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(d.Dossier), {}), 1);
  EXPECT_TRUE(std::filesystem::is_empty(dossier));
}

TEST(DocumentLife, AFifoIsRefusedWithoutWaitingOnIt) {
  DossierDisque d;
  FifoSansEcrivain fifo(d.Chemin("tube.kvb"));
  ASSERT_TRUE(fifo.Cree);
  FenetreTest w({}, true);
  const std::string nom = w.Doc().Surf(0).Nom;
  w.Messages.clear();
  w.Reponses = {mrYes};
  w.Choix = {QString::fromStdString(fifo.Chemin)};
  w.F->Lance("MeOuvrir");
  EXPECT_EQ(fifo.Liberations, 0);
  EXPECT_EQ(Contenant(w.Messages, fifo.Chemin + " n'est pas un fichier ordinaire"), 1)
      << ::testing::PrintToString(w.Messages);
  ASSERT_EQ(w.Doc().NbSurf(), 1);
  EXPECT_EQ(w.Doc().Surf(0).Nom, nom);
}

}  // namespace
