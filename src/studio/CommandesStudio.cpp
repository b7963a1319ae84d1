// The studio's commands in the main window.
#include "studio/CommandesStudio.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QThread>
#include <cstdio>

#include "app/Chaines.h"
#include "app/Services.h"
#include "app/forms/Principale.h"
#include "studio/GaussCtrl.h"
#include "studio/Studio.h"

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
class TFiltreStudio : public QObject {
 public:
  TFiltreStudio(TMainForm& f) : QObject(&f), F(f) {}

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Close && o == SousStudio(F)) {
      e->ignore();
      static_cast<QWidget*>(o)->hide();
      return true;
    }
    if (e->type() == QEvent::KeyPress && F.isVisible() && QApplication::activeWindow() == &F &&
        !QApplication::activePopupWidget() && !QApplication::activeModalWidget() && StudioActif(F)) {
      auto* k = static_cast<QKeyEvent*>(e);
      if (TStudioForm* s = StudioDe(F); s && s->Touche(k->key(), Modifs(k->modifiers()))) return true;
    }
    return false;
  }

 private:
  TMainForm& F;
};

}  // namespace

TStudioForm* StudioDe(const TMainForm& f) { return f.findChild<TStudioForm*>("StudioForm"); }

void ActiveStudio(TMainForm& f) {
  QMdiSubWindow* s = SousStudio(f);
  TStudioForm* st = StudioDe(f);
  if (!s || !st) return;
  s->showMaximized();
  f.Zone()->setActiveSubWindow(s);
  // Offscreen or before the first display the area may not announce the activation.
  if (!st->Actif) {
    f.Action("MeStudio")->setChecked(true);
    st->FormActivate();
  }
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
  auto* filtre = new TFiltreStudio(f);
  s->installEventFilter(filtre);
  // Installed after the main window's own: it sees the keys first.
  qApp->installEventFilter(filtre);

  QAction* me = f.Action("MeStudio");
  me->setEnabled(true);
  QObject::connect(me, &QAction::triggered, &f, [&f] { ActiveStudio(f); });
  QObject::connect(f.Zone(), &QMdiArea::subWindowActivated, st, [&f, st, s](QMdiSubWindow* w) {
    if (w == s) {
      f.Action("MeStudio")->setChecked(true);
      st->FormActivate();
    } else if (w) {
      st->FormDeactivate();
    }
  });
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
  f.RedessineFenetres = [st, s] {
    if (s->isVisible() && !s->isMinimized()) {
      st->InitDraw();
      st->Redessine();
    }
  };
}

int CaptureStudio(TMainForm& f, const TLigneCommande& lc) {
  TStudioForm* st = StudioDe(f);
  if (!st) return 1;
  ActiveStudio(f);
  QApplication::processEvents();
  if (lc.Courbure) st->ChoisitCourbure(true);
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
  {
    QPainter p(&image);
    if (st->AvecOpenGL()) {
      QWidget* gl = st->findChild<QWidget*>("GLC");
      // The framebuffer itself: a widget grab mixes in its alpha.
      QImage vue = st->Image();
      if (gl && !vue.isNull())
        p.drawImage(QRect(gl->mapTo(&f, QPoint(0, 0)), gl->size()),
                    vue.convertToFormat(QImage::Format_RGB32));
    }
    if (TGaussForm* g = st->Gauss(); g && g->isVisible()) {
      QPoint ici = g->geometry().topLeft() - f.geometry().topLeft();
      p.drawPixmap(ici, g->grab());
    }
  }
  if (!image.save(QString::fromStdString(lc.CaptureSortie), "PNG")) {
    std::fprintf(stderr, "brivane: cannot write %s\n", lc.CaptureSortie.c_str());
    return 1;
  }
  return 0;
}
