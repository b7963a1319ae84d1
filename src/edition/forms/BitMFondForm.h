// The dialog "Charger une image de fond" that chooses the views' background pictures,
// and its commands.
#pragma once

#include <QDialog>
#include <QImage>
#include <QPointF>
#include <array>
#include <functional>
#include <string>

#include "model/Document.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TMainForm;

// Ties a picture to the model: two clicks on the picture, and the model coordinates of
// those two points typed beside.
class TCalageForm : public QDialog {
 public:
  TCalageForm(const QImage& image, int vue, const TImageFondDoc& depart, QWidget* parent);
  // A click at these pixels of the picture: the first point, then the second, in turn.
  void Pointe(double px, double py);
  // OK: the typed coordinates read, and the tie checked; false (said) when it cannot be made.
  bool Valide();
  // The picture's pixel under a point of the shown picture.
  QPointF PixelImage(QPoint affiche) const { return QPointF(affiche) / Echelle; }

  TImageFondDoc Calage;
  QLabel* Image = nullptr;
  std::array<std::array<QLineEdit*, 2>, 2> Coord{};
  std::array<QLabel*, 2> Pixels{};

 private:
  QImage Source;
  double Echelle = 1;
  double Sens = 1;  // the typed vertical coordinate to the view's (the plan view's X points down)
  int Suivant = 0;
  std::array<bool, 2> Pointe_{};
  void Montre();
  bool eventFilter(QObject* o, QEvent* e) override;
};

class TBitMFondForm : public QDialog {
 public:
  TBitMFondForm(TMainForm& f, QWidget* parent);
  ~TBitMFondForm() override;
  // The view whose settings the controls show.
  void ChoisitVue(int vue);
  int VueChoisie() const { return Vue; }
  // "Charger..." with the file already chosen; "Effacer".
  void ChargeFichier(const std::string& chemin);
  void Efface();
  void ChoisitAjustement(int mode);
  // Reads the two edits: a size below 1 or not a number keeps the last valid one.
  void LitTailles();
  // OK: the views take the settings and reload their pictures.
  void Applique();
  const std::array<TImageFondDoc, 4>& Reglages() const { return R; }

  std::array<QPushButton*, 4> BoutonsVues{};
  std::array<QLabel*, 4> Noms{};
  std::array<QRadioButton*, 5> Modes{};
  QLineEdit* LargeurFixe = nullptr;
  QLineEdit* HauteurFixe = nullptr;
  QPushButton* BtnCharger = nullptr;
  QPushButton* BtnEffacer = nullptr;
  QPushButton* BtnCaler = nullptr;
  QPushButton* BtnLiberer = nullptr;
  QLabel* EtatCalage = nullptr;
  // "Caler sur le modèle...": the tie dialog on the chosen view's picture, made by `dialogue`
  // (the tests drive it) or shown modally; "Libérer" drops the tie.
  void Caler(const std::function<bool(TCalageForm&)>& dialogue = {});
  void Liberer();

 private:
  TMainForm& F;
  std::array<TImageFondDoc, 4> R;
  int Vue = tvProfil;
  bool Maj = false;
  void MontreVue();
};
