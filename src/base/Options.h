// The application's setting values that core computations read, and the settings
// store they come from: sections of named text values (binary for the light positions)
// behind an interface, so the values, ranges and defaults are checked without Qt and
// tests never reach the user's own store.
#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct TOptions {
  // Curvature vectors of lines: length factor position (F = position / 5000),
  // type 0 curvature / 1 radius of curvature, orientation 0 inside / 1 outside the curve.
  int FacteurCourbure = 5000;
  int TypeRayon = 0;
  int OrientationRayon = 0;
  // "Calcul des surfaces en temps réel".
  bool SplineTR = false;
  // Redraw every view after a change ("MultiFen").
  bool MultiFen = false;
};

TOptions& Options();

// --- The store --------------------------------------------------------------------------

// One per-user tree of sections; a value that is missing reads as nullopt.
class IMagasinReglages {
 public:
  virtual ~IMagasinReglages() = default;
  virtual std::optional<std::string> Lit(const std::string& section, const std::string& cle) const = 0;
  virtual std::optional<std::vector<unsigned char>> LitBinaire(const std::string& section,
                                                               const std::string& cle) const = 0;
  virtual void Ecrit(const std::string& section, const std::string& cle, const std::string& valeur) = 0;
  virtual void EcritBinaire(const std::string& section, const std::string& cle,
                            const std::vector<unsigned char>& valeur) = 0;
  virtual void EffaceSection(const std::string& section) = 0;
  virtual std::vector<std::string> Cles(const std::string& section) const = 0;  // text values' keys
};

// A store in memory: the tests' and a first start's.
class TMagasinMemoire : public IMagasinReglages {
 public:
  std::optional<std::string> Lit(const std::string& section, const std::string& cle) const override;
  std::optional<std::vector<unsigned char>> LitBinaire(const std::string& section,
                                                       const std::string& cle) const override;
  void Ecrit(const std::string& section, const std::string& cle, const std::string& valeur) override;
  void EcritBinaire(const std::string& section, const std::string& cle,
                    const std::vector<unsigned char>& valeur) override;
  void EffaceSection(const std::string& section) override;
  std::vector<std::string> Cles(const std::string& section) const override;
  bool Contient(const std::string& section, const std::string& cle) const;

 private:
  std::map<std::pair<std::string, std::string>, std::string> Textes;
  std::map<std::pair<std::string, std::string>, std::vector<unsigned char>> Binaires;
};

// Typed reads: text that does not convert, or lies outside [min, max], gives the default.
int LitEntier(const IMagasinReglages& m, const std::string& section, const std::string& cle, int defaut,
              int min, int max);
bool LitBooleen(const IMagasinReglages& m, const std::string& section, const std::string& cle, bool defaut);
std::string LitTexte(const IMagasinReglages& m, const std::string& section, const std::string& cle,
                     const std::string& defaut = {});
void EcritEntier(IMagasinReglages& m, const std::string& section, const std::string& cle, int v);
void EcritBooleen(IMagasinReglages& m, const std::string& section, const std::string& cle, bool v);

// --- The values -------------------------------------------------------------------------

// The fifteen colours of section "Colors" (0x00BBGGRR), in the options window's order.
struct TCouleurReglage {
  const char* Cle;
  int Defaut;
  const char* Libelle;  // the options window's label
};
constexpr int NbCouleurs = 15;
extern const std::array<TCouleurReglage, NbCouleurs> CouleursReglages;

struct TLumiereReglage {
  bool Visible = false;
  double Dist = 4, RX = 60, RY = 60;
};
std::array<TLumiereReglage, 8> LumieresParDefaut();

enum class TFormatPapier { A3, A4, A5, LetterUS, Perso };

// Ranges of the tuning values: a stored value outside gives the default.
constexpr int ZoomMaxMin = 10, ZoomMaxMax = 1000000;
constexpr int RatioVectMin = 1, RatioVectMax = 100000;
constexpr int PolyMin = 0, PolyMax = 1000;
// The curvature slider's range; 5000 (a factor of 1) by default. A factor far below it
// draws combs tens of metres long on a yacht's sections, so a stored value outside the
// range (the factor 0.0002 some older stores hold) gives the default.
constexpr int LongRayonMin = 10, LongRayonMax = 25000, LongRayonDefaut = 5000;
constexpr int PapierMin = 10, PapierMax = 2000;  // mm
constexpr int PenWidthMin = 1, PenWidthMax = 50;

struct TReglages {
  std::array<int, NbCouleurs> Couleurs{};  // in CouleursReglages' order
  // Environement
  std::string Language;
  bool MultiFen = false, SplineTR = false;
  // A new user keeps the layout and the display switches from one start to the next.
  bool SavConfig = true, PosFen = true;
  bool OptAxesPlanSym = false, PosLight = true, OptNetVxStudio = false;
  double OptTailleReperesStudio = 0.02;
  // System, Poids, Studio, Courbure
  int ZoomMax = 2500;
  int RatioVect = 1000;
  int PolyFactor = 0, PolyUnits = 0;
  int LongRayon = LongRayonDefaut, TypeRayon = 0, OrientationRayon = 0;
  // Files: most recent first
  std::vector<std::string> Fichiers;
  // Printer
  int ImpPhyHorzSize = 210, ImpPhyVertSize = 297;
  TFormatPapier Papier = TFormatPapier::A4;
  int PenWidth = 3;
  // PosLight
  std::array<TLumiereReglage, 8> Lumieres = LumieresParDefaut();

  TReglages();
  int Couleur(const std::string& cle) const;  // -1 when the key is unknown
  double FacteurCourbure() const { return LongRayon / 5000.0; }
};

// A language name safe to join to "lang_" and ".dat": empty when it could name a file
// outside the program's folder or is not a plain name.
std::string NomLangueSur(const std::string& nom);
// The marker size typed or stored ("0.02"): nullopt when it does not convert or is not > 0.
std::optional<double> LitTailleReperes(const std::string& texte);
std::string TexteTailleReperes(double v);  // "%.3f"

// The start-up reads (sections Environement, Files, Colors, System, Poids, Studio,
// Courbure, Printer, PosLight). ZOOMMAX is written back so the key always exists.
TReglages LitReglages(IMagasinReglages& m);
// What the options window writes (Colors, Environement without Language, Poids, Studio,
// Courbure); Language only when ecrireLangue.
void EcritReglagesOptions(IMagasinReglages& m, const TReglages& r, bool ecrireLangue);
void EcritFichiersRecents(IMagasinReglages& m, const std::vector<std::string>& fichiers);
void EcritLumieres(IMagasinReglages& m, const std::array<TLumiereReglage, 8>& l);
void EcritImprimante(IMagasinReglages& m, const TReglages& r);

// --- Section "Conf": the display switches kept from one run to the next ------------------

struct TCleConf {
  const char* Cle;
  const char* Commande;  // the menu command (or the studio's button, "SBtn_PlanEau")
  bool Defaut;
  bool Lue;  // false: written only (the hull and the net, never both off, are the user's)
};
constexpr int NbClesConf = 23;
extern const std::array<TCleConf, NbClesConf> ClesConf;

struct TConf {
  std::array<bool, NbClesConf> Bascules{};  // in ClesConf's order
  std::string Precision = "Moyenne";        // "Faible", "Moyenne", "Bonne" or "TBonne"
  TConf();
  bool Bascule(const std::string& cle) const;  // false for an unknown key
};

// The precision's stored name ("Perso" for one of no named step) and back (0 for a name
// that is none of the four: the caller keeps "Moyenne").
std::string NomPrecision(int pas);
int PasPrecision(const std::string& nom);

// Read when SavConfig is on; a stored "Perso" or an unknown name gives "Moyenne".
TConf LitConf(const IMagasinReglages& m);
// The section is erased first, then every key is written.
void EcritConf(IMagasinReglages& m, const TConf& c);

// --- Section "Vexrun": the resistance program ---------------------------------------------

struct TReglagesVexrun {
  bool Active = false;    // Enabled: the command is shown
  std::string Dossier;    // ExePathName: the program's folder, which holds its files
  std::string Programme;  // ExeName
  std::string Entree;     // InFileName
  std::string Sortie;     // OutFileName
  int DelaiMax = 300;     // DelaiMax: seconds before a run is stopped
};
constexpr int DelaiMaxMin = 1, DelaiMaxMax = 86400;
// The three names are joined to the folder and the output is deleted before a run: a
// name that is not a plain file name (a folder in it, "..") reads as empty, and so does a
// folder with control characters.
TReglagesVexrun LitReglagesVexrun(const IMagasinReglages& m);
// Only the time limit: the paths are the user's to set.
void EcritDelaiVexrun(IMagasinReglages& m, int delai);

// Puts a file, as an absolute path, at the head of the recent files; an entry equal to
// it whatever the case goes.
void AjouteFichierRecent(std::vector<std::string>& liste, const std::string& chemin);
