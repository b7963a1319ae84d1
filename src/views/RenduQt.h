// Paints a display list into an image with QPainter: the views' off-screen
// bitmap, the screenshots and the view benchmark all go through here.
#pragma once

#include "edition/ListeDessin.h"

class QImage;
class QPainter;

// 0x00BBGGRR to 0xAARRGGBB (opaque).
unsigned int CouleurQt(int bgr);

// Fills the image with the list's background colour, then paints the list; a
// background picture, when given, goes between the two with its corner at (x, y).
void RenduListe(QImage& image, const TListeDessin& l, const QImage* fond = nullptr, int x = 0, int y = 0);
// Paints the list with a painter already open (no background fill).
void RenduListe(QPainter& p, const TListeDessin& l);
