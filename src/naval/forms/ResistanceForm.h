// "Résistance à l'avancement": resistance and effective power against speed by
// Holtrop-Mennen or Savitsky, from the hull's hydrostatics at its floating position (or at
// Z = 0 without weights), with what the model cannot give entered here and kept in the
// settings. Two charts (resistance, power) with the Michlet results when its output file
// exists, the table of speeds and the parameters with the ranges the methods were fitted on.
#pragma once

#include <QDialog>
#include <vector>

#include "model/Document.h"
#include "naval/Resistance.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTabWidget;
class QTableWidget;
class TGraphe;

class TResistanceForm : public QDialog {
 public:
  explicit TResistanceForm(TDocument& doc, QWidget* parent = nullptr);

  // Reads the fields, keeps them in the settings, computes and fills the charts and tables;
  // false (a message shown) when a field or the model gives nothing to compute.
  bool Calculer();

  QRadioButton* RBHoltrop = nullptr;
  QRadioButton* RBSavitsky = nullptr;
  QLineEdit *EdVitMin = nullptr, *EdVitMax = nullptr, *EdVitPas = nullptr;
  QLineEdit *EdRho = nullptr, *EdNu = nullptr, *EdAppendices = nullptr, *EdAireBulbe = nullptr,
            *EdHauteurBulbe = nullptr, *EdAnglePoussee = nullptr, *EdDecalagePoussee = nullptr,
            *EdLargeurBouchain = nullptr;
  QComboBox* CBArriere = nullptr;
  QTabWidget* Pages = nullptr;
  TGraphe* GrapheResistance = nullptr;
  TGraphe* GraphePuissance = nullptr;
  QTableWidget* Resultats = nullptr;
  QTableWidget* Parametres = nullptr;
  QLabel* Etat = nullptr;
  const TCourbeResistance& Courbe() const { return C; }

 private:
  TDocument& Doc;
  TCourbeResistance C;
  void ChargeReglages();
  bool LitSaisie(TSaisieResistance& s, double& v0, double& v1, double& pas) const;
  void AjouteMichlet();
};
