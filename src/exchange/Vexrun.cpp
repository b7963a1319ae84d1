// The input, configuration and output files of the outside resistance program.
#include "exchange/Vexrun.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/Chaines.h"
#include "base/Debug.h"
#include "base/Encodage.h"
#include "base/FichierStr.h"
#include "lines/Coupes.h"
#include "model/Calcs.h"
#include "model/Etendue.h"
#include "naval/Face.h"

namespace {

const std::string Egal70(70, '=');
const char* const EnteteTable = " U (m/sec),       Rr     ,       Rt";

std::string F3(double v) {
  char b[64];
  std::snprintf(b, sizeof b, "%.3f", v);
  return b;
}

// A section point computed at a waterline lands a few ulps off it, and must still count
// as on it. Rounding the heights to 4 decimals instead moved the offsets by tenths of a mm.
bool SurLaLigne(double a, double z) { return std::fabs(a - z) <= 1e-9 * std::max(1.0, std::fabs(z)); }

void AjouteNonVides(std::vector<std::string>& out, const std::vector<std::string>& in) {
  for (const auto& l : in)
    if (!l.empty()) out.push_back(l);
}

}  // namespace

TParamsMichlet ParamsMichletInitiaux() {
  TParamsMichlet p;
  p.Generaux = {
      "Gravitational Acceleration (m/sec/sec) (min 9.6, max 9.9)",
      "9.81",
      "Water Density (kg/cubic metre) (min 995.0, max 1030.0)",
      "1000.0",
      "Water Kin. Viscosity (sq. m/sec * 10^-6) (min 0.8, max 1.31)",
      "1.141",
      "Water Eddy Viscosity (sq. m/sec) (min 0.0, max 0.1)",
      "0.005",
      "Water Depth (metres) (max=10000.0)",
      "10000.0",
      "Sea State (0=Calm)",
      "0",
      "Ship Motion Method (0=None)",
      "0",
      "Minimum Speed (m/sec) (min 0.01, max 39.9)",
      "0.5",
      "Maximum Speed (m/sec) (max 40.0)",
      "15",
      "Number of Speeds (min 2, max 50)",
      "30",
      "Leeway Parameters (0=None)",
      "0",
      "Wave Drag Method (0=None, 1,ntheta=Michell, 2,ntheta,Re=Michell+BL)",
      "2,320,0.0",
      "Skin Friction Method (0=None, 1=ITTC1957)",
      "1",
      "Form Factor Type (0=None, 1=Holtrop, 2=Scragg)",
      "0",
      "Transom Condition (0=Wet, 1=Dry, 2,Ftcrit=Simple Finite Hollow)",
      "2,4.14",
      "Added Resistance Method (0=None)",
      "0",
      "Pressure Signature Method (0=None)",
      "0",
  };
  p.Vagues = {
      "Sectorial Wave Elevation Patch Parameters (R0, R1, Beta, Nr, NBeta)",
      "10.0,40.0,22.5,100,100",
      "Rectangular Wave Elevation Patch Parameters (x0,x1,y0,y1,Nx,Ny)",
      "0.0,40.0,-20.0,20.0,100,100",
  };
  return p;
}

std::vector<std::string> ComptesMichlet(const TDocument& doc) {
  return {"Number of Offset Stations(rows)(odd integer: min 5, max 81",
          std::to_string(doc.Grille.NombreValide(flSections)),
          "Number of Offset Waterlines (columns)(odd integer: min 5, max 41",
          std::to_string(doc.Grille.NombreValide(flLignesEau))};
}

std::string TexteCote(double v) {
  char b[64];
  std::snprintf(b, sizeof b, "%4.6f", v);
  std::string s = b;
  if (s.size() < 11) s.insert(0, 11 - s.size(), ' ');
  return s;
}

std::string CoteSection(const TCoupe& section, double z) {
  double x = 0;
  for (const TListPt3D& pl : section) {
    if (pl.empty()) continue;
    for (size_t b = 1; b < pl.size(); b++) {
      const double z0 = pl[b - 1].Z, z1 = pl[b].Z;
      if (SurLaLigne(z0, z)) {
        x = std::fabs(pl[b - 1].X);
      } else if ((z0 < z && z < z1) || (z1 < z && z < z0)) {
        TVertex3f p1{pl[b - 1].X, pl[b - 1].Y, z0}, p2{pl[b].X, pl[b].Y, z1}, p{0, 0, z};
        CalcPtDroite(p1, p2, p, 3);
        x = std::fabs(p.X);
      }
    }
    // A single point counts as the last point of its polyline.
    if (SurLaLigne(pl.back().Z, z)) x = std::fabs(pl.back().X);
  }
  return TexteCote(x);
}

std::vector<std::string> LignesEntreeMichlet(const TDocument& doc, const std::vector<int>& carenes,
                                             const TParamsMichlet& p, const std::string& dateHeure) {
  TRACE("TVexrunForm.EcritEntree");
  std::vector<std::string> l;
  l.push_back(Egal70);
  l.push_back(std::string(27, ' ') + "MICHLET version 6");
  l.push_back(std::string(30, ' ') + "INPUT FILE");
  l.push_back(Egal70);
  l.push_back("Note 1: " + std::filesystem::path(doc.NomFichier).filename().string() + ".mlt");
  l.push_back("Note 2: Offsets written by Brivane from its hull surfaces");
  l.push_back("Note 3: " + dateHeure);
  l.push_back("Note 4:");
  l.push_back("Note 5:");
  l.push_back(Egal70);
  l.push_back("Course Particulars (0=None)");
  l.push_back("0");
  l.push_back("Number of Hulls (1,2,..., 5)");
  l.push_back(std::to_string(carenes.size()));
  AjouteNonVides(l, p.Generaux);
  AjouteNonVides(l, p.Comptes);
  AjouteNonVides(l, p.Vagues);

  const int nbSec = doc.Grille.NombreValide(flSections);
  const std::vector<double> z = doc.Grille.Positions(flLignesEau);
  for (int k : carenes) {
    if (k < 0 || k >= doc.NbSurf()) continue;
    const TEntity& e = doc.Surf(k);
    l.push_back(std::string(28, '=') + " " + e.Nom + " " + std::string(28, '='));
    for (int s = 0; s < nbSec; s++) {
      std::string ligne;
      const TCoupe vide;
      // A hidden surface has no lines: what it held when last shown is not its shape.
      const TCoupe& sec =
          e.Visible && static_cast<size_t>(s) < e.Sec.size() ? e.Sec[static_cast<size_t>(s)] : vide;
      for (size_t j = 0; j < z.size(); j++) {
        if (j > 0) ligne += ',';
        ligne += CoteSection(sec, z[j]);
      }
      l.push_back(ligne);
    }
    l.push_back("");
    TListFace faces;
    BuildFaceListFull(e, faces, 0);
    TBarycentre b;
    CCByFace(faces, b, 0, 1);
    // The facets' orientation gives the sign; the file wants the displacement itself.
    l.push_back("Displacement Volume (cubic metres)");
    l.push_back(F3(std::fabs(b.Valeur)));
    l.push_back("Length (metres)");
    l.push_back(F3(LongueurFlottaison(doc, k, 0).Longueur));
    l.push_back("Draft (metres)");
    l.push_back(F3(std::fabs(e.PtZMin.Z)));
    l.push_back("Longitudinal Separation (metres) (0.0 for a monohull)");
    l.push_back("0.0");
    l.push_back("Lateral Separation Distance (metres) (0.0 for a monohull)");
    l.push_back("0.0");
    for (const char* t : {"Loading Particulars (0=None)", "Trim (0=None, 2=Exp)", "Sink (0=None, 2=Exp)",
                          "Heel (0=None)", "Appendages (0=None)", "Other Particulars (0=None)"}) {
      l.push_back(t);
      l.push_back("0");
    }
  }
  return l;
}

std::string CheminMichlet(const std::string& dossier, const std::string& nom) {
  if (dossier.empty()) return nom;
  return (std::filesystem::path(dossier) / nom).string();
}

std::vector<std::string> LitLignesMichlet(const std::string& chemin) {
  std::ifstream f(chemin, std::ios::binary);
  if (!f) throw TErreurMichlet(rs("rsVexrunErrLecture") + chemin);
  std::stringstream ss;
  ss << f.rdbuf();
  if (f.bad()) throw TErreurMichlet(rs("rsVexrunErrLecture") + chemin);
  const std::string t = ss.str();
  std::vector<std::string> l;
  size_t debut = 0;
  while (debut < t.size()) {
    size_t fin = t.find('\n', debut);
    if (fin == std::string::npos) fin = t.size();
    std::string_view v(t.data() + debut, fin - debut);
    if (!v.empty() && v.back() == '\r') v.remove_suffix(1);
    l.push_back(Cp1252VersUtf8(v));
    debut = fin + 1;
  }
  return l;
}

void EcritLignesMichlet(const std::string& chemin, const std::vector<std::string>& lignes) {
  std::string erreur;
  if (!EcritFichierTexte(chemin, lignes, &erreur))
    throw TErreurMichlet(rs("rsVexrunErrEcriture") + chemin + (erreur.empty() ? "" : " : " + erreur));
}

TResultatsMichlet LitResultatsMichlet(const std::vector<std::string>& lignes) {
  TRACE("TVexrunForm.LitResultats");
  size_t i = 0;
  while (i < lignes.size() && lignes[i] != EnteteTable) i++;
  if (i == lignes.size()) throw TErreurMichlet(rs("rsVexrunErrEntete"));
  TResultatsMichlet r;
  for (i++; i < lignes.size() && !lignes[i].empty(); i++) {
    const std::string& l = lignes[i];
    const size_t c1 = l.find(',');
    const size_t c2 = c1 == std::string::npos ? std::string::npos : l.find(',', c1 + 1);
    double u = 0, rr = 0, rt = 0;
    const int numero = static_cast<int>(i + 1);
    if (c2 == std::string::npos) throw TErreurMichlet(Format(rs("rsVexrunErrTronque"), numero));
    if (!LitReel(std::string_view(l).substr(0, c1), u) ||
        !LitReel(std::string_view(l).substr(c1 + 1, c2 - c1 - 1), rr) ||
        !LitReel(std::string_view(l).substr(c2 + 1), rt))
      throw TErreurMichlet(Format(rs("rsVexrunErrValeur"), numero, l.c_str()));
    r.U.push_back(u), r.Rr.push_back(rr), r.Rt.push_back(rt);
  }
  if (r.U.empty()) throw TErreurMichlet(rs("rsVexrunErrVide"));
  return r;
}

std::vector<std::string> LignesConfigMichlet(const TParamsMichlet& p) {
  std::vector<std::string> l;
  auto section = [&l](const char* titre, const std::vector<std::string>& boite, bool premiere) {
    if (!premiere) l.push_back("");
    l.push_back(titre);
    for (const auto& s : boite) l.push_back(s);
    l.push_back("");
  };
  section("[Section1]", p.Generaux, true);
  section("[Section2]", p.Comptes, false);
  section("[Section3]", p.Vagues, false);
  return l;
}

TParamsMichlet LitConfigMichlet(const std::vector<std::string>& lignes) {
  TParamsMichlet p;
  size_t i = 0;
  while (i < lignes.size() && lignes[i] != "[Section1]") i++;
  if (i == lignes.size()) return p;
  std::vector<std::string>* boite = &p.Generaux;
  for (i++; i < lignes.size(); i++) {
    const std::string& l = lignes[i];
    if (l == "[Section2]" && boite == &p.Generaux)
      boite = &p.Comptes;
    else if (l == "[Section3]" && boite != &p.Vagues)
      boite = &p.Vagues;
    else if (!l.empty())
      boite->push_back(l);
  }
  return p;
}
