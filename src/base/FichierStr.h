// The tagged line file: a hull document held as its single-byte text lines,
// with a section index, keyed typed reads with defaults and the writers. The
// document reader and writer (GestFich) and the exports go through it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// A document larger than this is refused unread: the biggest legal document (four
// 201 x 201 meshes) writes about 8 MB, and the line table of a hostile file of
// short lines must stay a bounded amount of memory.
constexpr size_t MaxTailleDocument = 16u << 20;
constexpr size_t MaxLignesDocument = 2'000'000;

// The eleven header prefixes that open a section (compared with case).
inline constexpr std::string_view PrefixesSections[] = {"[HEAD", "[MAIN", "[SURF", "[SOUD", "[VUES", "[GRIL",
                                                        "[OPTI", "[COTE", "[BALL", "[REPE", "[ENVA"};

struct TEntreeSection {
  std::string Nom;     // the header line without leading blanks, brackets included
  int Premiere = 0;    // the line after the header
  int NbLignes = 0;    // from the header (included) to "[END]" (excluded)
  bool Fermee = true;  // false when no "[END]" closes it: it then runs to the last line
};

class TfichierStr {
 public:
  TfichierStr() = default;
  TfichierStr(const TfichierStr&) = delete;
  TfichierStr& operator=(const TfichierStr&) = delete;

  // ---- reading ----
  // Loads a file. A missing file gives false with "Fichier <name> inexistant"; an
  // unreadable or oversized one with its own message. The message goes to *erreur
  // when given, and is shown otherwise.
  bool Charger(const std::string& nomFichier, std::string* erreur = nullptr);
  // Loads text already in memory (a CR LF, a lone LF or a lone CR each end a line).
  // False, with the message, when the text is over the size limits.
  bool ChargerTexte(std::string_view texte, std::string* erreur = nullptr);

  bool ChercherSection(std::string_view nom, int& premiere, int& nbLignes) const;
  // The value of a key within a section's range (first line, line count), or the default.
  std::string LireChaine(std::string_view cle, std::string_view defaut, int premiere, int nbLignes);
  int LireEntier(std::string_view cle, int defaut, int premiere, int nbLignes);
  double LireReel(std::string_view cle, double defaut, int premiere, int nbLignes);
  bool LireBooleen(std::string_view cle, bool defaut, int premiere, int nbLignes);
  // As LireChaine without a copy: the view stays valid until the next read or write.
  std::string_view LireValeur(std::string_view cle, std::string_view defaut, int premiere, int nbLignes);
  void VirgulesEnPoints();
  std::string DerniereValeur() const { return std::string(DerniereVue); }

  // ---- writing ----
  void EcrireSection(std::string_view nom);
  void EcrireFin();
  // Nothing for an empty value. A value that is no safe value line (see ValeurSure)
  // has its line breaks blanked and a leading "[" turned to "(".
  void EcrireChaine(std::string_view cle, std::string_view valeur);
  void EcrireEntier(std::string_view cle, long long v);
  // "%.4f"; a non-finite value is written "0" and counted in NbNonFinis.
  void EcrireReel(std::string_view cle, double v);
  void EcrireBooleen(std::string_view cle, bool v);
  // Room for a text of about this many bytes and lines, so that writing never regrows it.
  void Reserve(size_t octets, size_t lignes);
  // Appends one line as it stands (kept lines of sections read earlier).
  void AjouteLigne(std::string_view ligne);
  // Writes every line followed by CR LF through a temporary file in the same folder,
  // renamed over the target only once complete. False, with the reason, on failure:
  // the previous file is then untouched.
  // avant runs once the temporary file is complete, just before the rename (see
  // EcritFichierAtomique).
  bool Enregistrer(const std::string& nomFichier, std::string* erreur = nullptr,
                   const std::function<bool(std::string*)>& avant = {}) const;
  // The whole text as Enregistrer writes it.
  std::string Texte() const;

  int NbLignes() const { return static_cast<int>(Debuts.size()); }
  std::string_view Ligne(int i) const {
    return {Tampon.data() + Debuts[static_cast<size_t>(i)], Longueurs[static_cast<size_t>(i)]};
  }
  const std::vector<TEntreeSection>& IndexSections() const { return Index; }

  int LigneCourante = 0;
  int NbNonFinis = 0;  // non-finite reals written as "0"
  // The first loaded line holding a NUL byte, -1 for none: no tool writes one, a
  // damaged disk or a crash during a copy does.
  int PremiereLigneNul = -1;

 private:
  void Vider();
  void ConstruitIndex();
  void AjouteBrute(std::string_view ligne);
  // The first key line "[cle]" (given in lower case) of the lines premiere .. fin - 1, or -1.
  int ChercheCle(std::string_view cibleMinuscule, int premiere, int fin);

  // The lines live end to end in one buffer: loading makes no string per line.
  std::string Tampon;
  std::vector<uint32_t> Debuts, Longueurs;
  // True when Tampon is exactly the file text (every line followed by CR LF).
  bool TamponExact = true;
  std::vector<TEntreeSection> Index;
  // Key lines of a section by lower-case key, built on the first out-of-order read of
  // that section so that a file of missing keys costs no quadratic scan.
  std::unordered_map<int64_t, std::unordered_map<std::string, int>> Cles;
  std::string DerniereValeurLue;  // holds a default that was returned
  std::string_view DerniereVue;   // the last value, in Tampon or in DerniereValeurLue
  std::string Cible;              // scratch for the "[key]" being read
};

// Why a file could not be read whole.
enum class TLectureFichier { Ok, Absent, PasOrdinaire, TropGrand, Erreur };
// Reads a whole regular file of at most `maximum` bytes. Anything else (a folder, a
// FIFO, a device) is refused before a byte is read, and never blocks: the message,
// naming the file, goes to *erreur.
TLectureFichier LitFichierOrdinaire(const std::string& chemin, size_t maximum, std::string& octets,
                                    std::string* erreur = nullptr);

// The name of the backup copy of a file: its name followed by ".bak", the name cut
// so that it fits the folder's limit on the length of a name.
std::string NomSauvegarde(const std::string& chemin);

// Writes bytes through a temporary file in the target's folder, synced, then renamed
// over the target: the previous file stays whole on any failure (reason in erreur).
// The target must be a regular file or absent. The temporary name is short whatever
// the target's, and temporary files that a killed write left in that folder go.
// avant, when given, runs once the temporary file is complete and synced, just before
// the rename: returning false stops the write (its reason in erreur), target untouched.
bool EcritFichierAtomique(const std::string& nomFichier, std::string_view octets,
                          std::string* erreur = nullptr, const std::function<bool(std::string*)>& avant = {});
// Tests only: called with the target between the complete temporary file and the
// rename, to stop a writer there (a fork that exits) as a crash would.
std::function<void(const std::string& cible)>& CrochetAvantRenommage();
// The same for text lines held as UTF-8: written Windows-1252, each ended by CR LF.
bool EcritFichierTexte(const std::string& nomFichier, const std::vector<std::string>& lignes,
                       std::string* erreur = nullptr);

// ---- conversions (independent of the process locale) ----
// A decimal integer; false for anything else (blanks around it are allowed).
bool LitEntier(std::string_view s, int& v);
// A finite decimal real with a point; false for anything else, "nan" and "inf" included.
bool LitReel(std::string_view s, double& v);
bool LitReel(std::string_view s, float& v);
// "%.4f" with a point; "0" for a non-finite value.
std::string TexteReel4(double v);
// Appends "%.4f" of v (a finite value) to s.
void AjouteReel4(std::string& s, double v);

// Whether a text can stand as a value line: non-empty, no CR or LF, and not starting
// (after blanks) with "[", which would read as a key or a section.
bool ValeurSure(std::string_view s);

// ---- text helpers ----
// The text before the first separator; the rest becomes the text after it. Without
// the separator the field is empty and the rest unchanged.
std::string Decouper(std::string_view sep, std::string& reste);
std::string_view Decouper(char sep, std::string_view& reste);
// As Decouper, the field keeping the separator at its end.
std::string DecouperInclus(std::string_view sep, std::string& reste);
int CompterOccurrences(std::string_view sep, std::string_view texte);
std::string TexteApres(std::string_view partie, std::string_view texte);
// True if the text starts with the prefix, ignoring case.
bool CommencePar(std::string_view prefixe, std::string_view texte);
std::string RemplacerCar(std::string_view texte, char ancien, char nouveau);
std::string CompleterDroite(std::string_view pad, std::string_view texte, size_t largeur);
std::string CompleterGauche(std::string_view pad, std::string_view texte, size_t largeur);
// Equality ignoring the case of ASCII letters.
bool EgalCasse(std::string_view a, std::string_view b);
