// The error log's bounds and its care for a log it cannot read, the debug export line,
// and the crash handler's single run.
#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <exception>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "FinCrash.h"
#include "base/Crash.h"
#include "base/Debug.h"

namespace {

namespace fs = std::filesystem;

struct Dossier {
  fs::path Dir = fs::temp_directory_path() / ("brivane_diag_" + std::to_string(::getpid()));
  Dossier() {
    fs::remove_all(Dir);
    fs::create_directories(Dir);
  }
  ~Dossier() { fs::remove_all(Dir); }
};

std::vector<std::string> Lignes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::vector<std::string> r;
  std::string l;
  while (std::getline(in, l)) {
    EXPECT_TRUE(!l.empty() && l.back() == '\r') << "line without CR LF: " << l;
    if (!l.empty() && l.back() == '\r') l.pop_back();
    r.push_back(l);
  }
  return r;
}

void Ecrit(const fs::path& p, const std::vector<std::string>& lignes) {
  std::ofstream out(p, std::ios::binary);
  for (const auto& l : lignes) out << l << "\r\n";
}

TEST(ErrorLog, KeepsTheNewestThousandLines) {
  Dossier d;
  const fs::path p = d.Dir / "Error.log";
  std::vector<std::string> anciennes;
  for (int i = 0; i < 1500; i++) anciennes.push_back("ancienne " + std::to_string(i));  // newest first
  Ecrit(p, anciennes);
  TResultatErrorLog r = AjouteErrorLog(p.string(), "nouvelle échec");
  ASSERT_TRUE(r.Ecrit) << r.Erreur;
  EXPECT_FALSE(r.LectureImpossible);
  auto l = Lignes(p);
  ASSERT_EQ(l.size(), 1000u);
  EXPECT_EQ(l[0],
            "nouvelle \xE9"
            "chec");  // single-byte text
  EXPECT_EQ(l[1], "ancienne 0");
  EXPECT_EQ(l[999], "ancienne 998");
}

TEST(ErrorLog, KeepsAtMostOneMebibyte) {
  Dossier d;
  const fs::path p = d.Dir / "Error.log";
  std::vector<std::string> anciennes;
  for (int i = 0; i < 10; i++) anciennes.push_back(std::string(200000, static_cast<char>('a' + i)));
  Ecrit(p, anciennes);
  ASSERT_TRUE(AjouteErrorLog(p.string(), "nouvelle").Ecrit);
  auto l = Lignes(p);
  EXPECT_LE(fs::file_size(p), ErrorLogMaxOctets);
  // 10 + 5 x 200002 bytes fit in 1048576; a sixth old line would not.
  ASSERT_EQ(l.size(), 6u);
  EXPECT_EQ(l[0], "nouvelle");
  EXPECT_EQ(l[5], std::string(200000, 'e'));
}

TEST(ErrorLog, ALogThatCannotBeReadIsKeptAndTheLineGoesBesideIt) {
  Dossier d;
  // Not a file that can be read (permissions do not stop root, a folder does).
  const fs::path p = d.Dir / "Error.log";
  fs::create_directories(p / "contenu");
  TResultatErrorLog r = AjouteErrorLog(p.string(), "premiere");
  EXPECT_TRUE(r.LectureImpossible);
  ASSERT_TRUE(r.Ecrit) << r.Erreur;
  EXPECT_EQ(r.Chemin, p.string() + ".new");
  EXPECT_TRUE(fs::exists(p / "contenu"));
  AjouteErrorLog(p.string(), "seconde");
  EXPECT_EQ(Lignes(r.Chemin), (std::vector<std::string>{"seconde", "premiere"}));
  // Nowhere to write: said, not thrown.
  TResultatErrorLog n = AjouteErrorLog((d.Dir / "absent" / "Error.log").string(), "x");
  EXPECT_FALSE(n.Ecrit);
  EXPECT_FALSE(n.Erreur.empty());
}

TEST(Diagnostics, ExportLineHasTheProcedureTheIndexAndThreeValues) {
  EXPECT_EQ(LigneExportDbg({erDivers, "T.P", 7, {"a", "b", "c", "d", "e"}}), "T.P | 7 | a | b | c");
  EXPECT_EQ(LigneExportDbg({waTrace, "", 0, {"m"}}), " | 0 | m |  | ");
}

TEST(Diagnostics, TheHandlerFlagNestsAndComesBack) {
  EXPECT_FALSE(GestionErreurEnCours());
  {
    TGestionErreurEnCours a;
    {
      TGestionErreurEnCours b;
      EXPECT_TRUE(GestionErreurEnCours());
    }
    EXPECT_TRUE(GestionErreurEnCours());
  }
  EXPECT_FALSE(GestionErreurEnCours());
}

// The crash work of the child processes below: one line per run, appended.
std::string FichierCrash;
void NoteCrash(const char* raison) { std::ofstream(FichierCrash, std::ios::app) << raison << "\n"; }
void NoteEtRetombe(const char* raison) {
  NoteCrash(raison);
  std::raise(SIGSEGV);  // a fault inside the work itself
}
int Compte(const std::string& f) {
  std::ifstream in(f);
  int n = 0;
  std::string l;
  while (std::getline(in, l)) n++;
  return n;
}

TEST(CrashHandler, AFaultInsideTheWorkEndsTheProcessAfterOneRun) {
  Dossier d;
  FichierCrash = (d.Dir / "crash.txt").string();
  EXPECT_EXIT(
      {
        InstalleGestionCrash(NoteEtRetombe);
        std::raise(SIGSEGV);
      },
      FinCrash(SIGSEGV), "SIGSEGV");
  EXPECT_EQ(Compte(FichierCrash), 1);
  std::ifstream in(FichierCrash);
  std::string l;
  std::getline(in, l);
  EXPECT_EQ(l, "SIGSEGV");
}

TEST(CrashHandler, TerminateRunsTheWorkOnceAndAborts) {
  Dossier d;
  FichierCrash = (d.Dir / "crash.txt").string();
  EXPECT_EXIT(
      {
        InstalleGestionCrash(NoteCrash);
        try {
          throw std::runtime_error("perdue");
        } catch (...) {
          std::terminate();
        }
      },
      FinCrash(SIGABRT), "perdue");
  // The abort that follows the terminate finds the work done and does not run it again.
  ASSERT_EQ(Compte(FichierCrash), 1);
  std::ifstream in(FichierCrash);
  std::string l;
  std::getline(in, l);
  EXPECT_EQ(l, "std::terminate: perdue");
}

}  // namespace
