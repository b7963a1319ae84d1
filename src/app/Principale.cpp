// The main window: start-up, menus and bars built from the command registry and
// its dispatcher, view commands, window management, the document's life and the
// shell hooks. The commands themselves are registered in Menus.cpp and Commandes*.cpp.
#include "app/Principale.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <utility>
#include <vector>

#include "app/CommandesEdition.h"
#include "app/DebugForm.h"
#include "app/Guide.h"
#include "app/Icones.h"
#include "app/RecuperationQt.h"
#include "app/ReglagesQt.h"
#include "base/Chaines.h"
#include "base/Debug.h"
#include "base/Options.h"
#include "base/Services.h"
#include "edition/Selection.h"
#include "session/ObjCom.h"
#include "ui/Dialogues.h"
#include "ui/Rapport.h"
#include "ui/Registre.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

constexpr int OrdreMosaique[4] = {tvProfil, tvSection, tvPlan, tvPersp};
constexpr int PanneauMessages = 3;  // status-bar panel of passing messages

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
// Its picture is its command's; the letters only stand in for one not drawn yet.
QToolButton* BoutonCommande(QWidget* parent, const TBouton& d, QAction* a) {
  auto* b = new QToolButton(parent);
  b->setObjectName(Q(d.Nom));
  QIcon icone = a ? a->icon() : QIcon();
  b->setIcon(icone.isNull() ? IconeGlyphe(d.Glyphe.c_str()) : icone);
  b->setAutoRaise(true);
  std::string cle = "rs" + d.Nom + "Hint";
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

std::string NomSansDossier(const std::string& chemin) {
  return QFileInfo(Q(chemin)).fileName().toStdString();
}

}  // namespace

struct TMainForm::TCommandeConstruite {
  TCommande C;
  QAction* A = nullptr;
  QMenu* M = nullptr;  // a sub-menu's menu
};

TMainForm::TMainForm(const TLigneCommande& lc, TDocumentIO io, QWidget* parent)
    : QMainWindow(parent), IO(std::move(io)) {
  TRACE("MainForm.Create");
  setObjectName("MainForm");
  setWindowTitle(Q(rs("rsMainFormCaption")));
  setWindowIcon(IconeSvg(":/icones/brivane.svg"));
  setAcceptDrops(true);
  OptV.ZoomMax = ZoomMaxDefaut;
  Debug = lc.Debug;
  PortDebug = lc.Port;
  ModeCapture = lc.Capture;
  DebugConfig().ModeDebug = lc.Debug;
  // One display state for the process: a new main window starts from the defaults.
  Aff = TAffichage{};
  Aff.Poids = Aff.CentreVoilure = true;

  Mdi = new QMdiArea(this);
  Mdi->setObjectName("ZoneMdi");
  Mdi->setContextMenuPolicy(Qt::CustomContextMenu);
  setCentralWidget(Mdi);
  ChoisirFichier = [this](bool enregistrer, const QString& filtre, const QString& initial) {
    const QString f = FiltreQtDialogue(filtre);
    if (enregistrer) {
      // The extension of the filter chosen: a PDF or a text export is no document.
      QString choisi;
      const QString c = QFileDialog::getSaveFileName(this, QString(), initial, f, &choisi);
      return AvecExtension(c, choisi.isEmpty() ? f.section(";;", 0, 0) : choisi);
    }
    return QFileDialog::getOpenFileName(this, QString(), initial, f);
  };

  DossierProgramme = QCoreApplication::applicationDirPath();
  OuvreDocument = [](const QUrl& u) { return QDesktopServices::openUrl(u); };

  // First of the windows: it records what the others do as they are made.
  Dbg = new TDebugForm(*this);
  CreeVues();
  CreeActions();
  CreeMenus();
  CreeBarreOutils();
  CreeBoiteOutils();
  CreeBarreEtat();
  InstalleServices();
  Relie();
  Edit = InstalleEdition(*this);
  AbonnementDoc = TAbonnement(Doc, [this](const TAvis& a) { AvisRecu(a); });
  qApp->installEventFilter(this);
  for (const TModule* m : ModulesEnregistres())
    if (m->Installe) m->Installe(*this);

  // The first document, then the file the command line names.
  Doc.InitDefaut();
  Doc.MarqueEnregistre();
  ChargeReglages(*this);
  DemarreRecuperation(*this);
  Grille = GrilleDuDocument(Doc);
  Rafraichit();
  // A file that cannot be read leaves the default document; the error is shown at first display.
  if (!lc.Fichier.empty() && OuvrirFichier(lc.Fichier, true, false) && lc.Fusion)
    for (size_t i = 1; i < lc.Fichiers.size(); i++) OuvrirFichier(lc.Fichiers[i], true, true);
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
  delete Edit;
}

void TMainForm::CreeVues() {
  for (int t = tvSection; t <= tvPersp; t++) {
    auto* v = new TFormFille(*this, t);
    v->setObjectName(QString("Vue%1").arg(t));
    Vues[static_cast<size_t>(t)] = v;
    QMdiSubWindow* s = Mdi->addSubWindow(v);
    // The views live as long as the program: their windows minimise instead of closing.
    s->setAttribute(Qt::WA_DeleteOnClose, false);
    s->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                      Qt::WindowMinMaxButtonsHint);
    s->setWindowTitle(Q(TitreVue(t)));
    s->setObjectName(QString("SousVue%1").arg(t));
    s->installEventFilter(this);
    s->resize(480, 360);
    // Maximised or restored, a view frames the model at its new size; once the frame
    // has laid the view out.
    connect(s, &QMdiSubWindow::windowStateChanged, this,
            [this, v](Qt::WindowStates avant, Qt::WindowStates apres) {
              if (DessinOK && ((avant ^ apres) & Qt::WindowMaximized) && !(apres & Qt::WindowMinimized))
                QTimer::singleShot(0, this, [this, v] { Ajuster(*v, false); });
            });
    Sous[static_cast<size_t>(t)] = s;
    v->setCursor(Qt::CrossCursor);
  }
}

void TMainForm::CreeActions() {
  std::map<std::string, QActionGroup*> groupes;
  for (const TCommande& c : CommandesEnregistrees()) {
    TCommandeConstruite b{c, nullptr, nullptr};
    if (c.Genre != TGenre::SousMenu) {
      QAction* a = new QAction(this);
      a->setObjectName(Q(c.Nom));
      if (!c.Raccourci.empty()) a->setShortcut(QKeySequence(Q(c.Raccourci)));
      bool radio = c.Genre == TGenre::Radio || c.Genre == TGenre::RadioOptionnel;
      a->setCheckable(radio || c.Genre == TGenre::Coche);
      if (!c.Icone.empty()) a->setIcon(IconeSvg(Q(c.Icone)));
      if (radio) {
        QActionGroup*& g = groupes[c.Groupe];
        if (!g) {
          g = new QActionGroup(this);
          g->setObjectName(Q("Groupe" + c.Groupe));
          if (c.Genre == TGenre::RadioOptionnel)
            g->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
        }
        g->addAction(a);
      }
      // A command whose work is not in this build is shown, disabled.
      a->setEnabled(static_cast<bool>(c.Execute));
      std::string aide = c.CleAide.empty() ? "rs" + c.Nom + "Hint" : c.CleAide;
      if (ChaineConnue(aide)) a->setToolTip(Q(rs(aide)));
      if (c.Execute) {
        std::string nom = c.Nom;
        connect(a, &QAction::triggered, this, [this, nom](bool coche) { Lance(nom, coche); });
      }
      b.A = a;
    }
    Construites.push_back(std::move(b));
  }
}

void TMainForm::CreeMenu(const std::string& place, QMenu* parent) {
  for (const auto& [c, p] : ItemsDe(place)) {
    auto it = std::find_if(Construites.begin(), Construites.end(),
                           [&nom = c->Nom](const TCommandeConstruite& b) { return b.C.Nom == nom; });
    if (it == Construites.end()) continue;
    QAction* sep = nullptr;
    if (p.Separateur && parent) sep = parent->addSeparator();
    QString caption = Q(rs(c->CleLibelle.empty() ? "rs" + c->Nom + "Caption" : c->CleLibelle));
    QAction* a = nullptr;
    if (c->Genre == TGenre::SousMenu) {
      QMenu* m = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
      m->setObjectName(Q(c->Nom));
      m->menuAction()->setObjectName(Q(c->Nom));
      connect(m, &QMenu::aboutToShow, this, [this] { Rafraichit(); });
      it->M = m;
      it->A = a = m->menuAction();
      CreeMenu(c->Nom, m);
    } else if (parent) {
      a = it->A;
      a->setText(caption);
      parent->addAction(a);
    }
    if (sep && a) Separateurs.emplace_back(sep, a);
  }
}

void TMainForm::CreeMenus() {
  CreeMenu("", nullptr);
  PopVue = new QMenu(this);
  PopVue->setObjectName("PopVue");
  CreeMenu("PopVue", PopVue);
  PopZone = new QMenu(this);
  PopZone->setObjectName("PopZone");
  CreeMenu("PopZone", PopZone);
  // Actions in no menu still have their caption.
  for (TCommandeConstruite& b : Construites)
    if (b.A && b.A->text().isEmpty() && b.C.Genre != TGenre::SousMenu)
      b.A->setText(Q(rs(b.C.CleLibelle.empty() ? "rs" + b.C.Nom + "Caption" : b.C.CleLibelle)));
}

void TMainForm::Rafraichit() {
  for (TCommandeConstruite& b : Construites) {
    if (!b.A) continue;
    const TCommande& c = b.C;
    if (c.Actif) {
      bool on = c.Actif(*this);
      if (b.M)
        b.M->setEnabled(on);
      else
        b.A->setEnabled(on);
    }
    if (c.Coche && b.A->isCheckable()) b.A->setChecked(c.Coche(*this));
    if (c.Visible) b.A->setVisible(c.Visible(*this));
    if (c.Libelle) b.A->setText(Q(rs(c.Libelle(*this))));
  }
  for (auto& [sep, suivant] : Separateurs) sep->setVisible(suivant->isVisible());
}

bool TMainForm::Lance(const std::string& nom, bool coche) {
  for (const TCommandeConstruite& b : Construites)
    if (b.C.Nom == nom) {
      if (!b.C.Execute) return false;
      Lance(b.C, coche);
      return true;
    }
  return false;
}

// The command boundary: what a handler throws ends the command, is recorded and said,
// and never travels through Qt's signals.
void TMainForm::Lance(const TCommande& c, bool coche) {
  // The handler keeps the work (recovery save, Error.log); the user is still told that the
  // command did not finish: a command that silently stops would pass for one that worked.
  auto erreur = [&](const std::string& m) {
    DbgErr(erDivers, c.Nom, 0, {m});
    Dbg->ExceptionHandler(m);
    AfficheMessage(Format(rs("rsErrCommande"), c.Nom.c_str(), m.c_str()), mtError, mbOK);
  };
  try {
    c.Execute(*this, coche);
  } catch (const std::exception& e) {
    erreur(e.what());
  } catch (...) {
    erreur("exception inconnue");
  }
  Rafraichit();
}

void TMainForm::CreeBarreOutils() {
  Barre = addToolBar(Q(rs("rsMeBarreStandardCaption")).remove('&'));
  Barre->setObjectName("BarreStandard");
  Barre->setIconSize(QSize(24, 24));
  for (const TBouton& d : BoutonsEnregistres(TBarre::Standard)) {
    if (d.Separateur) Barre->addSeparator();
    Barre->addWidget(BoutonCommande(Barre, d, Action(Q(d.Commande))));
  }
}

void TMainForm::CreeBoiteOutils() {
  Boite = new TBoiteOutilsForm(this);
  auto* g = new QGridLayout(Boite);
  g->setContentsMargins(2, 2, 2, 2);
  g->setSpacing(1);
  int i = 0;
  for (const TBouton& d : BoutonsEnregistres(TBarre::Boite)) {
    QToolButton* b = BoutonCommande(Boite, d, Action(Q(d.Commande)));
    b->setIconSize(QSize(24, 24));
    g->addWidget(b, i / 2, i % 2);
    i++;
  }
  Boite->setFixedWidth(65);
  // Closing it unchecks its menu item (the test reads whether it is shown).
  Boite->QuandFerme = [this] {
    Boite->hide();
    Rafraichit();
  };
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
  s.AfficheMessage = [](const std::string& t, int type, int boutons) {
    return AfficheMessageDlg(t, type, boutons);
  };
  s.MarqueModifie = [this](bool) {
    Rafraichit();
    MajCaption();
  };
  s.CurseurAttente = [](bool attente) {
    if (attente)
      QApplication::setOverrideCursor(Qt::WaitCursor);
    else
      QApplication::restoreOverrideCursor();
  };
}

void TMainForm::EcritStatus(int panneau, const std::string& texte) {
  if (panneau < 0 || panneau >= 5) return;
  QLabel* l = Panneaux[static_cast<size_t>(panneau)];
  l->setText(Q(texte));
  // At once: messages must appear during long computations.
  l->repaint();
}

QAction* TMainForm::Action(const QString& nom) const {
  std::string n = nom.toStdString();
  for (const TCommandeConstruite& b : Construites)
    if (b.C.Nom == n) return b.A;
  return nullptr;
}

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

// The signals of the window itself (the commands' own go through the registry).
void TMainForm::Relie() {
  connect(Barre, &QToolBar::visibilityChanged, this, [this](bool) {
    if (isVisible()) Rafraichit();
  });
  connect(Mdi, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* s) { VueActivee(s); });
  connect(Mdi, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
    Rafraichit();
    PopZone->exec(Mdi->mapToGlobal(p));
  });
}

void TMainForm::AvisRecu(const TAvis& a) {
  // A row or column inserted or removed: every view's selection keeps naming the same vertices.
  for (const TChangementNet& c : a.Nets)
    for (TFormFille* v : Vues) {
      TListPC& sel = v->Selection;
      sel.erase(std::remove_if(sel.begin(), sel.end(), [&c](TPC& pc) { return !SuitChangementNet(pc, c); }),
                sel.end());
    }
  // The markers drawn as selected follow the lists.
  if (!a.Nets.empty())
    for (TFormFille* v : Vues) TSelectionVue(v->Tab, v->Selection).Repare(Doc);
  if (a.A(avPCCourant | avListe | avProprietes | avGeometrie | avDocument)) RafraichitFenetresOutils();
  VuesAJour = false;
  if (Edit) Edit->PanneauPerime();
  if (MajPrevue) return;
  MajPrevue = true;
  QTimer::singleShot(0, this, [this] {
    MajPrevue = false;
    if (!VuesAJour) AfficheNet();
    if (Edit) Edit->MajPanneauSiPerime();
    Rafraichit();
  });
}

bool TMainForm::ModeZoom() const { return Zoom; }
bool TMainForm::ModeDeplacer() const { return Deplacer; }
void TMainForm::FinModeZoom() { ChangeModeZoom(false); }
void TMainForm::FinModeDeplacer() { ChangeModeDeplacer(false); }

void TMainForm::ChangeModeZoom(bool on) {
  Zoom = on;
  Rafraichit();
}

void TMainForm::ChangeModeDeplacer(bool on) {
  Deplacer = on;
  for (TFormFille* v : Vues) v->setCursor(on ? Qt::SizeAllCursor : Qt::CrossCursor);
  Rafraichit();
}

void TMainForm::AfficheNet() {
  if (!DessinOK) return;
  VuesAJour = true;
  TFormFille* active = Vue(Doc.VueActive);
  if (active) active->Redessine();
  for (int t : {tvSection, tvProfil, tvPlan, tvPersp}) {
    TFormFille* v = Vues[static_cast<size_t>(t)];
    if (v != active && v->isVisible() && !Sous[static_cast<size_t>(t)]->isMinimized()) v->Redessine();
  }
  Q_EMIT ModeleRedessine();
}

void TMainForm::RafraichitFenetresOutils() {
  const TPC& pc = Doc.PCCourant;
  if (pc.Existe() && pc.NumSurf < Doc.NbSurf())
    EcritStatus(1, Format(rs("rsStatusVx"), Doc.Surf(pc.NumSurf).Nom.c_str(), pc.NumLn, pc.NumCol));
  else
    EcritStatus(1, rs("rsStatusPCSel"));
}

void TMainForm::Agrandir(TModifs m) {
  if (CommandeFenetre && CommandeFenetre("MeAgrandir", m)) return;
  TFormFille* v = FenetreActive();
  if (!v) return;
  v->Cadrage.MemorisePrecedente();
  if (!v->Cadrage.Agrandir(m, OptV.ZoomMax)) EcritStatus(PanneauMessages, rs("rsZoomMaxAtteint"));
  FinModeZoom();
  v->Redessine();
}

void TMainForm::Reduire(TModifs m) {
  if (CommandeFenetre && CommandeFenetre("MeReduire", m)) return;
  TFormFille* v = FenetreActive();
  if (!v) return;
  v->Cadrage.MemorisePrecedente();
  if (!v->Cadrage.Reduire(m)) EcritStatus(PanneauMessages, rs("rsZoomMinAtteint"));
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
  if (delta < 0)
    Reduire(m);
  else
    Agrandir(m);
}

void TMainForm::MenuVue(TFormFille& v, const QPoint& global) {
  // The pop-up's commands act on the active view: the one clicked.
  if (Vue(Doc.VueActive) != &v) ActiveVue(v.Type(), false);
  Rafraichit();
  PopVue->exec(global);
}

bool TMainForm::TraiteTouche(int touche, Qt::KeyboardModifiers mq) {
  TModifs m{(mq & Qt::ControlModifier) != 0, (mq & Qt::AltModifier) != 0, (mq & Qt::ShiftModifier) != 0};
  int pas = PasClavier(m), dx = 0, dy = 0;
  switch (touche) {
    case Qt::Key_Left:
      dx = -pas;
      break;
    case Qt::Key_Right:
      dx = pas;
      break;
    case Qt::Key_Up:
      dy = -pas;
      break;
    case Qt::Key_Down:
      dy = pas;
      break;
    case Qt::Key_PageUp:
      if (!m.Shift) Agrandir(m);
      return true;
    case Qt::Key_PageDown:
      if (!m.Shift) Reduire(m);
      return true;
    default:
      return false;
  }
  TFormFille* v = FenetreActive();
  if (!v) return true;
  v->Cadrage.Fleche(dx, dy, m.Shift, CentreModele3D(Doc, Aff.Moitie));
  v->Redessine();
  return true;
}

bool TMainForm::eventFilter(QObject* o, QEvent* e) {
  // Tiled views follow the area's size: maximising the main window leaves no grey band.
  if (e->type() == QEvent::Resize && o == Mdi->viewport() && Disposition != TDisposition::Libre &&
      !EnDisposition)
    Redispose();
  // A view moved or resized by hand leaves the layout to the user.
  if ((e->type() == QEvent::Move || e->type() == QEvent::Resize) && !EnDisposition &&
      QApplication::mouseButtons() != Qt::NoButton)
    for (QMdiSubWindow* s : Sous)
      if (o == s && !s->isMaximized()) Disposition = TDisposition::Libre;
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
  if (maximise)
    s->showMaximized();
  else if (s->isMinimized())
    s->showNormal();
  Mdi->setActiveSubWindow(s);
  // Offscreen or before the first display the area may not emit the activation.
  if (Doc.VueActive != type || VueAnnoncee != type) VueActivee(s);
}

void TMainForm::VueActivee(QMdiSubWindow* s) {
  int type = -1;
  for (int t = tvSection; t <= tvPersp; t++)
    if (Sous[static_cast<size_t>(t)] == s) type = t;
  if (type < 0) return;
  Doc.VueActive = type;
  VueAnnoncee = type;
  EcritStatus(0, NomVueStatus(type));
  Rafraichit();
  Q_EMIT ActivationVue(type);
  if (DessinOK) Vues[static_cast<size_t>(type)]->Redessine();
}

std::vector<QMdiSubWindow*> TMainForm::FenetresADisposer() const {
  std::vector<QMdiSubWindow*> fen;
  for (int t : OrdreMosaique) {
    QMdiSubWindow* s = Sous[static_cast<size_t>(t)];
    if (!s->isMinimized() && s->isVisible()) fen.push_back(s);
  }
  // The studio and any other window of the area take part too: left maximised behind
  // the tiled views it would hide nothing and cover nothing, only confuse.
  for (QMdiSubWindow* s : Mdi->subWindowList())
    if (std::find(fen.begin(), fen.end(), s) == fen.end() &&
        std::find(Sous.begin(), Sous.end(), s) == Sous.end() && !s->isMinimized() && !s->isHidden())
      fen.push_back(s);
  return fen;
}

void TMainForm::Mosaique(bool horizontale, bool grille) {
  std::vector<QMdiSubWindow*> fen = FenetresADisposer();
  if (fen.empty()) return;
  EnDisposition = true;
  for (QMdiSubWindow* s : fen)
    if (s->isMaximized()) s->showNormal();
  QRect zone = Mdi->viewport()->rect();
  const int n = static_cast<int>(fen.size());
  auto r = grille ? DispositionGrille(n, zone.width(), zone.height())
                  : DispositionMosaique(n, zone.width(), zone.height(), horizontale);
  for (size_t i = 0; i < fen.size(); i++) fen[i]->setGeometry(r[i].X, r[i].Y, r[i].L, r[i].H);
  EnDisposition = false;
  Disposition = grille        ? TDisposition::Grille
                : horizontale ? TDisposition::Horizontale
                              : TDisposition::Verticale;
  for (QMdiSubWindow* s : fen)
    if (auto* v = dynamic_cast<TFormFille*>(s->widget())) Ajuster(*v, false);
}

void TMainForm::Cascade() {
  std::vector<QMdiSubWindow*> fen = FenetresADisposer();
  if (fen.empty()) return;
  EnDisposition = true;
  for (QMdiSubWindow* s : fen)
    if (s->isMaximized()) s->showNormal();
  // One title bar down and across per window: the frame minus the client area.
  const int pas = std::max(20, fen.front()->height() - fen.front()->widget()->height());
  QRect zone = Mdi->viewport()->rect();
  auto r = DispositionCascade(static_cast<int>(fen.size()), zone.width(), zone.height(), pas);
  for (size_t i = 0; i < fen.size(); i++) {
    fen[i]->setGeometry(r[i].X, r[i].Y, r[i].L, r[i].H);
    fen[i]->raise();
  }
  EnDisposition = false;
  Disposition = TDisposition::Cascade;
  for (QMdiSubWindow* s : fen)
    if (auto* v = dynamic_cast<TFormFille*>(s->widget())) Ajuster(*v, false);
}

void TMainForm::Redispose() {
  // A window maximised over the others follows the area by itself.
  std::vector<QMdiSubWindow*> fen = FenetresADisposer();
  if (fen.empty() || std::any_of(fen.begin(), fen.end(), [](QMdiSubWindow* s) { return s->isMaximized(); }))
    return;
  QRect zone = Mdi->viewport()->rect();
  const int n = static_cast<int>(fen.size());
  std::vector<TRectFenetre> r;
  switch (Disposition) {
    case TDisposition::Grille:
      r = DispositionGrille(n, zone.width(), zone.height());
      break;
    case TDisposition::Horizontale:
    case TDisposition::Verticale:
      r = DispositionMosaique(n, zone.width(), zone.height(), Disposition == TDisposition::Horizontale);
      break;
    case TDisposition::Cascade: {
      const int pas = std::max(20, fen.front()->height() - fen.front()->widget()->height());
      r = DispositionCascade(n, zone.width(), zone.height(), pas);
      break;
    }
    case TDisposition::Libre:
      return;
  }
  // The views keep their framing relative to their size (their own resize does it).
  EnDisposition = true;
  for (size_t i = 0; i < fen.size(); i++) fen[i]->setGeometry(r[i].X, r[i].Y, r[i].L, r[i].H);
  EnDisposition = false;
}

void TMainForm::PlaceOutil(QWidget* w) {
  if (!w || !isVisible()) return;
  const QRect zone(Mdi->viewport()->mapToGlobal(QPoint(0, 0)), Mdi->viewport()->size());
  const QSize t = w->size();
  constexpr int marge = 6;
  QScreen* ecran = screen();
  const QRect dispo = ecran ? ecran->availableGeometry() : QRect();
  const QRect cadre = frameGeometry();
  const bool grande = t.width() > zone.width() / 3 || t.height() > zone.height() * 3 / 5;
  if (grande) {
    // Beside the main window when the screen has room, the views left whole.
    if (dispo.isValid() && cadre.right() + t.width() + marge <= dispo.right()) {
      w->move(cadre.right() + marge, std::max(dispo.top(), zone.top()));
      return;
    }
    if (dispo.isValid() && cadre.left() - t.width() - marge >= dispo.left()) {
      w->move(cadre.left() - t.width() - marge, std::max(dispo.top(), zone.top()));
      return;
    }
    // Otherwise along the right edge of the views' area, under the tool bar.
    w->resize(t.width(), std::min(t.height(), zone.height() - 2 * marge));
    w->move(zone.right() - t.width() - marge, zone.top() + marge);
    return;
  }
  // Small ones down the right edge of the area, clear of the other tool windows shown.
  std::vector<QRect> pris;
  for (QWidget* o : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (o != w && o->isWindow() && o->isVisible() && (o->windowFlags() & Qt::Tool) == Qt::Tool)
      pris.push_back(o->frameGeometry());
  for (int x = zone.right() - t.width() - marge; x >= zone.left(); x -= t.width() + marge)
    for (int y = zone.top() + marge; y + t.height() <= zone.bottom(); y += 8) {
      const QRect r(QPoint(x, y), t);
      auto it = std::find_if(pris.begin(), pris.end(), [&r](const QRect& p) { return p.intersects(r); });
      if (it == pris.end()) {
        w->move(x, y);
        return;
      }
      y = std::max(y, it->bottom() + marge - 8);
    }
  w->move(zone.right() - t.width() - marge, zone.top() + marge);
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

void TMainForm::PremierAffichage(bool interactif) {
  DessinOK = true;
  ChargeLumieres(*this);
  // All four views side by side: a designer sees the whole model at once.
  Mosaique(true, true);
  // A view kept maximised must be the active one, or the area gives it up.
  const int maximisee = ChargePremierAffichage(*this);
  if (Doc.VuesLues)
    AppliqueVuesDocument();
  else
    AjusterTout();  // a start without a file, or a file that kept no view placements
  ActiveVue(maximisee >= 0 ? maximisee : tvSection, false);
  AfficheNet();
  if (!interactif) return;
  if (!ErreurDemarrage.empty()) {
    std::string e = ErreurDemarrage;
    ErreurDemarrage.clear();
    AfficheMessage(e, mtError, mbOK);
  }
  if (OffreRecuperation(*this)) MajCaption();
}

void TMainForm::AppliqueVuesDocument() {
  for (int t = tvSection; t <= tvPersp; t++) {
    const TVueDocument& d = Doc.Vues[static_cast<size_t>(t)];
    TCadrage& c = Vues[static_cast<size_t>(t)]->Cadrage;
    if (d.Echelle > 0) {
      c.Param.OrigineX = d.OrigineX;
      c.Param.OrigineY = d.OrigineY;
      c.Param.Echelle = d.Echelle;
    }
    if (d.Echelle > 0 && t == tvPersp) {
      c.Param.Theta = d.Angle1;
      c.Param.Phi = d.Angle2;
      c.Param.Angle3 = d.Angle3;
      c.AzimutDeg = static_cast<int>(std::lround(d.Angle1 * 180.0 / 3.14159265358979323846));
      c.ElevationDeg = static_cast<int>(std::lround(d.Angle2 * 180.0 / 3.14159265358979323846));
    }
    // A framing stored for another window size (or none stored, the view still framing
    // the last document) may leave the model small or out of sight: it is fitted instead.
    if (!(d.Echelle > 0) || !c.ModeleEnVue(Doc, Aff.Moitie, OptV.ZoomMax))
      c.Ajuste(Doc, Aff.Moitie, OptV.ZoomMax);
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
  for (const TModule* m : ModulesEnregistres())
    if (m->AvantEnregistrement) m->AvantEnregistrement(*this);
}

void TMainForm::MajCaption() {
  QString t = Doc.NomFichier.empty()
                  ? Q(rs("rsMainFormCaption"))
                  : Q(Format(rs("rsCaptionFichier"), NomSansDossier(Doc.NomFichier).c_str()));
  setWindowTitle(Doc.Modifie ? t + "*" : t);
}

// The question before a document is dropped: true when it may go (saved, or the user
// does not want to keep the changes); false when cancelled or when the save failed.
bool TMainForm::DemandeSauvegarde() {
  if (!Doc.Modifie) return true;
  std::string q = Doc.NomFichier.empty()
                      ? rs("rsQuestSauver")
                      : Format(rs("rsQuestSauverDans"), NomSansDossier(Doc.NomFichier).c_str());
  switch (AfficheMessage(q, mtConfirmation, mbYes | mbNo | mbCancel)) {
    case mrYes:
      return Enregistrer();
    case mrNo:
      return true;
    default:
      return false;
  }
}

void TMainForm::EtapesFermeture() {
  TRACE("TMainForm.FermerClick");
  for (TFormFille* v : Vues) v->VideSelection();
  Doc.Vider();
  if (Edit) Edit->DocumentFerme();
  Doc.VuesPerso = {};
  Doc.VuesLues = false;
  Doc.MarqueEnregistre();
  AnnonceAvis(Doc, avDocument);
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
  // The grid of a new document is spread over its surface, as at start-up.
  GrilleParDefaut(Doc);
  Grille = GrilleDuDocument(Doc);
  MajCoupesSurface(Doc);
  ChangeCurrentPC(Doc, {0, 0, 0});
  // An untouched new document has nothing to save.
  Doc.MarqueEnregistre();
  RafraichitFenetresOutils();
  if (DessinOK) AjusterTout();
  AfficheNet();
  return true;
}

bool TMainForm::OuvrirFichier(const std::string& chemin, bool demarrage, bool fusion) {
  TRACE("GestFich.OuvrirFichier");
  std::string erreur;
  bool ok = false;
  {
    TCurseurAttente attente;
    // An open is read for an empty document, a merge for this one: either way the open
    // document stays as it is until the read is accepted.
    TDocument vide;
    vide.Precision = Doc.Precision;
    TResultatLecture lu;
    try {
      lu = IO.Lire(fusion ? Doc : vide, chemin, demarrage);
      ok = !lu.Refusee();
      if (!ok) erreur = lu.Erreur();
    } catch (const std::exception& e) {
      ok = false, erreur = e.what();
    }
    if (ok && lu.Partielle()) {
      const std::string question = QuestionLecturePartielle(lu);
      // A picture of part of a file would pass for the file's: a screenshot refuses it.
      if (demarrage && ModeCapture) {
        ErreurDemarrage = question;
        return false;
      }
      if (AfficheMessage(question, mtWarning, mbYes | mbNo) != mrYes) {
        DbgErr(erFichier, "TMainForm.OuvrirClick", 0,
               {Format(rs("rsOuvertureAbandonnee").c_str(), chemin.c_str())});
        WriteStatusBar(3, "");
        return false;
      }
    }
    if (ok) {
      try {
        if (!fusion) {
          for (TFormFille* v : Vues) v->VideSelection();
          Doc.Vider();
          Doc.VuesPerso = {};
        }
        ok = IO.Installe(Doc, lu, demarrage);
        if (!ok) erreur = Format(rs("rsOuvertureAbandonnee").c_str(), chemin.c_str());
      } catch (const std::exception& e) {
        ok = false, erreur = e.what();
      }
    }
  }
  if (!ok) {
    Rafraichit();  // the reader may have marked the trial document
    DbgErr(erFichier, demarrage ? "MainForm.Create" : "TMainForm.OuvrirClick", 0, {chemin, erreur});
    if (demarrage)
      ErreurDemarrage = erreur;
    else
      AfficheMessage(erreur, mtError, mbOK);
    if (Doc.NbSurf() == 0 && !fusion) {
      // Installing failed once the document was emptied: never leave it without a surface.
      Doc.InitDefaut();
    }
    return false;
  }
  // A merged design is in neither file: saved under the first one's name it would
  // replace that design with the mixture. It takes a name only when the user gives one.
  Doc.NomFichier = fusion ? std::string() : chemin;
  Grille = GrilleDuDocument(Doc);
  if (!fusion && Edit) Edit->DocumentFerme();
  if (!fusion) FichierRecent(*this, chemin);
  MajSurface(Doc, true, -1);
  MajMinMaxAllNet(Doc, false);
  MajCoupesSurface(Doc);
  if (!Doc.PCCourant.Existe()) PCCourantPremierLibre(Doc);
  if (fusion)
    Doc.MarqueModifie();
  else
    Doc.MarqueEnregistre();
  MajCaption();
  if (!fusion)
    for (const TModule* m : ModulesEnregistres())
      if (m->ApresLecture) m->ApresLecture(*this);
  if (DessinOK) {
    if (Doc.VuesLues)
      AppliqueVuesDocument();
    else
      AjusterTout();
  }
  AnnonceAvis(Doc, avDocument);
  AfficheNet();
  return true;
}

// The open command's question: false when cancelled; `fusion` when the file is to be merged.
bool TMainForm::QuestionOuverture(bool& fusion) {
  fusion = false;
  if (Doc.NbSurf() == 0 && Doc.NomFichier.empty()) return true;
  // "No" merges the file into this design: the question says so, and what follows.
  int r = AfficheMessage(rs("rsQuestFermerDessin") + "\n\n" + rs("rsQuestFermerDessinOui") + "\n" +
                             rs("rsQuestFermerDessinNon") + "\n" + rs("rsQuestFermerDessinAnnuler"),
                         mtConfirmation, mbYes | mbNo | mbCancel);
  if (r == mrYes) return DemandeSauvegarde();
  fusion = r == mrNo;
  return fusion;
}

bool TMainForm::Ouvrir() {
  TRACE("TMainForm.OuvrirClick");
  bool fusion = false;
  if (!QuestionOuverture(fusion)) return false;
  QString f = ChoisirFichier(false, Q(rs("rsFiltreOuvrir")), QString());
  if (f.isEmpty()) return false;
  return OuvrirFichier(f.toStdString(), false, fusion);
}

bool TMainForm::OuvrirDemande(const std::string& chemin) {
  TRACE("TMainForm.OuvrirClick");
  bool fusion = false;
  if (!QuestionOuverture(fusion)) return false;
  return OuvrirFichier(chemin, false, fusion);
}

void TMainForm::FusionneFichiers(const std::vector<std::string>& fichiers, bool sansQuestion) {
  for (const std::string& f : fichiers)
    if (sansQuestion || AfficheMessage(Format(rs("rsQuestFusionnerFichier"), NomSansDossier(f).c_str()),
                                       mtConfirmation, mbYes | mbNo) == mrYes)
      OuvrirFichier(f, false, true);
}

void TMainForm::OuvreFichiersDemandes(const std::vector<std::string>& fichiers, bool fusion) {
  if (fichiers.empty() || !OuvrirDemande(fichiers.front())) return;
  FusionneFichiers({fichiers.begin() + 1, fichiers.end()}, fusion);
}

bool TMainForm::Enregistrer() {
  TRACE("TMainForm.EnregistrerClick");
  // After "Fermer" there is nothing to save, and no file to save it to.
  if (Doc.NbSurf() == 0 && Doc.NomFichier.empty()) return true;
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
    // No message: the user declined to write over a file read with errors.
    if (erreur.empty()) return false;
    DbgErr(erFichier, "TMainForm.EnregistrerClick", 0, {Doc.NomFichier, erreur});
    AfficheMessage(erreur, mtError, mbOK);
    return false;
  }
  Doc.MarqueEnregistre();
  FichierRecent(*this, Doc.NomFichier);
  FinRecuperation();
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
  // Before the tool windows go: the settings record which of them were shown.
  EcritReglagesSortie(*this);
  DessinOK = false;
  Boite->hide();
  Calc->hide();
  FinRecuperation();
  e->accept();
}

namespace {

// The documents among the dropped files (local files of the document type).
std::vector<std::string> DocumentsDeposes(const QMimeData* m) {
  std::vector<std::string> r;
  if (!m || !m->hasUrls()) return r;
  for (const QUrl& u : m->urls())
    if (u.isLocalFile() && u.toLocalFile().endsWith(".kvb", Qt::CaseInsensitive))
      r.push_back(u.toLocalFile().toStdString());
  return r;
}

}  // namespace

void TMainForm::dragEnterEvent(QDragEnterEvent* e) {
  if (!DocumentsDeposes(e->mimeData()).empty()) e->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* e) {
  std::vector<std::string> fichiers = DocumentsDeposes(e->mimeData());
  if (fichiers.empty()) return;
  e->acceptProposedAction();
  // The questions once the drop is over: the file manager waits for its answer.
  QTimer::singleShot(0, this, [this, fichiers] { OuvreFichiersDemandes(fichiers, false); });
}

void TMainForm::ChangePrecision(int n) {
  TCurseurAttente attente;
  ::ChangePrecision(Doc, n);
  MajSurface(Doc, false, -1);
  MajCoupesSurface(Doc);
  AfficheNet();
}

void TMainForm::Copier() {
  if (CommandeFenetre && CommandeFenetre("MeCopier", {})) return;
  TFormFille* v = FenetreActive();
  if (!v || v->Image().isNull()) {
    AfficheMessage(rs("rsErrGetImage"), mtError, mbOK);
    return;
  }
  QApplication::clipboard()->setImage(v->Image());
}

void TMainForm::GuideUtilisateur() {
  std::string dernier;
  std::string chemin = TrouveGuide(DossierProgramme.toStdString(), &dernier);
  if (chemin.empty()) {
    AfficheMessage(Format(rs("rsFichierIntrouvable"), dernier.c_str()), mtError, mbOK);
    return;
  }
  if (!OuvreDocument(QUrl::fromLocalFile(Q(chemin)))) AfficheMessage(rs("rsErrNavigateur"), mtError, mbOK);
}
