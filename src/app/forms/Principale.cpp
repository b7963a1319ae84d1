// The main window: start-up, command table, display toggles, view commands,
// window management, the document's life and the shell hooks.
#include "app/forms/Principale.h"
#include "naval/forms/FenetresCalcul.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <cmath>
#include <cstring>
#include <vector>

#include "app/Chaines.h"
#include "app/Debug.h"
#include "app/Options.h"
#include "app/Services.h"
#include "app/forms/Dialogues.h"
#include "model/ObjCom.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The command table: menus in order, "-" a separator ("-v" the one before the resistance
// program, "-d" the one before the debug items), "}" the end of a sub-menu. Flags:
// s sub-menu, c two-state, r radio, k checked at start, e enabled in this build,
// h shown in debug mode only, v shown only when the resistance program is enabled.
// Captions come from the text table under "rs" + name + "Caption".
struct TDefCommande {
  const char* Nom;
  const char* Raccourci;
  const char* Drapeaux;
};

const TDefCommande Commandes[] = {
  {"MeFichier", "", "s"},
    {"MeNouveau", "Ctrl+N", "e"},
    {"MeOuvrir", "Ctrl+O", "e"},
    {"MeDerniers", "", "s"},
    {"}", "", ""},
    {"MeFermer", "", "e"},
    {"MeEnregistrer", "Ctrl+S", "e"},
    {"MeEnregistrerSous", "", "e"},
    {"-", "", ""},
    {"MeExport", "", "s"},
      {"MeExportSurfaces", "", ""},
      {"MeExportDXF", "", ""},
      {"MeExportIGES", "", ""},
      {"MeExportTexte", "", ""},
    {"}", "", ""},
    {"-", "", ""},
    {"MeImprimer", "Ctrl+I", ""},
    {"MeConfigImpression", "", ""},
    {"MeProprietes", "", ""},
    {"-", "", ""},
    {"MeQuitter", "Ctrl+Q", "e"},
  {"}", "", ""},
  {"MeEdition", "", "s"},
    {"MeAnnuler", "Ctrl+Z", ""},
    {"MeRefaire", "Ctrl+Y", ""},
    {"-", "", ""},
    {"MeCopier", "", "e"},
  {"}", "", ""},
  {"MeVoir", "", "s"},
    {"MeZoom", "Ctrl+E", "ce"},
    {"MeAgrandir", "", "e"},
    {"MeReduire", "Ctrl+R", "e"},
    {"MeVuePrecedente", "Ctrl+P", "e"},
    {"MeDeplacer", "Ctrl+D", "ce"},
    {"MeAjuster", "Ctrl+A", "e"},
    {"MeRecentrer", "Ctrl+M", "e"},
    {"MeVuePerso", "", "e"},
    {"MeSauverVue", "", "e"},
    {"-", "", ""},
    {"MeControleVues", "", "c"},
    {"MeBarresIcones", "", "s"},
      {"MeBarreStandard", "", "cke"},
      {"MeBoiteOutils", "", "ce"},
    {"}", "", ""},
  {"}", "", ""},
  {"MeAffichage", "", "s"},
    {"MeCarene", "", "cke"},
    {"MeReseau", "", "cke"},
    {"MeBasePlanSym", "", "ce"},
    {"MeMoitie", "", "ce"},
    {"MeScinder", "", "ce"},
    {"-", "", ""},
    {"MeCouples", "", "ce"},
    {"MeLignesEau", "", "ce"},
    {"MeLongitudinales", "", "ce"},
    {"MeDiagonales", "", "ce"},
    {"-", "", ""},
    {"MeSurfParam", "", "ce"},
    {"MeGrille", "", "ce"},
    {"MeOrientation", "", "ce"},
    {"MeHerisson", "", "ce"},
    {"-", "", ""},
    {"MePoids", "", "cke"},
    {"MeCentreVoilure", "", "cke"},
    {"MeCotes", "", "cke"},
    {"MeAxes", "", "cke"},
    {"MeReperes", "", "cke"},
    {"MePtsEnvahissement", "", "cke"},
    {"MeImageFond", "", "ck"},
  {"}", "", ""},
  {"MeVertex", "", "s"},
    {"MeAjoutLigne", "Ctrl+Ins", "c"},
    {"MeSupprLigne", "Ctrl+Del", "c"},
    {"-", "", ""},
    {"MeGrouperPlan", "", ""},
    {"MeGrouperEspace", "", ""},
    {"MeAlignerPlan", "", ""},
    {"MeAlignerEspace", "", ""},
    {"MeTranslation", "", "s"},
      {"MeTranslationH", "F5", "c"},
      {"MeTranslationV", "F6", "c"},
    {"}", "", ""},
    {"MeSouder", "", ""},
    {"MeDessouder", "", ""},
    {"-", "", ""},
    {"MeSelectTous", "Ctrl+W", ""},
    {"MeSelectionVertex", "", "c"},
    {"MeEditeurVertex", "", "c"},
    {"MeListeVertex", "", ""},
  {"}", "", ""},
  {"MeSurfaces", "", "s"},
    {"MeSurfAjouter", "", ""},
    {"MeSurfSupprimer", "", ""},
    {"MeSurfDupliquer", "", ""},
    {"MeSurfEpaisseur", "", ""},
    {"MeSurfRenommer", "", ""},
    {"-", "", ""},
    {"MeSurfProprietes", "", ""},
    {"MeSurfVisibilite", "", ""},
    {"MeSurfVerrouillage", "", ""},
    {"MeSurfTransformations", "", ""},
    {"MeSurfDeveloppement", "", ""},
    {"-", "", ""},
    {"MePrecision", "", "s"},
      {"MePrecFaible", "", "re"},
      {"MePrecMoyenne", "", "rke"},
      {"MePrecBonne", "", "re"},
      {"MePrecTresBonne", "", "re"},
      {"MePrecPerso", "", "r"},
    {"}", "", ""},
  {"}", "", ""},
  {"MeOutils", "", "s"},
    {"MeMesures", "", "s"},
      {"MeMesMetre", "", "c"},
      {"MeMesRayon", "", "c"},
      {"MeMesAngle", "", "c"},
    {"}", "", ""},
    {"MeCotations", "", "s"},
      {"MeCotMetre", "", "c"},
      {"MeCotRayon", "", "c"},
      {"MeCotAngle", "", "c"},
    {"}", "", ""},
    {"MeListeCotes", "", ""},
    {"-", "", ""},
    {"MeAjoutRepere", "", "c"},
    {"MeImportReperes", "", ""},
    {"MeListeReperes", "", ""},
    {"-", "", ""},
    {"MeImagesFond", "", ""},
    {"MeCalculatrice", "", "e"},
    {"MeOptions", "", ""},
    {"-v", "", ""},
    {"MeVexrun", "", "v"},
  {"}", "", ""},
  {"MeDonnees", "", "s"},
    {"MeEspacementGrille", "", ""},
    {"MeTaille", "", ""},
    {"MeTableauCotes", "", ""},
    {"-", "", ""},
    {"MeAjoutBallast", "", "c"},
    {"MeDevisPoids", "", ""},
    {"MeListeEnvahissement", "", ""},
    {"-", "", ""},
    {"MeHydrostatique", "", ""},
    {"MeStabilite", "", ""},
    {"MeAires", "", ""},
    {"MeSurfaceVoiles", "", ""},
    {"-", "", ""},
    {"MePorteeCalculs", "", ""},
    {"MeControleFacettes", "", ""},
  {"}", "", ""},
  {"MeFenetre", "", "s"},
    {"MeVueSection", "", "rke"},
    {"MeVuePlan", "", "re"},
    {"MeVueProfil", "", "re"},
    {"MeVuePersp", "", "re"},
    {"MeStudio", "", "r"},
    {"-", "", ""},
    {"MeMosaiqueH", "", "e"},
    {"MeMosaiqueV", "", "e"},
    {"MeCascade", "", "e"},
    {"MeReorganiser", "", "e"},
    {"-d", "", ""},
    {"MeDebug", "", "h"},
    {"MeTraduction", "", "h"},
  {"}", "", ""},
  {"MeAide", "", "s"},
    {"MeGuide", "", "e"},
    {"MeAPropos", "", "e"},
  {"}", "", ""},
};

// Tool-bar buttons left to right, and toolbox buttons: name (hint "rs" + name + "Hint"),
// the command they run, and the short label drawn on the button.
struct TDefBouton {
  const char* Nom;
  const char* Commande;
  const char* Glyphe;
};

const TDefBouton BoutonsBarre[] = {
  {"SBNouveau", "MeNouveau", "N"},
  {"SBOuvrir", "MeOuvrir", "O"},
  {"SBEnregistrer", "", "E"},
  {"SBImprimer", "MeImprimer", "Im"},
  {"SBAnnuler", "MeAnnuler", "An"},
  {"SBBoiteOutils", "MeBoiteOutils", "BO"},
  {"SBControleVues", "MeControleVues", "CV"},
  {"SBSelectionVertex", "MeSelectionVertex", "SV"},
  {"SBCarene", "MeCarene", "C"},
  {"SBNet", "MeReseau", "R"},
  {"SBBases", "MeBasePlanSym", "B"},
  {"SBMoitie", "MeMoitie", "½"},
  {"SBCouples", "MeCouples", "Cp"},
  {"SBLignesEau", "MeLignesEau", "LE"},
  {"SBSurfParam", "MeSurfParam", "SP"},
  {"SBGrille", "MeGrille", "#"},
  {"SBAjuster", "MeAjuster", "Aj"},
  {"SBRecentrer", "MeRecentrer", "Ce"},
  {"SBDeplacer", "MeDeplacer", "Dp"},
  {"SBVuePerso", "MeVuePerso", "VP"},
  {"SBZoomMode", "MeZoom", "Zr"},
  {"SBZoom", "MeAgrandir", "Z+"},
  {"SBReduire", "MeReduire", "Z-"},
  {"SBZoomPrecedent", "MeVuePrecedente", "Zp"},
  {"SBDevisPoids", "MeDevisPoids", "Po"},
  {"SBHydro", "MeHydrostatique", "Hy"},
  {"SBStab", "MeStabilite", "St"},
  {"SBVueSection", "MeVueSection", "T"},
  {"SBVuePlan", "MeVuePlan", "P"},
  {"SBVueProfil", "MeVueProfil", "Pf"},
  {"SBVuePersp", "MeVuePersp", "3D"},
  {"SBStudio", "MeStudio", "S"},
};

const TDefBouton BoutonsBoite[] = {
  {"BOAjoutLigne", "MeAjoutLigne", "+L"},
  {"BOSupprLigne", "MeSupprLigne", "-L"},
  {"BOSouder", "MeSouder", "So"},
  {"BODessouder", "MeDessouder", "Ds"},
  {"BOGrouperPlan", "MeGrouperPlan", "Gp"},
  {"BOGrouperEspace", "MeGrouperEspace", "Ge"},
  {"BOAlignerPlan", "MeAlignerPlan", "Ap"},
  {"BOAlignerEspace", "MeAlignerEspace", "Ae"},
  {"BOTranslationH", "MeTranslationH", "H"},
  {"BOTranslationV", "MeTranslationV", "V"},
  {"BOSelectTous", "MeSelectTous", "Tt"},
  {"BOSelectionVertex", "MeSelectionVertex", "Sv"},
  {"BOVisibilite", "MeSurfVisibilite", "Vi"},
  {"BOVerrouillage", "MeSurfVerrouillage", "Ve"},
  {"BOProprietes", "MeSurfProprietes", "Pr"},
  {"BOTransformations", "MeSurfTransformations", "Tr"},
  {"BOMesMetre", "MeMesMetre", "Mm"},
  {"BOMesRayon", "MeMesRayon", "Mr"},
  {"BOMesAngle", "MeMesAngle", "Ma"},
  {"BOCotMetre", "MeCotMetre", "Cm"},
  {"BOCotRayon", "MeCotRayon", "Cr"},
  {"BOCotAngle", "MeCotAngle", "Ca"},
  {"BOListeCotes", "MeListeCotes", "Lc"},
  {"BOCalculatrice", "MeCalculatrice", "Ca"},
};

constexpr int OrdreMosaique[4] = {tvProfil, tvSection, tvPlan, tvPersp};
const char* const NomsVues[4] = {"MeVueSection", "MeVuePlan", "MeVueProfil", "MeVuePersp"};

QIcon IconeGlyphe(const char* glyphe) {
  QPixmap pm(22, 22);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  QFont f = p.font();
  f.setPixelSize(std::strlen(glyphe) > 2 ? 8 : 11);
  f.setBold(true);
  p.setFont(f);
  p.setPen(QColor(30, 60, 110));
  p.drawRoundedRect(1, 1, 20, 20, 3, 3);
  p.drawText(QRect(0, 0, 22, 22), Qt::AlignCenter, QString::fromUtf8(glyphe));
  return QIcon(pm);
}

// A button that runs a command and mirrors its enabled and checked state. Its own hint:
// the same command may carry different hints on the tool bar and in the toolbox.
QToolButton* BoutonCommande(QWidget* parent, const TDefBouton& d, QAction* a) {
  auto* b = new QToolButton(parent);
  b->setObjectName(d.Nom);
  b->setIcon(IconeGlyphe(d.Glyphe));
  b->setAutoRaise(true);
  std::string cle = std::string("rs") + d.Nom + "Hint";
  if (ChaineConnue(cle)) b->setToolTip(Q(rs(cle)));
  if (!a) return b;
  b->setCheckable(a->isCheckable());
  auto sync = [a, b] {
    b->setEnabled(a->isEnabled());
    b->setChecked(a->isChecked());
  };
  sync();
  QObject::connect(a, &QAction::changed, b, sync);
  QObject::connect(b, &QToolButton::clicked, a, [a, sync] {
    a->trigger();
    sync();
  });
  return b;
}

TModifs ModifsClavier() {
  Qt::KeyboardModifiers m = QGuiApplication::queryKeyboardModifiers();
  return {(m & Qt::ControlModifier) != 0, (m & Qt::AltModifier) != 0, (m & Qt::ShiftModifier) != 0};
}

// "Name|*.ext|Name|*.ext" to Qt's "Name (*.ext);;Name (*.ext)".
QString FiltreQt(const QString& f) {
  QStringList p = f.split('|');
  QStringList r;
  for (int i = 0; i + 1 < p.size(); i += 2) r << p[i] + " (" + p[i + 1] + ")";
  return r.join(";;");
}

std::string NomSansDossier(const std::string& chemin) { return QFileInfo(Q(chemin)).fileName().toStdString(); }

}  // namespace

TMainForm::TMainForm(const TLigneCommande& lc, TDocumentIO io, QWidget* parent)
    : QMainWindow(parent), IO(std::move(io)) {
  TRACE("MainForm.Create");
  setObjectName("MainForm");
  setWindowTitle(Q(rs("rsMainFormCaption")));
  OptV.ZoomMax = ZoomMaxDefaut;
  ModeDebug = lc.Debug;
  PortDebug = lc.Port;
  DebugConfig().ModeDebug = lc.Debug;

  Mdi = new QMdiArea(this);
  Mdi->setObjectName("ZoneMdi");
  Mdi->setContextMenuPolicy(Qt::CustomContextMenu);
  setCentralWidget(Mdi);
  ChoisirFichier = [this](bool enregistrer, const QString& filtre, const QString& initial) {
    if (enregistrer) {
      QString f = QFileDialog::getSaveFileName(this, QString(), initial, FiltreQt(filtre));
      if (!f.isEmpty() && QFileInfo(f).suffix().isEmpty()) f += ".kvb";
      return f;
    }
    return QFileDialog::getOpenFileName(this, QString(), initial, FiltreQt(filtre));
  };

  CreeVues();
  CreeMenus();
  CreeBarreOutils();
  CreeBoiteOutils();
  CreeBarreEtat();
  InstalleServices();
  Relie();
  RelieFenetresCalcul(*this);
  qApp->installEventFilter(this);

  // The first document, then the file the command line names.
  Doc.InitDefaut();
  Doc.MarqueEnregistre();
  Grille = GrilleDuDocument(Doc);
  SyncAffichage();
  // A file that cannot be read leaves the default document; the error is shown at first display.
  if (!lc.Fichier.empty()) OuvrirFichier(lc.Fichier, true, false);
  RafraichitFenetresOutils();
  resize(1280, 960);
}

TMainForm::~TMainForm() {
  DessinOK = false;
  qApp->removeEventFilter(this);
  RestaureServicesDefaut();
  // The views call back into this window: they go while it is still whole, not in the
  // base class's destructor (the area announces its last deactivation as it goes).
  disconnect(Mdi, nullptr, this, nullptr);
  delete takeCentralWidget();
}

void TMainForm::CreeVues() {
  for (int t = tvSection; t <= tvPersp; t++) {
    auto* v = new TFormFille(*this, t);
    v->setObjectName(QString("Vue%1").arg(t));
    Vues[static_cast<size_t>(t)] = v;
    QMdiSubWindow* s = Mdi->addSubWindow(v);
    // The views live as long as the program: their windows minimise instead of closing.
    s->setAttribute(Qt::WA_DeleteOnClose, false);
    s->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinMaxButtonsHint);
    s->setWindowTitle(Q(TitreVue(t)));
    s->setObjectName(QString("SousVue%1").arg(t));
    s->installEventFilter(this);
    s->resize(480, 360);
    Sous[static_cast<size_t>(t)] = s;
    v->setCursor(Qt::CrossCursor);
  }
}

void TMainForm::CreeMenus() {
  std::vector<QMenu*> pile;
  std::vector<QAction*> separateurs;
  auto* groupePrec = new QActionGroup(this);
  auto* groupeVues = new QActionGroup(this);
  auto* groupeMesures = new QActionGroup(this);
  groupeMesures->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  for (const TDefCommande& d : Commandes) {
    std::string nom = d.Nom, fl = d.Drapeaux;
    if (nom == "}") {
      pile.pop_back();
      continue;
    }
    if (nom[0] == '-') {
      QAction* s = pile.back()->addSeparator();
      if (nom == "-v") s->setVisible(false);
      if (nom == "-d") s->setVisible(ModeDebug);
      continue;
    }
    QString caption = Q(rs("rs" + nom + "Caption"));
    if (fl.find('s') != std::string::npos) {
      QMenu* m = pile.empty() ? menuBar()->addMenu(caption) : pile.back()->addMenu(caption);
      m->setObjectName(Q(nom));
      m->menuAction()->setObjectName(Q(nom));
      pile.push_back(m);
      continue;
    }
    QAction* a = pile.back()->addAction(caption);
    a->setObjectName(Q(nom));
    if (*d.Raccourci) a->setShortcut(QKeySequence(QString::fromLatin1(d.Raccourci)));
    bool radio = fl.find('r') != std::string::npos;
    a->setCheckable(radio || fl.find('c') != std::string::npos);
    a->setChecked(fl.find('k') != std::string::npos);
    // A command whose work is not in this build is shown, disabled.
    a->setEnabled(fl.find('e') != std::string::npos);
    if (fl.find('h') != std::string::npos) a->setVisible(ModeDebug);
    if (fl.find('v') != std::string::npos) a->setVisible(false);
    if (radio) (nom.rfind("MePrec", 0) == 0 ? groupePrec : groupeVues)->addAction(a);
    if (nom.rfind("MeMes", 0) == 0 || nom.rfind("MeCot", 0) == 0) groupeMesures->addAction(a);
  }
  if (QMenu* d = menuBar()->findChild<QMenu*>("MeDerniers")) d->setEnabled(false);
}

void TMainForm::CreeBarreOutils() {
  Barre = addToolBar(Q(rs("rsMeBarreStandardCaption")).remove('&'));
  Barre->setObjectName("BarreStandard");
  Barre->setIconSize(QSize(22, 22));
  ActEnregistrerSB = new QAction(this);
  ActEnregistrerSB->setObjectName("SBEnregistrerAction");
  ActEnregistrerSB->setEnabled(false);
  connect(ActEnregistrerSB, &QAction::triggered, this, [this] { Enregistrer(); });
  for (const TDefBouton& d : BoutonsBarre) {
    QAction* a = *d.Commande ? Action(d.Commande) : ActEnregistrerSB;
    Barre->addWidget(BoutonCommande(Barre, d, a));
    std::string n = d.Nom;
    if (n == "SBEnregistrer" || n == "SBAnnuler" || n == "SBSelectionVertex" || n == "SBGrille" ||
        n == "SBVuePerso" || n == "SBZoomPrecedent" || n == "SBStab")
      Barre->addSeparator();
  }
}

void TMainForm::CreeBoiteOutils() {
  Boite = new TBoiteOutilsForm(this);
  auto* g = new QGridLayout(Boite);
  g->setContentsMargins(2, 2, 2, 2);
  g->setSpacing(1);
  int i = 0;
  for (const TDefBouton& d : BoutonsBoite) {
    g->addWidget(BoutonCommande(Boite, d, Action(d.Commande)), i / 2, i % 2);
    i++;
  }
  Boite->setFixedWidth(65);
  Boite->QuandFerme = [this] { Action("MeBoiteOutils")->setChecked(false); };
  Calc = new TCalculatriceForm(this);
}

void TMainForm::CreeBarreEtat() {
  static const int largeurs[5] = {75, 180, 250, 240, 50};
  const char* initiaux[5] = {"rsStatusFenActive", "rsStatusPCSel", "rsStatusCoord", "", ""};
  for (size_t i = 0; i < 5; i++) {
    auto* l = new QLabel(statusBar());
    l->setObjectName(QString("Panneau%1").arg(i));
    l->setMinimumWidth(largeurs[i]);
    if (i == 0) l->setAlignment(Qt::AlignCenter);
    if (*initiaux[i]) l->setText(Q(rs(initiaux[i])));
    statusBar()->addWidget(l, i == 3 ? 1 : 0);
    Panneaux[i] = l;
  }
  Progress = new QProgressBar(statusBar());
  Progress->setObjectName("Progression");
  Progress->setGeometry(590, 4, 150, 13);
  Progress->setTextVisible(false);
  Progress->hide();
}

void TMainForm::InstalleServices() {
  TServices& s = Services();
  s.ProgressMax = [this](int m) { Progress->setMaximum(std::max(m, 0)); };
  s.ProgressPos = [this](int p) {
    Progress->setValue(p);
    Progress->repaint();
  };
  s.ProgressVisible = [this](bool v) {
    Progress->setVisible(v);
    Progress->raise();
  };
  s.WriteStatusBar = [this](int panneau, const std::string& t) { EcritStatus(panneau, t); };
  s.AfficheMessage = [](const std::string& t, int type, int boutons) { return AfficheMessageDlg(t, type, boutons); };
  s.MarqueModifie = [this](bool m) { ActEnregistrerSB->setEnabled(m); };
  s.CurseurAttente = [](bool attente) {
    if (attente) QApplication::setOverrideCursor(Qt::WaitCursor);
    else QApplication::restoreOverrideCursor();
  };
}

void TMainForm::EcritStatus(int panneau, const std::string& texte) {
  if (panneau < 0 || panneau >= 5) return;
  QLabel* l = Panneaux[static_cast<size_t>(panneau)];
  l->setText(Q(texte));
  // At once: messages must appear during long computations.
  l->repaint();
}

QAction* TMainForm::Action(const QString& nom) const { return findChild<QAction*>(nom); }

TFormFille* TMainForm::Vue(int type) const {
  return type >= tvSection && type <= tvPersp ? Vues[static_cast<size_t>(type)] : nullptr;
}

QMdiSubWindow* TMainForm::SousFenetre(int type) const {
  return type >= tvSection && type <= tvPersp ? Sous[static_cast<size_t>(type)] : nullptr;
}

TFormFille* TMainForm::FenetreActive() const {
  TFormFille* v = Vue(Doc.VueActive);
  if (!v) AfficheMessage(rs("rsErrFenNonDeclaree"), mtError, mbOK);
  return v;
}

void TMainForm::Relie() {
  auto on = [this](const char* nom, auto f) { connect(Action(nom), &QAction::triggered, this, f); };
  // Fichier
  on("MeNouveau", [this] { Nouveau(); });
  on("MeOuvrir", [this] { Ouvrir(); });
  on("MeFermer", [this] { Fermer(); });
  on("MeEnregistrer", [this] { Enregistrer(); });
  on("MeEnregistrerSous", [this] { EnregistrerSous(); });
  on("MeQuitter", [this] { close(); });
  on("MeCopier", [this] { Copier(); });
  // Voir
  on("MeAgrandir", [this] { Agrandir(ModifsClavier()); });
  on("MeReduire", [this] { Reduire(ModifsClavier()); });
  on("MeAjuster", [this] {
    if (TFormFille* v = FenetreActive()) Ajuster(*v, true);
  });
  on("MeRecentrer", [this] {
    if (TFormFille* v = FenetreActive()) {
      v->Cadrage.MemorisePrecedente();
      v->Cadrage.Centre();
      v->Redessine();
    }
  });
  on("MeVuePrecedente", [this] {
    FinModeZoom();
    if (TFormFille* v = FenetreActive()) {
      v->Cadrage.EchangePrecedente();
      v->Redessine();
    }
  });
  on("MeSauverVue", [this] {
    if (TFormFille* v = FenetreActive()) {
      v->Cadrage.SauveVue(Doc.VuesPerso[static_cast<size_t>(v->Type())]);
      Doc.MarqueModifie();
    }
  });
  on("MeVuePerso", [this] {
    TFormFille* v = FenetreActive();
    if (!v) return;
    TVuePerso& p = Doc.VuesPerso[static_cast<size_t>(v->Type())];
    if (!p.Sauvee) {
      // Nothing saved for this kind yet: the current view becomes the custom one.
      Action("MeSauverVue")->trigger();
      return;
    }
    v->Cadrage.MemorisePrecedente();
    v->Cadrage.RestaureVue(p);
    v->Redessine();
  });
  connect(Action("MeDeplacer"), &QAction::toggled, this, [this](bool on) {
    for (TFormFille* v : Vues) v->setCursor(on ? Qt::SizeAllCursor : Qt::CrossCursor);
  });
  connect(Action("MeBarreStandard"), &QAction::toggled, Barre, &QToolBar::setVisible);
  connect(Barre, &QToolBar::visibilityChanged, this, [this](bool v) {
    if (isVisible()) Action("MeBarreStandard")->setChecked(v);
  });
  connect(Action("MeBoiteOutils"), &QAction::toggled, this, [this](bool on) {
    Boite->setVisible(on);
    if (on) Boite->PlaceADroite();
  });
  // Affichage
  for (const char* nom : {"MeCarene", "MeReseau", "MeBasePlanSym", "MeMoitie", "MeScinder", "MeCouples", "MeLignesEau",
                          "MeLongitudinales", "MeDiagonales", "MeSurfParam", "MeGrille", "MeOrientation", "MeHerisson",
                          "MePoids", "MeCentreVoilure", "MeCotes", "MeAxes", "MeReperes", "MePtsEnvahissement",
                          "MeImageFond"}) {
    QString n = nom;
    connect(Action(n), &QAction::triggered, this, [this, n](bool c) { ToggleAffichage(n, c); });
  }
  // Surfaces > Précision
  on("MePrecFaible", [this] { ChangePrecision(10); });
  on("MePrecMoyenne", [this] { ChangePrecision(20); });
  on("MePrecBonne", [this] { ChangePrecision(50); });
  on("MePrecTresBonne", [this] { ChangePrecision(100); });
  // Outils
  on("MeCalculatrice", [this] {
    Calc->show();
    Calc->raise();
  });
  // Fenêtre
  for (int t = tvSection; t <= tvPersp; t++) on(NomsVues[t], [this, t] { ActiveVue(t, true); });
  on("MeMosaiqueH", [this] { MosaiqueHorizontale(); });
  on("MeMosaiqueV", [this] { MosaiqueVerticale(); });
  on("MeCascade", [this] { Mdi->cascadeSubWindows(); });
  on("MeReorganiser", [this] { ReorganiseIcones(); });
  // ?
  on("MeGuide", [this] { GuideUtilisateur(); });
  on("MeAPropos", [this] { TSplash(true, this).exec(); });

  connect(Mdi, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* s) { VueActivee(s); });
  connect(Mdi, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
    QMenu m(this);
    m.addAction(Q(rs("rsPopAjuster")), this, [this] { AjusterTout(); });
    m.addAction(Q(rs("rsPopCentrer")), this, [this] {
      for (TFormFille* v : Vues) {
        v->Cadrage.Centre();
        v->Redessine();
      }
    });
    m.addSeparator();
    const char* cles[4] = {"rsVueSection", "rsVuePlan", "rsVueProfil", "rsVuePersp"};
    for (int t = tvSection; t <= tvPersp; t++) m.addAction(Q(rs(cles[t])), this, [this, t] { ActiveVue(t, true); });
    m.addSeparator();
    m.addAction(Action("MeControleVues"));
    m.addAction(Action("MeSelectionVertex"));
    m.addSeparator();
    m.addAction(Q(rs("rsPopMosaique")), this, [this] { MosaiqueHorizontale(); });
    m.addAction(Q(rs("rsPopCascade")), this, [this] { Mdi->cascadeSubWindows(); });
    m.exec(Mdi->mapToGlobal(p));
  });
}

void TMainForm::SyncAffichage() {
  auto c = [this](const char* n) { return Action(n)->isChecked(); };
  Aff.Carene = c("MeCarene");
  Aff.Reseau = c("MeReseau");
  Aff.BasePlanSym = c("MeBasePlanSym");
  Aff.Moitie = c("MeMoitie");
  Aff.Scinder = c("MeScinder");
  Aff.Couples = c("MeCouples");
  Aff.LignesEau = c("MeLignesEau");
  Aff.Longitudinales = c("MeLongitudinales");
  Aff.Diagonales = c("MeDiagonales");
  Aff.SurfParam = c("MeSurfParam");
  Aff.Grille = c("MeGrille");
  Aff.Orientation = c("MeOrientation");
  Aff.Herisson = c("MeHerisson");
  Aff.Poids = c("MePoids");
  Aff.CentreVoilure = c("MeCentreVoilure");
  Aff.Cotes = c("MeCotes");
  Aff.Axes = c("MeAxes");
  Aff.Reperes = c("MeReperes");
  Aff.PtsEnvahissement = c("MePtsEnvahissement");
  Aff.ImageFond = c("MeImageFond");
  Aff.SelectionVertex = c("MeSelectionVertex");
  Aff.ModeInsertion = c("MeAjoutLigne");
  // What the core's updates read.
  Doc.Affichage.Carene = Aff.Carene;
  Doc.Affichage.SurfParam = Aff.SurfParam;
  Doc.Affichage.LignesEau = Aff.LignesEau;
  Doc.Affichage.Longitudinales = Aff.Longitudinales;
  Doc.Affichage.Diagonales = Aff.Diagonales;
  Doc.Affichage.Poids = Aff.Poids;
  Doc.Affichage.CentreVoilure = Aff.CentreVoilure;
}

void TMainForm::ToggleAffichage(const QString& nom, bool coche) {
  TRACE("TMainForm.Affichage");
  auto etatVues = [this](std::uint8_t e, bool seulementSectionPersp) {
    for (TFormFille* v : Vues)
      if (!seulementSectionPersp || v->Type() == tvSection || v->Type() == tvPersp) v->Tab.EtatTous(e);
  };
  auto videSelections = [this] {
    for (TFormFille* v : Vues) v->VideSelection();
  };
  // The hull and the net are never both off.
  if (nom == "MeCarene") {
    if (!coche) {
      Action("MeReseau")->setChecked(true);
      etatVues(epActif, false);
    } else {
      videSelections();
      if (!Action("MeReseau")->isChecked()) etatVues(epInactif, true);
    }
  } else if (nom == "MeReseau") {
    if (!coche) {
      Action("MeCarene")->setChecked(true);
      videSelections();
      etatVues(epInactif, false);
    } else {
      etatVues(epActif, false);
    }
  }
  SyncAffichage();
  if (nom == "MeHerisson" && coche)
    for (auto& s : Doc.TabSurf)
      if (s->Visible) s->SecCalc = s->LgECalc = s->LongCalc = s->DiagCalc = false;
  if (nom == "MeCarene" || nom == "MeReseau" || nom == "MeSurfParam") MajSurface(Doc, false, -1);
  if ((coche && (nom == "MeCouples" || nom == "MeLignesEau" || nom == "MeLongitudinales" || nom == "MeDiagonales" ||
                 nom == "MeHerisson")) ||
      nom == "MeCarene" || nom == "MeReseau")
    MajCoupesSurface(Doc);
  AfficheNet();
}

bool TMainForm::ModeZoom() const { return Action("MeZoom")->isChecked(); }
bool TMainForm::ModeDeplacer() const { return Action("MeDeplacer")->isChecked(); }
void TMainForm::FinModeZoom() { Action("MeZoom")->setChecked(false); }
void TMainForm::FinModeDeplacer() { Action("MeDeplacer")->setChecked(false); }

void TMainForm::AfficheNet() {
  if (!DessinOK) return;
  TFormFille* active = Vue(Doc.VueActive);
  if (active) active->Redessine();
  for (int t : {tvSection, tvProfil, tvPlan, tvPersp}) {
    TFormFille* v = Vues[static_cast<size_t>(t)];
    if (v != active && v->isVisible() && !Sous[static_cast<size_t>(t)]->isMinimized()) v->Redessine();
  }
}

void TMainForm::RafraichitFenetresOutils() {
  const TPC& pc = Doc.PCCourant;
  if (pc.Existe() && pc.NumSurf < Doc.NbSurf())
    EcritStatus(1, Format(rs("rsStatusVx"), Doc.Surf(pc.NumSurf).Nom.c_str(), pc.NumLn, pc.NumCol));
  else
    EcritStatus(1, rs("rsStatusPCSel"));
}

void TMainForm::Agrandir(TModifs m) {
  TFormFille* v = FenetreActive();
  if (!v) return;
  v->Cadrage.MemorisePrecedente();
  v->Cadrage.Agrandir(m, OptV.ZoomMax);
  FinModeZoom();
  v->Redessine();
}

void TMainForm::Reduire(TModifs m) {
  TFormFille* v = FenetreActive();
  if (!v) return;
  v->Cadrage.MemorisePrecedente();
  v->Cadrage.Reduire(m);
  FinModeZoom();
  v->Redessine();
}

void TMainForm::Ajuster(TFormFille& v, bool memorise) {
  if (memorise) v.Cadrage.MemorisePrecedente();
  v.Cadrage.Ajuste(Doc, Aff.Moitie, OptV.ZoomMax);
  v.Redessine();
}

void TMainForm::AjusterTout() {
  for (int t : {tvSection, tvPlan, tvProfil, tvPersp}) Ajuster(*Vues[static_cast<size_t>(t)], true);
}

void TMainForm::Molette(TFormFille& v, int delta, TModifs m) {
  if (Vue(Doc.VueActive) != &v) ActiveVue(v.Type(), false);
  if (delta < 0) Reduire(m);
  else Agrandir(m);
}

void TMainForm::MenuVue(TFormFille& v, const QPoint& global) {
  if (Vue(Doc.VueActive) != &v) ActiveVue(v.Type(), false);
  QMenu m(this);
  m.addAction(Q(rs("rsPopAjuster")), this, [this, &v] { Ajuster(v, true); });
  m.addAction(Q(rs("rsPopCentrer")), this, [&v] {
    v.Cadrage.Centre();
    v.Redessine();
  });
  m.addSeparator();
  m.addAction(Action("MeZoom"));
  m.addAction(Action("MeDeplacer"));
  if (v.Type() == tvPersp) {
    QMenu* x = m.addMenu(Q(rs("rsPop3DExpress")));
    for (const TPresetPersp& p : PresetsPersp)
      x->addAction(Q(rs(p.Nom)), this, [&v, p] {
        v.Cadrage.Angles(p.Azimut, p.Elevation);
        v.Redessine();
      });
  }
  m.exec(global);
}

bool TMainForm::TraiteTouche(int touche, Qt::KeyboardModifiers mq) {
  TModifs m{(mq & Qt::ControlModifier) != 0, (mq & Qt::AltModifier) != 0, (mq & Qt::ShiftModifier) != 0};
  int pas = PasClavier(m), dx = 0, dy = 0;
  switch (touche) {
    case Qt::Key_Left: dx = -pas; break;
    case Qt::Key_Right: dx = pas; break;
    case Qt::Key_Up: dy = -pas; break;
    case Qt::Key_Down: dy = pas; break;
    case Qt::Key_PageUp:
      if (!m.Shift) Agrandir(m);
      return true;
    case Qt::Key_PageDown:
      if (!m.Shift) Reduire(m);
      return true;
    default: return false;
  }
  TFormFille* v = FenetreActive();
  if (!v) return true;
  v->Cadrage.Fleche(dx, dy, m.Shift);
  v->Redessine();
  return true;
}

bool TMainForm::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::Close) {
    for (QMdiSubWindow* s : Sous)
      if (o == s) {
        e->ignore();
        s->showMinimized();
        return true;
      }
  }
  // The application-wide key hook: only while this window is the active one, with no
  // menu, pop-up or dialog of its own in front.
  if (e->type() == QEvent::KeyPress && isVisible() && QApplication::activeWindow() == this &&
      !QApplication::activePopupWidget() && !QApplication::activeModalWidget()) {
    auto* k = static_cast<QKeyEvent*>(e);
    if (TraiteTouche(k->key(), k->modifiers())) return true;
  }
  return QMainWindow::eventFilter(o, e);
}

void TMainForm::ActiveVue(int type, bool maximise) {
  QMdiSubWindow* s = SousFenetre(type);
  if (!s) {
    AfficheMessage(rs("rsErrFenNonDeclaree"), mtError, mbOK);
    return;
  }
  if (maximise) s->showMaximized();
  else if (s->isMinimized()) s->showNormal();
  Mdi->setActiveSubWindow(s);
  // Offscreen or before the first display the area may not emit the activation.
  if (Doc.VueActive != type || !Action(NomsVues[type])->isChecked()) VueActivee(s);
}

void TMainForm::VueActivee(QMdiSubWindow* s) {
  int type = -1;
  for (int t = tvSection; t <= tvPersp; t++)
    if (Sous[static_cast<size_t>(t)] == s) type = t;
  if (type < 0) return;
  Doc.VueActive = type;
  Action(NomsVues[type])->setChecked(true);
  EcritStatus(0, NomVueStatus(type));
  bool ligne = type == tvSection;
  Action("MeAjoutLigne")->setText(Q(rs(ligne ? "rsMeAjoutLigneCaption" : "rsMeAjoutColonneCaption")));
  Action("MeSupprLigne")->setText(Q(rs(ligne ? "rsMeSupprLigneCaption" : "rsMeSupprColonneCaption")));
  if (DessinOK) Vues[static_cast<size_t>(type)]->Redessine();
}

void TMainForm::Mosaique(bool horizontale) {
  std::vector<QMdiSubWindow*> fen;
  for (int t : OrdreMosaique) {
    QMdiSubWindow* s = Sous[static_cast<size_t>(t)];
    if (!s->isMinimized() && s->isVisible()) fen.push_back(s);
  }
  if (fen.empty()) return;
  for (QMdiSubWindow* s : fen)
    if (s->isMaximized()) s->showNormal();
  int n = static_cast<int>(fen.size());
  int petit = static_cast<int>(std::floor(std::sqrt(static_cast<double>(n))));
  int grand = (n + petit - 1) / petit;
  // Horizontal: wide strips, one row after the other; vertical: tall strips side by side.
  int lignes = horizontale ? grand : petit, colonnes = horizontale ? petit : grand;
  QRect zone = Mdi->viewport()->rect();
  for (int i = 0; i < n; i++) {
    int l = horizontale ? i / colonnes : i % lignes;
    int c = horizontale ? i % colonnes : i / lignes;
    int x0 = zone.width() * c / colonnes, x1 = zone.width() * (c + 1) / colonnes;
    int y0 = zone.height() * l / lignes, y1 = zone.height() * (l + 1) / lignes;
    fen[static_cast<size_t>(i)]->setGeometry(x0, y0, x1 - x0, y1 - y0);
  }
}

void TMainForm::MosaiqueHorizontale() { Mosaique(true); }
void TMainForm::MosaiqueVerticale() { Mosaique(false); }

void TMainForm::ReorganiseIcones() {
  int x = 0;
  QRect zone = Mdi->viewport()->rect();
  for (QMdiSubWindow* s : Sous)
    if (s->isMinimized()) {
      s->move(x, zone.height() - s->height());
      x += s->width();
    }
}

void TMainForm::PremierAffichage(bool montrerErreurs) {
  DessinOK = true;
  // All four views side by side: a designer sees the whole model at once.
  MosaiqueHorizontale();
  if (Doc.VuesLues) AppliqueVuesDocument();
  else if (!Doc.NomFichier.empty()) AjusterTout();  // a file that kept no view placements
  ActiveVue(tvSection, false);
  AfficheNet();
  if (montrerErreurs && !ErreurDemarrage.empty()) {
    std::string e = ErreurDemarrage;
    ErreurDemarrage.clear();
    AfficheMessage(e, mtError, mbOK);
  }
}

void TMainForm::AppliqueVuesDocument() {
  for (int t = tvSection; t <= tvPersp; t++) {
    const TVueDocument& d = Doc.Vues[static_cast<size_t>(t)];
    TCadrage& c = Vues[static_cast<size_t>(t)]->Cadrage;
    if (!(d.Echelle > 0)) continue;
    c.Param.OrigineX = d.OrigineX;
    c.Param.OrigineY = d.OrigineY;
    c.Param.Echelle = d.Echelle;
    if (t == tvPersp) {
      c.Param.Theta = d.Angle1;
      c.Param.Phi = d.Angle2;
      c.Param.Angle3 = d.Angle3;
      c.AzimutDeg = static_cast<int>(std::lround(d.Angle1 * 180.0 / 3.14159265358979323846));
      c.ElevationDeg = static_cast<int>(std::lround(d.Angle2 * 180.0 / 3.14159265358979323846));
    }
  }
  Doc.VuesLues = false;
}

void TMainForm::CopieVuesDansDocument() {
  for (int t = tvSection; t <= tvPersp; t++) {
    const TParamVue& p = Vues[static_cast<size_t>(t)]->Cadrage.Param;
    TVueDocument& d = Doc.Vues[static_cast<size_t>(t)];
    d.OrigineX = p.OrigineX;
    d.OrigineY = p.OrigineY;
    d.Echelle = p.Echelle;
    d.Angle1 = p.Theta;
    d.Angle2 = p.Phi;
    d.Angle3 = p.Angle3;
  }
}

void TMainForm::MajCaption() {
  setWindowTitle(Doc.NomFichier.empty() ? Q(rs("rsMainFormCaption"))
                                        : Q(Format(rs("rsCaptionFichier"), NomSansDossier(Doc.NomFichier).c_str())));
}

// The question before a document is dropped: true when it may go (saved, or the user
// does not want to keep the changes); false when cancelled or when the save failed.
bool TMainForm::DemandeSauvegarde() {
  if (!Doc.Modifie) return true;
  std::string q = Doc.NomFichier.empty() ? rs("rsQuestSauver")
                                         : Format(rs("rsQuestSauverDans"), NomSansDossier(Doc.NomFichier).c_str());
  switch (AfficheMessage(q, mtConfirmation, mbYes | mbNo | mbCancel)) {
    case mrYes: return Enregistrer();
    case mrNo: return true;
    default: return false;
  }
}

void TMainForm::EtapesFermeture() {
  TRACE("TMainForm.FermerClick");
  for (TFormFille* v : Vues) v->VideSelection();
  Doc.Vider();
  Doc.VuesPerso = {};
  Doc.VuesLues = false;
  Doc.MarqueEnregistre();
  MajCaption();
  RafraichitFenetresOutils();
  AfficheNet();
}

bool TMainForm::Fermer() {
  if (!DemandeSauvegarde()) return false;
  EtapesFermeture();
  return true;
}

bool TMainForm::Nouveau() {
  TRACE("TMainForm.NouveauClick");
  if (!Fermer()) return false;
  TOptionsNouvelleSurface o;
  o.FlexLongitudinale = o.FlexTransversale = 4;
  NouvelleSurface(Doc, rs("rsNouvelleSurface"), 0, o);
  MajSurface(Doc, true, -1);
  MajMinMaxAllNet(Doc, false);
  Doc.Grille = {};
  Grille = GrilleDuDocument(Doc);
  MajCoupesSurface(Doc);
  ChangeCurrentPC(Doc, {0, 0, 0});
  // An untouched new document has nothing to save.
  Doc.MarqueEnregistre();
  RafraichitFenetresOutils();
  AfficheNet();
  return true;
}

bool TMainForm::OuvrirFichier(const std::string& chemin, bool demarrage, bool fusion) {
  TRACE("GestFich.OuvrirFichier");
  std::string erreur;
  bool ok = false;
  {
    // First into a scratch document: a file that fails leaves the open document as it was.
    TDocument essai;
    essai.Precision = Doc.Precision;
    TCurseurAttente attente;
    {
      // The trial read speaks only through its result: its messages would come again
      // with the real read. Its first one stands for the failure when it gives no other.
      std::vector<std::string> dits;
      auto hook = Services().AfficheMessage;
      Services().AfficheMessage = [&dits](const std::string& t, int, int boutons) {
        dits.push_back(t);
        return ReponseParDefaut(boutons);
      };
      try {
        ok = IO.Lire(essai, chemin, demarrage, false, erreur);
      } catch (const std::exception& e) {
        ok = false, erreur = e.what();
      }
      Services().AfficheMessage = hook;
      if (!ok && erreur.empty() && !dits.empty()) erreur = dits.front();
    }
    if (ok) {
      try {
        if (!fusion) {
          for (TFormFille* v : Vues) v->VideSelection();
          Doc.Vider();
          Doc.VuesPerso = {};
        }
        ok = IO.Lire(Doc, chemin, demarrage, fusion, erreur);
      } catch (const std::exception& e) {
        ok = false, erreur = e.what();
      }
    }
  }
  if (!ok) {
    ActEnregistrerSB->setEnabled(Doc.Modifie);  // the reader may have marked the trial document
    DbgErr(erFichier, demarrage ? "MainForm.Create" : "TMainForm.OuvrirClick", 0, {chemin, erreur});
    if (demarrage) ErreurDemarrage = erreur;
    else AfficheMessage(erreur, mtError, mbOK);
    if (Doc.NbSurf() == 0 && !fusion) {
      // The second read failed after the first succeeded (the file changed meanwhile).
      Doc.InitDefaut();
    }
    return false;
  }
  if (!fusion) Doc.NomFichier = chemin;
  MajSurface(Doc, true, -1);
  MajMinMaxAllNet(Doc, false);
  MajCoupesSurface(Doc);
  if (!Doc.PCCourant.Existe()) PCCourantPremierLibre(Doc);
  if (fusion) Doc.MarqueModifie();
  else Doc.MarqueEnregistre();
  MajCaption();
  if (DessinOK) {
    if (Doc.VuesLues) AppliqueVuesDocument();
    else AjusterTout();
  }
  RafraichitFenetresOutils();
  AfficheNet();
  return true;
}

bool TMainForm::Ouvrir() {
  TRACE("TMainForm.OuvrirClick");
  bool fusion = false;
  if (Doc.NbSurf() > 0 || !Doc.NomFichier.empty()) {
    int r = AfficheMessage(rs("rsQuestFermerDessin"), mtConfirmation, mbYes | mbNo);
    if (r == mrYes) {
      if (!DemandeSauvegarde()) return false;
    } else if (r == mrNo) {
      fusion = true;
    } else {
      return false;
    }
  }
  QString f = ChoisirFichier(false, Q(rs("rsFiltreOuvrir")), QString());
  if (f.isEmpty()) return false;
  return OuvrirFichier(f.toStdString(), false, fusion);
}

bool TMainForm::Enregistrer() {
  TRACE("TMainForm.EnregistrerClick");
  if (Doc.NomFichier.empty()) return EnregistrerSous();
  CopieVuesDansDocument();
  std::string erreur;
  bool ok = false;
  try {
    TCurseurAttente attente;
    ok = IO.Ecrire(Doc, erreur);
  } catch (const std::exception& e) {
    ok = false, erreur = e.what();
  }
  if (!ok) {
    DbgErr(erFichier, "TMainForm.EnregistrerClick", 0, {Doc.NomFichier, erreur});
    AfficheMessage(erreur, mtError, mbOK);
    return false;
  }
  Doc.MarqueEnregistre();
  return true;
}

bool TMainForm::EnregistrerSous() {
  QString f = ChoisirFichier(true, Q(rs("rsFiltreEnregistrer")), Q(Doc.NomFichier));
  if (f.isEmpty()) return false;
  std::string ancien = Doc.NomFichier;
  Doc.NomFichier = f.toStdString();
  if (!Enregistrer()) {
    // The document keeps the name of the file that really holds it.
    Doc.NomFichier = ancien;
    return false;
  }
  MajCaption();
  return true;
}

void TMainForm::closeEvent(QCloseEvent* e) {
  TRACE("TMainForm.FormClose");
  if (!DemandeSauvegarde()) {
    e->ignore();
    return;
  }
  DessinOK = false;
  Boite->hide();
  Calc->hide();
  e->accept();
}

void TMainForm::ChangePrecision(int n) {
  TCurseurAttente attente;
  ::ChangePrecision(Doc, n);
  MajSurface(Doc, false, -1);
  MajCoupesSurface(Doc);
  AfficheNet();
}

void TMainForm::Copier() {
  TFormFille* v = FenetreActive();
  if (!v || v->Image().isNull()) {
    AfficheMessage(rs("rsErrGetImage"), mtError, mbOK);
    return;
  }
  QApplication::clipboard()->setImage(v->Image());
}

void TMainForm::GuideUtilisateur() {
  QString dossier = QCoreApplication::applicationDirPath() + "/Doc/";
  QString chemin = dossier + "index.html";
  if (!QFileInfo::exists(chemin)) chemin = dossier + "Brivane.html";
  if (!QFileInfo::exists(chemin)) {
    AfficheMessage(Format(rs("rsFichierIntrouvable"), chemin.toStdString().c_str()), mtError, mbOK);
    return;
  }
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(chemin))) AfficheMessage(rs("rsErrNavigateur"), mtError, mbOK);
}
