// The print window on the yacht: a PDF at 1/20 on A4 has the pages the hull's length
// needs, and laid side by side they make the one drawing of the whole block; the
// properties window; the recovery document through the main window.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <filesystem>

#include "Fenetre.h"
#include "app/DocumentIO.h"
#include "app/ImprForm.h"
#include "app/PropFichForm.h"
#include "app/RecuperationQt.h"
#include "app/ReglagesQt.h"
#include "session/ObjCom.h"

namespace {

bool Outil(const char* nom) {
  return QProcess::execute("sh", {"-c", QString("command -v %1 >/dev/null").arg(nom)}) == 0;
}

int PagesPdf(const QString& pdf) {
  QProcess p;
  p.start("pdfinfo", {pdf});
  p.waitForFinished(30000);
  for (const QString& l : QString::fromLocal8Bit(p.readAllStandardOutput()).split('\n'))
    if (l.startsWith("Pages:")) return l.mid(6).trimmed().toInt();
  return -1;
}

bool Encre(QRgb c) { return qGray(c) < 160; }

// The share of the inked pixels of a that have ink in b within one pixel.
double Couverture(const QImage& a, const QImage& b, QRect r) {
  long encre = 0, trouves = 0;
  for (int y = r.top(); y <= r.bottom(); y++)
    for (int x = r.left(); x <= r.right(); x++) {
      if (!Encre(a.pixel(x, y))) continue;
      encre++;
      bool vu = false;
      for (int dy = -1; dy <= 1 && !vu; dy++)
        for (int dx = -1; dx <= 1 && !vu; dx++) {
          int u = x + dx, v = y + dy;
          vu = b.rect().contains(u, v) && Encre(b.pixel(u, v));
        }
      trouves += vu;
    }
  return encre < 30 ? 1.0 : static_cast<double>(trouves) / encre;
}

TEST(ImprForm, YachtProfileAtOneTwentiethTilesA4Pages) {
  if (!Outil("pdfinfo") || !Outil("pdftoppm")) GTEST_SKIP() << "poppler-utils missing";
  FenetreTest t;
  t.F->IO = DocumentIOStandard();
  ASSERT_TRUE(t.F->OuvrirFichier(std::string(BRIVANE_SAMPLES) + "/Voilier11.kvb", false, false));
  t.F->ActiveVue(tvProfil, false);
  ReglagesProgramme().PenWidth = 20;
  QTemporaryDir dir;
  const QString pdf = dir.filePath("profil.pdf");
  TImprForm d(*t.F);
  d.CBPapier->setCurrentIndex(1);  // A4
  d.RBPortrait->setChecked(true);
  d.Imprimante().setOutputFileName(pdf);
  d.CBEchelle->setCurrentIndex(6);  // 1 / 20
  d.RBToutesPages->setChecked(true);
  ASSERT_TRUE(d.Valide);
  ASSERT_TRUE(d.Imprime());

  // The pages the profile needs, from the nets' extent and the printable size in mm.
  TDocument& doc = t.Doc();
  MajMinMaxAllNet(doc, true);
  const QRectF zone = d.Imprimante().pageLayout().paintRect(QPageLayout::Millimeter);
  const double lMm = (doc.NetYMax - doc.NetYMin) * 1000 / 20, hMm = (doc.NetZMax - doc.NetZMin) * 1000 / 20;
  const int nh = static_cast<int>(std::trunc(lMm / zone.width() + 1));
  const int nv = static_cast<int>(std::trunc(hMm / zone.height() + 1));
  ASSERT_GT(lMm, 400);  // an 11 m yacht: more than one A4 across
  EXPECT_EQ(d.Bloc.NbPagesH, nh);
  EXPECT_EQ(d.Bloc.NbPagesV, nv);
  EXPECT_EQ(PagesPdf(pdf), nh * nv);  // no blank sheet at the end

  // The pages cut to their printable area and laid side by side...
  const int dpi = 100;
  ASSERT_EQ(QProcess::execute("pdftoppm", {"-r", QString::number(dpi), "-png", pdf, dir.filePath("p")}), 0);
  QStringList pngs = QDir(dir.path()).entryList({"p-*.png"}, QDir::Files, QDir::Name);
  ASSERT_EQ(pngs.size(), nh * nv);
  const double pxMm = dpi / 25.4;
  const QRect zp(std::lround(zone.left() * pxMm), std::lround(zone.top() * pxMm),
                 std::lround(zone.width() * pxMm), std::lround(zone.height() * pxMm));
  QImage mosaique(zp.width() * nh, zp.height() * nv, QImage::Format_RGB32);
  mosaique.fill(Qt::white);
  {
    QPainter p(&mosaique);
    int k = 0;
    for (int c = 0; c < nh; c++)
      for (int r = 0; r < nv; r++) {  // printed column by column
        QImage page(dir.filePath(pngs[k++]));
        ASSERT_FALSE(page.isNull());
        p.drawImage(QPoint(c * zp.width(), r * zp.height()), page.copy(zp));
      }
  }
  // ...match one drawing of the whole block at 1/20: 50 mm of paper per metre.
  QImage ref(mosaique.size(), QImage::Format_RGB32);
  ref.fill(Qt::white);
  {
    QPainter p(&ref);
    const double e = 50 * pxMm;
    const TConversionImp ci = VersImprimante(d.Bloc.Echelle, d.Bloc.OrigineBloc, d.Apercu, d.Pilote);
    const double k = e / ci.EchelleImp;
    d.DessineVue(
        p, e,
        {static_cast<int>(std::lround(ci.Origine.X * k)), static_cast<int>(std::lround(ci.Origine.Y * k))}, 2,
        true);
  }
  long encre = 0;
  for (int y = 0; y < ref.height(); y++)
    for (int x = 0; x < ref.width(); x++) encre += Encre(ref.pixel(x, y));
  ASSERT_GT(encre, 2000);
  // Page by page, so that one page out of place shows.
  for (int c = 0; c < nh; c++)
    for (int r = 0; r < nv; r++) {
      QRect tuile(c * zp.width(), r * zp.height(), zp.width(), zp.height());
      EXPECT_GT(Couverture(mosaique, ref, tuile), 0.9) << c << "," << r;
      EXPECT_GT(Couverture(ref, mosaique, tuile), 0.9) << c << "," << r;
    }
  mosaique.save(dir.filePath("mosaique.png"));
  if (qEnvironmentVariableIsSet("BRIVANE_GARDE_PDF")) {
    QFile::remove(qEnvironmentVariable("BRIVANE_GARDE_PDF"));
    QFile::copy(pdf, qEnvironmentVariable("BRIVANE_GARDE_PDF"));
    mosaique.save(qEnvironmentVariable("BRIVANE_GARDE_PDF") + ".png");
  }
}

TEST(ImprForm, ScreenAndFitGiveOnePageAndTheCustomScaleIsHeld) {
  FenetreTest t;
  t.F->OuvrirFichier("/bateaux/yacht.kvb", false, false);
  t.F->ActiveVue(tvProfil, false);
  TImprForm d(*t.F);
  d.RBToutesPages->setChecked(true);
  for (int i : {0, 1}) {
    d.CBEchelle->setCurrentIndex(i);
    EXPECT_TRUE(d.Valide) << i;
    EXPECT_EQ(d.Bloc.NbPages(), 1) << i;
  }
  d.EdEchelle->setText("0");
  Q_EMIT d.EdEchelle->editingFinished();
  EXPECT_EQ(d.EdEchelle->text(), "1");
  d.EdCopies->setText("250");
  Q_EMIT d.EdCopies->textEdited("250");
  EXPECT_EQ(d.EdCopies->text(), "100");
  EXPECT_EQ(d.Copies, 100);
  // A page beyond the block is the last one.
  d.CBEchelle->setCurrentIndex(7);  // 1 / 50
  d.EdPage->setText("999");
  Q_EMIT d.EdPage->editingFinished();
  EXPECT_EQ(d.Page, d.Bloc.NbPages());
  // The paper choice is kept in the store.
  d.CBPapier->setCurrentIndex(0);  // A3
  EXPECT_EQ(LitReglages(*OuvreMagasin()).Papier, TFormatPapier::A3);
  EXPECT_EQ(d.Papier.H, 297);
}

TEST(ImprForm, APaperOfAnotherSizeThanThePrintersIsWarnedOncePerChange) {
  FenetreTest t;
  t.F->OuvrirFichier("/bateaux/yacht.kvb", false, false);
  TImprForm d(*t.F);
  d.show();
  QApplication::processEvents();
  const std::string avert =
      "Attention : la taille de papier configurée semble différente de la taille du "
      "papier de l'imprimante";
  auto avertissements = [&] { return std::count(t.Messages.begin(), t.Messages.end(), avert); };
  // A PDF file takes any paper: nothing to warn about.
  ASSERT_FALSE(d.PapierImprimante.has_value());
  d.CBPapier->setCurrentIndex(0);
  EXPECT_EQ(avertissements(), 0);
  // A printer holding A4: A3 shares its proportion but not its size.
  d.PapierImprimante = std::pair{210.0, 297.0};
  d.CBPapier->setCurrentIndex(1);  // A4
  EXPECT_EQ(avertissements(), 0);
  d.CBPapier->setCurrentIndex(0);  // A3
  EXPECT_EQ(avertissements(), 1);
  d.CBPapier->setCurrentIndex(3);  // Letter US
  EXPECT_EQ(avertissements(), 2);
  // Turning the sheet is no change of paper; an A4 typed by hand matches.
  d.CBPapier->setCurrentIndex(1);
  d.RBPaysage->setChecked(true);
  d.EdPapierH->setText("297");
  d.EdPapierV->setText("210");
  Q_EMIT d.EdPapierH->editingFinished();
  EXPECT_EQ(avertissements(), 2);
}

TEST(PropFichForm, OkTakesTheFieldsCancelChangesNothing) {
  TDocument doc;
  doc.Proprietes.Titre = "Voilier";
  doc.Proprietes.Commentaire = {"premier", "second"};
  doc.MarqueEnregistre();
  {
    TPropFichForm f(doc);
    EXPECT_EQ(f.EdTitre->text(), "Voilier");
    EXPECT_EQ(f.MemoCommentaires->toPlainText(), "premier\nsecond");
    EXPECT_TRUE(f.LNomFichier->text().isEmpty());  // no file on disk
    f.EdTitre->setText("Autre");
    f.reject();
  }
  EXPECT_EQ(doc.Proprietes.Titre, "Voilier");
  EXPECT_FALSE(doc.Modifie);
  TPropFichForm f(doc);
  EXPECT_EQ(f.EdDate->maxLength(), 10);
  f.EdArchi->setText("Architecte naval");
  f.MemoCommentaires->setPlainText("une\ndeux\n");
  f.accept();
  EXPECT_EQ(doc.Proprietes.Archi, "Architecte naval");
  EXPECT_EQ(doc.Proprietes.Commentaire, (std::vector<std::string>{"une", "deux"}));
  EXPECT_TRUE(doc.Modifie);
}

TEST(Recuperation, PeriodicSaveKeepsTheStateAndIsOfferedAtTheNextStart) {
  const std::string recup = CheminRecuperationProgramme();
  ASSERT_TRUE(std::filesystem::path(recup).is_absolute());
  FinRecuperation();
  {
    FenetreTest t;
    t.F->OuvrirFichier("/bateaux/yacht.kvb", false, false);
    t.Doc().NomFichier = "/bateaux/yacht.kvb";
    EXPECT_FALSE(SauveRecuperation(*t.F));  // nothing modified: nothing written
    t.Doc().MarqueModifie();
    ASSERT_TRUE(SauveRecuperation(*t.F));
    EXPECT_TRUE(t.Doc().Modifie);
    EXPECT_EQ(t.Doc().NomFichier, "/bateaux/yacht.kvb");
    EXPECT_TRUE(std::filesystem::exists(recup));
  }
  {
    // The next start: the design's own file does not exist here, so the copy is newer.
    FenetreTest t;
    t.Disque.Fichiers[recup] = [](TDocument& d) { NouvelleSurface(d, "Recuperee", 1, {}); };
    t.Reponses = {mrYes};
    ASSERT_TRUE(OffreRecuperation(*t.F));
    EXPECT_EQ(t.Doc().Surf(0).Nom, "Recuperee");
    EXPECT_EQ(t.Doc().NomFichier, "/bateaux/yacht.kvb");
    EXPECT_TRUE(t.Doc().Modifie);
    // Saved: the copy goes, and is offered no more.
    ASSERT_TRUE(t.F->Enregistrer());
    EXPECT_FALSE(std::filesystem::exists(recup));
    EXPECT_FALSE(OffreRecuperation(*t.F));
  }
}

}  // namespace
