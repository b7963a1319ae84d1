#include "naval/forms/ResistanceForm.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegendMarker>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScatterSeries>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>
#include <sstream>

#include "app/Principale.h"
#include "app/ReglagesQt.h"
#include "base/Chaines.h"
#include "base/Debug.h"
#include "base/FichierStr.h"
#include "base/Options.h"
#include "base/Services.h"
#include "exchange/Vexrun.h"
#include "naval/Hydrostat.h"
#include "session/ObjCom.h"
#include "ui/Graphe.h"
#include "ui/Registre.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
QString Nombre(double v, int chiffres = 6) { return QString::number(v, 'g', chiffres); }

bool LitChamp(const QLineEdit* e, double& v) {
  return LitReel(e->text().trimmed().toStdString(), v) && std::isfinite(v);
}

// "area: k2; area: k2", the settings' form with blanks allowed.
QString TexteAppendices(const std::vector<TAppendice>& a) {
  QStringList l;
  for (const TAppendice& x : a) l << Nombre(x.Aire) + " : " + Nombre(x.K2);
  return l.join(" ; ");
}

bool LitAppendices(const QString& t, std::vector<TAppendice>& r) {
  r.clear();
  for (const QString& e : t.split(';', Qt::SkipEmptyParts)) {
    const QStringList p = e.split(':');
    TAppendice a;
    if (p.size() != 2 || !LitReel(p[0].trimmed().toStdString(), a.Aire) ||
        !LitReel(p[1].trimmed().toStdString(), a.K2) || !(a.Aire >= 0) || !(a.K2 >= 1))
      return e.trimmed().isEmpty();
    r.push_back(a);
  }
  return true;
}

constexpr const char* Section = "Resistance";

// The chart's legend below it, the out-of-range markers (one series each) under one entry.
void Legende(TGraphe* g) {
  QChart* c = g->chart();
  c->legend()->setAlignment(Qt::AlignBottom);
  c->legend()->show();
  bool premier = true;
  for (QAbstractSeries* s : c->series()) {
    if (!qobject_cast<QScatterSeries*>(s)) continue;
    if (premier) s->setName(Q(rs("rsResSerieHors")));
    for (QLegendMarker* m : c->legend()->markers(s)) m->setVisible(premier);
    premier = false;
  }
}

}  // namespace

TResistanceForm::TResistanceForm(TDocument& doc, QWidget* parent) : QDialog(parent), Doc(doc) {
  setObjectName("ResistanceForm");
  setWindowTitle(Q(rs("rsResistanceCaption")));
  auto* racine = new QHBoxLayout(this);

  // Left: the method, the speeds and what the model cannot give.
  auto* gauche = new QVBoxLayout;
  auto* gm = new QGroupBox(Q(rs("rsResMethode")));
  auto* lm = new QVBoxLayout(gm);
  RBHoltrop = new QRadioButton(Q(rs("rsResHoltrop")));
  RBSavitsky = new QRadioButton(Q(rs("rsResSavitsky")));
  RBHoltrop->setObjectName("RBHoltrop");
  RBSavitsky->setObjectName("RBSavitsky");
  RBHoltrop->setChecked(true);
  lm->addWidget(RBHoltrop);
  lm->addWidget(RBSavitsky);
  gauche->addWidget(gm);

  auto champ = [](const char* nom, int largeur = 70) {
    auto* e = new QLineEdit;
    e->setObjectName(nom);
    e->setMaximumWidth(largeur);
    return e;
  };
  auto* lv = new QHBoxLayout;
  EdVitMin = champ("EdVitMin", 50), EdVitMax = champ("EdVitMax", 50), EdVitPas = champ("EdVitPas", 50);
  lv->addWidget(new QLabel(Q(rs("rsResVitesses"))));
  lv->addWidget(EdVitMin);
  lv->addWidget(new QLabel(Q(rs("rsResVitA"))));
  lv->addWidget(EdVitMax);
  lv->addWidget(new QLabel(Q(rs("rsResVitPas"))));
  lv->addWidget(EdVitPas);
  lv->addStretch();
  gauche->addLayout(lv);

  auto* gs = new QGroupBox(Q(rs("rsResSaisie")));
  auto* fs = new QFormLayout(gs);
  EdRho = champ("EdRho"), EdNu = champ("EdNu", 90), EdAppendices = champ("EdAppendices", 400);
  EdAireBulbe = champ("EdAireBulbe"), EdHauteurBulbe = champ("EdHauteurBulbe");
  EdAnglePoussee = champ("EdAnglePoussee"), EdDecalagePoussee = champ("EdDecalagePoussee");
  EdLargeurBouchain = champ("EdLargeurBouchain");
  CBArriere = new QComboBox;
  CBArriere->setObjectName("CBArriere");
  CBArriere->addItems({Q(rs("rsResArriereV")), Q(rs("rsResArriereN")), Q(rs("rsResArriereU"))});
  fs->addRow(Q(rs("rsResRho")), EdRho);
  fs->addRow(Q(rs("rsResNu")), EdNu);
  fs->addRow(Q(rs("rsResAppendices")), EdAppendices);
  fs->addRow(Q(rs("rsResAireBulbe")), EdAireBulbe);
  fs->addRow(Q(rs("rsResHauteurBulbe")), EdHauteurBulbe);
  fs->addRow(Q(rs("rsResArriere")), CBArriere);
  fs->addRow(Q(rs("rsResAnglePoussee")), EdAnglePoussee);
  fs->addRow(Q(rs("rsResDecalagePoussee")), EdDecalagePoussee);
  fs->addRow(Q(rs("rsResLargeurBouchain")), EdLargeurBouchain);
  gauche->addWidget(gs);

  Etat = new QLabel;
  Etat->setObjectName("Etat");
  Etat->setWordWrap(true);
  Etat->setMaximumWidth(420);
  gauche->addWidget(Etat);
  gauche->addStretch();
  auto* boutons = new QDialogButtonBox;
  auto* calculer = boutons->addButton(Q(rs("rsBtnCalculer")), QDialogButtonBox::ActionRole);
  calculer->setObjectName("BtnCalculer");
  auto* fermer = boutons->addButton(Q(rs("rsBtnFermer")), QDialogButtonBox::RejectRole);
  connect(calculer, &QPushButton::clicked, this, [this] { Calculer(); });
  connect(fermer, &QPushButton::clicked, this, &QDialog::reject);
  gauche->addWidget(boutons);
  racine->addLayout(gauche);

  // Right: the charts, the speeds and the parameters.
  Pages = new QTabWidget;
  Pages->setObjectName("Pages");
  auto* graphes = new QSplitter(Qt::Vertical);
  GrapheResistance = new TGraphe;
  GrapheResistance->setObjectName("GrapheResistance");
  GraphePuissance = new TGraphe;
  GraphePuissance->setObjectName("GraphePuissance");
  graphes->addWidget(GrapheResistance);
  graphes->addWidget(GraphePuissance);
  Pages->addTab(graphes, Q(rs("rsVexrunGraphique")));
  Resultats = new QTableWidget;
  Resultats->setObjectName("Resultats");
  Resultats->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Pages->addTab(Resultats, Q(rs("rsResResultats")));
  Parametres = new QTableWidget;
  Parametres->setObjectName("Parametres");
  Parametres->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Pages->addTab(Parametres, Q(rs("rsResParametres")));
  racine->addWidget(Pages, 1);
  resize(1180, 720);
  // Only the entries the chosen method reads are open.
  auto methode = [this] {
    const bool sav = RBSavitsky->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(EdAppendices), static_cast<QWidget*>(EdAireBulbe),
                       static_cast<QWidget*>(EdHauteurBulbe), static_cast<QWidget*>(CBArriere)})
      w->setEnabled(!sav);
    for (QWidget* w : {EdAnglePoussee, EdDecalagePoussee, EdLargeurBouchain}) w->setEnabled(sav);
  };
  connect(RBSavitsky, &QRadioButton::toggled, this, methode);
  ChargeReglages();
  methode();
}

void TResistanceForm::ChargeReglages() {
  auto m = OuvreMagasin();
  const TSaisieResistance s = LitSaisieResistance(*m);
  // Without a method chosen before, a hard-chined hull is taken for a planing one.
  bool sav = false;
  if (m->Lit(Section, "Methode")) {
    sav = LitEntier(*m, Section, "Methode", 0, 0, 1) == 1;
  } else if (Doc.NbSurf() > 0) {
    try {
      MajSurface(Doc, true, -1);
      const TParamsModele pm = ParametresModele(Doc, PorteeCalc(Doc), s);
      sav = pm.BouchainTrouve && pm.Savitsky.Deadrise > 5;
    } catch (const TErreurResistance&) {
      // Nothing to float: the user chooses.
    }
  }
  (sav ? RBSavitsky : RBHoltrop)->setChecked(true);
  auto reel = [&](const char* cle, double defaut) {
    double v = 0;
    const auto t = m->Lit(Section, cle);
    return t && LitReel(*t, v) && std::isfinite(v) && v >= 0 ? v : defaut;
  };
  // Below Cv 0.6 a planing boat is not planing: its curve starts higher.
  EdVitMin->setText(Nombre(reel("VitesseMin", sav ? 5 : 0)));
  EdVitMax->setText(Nombre(reel("VitesseMax", sav ? 30 : 20)));
  EdVitPas->setText(Nombre(reel("VitessePas", 1)));
  EdRho->setText(Nombre(s.Rho));
  EdNu->setText(Nombre(s.Nu));
  EdAppendices->setText(TexteAppendices(s.Appendices));
  EdAireBulbe->setText(Nombre(s.AireBulbe));
  EdHauteurBulbe->setText(Nombre(s.HauteurBulbe));
  CBArriere->setCurrentIndex(static_cast<int>(s.Arriere));
  EdAnglePoussee->setText(Nombre(s.AnglePoussee));
  EdDecalagePoussee->setText(Nombre(s.DecalagePoussee));
  EdLargeurBouchain->setText(Nombre(s.LargeurBouchain));
}

bool TResistanceForm::LitSaisie(TSaisieResistance& s, double& v0, double& v1, double& pas) const {
  s.Arriere = static_cast<TFormeArriere>(CBArriere->currentIndex());
  return LitChamp(EdVitMin, v0) && LitChamp(EdVitMax, v1) && LitChamp(EdVitPas, pas) &&
         LitChamp(EdRho, s.Rho) && s.Rho > 0 && LitChamp(EdNu, s.Nu) && s.Nu > 0 &&
         LitChamp(EdAireBulbe, s.AireBulbe) && LitChamp(EdHauteurBulbe, s.HauteurBulbe) &&
         LitChamp(EdAnglePoussee, s.AnglePoussee) && LitChamp(EdDecalagePoussee, s.DecalagePoussee) &&
         LitChamp(EdLargeurBouchain, s.LargeurBouchain) && s.LargeurBouchain >= 0 &&
         LitAppendices(EdAppendices->text(), s.Appendices);
}

bool TResistanceForm::Calculer() {
  TRACE("TResistanceForm.Calculer");
  TSaisieResistance s;
  double v0 = 0, v1 = 0, pas = 0;
  if (!LitSaisie(s, v0, v1, pas)) {
    AfficheMessage(rs("rsResVitessesInvalides") + "\n" + rs("rsResSaisie"), mtError, mbOK);
    return false;
  }
  const bool sav = RBSavitsky->isChecked();
  {
    auto m = OuvreMagasin();
    EcritSaisieResistance(*m, s);
    EcritEntier(*m, Section, "Methode", sav ? 1 : 0);
    m->Ecrit(Section, "VitesseMin", Nombre(v0).toStdString());
    m->Ecrit(Section, "VitesseMax", Nombre(v1).toStdString());
    m->Ecrit(Section, "VitessePas", Nombre(pas).toStdString());
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  TParamsModele pm;
  try {
    const std::vector<double> v = VitessesResistance(v0 * Noeud, v1 * Noeud, pas * Noeud);
    MajSurface(Doc, true, -1);
    pm = ParametresModele(Doc, PorteeCalc(Doc), s);
    C = sav ? CourbeSavitsky(pm.Savitsky, v) : CourbeHoltrop(pm.Holtrop, v);
  } catch (const TErreurResistance& e) {
    QApplication::restoreOverrideCursor();
    AfficheMessage(e.what(), mtError, mbOK);
    return false;
  }

  // What the parameters stand on, and what lies outside the method's ranges.
  QStringList etat{Q(rs(pm.Flottant ? "rsResFlottant" : "rsResZ0"))};
  for (const auto& a : pm.Avertissements) etat << Q(a);
  std::vector<THorsDomaine> hors = C.HorsParametres;
  for (const auto& p : C.Points) hors.insert(hors.end(), p.Hors.begin(), p.Hors.end());
  if (!hors.empty()) {
    QStringList cles;
    for (const auto& h : hors)
      if (!cles.contains(Q(h.Cle))) cles << Q(h.Cle);
    etat << "<span style='color:#c00000'>" + Q(rs("rsResHorsDomaine")) + " : " + cles.join(", ") + "</span>";
  }
  Etat->setText(etat.join("<br>"));

  // The charts: knots along, forces and powers in their units (the chart puts the prefix).
  TGraphe::TPoints rt, rf, rw, pe, horsR, horsP;
  for (const auto& p : C.Points) {
    if (!p.Equilibre) continue;
    const double kn = p.V / Noeud;
    rt.push_back({kn, p.Rt});
    pe.push_back({kn, p.Pe});
    double f = 0, k1 = 1, w = 0;
    for (const auto& [k, x] : p.Composantes) {
      if (k == "friction") f = x;
      if (k == "form_factor") k1 = x;
      if (k == "wave" || k == "lift_drag") w = x;
    }
    rf.push_back({kn, f * (sav ? 1 : k1)});
    rw.push_back({kn, w});
    if (!p.Hors.empty() || !C.HorsParametres.empty())
      horsR.push_back({kn, p.Rt}), horsP.push_back({kn, p.Pe});
  }
  GrapheResistance->Efface();
  GrapheResistance->Titres(Q(rs("rsResTitreResistance")), Q(rs("rsResAxeVitesse")),
                           Q(rs("rsResAxeResistance")));
  GrapheResistance->AjouteLigne(Q(rs("rsResSerieTotale")), Qt::red, rt);
  GrapheResistance->AjouteLigne(Q(rs("rsResSerieFrottement")), QColor(0, 110, 0), rf);
  GrapheResistance->AjouteLigne(Q(rs(sav ? "rsResSeriePortance" : "rsResSerieVagues")), Qt::blue, rw);
  if (!horsR.empty())
    GrapheResistance->AjoutePoints(QColor(230, 120, 0), horsR, std::vector<QString>(horsR.size()));
  AjouteMichlet();
  GrapheResistance->ZoomInitial();
  Legende(GrapheResistance);
  GraphePuissance->Efface();
  GraphePuissance->Titres(Q(rs("rsResTitrePuissance")), Q(rs("rsResAxeVitesse")), Q(rs("rsResAxePuissance")));
  GraphePuissance->AjouteLigne(Q(rs("rsResSeriePuissance")), Qt::red, pe);
  if (!horsP.empty())
    GraphePuissance->AjoutePoints(QColor(230, 120, 0), horsP, std::vector<QString>(horsP.size()));
  GraphePuissance->ZoomInitial();
  Legende(GraphePuissance);

  // The table of speeds.
  QStringList entete{Q(rs("rsResColVitesse")), Q(rs(sav ? "rsResColCv" : "rsResColFroude"))};
  if (sav) entete << Q(rs("rsResColAssiette")) << Q(rs("rsResColMarsouinage"));
  entete << Q(rs("rsResColRt")) << Q(rs("rsResColPe")) << Q(rs("rsResColDomaine"));
  Resultats->clear();
  Resultats->setColumnCount(static_cast<int>(entete.size()));
  Resultats->setHorizontalHeaderLabels(entete);
  Resultats->setRowCount(static_cast<int>(C.Points.size()));
  for (int i = 0; i < static_cast<int>(C.Points.size()); i++) {
    const TLigneResistance& p = C.Points[static_cast<size_t>(i)];
    auto comp = [&](const char* k) {
      for (const auto& [n, x] : p.Composantes)
        if (n == k) return x;
      return 0.0;
    };
    QStringList l{QString::number(p.V / Noeud, 'f', 2), QString::number(comp(sav ? "cv" : "fn"), 'f', 3)};
    if (sav)
      l << (p.Equilibre ? QString::number(comp("trim"), 'f', 2) : Q(rs("rsResSansEquilibre")))
        << QString::number(comp("porpoising_trim"), 'f', 2);
    l << (p.Equilibre ? QString::number(p.Rt, 'f', 0) : QString())
      << (p.Equilibre ? QString::number(p.Pe / 1000, 'f', 2) : QString());
    QStringList h;
    for (const auto& x : p.Hors) h << Q(x.Cle) + " " + Nombre(x.Valeur, 4);
    l << h.join(", ");
    for (int j = 0; j < l.size(); j++) {
      auto* it = new QTableWidgetItem(l[j]);
      it->setTextAlignment(j + 1 < l.size() ? Qt::AlignRight | Qt::AlignVCenter
                                            : Qt::AlignLeft | Qt::AlignVCenter);
      if (!p.Hors.empty()) it->setForeground(QColor(192, 0, 0));
      Resultats->setItem(i, j, it);
    }
  }
  Resultats->resizeColumnsToContents();

  // The parameters the method used, with the ranges it was fitted on.
  std::vector<std::pair<std::string, double>> par;
  if (sav) {
    const TParamsSavitsky& p = pm.Savitsky;
    par = {{"mass", p.Masse},
           {"lcg", p.Lcg},
           {"vcg", p.Vcg},
           {"beam", p.Largeur},
           {"deadrise", p.Deadrise},
           {"thrust_angle", p.AnglePoussee},
           {"thrust_offset", p.DecalagePoussee},
           {"rho", p.Rho},
           {"nu", p.Nu}};
  } else {
    const TParamsHoltrop& p = pm.Holtrop;
    par = {{"lwl", p.Lwl},
           {"bwl", p.Bwl},
           {"t_aft", p.TArriere},
           {"t_fore", p.TAvant},
           {"volume", p.Volume},
           {"lcb", p.Lcb},
           {"cp", p.Cp},
           {"cm", p.Cm},
           {"cb", p.Cb},
           {"cwp", p.Cwp},
           {"l_b", p.Lwl / p.Bwl},
           {"b_t", p.Bwl / ((p.TArriere + p.TAvant) / 2)},
           {"wetted_area", p.SurfMouillee},
           {"transom_area", p.AireTableau},
           {"bulb_area", p.AireBulbe},
           {"bulb_height", p.HauteurBulbe},
           {"rho", p.Rho},
           {"nu", p.Nu}};
  }
  const std::vector<THorsDomaine>& bornes = sav ? BornesSavitsky() : BornesHoltrop();
  // The running condition's ranges too (Fn, Cv, trim, lambda), beside their extremes.
  Parametres->clear();
  Parametres->setColumnCount(4);
  Parametres->setHorizontalHeaderLabels(
      {Q(rs("rsResColParametre")), "", Q(rs("rsResColValeur")), Q(rs("rsResColDomaineValide"))});
  Parametres->setRowCount(static_cast<int>(par.size() + bornes.size()));
  int ligne = 0;
  // The caption, then the key the command line and its JSON use.
  auto ajoute = [&](const QString& cle, const QString& valeur, const QString& domaine, bool horsDomaine) {
    const QString t[4] = {Q(rs("rsResP_" + cle.toStdString())), cle, valeur, domaine};
    for (int j = 0; j < 4; j++) {
      auto* it = new QTableWidgetItem(t[j]);
      if (horsDomaine) it->setForeground(QColor(192, 0, 0));
      Parametres->setItem(ligne, j, it);
    }
    ligne++;
  };
  auto domaine = [](const THorsDomaine& b) { return Nombre(b.Min, 4) + " .. " + Nombre(b.Max, 4); };
  for (const auto& [k, v] : par) {
    const THorsDomaine* b = nullptr;
    for (const auto& x : bornes)
      if (x.Cle == k) b = &x;
    ajoute(Q(k), Nombre(v), b ? domaine(*b) : QString(), b && !(v >= b->Min && v <= b->Max));
  }
  for (const auto& b : bornes) {
    bool dejaVu = false;
    for (const auto& [k, v] : par) dejaVu |= k == b.Cle;
    if (dejaVu) continue;
    double mini = 0, maxi = 0;
    bool premier = true, hors = false;
    for (const auto& p : C.Points)
      for (const auto& [k, x] : p.Composantes)
        if (k == b.Cle && p.Equilibre && p.V > 0) {
          mini = premier ? x : std::min(mini, x), maxi = premier ? x : std::max(maxi, x), premier = false;
          hors |= !(x >= b.Min && x <= b.Max);
        }
    ajoute(Q(b.Cle), premier ? QString() : Nombre(mini, 4) + " .. " + Nombre(maxi, 4), domaine(b), hors);
  }
  Parametres->setRowCount(ligne);
  Parametres->resizeColumnsToContents();
  QApplication::restoreOverrideCursor();
  return true;
}

// The Michlet results, when its output file is there: m/s and kN as it writes them.
void TResistanceForm::AjouteMichlet() {
  const TReglagesVexrun r = LitReglagesVexrun(*OuvreMagasin());
  if (r.Sortie.empty()) return;
  try {
    const TResultatsMichlet t = LitResultatsMichlet(LitLignesMichlet(CheminMichlet(r.Dossier, r.Sortie)));
    TGraphe::TPoints pts;
    for (size_t i = 0; i < t.U.size(); i++) pts.push_back({t.U[i] / Noeud, t.Rt[i] * 1000});
    GrapheResistance->AjouteLigne(Q(rs("rsResSerieVexrun")), QColor(128, 0, 160), pts);
  } catch (const TErreurMichlet&) {
    // No usable output: nothing to compare with.
  }
}

namespace {

TResistanceForm* Ouvre(TMainForm& f) {
  auto* d = new TResistanceForm(f.Document(), &f);
  d->setAttribute(Qt::WA_DeleteOnClose);
  return d;
}

const TEnregistrement Enregistre([] {
  EnregistreCommande({.Nom = "MeResistance",
                      .Places = {{"MeDonnees", 85}},
                      .Actif = [](const TMainForm& f) { return f.Document().NbSurf() > 0; },
                      .Execute = [](TMainForm& f, bool) { Ouvre(f)->open(); }});
  EnregistreFenetre({.Nom = "resistance", .Ordre = 320, .Montre = [](TMainForm& f) -> QWidget* {
                       auto* d = Ouvre(f);
                       d->show();
                       d->Calculer();
                       return d;
                     }});
});

}  // namespace
