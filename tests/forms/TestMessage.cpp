// The program's message dialog: buttons, results, captions, layout and line break.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "base/Services.h"
#include "ui/Dialogues.h"
#include "ui/TexteMessage.h"

namespace {

TEST(MessageDialog, ButtonsInTheirOrderWithTheirResults) {
  auto b = BoutonsMessage(mbCancel | mbNo | mbYes | mbHelp);
  ASSERT_EQ(b.size(), 4u);
  EXPECT_EQ(b[0].Resultat, mrYes);
  EXPECT_EQ(b[1].Resultat, mrNo);
  EXPECT_EQ(b[2].Resultat, mrCancel);
  EXPECT_EQ(b[3].Resultat, mrNone);  // Help
  EXPECT_EQ(BoutonsMessage(mbAbort | mbOK | mbRetry)[1].Resultat, mrRetry);
  EXPECT_EQ(CleTitreMessage(mtConfirmation), "rsConfirmation");
  EXPECT_EQ(CleTitreMessage(9), "");
}

TEST(MessageDialog, LongTextIsBrokenOnceAtTheFirstBlankAfterTheMiddle) {
  auto largeur = [](const std::string& t) { return static_cast<int>(t.size()) * 10; };  // 10 px a byte
  EXPECT_EQ(CoupeMessage("court", largeur), "court");
  std::string t = std::string(40, 'a') + " " + std::string(10, 'b') + " " + std::string(30, 'c');
  std::string c = CoupeMessage(t, largeur);
  // The middle is character 41 (a 'b'); the first blank at or after it ends the b's.
  EXPECT_EQ(c, std::string(40, 'a') + " " + std::string(10, 'b') + "\n" + std::string(30, 'c'));
  // No blank after the middle: unchanged.
  std::string sans = std::string(30, 'a') + " " + std::string(60, 'b');
  EXPECT_EQ(CoupeMessage(sans, largeur), sans);
  // Accented letters count as one character each.
  std::string e;
  for (int i = 0; i < 81; i++) e += i == 40 ? " " : "é";
  e += " fin";
  EXPECT_NE(CoupeMessage(e, largeur).find("é\nfin"), std::string::npos);
  EXPECT_EQ(LargeurDialogue(10, 1), 120);
  EXPECT_EQ(LargeurDialogue(300, 1), 390);
  EXPECT_EQ(LargeurDialogue(10, 3), 230);
}

TEST(MessageDialog, LaysOutCentredButtonsAndReturnsThePressedOne) {
  TfmMessageDlg d("Voulez-vous sauvegarder les modifications ?", mtConfirmation, mbYes | mbNo | mbCancel);
  EXPECT_EQ(d.windowTitle(), "Confirmation");
  ASSERT_EQ(d.Boutons.size(), 3u);
  EXPECT_EQ(d.Boutons[0]->text(), "&Oui");
  EXPECT_EQ(d.Boutons[2]->text(), "&Annuler");
  EXPECT_EQ(d.Boutons[0]->width(), 65);
  EXPECT_EQ(d.Boutons[1]->x() - d.Boutons[0]->x(), 70);
  int gauche = d.Boutons[0]->x(), droite = d.width() - d.Boutons[2]->geometry().right() - 1;
  EXPECT_NEAR(gauche, droite, 1);
  EXPECT_EQ(d.height() - d.Boutons[0]->geometry().bottom() - 1, 30);
  QTimer::singleShot(0, d.Boutons[1], &QPushButton::click);
  EXPECT_EQ(d.exec(), mrNo);
  // Closed without a button: 0.
  QTimer::singleShot(0, [] {
    if (QWidget* w = QApplication::activeModalWidget()) w->close();
  });
  EXPECT_EQ(AfficheMessageDlg("x", mtError, mbOK), mrNone);
}

TEST(MessageDialog, VeryLongMessageGoesOnTwoLines) {
  std::string t;
  for (int i = 0; i < 30; i++) t += "mot" + std::to_string(i) + " assez long ";
  TfmMessageDlg d(t, mtWarning, mbOK);
  EXPECT_EQ(d.windowTitle(), "Avertissement");
  EXPECT_EQ(d.Texte->text().count('\n'), 1);
  EXPECT_GE(d.width(), d.Texte->width() + 90 - 4);
}

}  // namespace
