// brivane-cli: the hull model's computations from the command line, for
// checking a design, scripting, and the program's own tests.
#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <iostream>

#include "base/Chaines.h"
#include "base/Langues.h"
#include "cli/Commandes.h"

std::vector<TCommandeCli>& CommandesCli() {
  static std::vector<TCommandeCli> c;
  return c;
}

std::string Reel4(double v) {
  // A value that rounds to zero prints as zero, not "-0.0000".
  if (std::fabs(v) < 0.00005) v = 0;
  char b[64];
  std::snprintf(b, sizeof b, "%.4f", v);
  return b;
}

std::string Aligne(const std::string& utf8, size_t largeur) {
  size_t n = 0;
  for (unsigned char c : utf8) n += (c & 0xC0) != 0x80;
  return n >= largeur ? utf8 : utf8 + std::string(largeur - n, ' ');
}

namespace {

// One language for the run, the interface's: "--lang NAME|FILE" (anywhere on the line), else
// the window program's stored language. Taken out before the commands read their options.
bool ChargeLangue(int& argc, char** argv) {
  std::string demande = LangueReglagesUtilisateur();
  bool donnee = false;
  for (int i = 1; i < argc; i++) {
    const std::string a = argv[i];
    if (a == "--") break;
    if (a != "--lang" && a.rfind("--lang=", 0) != 0) continue;
    const bool colle = a != "--lang";
    if (!colle && i + 1 >= argc) {
      std::cerr << "brivane-cli: --lang needs a language name or file\n";
      return false;
    }
    demande = colle ? a.substr(7) : argv[i + 1];
    donnee = true;
    const int n = colle ? 1 : 2;
    for (int k = i; k + n <= argc; k++) argv[k] = argv[k + n];
    argc -= n;
    i--;
  }
  if (demande.empty() || demande == "Français") return true;
  std::string erreur;
  const std::string fichier = FichierLangueDemande(DossierExecutable(), demande, &erreur);
  if (fichier.empty()) {
    // Asked for now, it must be there; kept from the window program, French does.
    if (donnee) std::cerr << "brivane-cli: --lang: " << erreur << "\n";
    return !donnee;
  }
  if (!ChargerChaines(fichier, &erreur)) {
    std::cerr << "brivane-cli: " << erreur << "\n";
    return !donnee;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_NUMERIC, "C");
  if (!ChargeLangue(argc, argv)) return 2;
  CLI::App app{"Brivane: hull design computations from the command line", "brivane-cli"};
  app.set_version_flag("--version", std::string("brivane-cli ") + BRIVANE_VERSION);
  // Read before the commands (ChargeLangue): declared here for the help.
  app.add_option("--lang")
      ->type_name("NAME|FILE")
      ->description(
          "The language of the messages: a name (English) or a language file; by default the "
          "window program's");
  app.require_subcommand(1);
  std::vector<std::function<int()>> actions;
  for (auto& c : CommandesCli()) actions.push_back(c.Declare(app));
  if (argc > 1 && argv[1][0] != '-') {
    // CLI11 would only say that a sub-command is required: name the one it does not know.
    std::string nom = argv[1], connues;
    bool connue = false;
    for (const CLI::App* c : app.get_subcommands([](const CLI::App*) { return true; })) {
      connue = connue || c->get_name() == nom;
      connues += (connues.empty() ? "" : ", ") + c->get_name();
    }
    if (!connue) {
      std::cerr << "brivane-cli: unknown command \"" << nom << "\"; known commands: " << connues << "\n";
      return 2;
    }
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    std::cerr << "brivane-cli: " << e.what() << "\n";
    return 2;
  }
  try {
    for (size_t i = 0; i < actions.size(); i++)
      if (app.get_subcommands().size() && actions[i]) {
        // Each action checks whether its own sub-command was chosen.
        int r = actions[i]();
        if (r >= 0) return std::max(r, CodeSortieLecture());
      }
  } catch (const TErreurCli& e) {
    std::cerr << "brivane-cli: " << e.what() << "\n";
    return 2;
  } catch (const std::exception& e) {
    std::cerr << "brivane-cli: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
