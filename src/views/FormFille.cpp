// View windows: off-screen drawing, paint, rubber bands, zoom rectangle, pan and wheel.
#include "views/FormFille.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QTransform>
#include <QWheelEvent>
#include <algorithm>
#include <stdexcept>

#include "base/Debug.h"
#include "edition/CalageImage.h"
#include "views/BitMFond.h"
#include "views/RenduQt.h"

namespace {

TModifs Modifs(Qt::KeyboardModifiers m) {
  return {(m & Qt::ControlModifier) != 0, (m & Qt::AltModifier) != 0, (m & Qt::ShiftModifier) != 0};
}

}  // namespace

void THoteVues::InstalleOutil(TOutilVue o) {
  auto it = std::upper_bound(Outils.begin(), Outils.end(), o.Priorite,
                             [](int p, const TOutilVue& t) { return p < t.Priorite; });
  Outils.insert(it, std::move(o));
}

std::optional<TOutilVue> THoteVues::OutilActif(const TFormFille& v) const {
  for (const TOutilVue& o : Outils)
    if (o.Actif && o.Actif(v)) return o;
  return std::nullopt;
}

TFormFille::TFormFille(THoteVues& hote, int type, QWidget* parent)
    : QWidget(parent), Cadrage(type, width(), height()), Hote(hote) {
  setAttribute(Qt::WA_OpaquePaintEvent);  // the image covers every pixel: no erase, no flicker
  setMouseTracking(true);
  setFocusPolicy(Qt::ClickFocus);
  setMinimumSize(40, 30);
  setWindowTitle(QString::fromStdString(TitreVue(type)));
}

void TFormFille::Redessine() {
  if (!Hote.DessinPermis()) return;
  TRACE("Affiche.AfficheNet");
  QSize s = size();
  if (s.isEmpty()) return;
  TDocument& doc = Hote.Document();
  Tab.MajTabCoor(doc, Cadrage.Param);
  Dessin.Vider();
  try {
    TContexteDessin c{doc, Hote.Affichage(), Hote.OptionsVues(), Hote.GrilleVue(),
                      Tab, s.width(),        s.height()};
    AfficheNetOne(c, Cadrage.Param, Dessin);
  } catch (const std::exception& e) {
    // What was drawn before the failure is still shown.
    DbgErr(erDivers, "Affiche.AfficheNet", Type(), {e.what()});
  }
  if (Bitmap.size() != s) Bitmap = QImage(s, QImage::Format_RGB32);
  const QImage* fond = nullptr;
  int fx = 0, fy = 0;
  if (Type() >= tvSection && Type() <= tvPersp) {
    const TImageFondDoc& im = doc.ImagesFond[static_cast<size_t>(Type())];
    // A document opened or closed since: its picture is decoded once, on first need.
    if (!FondTente || im.Fichier != FondNom) ChargeFondFichier();
    std::array<double, 6> m{};
    const bool montre = FondOK && im.Affiche && Hote.Affichage().ImageFond;
    if (montre && im.Calee && AffineCalage(im, Cadrage.Param, m)) {
      // Drawn again only when the view moved or changed size: a drag keeps it.
      if (m != FondCaleMap || FondCale.size() != s) {
        FondCale = QImage(s, QImage::Format_ARGB32_Premultiplied);
        FondCale.fill(Qt::transparent);
        QPainter p(&FondCale);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.setTransform(QTransform(m[0], m[2], m[1], m[3], m[4], m[5]));
        p.drawImage(0, 0, FondSrc);
        FondCaleMap = m;
      }
      fond = &FondCale;
    } else if (montre && !im.Calee && !FondEtire.isNull()) {
      fond = &FondEtire;
      fx = im.X, fy = im.Y;
    }
  }
  RenduListe(Bitmap, Dessin, fond, fx, fy);
  update();
  Hote.VueRedessinee(*this);
}

void TFormFille::ChargeFondFichier() {
  TRACE("ChargeFondFichier");
  FondOK = false;
  FondTente = true;
  FondSrc = FondEtire = FondCale = QImage();
  if (Type() < tvSection || Type() > tvPersp) return;
  const TDocument& doc = Hote.Document();
  FondNom = doc.ImagesFond[static_cast<size_t>(Type())].Fichier;
  if (FondNom.empty()) return;
  FondOK = ChargeImageFond(CheminImageFond(FondNom, doc.NomFichier), FondSrc);
  if (FondOK) StretchFondFichier();
}

void TFormFille::StretchFondFichier() {
  if (!FondOK || Type() < tvSection || Type() > tvPersp) return;
  const TImageFondDoc& im = Hote.Document().ImagesFond[static_cast<size_t>(Type())];
  QImage etire;
  if (EtireImageFond(FondSrc, im, width(), height(), etire))
    FondEtire = std::move(etire);
  else
    DbgErr(erDivers, "TFormFille.StretchFondFichier", Type(), {FondNom});
}

void TFormFille::VideSelection() {
  Selection.clear();
  for (auto& s : Tab.Etat)
    for (auto& l : s)
      for (auto& e : l)
        if (e == epSelectionne) e = epActif;
}

TEditeurVue* TFormFille::Editeur() {
  if (!Ed)
    if (THoteEdition* h = Hote.HoteEdition())
      Ed = std::make_unique<TEditeurVue>(*h, Hote.Document(), Cadrage, Tab, Selection);
  return Ed.get();
}

void TFormFille::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  if (Bitmap.size() != size()) {
    p.fillRect(rect(), QColor::fromRgb(CouleurQt(Hote.OptionsVues().Arp)));
    p.end();
    Redessine();
    return;
  }
  p.drawImage(e->rect().topLeft(), Bitmap, e->rect());
  // The rubber bands contrast with the background as the inverting pens did.
  int fond = Hote.OptionsVues().Arp;
  switch (Sup) {
    case TSuperpose::Croix:
      p.setPen(QPen(QColor::fromRgb(CouleurQt(fond ^ 0x808080)), 0));
      p.drawLine(0, Croix.y(), width(), Croix.y());
      p.drawLine(Croix.x(), 0, Croix.x(), height());
      break;
    case TSuperpose::RectProportionnel:
      p.setPen(QPen(QColor::fromRgb(CouleurQt(fond ^ 0x808080)), 2));
      p.drawRect(QRect(P1, P2 - QPoint(1, 1)));
      break;
    case TSuperpose::RectPointille:
      p.setPen(QPen(QColor::fromRgb(CouleurQt(fond ^ 0x00FF00)), 0, Qt::DotLine));
      p.drawRect(QRect(P1, P2 - QPoint(1, 1)).normalized());
      break;
    case TSuperpose::Rien:
      break;
  }
}

void TFormFille::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  Cadrage.Resize(width(), height());
  if (FondOK && Hote.Document().ImagesFond[static_cast<size_t>(Type() & 3)].Ajustement != 0)
    StretchFondFichier();
  Redessine();
}

void TFormFille::mousePressEvent(QMouseEvent* e) {
  QWidget::mousePressEvent(e);
  if (e->button() != Qt::LeftButton) return;
  BoutonBas = true;
  QPoint pos = e->position().toPoint();
  if (Hote.ModeZoom()) {
    Sup = TSuperpose::Rien;
    Cadrage.MemorisePrecedente();
    P1 = P2 = pos;
    ZoomEnCours = true;
    update();
  } else if (Hote.ModeDeplacer()) {
    Cadrage.MemorisePrecedente();
    RefPan = pos;
    PanEnCours = true;
  } else if ((Outil = Hote.OutilActif(*this))) {
    if (Outil->Appui) Outil->Appui(*this, pos, Modifs(e->modifiers()));
  } else if (TEditeurVue* ed = Editeur()) {
    // Picking reads the positions of the model as it is now, not as last drawn.
    Tab.MajTabCoor(Hote.Document(), Cadrage.Param);
    EditionEnCours = true;
    ed->Appui(pos.x(), pos.y(), Modifs(e->modifiers()));
    if (ed->FenetreEnCours()) {
      P1 = P2 = pos;
      Sup = TSuperpose::RectPointille;
      update();
    }
  }
}

void TFormFille::mouseMoveEvent(QMouseEvent* e) {
  QPoint pos = e->position().toPoint();
  Hote.EcritStatus(2, TexteCoordonnees(Cadrage.Param, pos.x(), pos.y()));
  if (ZoomEnCours) {
    if (pos.x() > P1.x()) {
      TPixel c = CoinZoomProportionnel(P1.x(), P1.y(), pos.x(), width(), height());
      Sup = TSuperpose::RectProportionnel;
      P2 = QPoint(c.X, c.Y);
    } else {
      Sup = TSuperpose::RectPointille;
      P2 = pos + QPoint(1, 1);
    }
    update();
  } else if (PanEnCours) {
    // The drawing follows the pointer exactly: the origin moves by the pointer's step.
    Cadrage.Deplace(pos.x() - RefPan.x(), pos.y() - RefPan.y());
    RefPan = pos;
    Redessine();
  } else if (Outil && BoutonBas) {
    if (Outil->Mouvement) Outil->Mouvement(*this, pos);
  } else if (EditionEnCours && BoutonBas && Ed) {
    Ed->Mouvement(pos.x(), pos.y());
    if (Ed->FenetreEnCours()) {
      P2 = pos + QPoint(1, 1);
      update();
    }
  } else if (Hote.ModeZoom() && !BoutonBas) {
    Sup = TSuperpose::Croix;
    Croix = pos;
    update();
  }
}

void TFormFille::mouseReleaseEvent(QMouseEvent* e) {
  QWidget::mouseReleaseEvent(e);
  if (e->button() != Qt::LeftButton) return;
  BoutonBas = false;
  QPoint pos = e->position().toPoint();
  if (ZoomEnCours) {
    ZoomEnCours = false;
    bool proportionnel = Sup == TSuperpose::RectProportionnel;
    Sup = TSuperpose::Rien;
    if (proportionnel && Cadrage.ZoomRectangle(P1.x(), P1.y(), pos.x(), Hote.OptionsVues().ZoomMax)) {
      Hote.FinModeZoom();
      Redessine();
    } else {
      update();
    }
  } else if (PanEnCours) {
    PanEnCours = false;
    Redessine();
    if (!(e->modifiers() & Qt::ShiftModifier)) Hote.FinModeDeplacer();
  } else if (Outil) {
    // Taken first: the tool's dialog may run an event loop that reaches this view again.
    TOutilVue o = std::move(*Outil);
    Outil.reset();
    if (o.Relache) o.Relache(*this, pos, e->globalPosition().toPoint(), Modifs(e->modifiers()));
  } else if (EditionEnCours && Ed) {
    EditionEnCours = false;
    if (Sup == TSuperpose::RectPointille) Sup = TSuperpose::Rien;
    Ed->Relache(pos.x(), pos.y(), Modifs(e->modifiers()));
    update();
  }
}

void TFormFille::wheelEvent(QWheelEvent* e) {
  int delta = e->angleDelta().y();
  if (delta != 0) Hote.Molette(*this, delta, Modifs(e->modifiers()));
  e->accept();
}

void TFormFille::contextMenuEvent(QContextMenuEvent* e) {
  Hote.MenuVue(*this, e->globalPos());
  e->accept();
}

void TFormFille::leaveEvent(QEvent* e) {
  QWidget::leaveEvent(e);
  if (Sup == TSuperpose::Croix) {
    Sup = TSuperpose::Rien;
    update();
  }
}
