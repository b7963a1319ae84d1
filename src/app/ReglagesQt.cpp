#include "app/ReglagesQt.h"

#include <QAction>
#include <QApplication>
#include <QByteArray>
#include <QGuiApplication>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <cstdlib>
#include <map>

#include "app/Principale.h"
#include "base/Chaines.h"
#include "base/PlaceFenetre.h"
#include "ui/Registre.h"
#include "views/FormFille.h"

namespace {

QString Cle(const std::string& section, const std::string& cle) {
  return QString::fromStdString(section) + "/" + QString::fromStdString(cle);
}

void CommenceSuiviPlaces();

}  // namespace

TMagasinQt::TMagasinQt(const QString& fichier)
    : S(fichier.isEmpty() ? std::make_unique<QSettings>("Brivane", "Brivane")
                          : std::make_unique<QSettings>(fichier, QSettings::IniFormat)) {}

TMagasinQt::~TMagasinQt() = default;

std::optional<std::string> TMagasinQt::Lit(const std::string& section, const std::string& cle) const {
  QVariant v = S->value(Cle(section, cle));
  if (!v.isValid() || v.typeId() == QMetaType::QByteArray) return std::nullopt;
  return v.toString().toStdString();
}

std::optional<std::vector<unsigned char>> TMagasinQt::LitBinaire(const std::string& section,
                                                                 const std::string& cle) const {
  QVariant v = S->value(Cle(section, cle));
  if (!v.isValid() || v.typeId() != QMetaType::QByteArray) return std::nullopt;
  QByteArray b = v.toByteArray();
  return std::vector<unsigned char>(b.begin(), b.end());
}

void TMagasinQt::Ecrit(const std::string& section, const std::string& cle, const std::string& valeur) {
  S->setValue(Cle(section, cle), QString::fromStdString(valeur));
}

void TMagasinQt::EcritBinaire(const std::string& section, const std::string& cle,
                              const std::vector<unsigned char>& valeur) {
  S->setValue(Cle(section, cle), QByteArray(reinterpret_cast<const char*>(valeur.data()),
                                            static_cast<qsizetype>(valeur.size())));
}

std::vector<std::string> TMagasinQt::Cles(const std::string& section) const {
  std::vector<std::string> r;
  S->beginGroup(QString::fromStdString(section));
  for (const QString& k : S->childKeys()) r.push_back(k.toStdString());
  S->endGroup();
  return r;
}

void TMagasinQt::EffaceSection(const std::string& section) { S->remove(QString::fromStdString(section)); }

void TMagasinQt::Synchronise() { S->sync(); }

std::unique_ptr<IMagasinReglages> OuvreMagasin() {
  const char* f = std::getenv("BRIVANE_SETTINGS");
  return std::make_unique<TMagasinQt>(f && *f ? QString::fromLocal8Bit(f) : QString());
}

TReglages& ReglagesProgramme() {
  static TReglages r;
  return r;
}

void AppliqueReglages(TMainForm& f, const TReglages& r) {
  TOptionsVues& o = f.OptV;
  o.Arp = r.Couleur("Arp");
  o.Axes = r.Couleur("Axes");
  o.AxesPlanSym = r.Couleur("AxesPlanSym");
  o.Grille = r.Couleur("Grille");
  o.Mesure = r.Couleur("Mesure");
  o.ResVertex = r.Couleur("ResVertex");
  o.Vertex = r.Couleur("Vertex");
  o.SelVertex = r.Couleur("SelVertex");
  o.SoudeVertex = r.Couleur("SoudeVertex");
  o.BordSf = r.Couleur("BordSf");
  o.Sec = r.Couleur("Sec");
  o.LE = r.Couleur("LE");
  o.Longit = r.Couleur("Longit");
  o.Diag = r.Couleur("Diag");
  o.ZoomMax = static_cast<float>(r.ZoomMax);
  o.RatioVect = r.RatioVect;
  o.OptAxesPlanSym = r.OptAxesPlanSym;
  TOptions& c = Options();
  c.FacteurCourbure = r.LongRayon;
  c.TypeRayon = r.TypeRayon;
  c.OrientationRayon = r.OrientationRayon;
  c.SplineTR = r.SplineTR;
  c.MultiFen = r.MultiFen;
  for (const TModule* m : ModulesEnregistres())
    if (m->ReglagesAppliques) m->ReglagesAppliques(f, r);
}

namespace {

// The menu shows the first ten entries; clicking one asks about the open document,
// then opens it.
void RemplitDerniers(TMainForm& f, QMenu* menu) {
  menu->clear();
  const auto& l = ReglagesProgramme().Fichiers;
  for (size_t i = 0; i < l.size() && i < 10; ++i) {
    const std::string chemin = l[i];
    QAction* a = menu->addAction(QString::fromStdString(chemin));
    QObject::connect(a, &QAction::triggered, &f, [&f, chemin] {
      // After the menu closes: opening may show questions and rebuild this menu.
      QTimer::singleShot(0, &f, [&f, chemin] {
        if (f.Fermer()) f.OuvrirFichier(chemin, false, false);
      });
    });
  }
}

}  // namespace

void ChargeReglages(TMainForm& f) {
  auto m = OuvreMagasin();
  ReglagesProgramme() = LitReglages(*m);
  AppliqueReglages(f, ReglagesProgramme());
  CommenceSuiviPlaces();
  if (QAction* a = f.Action("MeDerniers"); a && a->menu()) {
    QMenu* menu = a->menu();
    QObject::connect(menu, &QMenu::aboutToShow, &f, [&f, menu] { RemplitDerniers(f, menu); });
  }
}

void FichierRecent(TMainForm& f, const std::string& chemin) {
  // A step text of the reader and writer, cleared when the step ends: not a caption.
  std::string texte = rs("rsMeDerniersCaption");
  std::erase(texte, '&');
  f.EcritStatus(2, texte);
  if (!chemin.empty()) {
    AjouteFichierRecent(ReglagesProgramme().Fichiers, chemin);
    f.Rafraichit();
  }
  f.EcritStatus(2, "");
}

namespace {

std::vector<TRectEcran> Ecrans() {
  std::vector<TRectEcran> ecrans;
  auto ajoute = [&ecrans](const QScreen* s) {
    const QRect a = s->availableGeometry();
    ecrans.push_back({a.x(), a.y(), a.width(), a.height()});
  };
  if (QScreen* p = QGuiApplication::primaryScreen()) ajoute(p);
  for (QScreen* s : QGuiApplication::screens())
    if (s != QGuiApplication::primaryScreen()) ajoute(s);
  return ecrans;
}

TRectEcran Rect(const QRect& g) { return {g.x(), g.y(), g.width(), g.height()}; }

// Maximised or minimised, a window is stored with the place it comes back to.
TPlaceFenetre PlaceDe(const QWidget* w) {
  TPlaceFenetre p;
  const bool normale = !w->isMaximized() && !w->isMinimized();
  p.Rect = Rect(!normale && w->normalGeometry().isValid() ? w->normalGeometry() : w->geometry());
  p.Etat = w->isMaximized() ? "Maximized" : w->isMinimized() ? "Minimized" : "Normal";
  p.Visible = w->isVisible();
  p.Connue = true;
  return p;
}

// A state other than "Normal" leaves the position alone; a place off every zone gives way
// to the window's present one.
void PoseFenetre(QWidget* w, const TPlaceFenetre& p, const std::vector<TRectEcran>& zones) {
  if (p.Etat == "Maximized") {
    w->setWindowState(Qt::WindowMaximized);
    return;
  }
  if (p.Etat == "Minimized") {
    w->setWindowState(Qt::WindowMinimized);
    return;
  }
  w->setWindowState(Qt::WindowNoState);
  const TRectEcran r = PlaceSurEcran(p.Rect, zones, Rect(w->geometry()));
  w->setGeometry(r.X, r.Y, r.L, r.H);
}

// The places of the tool and calculation windows, by object name: read at first display
// when PosFen is on, taken again each time one is hidden, written at exit.
std::map<std::string, TPlaceFenetre>& Places() {
  static std::map<std::string, TPlaceFenetre> p;
  return p;
}

// Dialogs placed at the click that opens them keep that place.
bool FenetreSuivie(const QWidget* w) {
  if (!w->isWindow()) return false;
  const QString n = w->objectName();
  return n.endsWith("Form") && n != "MainForm" && n != "SplashForm" && n != "DefPoidsForm" &&
         n != "DefReperesForm";
}

class TSuiviPlaces : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* o, QEvent* e) override {
    if ((e->type() != QEvent::Show && e->type() != QEvent::Hide) || !o->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(o);
    if (!FenetreSuivie(w)) return false;
    const std::string nom = w->objectName().toStdString();
    if (e->type() == QEvent::Hide) {
      TPlaceFenetre p = PlaceDe(w);
      p.Visible = false;
      Places()[nom] = p;
    } else if (!w->property("PlaceRestauree").toBool()) {
      // Once per window: after that it keeps the place the user gives it.
      auto i = Places().find(nom);
      if (ReglagesProgramme().PosFen && i != Places().end() && i->second.Connue) {
        w->setProperty("PlaceRestauree", true);
        PoseFenetre(w, i->second, Ecrans());
      } else if (auto* f = qobject_cast<TMainForm*>(w->parentWidget());
                 f && (w->windowFlags() & Qt::Tool) == Qt::Tool && !w->isModal() &&
                 w->windowModality() == Qt::NonModal && nom != "BoiteOutilsForm") {
        // A tool window with no place of its own yet opens beside what it serves.
        w->setProperty("PlaceRestauree", true);
        f->PlaceOutil(w);
      }
    }
    return false;
  }
};

void CommenceSuiviPlaces() {
  Places().clear();  // a new main window starts from the store, not from the last one
  static bool suivi = false;
  if (!suivi) {
    suivi = true;
    qApp->installEventFilter(new TSuiviPlaces(qApp));
  }
}

// The windows inside the main window's area: the four views and the studio.
const char* const NomsSousFenetres[] = {"SectionForm", "PlanForm", "ProfileForm", "PerspForm", "StudioForm"};
std::vector<std::pair<std::string, QMdiSubWindow*>> SousFenetres(TMainForm& f) {
  std::vector<std::pair<std::string, QMdiSubWindow*>> r;
  for (int t = tvSection; t <= tvPersp; t++)
    if (QMdiSubWindow* s = f.SousFenetre(t)) r.emplace_back(NomsSousFenetres[t], s);
  if (auto* s = f.findChild<QMdiSubWindow*>("SousStudio")) r.emplace_back(NomsSousFenetres[4], s);
  return r;
}

// The tool windows whose visibility is restored, with the command that shows them.
const std::pair<const char*, const char*> FenetresOutils[] = {
    {"VueCtrlForm", "MeControleVues"},   {"BoiteOutilsForm", "MeBoiteOutils"},
    {"CalculatForm", "MeCalculatrice"},  {"EditPCForm", "MeEditeurVertex"},
    {"FenSelForm", "MeSelectionVertex"}, {"ListeSurfVisiblesForm", "MeSurfVisibilite"},
};

QWidget* FenetreNommee(const QString& nom) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == nom) return w;
  return nullptr;
}

// The main window's place (section PosFen), kept on a screen that exists now.
void ChargePositionPrincipale(TMainForm& f) {
  auto m = OuvreMagasin();
  const TPlaceFenetre p = LitPlaceFenetre(*m, "MainForm", Rect(f.geometry()));
  if (p.Connue) PoseFenetre(&f, p, Ecrans());
}

void EcritPlaces(TMainForm& f, IMagasinReglages& m) {
  m.EffaceSection("PosFen");
  TPlaceFenetre p = PlaceDe(&f);
  p.Visible = true;
  EcritPlaceFenetre(m, "MainForm", p);
  for (const auto& [nom, s] : SousFenetres(f)) EcritPlaceFenetre(m, nom, PlaceDe(s));
  for (QWidget* w : QApplication::topLevelWidgets())
    if (FenetreSuivie(w)) Places()[w->objectName().toStdString()] = PlaceDe(w);
  for (const auto& [nom, place] : Places())
    if (place.Connue) EcritPlaceFenetre(m, nom, place);
}

// A saved switch that a feature owns (its control is not one of the commands).
std::optional<bool> BasculeModule(TMainForm& f, const std::string& cle, std::optional<bool> nouveau) {
  for (const TModule* m : ModulesEnregistres())
    if (m->Bascule)
      if (std::optional<bool> b = m->Bascule(f, cle, nouveau)) return b;
  return std::nullopt;
}

// The display switches as the commands show them.
TConf ConfDe(TMainForm& f) {
  f.Rafraichit();
  TConf c;
  for (int i = 0; i < NbClesConf; ++i) {
    const TCleConf& k = ClesConf[static_cast<size_t>(i)];
    if (QAction* a = f.Action(k.Commande)) c.Bascules[static_cast<size_t>(i)] = a->isChecked();
  }
  for (int i = 0; i < NbClesConf; ++i)
    if (std::optional<bool> b = BasculeModule(f, ClesConf[static_cast<size_t>(i)].Commande, std::nullopt))
      c.Bascules[static_cast<size_t>(i)] = *b;
  c.Precision = NomPrecision(f.Document().Precision);
  return c;
}

const char* CommandePrecision(const std::string& nom) {
  if (nom == "Faible") return "MePrecFaible";
  if (nom == "Bonne") return "MePrecBonne";
  if (nom == "TBonne") return "MePrecTresBonne";
  return "MePrecMoyenne";
}

// Each switch that differs runs its command, which computes what the switch shows.
void AppliqueConf(TMainForm& f, const TConf& c) {
  TDocument& doc = f.Document();
  const bool modifie = doc.Modifie;
  f.Rafraichit();
  for (int i = 0; i < NbClesConf; ++i) {
    const TCleConf& k = ClesConf[static_cast<size_t>(i)];
    const bool voulu = c.Bascules[static_cast<size_t>(i)];
    if (!k.Lue) continue;
    if (BasculeModule(f, k.Commande, voulu)) continue;
    QAction* a = f.Action(k.Commande);
    if (a && a->isEnabled() && a->isChecked() != voulu) f.Lance(k.Commande, voulu);
  }
  if (PasPrecision(c.Precision) != doc.Precision) f.Lance(CommandePrecision(c.Precision), true);
  // Restoring the display is no change to the document.
  doc.Modifie = modifie;
  f.Rafraichit();
}

}  // namespace

namespace {

// A view laid out with the others: shown in its normal state (a hidden studio keeps its place).
bool Disposee(const TPlaceFenetre& p) { return p.Etat == "Normal" && p.Visible.value_or(true); }

}  // namespace

int ChargePremierAffichage(TMainForm& f) {
  const TReglages& r = ReglagesProgramme();
  auto m = OuvreMagasin();
  if (r.SavConfig) AppliqueConf(f, LitConf(*m));
  if (!r.PosFen) return -1;
  // The area as the main window's size (just restored) makes it, not as it was laid out last.
  if (f.layout()) f.layout()->activate();
  const QRect zone = f.Zone()->viewport()->rect();
  const std::vector<TRectEcran> zones{Rect(zone)};
  int maximisee = -1;
  std::vector<std::pair<QMdiSubWindow*, TPlaceFenetre>> vues;
  std::vector<TRectEcran> normales;
  for (const auto& [nom, s] : SousFenetres(f)) {
    const TPlaceFenetre p = LitPlaceFenetre(*m, nom, Rect(s->geometry()));
    if (!p.Connue) continue;
    vues.emplace_back(s, p);
    if (Disposee(p)) normales.push_back(p.Rect);
  }
  // Stored for a larger area (a larger screen), the views' layout is scaled whole into this
  // one; views too small then keep the tiling they have.
  normales = DispositionDansZone(normales, Rect(zone));
  const bool tropPetites = std::any_of(normales.begin(), normales.end(), [](const TRectEcran& r) {
    return r.L < LargeurFenetreMin || r.H < HauteurFenetreMin;
  });
  size_t n = 0;
  for (auto& [s, p] : vues) {
    if (Disposee(p)) {
      p.Rect = normales[n++];
      if (tropPetites) continue;
    }
    PoseFenetre(s, p, zones);
    for (int t = tvSection; t <= tvPersp; t++)
      if (p.Etat == "Maximized" && s == f.SousFenetre(t)) maximisee = t;
  }
  // Every window beside the main one and the views; those made later (the calculation
  // windows) take their place when first shown.
  for (const std::string& cle : m->Cles("PosFen")) {
    if (cle.size() <= 4 || cle.compare(cle.size() - 4, 4, "Left") != 0) continue;
    const std::string n = cle.substr(0, cle.size() - 4);
    const bool vue = std::any_of(std::begin(NomsSousFenetres), std::end(NomsSousFenetres),
                                 [&n](const char* v) { return n == v; });
    if (n == "MainForm" || vue) continue;
    TPlaceFenetre p = LitPlaceFenetre(*m, n, {});
    if (p.Connue) Places()[n] = p;
  }
  // Windows already shown take their place now, the others when they show.
  for (const auto& [nom, place] : Places()) {
    QWidget* w = FenetreNommee(QString::fromStdString(nom));
    if (w && FenetreSuivie(w) && w->isVisible() && !w->property("PlaceRestauree").toBool()) {
      w->setProperty("PlaceRestauree", true);
      PoseFenetre(w, place, Ecrans());
    }
  }
  for (const auto& [nom, cmd] : FenetresOutils) {
    auto i = Places().find(nom);
    if (i == Places().end() || !i->second.Visible) continue;
    QWidget* w = FenetreNommee(nom);
    const bool montree = w && w->isVisible();
    if (*i->second.Visible == montree) continue;
    QAction* a = f.Action(cmd);
    if (!a || !a->isEnabled()) continue;
    if (*i->second.Visible)
      f.Lance(cmd, true);
    else if (a->isCheckable())
      f.Lance(cmd, false);
    else
      w->hide();
  }
  f.Rafraichit();
  return maximisee;
}

void ChargeLumieres(TMainForm& f) {
  const TReglages& r = ReglagesProgramme();
  if (r.PosFen) ChargePositionPrincipale(f);
  for (const TModule* m : ModulesEnregistres())
    if (m->PlacementsCharges) m->PlacementsCharges(f, r);
}

namespace {

const TEnregistrement Enregistre([] {
  EnregistreCommande(
      {.Nom = "MeDerniers", .Actif = [](const TMainForm&) { return !ReglagesProgramme().Fichiers.empty(); }});
});

}  // namespace

void EcritReglagesSortie(TMainForm& f) {
  TReglages& r = ReglagesProgramme();
  auto m = OuvreMagasin();
  EcritFichiersRecents(*m, r.Fichiers);
  if (r.SavConfig) EcritConf(*m, ConfDe(f));
  if (r.PosFen) EcritPlaces(f, *m);
  for (const TModule* mod : ModulesEnregistres())
    if (mod->AvantSortie) mod->AvantSortie(f, r);
  if (r.PosLight) EcritLumieres(*m, r.Lumieres);
}
