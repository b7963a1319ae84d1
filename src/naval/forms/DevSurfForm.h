// "Développement des surfaces" (TDevSurfForm): the ruled surfaces of the document in a
// list; "&Lancer >>" unrolls the chosen ones into flat patterns added as "_DEV" mesh
// surfaces, and the grid lists each ruling's error, coloured by size.
// "Epaisseur" (TEpaisseurForm): one surface, a side and a distance; OK adds the offset.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "model/Document.h"
#include "session/DevSurf.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QCheckBox;
class QRadioButton;
class QTableWidget;

class TDevSurfForm : public QDialog {
 public:
  explicit TDevSurfForm(TDocument& doc, QWidget* parent = nullptr);
  // Fills the list with the surfaces that can be developed; the grid keeps the last run.
  void Prepare();
  // "&Lancer >>".
  void Lancer();
  // The document index of each entry of the list.
  const std::vector<int>& Entrees() const { return Entree; }
  // The fixed row and every selected row, cells joined by tabs, each line ended by "\r".
  QString TexteCopie() const;

  // Before the document changes (the undo step), and after (updates and redraw).
  std::function<void()> AvantChangement;
  std::function<void()> QuandApplique;

  QListWidget* Liste = nullptr;
  QPushButton *BtnToutes = nullptr, *BtnAucune = nullptr, *BtnLancer = nullptr, *BtnFermer = nullptr;
  QTableWidget* Grille = nullptr;
  QLabel* Resume = nullptr;  // each pattern's area and edge lengths

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void hideEvent(QHideEvent* e) override;

 private:
  TDocument& Doc;
  std::vector<int> Entree;
  void RefreshSG_Erreur(const std::string& nom, const std::vector<TErreurDev>& erreurs);
};

class TEpaisseurForm : public QDialog {
 public:
  explicit TEpaisseurForm(TDocument& doc, QWidget* parent = nullptr);
  void Prepare();
  void accept() override;

  std::function<void()> AvantChangement;
  std::function<void()> QuandApplique;

  QListWidget* Liste = nullptr;
  QRadioButton *RBInterieur = nullptr, *RBExterieur = nullptr;
  QCheckBox* CBPoids = nullptr;  // the new surface weighs (unchecked: its source's model counts it)
  QLineEdit* Epaisseur = nullptr;

 protected:
  void hideEvent(QHideEvent* e) override;

 private:
  TDocument& Doc;
};
