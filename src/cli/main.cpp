// brivane-cli: the hull model's computations from the command line, for
// checking a design, scripting, and the program's own tests.
#include <clocale>
#include <cstdio>
#include <iostream>

#include "cli/Commandes.h"

std::vector<TCommandeCli>& CommandesCli() {
  static std::vector<TCommandeCli> c;
  return c;
}

std::string Reel4(double v) {
  char b[64];
  std::snprintf(b, sizeof b, "%.4f", v);
  return b;
}

int main(int argc, char** argv) {
  std::setlocale(LC_NUMERIC, "C");
  CLI::App app{"Brivane: hull design computations from the command line", "brivane-cli"};
  app.set_version_flag("--version", std::string("brivane-cli ") + BRIVANE_VERSION);
  app.require_subcommand(1);
  std::vector<std::function<int()>> actions;
  for (auto& c : CommandesCli()) actions.push_back(c.Declare(app));
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
        if (r >= 0) return r;
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
