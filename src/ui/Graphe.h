// The chart of the calculation windows: line and point series with labels,
// titled axes, rubber-band zoom and its reset, printing in portrait or
// landscape, copy as an image, and saving as PNG or SVG.
#pragma once

#include <QChartView>
#include <QColor>
#include <QString>
#include <utility>
#include <vector>

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

  QImage Image(const QSize& taille = QSize(900, 600));
  void Imprime(QPrinter& p);
  void Copier();
  // ".svg" gives a drawing written from the series, anything else a PNG.
  bool Enregistre(const QString& chemin);
  QString Svg(const QSize& taille = QSize(900, 600)) const;
  void ImprimeAvecDialogue();
  void EnregistreAvecDialogue();

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override;
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
  void Bornes(double& x0, double& x1, double& y0, double& y1) const;
};
