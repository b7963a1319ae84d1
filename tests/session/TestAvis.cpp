// The notice of change: who is told, in what order, and references that follow a net's rows.
#include <gtest/gtest.h>

#include "session/Avis.h"
#include "session/ObjCom.h"

namespace {

TEST(Avis, OnlyTheSubscribersOfTheDocumentAreToldAndInOrder) {
  TDocument a, b;
  std::vector<std::string> vus;
  TAbonnement un(a, [&](const TAvis& x) { vus.push_back("un" + std::to_string(x.Quoi)); });
  TAbonnement autre(b, [&](const TAvis&) { vus.push_back("autre"); });
  TAbonnement deux(a, [&](const TAvis& x) { vus.push_back("deux" + std::to_string(x.Quoi)); });
  AnnonceAvis(a, avGrille);
  EXPECT_EQ(vus, (std::vector<std::string>{"un32", "deux32"}));
  vus.clear();
  AnnonceAvis(a, 0u);
  EXPECT_TRUE(vus.empty()) << "a notice of nothing is not sent";
  un.Fin();
  AnnonceAvis(a, avPoids);
  EXPECT_EQ(vus, (std::vector<std::string>{"deux16"}));
}

TEST(Avis, ASubscriberMayEndAnotherOrItselfWhileTold) {
  TDocument d;
  int premier = 0, second = 0;
  TAbonnement b;
  TAbonnement a(d, [&](const TAvis&) {
    premier++;
    b.Fin();  // the second is not told any more, not even of this notice
  });
  b = TAbonnement(d, [&](const TAvis&) { second++; });
  AnnonceAvis(d, avCotes);
  AnnonceAvis(d, avCotes);
  EXPECT_EQ(premier, 2);
  EXPECT_EQ(second, 0);
}

TEST(Avis, SessionChangesAnnounceWhatTheyTouched) {
  TDocument d;
  d.InitDefaut();
  MajSurface(d, true, -1);
  std::vector<TAvis> vus;
  TAbonnement ab(d, [&](const TAvis& a) { vus.push_back(a); });
  ChangeCurrentPC(d, {0, 1, 1});
  ChangeCurrentPC(d, {0, 1, 1});
  ASSERT_EQ(vus.size(), 1u) << "the same current vertex again is no change";
  EXPECT_TRUE(vus[0].A(avPCCourant));
  vus.clear();
  ASSERT_EQ(AjoutPC(d, VertexDe(d, {0, 1, 1})->V(), {0, 1, 1}, tvSection), TResultatNet::Ok);
  ASSERT_EQ(vus.size(), 1u);
  EXPECT_TRUE(vus[0].A(avGeometrie));
  ASSERT_EQ(vus[0].Nets.size(), 1u);
  EXPECT_TRUE(vus[0].Nets[0].Ligne);
  EXPECT_TRUE(vus[0].Nets[0].Insere);
  EXPECT_EQ(vus[0].Nets[0].NumSurf, 0);
  vus.clear();
  ChangePrecision(d, 20);
  ASSERT_FALSE(vus.empty());
  EXPECT_TRUE(vus.back().A(avPrecision));
}

TEST(Avis, ReferencesFollowRowsAndColumnsInsertedOrRemoved) {
  TPC p{1, 3, 2};
  EXPECT_TRUE(SuitChangementNet(p, {0, true, 0, true}));
  EXPECT_EQ(p, (TPC{1, 3, 2})) << "another surface's row";
  EXPECT_TRUE(SuitChangementNet(p, {1, true, 3, true}));
  EXPECT_EQ(p, (TPC{1, 4, 2})) << "a row inserted at its index pushes it down";
  EXPECT_TRUE(SuitChangementNet(p, {1, false, 3, true}));
  EXPECT_EQ(p, (TPC{1, 4, 2})) << "a column after it";
  EXPECT_TRUE(SuitChangementNet(p, {1, false, 0, false}));
  EXPECT_EQ(p, (TPC{1, 4, 1}));
  EXPECT_FALSE(SuitChangementNet(p, {1, true, 4, false})) << "its own row removed";
}

}  // namespace
