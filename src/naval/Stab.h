// Stability: the righting-arm curve of the floating surfaces. Working copies of
// the hull are heeled about G, sunk until they displace the weight and, on
// request, trimmed until B lies under G; the steps, their table, the synthesis
// and the text export are computed here, for the stability window and the CLI.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/Document.h"
#include "naval/Face.h"
#include "naval/Poids.h"

constexpr double Gravite = 9.806;       // m/s², turns a mass times an arm into N.m
constexpr int MaxIterEnfoncement = 36;  // sinkage bisection: the interval shrinks 2^36 times
constexpr int MaxIterAssiette = 61;     // trim search steps before the user is asked
constexpr double PasAssietteMax = 5;    // degrees: the first trim step is capped to this
constexpr int MaxEtapesStab = 3601;     // heel steps of one sweep: 0..180 by 0.05 degrees
constexpr double AngleMaxStab = 180;    // largest heel, degrees: beyond, the boat is upside up again
// The equilibrium is pursued past the tolerances asked down to these when it costs little:
// a fraction of the displacement and a trim angle in degrees.
constexpr double TolEquilibreFine = 1e-6;
constexpr double TolAssietteFine = 1e-4;

// A working copy of one floating surface: its grids as evaluated, never the document's.
struct TDoubleSurf {
  int NbLnPt = 0, NbColPt = 0;
  TArrayVertex3f Pts, PtsSym;  // PtsSym is empty for a surface without symmetry
  bool Orientation = true;
  bool JonctionSym = false;
};

class TDoubleSurfList {
 public:
  // Appends a snapshot of a surface's grids. False (nothing appended) when a grid is ragged,
  // the mirror grid has another shape, or a point is not finite.
  bool AddSurf(const TEntity& e);
  void Clear() { Items.clear(); }
  int Count() const { return static_cast<int>(Items.size()); }
  std::vector<TDoubleSurf> Items;
};

// One computed heel step.
struct TGZ {
  double Gite = 0;              // heel, degrees
  double Assiette = 0;          // trim, degrees (0 without trim correction)
  double Enfoncement = 0;       // height of the equilibrium waterline in the heeled (trimmed) hull
  double SurfMouillee = 0;      // wetted area, m²
  TBarycentre CC;               // centre of buoyancy (Z from the waterline) and displacement in tonnes
  TBarycentre CG;               // centre of gravity in the floating position and the weight in kg
  bool Converge = true;         // the equilibrium was found within the tolerances
  int Cote = 1;                 // the side heeled: 1 -X down, -1 +X down (the arm is measured that way)
  double EcartDeplacement = 0;  // the equilibrium error reached: |displacement - weight| / weight
  double EcartAssiette = 0;     // with trim correction, the trim angle error reached, degrees
  bool Interrompu = false;      // the stop cut the step short: not a result
  double GZ() const { return Cote * (CG.Centre.X - CC.Centre.X); }
  double Moment() const { return GZ() * CG.Valeur * Gravite; }
};
using TListGZ = std::vector<TGZ>;

// The "Conditions de calcul" group, with the window's defaults.
struct TConditionsStab {
  double AngleMax = 180;      // degrees
  double Pas = 5;             // degrees
  double TolEnfoncement = 1;  // percent of the weight
  double Densite = 1.026;     // tonnes per m³
  bool CorrectionAssiette = false;
  double TolAssiette = 0.1;  // degrees
  int Cote = 1;              // 1: heeled with -X down; -1: with +X down
};

// The same fields as typed in the window.
struct TSaisieStab {
  std::string AngleMax = "180", Pas = "5", TolEnfoncement = "1", Densite = "1.026", TolAssiette = "0.1";
  bool CorrectionAssiette = false;
};
// Converts the typed fields. Returns "" or the conversion message of the first that fails.
std::string LitConditionsStab(const TSaisieStab& s, TConditionsStab& c);
// Every input checked before a sweep (the window's "&Calculer" and the CLI): returns ""
// or the message to show; nothing may be computed then. poids in kg.
std::string ValideConditionsStab(const TConditionsStab& c, double poids);

// Number of heel steps from 0 to max by pas: the last step is the maximum itself.
int NombreEtapes(double max, double pas);
// Heel of step i of n, computed afresh each time so that steps do not drift.
double AngleEtape(int i, int n, double max, double pas);

// The side heeled as a word ("-X", "+X") for the reports and the command line.
std::string NomCote(int cote);

// Heel by gite about the longitudinal axis through g (positive: -X goes down).
TMatrice4 MatriceGite(double gite, const TVertex3f& g);
// Heel about g, then trim about the transverse axis through g (carried with the hull).
TMatrice4 MatriceAttitude(double gite, double assiette, const TVertex3f& g);
// The floating position of a step: heeled and trimmed about g, lowered by the sinkage. The
// film draws the copies through it; "Transformer" moves the model by it.
TMatrice4 MatriceEtape(const TGZ& e, const TVertex3f& g);
// "Transformer": puts every surface of the document (with its symmetry plane and attached
// weights) in the floating position of a step, computed about g. The surfaces are left out
// of date: the caller re-evaluates them (the session's MajSurface(doc, true, -1), MajCoupesSurface).
void TransformerModele(TDocument& doc, const TGZ& e, const TVertex3f& g);

// A box barge of breadth b, length l, draft t and depth d (keel to deck) as one closed
// symmetric mesh surface: half sections from the keel out along the bottom, up the side and
// back along the deck, div divisions each way, from Y = 0 to l with the keel at Z = -t. Its own
// weight is a fixed mass at the centre of its volume ("Poids fixe"), that of the water of
// density rho it displaces at the draft t. A body whose answers are known in closed form.
// Not evaluated: the caller brings the document up to date (the session's MajSurface).
TEntity& AjouteBargeFermee(TDocument& doc, double b, double l, double t, double d, int div,
                           double rho = 1.026);

// A waterplane cut from the facets: its area, centre of flotation and the second moment
// about the longitudinal axis through that centre.
struct TFlottaisonCarene {
  double Aire = 0, Xf = 0, Yf = 0, It = 0;
};

// The facets of all working copies in one attitude, ready to be cut by many waterlines:
// the topology is built once, an attitude transforms the untouched points, and a waterline
// is lowered instead of moving the hull. Integrals are those of Face.
//
// Facets are grouped in small patches of neighbouring cells. A patch wholly below or above a
// waterline is summed as a whole: its prism integrals are polynomials in the waterline height
// whose coefficients follow from sums over its untouched facets, carried by the attitude's
// matrix. Only the patches a waterline crosses are looked at facet by facet.
class TCarene {
 public:
  void Construit(const TDoubleSurfList& l);
  // Places the untouched copies by m (the attitude). m is a rigid motion or any invertible
  // affine map: the patches' height bounds scale with it.
  void Place(const TMatrice4& m);
  int NbFacettes() const { return static_cast<int>(Tri.size()); }
  // Lowest and highest corner of the facets in the current attitude (0, 0 without facets).
  double ZMin() const { return Zmin; }
  double ZMax() const { return Zmax; }
  // VolByFace(Zref = w, factor 1) of the facets clipped below w.
  double Volume(double w);
  // The volume sums of CCByFace(Zref = w) of the facets clipped below w (no area).
  void Centre(double w, TCumulCarene& c);
  // The sums of CCByFace(Zref = w) and AireByFace, facet by facet as the lists add them.
  void Integre(double w, TCumulCarene& c);
  // Promise that the next waterlines stay within [lo, hi] (a bisection): what lies wholly
  // below or above is then summed once instead of being looked at again.
  void Resserre(double lo, double hi);
  // Resserre(lo, hi) then Volume(w), in one pass.
  double ResserreVolume(double lo, double hi, double w);
  // The waterplane at w: the facets crossing it cut into segments, summed by Green's theorem.
  TFlottaisonCarene Flottaison(double w);

 private:
  struct TTri {
    int A, B, C;
  };
  // Prism sums of facets wholly below a waterline, about Zr: with e = Nz2 (wr - D) and the
  // facet means of X Z and Z Z (not the products of the means: the moments are exact),
  // Σe = A wr - D, ΣMx = X wr - XD, ΣMy = Y wr - YD, 2 ΣMz = -(A wr² - 2 D wr + DD).
  struct TSommes {
    double A = 0, D = 0, DD = 0, X = 0, XD = 0, Y = 0, YD = 0;
    void operator+=(const TSommes& s) {
      A += s.A, D += s.D, DD += s.DD, X += s.X, XD += s.XD, Y += s.Y, YD += s.YD;
    }
  };
  // A patch, untouched: its facets, a sphere holding their corners, and with n the normal
  // (P1 - P2) x (P3 - P2), g the mean of the corners from the centre and Q the mean of
  // (p - centre)(p - centre) over the facet: Σn, Σ n g and Σ n Q.
  struct TPatch {
    int Debut = 0, Fin = 0;  // its run of facets
    TVertex3f Centre;
    double Rayon = 0;
    double N[3] = {}, S[3][3] = {}, T[3][3][3] = {};
  };
  // A patch in the attitude: its height bounds and, once asked for, its sums.
  struct TPatchPlace {
    double ZBas = 0, ZHaut = 0;
    TSommes Sommes;
    bool SommesPretes = false, FacettesPretes = false;
  };
  void ToutActiver();
  const TSommes& SommesPatch(int p);
  void PrepareFacettes(int p);
  std::vector<TVertex3f> Source, Pts;
  std::vector<char> Utilise;  // the point is a corner of some facet
  std::vector<TTri> Tri;
  std::vector<TPatch> Patchs;  // each holds a run of facets
  std::vector<int> Ordre;      // for each facet in the lists' order, its place here
  std::vector<int> PatchDe;    // the patch of each facet
  std::vector<int> PatchTri;   // while building: the facets in patch order
  std::vector<TPatchPlace> Places;
  // Per facet, untouched: the normal and the mean of the corners. A transformation carries
  // the normal by its cofactor matrix, so the attitude's normal needs no cross product.
  std::vector<TVertex3f> SrcN, SrcC;
  // Per facet in the attitude (filled patch by patch when needed): corner heights, half the
  // vertical component of the normal (the signed projected area), mean Z from Zr, mean X, Y.
  std::vector<double> FZMin, FZMax, FNz2, FD, FXm, FYm;
  // and the corners' covariances over 12 (Σ (x - x̄)(z - z̄) / 12...) of the exact moments.
  std::vector<double> FCxz, FCyz, FCzz;
  // Attitude: the linear part's rows, the cofactor row that gives the normal's Z, translation.
  double Lin[3][3] = {}, Tr[3] = {}, Cof[3] = {}, NormeZ = 1;
  std::vector<int> PatchsActifs;  // patches still summed as a whole
  std::vector<int> Actives;       // facets of opened patches still cut by the waterlines
  double Lo = 0, Hi = 0;
  TSommes Dessous;
  double Zr = 0;  // reference height of the attitude, against cancellation in the sums
  double Zmin = 0, Zmax = 0;
};

// An equilibrium found at one attitude.
struct TEquilibre {
  double Assiette = 0;
  double Enfoncement = 0;  // the waterline height in the heeled (trimmed) hull
  double SurfMouillee = 0;
  TBarycentre CC;  // Z from the waterline, Valeur in tonnes
  int Iterations = 0;
  bool Converge = false;
  bool Interrompu = false;   // cut short by a stop: an attempt, not an attitude
  double Ecart = 0;          // |displacement - weight| / weight reached
  double EcartAssiette = 0;  // the trim angle error reached (trim search), degrees
};

// "&Ajuster": how the weight is set.
enum TModeAjuste : int { ajDeplacementInitial = 0, ajPoidsFixe = 1, ajValeursInitiales = 2 };

// The stability calculation, driven by the window or the CLI through its hooks.
class TStab {
 public:
  TStab();

  // Called at every sinkage and trim iteration: the window processes its messages here,
  // which is how its stop button reaches Arret.
  std::function<void()> TraiteMessages;
  // After each heel step: the total and the number done.
  std::function<void(int total, int fait)> Progression;
  // A step was appended (the window draws the hull at it).
  std::function<void(const TGZ&)> EtapeAjoutee;
  // The iteration question: true stops the calculation. Default: the Yes/No message.
  std::function<bool()> DemandeArret;
  // The stop flag.
  bool Arret = false;

  TDoubleSurfList Copies;
  TBarycentre PoidsDocument;  // the document's total: centre of gravity and weight, kg
  TBarycentre Poids;          // G0 and the weight used, kg
  TBarycentre CarInitiale;    // B0 and the displacement in kg, upright with the waterline at 0
  TConditionsStab Conditions;
  TListGZ Etapes;
  int Iterations = 0;  // sinkage iterations of the last sweep
  // Why the copies give no result that means something ("" when they do): set with the copies.
  std::string DefautModele;

  // The window's opening: takes the document's total weight, builds the copies of the
  // floating surfaces and computes the initial displacement. The document must be up to
  // date, its total weight included (the session's MajSurface(doc, true, -1) first).
  void Init(TDocument& doc);
  void BuildSurfList(const TDocument& doc);
  // B0 and the displacement (kg) of the copies upright at W = 0 and the current density.
  void MajCarInitiale();
  // "&Ajuster". poidsFixe is the "Fixer Poids = " value, in kg.
  void Ajuste(TModeAjuste mode, double poidsFixe, bool aligner);
  // "&Calculer": checks every input, then runs the heel sweep. Returns "" or the refusal
  // message (nothing is computed then).
  std::string CalcStab();
  // One step of a sweep at a heel on the conditions' side, G0 the weight's centre.
  TGZ CalcEtape(double gite);
  // The largest displacement of the copies, upright and wholly immersed, kg.
  double DeplacementMax();
  // Refuses a weight the copies cannot float: "" or the message giving the largest displacement.
  std::string VerifieFlottabilite(double poids);
  // The upright metacentric height of the condition, KB + BMt - KG at the upright equilibrium
  // (trimmed when the conditions correct the trim), BMt = It / V of that waterplane.
  double GMDroit();
  // The iteration question is asked once per run: the first answer holds for the rest.
  void NouvelleQuestion() { Questionne = false, ReponseArret = false; }

  // Building blocks, on the copies placed by the attitude m.
  void Deplacement(const TMatrice4& m, double w, TBarycentre& cc);  // record, V x rho in tonnes
  double DeplacementValeur(const TMatrice4& m, double w);
  double SurfMouillee(const TMatrice4& m, double w);
  void MajMinzMaxZ(const TMatrice4& m, double& zmin, double& zmax);
  // Sinkage for equal displacement at attitude m; w0 is the first trial waterline.
  TEquilibre IsoCareneEnf(const TMatrice4& m, double w0);
  // Sinkage and trim, starting from the heeled attitude mGite.
  TEquilibre IsoCarene(const TMatrice4& mGite);

 private:
  void Prepare();
  void DebutCalcul();             // the weight and sinkage tolerance in tonnes
  TEquilibre Enfonce(double w0);  // on the attitude already placed; the centre only
  void Termine(TEquilibre& r);    // the exact record and the wetted area at r's waterline
  bool Demande();                 // DemandeArret, at most once per run
  TCarene Car;
  bool CarPrete = false;
  bool Questionne = false, ReponseArret = false;
  double PoidsT = 0, Tau = 0;  // weight and sinkage tolerance in tonnes of the current sweep
};

// --- Results ----------------------------------------------------------------

// The step table ("Mesures"): column names and one row of cells.
std::vector<std::string> EnteteTableGZ();
std::vector<std::string> LigneTableGZ(const TGZ& e);

// What the synthesis reads from the steps; steps that did not converge are left out.
struct TResumeStab {
  int NbConverges = 0, NbNonConverges = 0;
  double GZMin = 0, GZMax = 0, MomentMin = 0, MomentMax = 0;
  double AngleGZMin = 0, AngleGZMax = 0;
  double AngleDisparition = 0;     // where the moment goes from positive to negative (last one), else 0
  double EnergieChavirage = 0;     // |area under the positive moment|, J
  double EnergieRedressement = 0;  // |area under the negative moment|, J
};
TResumeStab ResumeStab(const TListGZ& l);

// One row of the "Synthèse" grid: a heading (no value) or a label and its value.
struct TLigneSynthese {
  std::string Libelle;
  std::string Valeur;  // as shown
  double Nombre = 0;
  bool Titre = false;
};
std::vector<TLigneSynthese> Synthese(const TStab& s);

// The four labels under the conditions: heel, trim, displacement (a mass, tonnes) and the
// iteration total; debut gives the heel label shown before the first step.
std::vector<std::string> LibellesCalcul(double gite, double assiette, double deplacement, int iterations,
                                        bool debut = false);

// The lines of the "Export" buttons of "Mesures" and "Synthèse", after the report's
// heading block with the document's properties.
std::vector<std::string> LignesExportStab(const TPropFich& d, const std::vector<TLigneSynthese>& synthese,
                                          const TListGZ& etapes);
