// The studio inside the main window on a real X server: its viewport is a window of its
// own, so the other child windows must still cover it when they come in front, and the
// keys and the wheel must still reach the studio once the viewport has the focus.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTest>
#include <QWheelEvent>

#include "app/Principale.h"
#include "session/ObjCom.h"
#include "studio/CommandesStudio.h"
#include "studio/Studio.h"

namespace {

// The screen catches up with the windows asynchronously (the X server, the GL viewport's
// own window): a check on it waits for what it expects, at most 5 s, then looks.
template <typename F>
void Attend(F condition) {
  (void)QTest::qWaitFor(condition, 5000);
}

// The main window on the screen, with the studio active in it.
void MontreAvecStudio(TMainForm& f) {
  f.resize(1200, 900);
  f.show();
  QApplication::processEvents();
  f.PremierAffichage(false);
  ActiveStudio(f);
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&f));
}

TEST(StudioGL, AViewInFrontCoversTheStudio) {
  TMainForm f(TLigneCommande{});
  MontreAvecStudio(f);
  auto* sous = f.findChild<QMdiSubWindow*>("SousStudio");
  ASSERT_NE(sous, nullptr);
  TStudioForm* st = StudioDe(f);
  ASSERT_TRUE(st->AvecOpenGL());
  // A background no view uses, and nothing drawn over it in the middle.
  st->Reglages.ArpStudio = 0x00FFFF;
  st->Etat.PlanEau = false;
  st->InitDraw();
  sous->showNormal();
  sous->setGeometry(0, 0, 700, 500);
  QScreen* ecran = QGuiApplication::primaryScreen();
  QWidget* gl = st->findChild<QWidget*>("GLC");
  const QPoint centre = gl->mapToGlobal(QPoint(gl->width() / 2, gl->height() / 2));
  auto pixel = [&](QPoint p) { return ecran->grabWindow(0, p.x(), p.y(), 1, 1).toImage().pixelColor(0, 0); };
  const QColor jaune(255, 255, 0);
  Attend([&] { return pixel(centre) == jaune; });
  EXPECT_EQ(pixel(centre), jaune);
  // A view over the middle of the studio, in front of it.
  QMdiSubWindow* vue = nullptr;
  for (QMdiSubWindow* s : f.Zone()->subWindowList())
    if (s != sous) vue = s;
  ASSERT_NE(vue, nullptr);
  vue->showNormal();
  vue->setGeometry(200, 100, 500, 400);
  f.Zone()->setActiveSubWindow(vue);
  vue->raise();
  Attend([&] { return pixel(centre) != jaune; });
  EXPECT_NE(pixel(centre), jaune);
  // And the studio comes back in front when it is activated again.
  f.Zone()->setActiveSubWindow(sous);
  Attend([&] { return pixel(centre) == jaune; });
  EXPECT_EQ(pixel(centre), jaune);
}

TEST(StudioGL, KeysAndWheelReachTheStudioFromItsViewport) {
  TMainForm f(TLigneCommande{});
  MontreAvecStudio(f);
  TStudioForm* st = StudioDe(f);
  ASSERT_TRUE(st->AvecOpenGL());
  QWindow* gl = st->FenetreGL();
  const QPoint milieu(gl->width() / 2, gl->height() / 2);
  // No window manager gives the focus on a click here: the viewport asks for it.
  f.activateWindow();
  gl->requestActivate();
  Attend([gl] { return QGuiApplication::focusWindow() == gl; });
  ASSERT_EQ(QGuiApplication::focusWindow(), gl);
  const int x = st->Camera.OrigineX;
  QTest::keyClick(gl, Qt::Key_Right);
  EXPECT_EQ(st->Camera.OrigineX, x + 10);
  const float d = st->Camera.Distance;
  QWheelEvent roue(milieu, gl->mapToGlobal(milieu), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(gl, &roue);
  EXPECT_FLOAT_EQ(st->Camera.Distance, d - 1);
}

}  // namespace
