// The settings store on the platform (QSettings: sections as groups, keys as named),
// the program's settings, and their way into the main window, the views and the studio:
// read at start and first display, written at exit.
#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "base/Options.h"

class QSettings;
class TMainForm;

class TMagasinQt : public IMagasinReglages {
 public:
  // The user's store; with a file name, a scratch store in that file (tests).
  explicit TMagasinQt(const QString& fichier = {});
  ~TMagasinQt() override;
  std::optional<std::string> Lit(const std::string& section, const std::string& cle) const override;
  std::optional<std::vector<unsigned char>> LitBinaire(const std::string& section,
                                                       const std::string& cle) const override;
  void Ecrit(const std::string& section, const std::string& cle, const std::string& valeur) override;
  void EcritBinaire(const std::string& section, const std::string& cle,
                    const std::vector<unsigned char>& valeur) override;
  void EffaceSection(const std::string& section) override;
  std::vector<std::string> Cles(const std::string& section) const override;
  void Synchronise();

 private:
  std::unique_ptr<QSettings> S;
};

// Opens the store for one burst of reads or writes. The environment variable
// BRIVANE_SETTINGS names a scratch file that stands in for the user's store.
std::unique_ptr<IMagasinReglages> OuvreMagasin();

// The program's settings, from start-up to exit.
TReglages& ReglagesProgramme();

// Gives the settings to the views, the core's options and the studio.
void AppliqueReglages(TMainForm& f, const TReglages& r);
// Start-up: read everything, apply it.
void ChargeReglages(TMainForm& f);
// First display, before the views are laid out: the main window's place when PosFen is
// on, the studio's lights when PosLight is on.
void ChargeLumieres(TMainForm& f);
// First display, once the views are tiled: the display switches (section Conf) when
// SavConfig is on; the places of the views and of the other windows, and which tool
// windows show, when PosFen is on. Returns the kind of the view kept maximised, or -1.
int ChargePremierAffichage(TMainForm& f);
// A file opened or saved: at the head of the recent files (its absolute path).
void FichierRecent(TMainForm& f, const std::string& chemin);
// Exit: the recent files, then the display switches, the windows' places and the lights,
// each when its setting is on.
void EcritReglagesSortie(TMainForm& f);
