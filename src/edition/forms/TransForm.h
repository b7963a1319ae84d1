// "Transformations géométriques" (TTransForm): moves, turns, mirrors and resizes the
// chosen surfaces, with their symmetry bases and attached weights if asked. Everything
// done while it is open is one undo step, taken when it is shown.
#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <functional>
#include <vector>

#include "edition/Transfo.h"
#include "model/Document.h"
#include "model/Etendue.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;

class TTransForm : public QDialog {
 public:
  explicit TTransForm(TDocument& doc, QWidget* parent = nullptr);
  ~TTransForm() override;

  // The opening: fields reset, list filled, surfaces computed, every surface selected.
  void Prepare();
  // "A&ppliquer": the page in front; "&OK": every page whose flag is set, then closes.
  void Appliquer();
  void accept() override;
  std::vector<int> Selection() const;
  TOptionsTransfo Options() const;
  // The current sizes of the selection.
  const TTailleSelection& TailleCourante() const { return Tailles; }

  // Before the first transformation of an opening (the undo step: a dialog cancelled
  // leaves the previous step alone), and after each transformation (updates, redraw).
  std::function<void()> AvantPremiere;
  std::function<void()> QuandApplique;

  QListWidget* Liste = nullptr;
  QPushButton *BtnToutes = nullptr, *BtnAucune = nullptr;
  QTabWidget* Pages = nullptr;
  std::array<QLineEdit*, 3> Depl{}, CentreRot{}, AnglesRot{}, Taille{}, Pct{};
  std::array<QCheckBox*, 3> Prop{};
  QPushButton *BtnMirHor = nullptr, *BtnMirVer = nullptr;
  QRadioButton *RBSurPlace = nullptr, *RBConsPosRel = nullptr;
  QCheckBox *CBPoids = nullptr, *CBPlanSym = nullptr, *CBPlanSymSeul = nullptr;
  QPushButton *BtnOK = nullptr, *BtnFermer = nullptr, *BtnAppliquer = nullptr;
  // The page flags: translation, rotation, mirror, size.
  std::array<bool, 4> Drapeaux{};

 protected:
  void showEvent(QShowEvent* e) override;
  void hideEvent(QHideEvent* e) override;

 private:
  TDocument& Doc;
  std::vector<TDim> Dims;
  TTailleSelection Tailles;
  std::array<QString, 6> Memo;  // the three sizes, then the three percentages
  bool EtapePrise = false;      // this opening's undo step

  void AvantTransformation();

  void RafraichitTailles();
  void Memorise();
  void TailleEditee(int a);
  void PctEdite(int a);
  void CentreSelection();
  // Each transformation of a page; false when its fields stopped it.
  bool Translation();
  bool Rotation();
  bool Miroirs();
  bool Redim();
  void Apres();
};
