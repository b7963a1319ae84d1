// The editing commands of the main window: undo and redo, the toolbox modes
// (insertion, deletion, translation constraints) with their cursors, group,
// align, weld, unweld, select all, and the "Hydrostatique instantanée" panel.
// InstalleEdition() wires them all; the views reach them as their THoteEdition.
#pragma once

#include <QDockWidget>
#include <array>
#include <string>

#include "edition/Annuler.h"
#include "edition/Edition.h"
#include "edition/HydroInstant.h"

class QLabel;
class TMainForm;

// A small dockable panel with the figures of the calculation scope.
class TPanneauHydro : public QDockWidget {
 public:
  explicit TPanneauHydro(QWidget* parent);
  void Affiche(const THydroInstant& h);
  // The text of row i (0 displacement .. 4 Cb), for tests.
  QString Texte(int i) const;

 private:
  std::array<QLabel*, 5> Valeurs{};
};

class TEditionProgramme : public THoteEdition {
 public:
  explicit TEditionProgramme(TMainForm& f);
  ~TEditionProgramme() override;
  TEditionProgramme(const TEditionProgramme&) = delete;
  TEditionProgramme& operator=(const TEditionProgramme&) = delete;

  TAnnulation& Annulation() { return Store; }
  // Type 0: snapshot of the geometry before an edit; type 2: the surface list is about to
  // change (surface deletion). Refreshes the menu states.
  void RecordAction(int type, const std::string& nom = {});
  void Annuler();
  void Refaire();
  // The document was closed or replaced: nothing to undo any more.
  void DocumentFerme();
  // The current vertex and every view's selection made valid again (after a net changed
  // size, an undo, or a surface deletion).
  void RepareSelections();
  // Recomputes the panel's figures if it is shown.
  void MajPanneau();
  // The document changed: the panel's figures are out of date until recomputed.
  void PanneauPerime() { Perime = true; }
  void MajPanneauSiPerime() {
    if (Perime) MajPanneau();
  }
  TPanneauHydro* Panneau() const { return Hydro; }
  // The cursor every view shows for the modes now checked.
  void MajCurseurs();
  void MontrePanneau(bool on);
  void Grouper(bool espace);
  void Aligner(bool espace);

  // THoteEdition
  TModesEdition ModesEdition() const override;
  void EnregistreAnnulation(const std::string& nom) override { RecordAction(taSnapshot, nom); }
  void FinInsertionSuppression() override;
  void FinContraintes() override;
  void ApresEdition() override;
  void RedessineTout() override;
  void Status(int panneau, const std::string& texte) override;

 private:
  TMainForm& F;
  TAnnulation Store;
  TPanneauHydro* Hydro = nullptr;
  bool Perime = false;

  friend TEditionProgramme* InstalleEdition(TMainForm& f);
  void MajMenus();
  void Echange(bool refaire);
};

// Creates the editing side of the main window and wires its commands: the one call the
// main window makes.
TEditionProgramme* InstalleEdition(TMainForm& f);
