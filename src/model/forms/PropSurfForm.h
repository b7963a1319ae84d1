// The surface properties window: identity, display, colour and material, weight
// model, orientation, closing and symmetry base of every surface, edited on
// copies; OK copies the modified ones back into the document.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <vector>

#include "model/Document.h"
#include "session/PropSurf.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

class TPropSurfForm : public QDialog {
 public:
  TPropSurfForm(TDocument& doc, QWidget* parent = nullptr);

  // Before showing: copies of every surface's properties, the given one shown.
  void Prepare(int surface);
  const std::vector<TPropSurf>& Records() const { return Props; }
  int Courante() const { return Cour; }

  // The colour chooser: (current colour as 0x00BBGGRR) -> chosen colour, -1 when cancelled.
  std::function<int(int)> ChoisirCouleur;
  // The surfaces changed, once they are back in the document.
  std::function<void(const std::vector<int>&)> QuandApplique;

  QComboBox* Surfaces = nullptr;
  QLineEdit* Nom = nullptr;
  QCheckBox *CBVisible = nullptr, *CBVerrou = nullptr, *CBSym = nullptr, *CBCalc = nullptr,
            *CBVoile = nullptr;
  QSpinBox *FlexLong = nullptr, *FlexTrans = nullptr;
  QLabel *NomFlexLong = nullptr, *NomFlexTrans = nullptr;
  QRadioButton *RBCouleurDef = nullptr, *RBCouleurPers = nullptr;
  QPushButton* BtnCouleur = nullptr;
  QLabel* Echantillon = nullptr;
  std::array<QLineEdit*, NbChampsPropSurf> Champs{};
  QRadioButton *RBOrientDirecte = nullptr, *RBOrientIndirecte = nullptr;
  QCheckBox* CBJonctionSym = nullptr;
  std::array<QRadioButton*, 5> RBPoids{};  // by weight model
  QCheckBox* CBCG = nullptr;
  QPushButton* BtnRAZBase = nullptr;

  void accept() override;

 private:
  TDocument& Doc;
  std::vector<TPropSurf> Props, Origines;
  int Cour = -1;
  int CouleurPers = -1;
  bool EnRemplissage = false;
  void Affiche(int k);
  // The widgets into the current record; false (message said, focus on the field) for a refused value.
  bool LitCourant();
  void ModelePoidsChoisi(int type);
  void MajEchantillon();
};
