// The studio window and its OpenGL viewport.
#include "studio/Studio.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLWindow>
#include <QPainter>
#include <QSpinBox>
#include <QSurfaceFormat>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <clocale>

#include "base/Chaines.h"
#include "base/Debug.h"
#include "session/ObjCom.h"
#include "studio/GaussCtrl.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// A flat two-state button drawn with a short label: the page is narrow.
QToolButton* Bouton(QWidget* parent, const char* nom, const char* glyphe, const char* cleHint, bool coche) {
  auto* b = new QToolButton(parent);
  b->setObjectName(nom);
  b->setText(QString::fromUtf8(glyphe));
  b->setCheckable(true);
  b->setChecked(coche);
  b->setAutoRaise(true);
  b->setFixedSize(30, 26);
  if (cleHint && *cleHint) b->setToolTip(Q(rs(cleHint)));
  return b;
}

// Qt 6.4's GL widget dies on the offscreen and minimal platforms: no context there.
QString SansOpenGL() {
  QString p = QGuiApplication::platformName();
  if (p == "offscreen" || p == "minimal") return p;
  QOpenGLContext essai;
  essai.setFormat(QSurfaceFormat::defaultFormat());
  if (!essai.create()) return p;
  return {};
}

}  // namespace

// The viewport: a compatibility-profile context, double-buffered, drawn straight into its
// own window. A GL widget would draw into a texture that the top-level window then
// composes with the rest of its contents on every frame: under a software renderer that
// costs two more full-window passes per frame.
class TVueGL : public QOpenGLWindow {
 public:
  explicit TVueGL(TStudioForm& s) : QOpenGLWindow(QOpenGLWindow::NoPartialUpdate), S(s) {
    QSurfaceFormat f = format();
    f.setRenderableType(QSurfaceFormat::OpenGL);
    f.setProfile(QSurfaceFormat::CompatibilityProfile);
    f.setVersion(2, 1);
    // The depth buffer of a GL widget's framebuffer object, which the off-screen copies use
    // as well: a deeper one resolves the surfaces' seams otherwise.
    f.setDepthBufferSize(24);
    f.setStencilBufferSize(8);
    f.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    setFormat(f);
    setObjectName("GLC");
  }

  TRenduStudio Rendu;
  int Images = 0;  // frames drawn, for the frame-rate measure

  bool Releve = false;  // read the next frame back as shown
  QImage Affichee;

  QSize Taille() const {
    const qreal r = devicePixelRatio();
    return {static_cast<int>(width() * r), static_cast<int>(height() * r)};
  }

  // The frame drawn once more into a framebuffer object: the back buffer's contents are
  // undefined outside a paint, and a covered window has none.
  QImage Capture() {
    if (!isValid()) return {};
    makeCurrent();
    QImage im;
    {
      QOpenGLFramebufferObject fbo(Taille(), QOpenGLFramebufferObject::CombinedDepthStencil);
      if (fbo.isValid() && fbo.bind()) {
        Rendu.Frame(S.Scene(), fbo.width(), fbo.height());
        fbo.release();
        im = fbo.toImage();
      }
    }
    doneCurrent();
    return im;
  }

  // A repaint at the next turn of the event loop. The window's own update() waits for an
  // idle timer first, which a drag would pay on every frame; requests made before the
  // paint are folded into it.
  void Demande() {
    if (EnAttente) return;
    EnAttente = true;
    QCoreApplication::postEvent(this, new QEvent(QEvent::UpdateRequest));
  }

 protected:
  bool event(QEvent* e) override {
    if (e->type() == QEvent::UpdateRequest) EnAttente = false;
    return QOpenGLWindow::event(e);
  }
  void paintGL() override {
    const QSize t = Taille();
    Rendu.Frame(S.Scene(), t.width(), t.height());
    Images++;
    // The back buffer holds the frame only until the swap that follows.
    if (Releve) Releve = false, Affichee = grabFramebuffer();
  }
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() == Qt::RightButton) {
      S.MenuContextuel(e->globalPosition().toPoint() + QPoint(10, 0));
      return;
    }
    Dernier = e->position().toPoint();
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    if (!(e->buttons() & Qt::LeftButton)) return;
    QPoint p = e->position().toPoint();
    TourneSouris(S.Camera, p.x() - Dernier.x(), p.y() - Dernier.y());
    Dernier = p;
    S.Repeint();
  }
  void wheelEvent(QWheelEvent* e) override {
    const int d = e->angleDelta().y();
    if (d != 0) {
      Qt::KeyboardModifiers m = e->modifiers();
      S.Zoom(d > 0,
             {(m & Qt::ControlModifier) != 0, (m & Qt::AltModifier) != 0, (m & Qt::ShiftModifier) != 0});
    }
    e->accept();
  }

 private:
  TStudioForm& S;
  QPoint Dernier;
  bool EnAttente = false;
};

TStudioForm::TStudioForm(THoteStudio hote, QWidget* parent) : QWidget(parent), Hote(std::move(hote)) {
  TRACE("StudioForm.Create");
  setObjectName("StudioForm");
  setWindowTitle(Q(rs("rsStudioFormCaption")));
  auto* lay = new QHBoxLayout(this);
  lay->setContentsMargins(0, 0, 0, 0);
  lay->setSpacing(6);  // the fixed splitter between the pages and the viewport
  auto* pages = new QTabWidget(this);
  pages->setObjectName("PageControl");
  pages->setTabPosition(QTabWidget::North);
  pages->setFixedWidth(84);
  auto* pos = new QWidget(pages);
  pos->setObjectName("TSPos");
  auto* lum = new QWidget(pages);
  lum->setObjectName("TSLight");
  pages->addTab(pos, QString::fromUtf8("◎"));
  pages->addTab(lum, QString::fromUtf8("☼"));
  CreePageCamera(pos);
  CreePageLumieres(lum);
  lay->addWidget(pages);

  QString raison = SansOpenGL();
  if (raison.isEmpty()) {
    Vue = new TVueGL(*this);
    Conteneur = QWidget::createWindowContainer(Vue, this);
    Conteneur->setObjectName("GLC");
    lay->addWidget(Conteneur, 1);
  } else {
    Remplacant = new QLabel(Q(Format(rs("rsStudioSansOpenGL"), raison.toStdString().c_str())), this);
    Remplacant->setObjectName("StudioSansOpenGL");
    Remplacant->setAlignment(Qt::AlignCenter);
    Remplacant->setWordWrap(true);
    Remplacant->setAutoFillBackground(true);
    lay->addWidget(Remplacant, 1);
  }

  TimerFl = new QTimer(this);
  TimerFl->setInterval(50);
  connect(TimerFl, &QTimer::timeout, this, [this] { PasLumiere(); });

  AppliqueLumieres();
  FormGauss = new TGaussForm(Echelle, parent ? parent->window() : nullptr);
  FormGauss->Change = [this] {
    MajCouleursCourbure();
    Redessine();
  };
}

TStudioForm::~TStudioForm() {
  TimerFl->stop();
  delete FormGauss;
}

void TStudioForm::CreePageCamera(QWidget* page) {
  auto* v = new QVBoxLayout(page);
  v->setContentsMargins(4, 4, 4, 4);
  v->setSpacing(2);
  BtnSmooth = Bouton(page, "BtnSmooth", "≈", "rsBtnSmoothHint", true);
  v->addWidget(BtnSmooth);
  connect(BtnSmooth, &QToolButton::toggled, this, [this](bool c) {
    Etat.Lissage = c;
    Repeint();
  });
  v->addSpacing(6);
  auto* modes = new QButtonGroup(page);
  struct {
    const char* Nom;
    const char* Glyphe;
    TModeDessin Mode;
  } const defs[] = {{"SB_Invisible", "∅", TModeDessin::Invisible},
                    {"SB_Points", "⁘", TModeDessin::Points},
                    {"SB_Contours", "□", TModeDessin::Contours},
                    {"SB_Filaire", "#", TModeDessin::Filaire},
                    {"SB_Rempli", "■", TModeDessin::Rempli}};
  for (const auto& d : defs) {
    std::string cle = std::string("rs") + d.Nom + "Hint";
    QToolButton* b = Bouton(page, d.Nom, d.Glyphe, cle.c_str(), d.Mode == Etat.Mode);
    modes->addButton(b);
    v->addWidget(b);
    TModeDessin m = d.Mode;
    connect(b, &QToolButton::clicked, this, [this, m] {
      Etat.Mode = m;
      Redessine();
    });
  }
  v->addSpacing(6);
  auto* cachees = new QButtonGroup(page);
  QToolButton* vis = Bouton(page, "SB_PCvis", "◐", "rsSB_PCvisHint", true);
  SB_PCinvis = Bouton(page, "SB_PCinvis", "●", "rsSB_PCinvisHint", false);
  for (QToolButton* b : {vis, SB_PCinvis}) {
    cachees->addButton(b);
    v->addWidget(b);
  }
  connect(SB_PCinvis, &QToolButton::toggled, this, [this](bool c) {
    Etat.CacheesInvisibles = c;
    Redessine();
  });
  v->addSpacing(6);
  SBCourbure = Bouton(page, "SBCourbure", "K", nullptr, false);
  v->addWidget(SBCourbure);
  connect(SBCourbure, &QToolButton::clicked, this, [this](bool c) { ChoisitCourbure(c); });
  SBtn_PlanEau = Bouton(page, "SBtn_PlanEau", "≋", nullptr, Reglages.AffPlanEau);
  Etat.PlanEau = Reglages.AffPlanEau;
  v->addWidget(SBtn_PlanEau);
  connect(SBtn_PlanEau, &QToolButton::toggled, this, [this](bool c) {
    Etat.PlanEau = Reglages.AffPlanEau = c;
    Repeint();
  });
  v->addStretch(1);
}

void TStudioForm::CreePageLumieres(QWidget* page) {
  auto* v = new QVBoxLayout(page);
  v->setContentsMargins(4, 4, 4, 4);
  NumLumiere = new QSpinBox(page);
  NumLumiere->setObjectName("UD_Light");
  NumLumiere->setRange(0, TglLightList::Nombre - 1);
  NumLumiere->setWrapping(false);
  if (auto* l = NumLumiere->findChild<QLineEdit*>()) l->setReadOnly(true);
  v->addWidget(NumLumiere);
  CBActive = new QCheckBox(Q(rs("rsCB_ActiveCaption")), page);
  CBActive->setObjectName("CB_Active");
  CBActive->setChecked(true);
  v->addWidget(CBActive);
  connect(NumLumiere, &QSpinBox::valueChanged, this, [this](int n) { ChoixLumiere(n); });
  connect(CBActive, &QCheckBox::clicked, this, [this](bool c) { ClicActive(c); });
  auto* croix = new QWidget(page);
  auto* g = new QGridLayout(croix);
  g->setContentsMargins(0, 0, 0, 0);
  g->setSpacing(0);
  auto fleche = [&](const char* nom, Qt::ArrowType a, int l, int c) {
    auto* b = new QToolButton(croix);
    b->setObjectName(nom);
    b->setArrowType(a);
    b->setFixedSize(22, 22);
    g->addWidget(b, l, c);
    connect(b, &QToolButton::pressed, this, [this] {
      PasLumiere();
      TimerFl->start();
    });
    connect(b, &QToolButton::released, this, [this] {
      if (!SB_Haut->isDown() && !SB_Gauche->isDown() && !SB_Droit->isDown() && !SB_Bas->isDown())
        TimerFl->stop();
    });
    return b;
  };
  SB_Haut = fleche("SB_Haut", Qt::UpArrow, 0, 1);
  SB_Gauche = fleche("SB_Gauche", Qt::LeftArrow, 1, 0);
  SB_Droit = fleche("SB_Droit", Qt::RightArrow, 1, 2);
  SB_Bas = fleche("SB_Bas", Qt::DownArrow, 2, 1);
  v->addWidget(croix);
  BtnSpot = new QToolButton(page);
  BtnSpot->setObjectName("BtnSpot");
  BtnSpot->setText(Q(rs("rsBtnSpotCaption")));
  BtnSpot->setCheckable(true);
  BtnSpot->setChecked(true);
  BtnSpot->setToolButtonStyle(Qt::ToolButtonTextOnly);
  v->addWidget(BtnSpot);
  connect(BtnSpot, &QToolButton::toggled, this, [this](bool c) {
    for (int i = 0; i < TglLightList::Nombre; i++) Lumieres[i].SetSpotVisible(c);
    Repeint();
  });
  v->addStretch(1);
}

void TStudioForm::MontreSpots(bool v) { BtnSpot->setChecked(v); }

void TStudioForm::AppliqueLumieres() {
  PlaceLumieres(Lumieres, Reglages);
  if (CBActive) CBActive->setChecked(Lumieres[NumLumiere->value()].Enabled());
  Repeint();
}

void TStudioForm::ChoixLumiere(int n) {
  bool avant = CBActive->isChecked();
  CBActive->setChecked(Lumieres[n].Enabled());
  // A change of the box runs its click too: the light's marker follows its state.
  if (CBActive->isChecked() != avant) ClicActive(CBActive->isChecked());
}

void TStudioForm::ClicActive(bool c) {
  TglLight& l = Lumieres[NumLumiere->value()];
  l.SetEnabled(c);
  l.SetSpotVisible(c);
  Reglages.Lumieres[static_cast<size_t>(NumLumiere->value())].Active = c;
  Repeint();
}

void TStudioForm::PasLumiere() {
  TglLight& l = Lumieres[NumLumiere->value()];
  if (SB_Haut->isDown())
    l.SetRotX(l.RotX() - 10);
  else if (SB_Bas->isDown())
    l.SetRotX(l.RotX() + 10);
  else if (SB_Gauche->isDown())
    l.SetRotY(l.RotY() - 10);
  else if (SB_Droit->isDown())
    l.SetRotY(l.RotY() + 10);
  else
    return;
  TPositionLumiere& p = Reglages.Lumieres[static_cast<size_t>(NumLumiere->value())];
  p.RotX = l.RotX(), p.RotY = l.RotY();
  Repeint();
}

TSceneStudio TStudioForm::Scene() {
  return {Hote.Document(),
          Hote.Affichage(),
          Reglages,
          Camera,
          Lumieres,
          Axes,
          Etat,
          FondDonne ? Reglages.ArpStudio : 0xFFFFFF};
}

void TStudioForm::InitDraw() {
  TRACE("StudioForm.InitDraw");
  FondDonne = true;
  QPalette p = palette();
  p.setColor(QPalette::Window, QColor(Reglages.ArpStudio & 0xFF, (Reglages.ArpStudio >> 8) & 0xFF,
                                      (Reglages.ArpStudio >> 16) & 0xFF));
  if (Conteneur) Conteneur->setPalette(p);
  Repeint();
}

void TStudioForm::MajCouleursCourbure() {
  if (!Etat.Courbure) return;
  TDocument& d = Hote.Document();
  // A surface added while the button is down has not computed its curvature yet.
  for (int k = 0; k < d.NbSurf(); k++)
    if (TSurface* s = d.SurfNurbs(k); s && s->Visible && !s->AvecCourbure) {
      s->AvecCourbure = true;
      s->MarqueNonCalculee();
      MajSurface(d, false, k);
    }
  InitCouleursCourbureAllSurf(d, Echelle);
}

void TStudioForm::Redessine() {
  TRACE("TStudioForm.Redessine");
  MajCouleursCourbure();
  Repeint();
}

void TStudioForm::Repeint() {
  if (Vue) Vue->Demande();
}

void TStudioForm::ChoisitCourbure(bool bas) {
  TRACE("TStudioForm.SBCourbureClick");
  if (SBCourbure->isChecked() != bas) SBCourbure->setChecked(bas);
  Etat.Courbure = bas;
  TDocument& d = Hote.Document();
  for (int k = 0; k < d.NbSurf(); k++)
    if (TSurface* s = d.SurfNurbs(k)) s->AvecCourbure = bas;
  if (bas) {
    for (int k = 0; k < d.NbSurf(); k++)
      if (TSurface* s = d.SurfNurbs(k); s && s->Visible) {
        s->MarqueNonCalculee();
        MajSurface(d, false, k);
        InitCouleursCourbureSurf(*s, Echelle);
      }
    InitDraw();
    SB_PCinvis->setChecked(true);
    FormGauss->Montre();
  } else {
    FormGauss->hide();
  }
  Redessine();
}

void TStudioForm::FormActivate() {
  std::setlocale(LC_NUMERIC, "C");
  Actif = true;
  LieControleVues(Camera);
  if (Hote.EcritStatus) Hote.EcritStatus(0, rs("rsStudio"));
}

void TStudioForm::Zoom(bool agrandir, TModifs m) {
  ZoomStudio(Camera, agrandir, m);
  Repeint();
}

void TStudioForm::Recentrer() {
  Camera.OrigineX = Camera.OrigineY = 0;
  Repeint();
}

bool TStudioForm::Touche(int touche, TModifs m) {
  const int s = PasFlecheStudio(m);
  int dx = 0, dy = 0;
  switch (touche) {
    case Qt::Key_Left:
      dx = -s;
      break;
    case Qt::Key_Right:
      dx = s;
      break;
    case Qt::Key_Up:
      dy = -s;
      break;
    case Qt::Key_Down:
      dy = s;
      break;
    default:
      return false;
  }
  FlecheStudio(Camera, dx, dy, m);
  Repeint();
  return true;
}

int TStudioForm::Images() const { return Vue ? Vue->Images : 0; }

QWindow* TStudioForm::FenetreGL() const { return Vue; }

QImage TStudioForm::Image() { return Vue ? Vue->Capture() : QImage(); }

void TStudioForm::ReleveImage() {
  if (!Vue) return;
  Vue->Releve = true;
  Vue->Affichee = QImage();
}

QImage TStudioForm::ImageAffichee() const { return Vue ? Vue->Affichee : QImage(); }

void TStudioForm::MenuContextuel(const QPoint& global) {
  QMenu m(this);
  const char* cles[4] = {"rsPMStudioSectionCaption", "rsPMStudioPlanCaption", "rsPMStudioProfilCaption",
                         "rsPMStudioPerspCaption"};
  for (int t = tvSection; t <= tvPersp; t++)
    m.addAction(Q(rs(cles[t])), this, [this, t] {
      if (Hote.ActiveVue) Hote.ActiveVue(t);
    });
  m.addSeparator();
  m.addAction(Q(rs("rsPMStudioControleVuesCaption")), this, [this] {
    if (Hote.ControleVues) Hote.ControleVues();
  });
  m.exec(global);
}

void TStudioForm::PrendVueDocument(const TVueDocument& v) {
  Camera.OrigineX = v.OrigineX;
  Camera.OrigineY = v.OrigineY;
  if (v.Echelle > 0) {
    Camera.Distance = v.Echelle;
    Camera.Echelle = static_cast<float>(CurseurZoomMax) - Camera.Distance * 10 + 1;
  }
  Camera.Azimut = v.Angle1;
  Camera.Elevation = v.Angle2;
  Camera.Angle3 = v.Angle3;
  Repeint();
}

void TStudioForm::EcritVueDocument(TVueDocument& v) const {
  v.OrigineX = Camera.OrigineX;
  v.OrigineY = Camera.OrigineY;
  v.Echelle = Camera.Distance;
  v.Angle1 = Camera.Azimut;
  v.Angle2 = Camera.Elevation;
  v.Angle3 = Camera.Angle3;
}
