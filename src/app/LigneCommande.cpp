// Command-line parsing.
#include "app/LigneCommande.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <algorithm>
#include <cctype>
#include <charconv>

#include "model/NetGest.h"
#include "ui/Registre.h"

namespace {

bool Entier(const std::string& s, int& v) {
  if (s.empty()) return false;
  const char* fin = s.data() + s.size();
  auto r = std::from_chars(s.data(), fin, v);
  return r.ec == std::errc() && r.ptr == fin;
}

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

// The options, one parser for the analysis and the help alike.
struct TOptions {
  QCommandLineParser P;
  QCommandLineOption Aide{QStringList{"h", "help"}, "Show this help and leave."};
  QCommandLineOption Version{QStringList{"v", "version"}, "Show the version and leave."};
  QCommandLineOption Debug{"d", "Debug mode: the diagnostics window and the trace."};
  QCommandLineOption Port{"p", "The port of the debug link (4444 by default).", "PORT"};
  QCommandLineOption Langue{"lang",
                            "The interface's language: a name (English finds lang_English.dat beside the "
                            "program or in its share folder) or a language file.",
                            "NAME|FILE"};
  QCommandLineOption Fusion{"merge", "Merge the documents after the first into it, without a question."};
  QCommandLineOption Capture{
      "screenshot", "Write a picture of a window filled from FILE and leave, without a display.", "OUT.png"};
  QCommandLineOption Taille{"size", "The size of that picture.", "WxH"};
  QCommandLineOption Fenetre{"window", "The window to picture (" + Q(NomsFenetres()) + ").", "NAME"};
  QCommandLineOption Courbure{"curvature", "With --screenshot, the studio shows the curvature."};
  QCommandLineOption Impression{"print",
                                "Print the report of a calculation window (" +
                                    Q(NomsFenetres(", ", " or ", true)) +
                                    ") of FILE to OUT.pdf and leave: --print NAME OUT.pdf FILE.",
                                "NAME"};
  TOptions() {
    P.setApplicationDescription(
        "Brivane: naval architecture CAD. Opens the documents (.kvb) named; when the program\n"
        "already runs, they are handed to it and it comes to the front.");
    // "-style", "-platform": whole words after one dash, as Qt's own options are.
    P.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    P.addOptions(
        {Aide, Version, Debug, Port, Langue, Fusion, Capture, Taille, Fenetre, Courbure, Impression});
    P.addPositionalArgument("FILE", "The documents to open: the first, the others merged into it.",
                            "[FILE...]");
  }
};

QStringList Liste(const std::vector<std::string>& params) {
  QStringList l{"brivane"};
  for (const std::string& p : params) l << Q(p);
  return l;
}

// "--print NAME OUT.pdf": the output is the option's second value, which the parser does not
// know; taken out first, wherever the option stands.
std::string ExtraitSortieImpression(QStringList& l, bool& manque) {
  manque = false;
  for (qsizetype i = 1; i < l.size(); i++) {
    if (l[i] == "--") break;
    const bool colle = l[i].startsWith("--print=");
    if (l[i] != "--print" && !colle) continue;
    const qsizetype sortie = colle ? i + 1 : i + 2;
    if (sortie >= l.size()) {
      manque = true;
      return {};
    }
    std::string s = S(l[sortie]);
    l.removeAt(sortie);
    return s;
  }
  return {};
}

}  // namespace

int FindInParams(const std::vector<std::string>& params, const std::string& texte) {
  for (size_t i = 0; i < params.size(); i++)
    if (params[i] == texte) return static_cast<int>(i);
  return -1;
}

TLigneCommande PreAnalyseLigneCommande(const std::vector<std::string>& params) {
  TOptions o;
  QStringList l = Liste(params);
  bool manque = false;
  ExtraitSortieImpression(l, manque);
  // Qt's options are unknown here: the parser goes on past them, which is all that is asked.
  (void)o.P.parse(l);
  TLigneCommande r;
  r.Aide = o.P.isSet(o.Aide);
  r.Version = o.P.isSet(o.Version);
  r.Capture = o.P.isSet(o.Capture) || o.P.isSet(o.Impression);
  return r;
}

TLigneCommande AnalyseLigneCommande(const std::vector<std::string>& params) {
  TLigneCommande r;
  TOptions o;
  QStringList l = Liste(params);
  bool sansSortie = false;
  r.CaptureSortie = ExtraitSortieImpression(l, sansSortie);
  const bool lu = o.P.parse(l);
  // Asked for its usage or version, the program says it whatever else is there.
  r.Aide = o.P.isSet(o.Aide);
  r.Version = o.P.isSet(o.Version);
  if (r.Aide || r.Version) return r;
  if (!lu) {
    // A value missing at the end, in the words of the option.
    const QString dernier = l.size() > 1 ? l.back() : QString();
    if (dernier == "-p")
      r.Erreur = "-p needs a port number (1 to 65535)";
    else if (dernier == "--lang")
      r.Erreur = "--lang needs a language name or file";
    else
      r.Erreur = S(o.P.errorText());
    return r;
  }
  r.Debug = o.P.isSet(o.Debug);
  if (o.P.isSet(o.Port)) {
    // A port that is not one would leave the debugger unreached without a word, and a
    // file name taken for it would open another design: both are refused.
    const std::string v = S(o.P.value(o.Port));
    int port = 0;
    if (!Entier(v, port) || port < 1 || port > 65535)
      r.Erreur = "-p expects a port number from 1 to 65535, not " + v;
    else
      r.Port = port;
  }
  r.Fusion = o.P.isSet(o.Fusion);
  r.Langue = S(o.P.value(o.Langue));
  if (o.P.isSet(o.Langue) && r.Langue.empty()) r.Erreur = "--lang needs a language name or file";
  r.Courbure = o.P.isSet(o.Courbure);
  if (o.P.isSet(o.Capture)) {
    r.Capture = true;
    r.CaptureSortie = S(o.P.value(o.Capture));
    if (r.CaptureSortie.empty()) r.Erreur = "--screenshot needs an output file";
  }
  if (o.P.isSet(o.Taille)) {
    const std::string v = S(o.P.value(o.Taille));
    const size_t x = v.find_first_of("xX");
    int w = 0, h = 0;
    if (x == std::string::npos || !Entier(v.substr(0, x), w) || !Entier(v.substr(x + 1), h) || w < 100 ||
        h < 100 || w > 8000 || h > 8000)
      r.Erreur = "--size expects WxH between 100x100 and 8000x8000, not " + v;
    else
      r.Largeur = w, r.Hauteur = h;
  }
  if (o.P.isSet(o.Impression)) {
    if (sansSortie || r.CaptureSortie.empty()) {
      r.Erreur = "--print needs a window name and an output file";
    } else if (r.Capture) {
      r.Erreur = "--print and --screenshot cannot go together";
    } else {
      r.Capture = r.Impression = true;
      r.Fenetre = S(o.P.value(o.Impression));
      if (!FenetreCapture(r.Fenetre) || !FenetreCapture(r.Fenetre)->Imprime)
        r.Erreur = "--print expects " + NomsFenetres(", ", " or ", true) + ", not " + r.Fenetre;
    }
  }
  if (o.P.isSet(o.Fenetre)) {
    r.Fenetre = S(o.P.value(o.Fenetre));
    if (!FenetreCapture(r.Fenetre)) {
      if (r.Erreur.empty()) r.Erreur = "--window expects " + NomsFenetres() + ", not " + r.Fenetre;
    } else if (FenetreCapture(r.Fenetre) == FenetreCapture("debug")) {
      // The diagnostics window belongs to debug mode: its picture shows what that mode records.
      r.Debug = true;
    }
  }
  for (const QString& f : o.P.positionalArguments()) r.Fichiers.push_back(S(f));
  // A file manager or a script may still pass one name with blanks unquoted: when the
  // words are no files and together they name one, that is the file meant.
  if (r.Fichiers.size() > 1) {
    std::string joint;
    bool tous = true;
    for (const std::string& f : r.Fichiers) {
      joint += (joint.empty() ? "" : " ") + f;
      tous = tous && QFileInfo(Q(f)).isFile();
    }
    if (!tous && QFileInfo(Q(joint)).isFile()) r.Fichiers = {joint};
  }
  if (!r.Fichiers.empty()) r.Fichier = r.Fichiers.front();
  // A picture has nobody to ask whether the others may be merged.
  if (r.Capture && r.Fichiers.size() > 1 && !r.Fusion && r.Erreur.empty())
    r.Erreur = std::to_string(r.Fichiers.size()) +
               " documents named: one design is shown at a time; --merge merges the others into " +
               r.Fichiers.front();
  return r;
}

std::string AideLigneCommande() {
  TOptions o;
  QString t = o.P.helpText();
  t.replace("<executable_name>", "brivane");
  return S(t) +
         "\nQt's own options (-style NAME, -platform NAME, -reverse, -qwindowgeometry WxH+X+Y...)\n"
         "are passed to Qt.\n";
}

std::string VersionProgramme() { return std::string("brivane ") + BRIVANE_VERSION; }

int TypeVueParNom(const std::string& nom) {
  std::string n = nom;
  std::transform(n.begin(), n.end(), n.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (n == "section" || n == "transversale" || n == "transverse") return tvSection;
  if (n == "plan") return tvPlan;
  if (n == "profil" || n == "profile") return tvProfil;
  if (n == "perspective" || n == "persp") return tvPersp;
  return -1;
}
