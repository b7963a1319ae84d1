// The document properties (title, vessel type, architect, company, version,
// date, comment lines) that the hull document keeps in its MAIN section and
// the reports and the IGES header quote.
#pragma once

#include <string>
#include <vector>

// Lengths in characters, those of the properties dialog and of the reader's cut.
constexpr size_t LimTitre = 50, LimType = 50, LimArchi = 50, LimSociete = 50, LimVersion = 20, LimDate = 10;

struct TPropFich {
  std::string Titre, Type, Archi, Societe, Version, Date;
  std::vector<std::string> Commentaire;
  void Vider() { *this = TPropFich{}; }
  friend bool operator==(const TPropFich&, const TPropFich&) = default;
};

// The lines of a document section that this build reads without interpreting
// (views, grid, options, dimensions, weights, marks): kept as read, in the file's
// single-byte text, and written back as they are.
struct TSectionBrute {
  std::string Nom;                  // without brackets, e.g. "VUES"
  std::vector<std::string> Lignes;  // between the header and "[END]"
};
