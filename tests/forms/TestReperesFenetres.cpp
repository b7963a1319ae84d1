// Marks, flooding points, measures and dimensions in the main window: the mouse in the
// views (simulated presses, drags and releases), the list windows, the import and the
// dimensions list.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>

#include "Aide.h"
#include "Fenetre.h"
#include "edition/forms/CotesForm.h"
#include "edition/forms/OutilsMesure.h"
#include "naval/forms/ReperesForm.h"

namespace {

void Souris(QWidget& w, QEvent::Type t, QPoint p, Qt::KeyboardModifiers m = Qt::NoModifier) {
  const Qt::MouseButtons enfonces = t == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
  const Qt::MouseButton bouton = t == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent e(t, QPointF(p), w.mapToGlobal(QPointF(p)), bouton, enfonces, m);
  QApplication::sendEvent(&w, &e);
}

// Press, drag half way and to the end, release.
void Geste(QWidget& w, QPoint a, QPoint b, Qt::KeyboardModifiers m = Qt::NoModifier) {
  Souris(w, QEvent::MouseButtonPress, a, m);
  Souris(w, QEvent::MouseMove, (a + b) / 2, m);
  Souris(w, QEvent::MouseMove, b, m);
  Souris(w, QEvent::MouseButtonRelease, b, m);
}

struct Mesures : FenetreTest {
  Mesures() {
    for (int t : {tvSection, tvPlan, tvProfil}) Vue(t).Cadrage.Param.Echelle = 50;
  }
  QString Statut() const { return F->Panneau(3)->text(); }
};

TEST(MesuresVues, DistanceInThePlanViewAndShiftKeepsTheMode) {
  Mesures t;
  t.A("MeMesMetre")->trigger();
  ASSERT_TRUE(t.A("MeMesMetre")->isChecked());
  TFormFille& plan = t.Vue(tvPlan);
  Souris(plan, QEvent::MouseButtonPress, {100, 120});
  Souris(plan, QEvent::MouseMove, {150, 120});
  EXPECT_EQ(t.Statut(), "Mesure :1.000 m") << "the rubber band's value while dragging";
  Souris(plan, QEvent::MouseMove, {200, 120});
  Souris(plan, QEvent::MouseButtonRelease, {200, 120});
  EXPECT_EQ(t.Statut(), "Mesure :2.000 m");
  EXPECT_FALSE(t.A("MeMesMetre")->isChecked()) << "one use without Shift";
  EXPECT_TRUE(t.Doc().ListeCotes.empty()) << "a measure is not kept";
  EXPECT_FALSE(t.Doc().Modifie);
  // The measure shows until the next click in a view.
  EXPECT_TRUE(TOutilsMesure::De(*t.F).Affiche);
  Souris(plan, QEvent::MouseButtonPress, {10, 10});
  Souris(plan, QEvent::MouseButtonRelease, {10, 10});
  EXPECT_FALSE(TOutilsMesure::De(*t.F).Affiche);
  EXPECT_EQ(t.Statut(), "");
  // Shift at the release keeps the tool for another measure, here a 3-4-5 diagonal.
  t.A("MeMesRayon")->trigger();
  Geste(plan, {100, 100}, {250, 300}, Qt::ShiftModifier);
  EXPECT_EQ(t.Statut(), "Mesure :5.000 m");
  EXPECT_TRUE(t.A("MeMesRayon")->isChecked());
  // Turning the mode off by its command clears the status text.
  t.A("MeMesRayon")->trigger();
  EXPECT_EQ(t.Statut(), "");
}

TEST(MesuresVues, RightAngleInTwoGesturesAndItsReset) {
  Mesures t;
  TFormFille& v = t.Vue(tvProfil);
  t.A("MeMesAngle")->trigger();
  Geste(v, {300, 150}, {200, 150});  // first arm, dragged to the apex
  EXPECT_TRUE(t.A("MeMesAngle")->isChecked());
  Geste(v, {200, 150}, {200, 50});  // second arm, upwards
  EXPECT_EQ(t.Statut(), QString::fromUtf8("Mesure :90.00 °"));
  EXPECT_FALSE(t.A("MeMesAngle")->isChecked());

  // Half an angle, then another mode and back: the next press starts a new angle.
  TOutilsMesure& o = TOutilsMesure::De(*t.F);
  t.A("MeMesAngle")->trigger();
  Geste(v, {300, 150}, {200, 150});
  ASSERT_EQ(o.Geste.Etat, TGesteMesure::EnCours);
  ASSERT_EQ(o.Geste.M.Etape, 2);
  t.A("MeMesRayon")->trigger();
  EXPECT_EQ(o.Geste.Etat, TGesteMesure::Libre);
  t.A("MeMesAngle")->trigger();
  Souris(v, QEvent::MouseButtonPress, {120, 100});
  EXPECT_EQ(o.Geste.M.Etape, 1);
  EXPECT_EQ(o.Geste.M.Point2, o.Geste.M.Point1) << "a new first arm, not the old apex";
  Souris(v, QEvent::MouseButtonRelease, {120, 100});
  // Half an angle, then the document closes.
  Geste(v, {300, 150}, {200, 150});
  ASSERT_EQ(o.Geste.Etat, TGesteMesure::EnCours);
  ASSERT_TRUE(t.F->Fermer());
  EXPECT_EQ(o.Geste.Etat, TGesteMesure::Libre);
  EXPECT_EQ(t.Statut(), "");
}

TEST(MesuresVues, RefusedInThePerspectiveView) {
  Mesures t;
  for (const char* mode : {"MeMesMetre", "MeCotAngle"}) {
    t.Messages.clear();
    t.A(mode)->trigger();
    Geste(t.Vue(tvPersp), {100, 100}, {200, 100});
    EXPECT_TRUE(t.A_Vu("Les mesures ne sont pas possibles dans la vue en perspective")) << mode;
    EXPECT_EQ(t.Statut(), "") << mode;
    EXPECT_TRUE(t.Doc().ListeCotes.empty());
    t.A(mode)->setChecked(false);
  }
}

TEST(MesuresVues, ADimensionJoinsTheDocumentAndItsList) {
  Mesures t;
  TFormFille& plan = t.Vue(tvPlan);
  t.A("MeCotMetre")->trigger();
  Souris(plan, QEvent::MouseButtonPress, {100, 120});
  Souris(plan, QEvent::MouseMove, {200, 120});
  EXPECT_EQ(t.Statut(), "Mesure :2.000 m") << "shown while it is placed";
  Souris(plan, QEvent::MouseButtonRelease, {200, 120});
  ASSERT_EQ(t.Doc().ListeCotes.size(), 1u);
  const TCote& c = t.Doc().ListeCotes[0];
  EXPECT_EQ(c.Genre, "Mètre");
  EXPECT_EQ(c.Texte, "2.000 m");
  EXPECT_EQ(c.Outil.Vue, tvPlan);
  EXPECT_TRUE(t.Doc().Modifie);
  EXPECT_EQ(t.Statut(), "") << "only while it is placed";
  EXPECT_FALSE(t.A("MeCotMetre")->isChecked());
  // Drawn in the plan view's own image list, not in the profile view's.
  QApplication::processEvents();
  auto a_texte = [](const TFormFille& v, const std::string& s) {
    return std::find(v.Liste().Textes.begin(), v.Liste().Textes.end(), s) != v.Liste().Textes.end();
  };
  EXPECT_TRUE(a_texte(plan, "2.000 m"));
  EXPECT_FALSE(a_texte(t.Vue(tvProfil), "2.000 m"));
  // A radius in the profile view, then the list: numbered rows with their view's name.
  t.A("MeCotRayon")->trigger();
  Geste(t.Vue(tvProfil), {100, 100}, {100, 150});
  ASSERT_EQ(t.Doc().ListeCotes.size(), 2u);
  TCotesForm f(t.Doc());
  ASSERT_EQ(f.Grille->rowCount(), 2);
  EXPECT_EQ(f.Grille->item(1, 0)->text(), "2");
  EXPECT_EQ(f.Grille->item(1, 1)->text(), "Rayon");
  EXPECT_EQ(f.Grille->item(1, 2)->text(), "1.000 m");
  EXPECT_EQ(f.Grille->item(1, 3)->text(), "Profil");
  EXPECT_EQ(f.Grille->item(0, 3)->text(), "Plan");
  // Deleting the first moves the second up; deleting the last leaves one empty row.
  t.Doc().Modifie = false;
  f.Grille->setCurrentCell(0, 1);
  ASSERT_TRUE(f.Supprimer());
  EXPECT_TRUE(t.Doc().Modifie);
  ASSERT_EQ(t.Doc().ListeCotes.size(), 1u);
  EXPECT_EQ(t.Doc().ListeCotes[0].Genre, "Rayon");
  EXPECT_EQ(f.Grille->item(0, 3)->text(), "Profil");
  f.Grille->setCurrentCell(0, 1);
  ASSERT_TRUE(f.Supprimer());
  EXPECT_EQ(f.Grille->rowCount(), 1);
  EXPECT_TRUE(f.Grille->item(0, 1)->text().isEmpty());
  f.Grille->setCurrentCell(0, 1);
  EXPECT_FALSE(f.Supprimer()) << "nothing left to delete";
}

TEST(ReperesFenetres, AClickInTheMarkModeOpensTheDialogThere) {
  Mesures t;
  t.A("MeAjoutRepere")->trigger();
  TFormFille& plan = t.Vue(tvPlan);
  const TVertex3f attendu = CalculePt3DInv(plan.Cadrage.Param, 150, 130, 0);
  QString x, z;
  QTimer::singleShot(0, [&] {
    auto* d = dynamic_cast<TDefReperesForm*>(QApplication::activeModalWidget());
    ASSERT_NE(d, nullptr);
    x = d->EdX->text(), z = d->EdZ->text();
    d->EdNom->setText("Cadène");
    d->EdY->setText("");
    d->Valider();  // refused: Y is empty, the dialog stays
    d->EdY->setText("2.5");
    d->Valider();
  });
  Souris(plan, QEvent::MouseButtonPress, {150, 130});
  Souris(plan, QEvent::MouseButtonRelease, {150, 130});
  EXPECT_EQ(x, QString::asprintf("%.4f", attendu.X));
  EXPECT_EQ(z, "0.0000") << "depth 0 of the plan view";
  EXPECT_TRUE(t.A_Vu("Les champs X, Y et Z doivent être renseignés !"));
  ASSERT_EQ(t.Doc().ListeReperes.size(), 1u);
  EXPECT_EQ(t.Doc().ListeReperes[0].Nom, "Cadène");
  EXPECT_DOUBLE_EQ(t.Doc().ListeReperes[0].Y, 2.5);
  EXPECT_TRUE(t.Doc().Modifie);
  EXPECT_FALSE(t.A("MeAjoutRepere")->isChecked());
}

TEST(ReperesFenetres, TheListWindowEditsACopyUntilOk) {
  FenetreTest t;
  t.Doc().ListeReperes = {{"A", 1, 2, 3}, {"B", 4, 5, 6}};
  TReperesForm f(t.Doc());
  ASSERT_EQ(f.Grille->rowCount(), 2);
  EXPECT_EQ(f.Grille->item(1, 0)->text(), "2");
  EXPECT_EQ(f.Grille->item(1, 2)->text(), "4.0000");
  EXPECT_FALSE(f.Grille->item(0, 0)->flags() & Qt::ItemIsEditable) << "the number column is fixed";
  ASSERT_EQ(f.Ajouter(), "");
  ASSERT_EQ(f.Grille->rowCount(), 3);
  // A row with a bad cell: neither "&Ajouter" nor "&OK" go through, the list is as it was.
  f.Grille->item(2, 2)->setText("7"), f.Grille->item(2, 3)->setText("huit"),
      f.Grille->item(2, 4)->setText("9");
  EXPECT_NE(f.Ajouter(), "");
  EXPECT_NE(f.Valider(), "");
  EXPECT_EQ(t.Doc().ListeReperes.size(), 2u);
  EXPECT_FALSE(t.Doc().Modifie);
  f.Grille->item(2, 3)->setText("8");
  // Delete "A": the rows below move up.
  f.Grille->setCurrentCell(0, 1);
  f.Supprimer();
  ASSERT_EQ(f.Grille->rowCount(), 2);
  EXPECT_EQ(f.Grille->item(0, 1)->text(), "B");
  EXPECT_EQ(f.Grille->item(0, 0)->text(), "1");
  EXPECT_EQ(f.Valider(), "");
  EXPECT_EQ(t.Doc().ListeReperes, (TListeReperes{{"B", 4, 5, 6}, {"", 7, 8, 9}})) << "an empty name is kept";
  EXPECT_TRUE(t.Doc().Modifie);

  // The flooding points' window works on its own list; an empty one opens on one empty
  // row, and "&OK" with it untouched keeps the list empty and marks the document modified.
  t.Doc().Modifie = false;
  TEnvahissementForm e(t.Doc());
  ASSERT_EQ(e.Grille->rowCount(), 1);
  EXPECT_EQ(e.Valider(), "");
  EXPECT_TRUE(t.Doc().ListeReperesEnv.empty());
  EXPECT_TRUE(t.Doc().Modifie);
  TEnvahissementForm e2(t.Doc());
  e2.Grille->item(0, 1)->setText("Hublot"), e2.Grille->item(0, 2)->setText("0.5");
  e2.Grille->item(0, 3)->setText("3"), e2.Grille->item(0, 4)->setText("0.75");
  EXPECT_EQ(e2.Valider(), "");
  ASSERT_EQ(t.Doc().ListeReperesEnv.size(), 1u);
  EXPECT_EQ(t.Doc().ListeReperesEnv[0], (TRepereEnv{{"Hublot", 0.5, 3, 0.75}}));
  EXPECT_EQ(t.Doc().ListeReperes.size(), 2u);
}

TEST(ReperesFenetres, ImportAllOrNothing) {
  FenetreTest t;
  QTemporaryDir dir;
  auto ecrit = [&](const char* nom, const QByteArray& contenu) {
    QFile f(dir.filePath(nom));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(contenu);
    return dir.filePath(nom).toStdString();
  };
  TImportRepForm f(t.Doc());
  EXPECT_EQ(f.LblLigne->text(), "X;Y;Z;");
  f.CBNom->setChecked(true);
  f.Ordres[ovYZX]->setChecked(true);
  EXPECT_EQ(f.LblLigne->text(), QString::fromUtf8("Nom_Repère;Y;Z;X;"));
  f.Ordres[ovXYZ]->setChecked(true);
  // A single-byte file, as the program's own, with a trailing empty line.
  EXPECT_EQ(f.Importer(ecrit("bon.txt", "M\xe2t;1,5;2.25;3\r\n\r\n")), "");
  ASSERT_EQ(t.Doc().ListeReperes.size(), 1u);
  EXPECT_EQ(t.Doc().ListeReperes[0], (TRepere{"Mât", 1.5, 2.25, 3}));
  EXPECT_TRUE(t.Doc().Modifie);
  // A bad second line: its number and text in the message, nothing imported.
  t.Doc().Modifie = false;
  TImportRepForm g(t.Doc());
  const std::string e = g.Importer(ecrit("mauvais.txt", "1;2;3\nx;y;z\n4;5;6\n"));
  EXPECT_NE(e.find("Erreur de lecture du fichier d'import"), std::string::npos) << e;
  EXPECT_NE(e.find("2"), std::string::npos) << e;
  EXPECT_NE(e.find("x;y;z"), std::string::npos) << e;
  EXPECT_TRUE(t.A_Vu(e));
  EXPECT_EQ(t.Doc().ListeReperes.size(), 1u);
  EXPECT_FALSE(t.Doc().Modifie);
  // Only blank lines: nothing added, nothing modified; a missing file is an error.
  TImportRepForm h(t.Doc());
  EXPECT_EQ(h.Importer(ecrit("vide.txt", "\n  \n")), "");
  EXPECT_FALSE(t.Doc().Modifie);
  EXPECT_NE(h.Importer(dir.filePath("absent.txt").toStdString()), "");
  // "&OK" with the file choice cancelled imports nothing.
  TImportRepForm k(t.Doc());
  k.ChoisitFichier = [] { return QString(); };
  k.Ok();
  EXPECT_EQ(t.Doc().ListeReperes.size(), 1u);
}

// Only a regular file is imported: a FIFO or a device would block or never end.
TEST(ReperesFenetres, ImportReadsOnlyRegularFiles) {
  FenetreTest t;
  QTemporaryDir dir;
  FifoSansEcrivain fifo(dir.filePath("tube.txt").toStdString());
  ASSERT_TRUE(fifo.Cree);
  for (const std::string& chemin : {fifo.Chemin, std::string("/dev/null")}) {
    t.Messages.clear();
    TImportRepForm f(t.Doc());
    const std::string e = f.Importer(chemin);
    EXPECT_NE(e.find(chemin + " n'est pas un fichier ordinaire"), std::string::npos) << e;
    EXPECT_TRUE(t.A_Vu(e));
  }
  EXPECT_EQ(fifo.Liberations, 0);
  EXPECT_TRUE(t.Doc().ListeReperes.empty());
  EXPECT_FALSE(t.Doc().Modifie);
}

}  // namespace
