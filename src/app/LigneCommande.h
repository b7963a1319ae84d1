// The program's command line: document names, the debug switches "-d" and "-p PORT",
// the language, and the screenshot and print modes used for the README pictures and the
// visual checks. Read with Qt's parser; Qt's own options (-style, -platform...) are
// Qt's, taken out by the application before the analysis.
#pragma once

#include <string>
#include <vector>

constexpr int PortDebugDefaut = 4444;

struct TLigneCommande {
  // The documents named, in order; the first is opened, the others merged into it.
  std::vector<std::string> Fichiers;
  std::string Fichier;  // the first of them, or empty
  bool Fusion = false;  // --merge: the others merged without a question
  bool Debug = false;
  int Port = PortDebugDefaut;
  // --screenshot OUT.png [--size WxH] [--window NAME]
  bool Capture = false;
  std::string CaptureSortie;
  int Largeur = 1280, Hauteur = 960;
  // --print NAME OUT.pdf: the report of window NAME printed to OUT.pdf (CaptureSortie)
  bool Impression = false;
  std::string Fenetre;    // empty: the four views tiled; else a name registered (Registre.h)
  bool Courbure = false;  // --curvature: the studio with its curvature colours
  std::string Langue;     // --lang NAME|FILE: a language loaded before any window
  std::string Erreur;     // a malformed option: the program says so and stops
  bool Aide = false;      // "--help" or "-h": the usage, and nothing opened
  bool Version = false;   // "--version" or "-v": the version, and nothing opened
};

// Index of the first parameter equal to the text (exact, case-sensitive), or -1.
int FindInParams(const std::vector<std::string>& params, const std::string& texte);
// The parameters without the program name, Qt's own options already taken out.
TLigneCommande AnalyseLigneCommande(const std::vector<std::string>& params);
// The same before the application exists, when Qt's options are still there: only
// whether help, the version or a picture is asked for is told (the rest waits).
TLigneCommande PreAnalyseLigneCommande(const std::vector<std::string>& params);
// What "--help" prints, and "--version".
std::string AideLigneCommande();
std::string VersionProgramme();
// View kind named by --window (section/transversale, plan, profil/profile,
// perspective/persp), or -1.
int TypeVueParNom(const std::string& nom);
