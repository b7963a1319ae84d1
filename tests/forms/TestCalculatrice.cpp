// The desk calculator: immediate execution, memory, and no NaN on screen.
#include <gtest/gtest.h>

#include "app/forms/Calculatrice.h"

namespace {

std::string Tape(TCalculatrice& c, std::initializer_list<const char*> touches) {
  for (const char* t : touches) EXPECT_TRUE(c.Touche(t)) << t;
  return c.Affichage();
}

TEST(Calculator, ImmediateExecutionAppliesOperatorsInOrder) {
  TCalculatrice c;
  EXPECT_EQ(Tape(c, {"2", "+", "3", "*", "4", "="}), "20");  // (2 + 3) * 4
  EXPECT_EQ(Tape(c, {"CE", "1", ".", "5", "/", "4", "="}), "0.375");
  EXPECT_EQ(Tape(c, {"CE", "9", "rc"}), "3");
  EXPECT_EQ(Tape(c, {"x2"}), "9");
  EXPECT_EQ(Tape(c, {"1/x"}), "0.111111111111");
  EXPECT_EQ(Tape(c, {"CE", "5", "+/-", "-", "2", "="}), "-7");
  EXPECT_FALSE(c.Touche("%"));
}

TEST(Calculator, ErrorsStopUntilClearAndKeepTheMemory) {
  TCalculatrice c;
  Tape(c, {"1", "2", "M+"});
  EXPECT_TRUE(c.Memoire());
  EXPECT_EQ(Tape(c, {"CE", "1", "/", "0", "="}), "Erreur");
  EXPECT_TRUE(c.EnErreur());
  EXPECT_EQ(Tape(c, {"7"}), "Erreur");
  EXPECT_EQ(Tape(c, {"CE", "MR"}), "12.00000000");
  EXPECT_EQ(Tape(c, {"CE", "4", "+/-", "rc"}), "Erreur");
  Tape(c, {"CE", "MC"});
  EXPECT_FALSE(c.Memoire());
}

}  // namespace
