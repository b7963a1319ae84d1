// The vertex list ("Liste des vertex"): every vertex of every NURBS net in a grid whose
// coordinate cells are edited in place, and its export as text. What is typed between
// two activations of the window is one undo step, recorded before the first real change;
// the surfaces are recomputed when the window loses the focus.
#pragma once

#include <QDialog>

class QTableWidget;
class QTableWidgetItem;
class TMainForm;

class TLstPcForm : public QDialog {
 public:
  TLstPcForm(TMainForm& f, QWidget* parent);

  // The grid rebuilt from the nets.
  void Refresh();
  // What activation and deactivation do (tests call them directly).
  void Active();
  void Quitte();
  // Writes the grid, its header line included; false (a message shown) on failure.
  bool Exporte(const std::string& chemin);
  QTableWidget* Grille() const { return Table; }
  bool Modifie() const { return Mod; }
  // A cell's editor is open: the grid must not be rebuilt under it.
  bool EnEdition() const;

 protected:
  void changeEvent(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  TMainForm& F;
  QTableWidget* Table = nullptr;
  bool Mod = false;
  bool Enregistre = false;  // the undo step of this activation is taken
  bool Remplissage = false;

  void CelluleChangee(QTableWidgetItem* it);
  void ExporteDialogue();
};

TLstPcForm& ListePC(TMainForm& f);
