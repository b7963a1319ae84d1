// Painting display lists into images: colours, marker sizes, pen widths.
#include <gtest/gtest.h>

#include <QImage>

#include "views/RenduQt.h"

namespace {

QRgb Px(const QImage& im, int x, int y) { return im.pixel(x, y) & 0xFFFFFF; }

TEST(Rendering, ModelColoursAreBlueGreenRed) {
  EXPECT_EQ(CouleurQt(255) & 0xFFFFFF, 0xFF0000u);       // 255 is red
  EXPECT_EQ(CouleurQt(65280) & 0xFFFFFF, 0x00FF00u);     // green
  EXPECT_EQ(CouleurQt(0xFF0000) & 0xFFFFFF, 0x0000FFu);  // blue
  EXPECT_EQ(CouleurQt(-1) >> 24, 0xFFu);                 // always opaque
}

TEST(Rendering, MarkersAreSevenPixelsAndLinesOnePixel) {
  QImage im(40, 40, QImage::Format_RGB32);
  TListeDessin l;
  l.Fond = 0x000000;
  l.Rectangle({255, 1, TStyleTrait::Plein}, 10 - 3, 10 - 3, 10 + 4, 10 + 4, true);
  l.Rectangle({65280, 1, TStyleTrait::Plein}, 25 - 3, 10 - 3, 25 + 4, 10 + 4, false);
  l.Ouvre({0xFFFFFF, 1, TStyleTrait::Plein});
  l.Ajoute({2, 30});
  l.Ajoute({37, 30});
  l.Ferme();
  l.Segment({0xFF0000, 2, TStyleTrait::Plein}, {5, 35}, {30, 35});
  RenduListe(im, l);
  // Filled marker: exactly x 7..13, y 7..13.
  EXPECT_EQ(Px(im, 7, 7), 0xFF0000u);
  EXPECT_EQ(Px(im, 13, 13), 0xFF0000u);
  EXPECT_EQ(Px(im, 14, 10), 0u);
  EXPECT_EQ(Px(im, 6, 10), 0u);
  // Hollow marker: outline 22..28, empty inside.
  EXPECT_EQ(Px(im, 22, 10), 0x00FF00u);
  EXPECT_EQ(Px(im, 28, 10), 0x00FF00u);
  EXPECT_EQ(Px(im, 29, 10), 0u);
  EXPECT_EQ(Px(im, 25, 10), 0u);
  // A one-pixel line.
  EXPECT_EQ(Px(im, 20, 30), 0xFFFFFFu);
  EXPECT_EQ(Px(im, 20, 29), 0u);
  EXPECT_EQ(Px(im, 20, 31), 0u);
  // A two-pixel line covers two rows.
  int lignes = 0;
  for (int y = 32; y < 39; y++) lignes += Px(im, 20, y) == 0x0000FFu;
  EXPECT_EQ(lignes, 2);
}

TEST(Rendering, BackgroundAndTextUseTheirColours) {
  QImage im(120, 40, QImage::Format_RGB32);
  TListeDessin l;
  l.Fond = 0x93FFFF;
  l.Texte({0x000000, 1, TStyleTrait::Plein}, 5, 5, "Lest");
  RenduListe(im, l);
  EXPECT_EQ(Px(im, 119, 39), 0xFFFF93u);
  int encre = 0;
  for (int y = 0; y < 40; y++)
    for (int x = 0; x < 120; x++) encre += Px(im, x, y) != 0xFFFF93u;
  EXPECT_GT(encre, 10);
}

TEST(Rendering, LinesAreClippedToTheImageWhateverTheirEnds) {
  QImage im(50, 40, QImage::Format_RGB32);
  TListeDessin l;
  l.Segment({255, 1, TStyleTrait::Plein}, {-100000000, 20}, {100000000, 20});  // far beyond both sides
  l.Segment({65280, 1, TStyleTrait::Plein}, {-30, -30}, {80, 80});             // the diagonal
  l.Segment({0xFF0000, 1, TStyleTrait::Plein}, {60, 0}, {90, 39});             // entirely outside
  l.Ouvre({0xFFFFFF, 1, TStyleTrait::Plein});
  l.Ajoute({30, 5});
  l.Ajoute({30, 12});
  l.Ajoute({34, 12});
  l.Ferme();
  RenduListe(im, l);
  for (int x = 0; x < 50; x++) {
    // The diagonal, drawn later, crosses at x = 20.
    EXPECT_EQ(Px(im, x, 20), x == 20 ? 0x00FF00u : 0xFF0000u) << x;
  }
  for (int k = 0; k < 40; k++) EXPECT_EQ(Px(im, k, k), 0x00FF00u) << k;
  int bleu = 0;
  for (int y = 0; y < 40; y++)
    for (int x = 0; x < 50; x++) bleu += Px(im, x, y) == 0x0000FFu;
  EXPECT_EQ(bleu, 0);
  // Both ends of each segment of a polyline are drawn.
  for (int y = 5; y <= 12; y++) EXPECT_EQ(Px(im, 30, y), 0xFFFFFFu) << y;
  EXPECT_EQ(Px(im, 34, 12), 0xFFFFFFu);
  EXPECT_EQ(Px(im, 35, 12), 0u);
  EXPECT_EQ(Px(im, 30, 4), 0u);
}

}  // namespace
