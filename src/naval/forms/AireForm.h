// The two result windows of the areas: "Calcul des aires" (TAireForm: immersed,
// emerged and total area of every surface) and "Surface de voilure"
// (TAiresVoilesForm: the sails and their centre of effort). Both only read the
// document, apart from bringing its grids and its centre of effort up to date.
#pragma once

#include <QDialog>
#include <QStringList>
#include <vector>

#include "model/Document.h"

class QLabel;
class QTableWidget;

// A read-only grid with a header row, an OK button, and Ctrl+C copying the header
// and the selected rows.
class TGrilleResultatsForm : public QDialog {
 public:
  explicit TGrilleResultatsForm(QWidget* parent = nullptr);
  QTableWidget* Grille() const { return G; }
  // The header row and every selected row, cells joined by tabs, each line ended by "\r".
  QString TexteCopie() const;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void Remplit(const QStringList& entete, const std::vector<QStringList>& lignes);

 private:
  QTableWidget* G;
};

class TAireForm : public TGrilleResultatsForm {
 public:
  explicit TAireForm(TDocument& doc, QWidget* parent = nullptr);
  // Brings the surfaces up to date and refills the grid.
  void Prepare();

 private:
  TDocument& Doc;
};

class TAiresVoilesForm : public TGrilleResultatsForm {
 public:
  explicit TAiresVoilesForm(TDocument& doc, QWidget* parent = nullptr);
  // Recomputes the centre of effort and refills the grid.
  void Prepare();
  // Under the grid: the lateral plane's centre and the lead of the centre of effort over it.
  QLabel* Equilibre = nullptr;

 private:
  TDocument& Doc;
};
