// The stability window: the conditions, the heel sweep with its progress and stop
// button, the wire-frame view of the heeled hull with G and B, the GZ or moment
// curve, the trim curve, the step table, the synthesis, the film, "&Ajuster" and
// "Transformer".
#pragma once

#include <QDialog>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "naval/Criteres.h"
#include "naval/Stab.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;
class QTableWidget;
class QGroupBox;
class TBandeauVerification;
class TGraphe;
class TVueStab;
struct TLigneRapport;

class TStabForm : public QDialog {
 public:
  explicit TStabForm(TDocument& doc, QWidget* parent = nullptr);
  ~TStabForm() override;

  // The state when the window is shown: weights, working copies, initial displacement.
  void InitStabForm();
  // "&Calculer": every condition checked (the message shown and nothing computed on a fault).
  // Returns "" or that message.
  std::string Calculer();
  void Ajuster();
  // "Transformer" on the selected row of "Mesures", after the question. True when the
  // model was moved.
  bool Transformer();
  // The one change "Transformer" makes to the document; the undo recording goes around it.
  void AppliqueTransformation(const TGZ& e);
  // "Courbes KN": the cross curves at the displacements and heels typed on the page, with
  // the density, tolerance and trim of the conditions. Returns "" or the message shown.
  std::string CalculerKN();
  // "Critères": the criteria of the first rule set for the weight and conditions of the last
  // sweep, on a sweep of their own (calcule false: the results kept are shown again).
  void MajCriteres(bool calcule);
  void MajCourbeGZ();
  void MajResults();
  void MontreEtape(int p);
  void DemarreFilm();
  std::vector<std::string> Lignes() const;
  std::vector<TLigneRapport> LignesRapport() const;
  // The printed pages of the cross curves and of the criteria, with what they rest on.
  std::vector<TLigneRapport> LignesRapportKN() const;
  std::vector<TLigneRapport> LignesRapportCriteres() const;
  bool Enregistre(const std::string& chemin) const;
  QString TexteSelection(const QTableWidget* t, bool entete) const;

  // After "Transformer" moved the model: the views redraw. Before it: the undo snapshot.
  std::function<void()> AvantTransformer, ApresTransformer;

  TStab Stab;
  QLineEdit *EdAngleMax = nullptr, *EdPas = nullptr, *EdTolEnf = nullptr, *EdDensite = nullptr,
            *EdTolAssiette = nullptr, *EdPoidsFixe = nullptr;
  QCheckBox *CBAssiette = nullptr, *CBAligner = nullptr;
  QComboBox* CBCote = nullptr;  // the side that goes down: -X (the default), +X
  QRadioButton *RBDeplacement = nullptr, *RBPoidsFixe = nullptr, *RBInitiales = nullptr;
  QRadioButton *RBGZ = nullptr, *RBMoment = nullptr;
  QLabel *LblDeplacement = nullptr, *LblPoidsInitial = nullptr, *LblPoids = nullptr;
  QLabel* LblCalc[4] = {};
  QProgressBar* Progres = nullptr;
  QPushButton *BtnAnnuler = nullptr, *BtnCalculer = nullptr;
  QGroupBox* Conditions = nullptr;
  QTabWidget* Pages = nullptr;
  TGraphe *CourbeGZ = nullptr, *CourbeAssiette = nullptr;
  QTableWidget *Mesures = nullptr, *Synth = nullptr;
  QSlider* TrackBarEtapes = nullptr;
  QLabel* LblFilm = nullptr;
  // The model check's line, run before each sweep.
  TBandeauVerification* Verification = nullptr;
  QPushButton* BtnFilm = nullptr;
  QTimer Film;
  TVueStab* Vue = nullptr;
  QLineEdit *EdKNDeplacements = nullptr, *EdKNAngleMax = nullptr, *EdKNPas = nullptr;
  QPushButton *BtnKN = nullptr, *BtnArretKN = nullptr;
  QProgressBar* ProgresKN = nullptr;
  TGraphe* CourbeKN = nullptr;
  QTableWidget* TableKN = nullptr;
  std::vector<TCourbeKN> CourbesKN;
  QLineEdit* EdEnvahissement = nullptr;
  QLabel* LblReglement = nullptr;
  QTableWidget* Criteres = nullptr;
  QLabel* LblNotesCriteres = nullptr;
  std::vector<TResultatCritere> ResultatsCriteres;
  TEvaluationCriteres EvalCriteres;
  double GM0 = 0;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void reject() override;

 private:
  TDocument& Doc;
  bool EnCalcul = false;
  bool FermerApres = false;  // "&Fermer" during a run: the window closes once it has stopped
  void FermeSiDemande();
  TSuiviCalcul SuiviKN;
  std::vector<TLigneSynthese> LignesSynthese;
  void Occupe(bool oui);
  void OccupeKN(bool oui);
  void MontreKN();
};
