#include "app/forms/ReglagesQt.h"

#include <QAction>
#include <QByteArray>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <cstdlib>

#include "app/Chaines.h"
#include "app/PlaceFenetre.h"
#include "app/forms/Principale.h"
#include "app/forms/Registre.h"
#include "studio/CommandesStudio.h"
#include "studio/Studio.h"

namespace {

QString Cle(const std::string& section, const std::string& cle) {
  return QString::fromStdString(section) + "/" + QString::fromStdString(cle);
}

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
  if (TStudioForm* s = StudioDe(f)) {
    TReglagesStudio& g = s->Reglages;
    g.ArpStudio = r.Couleur("ArpStudio");
    g.BordSf = o.BordSf;
    g.Sec = o.Sec;
    g.LE = o.LE;
    g.Longit = o.Longit;
    g.Diag = o.Diag;
    g.ResVertex = o.ResVertex;
    g.PolyFactor = r.PolyFactor;
    g.PolyUnits = r.PolyUnits;
    g.OptNetVxStudio = r.OptNetVxStudio;
    g.OptTailleReperesStudio = r.OptTailleReperesStudio;
  }
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

// The main window's place (section PosFen), kept on a screen that exists now.
void ChargePositionPrincipale(TMainForm& f) {
  auto m = OuvreMagasin();
  const std::string etat = LitTexte(*m, "PosFen", "MainFormWinState", "Normal");
  if (etat == "Maximized") {
    f.showMaximized();
    return;
  }
  if (etat == "Minimized") {
    f.showMinimized();
    return;
  }
  const QRect g = f.geometry();
  TRectEcran r{LitEntier(*m, "PosFen", "MainFormLeft", g.x(), -100000, 100000),
               LitEntier(*m, "PosFen", "MainFormTop", g.y(), -100000, 100000),
               LitEntier(*m, "PosFen", "MainFormWidth", g.width(), 0, 100000),
               LitEntier(*m, "PosFen", "MainFormHeight", g.height(), 0, 100000)};
  std::vector<TRectEcran> ecrans;
  if (QScreen* p = QGuiApplication::primaryScreen()) {
    QRect a = p->availableGeometry();
    ecrans.push_back({a.x(), a.y(), a.width(), a.height()});
  }
  for (QScreen* s : QGuiApplication::screens()) {
    if (s == QGuiApplication::primaryScreen()) continue;
    QRect a = s->availableGeometry();
    ecrans.push_back({a.x(), a.y(), a.width(), a.height()});
  }
  const TRectEcran p = PlaceSurEcran(r, ecrans, {g.x(), g.y(), g.width(), g.height()});
  f.setGeometry(p.X, p.Y, p.L, p.H);
}

void EcritPositionPrincipale(TMainForm& f, IMagasinReglages& m) {
  m.EffaceSection("PosFen");
  const QRect g = f.normalGeometry().isValid() ? f.normalGeometry() : f.geometry();
  EcritEntier(m, "PosFen", "MainFormLeft", g.x());
  EcritEntier(m, "PosFen", "MainFormTop", g.y());
  EcritEntier(m, "PosFen", "MainFormWidth", g.width());
  EcritEntier(m, "PosFen", "MainFormHeight", g.height());
  if (f.isMaximized())
    m.Ecrit("PosFen", "MainFormWinState", "Maximized");
  else if (f.isMinimized())
    m.Ecrit("PosFen", "MainFormWinState", "Minimized");
  EcritBooleen(m, "PosFen", "MainFormVisible", true);
}

}  // namespace

void ChargeLumieres(TMainForm& f) {
  const TReglages& r = ReglagesProgramme();
  if (r.PosFen) ChargePositionPrincipale(f);
  TStudioForm* s = StudioDe(f);
  if (!r.PosLight || !s) return;
  for (int i = 0; i < 8; ++i) {
    const TLumiereReglage& l = r.Lumieres[static_cast<size_t>(i)];
    s->Lumieres[i].SetEnabled(l.Visible);
    s->Lumieres[i].SetDistZ(static_cast<float>(l.Dist));
    s->Lumieres[i].SetRotX(static_cast<float>(l.RX));
    s->Lumieres[i].SetRotY(static_cast<float>(l.RY));
    s->Reglages.Lumieres[static_cast<size_t>(i)] = {l.Visible, l.Dist, l.RX, l.RY};
  }
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
  if (r.PosFen) EcritPositionPrincipale(f, *m);
  TStudioForm* s = StudioDe(f);
  if (r.PosLight && s) {
    for (int i = 0; i < 8; ++i)
      r.Lumieres[static_cast<size_t>(i)] = {s->Lumieres[i].Enabled(), s->Lumieres[i].DistZ(),
                                            s->Lumieres[i].RotX(), s->Lumieres[i].RotY()};
    EcritLumieres(*m, r.Lumieres);
  }
}
