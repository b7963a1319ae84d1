// The vertex editor ("Editeur de vertex"): the current vertex with its surface, row and
// column, steps to the neighbouring rows and columns or another surface, and typed
// coordinates applied as one undoable step that moves the welded vertices along. A
// stay-on-top tool window of the main window, shown without blocking it.
#pragma once

#include <QDialog>
#include <array>

#include "model/NetGest.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class TMainForm;

class TEditPCForm : public QDialog {
 public:
  TEditPCForm(TMainForm& f, QWidget* parent);
  ~TEditPCForm() override;

  void SelPoint(const TPC& pc);
  void AffichePoint(const TPC& pc);
  void RemplieListe();
  void VideListe();
  // "Appliquer": false when nothing changed (nothing modified, a mesh vertex, a field refused).
  bool Appliquer();
  // The row and column arrows: sens +1 up, -1 down.
  void Fleche(bool ligne, int sens);
  // After any redraw of the model: follow the current vertex, or the vertex's new values.
  void Suit();
  // "Fermer" and Escape: closes and empties the surface list.
  void reject() override;

  const TPC& Vertex() const { return Montre; }
  bool Modifie() const { return Mod; }
  QLineEdit* Champ(int i) const { return Champs[static_cast<size_t>(i)]; }
  QComboBox* Surfaces() const { return ListeSurf; }
  QString TexteLn() const;
  QString TexteCol() const;

 protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  TMainForm& F;
  TPC Montre;
  TPtNet Edite;
  bool Mod = false;
  bool Remplissage = false;
  QComboBox* ListeSurf = nullptr;
  QLabel* LabelLn = nullptr;
  QLabel* LabelCol = nullptr;
  std::array<QLineEdit*, 4> Champs{};
  QPushButton* BtnAppliquer = nullptr;

  // Leaving a field: its text converted if the user edited it; false when refused.
  bool QuitteChamp(int i);
  void MontreChamps();
  void MontreChamp(int c);
  void ChoisitSurface(int index);
  void Ferme();
};

// The editor of the main window (made at its first use).
TEditPCForm& EditeurPC(TMainForm& f);
// The views' double click opens the editor: called once the views exist.
void InstalleEditeurVertex(TMainForm& f);
