// The entry point of the Qt-linked test binaries: one QApplication on the
// offscreen platform (unless the environment names another), then GoogleTest.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <clocale>

namespace {
// A QTest click with a modifier leaves it in the application's keyboard state, which
// the next test's selections and tools then read: each test starts with none held.
class RelacheModificateurs : public ::testing::EmptyTestEventListener {
  void OnTestEnd(const ::testing::TestInfo&) override {
    if (QGuiApplication::keyboardModifiers() == Qt::NoModifier) return;
    QWidget neutre;
    for (Qt::Key k : {Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt, Qt::Key_Meta})
      QTest::keyRelease(&neutre, k);
  }
};
}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // The tests (and the programs they start) never reach the user's own settings.
  QTemporaryDir reglages;
  qputenv("BRIVANE_SETTINGS", QDir(reglages.path()).filePath("Brivane.ini").toLocal8Bit());
  qputenv("BRIVANE_RECOVERY", QDir(reglages.path()).filePath("recovery.kvb").toLocal8Bit());
  qputenv("BRIVANE_ERRORLOG", QDir(reglages.path()).filePath("Error.log").toLocal8Bit());
  std::setlocale(LC_NUMERIC, "C");
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new RelacheModificateurs);
  return RUN_ALL_TESTS();
}
