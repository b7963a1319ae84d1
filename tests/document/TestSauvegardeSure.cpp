// A save that cannot finish (read-only folder, full file system, writer stopped before
// the rename) must leave the previous document and its backup as they were.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "Outils.h"
#include "base/FichierStr.h"

namespace {

class SauvegardeSure : public TestAvecMessages {
 protected:
  // A document saved twice: the file holds the second version, the backup the first.
  void Prepare(const std::string& dossier) {
    Doc.NomFichier = dossier + "/coque.kvb";
    AjouteNurbs(Doc, "Coque", 2, 2);
    Doc.MarqueModifie();
    ASSERT_TRUE(EnregistrerFichierAll(Doc));
    Premier = LitFichier(Doc.NomFichier);
    Doc.Surf(0).Nom = "Coque 2";
    Doc.MarqueModifie();
    ASSERT_TRUE(EnregistrerFichierAll(Doc));
    Second = LitFichier(Doc.NomFichier);
    ASSERT_EQ(LitFichier(Doc.NomFichier + ".bak"), Premier);
    Doc.Surf(0).Nom = "Coque 3";
    Doc.MarqueModifie();
    Messages.clear();
  }
  void VerifieIntact() {
    EXPECT_EQ(LitFichier(Doc.NomFichier), Second);
    EXPECT_EQ(LitFichier(Doc.NomFichier + ".bak"), Premier);
    EXPECT_TRUE(Doc.Modifie);
  }
  // A small file system of its own (root only); false when none can be mounted here.
  bool Monte(const std::string& options) {
    Montage = (Dossier / "fs").string();
    std::filesystem::create_directories(Montage);
    return ::mount("tmpfs", Montage.c_str(), "tmpfs", 0, options.c_str()) == 0;
  }
  void TearDown() override {
    if (!Montage.empty()) ::umount(Montage.c_str());
    TestAvecMessages::TearDown();
  }
  TDocument Doc;
  std::string Premier, Second, Montage;
};

TEST_F(SauvegardeSure, BackupIsAByteCopyOfThePreviousVersion) {
  Prepare(Dossier.string());
  // Bytes the text reader would not keep (no final line end, a lone CR) still copy.
  const std::string brut = "[HEADER]\r\nlone\rcr\x01\xff no end";
  EcritFichier(Doc.NomFichier, brut);
  ASSERT_TRUE(EnregistrerFichierAll(Doc));
  EXPECT_EQ(LitFichier(Doc.NomFichier + ".bak"), brut);
  for (const auto& e : std::filesystem::directory_iterator(Dossier))
    EXPECT_EQ(e.path().filename().string().find(".tmp-"), std::string::npos) << e.path();
}

TEST_F(SauvegardeSure, FullFileSystemLeavesFileAndBackup) {
  if (!Monte("size=64k")) GTEST_SKIP() << "no tmpfs can be mounted here";
  Prepare(Montage);
  // Fill the disk, leaving less room than the new text needs.
  {
    std::ofstream lest(Montage + "/lest", std::ios::binary);
    std::string bloc(1024, 'x');
    while (lest.write(bloc.data(), static_cast<std::streamsize>(bloc.size()))) lest.flush();
  }
  for (int i = 0; i < 40; ++i) AjouteNurbs(Doc, "Grande" + std::to_string(i), 8, 8);
  std::string err;
  EXPECT_FALSE(EnregistrerFichierAll(Doc, false, &err));
  VerifieIntact();
  // The caller that takes the reason is the one to show it.
  EXPECT_TRUE(Messages.empty());
  EXPECT_NE(err.find("Le fichier précédent est intact"), std::string::npos) << err;
}

TEST_F(SauvegardeSure, ReadOnlyFolderLeavesFileAndBackup) {
  if (!Monte("size=1m")) GTEST_SKIP() << "no tmpfs can be mounted here";
  Prepare(Montage);
  // Root ignores permission bits: only a read-only mount refuses it.
  ASSERT_EQ(::mount("tmpfs", Montage.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=1m"), 0);
  EXPECT_FALSE(EnregistrerFichierAll(Doc));
  VerifieIntact();
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_TRUE(MessageContient(Doc.NomFichier));
}

TEST_F(SauvegardeSure, WriterStoppedBeforeARenameLeavesFileAndBackup) {
  Prepare(Dossier.string());
  // Stopped before the backup's rename, then before the document's: either way the
  // file is the last saved version and the backup a whole earlier one.
  for (const std::string arret : {".bak", ".kvb"}) {
    const std::string bakAvant = LitFichier(Doc.NomFichier + ".bak");
    pid_t p = ::fork();
    ASSERT_GE(p, 0);
    if (p == 0) {
      CrochetAvantRenommage() = [arret](const std::string& cible) {
        if (cible.ends_with(arret)) ::_exit(9);
      };
      EnregistrerFichierAll(Doc);
      ::_exit(0);
    }
    int etat = 0;
    ASSERT_EQ(::waitpid(p, &etat, 0), p);
    ASSERT_TRUE(WIFEXITED(etat));
    ASSERT_EQ(WEXITSTATUS(etat), 9) << arret;  // it did reach the hook
    EXPECT_EQ(LitFichier(Doc.NomFichier), Second) << arret;
    EXPECT_EQ(LitFichier(Doc.NomFichier + ".bak"), arret == ".bak" ? bakAvant : Second) << arret;
  }
  // The next save goes through; the stray temporary files harm nothing.
  ASSERT_TRUE(EnregistrerFichierAll(Doc));
  EXPECT_NE(LitFichier(Doc.NomFichier).find("Coque 3"), std::string::npos);
  EXPECT_EQ(LitFichier(Doc.NomFichier + ".bak"), Second);
}

// Temporary files that killed saves left go at the next save in the folder, whatever
// program version left them; one a live save holds stays.
TEST_F(SauvegardeSure, TemporaryFilesOfKilledSavesAreRemovedAtTheNextSave) {
  Prepare(Dossier.string());
  auto vieux = [&](const std::string& nom) {
    const std::string c = Chemin(nom);
    EcritFichier(c, "reste d'une sauvegarde interrompue");
    const timespec t[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
    ::utimensat(AT_FDCWD, c.c_str(), t, 0);
    return c;
  };
  const std::string mort = vieux(".brivane.tmp-a1B2c3");
  const std::string ancien = vieux("coque.kvb.tmp-Zz9y8X");
  const std::string vivant = vieux(".brivane.tmp-LIVE00");
  const std::string autre = vieux("notes.txt.tmp-abcdef");  // another file's: not this save's business
  const int fd = ::open(vivant.c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::flock(fd, LOCK_EX), 0);
  ASSERT_TRUE(EnregistrerFichierAll(Doc));
  ::close(fd);
  EXPECT_FALSE(std::filesystem::exists(mort));
  EXPECT_FALSE(std::filesystem::exists(ancien));
  EXPECT_TRUE(std::filesystem::exists(vivant));
  EXPECT_TRUE(std::filesystem::exists(autre));
  EXPECT_NE(LitFichier(Doc.NomFichier).find("Coque 3"), std::string::npos);
}

// Names up to the file system's limit save, and save again (the backup's name is cut
// to fit); the temporary name does not grow with the document's.
TEST_F(SauvegardeSure, NamesAtTheFileSystemsLimitSaveAgainAndAgain) {
  const long limite = ::pathconf(Dossier.c_str(), _PC_NAME_MAX);
  ASSERT_GT(limite, 20);
  for (long n : {limite - 10, limite - 4, limite}) {
    TDocument doc;
    AjouteNurbs(doc, "Coque", 2, 2);
    // Accented letters: a cut must not split one.
    std::string nom;
    while (static_cast<long>(nom.size()) + 6 <= n) nom += "é";
    while (static_cast<long>(nom.size()) + 4 < n) nom += "x";
    nom += ".kvb";
    ASSERT_EQ(static_cast<long>(nom.size()), n);
    doc.NomFichier = Chemin(nom);
    ASSERT_TRUE(EnregistrerFichierAll(doc)) << n;
    doc.Surf(0).Nom = "Coque 2";
    ASSERT_TRUE(EnregistrerFichierAll(doc)) << n;
    ASSERT_TRUE(EnregistrerFichierAll(doc)) << n;
    EXPECT_NE(LitFichier(doc.NomFichier).find("Coque 2"), std::string::npos) << n;
    const std::string bak = NomSauvegarde(doc.NomFichier);
    const std::string nomBak = std::filesystem::path(bak).filename().string();
    EXPECT_LE(static_cast<long>(nomBak.size()), limite);
    EXPECT_TRUE(nomBak.ends_with(".bak"));
    EXPECT_TRUE(std::filesystem::exists(bak)) << n;
    EXPECT_NE(LitFichier(bak).find("Coque 2"), std::string::npos) << n;
    if (n + 4 <= limite) {
      EXPECT_EQ(bak, doc.NomFichier + ".bak");
    }
    // No accent was cut in two: the name is valid UTF-8 ending in whole letters.
    EXPECT_EQ(nomBak.find("\xC3.bak"), std::string::npos);
    std::filesystem::remove(doc.NomFichier);
    std::filesystem::remove(bak);
  }
}

}  // namespace
