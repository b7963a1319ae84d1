// The program's command line: a document name (blanks allowed, unquoted), the
// debug switches "-d" and "-p PORT", and the screenshot mode used for the README
// picture and the visual checks. Plain C++ so that it is tested without windows.
#pragma once

#include <string>
#include <vector>

constexpr int PortDebugDefaut = 4444;

struct TLigneCommande {
  std::string Fichier;  // remaining parameters joined with single blanks
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
  std::string Langue;     // --lang FILE.dat: a language file loaded before any window
  std::string Erreur;     // a malformed option: the program says so and stops
  bool Aide = false;      // "--help" or "-h": the usage, and nothing opened
};

// Index of the first parameter equal to the text (exact, case-sensitive), or -1.
int FindInParams(const std::vector<std::string>& params, const std::string& texte);
// The parameters without the program name.
TLigneCommande AnalyseLigneCommande(std::vector<std::string> params);
// View kind named by --window (section/transversale, plan, profil/profile,
// perspective/persp), or -1.
int TypeVueParNom(const std::string& nom);
