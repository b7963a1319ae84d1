#include "exchange/ExportSTL.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <unordered_map>

#include "base/Debug.h"
#include "base/Encodage.h"
#include "base/FichierStr.h"
#include "naval/Face.h"

namespace {

// Points closer than this are one vertex: the mirror of a point on the symmetry
// plane and a collapsed edge (a stem) differ from their twins by rounding only.
constexpr double ToleranceSoudure = 1e-7;

struct TCle {
  long long X, Y, Z;
  bool operator==(const TCle&) const = default;
};
struct THashCle {
  size_t operator()(const TCle& k) const {
    return std::hash<long long>()(k.X * 73856093LL ^ k.Y * 19349663LL ^ k.Z * 83492791LL);
  }
};

TCle Cle(const TVertex3f& p) {
  return {std::llround(p.X / ToleranceSoudure), std::llround(p.Y / ToleranceSoudure),
          std::llround(p.Z / ToleranceSoudure)};
}

void AjouteF32(std::string& s, float v) {
  uint32_t b;
  std::memcpy(&b, &v, 4);
  for (int i = 0; i < 4; i++) s += char((b >> (8 * i)) & 0xFF);
}
void AjouteU32(std::string& s, uint32_t b) {
  for (int i = 0; i < 4; i++) s += char((b >> (8 * i)) & 0xFF);
}

}  // namespace

bool CoqueFermee(const TEntity& e, TCoque& c, std::string& pourquoi) {
  c = TCoque{};
  c.Nom = e.Nom;
  const int nbLn = e.NbLnPt + 1, nbCol = e.NbColPt + 1;
  auto couvre = [&](const TArrayVertex3f& g) {
    if (nbLn < 2 || nbCol < 2 || int(g.size()) < nbLn) return false;
    for (int r = 0; r < nbLn; r++)
      if (int(g[r].size()) < nbCol) return false;
    return true;
  };
  if (!couvre(e.Pts) || (e.Sym && !couvre(e.PtsSym))) {
    pourquoi = "grille non calculée";
    return false;
  }
  std::unordered_map<TCle, int, THashCle> index;
  auto sommet = [&](const TRefPt& r) {
    const TVertex3f& p = r.Sym ? e.PtsSym[r.Ln][r.Col] : e.Pts[r.Ln][r.Col];
    auto [it, neuf] = index.emplace(Cle(p), int(c.Sommets.size()));
    if (neuf) c.Sommets.push_back(p);
    return it->second;
  };
  bool fini = true;
  PourFacettesCorps(nbLn, nbCol, e.Sym, e.Orientation ? 1 : 0, e.JonctionSym,
                    [&](const TRefPt& a, const TRefPt& b, const TRefPt& d) {
                      int i = sommet(a), j = sommet(b), k = sommet(d);
                      // Facets collapsed by the weld (on the symmetry plane, at a stem) are no triangles.
                      if (i == j || j == k || k == i) return;
                      // The way round is settled below, by the sign of the volume.
                      c.Triangles.push_back({i, j, k});
                    });
  for (const auto& p : c.Sommets)
    fini = fini && std::isfinite(p.X) && std::isfinite(p.Y) && std::isfinite(p.Z);
  if (!fini) {
    pourquoi = "point non défini";
    return false;
  }
  if (c.Triangles.empty()) {
    pourquoi = "aucune facette";
    return false;
  }
  // Closed: every directed edge meets its reverse exactly once.
  std::map<std::pair<int, int>, int> aretes;
  for (const auto& t : c.Triangles)
    for (int k = 0; k < 3; k++) aretes[{t[k], t[(k + 1) % 3]}]++;
  for (const auto& [a, n] : aretes) {
    auto inverse = aretes.find({a.second, a.first});
    if (n != 1 || inverse == aretes.end() || inverse->second != 1) {
      pourquoi = "la surface ne se ferme pas";
      return false;
    }
  }
  // Outwards: the enclosed volume is positive.
  double vol = 0;
  for (const auto& t : c.Triangles) {
    const TVertex3f &a = c.Sommets[t[0]], &b = c.Sommets[t[1]], &d = c.Sommets[t[2]];
    vol += ProduitScalaire(a, ProduitVect(b, d));
  }
  if (vol < 0)
    for (auto& t : c.Triangles) std::swap(t[1], t[2]);
  return true;
}

std::vector<TCoque> CoquesPortee(const TDocument& doc, TResultatExport* r) {
  TRACE("ExportSTL.CoquesPortee");
  std::vector<TCoque> l;
  for (const auto& s : doc.TabSurf) {
    if (!s->Calc) continue;
    TCoque c;
    std::string pourquoi;
    if (CoqueFermee(*s, c, pourquoi)) {
      l.push_back(std::move(c));
    } else {
      DbgErr(erCalcul, "ExportSTL", s->NumSurf, {pourquoi});
      if (r) r->Messages.push_back("Surface " + s->Nom + " non exportée : " + pourquoi);
    }
  }
  return l;
}

std::string TexteSTL(const std::vector<TCoque>& coques) {
  std::string s(80, ' ');
  const char* tete = "Brivane: closed shells of the floating bodies, metres";
  std::memcpy(s.data(), tete, std::strlen(tete));
  uint32_t n = 0;
  for (const auto& c : coques) n += uint32_t(c.Triangles.size());
  AjouteU32(s, n);
  s.reserve(s.size() + size_t(n) * 50);
  for (const auto& c : coques)
    for (const auto& t : c.Triangles) {
      const TVertex3f &a = c.Sommets[t[0]], &b = c.Sommets[t[1]], &d = c.Sommets[t[2]];
      TVertex3f nn = ProduitVect(b - a, d - a);
      double l = Norme(nn);
      if (l > 0) nn = {nn.X / l, nn.Y / l, nn.Z / l};
      for (const TVertex3f& p : {nn, a, b, d})
        AjouteF32(s, float(p.X)), AjouteF32(s, float(p.Y)), AjouteF32(s, float(p.Z));
      s += std::string(2, '\0');
    }
  return s;
}

std::string TexteOBJ(const std::vector<TCoque>& coques) {
  std::string s = "# Brivane: closed shells of the floating bodies, metres\r\n";
  char b[128];
  size_t base = 1;
  for (const auto& c : coques) {
    std::string nom = c.Nom;
    for (char& x : nom)
      if (x == ' ' || x == '\t') x = '_';
    s += "o " + (nom.empty() ? std::string("surface") : nom) + "\r\n";
    for (const auto& p : c.Sommets) {
      std::snprintf(b, sizeof b, "v %.6f %.6f %.6f\r\n", p.X, p.Y, p.Z);
      s += b;
    }
    for (const auto& t : c.Triangles) {
      std::snprintf(b, sizeof b, "f %zu %zu %zu\r\n", base + t[0], base + t[1], base + t[2]);
      s += b;
    }
    base += c.Sommets.size();
  }
  return s;
}

TResultatExport ExportSTL(const TDocument& doc, const std::string& nomFichier) {
  TResultatExport r;
  r.Ok = EcritFichierAtomique(nomFichier, TexteSTL(CoquesPortee(doc, &r)), &r.Erreur);
  return r;
}

TResultatExport ExportOBJ(const TDocument& doc, const std::string& nomFichier) {
  TResultatExport r;
  r.Ok = EcritFichierAtomique(nomFichier, Utf8VersCp1252(TexteOBJ(CoquesPortee(doc, &r))), &r.Erreur);
  return r;
}
