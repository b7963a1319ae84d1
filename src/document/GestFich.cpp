// Hull documents: the writer (header, properties, surfaces, welds, kept
// sections) and the reader (every format version, opening and merging), which
// checks every count and index a file gives before it touches the model.
#include "document/GestFich.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <set>
#include <stdexcept>
#include <tuple>

#include "base/Chaines.h"
#include "base/Debug.h"
#include "base/Encodage.h"
#include "base/Services.h"
#include "lines/Grille.h"
#include "naval/Poids.h"
#include "session/ObjCom.h"

namespace {

constexpr int PanneauEtat = 3;       // status-bar panel of the progress messages
constexpr char SepComment = '\xA4';  // "¤" in Windows-1252
constexpr size_t LimNomSurf = MaxNomSurf;
constexpr size_t LimNomRepere = 255;  // names of weights, marks and flooding points
constexpr size_t LimTexteCote = 255;

// A fatal read error: the message is the program's; the line (from 1) when it is not
// where the reading stands.
struct TErreurLecture : std::runtime_error {
  explicit TErreurLecture(const std::string& msg, int ligne = 0) : std::runtime_error(msg), Ligne(ligne) {}
  int Ligne;
};

// A numbered key ("SURF3", "V_12_30") built without allocating: tens of thousands are made per document.
class NumTexte {
 public:
  NumTexte(std::string_view prefixe, int a) { Ajoute(prefixe), Nombre(a); }
  NumTexte(std::string_view prefixe, int a, int b) { Ajoute(prefixe), Nombre(a), Ajoute("_"), Nombre(b); }
  operator std::string_view() const { return {B, N}; }
  operator std::string() const { return {B, N}; }

 private:
  void Ajoute(std::string_view s) {
    s.copy(B + N, s.size());
    N += s.size();
  }
  void Nombre(int v) { N = static_cast<size_t>(std::to_chars(B + N, B + sizeof B, v).ptr - B); }
  char B[48];
  size_t N = 0;
};

// ===========================================================================
// Reading

class TLecteur {
 public:
  TLecteur(TfichierStr& f, TDocumentLu& lu, int n0, std::string nom)
      : F(f), Lu(lu.Doc), Drapeaux(lu), N0(n0), Nom(std::move(nom)) {}

  void Lire();
  // Where the reading stands: the line from 1.
  int Ligne() const { return F.LigneCourante + 1; }
  TConstat Constat(TGravite g, std::string msg) const { return {g, Nom, Ligne(), std::move(msg)}; }

  // The errors the reading went past: each one lost part of the file.
  std::vector<TConstat> Constats;

 private:
  std::string Version;
  TfichierStr& F;
  TDocument& Lu;
  TDocumentLu& Drapeaux;
  int N0;
  std::string Nom;
  int Prem = 0, Nb = 0;  // the section being read
  int NbFichier = 0;     // surfaces read from the file

  std::string_view Chaine(std::string_view cle, std::string_view def = {}) {
    return F.LireValeur(cle, def, Prem, Nb);
  }
  int Entier(std::string_view cle, int def) { return F.LireEntier(cle, def, Prem, Nb); }
  double Reel(std::string_view cle, double def) { return F.LireReel(cle, def, Prem, Nb); }
  float Simple(std::string_view cle, float def) {
    float v = def;
    return LitReel(F.LireValeur(cle, TexteReel4(def), Prem, Nb), v) ? v : def;
  }
  bool Booleen(std::string_view cle, bool def) { return F.LireBooleen(cle, def, Prem, Nb); }
  std::string Texte(std::string_view cle, size_t limite) {
    return TronqueUtf8(Cp1252VersUtf8(Chaine(cle)), limite);
  }
  std::string Derniere() const { return Cp1252VersUtf8(F.DerniereValeur()); }

  // Handed to the caller once the file is read, which decides whether the rest is taken.
  void Avertit(const std::string& msg, int ligne = 0) {
    TConstat c = Constat(TGravite::Avertissement, msg);
    if (ligne > 0) c.Ligne = ligne;
    DbgErr(erFichier, "GestFich.OuvrirFichier", 0, {c.Texte()});
    Constats.push_back(std::move(c));
  }
  // Said, nothing lost: the reader took a default for a key the file does not have.
  void Note(const std::string& msg) {
    TConstat c = Constat(TGravite::Note, msg);
    DbgErr(erFichier, "GestFich.OuvrirFichier", 0, {c.Texte()});
    Constats.push_back(std::move(c));
  }
  // The value quoted and its line are those of the key at fault, read earlier when
  // given, the last one read otherwise.
  [[noreturn]] void HorsLimites(std::string_view cle, int p, const std::string* valeur = nullptr,
                                int ligne = 0) {
    throw TErreurLecture(Format(rs("rsErrLectHorsLimites").c_str(), std::string(cle).c_str(), p,
                                (valeur ? *valeur : Derniere()).c_str()),
                         ligne);
  }
  // Finds a section and remembers that it was read.
  bool Section(std::string_view nom) {
    if (!F.ChercherSection(nom, Prem, Nb)) return false;
    std::string n(nom);
    for (char& c : n) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    Lues.insert(std::move(n));
    return true;
  }
  // Whatever the file holds that the reading did not take: each is a warning.
  void VerifieEntier();
  std::set<std::string> Lues;  // lower-case names of the sections read
  bool MaxAtteint = false;
  int EntierBorne(std::string_view cle, int def, int mini, int maxi, int p) {
    int v = Entier(cle, def);
    if (v < mini || v > maxi) HorsLimites(cle, p);
    return v;
  }

  void LireMain();
  // False when the surface section ends the reading of surfaces (no vertex at all).
  bool LireSurface(int n, int p);
  void LireSommets(TSurface& s, int p);
  // A value beyond the bounds of a boat ends the reading, the key and the bound named.
  static void Borne(const std::string& cle, double v, double limite);
  static std::string HorsBorne(const std::string& cle, double v, double limite);
  void LireMesh(TDXFSurface& s, int nbL, int nbC);
  void LirePlanS(TEntity& e);
  void LireSoudes(int nbFichier);
  void LireGrille();
  void LireSectionsSuivantes();
  void LireVues();
  void LireOptions();
  void LireCotes();
  void LirePoids(int nbFichier);
  template <class R>
  void LireReperes(std::vector<R>& liste, const char* msg);
  // The numbered keys a section can hold: each takes a key line and a value line.
  int Capacite() const { return Nb / 2; }
};

void TLecteur::Lire() {
  // A file without a single section is no document: "opening" it as an empty one
  // would let the next save overwrite it.
  if (F.IndexSections().empty()) throw TErreurLecture(rs("rsErrPasUnDocument"));
  WriteStatusBar(PanneauEtat, rs("rsStLectHeader"));
  Version.clear();
  if (Section("HEADER")) {
    Version = std::string(Chaine("Version"));
    Chaine("DateC"), Chaine("DateMod");  // read and ignored
  }
  if (Version == "1.01" || Version == "1.02") F.VirgulesEnPoints();
  if (N0 == 0 && Section("MAIN")) LireMain();

  int n = 0;
  while (N0 + Lu.NbSurf() < MaxSurf && Section(NumTexte("SURF", n))) {
    if (!LireSurface(n, N0 + n)) break;
    n++;
  }
  int nbFichier = n;  // the file's surfaces 0 .. n-1 were read
  if (N0 + Lu.NbSurf() >= MaxSurf && F.ChercherSection(NumTexte("SURF", n), Prem, Nb)) {
    Avertit(rs("rsErrMaxSurfOuv"));
    MaxAtteint = true;
  }

  WriteStatusBar(PanneauEtat, rs("rsStLectSoudures"));
  if (Section("SOUDES")) LireSoudes(nbFichier);
  NbFichier = nbFichier;
  LireSectionsSuivantes();
  VerifieEntier();
  WriteStatusBar(PanneauEtat, rs("rsStFinFichier"));
}

void TLecteur::VerifieEntier() {
  if (F.PremiereLigneNul >= 0) Avertit(rs("rsErrLectOctetNul"), F.PremiereLigneNul + 1);
  std::set<std::string> vues;
  bool derniere = false;
  for (const TEntreeSection& e : F.IndexSections()) {
    std::string nom = e.Nom;
    for (char& c : nom) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const int ligne = e.Premiere;  // the header's, from 1
    if (nom == "[envahisement]") derniere = true;
    if (!e.Fermee) Avertit(Format(rs("rsErrLectSansFin").c_str(), Cp1252VersUtf8(e.Nom).c_str()), ligne);
    const bool premiere = vues.insert(nom).second;
    // A header alone holds nothing to lose.
    if (e.NbLignes < 2) continue;
    const std::string_view n = std::string_view(nom).substr(1, nom.size() >= 2 ? nom.size() - 2 : 0);
    // What a merge leaves to the open document, and surfaces past the limit (already
    // reported), are not read on purpose.
    const bool voulu = (N0 > 0 && (n == "main" || n == "grille")) || (MaxAtteint && n.starts_with("surf"));
    const bool lue = nom.size() >= 2 && nom.back() == ']' && Lues.count(std::string(n)) > 0;
    if (!voulu && (!premiere || !lue))
      Avertit(Format(rs("rsErrLectSectionIgnoree").c_str(), Cp1252VersUtf8(e.Nom).c_str()), ligne);
  }
  // The writer of this version always ends with that section: without it the file was cut.
  if (Version == VersionDocument && !derniere) Avertit(rs("rsErrLectFinManquante"), F.NbLignes());
}

void TLecteur::LireMain() {
  TPropFich& p = Lu.Proprietes;
  p.Titre = Texte("Titre", LimTitre);
  p.Type = Texte("Type", LimType);
  p.Archi = Texte("Archi", LimArchi);
  if (Version > "1.08") p.Societe = Texte("Societe", LimSociete);
  p.Version = Texte("Version", LimVersion);
  p.Date = Texte("Date", LimDate);
  // Text after the last separator is dropped, as it always was.
  char sep = Version > "1.08" ? SepComment : ';';
  std::string_view reste = Chaine("Comment");
  p.Commentaire.clear();
  for (size_t k = reste.find(sep); k != std::string_view::npos; k = reste.find(sep)) {
    p.Commentaire.push_back(Cp1252VersUtf8(reste.substr(0, k)));
    reste.remove_prefix(k + 1);
  }
}

bool TLecteur::LireSurface(int n, int p) {
  WriteStatusBar(PanneauEtat, rs("rsStLectSurface") + std::to_string(n));
  std::string type = Version < "1.07" ? std::string("SNURBS") : std::string(Chaine("Type", "SNURBS"));
  std::unique_ptr<TEntity> e;
  int nbL = 0, nbC = 0;
  if (type == "SNURBS") {
    e = std::make_unique<TSurface>(p, PrecisionValide(Lu.Precision));
  } else if (type == "MESH") {
    // A mesh grid is its own evaluated grid: 201 x 201 points at most.
    nbL = EntierBorne("NbL", 0, 0, MaxGrille - 1, p);
    nbC = EntierBorne("NbC", 0, 0, MaxGrille - 1, p);
    e = std::make_unique<TDXFSurface>(p, nbC + 1, nbL + 1);
    if (e->NbLnPt != nbL || e->NbColPt != nbC) throw TErreurLecture(rs("rsErrGrilleRedim"));
  } else {
    throw TErreurLecture(Format(rs("rsErrLectType").c_str(), p, Cp1252VersUtf8(type).c_str()));
  }
  e->Nom = Texte("Nom", LimNomSurf);
  e->Poids.Nom = e->Nom;
  Chaine("Num");  // the surface's number is its position
  e->Coul = Entier("Coul", 0);
  e->Alpha = Reel("Alpha", 1);
  e->Ambient = Simple("Ambient", 0);
  e->Specular = Simple("Specular", 0);
  e->Shininess = Simple("Shininess", 0);
  e->Emission = Simple("Emission", 0);
  if (Version <= "1.07")
    e->Orientation = !Booleen("StabNeg", false);
  else
    e->Orientation = Booleen("Orientation", true);
  e->JonctionSym = Booleen("JonctionSym", true);
  e->CG = Booleen("CG", true);
  e->TypePoids = EntierBorne("TypePoids", tpFixeBorde, tpEpaisseurDensite, tpDensiteVolume, p);
  e->Epaisseur = Reel("Epaisseur", 0);
  e->Densite = Reel("Densite", 0);
  e->PoidsParM2 = Reel("PoidsParM2", 0);
  e->Poids.Masse = Reel("Poids", 0);
  Borne("Epaisseur", e->Epaisseur, MaxCoordonnee);
  Borne("Densite", e->Densite, MaxGrandeur);
  Borne("PoidsParM2", e->PoidsParM2, MaxGrandeur);
  Borne("Poids", e->Poids.Masse, MaxGrandeur);

  if (auto* s = dynamic_cast<TSurface*>(e.get())) {
    nbL = Entier("NbL", 0);
    const std::string texteNbL = Derniere();
    const int ligneNbL = Ligne();
    nbC = Entier("NbC", 0);
    if (nbL <= 0 && nbC <= 0) {
      // No vertex at all: that surface is dropped and the surfaces end here.
      Avertit(rs("rsErrLectNbVx") + std::to_string(p));
      return false;
    }
    if (nbL < 1 || nbL > MaxNet) HorsLimites("NbL", p, &texteNbL, ligneNbL);
    if (nbC < 1 || nbC > MaxNet) HorsLimites("NbC", p);
    s->Net.NbLn = nbL;
    s->Net.NbCol = nbC;
    LireSommets(*s, p);
    s->Net.LFlex = EntierBorne("LFlex", 3, MinOrdre, MaxOrdre, p);
    s->Net.CFlex = EntierBorne("CFlex", 3, MinOrdre, MaxOrdre, p);
    s->Net.NumSurf = p;
  } else {
    auto& m = static_cast<TDXFSurface&>(*e);
    // Read again where the writer put them; they must agree with the first read.
    if (Entier("NbL", 0) != nbL) HorsLimites("NbL", p);
    if (Entier("NbC", 0) != nbC) HorsLimites("NbC", p);
    LireMesh(m, nbL, nbC);
  }
  e->Visible = Booleen("Visible", true);
  e->Verrou = Booleen("Verrou", false);
  e->Sym = Booleen("Sym", true);
  e->Calc = Booleen("Calc", true);
  e->Voile = Booleen("Voile", false);
  LirePlanS(*e);
  e->CreateTabCoupes(Lu.Grille.NbSec, Lu.Grille.NbLE, Lu.Grille.NbLong, Lu.Grille.NbDiag);
  Lu.TabSurf.push_back(std::move(e));
  return true;
}

void TLecteur::LireSommets(TSurface& s, int) {
  for (int i = 0; i < s.Net.NbLn; i++)
    for (int j = 0; j < s.Net.NbCol; j++) {
      const std::string cle = NumTexte("V_", i, j);
      std::string_view reste = Chaine(cle);
      double v[4];
      for (double& x : v) {
        std::string_view champ = Decouper(';', reste);
        if (!LitReel(champ, x)) throw TErreurLecture(rs("rsErrLectVertex") + Cp1252VersUtf8(reste));
      }
      for (int k = 0; k < 3; k++) Borne(cle, v[k], MaxCoordonnee);
      Borne(cle, v[3], MaxGrandeur);
      s.Net.PC[i][j] = {v[0], v[1], v[2], v[3]};
    }
}

std::string TLecteur::HorsBorne(const std::string& cle, double v, double limite) {
  if (std::abs(v) <= limite) return {};  // a not-a-number fails too
  const std::string unite = limite == MaxCoordonnee ? " m" : "";
  return Format(rs("rsErrLectHorsBorne"), cle.c_str(), FormatC("%g", v).c_str(),
                (FormatC("%g", limite) + unite).c_str());
}

void TLecteur::Borne(const std::string& cle, double v, double limite) {
  std::string m = HorsBorne(cle, v, limite);
  if (!m.empty()) throw TErreurLecture(m);
}

void TLecteur::LireMesh(TDXFSurface& s, int nbL, int nbC) {
  for (int i = 0; i <= nbL; i++)
    for (int j = 0; j <= nbC; j++) {
      std::string_view reste = Chaine(NumTexte("V_", i, j));
      double v[3];
      for (double& x : v) {
        std::string_view champ = Decouper(';', reste);
        if (!LitReel(champ, x)) throw TErreurLecture(rs("rsErrLectVertex") + Cp1252VersUtf8(reste));
      }
      for (double x : v) Borne(NumTexte("V_", i, j), x, MaxCoordonnee);
      s.Pts[static_cast<size_t>(i)][static_cast<size_t>(j)] = {v[0], v[1], v[2]};
    }
}

void TLecteur::LirePlanS(TEntity& e) {
  TPlanSym& ps = e.PlanSym;
  ps.RAZ();
  std::string_view reste = Chaine("PlanS");
  if (!reste.empty()) {
    double v[12];
    bool ok = true;
    for (double& x : v) ok = ok && LitReel(Decouper(';', reste), x);
    if (ok) {
      ps.Origine = {v[0], v[1], v[2]};
      ps.Axe1 = {v[3], v[4], v[5]};
      ps.Axe2 = {v[6], v[7], v[8]};
      ps.Axe3 = {v[9], v[10], v[11]};
    } else {
      Avertit(rs("rsErrLectPlanS") + Derniere());
    }
  }
  ps.MajPlan();
}

void TLecteur::LireSoudes(int nbFichier) {
  // A count can never exceed the key lines its section holds: a huge count then
  // costs nothing more than the lines that are there.
  const int capacite = Nb / 2;
  int nbGp = std::clamp(Entier("NbGp", 0), 0, capacite);
  std::set<std::tuple<int, int, int>> dejaSoudes;
  for (const TPC& pc : Lu.PCSoudes) dejaSoudes.insert({pc.NumSurf, pc.NumLn, pc.NumCol});
  int ignores = 0;
  for (int g = 0; g < nbGp; g++) {
    TListPC groupe;
    int nbM = std::clamp(Entier(NumTexte("GpS_", g), 0), 0, capacite);
    for (int m = 0; m < nbM; m++) {
      std::string_view reste = Chaine(NumTexte("V_", g, m));
      int v[3];
      bool ok = true;
      for (int& x : v) ok = ok && LitEntier(Decouper(';', reste), x);
      if (!ok) {
        Avertit(rs("rsErrLectSoudes") + Derniere());
        break;
      }
      // A member must name a vertex of a net read from this file.
      TSurface* s = (v[0] >= 0 && v[0] < nbFichier) ? Lu.SurfNurbs(v[0]) : nullptr;
      if (!s || !s->Net.DansNet(v[1], v[2])) {
        ignores++;
        continue;
      }
      TPC pc{v[0] + N0, v[1], v[2]};
      groupe.push_back(pc);
      if (dejaSoudes.insert({pc.NumSurf, pc.NumLn, pc.NumCol}).second) Lu.PCSoudes.push_back(pc);
    }
    if (!groupe.empty()) Lu.GroupesSoudes.push_back(std::move(groupe));
  }
  if (ignores > 0) Avertit(Format(rs("rsErrLectSoudesIgnores").c_str(), ignores));
}

void TLecteur::LireGrille() {
  TGrille& g = Lu.Grille;
  g.NumSc = Entier("NumSc", 0);
  // A list keeps the values read before a bad field; a list longer than the grid's
  // capacity is cut there.
  auto liste = [&](std::string_view cle, const char* msg, TPositionsGrille& pos) {
    std::string_view reste = Chaine(cle);
    int n = 0;
    while (true) {
      std::string_view champ = Decouper(';', reste);
      if (champ.empty()) break;
      double v = 0;
      if (!LitReel(champ, v)) {
        Avertit(rs(msg) + Derniere());
        break;
      }
      if (n >= MaxLignes) {
        Avertit(Format(rs("rsErrLectGrilleTrop").c_str(), std::string(cle).c_str(), MaxLignes));
        break;
      }
      pos[static_cast<size_t>(n++)] = v;
    }
    return n;
  };
  g.NbSec = liste("LSe", "rsErrLectGrilleLSE", g.PosSec);
  g.NbLE = liste("LLe", "rsErrLectGrilleLLE", g.PosLgE);
  g.NbLong = liste("LLg", "rsErrLectGrilleLLg", g.PosLong);
  for (int i = 0; i < g.NbLong; i++)
    g.PosLongSym[static_cast<size_t>(i)] = -g.PosLong[static_cast<size_t>(i)];
  int nbDiag = liste("LDg", "rsErrLectGrilleLDg", g.PosDiag);
  // One angle per diagonal: a diagonal without its angle is dropped.
  int nbAngles = liste("LDgA", "rsErrLectGrilleLDgA", g.AngleDiag);
  g.NbDiag = std::min(nbDiag, nbAngles);
  for (int i = 0; i < g.NbDiag; i++)
    if (!AngleDiagValide(g.AngleDiag[static_cast<size_t>(i)])) {
      Avertit(rs("rsErrLectGrilleLDgA") + FormatReel(g.AngleDiag[static_cast<size_t>(i)], 6));
      g.NbDiag = i;
    }
  // The split count is the dialog's "Scinder en": held to the grid's capacity, not to the
  // sections read (a grid without sections would turn 5 into 0); the drawing bounds it.
  g.NumSc = std::clamp(g.NumSc, 0, MaxLignes);
  Drapeaux.GrilleLue = true;
}

void TLecteur::LireSectionsSuivantes() {
  WriteStatusBar(PanneauEtat, rs("rsStLectVues"));
  if (Section("VUES")) LireVues();
  WriteStatusBar(PanneauEtat, rs("rsStLectGrille"));
  if (N0 == 0 && Section("GRILLE")) LireGrille();
  WriteStatusBar(PanneauEtat, rs("rsStLectOptions"));
  if (Section("OPTIONS")) LireOptions();
  // The dimensions announce themselves only once found.
  if (Section("COTES")) {
    WriteStatusBar(PanneauEtat, rs("rsStLectCotes"));
    LireCotes();
  }
  WriteStatusBar(PanneauEtat, rs("rsStLectCharges"));
  if (Section("BALLAST")) LirePoids(NbFichier);
  WriteStatusBar(PanneauEtat, rs("rsStLectReperes"));
  if (Section("REPERES")) LireReperes(Lu.ListeReperes, "rsErrLectReperes");
  WriteStatusBar(PanneauEtat, rs("rsStLectEnv"));
  if (Section("ENVAHISEMENT")) LireReperes(Lu.ListeReperesEnv, "rsErrLectEnv");
}

void TLecteur::LireVues() {
  static const char* const cles[5] = {"Se", "Pl", "Pf", "Pe", "St"};
  for (size_t k = 0; k < 5; k++) {
    std::string_view reste = Chaine(cles[k]);
    TVueDocument v;
    // A key the file does not have: the window at its origin, at its usual zoom, and said
    // (a zoom of 0 drew nothing).
    if (reste.empty()) {
      v.Echelle = k == 4 ? 10.0f : 100.0f;
      Note(Format(rs("rsLectVueAbsente").c_str(), cles[k], FormatReel(v.Echelle, 0).c_str()));
      Lu.Vues[k] = v;
      continue;
    }
    const int nbAngles = k >= 3 ? 3 : 0;
    bool ok = LitEntier(Decouper(';', reste), v.OrigineX) && LitEntier(Decouper(';', reste), v.OrigineY) &&
              LitReel(Decouper(';', reste), v.Echelle) && std::isfinite(v.Echelle);
    float* angles[3] = {&v.Angle1, &v.Angle2, &v.Angle3};
    for (int a = 0; ok && a < nbAngles; a++) ok = LitReel(Decouper(';', reste), *angles[a]);
    if (!ok) {
      v = TVueDocument{};
      v.Echelle = k == 4 ? 10.0f : 100.0f;
      // The studio's placement is not worth a question.
      if (k < 4) Avertit(Format(rs("rsErrLectVues").c_str(), cles[k]) + Derniere());
    }
    Lu.Vues[k] = v;
  }
  Drapeaux.VuesLues = true;
}

void TLecteur::LireOptions() {
  static const char* const cles[4] = {"ImSe", "ImPl", "ImPf", "ImPe"};
  static const char* const msgs[4] = {"rsErrLectImSe", "rsErrLectImPl", "rsErrLectImPf", "rsErrLectImPe"};
  for (size_t k = 0; k < 4; k++) {
    TImageFondDoc& im = Lu.ImagesFond[k];
    im = TImageFondDoc{};
    std::string_view reste = Chaine(cles[k]);
    if (Version == "1.01") {
      im.Fichier = Cp1252VersUtf8(reste);
      continue;
    }
    // A key the file does not have is an image with no file, not shown: nothing is lost.
    if (reste.empty()) continue;
    im.Fichier = Cp1252VersUtf8(Decouper(';', reste));
    int v[3] = {0, 0, 0};
    bool ok = LitEntier(Decouper(';', reste), v[0]);
    if (ok) im.Affiche = v[0] != 0;
    ok = ok && LitEntier(Decouper(';', reste), im.X) && LitEntier(Decouper(';', reste), im.Y);
    if (!ok) {
      Avertit(rs(msgs[k]) + Derniere());
      continue;
    }
    // The fit has a key of its own, which readers of the four fields pass over; files of
    // an earlier version of the program wrote it after the four fields.
    if (reste.empty()) reste = Chaine(std::string(cles[k]) + "Ajust");
    if (reste.empty()) continue;
    if (!LitEntier(Decouper(';', reste), v[0]) || !LitEntier(Decouper(';', reste), v[1]) ||
        !LitEntier(Decouper(';', reste), v[2])) {
      Avertit(rs(msgs[k]) + Derniere());
      continue;
    }
    im.Ajustement = std::clamp(v[0], 0, 4);
    im.LargeurFixe = std::clamp(v[1], 1, MaxTailleImage);
    im.HauteurFixe = std::clamp(v[2], 1, MaxTailleImage);
  }
  // A picture tied to the model: a key of its own too, written only for such a picture.
  for (size_t k = 0; k < 4; k++) {
    std::string_view reste = Chaine(std::string(cles[k]) + "Cale");
    if (reste.empty()) continue;
    TImageFondDoc& im = Lu.ImagesFond[k];
    bool ok = true;
    for (size_t i = 0; i < 2 && ok; i++)
      ok = LitReel(Decouper(';', reste), im.Px[i]) && LitReel(Decouper(';', reste), im.Py[i]) &&
           LitReel(Decouper(';', reste), im.A[i]) && LitReel(Decouper(';', reste), im.B[i]);
    if (!ok) {
      im.Px = im.Py = im.A = im.B = {};
      Avertit(rs(msgs[k]) + Derniere());
      continue;
    }
    im.Calee = true;
  }
  for (int k = 0; k < 4; k++) {
    std::string_view reste = Chaine(NumTexte("VueP", k));
    if (reste.empty()) continue;  // the slot keeps its state
    TVuePerso p;
    bool ok = LitEntier(Decouper(';', reste), p.OrigineX) && LitEntier(Decouper(';', reste), p.OrigineY) &&
              LitReel(Decouper(';', reste), p.Echelle) && LitReel(Decouper(';', reste), p.Theta) &&
              LitReel(Decouper(';', reste), p.Phi);
    if (!ok) {
      Avertit(Format(rs("rsErrLectVueP").c_str(), k) + Derniere());
      continue;
    }
    p.Sauvee = true;
    Lu.VuesPerso[static_cast<size_t>(k)] = p;
    Drapeaux.VuesPersoLues[static_cast<size_t>(k)] = true;
  }
}

void TLecteur::LireCotes() {
  const int capacite = Capacite();
  for (int k = 1; k <= capacite; k++) {
    std::string_view reste = Chaine(NumTexte("Ct_", k));
    if (reste.empty()) break;
    std::string genre = Cp1252VersUtf8(Decouper(';', reste));
    TCote c;
    if (genre == "Metre" || genre == "Mètre")
      c.Outil.Genre = gmMetre, c.Genre = rs("rsMetre");
    else if (genre == "Rayon")
      c.Outil.Genre = gmRayon, c.Genre = rs("rsRayon");
    else if (genre == "Angle")
      c.Outil.Genre = gmAngle, c.Genre = rs("rsAngle"), c.Outil.Etape = 2;
    else
      continue;  // a kind this program does not know
    c.Texte = c.Outil.Texte = TronqueUtf8(Cp1252VersUtf8(Decouper(';', reste)), LimTexteCote);
    {
      // The value as displayed starts with its number.
      std::string_view t = c.Texte;
      size_t n = 0;
      while (n < t.size() && (std::isdigit(static_cast<unsigned char>(t[n])) || t[n] == '.' || t[n] == '-'))
        n++;
      float v = 0;
      if (LitReel(t.substr(0, n), v)) c.Outil.Valeur = v;
    }
    std::string_view vue = Decouper(';', reste);
    bool ok = true;
    if (vue == "Section")
      c.Outil.Vue = tvSection;
    else if (vue == "Plan")
      c.Outil.Vue = tvPlan;
    else if (vue == "Profile")
      c.Outil.Vue = tvProfil;
    else
      ok = false;
    double v[9];
    for (double& x : v) ok = ok && LitReel(Decouper(';', reste), x);
    if (!ok) {
      Avertit(rs("rsErrLectCotes") + Derniere());
      continue;  // the next key starts afresh
    }
    c.Outil.Point1 = {v[0], v[1], v[2]};
    c.Outil.Point3 = {v[3], v[4], v[5]};
    c.Outil.Point2 = {v[6], v[7], v[8]};
    Lu.ListeCotes.push_back(std::move(c));
  }
}

void TLecteur::LirePoids(int nbFichier) {
  const int capacite = Capacite();
  for (int k = 1; k <= capacite; k++) {
    std::string_view reste = Chaine(NumTexte("Bl_", k));
    if (reste.empty()) continue;
    TPoids p;
    p.Nom = TronqueUtf8(Cp1252VersUtf8(Decouper(';', reste)), LimNomRepere);
    int att = -1;
    bool ok = LitReel(Decouper(';', reste), p.Masse) && LitReel(Decouper(';', reste), p.X) &&
              LitReel(Decouper(';', reste), p.Y) && LitReel(Decouper(';', reste), p.Z) &&
              LitEntier(Decouper(';', reste), att);
    if (!ok) {
      Avertit(rs("rsErrLectBallast") + Derniere());
      continue;
    }
    const std::string cle = NumTexte("Bl_", k);
    std::string hors = HorsBorne(cle, p.Masse, MaxGrandeur);
    for (double c : {p.X, p.Y, p.Z})
      if (hors.empty()) hors = HorsBorne(cle, c, MaxCoordonnee);
    if (!hors.empty()) {
      Avertit(hors);
      continue;
    }
    if (p.Nom == "TOTAL") continue;  // the total is recomputed, never kept
    p.Surface = att >= 0 && att < nbFichier ? att : -1;
    Lu.ListePoids.push_back(std::move(p));
  }
}

template <class R>
void TLecteur::LireReperes(std::vector<R>& liste, const char* msg) {
  const int capacite = Capacite();
  for (int k = 1; k <= capacite; k++) {
    std::string_view reste = Chaine(NumTexte("Rep_", k));
    if (reste.empty()) continue;
    R r;
    r.Nom = TronqueUtf8(Cp1252VersUtf8(Decouper(';', reste)), LimNomRepere);
    if (!LitReel(Decouper(';', reste), r.X) || !LitReel(Decouper(';', reste), r.Y) ||
        !LitReel(Decouper(';', reste), r.Z)) {
      Avertit(rs(msg) + Derniere());
      continue;
    }
    std::string hors;
    for (double c : {r.X, r.Y, r.Z})
      if (hors.empty()) hors = HorsBorne(NumTexte("Rep_", k), c, MaxCoordonnee);
    if (!hors.empty()) {
      Avertit(hors);
      continue;
    }
    liste.push_back(std::move(r));
  }
}

// Brings what was read into the open document: only called once the whole file was read.
void Installe(TDocument& doc, TDocumentLu& l, const std::string& nomFichier, bool fusion) {
  TDocument& lu = l.Doc;
  const int n0 = doc.NbSurf();
  if (!fusion) {
    doc.ListePoids.clear();
    doc.ListeReperes.clear();
    doc.ListeReperesEnv.clear();
    doc.ListeCotes.clear();
  }
  // The lists gain the file's entries; a weight stays on the surface it came with.
  for (TPoids& p : lu.ListePoids) {
    if (p.Surface >= 0) p.Surface += n0;
    doc.ListePoids.push_back(std::move(p));
  }
  for (auto& r : lu.ListeReperes) doc.ListeReperes.push_back(std::move(r));
  for (auto& r : lu.ListeReperesEnv) doc.ListeReperesEnv.push_back(std::move(r));
  for (auto& c : lu.ListeCotes) doc.ListeCotes.push_back(std::move(c));
  for (auto& s : lu.TabSurf) doc.TabSurf.push_back(std::move(s));
  for (auto& g : lu.GroupesSoudes) doc.GroupesSoudes.push_back(std::move(g));
  for (const TPC& pc : lu.PCSoudes)
    if (!PCDansListe(doc.PCSoudes, pc)) doc.PCSoudes.push_back(pc);
  if (fusion) return;  // views, grid and options stay the open document's
  doc.NomFichier = nomFichier;
  doc.Proprietes = lu.Proprietes;
  doc.SectionsBrutes.clear();
  if (l.VuesLues) {
    doc.Vues = lu.Vues;
    doc.VuesLues = true;
  }
  doc.ImagesFond = lu.ImagesFond;
  for (size_t k = 0; k < 4; k++)
    if (l.VuesPersoLues[k]) doc.VuesPerso[k] = lu.VuesPerso[k];
  if (l.GrilleLue) {
    doc.Grille = lu.Grille;
    MinMaxGrille(doc.Grille);
    ReconstruitTablesCoupes(doc);
  }
}

// ===========================================================================
// Writing

// A text in Windows-1252 without line breaks or the separators of its field list.
std::string TexteSansSeparateurs(std::string_view utf8, std::string_view separateurs = {}) {
  std::string s = Utf8VersCp1252(utf8);
  for (char& c : s) {
    if (c == '\r' || c == '\n')
      c = ' ';
    else if (separateurs.find(c) != std::string_view::npos)
      c = '?';
  }
  return s;
}

// A value line is never read back as a key or a section.
std::string SansCrochetDebut(std::string s) {
  size_t i = 0;
  while (i < s.size() && static_cast<unsigned char>(s[i]) <= ' ') i++;
  if (i < s.size() && s[i] == '[') s[i] = '(';
  return s;
}

// A text made safe for one value line.
std::string TexteSur(std::string_view utf8) { return SansCrochetDebut(TexteSansSeparateurs(utf8)); }

class TEcrivain {
 public:
  explicit TEcrivain(TfichierStr& f) : F(f) {}

  void Reel(std::string& s, double v) {
    if (std::isfinite(v))
      AjouteReel4(s, v);
    else
      s += '0', F.NbNonFinis++;
    s += ';';
  }
  void EcrireSurface(const TEntity& e, int n);
  void EcrireSoudes(const TDocument& doc, const std::vector<int>& nums);

 private:
  TfichierStr& F;
  std::string Val;
};

void TEcrivain::EcrireSurface(const TEntity& e, int n) {
  const auto* s = dynamic_cast<const TSurface*>(&e);
  F.EcrireSection(NumTexte("SURF", n));
  F.EcrireChaine("Type", s ? "SNURBS" : "MESH");
  F.EcrireChaine("Nom", TexteSur(e.Nom));
  F.EcrireEntier("Num", n);
  F.EcrireEntier("Coul", e.Coul);
  F.EcrireReel("Alpha", e.Alpha);
  F.EcrireReel("Ambient", e.Ambient);
  F.EcrireReel("Specular", e.Specular);
  F.EcrireReel("Shininess", e.Shininess);
  F.EcrireReel("Emission", e.Emission);
  F.EcrireBooleen("Orientation", e.Orientation);
  F.EcrireBooleen("JonctionSym", e.JonctionSym);
  F.EcrireBooleen("CG", e.CG);
  F.EcrireEntier("TypePoids", e.TypePoids);
  F.EcrireReel("Epaisseur", e.Epaisseur);
  F.EcrireReel("Densite", e.Densite);
  F.EcrireReel("PoidsParM2", e.PoidsParM2);
  F.EcrireReel("Poids", e.Poids.Masse);
  if (s) {
    F.EcrireEntier("NbL", s->Net.NbLn);
    F.EcrireEntier("NbC", s->Net.NbCol);
    for (int i = 0; i < s->Net.NbLn; i++)
      for (int j = 0; j < s->Net.NbCol; j++) {
        const TPtNet& p = s->Net.PC[i][j];
        Val.clear();
        Reel(Val, p.X), Reel(Val, p.Y), Reel(Val, p.Z), Reel(Val, p.W);
        F.EcrireChaine(NumTexte("V_", i, j), Val);
      }
    F.EcrireEntier("LFlex", s->Net.LFlex);
    F.EcrireEntier("CFlex", s->Net.CFlex);
  } else {
    F.EcrireEntier("NbL", e.NbLnPt);
    F.EcrireEntier("NbC", e.NbColPt);
    for (int i = 0; i <= e.NbLnPt; i++)
      for (int j = 0; j <= e.NbColPt; j++) {
        const TVertex3f& p = e.Pts[static_cast<size_t>(i)][static_cast<size_t>(j)];
        Val.clear();
        Reel(Val, p.X), Reel(Val, p.Y), Reel(Val, p.Z);
        F.EcrireChaine(NumTexte("V_", i, j), Val);
      }
  }
  F.EcrireBooleen("Visible", e.Visible);
  F.EcrireBooleen("Verrou", e.Verrou);
  F.EcrireBooleen("Sym", e.Sym);
  F.EcrireBooleen("Calc", e.Calc);
  F.EcrireBooleen("Voile", e.Voile);
  const TPlanSym& ps = e.PlanSym;
  Val.clear();
  for (const TVertex3f* v : {&ps.Origine, &ps.Axe1, &ps.Axe2, &ps.Axe3})
    Reel(Val, v->X), Reel(Val, v->Y), Reel(Val, v->Z);
  F.EcrireChaine("PlanS", Val);
  F.EcrireFin();
}

void TEcrivain::EcrireSoudes(const TDocument& doc, const std::vector<int>& nums) {
  // A member is written under the section number of its surface; members of
  // surfaces not written, or naming no vertex of a net, are left out.
  auto section = [&](int surf) {
    auto it = std::find(nums.begin(), nums.end(), surf);
    return it == nums.end() ? -1 : static_cast<int>(it - nums.begin());
  };
  std::vector<TListPC> groupes;
  for (const TListPC& g : doc.GroupesSoudes) {
    TListPC membres;
    for (const TPC& pc : g) {
      int n = section(pc.NumSurf);
      const TSurface* s = n >= 0 ? dynamic_cast<const TSurface*>(&doc.Surf(pc.NumSurf)) : nullptr;
      if (s && s->Net.DansNet(pc.NumLn, pc.NumCol)) membres.push_back({n, pc.NumLn, pc.NumCol});
    }
    if (!membres.empty()) groupes.push_back(std::move(membres));
  }
  F.EcrireSection("SOUDES");
  F.EcrireEntier("NbGp", static_cast<long long>(groupes.size()));
  for (size_t g = 0; g < groupes.size(); g++) {
    F.EcrireEntier(NumTexte("GpS_", static_cast<int>(g)), static_cast<long long>(groupes[g].size()));
    for (size_t m = 0; m < groupes[g].size(); m++) {
      const TPC& pc = groupes[g][m];
      F.EcrireChaine(NumTexte("V_", static_cast<int>(g), static_cast<int>(m)),
                     std::to_string(pc.NumSurf) + ";" + std::to_string(pc.NumLn) + ";" +
                         std::to_string(pc.NumCol) + ";");
    }
  }
  F.EcrireFin();
}

std::string ListeGrille(const TGrille& g, TFamilleLignes f, const TPositionsGrille& pos) {
  std::string s;
  const int n = g.NombreValide(f);
  for (int i = 0; i < n; i++) {
    double v = pos[static_cast<size_t>(i)];
    s += FormatReel(std::isfinite(v) ? v : 0, 6);
    s += ';';
  }
  return s;
}

void EcrireGrille(TfichierStr& f, const TGrille& g) {
  f.EcrireEntier("NumSc", g.NumSc);
  f.EcrireChaine("LSe", ListeGrille(g, flSections, g.PosSec));
  f.EcrireChaine("LLe", ListeGrille(g, flLignesEau, g.PosLgE));
  f.EcrireChaine("LLg", ListeGrille(g, flLongitudinales, g.PosLong));
  f.EcrireChaine("LDg", ListeGrille(g, flDiagonales, g.PosDiag));
  f.EcrireChaine("LDgA", ListeGrille(g, flDiagonales, g.AngleDiag));
}

// A name or text made safe for one field of a ";" list.
std::string Champ(std::string_view utf8) { return TexteSansSeparateurs(utf8, ";"); }

void EcrireSectionsSuivantes(TfichierStr& f, const TDocument& doc, const std::vector<int>& nums) {
  static const char* const clesVues[5] = {"Se", "Pl", "Pf", "Pe", "St"};
  f.EcrireSection("VUES");
  for (size_t k = 0; k < 5; k++) {
    const TVueDocument& v = doc.Vues[k];
    std::string t =
        std::to_string(v.OrigineX) + ";" + std::to_string(v.OrigineY) + ";" + TexteReel4(v.Echelle) + ";";
    if (k >= 3)
      for (float a : {v.Angle1, v.Angle2, v.Angle3}) t += TexteReel4(a) + ";";
    f.EcrireChaine(clesVues[k], t);
  }
  f.EcrireFin();

  f.EcrireSection("GRILLE");
  EcrireGrille(f, doc.Grille);
  f.EcrireFin();

  static const char* const clesImages[4] = {"ImSe", "ImPl", "ImPf", "ImPe"};
  f.EcrireSection("OPTIONS");
  for (size_t k = 0; k < 4; k++) {
    const TImageFondDoc& im = doc.ImagesFond[k];
    // The four fields of the format; the fit in a key of its own, which other readers skip.
    f.EcrireChaine(clesImages[k], SansCrochetDebut(Champ(im.Fichier)) + ";" + (im.Affiche ? "1" : "0") + ";" +
                                      std::to_string(im.X) + ";" + std::to_string(im.Y) + ";");
  }
  for (size_t k = 0; k < 4; k++) {
    const TImageFondDoc& im = doc.ImagesFond[k];
    const TImageFondDoc parDefaut;
    if (im.Ajustement == parDefaut.Ajustement && im.LargeurFixe == parDefaut.LargeurFixe &&
        im.HauteurFixe == parDefaut.HauteurFixe)
      continue;
    f.EcrireChaine(std::string(clesImages[k]) + "Ajust",
                   std::to_string(std::clamp(im.Ajustement, 0, 4)) + ";" +
                       std::to_string(std::clamp(im.LargeurFixe, 1, MaxTailleImage)) + ";" +
                       std::to_string(std::clamp(im.HauteurFixe, 1, MaxTailleImage)) + ";");
  }
  for (size_t k = 0; k < 4; k++) {
    const TImageFondDoc& im = doc.ImagesFond[k];
    if (!im.Calee) continue;
    std::string v;
    for (size_t i = 0; i < 2; i++)
      v += TexteReel4(im.Px[i]) + ";" + TexteReel4(im.Py[i]) + ";" + TexteReel4(im.A[i]) + ";" +
           TexteReel4(im.B[i]) + ";";
    f.EcrireChaine(std::string(clesImages[k]) + "Cale", v);
  }
  for (size_t k = 0; k < 4; k++) {
    const TVuePerso& p = doc.VuesPerso[k];
    if (!p.Sauvee) continue;
    f.EcrireChaine(NumTexte("VueP", static_cast<int>(k)),
                   std::to_string(p.OrigineX) + ";" + std::to_string(p.OrigineY) + ";" +
                       TexteReel4(p.Echelle) + ";" + TexteReel4(p.Theta) + ";" + TexteReel4(p.Phi) + ";");
  }
  f.EcrireFin();

  f.EcrireSection("COTES");
  int k = 0;
  for (const TCote& c : doc.ListeCotes) {
    const char* genre = c.Genre == rs("rsRayon") ? "Rayon" : c.Genre == rs("rsAngle") ? "Angle" : "Metre";
    const int vue = c.Outil.Vue;
    const char* nomVue = vue == tvPlan ? "Plan" : vue == tvProfil ? "Profile" : "Section";
    std::string t = std::string(genre) + ";" + Champ(c.Texte) + ";" + nomVue + ";";
    for (const TVertex3f* p : {&c.Outil.Point1, &c.Outil.Point3, &c.Outil.Point2})
      for (double x : {p->X, p->Y, p->Z}) t += TexteReel4(x) + ";";
    f.EcrireChaine(NumTexte("Ct_", ++k), t);
  }
  f.EcrireFin();

  // Attachments are written as the index of the surface in this file, -1 for none.
  f.EcrireSection("BALLAST");
  k = 0;
  for (const TPoids& p : doc.ListePoids) {
    auto it = std::find(nums.begin(), nums.end(), p.Surface);
    const int att = p.Surface >= 0 && it != nums.end() ? static_cast<int>(it - nums.begin()) : -1;
    f.EcrireChaine(NumTexte("Bl_", ++k), SansCrochetDebut(Champ(p.Nom)) + ";" + TexteReel(p.Masse, 4) + ";" +
                                             TexteReel(p.X, 4) + ";" + TexteReel(p.Y, 4) + ";" +
                                             TexteReel(p.Z, 4) + ";" + std::to_string(att) + ";");
  }
  f.EcrireFin();

  auto reperes = [&](const char* section, const auto& liste) {
    f.EcrireSection(section);
    int n = 0;
    for (const TRepere& r : liste)
      f.EcrireChaine(NumTexte("Rep_", ++n), SansCrochetDebut(Champ(r.Nom)) + ";" + TexteReel4(r.X) + ";" +
                                                TexteReel4(r.Y) + ";" + TexteReel4(r.Z) + ";");
    f.EcrireFin();
  };
  reperes("REPERES", doc.ListeReperes);
  reperes("ENVAHISEMENT", doc.ListeReperesEnv);
}

// Whether the reader would take the surface back; the message otherwise.
bool SurfaceEcrivable(const TEntity& e, int n, std::string* erreur) {
  bool ok = true;
  std::string cle;
  if (const auto* s = dynamic_cast<const TSurface*>(&e)) {
    if (s->Net.NbLn < 1 || s->Net.NbLn > MaxNet)
      ok = false, cle = "NbL";
    else if (s->Net.NbCol < 1 || s->Net.NbCol > MaxNet)
      ok = false, cle = "NbC";
    else if (s->Net.LFlex < MinOrdre || s->Net.LFlex > MaxOrdre)
      ok = false, cle = "LFlex";
    else if (s->Net.CFlex < MinOrdre || s->Net.CFlex > MaxOrdre)
      ok = false, cle = "CFlex";
  } else {
    if (e.NbLnPt < 0 || e.NbLnPt >= MaxGrille || e.Pts.size() != static_cast<size_t>(e.NbLnPt + 1))
      ok = false, cle = "NbL";
    else if (e.NbColPt < 0 || e.NbColPt >= MaxGrille)
      ok = false, cle = "NbC";
    else
      for (const auto& row : e.Pts)
        if (row.size() != static_cast<size_t>(e.NbColPt + 1)) ok = false, cle = "NbC";
  }
  if (ok && (e.TypePoids < tpEpaisseurDensite || e.TypePoids > tpDensiteVolume))
    ok = false, cle = "TypePoids";
  if (!ok && erreur) *erreur = Format(rs("rsErrEcritSurface").c_str(), e.Nom.c_str(), n, cle.c_str());
  return ok;
}

}  // namespace

// ===========================================================================

std::string TConstat::Texte() const {
  if (Ligne <= 0) return Message;
  return Message + Format(rs("rsErrLectLieu").c_str(), Fichier.c_str(), Ligne);
}

bool TResultatLecture::Partielle() const {
  return std::any_of(Constats.begin(), Constats.end(),
                     [](const TConstat& c) { return c.Gravite == TGravite::Avertissement; });
}

std::string TResultatLecture::Erreur() const {
  for (const TConstat& c : Constats)
    if (c.Gravite == TGravite::Erreur) return c.Texte();
  return {};
}

std::vector<std::string> TResultatLecture::Notes() const {
  std::vector<std::string> v;
  for (const TConstat& c : Constats)
    if (c.Gravite == TGravite::Note) v.push_back(c.Texte());
  return v;
}

std::vector<std::string> TResultatLecture::Avertissements() const {
  std::vector<std::string> v;
  for (const TConstat& c : Constats)
    if (c.Gravite == TGravite::Avertissement) v.push_back(c.Texte());
  return v;
}

TResultatLecture LitLignes(const TDocument& cible, TfichierStr& f, const std::string& nomFichier,
                           const TOptionsLecture&) {
  TRACE("GestFich.LitDocument");
  TResultatLecture r;
  r.Fichier = nomFichier;
  r.N0 = cible.NbSurf();
  auto lu = std::make_unique<TDocumentLu>();
  lu->Doc.Precision = cible.Precision;
  lu->Doc.Grille = cible.Grille;
  TLecteur lecteur(f, *lu, r.N0, nomFichier);
  try {
    lecteur.Lire();
  } catch (const TErreurLecture& e) {
    r.Constats = std::move(lecteur.Constats);
    r.Constats.push_back(lecteur.Constat(TGravite::Erreur, e.what()));
    if (e.Ligne > 0) r.Constats.back().Ligne = e.Ligne;
    DbgErr(erFichier, "GestFich.OuvrirFichier", 0, {r.Constats.back().Texte(), nomFichier});
    WriteStatusBar(PanneauEtat, "");
    return r;
  } catch (const std::exception& e) {
    // bad_alloc and the like end the read the same way: nothing read is kept.
    r.Constats = std::move(lecteur.Constats);
    r.Constats.push_back(lecteur.Constat(TGravite::Erreur, e.what()));
    DbgErr(erFichier, "GestFich.OuvrirFichier", 0, {r.Constats.back().Texte(), nomFichier});
    WriteStatusBar(PanneauEtat, "");
    return r;
  }
  r.Constats = std::move(lecteur.Constats);
  r.Contenu = std::move(lu);
  return r;
}

TResultatLecture LitFichier(const TDocument& cible, const std::string& nomFichier,
                            const TOptionsLecture& opt) {
  TRACE("GestFich.OuvrirFichier");
  TCurseurAttente attente;
  WriteStatusBar(PanneauEtat, rs("rsStOuverture"));
  TfichierStr f;
  std::string msg;
  if (!f.Charger(nomFichier, &msg)) {
    DbgErr(erFichier, "GestFich.OuvrirFichier", 0, {msg});
    WriteStatusBar(PanneauEtat, "");
    TResultatLecture r;
    r.Fichier = nomFichier;
    r.N0 = cible.NbSurf();
    r.Constats.push_back({TGravite::Erreur, nomFichier, 0, msg});
    return r;
  }
  return LitLignes(cible, f, nomFichier, opt);
}

bool InstalleLecture(TDocument& doc, TResultatLecture& r, const TOptionsLecture& opt) {
  TRACE("GestFich.InstalleLecture");
  // Surfaces were numbered, welds and weights attached, for that many surfaces before them.
  if (r.Refusee() || doc.NbSurf() != r.N0) return false;
  std::unique_ptr<TDocumentLu> lu = std::move(r.Contenu);
  const std::string& nomFichier = r.Fichier;
  const int n0 = r.N0;
  const bool fusion = r.Fusion();
  Installe(doc, *lu, nomFichier, fusion);
  if (!fusion && !lu->GrilleLue) {
    // A file that kept no grid gets the standard one over its own extents. Measuring
    // them evaluates the surfaces; a read that asked for no evaluation (a conversion)
    // still writes back the weights the file gave.
    std::vector<double> masses;
    for (const auto& s : doc.TabSurf) masses.push_back(s->Poids.Masse);
    const TPoids total = doc.PoidsTotal;
    MajSurface(doc, true, -1);
    GrilleParDefaut(doc);
    if (!opt.Evaluer) {
      for (size_t k = 0; k < masses.size(); k++) doc.TabSurf[k]->Poids.Masse = masses[k];
      doc.PoidsTotal = total;
    }
  }
  if (r.Partielle()) {
    doc.FichierLuAvecErreurs = nomFichier;
    doc.ErreursLecture = r.Avertissements();
  }
  if (fusion)
    doc.MarqueModifie();
  else
    doc.MarqueEnregistre();
  for (int k = 0; k < doc.NbSurf(); k++)
    if (TSurface* s = doc.SurfNurbs(k)) {
      s->Net.AfficheLn = s->Net.AfficheCol = true;
      s->Net.LnActive = s->Net.ColActive = -1;
    }
  if (opt.Evaluer) {
    MajSurface(doc, true, -1);
    MajCoupesSurface(doc);
  }
  PCCourantPremierLibre(doc);
  WriteStatusBar(PanneauEtat, rs("rsStMajMinMax"));
  MajMinMaxAllNet(doc, false);
  MajMinMaxAllSurf(doc);
  WriteStatusBar(PanneauEtat, "");
  // What was read, for the debug window: a wrong count is seen before anything is drawn.
  DbgMsgS({"GestFich.LitDocument", nomFichier, DbgVal(doc.NbSurf())});
  for (int k = n0; k < doc.NbSurf(); k++) {
    const TEntity& e = doc.Surf(k);
    const TSurface* s = doc.SurfNurbs(k);
    DbgMsgS({e.Nom, DbgVal(s ? s->Net.NbLn : e.NbLnPt), DbgVal(s ? s->Net.NbCol : e.NbColPt),
             DbgVal(e.Poids.Masse)});
  }
  return true;
}

namespace {
bool Prend(TDocument& doc, TResultatLecture r, const TOptionsLecture& opt, std::string* erreur,
           TResultatLecture* resultat) {
  const bool ok = InstalleLecture(doc, r, opt);
  if (!ok && erreur) *erreur = r.Erreur();
  if (resultat) *resultat = std::move(r);
  return ok;
}
}  // namespace

bool LitDocument(TDocument& doc, TfichierStr& f, const std::string& nomFichier, const TOptionsLecture& opt,
                 std::string* erreur, TResultatLecture* resultat) {
  return Prend(doc, LitLignes(doc, f, nomFichier, opt), opt, erreur, resultat);
}

bool OuvrirFichier(TDocument& doc, const std::string& nomFichier, const TOptionsLecture& opt,
                   std::string* erreur, TResultatLecture* resultat) {
  return Prend(doc, LitFichier(doc, nomFichier, opt), opt, erreur, resultat);
}

bool ConstruitFichier(const TDocument& doc, const std::vector<int>& nums, TfichierStr& f,
                      std::string* erreur) {
  TRACE("GestFich.EnregistrerFichier");
  for (size_t n = 0; n < nums.size(); n++) {
    if (nums[n] < 0 || nums[n] >= doc.NbSurf()) {
      if (erreur) *erreur = Format(rs("rsErrEcritSurface").c_str(), "", static_cast<int>(n), "Num");
      return false;
    }
    if (!SurfaceEcrivable(doc.Surf(nums[n]), static_cast<int>(n), erreur)) return false;
  }
  // About 50 bytes and two lines per vertex, plus the fixed keys of each section.
  size_t sommets = 0;
  for (int k : nums) {
    const TEntity& e = doc.Surf(k);
    const auto* s = dynamic_cast<const TSurface*>(&e);
    sommets += s ? static_cast<size_t>(s->Net.NbLn * s->Net.NbCol)
                 : static_cast<size_t>((e.NbLnPt + 1) * (e.NbColPt + 1));
  }
  f.Reserve(sommets * 50 + 4096, sommets * 2 + 256);
  f.EcrireSection("HEADER");
  f.EcrireChaine("Version", VersionDocument);
  f.EcrireFin();

  const TPropFich& p = doc.Proprietes;
  f.EcrireSection("MAIN");
  f.EcrireChaine("Titre", TexteSur(p.Titre));
  f.EcrireChaine("Type", TexteSur(p.Type));
  f.EcrireChaine("Archi", TexteSur(p.Archi));
  f.EcrireChaine("Societe", TexteSur(p.Societe));
  f.EcrireChaine("Version", TexteSur(p.Version));
  f.EcrireChaine("Date", TexteSur(p.Date));
  std::string comment;
  for (const auto& l : p.Commentaire) {
    // A separator inside a line would split it in two on reading.
    comment += TexteSansSeparateurs(l, std::string_view(&SepComment, 1));
    comment += SepComment;
  }
  f.EcrireChaine("Comment", SansCrochetDebut(std::move(comment)));
  f.EcrireFin();

  TEcrivain ecr(f);
  for (size_t n = 0; n < nums.size(); n++) ecr.EcrireSurface(doc.Surf(nums[n]), static_cast<int>(n));
  ecr.EcrireSoudes(doc, nums);

  EcrireSectionsSuivantes(f, doc, nums);
  return true;
}

bool MemeFichier(const std::string& a, const std::string& b) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::exists(a, ec) && fs::exists(b, ec)) {
    bool meme = fs::equivalent(a, b, ec);
    if (!ec) return meme;
  }
  return fs::weakly_canonical(a, ec) == fs::weakly_canonical(b, ec);
}

bool FichierLectureSeule(const std::string& chemin) {
  struct stat st {};
  if (::stat(chemin.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  // Root may write anything: the file's own bits still say what its owner meant. A
  // read-only file system is no property of the file: the write fails and says why.
  if ((st.st_mode & 0222) == 0) return true;
  return ::access(chemin.c_str(), W_OK) != 0 && errno != EROFS;
}

// A byte copy written atomically: a copy cut short never replaces a good backup.
bool SaveBackupFileFichier(const std::string& chemin, std::string* erreur) {
  constexpr size_t MaxTailleSauvegarde = size_t{1} << 28;
  std::string octets;
  switch (LitFichierOrdinaire(chemin, MaxTailleSauvegarde, octets, erreur)) {
    case TLectureFichier::Ok:
      return EcritFichierAtomique(NomSauvegarde(chemin), octets, erreur);
    case TLectureFichier::Absent:
      return true;
    default:
      return false;
  }
}

bool EnregistrerFichier(TDocument& doc, const std::vector<int>& nums, const std::string& chemin,
                        std::string* erreur) {
  TRACE("GestFich.EnregistrerFichier");
  TCurseurAttente attente;
  if (!doc.FichierLuAvecErreurs.empty() && MemeFichier(chemin, doc.FichierLuAvecErreurs)) {
    // The file still holds what the reader could not take: replacing it loses that for good.
    std::string q = Format(rs("rsQuestEcraserErreurs").c_str(), chemin.c_str());
    if (AfficheMessage(q, mtWarning, mbYes | mbNo) != mrYes) {
      if (erreur) erreur->clear();
      return false;
    }
  }
  if (FichierLectureSeule(chemin)) {
    std::string q = Format(rs("rsQuestEcraserLectureSeule").c_str(), chemin.c_str());
    if (AfficheMessage(q, mtWarning, mbYes | mbNo) != mrYes) {
      if (erreur) erreur->clear();
      return false;
    }
  }
  TfichierStr f;
  std::string raison;
  bool ok = ConstruitFichier(doc, nums, f, &raison);
  std::string msg = raison;
  // The backup is taken only once the new text is safely on disk beside the file: a
  // save that fails on a full or read-only disk leaves both the file and its backup.
  bool echecBak = false;
  auto sauvegarde = [&](std::string* e) {
    echecBak = !SaveBackupFileFichier(chemin, e);
    return !echecBak;
  };
  if (ok && !f.Enregistrer(chemin, &raison, sauvegarde)) {
    ok = false;
    msg = echecBak ? Format(rs("rsErrSauvegardeBak").c_str(), NomSauvegarde(chemin).c_str(), raison.c_str())
                   : Format(rs("rsErrEcritureFichier").c_str(), chemin.c_str(), raison.c_str());
  }
  if (!ok) {
    DbgErr(erFichier, "GestFich.EnregistrerFichier", 0, {msg});
    // A caller that takes the message shows it: shown here too, it would come twice.
    if (erreur)
      *erreur = msg;
    else
      AfficheMessage(msg, mtError, mbOK);
    return false;
  }
  if (f.NbNonFinis > 0) {
    std::string w = Format(rs("rsErrEcritNonFinis").c_str(), f.NbNonFinis);
    DbgErr(erFichier, "GestFich.EnregistrerFichier", f.NbNonFinis, {w});
    AfficheMessage(w, mtWarning, mbOK);
  }
  bool tout = static_cast<int>(nums.size()) == doc.NbSurf();
  for (size_t n = 0; tout && n < nums.size(); n++) tout = nums[n] == static_cast<int>(n);
  if (tout && chemin == doc.NomFichier) doc.MarqueEnregistre();
  if (tout && !doc.FichierLuAvecErreurs.empty() && MemeFichier(chemin, doc.FichierLuAvecErreurs)) {
    doc.FichierLuAvecErreurs.clear();
    doc.ErreursLecture.clear();
  }
  return true;
}

bool EnregistrerFichierAll(TDocument& doc, bool recovery, std::string* erreur) {
  std::vector<int> nums(static_cast<size_t>(doc.NbSurf()));
  for (int k = 0; k < doc.NbSurf(); k++) nums[static_cast<size_t>(k)] = k;
  // The recovery copy is not the document's own file: its name and modified
  // state stay, so that the real file is still asked for at exit.
  // An absolute name, so that the recent files still find it from another folder.
  const std::string recup = std::filesystem::absolute("recovery.kvb").string();
  return EnregistrerFichier(doc, nums, recovery ? recup : doc.NomFichier, erreur);
}
