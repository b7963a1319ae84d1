#include "exchange/ImportIGES.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "base/Chaines.h"
#include "base/Debug.h"
#include "base/Encodage.h"
#include "exchange/Ajustement.h"
#include "geometry/Nurbs.h"

namespace {

// Knots that differ from the open uniform ones by less than this (relative to the
// domain) are the program's own: other writers round 1/3 to six or seven digits.
constexpr double ToleranceNoeuds = 1e-6;
// Samples of the fit in each direction: four per span of a 31-vertex net.
constexpr int NbEchantillons = 121;

struct TErreurIGES {
  std::string Message;
};

[[noreturn]] void Echec(std::string m) { throw TErreurIGES{std::move(m)}; }

struct TLigneP {
  std::string Donnees;  // columns 1-64
  int Ligne = 0;        // line of the file, from 1
};

struct TEntree {
  int Type = 0, PointeurP = 0, Matrice = 0, Statut = 0, NbP = 0, Forme = 0;
  std::string Etiquette;
  int Seq = 0, Ligne = 0;  // DE sequence number of the first line, line of the file
};

class TLecteur {
 public:
  TLecteur(std::string_view texte, std::string nom) : Texte(texte), Nom(std::move(nom)) {}
  void Lit();

  std::string_view Texte;
  std::string Nom;
  char DelimP = ',', DelimR = ';';
  double Unite = 1;  // metres per model unit
  std::vector<TEntree> Entrees;
  std::vector<TLigneP> LignesP;

  std::string ErreurLigne(int ligne, const std::string& quoi) const {
    return Format(rs("rsImportLigne"), Nom.c_str(), ligne, quoi.c_str());
  }
  std::string ErreurEntite(const TEntree& e, const std::string& quoi) const {
    return Format(rs("rsImportEntite"), Nom.c_str(), e.Seq, e.Ligne, quoi.c_str());
  }
  const TEntree* Entree(int seq) const {
    if (seq < 1 || seq % 2 == 0 || (seq - 1) / 2 >= int(Entrees.size())) return nullptr;
    return &Entrees[size_t((seq - 1) / 2)];
  }
  std::vector<std::string> Parametres(const TEntree& e) const;

 private:
  void LitGlobal(const std::string& g, int ligne);
};

std::string Coupe(std::string_view s) {
  size_t a = s.find_first_not_of(' '), b = s.find_last_not_of(' ');
  return a == std::string_view::npos ? std::string() : std::string(s.substr(a, b - a + 1));
}

bool Entier(std::string_view s, int& v) {
  std::string t = Coupe(s);
  if (t.empty()) {
    v = 0;
    return true;
  }
  if (t[0] == '+') t.erase(0, 1);
  auto [fin, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  return ec == std::errc() && fin == t.data() + t.size();
}

bool Reel(std::string_view s, double& v) {
  std::string t;
  for (char c : s)
    if (c != ' ') t += (c == 'D' || c == 'd') ? 'E' : c;
  if (t.empty()) {
    v = 0;
    return true;
  }
  if (t[0] == '+') t.erase(0, 1);
  auto [fin, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  return ec == std::errc() && fin == t.data() + t.size() && std::isfinite(v);
}

// The parameters of a free-format text up to the record delimiter; a Hollerith
// constant ("3HABC") keeps its delimiters as text.
std::vector<std::string> Decoupe(std::string_view t, char dp, char dr, bool& fini) {
  std::vector<std::string> r;
  size_t i = 0;
  fini = false;
  std::string courant;
  while (i < t.size()) {
    char c = t[i];
    if (c == dp || c == dr) {
      r.push_back(Coupe(courant));
      courant.clear();
      i++;
      if (c == dr) {
        fini = true;
        return r;
      }
      continue;
    }
    if (c >= '0' && c <= '9' && Coupe(courant).empty()) {
      size_t j = i;
      while (j < t.size() && t[j] >= '0' && t[j] <= '9') j++;
      if (j < t.size() && t[j] == 'H' && j - i <= 6) {
        size_t n = 0;
        std::from_chars(t.data() + i, t.data() + j, n);
        n = std::min(n, t.size() - j - 1);
        courant = std::string(t.substr(j + 1, n));
        r.push_back(courant);
        courant.clear();
        i = j + 1 + n;
        // The delimiter after the string.
        while (i < t.size() && t[i] == ' ') i++;
        if (i < t.size() && (t[i] == dp || t[i] == dr)) {
          if (t[i] == dr) {
            fini = true;
            return r;
          }
          i++;
        }
        continue;
      }
    }
    courant += c;
    i++;
  }
  if (!Coupe(courant).empty()) r.push_back(Coupe(courant));
  return r;
}

double FacteurUnite(int drapeau, const std::string& nom) {
  switch (drapeau) {
    case 1:
      return 0.0254;
    case 2:
      return 0.001;
    case 4:
      return 0.3048;
    case 5:
      return 1609.344;
    case 6:
      return 1;
    case 7:
      return 1000;
    case 8:
      return 0.0000254;
    case 9:
      return 1e-6;
    case 10:
      return 0.01;
    case 11:
      return 0.0000000254;
    case 3: {
      std::string n;
      for (char c : nom) n += char(std::toupper(static_cast<unsigned char>(c)));
      static const std::map<std::string, double> noms = {
          {"IN", 0.0254}, {"INCH", 0.0254}, {"MM", 0.001}, {"FT", 0.3048}, {"MI", 1609.344}, {"M", 1},
          {"KM", 1000},   {"MIL", 2.54e-5}, {"UM", 1e-6},  {"CM", 0.01},   {"UIN", 2.54e-8}};
      auto it = noms.find(n);
      return it == noms.end() ? 0 : it->second;
    }
    default:
      return 0;
  }
}

void TLecteur::LitGlobal(const std::string& g, int ligne) {
  // The first two parameters may change the delimiters themselves ("1H," or empty).
  size_t i = 0;
  if (g.compare(0, 2, "1H") == 0 && g.size() > 2) {
    DelimP = g[2];
    i = 3;
  }
  if (i < g.size() && g[i] == DelimP) i++;
  if (g.compare(i, 2, "1H") == 0 && g.size() > i + 2) {
    DelimR = g[i + 2];
    i += 3;
  }
  if (i < g.size() && g[i] == DelimP) i++;
  if (DelimP == DelimR || DelimP == ' ' || DelimR == ' ') Echec(ErreurLigne(ligne, rs("rsIgesGlobal")));
  bool fini = false;
  // From the third parameter on.
  const std::vector<std::string> p =
      Decoupe(std::string_view(g).substr(std::min(i, g.size())), DelimP, DelimR, fini);
  auto par = [&](int n) -> std::string {
    return n - 3 >= 0 && size_t(n - 3) < p.size() ? p[size_t(n - 3)] : "";
  };
  int drapeau = 1;
  if (!Entier(par(14), drapeau)) Echec(ErreurLigne(ligne, rs("rsIgesGlobal")));
  if (par(14).empty()) drapeau = 1;  // IGES's default unit is the inch
  Unite = FacteurUnite(drapeau, par(15));
  if (Unite == 0) Echec(ErreurLigne(ligne, Format(rs("rsIgesUnite"), drapeau)));
}

void TLecteur::Lit() {
  if (Texte.size() > MaxTailleImport)
    Echec(Format(rs("rsImportTaille"), Nom.c_str(), int(MaxTailleImport >> 20)));
  std::string global;
  int ligneGlobal = 0, numero = 0;
  const std::string ordre = "SGDPT";
  size_t section = 0;
  std::vector<std::pair<std::string, int>> de;  // DE lines with their file line
  size_t pos = 0;
  while (pos < Texte.size()) {
    size_t fin = Texte.find_first_of("\r\n", pos);
    if (fin == std::string_view::npos) fin = Texte.size();
    std::string_view l = Texte.substr(pos, fin - pos);
    pos = fin;
    if (pos < Texte.size() && Texte[pos] == '\r') pos++;
    if (pos < Texte.size() && Texte[pos] == '\n') pos++;
    numero++;
    if (Coupe(l).empty()) continue;
    if (l.size() < 73) Echec(ErreurLigne(numero, rs("rsIgesLigneCourte")));
    const char lettre = l[72];
    const size_t s = ordre.find(lettre);
    if (lettre == 'B' || lettre == 'C' || (numero == 1 && lettre != 'S'))
      Echec(ErreurLigne(numero, rs("rsIgesCompresse")));
    if (s == std::string::npos) Echec(ErreurLigne(numero, rs("rsIgesSectionInconnue")));
    if (s < section) Echec(ErreurLigne(numero, rs("rsIgesOrdreSections")));
    section = s;
    switch (lettre) {
      case 'G':
        if (global.empty()) ligneGlobal = numero;
        global += std::string(l.substr(0, 72));
        break;
      case 'D':
        if (de.size() >= 2 * size_t(MaxEntitesIGES))
          Echec(ErreurLigne(numero, Format(rs("rsIgesTropEntites"), MaxEntitesIGES)));
        de.emplace_back(std::string(l.substr(0, 72)), numero);
        break;
      case 'P':
        LignesP.push_back({std::string(l.substr(0, 64)), numero});
        break;
      default:
        break;
    }
  }
  if (numero == 0 || section == 0) Echec(Format(rs("rsImportVide"), Nom.c_str()));
  if (global.empty()) Echec(ErreurLigne(numero, rs("rsIgesGlobal")));
  LitGlobal(global, ligneGlobal);
  if (de.size() % 2) Echec(ErreurLigne(de.back().second, rs("rsIgesDE")));
  for (size_t k = 0; k < de.size(); k += 2) {
    const std::string &a = de[k].first, &b = de[k + 1].first;
    auto champ = [](const std::string& l, int i) { return std::string_view(l).substr(size_t(i) * 8, 8); };
    TEntree e;
    e.Seq = int(k) + 1;
    e.Ligne = de[k].second;
    int type2 = 0;
    if (!Entier(champ(a, 0), e.Type) || !Entier(champ(a, 1), e.PointeurP) ||
        !Entier(champ(a, 6), e.Matrice) || !Entier(champ(b, 0), type2) || !Entier(champ(b, 3), e.NbP) ||
        !Entier(champ(b, 4), e.Forme))
      Echec(ErreurLigne(de[k].second, rs("rsIgesDE")));
    // Status digits 3-4: the subordinate switch.
    Entier(champ(a, 8).substr(2, 2), e.Statut);
    e.Etiquette = Coupe(champ(b, 7));
    Entrees.push_back(e);
  }
}

std::vector<std::string> TLecteur::Parametres(const TEntree& e) const {
  if (e.PointeurP < 1 || e.NbP < 1 || size_t(e.PointeurP) > LignesP.size() ||
      size_t(e.NbP) > LignesP.size() - size_t(e.PointeurP) + 1)
    Echec(ErreurEntite(e, rs("rsIgesPointeur")));
  std::string t;
  for (int k = 0; k < e.NbP; k++) t += LignesP[size_t(e.PointeurP - 1 + k)].Donnees;
  bool fini = false;
  std::vector<std::string> p = Decoupe(t, DelimP, DelimR, fini);
  int type = 0;
  if (p.empty() || !Entier(p[0], type) || type != e.Type)
    Echec(ErreurEntite(e, Format(rs("rsIgesType"), type, e.Type)));
  return p;
}

// A 3 x 4 matrix (entity 124) and the chain of those it refers to.
struct TTransfo {
  double R[3][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}};
  TVertex3f Applique(const TVertex3f& p) const {
    return {R[0][0] * p.X + R[0][1] * p.Y + R[0][2] * p.Z + R[0][3],
            R[1][0] * p.X + R[1][1] * p.Y + R[1][2] * p.Z + R[1][3],
            R[2][0] * p.X + R[2][1] * p.Y + R[2][2] * p.Z + R[2][3]};
  }
};

TTransfo Compose(const TTransfo& exterieur, const TTransfo& interieur) {
  TTransfo r;
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 4; j++) {
      double s = j == 3 ? exterieur.R[i][3] : 0;
      for (int k = 0; k < 3; k++) s += exterieur.R[i][k] * interieur.R[k][j];
      r.R[i][j] = s;
    }
  return r;
}

TTransfo Matrice(const TLecteur& l, int seq, const TEntree& qui) {
  TTransfo t;
  std::set<int> vus;
  while (seq != 0) {
    const TEntree* e = l.Entree(seq);
    if (!e || e->Type != 124 || !vus.insert(seq).second || vus.size() > 16)
      Echec(l.ErreurEntite(qui, rs("rsIgesMatrice")));
    std::vector<std::string> p = l.Parametres(*e);
    TTransfo m;
    for (int i = 0; i < 12; i++) {
      double v = 0;
      if (size_t(i + 1) >= p.size() || !Reel(p[size_t(i + 1)], v) || std::fabs(v) > MaxGrandeur)
        Echec(l.ErreurEntite(*e, Format(rs("rsIgesParametre"), i + 2)));
      m.R[i / 4][i % 4] = v;
    }
    t = Compose(m, t);
    seq = e->Matrice;
  }
  return t;
}

TSurfaceIGES LitSurface(const TLecteur& l, const TEntree& e) {
  std::vector<std::string> p = l.Parametres(e);
  size_t k = 1;
  auto entier = [&]() {
    int v = 0;
    if (k >= p.size() || !Entier(p[k], v))
      Echec(l.ErreurEntite(e, Format(rs("rsIgesParametre"), int(k) + 1)));
    k++;
    return v;
  };
  auto reel = [&]() {
    double v = 0;
    if (k >= p.size() || !Reel(p[k], v)) Echec(l.ErreurEntite(e, Format(rs("rsIgesParametre"), int(k) + 1)));
    k++;
    return v;
  };
  TSurfaceIGES s;
  s.K1 = entier();
  s.K2 = entier();
  s.M1 = entier();
  s.M2 = entier();
  if (s.K1 < 0 || s.K2 < 0 || s.K1 >= MaxSommetsIGES || s.K2 >= MaxSommetsIGES ||
      (s.K1 + 1) * (s.K2 + 1) > MaxPointsIGES)
    Echec(l.ErreurEntite(e, Format(rs("rsIgesTaille"), s.K1 + 1, s.K2 + 1)));
  for (int m : {s.M1, s.M2})
    if (m < 1 || m > MaxDegreIGES) Echec(l.ErreurEntite(e, Format(rs("rsIgesDegre"), m, MaxDegreIGES)));
  if (s.M1 > s.K1 || s.M2 > s.K2) Echec(l.ErreurEntite(e, Format(rs("rsIgesTaille"), s.K1 + 1, s.K2 + 1)));
  for (int i = 0; i < 5; i++) entier();
  for (int i = 0; i < s.K1 + s.M1 + 2; i++) s.S.push_back(reel());
  for (int i = 0; i < s.K2 + s.M2 + 2; i++) s.T.push_back(reel());
  const size_t n = size_t(s.K1 + 1) * size_t(s.K2 + 1);
  for (size_t i = 0; i < n; i++) {
    s.W.push_back(reel());
    if (!(s.W.back() > 0) || s.W.back() > MaxGrandeur) Echec(l.ErreurEntite(e, rs("rsIgesPoids")));
  }
  const TTransfo t = Matrice(l, e.Matrice, e);
  for (size_t i = 0; i < n; i++) {
    TVertex3f v;
    v.X = reel();
    v.Y = reel();
    v.Z = reel();
    v = t.Applique(v) * l.Unite;
    for (double c : {v.X, v.Y, v.Z})
      if (!(std::fabs(c) <= MaxCoordonnee))
        Echec(l.ErreurEntite(e, Format(rs("rsIgesCoord"), MaxCoordonnee)));
    s.P.push_back(v);
  }
  s.U0 = reel();
  s.U1 = reel();
  s.V0 = reel();
  s.V1 = reel();
  for (const auto* t2 : {&s.S, &s.T})
    for (size_t i = 1; i < t2->size(); i++)
      if ((*t2)[i] < (*t2)[i - 1]) Echec(l.ErreurEntite(e, rs("rsIgesNoeuds")));
  auto dansNoeuds = [](const std::vector<double>& t2, int m, int kk, double a, double b) {
    return a < b && a >= t2[size_t(m)] - 1e-9 * (1 + std::fabs(a)) &&
           b <= t2[size_t(kk + 1)] + 1e-9 * (1 + std::fabs(b));
  };
  if (!dansNoeuds(s.S, s.M1, s.K1, s.U0, s.U1) || !dansNoeuds(s.T, s.M2, s.K2, s.V0, s.V1))
    Echec(l.ErreurEntite(e, rs("rsIgesDomaine")));
  return s;
}

// Index of the span of u in a knot vector of degree m over points 0..k.
int Span(const std::vector<double>& t, int m, int k, double u) {
  if (u >= t[size_t(k + 1)]) {
    int i = k;
    while (i > m && t[size_t(i)] >= t[size_t(k + 1)]) i--;
    return i;
  }
  if (u <= t[size_t(m)]) {
    int i = m;
    while (i < k && t[size_t(i + 1)] <= t[size_t(m)]) i++;
    return i;
  }
  int lo = m, hi = k + 1;
  while (hi - lo > 1) {
    const int mid = (lo + hi) / 2;
    if (u < t[size_t(mid)])
      hi = mid;
    else
      lo = mid;
  }
  return lo;
}

// The m + 1 non-zero basis functions of degree m at u (Cox-de Boor, inverted triangle).
void Base(const std::vector<double>& t, int span, int m, double u, double* n) {
  double gauche[MaxDegreIGES + 2], droite[MaxDegreIGES + 2];
  n[0] = 1;
  for (int j = 1; j <= m; j++) {
    gauche[j] = u - t[size_t(span + 1 - j)];
    droite[j] = t[size_t(span + j)] - u;
    double reste = 0;
    for (int r = 0; r < j; r++) {
      const double d = droite[r + 1] + gauche[j - r];
      const double x = d != 0 ? n[r] / d : 0;
      n[r] = reste + droite[r + 1] * x;
      reste = gauche[j - r] * x;
    }
    n[j] = reste;
  }
}

}  // namespace

TVertex3f TSurfaceIGES::Point(double s, double t) const {
  double ns[MaxDegreIGES + 2], nt[MaxDegreIGES + 2];
  const int is = Span(S, M1, K1, s), it = Span(T, M2, K2, t);
  Base(S, is, M1, s, ns);
  Base(T, it, M2, t, nt);
  TVertex3f p{};
  double w = 0;
  for (int b = 0; b <= M2; b++)
    for (int a = 0; a <= M1; a++) {
      const size_t idx = size_t(it - M2 + b) * size_t(K1 + 1) + size_t(is - M1 + a);
      const double c = ns[a] * nt[b] * W[idx];
      p = p + P[idx] * c;
      w += c;
    }
  return w != 0 ? p * (1 / w) : p;
}

bool NetExact(const TSurfaceIGES& s, TNet& net) {
  if (s.M1 + 1 < MinOrdre || s.M1 + 1 > MaxOrdre || s.M2 + 1 < MinOrdre || s.M2 + 1 > MaxOrdre ||
      s.K1 + 1 > MaxNet || s.K2 + 1 > MaxNet)
    return false;
  auto uniformes = [](const std::vector<double>& t, int m, int k, double a, double b) {
    const double t0 = t.front(), t1 = t.back(), d = t1 - t0;
    if (!(d > 0)) return false;
    // The domain is the whole knot range: nothing of the net is cut off.
    if (std::fabs(a - t0) > ToleranceNoeuds * d || std::fabs(b - t1) > ToleranceNoeuds * d) return false;
    double ref[MaxNoeuds + 1];
    KnotOpenUniform(m + 1, k, ref);
    for (size_t i = 0; i < t.size(); i++)
      if (std::fabs((t[i] - t0) / d - ref[i]) > ToleranceNoeuds) return false;
    return true;
  };
  if (!uniformes(s.S, s.M1, s.K1, s.U0, s.U1) || !uniformes(s.T, s.M2, s.K2, s.V0, s.V1)) return false;
  net.NbLn = s.K2 + 1;
  net.NbCol = s.K1 + 1;
  net.LFlex = s.M2 + 1;
  net.CFlex = s.M1 + 1;
  for (int r = 0; r < net.NbLn; r++)
    for (int c = 0; c < net.NbCol; c++) {
      const size_t i = size_t(r) * size_t(s.K1 + 1) + size_t(c);
      net.PC[r][c].SetV(s.P[i]);
      net.PC[r][c].W = s.W[i];
    }
  return true;
}

namespace {

std::vector<double> Parametres01(int n) {
  std::vector<double> u(static_cast<size_t>(n));
  for (int i = 0; i < n; i++) u[size_t(i)] = double(i) / (n - 1);
  return u;
}

std::vector<double> Milieux(const std::vector<double>& u) {
  std::vector<double> m;
  for (size_t i = 0; i + 1 < u.size(); i++) m.push_back((u[i] + u[i + 1]) / 2);
  return m;
}

// A parameter of [0, 1] to the surface's own, spread by the length along that direction
// (averaged over the other): a rational or non-uniform surface runs fast and slow along
// its parameter, and an even net fitted to it wastes vertices where it runs slowly.
struct TReparam {
  std::vector<double> C, S;  // C increasing from 0 to 1, S the parameter there
  double operator()(double x) const {
    if (C.size() < 2) return S.empty() ? x : S[0];
    const size_t k =
        std::clamp<size_t>(size_t(std::upper_bound(C.begin(), C.end(), x) - C.begin()), 1, C.size() - 1);
    const double d = C[k] - C[k - 1];
    return d > 0 ? S[k - 1] + (x - C[k - 1]) / d * (S[k] - S[k - 1]) : S[k];
  }
};

// The surface as the fit sees it: (u, v) in [0, 1], u along its second direction (our
// rows), v along its first (our columns), both spread by length.
struct TCible {
  const TSurfaceIGES& Surf;
  TReparam RU, RV;
  TVertex3f At(double u, double v) const { return Surf.Point(RV(v), RU(u)); }
};

TReparam Reparam(const TSurfaceIGES& s, bool premiere) {
  constexpr int N = 400, M = 11;
  const double a0 = premiere ? s.U0 : s.V0, a1 = premiere ? s.U1 : s.V1;
  const double b0 = premiere ? s.V0 : s.U0, b1 = premiere ? s.V1 : s.U1;
  TReparam r;
  std::vector<double> l(N + 1, 0.0);
  for (int m = 0; m < M; m++) {
    const double b = b0 + (b1 - b0) * m / (M - 1);
    TVertex3f prec{};
    for (int k = 0; k <= N; k++) {
      const double a = a0 + (a1 - a0) * k / N;
      const TVertex3f p = premiere ? s.Point(a, b) : s.Point(b, a);
      if (k > 0) l[size_t(k)] += Norme(p - prec);
      prec = p;
    }
  }
  for (int k = 1; k <= N; k++) l[size_t(k)] += l[size_t(k - 1)];
  const double total = l[N];
  for (int k = 0; k <= N; k++) {
    // A tenth of even spread keeps the map increasing where the surface stands still.
    const double c = total > 0 ? 0.9 * l[size_t(k)] / total + 0.1 * k / N : double(k) / N;
    r.C.push_back(c);
    r.S.push_back(a0 + (a1 - a0) * k / N);
  }
  return r;
}

TCible Cible(const TSurfaceIGES& s) { return {s, Reparam(s, false), Reparam(s, true)}; }

// Samples of the surface: rows along its second direction (our rows), columns along
// the first, at parameters of [0, 1] spread over its domain.
TEchantillons Echantillonne(const TCible& s, const std::vector<double>& u, const std::vector<double>& v) {
  TEchantillons e;
  e.U = u;
  e.V = v;
  e.P.resize(u.size() * v.size());
  for (size_t i = 0; i < u.size(); i++)
    for (size_t j = 0; j < v.size(); j++) e.P[i * v.size() + j] = s.At(u[i], v[j]);
  return e;
}

double EcartMax(const std::vector<TVertex3f>& a, const std::vector<TVertex3f>& b) {
  double m = 0;
  for (size_t i = 0; i < a.size() && i < b.size(); i++) m = std::max(m, Norme(a[i] - b[i]));
  return m;
}

// The fit of a net of the program's form; false when 31 x 31 vertices cannot meet the tolerance.
bool AjusteSurface(const TCible& s, double tol, TNet& net, double& ecart) {
  const int ku = std::clamp(s.Surf.M2 + 1, MinOrdre, MaxOrdre),
            kv = std::clamp(s.Surf.M1 + 1, MinOrdre, MaxOrdre);
  const std::vector<double> u = Parametres01(NbEchantillons), um = Milieux(u);
  const TEchantillons e = Echantillonne(s, u, u), em = Echantillonne(s, um, um);
  std::map<int, TBaseAjustement> bu, bv;
  auto base = [&](std::map<int, TBaseAjustement>& c, int k, int n) -> const TBaseAjustement& {
    auto it = c.find(n);
    if (it == c.end()) it = c.emplace(n, BaseAjustement(k, n, u)).first;
    return it->second;
  };
  auto ecartDe = [&](int nu, int nv, std::vector<TVertex3f>* net2) {
    std::vector<TVertex3f> p = AjusteGrille(base(bu, ku, nu), base(bv, kv, nv), e);
    if (p.empty()) return 1e300;
    const double d = std::max(EcartMax(EvalueGrille(p, ku, nu, kv, nv, u, u), e.P),
                              EcartMax(EvalueGrille(p, ku, nu, kv, nv, um, um), em.P));
    if (net2) *net2 = std::move(p);
    return d;
  };
  TTailleNet t;
  const bool ok = PlusPetitNet(
      ku, kv, MaxNet, MaxNet, tol, [&](int nu, int nv) { return ecartDe(nu, nv, nullptr); }, t);
  if (!ok) return false;
  std::vector<TVertex3f> p;
  ecart = ecartDe(t.NU, t.NV, &p);
  RemplitNet(net, p, t.NU, t.NV, ku, kv);
  return true;
}

// The deviation of the bilinear cells of an nu x nv grid of the surface at their
// centres and edge midpoints, which the grid does not hold.
double EcartMaillage(const TCible& s, int nu, int nv, TEchantillons* grille) {
  const std::vector<double> u = Parametres01(nu), v = Parametres01(nv);
  TEchantillons g = Echantillonne(s, u, v);
  auto pt = [&](double a, double b) { return s.At(a, b); };
  double m = 0;
  for (size_t i = 0; i < size_t(nu); i++)
    for (size_t j = 0; j < size_t(nv); j++) {
      const bool di = i + 1 < size_t(nu), dj = j + 1 < size_t(nv);
      const TVertex3f& a = g.At(i, j);
      const double um = di ? (u[i] + u[i + 1]) / 2 : 0, vm = dj ? (v[j] + v[j + 1]) / 2 : 0;
      if (di) m = std::max(m, Norme((a + g.At(i + 1, j)) * 0.5 - pt(um, v[j])));
      if (dj) m = std::max(m, Norme((a + g.At(i, j + 1)) * 0.5 - pt(u[i], vm)));
      if (di && dj)
        m = std::max(m,
                     Norme((a + g.At(i + 1, j) + g.At(i, j + 1) + g.At(i + 1, j + 1)) * 0.25 - pt(um, vm)));
    }
  if (grille) *grille = std::move(g);
  return m;
}

// The coarsest grid within the tolerance (rows and columns found apart, then grown
// together until the cells meet it), or 201 x 201 when none does.
std::unique_ptr<TDXFSurface> Maillage(const TCible& s, double tol, double& ecart) {
  auto plusPetit = [&](bool lignes) {
    int lo = 2, hi = MaxGrille;
    if (EcartMaillage(s, lignes ? hi : MaxGrille, lignes ? MaxGrille : hi, nullptr) > tol) return hi;
    while (hi - lo > 1) {
      const int mid = (lo + hi) / 2;
      if (EcartMaillage(s, lignes ? mid : MaxGrille, lignes ? MaxGrille : mid, nullptr) <= tol)
        hi = mid;
      else
        lo = mid;
    }
    return hi;
  };
  int nu = plusPetit(true), nv = plusPetit(false);
  TEchantillons g;
  ecart = EcartMaillage(s, nu, nv, &g);
  while (ecart > tol && (nu < MaxGrille || nv < MaxGrille)) {
    nu = std::min(MaxGrille, nu + std::max(1, nu / 8));
    nv = std::min(MaxGrille, nv + std::max(1, nv / 8));
    ecart = EcartMaillage(s, nu, nv, &g);
  }
  auto m = std::make_unique<TDXFSurface>(0, nv, nu);
  for (int i = 0; i < nu; i++)
    for (int j = 0; j < nv; j++) m->Pts[size_t(i)][size_t(j)] = g.At(size_t(i), size_t(j));
  return m;
}

std::string NomFichierSeul(const std::string& nom) {
  std::string n = std::filesystem::path(nom).stem().string();
  return n.empty() ? "IGES" : n;
}

// Whether b's vertices are a's mirrored in the plane X = 0 (a symmetric surface and
// its image, as the program writes them), to the precision the file was written at.
bool Miroirs(const TNet& a, const TNet& b) {
  if (a.NbLn != b.NbLn || a.NbCol != b.NbCol || a.LFlex != b.LFlex || a.CFlex != b.CFlex) return false;
  double taille = 1;
  for (int r = 0; r < a.NbLn; r++)
    for (int c = 0; c < a.NbCol; c++)
      taille = std::max({taille, std::fabs(a.PC[r][c].X), std::fabs(a.PC[r][c].Y), std::fabs(a.PC[r][c].Z)});
  const double tol = 1e-7 * taille;
  bool horsPlan = false;
  for (int r = 0; r < a.NbLn; r++)
    for (int c = 0; c < a.NbCol; c++) {
      const TPtNet &p = a.PC[r][c], &q = b.PC[r][c];
      if (std::fabs(p.X + q.X) > tol || std::fabs(p.Y - q.Y) > tol || std::fabs(p.Z - q.Z) > tol ||
          std::fabs(p.W - q.W) > 1e-9 * std::max(1.0, p.W))
        return false;
      if (std::fabs(p.X) > tol) horsPlan = true;
    }
  return horsPlan;
}

// A surface on one side of the centre plane, off it, is half of a symmetric hull.
bool UnCote(const std::vector<TVertex3f>& pts) {
  double mn = 1e300, mx = -1e300, taille = 0;
  for (const auto& p : pts) {
    mn = std::min(mn, p.X);
    mx = std::max(mx, p.X);
    taille = std::max({taille, std::fabs(p.X), std::fabs(p.Y), std::fabs(p.Z)});
  }
  const double tol = 1e-7 * std::max(1.0, taille);
  return (mn >= -tol || mx <= tol) && std::max(std::fabs(mn), std::fabs(mx)) > 1e-3 * std::max(1.0, taille);
}

}  // namespace

TImportCoque ImporteIGESTexte(std::string_view texte, const std::string& nom, double tolerance) {
  TRACE("ImporteIGES");
  TImportCoque r;
  r.Fichier = nom;
  r.Tolerance = std::clamp(tolerance, ToleranceImportMin, ToleranceImportMax);
  try {
    TLecteur l(texte, nom);
    l.Lit();
    // Which entities give a surface: the bases of the trimmed and bounded surfaces,
    // and every rational B-spline surface no such entity uses.
    std::vector<std::pair<const TEntree*, const TEntree*>> surfaces;  // (128, trimmed parent or null)
    std::set<int> bases;
    std::map<int, int> ignorees;
    for (const TEntree& e : l.Entrees) {
      if (e.Type != 143 && e.Type != 144) continue;
      std::vector<std::string> p = l.Parametres(e);
      int ptr = 0;
      const size_t k = e.Type == 144 ? 1 : 2;
      if (k >= p.size() || !Entier(p[k], ptr))
        Echec(l.ErreurEntite(e, Format(rs("rsIgesParametre"), int(k) + 1)));
      const TEntree* b = l.Entree(ptr);
      if (!b) Echec(l.ErreurEntite(e, rs("rsIgesPointeur")));
      if (b->Type != 128) {
        ignorees[b->Type]++;
        continue;
      }
      bases.insert(ptr);
      surfaces.emplace_back(b, &e);
    }
    for (const TEntree& e : l.Entrees) {
      if (e.Type == 128 && !bases.count(e.Seq))
        surfaces.emplace_back(&e, nullptr);
      else if (e.Type != 128 && e.Type != 143 && e.Type != 144 && e.Type != 124 && e.Type != 314 &&
               !(e.Type == 0))
        ignorees[e.Type]++;
    }
    std::sort(surfaces.begin(), surfaces.end(),
              [](const auto& a, const auto& b) { return a.first->Seq < b.first->Seq; });
    if (surfaces.empty()) Echec(Format(rs("rsIgesAucune"), nom.c_str()));
    if (surfaces.size() > size_t(MaxSurfacesIGES))
      Echec(Format(rs("rsIgesTropSurfaces"), nom.c_str(), MaxSurfacesIGES));
    if (!ignorees.empty()) {
      std::string liste;
      for (auto [type, nb] : ignorees)
        liste += (liste.empty() ? "" : ", ") + std::to_string(type) + " (" + std::to_string(nb) + ")";
      r.Avertissements.push_back(Format(rs("rsIgesIgnorees"), liste.c_str()));
    }
    // Read every surface first: a fault anywhere imports nothing.
    std::vector<TSurfaceIGES> lues;
    for (const auto& sp : surfaces) lues.push_back(LitSurface(l, *sp.first));
    std::vector<bool> unCote;
    for (size_t k = 0; k < surfaces.size(); k++) {
      const TEntree& e = *surfaces[k].first;
      const TSurfaceIGES& s = lues[k];
      std::string n = Cp1252VersUtf8(e.Etiquette);
      if (n.empty()) n = NomFichierSeul(nom);
      TSurfaceImportee si;
      si.Source = Format(rs("rsIgesSource"), e.Type, e.Seq);
      if (surfaces[k].second)
        r.Avertissements.push_back(
            Format(rs("rsIgesNonDecoupee"), n.c_str(), surfaces[k].second->Type, surfaces[k].second->Seq));
      auto nurbs = std::make_unique<TSurface>(0, 20);
      std::vector<TVertex3f> pts;
      if (NetExact(s, nurbs->Net)) {
        si.Exacte = true;
      } else if (const TCible c = Cible(s); !AjusteSurface(c, r.Tolerance, nurbs->Net, si.Ecart)) {
        nurbs.reset();
        auto m = Maillage(c, r.Tolerance, si.Ecart);
        r.Avertissements.push_back(Format(rs("rsIgesMaillage"), n.c_str(), m->NbLnPt + 1, m->NbColPt + 1));
        if (si.Ecart > r.Tolerance)
          r.Avertissements.push_back(Format(rs("rsIgesMaillageHors"), n.c_str(), si.Ecart));
        for (const auto& ligne : m->Pts) pts.insert(pts.end(), ligne.begin(), ligne.end());
        si.Surface = std::move(m);
      }
      if (nurbs) {
        for (int i = 0; i < nurbs->Net.NbLn; i++)
          for (int j = 0; j < nurbs->Net.NbCol; j++) pts.push_back(nurbs->Net.PC[i][j].V());
        si.Surface = std::move(nurbs);
      }
      si.Surface->Nom = n;
      // Symmetric only when the file holds the image too (below): what it holds is imported as it is.
      si.Surface->Sym = false;
      unCote.push_back(UnCote(pts));
      r.Surfaces.push_back(std::move(si));
    }
    // A symmetric surface written with its image comes back as one symmetric surface.
    for (size_t a = 0; a < r.Surfaces.size(); a++) {
      auto* sa = dynamic_cast<TSurface*>(r.Surfaces[a].Surface.get());
      if (!sa) continue;
      for (size_t b = a + 1; b < r.Surfaces.size(); b++) {
        auto* sb = dynamic_cast<TSurface*>(r.Surfaces[b].Surface.get());
        if (sb && Miroirs(sa->Net, sb->Net)) {
          sa->Sym = true;
          r.Surfaces[a].Ecart = std::max(r.Surfaces[a].Ecart, r.Surfaces[b].Ecart);
          r.Surfaces.erase(r.Surfaces.begin() + std::ptrdiff_t(b));
          unCote.erase(unCote.begin() + std::ptrdiff_t(b));
          unCote[a] = false;
          break;
        }
      }
    }
    for (size_t a = 0; a < r.Surfaces.size(); a++)
      if (unCote[a])
        r.Avertissements.push_back(Format(rs("rsImportDemiCoque"), r.Surfaces[a].Surface->Nom.c_str()));
  } catch (const TErreurIGES& e) {
    r.Erreur = e.Message;
    r.Surfaces.clear();
    r.Avertissements.clear();
  } catch (const std::bad_alloc&) {
    r.Erreur = Format(rs("rsImportTaille"), nom.c_str(), int(MaxTailleImport >> 20));
    r.Surfaces.clear();
  }
  if (!r.Erreur.empty()) DbgErr(erFichier, "ImporteIGES", 0, {r.Erreur});
  return r;
}

TImportCoque ImporteIGES(const std::string& chemin, double tolerance) {
  std::ifstream f(chemin, std::ios::binary);
  std::error_code ec;
  const auto taille = std::filesystem::file_size(chemin, ec);
  if (!f || ec) {
    TImportCoque r;
    r.Fichier = chemin;
    r.Erreur = Format(rs("rsImportLecture"), chemin.c_str());
    return r;
  }
  if (taille > MaxTailleImport) {
    TImportCoque r;
    r.Fichier = chemin;
    r.Erreur = Format(rs("rsImportTaille"), chemin.c_str(), int(MaxTailleImport >> 20));
    return r;
  }
  std::ostringstream o;
  o << f.rdbuf();
  return ImporteIGESTexte(o.str(), chemin, tolerance);
}
