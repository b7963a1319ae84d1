// The entry point of the Qt-linked test binaries: one QApplication on the
// offscreen platform (unless the environment names another), then GoogleTest.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <clocale>

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
  return RUN_ALL_TESTS();
}
