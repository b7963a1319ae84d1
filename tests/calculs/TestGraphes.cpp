// The charts' axes as the user reads them: graduations in round numbers, each once,
// zero written as zero, a unit that takes a prefix given one, and the wheel zooming
// about the pointer. The labels are found in the chart saved as SVG.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <set>

#include "ui/Graphe.h"

namespace {

// The graduation labels of the axes, each of them found as a text of the chart saved as SVG.
struct TLabels {
  QStringList X, Y;
};

TLabels Labels(TGraphe& g) {
  TLabels l{g.Etiquettes(Qt::Horizontal), g.Etiquettes(Qt::Vertical)};
  const QString svg = QString::fromUtf8(g.Svg());
  for (const QStringList* axe : {&l.X, &l.Y})
    for (const QString& t : *axe)
      EXPECT_TRUE(svg.contains(">" + t.toHtmlEscaped() + "</text>")) << t.toStdString();
  return l;
}

// Labels that read as numbers at one round step, none twice, no exponent, no signed zero.
void Lisibles(const QStringList& l) {
  ASSERT_GE(l.size(), 3) << l.join(" ").toStdString();
  std::set<QString> vus;
  std::vector<double> v;
  for (const QString& t : l) {
    EXPECT_FALSE(t.contains('e') || t.contains('E')) << t.toStdString();
    EXPECT_FALSE(t.startsWith('-') && t.toDouble() == 0) << t.toStdString();
    EXPECT_TRUE(vus.insert(t).second) << "repeated " << t.toStdString();
    bool ok = false;
    v.push_back(t.toDouble(&ok));
    EXPECT_TRUE(ok) << t.toStdString();
  }
  const double pas = v[1] - v[0];
  for (size_t i = 1; i < v.size(); i++) EXPECT_NEAR(v[i] - v[i - 1], pas, 1e-9 * std::abs(pas));
  // 1, 2, 2.5 or 5 times a power of ten (3 for degrees).
  const double m = pas / std::pow(10.0, std::floor(std::log10(pas) + 1e-12));
  EXPECT_TRUE(std::abs(m - 1) < 1e-9 || std::abs(m - 2) < 1e-9 || std::abs(m - 2.5) < 1e-9 ||
              std::abs(m - 3) < 1e-9 || std::abs(m - 5) < 1e-9)
      << pas;
}

TEST(Graphes, LesGraduationsSontDesNombresRondsLisibles) {
  TGraphe g;
  g.resize(900, 600);
  // A GZ curve crossing zero: the zero graduation reads 0.
  g.Titres("GZ", "Angle [°]", "GZ [m]");
  g.AjouteLigne("GZ", Qt::red, {{0, 0}, {30, 0.19}, {60, 0.05}, {90, -0.1}});
  g.ZoomInitial();
  TLabels l = Labels(g);
  Lisibles(l.X);
  Lisibles(l.Y);
  EXPECT_TRUE(l.Y.contains("0") || l.Y.contains("0.00") || l.Y.contains("0.0"))
      << l.Y.join(" ").toStdString();
  EXPECT_EQ(g.TitreY(), "GZ [m]");
  // Displacements of forty tonnes within ten kilograms: distinct labels, all digits.
  g.Efface();
  g.Titres("Table", "Z [m]", "Valeur");
  g.AjouteLigne("D", Qt::blue, {{0, 40000}, {1, 40004}, {2, 40010}});
  g.ZoomInitial();
  l = Labels(g);
  Lisibles(l.Y);
  EXPECT_TRUE(std::any_of(l.Y.begin(), l.Y.end(), [](const QString& t) { return t.toDouble() == 40000; }))
      << l.Y.join(" ").toStdString();
  // A righting moment of 75000 N.m reads 75 kN.m; the series keeps its values.
  g.Efface();
  g.Titres("RM", "Angle [°]", "Moment [N.m]");
  g.AjouteLigne("RM", Qt::red, {{0, 0}, {30, 75000}, {60, 20000}});
  g.ZoomInitial();
  EXPECT_EQ(g.TitreY(), "Moment [kN.m]");
  EXPECT_EQ(g.Serie(0)[1].second, 75000);
  l = Labels(g);
  Lisibles(l.Y);
  std::vector<double> y;
  for (const QString& t : l.Y) y.push_back(t.toDouble());
  EXPECT_LE(*std::max_element(y.begin(), y.end()), 100);
  EXPECT_GE(*std::max_element(y.begin(), y.end()), 75);
}

TEST(Graphes, LaMoletteZoomeAutourDuPointeur) {
  TGraphe g;
  g.Titres("GZ", "Angle [°]", "GZ [m]");
  g.AjouteLigne("GZ", Qt::red, {{0, 0}, {90, 0.5}, {180, -0.2}});
  g.resize(900, 600);
  g.show();
  QApplication::processEvents();
  g.ZoomInitial();
  QApplication::processEvents();
  const auto [x0, x1] = g.BornesX();
  const QRectF zone = g.chart()->plotArea();
  // A quarter of the way along the plot: the value there stays under the pointer.
  const QPointF p(zone.left() + zone.width() / 4, zone.center().y());
  const double sous = x0 + (x1 - x0) / 4;
  const QPoint vue = g.mapFromScene(g.chart()->mapToScene(p));
  QWheelEvent w(vue, g.mapToGlobal(vue), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                Qt::NoScrollPhase, false);
  QApplication::sendEvent(g.viewport(), &w);
  const auto [a0, a1] = g.BornesX();
  EXPECT_NEAR(a1 - a0, 0.8 * (x1 - x0), 1e-6 * (x1 - x0));
  EXPECT_NEAR(a0 + (a1 - a0) / 4, sous, 1e-3 * (x1 - x0));
  // Back out: the whole range again.
  QWheelEvent r(vue, g.mapToGlobal(vue), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                Qt::NoScrollPhase, false);
  QApplication::sendEvent(g.viewport(), &r);
  const auto [b0, b1] = g.BornesX();
  EXPECT_NEAR(b1 - b0, x1 - x0, 1e-6 * (x1 - x0));
}

}  // namespace

namespace {

// Where the pixels of a pure colour's curve are (anti-aliased edges included).
QRect ZoneRouge(const QImage& im) {
  QRect z;
  for (int y = 0; y < im.height(); y++)
    for (int x = 0; x < im.width(); x++) {
      const QColor c = im.pixelColor(x, y);
      if (c.red() > 200 && c.green() < 90 && c.blue() < 90) z |= QRect(x, y, 1, 1);
    }
  return z;
}

}  // namespace

// Saved as SVG, the chart is what the window shows: a drawing that an SVG reader takes, the
// curve where the picture has it, the titles and the points' names as text.
TEST(Graphes, SavedAsSvgTheChartIsTheOneOnScreen) {
  TGraphe g;
  g.resize(900, 600);
  g.Titres("GZ", QString::fromUtf8("Angle [°]"), "GZ [m]");
  g.AjouteLigne("GZ", Qt::red, {{0, 0}, {30, 0.6}, {60, 0.9}, {90, 0.4}});
  g.AjoutePoints(Qt::blue, {{45, 0.2}}, {QString::fromUtf8("Hublot & écoutille")});
  g.ZoomInitial();
  QTemporaryDir d;
  const QString chemin = d.filePath("g.svg");
  ASSERT_TRUE(g.Enregistre(chemin));
  QSvgRenderer lecteur(chemin);
  ASSERT_TRUE(lecteur.isValid());
  EXPECT_NEAR(lecteur.defaultSize().width(), 900, 1);
  EXPECT_NEAR(lecteur.defaultSize().height(), 600, 1);
  QImage lu(900, 600, QImage::Format_ARGB32);
  lu.fill(Qt::white);
  {
    QPainter p(&lu);
    lecteur.render(&p);
  }
  const QRect ecran = ZoneRouge(g.Image(QSize(900, 600))), svg = ZoneRouge(lu);
  ASSERT_GT(ecran.width(), 300);
  EXPECT_NEAR(svg.left(), ecran.left(), 3);
  EXPECT_NEAR(svg.right(), ecran.right(), 3);
  EXPECT_NEAR(svg.top(), ecran.top(), 3);
  EXPECT_NEAR(svg.bottom(), ecran.bottom(), 3);
  QFile f(chemin);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QString texte = QString::fromUtf8(f.readAll());
  EXPECT_TRUE(texte.contains(QString::fromUtf8(">Angle [°]</text>"))) << texte.left(2000).toStdString();
  EXPECT_TRUE(texte.contains(QString::fromUtf8(">Hublot &amp; écoutille</text>")));
}
