// The print window ("Imprimer"): the active view at the screen's scale, fitted to the
// page, or at 1/N over a block of pages, with a preview of the page and its printable
// area; to a printer or to a PDF file.
#pragma once

#include <QDialog>
#include <QWidget>
#include <memory>
#include <optional>
#include <utility>

#include "base/MiseEnPage.h"
#include "model/Calcs.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPainter;
class QPrinter;
class QRadioButton;
class QSpinBox;
class TFormFille;
class TMainForm;
class TImprForm;

class TApercuImpression : public QWidget {
 public:
  explicit TApercuImpression(TImprForm& f) : F(f) {}
  QSize sizeHint() const override { return {300, 300}; }

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  TImprForm& F;
};

class TImprForm : public QDialog {
 public:
  explicit TImprForm(TMainForm& f, QWidget* parent = nullptr);
  ~TImprForm() override;

  // What showing the window does: the printer's sizes, the paper, the extents, one page.
  void Initialise();
  // The paper size from the choice and the orientation, written to the store; the
  // warning when it departs from the printer's page (only when the user changed it).
  void TaillePapier(bool choixUtilisateur);
  // Scale and origins for the scale choice and the page number; redraws the preview.
  void EchelleOrigine();
  // Prints every copy; false, with the message shown, when nothing could be printed.
  bool Imprime();
  void accept() override;

  QPrinter& Imprimante() { return *Printer; }
  // Draws the active view with a scale and origin (pixels of the painter's device).
  void DessineVue(QPainter& p, double echelle, const TPointI& origine, int epaisseur, bool papier) const;

  // State (pixels of the preview unless named Imp).
  TPilote Pilote;
  TApercu Apercu;
  TTaillePapier Papier;
  TBlocPages Bloc;
  TPointI OriginePageAp;
  TChoixEchelle Choix = TChoixEchelle::Ecran;
  int Page = 1, Copies = 1;
  bool Valide = false;  // the layout could be computed (sizes not zero)
  // The sheet the printer holds (mm), taken before the chosen paper is given to it; none
  // for a PDF file, which takes any paper.
  std::optional<std::pair<double, double>> PapierImprimante;

  QComboBox* CBImprimante;
  QRadioButton *RBPortrait, *RBPaysage;
  QLineEdit* EdCopies;
  QSpinBox* UDCopies;
  QRadioButton *RBPageCourante, *RBToutesPages;
  QLineEdit* EdPage;
  QSpinBox* UDPage;
  QLabel* LNbPages;
  QComboBox* CBEchelle;  // Ecran, Ajuster, 1/1 ... 1/50, Personnalisée
  QLineEdit* EdEchelle;
  QSpinBox* UDEchelle;
  QComboBox* CBPapier;  // A3, A4, A5, Letter US, Personnalisée (mm)
  QLineEdit *EdPapierH, *EdPapierV;
  TApercuImpression* Vue;

 private:
  friend class TApercuImpression;
  void LitPilote();
  void LitPapierImprimante(bool duReglage);
  int DenominateurEchelle() const;
  TFormFille* VueActive() const;
  TMainForm& F;
  std::unique_ptr<QPrinter> Printer;
  TParamVue Param;  // the active view's, with the preview's scale and page origin
  bool Remplissage = false;
};

// "&Imprimer...": opens the window on the active view. Tests and the screenshot set
// the printer to a PDF file first through this hook (null: the user's printer).
void LanceImpression(TMainForm& f);
