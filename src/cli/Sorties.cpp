// Output helpers shared by the commands: padded tables, CSV files, option triplets,
// the progress bar.
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>

#include "base/Encodage.h"
#include "base/FichierStr.h"
#include "cli/Commandes.h"

void ImprimeTable(const std::vector<std::vector<std::string>>& lignes, TAlignTable a) {
  std::vector<size_t> larg;
  for (const auto& l : lignes)
    for (size_t c = 0; c < l.size(); c++) {
      if (larg.size() <= c) larg.push_back(0);
      larg[c] = std::max(larg[c], LongueurUtf8(l[c]));
    }
  for (const auto& l : lignes) {
    std::string s;
    for (size_t c = 0; c < l.size(); c++) {
      if (c) s += "  ";
      const std::string pad(larg[c] - LongueurUtf8(l[c]), ' ');
      if (a == TAlignTable::Gauche || (a == TAlignTable::PremiereGauche && c == 0))
        s += c + 1 < l.size() ? l[c] + pad : l[c];
      else
        s += pad + l[c];
    }
    if (a == TAlignTable::Gauche)
      while (!s.empty() && s.back() == ' ') s.pop_back();
    std::cout << s << "\n";
  }
}

namespace {

std::string CelluleCsv(const std::string& t) {
  if (t.find_first_of(",\"\n") == std::string::npos) return t;
  std::string r = "\"";
  for (char c : t) r += c == '"' ? std::string("\"\"") : std::string(1, c);
  return r + "\"";
}

}  // namespace

void EcritCsvTextes(const std::string& chemin, const std::vector<std::string>& entete,
                    const std::vector<std::vector<std::string>>& lignes) {
  std::ofstream fichier;
  if (chemin != "-") {
    fichier.open(chemin, std::ios::binary);
    if (!fichier) throw TErreurCli("--csv " + chemin + ": cannot write the file");
  }
  std::ostream& o = chemin == "-" ? std::cout : fichier;
  auto ligne = [&](const std::vector<std::string>& l) {
    for (size_t c = 0; c < l.size(); c++) o << (c ? "," : "") << CelluleCsv(l[c]);
    o << "\n";
  };
  ligne(entete);
  for (const auto& l : lignes) ligne(l);
  o.flush();
  if (chemin != "-" && !fichier) throw TErreurCli("--csv " + chemin + ": cannot write the file");
}

void EcritCsv(const std::string& chemin, const std::vector<std::string>& entete,
              const std::vector<std::vector<double>>& lignes) {
  std::vector<std::vector<std::string>> t;
  char buf[64];
  for (const auto& l : lignes) {
    std::vector<std::string> r;
    for (double v : l) {
      std::snprintf(buf, sizeof buf, "%.10g", v);
      std::string x = std::isfinite(v) ? buf : "";
      for (char& ch : x)
        if (ch == ',') ch = '.';  // a decimal comma of the process locale
      r.push_back(x);
    }
    t.push_back(r);
  }
  EcritCsvTextes(chemin, entete, t);
}

void LitTriplet(const std::string& option, const std::string& texte, double& a, double& b, double& c) {
  double v[3];
  size_t pos = 0;
  for (int k = 0; k < 3; k++) {
    size_t f = texte.find(':', pos);
    if ((k < 2) != (f != std::string::npos) ||
        !LitReel(texte.substr(pos, f == std::string::npos ? f : f - pos), v[k]) || !std::isfinite(v[k]))
      throw TErreurCli(option + " expects three numbers A:B:C, not '" + texte + "'");
    pos = f + 1;
  }
  a = v[0], b = v[1], c = v[2];
}

TBarreProgression::TBarreProgression() : Actif(isatty(STDERR_FILENO) != 0) {}

TBarreProgression::~TBarreProgression() {
  if (Trace) std::fprintf(stderr, "\r%60s\r", "");
}

void TBarreProgression::Montre(int total, int fait) {
  if (!Actif || total <= 0) return;
  const int largeur = 40, plein = largeur * fait / total;
  std::fprintf(stderr, "\r[%s%s] %3d%% %d/%d", std::string(static_cast<size_t>(plein), '#').c_str(),
               std::string(static_cast<size_t>(largeur - plein), '.').c_str(), 100 * fait / total, fait,
               total);
  std::fflush(stderr);
  Trace = true;
}
