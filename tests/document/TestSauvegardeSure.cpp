// A save that cannot finish (read-only folder, full file system, writer stopped before
// the rename) must leave the previous document and its backup as they were.
#include <sys/mount.h>
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
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_NE(Messages[0].find("Le fichier précédent est intact"), std::string::npos) << Messages[0];
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

}  // namespace
