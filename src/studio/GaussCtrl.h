// The curvature colour scale window ("Gaussienne"): the saturation value, the dead
// band and the contrast slider of the studio's curvature colours, and the colour bar.
#pragma once

#include <QWidget>
#include <functional>

#include "studio/StudioCalc.h"

class QLabel;
class QLineEdit;
class QSlider;

class TGaussForm : public QWidget {
 public:
  TGaussForm(TEchelleGauss& e, QWidget* principale);

  // Called after a change of the scale: the colours are to be recomputed and drawn.
  std::function<void()> Change;
  // Shows the window flush with the main window's right edge, 22 pixels below its top.
  void Montre();
  void DrawScale();

  QLineEdit* EditMax = nullptr;
  QLineEdit* EditMin = nullptr;
  QSlider* Curseur = nullptr;
  QLabel* LabelHaut = nullptr;
  QLabel* LabelBas = nullptr;

 private:
  TEchelleGauss& E;
  QWidget* Principale;
  QWidget* Barre = nullptr;
};
