// The studio's OpenGL drawing rendered into a framebuffer object on a real X server
// (Xvfb and Mesa's software renderer): where the hull and the water land, the order
// of opaque and transparent surfaces, lines over the fill, lights switched off, and the
// frame rate of the studio window turning the yacht.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QSurfaceFormat>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>

#include "document/GestFich.h"
#include "lines/Coupes.h"
#include "naval/Barge.h"
#include "naval/Poids.h"
#include "session/ObjCom.h"
#include "studio/RenduStudio.h"
#include "studio/Studio.h"

namespace {

constexpr int W = 400, H = 300;

struct ContexteGL {
  QOffscreenSurface Surface;
  QOpenGLContext Ctx;
  std::unique_ptr<QOpenGLFramebufferObject> Fbo;
  bool Pret = false;

  explicit ContexteGL(int w = W, int h = H) {
    QSurfaceFormat f;
    f.setRenderableType(QSurfaceFormat::OpenGL);
    f.setProfile(QSurfaceFormat::CompatibilityProfile);
    f.setVersion(2, 1);
    f.setDepthBufferSize(24);
    Surface.setFormat(f);
    Surface.create();
    Ctx.setFormat(f);
    if (!Ctx.create() || !Ctx.makeCurrent(&Surface)) return;
    Fbo = std::make_unique<QOpenGLFramebufferObject>(w, h, QOpenGLFramebufferObject::Depth);
    Pret = Fbo->isValid();
  }
  QImage Rendu(TRenduStudio& r, const TSceneStudio& s) {
    Fbo->bind();
    r.Frame(s, Fbo->width(), Fbo->height());
    Fbo->release();
    return Fbo->toImage().convertToFormat(QImage::Format_RGB32);
  }
};

// Everything a frame reads, with the program's defaults.
struct Studio {
  TDocument Doc;
  TAffichageVues Aff;
  TReglagesStudio Reglages;
  TCameraStudio Camera;
  TglLightList Lumieres;
  TglAxes Axes;
  TEtatStudio Etat;
  TRenduStudio Rendu;
  Studio() {
    PlaceLumieres(Lumieres, Reglages);
    Aff.Axes = false;
  }
  TSceneStudio Scene() { return {Doc, Aff, Reglages, Camera, Lumieres, Axes, Etat, Reglages.ArpStudio}; }
  QPoint Pixel(const TVertex3f& p) {
    double x = 0, y = 0;
    EXPECT_TRUE(ProjetteStudio(Camera, W, H, p, x, y));
    return {static_cast<int>(x), static_cast<int>(y)};
  }
};

void Yacht(TDocument& d, int precision) {
  ASSERT_TRUE(OuvrirFichier(d, BRIVANE_SAMPLES "/Voilier11.kvb"));
  ChangePrecision(d, precision);
  MajSurface(d, true, -1);
}

#define CONTEXTE(c) \
  ContexteGL c;     \
  if (!c.Pret) FAIL() << "no OpenGL context on this display"

TEST(StudioGL, HullWhereItProjectsWaterWhereOnlyWaterIs) {
  CONTEXTE(gl);
  Studio s;
  Yacht(s.Doc, 20);
  // The default colour (-1) draws in "BordSf": here pure red, told apart from the water.
  s.Reglages.BordSf = 0x0000FF;
  for (int k = 1; k < s.Doc.NbSurf(); k++) s.Doc.Surf(k).Coul = 0x0000FF;
  CadreStudio(s.Camera, s.Doc, -35, 18, W, H);
  QImage im = gl.Rendu(s.Rendu, s.Scene());
  EXPECT_EQ(s.Doc.Surf(0).Coul, -1);

  // A topside point of the hull above the water, on the side facing the camera.
  const TEntity& coque = s.Doc.Surf(0);
  const int c = coque.NbColPt / 2;
  TVertex3f bord{};
  for (int i = 0; i <= coque.NbLnPt; i++) {
    const TVertex3f& p = coque.Pts[size_t(i)][size_t(c)];
    if (p.Z > 0.1 && p.Z < s.Doc.SurfZMax - 0.3 && p.X > bord.X) bord = p;
  }
  ASSERT_GT(bord.X, 1.0);
  QColor h = im.pixelColor(s.Pixel(bord));
  EXPECT_GT(h.red(), 120) << h.name().toStdString();
  EXPECT_LT(h.green(), 40) << h.name().toStdString();
  EXPECT_LT(h.blue(), 40) << h.name().toStdString();

  // Five metres off the starboard side, on the plane Z = 0: only water, half transparent.
  QColor w = im.pixelColor(s.Pixel({s.Doc.SurfXMax + 5, (s.Doc.SurfYMin + s.Doc.SurfYMax) / 2, 0}));
  EXPECT_GT(w.blue(), w.red() + 30) << w.name().toStdString();
  EXPECT_GT(w.green(), w.red() + 30) << w.name().toStdString();
  EXPECT_LT(w.blue(), 200) << w.name().toStdString();
  // Above the horizon there is nothing but the background.
  EXPECT_EQ(im.pixel(W / 2, 2) & 0xFFFFFF, 0u);

  // Without the water plane the same ground pixel is background.
  s.Etat.PlanEau = false;
  QImage sec = gl.Rendu(s.Rendu, s.Scene());
  EXPECT_EQ(sec.pixel(s.Pixel({s.Doc.SurfXMax + 5, (s.Doc.SurfYMin + s.Doc.SurfYMax) / 2, 0})) & 0xFFFFFF,
            0u);
}

// A plane X = x across the view from a 2 x 2 net.
void Plan(TDocument& d, double x, int couleur, double alpha) {
  ASSERT_EQ(NouvelleSurface(d, "P" + std::to_string(d.NbSurf()), 1, {}), "");
  TSurface& s = *d.SurfNurbs(d.NbSurf() - 1);
  s.Net.NbLn = s.Net.NbCol = 2;
  s.Net.LFlex = s.Net.CFlex = 2;
  for (int i = 0; i < 2; i++)
    for (int j = 0; j < 2; j++) s.Net.PC[i][j] = {x, j ? 3.0 : -3.0, i ? 3.0 : -3.0, 1};
  s.Coul = couleur;
  s.Alpha = alpha;
  s.Sym = false;
  s.MarqueNonCalculee();
}

TEST(StudioGL, OpaqueSurfaceShowsThroughATransparentOneListedBefore) {
  CONTEXTE(gl);
  Studio s;
  s.Doc.Precision = 4;
  s.Etat.PlanEau = false;
  s.Camera.Distance = 20;         // side view: X towards the viewer
  Plan(s.Doc, 1, 0x0000FF, 0.5);  // red, half transparent, nearer, listed first
  Plan(s.Doc, 0, 0x00FF00, 1);    // green, opaque, behind
  MajSurface(s.Doc, true, -1);
  QImage im = gl.Rendu(s.Rendu, s.Scene());
  QColor c = im.pixelColor(W / 2, H / 2);
  // Drawn in list order, the far plane would fail the depth test: no green at all.
  EXPECT_GT(c.green(), 40) << c.name().toStdString();
  EXPECT_GT(c.red(), 40) << c.name().toStdString();
  s.Doc.Surf(0).Alpha = 1;
  c = gl.Rendu(s.Rendu, s.Scene()).pixelColor(W / 2, H / 2);
  EXPECT_LT(c.green(), 10) << c.name().toStdString();
}

TEST(StudioGL, SectionsStayVisibleOverTheFill) {
  CONTEXTE(gl);
  Studio s;
  Yacht(s.Doc, 20);
  s.Aff.Couples = true;
  TAffichageGarde garde;
  AffichageCalculs().Carene = true;
  // Eleven stations a metre apart along the hull.
  s.Doc.Grille.NbSec = 11;
  for (int i = 0; i < 11; i++) s.Doc.Grille.PosSec[size_t(i)] = 0.5 + i;
  for (auto& e : s.Doc.TabSurf) e->SecCalc = false;
  MajCoupesSurface(s.Doc);
  s.Reglages.Sec = 0x00FF00;
  CadreStudio(s.Camera, s.Doc, -35, 18, W, H);
  auto verts = [](const QImage& im) {
    int n = 0;
    for (int y = 0; y < im.height(); y++)
      for (int x = 0; x < im.width(); x++) n += (im.pixel(x, y) & 0xFFFFFF) == 0x00FF00;
    return n;
  };
  // With lines the fill is the masking pass, pushed back: the sections win the depth test.
  const int avec = verts(gl.Rendu(s.Rendu, s.Scene()));
  EXPECT_GT(avec, 300);
  s.Aff.Couples = false;
  EXPECT_EQ(verts(gl.Rendu(s.Rendu, s.Scene())), 0);
  // Hidden parts masked: the sections of the far side are behind the hull.
  s.Aff.Couples = true;
  s.Etat.Mode = TModeDessin::Filaire;
  s.Etat.CacheesInvisibles = true;
  const int masquees = verts(gl.Rendu(s.Rendu, s.Scene()));
  s.Etat.CacheesInvisibles = false;
  EXPECT_LT(masquees, verts(gl.Rendu(s.Rendu, s.Scene())));
}

// The shared vertex arrays against one immediate-mode strip per row: the same picture,
// pixel for pixel, in every way a grid is drawn.
TEST(StudioGL, SharedVerticesDrawTheStripsPicture) {
  CONTEXTE(gl);
  Studio s;
  Yacht(s.Doc, 24);
  InitCouleursCourbureAllSurf(s.Doc, TEchelleGauss{});
  s.Doc.Surf(1).Alpha = 0.6;  // a transparent one too
  CadreStudio(s.Camera, s.Doc, -35, 18, W, H);
  auto compare = [&](const char* cas) {
    s.Etat.Rapide = false;
    const QImage bandes = gl.Rendu(s.Rendu, s.Scene());
    s.Etat.Rapide = true;
    const QImage tableaux = gl.Rendu(s.Rendu, s.Scene());
    int differents = 0, coque = 0;
    for (int y = 0; y < H; y++)
      for (int x = 0; x < W; x++) {
        differents += bandes.pixel(x, y) != tableaux.pixel(x, y);
        coque += (bandes.pixel(x, y) & 0xFFFFFF) != 0;
      }
    EXPECT_EQ(differents, 0) << cas;
    EXPECT_GT(coque, W * H / 10) << cas;  // something was drawn
  };
  compare("smooth");
  s.Etat.Lissage = false;
  compare("flat");
  s.Etat.Lissage = true;
  s.Etat.Courbure = true;
  compare("curvature");
  s.Etat.Courbure = false;
  s.Etat.Mode = TModeDessin::Filaire;
  s.Etat.CacheesInvisibles = true;
  compare("wire frame over the background fill");
  s.Etat.Mode = TModeDessin::Points;
  s.Etat.CacheesInvisibles = false;
  compare("points");
  s.Etat.Mode = TModeDessin::Rempli;
  s.Aff.Moitie = true;
  compare("half");
  s.Aff.Moitie = false;
  // Filled behind its sections: the fill is the masking pass, pushed back in depth.
  s.Aff.Couples = true;
  TAffichageGarde garde;
  AffichageCalculs().Carene = true;
  s.Doc.Grille.NbSec = 7;
  for (int i = 0; i < 7; i++) s.Doc.Grille.PosSec[size_t(i)] = 1.0 + 1.5 * i;
  for (auto& e : s.Doc.TabSurf) e->SecCalc = false;
  MajCoupesSurface(s.Doc);
  compare("filled under the sections");
}

// The studio window's host for a document and display switches of the test.
THoteStudio Hote(TDocument& doc, TAffichageVues& aff) {
  THoteStudio h;
  h.Document = [&doc]() -> TDocument& { return doc; };
  h.Affichage = [&aff]() -> const TAffichageVues& { return aff; };
  return h;
}

// What the studio window shows against what the copy command and a framebuffer object of
// another context get. The two off-screen pictures agree to the bit. The window is drawn
// with its rows the other way up in memory (the renderer's convention for window
// buffers), so the fill rule settles a pixel centre lying exactly on an edge the other way
// and colours interpolate from the other corner: a few edge pixels change hands, and
// colours may differ by one level.
TEST(StudioGL, TheWindowShowsTheOffscreenPicture) {
  TDocument doc;
  TAffichageVues aff;
  Yacht(doc, 30);
  TStudioForm s(Hote(doc, aff));
  s.resize(640, 480);
  s.show();
  QWindow* gl = s.FenetreGL();
  ASSERT_NE(gl, nullptr);
  s.InitDraw();
  InitCouleursCourbureAllSurf(doc, TEchelleGauss{});
  doc.Surf(1).Alpha = 0.6;
  CadreStudio(s.Camera, doc, -35, 18, gl->width(), gl->height());
  auto compare = [&](const char* cas) {
    s.ReleveImage();
    s.Repeint();
    QElapsedTimer t;
    t.start();
    while (s.ImageAffichee().isNull() && t.elapsed() < 5000)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const QImage vue = s.ImageAffichee().convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(vue.isNull()) << cas;
    const QImage copie = s.Image().convertToFormat(QImage::Format_RGB32);
    ContexteGL autre(vue.width(), vue.height());
    ASSERT_TRUE(autre.Pret);
    TRenduStudio r;
    const QImage hors =
        autre.Rendu(r, {doc, aff, s.Reglages, s.Camera, s.Lumieres, s.Axes, s.Etat, s.Reglages.ArpStudio});
    ASSERT_EQ(copie.size(), vue.size()) << cas;
    int dessines = 0, copieHors = 0, ecarts = 0, changes = 0;
    for (int y = 0; y < vue.height(); y++)
      for (int x = 0; x < vue.width(); x++) {
        const QRgb v = vue.pixel(x, y), c = copie.pixel(x, y);
        copieHors += (c & 0xFFFFFF) != (hors.pixel(x, y) & 0xFFFFFF);
        dessines += (v & 0xFFFFFF) != 0;
        const int d = std::max(
            {std::abs(qRed(v) - qRed(c)), std::abs(qGreen(v) - qGreen(c)), std::abs(qBlue(v) - qBlue(c))});
        ecarts += d > 0;
        changes += d > 1;
      }
    EXPECT_EQ(copieHors, 0) << cas;
    // Seen here: up to 29 % of the pixels one level apart, and 3 edge pixels (flat), 75
    // (wire frame) changing hands; a surface drawn wrong changes thousands.
    EXPECT_LE(changes, vue.width() * vue.height() / 2000) << cas << ": " << ecarts << " pixels differ";
    EXPECT_GT(dessines, vue.width() * vue.height() / 10) << cas;  // the model and the water were drawn
  };
  compare("smooth");
  s.Etat.Lissage = false;
  compare("flat");
  s.Etat.Lissage = true;
  s.Etat.Courbure = true;
  compare("curvature");
  s.Etat.Courbure = false;
  s.Etat.Mode = TModeDessin::Filaire;
  s.Etat.CacheesInvisibles = true;
  compare("wire frame over the background fill");
}

TEST(StudioGL, ReferenceMarksAreBallsWhenShown) {
  CONTEXTE(gl);
  Studio s;
  Yacht(s.Doc, 10);
  s.Etat.PlanEau = false;
  CadreStudio(s.Camera, s.Doc, -35, 18, W, H);
  // Well above the deck, where only background is behind it.
  const TVertex3f p{0, (s.Doc.SurfYMin + s.Doc.SurfYMax) / 2, s.Doc.SurfZMax + 1.5};
  s.Doc.ListeReperes.push_back({"Tête", p.X, p.Y, p.Z});
  s.Reglages.OptTailleReperesStudio = 0.4;
  const QPoint c = s.Pixel(p);
  s.Aff.Reperes = false;
  EXPECT_EQ(gl.Rendu(s.Rendu, s.Scene()).pixel(c) & 0xFFFFFF, 0u);
  s.Aff.Reperes = true;
  const QImage im = gl.Rendu(s.Rendu, s.Scene());
  const QColor m = im.pixelColor(c);
  EXPECT_GT(m.red(), 150) << m.name().toStdString();
  EXPECT_GT(m.red(), m.blue() + 60) << m.name().toStdString();
  // Its radius is half the setting: a pixel 0.3 m off the centre is background again.
  const QPoint hors = s.Pixel({p.X, p.Y, p.Z + 0.3});
  EXPECT_EQ(im.pixel(hors) & 0xFFFFFF, 0u);
}

TEST(StudioGL, ALightSwitchedOffStopsShiningInTheSameContext) {
  CONTEXTE(gl);
  Studio s;
  Yacht(s.Doc, 10);
  s.Etat.PlanEau = false;
  CadreStudio(s.Camera, s.Doc, -35, 18, W, H);
  QImage allume = gl.Rendu(s.Rendu, s.Scene());
  for (int i = 0; i < TglLightList::Nombre; i++) s.Lumieres[i].SetEnabled(false);
  QImage eteint = gl.Rendu(s.Rendu, s.Scene());
  // A fresh context that never had a light on draws the same dark picture.
  Studio t;
  Yacht(t.Doc, 10);
  t.Etat.PlanEau = false;
  t.Camera = s.Camera;
  for (int i = 0; i < TglLightList::Nombre; i++) t.Lumieres[i].SetEnabled(false);
  ContexteGL gl2;
  ASSERT_TRUE(gl2.Pret);
  QImage neuf = gl2.Rendu(t.Rendu, t.Scene());
  EXPECT_FALSE(allume == eteint);
  EXPECT_TRUE(eteint == neuf);
}

}  // namespace

namespace {

// The studio window itself, turning the yacht at precision 100 under a mouse drag: each
// move goes through the viewport's own handler, and the frame counts once the window has
// composed it and swapped it onto the X server, as a user sees it. Prints the frame rate,
// on the wall clock and per second of the process's processor time (the machine is shared).
TEST(StudioGL, TurnsTheYachtAtPrecision100) {
  TDocument doc;
  TAffichageVues aff;
  Yacht(doc, 100);
  TStudioForm s(Hote(doc, aff));
  s.resize(1280, 960);
  s.show();
  QWindow* gl = s.FenetreGL();
  ASSERT_NE(gl, nullptr);
  s.InitDraw();
  for (int i = 0; i < 10; i++) QCoreApplication::processEvents();
  auto souris = [&](QEvent::Type t, QPoint p, Qt::MouseButtons boutons) {
    QMouseEvent e(t, p, gl->mapToGlobal(p), t == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, boutons,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(gl, &e);
  };
  // One move of the drag, three degrees; false when no frame followed it.
  QPoint p;
  auto glisse = [&] {
    p += QPoint(6, 0);
    const int n = s.Images();
    souris(QEvent::MouseMove, p, Qt::LeftButton);
    QElapsedTimer attente;
    attente.start();
    while (s.Images() == n && attente.elapsed() < 2000)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return s.Images() != n;
  };
  // The drawing the studio uses, from a fresh window as a user gets it, then the plain
  // strips for comparison.
  for (bool tableaux : {true, false}) {
    s.Etat.Rapide = tableaux;
    CadreStudio(s.Camera, doc, -35, 18, gl->width(), gl->height());
    p = QPoint(gl->width() / 4, gl->height() / 2);
    souris(QEvent::MouseButtonPress, p, Qt::LeftButton);
    // The first frames of a way of drawing compile the renderer's shaders.
    constexpr int Chauffe = 5, N = 60;
    for (int i = 0; i < Chauffe; i++) glisse();
    const int avant = s.Images();
    QElapsedTimer t;
    timespec c0{}, c1{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &c0);
    t.start();
    int perdues = 0;
    for (int i = 0; i < N; i++) perdues += !glisse();
    const qint64 ms = t.elapsed();
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &c1);
    souris(QEvent::MouseButtonRelease, p, Qt::NoButton);
    const int images = s.Images() - avant;
    const double cpu = double(c1.tv_sec - c0.tv_sec) + double(c1.tv_nsec - c0.tv_nsec) * 1e-9;
    std::printf(
        "studio %dx%d, yacht at precision 100, %s: %d frames, %.1f frames per second, %.1f per processor "
        "second\n",
        gl->width(), gl->height(), tableaux ? "studio's drawing" : "strips in immediate mode", images,
        images * 1000.0 / std::max<qint64>(1, ms), images / cpu);
    EXPECT_EQ(perdues, 0);
    EXPECT_EQ(images, N);
    EXPECT_FLOAT_EQ(s.Camera.Azimut, -35 + (Chauffe + N) * 3);
  }
}

}  // namespace

namespace {

// With "Flottaison" the water lies where the weights float the hull: a box barge loaded to sink
// 0.5 m above the model's Z = 0 shows its side between the two planes veiled by the water.
TEST(StudioGL, TheWaterPlaneFollowsTheFloatingWaterline) {
  CONTEXTE(gl);
  Studio s;
  AjouteBarge(s.Doc, 1, 10, 1, 1, 4);
  // Draft 1.5 above the keel at Z = -1, G low on the middle: level, waterline at Z = +0.5.
  s.Doc.ListePoids.push_back({"Charge", 1026 * 10 * 2 * 1.5, 0, 5, -0.4, -1});
  MajTotalPoids(s.Doc);
  s.Reglages.BordSf = 0x0000FF;
  CadreStudio(s.Camera, s.Doc, -35, 18, W, H);
  const QPoint cote = s.Pixel({1, 5, 0.25});
  QColor sec = gl.Rendu(s.Rendu, s.Scene()).pixelColor(cote);
  EXPECT_GT(sec.red(), 120) << sec.name().toStdString();
  EXPECT_LT(sec.blue(), 40) << sec.name().toStdString();
  s.Aff.Flottaison = true;
  QColor mouille = gl.Rendu(s.Rendu, s.Scene()).pixelColor(cote);
  EXPECT_GT(mouille.blue(), sec.blue() + 40) << mouille.name().toStdString();
  EXPECT_GT(mouille.green(), sec.green() + 30) << mouille.name().toStdString();
  // Above the floating waterline the side stays dry.
  const QPoint haut = s.Pixel({1, 5, 0.8});
  QColor franc = gl.Rendu(s.Rendu, s.Scene()).pixelColor(haut);
  EXPECT_GT(franc.red(), 120) << franc.name().toStdString();
  EXPECT_LT(franc.blue(), 40) << franc.name().toStdString();
}

}  // namespace
