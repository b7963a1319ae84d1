// The lines grid window: one page per family (sections, waterlines, buttocks,
// diagonals) with its count, its table of positions and the automatic spacing
// rules; OK makes the tables the document's grid and recomputes the lines.
#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "lines/Grille.h"
#include "model/Document.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableWidget;

struct TPageGrille {
  QLineEdit* Nombre = nullptr;
  QTableWidget* Table = nullptr;
  QRadioButton *RBStandard = nullptr, *RBEspDonne = nullptr, *RBDistDonnee = nullptr;
  QLineEdit *Base = nullptr, *Espacement = nullptr, *Fin = nullptr;
  QPushButton* BtnAuto = nullptr;
  QLabel* LabelPas = nullptr;
};

class TGrilleForm : public QDialog {
 public:
  TGrilleForm(TDocument& doc, QWidget* parent = nullptr);
  ~TGrilleForm() override;

  // Before showing (and after Cancel): the tables as the document holds the grid.
  void Prepare();
  const TTablesGrille& Tables() const { return Tab; }

  std::function<void()> QuandApplique;
  // "Portée des calculs...": opens the surface list in its scope mode.
  std::function<void()> OuvrePortee;

  QTabWidget* Onglets = nullptr;
  std::array<TPageGrille, NbFamillesLignes> Pages;
  QLineEdit* Scinder = nullptr;
  QPushButton* BtnPortee = nullptr;

  void accept() override;

 private:
  TDocument& Doc;
  TTablesGrille Tab;
  int OngletCourant = 0;
  bool EnRemplissage = false;
  void RemplitPage(TFamilleLignes f);
  void CompteSaisi(TFamilleLignes f);
  void Automatique(TFamilleLignes f);
  // Checks one family's table: false (message said, focus on the cell) when a cell is no value.
  bool VerifiePage(TFamilleLignes f);
};
