// The dimensions list ("Liste des cotes") and the hull dimensions window
// ("Dimensions caractéristiques") with its printed report.
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "views/Taille.h"

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

class TTailleForm : public QDialog {
 public:
  explicit TTailleForm(TDocument& doc, QWidget* parent = nullptr);
  // The surfaces selected in the list, recomputed and shown.
  void Recalcule();
  void Toutes(bool oui);
  std::vector<TLigneRapport> LignesRapport() const;
  const TTaille& Resultat() const { return T; }

  QListWidget* Liste = nullptr;
  std::vector<QGroupBox*> Groupes;  // in the window's order (GroupesTaille)
  std::vector<std::vector<QLabel*>> Lignes;

 private:
  TDocument& Doc;
  TTaille T;
};
