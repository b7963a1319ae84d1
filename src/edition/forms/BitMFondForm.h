// The dialog "Charger une image de fond" that chooses the views' background pictures,
// and its commands.
#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "model/Document.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TMainForm;

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

 private:
  TMainForm& F;
  std::array<TImageFondDoc, 4> R;
  int Vue = tvProfil;
  bool Maj = false;
  void MontreVue();
};
