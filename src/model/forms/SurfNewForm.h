// The new-surface window: a name, one of the seven starting shapes, the flags of
// the surface and its two orders; OK creates the surface in the document.
#pragma once

#include <QDialog>
#include <functional>

#include "model/Document.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;

class TSurfNewForm : public QDialog {
 public:
  TSurfNewForm(TDocument& doc, QWidget* parent = nullptr);

  // Before showing: a free name, shape 0, the flags last chosen.
  void Prepare();
  // The new surface's index, once it is in the document.
  std::function<void(int)> QuandCree;

  QLineEdit* Nom = nullptr;
  QListWidget* Formes = nullptr;
  QCheckBox *CBVisible = nullptr, *CBVerrou = nullptr, *CBSym = nullptr, *CBCalc = nullptr,
            *CBVoile = nullptr;
  QSpinBox *FlexLong = nullptr, *FlexTrans = nullptr;
  QLabel *NomFlexLong = nullptr, *NomFlexTrans = nullptr;

  void accept() override;

 private:
  TDocument& Doc;
  void FormeChoisie(int forme);
};

// The orders a starting shape suggests: (Longitudinale, Transversale).
std::pair<int, int> FlexDeForme(int forme);
