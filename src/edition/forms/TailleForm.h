// "Dimensions caractéristiques" (TTailleForm): the extreme points, main dimensions,
// heights and waterline of the chosen surfaces, shown and printed.
#pragma once

#include <QDialog>
#include <QStringList>
#include <array>
#include <vector>

#include "edition/Taille.h"
#include "model/Document.h"

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

class TTailleForm : public QDialog {
 public:
  explicit TTailleForm(TDocument& doc, QWidget* parent = nullptr);
  // The list with the surfaces in the calculations selected, computed and shown.
  void Execute();
  // Rebuilds the list of chosen surfaces and recomputes.
  void Recalcule();
  std::vector<int> Selection() const;
  const std::vector<TGroupeTaille>& Groupes() const { return Courants; }
  // The printed text, line by line (a group caption line starts with "#").
  QStringList TexteImpression() const;
  void Imprimer();

  QListWidget* Liste = nullptr;
  QPushButton *BtnToutes = nullptr, *BtnAucune = nullptr, *BtnOK = nullptr, *BtnImprimer = nullptr;

 private:
  TDocument& Doc;
  TDimensionsCoque Dims;
  std::vector<TGroupeTaille> Courants;
  std::array<QGroupBox*, 9> Boites{};
  std::array<QLabel*, 9> Textes{};
};
