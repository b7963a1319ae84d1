// The import of reference marks from a text file (one mark a line, values separated
// by ";", in one of six axis orders), and the expected line the import dialog shows.
#pragma once

#include <string>
#include <vector>

#include "model/Reperes.h"

// The orders of the values in a line, as the import dialog lists them.
enum TOrdreValeurs { ovXYZ, ovYXZ, ovXZY, ovYZX, ovZXY, ovZYX, NbOrdresValeurs };

// "X - Y - Z" ... as the dialog's choice shows them.
std::string LibelleOrdre(int ordre);
// The line the file is expected to hold: "X;Y;Z;", "Nom_Repère;Y;X;Z;"...
std::string LigneAttendue(bool avecNom, int ordre);

// More lines than this are refused, whatever they hold.
constexpr int MaxLignesImport = 100000;

struct TResultatImport {
  bool Ok = false;
  int NumLigne = 0;     // the first bad line, counted from 1 (0: none)
  std::string Ligne;    // its text, as read
  std::string Message;  // "Erreur de lecture du fichier d'import" and where
  std::vector<TRepere> Reperes;
};

// Reads every line; blank lines are skipped. All or nothing: at the first bad line
// the result names it and holds no mark.
TResultatImport LitReperes(const std::string& texte, bool avecNom, int ordre);
// Appends the marks of a good import to the list; returns how many were added.
int AjouteReperes(TListeReperes& liste, const TResultatImport& r);
