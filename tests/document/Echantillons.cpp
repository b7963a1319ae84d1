// The sample designs shipped in samples/: a cruising sloop, a planing motor
// boat with a chine, a sailing dinghy and a plywood runabout with ruled panels, built
// here in the program's own model.
// Run with BRIVANE_REGEN_SAMPLES=1 to write them; otherwise the test checks that
// the committed files are what this code builds and that they read back whole.
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "Outils.h"
#include "naval/Face.h"
#include "naval/Hydrostat.h"

namespace {

constexpr double Pi = std::numbers::pi;

double Lisse(double a, double b, double s) {  // smoothstep from a to b
  double t = std::clamp((s - a) / (b - a), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

// A value that rises from v0 at s = 0 to vm at sm, then goes to v1 at s = 1, by two
// parabolas meeting with a horizontal tangent at sm: fair along the hull by construction.
double Bosse(double s, double v0, double sm, double vm, double v1) {
  if (s <= sm) {
    double u = (sm - s) / sm;
    return vm - (vm - v0) * u * u;
  }
  double u = (s - sm) / (1 - sm);
  return vm - (vm - v1) * u * u;
}

// A round-bilge sailing hull: canoe-body sections of elliptic shape turning to V
// at the bow, flared topsides, a vertical transom at Y = 0 and a raked straight stem.
struct TCoqueRonde {
  int NbLn = 7, NbCol = 11;
  double YPied, ZPied;        // forefoot: where the stem meets the canoe body
  double YTete;               // stem head
  double SBs, Bs0, Bsm;       // sheer half-breadth: transom, maximum (at SBs)
  double SBw, Bw0, Bwm;       // waterline half-breadth
  double ST, T0, Tm, Tb;      // canoe-body depth below the waterline: transom, maximum, bow
  double SZs, Zs0, Zsm, Zs1;  // sheer height: transom, lowest (at SZs), stem head
  double VProue;              // how far the bow sections turn to a V (0 round, 1 straight)
};

void RemplitCoque(TSurface& s, const TCoqueRonde& c) {
  TNet& n = s.Net;
  n.NbLn = c.NbLn;
  n.NbCol = c.NbCol;
  const int nSous = c.NbLn - 2;  // rows 0 .. nSous-1 below the waterline, the last at it
  for (int j = 0; j < c.NbCol; j++) {
    const double sj = double(j) / (c.NbCol - 1);
    double bs = sj < c.SBs ? Bosse(sj, c.Bs0, c.SBs, c.Bsm, c.Bsm)
                           : c.Bsm * std::pow(1 - std::pow((sj - c.SBs) / (1 - c.SBs), 2), 0.7);
    double bw = sj < c.SBw ? Bosse(sj, c.Bw0, c.SBw, c.Bwm, c.Bwm)
                           : c.Bwm * std::pow(1 - std::pow((sj - c.SBw) / (1 - c.SBw), 2), 0.85);
    double t = Bosse(sj, c.T0, c.ST, c.Tm, c.Tb);
    double zs = Bosse(sj, c.Zs0, c.SZs, c.Zsm, c.Zs1);
    double v = c.VProue * std::pow(std::max(0.0, (sj - 0.5) / 0.5), 2);
    double w = Lisse(0.7, 1.0, sj);  // the sections give way to the stem line
    for (int i = 0; i < c.NbLn; i++) {
      double x, z;
      if (i < nSous) {
        double th = double(i) / (nSous - 1) * Pi / 2;
        x = bw * std::sin(th);
        z = -t * ((1 - v) * std::cos(th) + v * (1 - std::sin(th)));
      } else if (i == nSous) {
        x = bw + 0.6 * (bs - bw);
        z = 0.5 * zs;
      } else {
        x = bs;
        z = zs;
      }
      double g = double(i) / (c.NbLn - 1);
      double zEtrave = c.ZPied + (c.Zs1 - c.ZPied) * g;
      double yEtrave = c.YPied + (c.YTete - c.YPied) * g;
      z = (1 - w) * z + w * zEtrave;
      double y = sj * c.YPied + std::pow(sj, 4) * (yEtrave - c.YPied);
      n.PC[i][j] = {x, y, z, 1};
    }
  }
}

// A symmetric foil (keel, rudder, centreboard): rows go round the half-section from
// the leading edge (x = 0) to the trailing edge, columns from root to tip; the tip
// column closes on the centre plane so that the appendage and its mirror are one body.
struct TAppendice {
  double YBaRacine, CordeRacine, ZRacine;  // leading-edge Y, chord and height at the root
  double YBaSaumon, CordeSaumon, ZSaumon;  // the same at the tip
  double Epaisseur;                        // thickness / chord
  std::vector<double> Envergure = {0, 0.45, 0.9, 1.0};
};

double DemiEpaisseurNaca(double f, double tc) {
  return tc / 0.2 *
         (0.2969 * std::sqrt(f) - 0.126 * f - 0.3516 * f * f + 0.2843 * f * f * f - 0.1015 * f * f * f * f);
}

void RemplitAppendice(TSurface& s, const TAppendice& a) {
  // Chord fractions of the rows; the second row at the leading edge makes it round.
  static const double corde[] = {0.0, 0.0, 0.15, 0.35, 0.6, 0.85, 1.0};
  TNet& n = s.Net;
  n.NbLn = 7;
  n.NbCol = static_cast<int>(a.Envergure.size());
  for (int j = 0; j < n.NbCol; j++) {
    double e = a.Envergure[static_cast<size_t>(j)];
    double yba = a.YBaRacine + (a.YBaSaumon - a.YBaRacine) * e;
    double ch = a.CordeRacine + (a.CordeSaumon - a.CordeRacine) * e;
    double z = a.ZRacine + (a.ZSaumon - a.ZRacine) * e;
    bool saumon = j == n.NbCol - 1;
    for (int i = 0; i < 7; i++) {
      double f = corde[i];
      // The net lies outside its surface: thicken it a little to keep the section's thickness.
      double x = i == 0 || i == 6 ? 0
                 : i == 1         ? 1.3 * DemiEpaisseurNaca(0.03, a.Epaisseur) * ch
                                  : 1.15 * DemiEpaisseurNaca(f, a.Epaisseur) * ch;
      n.PC[i][j] = {saumon ? 0.0 : x, yba - f * ch, z, 1};
    }
  }
}

TSurface& Nouvelle(TDocument& doc, const std::string& nom, int lflex, int cflex) {
  auto s = std::make_unique<TSurface>(doc.NbSurf(), doc.Precision);
  s->Nom = nom;
  s->Poids.Nom = nom;
  s->Net.LFlex = lflex;
  s->Net.CFlex = cflex;
  s->JonctionSym = false;
  s->Ambient = 0.2f, s->Specular = 0.5f, s->Shininess = 64;
  doc.TabSurf.push_back(std::move(s));
  return static_cast<TSurface&>(*doc.TabSurf.back());
}

// A weight estimate that floats the design at its modelled waterline: fitting-out items
// attached to the hull (they follow it when it is moved), the last one placed so that the
// centre of gravity lies over the centre of buoyancy.
void AjoutePoids(TDocument& doc, std::initializer_list<TPoids> l) {
  for (TPoids p : l) {
    p.Surface = 0;
    doc.ListePoids.push_back(p);
  }
}

constexpr int Gris = 0x404040;
constexpr int Sable = 0xBEDCE6;  // 0x00BBGGRR

void Voilier11(TDocument& doc) {
  TCoqueRonde c;
  c.NbLn = 7, c.NbCol = 11;
  c.YPied = 10.15, c.ZPied = 0.05, c.YTete = 11.0;
  c.SBs = 0.58, c.Bs0 = 1.50, c.Bsm = 1.85;
  c.SBw = 0.52, c.Bw0 = 1.20, c.Bwm = 1.72;
  c.ST = 0.45, c.T0 = 0.08, c.Tm = 0.56, c.Tb = 0.02;
  c.SZs = 0.3, c.Zs0 = 0.95, c.Zsm = 0.92, c.Zs1 = 1.25;
  c.VProue = 0.6;
  TSurface& coque = Nouvelle(doc, "Coque", 4, 4);
  RemplitCoque(coque, c);
  coque.JonctionSym = true;
  coque.TypePoids = tpEpaisseurDensite, coque.Epaisseur = 0.012, coque.Densite = 1.6;

  TSurface& quille = Nouvelle(doc, "Quille", 4, 3);
  RemplitAppendice(quille, {6.05, 1.30, -0.42, 5.65, 0.80, -1.92, 0.12});
  quille.Coul = Gris;
  quille.JonctionSym = true;
  quille.Orientation = false;  // the net runs so that the normals point inwards: reversed, it displaces
  quille.TypePoids = tpDensiteVolume, quille.Densite = 11.3;  // lead

  TSurface& safran = Nouvelle(doc, "Safran", 4, 3);
  RemplitAppendice(safran, {1.45, 0.48, -0.10, 1.30, 0.32, -1.55, 0.12});
  safran.Coul = Gris;
  safran.Orientation = false;
  safran.TypePoids = tpParM2, safran.PoidsParM2 = 18;

  // The deck shares the hull's sheer row, welded vertex by vertex, and is cambered.
  TSurface& pont = Nouvelle(doc, "Pont", 3, 4);
  pont.Net.NbLn = 3, pont.Net.NbCol = c.NbCol;
  for (int j = 0; j < c.NbCol; j++) {
    TPtNet bord = coque.Net.PC[c.NbLn - 1][j];
    double bouge = 0.07 * bord.X / c.Bsm;
    pont.Net.PC[0][j] = bord;
    pont.Net.PC[1][j] = {0.5 * bord.X, bord.Y, bord.Z + 0.75 * bouge, 1};
    pont.Net.PC[2][j] = {0, bord.Y, bord.Z + bouge, 1};
    doc.GroupesSoudes.push_back({{0, c.NbLn - 1, j}, {3, 0, j}});
  }
  pont.Coul = Sable;
  pont.JonctionSym = true;
  pont.TypePoids = tpEpaisseurDensite, pont.Epaisseur = 0.02, pont.Densite = 0.9;
  ReconstruitPCSoudes(doc);
  AjoutePoids(doc, {{"Moteur", 300, 0, 2.9, -0.35},
                    {"Réservoirs et batteries", 450, 0, 3.6, -0.30},
                    {"Gréement", 300, 0, 5.6, 5.5},
                    {"Équipage et avitaillement", 600, 0, 3.5, 0.4},
                    {"Aménagements intérieurs", 1600, 0, 4.8, 0.05},
                    {"Lest intérieur", 1923, 0, 3.33, -0.45}});

  doc.Proprietes.Titre = "Sloop de croisière 11 m";
  doc.Proprietes.Type = "Voilier monocoque";
  doc.Proprietes.Archi = "Bureau d'études Brivane";
  doc.Proprietes.Version = "1";
  doc.Proprietes.Date = "2024";
  doc.Proprietes.Commentaire = {"Longueur hors tout 11,0 m, largeur 3,6 m.",
                                "Quille à aileron en plomb, tirant d'eau 1,90 m ; safran suspendu.",
                                "Le pont est soudé au livet de la coque."};
}

void Vedette85(TDocument& doc) {
  const int nc = 8;
  TSurface& fond = Nouvelle(doc, "Fond", 4, 4);
  TSurface& borde = Nouvelle(doc, "Bordé", 3, 4);
  fond.Net.NbLn = 5, fond.Net.NbCol = nc;
  borde.Net.NbLn = 3, borde.Net.NbCol = nc;
  const double yPied = 7.6, zPied = -0.05, yBouchain = 7.95, zBouchainEtrave = 0.45, yTete = 8.5,
               zTete = 1.35;
  for (int j = 0; j < nc; j++) {
    double s = double(j) / (nc - 1);
    double cb = s < 0.35 ? 1.33 - 0.03 * std::pow((0.35 - s) / 0.35, 2)
                         : 1.33 * std::pow(1 - std::pow((s - 0.35) / 0.65, 2), 0.8);  // chine half-breadth
    double zc = 0.02 + (zBouchainEtrave - 0.02) * std::pow(s, 2.5);                   // chine height
    double zk = s <= 0.5 ? -0.40 - 0.02 * s / 0.5 : -0.42 + (zPied + 0.42) * std::pow((s - 0.5) / 0.5, 2);
    double bs = s < 0.4 ? 1.45 - 0.05 * std::pow((0.4 - s) / 0.4, 2)
                        : 1.45 * std::pow(1 - std::pow((s - 0.4) / 0.6, 2), 0.7);  // sheer half-breadth
    double zs = 0.95 + (zTete - 0.95) * s * s;
    auto y = [&](double yEtrave) { return s * yPied + std::pow(s, 4) * (yEtrave - yPied); };
    for (int i = 0; i < 5; i++) {
      double t = i / 4.0;
      // A slightly convex V: the bottom bulges 3 % of the chine half-breadth between keel and chine.
      double z = zk + (zc - zk) * t - 0.03 * cb * std::sin(Pi * t);
      fond.Net.PC[i][j] = {cb * t, y(yPied + (yBouchain - yPied) * t), z, 1};
    }
    borde.Net.PC[0][j] = fond.Net.PC[4][j];
    borde.Net.PC[1][j] = {0.5 * (cb + bs) + 0.03 * (1 - s), y(0.5 * (yBouchain + yTete)), 0.5 * (zc + zs), 1};
    borde.Net.PC[2][j] = {bs, y(yTete), zs, 1};
    doc.GroupesSoudes.push_back({{0, 4, j}, {1, 0, j}});
  }
  ReconstruitPCSoudes(doc);
  fond.JonctionSym = borde.JonctionSym = true;
  fond.TypePoids = borde.TypePoids = tpEpaisseurDensite;
  fond.Epaisseur = 0.010, borde.Epaisseur = 0.008;
  fond.Densite = borde.Densite = 1.7;
  fond.Coul = 0x603010;  // dark blue antifouling
  AjoutePoids(doc, {{"Moteur et embase", 450, 0, 0.5, 0.2},
                    {"Réservoir de carburant", 250, 0, 2.0, -0.1},
                    {"Batteries", 80, 0, 1.5, -0.1},
                    {"Équipage", 400, 0, 3.0, 0.9},
                    {"Console et aménagements", 600, 0, 4.0, 0.5},
                    {"Armement et divers", 567, 0, 2.17, 0.2}});
  doc.Proprietes.Titre = "Vedette planante 8,5 m";
  doc.Proprietes.Type = "Bateau à moteur";
  doc.Proprietes.Archi = "Bureau d'études Brivane";
  doc.Proprietes.Version = "1";
  doc.Proprietes.Date = "2024";
  doc.Proprietes.Commentaire = {"Carène en V à bouchain vif, 18° de V au tableau.",
                                "Le bordé est soudé au fond le long du bouchain."};
}

void Deriveur42(TDocument& doc) {
  TCoqueRonde c;
  c.NbLn = 5, c.NbCol = 7;
  c.YPied = 3.95, c.ZPied = 0.08, c.YTete = 4.2;
  c.SBs = 0.55, c.Bs0 = 0.62, c.Bsm = 0.80;
  c.SBw = 0.50, c.Bw0 = 0.50, c.Bwm = 0.68;
  c.ST = 0.42, c.T0 = 0.03, c.Tm = 0.17, c.Tb = 0.02;
  c.SZs = 0.3, c.Zs0 = 0.40, c.Zsm = 0.40, c.Zs1 = 0.55;
  c.VProue = 0.5;
  TSurface& coque = Nouvelle(doc, "Coque", 4, 4);
  RemplitCoque(coque, c);
  coque.JonctionSym = true;
  coque.TypePoids = tpEpaisseurDensite, coque.Epaisseur = 0.006, coque.Densite = 1.6;

  TSurface& derive = Nouvelle(doc, "Dérive", 4, 3);
  TAppendice d{2.45, 0.30, -0.05, 2.45, 0.30, -1.00, 0.08};
  d.Envergure = {0, 0.85, 1.0};
  RemplitAppendice(derive, d);
  derive.Coul = Gris;
  derive.Orientation = false;
  derive.TypePoids = tpFixeBorde, derive.Poids.Masse = 7;

  // The mainsail stands on the centre plane: not mirrored, not part of the floating body.
  TSurface& voile = Nouvelle(doc, "Grand-voile", 3, 3);
  voile.Net.NbLn = 3, voile.Net.NbCol = 4;
  const double zBome = 0.85, zTete = 5.9, yMat = 3.0, yPoint = 0.75;
  for (int j = 0; j < 4; j++) {
    double h = j / 3.0;
    double z = zBome + (zTete - zBome) * h;
    double yGuindant = yMat - 0.08 * h;
    double yChute = yPoint + (yMat - 0.05 - yPoint) * h + 0.35 * std::sin(Pi * h) * (1 - h);  // roach
    double corde = yGuindant - yChute;
    voile.Net.PC[0][j] = {0, yGuindant, z, 1};
    voile.Net.PC[1][j] = {j == 3 ? 0 : 0.10 * corde, yGuindant - 0.45 * corde, z, 1};
    voile.Net.PC[2][j] = {0, yChute, z, 1};
  }
  voile.Sym = false, voile.Calc = false, voile.Voile = true;
  voile.Coul = 0xF0F0F0;
  voile.Alpha = 0.8;
  voile.TypePoids = tpParM2, voile.PoidsParM2 = 0.25;
  AjoutePoids(doc, {{"Barreur", 80, 0, 1.2, 0.25},
                    {"Mât et bôme", 12, 0, 3.0, 2.5},
                    {"Accastillage", 8, 0, 2.0, 0.3},
                    {"Équipier", 75, 0, 1.9, 0.25},
                    {"Gueuses de plomb", 42, 0, 0.8, -0.05}});

  doc.Proprietes.Titre = "Dériveur solitaire 4,2 m";
  doc.Proprietes.Type = "Dériveur";
  doc.Proprietes.Archi = "Bureau d'études Brivane";
  doc.Proprietes.Version = "1";
  doc.Proprietes.Date = "2024";
  doc.Proprietes.Commentaire = {"Dériveur à bouchain rond, dérive sabre et grand-voile seule."};
}

// A hard-chine plywood runabout: bottom and topsides are each one panel between two
// chine lines, rows of order 2, so that every column of the evaluated grid is a straight
// ruling, as a sheet of plywood bends, and both panels can be developed flat.
void Canot52(TDocument& doc) {
  const int nc = 7;
  TSurface& fond = Nouvelle(doc, "Fond", 2, 4);
  TSurface& borde = Nouvelle(doc, "Bordé", 2, 4);
  fond.Net.NbLn = borde.Net.NbLn = 2;
  fond.Net.NbCol = borde.Net.NbCol = nc;
  const double yPied = 4.75, yBouchain = 4.95, yTete = 5.2;
  for (int j = 0; j < nc; j++) {
    const double s = double(j) / (nc - 1);
    auto y = [&](double yEtrave) { return s * yPied + std::pow(s, 4) * (yEtrave - yPied); };
    const double cb = s < 0.4 ? 0.78 - 0.08 * std::pow((0.4 - s) / 0.4, 2)
                              : 0.78 * std::pow(1 - std::pow((s - 0.4) / 0.6, 2), 0.7);  // chine half-breadth
    const double zc = 0.03 + 0.32 * std::pow(s, 2.2);                                    // chine height
    const double zk = s < 0.6 ? -0.16 - 0.03 * s / 0.6 : -0.19 + 0.31 * std::pow((s - 0.6) / 0.4, 2);
    const double bs = s < 0.45
                          ? 0.95 - 0.10 * std::pow((0.45 - s) / 0.45, 2)
                          : 0.95 * std::pow(1 - std::pow((s - 0.45) / 0.55, 2), 0.6);  // sheer half-breadth
    const double zs = 0.58 + 0.27 * s * s;
    fond.Net.PC[0][j] = {0, y(yPied), zk, 1};
    fond.Net.PC[1][j] = {cb, y(yBouchain), zc, 1};
    borde.Net.PC[0][j] = fond.Net.PC[1][j];
    borde.Net.PC[1][j] = {bs, y(yTete), zs, 1};
    doc.GroupesSoudes.push_back({{0, 1, j}, {1, 0, j}});
  }
  ReconstruitPCSoudes(doc);
  fond.JonctionSym = borde.JonctionSym = true;
  fond.TypePoids = borde.TypePoids = tpEpaisseurDensite;
  fond.Epaisseur = 0.009, borde.Epaisseur = 0.006;
  fond.Densite = borde.Densite = 0.6;  // okoume plywood
  fond.Coul = 0x2050A0;
  borde.Coul = 0xD8E8F0;
  AjoutePoids(doc, {{"Moteur hors-bord", 45, 0, 0.05, 0.35},
                    {"Réservoir", 25, 0, 0.6, 0.05},
                    {"Équipage", 160, 0, 1.6, 0.25},
                    {"Armement et divers", 34.9, 0, 3.38, 0.10}});
  doc.Proprietes.Titre = "Canot à bouchain vif 5,2 m";
  doc.Proprietes.Type = "Bateau à moteur";
  doc.Proprietes.Archi = "Bureau d'études Brivane";
  doc.Proprietes.Version = "1";
  doc.Proprietes.Date = "2024";
  doc.Proprietes.Commentaire = {"Construction en contreplaqué : fond et bordé sont des surfaces réglées,",
                                "développables à plat (Surfaces > Développement)."};
}

struct TEchantillon {
  const char* Fichier;
  void (*Construit)(TDocument&);
  int NbSurf;
  // Evaluated extents: overall length, beam (twice the half-breadth), lowest point.
  double Loa, Largeur, ZMin;
};

const TEchantillon Echantillons[] = {
    {"Voilier11.kvb", Voilier11, 4, 11.0, 3.6, -1.92},
    {"Vedette85.kvb", Vedette85, 2, 8.5, 2.9, -0.42},
    {"Deriveur42.kvb", Deriveur42, 3, 4.2, 1.6, -1.0},
    {"Canot52.kvb", Canot52, 2, 5.2, 1.9, -0.19},
};

class Samples : public TestAvecMessages {};

TEST_F(Samples, CommittedFilesAreTheGeneratedDesigns) {
  const bool regen = std::getenv("BRIVANE_REGEN_SAMPLES") != nullptr;
  for (const auto& e : Echantillons) {
    SCOPED_TRACE(e.Fichier);
    TDocument gen;
    e.Construit(gen);
    const std::string chemin = std::string(BRIVANE_SAMPLES) + "/" + e.Fichier;
    if (regen) {
      ASSERT_TRUE(EnregistrerFichier(gen, Toutes(gen), chemin));
    }
    TDocument lu;
    ASSERT_TRUE(OuvrirFichier(lu, chemin, {.Evaluer = false}));
    ASSERT_EQ(lu.NbSurf(), e.NbSurf);
    for (int k = 0; k < lu.NbSurf(); k++) {
      const TSurface* a = gen.SurfNurbs(k);
      const TSurface* b = lu.SurfNurbs(k);
      ASSERT_TRUE(a && b);
      EXPECT_EQ(a->Nom, b->Nom);
      EXPECT_EQ(a->Calc, b->Calc);
      EXPECT_EQ(a->Sym, b->Sym);
      ASSERT_EQ(a->Net.NbLn, b->Net.NbLn);
      ASSERT_EQ(a->Net.NbCol, b->Net.NbCol);
      for (int i = 0; i < a->Net.NbLn; i++)
        for (int j = 0; j < a->Net.NbCol; j++) {
          EXPECT_NEAR(a->Net.PC[i][j].X, b->Net.PC[i][j].X, 5e-5);
          EXPECT_NEAR(a->Net.PC[i][j].Y, b->Net.PC[i][j].Y, 5e-5);
          EXPECT_NEAR(a->Net.PC[i][j].Z, b->Net.PC[i][j].Z, 5e-5);
        }
    }
    EXPECT_EQ(lu.GroupesSoudes, gen.GroupesSoudes);
    EXPECT_EQ(lu.Proprietes, gen.Proprietes);
    EXPECT_EQ(lu.ListePoids, gen.ListePoids);
  }
}

// The samples are in the current version: reading and writing one gives its own bytes,
// but for the grid, which they leave empty and which is then the standard one.
TEST_F(Samples, ReadWriteGivesTheSameFile) {
  auto sansGrille = [](std::string t) {
    size_t g = t.find("[GRILLE]\r\n") + 10;
    return t.erase(g, t.find("[END]", g) - g);
  };
  for (const auto& e : Echantillons) {
    SCOPED_TRACE(e.Fichier);
    const std::string chemin = std::string(BRIVANE_SAMPLES) + "/" + e.Fichier;
    TDocument doc;
    ASSERT_TRUE(OuvrirFichier(doc, chemin, {.Evaluer = false}));
    const std::string ecrit = TexteDocument(doc);
    EXPECT_EQ(sansGrille(ecrit), LitFichier(chemin));
    EXPECT_NE(ecrit.find("[GRILLE]\r\n[NumSc]\r\n5\r\n[LSe]\r\n"), std::string::npos);
  }
  EXPECT_TRUE(Messages.empty());
}

// The designs have their announced size once evaluated (the hull's mirror half included).
TEST_F(Samples, EvaluatedDesignsHaveTheirSize) {
  for (const auto& e : Echantillons) {
    SCOPED_TRACE(e.Fichier);
    TDocument doc;
    ASSERT_TRUE(OuvrirFichier(doc, std::string(BRIVANE_SAMPLES) + "/" + e.Fichier));
    double largeur = 0, yMin = 1e9, yMax = -1e9, zMin = 1e9;
    for (int k = 0; k < doc.NbSurf(); k++) {
      const TEntity& s = doc.Surf(k);
      ASSERT_TRUE(s.Calculee);
      if (s.Voile) continue;
      largeur = std::max(largeur, s.PtXMax.X - s.PtXMin.X);
      yMin = std::min(yMin, s.PtYMin.Y), yMax = std::max(yMax, s.PtYMax.Y);
      zMin = std::min(zMin, s.PtZMin.Z);
    }
    EXPECT_NEAR(yMax - yMin, e.Loa, 0.1);
    EXPECT_NEAR(largeur, e.Largeur, 0.1);
    EXPECT_NEAR(zMin, e.ZMin, 0.05);
    // Every floating surface is right side out: each displaces water, so the whole boat
    // displaces more than its hull alone.
    EXPECT_TRUE(ControleCarene(doc, PorteeCalc(doc)).empty());
    for (int k : PorteeCalc(doc)) {
      TListFace l;
      BuildFaceListFull(doc.Surf(k), l, 0);
      TBarycentre b;
      CCByFace(l, b);
      EXPECT_GE(b.Valeur, 0) << doc.Surf(k).Nom;  // a deck above the water displaces nothing
    }
  }
}

// A design's weight estimate balances its displacement: it floats at its modelled waterline
// (displacement at Z = 0 within 2 % of the total, G over B within 1 % of the waterline length),
// upright and stable (GM above zero).
TEST_F(Samples, WeightsFloatTheDesignAtItsWaterline) {
  for (const auto& e : Echantillons) {
    SCOPED_TRACE(e.Fichier);
    TDocument doc;
    ASSERT_TRUE(OuvrirFichier(doc, std::string(BRIVANE_SAMPLES) + "/" + e.Fichier));
    MajSurface(doc, true, -1);
    const TPoids& t = doc.PoidsTotal;
    const TBarycentre g{{t.X, t.Y, t.Z}, t.Masse};
    TResultatsHydro r = CalcHydrostatiques(doc, PorteeCalc(doc), 2 * doc.Precision + 1, {}, &g);
    const double deplacement = r.P.V * 1026;
    EXPECT_NEAR(deplacement, t.Masse, 0.02 * t.Masse);
    EXPECT_NEAR(t.Y, r.P.CC.Y, 0.01 * r.P.Lwl);
    EXPECT_NEAR(t.X, r.P.CC.X, 0.01 * r.P.Lwl);
    ASSERT_TRUE(r.P.AvecPoids);
    EXPECT_GT(r.P.GMt, 0.2);
  }
}

}  // namespace
