// The chart of the calculation windows: line and point series with labels,
// titled axes graduated in round numbers (a unit that takes a prefix gets one:
// 75000 N.m reads 75 kN.m), rubber-band and wheel zoom and its reset, printing
// in portrait or landscape, copy as an image, and saving as PNG or SVG.
#pragma once

#include <QChartView>
#include <QColor>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

class QPainter;
class QPrinter;

class TGraphe : public QChartView {
 public:
  explicit TGraphe(QWidget* parent = nullptr);

  using TPoints = std::vector<std::pair<double, double>>;
  void Titres(const QString& titre, const QString& axeX, const QString& axeY);
  void Efface();
  void AjouteLigne(const QString& nom, const QColor& c, const TPoints& pts);
  // Markers, each labelled with its name.
  void AjoutePoints(const QColor& c, const TPoints& pts, const std::vector<QString>& noms);
  // The axes fitted to every series.
  void ZoomInitial();
  int NbSeries() const { return static_cast<int>(Series.size()); }
  const TPoints& Serie(int i) const { return Series[static_cast<size_t>(i)].Pts; }
  QString Titre() const;
  QString TitreX() const;
  QString TitreY() const;
  std::pair<double, double> BornesX() const;
  // The graduations shown on an axis, in the axis' displayed unit, and their texts.
  std::vector<double> Graduations(Qt::Orientation o) const;
  QStringList Etiquettes(Qt::Orientation o) const;
  // The factor the values of an axis are divided by for display (1, 1e3, 1e6...).
  double Facteur(Qt::Orientation o) const { return o == Qt::Horizontal ? FacteurX : FacteurY; }

  QImage Image(const QSize& taille = QSize(900, 600));
  void Imprime(QPrinter& p);
  void Copier();
  // ".svg" gives the chart as a vector drawing, anything else a PNG; at the chart's size.
  bool Enregistre(const QString& chemin);
  QByteArray Svg(const QSize& taille = QSize(900, 600));
  void ImprimeAvecDialogue();
  void EnregistreAvecDialogue();

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;

 private:
  struct TSerie {
    QString Nom;
    QColor Couleur;
    TPoints Pts;
    bool Ligne = true;
    std::vector<QString> Etiquettes;
  };
  std::vector<TSerie> Series;
  QString TitreXBrut, TitreYBrut;  // as given, before a prefix is put on their unit
  double FacteurX = 1, FacteurY = 1;
  void Bornes(double& x0, double& x1, double& y0, double& y1) const;
  void ChoisitFacteurs(double x0, double x1, double y0, double y1);
  void Gradue(Qt::Orientation o);
  void CreeSeries(const TSerie& se);
  // The chart drawn at a size (a hidden chart is laid out at that size for the drawing).
  void Dessine(QPainter& p, const QSize& taille);
};
