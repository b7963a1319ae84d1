// The studio's commands in the main window.
#include "studio/CommandesStudio.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPixmap>
#include <QThread>
#include <QToolButton>
#include <optional>
#include <string>
#include <vector>

#include "app/LigneCommande.h"
#include "app/Principale.h"
#include "base/Chaines.h"
#include "base/Options.h"
#include "base/Services.h"
#include "studio/GaussCtrl.h"
#include "studio/Studio.h"
#include "ui/Registre.h"

namespace {

constexpr float AzimutCapture = -35, ElevationCapture = 18;

TModifs Modifs(Qt::KeyboardModifiers m) {
  return {(m & Qt::ControlModifier) != 0, (m & Qt::AltModifier) != 0, (m & Qt::ShiftModifier) != 0};
}

QMdiSubWindow* SousStudio(const TMainForm& f) { return f.findChild<QMdiSubWindow*>("SousStudio"); }

bool StudioActif(const TMainForm& f) {
  QMdiSubWindow* s = SousStudio(f);
  return s && f.Zone()->activeSubWindow() == s && s->isVisible();
}

// The arrow keys while the studio is the active window, and its sub-window's close box
// (the window lives as long as the program: it hides until "&Studio" shows it again).
// Owned by the sub-window: it goes before the main window comes apart.
class TFiltreStudio : public QObject {
 public:
  TFiltreStudio(TMainForm& f, QMdiSubWindow* s, TStudioForm* st) : QObject(s), F(f), Sous(s), St(st) {}

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Close && o == Sous) {
      e->ignore();
      Sous->hide();
      return true;
    }
    if (e->type() == QEvent::KeyPress && F.isVisible() && QApplication::activeWindow() == &F &&
        !QApplication::activePopupWidget() && !QApplication::activeModalWidget() &&
        F.Zone()->activeSubWindow() == Sous && Sous->isVisible()) {
      auto* k = static_cast<QKeyEvent*>(e);
      if (St->Touche(k->key(), Modifs(k->modifiers()))) return true;
    }
    return false;
  }

 private:
  TMainForm& F;
  QMdiSubWindow* Sous;
  TStudioForm* St;
};

}  // namespace

TStudioForm* StudioDe(const TMainForm& f) { return f.findChild<TStudioForm*>("StudioForm"); }

void PrendVueStudioDuDocument(TMainForm& f) {
  TStudioForm* st = StudioDe(f);
  if (!st) return;
  if (const auto v = VueStudioDocument(f.Document())) st->PrendVueDocument(*v);
}

void ActiveStudio(TMainForm& f) {
  QMdiSubWindow* s = SousStudio(f);
  TStudioForm* st = StudioDe(f);
  if (!s || !st) return;
  s->showMaximized();
  f.Zone()->setActiveSubWindow(s);
  // Offscreen or before the first display the area may not announce the activation.
  if (!st->Actif) st->FormActivate();
  f.Rafraichit();
  st->InitDraw();
  st->Redessine();
}

void InstalleStudio(TMainForm& f) {
  THoteStudio h;
  h.Document = [&f]() -> TDocument& { return f.Document(); };
  h.Affichage = [&f]() -> const TAffichageVues& { return f.Affichage(); };
  h.ActiveVue = [&f](int t) { f.ActiveVue(t, true); };
  h.ControleVues = [&f] {
    if (QAction* a = f.Action("MeControleVues"); a && a->isEnabled()) a->trigger();
  };
  h.EcritStatus = [&f](int p, const std::string& t) { f.EcritStatus(p, t); };
  auto* st = new TStudioForm(std::move(h), &f);
  const TOptionsVues& o = f.OptV;
  st->Reglages.BordSf = o.BordSf;
  st->Reglages.Sec = o.Sec, st->Reglages.LE = o.LE, st->Reglages.Longit = o.Longit,
  st->Reglages.Diag = o.Diag;
  st->Reglages.ResVertex = o.ResVertex;
  QMdiSubWindow* s = f.Zone()->addSubWindow(st);
  s->setObjectName("SousStudio");
  s->setAttribute(Qt::WA_DeleteOnClose, false);
  s->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                    Qt::WindowMinMaxButtonsHint);
  s->setWindowTitle(QString::fromStdString(rs("rsStudio")));
  s->resize(640, 480);
  s->hide();
  auto* filtre = new TFiltreStudio(f, s, st);
  s->installEventFilter(filtre);
  // Installed after the main window's own: it sees the keys first.
  qApp->installEventFilter(filtre);

  QObject::connect(f.Zone(), &QMdiArea::subWindowActivated, st, [&f, st, s](QMdiSubWindow* w) {
    if (w == s)
      st->FormActivate();
    else if (w)
      st->FormDeactivate();
    f.Rafraichit();
  });
  f.FenetreHorsVuesActive = [&f] { return StudioActif(f); };
  f.CommandeFenetre = [&f, st](const std::string& c, TModifs m) {
    if (!StudioActif(f)) return false;
    if (c == "MeAgrandir" || c == "MeReduire")
      st->Zoom(c == "MeAgrandir", m);
    else if (c == "MeRecentrer")
      st->Recentrer();
    else if (c == "MeCopier") {
      QImage im = st->Image();
      if (im.isNull())
        AfficheMessage(rs("rsErrGetImage"), mtError, mbOK);
      else
        QApplication::clipboard()->setImage(im);
    } else {
      return false;
    }
    return true;
  };
  QObject::connect(&f, &TMainForm::ModeleRedessine, st, [st, s] {
    if (s->isVisible() && !s->isMinimized()) {
      st->InitDraw();
      st->Redessine();
    }
  });
}

QImage ImageStudio(TMainForm& f, bool courbure) {
  TStudioForm* st = StudioDe(f);
  if (!st) return {};
  ActiveStudio(f);
  QApplication::processEvents();
  if (courbure) st->ChoisitCourbure(true);
  st->MontreSpots(false);
  // The picture a designer shows: three-quarter view from forward and above, model framed.
  if (QWidget* gl = st->findChild<QWidget*>("GLC"))
    CadreStudio(st->Camera, f.Document(), AzimutCapture, ElevationCapture, gl->width(), gl->height());
  st->Repeint();
  // Let the viewport get its size and draw.
  for (int i = 0; i < 5; i++) {
    QApplication::processEvents();
    QThread::msleep(20);
  }
  QImage image = f.grab().toImage().convertToFormat(QImage::Format_RGB32);
  QPainter p(&image);
  if (QWidget* gl = st->findChild<QWidget*>("GLC")) {
    // The framebuffer itself, as the copy command takes it.
    QImage vue = st->Image();
    if (!vue.isNull())
      p.drawImage(QRect(gl->mapTo(&f, QPoint(0, 0)), gl->size()), vue.convertToFormat(QImage::Format_RGB32));
  }
  if (TGaussForm* g = st->Gauss(); g && g->isVisible())
    p.drawPixmap(g->geometry().topLeft() - f.geometry().topLeft(), g->grab());
  return image;
}

namespace {

const TEnregistrement Enregistre([] {
  EnregistreCommande({.Nom = "MeStudio",
                      .Coche = [](const TMainForm& f) { return StudioActif(f); },
                      .Execute = [](TMainForm& f, bool) { ActiveStudio(f); }});
  // The picture is made here: the pictured widget holds it.
  EnregistreFenetre({.Nom = "studio", .Ordre = 50, .Montre = [](TMainForm& f) -> QWidget* {
                       std::vector<std::string> args;
                       for (const QString& a : QCoreApplication::arguments().mid(1))
                         args.push_back(a.toStdString());
                       QImage im = ImageStudio(f, AnalyseLigneCommande(args).Courbure);
                       if (im.isNull()) return nullptr;
                       auto* l = new QLabel(&f, Qt::Window);
                       l->setPixmap(QPixmap::fromImage(im));
                       l->resize(im.size());
                       l->setContentsMargins(0, 0, 0, 0);
                       return l;
                     }});
  EnregistreModule({.Nom = "studio",
                    .Installe = InstalleStudio,
                    // The studio's camera as it stands now: the document reopens on the same picture.
                    .AvantEnregistrement =
                        [](TMainForm& f) {
                          if (const TStudioForm* st = StudioDe(f))
                            st->EcritVueDocument(f.Document().Vues[IndexVueStudio]);
                        },
                    .ApresLecture = PrendVueStudioDuDocument,
                    .ReglagesAppliques =
                        [](TMainForm& f, const TReglages& r) {
                          TStudioForm* s = StudioDe(f);
                          if (!s) return;
                          const TOptionsVues& o = f.OptV;
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
                        },
                    .PlacementsCharges =
                        [](TMainForm& f, const TReglages& r) {
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
                        },
                    .AvantSortie =
                        [](TMainForm& f, TReglages& r) {
                          TStudioForm* s = StudioDe(f);
                          if (!r.PosLight || !s) return;
                          for (int i = 0; i < 8; ++i)
                            r.Lumieres[static_cast<size_t>(i)] = {
                                s->Lumieres[i].Enabled(), s->Lumieres[i].DistZ(), s->Lumieres[i].RotX(),
                                s->Lumieres[i].RotY()};
                        },
                    // The water plane's button is saved with the display switches.
                    .Bascule = [](TMainForm& f, const std::string& cle,
                                  std::optional<bool> nouveau) -> std::optional<bool> {
                      if (cle != "SBtn_PlanEau") return std::nullopt;
                      TStudioForm* s = StudioDe(f);
                      if (!s) return std::nullopt;
                      if (nouveau)
                        if (auto* b = s->findChild<QToolButton*>("SBtn_PlanEau")) b->setChecked(*nouveau);
                      return s->Reglages.AffPlanEau;
                    }});
});

}  // namespace
