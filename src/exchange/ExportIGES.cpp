#include "exchange/ExportIGES.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "base/Debug.h"
#include "base/FichierStr.h"
#include "geometry/Nurbs.h"

namespace {

// A line of 72 columns, the section letter and the sequence number.
std::string LigneSection(const std::string& donnees, char section, int seq) {
  char b[96];
  std::snprintf(b, sizeof b, "%-72.72s%c%7d", donnees.c_str(), section, seq);
  return b;
}

std::string DateIGES(std::time_t t) {
  std::tm tm{};
  localtime_r(&t, &tm);
  char b[32];
  std::strftime(b, sizeof b, "%y%m%d.%H%M%S", &tm);
  return b;
}

struct TEntiteIGES {
  int Type = 0;
  std::vector<std::string> Donnees;  // parameter lines, 64 columns at most
  int Couleur = 1;
  std::string Statut = "00000000";
  std::string Etiquette;
  int Indice = 0;
};

// The net in IGES order: V (columns) varies fastest, as the file lists it.
struct TNetIGES {
  int NbLn = 0, NbCol = 0, KU = 0, KV = 0;
  std::vector<double> TU, TV;
};

void AjouteBloc(std::vector<std::string>& l, const std::string& texte) {
  for (auto& x : EmballeIGES(texte, 64)) l.push_back(std::move(x));
}

// Why a net cannot be written, or "".
std::string NetRefuse(const TSurface& s) {
  const TNet& n = s.Net;
  if (n.NbLn < 1 || n.NbCol < 1 || n.NbLn > MaxNet || n.NbCol > MaxNet || (n.NbLn == 1 && n.NbCol == 1))
    return "trop peu de sommets";
  for (int r = 0; r < n.NbLn; r++)
    for (int c = 0; c < n.NbCol; c++) {
      const TPtNet& p = n.PC[r][c];
      if (!std::isfinite(p.X) || !std::isfinite(p.Y) || !std::isfinite(p.Z) || !std::isfinite(p.W))
        return "coordonnée non définie";
      // A weight at or below 0 gives no rational surface in IGES (and none to evaluate).
      if (!(p.W > 0)) return "poids nul ou négatif";
    }
  return "";
}

TEntiteIGES EntiteNurbs(const TSurface& s, const TSNurbs& r, bool miroir) {
  const TNet& n = s.Net;
  auto point = [&](int ln, int col) {
    TVertex3f p = n.PC[ln][col].V();
    return miroir ? CalcSym(p, s.PlanSym.Plan()) : p;
  };
  auto reels = [](const double* t, int nb) {
    std::string x;
    for (int i = 0; i < nb; i++) x += ReelExact(t[i]) + ",";
    return x;
  };
  auto sommet = [](const TVertex3f& p) {
    return ReelExact(p.X) + "," + ReelExact(p.Y) + "," + ReelExact(p.Z) + ",";
  };
  TEntiteIGES e;
  e.Etiquette = TexteAscii(s.Nom).substr(0, 8);
  e.Indice = s.NumSurf;
  std::string poids, points;
  if (n.NbLn == 1 || n.NbCol == 1) {
    // A single row runs along the columns (V), a single column along the rows (U).
    const bool ligne = n.NbLn == 1;
    const int nb = ligne ? n.NbCol : n.NbLn, k = ligne ? r.OrdreV : r.OrdreU;
    const double* t = ligne ? r.NoeudsV : r.NoeudsU;
    for (int i = 0; i < nb; i++) {
      poids += ReelExact(ligne ? n.PC[0][i].W : n.PC[i][0].W) + ",";
      points += sommet(ligne ? point(0, i) : point(i, 0));
    }
    e.Type = 126;
    // Flags: not planar, open, rational, not periodic (clamped knots).
    AjouteBloc(e.Donnees, "126," + std::to_string(nb - 1) + "," + std::to_string(k - 1) + ",0,0,0,0,");
    AjouteBloc(e.Donnees, reels(t, k + nb));
    AjouteBloc(e.Donnees, poids);
    AjouteBloc(e.Donnees, points);
    AjouteBloc(e.Donnees, "0.0,1.0,0.0,0.0,0.0;");
    return e;
  }
  for (int ln = 0; ln < n.NbLn; ln++)
    for (int col = 0; col < n.NbCol; col++) {
      poids += ReelExact(n.PC[ln][col].W) + ",";
      points += sommet(point(ln, col));
    }
  e.Type = 128;
  // Flags: open in V and in U, rational, not periodic in V and in U (clamped knots).
  AjouteBloc(e.Donnees, "128," + std::to_string(n.NbCol - 1) + "," + std::to_string(n.NbLn - 1) + "," +
                            std::to_string(r.OrdreV - 1) + "," + std::to_string(r.OrdreU - 1) +
                            ",0,0,0,0,0,");
  AjouteBloc(e.Donnees, reels(r.NoeudsV, r.OrdreV + n.NbCol));
  AjouteBloc(e.Donnees, reels(r.NoeudsU, r.OrdreU + n.NbLn));
  AjouteBloc(e.Donnees, poids);
  AjouteBloc(e.Donnees, points);
  AjouteBloc(e.Donnees, "0.0,1.0,0.0,1.0;");
  return e;
}

TEntiteIGES EntiteCouleur(const TEntity& s) {
  const unsigned c = static_cast<unsigned>(s.Coul);
  const unsigned R = c & 0xFFU, G = (c >> 8) & 0xFFU, B = (c >> 16) & 0xFFU;
  char b[128];
  std::snprintf(b, sizeof b, "314,%.4f,%.4f,%.4f,", R / 255.0 * 100, G / 255.0 * 100, B / 255.0 * 100);
  char nom[32];
  std::snprintf(nom, sizeof nom, "RGB(%d,%d,%d)", R, G, B);
  TEntiteIGES e;
  e.Type = 314;
  AjouteBloc(e.Donnees, std::string(b) + Hollerith(nom) + ";");
  e.Statut = "00000200";
  e.Etiquette = "COLOR";
  e.Indice = s.NumSurf;
  return e;
}

}  // namespace

// A real that reads back as the same double: "%.4f" where that is already so (the
// values typed in a document keep their look), else the shortest exact text. Knots
// such as 1/3 and mirrored vertices need all their digits: four decimals move the surface.
std::string ReelExact(double v) {
  if (v == 0) v = 0;  // no "-0.0000"
  char b[64];
  auto [fin, ec] = std::to_chars(b, b + sizeof b, v, std::chars_format::fixed, 4);
  double relu = 0;
  if (ec == std::errc()) std::from_chars(b, fin, relu);
  if (ec == std::errc() && relu == v) return std::string(b, fin);
  auto [fin2, ec2] = std::to_chars(b, b + sizeof b, v);
  if (ec2 != std::errc()) return "0.0";
  std::string t(b, fin2);
  const size_t e = t.find('e');
  std::string mantisse = t.substr(0, e);
  // IGES reals carry a point, and an exponent in E.
  if (mantisse.find('.') == std::string::npos) mantisse += ".0";
  return e == std::string::npos ? mantisse : mantisse + "E" + t.substr(e + 1);
}

std::string Hollerith(const std::string& utf8) {
  std::string a = TexteAscii(utf8);
  return a.empty() ? "" : std::to_string(a.size()) + "H" + a;
}

namespace {

// Past the delimiter that ends the parameter starting at debut. A string (a
// Hollerith constant) holds its own text: its commas delimit nothing.
size_t FinParametre(const std::string& texte, size_t debut) {
  size_t i = debut;
  while (i < texte.size() && texte[i] >= '0' && texte[i] <= '9') i++;
  if (i > debut && i < texte.size() && texte[i] == 'H') {
    size_t n = 0;
    auto [fin, ec] = std::from_chars(texte.data() + debut, texte.data() + i, n);
    i = ec == std::errc() && fin == texte.data() + i
            ? std::min(texte.size(), i + 1 + std::min(n, texte.size()))
            : i + 1;
  }
  const size_t virgule = texte.find(',', i);
  return virgule == std::string::npos ? texte.size() : virgule + 1;
}

}  // namespace

std::vector<std::string> EmballeIGES(const std::string& texte, size_t largeur) {
  std::vector<std::string> l(1);
  size_t debut = 0;
  while (debut < texte.size()) {
    const size_t fin = FinParametre(texte, debut);
    std::string_view piece(texte.data() + debut, fin - debut);
    debut = fin;
    if (l.back().size() + piece.size() > largeur && !l.back().empty()) l.emplace_back();
    // Only a string can be longer than a line: it runs on over whole lines, so that no
    // blank of a line's end enters it.
    while (piece.size() > largeur - l.back().size()) {
      size_t place = largeur - l.back().size();
      l.back() += piece.substr(0, place);
      piece.remove_prefix(place);
      l.emplace_back();
    }
    l.back() += piece;
  }
  if (l.back().empty() && l.size() > 1) l.pop_back();
  return l;
}

std::vector<std::string> LignesIGES(const TDocument& doc, const TOptionsExport& o, TResultatExport* res) {
  TRACE("ExportIGES");
  const std::time_t maintenant = o.Horloge ? o.Horloge() : std::time(nullptr);

  // Start.
  std::string debut = "IGS File Output Containing Brivane Created NURBS,IGS File Format Based on IGES V5.2";
  if (!doc.Proprietes.Titre.empty()) debut += ", Title : " + TexteAscii(doc.Proprietes.Titre);
  if (!doc.Proprietes.Version.empty()) debut += ", Version : " + TexteAscii(doc.Proprietes.Version);
  std::vector<std::string> lignesS = EmballeIGES(debut, 72);

  // Global.
  TVertex3f mn, mx;
  ExtentsVisibles(doc, mn, mx);
  double maxi = 0;
  for (double v : {mn.X, mn.Y, mn.Z, mx.X, mx.Y, mx.Z}) maxi = std::max(maxi, std::fabs(v));
  std::string nomFichier, dateModif = DateIGES(maintenant);
  if (!doc.NomFichier.empty()) {
    std::filesystem::path p(doc.NomFichier);
    nomFichier = p.filename().string();
    std::error_code ec;
    auto t = std::filesystem::last_write_time(p, ec);
    if (!ec) dateModif = DateIGES(std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(t)));
  }
  char maxiTexte[64];
  std::snprintf(maxiTexte, sizeof maxiTexte, "%.3fD0", maxi);
  const std::string g = "1H,,1H;," + Hollerith("Brivane v1.0") + "," + Hollerith(nomFichier) + "," +
                        Hollerith("Brivane v1.0") + ",1H1,32,38,7,308,15,,1.0D0,6,1HM,1,0.254D0," +
                        Hollerith(DateIGES(maintenant)) + ",0.001D0," + maxiTexte + "," +
                        Hollerith(doc.Proprietes.Archi) + "," + Hollerith(doc.Proprietes.Societe) + ",10,0," +
                        Hollerith(dateModif) + ";";
  std::vector<std::string> lignesG = EmballeIGES(g, 72);

  // Entities.
  std::vector<TEntiteIGES> ent;
  static thread_local TSNurbs r;
  for (const auto& s : doc.TabSurf) {
    if (!s->Visible || !s->EstNurbs()) continue;
    const TSurface& n = static_cast<const TSurface&>(*s);
    if (o.Nurbs) {
      std::string pourquoi = NetRefuse(n);
      if (!pourquoi.empty()) {
        DbgErr(erFichier, "ExportIGES", n.NumSurf, {pourquoi});
        if (res) res->Messages.push_back("Surface " + n.Nom + " non exportée en IGES : " + pourquoi);
        continue;
      }
    }
    int couleur = 1;
    if (o.Couleurs) {
      ent.push_back(EntiteCouleur(n));
      couleur = -(2 * int(ent.size()) - 1);
    }
    if (!o.Nurbs) continue;
    r = TSNurbs{};
    n.MyNurbs2SNurbs(r);
    for (bool miroir : {false, true}) {
      if (miroir && !n.Sym) break;
      ent.push_back(EntiteNurbs(n, r, miroir));
      ent.back().Couleur = couleur;
    }
  }

  std::vector<std::string> lignes;
  for (size_t i = 0; i < lignesS.size(); i++) lignes.push_back(LigneSection(lignesS[i], 'S', int(i) + 1));
  for (size_t i = 0; i < lignesG.size(); i++) lignes.push_back(LigneSection(lignesG[i], 'G', int(i) + 1));
  int pointeurP = 1, seqD = 0;
  for (const auto& e : ent) {
    char b[128];
    std::snprintf(b, sizeof b, "%8d%8d%8d%8d%8d%8d%8d%8d%8.8sD%7d", e.Type, pointeurP, 0, 0, 0, 0, 0, 0,
                  e.Statut.c_str(), ++seqD);
    lignes.emplace_back(b);
    std::snprintf(b, sizeof b, "%8d%8d%8d%8d%8d%8d%8d%8.8s%8dD%7d", e.Type, 0, e.Couleur,
                  int(e.Donnees.size()), 0, 0, 0, e.Etiquette.c_str(), e.Indice, ++seqD);
    lignes.emplace_back(b);
    pointeurP += int(e.Donnees.size());
  }
  int seqP = 0;
  for (size_t i = 0; i < ent.size(); i++)
    for (const auto& d : ent[i].Donnees) {
      char b[128];
      std::snprintf(b, sizeof b, "%-64.64s %07dP%7d", d.c_str(), int(2 * i + 1), ++seqP);
      lignes.emplace_back(b);
    }
  char t[96];
  std::snprintf(t, sizeof t, "S%07dG%07dD%07dP%07d", int(lignesS.size()), int(lignesG.size()), seqD, seqP);
  lignes.push_back(LigneSection(t, 'T', 1));
  return lignes;
}

TResultatExport ExportIGES(const TDocument& doc, const std::string& nomFichier, const TOptionsExport& o) {
  TResultatExport r;
  std::string texte;
  for (const auto& l : LignesIGES(doc, o, &r)) texte += l + "\r\n";
  r.Ok = EcritFichierAtomique(nomFichier, texte, &r.Erreur);
  return r;
}
