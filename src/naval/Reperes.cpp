#include "naval/Reperes.h"

#include <array>

#include "base/Chaines.h"
#include "base/FichierStr.h"

namespace {

// For each order, the coordinate (0 X, 1 Y, 2 Z) that the k-th value of a line gives.
constexpr std::array<std::array<int, 3>, NbOrdresValeurs> Axes = {
    {{0, 1, 2}, {1, 0, 2}, {0, 2, 1}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}}};
constexpr const char* NomsAxes[3] = {"X", "Y", "Z"};

std::string Nettoie(std::string s) {
  const auto debut = s.find_first_not_of(" \t\r\n");
  if (debut == std::string::npos) return {};
  s = s.substr(debut, s.find_last_not_of(" \t\r\n") - debut + 1);
  for (char& c : s)
    if (c == ',') c = '.';
  return s;
}

bool LitLigne(std::string reste, bool avecNom, int ordre, TRepere& r) {
  if (avecNom) {
    if (reste.find(';') == std::string::npos) return false;
    r.Nom = Decouper(";", reste);
  }
  double v[3];
  for (int k = 0; k < 3; k++) {
    std::string champ = k < 2 || reste.find(';') != std::string::npos ? Decouper(";", reste) : reste;
    // A value without its ";" is no value: Decouper gives an empty field then.
    if (!LitReel(champ, v[k])) return false;
  }
  double* c[3] = {&r.X, &r.Y, &r.Z};
  for (int k = 0; k < 3; k++) *c[Axes[static_cast<size_t>(ordre)][static_cast<size_t>(k)]] = v[k];
  return true;
}

}  // namespace

std::string LibelleOrdre(int ordre) {
  if (ordre < 0 || ordre >= NbOrdresValeurs) return {};
  const auto& a = Axes[static_cast<size_t>(ordre)];
  return std::string(NomsAxes[a[0]]) + " - " + NomsAxes[a[1]] + " - " + NomsAxes[a[2]];
}

std::string LigneAttendue(bool avecNom, int ordre) {
  if (ordre < 0 || ordre >= NbOrdresValeurs) return {};
  std::string s = avecNom ? "Nom_Repère;" : "";
  for (int k : Axes[static_cast<size_t>(ordre)]) s += std::string(NomsAxes[k]) + ";";
  return s;
}

TResultatImport LitReperes(const std::string& texte, bool avecNom, int ordre) {
  TResultatImport r;
  auto echec = [&](int n, std::string ligne, const std::string& pourquoi) {
    r.Ok = false, r.NumLigne = n, r.Ligne = std::move(ligne), r.Reperes.clear();
    r.Message = rs("rsErreurImportReperes") + Format(rs("rsErreurImportLigne"), n) + pourquoi;
    return r;
  };
  if (ordre < 0 || ordre >= NbOrdresValeurs) return echec(0, {}, "");
  size_t pos = 0;
  int n = 0;
  while (pos < texte.size()) {
    size_t fin = texte.find('\n', pos);
    if (fin == std::string::npos) fin = texte.size();
    std::string ligne = texte.substr(pos, fin - pos);
    pos = fin + 1;
    if (++n > MaxLignesImport) return echec(n, {}, Format(rs("rsErreurImportTrop"), MaxLignesImport));
    std::string propre = Nettoie(ligne);
    // A blank line (a trailing one is usual) holds no mark and is no error.
    if (propre.empty()) continue;
    TRepere m;
    if (!LitLigne(propre, avecNom, ordre, m)) {
      if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
      return echec(n, ligne, " : \"" + ligne + "\"");
    }
    r.Reperes.push_back(std::move(m));
  }
  r.Ok = true;
  return r;
}

int AjouteReperes(TListeReperes& liste, const TResultatImport& r) {
  if (!r.Ok) return 0;
  liste.insert(liste.end(), r.Reperes.begin(), r.Reperes.end());
  return static_cast<int>(r.Reperes.size());
}

std::vector<TLigneRepere> LignesDesReperes(const std::vector<TRepere>& liste) {
  std::vector<TLigneRepere> l;
  for (const TRepere& r : liste)
    l.push_back({r.Nom, Format("%.4f", r.X), Format("%.4f", r.Y), Format("%.4f", r.Z)});
  if (l.empty()) l.emplace_back();
  return l;
}

namespace {

bool Convertit(const std::string& s, double& v, std::string& message) {
  if (LitReel(s, v)) return true;
  message = Format(rs("rsErrConversionReel"), s.c_str());
  return false;
}

bool LitLigneGrille(const TLigneRepere& l, TRepere& r, std::string& message) {
  r.Nom = l.Nom;
  return Convertit(l.X, r.X, message) && Convertit(l.Y, r.Y, message) && Convertit(l.Z, r.Z, message);
}

}  // namespace

std::string VerifieLignesReperes(const std::vector<TLigneRepere>& lignes) {
  std::string message;
  TRepere r;
  for (const TLigneRepere& l : lignes)
    if (!LitLigneGrille(l, r, message)) return message;
  return {};
}

bool LitLignesReperes(const std::vector<TLigneRepere>& lignes, std::vector<TRepere>& sortie,
                      std::string& message) {
  message.clear();
  if (lignes.size() == 1 && lignes[0].X.empty() && lignes[0].Y.empty() && lignes[0].Z.empty()) {
    sortie.clear();
    return true;
  }
  std::vector<TRepere> lus;
  for (const TLigneRepere& l : lignes) {
    TRepere r;
    if (!LitLigneGrille(l, r, message)) return false;
    lus.push_back(std::move(r));
  }
  sortie = std::move(lus);
  return true;
}

std::string LitNouveauRepere(const TLigneRepere& l, TRepere& r) {
  if (l.X.empty() || l.Y.empty() || l.Z.empty()) return rs("rsErrReperesChampsVides");
  TRepere lu{l.Nom, 0, 0, 0};
  if (!LitReel(l.X, lu.X) || !LitReel(l.Y, lu.Y) || !LitReel(l.Z, lu.Z)) return rs("rsErrRepereValeur");
  r = std::move(lu);
  return {};
}
