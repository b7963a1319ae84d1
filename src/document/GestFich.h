// Hull documents (".kvb"): writing a design to its tagged line file and reading
// one back, older format versions and merging into an open design included.
// Used by the main window's open/save commands, the recovery save and the CLI.
#pragma once

#include <array>
#include <memory>
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

// One thing the reader found wrong, where it found it. An error refuses the whole
// file; a warning lost part of it (a surface, a list entry, a setting) and the rest
// can still be taken; a note says what the reader supplied for a missing key, nothing lost.
enum class TGravite { Erreur, Avertissement, Note };
struct TConstat {
  TGravite Gravite = TGravite::Erreur;
  std::string Fichier;
  int Ligne = 0;  // from 1; 0 when no line is concerned (the file could not be loaded)
  std::string Message;
  // The message followed by the file and line, as the program shows it.
  std::string Texte() const;
};

// What the file gave, not yet in any document. The flags say which of the sections
// that replace the open document's own were present.
struct TDocumentLu {
  TDocument Doc;
  bool GrilleLue = false;
  bool VuesLues = false;
  std::array<bool, 4> VuesPersoLues{};
};

// A read, before anything is installed: the caller looks at the findings, decides
// (asks the user, refuses, prints) and only then installs it.
struct TResultatLecture {
  std::string Fichier;
  int N0 = 0;  // surfaces of the document it was read for: it installs into that count only
  std::vector<TConstat> Constats;
  std::unique_ptr<TDocumentLu> Contenu;  // null when refused or once installed

  bool Refusee() const { return !Contenu; }
  bool Fusion() const { return N0 > 0; }
  // Part of the file was lost: the caller decides whether what was read is taken.
  bool Partielle() const;
  int NbSurfLues() const { return Contenu ? Contenu->Doc.NbSurf() : 0; }
  // The text of the first error ("" when none).
  std::string Erreur() const;
  // The texts of the warnings, in reading order.
  std::vector<std::string> Avertissements() const;
  // The texts of the notes, in reading order.
  std::vector<std::string> Notes() const;
};

// Reads a document for `cible` without touching it: into an empty target the file
// opens; into one with surfaces its surfaces come after them, up to four in all.
// The target gives only its surface count, precision and grid. The user is asked
// nothing; the findings are logged and returned.
TResultatLecture LitFichier(const TDocument& cible, const std::string& nomFichier,
                            const TOptionsLecture& opt = {});
// The same from a line file already loaded (tests, fuzzing).
TResultatLecture LitLignes(const TDocument& cible, TfichierStr& f, const std::string& nomFichier,
                           const TOptionsLecture& opt = {});
// Brings an accepted read into doc, which must hold the surface count it was read for:
// an open takes the file's name and is marked saved, a merge is marked modified, and a
// partial read is remembered (FichierLuAvecErreurs) so that writing over the file asks
// first. False, with doc untouched, for a refused read or another document.
bool InstalleLecture(TDocument& doc, TResultatLecture& r, const TOptionsLecture& opt = {});

// Reads and installs in one step, for callers nobody answers for (the command line,
// tests): a partial read is taken. False with the error, the document untouched,
// when the file is refused. `resultat` receives the findings.
bool OuvrirFichier(TDocument& doc, const std::string& nomFichier, const TOptionsLecture& opt = {},
                   std::string* erreur = nullptr, TResultatLecture* resultat = nullptr);
bool LitDocument(TDocument& doc, TfichierStr& f, const std::string& nomFichier,
                 const TOptionsLecture& opt = {}, std::string* erreur = nullptr,
                 TResultatLecture* resultat = nullptr);

// Fills an empty line file with the document: the surfaces of `nums`, in that order,
// and every other section whole. False, with the message, when a surface holds counts
// the reader would refuse.
bool ConstruitFichier(const TDocument& doc, const std::vector<int>& nums, TfichierStr& f,
                      std::string* erreur = nullptr);
// Writes the surfaces of `nums` and the rest of the document to `chemin`, after a
// backup copy of the file there. The write goes through a temporary file: a failure
// leaves the previous file intact, shows the reason and returns false. The document
// is marked saved only when all of it was written to its own file name. Over a
// read-only file it asks first. The reason of a failure goes to *erreur when given
// (an empty one when the user declined), and is shown otherwise.
bool EnregistrerFichier(TDocument& doc, const std::vector<int>& nums, const std::string& chemin,
                        std::string* erreur = nullptr);
// Writes the whole document to its file name, or to "recovery.kvb" in the current
// folder for the recovery save (which leaves the document's name and modified state alone).
bool EnregistrerFichierAll(TDocument& doc, bool recovery = false, std::string* erreur = nullptr);
// Whether two paths name the same file (the same existing file, or the same path).
bool MemeFichier(const std::string& a, const std::string& b);
// Whether the file at chemin exists and its permissions forbid writing it (even to
// root, who could).
bool FichierLectureSeule(const std::string& chemin);
// Copies the file at chemin to its backup name (NomSauvegarde: chemin + ".bak" when that
// fits), replacing an older copy. True when there is no file to copy.
bool SaveBackupFileFichier(const std::string& chemin, std::string* erreur = nullptr);
