// The import of reference marks from a text file (one mark a line, values separated
// by ";", in one of six axis orders), and the expected line the import dialog shows.
#pragma once

#include <string>
#include <vector>

#include "model/DonneesReperes.h"

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

// A row of the marks (or flooding points) windows, as typed: name, X, Y, Z.
struct TLigneRepere {
  std::string Nom, X, Y, Z;
};

// The rows a window opens with: one per point, coordinates "%.4f"; one empty row for
// an empty list.
std::vector<TLigneRepere> LignesDesReperes(const std::vector<TRepere>& liste);
// "" when X, Y and Z of every row convert, else the conversion message of the first
// that does not.
std::string VerifieLignesReperes(const std::vector<TLigneRepere>& lignes);
// The points the rows stand for: a lone row with X, Y and Z all empty is no point.
// False (sortie untouched) with the message when a row does not convert.
bool LitLignesReperes(const std::vector<TLigneRepere>& lignes, std::vector<TRepere>& sortie,
                      std::string& message);
// The "Nouveau repère" dialog's fields: an empty coordinate and one that does not convert
// have their own messages ("" when the mark is read).
std::string LitNouveauRepere(const TLigneRepere& l, TRepere& r);
