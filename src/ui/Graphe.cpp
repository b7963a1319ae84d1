#include "ui/Graphe.h"

#include <QApplication>
#include <QBuffer>
#include <QCategoryAxis>
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
#include <QResizeEvent>
#include <QScatterSeries>
#include <QSvgGenerator>
#include <QValueAxis>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <tuple>

#include "base/Chaines.h"

namespace {

QValueAxis* Axe(const QChart* c, Qt::Orientation o) {
  auto a = c->axes(o);
  return a.isEmpty() ? nullptr : qobject_cast<QValueAxis*>(a.first());
}

QCategoryAxis* AxeGradue(const QChart* c, Qt::Orientation o) {
  return qobject_cast<QCategoryAxis*>(Axe(c, o));
}

// About six graduations of 1, 2, 2.5 or 5 times a power of ten: 0 to 180 degrees by 30.
double PasRond(double v0, double v1) {
  const double brut = (v1 - v0) / 6;
  if (!(brut > 0) || !std::isfinite(brut)) return 1;
  const double p = std::pow(10.0, std::floor(std::log10(brut)));
  for (double k : {1.0, 2.0, 2.5, 3.0, 5.0})
    if (k * p >= brut) return k * p;
  return 10 * p;
}

// The decimals that tell two graduations apart: 2.5 needs one, 0.25 two, 30 none.
int Decimales(double pas) {
  int d = 0;
  for (double v = pas; d < 15; d++, v *= 10)
    if (std::abs(v - std::round(v)) <= 1e-6 * v) break;
  return d;
}

// A graduation as it reads: its decimals, and no sign on a zero.
QString TexteGraduation(double v, int decimales) {
  QString t = QString::number(v, 'f', decimales);
  if (t.startsWith('-') && t.count('0') == t.size() - (t.contains('.') ? 2 : 1)) t.remove(0, 1);
  return t;
}

// The unit of a title, "[N.m]" at its end, and the prefixed unit for a factor. Only units
// that take a prefix get one (forces, moments, energies, powers; kilograms become tonnes):
// metres and degrees keep their values.
QString AvecPrefixe(const QString& titre, double facteur) {
  if (facteur == 1) return titre;
  const qsizetype a = titre.lastIndexOf('['), b = titre.lastIndexOf(']');
  if (a < 0 || b < a) return titre;
  const QString unite = titre.mid(a + 1, b - a - 1);
  QString u;
  if (unite.compare("kg", Qt::CaseInsensitive) == 0)
    u = facteur == 1e3 ? "t" : facteur == 1e6 ? "kt" : "Mt";
  else
    u = QString(facteur == 1e3 ? "k" : facteur == 1e6 ? "M" : "G") + unite;
  return titre.left(a + 1) + u + titre.mid(b);
}

bool UnitePrefixable(const QString& titre) {
  const qsizetype a = titre.lastIndexOf('['), b = titre.lastIndexOf(']');
  if (a < 0 || b < a) return false;
  const QString u = titre.mid(a + 1, b - a - 1);
  return u.compare("kg", Qt::CaseInsensitive) == 0 || u.startsWith('N') || u.startsWith('J') ||
         u.startsWith('W');
}

// A factor of a thousand to the power that brings the largest value below ten thousand.
double FacteurPour(double v0, double v1) {
  const double m = std::max(std::abs(v0), std::abs(v1));
  if (!(m >= 1e4) || !std::isfinite(m)) return 1;
  return std::pow(1000.0, std::min(3.0, std::floor(std::log10(m) / 3)));
}

}  // namespace

TGraphe::TGraphe(QWidget* parent) : QChartView(new QChart, parent) {
  setRenderHint(QPainter::Antialiasing);
  setRubberBand(QChartView::RectangleRubberBand);
  chart()->legend()->hide();
  // Graduations written from round values: an axis' own stepping adds rounding (a zero read
  // -5.551e-17) and its printf formats repeat labels or print exponents.
  for (Qt::Orientation o : {Qt::Horizontal, Qt::Vertical}) {
    auto* a = new QCategoryAxis;
    a->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    chart()->addAxis(a, o == Qt::Horizontal ? Qt::AlignBottom : Qt::AlignLeft);
    connect(a, &QValueAxis::rangeChanged, this, [this, o] { Gradue(o); });
  }
  Gradue(Qt::Horizontal);
  Gradue(Qt::Vertical);
}

void TGraphe::Titres(const QString& titre, const QString& axeX, const QString& axeY) {
  chart()->setTitle(titre);
  TitreXBrut = axeX, TitreYBrut = axeY;
  Axe(chart(), Qt::Horizontal)->setTitleText(AvecPrefixe(axeX, FacteurX));
  Axe(chart(), Qt::Vertical)->setTitleText(AvecPrefixe(axeY, FacteurY));
}

QString TGraphe::Titre() const { return chart()->title(); }
QString TGraphe::TitreX() const { return Axe(chart(), Qt::Horizontal)->titleText(); }
QString TGraphe::TitreY() const { return Axe(chart(), Qt::Vertical)->titleText(); }

std::pair<double, double> TGraphe::BornesX() const {
  auto* a = Axe(chart(), Qt::Horizontal);
  return {a->min() * FacteurX, a->max() * FacteurX};
}

std::vector<double> TGraphe::Graduations(Qt::Orientation o) const {
  const QValueAxis* a = Axe(chart(), o);
  std::vector<double> v;
  const double lo = a->min(), hi = a->max();
  const double pas = PasRond(lo, hi);
  const double k0 = std::ceil(lo / pas - 1e-9), k1 = std::floor(hi / pas + 1e-9);
  for (double k = k0; k <= k1 && v.size() < 200; k++) v.push_back(k == 0 ? 0.0 : k * pas);
  return v;
}

QStringList TGraphe::Etiquettes(Qt::Orientation o) const {
  const QValueAxis* a = Axe(chart(), o);
  const int d = Decimales(PasRond(a->min(), a->max()));
  QStringList l;
  for (double v : Graduations(o)) l << TexteGraduation(v, d);
  return l;
}

void TGraphe::Gradue(Qt::Orientation o) {
  QCategoryAxis* a = AxeGradue(chart(), o);
  if (!a) return;
  const QStringList avant = a->categoriesLabels();
  for (const QString& l : avant) a->remove(l);
  a->setStartValue(a->min());
  const std::vector<double> v = Graduations(o);
  const QStringList t = Etiquettes(o);
  for (size_t i = 0; i < v.size(); i++) a->append(t[static_cast<qsizetype>(i)], v[i]);
}

void TGraphe::Efface() {
  chart()->removeAllSeries();
  Series.clear();
  ZoomInitial();
}

void TGraphe::AjouteLigne(const QString& nom, const QColor& c, const TPoints& pts) {
  Series.push_back({nom, c, pts, true, {}});
  CreeSeries(Series.back());
}

void TGraphe::AjoutePoints(const QColor& c, const TPoints& pts, const std::vector<QString>& noms) {
  Series.push_back({QString(), c, pts, false, noms});
  CreeSeries(Series.back());
}

void TGraphe::CreeSeries(const TSerie& se) {
  auto attache = [this](QAbstractSeries* s) {
    chart()->addSeries(s);
    s->attachAxis(Axe(chart(), Qt::Horizontal));
    s->attachAxis(Axe(chart(), Qt::Vertical));
  };
  if (se.Ligne) {
    auto* s = new QLineSeries;
    s->setName(se.Nom);
    s->setPen(QPen(se.Couleur, 2));
    for (const auto& [x, y] : se.Pts) s->append(x / FacteurX, y / FacteurY);
    attache(s);
    return;
  }
  // One series per marker: a series labels its points with one format, the marker's name.
  for (size_t i = 0; i < se.Pts.size(); i++) {
    auto* s = new QScatterSeries;
    s->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    s->setMarkerSize(9);
    s->setColor(Qt::transparent);
    s->setBorderColor(se.Couleur);
    s->append(se.Pts[i].first / FacteurX, se.Pts[i].second / FacteurY);
    QString nom = i < se.Etiquettes.size() ? se.Etiquettes[i] : QString();
    s->setPointLabelsFormat(nom);
    s->setPointLabelsVisible(true);
    s->setPointLabelsColor(se.Couleur);
    attache(s);
  }
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

void TGraphe::ChoisitFacteurs(double x0, double x1, double y0, double y1) {
  const double fx = UnitePrefixable(TitreXBrut) ? FacteurPour(x0, x1) : 1;
  const double fy = UnitePrefixable(TitreYBrut) ? FacteurPour(y0, y1) : 1;
  if (fx == FacteurX && fy == FacteurY) return;
  FacteurX = fx, FacteurY = fy;
  chart()->removeAllSeries();
  for (const auto& se : Series) CreeSeries(se);
  Titres(chart()->title(), TitreXBrut, TitreYBrut);
}

void TGraphe::ZoomInitial() {
  chart()->zoomReset();
  double x0, x1, y0, y1;
  Bornes(x0, x1, y0, y1);
  ChoisitFacteurs(x0, x1, y0, y1);
  x0 /= FacteurX, x1 /= FacteurX, y0 /= FacteurY, y1 /= FacteurY;
  const double m = (y1 - y0) * 0.05;
  y0 -= m, y1 += m;
  // The range ends on graduations.
  for (auto [o, v0, v1] : {std::tuple{Qt::Horizontal, x0, x1}, std::tuple{Qt::Vertical, y0, y1}}) {
    const double pas = PasRond(v0, v1);
    Axe(chart(), o)->setRange(std::floor(v0 / pas + 1e-9) * pas, std::ceil(v1 / pas - 1e-9) * pas);
    Gradue(o);
  }
}

void TGraphe::wheelEvent(QWheelEvent* e) {
  const int d = e->angleDelta().y();
  if (d == 0) return QChartView::wheelEvent(e);
  // About the point under the pointer: it stays where it is.
  const QRectF zone = chart()->plotArea();
  const QPointF c = chart()->mapFromScene(mapToScene(e->position().toPoint()));
  if (!zone.contains(c)) return QChartView::wheelEvent(e);
  const double f = d > 0 ? 0.8 : 1.25;
  const QRectF r(c.x() - (c.x() - zone.left()) * f, c.y() - (c.y() - zone.top()) * f, zone.width() * f,
                 zone.height() * f);
  chart()->zoomIn(r);
  e->accept();
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

void TGraphe::Dessine(QPainter& p, const QSize& taille) {
  const QSize avant = size();
  const bool cache = !isVisible();
  // Drawn at the target's size so that fonts and margins keep their proportions. A hidden
  // widget hears of its new size only when shown: the chart is told at once.
  auto taillePour = [this](const QSize& t, const QSize& ancienne) {
    resize(t);
    QResizeEvent e(t, ancienne);
    QApplication::sendEvent(this, &e);
    chart()->resize(QSizeF(t));
    // The chart lays its axes and labels out on a posted request.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCoreApplication::sendPostedEvents(chart(), 0);
  };
  if (cache) taillePour(taille, avant);
  render(&p, QRectF(QPointF(0, 0), QSizeF(taille)), rect());
  if (cache) taillePour(avant, taille);
}

QImage TGraphe::Image(const QSize& taille) {
  QImage im(taille, QImage::Format_ARGB32);
  im.fill(Qt::white);
  QPainter p(&im);
  p.setRenderHint(QPainter::Antialiasing);
  Dessine(p, taille);
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
  const QSize taille = size().isEmpty() ? QSize(900, 600) : size();
  if (chemin.endsWith(".svg", Qt::CaseInsensitive)) {
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    const QByteArray svg = Svg(taille);
    return f.write(svg) == svg.size() && f.flush();
  }
  return Image(taille).save(chemin, "PNG");
}

QByteArray TGraphe::Svg(const QSize& taille) {
  // The chart as drawn on screen, axes at their present ranges (what the user zoomed to is
  // what is saved), in lines and text.
  QBuffer tampon;
  tampon.open(QIODevice::WriteOnly);
  QSvgGenerator g;
  g.setOutputDevice(&tampon);
  g.setSize(taille);
  // Its width and height are written in millimetres: at the resolution SVG readers take for
  // them, the drawing keeps its size in pixels.
  g.setResolution(90);
  g.setViewBox(QRect(QPoint(0, 0), taille));
  g.setTitle(chart()->title());
  {
    QPainter p(&g);
    p.fillRect(QRect(QPoint(0, 0), taille), Qt::white);
    Dessine(p, taille);
  }
  return tampon.data();
}
