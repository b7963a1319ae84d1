// The vertex selection window ("Sélection"): a stay-on-top tool window that
// restricts the views to one row or one column of the current surface's net and
// chooses the current section of the grid.
#pragma once

#include <QWidget>
#include <functional>

#include "edition/FenSel.h"
#include "session/Avis.h"

class TMainForm;

class TFenSelForm : public QWidget {
 public:
  TFenSelForm(TMainForm& f, QWidget* parent);
  // The net the window works on: the current vertex's surface when it is a NURBS surface.
  TSurface* Surface() const;
  TFenSelGeom Geometrie() const;
  // Showing applies every net's filters in the four views; hiding lifts them.
  void Applique();
  void Leve();
  // Caption and picture after the current vertex or the model changed.
  void MajTitre();
  std::function<void()> QuandFerme;
  // Caption and picture follow the current vertex and the model.
  TAbonnement Avis;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  TMainForm& F;
};

// The window of a main window (made with it), nullptr before.
TFenSelForm* FenSelDe(const TMainForm& f);
// "Sélection des vertex": shown, the nets' filters apply in the views; hidden, they lift.
void MontreFenSel(TMainForm& f, bool on);
