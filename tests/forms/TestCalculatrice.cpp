// The desk calculator: immediate execution, memory, and no NaN on screen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTest>

#include "ui/Calculatrice.h"
#include "ui/Dialogues.h"

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

TEST(Calculator, TheWindowTakesTheKeyboard) {
  TCalculatriceForm f;
  f.show();
  QApplication::processEvents();
  // Typed as on a French keypad: the comma is the decimal key, Enter is "=".
  QTest::keyClicks(&f, "1,5*4");
  QTest::keyClick(&f, Qt::Key_Return);
  EXPECT_EQ(f.Ecran->text(), "6");
  QTest::keyClicks(&f, "7-9");
  QTest::keyClick(&f, Qt::Key_Enter);
  EXPECT_EQ(f.Ecran->text(), "-2");
  // A letter is no key: nothing changes.
  QTest::keyClicks(&f, "a");
  EXPECT_EQ(f.Ecran->text(), "-2");
  QTest::keyClick(&f, Qt::Key_Escape);
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(ToucheTapee("x"), "");
  EXPECT_EQ(ToucheTapee("/"), "/");
}

}  // namespace
