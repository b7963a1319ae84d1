// The view-control window ("Contrôle"): a stay-on-top tool window whose sliders show
// and set the scale, the offsets and, for the perspective view, the angles of the
// active view.
#pragma once

#include <QWidget>
#include <array>

class QLabel;
class QSlider;
class TMainForm;

class TVueCtrlForm : public QWidget {
 public:
  enum { Echelle, DeplH, DeplV, AngleH, AngleV };
  TVueCtrlForm(TMainForm& f, QWidget* parent);
  // Binds the window to a view kind (on every activation) and sets the ranges.
  void ChangeVue(int type);
  // The sliders from the view of that kind, when it is the bound one; no change action.
  void MajPositions(int type);
  // A slider's value applied to the active view, which is redrawn.
  void Applique(int curseur, int valeur);
  int VueLiee() const { return Type; }

  std::array<QSlider*, 5> Curseurs{};
  std::array<QLabel*, 5> Valeurs{};
  std::array<QLabel*, 5> Titres{};

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  TMainForm& F;
  int Type = -1;
  bool Maj = false;
};

// The window of the main window (made on first use), or nullptr before.
TVueCtrlForm& VueCtrl(TMainForm& f);
TVueCtrlForm* VueCtrlExistante(const TMainForm& f);
