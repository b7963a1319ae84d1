// Self-watching of the program: the call trace (which procedures ran last),
// the diagnostics entries (errors caught and recorded), and the "Error.log"
// lines written after an uncaught error.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

constexpr int TraceLongNom = 30;  // a name is cut to this many characters
constexpr int TraceTailleAnneau = 10;
constexpr int TraceTaillePile = 30;

struct TTrace {
  std::array<std::string, TraceTailleAnneau> Anneau;
  int Position = 0;  // next write position in the ring
  std::array<std::string, TraceTaillePile> Pile;
  int Profondeur = 0;
};

// The calling thread's trace (the interface thread's is the one reported).
TTrace& Trace();
// Cheap enough for the calculations' inner procedures: the names are copied into
// storage kept from call to call.
void TraceEntree(std::string_view nom);
void TraceSortie();
void TraceRAZ();
// The last name entered, or "" when none.
std::string TraceDerniere();
// The ten ring names, newest first.
std::vector<std::string> TraceAnneauRecent();

// Records a procedure on entry and removes it on exit, also when an error leaves.
class TTraceScope {
 public:
  explicit TTraceScope(const char* nom) { TraceEntree(nom); }
  ~TTraceScope() { TraceSortie(); }
  TTraceScope(const TTraceScope&) = delete;
  TTraceScope& operator=(const TTraceScope&) = delete;
};

#define BRIVANE_CAT2(a, b) a##b
#define BRIVANE_CAT(a, b) BRIVANE_CAT2(a, b)
#define TRACE(nom) TTraceScope BRIVANE_CAT(_trace_, __LINE__)(nom)

// Diagnostics entry types.
enum TTypeErr : int { erDivZero = 0, erCalcul = 1, erDivers = 2, erGLdll = 3, erFichier = 4, waTrace = 5 };
std::string TexteTypeErr(int type);

struct TDbgEntree {
  int Type = erDivers;
  std::string Nom;  // empty for a trace message
  int Index = 0;
  std::vector<std::string> Valeurs;
};

// Values of an entry: integers as plain decimals, reals "%.4f", texts as they are.
std::string DbgVal(int v);
std::string DbgVal(long long v);
std::string DbgVal(double v);
std::string DbgVal(const std::string& v);
std::string DbgVal(const char* v);

// The text sent to the outside debugger for one entry.
std::string TexteEnvoiDbg(const TDbgEntree& e);

struct TDebugConfig {
  bool ModeDebug = false;     // "-d" on the command line
  bool TracesActives = true;  // the "Traces actives" button is down at start
  // Receives every entry that passes the filters (the debug window, the debugger link).
  std::function<void(const TDbgEntree&)> Recepteur;
};
TDebugConfig& DebugConfig();

void DbgErr(int type, const std::string& nom, int index, std::vector<std::string> valeurs = {});
void DbgMsgS(std::vector<std::string> valeurs);

// One "Error.log" line: date and time, last procedure, message, the ring newest first.
std::string LigneErrorLog(const std::string& dateHeure, const std::string& message);

// The log keeps the newest lines only: it would otherwise grow at every error for years.
constexpr int ErrorLogMaxLignes = 1000;
constexpr size_t ErrorLogMaxOctets = size_t{1} << 20;

struct TResultatErrorLog {
  bool Ecrit = false;
  std::string Chemin;              // the file written (or tried)
  bool LectureImpossible = false;  // the existing log could not be read: it was left as it was
  std::string Erreur;              // why nothing was written
};
// Inserts the line at the head of the log (newest first, at most ErrorLogMaxLignes lines and
// ErrorLogMaxOctets bytes: the oldest go), creating it when absent. A log that exists but
// cannot be read is never replaced by the new line alone: the line goes to chemin + ".new"
// instead (prepended there in the same way), and LectureImpossible says so.
TResultatErrorLog AjouteErrorLog(const std::string& chemin, const std::string& ligne);
// The current date and time in the user's regional format.
std::string DateHeureLocale();

// One line of the debug window's export ("QZDbg.txt"): procedure | index | Val1 | Val2 | Val3.
std::string LigneExportDbg(const TDbgEntree& e);

// Set while the handler of an uncaught error works: the views do not redraw meanwhile.
bool GestionErreurEnCours();
class TGestionErreurEnCours {
 public:
  TGestionErreurEnCours();
  ~TGestionErreurEnCours();
  TGestionErreurEnCours(const TGestionErreurEnCours&) = delete;
  TGestionErreurEnCours& operator=(const TGestionErreurEnCours&) = delete;

 private:
  bool Avant;
};
