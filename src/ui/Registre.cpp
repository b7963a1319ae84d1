// The registries of commands, buttons and screenshot windows: storage and merging.
#include "ui/Registre.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <tuple>
#include <utility>

namespace {

// Function-local statics: registrations run during static initialisation, in any order.
std::vector<TCommande>& Commandes() {
  static std::vector<TCommande> c;
  return c;
}
std::vector<TBouton>& Boutons() {
  static std::vector<TBouton> b;
  return b;
}
std::vector<TFenetreCapture>& Fenetres() {
  static std::vector<TFenetreCapture> f;
  return f;
}

[[noreturn]] void Conflit(const std::string& nom, const std::string& champ) {
  throw std::logic_error("command " + nom + " registered twice with its " + champ);
}

void Fusionne(std::string& a, const std::string& b, const std::string& nom, const char* champ) {
  if (b.empty()) return;
  if (!a.empty() && a != b) Conflit(nom, champ);
  a = b;
}

template <class F>
void FusionneFonction(F& a, F& b, const std::string& nom, const char* champ) {
  if (!b) return;
  if (a) Conflit(nom, champ);
  a = std::move(b);
}

std::string Minuscules(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

}  // namespace

void EnregistreCommande(TCommande c) {
  if (c.Nom.empty()) throw std::logic_error("a command needs a name");
  auto& cs = Commandes();
  auto it = std::find_if(cs.begin(), cs.end(), [&c](const TCommande& x) { return x.Nom == c.Nom; });
  if (it == cs.end()) {
    cs.push_back(std::move(c));
    return;
  }
  TCommande& a = *it;
  // Places add up, one a menu.
  for (TPlace& p : c.Places) {
    auto q =
        std::find_if(a.Places.begin(), a.Places.end(), [&p](const TPlace& x) { return x.Menu == p.Menu; });
    if (q == a.Places.end())
      a.Places.push_back(std::move(p));
    else if (!(*q == p))
      Conflit(c.Nom, "place in " + p.Menu);
  }
  Fusionne(a.Raccourci, c.Raccourci, c.Nom, "shortcut");
  if (c.Genre != TGenre::Aucun) {
    if (a.Genre != TGenre::Aucun && a.Genre != c.Genre) Conflit(c.Nom, "kind");
    a.Genre = c.Genre;
  }
  Fusionne(a.Groupe, c.Groupe, c.Nom, "group");
  Fusionne(a.CleLibelle, c.CleLibelle, c.Nom, "caption key");
  Fusionne(a.CleAide, c.CleAide, c.Nom, "hint key");
  Fusionne(a.Icone, c.Icone, c.Nom, "icon");
  FusionneFonction(a.Libelle, c.Libelle, c.Nom, "caption test");
  FusionneFonction(a.Actif, c.Actif, c.Nom, "enabled test");
  FusionneFonction(a.Coche, c.Coche, c.Nom, "checked test");
  FusionneFonction(a.Visible, c.Visible, c.Nom, "visible test");
  FusionneFonction(a.Execute, c.Execute, c.Nom, "handler");
}

void EnregistreBouton(TBouton b) {
  for (const TBouton& x : Boutons())
    if (x.Nom == b.Nom) throw std::logic_error("button " + b.Nom + " registered twice");
  Boutons().push_back(std::move(b));
}

void RetireCommande(const std::string& nom) {
  auto& cs = Commandes();
  cs.erase(std::remove_if(cs.begin(), cs.end(), [&nom](const TCommande& c) { return c.Nom == nom; }),
           cs.end());
}

const std::vector<TCommande>& CommandesEnregistrees() { return Commandes(); }

const TCommande* CommandeEnregistree(const std::string& nom) {
  for (const TCommande& c : Commandes())
    if (c.Nom == nom) return &c;
  return nullptr;
}

std::vector<TBouton> BoutonsEnregistres(TBarre barre) {
  std::vector<TBouton> r;
  for (const TBouton& b : Boutons())
    if (b.Barre == barre) r.push_back(b);
  std::stable_sort(r.begin(), r.end(), [](const TBouton& a, const TBouton& b) {
    return std::tie(a.Ordre, a.Nom) < std::tie(b.Ordre, b.Nom);
  });
  return r;
}

std::vector<std::pair<const TCommande*, TPlace>> ItemsDe(const std::string& menu) {
  std::vector<std::pair<const TCommande*, TPlace>> r;
  for (const TCommande& c : Commandes())
    for (const TPlace& p : c.Places)
      if (p.Menu == menu) r.emplace_back(&c, p);
  std::stable_sort(r.begin(), r.end(), [](const auto& a, const auto& b) {
    return std::tie(a.second.Ordre, a.first->Nom) < std::tie(b.second.Ordre, b.first->Nom);
  });
  return r;
}

void EnregistreFenetre(TFenetreCapture f) {
  if (f.Nom.empty() || !f.Montre) throw std::logic_error("a screenshot window needs a name and a function");
  if (FenetreCapture(f.Nom)) throw std::logic_error("screenshot window " + f.Nom + " registered twice");
  Fenetres().push_back(std::move(f));
}

const TFenetreCapture* FenetreCapture(const std::string& nom) {
  std::string n = Minuscules(nom);
  for (const TFenetreCapture& f : Fenetres())
    if (Minuscules(f.Nom) == n) return &f;
  return nullptr;
}

std::string NomsFenetres(const std::string& entre, const std::string& dernier, bool imprimables) {
  std::vector<const TFenetreCapture*> v;
  for (const TFenetreCapture& f : Fenetres())
    if (f.Nommee && (!imprimables || f.Imprime)) v.push_back(&f);
  std::stable_sort(v.begin(), v.end(), [](const TFenetreCapture* a, const TFenetreCapture* b) {
    return std::tie(a->Ordre, a->Nom) < std::tie(b->Ordre, b->Nom);
  });
  std::string r;
  for (size_t i = 0; i < v.size(); i++) r += (i == 0 ? "" : i + 1 == v.size() ? dernier : entre) + v[i]->Nom;
  return r;
}

namespace {
std::vector<TModule>& Modules() {
  static std::vector<TModule> m;
  return m;
}
}  // namespace

void EnregistreModule(TModule m) {
  if (m.Nom.empty()) throw std::logic_error("a module needs a name");
  for (const TModule& x : Modules())
    if (x.Nom == m.Nom) throw std::logic_error("module " + m.Nom + " registered twice");
  Modules().push_back(std::move(m));
}

std::vector<const TModule*> ModulesEnregistres() {
  std::vector<const TModule*> r;
  for (const TModule& m : Modules()) r.push_back(&m);
  std::stable_sort(r.begin(), r.end(), [](const TModule* a, const TModule* b) {
    return std::tie(a->Ordre, a->Nom) < std::tie(b->Ordre, b->Nom);
  });
  return r;
}
