// The tagged line file: loading, section index, keyed reads, writers and the
// safe write through a temporary file.
#include "base/FichierStr.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "base/Chaines.h"
#include "base/Encodage.h"
#include "base/Services.h"

namespace {

inline char Minuscule(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string_view SansBlancsDebut(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && static_cast<unsigned char>(s[i]) <= ' ') i++;
  return s.substr(i);
}

std::string_view SansBlancs(std::string_view s) {
  s = SansBlancsDebut(s);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
  return s;
}

// A line's length without the blanks after it: an editor's trailing blanks must not
// hide a key, a section or a keyword ("SNURBS ", "1.10 ").
size_t LongueurSansBlancsFin(std::string_view l) {
  while (!l.empty() && (l.back() == ' ' || l.back() == '\t')) l.remove_suffix(1);
  return l.size();
}

bool EstValeur(std::string_view l) { return !l.empty() && l[0] != '['; }

std::string ErrnoTexte(int e) { return std::strerror(e); }

}  // namespace

bool EgalCasse(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); i++)
    if (Minuscule(a[i]) != Minuscule(b[i])) return false;
  return true;
}

// ---------------------------------------------------------------------------
// Loading and the index

void TfichierStr::Vider() {
  Tampon.clear();
  Debuts.clear();
  Longueurs.clear();
  Index.clear();
  Cles.clear();
  TamponExact = true;
  LigneCourante = 0;
  NbNonFinis = 0;
  PremiereLigneNul = -1;
  DerniereValeurLue.clear();
  DerniereVue = {};
}

bool TfichierStr::Charger(const std::string& nomFichier, std::string* erreur) {
  Vider();
  // A caller that takes the message decides what to do with it (the document reader
  // returns it); shown here it would come twice, or from a layer that must not ask.
  auto echec = [&](const std::string& msg, int type) {
    if (erreur)
      *erreur = msg;
    else
      AfficheMessage(msg, type, mbOK);
    return false;
  };
  std::string texte, msg;
  switch (LitFichierOrdinaire(nomFichier, MaxTailleDocument, texte, &msg)) {
    case TLectureFichier::Ok:
      break;
    case TLectureFichier::Absent:
      return echec(msg, mtWarning);
    case TLectureFichier::TropGrand:
      return echec(rs("rsErrFichierTropGrand") + " : " + nomFichier, mtError);
    default:
      return echec(msg, mtError);
  }
  if (!ChargerTexte(texte, &msg)) return echec(msg + " : " + nomFichier, mtError);
  return true;
}

bool TfichierStr::ChargerTexte(std::string_view texte, std::string* erreur) {
  Vider();
  if (texte.size() > MaxTailleDocument) {
    if (erreur) *erreur = rs("rsErrFichierTropGrand");
    return false;
  }
  Tampon.assign(texte);
  TamponExact = false;
  const size_t n = Tampon.size();
  Debuts.reserve(n / 16), Longueurs.reserve(n / 16);
  size_t debut = 0;
  for (size_t i = 0; i < n; i++) {
    char c = Tampon[i];
    if (c == '\0' && PremiereLigneNul < 0) PremiereLigneNul = static_cast<int>(Debuts.size());
    if (c != '\r' && c != '\n') continue;
    Debuts.push_back(static_cast<uint32_t>(debut));
    Longueurs.push_back(
        static_cast<uint32_t>(LongueurSansBlancsFin(std::string_view(Tampon).substr(debut, i - debut))));
    // CR CR LF is what a converter leaves when it adds CR before every LF of a CR LF
    // file: one line end, or every key would be followed by an empty value line.
    if (c == '\r' && i + 2 < n && Tampon[i + 1] == '\r' && Tampon[i + 2] == '\n')
      i += 2;
    else if (c == '\r' && i + 1 < n && Tampon[i + 1] == '\n')
      i++;
    debut = i + 1;
    if (Debuts.size() > MaxLignesDocument) {
      Vider();
      if (erreur) *erreur = rs("rsErrFichierTropGrand");
      return false;
    }
  }
  if (debut < n) {
    Debuts.push_back(static_cast<uint32_t>(debut));
    Longueurs.push_back(static_cast<uint32_t>(LongueurSansBlancsFin(std::string_view(Tampon).substr(debut))));
  }
  ConstruitIndex();
  LigneCourante = 0;
  return true;
}

void TfichierStr::ConstruitIndex() {
  Index.clear();
  Cles.clear();
  const int n = NbLignes();
  int i = 0;
  while (i < n) {
    std::string_view l = SansBlancsDebut(Ligne(i));
    bool entete = false;
    if (l.size() >= 5)
      for (auto p : PrefixesSections)
        if (l.substr(0, 5) == p) entete = true;
    if (entete) {
      int h = i, compte = 0;
      while (i < n && !EgalCasse(Ligne(i), "[END]")) compte++, i++;
      Index.push_back({std::string(l), h + 1, compte, i < n});
    }
    i++;
  }
}

bool TfichierStr::ChercherSection(std::string_view nom, int& premiere, int& nbLignes) const {
  for (const auto& e : Index) {
    std::string_view n = e.Nom;
    if (n.size() == nom.size() + 2 && n.front() == '[' && n.back() == ']' &&
        EgalCasse(n.substr(1, nom.size()), nom)) {
      // Only the first section of a name counts; a header alone holds nothing.
      if (e.NbLignes < 2) return false;
      premiere = e.Premiere;
      nbLignes = e.NbLignes;
      return true;
    }
  }
  return false;
}

// ---------------------------------------------------------------------------
// Keyed reads

int TfichierStr::ChercheCle(std::string_view cible, int premiere, int fin) {
  const int64_t plage = (static_cast<int64_t>(premiere) << 32) | static_cast<uint32_t>(fin);
  auto it = Cles.find(plage);
  if (it == Cles.end()) {
    std::unordered_map<std::string, int> m;
    for (int i = premiere; i < fin; i++) {
      std::string_view l = Ligne(i);
      if (l.size() < 2 || l.front() != '[' || l.back() != ']') continue;
      std::string k(l);
      for (char& c : k) c = Minuscule(c);
      m.emplace(std::move(k), i);  // the first key line of a name wins
    }
    it = Cles.emplace(plage, std::move(m)).first;
  }
  auto k = it->second.find(std::string(cible));
  return (k == it->second.end() || k->second >= fin) ? -1 : k->second;
}

std::string_view TfichierStr::LireValeur(std::string_view cle, std::string_view defaut, int premiere,
                                         int nbLignes) {
  // A key and its value line must both lie inside the section: the header is line
  // premiere - 1 and the "[END]" line premiere + nbLignes - 1.
  const int debut = std::max(premiere, 0);
  const int fin = std::min(premiere + nbLignes - 1, NbLignes());
  auto estCle = [&](std::string_view l) {
    return l.size() == cle.size() + 2 && l.front() == '[' && l.back() == ']' &&
           EgalCasse(l.substr(1, cle.size()), cle);
  };
  // Empty lines may stand between a key and its value (a file whose line ends were
  // doubled by a transfer): the value is the next line that is not empty.
  auto apresVides = [&](int i) {
    while (i < fin && Ligne(i).empty()) i++;
    return i;
  };
  int valeur = -1;
  // Keys read in writing order cost one comparison each. A cursor outside the
  // section starts at its first line: a key found there is also the first of its name.
  LigneCourante++;
  if (LigneCourante < debut || LigneCourante >= fin) LigneCourante = debut;
  int k = apresVides(LigneCourante);
  int v = k < fin ? apresVides(k + 1) : fin;
  if (k >= debut && v < fin && estCle(Ligne(k)) && EstValeur(Ligne(v))) {
    valeur = v;
  } else if (fin > debut) {
    Cible.assign("[");
    for (char c : cle) Cible.push_back(Minuscule(c));
    Cible.push_back(']');
    int i = ChercheCle(Cible, debut, fin);
    if (i >= 0) v = apresVides(i + 1);
    if (i >= 0 && v < fin && EstValeur(Ligne(v))) valeur = v;
  }
  if (valeur >= 0) {
    LigneCourante = valeur;
    DerniereVue = Ligne(valeur);
  } else {
    DerniereValeurLue.assign(defaut);
    DerniereVue = DerniereValeurLue;
  }
  return DerniereVue;
}

std::string TfichierStr::LireChaine(std::string_view cle, std::string_view defaut, int premiere,
                                    int nbLignes) {
  return std::string(LireValeur(cle, defaut, premiere, nbLignes));
}

int TfichierStr::LireEntier(std::string_view cle, int defaut, int premiere, int nbLignes) {
  std::string_view s = LireValeur(cle, std::to_string(defaut), premiere, nbLignes);
  int v = 0;
  return LitEntier(s, v) ? v : defaut;
}

double TfichierStr::LireReel(std::string_view cle, double defaut, int premiere, int nbLignes) {
  std::string_view s = LireValeur(cle, TexteReel4(defaut), premiere, nbLignes);
  double v = 0;
  return LitReel(s, v) ? v : defaut;
}

bool TfichierStr::LireBooleen(std::string_view cle, bool defaut, int premiere, int nbLignes) {
  std::string_view s = LireValeur(cle, defaut ? "1" : "0", premiere, nbLignes);
  if (s == "1") return true;
  if (s == "0") return false;
  return defaut;
}

void TfichierStr::VirgulesEnPoints() {
  std::replace(Tampon.begin(), Tampon.end(), ',', '.');
  Cles.clear();
}

// ---------------------------------------------------------------------------
// Writing

void TfichierStr::AjouteBrute(std::string_view ligne) {
  // The buffer may move: the last value read must not point into it any more.
  if (DerniereVue.data() != DerniereValeurLue.data()) {
    DerniereValeurLue.assign(DerniereVue);
    DerniereVue = DerniereValeurLue;
  }
  if (!TamponExact) {
    // A loaded text keeps its own line ends: rebuild it in written form first.
    std::string t = Texte();
    std::vector<uint32_t> d, l;
    d.reserve(Debuts.size() + 1), l.reserve(Debuts.size() + 1);
    size_t pos = 0;
    for (size_t i = 0; i < Debuts.size(); i++) {
      d.push_back(static_cast<uint32_t>(pos));
      l.push_back(Longueurs[i]);
      pos += Longueurs[i] + 2;
    }
    Tampon.swap(t), Debuts.swap(d), Longueurs.swap(l);
    TamponExact = true;
  }
  Debuts.push_back(static_cast<uint32_t>(Tampon.size()));
  Longueurs.push_back(static_cast<uint32_t>(ligne.size()));
  Tampon.append(ligne);
  Tampon.append("\r\n");
}

void TfichierStr::AjouteLigne(std::string_view ligne) { AjouteBrute(ligne); }

void TfichierStr::Reserve(size_t octets, size_t lignes) {
  Tampon.reserve(Tampon.size() + octets);
  Debuts.reserve(Debuts.size() + lignes), Longueurs.reserve(Longueurs.size() + lignes);
}

void TfichierStr::EcrireSection(std::string_view nom) {
  Cible.assign("[");
  Cible.append(nom);
  Cible.push_back(']');
  AjouteBrute(Cible);
}

void TfichierStr::EcrireFin() {
  AjouteBrute("[END]");
  AjouteBrute("");
}

void TfichierStr::EcrireChaine(std::string_view cle, std::string_view valeur) {
  if (valeur.empty()) return;
  Cible.assign("[");
  Cible.append(cle);
  Cible.push_back(']');
  AjouteBrute(Cible);
  if (ValeurSure(valeur)) {
    AjouteBrute(valeur);
    return;
  }
  // Last guard: a line break would split the value, a leading "[" make it a key.
  std::string v(valeur);
  for (char& c : v)
    if (c == '\r' || c == '\n') c = ' ';
  size_t i = v.find_first_not_of(" \t");
  if (i != std::string::npos && v[i] == '[') v[i] = '(';
  AjouteBrute(v);
}

void TfichierStr::EcrireEntier(std::string_view cle, long long v) {
  char b[24];
  auto r = std::to_chars(b, b + sizeof b, v);
  EcrireChaine(cle, std::string_view(b, static_cast<size_t>(r.ptr - b)));
}

void TfichierStr::EcrireReel(std::string_view cle, double v) {
  if (!std::isfinite(v)) NbNonFinis++;
  EcrireChaine(cle, TexteReel4(v));
}

void TfichierStr::EcrireBooleen(std::string_view cle, bool v) { EcrireChaine(cle, v ? "1" : "0"); }

std::string TfichierStr::Texte() const {
  if (TamponExact) return Tampon;
  std::string t;
  t.reserve(Tampon.size() + Debuts.size() * 2);
  for (int i = 0; i < NbLignes(); i++) {
    t.append(Ligne(i));
    t.append("\r\n");
  }
  return t;
}

bool TfichierStr::Enregistrer(const std::string& nomFichier, std::string* erreur,
                              const std::function<bool(std::string*)>& avant) const {
  const std::string texteConstruit = TamponExact ? std::string() : Texte();
  std::string_view texte = TamponExact ? std::string_view(Tampon) : std::string_view(texteConstruit);
  return EcritFichierAtomique(nomFichier, texte, erreur, avant);
}

std::function<void(const std::string& cible)>& CrochetAvantRenommage() {
  static std::function<void(const std::string&)> c;
  return c;
}

namespace {

// Temporary files of this program: a short name whatever the target's, so that a
// target whose name is at the file system's limit still saves. Older versions of the
// program named them after the target followed by ".tmp-" and six characters.
constexpr std::string_view PrefixeTemp = ".brivane.tmp-";
constexpr size_t LongueurSuffixeTemp = 6;
// A temporary file younger than this may belong to a write between its creation and
// its lock: it is left alone.
constexpr int AgeMinTempSecondes = 5;

bool EstTemporaire(std::string_view nom, std::string_view cible) {
  auto suffixeOk = [&](size_t debut) {
    if (nom.size() != debut + LongueurSuffixeTemp) return false;
    for (size_t i = debut; i < nom.size(); i++)
      if (!std::isalnum(static_cast<unsigned char>(nom[i]))) return false;
    return true;
  };
  if (nom.starts_with(PrefixeTemp) && suffixeOk(PrefixeTemp.size())) return true;
  const std::string ancien = std::string(cible) + ".tmp-";
  return nom.starts_with(ancien) && suffixeOk(ancien.size());
}

// Removes the temporary files that writes killed before their rename left in the
// folder. A live write holds a lock on its file until it is renamed, so only the
// files of dead writes (unlocked, and not brand new) go.
void NettoieTemporaires(const std::string& dossier, const std::string& cible) {
  std::error_code ec;
  std::filesystem::directory_iterator it(dossier.empty() ? "." : dossier, ec), fin;
  const auto maintenant = std::time(nullptr);
  for (; !ec && it != fin; it.increment(ec)) {
    const std::string nom = it->path().filename().string();
    if (!EstTemporaire(nom, cible)) continue;
    const std::string chemin = it->path().string();
    int fd = ::open(chemin.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) continue;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && maintenant - st.st_mtime >= AgeMinTempSecondes &&
        ::flock(fd, LOCK_EX | LOCK_NB) == 0)
      ::unlink(chemin.c_str());
    ::close(fd);
  }
}

}  // namespace

TLectureFichier LitFichierOrdinaire(const std::string& chemin, size_t maximum, std::string& octets,
                                    std::string* erreur) {
  octets.clear();
  auto echec = [&](TLectureFichier t, const std::string& msg) {
    if (erreur) *erreur = msg;
    return t;
  };
  auto illisible = [&](int e) {
    return echec(TLectureFichier::Erreur,
                 Format(rs("rsErrLectureFichierNom").c_str(), chemin.c_str()) + " : " + ErrnoTexte(e));
  };
  const std::string absent = Format(rs("rsFichierInexistant").c_str(), chemin.c_str());
  const std::string pasOrdinaire = Format(rs("rsErrPasFichierOrdinaire").c_str(), chemin.c_str());
  if (chemin.empty()) return echec(TLectureFichier::Absent, absent);
  // Looked at before it is opened: opening a FIFO or a device can block or act.
  struct stat st {};
  if (::stat(chemin.c_str(), &st) != 0)
    return errno == ENOENT || errno == ENOTDIR ? echec(TLectureFichier::Absent, absent) : illisible(errno);
  if (!S_ISREG(st.st_mode)) return echec(TLectureFichier::PasOrdinaire, pasOrdinaire);
  int fd = ::open(chemin.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return errno == ENOENT ? echec(TLectureFichier::Absent, absent) : illisible(errno);
  struct Ferme {
    int fd;
    ~Ferme() { ::close(fd); }
  } ferme{fd};
  // Checked again on what was opened: the name may have been replaced meanwhile.
  if (::fstat(fd, &st) != 0) return illisible(errno);
  if (!S_ISREG(st.st_mode)) return echec(TLectureFichier::PasOrdinaire, pasOrdinaire);
  const auto trop = [&] {
    octets.clear();
    return echec(TLectureFichier::TropGrand, rs("rsErrFichierTropGrand") + " : " + chemin);
  };
  if (st.st_size < 0 || static_cast<unsigned long long>(st.st_size) > maximum) return trop();
  // One byte more than allowed tells a file that grew meanwhile.
  octets.resize(static_cast<size_t>(st.st_size) + 1);
  size_t lus = 0;
  while (true) {
    if (lus == octets.size()) {
      if (octets.size() > maximum) return trop();
      octets.resize(std::min(maximum + 1, octets.size() * 2 + 4096));
    }
    ssize_t r = ::read(fd, octets.data() + lus, octets.size() - lus);
    if (r < 0) {
      if (errno == EINTR) continue;
      const int e = errno;
      octets.clear();
      return illisible(e);
    }
    if (r == 0) break;
    lus += static_cast<size_t>(r);
  }
  if (lus > maximum) return trop();
  octets.resize(lus);
  return TLectureFichier::Ok;
}

std::string NomSauvegarde(const std::string& chemin) {
  const size_t barre = chemin.find_last_of('/');
  const std::string dossier = barre == std::string::npos ? std::string() : chemin.substr(0, barre + 1);
  std::string nom = barre == std::string::npos ? chemin : chemin.substr(barre + 1);
  long limite = ::pathconf(dossier.empty() ? "." : dossier.c_str(), _PC_NAME_MAX);
  if (limite <= 0) limite = 255;
  constexpr std::string_view Extension = ".bak";
  const size_t place =
      static_cast<size_t>(limite) > Extension.size() ? static_cast<size_t>(limite) - Extension.size() : 1;
  if (nom.size() > place) {
    // Cut on a character boundary: a name cut inside a UTF-8 sequence is no valid name.
    size_t n = place;
    while (n > 0 && (static_cast<unsigned char>(nom[n]) & 0xC0) == 0x80) n--;
    nom.resize(n);
  }
  return dossier + nom + std::string(Extension);
}

bool EcritFichierAtomique(const std::string& nomFichier, std::string_view texte, std::string* erreur,
                          const std::function<bool(std::string*)>& avant) {
  namespace fs = std::filesystem;
  auto echec = [&](const std::string& raison) {
    if (erreur) *erreur = raison;
    return false;
  };
  if (nomFichier.empty()) return echec(rs("rsErrNomFichierVide"));
  std::error_code ec;
  fs::path cible(nomFichier);
  // Writing through a link must replace the file it names, not the link.
  if (fs::is_symlink(cible, ec)) {
    fs::path c = fs::weakly_canonical(cible, ec);
    if (!ec) cible = c;
  }
  // The new file takes the old one's permissions, or the usual ones for a new file.
  struct stat st {};
  const bool existe = ::stat(cible.c_str(), &st) == 0;
  if (existe && S_ISDIR(st.st_mode)) return echec(rs("rsErrCibleDossier"));
  if (existe && !S_ISREG(st.st_mode)) return echec(rs("rsErrCiblePasOrdinaire"));
  const std::string dossier = cible.has_parent_path() ? cible.parent_path().string() : std::string();
  NettoieTemporaires(dossier, cible.filename().string());
  std::string modele = (dossier.empty() ? std::string() : dossier + "/") + std::string(PrefixeTemp) +
                       std::string(LongueurSuffixeTemp, 'X');
  int fd = ::mkostemp(modele.data(), O_CLOEXEC);
  if (fd < 0) return echec(ErrnoTexte(errno));
  // Locked for as long as it exists under this name: another save in the folder then
  // knows it for a live one. The lock lives on a second descriptor that stays open
  // after the first is closed to see its error.
  const int verrou = ::dup(fd);
  if (verrou >= 0) ::flock(verrou, LOCK_EX);
  const std::string temp = modele;
  bool renomme = false;
  struct Garde {
    const std::string& temp;
    const bool& renomme;
    int verrou;
    ~Garde() {
      if (!renomme) ::unlink(temp.c_str());
      if (verrou >= 0) ::close(verrou);
    }
  } garde{temp, renomme, verrou};
  auto abandon = [&](int e) {
    ::close(fd);
    return echec(ErrnoTexte(e));
  };
  if (existe) {
    ::fchmod(fd, st.st_mode & 07777);
  } else {
    mode_t m = ::umask(0);
    ::umask(m);
    ::fchmod(fd, 0666 & ~m);
  }
  size_t ecrit = 0;
  while (ecrit < texte.size()) {
    ssize_t r = ::write(fd, texte.data() + ecrit, texte.size() - ecrit);
    if (r < 0) {
      if (errno == EINTR) continue;
      return abandon(errno);
    }
    ecrit += static_cast<size_t>(r);
  }
  if (::fsync(fd) != 0) return abandon(errno);
  if (::close(fd) != 0) return echec(ErrnoTexte(errno));
  if (avant) {
    std::string raison;
    bool ok = false;
    try {
      ok = avant(&raison);
    } catch (const std::exception& e) {
      raison = e.what();
    }
    if (!ok) return echec(raison);
  }
  if (CrochetAvantRenommage()) CrochetAvantRenommage()(cible.string());
  if (::rename(temp.c_str(), cible.c_str()) != 0) return echec(ErrnoTexte(errno));
  renomme = true;
  return true;
}

bool EcritFichierTexte(const std::string& nomFichier, const std::vector<std::string>& lignes,
                       std::string* erreur) {
  std::string texte;
  for (const auto& l : lignes) {
    texte += Utf8VersCp1252(l);
    texte += "\r\n";
  }
  return EcritFichierAtomique(nomFichier, texte, erreur);
}

// ---------------------------------------------------------------------------
// Conversions

bool LitEntier(std::string_view s, int& v) {
  s = SansBlancs(s);
  if (!s.empty() && s[0] == '+') s.remove_prefix(1);
  if (s.empty()) return false;
  int r = 0;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), r);
  if (ec != std::errc() || p != s.data() + s.size()) return false;
  v = r;
  return true;
}

namespace {

// Exact fast path for the common "-123.4567": at most 15 digits make an exact
// integer and 10^k (k <= 22) is exact, so one division gives the correctly rounded
// value, the same as the general conversion. False when the text is of another form.
bool LitReelSimple(std::string_view s, double& v) {
  static constexpr double Puissances[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                          1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  size_t i = 0;
  bool negatif = i < s.size() && s[i] == '-';
  if (negatif) i++;
  uint64_t m = 0;
  int chiffres = 0, decimales = -1;
  bool avantPoint = false;
  for (; i < s.size(); i++) {
    char c = s[i];
    if (c >= '0' && c <= '9') {
      m = m * 10 + static_cast<uint64_t>(c - '0');
      if (m != 0) chiffres++;
      if (decimales >= 0)
        decimales++;
      else
        avantPoint = true;
    } else if (c == '.' && decimales < 0) {
      decimales = 0;
    } else {
      return false;
    }
  }
  if (chiffres > 15 || decimales > 15 || (!avantPoint && decimales <= 0)) return false;
  double r = static_cast<double>(m) / Puissances[std::max(decimales, 0)];
  v = negatif ? -r : r;
  return true;
}

}  // namespace

bool LitReel(std::string_view s, double& v) {
  s = SansBlancs(s);
  if (!s.empty() && s[0] == '+') s.remove_prefix(1);
  if (s.empty()) return false;
  if (s.size() <= 17 && LitReelSimple(s, v)) return true;
  // Only digits, one point, a sign and an exponent: from_chars alone would take "inf" and "nan".
  for (char c : s)
    if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E')) return false;
  double r = 0;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), r, std::chars_format::general);
  if (ec != std::errc() || p != s.data() + s.size() || !std::isfinite(r)) return false;
  v = r;
  return true;
}

bool LitReel(std::string_view s, float& v) {
  double d = 0;
  if (!LitReel(s, d) || std::fabs(d) > 3.4e38) return false;
  v = static_cast<float>(d);
  return true;
}

void AjouteReel4(std::string& s, double v) {
  // Fast exact path: below 1e12 the product v * 1e4 is off by less than 1.2e-4 from
  // the exact one, so unless its fraction lies within 1e-3 of one half, rounding it
  // gives what "%.4f" gives. Ties and big values take the general formatter.
  constexpr double Echelle = 10000.0, Borne = 1e12, Marge = 1e-3;
  const double r = v * Echelle;
  const double a = std::fabs(r);
  if (a < Borne && std::fabs(a - std::floor(a) - 0.5) > Marge) {
    auto n = static_cast<unsigned long long>(std::llround(a));
    char b[32];
    char* p = b + sizeof b;
    for (int k = 0; k < 4; k++, n /= 10) *--p = static_cast<char>('0' + n % 10);
    *--p = '.';
    do *--p = static_cast<char>('0' + n % 10), n /= 10;
    while (n);
    if (std::signbit(v)) *--p = '-';  // as printf: -0.00001 gives "-0.0000"
    s.append(p, static_cast<size_t>(b + sizeof b - p));
    return;
  }
  char b[400];  // %.4f of the largest double: 309 digits, the point and four decimals
  auto res = std::to_chars(b, b + sizeof b, v, std::chars_format::fixed, 4);
  s.append(b, static_cast<size_t>(res.ptr - b));
}

std::string TexteReel4(double v) {
  if (!std::isfinite(v)) return "0";
  std::string s;
  AjouteReel4(s, v);
  return s;
}

bool ValeurSure(std::string_view s) {
  if (s.empty() || s.find_first_of("\r\n") != std::string_view::npos) return false;
  std::string_view t = SansBlancsDebut(s);
  return t.empty() || t[0] != '[';
}

// ---------------------------------------------------------------------------
// Text helpers

std::string Decouper(std::string_view sep, std::string& reste) {
  size_t p = sep.empty() ? std::string::npos : reste.find(sep);
  if (p == std::string::npos) return {};
  std::string champ = reste.substr(0, p);
  reste.erase(0, p + sep.size());
  return champ;
}

std::string_view Decouper(char sep, std::string_view& reste) {
  size_t p = reste.find(sep);
  if (p == std::string_view::npos) return {};
  std::string_view champ = reste.substr(0, p);
  reste.remove_prefix(p + 1);
  return champ;
}

std::string DecouperInclus(std::string_view sep, std::string& reste) {
  size_t p = sep.empty() ? std::string::npos : reste.find(sep);
  if (p == std::string::npos) return {};
  std::string champ = reste.substr(0, p + sep.size());
  reste.erase(0, p + sep.size());
  return champ;
}

int CompterOccurrences(std::string_view sep, std::string_view texte) {
  if (sep.empty()) return 0;
  int n = 0;
  for (size_t p = texte.find(sep); p != std::string_view::npos; p = texte.find(sep, p + sep.size())) n++;
  return n;
}

std::string TexteApres(std::string_view partie, std::string_view texte) {
  size_t p = texte.find(partie);
  if (p == std::string_view::npos) return {};
  return std::string(texte.substr(p + partie.size()));
}

bool CommencePar(std::string_view prefixe, std::string_view texte) {
  return texte.size() >= prefixe.size() && EgalCasse(texte.substr(0, prefixe.size()), prefixe);
}

std::string RemplacerCar(std::string_view texte, char ancien, char nouveau) {
  std::string r(texte);
  std::replace(r.begin(), r.end(), ancien, nouveau);
  return r;
}

std::string CompleterDroite(std::string_view pad, std::string_view texte, size_t largeur) {
  std::string r(texte);
  for (size_t i = texte.size(); i < largeur; i++) r.append(pad);
  return r;
}

std::string CompleterGauche(std::string_view pad, std::string_view texte, size_t largeur) {
  std::string r;
  for (size_t i = texte.size(); i < largeur; i++) r.append(pad);
  r.append(texte);
  return r;
}
