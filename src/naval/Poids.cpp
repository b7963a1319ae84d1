// Weights: surface weight models, the total and its centre of gravity, weights
// that follow their surface, and the weights window's grids, CSV files and
// ballast dialog, kept free of any window so that the window only shows them.
#include "naval/Poids.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "base/Chaines.h"
#include "base/Debug.h"
#include "base/Encodage.h"
#include "base/FichierStr.h"
#include "model/EnteteRapport.h"
#include "naval/Face.h"

// --- Numbers and text files ----------------------------------------------------

std::string TexteReel(double v, int decimales) {
  if (!std::isfinite(v)) return v != v ? "nan" : (v > 0 ? "inf" : "-inf");
  char b[400];
  auto r = std::to_chars(b, b + sizeof b, v, std::chars_format::fixed, decimales);
  if (r.ec != std::errc()) return "0";
  std::string s(b, r.ptr);
  // "-0.000" reads as a sign error in a table: a value that rounds to zero has none.
  if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
  return s;
}

// --- Weights of the model -------------------------------------------------------

namespace {

bool PoidsFini(const TPoids& p) {
  return std::isfinite(p.Masse) && std::isfinite(p.X) && std::isfinite(p.Y) && std::isfinite(p.Z);
}

void PlaceAu(TPoids& p, const TVertex3f& c) { p.X = c.X, p.Y = c.Y, p.Z = c.Z; }

}  // namespace

bool MajBarycentre(TEntity& e) {
  TRACE("TEntity.MajBarycentre");
  TPoids& p = e.Poids;
  p.Nom = e.Nom;
  switch (e.TypePoids) {
    case tpFixeBorde:
      // A fixed mass of 0 weighs nothing: the shell need not be integrated for it.
      if (p.Masse != 0) MajCentreBorde(e);
      PlaceAu(p, e.CentreBorde.Centre);
      break;
    case tpEpaisseurDensite:
      MajCentreBorde(e);
      PlaceAu(p, e.CentreBorde.Centre);
      p.Masse = e.CentreBorde.Valeur * e.Epaisseur * e.Densite * 1000;
      break;
    case tpParM2:
      MajCentreBorde(e);
      PlaceAu(p, e.CentreBorde.Centre);
      p.Masse = e.CentreBorde.Valeur * e.PoidsParM2;
      break;
    default:
      MajVolumes(e);
      PlaceAu(p, e.VolComplet.Centre);
      // The sign of the volume only tells the surface's orientation; a mass is never negative for it.
      if (e.TypePoids == tpDensiteVolume) p.Masse = std::abs(e.VolComplet.Valeur) * e.Densite * 1000;
      break;
  }
  return PoidsFini(p);
}

void MajTotalPoids(TDocument& doc) {
  TRACE("ObjCom.MajTotalPoids");
  double m = 0, mx = 0, my = 0, mz = 0;
  auto ajoute = [&](const TPoids& p) {
    m += p.Masse;
    mx += p.Masse * p.X;
    my += p.Masse * p.Y;
    mz += p.Masse * p.Z;
  };
  for (int k = 0; k < doc.NbSurf(); k++) {
    try {
      if (MajBarycentre(doc.Surf(k)))
        ajoute(doc.Surf(k).Poids);
      else
        DbgErr(erCalcul, "ObjCom.MajTotalPoids", k, {"surface weight not finite"});
    } catch (const std::exception& ex) {
      DbgErr(erCalcul, "ObjCom.MajTotalPoids", k, {ex.what()});
    }
  }
  for (size_t i = 0; i < doc.ListePoids.size(); i++) {
    if (PoidsFini(doc.ListePoids[i]))
      ajoute(doc.ListePoids[i]);
    else
      DbgErr(erCalcul, "ObjCom.MajTotalPoids", static_cast<int>(i), {"weight not finite"});
  }
  TPoids t;
  t.Nom = "TOTAL";
  t.Surface = -1;
  t.Masse = m;
  if (m != 0) t.X = mx / m, t.Y = my / m, t.Z = mz / m;
  // Masses of opposite signs can sum to a tiny value whose quotient is not a position.
  if (!PoidsFini(t)) t.X = t.Y = t.Z = 0;
  doc.PoidsTotal = t;
}

namespace {

// The sum of the sizes of the parts of the total.
double SommeAbsolue(const TDocument& doc) {
  double s = 0;
  for (int k = 0; k < doc.NbSurf(); k++)
    if (std::isfinite(doc.Surf(k).Poids.Masse)) s += std::abs(doc.Surf(k).Poids.Masse);
  for (const TPoids& p : doc.ListePoids)
    if (std::isfinite(p.Masse)) s += std::abs(p.Masse);
  return s;
}

}  // namespace

bool SansPoids(const TDocument& doc) { return SommeAbsolue(doc) == 0; }

std::string DefautPoidsTotal(const TDocument& doc) {
  const double m = doc.PoidsTotal.Masse, somme = SommeAbsolue(doc);
  if (somme == 0) return rs("rsStabPoidsManquant");
  if (!std::isfinite(m) || !std::isfinite(somme)) return rs("rsPoidsTotalNonFini");
  if (m < 0) return Format(rs("rsPoidsTotalNegatif"), m);
  // Parts of both signs cancelling to a millionth of their size: the centre is that far off.
  if (m <= 1e-6 * somme) return Format(rs("rsPoidsTotalQuasiNul"), m, somme);
  return {};
}

void DeplacePoidsAttaches(TDocument& doc, int numSurf, const TMatrice4& m) {
  TRACE("ObjCom.DeplacePoidsAttaches");
  if (numSurf < 0 || numSurf >= doc.NbSurf()) return;
  bool bouge = false;
  for (auto& p : doc.ListePoids)
    if (p.Surface == numSurf) {
      TVertex3f v{p.X, p.Y, p.Z};
      Transformation3D(m, v);
      PlaceAu(p, v);
      bouge = true;
    }
  if (bouge) MajTotalPoids(doc);
}

// --- The weights window -----------------------------------------------------------

namespace {

TLignePoids LigneDe(int num, const TPoids& p, const std::string& attachee) {
  return {std::to_string(num), p.Nom,   TexteReel(p.Masse, 3), TexteReel(p.X, 3), TexteReel(p.Y, 3),
          TexteReel(p.Z, 3),   attachee};
}

TLignePoids LigneVide(int num) { return {std::to_string(num), "", "0.000", "0.000", "0.000", "0.000", ""}; }

// The four numeric cells of a row; false at the first that does not convert (its column in col).
bool LitNombres(const TLignePoids& l, double v[4], int* col = nullptr) {
  for (int c = 2; c <= 5; c++)
    if (!LitReel(l[static_cast<size_t>(c)], v[c - 2])) {
      if (col) *col = c;
      return false;
    }
  return true;
}

bool NombresVides(const TLignePoids& l) {
  for (int c = 2; c <= 5; c++)
    if (!l[static_cast<size_t>(c)].empty()) return false;
  return true;
}

// One row whose numbers are all empty stands for "no weight at all".
bool GrilleVide(const TGrillePoids& g) { return g.size() == 1 && NombresVides(g[0]); }

// A row that holds nothing yet: no name, no surface, numbers empty or zero.
bool LigneBlanche(const TLignePoids& l) {
  if (!l[1].empty() || !l[6].empty()) return false;
  for (int c = 2; c <= 5; c++) {
    double v = 0;
    const std::string& t = l[static_cast<size_t>(c)];
    if (!t.empty() && !(LitReel(t, v) && v == 0)) return false;
  }
  return true;
}

std::string MessageConversion(const std::string& texte) {
  return Format(rs("rsErrConversionReel"), texte.c_str());
}

}  // namespace

TGrillePoids LignesSurfaces(const TDocument& doc) {
  TGrillePoids g;
  for (int k = 0; k < doc.NbSurf(); k++) g.push_back(LigneDe(k, doc.Surf(k).Poids, doc.Surf(k).Nom));
  return g;
}

TGrillePoids LignesPoids(const TDocument& doc) {
  TGrillePoids g;
  for (size_t i = 0; i < doc.ListePoids.size(); i++) {
    const TPoids& p = doc.ListePoids[i];
    std::string attachee = p.Surface >= 0 && p.Surface < doc.NbSurf() ? doc.Surf(p.Surface).Nom : "";
    g.push_back(LigneDe(static_cast<int>(i), p, attachee));
  }
  if (g.empty()) g.push_back(LigneVide(0));
  return g;
}

TPoids TotalDesLignes(const TGrillePoids& surfaces, const TGrillePoids& poids) {
  double m = 0, mx = 0, my = 0, mz = 0;
  for (const auto* g : {&surfaces, &poids})
    for (const auto& l : *g) {
      double v[4];
      if (!LitNombres(l, v)) continue;
      m += v[0], mx += v[0] * v[1], my += v[0] * v[2], mz += v[0] * v[3];
    }
  TPoids t;
  t.Nom = "TOTAL";
  t.Masse = m;
  if (m != 0) t.X = mx / m, t.Y = my / m, t.Z = mz / m;
  if (!PoidsFini(t)) t.X = t.Y = t.Z = 0;
  return t;
}

TLignePoids LigneTotal(const TPoids& t) {
  return {"", "TOTAL", TexteReel(t.Masse, 3), TexteReel(t.X, 3), TexteReel(t.Y, 3), TexteReel(t.Z, 3), ""};
}

bool NomPoidsReserve(std::string_view nom) {
  // The file keeps names as typed, less what a line cannot hold; the reader drops "TOTAL".
  while (!nom.empty() && static_cast<unsigned char>(nom.front()) <= ' ') nom.remove_prefix(1);
  while (!nom.empty() && static_cast<unsigned char>(nom.back()) <= ' ') nom.remove_suffix(1);
  return nom == "TOTAL";
}

void RenumeroteLignes(TGrillePoids& g) {
  for (size_t i = 0; i < g.size(); i++) g[i][0] = std::to_string(i);
}

void AjouteLigne(TGrillePoids& g) {
  g.push_back(LigneVide(0));
  RenumeroteLignes(g);
}

void InsereLigne(TGrillePoids& g, int ligne) {
  if (ligne < 0 || ligne > static_cast<int>(g.size())) ligne = static_cast<int>(g.size());
  g.insert(g.begin() + ligne, LigneVide(0));
  RenumeroteLignes(g);
}

void SupprimeLigne(TGrillePoids& g, int ligne) {
  if (ligne < 0 || ligne >= static_cast<int>(g.size())) return;
  // A grid keeps one row: the last one is emptied rather than removed.
  if (g.size() == 1)
    g[0] = TLignePoids{};
  else
    g.erase(g.begin() + ligne);
  RenumeroteLignes(g);
}

std::string VerifieLignes(const TGrillePoids& g) {
  if (GrilleVide(g)) return "";
  for (const auto& l : g) {
    if (NomPoidsReserve(l[1])) return rs("rsErrPoidsTotal");
    double v[4];
    int col = 0;
    if (!LitNombres(l, v, &col)) return MessageConversion(l[static_cast<size_t>(col)]);
  }
  return "";
}

std::string ValideGrillePoids(TDocument& doc, const TGrillePoids& g) {
  TRACE("TPoidsForm.BtnOKClick");
  std::string err = VerifieLignes(g);
  if (!err.empty()) return err;
  // Built apart and swapped in whole: a row that fails must not leave the document half rebuilt.
  TListPoids liste;
  if (!GrilleVide(g))
    for (const auto& l : g) {
      double v[4];
      LitNombres(l, v);
      liste.push_back({l[1], v[0], v[1], v[2], v[3], SurfNom2Num(doc, l[6])});
    }
  if (liste != doc.ListePoids) {
    doc.ListePoids = std::move(liste);
    doc.MarqueModifie();
  }
  MajTotalPoids(doc);
  return "";
}

TLignePoids LigneCsv(std::string l) {
  for (auto& c : l)
    if (c == ',') c = '.';
  TLignePoids r{};
  // A field is taken only when a ";" ends it, except Z, which takes what is left.
  size_t pos = 0;
  for (int c = 1; c <= 4; c++) {
    size_t f = l.find(';', pos);
    if (f == std::string::npos) break;
    r[static_cast<size_t>(c)] = l.substr(pos, f - pos);
    pos = f + 1;
  }
  size_t f = l.find(';', pos);
  r[5] = l.substr(pos, f == std::string::npos ? std::string::npos : f - pos);
  return r;
}

std::string ImportePoidsCsvTexte(std::string_view texte, TGrillePoids& g) {
  TRACE("TPoidsForm.BtnImportClick");
  // Read whole before the grid is touched: a file over the row limit imports nothing.
  TGrillePoids lues;
  size_t pos = 0;
  while (pos < texte.size()) {
    size_t fin = texte.find('\n', pos);
    if (fin == std::string_view::npos) fin = texte.size();
    std::string_view l = texte.substr(pos, fin - pos);
    pos = fin + 1;
    auto blanc = [](unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    size_t a = 0, b = l.size();
    while (a < b && blanc(static_cast<unsigned char>(l[a]))) a++;
    while (b > a && blanc(static_cast<unsigned char>(l[b - 1]))) b--;
    if (a == b) continue;
    if (static_cast<int>(lues.size()) >= MaxLignesImportPoids)
      return rs("rsErrImportPoids") + Format(rs("rsErreurImportTrop"), MaxLignesImportPoids);
    lues.push_back(LigneCsv(Cp1252VersUtf8(l.substr(a, b - a))));
  }
  // Importing into the blank row of an empty list replaces it instead of keeping a nameless zero weight.
  if (g.size() == 1 && LigneBlanche(g[0])) g.clear();
  for (auto& l : lues) g.push_back(std::move(l));
  if (g.empty()) g.push_back(LigneVide(0));
  RenumeroteLignes(g);
  return "";
}

std::string ImportePoidsCsv(const std::string& chemin, TGrillePoids& g) {
  std::string octets, pourquoi;
  if (LitFichierOrdinaire(chemin, MaxTailleImportPoids, octets, &pourquoi) != TLectureFichier::Ok)
    return rs("rsErrImportPoids") + " : " + pourquoi;
  return ImportePoidsCsvTexte(octets, g);
}

std::vector<std::string> LignesCsv(const TGrillePoids& surfaces, const TGrillePoids& poids) {
  auto ligne = [](const TLignePoids& l) {
    std::string s = l[1];
    for (int c = 2; c <= 6; c++) s += ";" + l[static_cast<size_t>(c)];
    return s;
  };
  std::vector<std::string> r;
  for (const auto& l : surfaces) r.push_back(ligne(l));
  r.emplace_back();
  for (const auto& l : poids) r.push_back(ligne(l));
  return r;
}

std::string ExportePoidsCsv(const std::string& chemin, const TGrillePoids& surfaces,
                            const TGrillePoids& poids) {
  TRACE("TPoidsForm.BtnExportClick");
  std::string pourquoi;
  if (!EcritFichierTexte(chemin, LignesCsv(surfaces, poids), &pourquoi)) {
    DbgErr(erFichier, "TPoidsForm.BtnExportClick", 0, {chemin, pourquoi});
    return Format(rs("rsErrEcritureExport"), chemin.c_str(), pourquoi.c_str());
  }
  return "";
}

std::vector<std::string> LignesImpressionPoids(const TPropFich& d, const TGrillePoids& surfaces,
                                               const TGrillePoids& poids, const TPoids& total) {
  auto ligne = [](const TLignePoids& l) {
    std::string s = l[1];
    for (int c = 2; c <= 6; c++) s += "\t" + l[static_cast<size_t>(c)];
    return s;
  };
  std::vector<std::string> r = EnteteRapport(d, rs("rsPoidsCaption"));
  r.emplace_back();
  r.push_back(rs("rsPoidsColNom") + "\t" + rs("rsPoidsColValeur") + "\t" + rs("rsPoidsColX") + "\t" +
              rs("rsPoidsColY") + "\t" + rs("rsPoidsColZ") + "\t" + rs("rsPoidsColSurface"));
  for (const auto* g : {&surfaces, &poids})
    for (const auto& l : *g) r.push_back(ligne(l));
  r.push_back(ligne(LigneTotal(total)));
  return r;
}

std::vector<std::string> LignesMomentsPoids(const TGrillePoids& surfaces, const TGrillePoids& poids,
                                            const TPoids& total) {
  std::vector<std::string> r;
  r.emplace_back();
  r.push_back(rs("rsPoidsMoments"));
  r.push_back(rs("rsPoidsColNom") + "\t" + rs("rsPoidsColValeur") +
              " [kg]\tX [m]\tY [m]\tZ [m]\tMx [kg.m]\tMy [kg.m]\tMz [kg.m]");
  auto ligne = [&](const std::string& nom, double m, double x, double y, double z) {
    r.push_back(nom + "\t" + TexteReel(m, 3) + "\t" + TexteReel(x, 3) + "\t" + TexteReel(y, 3) + "\t" +
                TexteReel(z, 3) + "\t" + TexteReel(m * x, 3) + "\t" + TexteReel(m * y, 3) + "\t" +
                TexteReel(m * z, 3));
  };
  for (const auto* g : {&surfaces, &poids})
    for (const auto& l : *g) {
      double v[4];
      bool ok = true;
      for (int c = 0; c < 4 && ok; c++) ok = LitReel(l[static_cast<size_t>(c + 2)], v[c]);
      if (ok) ligne(l[1], v[0], v[1], v[2], v[3]);
    }
  ligne(total.Nom.empty() ? "TOTAL" : total.Nom, total.Masse, total.X, total.Y, total.Z);
  return r;
}

std::string AjouteBallast(TDocument& doc, const TSaisieBallast& s) {
  TRACE("TBallastForm.BtnOKClick");
  if (s.Valeur.empty() || s.X.empty() || s.Y.empty() || s.Z.empty()) return rs("rsErrBallastChamps");
  TPoids p;
  if (!LitReel(s.Valeur, p.Masse) || !LitReel(s.X, p.X) || !LitReel(s.Y, p.Y) || !LitReel(s.Z, p.Z))
    return rs("rsErrBallastValeur");
  if (NomPoidsReserve(s.Nom)) return rs("rsErrPoidsTotal");
  p.Nom = s.Nom;
  p.Surface = s.Surface >= 0 && s.Surface < doc.NbSurf() ? s.Surface : -1;
  doc.ListePoids.push_back(p);
  doc.MarqueModifie();
  MajTotalPoids(doc);
  return "";
}
