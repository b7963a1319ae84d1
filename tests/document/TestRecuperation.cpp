// The recovery document: written beside the work without touching the document's own
// name or state, and offered only when it holds something newer.
#include <filesystem>

#include "Outils.h"
#include "document/Recuperation.h"

namespace {

class Recuperation : public TestAvecMessages {};

TEST_F(Recuperation, SaveLeavesTheDocumentAsItWas) {
  TDocument doc;
  doc.NomFichier = Chemin("coque.kvb");
  AjouteNurbs(doc, "Coque", 2, 2);
  AjouteNurbs(doc, "Quille", 2, 2);
  doc.MarqueModifie();
  const std::string recup = Chemin("recovery.kvb");
  ASSERT_TRUE(EnregistreRecuperation(doc, recup));
  EXPECT_TRUE(doc.Modifie);
  EXPECT_EQ(doc.NomFichier, Chemin("coque.kvb"));
  EXPECT_FALSE(std::filesystem::exists(doc.NomFichier));
  EXPECT_TRUE(Messages.empty());
  // What it wrote is the document.
  TDocument lu;
  ASSERT_TRUE(OuvrirFichier(lu, recup));
  ASSERT_EQ(lu.NbSurf(), 2);
  EXPECT_EQ(lu.Surf(1).Nom, "Quille");
  // A folder that does not exist: false, the reason, no message.
  std::string err;
  EXPECT_FALSE(EnregistreRecuperation(doc, Chemin("absent/recovery.kvb"), &err));
  EXPECT_FALSE(err.empty());
  EXPECT_TRUE(Messages.empty());
}

TEST_F(Recuperation, OfferedOnlyWhenNewerThanTheDocument) {
  namespace fs = std::filesystem;
  const std::string recup = Chemin("recovery.kvb"), docu = Chemin("coque.kvb");
  EXPECT_FALSE(RecuperationAOffrir(recup, docu));  // no recovery at all
  EcritFichierAtomique(recup, "x");
  EXPECT_TRUE(RecuperationAOffrir(recup, docu));  // the document was never saved
  EXPECT_TRUE(RecuperationAOffrir(recup, ""));
  EcritFichierAtomique(docu, "y");
  const auto t = fs::last_write_time(docu);
  fs::last_write_time(recup, t - std::chrono::minutes(3));
  EXPECT_FALSE(RecuperationAOffrir(recup, docu));  // saved since
  fs::last_write_time(recup, t + std::chrono::minutes(3));
  EXPECT_TRUE(RecuperationAOffrir(recup, docu));
  SupprimeRecuperation(recup);
  EXPECT_FALSE(fs::exists(recup));
  EXPECT_FALSE(RecuperationAOffrir(recup, docu));
}

TEST(IntervalleRecuperation, StoredMinutesOutsideTheRangeFallBack) {
  EXPECT_EQ(IntervalleRecuperation(0), 5);
  EXPECT_EQ(IntervalleRecuperation(-3), 5);
  EXPECT_EQ(IntervalleRecuperation(121), 5);
  EXPECT_EQ(IntervalleRecuperation(1), 1);
  EXPECT_EQ(IntervalleRecuperation(120), 120);
}

}  // namespace
