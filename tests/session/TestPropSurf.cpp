// The properties dialog's records and the custom precision's entry rules.
#include <gtest/gtest.h>

#include "geometry/Precision.h"
#include "session/ObjCom.h"
#include "session/PropSurf.h"

namespace {

TEST(PropSurf, TypedValuesAreCheckedAgainstTheirBounds) {
  TPropSurf p;
  EXPECT_EQ(SaisitChamp(p, cpShininess, " 64 ", "Tache"), "");
  EXPECT_FLOAT_EQ(p.Shininess, 64);
  EXPECT_EQ(SaisitChamp(p, cpEmission, "-1", "E"), "");
  EXPECT_FLOAT_EQ(p.Emission, -1);
  for (const char* refus : {"129", "abc", "", "1,5", "inf", "nan", "1e400"})
    EXPECT_NE(SaisitChamp(p, cpShininess, refus, "Tache"), "") << refus;
  EXPECT_FLOAT_EQ(p.Shininess, 64);  // unchanged by a refusal
  EXPECT_NE(SaisitChamp(p, cpDensite, "-0.5", "Densité"), "");
  EXPECT_EQ(SaisitChamp(p, cpPoidsFixe, "1e3", "Poids"), "");
  EXPECT_DOUBLE_EQ(p.PoidsFixe, 1000);
}

TEST(PropSurf, OnlyModifiedRecordsGoBackAndNamesStayUnique) {
  TDocument doc;
  doc.Vider();
  NouvelleSurface(doc, "Coque", 0, {});
  NouvelleSurface(doc, "Quille", 1, {});
  MajSurface(doc, true, -1);
  doc.MarqueEnregistre();
  std::vector<TPropSurf> p = {LitPropSurf(doc.Surf(0)), LitPropSurf(doc.Surf(1))};
  EXPECT_TRUE(AppliquePropSurfs(doc, p).empty());
  EXPECT_FALSE(doc.Modifie);

  int fautif = -2;
  p[1].Nom = "Coque";
  p[1].Modifie = true;
  EXPECT_EQ(VerifieNomsPropSurf(doc, p, fautif), "Nom de surface déjà utilisé");
  EXPECT_EQ(fautif, 1);
  p[1].Nom = "";  // keeps "Quille"
  EXPECT_EQ(VerifieNomsPropSurf(doc, p, fautif), "");
  p[1].LFlex = 2;
  p[1].Verrou = true;
  p[1].Coul = 255;
  ChangeCurrentPC(doc, {1, 0, 0});
  EXPECT_EQ(AppliquePropSurfs(doc, p), std::vector<int>{1});
  EXPECT_EQ(doc.Surf(1).Nom, "Quille");
  EXPECT_EQ(doc.SurfNurbs(1)->Net.LFlex, 2);
  EXPECT_EQ(doc.Surf(1).Coul, 255);
  EXPECT_FALSE(doc.Surf(1).Calculee);
  EXPECT_TRUE(doc.Surf(0).Calculee);
  EXPECT_EQ(doc.PCCourant.NumSurf, 0);  // off the surface just locked
  EXPECT_TRUE(doc.Modifie);
}

TEST(Precision, CustomEntryIsAWholeNumberHeldToItsLimits) {
  EXPECT_EQ(LitPrecisionPerso("35", false), 35);
  EXPECT_EQ(LitPrecisionPerso(" 500 ", false), 200);
  EXPECT_EQ(LitPrecisionPerso("99999999999999999999", false), 200);
  EXPECT_EQ(LitPrecisionPerso("4", false), 10);
  EXPECT_EQ(LitPrecisionPerso("-3", false), 10);
  EXPECT_EQ(LitPrecisionPerso("4", true), 4);  // diagnostic mode
  EXPECT_EQ(LitPrecisionPerso("0", true), 1);
  for (const char* refus : {"", "abc", "3.5", "20x", "- 5"})
    EXPECT_FALSE(LitPrecisionPerso(refus, false)) << refus;
}

}  // namespace
