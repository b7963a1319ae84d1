// "Vérification du modèle": the findings of the model check, one a line, each naming the
// surface or weight and what to do. It only reads the document.
#pragma once

#include <QDialog>
#include <QLabel>
#include <vector>

#include "model/Document.h"
#include "model/Etendue.h"
#include "session/Verification.h"

class QListWidget;

class TVerificationForm : public QDialog {
 public:
  explicit TVerificationForm(TDocument& doc, QWidget* parent = nullptr);
  // Brings the surfaces up to date and runs the check on the calculation scope.
  void Prepare();
  // Lists findings already made (a calculation window's own check).
  void Remplit(const std::vector<TConstatModele>& constats);
  QListWidget* Liste() const { return L; }

 private:
  TDocument& Doc;
  QListWidget* L;
};

// The one line a calculation window shows above its results when the model check finds what
// falsifies that calculation, with a link to the whole list; hidden when nothing does.
class TBandeauVerification : public QLabel {
 public:
  explicit TBandeauVerification(TDocument& doc, QWidget* parent = nullptr);
  // Runs the check on the scope (evaluated surfaces) and keeps the findings bearing on fonds
  // (TFondCalcul); returns them.
  const std::vector<TConstatModele>& Verifie(const TListSurf& portee, unsigned fonds);
  const std::vector<TConstatModele>& Constats() const { return C; }
  // The link: the whole list in the check's window.
  void MontreListe();

 private:
  TDocument& Doc;
  std::vector<TConstatModele> C;
};
