// The table-of-offsets import: a semicolon-separated table (decimal commas or points)
// whose first line holds the waterline heights and each following line a station's
// position along the hull then its half-breadths at those heights (an empty cell where
// the waterline misses the station). Optional lines: "Livet" (the sheer: a height and
// a half-breadth per station) and "Quille" (the keel profile: a height per station).
// The offsets are fitted by one NURBS surface, symmetric about X = 0: each section is
// interpolated, and the sections are skinned by the smallest net within the tolerance.
// Axes as everywhere in the program: X half-breadth, Y along the hull, Z up.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/Import.h"

constexpr int MaxStationsCotes = 500;
constexpr int MaxLignesEauCotes = 500;

struct TTableCotesLue {
  std::vector<double> Hauteurs;  // Z of the waterlines
  std::vector<double> Stations;  // Y of the stations
  // Half-breadth of station s at waterline w, or none.
  std::vector<std::vector<std::optional<double>>> DemiLargeurs;
  std::vector<std::optional<std::pair<double, double>>> Livet;  // (Z, half-breadth) per station
  std::vector<std::optional<double>> Quille;                    // Z on the centre plane per station
};

// The table read from its text, or the message (file and line) in erreur.
bool LitTableCotes(std::string_view texte, const std::string& nom, TTableCotesLue& t, std::string& erreur);

// The surface fitted to a table (checked beforehand by LitTableCotes).
TImportCoque AjusteCotes(const TTableCotesLue& t, const std::string& nom, double tolerance);

TImportCoque ImporteCotes(const std::string& chemin, double tolerance = ToleranceImportDefaut);
TImportCoque ImporteCotesTexte(std::string_view texte, const std::string& nom,
                               double tolerance = ToleranceImportDefaut);
