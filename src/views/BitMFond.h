// Background pictures of the views: decoding a file into an image, fitting it to a
// window, and the dialog "Charger une image de fond" that chooses them.
#pragma once

#include <QDialog>
#include <QImage>
#include <array>
#include <string>

#include "model/Document.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TMainForm;

// The file as the document names it: a relative name is looked for beside the document
// when it is not found from the current folder.
std::string CheminImageFond(const std::string& nom, const std::string& document);
// Decodes a picture file: JPEG, then Windows bitmap, then GIF, each tried on its own; the
// last that succeeds gives the image. False (image null, diagnostics entry written) when
// the file is missing or none decodes it.
bool ChargeImageFond(const std::string& chemin, QImage& image);
// The picture stretched to the size the fit mode gives for a w x h window; false (out
// untouched) when no such picture can be made.
bool EtireImageFond(const QImage& source, const TImageFondDoc& im, int w, int h, QImage& out);

class TBitMFondForm : public QDialog {
 public:
  TBitMFondForm(TMainForm& f, QWidget* parent);
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

 private:
  TMainForm& F;
  std::array<TImageFondDoc, 4> R;
  int Vue = tvProfil;
  bool Maj = false;
  void MontreVue();
};
