// The kept threads of shared calculations: every piece runs once, failures come
// back to the caller, nested and concurrent calls run their pieces too.
#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

#include "base/Fils.h"

namespace {

TEST(Fils, EveryPieceRunsOnceAndTheCallWaitsForAll) {
  for (int n : {0, 1, 2, 3, 1000}) {
    std::vector<std::atomic<int>> vus(static_cast<size_t>(n));
    Partage(n, [&](int i) { vus[i]++; });
    for (int i = 0; i < n; i++) EXPECT_EQ(vus[i].load(), 1) << n << " pieces, piece " << i;
  }
}

TEST(Fils, TheLowestFailingPieceIsRethrownOnceAllHaveRun) {
  std::atomic<int> faits{0};
  try {
    Partage(200, [&](int i) {
      faits++;
      if (i == 37 || i == 150) throw std::runtime_error("piece " + std::to_string(i));
    });
    ADD_FAILURE() << "nothing thrown";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "piece 37");
  }
  EXPECT_EQ(faits.load(), 200);
  // The threads are still there for the next call.
  std::atomic<int> somme{0};
  Partage(100, [&](int i) { somme += i; });
  EXPECT_EQ(somme.load(), 4950);
}

TEST(Fils, PiecesSharedAgainRunOnTheirOwnThreadInOrder) {
  std::atomic<bool> horsOrdre{false}, ailleurs{false};
  std::atomic<int> total{0};
  Partage(4, [&](int) {
    EXPECT_TRUE(DansPartage());
    const auto fil = std::this_thread::get_id();
    int dernier = -1;
    Partage(50, [&](int j) {
      horsOrdre = horsOrdre || j != dernier + 1;
      ailleurs = ailleurs || std::this_thread::get_id() != fil;
      dernier = j;
      total++;
    });
  });
  EXPECT_FALSE(DansPartage());
  EXPECT_FALSE(horsOrdre.load());
  EXPECT_FALSE(ailleurs.load());
  EXPECT_EQ(total.load(), 200);
}

TEST(Fils, TwoCallersAtOnceBothGetAllTheirPieces) {
  std::vector<std::atomic<int>> a(5000), b(5000);
  std::thread autre([&] {
    for (int k = 0; k < 20; k++) Partage(250, [&](int i) { b[k * 250 + i]++; });
  });
  for (int k = 0; k < 20; k++) Partage(250, [&](int i) { a[k * 250 + i]++; });
  autre.join();
  for (size_t i = 0; i < a.size(); i++) {
    ASSERT_EQ(a[i].load(), 1) << i;
    ASSERT_EQ(b[i].load(), 1) << i;
  }
}

}  // namespace
