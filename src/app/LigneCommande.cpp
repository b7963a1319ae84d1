// Command-line parsing.
#include "app/LigneCommande.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "model/NetGest.h"
#include "ui/Registre.h"

namespace {

bool Entier(const std::string& s, int& v) {
  if (s.empty()) return false;
  const char* fin = s.data() + s.size();
  auto r = std::from_chars(s.data(), fin, v);
  return r.ec == std::errc() && r.ptr == fin;
}

// Takes "OPT VALUE" out of the list; false when the option has no value after it.
bool ExtraitOption(std::vector<std::string>& p, const std::string& opt, std::string& valeur, bool& present) {
  int i = FindInParams(p, opt);
  present = i >= 0;
  if (!present) return true;
  if (static_cast<size_t>(i) + 1 >= p.size()) {
    p.erase(p.begin() + i);
    return false;
  }
  valeur = p[static_cast<size_t>(i) + 1];
  p.erase(p.begin() + i, p.begin() + i + 2);
  return true;
}

}  // namespace

int FindInParams(const std::vector<std::string>& params, const std::string& texte) {
  for (size_t i = 0; i < params.size(); i++)
    if (params[i] == texte) return static_cast<int>(i);
  return -1;
}

TLigneCommande AnalyseLigneCommande(std::vector<std::string> p) {
  TLigneCommande r;
  // Taken for a file name, "--help" would only say that no such file exists.
  if (FindInParams(p, "--help") >= 0 || FindInParams(p, "-h") >= 0) {
    r.Aide = true;
    return r;
  }
  int i = FindInParams(p, "-d");
  if (i >= 0) {
    r.Debug = true;
    p.erase(p.begin() + i);
  }
  i = FindInParams(p, "-p");
  if (i >= 0) {
    // A port that is not one would leave the debugger unreached without a word, and a
    // file name taken for it would open another design: both are refused.
    size_t suivant = static_cast<size_t>(i) + 1;
    int port = 0;
    if (suivant >= p.size())
      r.Erreur = "-p needs a port number (1 to 65535)";
    else if (!Entier(p[suivant], port) || port < 1 || port > 65535)
      r.Erreur = "-p expects a port number from 1 to 65535, not " + p[suivant];
    else
      r.Port = port;
    p.erase(p.begin() + i, p.begin() + static_cast<std::ptrdiff_t>(std::min(suivant + 1, p.size())));
  }
  std::string v;
  bool present = false;
  if (!ExtraitOption(p, "--screenshot", r.CaptureSortie, r.Capture))
    r.Erreur = "--screenshot needs an output file";
  if (!ExtraitOption(p, "--size", v, present)) r.Erreur = "--size needs WxH";
  if (present && r.Erreur.empty()) {
    size_t x = v.find_first_of("xX");
    int w = 0, h = 0;
    if (x == std::string::npos || !Entier(v.substr(0, x), w) || !Entier(v.substr(x + 1), h) || w < 100 ||
        h < 100 || w > 8000 || h > 8000)
      r.Erreur = "--size expects WxH between 100x100 and 8000x8000, not " + v;
    else
      r.Largeur = w, r.Hauteur = h;
  }
  // --print NAME OUT.pdf: the report of a window, printed to a PDF, like a screenshot.
  if (int k = FindInParams(p, "--print"); k >= 0) {
    const size_t u = static_cast<size_t>(k);
    if (u + 2 >= p.size()) {
      r.Erreur = "--print needs a window name and an output file";
      p.erase(p.begin() + k, p.end());
    } else if (r.Capture) {
      r.Erreur = "--print and --screenshot cannot go together";
    } else {
      r.Capture = r.Impression = true;
      r.Fenetre = p[u + 1];
      r.CaptureSortie = p[u + 2];
      p.erase(p.begin() + k, p.begin() + k + 3);
      if (!FenetreCapture(r.Fenetre) || !FenetreCapture(r.Fenetre)->Imprime)
        r.Erreur = "--print expects " + NomsFenetres(", ", " or ", true) + ", not " + r.Fenetre;
    }
  }
  if (!ExtraitOption(p, "--window", r.Fenetre, present)) r.Erreur = "--window needs a view name";
  if (present && r.Erreur.empty() && !FenetreCapture(r.Fenetre))
    r.Erreur = "--window expects " + NomsFenetres() + ", not " + r.Fenetre;
  // The diagnostics window belongs to debug mode: its picture shows what that mode records.
  if (present && r.Erreur.empty() && FenetreCapture(r.Fenetre) == FenetreCapture("debug")) r.Debug = true;
  if (!ExtraitOption(p, "--lang", r.Langue, present)) r.Erreur = "--lang needs a language file";
  if (int i = FindInParams(p, "--curvature"); i >= 0) {
    r.Courbure = true;
    p.erase(p.begin() + i);
  }
  for (size_t k = 0; k < p.size(); k++) r.Fichier += (k ? " " : "") + p[k];
  return r;
}

int TypeVueParNom(const std::string& nom) {
  std::string n = nom;
  std::transform(n.begin(), n.end(), n.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (n == "section" || n == "transversale" || n == "transverse") return tvSection;
  if (n == "plan") return tvPlan;
  if (n == "profil" || n == "profile") return tvProfil;
  if (n == "perspective" || n == "persp") return tvPersp;
  return -1;
}
