// Call trace, diagnostics entries and the error log.
#include "base/Debug.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>

#include "base/Encodage.h"
#include "base/FichierStr.h"

// Each thread keeps its own trace: the calculations that share work between threads would
// otherwise write the same ring at once. The user-interface thread's is the one reported.
TTrace& Trace() {
  static thread_local TTrace t;
  return t;
}

void TraceEntree(std::string_view nom) {
  TTrace& t = Trace();
  const std::string_view n = nom.substr(0, TraceLongNom);
  t.Anneau[static_cast<size_t>(t.Position)].assign(n);
  t.Position = (t.Position + 1) % TraceTailleAnneau;
  // A full stack overwrites its innermost entry.
  if (t.Profondeur > TraceTaillePile - 1) t.Profondeur = TraceTaillePile - 1;
  if (t.Profondeur < 0) t.Profondeur = 0;
  t.Pile[static_cast<size_t>(t.Profondeur)].assign(n);
  t.Profondeur++;
}

void TraceSortie() {
  TTrace& t = Trace();
  if (t.Profondeur > 0) t.Profondeur--;
  t.Pile[t.Profondeur].clear();
}

void TraceRAZ() {
  TTrace& t = Trace();
  for (auto& n : t.Anneau) n.clear();
  for (auto& n : t.Pile) n.clear();
  t.Position = 0;
  t.Profondeur = 0;
}

std::string TraceDerniere() {
  const TTrace& t = Trace();
  return t.Anneau[(t.Position + TraceTailleAnneau - 1) % TraceTailleAnneau];
}

std::vector<std::string> TraceAnneauRecent() {
  const TTrace& t = Trace();
  std::vector<std::string> r;
  for (int k = 1; k <= TraceTailleAnneau; k++)
    r.push_back(t.Anneau[(t.Position + TraceTailleAnneau - k) % TraceTailleAnneau]);
  return r;
}

std::string TexteTypeErr(int type) {
  switch (type) {
    case erDivZero:
      return "erDivZero";
    case erDivers:
      return "erDivers";
    case erGLdll:
      return "erGLdll";
    case erFichier:
      return "erFichier";
    case waTrace:
      return "waTrace";
    default:
      return "erInconnue";
  }
}

std::string DbgVal(int v) { return std::to_string(v); }
std::string DbgVal(long long v) { return std::to_string(v); }
std::string DbgVal(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.4f", v);
  return buf;
}
std::string DbgVal(const std::string& v) { return v; }
std::string DbgVal(const char* v) { return v ? v : ""; }

std::string TexteEnvoiDbg(const TDbgEntree& e) {
  std::string s;
  if (!e.Nom.empty())
    s = "TMsgLong|" + TexteTypeErr(e.Type) + "|" + e.Nom + "|" + std::to_string(e.Index) + "|";
  s += std::to_string(e.Valeurs.size()) + "|";
  for (const auto& v : e.Valeurs) s += v + "|";
  return s;
}

TDebugConfig& DebugConfig() {
  static TDebugConfig c;
  return c;
}

void DbgErr(int type, const std::string& nom, int index, std::vector<std::string> valeurs) {
  const TDebugConfig& c = DebugConfig();
  if (!c.ModeDebug || !c.Recepteur) return;
  if (type == waTrace && !c.TracesActives) return;
  try {
    static std::mutex verrou;  // entries may come from the threads of a shared calculation
    std::lock_guard<std::mutex> garde(verrou);
    c.Recepteur(TDbgEntree{type, nom, index, std::move(valeurs)});
  } catch (...) {
    // A failure while recording must not disturb the procedure that recorded.
  }
}

void DbgMsgS(std::vector<std::string> valeurs) { DbgErr(waTrace, "", 0, std::move(valeurs)); }

std::string LigneErrorLog(const std::string& dateHeure, const std::string& message) {
  std::string l = dateHeure + " : " + TraceDerniere() + " . " + message + " . Stack = ";
  for (const auto& n : TraceAnneauRecent()) l += n + " | ";
  return l;
}

namespace {

// The newest lines of an existing log, within the bounds once the new line is counted.
// False when the file exists and cannot be read.
bool LitErrorLog(const std::string& chemin, size_t place, std::vector<std::string>& lignes) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (!fs::exists(chemin, ec)) return !ec;
  if (fs::is_directory(chemin, ec)) return false;
  std::ifstream in(chemin, std::ios::binary);
  if (!in) return false;
  size_t octets = 0;
  std::string l;
  while (lignes.size() + 1 < static_cast<size_t>(ErrorLogMaxLignes) && std::getline(in, l)) {
    if (!l.empty() && l.back() == '\r') l.pop_back();
    if (octets + l.size() + 2 > place) break;
    octets += l.size() + 2;
    lignes.push_back(std::move(l));
  }
  return !in.bad();
}

bool EcritErrorLog(const std::string& chemin, const std::string& ligne, TResultatErrorLog& r) {
  const std::string tete = Utf8VersCp1252(ligne) + "\r\n";
  std::vector<std::string> lignes;
  const size_t place = tete.size() < ErrorLogMaxOctets ? ErrorLogMaxOctets - tete.size() : 0;
  if (!LitErrorLog(chemin, place, lignes)) {
    r.LectureImpossible = true;
    return false;
  }
  std::string texte = tete;
  for (const auto& l : lignes) texte += l + "\r\n";
  r.Chemin = chemin;
  // Through a temporary file: a crash in the middle never leaves half a log.
  r.Ecrit = EcritFichierAtomique(chemin, texte, &r.Erreur);
  return true;
}

}  // namespace

TResultatErrorLog AjouteErrorLog(const std::string& chemin, const std::string& ligne) {
  TResultatErrorLog r;
  r.Chemin = chemin;
  if (EcritErrorLog(chemin, ligne, r)) return r;
  // Someone else's log, or a damaged one: kept for whoever reads it; ours goes beside it.
  TResultatErrorLog a;
  if (!EcritErrorLog(chemin + ".new", ligne, a)) {
    r.Chemin = chemin + ".new";
    r.Erreur = "unreadable";
    return r;
  }
  a.LectureImpossible = true;
  return a;
}

std::string LigneExportDbg(const TDbgEntree& e) {
  std::string l = e.Nom + " | " + std::to_string(e.Index);
  for (size_t i = 0; i < 3; i++) l += " | " + (i < e.Valeurs.size() ? e.Valeurs[i] : std::string());
  return l;
}

namespace {
bool EnGestionErreur = false;
}

bool GestionErreurEnCours() { return EnGestionErreur; }
TGestionErreurEnCours::TGestionErreurEnCours() : Avant(EnGestionErreur) { EnGestionErreur = true; }
TGestionErreurEnCours::~TGestionErreurEnCours() { EnGestionErreur = Avant; }

std::string DateHeureLocale() {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  char buf[64];
  std::strftime(buf, sizeof buf, "%x %X", &tm);
  return buf;
}
