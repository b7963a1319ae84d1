#include "exchange/ImportCotes.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/Chaines.h"
#include "base/Debug.h"
#include "exchange/Ajustement.h"
#include "geometry/Nurbs.h"

namespace {

// Samples of each interpolated section: four per span of a 31-row net and some more.
constexpr int NbEchantillonsSection = 131;

std::string Nettoie(std::string_view s) {
  size_t a = s.find_first_not_of(" \t"), b = s.find_last_not_of(" \t");
  return a == std::string_view::npos ? std::string() : std::string(s.substr(a, b - a + 1));
}

std::vector<std::string> Cellules(std::string_view l) {
  std::vector<std::string> c;
  size_t debut = 0;
  while (true) {
    const size_t fin = l.find(';', debut);
    c.push_back(
        Nettoie(l.substr(debut, fin == std::string_view::npos ? std::string_view::npos : fin - debut)));
    if (fin == std::string_view::npos) break;
    debut = fin + 1;
  }
  while (!c.empty() && c.back().empty()) c.pop_back();
  return c;
}

// A number with a point or a comma; false for anything else.
bool Nombre(const std::string& s, double& v) {
  std::string t = s;
  std::replace(t.begin(), t.end(), ',', '.');
  if (!t.empty() && t[0] == '+') t.erase(0, 1);
  if (t.empty()) return false;
  auto [fin, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  return ec == std::errc() && fin == t.data() + t.size() && std::isfinite(v) && std::fabs(v) <= MaxCoordonnee;
}

std::string Minuscules(std::string s) {
  for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// A natural cubic spline through (t[i], y[i]), t increasing.
struct TSpline {
  std::vector<double> T, Y, M;  // M: second derivatives
  void Construit(const std::vector<double>& t, const std::vector<double>& y) {
    T = t;
    Y = y;
    const size_t n = t.size();
    M.assign(n, 0.0);
    if (n < 3) return;
    std::vector<double> a(n, 0), b(n, 1), c(n, 0), d(n, 0);
    for (size_t i = 1; i + 1 < n; i++) {
      const double h0 = t[i] - t[i - 1], h1 = t[i + 1] - t[i];
      a[i] = h0;
      b[i] = 2 * (h0 + h1);
      c[i] = h1;
      d[i] = 6 * ((y[i + 1] - y[i]) / h1 - (y[i] - y[i - 1]) / h0);
    }
    for (size_t i = 1; i < n; i++) {
      const double m = a[i] / b[i - 1];
      b[i] -= m * c[i - 1];
      d[i] -= m * d[i - 1];
    }
    M[n - 1] = d[n - 1] / b[n - 1];
    for (size_t i = n - 1; i-- > 0;) M[i] = (d[i] - c[i] * M[i + 1]) / b[i];
  }
  double Valeur(double x) const {
    if (T.size() == 1) return Y[0];
    size_t i = size_t(std::upper_bound(T.begin(), T.end(), x) - T.begin());
    i = std::clamp<size_t>(i, 1, T.size() - 1);
    const double h = T[i] - T[i - 1], a = (T[i] - x) / h, b = (x - T[i - 1]) / h;
    return a * Y[i - 1] + b * Y[i] + ((a * a * a - a) * M[i - 1] + (b * b * b - b) * M[i]) * h * h / 6;
  }
};

// One offset to meet: a point of a section and where the fit should find it.
struct TCoteLue {
  TVertex3f P;
  double U = 0, V = 0;      // girth and station parameters of the first guess
  bool DemiLargeur = true;  // a half-breadth at a height (else the keel or sheer point itself)
};

// The point of the surface nearest p, by Gauss-Newton from (u, v) within the domain.
double DistanceSurface(const TSNurbs& r, double u, double v, const TVertex3f& p) {
  double best = 1e300;
  for (int it = 0; it < 40; it++) {
    const TDerivees d = SurfaceDerivs(r, 1, u, v);
    const TVertex3f e = d.S[0][0] - p, su = d.S[1][0], sv = d.S[0][1];
    best = std::min(best, Norme(e));
    const double a = ProduitScalaire(su, su), b = ProduitScalaire(su, sv), c = ProduitScalaire(sv, sv);
    const double g1 = ProduitScalaire(su, e), g2 = ProduitScalaire(sv, e), det = a * c - b * b;
    if (!(std::fabs(det) > 1e-300)) break;
    const double du = (c * g1 - b * g2) / det, dv = (a * g2 - b * g1) / det;
    u = std::clamp(u - du, 0.0, 1.0);
    v = std::clamp(v - dv, 0.0, 1.0);
    if (std::fabs(du) + std::fabs(dv) < 1e-12) break;
  }
  return best;
}

// The half-breadth error at the offset: the point of the surface at the offset's
// station and height, found by Newton; where none is found, the distance to the surface.
double EcartCote(const TSNurbs& r, const TCoteLue& c) {
  if (c.DemiLargeur) {
    double u = c.U, v = c.V;
    for (int it = 0; it < 30; it++) {
      const TDerivees d = SurfaceDerivs(r, 1, u, v);
      const double f1 = d.S[0][0].Y - c.P.Y, f2 = d.S[0][0].Z - c.P.Z;
      if (std::fabs(f1) + std::fabs(f2) < 1e-10) return std::fabs(d.S[0][0].X - c.P.X);
      const double a = d.S[1][0].Y, b = d.S[0][1].Y, e = d.S[1][0].Z, f = d.S[0][1].Z, det = a * f - b * e;
      if (!(std::fabs(det) > 1e-14)) break;
      u -= (f * f1 - b * f2) / det;
      v -= (a * f2 - e * f1) / det;
      if (!(u >= -1e-9 && u <= 1 + 1e-9 && v >= -1e-9 && v <= 1 + 1e-9)) break;
    }
  }
  return DistanceSurface(r, c.U, c.V, c.P);
}

}  // namespace

bool LitTableCotes(std::string_view texte, const std::string& nom, TTableCotesLue& t, std::string& erreur) {
  t = {};
  auto refus = [&](int ligne, const std::string& quoi) {
    erreur = Format(rs("rsImportLigne"), nom.c_str(), ligne, quoi.c_str());
    return false;
  };
  if (texte.size() > MaxTailleImport) {
    erreur = Format(rs("rsImportTaille"), nom.c_str(), int(MaxTailleImport >> 20));
    return false;
  }
  struct TBrute {
    std::vector<std::string> C;
    int Ligne;
  };
  std::vector<TBrute> livet, quille;
  std::vector<int> lignesStations;
  bool entete = false;
  int numero = 0;
  size_t pos = 0;
  while (pos < texte.size()) {
    size_t fin = texte.find_first_of("\r\n", pos);
    if (fin == std::string_view::npos) fin = texte.size();
    std::string_view l = texte.substr(pos, fin - pos);
    pos = fin;
    if (pos < texte.size() && texte[pos] == '\r') pos++;
    if (pos < texte.size() && texte[pos] == '\n') pos++;
    numero++;
    if (numero == 1 && l.substr(0, 3) == "\xEF\xBB\xBF") l.remove_prefix(3);
    std::vector<std::string> c = Cellules(l);
    if (c.empty() || c[0].rfind('#', 0) == 0) continue;
    if (!entete) {
      double v = 0;
      // An empty or titled corner cell above the stations' column.
      const size_t debut = Nombre(c[0], v) ? 0 : 1;
      for (size_t k = debut; k < c.size(); k++) {
        if (!Nombre(c[k], v)) return refus(numero, Format(rs("rsCotesValeur"), int(k) + 1));
        t.Hauteurs.push_back(v);
      }
      if (t.Hauteurs.empty()) return refus(numero, rs("rsCotesHauteurs"));
      if (t.Hauteurs.size() > size_t(MaxLignesEauCotes))
        return refus(numero, Format(rs("rsCotesTrop"), MaxLignesEauCotes));
      for (size_t k = 1; k < t.Hauteurs.size(); k++)
        if ((t.Hauteurs[k] - t.Hauteurs[k - 1]) * (t.Hauteurs[1] - t.Hauteurs[0]) <= 0)
          return refus(numero, rs("rsCotesOrdre"));
      entete = true;
      continue;
    }
    const std::string cle = Minuscules(c[0]);
    if (cle == "livet" || cle == "sheer") {
      livet.push_back({c, numero});
      continue;
    }
    if (cle == "quille" || cle == "keel") {
      quille.push_back({c, numero});
      continue;
    }
    double y = 0;
    if (!Nombre(c[0], y)) return refus(numero, Format(rs("rsCotesValeur"), 1));
    if (c.size() > t.Hauteurs.size() + 1)
      return refus(numero, Format(rs("rsCotesTropValeurs"), int(t.Hauteurs.size())));
    if (t.Stations.size() >= size_t(MaxStationsCotes))
      return refus(numero, Format(rs("rsCotesTrop"), MaxStationsCotes));
    std::vector<std::optional<double>> dl(t.Hauteurs.size());
    for (size_t k = 1; k < c.size(); k++) {
      if (c[k].empty()) continue;
      double x = 0;
      if (!Nombre(c[k], x)) return refus(numero, Format(rs("rsCotesValeur"), int(k) + 1));
      if (x < 0) return refus(numero, Format(rs("rsCotesNegative"), int(k) + 1));
      dl[k - 1] = x;
    }
    t.Stations.push_back(y);
    t.DemiLargeurs.push_back(std::move(dl));
    lignesStations.push_back(numero);
  }
  if (!entete) {
    erreur = Format(rs("rsImportVide"), nom.c_str());
    return false;
  }
  const size_t ns = t.Stations.size();
  if (ns < 2) return refus(numero, rs("rsCotesStations"));
  for (size_t k = 1; k < ns; k++)
    if ((t.Stations[k] - t.Stations[k - 1]) * (t.Stations[1] - t.Stations[0]) <= 0)
      return refus(lignesStations[k], rs("rsCotesOrdre"));
  if (livet.size() > 1) return refus(livet[1].Ligne, rs("rsCotesDouble"));
  if (quille.size() > 1) return refus(quille[1].Ligne, rs("rsCotesDouble"));
  t.Livet.assign(ns, std::nullopt);
  t.Quille.assign(ns, std::nullopt);
  if (!livet.empty()) {
    const auto& b = livet[0];
    if (b.C.size() > 2 * ns + 1) return refus(b.Ligne, Format(rs("rsCotesTropValeurs"), int(2 * ns)));
    for (size_t s = 0; s < ns; s++) {
      const size_t k = 1 + 2 * s;
      const bool az = k < b.C.size() && !b.C[k].empty(), ax = k + 1 < b.C.size() && !b.C[k + 1].empty();
      if (!az && !ax) continue;
      double z = 0, x = 0;
      if (!az || !Nombre(b.C[k], z)) return refus(b.Ligne, Format(rs("rsCotesValeur"), int(k) + 1));
      if (!ax || !Nombre(b.C[k + 1], x)) return refus(b.Ligne, Format(rs("rsCotesValeur"), int(k) + 2));
      if (x < 0) return refus(b.Ligne, Format(rs("rsCotesNegative"), int(k) + 2));
      t.Livet[s] = std::make_pair(z, x);
    }
  }
  if (!quille.empty()) {
    const auto& b = quille[0];
    if (b.C.size() > ns + 1) return refus(b.Ligne, Format(rs("rsCotesTropValeurs"), int(ns)));
    for (size_t s = 0; s + 1 < b.C.size(); s++) {
      if (b.C[s + 1].empty()) continue;
      double z = 0;
      if (!Nombre(b.C[s + 1], z)) return refus(b.Ligne, Format(rs("rsCotesValeur"), int(s) + 2));
      t.Quille[s] = z;
    }
  }
  for (size_t s = 0; s < ns; s++) {
    bool un = t.Livet[s] || t.Quille[s];
    for (const auto& x : t.DemiLargeurs[s]) un = un || x.has_value();
    if (!un) return refus(lignesStations[s], rs("rsCotesVide"));
  }
  // Stations from the smallest Y, as the nets' columns run.
  if (t.Stations[1] < t.Stations[0]) {
    std::reverse(t.Stations.begin(), t.Stations.end());
    std::reverse(t.DemiLargeurs.begin(), t.DemiLargeurs.end());
    std::reverse(t.Livet.begin(), t.Livet.end());
    std::reverse(t.Quille.begin(), t.Quille.end());
  }
  return true;
}

TImportCoque AjusteCotes(const TTableCotesLue& t, const std::string& nom, double tolerance) {
  TRACE("AjusteCotes");
  TImportCoque r;
  r.Fichier = nom;
  r.Tolerance = std::clamp(tolerance, ToleranceImportMin, ToleranceImportMax);
  const size_t ns = t.Stations.size();
  if (ns < 2) {
    r.Erreur = Format(rs("rsImportLigne"), nom.c_str(), 1, rs("rsCotesStations").c_str());
    return r;
  }
  // Each section from the keel up: its points by height, interpolated along its girth.
  std::vector<double> girth(NbEchantillonsSection);
  for (int i = 0; i < NbEchantillonsSection; i++) girth[size_t(i)] = double(i) / (NbEchantillonsSection - 1);
  std::vector<double> stations(ns);
  const double y0 = t.Stations.front(), y1 = t.Stations.back();
  for (size_t s = 0; s < ns; s++) stations[s] = (t.Stations[s] - y0) / (y1 - y0);
  TEchantillons e;
  e.U = girth;
  e.V = stations;
  e.P.resize(girth.size() * ns);
  std::vector<TCoteLue> cotes;
  for (size_t s = 0; s < ns; s++) {
    struct TPt {
      double X, Z;
      int Rang;  // keel 0, offsets 1, sheer 2: the order at equal heights
      bool DemiLargeur;
    };
    std::vector<TPt> p;
    if (t.Quille[s]) p.push_back({0, *t.Quille[s], 0, false});
    for (size_t w = 0; w < t.Hauteurs.size(); w++)
      if (t.DemiLargeurs[s][w]) p.push_back({*t.DemiLargeurs[s][w], t.Hauteurs[w], 1, true});
    if (t.Livet[s]) p.push_back({t.Livet[s]->second, t.Livet[s]->first, 2, false});
    std::stable_sort(p.begin(), p.end(),
                     [](const TPt& a, const TPt& b) { return a.Z != b.Z ? a.Z < b.Z : a.Rang < b.Rang; });
    std::vector<double> ch{0}, xs{p[0].X}, zs{p[0].Z};
    for (size_t k = 1; k < p.size(); k++) {
      const double d = std::hypot(p[k].X - xs.back(), p[k].Z - zs.back());
      if (d == 0) continue;
      ch.push_back(ch.back() + d);
      xs.push_back(p[k].X);
      zs.push_back(p[k].Z);
    }
    const double total = ch.back();
    for (double& c : ch) c = total > 0 ? c / total : 0;
    TSpline sx, sz;
    sx.Construit(ch, xs);
    sz.Construit(ch, zs);
    for (size_t i = 0; i < girth.size(); i++)
      e.P[i * ns + s] = {sx.Valeur(girth[i]), t.Stations[s], sz.Valeur(girth[i])};
    // The first guess of each offset: its girth parameter on its own section.
    for (const TPt& q : p) {
      size_t k = 0;
      while (k + 1 < xs.size() && !(xs[k] == q.X && zs[k] == q.Z)) k++;
      cotes.push_back({{q.X, t.Stations[s], q.Z}, ch[k], stations[s], q.DemiLargeur});
    }
  }
  const int maxU = MaxNet, maxV = std::min<int>(MaxNet, int(ns));
  const int ku = std::min(4, maxU), kv = std::min(4, maxV);
  std::vector<TBaseAjustement> bu(MaxNet + 1), bv(MaxNet + 1);
  auto net = [&](int nu, int nv, TSurface& s) {
    if (!bu[size_t(nu)].Ok) bu[size_t(nu)] = BaseAjustement(ku, nu, girth);
    if (!bv[size_t(nv)].Ok) bv[size_t(nv)] = BaseAjustement(kv, nv, stations);
    std::vector<TVertex3f> p = AjusteGrille(bu[size_t(nu)], bv[size_t(nv)], e);
    if (p.empty()) return false;
    RemplitNet(s.Net, p, nu, nv, ku, kv);
    return true;
  };
  static thread_local TSNurbs rec;
  auto ecart = [&](int nu, int nv) {
    TSurface s(0, 10);
    if (!net(nu, nv, s)) return 1e300;
    rec = TSNurbs{};
    s.MyNurbs2SNurbs(rec);
    double m = 0;
    for (const TCoteLue& c : cotes) m = std::max(m, EcartCote(rec, c));
    return m;
  };
  TTailleNet taille;
  if (!PlusPetitNet(ku, kv, maxU, maxV, r.Tolerance, ecart, taille))
    r.Avertissements.push_back(Format(rs("rsCotesHorsTolerance"), taille.Ecart, r.Tolerance));
  auto s = std::make_unique<TSurface>(0, 20);
  if (!net(taille.NU, taille.NV, *s)) {
    r.Erreur = Format(rs("rsImportLigne"), nom.c_str(), 1, rs("rsCotesStations").c_str());
    return r;
  }
  std::string n = std::filesystem::path(nom).stem().string();
  s->Nom = n.empty() ? "Carene" : n;
  s->Sym = true;
  TSurfaceImportee si;
  si.Ecart = taille.Ecart;
  si.Source = nom;
  si.Surface = std::move(s);
  r.Surfaces.push_back(std::move(si));
  return r;
}

TImportCoque ImporteCotesTexte(std::string_view texte, const std::string& nom, double tolerance) {
  TTableCotesLue t;
  std::string erreur;
  if (!LitTableCotes(texte, nom, t, erreur)) {
    TImportCoque r;
    r.Fichier = nom;
    r.Erreur = erreur;
    DbgErr(erFichier, "ImporteCotes", 0, {erreur});
    return r;
  }
  return AjusteCotes(t, nom, tolerance);
}

TImportCoque ImporteCotes(const std::string& chemin, double tolerance) {
  std::ifstream f(chemin, std::ios::binary);
  std::error_code ec;
  const auto taille = std::filesystem::file_size(chemin, ec);
  TImportCoque r;
  r.Fichier = chemin;
  if (!f || ec) {
    r.Erreur = Format(rs("rsImportLecture"), chemin.c_str());
    return r;
  }
  if (taille > MaxTailleImport) {
    r.Erreur = Format(rs("rsImportTaille"), chemin.c_str(), int(MaxTailleImport >> 20));
    return r;
  }
  std::ostringstream o;
  o << f.rdbuf();
  return ImporteCotesTexte(o.str(), chemin, tolerance);
}
