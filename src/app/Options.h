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
constexpr int LongRayonMin = 1, LongRayonMax = 25000;
constexpr int PapierMin = 10, PapierMax = 2000;  // mm
constexpr int PenWidthMin = 1, PenWidthMax = 50;

struct TReglages {
  std::array<int, NbCouleurs> Couleurs{};  // in CouleursReglages' order
  // Environement
  std::string Language;
  bool MultiFen = false, SplineTR = false, SavConfig = false, PosFen = false;
  bool OptAxesPlanSym = false, PosLight = true, OptNetVxStudio = false;
  double OptTailleReperesStudio = 0.02;
  // System, Poids, Studio, Courbure
  int ZoomMax = 2500;
  int RatioVect = 1000;
  int PolyFactor = 0, PolyUnits = 0;
  int LongRayon = 1, TypeRayon = 0, OrientationRayon = 0;
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

// Puts a file, as an absolute path, at the head of the recent files; an entry equal to
// it whatever the case goes.
void AjouteFichierRecent(std::vector<std::string>& liste, const std::string& chemin);
