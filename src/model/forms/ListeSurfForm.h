// The surface list window: the surfaces of the document in a list; confirming
// applies the window's mode (lock, scope, delete, duplicate, mirrors, export,
// rename) to the selected ones. And the visible-surfaces window, whose
// selection is the set of visible surfaces at every moment.
#pragma once

#include <QDialog>
#include <QWidget>
#include <functional>
#include <vector>

#include "model/Document.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

enum TModeListeSurf : int {
  lsVerrou = 1,
  lsPorteeCalc = 2,
  lsSuppr = 3,
  lsDupliquer = 4,
  lsMirroirV = 5,
  lsMirroirH = 6,
  lsExport = 7,
  lsRenommer = 8,
};

// What a confirmed mode changed, for the window that shows the model.
struct TChangementSurfaces {
  int Mode = 0;
  std::vector<int> Surfaces;  // the selected surfaces (before a deletion: their old indexes)
};

class TListeSurfForm : public QDialog {
 public:
  TListeSurfForm(TDocument& doc, QWidget* parent = nullptr);

  // Before showing: false (and "Action non prévue" said) for a mode it does not know.
  bool Prepare(int mode);
  int Mode() const { return ModeCourant; }
  std::vector<int> Selection() const;

  std::function<void(const TChangementSurfaces&)> QuandApplique;
  // Called with the mode once a deletion is confirmed or a mirror is about to run, before
  // the document changes: the undo step is taken there.
  std::function<void(int mode)> AvantModification;
  // Export mode: writes the selected surfaces; false keeps the window open.
  std::function<bool(const std::vector<int>&)> Exporte;

  QLabel* Titre = nullptr;
  QListWidget* Liste = nullptr;
  QPushButton *BtnToutes = nullptr, *BtnAucune = nullptr;
  QLabel* LabelNom = nullptr;
  QLineEdit* Nom = nullptr;

  void accept() override;

 private:
  TDocument& Doc;
  int ModeCourant = 0;
  bool Applique(const std::vector<int>& sel);
};

class TListeSurfVisiblesForm : public QWidget {
 public:
  TListeSurfVisiblesForm(TDocument& doc, QWidget* parent = nullptr);
  // The list as the document stands (after any change elsewhere).
  void Rafraichit();
  std::function<void()> QuandChange;
  QListWidget* Liste = nullptr;

 private:
  TDocument& Doc;
  bool EnRemplissage = false;
};

// The caption key of a mode, "" for an unknown mode.
const char* CleTitreListeSurf(int mode);
