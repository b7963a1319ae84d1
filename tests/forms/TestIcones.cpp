// The pictograms of the bars and the user's guide as installed: every command with a
// button shows its own drawing at the bars' sizes, and "&Guide de l'utilisateur" opens
// the guide from next to the program or from the installed share folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <cstdlib>
#include <map>
#include <set>

#include "Fenetre.h"
#include "app/Guide.h"
#include "app/Icones.h"
#include "base/Chaines.h"
#include "ui/Registre.h"

namespace {

std::vector<TBouton> TousLesBoutons() {
  std::vector<TBouton> r = BoutonsEnregistres(TBarre::Standard);
  for (const TBouton& b : BoutonsEnregistres(TBarre::Boite)) r.push_back(b);
  return r;
}

// The share of pixels drawn, 0 to 1.
double Encre(const QImage& im) {
  int n = 0;
  for (int y = 0; y < im.height(); y++)
    for (int x = 0; x < im.width(); x++) n += qAlpha(im.pixel(x, y)) > 64;
  return static_cast<double>(n) / (im.width() * im.height());
}

TEST(Icons, EveryButtonShowsItsCommandsOwnPictogramAt16And24Pixels) {
  FenetreTest t;
  std::map<QByteArray, std::string> vus;  // picture at 24 pixels -> its command
  const std::vector<TBouton> boutons = TousLesBoutons();
  ASSERT_GE(boutons.size(), 56u);
  for (const TBouton& b : boutons) {
    SCOPED_TRACE(b.Nom);
    const TCommande* c = CommandeEnregistree(b.Commande);
    ASSERT_NE(c, nullptr);
    ASSERT_FALSE(c->Icone.empty()) << "no icon for " << b.Commande;
    QIcon icone = IconeSvg(QString::fromStdString(c->Icone));
    ASSERT_FALSE(icone.isNull()) << c->Icone << " is missing from the resources or unreadable";
    for (int taille : {16, 24}) {
      QImage im = icone.pixmap(taille, taille).toImage().convertToFormat(QImage::Format_ARGB32);
      ASSERT_EQ(im.size(), QSize(taille, taille));
      // Something legible: neither an empty square nor a filled one.
      EXPECT_GT(Encre(im), 0.06) << taille;
      EXPECT_LT(Encre(im), 0.85) << taille;
    }
    QImage im24 = icone.pixmap(24, 24).toImage().convertToFormat(QImage::Format_ARGB32);
    QByteArray cle(reinterpret_cast<const char*>(im24.constBits()), static_cast<int>(im24.sizeInBytes()));
    auto [it, nouveau] = vus.emplace(cle, b.Commande);
    EXPECT_TRUE(nouveau || it->second == b.Commande) << "same picture as " << it->second;
    // The built button shows that picture, not the letters standing in for a missing one.
    auto* bouton = t.F->findChild<QToolButton*>(QString::fromStdString(b.Nom));
    ASSERT_NE(bouton, nullptr);
    QImage montre = bouton->icon().pixmap(24, 24).toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(montre, im24);
    // The hints are kept (the zoom-mode button never had one).
    EXPECT_EQ(bouton->toolTip().isEmpty(), b.Nom == "SBZoomMode");
  }
  // A sheet of both sizes to look at: BRIVANE_PLANCHE=out.png.
  if (const char* sortie = std::getenv("BRIVANE_PLANCHE")) {
    const int n = static_cast<int>(boutons.size()), parLigne = 16;
    QImage planche(parLigne * 44 + 8, ((n + parLigne - 1) / parLigne) * 48 + 8, QImage::Format_ARGB32);
    planche.fill(QColor(239, 239, 239));
    QPainter p(&planche);
    for (int i = 0; i < n; i++) {
      QIcon ic = IconeSvg(
          QString::fromStdString(CommandeEnregistree(boutons[static_cast<size_t>(i)].Commande)->Icone));
      int x = 8 + (i % parLigne) * 44, y = 8 + (i / parLigne) * 48;
      p.drawPixmap(x, y, ic.pixmap(16, 16));
      p.drawPixmap(x + 18, y, ic.pixmap(24, 24));
    }
    p.end();
    planche.save(sortie);
  }
}

TEST(Icons, AnIconIsGivenOnlyToACommandThatShows) {
  // An icon line left behind by a renamed command would make a command of its own.
  std::set<std::string> boutons;
  for (const TBouton& b : TousLesBoutons()) boutons.insert(b.Commande);
  for (const TCommande& c : CommandesEnregistrees())
    if (!c.Icone.empty()) {
      EXPECT_TRUE(!c.Places.empty() || boutons.count(c.Nom)) << c.Nom;
    }
  EXPECT_FALSE(IconeSvg(":/icones/brivane.svg").isNull());
  EXPECT_TRUE(IconeSvg(":/icones/pas-dessinee.svg").isNull());
}

// A guide page written where the program will look.
void Page(const QString& chemin) {
  QDir().mkpath(QFileInfo(chemin).path());
  QFile f(chemin);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("<html></html>");
}

struct GuideOuvert {
  FenetreTest T;
  std::vector<QUrl> Ouverts;
  bool Reussit = true;
  GuideOuvert() {
    T.F->OuvreDocument = [this](const QUrl& u) {
      Ouverts.push_back(u);
      return Reussit;
    };
  }
  void Lance(const QString& dossierProgramme) {
    T.F->DossierProgramme = dossierProgramme;
    Ouverts.clear();
    T.Messages.clear();
    T.A("MeGuide")->trigger();
  }
};

TEST(Guide, TheHelpMenuOpensTheGuideInstalledInAScratchPrefix) {
  QTemporaryDir prefixe;
  ASSERT_TRUE(prefixe.isValid());
  std::string cmd = std::string("\"") + BRIVANE_CMAKE + "\" --install \"" + BRIVANE_BUILD_DIR +
                    "\" --prefix \"" + prefixe.path().toStdString() + "\" --component donnees > /dev/null";
  ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
  QString installe = prefixe.path() + "/share/brivane/Doc/index.html";
  ASSERT_TRUE(QFile::exists(installe));

  GuideOuvert g;
  g.Lance(prefixe.path() + "/bin");
  ASSERT_EQ(g.Ouverts.size(), 1u);
  EXPECT_EQ(QFileInfo(g.Ouverts[0].toLocalFile()).canonicalFilePath(),
            QFileInfo(installe).canonicalFilePath());
  EXPECT_TRUE(g.T.Messages.empty());

  // A guide next to the program comes first, "Doc/Brivane.html" when it has no index.
  Page(prefixe.path() + "/bin/Doc/Brivane.html");
  g.Lance(prefixe.path() + "/bin");
  ASSERT_EQ(g.Ouverts.size(), 1u);
  EXPECT_EQ(g.Ouverts[0].toLocalFile(), prefixe.path() + "/bin/Doc/Brivane.html");
  Page(prefixe.path() + "/bin/Doc/index.html");
  g.Lance(prefixe.path() + "/bin");
  EXPECT_EQ(g.Ouverts[0].toLocalFile(), prefixe.path() + "/bin/Doc/index.html");

  // A desktop with no browser says so.
  g.Reussit = false;
  g.Lance(prefixe.path() + "/bin");
  ASSERT_EQ(g.T.Messages.size(), 1u);
  EXPECT_EQ(g.T.Messages[0], rs("rsErrNavigateur"));
}

TEST(Guide, NoGuideAnywhereNamesTheLastPlaceTried) {
  QTemporaryDir vide;
  GuideOuvert g;
  g.Lance(vide.path() + "/bin");
  EXPECT_TRUE(g.Ouverts.empty());
  ASSERT_EQ(g.T.Messages.size(), 1u);
  std::string dernier = QDir::cleanPath(vide.path() + "/share/brivane/Doc/Brivane.html").toStdString();
  EXPECT_EQ(g.T.Messages[0], Format(rs("rsFichierIntrouvable"), dernier.c_str()));
  EXPECT_EQ(CheminsGuide((vide.path() + "/bin").toStdString()).back(), dernier);
}

}  // namespace
