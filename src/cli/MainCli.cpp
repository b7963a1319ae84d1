// brivane-cli: the hull model's computations from the command line, for
// checking a design, scripting, and the program's own tests.
#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <iostream>

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

int main(int argc, char** argv) {
  std::setlocale(LC_NUMERIC, "C");
  CLI::App app{"Brivane: hull design computations from the command line", "brivane-cli"};
  app.set_version_flag("--version", std::string("brivane-cli ") + BRIVANE_VERSION);
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
