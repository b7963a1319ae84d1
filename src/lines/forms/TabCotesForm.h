// The table of offsets window: the crossing choice, the surface list, the table,
// its export and print.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "lines/TabCotes.h"

class QComboBox;
class QListWidget;
class QPushButton;
class QTableWidget;
class QTabWidget;
struct TLigneRapport;

class TTabCotesForm : public QDialog {
 public:
  explicit TTabCotesForm(TDocument& doc, QWidget* parent = nullptr);
  void Initialise();
  void Calculer();
  bool Exporter(const std::string& chemin);
  std::vector<TLigneRapport> LignesRapport() const;
  const TTableCotes& Table() const { return T; }

  QComboBox* Croisement = nullptr;
  QListWidget* Liste = nullptr;
  QTableWidget* Grille = nullptr;
  QTableWidget* GrilleMatrice = nullptr;  // the same crossings, a row per station
  QTabWidget* Pages = nullptr;
  QPushButton *BtnExport = nullptr, *BtnImprimer = nullptr;

 private:
  TDocument& Doc;
  TTableCotes T;
  TMatriceCotes M;
  void Affiche();
};
