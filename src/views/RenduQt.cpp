// QPainter rendering of display lists. Aliased drawing with cosmetic pens: the
// fastest path of the raster engine, and the pixel-exact look of a lines plan.
#include "views/RenduQt.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QString>

unsigned int CouleurQt(int bgr) {
  unsigned int c = static_cast<unsigned int>(bgr) & 0xFFFFFFu;
  return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

namespace {

QPen Stylo(const TStylo& s) {
  // Width 1 is cosmetic (0): one pixel whatever the transform, and the fast stroker.
  QPen pen(QColor::fromRgb(CouleurQt(s.Couleur)), s.Epaisseur <= 1 ? 0 : s.Epaisseur);
  switch (s.Style) {
    case TStyleTrait::Pointille: pen.setStyle(Qt::DotLine); break;
    case TStyleTrait::TiretPoint: pen.setStyle(Qt::DashDotLine); break;
    default: break;
  }
  return pen;
}

}  // namespace

void RenduListe(QPainter& p, const TListeDessin& l) {
  p.setRenderHint(QPainter::Antialiasing, false);
  QPolygon poly;
  TStylo courant{-1, 0, TStyleTrait::Plein};
  QFont police = p.font();
  police.setPointSize(8);
  p.setFont(police);
  for (const TElement& e : l.Elements) {
    if (!(e.Stylo == courant)) {
      courant = e.Stylo;
      p.setPen(Stylo(courant));
    }
    const TPixel* pts = l.Points.data() + e.Debut;
    switch (e.Figure) {
      case TFigure::Polyligne:
      case TFigure::Polygone:
        poly.resize(static_cast<int>(e.Nombre));
        for (std::uint32_t i = 0; i < e.Nombre; i++) poly[static_cast<int>(i)] = QPoint(pts[i].X, pts[i].Y);
        if (e.Figure == TFigure::Polyligne) p.drawPolyline(poly);
        else p.drawPolygon(poly);
        break;
      case TFigure::Segment: p.drawLine(pts[0].X, pts[0].Y, pts[1].X, pts[1].Y); break;
      case TFigure::Rectangle:
      case TFigure::Ellipse: {
        // The rectangle excludes its right and bottom edges; a cosmetic outline of
        // QRect(x, y, w, h) covers w + 1 pixels, hence the minus one.
        int w = pts[1].X - pts[0].X, h = pts[1].Y - pts[0].Y;
        if (w <= 0 || h <= 0) break;
        p.setBrush(e.Rempli ? QBrush(QColor::fromRgb(CouleurQt(e.Stylo.Couleur))) : QBrush(Qt::NoBrush));
        if (e.Figure == TFigure::Rectangle) {
          if (e.Rempli) p.fillRect(pts[0].X, pts[0].Y, w, h, QColor::fromRgb(CouleurQt(e.Stylo.Couleur)));
          else p.drawRect(pts[0].X, pts[0].Y, w - 1, h - 1);
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

void RenduListe(QImage& image, const TListeDessin& l) {
  image.fill(QColor::fromRgb(CouleurQt(l.Fond)));
  QPainter p(&image);
  RenduListe(p, l);
}
