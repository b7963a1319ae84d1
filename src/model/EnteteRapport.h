// The document properties as the properties window takes them in, and the heading
// block that every printed or saved report begins with.
#pragma once

#include <string>
#include <vector>

#include "model/PropFich.h"

// The first n characters of a UTF-8 text (a character is never cut in two).
std::string CoupeCaracteres(const std::string& s, size_t n);

// The six fields and the comment lines as typed, each field cut to its limit.
struct TSaisieProprietes {
  std::string Titre, Type, Archi, Societe, Version, Date;
  std::vector<std::string> Commentaire;
};
TPropFich ProprietesSaisies(const TSaisieProprietes& s);

// "Brivane - " + the report's title, the document's title, architect, version and
// date (a blank line each when empty, so that every report's block has one shape),
// the rule line and a blank line.
std::vector<std::string> EnteteRapport(const TPropFich& p, const std::string& titre);
inline constexpr const char* LigneRegle = "________________________________";
