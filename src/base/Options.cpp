#include "base/Options.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>

TOptions& Options() {
  static TOptions o;
  return o;
}

// --- memory store ---

std::optional<std::string> TMagasinMemoire::Lit(const std::string& section, const std::string& cle) const {
  auto i = Textes.find({section, cle});
  if (i == Textes.end()) return std::nullopt;
  return i->second;
}

std::optional<std::vector<unsigned char>> TMagasinMemoire::LitBinaire(const std::string& section,
                                                                      const std::string& cle) const {
  auto i = Binaires.find({section, cle});
  if (i == Binaires.end()) return std::nullopt;
  return i->second;
}

void TMagasinMemoire::Ecrit(const std::string& section, const std::string& cle, const std::string& valeur) {
  Binaires.erase({section, cle});
  Textes[{section, cle}] = valeur;
}

void TMagasinMemoire::EcritBinaire(const std::string& section, const std::string& cle,
                                   const std::vector<unsigned char>& valeur) {
  Textes.erase({section, cle});
  Binaires[{section, cle}] = valeur;
}

void TMagasinMemoire::EffaceSection(const std::string& section) {
  std::erase_if(Textes, [&](const auto& e) { return e.first.first == section; });
  std::erase_if(Binaires, [&](const auto& e) { return e.first.first == section; });
}

std::vector<std::string> TMagasinMemoire::Cles(const std::string& section) const {
  std::vector<std::string> r;
  for (const auto& [k, v] : Textes)
    if (k.first == section) r.push_back(k.second);
  return r;
}

bool TMagasinMemoire::Contient(const std::string& section, const std::string& cle) const {
  return Textes.count({section, cle}) || Binaires.count({section, cle});
}

// --- typed reads ---

int LitEntier(const IMagasinReglages& m, const std::string& section, const std::string& cle, int defaut,
              int min, int max) {
  auto t = m.Lit(section, cle);
  if (!t) return defaut;
  int v = 0;
  const char* debut = t->data();
  const char* fin = debut + t->size();
  auto [p, ec] = std::from_chars(debut, fin, v);
  if (ec != std::errc() || p != fin || v < min || v > max) return defaut;
  return v;
}

bool LitBooleen(const IMagasinReglages& m, const std::string& section, const std::string& cle, bool defaut) {
  constexpr int tous = 0x7FFFFFFF;
  return LitEntier(m, section, cle, defaut ? 1 : 0, -tous, tous) != 0;
}

std::string LitTexte(const IMagasinReglages& m, const std::string& section, const std::string& cle,
                     const std::string& defaut) {
  return m.Lit(section, cle).value_or(defaut);
}

void EcritEntier(IMagasinReglages& m, const std::string& section, const std::string& cle, int v) {
  m.Ecrit(section, cle, std::to_string(v));
}

void EcritBooleen(IMagasinReglages& m, const std::string& section, const std::string& cle, bool v) {
  m.Ecrit(section, cle, v ? "1" : "0");
}

// --- values ---

const std::array<TCouleurReglage, NbCouleurs> CouleursReglages{{
    {"Arp", 0x000000, "Arrière plan"},
    {"ArpStudio", 0x000000, "Arrière plan Studio"},
    {"Axes", 0x0000FF, "Axes"},
    {"AxesPlanSym", 0x0000FF, "Axes des plans de symétrie"},
    {"Grille", 0x93FFFF, "Grille"},
    {"Mesure", 0x00FFFF, "Outils de mesure"},
    {"ResVertex", 0x909090, "Réseau de vertex"},
    {"Vertex", 0x0000FF, "Vertex"},
    {"SelVertex", 0x00FF00, "Vertex sélectionné"},
    {"SoudeVertex", 0xB5CA00, "Vertex soudé"},
    {"BordSf", 0xFF9B00, "Surfaces par défaut"},
    {"Sec", 0x4080FF, "Couples"},
    {"LE", 0x8CFF8C, "Lignes d'eau"},
    {"Longit", 0xFF78FF, "Longitudinales"},
    {"Diag", 0xFFFFFF, "Diagonales"},
}};

std::array<TLumiereReglage, 8> LumieresParDefaut() {
  std::array<TLumiereReglage, 8> l{};
  const double rot[4][2] = {{60, 60}, {-60, 60}, {60, -60}, {-60, -60}};
  for (int i = 0; i < 8; ++i) {
    l[i].Visible = i < 4;
    l[i].Dist = 4;
    l[i].RX = i < 4 ? rot[i][0] : 60;
    l[i].RY = i < 4 ? rot[i][1] : 60;
  }
  return l;
}

TReglages::TReglages() {
  for (int i = 0; i < NbCouleurs; ++i) Couleurs[i] = CouleursReglages[i].Defaut;
}

int TReglages::Couleur(const std::string& cle) const {
  for (int i = 0; i < NbCouleurs; ++i)
    if (cle == CouleursReglages[i].Cle) return Couleurs[i];
  return -1;
}

std::string NomLangueSur(const std::string& nom) {
  if (nom.empty() || nom.size() > 64 || nom.front() == '.' || nom.find("..") != std::string::npos) return {};
  for (unsigned char c : nom)
    if (c < 0x20 || c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' ||
        c == '>' || c == '|')
      return {};
  return nom;
}

std::optional<double> LitTailleReperes(const std::string& texte) {
  double v = 0;
  const char* debut = texte.data();
  const char* fin = debut + texte.size();
  auto [p, ec] = std::from_chars(debut, fin, v);
  if (ec != std::errc() || p != fin || !std::isfinite(v) || v <= 0) return std::nullopt;
  return v;
}

std::string TexteTailleReperes(double v) {
  char b[64];
  std::snprintf(b, sizeof b, "%.3f", v);
  return b;
}

namespace {

const char* const NomsPapier[] = {"TPA3", "TPA4", "TPA5", "TPLetterUS", "TPPerso"};
const char* const SuffixesLumiere[] = {"Dist", "RX", "RY"};

// Light 0's keys are "LzDist", "LzRX", "LzRY": the store's existing names.
std::string CleLumiere(int i, int k) {
  return std::string("L") + (i == 0 ? std::string("z") : std::to_string(i)) + SuffixesLumiere[k];
}

// Every light position is an 8-byte double: one that is missing, of another length or
// not finite resets all eight lights, since a half-restored set would be worse.
bool LitPositionsLumieres(const IMagasinReglages& m, std::array<TLumiereReglage, 8>& l) {
  std::array<TLumiereReglage, 8> lu = l;
  for (int i = 0; i < 8; ++i)
    for (int k = 0; k < 3; ++k) {
      auto b = m.LitBinaire("PosLight", CleLumiere(i, k));
      if (!b || b->size() != sizeof(double)) return false;
      double v = 0;
      std::memcpy(&v, b->data(), sizeof v);
      if (!std::isfinite(v)) return false;
      (k == 0 ? lu[i].Dist : k == 1 ? lu[i].RX : lu[i].RY) = v;
    }
  for (int i = 0; i < 8; ++i) {
    l[i].Dist = lu[i].Dist;
    l[i].RX = lu[i].RX;
    l[i].RY = lu[i].RY;
  }
  return true;
}

}  // namespace

TReglages LitReglages(IMagasinReglages& m) {
  TReglages r;
  r.Language = NomLangueSur(LitTexte(m, "Environement", "Language"));
  for (int i = 1;; ++i) {
    auto f = m.Lit("Files", "File" + std::to_string(i));
    if (!f) break;
    if (!f->empty()) r.Fichiers.push_back(*f);
  }
  for (int i = 0; i < NbCouleurs; ++i)
    r.Couleurs[i] = LitEntier(m, "Colors", CouleursReglages[i].Cle, CouleursReglages[i].Defaut, 0, 0xFFFFFF);
  r.MultiFen = LitBooleen(m, "Environement", "MultiFen", false);
  r.SplineTR = LitBooleen(m, "Environement", "SplineTR", false);
  r.SavConfig = LitBooleen(m, "Environement", "SavConfig", true);
  r.PosFen = LitBooleen(m, "Environement", "PosFen", true);
  r.OptAxesPlanSym = LitBooleen(m, "Environement", "OptAxesPlanSym", false);
  r.PosLight = LitBooleen(m, "Environement", "PosLight", true);
  r.OptNetVxStudio = LitBooleen(m, "Environement", "OptNetVxStudio", false);
  r.OptTailleReperesStudio =
      LitTailleReperes(LitTexte(m, "Environement", "OptTailleReperesStudio", "0.02")).value_or(0.02);
  r.ZoomMax = LitEntier(m, "System", "ZOOMMAX", 2500, ZoomMaxMin, ZoomMaxMax);
  EcritEntier(m, "System", "ZOOMMAX", r.ZoomMax);
  r.RatioVect = LitEntier(m, "Poids", "RatioVect", 1000, RatioVectMin, RatioVectMax);
  r.PolyFactor = LitEntier(m, "Studio", "PolyFactor", 0, PolyMin, PolyMax);
  r.PolyUnits = LitEntier(m, "Studio", "PolyUnits", 0, PolyMin, PolyMax);
  r.LongRayon = LitEntier(m, "Courbure", "LongRayon", LongRayonDefaut, LongRayonMin, LongRayonMax);
  r.TypeRayon = LitEntier(m, "Courbure", "TypeRayon", 0, 0, 1);
  r.OrientationRayon = LitEntier(m, "Courbure", "OrientationRayon", 0, 0, 1);
  r.ImpPhyHorzSize = LitEntier(m, "Printer", "ImpPhyHorzSize", 210, PapierMin, PapierMax);
  r.ImpPhyVertSize = LitEntier(m, "Printer", "ImpPhyVertSize", 297, PapierMin, PapierMax);
  r.Papier = TFormatPapier::A4;
  for (int i = 0; i < 5; ++i)
    if (LitBooleen(m, "Printer", NomsPapier[i], i == 1)) {
      r.Papier = static_cast<TFormatPapier>(i);
      break;
    }
  r.PenWidth = LitEntier(m, "Printer", "PenWidth", 3, PenWidthMin, PenWidthMax);
  for (int i = 0; i < 8; ++i)
    r.Lumieres[i].Visible = LitBooleen(m, "PosLight", "L" + std::to_string(i) + "Visible", i < 4);
  if (!LitPositionsLumieres(m, r.Lumieres)) {
    auto d = LumieresParDefaut();
    for (int i = 0; i < 8; ++i) {
      r.Lumieres[i].Dist = d[i].Dist;
      r.Lumieres[i].RX = d[i].RX;
      r.Lumieres[i].RY = d[i].RY;
    }
  }
  return r;
}

void EcritReglagesOptions(IMagasinReglages& m, const TReglages& r, bool ecrireLangue) {
  for (int i = 0; i < NbCouleurs; ++i) EcritEntier(m, "Colors", CouleursReglages[i].Cle, r.Couleurs[i]);
  EcritBooleen(m, "Environement", "MultiFen", r.MultiFen);
  EcritBooleen(m, "Environement", "SplineTR", r.SplineTR);
  EcritBooleen(m, "Environement", "SavConfig", r.SavConfig);
  EcritBooleen(m, "Environement", "PosFen", r.PosFen);
  EcritBooleen(m, "Environement", "OptAxesPlanSym", r.OptAxesPlanSym);
  EcritBooleen(m, "Environement", "PosLight", r.PosLight);
  EcritBooleen(m, "Environement", "OptNetVxStudio", r.OptNetVxStudio);
  m.Ecrit("Environement", "OptTailleReperesStudio", TexteTailleReperes(r.OptTailleReperesStudio));
  if (ecrireLangue) m.Ecrit("Environement", "Language", r.Language);
  EcritEntier(m, "Poids", "RatioVect", r.RatioVect);
  EcritEntier(m, "Studio", "PolyFactor", r.PolyFactor);
  EcritEntier(m, "Studio", "PolyUnits", r.PolyUnits);
  EcritEntier(m, "Courbure", "LongRayon", r.LongRayon);
  EcritEntier(m, "Courbure", "TypeRayon", r.TypeRayon);
  EcritEntier(m, "Courbure", "OrientationRayon", r.OrientationRayon);
}

void EcritFichiersRecents(IMagasinReglages& m, const std::vector<std::string>& fichiers) {
  m.EffaceSection("Files");
  for (size_t i = 0; i < fichiers.size(); ++i) m.Ecrit("Files", "File" + std::to_string(i + 1), fichiers[i]);
}

void EcritLumieres(IMagasinReglages& m, const std::array<TLumiereReglage, 8>& l) {
  for (int i = 0; i < 8; ++i) {
    EcritBooleen(m, "PosLight", "L" + std::to_string(i) + "Visible", l[i].Visible);
    const double v[3] = {l[i].Dist, l[i].RX, l[i].RY};
    for (int k = 0; k < 3; ++k) {
      std::vector<unsigned char> b(sizeof(double));
      std::memcpy(b.data(), &v[k], sizeof(double));
      m.EcritBinaire("PosLight", CleLumiere(i, k), b);
    }
  }
}

void EcritImprimante(IMagasinReglages& m, const TReglages& r) {
  EcritEntier(m, "Printer", "ImpPhyHorzSize", r.ImpPhyHorzSize);
  EcritEntier(m, "Printer", "ImpPhyVertSize", r.ImpPhyVertSize);
  for (int i = 0; i < 5; ++i) EcritBooleen(m, "Printer", NomsPapier[i], static_cast<int>(r.Papier) == i);
}

void AjouteFichierRecent(std::vector<std::string>& liste, const std::string& chemin) {
  std::error_code ec;
  std::string abs = std::filesystem::absolute(chemin, ec).lexically_normal().string();
  if (ec) abs = chemin;
  auto minuscules = [](std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
  };
  const std::string cle = minuscules(abs);
  std::erase_if(liste, [&](const std::string& e) { return minuscules(e) == cle; });
  liste.insert(liste.begin(), abs);
}

// --- Conf ---

const std::array<TCleConf, NbClesConf> ClesConf{{
    {"AffCarene", "MeCarene", true, false},
    {"AffNet", "MeReseau", true, false},
    {"AffBasePlanSym", "MeBasePlanSym", false, true},
    {"AffMoitie", "MeMoitie", false, true},
    {"AffScinder", "MeScinder", false, true},
    {"AffSections", "MeCouples", false, true},
    {"AffLignesE", "MeLignesEau", false, true},
    {"AffLongits", "MeLongitudinales", false, true},
    {"AffDiags", "MeDiagonales", false, true},
    {"AffSurfParam", "MeSurfParam", false, true},
    {"AffGrille", "MeGrille", false, true},
    {"AffOrientSurf", "MeOrientation", false, true},
    {"AffHerisson", "MeHerisson", false, true},
    {"AffAxes", "MeAxes", true, true},
    {"AffReperes", "MeReperes", true, true},
    {"AffReperesEnv", "MePtsEnvahissement", true, true},
    {"AffPoids", "MePoids", true, true},
    {"AffCentreVoil", "MeCentreVoilure", true, true},
    {"AffCotes", "MeCotes", true, true},
    {"AffImages", "MeImageFond", true, true},
    {"VoirFenSel", "MeSelectionVertex", false, true},
    {"AffPlanEau", "SBtn_PlanEau", true, true},
    {"AffFlottaison", "MeFlottaison", false, true},
}};

TConf::TConf() {
  for (int i = 0; i < NbClesConf; ++i)
    Bascules[static_cast<size_t>(i)] = ClesConf[static_cast<size_t>(i)].Defaut;
}

bool TConf::Bascule(const std::string& cle) const {
  for (int i = 0; i < NbClesConf; ++i)
    if (cle == ClesConf[static_cast<size_t>(i)].Cle) return Bascules[static_cast<size_t>(i)];
  return false;
}

namespace {
const std::pair<const char*, int> Precisions[] = {
    {"Faible", 10}, {"Moyenne", 20}, {"Bonne", 50}, {"TBonne", 100}};
}

std::string NomPrecision(int pas) {
  for (const auto& [nom, n] : Precisions)
    if (n == pas) return nom;
  return "Perso";
}

int PasPrecision(const std::string& nom) {
  for (const auto& [n, pas] : Precisions)
    if (nom == n) return pas;
  return 0;
}

TConf LitConf(const IMagasinReglages& m) {
  TConf c;
  for (int i = 0; i < NbClesConf; ++i) {
    const TCleConf& k = ClesConf[static_cast<size_t>(i)];
    if (k.Lue) c.Bascules[static_cast<size_t>(i)] = LitBooleen(m, "Conf", k.Cle, k.Defaut);
  }
  const std::string p = LitTexte(m, "Conf", "Precision", "Moyenne");
  c.Precision = PasPrecision(p) ? p : "Moyenne";
  return c;
}

void EcritConf(IMagasinReglages& m, const TConf& c) {
  m.EffaceSection("Conf");
  for (int i = 0; i < NbClesConf; ++i)
    EcritBooleen(m, "Conf", ClesConf[static_cast<size_t>(i)].Cle, c.Bascules[static_cast<size_t>(i)]);
  m.Ecrit("Conf", "Precision", c.Precision);
}

// --- Vexrun ---

namespace {

bool AvecControle(const std::string& s) {
  return std::any_of(s.begin(), s.end(), [](unsigned char c) { return c < 0x20 || c == 0x7F; });
}

std::string NomFichierSimple(const std::string& nom) {
  if (nom.empty() || nom == "." || nom == ".." || AvecControle(nom) ||
      nom.find_first_of("/\\:") != std::string::npos)
    return {};
  return nom;
}

}  // namespace

TReglagesVexrun LitReglagesVexrun(const IMagasinReglages& m) {
  TReglagesVexrun r;
  r.Active = LitBooleen(m, "Vexrun", "Enabled", false);
  r.Dossier = LitTexte(m, "Vexrun", "ExePathName");
  if (AvecControle(r.Dossier)) r.Dossier.clear();
  r.Programme = NomFichierSimple(LitTexte(m, "Vexrun", "ExeName"));
  r.Entree = NomFichierSimple(LitTexte(m, "Vexrun", "InFileName"));
  r.Sortie = NomFichierSimple(LitTexte(m, "Vexrun", "OutFileName"));
  r.DelaiMax = LitEntier(m, "Vexrun", "DelaiMax", 300, DelaiMaxMin, DelaiMaxMax);
  return r;
}

void EcritDelaiVexrun(IMagasinReglages& m, int delai) {
  EcritEntier(m, "Vexrun", "DelaiMax", std::clamp(delai, DelaiMaxMin, DelaiMaxMax));
}
