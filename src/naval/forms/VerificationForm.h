// "Vérification du modèle": the findings of the model check, one a line, each naming the
// surface or weight and what to do. It only reads the document.
#pragma once

#include <QDialog>

#include "model/Document.h"

class QListWidget;

class TVerificationForm : public QDialog {
 public:
  explicit TVerificationForm(TDocument& doc, QWidget* parent = nullptr);
  // Brings the surfaces up to date and runs the check on the calculation scope.
  void Prepare();
  QListWidget* Liste() const { return L; }

 private:
  TDocument& Doc;
  QListWidget* L;
};
