// The calculation windows on the samples: each shows the numbers brivane-cli gives
// for the same inputs, refuses bad input with its message, stops cleanly, saves the
// lines of its report and prints them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTableWidget>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "base/Chaines.h"
#include "base/Services.h"
#include "document/GestFich.h"
#include "lines/Grille.h"
#include "lines/forms/TabCotesForm.h"
#include "naval/Face.h"
#include "naval/forms/HydrostatForm.h"
#include "naval/forms/PoidsForm.h"
#include "naval/forms/StabForm.h"
#include "session/ObjCom.h"
#include "ui/Graphe.h"
#include "ui/Rapport.h"

namespace {

std::string Cli(const std::string& args) {
  std::string r;
  FILE* f = popen((std::string(BRIVANE_CLI) + " " + args + " 2>/dev/null").c_str(), "r");
  if (!f) return r;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, f)) > 0) r.append(buf, n);
  pclose(f);
  return r;
}

std::string Echantillon(const char* nom) { return std::string(BRIVANE_SAMPLES) + "/" + nom; }

std::string LitTout(const std::string& chemin) {
  std::ifstream f(chemin, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

double Nombre(const QTableWidget* t, int l, int c) {
  const QTableWidgetItem* it = t->item(l, c);
  return it ? it->text().toDouble() : std::nan("");
}

class Fenetres : public ::testing::Test {
 protected:
  void SetUp() override {
    Services().AfficheMessage = [this](const std::string& t, int, int b) {
      Messages.push_back(t);
      return Reponse ? Reponse : ReponseParDefaut(b);
    };
    Dossier = std::filesystem::temp_directory_path() /
              ("brivane_calc_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(Dossier);
  }
  void TearDown() override {
    RestaureServicesDefaut();
    ImprimanteRapport = nullptr;
    ChoixFichierRapport = nullptr;
    std::filesystem::remove_all(Dossier);
  }
  void Ouvre(TDocument& doc, const char* nom) { ASSERT_TRUE(OuvrirFichier(doc, Echantillon(nom))); }
  // Prints through the window's own button path onto a PDF; gives the page count.
  int PagesPdf(const std::function<void()>& imprime) {
    const std::string pdf = (Dossier / "rapport.pdf").string();
    QPrinter p(QPrinter::HighResolution);
    p.setOutputFormat(QPrinter::PdfFormat);
    p.setOutputFileName(QString::fromStdString(pdf));
    p.setPageSize(QPageSize(QPageSize::A4));
    ImprimanteRapport = &p;
    imprime();
    ImprimanteRapport = nullptr;
    // The PDF's page tree says how many pages it holds.
    const std::string s = LitTout(pdf);
    int pages = 0;
    for (size_t k = s.find("/Type /Page"); k != std::string::npos; k = s.find("/Type /Page", k + 1))
      if (s.compare(k, 12, "/Type /Pages") != 0) pages++;
    return pages;
  }
  std::vector<std::string> Messages;
  int Reponse = 0;
  std::filesystem::path Dossier;
};

// --- Hydrostatics ---------------------------------------------------------------

TEST_F(Fenetres, HydrostatiqueMontreLesNombresDeLaLigneDeCommande) {
  for (const char* nom : {"Voilier11.kvb", "Vedette85.kvb"}) {
    SCOPED_TRACE(nom);
    TDocument doc;
    Ouvre(doc, nom);
    THydrostatForm f(doc);
    EXPECT_EQ(f.Liste->selectedItems().size(), f.Liste->count());
    EXPECT_EQ(f.NbCouples->value(), 2 * doc.Precision + 1);
    EXPECT_FALSE(f.BtnEnregistrer->isEnabled());
    f.BtnCalculerClick();
    EXPECT_TRUE(f.BtnEnregistrer->isEnabled());
    auto j = nlohmann::json::parse(Cli("hydro --json --curve " + Echantillon(nom)));
    // Every value row of the CLI is in the grid, in order, with its value to the fourth decimal.
    int ligne = 0, compares = 0;
    for (const auto& r : j["rows"]) {
      const QString lib = QString::fromStdString(r["label"].get<std::string>());
      while (ligne < f.Grille->rowCount() && f.Grille->item(ligne, 0)->text() != lib) ligne++;
      ASSERT_LT(ligne, f.Grille->rowCount()) << lib.toStdString();
      EXPECT_NEAR(Nombre(f.Grille, ligne, 1), r["value"].get<double>(), 1e-4) << lib.toStdString();
      ligne++, compares++;
    }
    EXPECT_GT(compares, 25);
    // The curve of areas is the CLI's, point for point.
    ASSERT_EQ(f.Courbe->NbSeries(), 1);
    ASSERT_EQ(f.Courbe->Serie(0).size(), j["curve"].size());
    for (size_t i = 0; i < j["curve"].size(); i++) {
      EXPECT_NEAR(f.Courbe->Serie(0)[i].first, j["curve"][i][0].get<double>(), 1e-6);
      EXPECT_NEAR(f.Courbe->Serie(0)[i].second, j["curve"][i][1].get<double>(), 1e-6);
    }
    EXPECT_EQ(f.Courbe->Titre(), "Courbe des aires");
    EXPECT_EQ(f.Courbe->TitreX(), "Longueur [m]");
    EXPECT_EQ(f.Courbe->TitreY(), QString::fromUtf8("Aire [m²]"));
  }
}

TEST_F(Fenetres, HydrostatiqueEnregistreImprimeEtCopie) {
  TDocument doc;
  Ouvre(doc, "Voilier11.kvb");
  THydrostatForm f(doc);
  f.BtnCalculerClick();
  const std::string chemin = (Dossier / "hydro.txt").string();
  ASSERT_TRUE(f.Enregistre(chemin));
  const std::string t = LitTout(chemin);
  // The heading, the properties, then a rule before each heading row; single-byte text, CR LF.
  const std::string debut =
      "Brivane - Calculs hydrostatiques\r\nSloop de croisi\xe8re 11 m\r\n"
      "Bureau d'\xe9tudes Brivane\r\n1\r\n2024\r\n\r\n" +
      std::string(32, '_') +
      "\r\n\r\nCar\xe8ne immerg\xe9"
      "e\t\r\nVolume immerg\xe9 [m3]\t";
  EXPECT_EQ(t.substr(0, debut.size()), debut);
  const double v = f.Resultats().Lignes[1].Valeur;
  EXPECT_EQ(t.substr(debut.size(), t.find("\r\n", debut.size()) - debut.size()),
            QString::asprintf("%.4f", v).toStdString());
  EXPECT_EQ(t.substr(t.size() - 4), "\r\n\r\n");  // one last empty line

  // Ctrl+C in the grid: the selected rows as label, tab, value, carriage return.
  f.Grille->clearSelection();
  f.Grille->selectRow(1);
  f.Grille->setFocus();
  QKeyEvent ctrlc(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
  QApplication::sendEvent(f.Grille, &ctrlc);
  EXPECT_EQ(QApplication::clipboard()->text(),
            QString::fromUtf8("Volume immergé [m3]\t") + QString::asprintf("%.4f", v) + "\r");

  // About 75 lines with the rules and blank lines, in 12 and 10 points: two A4 pages.
  EXPECT_EQ(PagesPdf([&] { f.BtnImprimer->click(); }), 2);
}

TEST_F(Fenetres, HydrostatiqueSansSurfaceDonneDesZeros) {
  TDocument doc;
  Ouvre(doc, "Voilier11.kvb");
  THydrostatForm f(doc);
  f.SelectionneTout(false);
  f.BtnCalculerClick();
  int valeurs = 0;
  for (int i = 0; i < f.Grille->rowCount(); i++)
    if (!f.Grille->item(i, 1)->text().isEmpty()) {
      EXPECT_EQ(Nombre(f.Grille, i, 1), 0.0) << f.Grille->item(i, 0)->text().toStdString();
      valeurs++;
    }
  EXPECT_GT(valeurs, 20);
  EXPECT_TRUE(f.Courbe->Serie(0).empty());
}

TEST_F(Fenetres, TableHydrostatiqueSuitLeCalculDuNoyau) {
  TDocument doc;
  Ouvre(doc, "Voilier11.kvb");
  THydrostatForm f(doc);
  f.EdZ0->setText("-0.4");
  f.EdZ1->setText("0.1");
  f.EdNbLignes->setText("6");
  ASSERT_EQ(f.CalculeTable(), "");
  ASSERT_EQ(f.GrilleTable->rowCount(), 6);
  // The line at Z = 0 is the hull at its waterline: its displacement is the particulars'.
  f.BtnCalculerClick();
  int dep = -1;
  for (int c = 0; c < f.GrilleTable->columnCount(); c++)
    if (f.GrilleTable->horizontalHeaderItem(c)->text().startsWith(QString::fromUtf8("Déplacement"))) dep = c;
  ASSERT_GE(dep, 0);
  double v0 = 0;
  for (const auto& l : f.Resultats().Lignes)
    if (l.Libelle == "Volume immergé [m3]" && v0 == 0)
      v0 = l.Valeur;  // the whole scope's, not the canoe body's
  EXPECT_NEAR(Nombre(f.GrilleTable, 4, 0), 0.0, 1e-9);
  EXPECT_NEAR(Nombre(f.GrilleTable, 4, dep), v0 * 1026, 0.01 * v0 * 1026);
  // Displacement grows with the waterline.
  for (int i = 1; i < 6; i++) EXPECT_GT(Nombre(f.GrilleTable, i, dep), Nombre(f.GrilleTable, i - 1, dep));
  // A range upside down is refused with a message and leaves the table.
  Messages.clear();
  f.EdZ1->setText("-0.5");
  EXPECT_NE(f.CalculeTable(), "");
  EXPECT_EQ(Messages.size(), 1u);
  EXPECT_EQ(f.GrilleTable->rowCount(), 6);
}

// --- Stability -----------------------------------------------------------------

TEST_F(Fenetres, StabiliteMontreLesNombresDeLaLigneDeCommande) {
  TDocument doc;
  Ouvre(doc, "Voilier11.kvb");
  TStabForm f(doc);
  f.EdAngleMax->setText("90");
  f.EdPas->setText("15");
  ASSERT_EQ(f.Calculer(), "");
  auto j = nlohmann::json::parse(Cli("stab --json --max 90 --step 15 " + Echantillon("Voilier11.kvb")));
  ASSERT_EQ(f.Mesures->rowCount(), static_cast<int>(j["steps"].size()));
  ASSERT_EQ(f.Mesures->rowCount(), 7);
  for (int i = 0; i < f.Mesures->rowCount(); i++) {
    const auto& s = j["steps"][static_cast<size_t>(i)];
    for (int c = 0; c < f.Mesures->columnCount(); c++) {
      const std::string col = f.Mesures->horizontalHeaderItem(c)->text().toStdString();
      ASSERT_TRUE(s.contains(col)) << col;
      EXPECT_NEAR(Nombre(f.Mesures, i, c), s[col].get<double>(), c < 2 ? 0.006 : 6e-5)
          << col << " step " << i;
    }
  }
  // The GZ curve is (heel, GZ) of the same steps; the synthesis is the CLI's.
  // The curve, then the GM tangent at the origin.
  ASSERT_EQ(f.CourbeGZ->NbSeries(), 2);
  EXPECT_NEAR(f.CourbeGZ->Serie(0)[3].second, j["steps"][3]["GZ"].get<double>(), 1e-9);
  EXPECT_EQ(f.CourbeGZ->TitreY(), "GZ [m]");
  EXPECT_EQ(f.CourbeGZ->TitreX(), QString::fromUtf8("Angle [°]"));
  // The last row, the heeling side, is the JSON's "side".
  std::vector<double> synth;
  // The criteria's block follows the side; the command line's synthesis stops before them.
  int fin = f.Synth->rowCount();
  for (int i = 0; i < f.Synth->rowCount(); i++)
    if (f.Synth->item(i, 0)->text().toStdString() == rs("rsStabSynCriteres")) fin = std::min(fin, i);
  for (int i = 0; i + 1 < fin; i++)
    if (!f.Synth->item(i, 1)->text().isEmpty()) synth.push_back(Nombre(f.Synth, i, 1));
  ASSERT_EQ(synth.size(), j["synthesis"].size());
  for (size_t i = 0; i < synth.size(); i++)
    EXPECT_NEAR(synth[i], j["synthesis"][i]["value"].get<double>(), 1e-3);
  EXPECT_EQ(f.Synth->item(fin - 1, 1)->text().toStdString(), j["side"].get<std::string>());
  // The righting moment is GZ times the weight and g.
  f.RBMoment->setChecked(true);
  // Tens of thousands of newton-metres read in kilonewton-metres.
  EXPECT_EQ(f.CourbeGZ->TitreY(), "Moment d'inertie RM [kN.m]");
  EXPECT_NEAR(f.CourbeGZ->Serie(0)[3].second, j["steps"][3]["GZ"].get<double>() * f.Stab.Poids.Valeur * 9.806,
              1e-6);
}

// The cross curves and the criteria pages: the CLI's numbers for the same inputs, and two
// figures checked by hand (KN upright is zero on a symmetric hull; the areas are trapezoids).
TEST_F(Fenetres, StabiliteCourbesKNEtCriteresCommeLaLigneDeCommande) {
  TDocument doc;
  Ouvre(doc, "Voilier11.kvb");
  TStabForm f(doc);
  const double d0 = f.Stab.CarInitiale.Valeur;
  const std::string deps = Format("%.1f,%.1f", 0.8 * d0, 1.1 * d0);
  Messages.clear();
  f.EdKNDeplacements->setText("");
  EXPECT_NE(f.CalculerKN(), "");
  f.EdKNDeplacements->setText("1000, -3");
  EXPECT_EQ(f.CalculerKN(), Format("« %s » n'est pas un déplacement en kg supérieur à 0", "-3"));
  EXPECT_EQ(Messages.size(), 2u);
  EXPECT_EQ(f.TableKN->rowCount(), 0) << "a refused input computes nothing";
  f.EdKNDeplacements->setText(QString::fromStdString(deps));
  f.EdKNAngleMax->setText("60");
  f.EdKNPas->setText("20");
  ASSERT_EQ(f.CalculerKN(), "");
  auto j = nlohmann::json::parse(
      Cli("kn --json --displacements " + deps + " --heels 0:60:20 " + Echantillon("Voilier11.kvb")));
  ASSERT_EQ(f.TableKN->rowCount(), 2);
  ASSERT_EQ(f.TableKN->columnCount(), 2 + 4);
  ASSERT_EQ(f.CourbeKN->NbSeries(), 2);
  EXPECT_EQ(f.CourbeKN->TitreY(), "KN [m]");
  for (int i = 0; i < 2; i++) {
    const auto& c = j["curves"][static_cast<size_t>(i)];
    EXPECT_NEAR(Nombre(f.TableKN, i, 0), c["displacement"].get<double>(), 0.06);
    EXPECT_NEAR(Nombre(f.TableKN, i, 1), c["lcg"].get<double>(), 6e-5);
    for (int h = 0; h < 4; h++) {
      const auto& p = c["points"][static_cast<size_t>(h)];
      ASSERT_TRUE(p["converged"].get<bool>());
      EXPECT_NEAR(Nombre(f.TableKN, i, 2 + h), p["kn"].get<double>(), 6e-5) << i << " " << h;
      EXPECT_NEAR(f.CourbeKN->Serie(i)[static_cast<size_t>(h)].second, p["kn"].get<double>(), 1e-9);
    }
    EXPECT_NEAR(Nombre(f.TableKN, i, 2), 0.0, 1e-3) << "no arm upright";
    EXPECT_GT(Nombre(f.TableKN, i, 4), Nombre(f.TableKN, i, 3)) << "the arm grows from 20 to 40 degrees";
  }

  f.EdAngleMax->setText("60");
  f.EdPas->setText("5");
  ASSERT_EQ(f.Calculer(), "");
  auto s =
      nlohmann::json::parse(Cli("stab --json --criteria --max 60 --step 5 " + Echantillon("Voilier11.kvb")));
  const auto& cr = s["criteria"];
  ASSERT_EQ(f.Criteres->rowCount(), static_cast<int>(cr.size()));
  for (int i = 0; i < f.Criteres->rowCount(); i++) {
    const auto& c = cr[static_cast<size_t>(i)];
    EXPECT_EQ(f.Criteres->item(i, 0)->text().toStdString(), c["label"].get<std::string>());
    EXPECT_NEAR(Nombre(f.Criteres, i, 1), c["required"].get<double>(), 5e-4);
    ASSERT_FALSE(c["attained"].is_null()) << i;
    EXPECT_NEAR(Nombre(f.Criteres, i, 2), c["attained"].get<double>(), 6e-5) << i;
    const bool passe = c["pass"].get<bool>();
    EXPECT_EQ(f.Criteres->item(i, 3)->text(), passe ? "Satisfait" : "Non satisfait");
    const QColor fond = f.Criteres->item(i, 3)->background().color();
    EXPECT_EQ(fond.green() > fond.red(), passe) << "green passes, red fails";
  }
  // The areas by trapezoids over a plain sweep by half degrees, in metre-radians: the criteria
  // do not take the 5-degree steps shown.
  TStab fin = f.Stab;
  fin.Conditions.Pas = 0.5;
  fin.Conditions.TolEnfoncement = 1e-6;
  ASSERT_EQ(fin.CalcStab(), "");
  auto aire = [&](double a, double b) {
    double r = 0;
    for (size_t k = 1; k < fin.Etapes.size(); k++) {
      const TGZ &p = fin.Etapes[k - 1], &q = fin.Etapes[k];
      if (p.Gite >= a - 1e-9 && q.Gite <= b + 1e-9)
        r += (q.Gite - p.Gite) * (M_PI / 180) * (p.GZ() + q.GZ()) / 2;
    }
    return r;
  };
  EXPECT_NEAR(Nombre(f.Criteres, 0, 2), aire(0, 30), 1e-4);
  EXPECT_NEAR(Nombre(f.Criteres, 1, 2), aire(0, 40), 1e-4);
  // A flooding angle of 35 degrees ends the second and third areas there.
  f.EdEnvahissement->setText("35");
  Q_EMIT f.EdEnvahissement->editingFinished();
  EXPECT_NEAR(Nombre(f.Criteres, 1, 2), aire(0, 35), 1e-4);
  EXPECT_NEAR(Nombre(f.Criteres, 2, 2), aire(30, 35), 1e-4);
}

TEST_F(Fenetres, StabiliteRefuseLesConditionsFausses) {
  TDocument doc;
  Ouvre(doc, "Deriveur42.kvb");
  TStabForm f(doc);
  struct Cas {
    const char *Max, *Pas, *Tol, *Densite, *Message;
  } cas[] = {
      {"180", "0", "1", "1.026", "Pas de calcul incorrect"},
      {"3", "5", "1", "1.026", "Pas de calcul incorrect"},
      {"180", "5", "0", "1.026", "La tolérance doit être supérieure à zéro"},
      {"180", "5", "1", "0", "La densité de l'eau doit être supérieure à zéro"},
      {"18O", "5", "1", "1.026",
       "Angle de gite Max [°] : '18O' n'est pas une valeur en virgule flottante correcte"},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(c.Message);
    f.EdAngleMax->setText(c.Max), f.EdPas->setText(c.Pas), f.EdTolEnf->setText(c.Tol),
        f.EdDensite->setText(c.Densite);
    Messages.clear();
    EXPECT_EQ(f.Calculer(), c.Message);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0], c.Message);
    EXPECT_TRUE(f.Stab.Etapes.empty());
    EXPECT_TRUE(f.BtnCalculer->isVisibleTo(&f));
  }
  // No weight at all.
  f.EdAngleMax->setText("180"), f.EdPas->setText("5"), f.EdTolEnf->setText("1"),
      f.EdDensite->setText("1.026");
  f.RBPoidsFixe->setChecked(true);
  f.EdPoidsFixe->setText("0");
  f.Ajuster();
  Messages.clear();
  EXPECT_EQ(f.Calculer(), "Poids manquant. Vous devez définir au moins un poids (surface ou ballast)");
}

TEST_F(Fenetres, StabiliteArreteeGardeUneTableCoherente) {
  TDocument doc;
  Ouvre(doc, "Voilier11.kvb");
  TStabForm f(doc);
  auto suite = f.Stab.Progression;
  // The stop button, pressed while the fourth step is computed.
  f.Stab.Progression = [&](int total, int fait) {
    suite(total, fait);
    if (fait == 3) f.BtnAnnuler->click();
  };
  ASSERT_EQ(f.Calculer(), "");
  ASSERT_EQ(f.Stab.Etapes.size(), 4u);
  EXPECT_EQ(f.Mesures->rowCount(), 4);
  EXPECT_EQ(f.TrackBarEtapes->maximum(), 3);
  EXPECT_TRUE(f.BtnCalculer->isVisibleTo(&f));
  EXPECT_FALSE(f.BtnAnnuler->isVisibleTo(&f));
  EXPECT_TRUE(f.Conditions->isEnabled());
  // The synthesis covers the steps recorded: the largest heel is the fourth step's.
  bool vu = false;
  for (int i = 0; i < f.Synth->rowCount(); i++)
    if (f.Synth->item(i, 0)->text() == QString::fromUtf8("Angle Max [°]")) {
      EXPECT_NEAR(Nombre(f.Synth, i, 1), 15.0, 1e-9);
      vu = true;
    }
  EXPECT_TRUE(vu);
}

TEST_F(Fenetres, StabiliteEnregistreEtImprime) {
  TDocument doc;
  Ouvre(doc, "Deriveur42.kvb");
  TStabForm f(doc);
  f.EdAngleMax->setText("60");
  f.EdPas->setText("10");
  ASSERT_EQ(f.Calculer(), "");
  const std::string chemin = (Dossier / "stab.txt").string();
  ASSERT_TRUE(f.Enregistre(chemin));
  const std::string t = LitTout(chemin);
  const std::string debut =
      "Brivane - Calculs de stabilit\xe9\r\nTitre : \tD\xe9riveur solitaire 4,2 m\r\n"
      "Architecte : \tBureau d'\xe9tudes Brivane\r\nVersion : \t1\r\nDate : \t2024\r\n\r\n" +
      std::string(32, '_') + "\r\nSynth\xe8se\r\n" + std::string(32, '_') +
      "\r\n\r\nConditions du calcul de stabilit\xe9\t\r\n";
  EXPECT_EQ(t.substr(0, debut.size()), debut);
  // The step table closes the file: its header, then 7 steps, then the final empty line.
  EXPECT_NE(t.find("Gite\tAssiette\tEnfoncement\tCB.x"), std::string::npos);
  EXPECT_NE(t.find("\r\n60.00\t0.00\t"), std::string::npos);
  EXPECT_EQ(t.substr(t.size() - 4), "\r\n\r\n");
  EXPECT_EQ(PagesPdf([&] { DemandeImpression(&f, "Calculs de stabilité", f.LignesRapport()); }), 1);
}

TEST_F(Fenetres, TransformerMetLeModeleALaPositionDeLEtape) {
  TDocument doc;
  Ouvre(doc, "Voilier11.kvb");
  TStabForm f(doc);
  f.EdAngleMax->setText("30");
  f.EdPas->setText("10");
  ASSERT_EQ(f.Calculer(), "");
  const TGZ e = f.Stab.Etapes[3];
  f.Mesures->selectRow(3);
  // "Non" changes nothing.
  Reponse = mrNo;
  EXPECT_FALSE(f.Transformer());
  EXPECT_FALSE(doc.Modifie);
  Reponse = mrYes;
  int apres = 0;
  f.ApresTransformer = [&] { apres++; };
  ASSERT_TRUE(f.Transformer());
  EXPECT_EQ(apres, 1);
  EXPECT_TRUE(doc.Modifie);
  // The moved model floats at Z = 0 with the weight: its immersed volume is the step's.
  THydrostatForm h(doc);
  h.BtnCalculerClick();
  double v = 0;
  for (const auto& l : h.Resultats().Lignes)
    if (l.Libelle == "Déplacement en eau de mer [Kg]") v = l.Valeur;
  EXPECT_NEAR(v, e.CC.Valeur * 1000, 0.02 * e.CC.Valeur * 1000);
  // The stability window opened on the moved model finds it heeled already: with no further
  // heel its arm is the step's (the weights are attached to the surfaces and moved with them).
  TStabForm g(doc);
  g.EdAngleMax->setText("5");
  g.EdPas->setText("5");
  ASSERT_EQ(g.Calculer(), "");
  EXPECT_NEAR(g.Stab.Etapes[0].GZ(), e.GZ(), 0.01);
  EXPECT_NEAR(g.Stab.Etapes[0].Enfoncement, 0.0, 0.01);
}

// --- Weights ---------------------------------------------------------------------

TEST_F(Fenetres, PoidsMontreLesNombresDeLaLigneDeCommandeEtValide) {
  TDocument doc;
  Ouvre(doc, "Voilier11.kvb");
  TPoidsForm f(doc);
  auto j = nlohmann::json::parse(Cli("weights --json " + Echantillon("Voilier11.kvb")));
  ASSERT_EQ(f.TSurfaces->rowCount(), static_cast<int>(j["surfaces"].size()));
  for (int i = 0; i < f.TSurfaces->rowCount(); i++) {
    const auto& s = j["surfaces"][static_cast<size_t>(i)];
    EXPECT_EQ(f.TSurfaces->item(i, 1)->text().toStdString(), s["name"].get<std::string>());
    EXPECT_NEAR(Nombre(f.TSurfaces, i, 2), s["mass"].get<double>(), 5e-4);
    EXPECT_NEAR(Nombre(f.TSurfaces, i, 4), s["y"].get<double>(), 5e-4);
    EXPECT_NEAR(Nombre(f.TSurfaces, i, 5), s["z"].get<double>(), 5e-4);
  }
  EXPECT_EQ(f.TPoids_->rowCount(), std::max<int>(1, static_cast<int>(j["weights"].size())));
  EXPECT_NEAR(Nombre(f.TTotal, 0, 2), j["total"]["mass"].get<double>(), 5e-4);
  EXPECT_NEAR(Nombre(f.TTotal, 0, 4), j["total"]["y"].get<double>(), 5e-4);

  // A new weight: the total follows as it is typed, and "&OK" puts it in the document.
  const double m0 = Nombre(f.TTotal, 0, 2);
  f.Ajouter();
  const int r = f.TPoids_->rowCount() - 1;
  f.TPoids_->item(r, 1)->setText("Moteur");
  f.TPoids_->item(r, 2)->setText("250");
  f.TPoids_->item(r, 4)->setText("3.5");
  f.TPoids_->item(r, 6)->setText("Coque");
  EXPECT_NEAR(Nombre(f.TTotal, 0, 2), m0 + 250, 1e-3);
  // A number that does not convert stops "&OK" with its message.
  f.TPoids_->item(r, 3)->setText("x");
  Messages.clear();
  EXPECT_NE(f.Valider(), "");
  EXPECT_EQ(Messages.size(), 1u);
  f.TPoids_->item(r, 3)->setText("0");
  EXPECT_EQ(f.Valider(), "");
  const TPoids& p = doc.ListePoids.back();
  EXPECT_EQ(p.Nom, "Moteur");
  EXPECT_DOUBLE_EQ(p.Masse, 250);
  EXPECT_DOUBLE_EQ(p.Y, 3.5);
  EXPECT_EQ(p.Surface, 0);
  EXPECT_NEAR(doc.PoidsTotal.Masse, m0 + 250, 1e-3);
}

TEST_F(Fenetres, PoidsCsvAllerRetourEtImpression) {
  TDocument doc;
  Ouvre(doc, "Deriveur42.kvb");
  TPoidsForm f(doc);
  const std::string csv = (Dossier / "poids.csv").string();
  {
    std::ofstream o(csv, std::ios::binary);
    o << "Barreur;80,5;0;1,2;0,3\r\n\r\nSac;5;0.1;2;0.1;ignore\r\n";
  }
  const int avant = f.TPoids_->rowCount();
  EXPECT_EQ(f.Importer(csv), "");
  ASSERT_EQ(f.TPoids_->rowCount(), avant + 2);
  EXPECT_EQ(f.TPoids_->item(avant, 1)->text(), "Barreur");
  EXPECT_NEAR(Nombre(f.TPoids_, avant, 2), 80.5, 1e-9);
  EXPECT_NEAR(Nombre(f.TPoids_, avant + 1, 3), 0.1, 1e-9);
  const std::string sortie = (Dossier / "sortie.csv").string();
  ASSERT_TRUE(f.Exporter(sortie));
  const std::string t = LitTout(sortie);
  // The cells as imported (commas turned to points), no attached surface.
  EXPECT_NE(t.find("\r\nBarreur;80.5;0;1.2;0.3;\r\n"), std::string::npos);
  EXPECT_NE(t.find("\r\n\r\n"), std::string::npos);  // surfaces, an empty line, weights
  EXPECT_EQ(PagesPdf([&] { DemandeImpression(&f, "Devis de poids", f.LignesRapport()); }), 1);
}

TEST_F(Fenetres, BallastAjouteAuPointClique) {
  TDocument doc;
  Ouvre(doc, "Deriveur42.kvb");
  const size_t n = doc.ListePoids.size();
  TDefPoidsForm d(doc, {0.1, 2.0, -0.2});
  EXPECT_EQ(d.EdY->text(), "2.0000");
  Messages.clear();
  EXPECT_NE(d.Valider(), "");  // no value
  EXPECT_EQ(Messages.size(), 1u);
  d.EdValeur->setText("12");
  d.EdNom->setText("Gueuse");
  d.Attache->setCurrentRow(0);
  EXPECT_EQ(d.Valider(), "");
  ASSERT_EQ(doc.ListePoids.size(), n + 1);
  EXPECT_EQ(doc.ListePoids.back().Nom, "Gueuse");
  EXPECT_EQ(doc.ListePoids.back().Surface, 0);
  EXPECT_DOUBLE_EQ(doc.ListePoids.back().Z, -0.2);
}

// --- Table of offsets --------------------------------------------------------------

TEST_F(Fenetres, TableDeCotesMontreLaTableDeLaLigneDeCommande) {
  for (bool longitudinales : {false, true}) {
    SCOPED_TRACE(longitudinales);
    TDocument doc;
    Ouvre(doc, "Voilier11.kvb");
    MajSurface(doc, true, -1);
    doc.Grille.NbSec = 7, doc.Grille.NbLE = 4, doc.Grille.NbLong = 3;
    AutoStand(doc, flSections), AutoStand(doc, flLignesEau), AutoStand(doc, flLongitudinales);
    ReconstruitTablesCoupes(doc);
    TTabCotesForm f(doc);
    EXPECT_FALSE(f.BtnExport->isEnabled());
    f.Croisement->setCurrentIndex(longitudinales ? 1 : 0);
    f.Calculer();
    const std::string csv = (Dossier / "cotes.txt").string();
    ASSERT_TRUE(f.Exporter(csv));
    const std::string cli = Cli("offsets --sections 7 --waterlines 4 --buttocks 3 --cross " +
                                std::string(longitudinales ? "buttocks" : "waterlines") + " --csv " +
                                (Dossier / "cli.txt").string() + " " + Echantillon("Voilier11.kvb"));
    EXPECT_GT(f.Grille->rowCount(), 20);
    EXPECT_EQ(LitTout(csv), LitTout((Dossier / "cli.txt").string()));
    EXPECT_EQ(f.Grille->item(0, 0)->text(), "0");
  }
}

TEST_F(Fenetres, TableDeCotesSansSurfaceEtImpression) {
  TDocument doc;
  Ouvre(doc, "Deriveur42.kvb");
  TTabCotesForm f(doc);
  f.Liste->clearSelection();
  f.Calculer();
  ASSERT_EQ(f.Grille->rowCount(), 1);
  EXPECT_EQ(f.Grille->item(0, 0)->text(), "0");
  EXPECT_EQ(f.Grille->item(0, 1)->text(), "");
  const std::string csv = (Dossier / "vide.txt").string();
  ASSERT_TRUE(f.Exporter(csv));
  EXPECT_EQ(LitTout(csv), "Num;Nom;X;Y;Z\r\n0;;;;\r\n");
  EXPECT_EQ(PagesPdf([&] { f.BtnImprimer->click(); }), 1);
}

// --- Charts --------------------------------------------------------------------------

TEST_F(Fenetres, GrapheZoomeEtRevientEtSEnregistre) {
  TGraphe g;
  g.resize(600, 400);
  g.Titres("GZ", QString::fromUtf8("Angle [°]"), "GZ [m]");
  g.AjouteLigne("GZ", Qt::red, {{0, 0}, {30, 0.6}, {60, 0.9}, {90, 0.4}});
  g.AjoutePoints(Qt::blue, {{45, 0}}, {QString::fromUtf8("Hublot")});
  g.ZoomInitial();
  g.show();
  QApplication::processEvents();
  const auto [x0, x1] = g.BornesX();
  EXPECT_LE(x0, 0);
  EXPECT_GE(x1, 90);
  g.chart()->zoomIn(QRectF(100, 100, 100, 100));
  EXPECT_LT(g.BornesX().second - g.BornesX().first, (x1 - x0) / 2);
  g.ZoomInitial();
  EXPECT_EQ(g.BornesX(), (std::pair{x0, x1}));
  const std::string png = (Dossier / "g.png").string(), svg = (Dossier / "g.svg").string();
  ASSERT_TRUE(g.Enregistre(QString::fromStdString(png)));
  QImage im(QString::fromStdString(png));
  EXPECT_EQ(im.size(), QSize(600, 400));
  ASSERT_TRUE(g.Enregistre(QString::fromStdString(svg)));
  const std::string s = LitTout(svg);
  EXPECT_NE(s.find("<svg"), std::string::npos);
  EXPECT_NE(s.find("Angle [\xc2\xb0]"), std::string::npos);
  EXPECT_NE(s.find("Hublot"), std::string::npos);
  EXPECT_NE(s.find("<polyline"), std::string::npos);
  g.Copier();
  EXPECT_FALSE(QApplication::clipboard()->image().isNull());
}

// --- Screenshot mode -------------------------------------------------------------------

// Each window opens on the file with its calculation run; a name no window has is refused.
TEST_F(Fenetres, CaptureDeChaqueFenetre) {
  for (const char* nom : {"hydrostat", "stab", "poids", "tabcotes"}) {
    SCOPED_TRACE(nom);
    const std::string png = (Dossier / (std::string(nom) + ".png")).string();
    const std::string cmd = std::string("QT_QPA_PLATFORM=offscreen ") + BRIVANE_GUI_EXE + " --screenshot " +
                            png + " --window " + nom + " " + Echantillon("Deriveur42.kvb") + " 2>/dev/null";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    QImage im(QString::fromStdString(png));
    EXPECT_GT(im.width(), 600);
    EXPECT_GT(im.height(), 400);
  }
  const std::string cmd = std::string("QT_QPA_PLATFORM=offscreen ") + BRIVANE_GUI_EXE + " --screenshot " +
                          (Dossier / "x.png").string() + " --window nulle-part " +
                          Echantillon("Deriveur42.kvb") + " 2>/dev/null";
  EXPECT_NE(std::system(cmd.c_str()), 0);
}

}  // namespace
