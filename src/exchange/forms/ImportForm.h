// "Fichier > Import": a hull from IGES surfaces or a table of offsets, added to the
// open design (within four surfaces) or starting a new document, as one undo step.
#pragma once

#include <QDialog>
#include <functional>

#include "exchange/Import.h"

class QComboBox;
class QLineEdit;
class QDoubleSpinBox;
class QRadioButton;
class QPushButton;

enum TGenreImport : int { giIGES = 0, giCotes = 1 };

class TImportForm : public QDialog {
 public:
  TImportForm(TDocument& doc, TGenreImport genre, QWidget* parent = nullptr);

  QComboBox* CBGenre;
  QLineEdit* EFichier;
  QPushButton* BParcourir;
  QDoubleSpinBox* SETolerance;  // mm
  QRadioButton *RBAjouter, *RBNouveau;

  // The file dialog (filter in the program's "text|pattern" form); "" when cancelled.
  std::function<QString(const QString& filtre)> ChoisitFichier;
  // A new empty document as the shell makes it (it asks to save the open one first);
  // false when the user cancelled.
  std::function<bool()> NouveauDocument;
  // Just before surfaces are added to the open design (the undo step).
  std::function<void()> AvantChangement;
  // After the document changed.
  std::function<void()> QuandApplique;

  // Reads, fits and installs; "" on success, else the message shown (the dialog stays).
  std::string Importer();

 private:
  void accept() override;
  TDocument& Doc;
};
