// The command line's sub-commands: each unit registers its own.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/Services.h"
#include "model/Document.h"

// A failure the command line reports in one line with exit status 2.
struct TErreurCli : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct TCommandeCli {
  // Declares the sub-command and its options; returns the function run when it is chosen.
  std::function<std::function<int()>(CLI::App& app)> Declare;
};

std::vector<TCommandeCli>& CommandesCli();

struct TEnregistreCommande {
  explicit TEnregistreCommande(TCommandeCli c) { CommandesCli().push_back(std::move(c)); }
};

// Reads a document for a command, or gives the default new document when the path is empty.
// Throws TErreurCli with the program's message when the file cannot be read.
void ChargeDocumentCli(TDocument& doc, const std::string& chemin);
// Before a calculation, what the model check finds that would falsify it (TFondCalcul
// bits), as one warning line on standard error; "check" gives the whole list.
void AvertitVerification(const TDocument& doc, const std::vector<int>& portee, unsigned fonds);
// The same, evaluating the surfaces or not (a command that only rewrites the file needs no grids).
bool ChargeDocumentCli(TDocument& doc, const std::string& chemin, bool evaluer);

// The program's message dialog, which nobody can answer here, is replaced by the
// collector of base/Services.h; this puts it back and prints what was collected as warnings.
void Avertit(TMessagesCollectes& messages);

// 1 once a document was read with errors: the command's output stands on a partial
// document, which the exit status must tell a script.
int& CodeSortieLecture();

// The text followed by blanks up to a width counted in characters, not bytes:
// accented names ("Bordé") must not shift the columns after them.
std::string Aligne(const std::string& utf8, size_t largeur);

// Prints a JSON value with a trailing newline.
std::string Reel4(double v);

// Columns padded to their widest cell (in characters, not bytes), on standard output:
// every column on the right (numbers), the first on the left (a name, then numbers), or
// every column on the left (lists of names, trailing blanks dropped).
enum class TAlignTable { Droite, PremiereGauche, Gauche };
void ImprimeTable(const std::vector<std::vector<std::string>>& lignes, TAlignTable a = TAlignTable::Droite);
// A table as CSV (comma-separated, a point for decimals, texts quoted when they must be) to a
// file, or to standard output for "-". Throws TErreurCli when the file cannot be written.
void EcritCsv(const std::string& chemin, const std::vector<std::string>& entete,
              const std::vector<std::vector<double>>& lignes);
// The same with cells already written.
void EcritCsvTextes(const std::string& chemin, const std::vector<std::string>& entete,
                    const std::vector<std::vector<std::string>>& lignes);
// "A:B:N" or "A:B:S": three numbers separated by colons. Throws TErreurCli naming the option.
void LitTriplet(const std::string& option, const std::string& texte, double& a, double& b, double& c);
// A progress bar on standard error while it is a terminal.
class TBarreProgression {
 public:
  TBarreProgression();
  ~TBarreProgression();
  TBarreProgression(const TBarreProgression&) = delete;
  TBarreProgression& operator=(const TBarreProgression&) = delete;
  void Montre(int total, int fait);

 private:
  bool Actif;
  bool Trace = false;
};
