// Runs brivane-cli and captures its output and exit status.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

struct ResultatCli {
  int Code = -1;
  std::string Sortie;
};

// With avecErreur, standard error is captured too (refusals are written there). With a
// folder, the command runs in it.
inline ResultatCli LanceCli(const std::string& args, bool avecErreur = false,
                            const std::string& dossier = {}) {
  ResultatCli r;
  std::string cmd = (dossier.empty() ? std::string() : "cd '" + dossier + "' && ") +
                    std::string(BRIVANE_CLI) + " " + args + (avecErreur ? " 2>&1" : " 2>/dev/null");
  FILE* f = popen(cmd.c_str(), "r");
  if (!f) return r;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, f)) > 0) r.Sortie.append(buf, n);
  int st = pclose(f);
  r.Code = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  return r;
}
