// The model check on boxes whose faults and shared volumes are known exactly.
#include <gtest/gtest.h>

#include <algorithm>

#include "naval/Barge.h"
#include "session/Verification.h"

namespace {

std::vector<TConstatModele> Du(const std::vector<TConstatModele>& l, TGenreConstat g) {
  std::vector<TConstatModele> r;
  std::copy_if(l.begin(), l.end(), std::back_inserter(r),
               [g](const TConstatModele& c) { return c.Genre == g; });
  return r;
}

// A box 2 x 10 with its keel at -1 and its deck at +1: closed, its mirror joined.
TDocument& Boite(TDocument& doc) {
  doc.Vider();
  AjouteBarge(doc, 1, 10, 1, 1, 4);
  return doc;
}

TEST(Verification, ASoundBoxHasNoFinding) {
  TDocument doc;
  Boite(doc);
  doc.ListePoids.push_back({"Lest", 100, 0, 5, -0.5, -1});
  doc.ListePoids.push_back({"Mât", 50, 0, 5, 8, -1});  // high above, as a rig stands
  EXPECT_TRUE(VerifieModele(doc, {0}).empty());
}

TEST(Verification, ABlockInsideTheHullIsCountedTwice) {
  TDocument doc;
  Boite(doc);
  // Breadth 1, length 2, from Z = -1.5 to -0.5: half its height lies inside the box.
  AjouteBarge(doc, 0.5, 2, 1.5, -0.5, 4, 4);
  const double v = VolumeCommun(doc.Surf(0), doc.Surf(1));
  EXPECT_NEAR(v, 1.0 * 2 * 0.5, 0.01);
  const auto i = Du(VerifieModele(doc, {0, 1}), TGenreConstat::Intersection);
  ASSERT_EQ(i.size(), 1u);
  EXPECT_NEAR(i[0].Valeur, v, 1e-12);
  // The smaller body is the one to stop at the other's skin.
  EXPECT_NE(i[0].Message.find("Arrêtez Barge1 à la paroi de Barge0"), std::string::npos) << i[0].Message;
  // Apart, nothing is shared.
  TDocument loin;
  Boite(loin);
  AjouteBarge(loin, 0.5, 2, 1.5, -0.5, 4, 12);
  EXPECT_EQ(VolumeCommun(loin.Surf(0), loin.Surf(1)), 0);
}

TEST(Verification, ReversedOrientationHalfHullAndOpenEnds) {
  TDocument doc;
  Boite(doc).Surf(0).Orientation = false;
  auto o = Du(VerifieModele(doc, {0}), TGenreConstat::Orientation);
  ASSERT_EQ(o.size(), 1u);
  EXPECT_NEAR(o[0].Valeur, -2.0 * 10 * 1, 1e-9);  // the box below the water, counted negative
  EXPECT_NE(o[0].Message.find("Barge0"), std::string::npos);

  // Without its mirror the box is half a box: its border on the centre plane is no hull's.
  Boite(doc).Surf(0).Sym = false;
  auto l = VerifieModele(doc, {0});
  EXPECT_EQ(Du(l, TGenreConstat::DemiCoque).size(), 1u);

  // Not closed by the strips, the ends of the box are open below the water from Y = 0 to 10.
  Boite(doc).Surf(0).JonctionSym = false;
  l = VerifieModele(doc, {0});
  auto f = Du(l, TGenreConstat::Ouverte);
  ASSERT_EQ(f.size(), 1u);
  EXPECT_NE(f[0].Message.find("de Y = 0.000 à 10.000 m, jusqu'à Z = -1.000 m"), std::string::npos)
      << f[0].Message;
}

TEST(Verification, WeightsFarFromEveryBody) {
  TDocument doc;
  Boite(doc);
  doc.ListePoids.push_back({"Moteur", 300, 0, 5000, 0, -1});  // millimetres typed for metres
  doc.ListePoids.push_back({"Mât", 50, 0, 5, 30, -1});        // higher than the box is long
  const auto p = Du(VerifieModele(doc, {0}), TGenreConstat::PoidsLoin);
  ASSERT_EQ(p.size(), 2u);
  EXPECT_EQ(p[0].Autre, 0);
  EXPECT_NEAR(p[0].Valeur, 4990, 1e-9);
  EXPECT_EQ(p[1].Autre, 1);
  EXPECT_NEAR(p[1].Valeur, 29, 1e-9);
}

}  // namespace

namespace {

// Before a calculation: only what falsifies it, named on one line by kind and by name.
TEST(Verification, TheLineBeforeACalculationNamesWhatFalsifiesIt) {
  TDocument doc;
  Boite(doc);
  AjouteBarge(doc, 0.5, 2, 1.5, -0.5, 4, 4);  // half inside the box
  doc.ListePoids.push_back({"Moteur", 100, 0, 5, -0.5, -1});
  doc.ListePoids.push_back({"Virgule", 300, 0, 500, 0, -1});  // metres for centimetres
  const auto tout = VerifieModele(doc, {0, 1});
  ASSERT_EQ(tout.size(), 2u);
  // The buoyancy alone is not falsified by a weight, the weights alone not by the bodies.
  const auto carene = ConstatsPour(tout, fcCarene), poids = ConstatsPour(tout, fcPoids);
  ASSERT_EQ(carene.size(), 1u);
  EXPECT_EQ(carene[0].Genre, TGenreConstat::Intersection);
  ASSERT_EQ(poids.size(), 1u);
  EXPECT_EQ(poids[0].Genre, TGenreConstat::PoidsLoin);
  EXPECT_EQ(ConstatsPour(tout, fcCarene | fcPoids).size(), 2u);
  const std::string n0 = doc.Surf(0).Nom, n1 = doc.Surf(1).Nom;
  EXPECT_EQ(LigneConstats(doc, ConstatsPour(tout, fcCarene | fcPoids)),
            "La vérification du modèle a trouvé 2 problème(s) qui faussent ce calcul : corps qui se "
            "recoupent (" +
                n0 + " et " + n1 + ") ; poids loin de la coque (Virgule).");
  EXPECT_EQ(LigneConstats(doc, {}), "");
}

}  // namespace
