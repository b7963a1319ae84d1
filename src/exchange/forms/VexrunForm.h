// The window of the outside resistance program: the hulls chosen among the surfaces and
// the parameter boxes, the input file written and the program run on it in its own
// folder under a time limit the user sees and can cut short, and its output read back
// into a chart and a text view. Opened by "Vexrun" (shown when the setting
// Vexrun/Enabled is true).
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QProcess>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "base/Options.h"
#include "exchange/Vexrun.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QTimer;
class TGraphe;
class TMainForm;

// Where the program and its files are, and how long a run may take: section "Vexrun" of
// the settings store, names checked as it reads them.
using TReglagesMichlet = TReglagesVexrun;
TReglagesMichlet ChargeReglagesMichlet();
void EnregistreReglagesMichlet(const TReglagesMichlet& r);

class TVexrunForm : public QDialog {
 public:
  TVexrunForm(TMainForm& f, QWidget* parent);
  ~TVexrunForm() override;

  // The settings as each action reads them, and the time limit's save (tests replace both).
  std::function<TReglagesMichlet()> LitReglages = ChargeReglagesMichlet;
  std::function<void(const TReglagesMichlet&)> EcritReglages = EnregistreReglagesMichlet;

  // The available list refilled from the surfaces with "Calc"; no hull chosen.
  void Remplit();
  // ">" and "<" on the entries whose rows are given (the selection when empty).
  void Choisit(const std::vector<int>& lignes = {});
  void Rend(const std::vector<int>& lignes = {});
  // "Lancer": writes the input file and starts the program; false when nothing was started.
  bool Lancer();
  void Arreter();
  bool EnCours() const;
  // "Résultat" of the chart page: false (a message shown, no curve) when the file is unusable.
  bool ResultatGraphe();
  void ResultatSortie();
  bool SauveConfig(const std::string& chemin);
  bool ChargeConfig(const std::string& chemin);

  TParamsMichlet Params() const;
  void MontreParams(const TParamsMichlet& p);
  // The surface indices of the chosen hulls, in order.
  std::vector<int> Carenes() const;
  const std::vector<std::pair<std::string, int>>& Disponibles() const { return PairesDispo; }
  const std::vector<std::pair<std::string, int>>& Choisies() const { return PairesChoix; }
  TGraphe* Graphe() const { return Courbes; }
  QTabWidget* Pages() const { return Onglets; }
  QString Etat() const;
  QString TexteSortie() const;
  // Called when a run ends, whatever its outcome (tests wait on it).
  std::function<void()> QuandTermine;

 protected:
  void closeEvent(QCloseEvent* e) override;
  void reject() override;

 private:
  TMainForm& F;
  std::vector<std::pair<std::string, int>> PairesDispo, PairesChoix;
  QTabWidget* Onglets = nullptr;
  QListWidget* ListeDispo = nullptr;
  QListWidget* ListeChoix = nullptr;
  QRadioButton* RBSym = nullptr;
  QRadioButton* RBAsym = nullptr;
  QCheckBox* CBSupprimer = nullptr;
  QPlainTextEdit* BoiteGeneraux = nullptr;
  QPlainTextEdit* BoiteComptes = nullptr;
  QPlainTextEdit* BoiteVagues = nullptr;
  QSpinBox* Delai = nullptr;
  QLabel* LabelEtat = nullptr;
  QPushButton* BtnLancer = nullptr;
  QPushButton* BtnArreter = nullptr;
  TGraphe* Courbes = nullptr;
  QPlainTextEdit* Sortie = nullptr;
  QProcess* Processus = nullptr;
  QTimer* Minuterie = nullptr;
  QElapsedTimer Chrono;
  std::string NomProgramme;
  bool ArretDemande = false;

  void Tic();
  void Fin(int code, QProcess::ExitStatus statut);
  void ErreurProcessus(QProcess::ProcessError e);
  void Termine(const QString& etat);
  void SauveConfigDialogue();
  void ChargeConfigDialogue();
};
