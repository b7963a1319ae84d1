// The dimensions list ("Liste des cotes").
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

class TDocument;

class QGroupBox;
class QLabel;
class QListWidget;
class QTableWidget;
struct TLigneRapport;

class TCotesForm : public QDialog {
 public:
  explicit TCotesForm(TDocument& doc, QWidget* parent = nullptr);
  // "&Supprimer": the dimension of the selected row goes; false when there was none.
  bool Supprimer();
  std::function<void()> ApresModification;
  QTableWidget* Grille = nullptr;

 private:
  TDocument& Doc;
  void Remplit();
};

// "Vertical", "Plan", "Profil", and "Perspective" for a tool made there.
QString NomVueCote(int vue);
