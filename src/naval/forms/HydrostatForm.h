// The hydrostatics window: the scope list, the result grid with its save, print
// and copy, and the curve of sectional areas.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "naval/Hydrostat.h"
#include "naval/TableHydro.h"

struct TAttitude;

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;
class TBandeauVerification;
class TGraphe;
struct TLigneRapport;

class THydrostatForm : public QDialog {
 public:
  explicit THydrostatForm(TDocument& doc, QWidget* parent = nullptr);

  // The list of the surfaces whose Calc is set, every one selected.
  void Initialise();
  // Both "&Calculer" buttons.
  void BtnCalculerClick();
  // The scope from the list's selection (document indices).
  TListSurf Portee() const;
  void SelectionneTout(bool oui);
  bool Enregistre(const std::string& chemin) const;
  std::vector<TLigneRapport> LignesRapport() const;
  std::vector<std::string> Lignes() const;

  QListWidget* Liste = nullptr;
  QTableWidget* Grille = nullptr;
  TGraphe* Courbe = nullptr;
  QSpinBox* NbCouples = nullptr;
  QTabWidget* Pages = nullptr;
  QPushButton *BtnEnregistrer = nullptr, *BtnImprimer = nullptr;
  const TResultatsHydro& Resultats() const { return R; }

  // The attitude of the calculation: the hull as drawn (waterline Z = 0 of the model), floating
  // at its weights, or at a given waterline height, trim and heel. The attitude's rows follow
  // the particulars.
  QRadioButton *RBModele = nullptr, *RBFlottant = nullptr, *RBDonnee = nullptr;
  QLineEdit *EdTirant = nullptr, *EdAssiette = nullptr, *EdGite = nullptr;
  // The model check run before each calculation: one line naming what falsifies it, with a
  // link to the whole list.
  TBandeauVerification* Verification = nullptr;

  // "Table hydrostatique": the particulars over a range of waterlines, and one of them drawn
  // against the draught. Returns "" or the message shown for a bad range.
  std::string CalculeTable();
  void MajCourbeTable();
  QLineEdit *EdZ0 = nullptr, *EdZ1 = nullptr, *EdNbLignes = nullptr;
  QTableWidget* GrilleTable = nullptr;
  QComboBox* ChoixCourbe = nullptr;
  TGraphe* CourbeTable = nullptr;
  QLabel* Avertissements = nullptr;
  QPushButton* BtnArretTable = nullptr;
  QProgressBar* ProgresTable = nullptr;
  const std::vector<TLigneTableHydro>& Table() const { return LignesTable; }
  TSuiviCalcul SuiviTable;
  // What Ctrl+C in the grid copies: label, tab, value and a carriage return per selected row.
  QString TexteSelection() const;

 private:
  TDocument& Doc;
  std::vector<int> Indices;  // the document index of each list item
  TResultatsHydro R;
  std::vector<TLigneTableHydro> LignesTable;
  bool TableAvecPoids = false;
  TBarycentre PoidsTotal() const;
  void ChoisitPortee();
  // The particulars at the attitude chosen; false (and the message shown) when there are none.
  bool CalculeAttitude(const TListSurf& portee, const TBarycentre& g, bool avecPoids);
  void AjouteReferences(const TListSurf& portee, const TAttitude* a, int n);
  void Remplit();
};
