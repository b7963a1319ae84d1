// The document properties window ("Propriétés"): title, vessel type, architect,
// company, version, date and comment lines, which the reports and the IGES header quote.
#pragma once

#include <QDialog>

#include "model/Document.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;

class TPropFichForm : public QDialog {
 public:
  explicit TPropFichForm(TDocument& doc, QWidget* parent = nullptr);
  // OK: the fields, cut to their limits, become the document's; it is marked modified.
  void accept() override;

  QLineEdit *EdTitre, *EdType, *EdArchi, *EdSociete, *EdVersion, *EdDate;
  QPlainTextEdit* MemoCommentaires;
  QLabel* LNomFichier;

 private:
  TDocument& Doc;
};
