// An error nothing caught, and a crash of the process: the design is kept in the
// recovery document, which opens with the same points, and a line heads Error.log.
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>

#include "FinCrash.h"
#include "Outils.h"
#include "base/Debug.h"
#include "document/GestionErreurs.h"

namespace {

namespace fs = std::filesystem;

class GestionErreurs : public TestAvecMessages {
 protected:
  void SetUp() override {
    TestAvecMessages::SetUp();
    Avant = fs::current_path();
    fs::current_path(Dossier);
    DebugConfig().Recepteur = [this](const TDbgEntree& e) { Entrees.push_back(e); };
    TraceRAZ();
  }
  void TearDown() override {
    DebugConfig() = TDebugConfig{};
    TraceRAZ();
    fs::current_path(Avant);
    TestAvecMessages::TearDown();
  }
  // A design being worked on: two surfaces, one vertex moved since it was last saved.
  void Dessin(TDocument& doc) {
    AjouteNurbs(doc, "Coque", 4, 5);
    AjouteNurbs(doc, "Quille", 3, 3);
    doc.NomFichier = Chemin("coque.kvb");
    doc.SurfNurbs(0)->Net.PC[2][3].X += 0.75;
    MajSurface(doc, true, -1);
    doc.MarqueModifie();
  }
  // The same control points and the same evaluated points, surface by surface.
  static void MemesPoints(const TDocument& a, TDocument& b) {
    ASSERT_EQ(a.NbSurf(), b.NbSurf());
    MajSurface(b, true, -1);
    for (int k = 0; k < a.NbSurf(); k++) {
      const TNet& na = static_cast<const TSurface&>(a.Surf(k)).Net;
      const TNet& nb = static_cast<const TSurface&>(b.Surf(k)).Net;
      ASSERT_EQ(na.NbLn, nb.NbLn);
      ASSERT_EQ(na.NbCol, nb.NbCol);
      for (int i = 0; i < na.NbLn; i++)
        for (int j = 0; j < na.NbCol; j++) {
          // The file keeps four decimals.
          EXPECT_NEAR(na.PC[i][j].X, nb.PC[i][j].X, 5e-5) << k << " " << i << " " << j;
          EXPECT_NEAR(na.PC[i][j].Y, nb.PC[i][j].Y, 5e-5);
          EXPECT_NEAR(na.PC[i][j].Z, nb.PC[i][j].Z, 5e-5);
        }
      const TEntity &ea = a.Surf(k), &eb = b.Surf(k);
      ASSERT_EQ(ea.NbLnPt, eb.NbLnPt);
      ASSERT_EQ(ea.NbColPt, eb.NbColPt);
      for (int i = 0; i < ea.NbLnPt; i++)
        for (int j = 0; j < ea.NbColPt; j++) {
          EXPECT_NEAR(ea.Pts[i][j].X, eb.Pts[i][j].X, 1e-4);
          EXPECT_NEAR(ea.Pts[i][j].Z, eb.Pts[i][j].Z, 1e-4);
        }
    }
  }
  std::string PremiereLigne(const std::string& chemin) {
    std::string t = LitFichier(chemin);
    return t.substr(0, t.find("\r\n"));
  }

  fs::path Avant;
  std::vector<TDbgEntree> Entrees;
};

TEST_F(GestionErreurs, DebugModeOffStillKeepsTheWorkAndLogsTheLine) {
  TDocument doc;
  Dessin(doc);
  DebugConfig().ModeDebug = false;
  TraceEntree("ObjCom.MajSurface");
  TraceEntree("TStabForm.CalcStab");
  TBilanErreur b = TraiteErreurNonRattrapee(doc, "division par zéro", Chemin("Error.log"), "recovery.kvb");
  // The trace starts afresh.
  EXPECT_EQ(Trace().Profondeur, 0);
  EXPECT_EQ(TraceDerniere(), "");
  EXPECT_FALSE(GestionErreurEnCours());
  EXPECT_TRUE(Entrees.empty());
  EXPECT_TRUE(Messages.empty());
  ASSERT_TRUE(b.RecuperationEcrite);
  EXPECT_EQ(b.CheminRecuperation, (Dossier / "recovery.kvb").string());
  // The design still belongs to its own file and still has to be saved.
  EXPECT_EQ(doc.NomFichier, Chemin("coque.kvb"));
  EXPECT_TRUE(doc.Modifie);
  TDocument lu;
  ASSERT_TRUE(OuvrirFichier(lu, b.CheminRecuperation));
  MemesPoints(doc, lu);
  // The line names what ran last, before the save's own procedures.
  ASSERT_TRUE(b.Log.Ecrit);
  const std::string l = PremiereLigne(Chemin("Error.log"));
  EXPECT_NE(l.find(" : TStabForm.CalcStab . division par z\xE9ro . Stack = TStabForm.CalcStab | "
                   "ObjCom.MajSurface | "),
            std::string::npos)
      << l;
  EXPECT_EQ(l.find("GestFich"), std::string::npos) << l;
}

TEST_F(GestionErreurs, InDebugModeTheErrorIsRecordedAndAFailedSaveToo) {
  TDocument doc;
  Dessin(doc);
  DebugConfig().ModeDebug = true;
  TraceEntree("Calcs.GetTriUnderDWL");
  ASSERT_TRUE(
      TraiteErreurNonRattrapee(doc, "boom", Chemin("Error.log"), Chemin("recovery.kvb")).RecuperationEcrite);
  ASSERT_EQ(Entrees.size(), 1u);
  EXPECT_EQ(TexteEnvoiDbg(Entrees[0]),
            "TMsgLong|erDivers|TMainForm.ExceptionHandler|2|2|Calcs.GetTriUnderDWL|boom|");
  // A second error after more work: the previous recovery file is kept as its backup.
  const std::string premier = LitFichier(Chemin("recovery.kvb"));
  doc.SurfNurbs(1)->Net.PC[0][0].Z = 3.5;
  ASSERT_TRUE(
      TraiteErreurNonRattrapee(doc, "boom", Chemin("Error.log"), Chemin("recovery.kvb")).RecuperationEcrite);
  EXPECT_EQ(LitFichier(Chemin("recovery.kvb.bak")), premier);
  EXPECT_NE(LitFichier(Chemin("recovery.kvb")), premier);
  Entrees.clear();
  // A recovery file that cannot be replaced: the failure is recorded, the log still written,
  // and nothing is shown.
  fs::remove(Dossier / "recovery.kvb");
  fs::create_directories(Dossier / "recovery.kvb" / "x");
  TBilanErreur b = TraiteErreurNonRattrapee(doc, "encore", Chemin("Error.log"), Chemin("recovery.kvb"));
  EXPECT_FALSE(b.RecuperationEcrite);
  // The save records why it failed (a folder stands there), then the handler its failure.
  ASSERT_EQ(Entrees.size(), 3u);
  EXPECT_NE(TexteEnvoiDbg(Entrees[0]).find("ce nom est celui d'un dossier"), std::string::npos)
      << TexteEnvoiDbg(Entrees[0]);
  EXPECT_EQ(TexteEnvoiDbg(Entrees[1]),
            "TMsgLong|erDivers|TMainForm.ExceptionHandler|0|1|Error writing recovery.kvb|");
  EXPECT_EQ(Entrees[2].Index, 2);
  EXPECT_TRUE(b.Log.Ecrit);
  EXPECT_NE(PremiereLigne(Chemin("Error.log")).find(" . encore . Stack = "), std::string::npos);
  EXPECT_TRUE(Messages.empty());
  EXPECT_TRUE(doc.Modifie);
}

TEST_F(GestionErreurs, ADesignWithNoSurfaceWritesOnlyTheLine) {
  TDocument doc;
  DebugConfig().ModeDebug = true;
  TBilanErreur b = TraiteErreurNonRattrapee(doc, "vide", Chemin("Error.log"), Chemin("recovery.kvb"));
  EXPECT_FALSE(b.RecuperationEcrite);
  EXPECT_FALSE(fs::exists(Dossier / "recovery.kvb"));
  ASSERT_EQ(Entrees.size(), 1u);  // no "Error writing": there was nothing to write
  EXPECT_TRUE(b.Log.Ecrit);
}

// Where the windows' last step of a crash save leaves its mark: the design's name, and
// whether the recovery file was already whole when it ran.
std::string MarqueApresCrash;
void NoteApresCrash(const TDocument& doc) {
  TDocument lu;
  const bool complet = OuvrirFichier(lu, "crash.kvb") && lu.NbSurf() == doc.NbSurf();
  std::FILE* f = std::fopen(MarqueApresCrash.c_str(), "w");
  std::fprintf(f, "%s %d", doc.NomFichier.c_str(), complet ? 1 : 0);
  std::fclose(f);
}

TEST_F(GestionErreurs, ACrashOfTheProcessLeavesADocumentThatOpens) {
  TDocument doc;
  Dessin(doc);
  const std::string recup = Chemin("crash.kvb"), log = Chemin("Error.log");
  MarqueApresCrash = Chemin("apres.txt");
  EXPECT_EXIT(
      {
        InstalleSauvegardeCrash(&doc, recup, log, NoteApresCrash);
        TraceEntree("TFormFille.SelectPoint");
        std::raise(SIGSEGV);
      },
      FinCrash(SIGSEGV), "SIGSEGV");
  TDocument lu;
  ASSERT_TRUE(OuvrirFichier(lu, recup));
  MemesPoints(doc, lu);
  const std::string l = PremiereLigne(log);
  EXPECT_NE(l.find(" : TFormFille.SelectPoint . SIGSEGV, design saved to " + recup +
                   " . Stack = TFormFille.SelectPoint | "),
            std::string::npos)
      << l;
  EXPECT_EQ(l.find("GestFich"), std::string::npos) << l;
  // The windows recorded which design the copy is of, once the copy was whole.
  EXPECT_EQ(PremiereLigne(MarqueApresCrash), Chemin("coque.kvb") + " 1");
}

TEST_F(GestionErreurs, ACrashSaveThatFailsSkipsTheWindowsStep) {
  TDocument doc;
  Dessin(doc);
  MarqueApresCrash = Chemin("apres.txt");
  const std::string recup = Chemin("absent/sous/crash.kvb"), log = Chemin("Error.log");
  EXPECT_EXIT(
      {
        InstalleSauvegardeCrash(&doc, recup, log, NoteApresCrash);
        std::raise(SIGSEGV);
      },
      FinCrash(SIGSEGV), "SIGSEGV");
  EXPECT_FALSE(fs::exists(MarqueApresCrash));
  EXPECT_NE(PremiereLigne(log).find("SIGSEGV, the design could not be saved"), std::string::npos);
}

TEST_F(GestionErreurs, TheReaderTellsTheDebugWindowWhatItRead) {
  TDocument doc;
  Dessin(doc);
  ASSERT_TRUE(EnregistrerFichier(doc, Toutes(doc), Chemin("coque.kvb")));
  DebugConfig().ModeDebug = true;
  TDocument lu;
  ASSERT_TRUE(OuvrirFichier(lu, Chemin("coque.kvb")));
  ASSERT_EQ(Entrees.size(), 3u);
  EXPECT_EQ(TexteEnvoiDbg(Entrees[0]), "3|GestFich.LitDocument|" + Chemin("coque.kvb") + "|2|");
  EXPECT_EQ(Entrees[1].Type, waTrace);
  EXPECT_EQ(Entrees[1].Valeurs[0], "Coque");
  EXPECT_EQ(Entrees[1].Valeurs[1], "4");
  EXPECT_EQ(Entrees[1].Valeurs[2], "5");
  EXPECT_EQ(Entrees[2].Valeurs[0], "Quille");
}

}  // namespace
