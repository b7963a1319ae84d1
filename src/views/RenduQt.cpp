// Rendering of display lists. Plain one-pixel lines, nearly everything a lines plan
// holds, are written straight into the image (clipped Bresenham): QPainter's stroker
// costs about half a microsecond a segment, which four views of a yacht with its lines
// cannot afford at every mouse move. Everything else goes through QPainter, aliased.
#include "views/RenduQt.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QString>
#include <cstdint>

unsigned int CouleurQt(int bgr) {
  unsigned int c = static_cast<unsigned int>(bgr) & 0xFFFFFFu;
  return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

namespace {

QPen Stylo(const TStylo& s) {
  // Width 1 is cosmetic (0): one pixel whatever the transform, and the fast stroker.
  QPen pen(QColor::fromRgb(CouleurQt(s.Couleur)), s.Epaisseur <= 1 ? 0 : s.Epaisseur);
  switch (s.Style) {
    case TStyleTrait::Pointille:
      pen.setStyle(Qt::DotLine);
      break;
    case TStyleTrait::TiretPoint:
      pen.setStyle(Qt::DashDotLine);
      break;
    default:
      break;
  }
  return pen;
}

// A pixel buffer of 32-bit pixels that lines may be written into directly.
struct TPixels {
  std::uint32_t* Bits = nullptr;
  long long Pas = 0;  // pixels per row
  int L = 0, H = 0;
};

int Code(long long x, long long y, int w, int h) {
  return (x < 0 ? 1 : 0) | (x >= w ? 2 : 0) | (y < 0 ? 4 : 0) | (y >= h ? 8 : 0);
}

// Cohen-Sutherland: false when the segment misses the image.
bool Clippe(long long& x0, long long& y0, long long& x1, long long& y1, int w, int h) {
  int c0 = Code(x0, y0, w, h), c1 = Code(x1, y1, w, h);
  for (;;) {
    if (!(c0 | c1)) return true;
    if (c0 & c1) return false;
    int c = c0 ? c0 : c1;
    long long x, y;
    if (c & 8) {
      x = x0 + (x1 - x0) * (h - 1 - y0) / (y1 - y0), y = h - 1;
    } else if (c & 4) {
      x = x0 + (x1 - x0) * (0 - y0) / (y1 - y0), y = 0;
    } else if (c & 2) {
      y = y0 + (y1 - y0) * (w - 1 - x0) / (x1 - x0), x = w - 1;
    } else {
      y = y0 + (y1 - y0) * (0 - x0) / (x1 - x0), x = 0;
    }
    if (c == c0) {
      x0 = x, y0 = y, c0 = Code(x0, y0, w, h);
    } else {
      x1 = x, y1 = y, c1 = Code(x1, y1, w, h);
    }
  }
}

void Ligne(const TPixels& im, TPixel a, TPixel b, std::uint32_t c) {
  long long x0 = a.X, y0 = a.Y, x1 = b.X, y1 = b.Y;
  if (!Clippe(x0, y0, x1, y1, im.L, im.H)) return;
  long long dx = x1 > x0 ? x1 - x0 : x0 - x1, dy = -(y1 > y0 ? y1 - y0 : y0 - y1);
  long long sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? im.Pas : -im.Pas;
  long long err = dx + dy;
  std::uint32_t* p = im.Bits + y0 * im.Pas + x0;
  std::uint32_t* fin = im.Bits + y1 * im.Pas + x1;
  for (;;) {
    *p = c;
    if (p == fin) break;
    long long e2 = 2 * err;
    if (e2 >= dy) err += dy, p += sx;
    if (e2 <= dx) err += dx, p += sy;
  }
}

void Rendu(QPainter& p, const TListeDessin& l, const TPixels* direct) {
  p.setRenderHint(QPainter::Antialiasing, false);
  QPolygon poly;
  TStylo courant{-1, 0, TStyleTrait::Plein};
  QFont police = p.font();
  police.setPointSize(8);
  p.setFont(police);
  for (const TElement& e : l.Elements) {
    const TPixel* pts = l.Points.data() + e.Debut;
    if (direct && e.Stylo.Epaisseur <= 1 && e.Stylo.Style == TStyleTrait::Plein &&
        (e.Figure == TFigure::Polyligne || e.Figure == TFigure::Segment)) {
      std::uint32_t c = CouleurQt(e.Stylo.Couleur);
      for (std::uint32_t i = 1; i < e.Nombre; i++) Ligne(*direct, pts[i - 1], pts[i], c);
      continue;
    }
    if (!(e.Stylo == courant)) {
      courant = e.Stylo;
      p.setPen(Stylo(courant));
    }
    switch (e.Figure) {
      case TFigure::Polyligne:
      case TFigure::Polygone:
        poly.resize(static_cast<int>(e.Nombre));
        for (std::uint32_t i = 0; i < e.Nombre; i++) poly[static_cast<int>(i)] = QPoint(pts[i].X, pts[i].Y);
        if (e.Figure == TFigure::Polyligne)
          p.drawPolyline(poly);
        else
          p.drawPolygon(poly);
        break;
      case TFigure::Segment:
        p.drawLine(pts[0].X, pts[0].Y, pts[1].X, pts[1].Y);
        break;
      case TFigure::Rectangle:
      case TFigure::Ellipse: {
        // The rectangle excludes its right and bottom edges; a cosmetic outline of
        // QRect(x, y, w, h) covers w + 1 pixels, hence the minus one.
        int w = pts[1].X - pts[0].X, h = pts[1].Y - pts[0].Y;
        if (w <= 0 || h <= 0) break;
        p.setBrush(e.Rempli ? QBrush(QColor::fromRgb(CouleurQt(e.Stylo.Couleur))) : QBrush(Qt::NoBrush));
        if (e.Figure == TFigure::Rectangle) {
          if (e.Rempli)
            p.fillRect(pts[0].X, pts[0].Y, w, h, QColor::fromRgb(CouleurQt(e.Stylo.Couleur)));
          else
            p.drawRect(pts[0].X, pts[0].Y, w - 1, h - 1);
        } else {
          p.drawEllipse(pts[0].X, pts[0].Y, w - 1, h - 1);
        }
        p.setBrush(Qt::NoBrush);
        break;
      }
      case TFigure::Texte:
        if (e.Texte < l.Textes.size())
          p.drawText(QRect(pts[0].X, pts[0].Y, 2000, 100), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     QString::fromStdString(l.Textes[e.Texte]));
        break;
    }
  }
}

}  // namespace

void RenduListe(QPainter& p, const TListeDessin& l) { Rendu(p, l, nullptr); }

void RenduListe(QImage& image, const TListeDessin& l, const QImage* fond, int x, int y) {
  image.fill(QColor::fromRgb(CouleurQt(l.Fond)));
  if (fond && !fond->isNull()) {
    QPainter pf(&image);
    pf.drawImage(x, y, *fond);
  }
  TPixels px;
  QImage::Format f = image.format();
  bool direct =
      f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 || f == QImage::Format_ARGB32_Premultiplied;
  if (direct) {
    // Taken before the painter opens: the raster engine writes the same buffer in place.
    px = {reinterpret_cast<std::uint32_t*>(image.bits()), image.bytesPerLine() / 4, image.width(),
          image.height()};
  }
  QPainter p(&image);
  Rendu(p, l, direct ? &px : nullptr);
}
