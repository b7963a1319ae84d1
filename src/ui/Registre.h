// The registries of the program's windows: the commands (every menu item, tool-bar and
// toolbox button, pop-up item) and the windows that `brivane --screenshot OUT.png
// --window NAME FILE` can picture. Each unit registers what it owns in its own file;
// the main window builds its menus, tool bar, toolbox and pop-up menus from here.
// This header includes no Qt: the windows are only named.
//
// --- A command -------------------------------------------------------------------------
// In the unit's .cpp, at namespace scope (run once, before main):
//
//   #include "app/Principale.h"
//   #include "ui/Registre.h"
//   namespace {
//   const TEnregistrement Enregistre([] {
//     // A command the layout (Menus.cpp) already places: its work only.
//     EnregistreCommande({.Nom = "MeHydrostatique",
//                         .Actif = [](const TMainForm& f) { return f.Document().NbSurf() > 0; },
//                         .Execute = [](TMainForm& f, bool) { /* open the dialog */ }});
//     // A new command: its place too (menu, order, separator before) and its button.
//     EnregistreCommande({.Nom = "MeCourbeAires",
//                         .Places = {{"MeDonnees", 75}},
//                         .Raccourci = "Ctrl+K",
//                         .Execute = [](TMainForm& f, bool) { /* ... */ }});
//     EnregistreBouton({.Nom = "SBCourbeAires", .Commande = "MeCourbeAires", .Glyphe = "CA",
//                       .Barre = TBarre::Standard, .Ordre = 275});
//   });
//   }  // namespace
//
// with the texts "rsMeCourbeAiresCaption" (and "rsSBCourbeAiresHint") in app/Chaines.cpp.
// Captions come from the text table under "rs" + Nom + "Caption" (CleLibelle overrides),
// hints under "rs" + Nom + "Hint". A command registered with no handler (Execute) is shown
// disabled: the menus already show the whole program. The existing layout (every menu's
// items in order, with their shortcuts and groups) is declared in Menus.cpp; a unit that
// gives one of those commands its work registers the same name with only its handler and
// tests: two registrations of one name merge, each field given by one of them (places
// add up, one a menu), and a field given differently by both is an error
// (std::logic_error at start-up).
//
// Places: "" is the menu bar (top-level menus), a menu's own name ("MeFichier", a
// sub-menu's "MeExport") holds its items, "PopVue" is the pop-up of a view, "PopZone"
// the pop-up of the empty window area. Items sort by Ordre (existing items use tens:
// leave room), then by name. A separator shows when the item after it shows.
//
// States: after every command, on every change of the document's modified state, on
// view activation and before a menu opens, the main window sets each action's
// enabled (Actif), checked (Coche), shown (Visible) state and caption (Libelle) from
// the tests that are given; a command without a test keeps the state it was built with
// (enabled when it has a handler, unchecked). Handlers run through one dispatcher that
// catches what they throw and reports it (message and debug log).
//
// --- A window for the screenshot mode --------------------------------------------------
//   const TEnregistrement Fenetre([] {
//     EnregistreFenetre({.Nom = "hydro", .Montre = [](TMainForm& f) -> QWidget* {
//       auto* d = new THydroForm(&f);   // made, filled from f.Document(), shown; parented
//       d->show();                       // to the main window, which deletes it
//       return d;                        // the widget pictured (nullptr: failed)
//     }});
//   });
// Montre runs once the main window is shown, has read FILE and drawn its four views; the
// views are then fitted, the events processed, and the widget returned is pictured.
//
// Handlers and tests reach the program through the main window's public members
// (Principale.h): Document(), Aff, Vue(t), FenetreActive(), AfficheNet(), Lance(name)...
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QWidget;
class TMainForm;
struct TReglages;

// Runs a registration function once, during static initialisation. The UI library is
// linked whole (an object library), so every unit's registrations are in the program.
struct TEnregistrement {
  explicit TEnregistrement(void (*f)()) { f(); }
};

// Where an item shows: its menu (see Places above), its order, a separator before it.
struct TPlace {
  std::string Menu{};
  int Ordre = 0;
  bool Separateur = false;
  bool operator==(const TPlace&) const = default;
};

enum class TGenre {
  Aucun,           // not given (a merge takes the other registration's)
  Simple,          // a plain command
  Coche,           // two states
  Radio,           // one of its group (Groupe) is checked
  RadioOptionnel,  // at most one of its group is checked: all may be off
  SousMenu         // a menu: other entries name it in their Places
};

struct TCommande {
  std::string Nom{};             // "MeNouveau": the action's (or menu's) object name
  std::vector<TPlace> Places{};  // none: an action in no menu (a button's, a pop-up's own)
  std::string Raccourci{};       // "Ctrl+N" (Qt's portable key text)
  TGenre Genre = TGenre::Aucun;  // Simple when nobody says
  std::string Groupe{};          // Radio items: the group's name
  std::string CleLibelle{};      // caption key; empty: "rs" + Nom + "Caption"
  std::string CleAide{};         // hint (tool tip) key; empty: "rs" + Nom + "Hint" when known
  std::string Icone{};           // its pictogram, a resource path (":/icones/nouveau.svg")
  std::function<std::string(const TMainForm&)> Libelle{};  // a caption key that changes
  std::function<bool(const TMainForm&)> Actif{};           // enabled
  std::function<bool(const TMainForm&)> Coche{};           // checked (Coche and Radio items)
  std::function<bool(const TMainForm&)> Visible{};         // shown
  std::function<void(TMainForm&, bool coche)> Execute{};   // the handler (coche: the new checked state)
};

enum class TBarre { Standard, Boite };  // the tool bar, the toolbox

// A button of the tool bar or the toolbox: it runs its command and mirrors its
// enabled and checked states; its hint is "rs" + Nom + "Hint" (not the command's).
struct TBouton {
  std::string Nom{};       // "SBNouveau": the button's object name
  std::string Commande{};  // the command it runs
  std::string Glyphe{};    // the short label drawn on it when its command has no icon
  TBarre Barre = TBarre::Standard;
  int Ordre = 0;            // left to right (the toolbox: two a row)
  bool Separateur = false;  // a separator before it (tool bar)
};

// Registers (or merges into the registration of the same name, see above).
void EnregistreCommande(TCommande c);
void EnregistreBouton(TBouton b);
// Removes a command (tests that register one of their own).
void RetireCommande(const std::string& nom);

// Every command in registration order, and one by name (nullptr when there is none).
const std::vector<TCommande>& CommandesEnregistrees();
const TCommande* CommandeEnregistree(const std::string& nom);
// The buttons of one bar, in order.
std::vector<TBouton> BoutonsEnregistres(TBarre barre);
// The items of one place, in order: (command, its place there).
std::vector<std::pair<const TCommande*, TPlace>> ItemsDe(const std::string& menu);

// --- windows for the screenshot mode ---
struct TFenetreCapture {
  std::string Nom{};   // --window NAME (matched whatever the case)
  int Ordre = 100;     // place in the usage text
  bool Nommee = true;  // named in the usage and error texts (false: another name of one)
  std::function<QWidget*(TMainForm&)> Montre{};
  // --print: prints the report of the window Montre made (false: nothing printed).
  std::function<bool(QWidget*)> Imprime{};
};

void EnregistreFenetre(TFenetreCapture f);
const TFenetreCapture* FenetreCapture(const std::string& nom);
// The names to show, in order: "section, plan, profile or perspective".
// imprimables: only the windows that print a report.
std::string NomsFenetres(const std::string& entre = ", ", const std::string& dernier = " or ",
                         bool imprimables = false);

// --- a feature's part in the main window's life ----------------------------------------
// Beyond its commands and windows, what a feature does when the main window is made, when
// the document is written or read, and with the settings. The shell runs every registered
// module's hooks and knows none of them by name. Every hook is optional.
struct TModule {
  std::string Nom{};
  int Ordre = 100;  // the order of installation (then by name)
  // With the main window, after its menus and its editing side, before the first document.
  std::function<void(TMainForm&)> Installe{};
  // The document is about to be written: what the feature keeps in it goes in.
  std::function<void(TMainForm&)> AvantEnregistrement{};
  // A document replaced the open one (not a merge).
  std::function<void(TMainForm&)> ApresLecture{};
  // The settings were given to the program; at start-up, the saved placements and lights too.
  std::function<void(TMainForm&, const TReglages&)> ReglagesAppliques{};
  std::function<void(TMainForm&, const TReglages&)> PlacementsCharges{};
  // The settings are about to be written at exit: the feature puts its own in.
  std::function<void(TMainForm&, TReglages&)> AvantSortie{};
  // A display switch the feature owns (a key of the saved configuration, named after its
  // control): its state, after setting it when `nouveau` is given; nullopt when not its own.
  std::function<std::optional<bool>(TMainForm&, const std::string& cle, std::optional<bool> nouveau)>
      Bascule{};
};

void EnregistreModule(TModule m);
// In installation order.
std::vector<const TModule*> ModulesEnregistres();
