// The areas and sail-plan windows on the dinghy sample: rows, totals, formats and
// the copy of the selected rows; the centre of effort drawn in a view.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTableWidget>
#include <QTest>

#include "document/GestFich.h"
#include "naval/Aires.h"
#include "naval/forms/AireForm.h"
#include "session/ObjCom.h"

namespace {

void Charge(TDocument& doc) {
  ASSERT_TRUE(OuvrirFichier(doc, std::string(BRIVANE_SAMPLES) + "/Deriveur42.kvb"));
}

QString Cellule(const QTableWidget* g, int r, int c) {
  return g->item(r, c) ? g->item(r, c)->text() : QString();
}

TEST(AireForm, OneRowPerSurfaceAndTheirSums) {
  TDocument doc;
  Charge(doc);
  TAireForm f(doc);
  f.Prepare();
  const QTableWidget* g = f.Grille();
  ASSERT_EQ(g->rowCount(), doc.NbSurf() + 1);
  ASSERT_EQ(g->columnCount(), 4);
  EXPECT_EQ(g->horizontalHeaderItem(1)->text(), "Surface immergée");
  EXPECT_EQ(Cellule(g, 0, 0), QString::fromStdString(doc.Surf(0).Nom));
  EXPECT_EQ(Cellule(g, doc.NbSurf(), 0), "Aire totale");
  // Each column's total is the sum of the printed rows, to the printed precision;
  // and immersed + emerged = total on every row.
  for (int c = 1; c <= 3; c++) {
    double s = 0;
    for (int r = 0; r < doc.NbSurf(); r++) s += Cellule(g, r, c).toDouble();
    EXPECT_NEAR(Cellule(g, doc.NbSurf(), c).toDouble(), s, 2e-4) << c;
  }
  for (int r = 0; r <= doc.NbSurf(); r++) {
    EXPECT_NEAR(Cellule(g, r, 1).toDouble() + Cellule(g, r, 2).toDouble(), Cellule(g, r, 3).toDouble(), 2e-4);
    EXPECT_EQ(Cellule(g, r, 3).section('.', 1).size(), 4) << "four decimals";
  }
  // The sail lies above water, the centreboard below.
  const int voile = 2, derive = 1;
  ASSERT_TRUE(doc.Surf(voile).Voile);
  EXPECT_EQ(Cellule(g, voile, 1), "0.0000");
  EXPECT_EQ(Cellule(g, derive, 2), "0.0000");
}

TEST(AiresVoilesForm, SailsAndTheCentreOfEffortCopiedAsText) {
  TDocument doc;
  Charge(doc);
  TAffichageGarde garde;
  AffichageCalculs().CentreVoilure = false;
  TAiresVoilesForm f(doc);
  f.Prepare();
  const QTableWidget* g = f.Grille();
  // One sail: its row, then the total, equal to it.
  ASSERT_EQ(g->rowCount(), 2);
  EXPECT_EQ(Cellule(g, 0, 0), "Grand-voile");
  EXPECT_EQ(Cellule(g, 1, 0), "Aire totale");
  for (int c = 1; c < 5; c++) EXPECT_EQ(Cellule(g, 0, c), Cellule(g, 1, c));
  EXPECT_NEAR(Cellule(g, 1, 1).toDouble(), doc.CentreVoilure.Valeur, 1e-3);
  EXPECT_GT(doc.CentreVoilure.Valeur, 1);
  EXPECT_GE(g->columnWidth(0), 90);

  // Ctrl+C: the header and the selected row, tab-separated, each ended by a carriage return.
  f.show();
  f.Grille()->selectRow(1);
  QTest::keyClick(&f, Qt::Key_C, Qt::ControlModifier);
  const QString attendu = "Nom de la surface\tValeur\tX\tY\tZ\r" + Cellule(g, 1, 0) + "\t" +
                          Cellule(g, 1, 1) + "\t" + Cellule(g, 1, 2) + "\t" + Cellule(g, 1, 3) + "\t" +
                          Cellule(g, 1, 4) + "\r";
  EXPECT_EQ(f.TexteCopie(), attendu);
  EXPECT_EQ(QApplication::clipboard()->text(), attendu);

  // With no sail: the header and a total of zeros.
  doc.Surf(2).Voile = false;
  f.Prepare();
  ASSERT_EQ(g->rowCount(), 1);
  for (int c = 1; c < 5; c++) EXPECT_EQ(Cellule(g, 0, c), "0.000");
}

}  // namespace
