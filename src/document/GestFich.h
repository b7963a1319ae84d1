// Hull documents (".kvb"): writing a design to its tagged line file and reading
// one back, older format versions and merging into an open design included.
// Used by the main window's open/save commands, the recovery save and the CLI.
#pragma once

#include <string>
#include <vector>

#include "base/FichierStr.h"
#include "model/Document.h"

// The format version the writer writes.
inline constexpr const char* VersionDocument = "1.10";

// The sections that follow SOUDES, in writing order.
inline constexpr const char* SectionsSuivantes[] = {"VUES",    "GRILLE",  "OPTIONS",     "COTES",
                                                    "BALLAST", "REPERES", "ENVAHISEMENT"};

struct TOptionsLecture {
  bool Demarrage = false;  // the file was named on the command line
  bool Evaluer = true;     // evaluate the read surfaces, their lines and the extents
};

// Reads a document. Into an empty document it opens the file (the document takes
// its name and is marked saved); into a document with surfaces it merges the file's
// surfaces after them, up to four in all (the document is marked modified).
// The file is read into a fresh document first: on a fatal error the message is
// shown and logged, *erreur receives it, false is returned and the open document,
// its file name and its state are untouched. Errors the reading could go past are
// listed in one question: unless the answer is yes the read is dropped the same way;
// otherwise the document remembers the file (FichierLuAvecErreurs), and writing over
// it asks first.
bool OuvrirFichier(TDocument& doc, const std::string& nomFichier, const TOptionsLecture& opt = {},
                   std::string* erreur = nullptr);
// The same from a line file already loaded (tests, fuzzing).
bool LitDocument(TDocument& doc, TfichierStr& f, const std::string& nomFichier,
                 const TOptionsLecture& opt = {}, std::string* erreur = nullptr);

// Fills an empty line file with the document: the surfaces of `nums`, in that order,
// and every other section whole. False, with the message, when a surface holds counts
// the reader would refuse.
bool ConstruitFichier(const TDocument& doc, const std::vector<int>& nums, TfichierStr& f,
                      std::string* erreur = nullptr);
// Writes the surfaces of `nums` and the rest of the document to `chemin`, after a
// backup copy of the file there. The write goes through a temporary file: a failure
// leaves the previous file intact, shows the reason and returns false. The document
// is marked saved only when all of it was written to its own file name.
bool EnregistrerFichier(TDocument& doc, const std::vector<int>& nums, const std::string& chemin,
                        std::string* erreur = nullptr);
// Writes the whole document to its file name, or to "recovery.kvb" in the current
// folder for the recovery save (which leaves the document's name and modified state alone).
bool EnregistrerFichierAll(TDocument& doc, bool recovery = false, std::string* erreur = nullptr);
// Whether two paths name the same file (the same existing file, or the same path).
bool MemeFichier(const std::string& a, const std::string& b);
// Copies the file at chemin to chemin + ".bak", replacing an older copy. True when
// there is no file to copy.
bool SaveBackupFileFichier(const std::string& chemin, std::string* erreur = nullptr);
