// The options window ("&Options..."): its pages "Général", "Couleurs" and "Réglages"
// edit a copy of the program's settings; OK checks every field before applying any,
// then gives the values to the program and writes them to the store.
#pragma once

#include <QDialog>
#include <array>

#include "base/Options.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;
class TMainForm;

class TOptionForm : public QDialog {
 public:
  explicit TOptionForm(TMainForm& f, QWidget* parent = nullptr);

  // Fills the pages from the settings and the language files of the folder.
  void Ouvre(const TReglages& r, const QString& dossierLangues);
  // OK: false (and a message) when a field is wrong; then nothing is applied.
  bool Valide();
  const TReglages& Resultat() const { return R; }

  QTabWidget* Pages = nullptr;
  std::array<QPushButton*, NbCouleurs> Pastilles{};
  QCheckBox *CBMultiFen, *CBSplineTR, *CBSavConfig, *CBPosFen, *CBAxesPlanSym, *CBPosLight, *CBNetVxStudio;
  QLineEdit* EdTailleReperes;
  QComboBox* CBLangue;
  QSlider *TBPoids, *TBPolyFactor, *TBPolyUnits, *TBCourbure;
  QLabel *LPoids, *LCourbure;
  QRadioButton *RBCourbure, *RBRayon, *RBInterieur, *RBExterieur;

 private:
  void Peint(int i, int couleur);
  void ChoisitCouleur(int i);
  void CourbureChangee();
  TMainForm& F;
  TReglages R;
  std::array<int, NbCouleurs> Couleurs{};
  bool Remplissage = false;
};

// The language entries of a folder: "lang_X.dat" gives X, plus "Français", sorted.
QStringList LanguesDisponibles(const QString& dossier);
// OK's effect: the settings become the program's, reach the windows and the store.
void AppliqueOptions(TMainForm& f, const TReglages& r);
// Opens the window on the program's settings; on OK applies and writes them.
void LanceOptions(TMainForm& f);
