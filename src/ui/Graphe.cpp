#include "ui/Graphe.h"

#include <QApplication>
#include <QChart>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QFileDialog>
#include <QLineSeries>
#include <QMenu>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "base/Chaines.h"

namespace {

QValueAxis* Axe(const QChart* c, Qt::Orientation o) {
  auto a = c->axes(o);
  return a.isEmpty() ? nullptr : qobject_cast<QValueAxis*>(a.first());
}

// About six graduations of 1, 2, 2.5, 3 or 5 times a power of ten: 0 to 180 degrees by 30.
void Graduations(QValueAxis* a, double v0, double v1) {
  const double brut = (v1 - v0) / 6;
  const double p = std::pow(10.0, std::floor(std::log10(brut)));
  double pas = 10 * p;
  for (double k : {1.0, 2.0, 2.5, 3.0, 5.0})
    if (k * p >= brut) {
      pas = k * p;
      break;
    }
  const double a0 = std::floor(v0 / pas + 1e-9) * pas, a1 = std::ceil(v1 / pas - 1e-9) * pas;
  // Fixed ticks while the range changes: the old interval over a new, larger range would
  // lay out thousands of graduations.
  a->setTickType(QValueAxis::TicksFixed);
  a->setRange(a0, a1);
  a->setTickInterval(pas);
  a->setTickAnchor(a0);
  a->setTickType(QValueAxis::TicksDynamic);
  a->setMinorTickCount(1);
}

QString Echappe(QString s) {
  return s.replace('&', "&amp;").replace('<', "&lt;").replace('>', "&gt;").replace('"', "&quot;");
}

}  // namespace

TGraphe::TGraphe(QWidget* parent) : QChartView(new QChart, parent) {
  setRenderHint(QPainter::Antialiasing);
  setRubberBand(QChartView::RectangleRubberBand);
  chart()->legend()->hide();
  auto* x = new QValueAxis;
  auto* y = new QValueAxis;
  chart()->addAxis(x, Qt::AlignBottom);
  chart()->addAxis(y, Qt::AlignLeft);
  x->setLabelFormat("%.4g");
  y->setLabelFormat("%.4g");
}

void TGraphe::Titres(const QString& titre, const QString& axeX, const QString& axeY) {
  chart()->setTitle(titre);
  Axe(chart(), Qt::Horizontal)->setTitleText(axeX);
  Axe(chart(), Qt::Vertical)->setTitleText(axeY);
}

QString TGraphe::Titre() const { return chart()->title(); }
QString TGraphe::TitreX() const { return Axe(chart(), Qt::Horizontal)->titleText(); }
QString TGraphe::TitreY() const { return Axe(chart(), Qt::Vertical)->titleText(); }

std::pair<double, double> TGraphe::BornesX() const {
  auto* a = Axe(chart(), Qt::Horizontal);
  return {a->min(), a->max()};
}

void TGraphe::Efface() {
  chart()->removeAllSeries();
  Series.clear();
  ZoomInitial();
}

void TGraphe::AjouteLigne(const QString& nom, const QColor& c, const TPoints& pts) {
  auto* s = new QLineSeries;
  s->setName(nom);
  s->setPen(QPen(c, 2));
  for (const auto& [x, y] : pts) s->append(x, y);
  chart()->addSeries(s);
  s->attachAxis(Axe(chart(), Qt::Horizontal));
  s->attachAxis(Axe(chart(), Qt::Vertical));
  Series.push_back({nom, c, pts, true, {}});
}

void TGraphe::AjoutePoints(const QColor& c, const TPoints& pts, const std::vector<QString>& noms) {
  // One series per marker: a series labels its points with one format, the marker's name.
  for (size_t i = 0; i < pts.size(); i++) {
    auto* s = new QScatterSeries;
    s->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    s->setMarkerSize(9);
    s->setColor(Qt::transparent);
    s->setBorderColor(c);
    s->append(pts[i].first, pts[i].second);
    QString nom = i < noms.size() ? noms[i] : QString();
    s->setPointLabelsFormat(nom);
    s->setPointLabelsVisible(true);
    s->setPointLabelsColor(c);
    chart()->addSeries(s);
    s->attachAxis(Axe(chart(), Qt::Horizontal));
    s->attachAxis(Axe(chart(), Qt::Vertical));
  }
  Series.push_back({QString(), c, pts, false, noms});
}

void TGraphe::Bornes(double& x0, double& x1, double& y0, double& y1) const {
  x0 = y0 = HUGE_VAL;
  x1 = y1 = -HUGE_VAL;
  for (const auto& s : Series)
    for (const auto& [x, y] : s.Pts) {
      x0 = std::min(x0, x), x1 = std::max(x1, x);
      y0 = std::min(y0, y), y1 = std::max(y1, y);
    }
  if (x0 > x1) x0 = 0, x1 = 1, y0 = 0, y1 = 1;
  // A flat or single-point series still gets axes one can read.
  if (x1 - x0 < 1e-12) x0 -= 0.5, x1 += 0.5;
  if (y1 - y0 < 1e-12) y0 -= 0.5, y1 += 0.5;
}

void TGraphe::ZoomInitial() {
  chart()->zoomReset();
  double x0, x1, y0, y1;
  Bornes(x0, x1, y0, y1);
  auto* ax = Axe(chart(), Qt::Horizontal);
  auto* ay = Axe(chart(), Qt::Vertical);
  const double m = (y1 - y0) * 0.05;
  Graduations(ax, x0, x1);
  Graduations(ay, y0 - m, y1 + m);
}

void TGraphe::mouseReleaseEvent(QMouseEvent* e) {
  // The right button opens the menu instead of zooming out one step.
  if (e->button() == Qt::RightButton) {
    e->accept();
    return;
  }
  QChartView::mouseReleaseEvent(e);
}

void TGraphe::contextMenuEvent(QContextMenuEvent* e) {
  QMenu m(this);
  m.addAction(rs("rsBtnZoomInitial").c_str(), this, [this] { ZoomInitial(); });
  m.addAction(rs("rsMeCopierCaption").c_str(), this, [this] { Copier(); });
  m.addAction(rs("rsBtnImprimerPts").c_str(), this, [this] { ImprimeAvecDialogue(); });
  m.addAction(rs("rsBtnEnregistrerImage").c_str(), this, [this] { EnregistreAvecDialogue(); });
  m.exec(e->globalPos());
}

QImage TGraphe::Image(const QSize& taille) {
  QImage im(taille, QImage::Format_ARGB32);
  im.fill(Qt::white);
  QPainter p(&im);
  p.setRenderHint(QPainter::Antialiasing);
  const QSize avant = size();
  const bool cache = !isVisible();
  // Rendered at the image's size so that fonts and margins keep their proportions.
  if (cache) resize(taille);
  render(&p, QRectF(QPointF(0, 0), QSizeF(taille)), rect());
  if (cache) resize(avant);
  return im;
}

void TGraphe::Imprime(QPrinter& pr) {
  QPainter p(&pr);
  const QRect page = p.viewport();
  // Drawn at screen resolution and scaled up: the fonts keep their size relative to the chart.
  QImage im = Image(QSize(1200, std::max(1, 1200 * page.height() / std::max(1, page.width()))));
  p.drawImage(QRect(0, 0, page.width(), page.height()), im);
}

void TGraphe::Copier() {
  QApplication::clipboard()->setImage(Image(size().isEmpty() ? QSize(900, 600) : size()));
}

void TGraphe::ImprimeAvecDialogue() {
  QPrinter pr(QPrinter::HighResolution);
  pr.setPageOrientation(QPageLayout::Landscape);
  QPrintDialog d(&pr, this);
  if (d.exec() == QDialog::Accepted) Imprime(pr);
}

void TGraphe::EnregistreAvecDialogue() {
  QString f = QFileDialog::getSaveFileName(this, QString(), QString(), "PNG (*.png);;SVG (*.svg)");
  if (!f.isEmpty()) Enregistre(f);
}

bool TGraphe::Enregistre(const QString& chemin) {
  if (chemin.endsWith(".svg", Qt::CaseInsensitive)) {
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return f.write(Svg().toUtf8()) >= 0;
  }
  return Image(size().isEmpty() ? QSize(900, 600) : size()).save(chemin, "PNG");
}

QString TGraphe::Svg(const QSize& taille) const {
  // The axes' current ranges: what the user zoomed to is what is saved.
  auto* ax = Axe(chart(), Qt::Horizontal);
  auto* ay = Axe(chart(), Qt::Vertical);
  const double x0 = ax->min(), x1 = ax->max(), y0 = ay->min(), y1 = ay->max();
  const double W = taille.width(), H = taille.height();
  const double g = 80, d = 30, h = 50, b = 60;  // margins
  auto px = [&](double x) { return g + (x - x0) / (x1 - x0) * (W - g - d); };
  auto py = [&](double y) { return H - b - (y - y0) / (y1 - y0) * (H - h - b); };
  QString s;
  s +=
      QString("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" font-family=\"Arial\">\n")
          .arg(W)
          .arg(H);
  s += QString("<rect width=\"%1\" height=\"%2\" fill=\"white\"/>\n").arg(W).arg(H);
  s += QString("<text x=\"%1\" y=\"30\" text-anchor=\"middle\" font-size=\"16\">%2</text>\n")
           .arg(W / 2)
           .arg(Echappe(chart()->title()));
  s += QString("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"none\" stroke=\"black\"/>\n")
           .arg(g)
           .arg(h)
           .arg(W - g - d)
           .arg(H - h - b);
  auto graduations = [](const QValueAxis* a) {
    std::vector<double> v;
    const double pas = a->tickInterval() > 0 ? a->tickInterval() : (a->max() - a->min()) / 5;
    for (double t = a->tickAnchor(); t <= a->max() + 1e-9 * pas && v.size() < 100; t += pas)
      if (t >= a->min() - 1e-9 * pas) v.push_back(t);
    return v;
  };
  for (double v : graduations(ax)) {
    s += QString(
             "<line x1=\"%1\" y1=\"%2\" x2=\"%1\" y2=\"%3\" stroke=\"#ccc\"/>"
             "<text x=\"%1\" y=\"%4\" text-anchor=\"middle\" font-size=\"11\">%5</text>\n")
             .arg(px(v))
             .arg(h)
             .arg(H - b)
             .arg(H - b + 16)
             .arg(QString::number(v, 'g', 4));
  }
  for (double v : graduations(ay)) {
    s += QString(
             "<line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%2\" stroke=\"#ccc\"/>"
             "<text x=\"%4\" y=\"%5\" text-anchor=\"end\" font-size=\"11\">%6</text>\n")
             .arg(g)
             .arg(py(v))
             .arg(W - d)
             .arg(g - 6)
             .arg(py(v) + 4)
             .arg(QString::number(v, 'g', 4));
  }
  s += QString("<text x=\"%1\" y=\"%2\" text-anchor=\"middle\" font-size=\"13\">%3</text>\n")
           .arg(g + (W - g - d) / 2)
           .arg(H - 18)
           .arg(Echappe(ax->titleText()));
  s += QString(
           "<text transform=\"translate(18,%1) rotate(-90)\" text-anchor=\"middle\" "
           "font-size=\"13\">%2</text>\n")
           .arg(h + (H - h - b) / 2)
           .arg(Echappe(ay->titleText()));
  s += QString("<clipPath id=\"zone\"><rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"/></clipPath>\n")
           .arg(g)
           .arg(h)
           .arg(W - g - d)
           .arg(H - h - b);
  for (const auto& se : Series) {
    if (se.Ligne) {
      QString pts;
      for (const auto& [x, y] : se.Pts) pts += QString("%1,%2 ").arg(px(x), 0, 'f', 2).arg(py(y), 0, 'f', 2);
      s += QString(
               "<polyline clip-path=\"url(#zone)\" fill=\"none\" stroke=\"%1\" stroke-width=\"2\" "
               "points=\"%2\"/>\n")
               .arg(se.Couleur.name(), pts.trimmed());
    } else {
      for (size_t i = 0; i < se.Pts.size(); i++) {
        double x = px(se.Pts[i].first), y = py(se.Pts[i].second);
        s += QString(
                 "<circle cx=\"%1\" cy=\"%2\" r=\"4\" fill=\"none\" stroke=\"%3\"/>"
                 "<text x=\"%4\" y=\"%5\" font-size=\"11\" fill=\"%3\">%6</text>\n")
                 .arg(x)
                 .arg(y)
                 .arg(se.Couleur.name())
                 .arg(x + 6)
                 .arg(y - 6)
                 .arg(Echappe(i < se.Etiquettes.size() ? se.Etiquettes[i] : QString()));
      }
    }
  }
  s += "</svg>\n";
  return s;
}
