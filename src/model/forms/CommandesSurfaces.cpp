// The surface, precision and grid commands of the main window: each opens its
// window, and each change ends the same way (document updated where it is out of
// date, views redrawn, tool windows refreshed).
#include "model/forms/CommandesSurfaces.h"

#include <QAction>

#include "app/Chaines.h"
#include "app/Debug.h"
#include "app/Services.h"
#include "app/forms/Principale.h"
#include "document/GestFich.h"
#include "geometry/forms/PrecisForm.h"
#include "lines/forms/GrilleForm.h"
#include "model/ObjCom.h"
#include "model/forms/ListeSurfForm.h"
#include "model/forms/PropSurfForm.h"
#include "model/forms/SurfNewForm.h"
#include "views/GrilleVue.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

struct TPrecisionMenu {
  const char* Nom;
  int N;
};
const TPrecisionMenu PrecisionsMenu[] = {
    {"MePrecFaible", 10}, {"MePrecMoyenne", 20}, {"MePrecBonne", 50}, {"MePrecTresBonne", 100}};

// The menu's radio item of the document's precision ("Personnalisée..." for any other value).
void CochePrecision(TMainForm& f) {
  int n = f.Document().Precision;
  for (const auto& p : PrecisionsMenu)
    if (p.N == n) {
      f.Action(p.Nom)->setChecked(true);
      return;
    }
  f.Action("MePrecPerso")->setChecked(true);
}

// What follows every change of the surfaces: what is out of date is brought up to
// date (only the surfaces whose flags were cleared are evaluated again), then the views
// and the tool windows show it.
void Actualise(TMainForm& f, bool videSelections) {
  TDocument& d = f.Document();
  if (videSelections)
    for (int t = tvSection; t <= tvPersp; t++)
      if (TFormFille* v = f.Vue(t)) v->VideSelection();
  {
    TCurseurAttente attente;
    MajSurface(d, false, -1);
    MajMinMaxAllNet(d, false);
    MajCoupesSurface(d);
  }
  if (!d.PCCourant.Existe() || d.PCCourant.NumSurf >= d.NbSurf()) PCCourantPremierLibre(d);
  f.RafraichitFenetresOutils();
  if (auto* v = f.findChild<TListeSurfVisiblesForm*>("ListeSurfVisiblesForm"); v && v->isVisible())
    v->Rafraichit();
  f.AfficheNet();
}

void OuvreListe(TMainForm& f, int mode) {
  TListeSurfForm* l = FenetresSurfaces(f).ListeSurf;
  if (l->Prepare(mode)) l->open();
}

void ExporteSurfaces(TMainForm& f) {
  TRACE("TMainForm.ExportSurfacesClick");
  QString chemin = f.ChoisirFichier(true, Q(rs("rsFiltreEnregistrer")), QString());
  if (chemin.isEmpty()) return;
  TListeSurfForm* l = FenetresSurfaces(f).ListeSurf;
  std::string c = chemin.toStdString();
  l->Exporte = [&f, c](const std::vector<int>& nums) {
    std::string erreur;
    bool ok = false;
    try {
      TCurseurAttente attente;
      ok = EnregistrerFichier(f.Document(), nums, c, &erreur);
    } catch (const std::exception& e) {
      erreur = e.what();
    }
    if (!ok) {
      DbgErr(erFichier, "TMainForm.ExportSurfacesClick", 0, {c, erreur});
      AfficheMessage(erreur, mtError, mbOK);
    }
    return ok;
  };
  if (l->Prepare(lsExport)) l->open();
}

}  // namespace

TFenetresSurfaces FenetresSurfaces(TMainForm& f) {
  TFenetresSurfaces r;
  r.SurfNew = f.findChild<TSurfNewForm*>("SurfNewForm");
  r.ListeSurf = f.findChild<TListeSurfForm*>("ListeSurfForm");
  r.Visibles = f.findChild<TListeSurfVisiblesForm*>("ListeSurfVisiblesForm");
  r.PropSurf = f.findChild<TPropSurfForm*>("PropSurfForm");
  r.Precis = f.findChild<TPrecisForm*>("PrecisForm");
  r.Grille = f.findChild<TGrilleForm*>("GrilleForm");
  return r;
}

void EnregistreCommandesSurfaces(TMainForm& f) {
  TDocument& d = f.Document();
  auto* nouv = new TSurfNewForm(d, &f);
  auto* liste = new TListeSurfForm(d, &f);
  auto* visibles = new TListeSurfVisiblesForm(d, &f);
  auto* prop = new TPropSurfForm(d, &f);
  auto* precis = new TPrecisForm(&f);
  auto* grille = new TGrilleForm(d, &f);

  nouv->QuandCree = [&f](int k) {
    TDocument& doc = f.Document();
    MajSurface(doc, true, k);
    Actualise(f, false);
  };
  liste->QuandApplique = [&f](const TChangementSurfaces& c) {
    if (c.Mode != lsExport) Actualise(f, true);
  };
  visibles->QuandChange = [&f] { Actualise(f, true); };
  prop->QuandApplique = [&f](const std::vector<int>&) { Actualise(f, true); };
  precis->QuandApplique = [&f](int n) {
    ::ChangePrecision(f.Document(), n);
    CochePrecision(f);
    Actualise(f, false);
  };
  // Cancelled: the radio item goes back to the precision in force.
  QObject::connect(precis, &QDialog::rejected, &f, [&f] { CochePrecision(f); });
  grille->QuandApplique = [&f] {
    f.Grille = GrilleDuDocument(f.Document());
    Actualise(f, false);
  };
  grille->OuvrePortee = [&f] { OuvreListe(f, lsPorteeCalc); };

  auto on = [&f](const char* nom, auto action) {
    QAction* a = f.Action(nom);
    if (!a) return;
    QObject::connect(a, &QAction::triggered, &f, action);
    a->setEnabled(true);
  };
  on("MeSurfAjouter", [&f] {
    if (f.Document().NbSurf() >= MaxSurf) {
      AfficheMessage(rs("rsErrMaxSurf"), mtWarning, mbOK);
      return;
    }
    TSurfNewForm* s = FenetresSurfaces(f).SurfNew;
    s->Prepare();
    s->open();
  });
  on("MeSurfSupprimer", [&f] { OuvreListe(f, lsSuppr); });
  on("MeSurfDupliquer", [&f] {
    if (f.Document().NbSurf() >= MaxSurf) {
      AfficheMessage(rs("rsErrMaxSurf"), mtWarning, mbOK);
      return;
    }
    OuvreListe(f, lsDupliquer);
  });
  on("MeSurfRenommer", [&f] { OuvreListe(f, lsRenommer); });
  on("MeSurfVerrouillage", [&f] { OuvreListe(f, lsVerrou); });
  on("MePorteeCalculs", [&f] { OuvreListe(f, lsPorteeCalc); });
  on("MeSurfProprietes", [&f] {
    TPropSurfForm* p = FenetresSurfaces(f).PropSurf;
    const TPC& pc = f.Document().PCCourant;
    p->Prepare(pc.Existe() ? pc.NumSurf : 0);
    p->open();
  });
  on("MeSurfVisibilite", [&f] {
    TListeSurfVisiblesForm* v = FenetresSurfaces(f).Visibles;
    v->Rafraichit();
    v->show();
    v->raise();
  });
  on("MePrecPerso", [&f] {
    TPrecisForm* p = FenetresSurfaces(f).Precis;
    p->Prepare(f.Document().Precision);
    p->open();
  });
  on("MeEspacementGrille", [&f] {
    TGrilleForm* g = FenetresSurfaces(f).Grille;
    g->Prepare();
    g->open();
  });
  on("MeExportSurfaces", [&f] { ExporteSurfaces(f); });
}

QWidget* PrepareFenetreSurfaces(TMainForm& f, const std::string& nom) {
  TFenetresSurfaces w = FenetresSurfaces(f);
  if (!w.SurfNew) return nullptr;
  if (nom == "surfnew") {
    w.SurfNew->Prepare();
    return w.SurfNew;
  }
  if (nom == "listesurf") {
    w.ListeSurf->Prepare(lsVerrou);
    return w.ListeSurf;
  }
  if (nom == "propsurf") {
    w.PropSurf->Prepare(0);
    return w.PropSurf;
  }
  if (nom == "precis") {
    w.Precis->Prepare(f.Document().Precision);
    return w.Precis;
  }
  if (nom == "grille") {
    w.Grille->Prepare();
    return w.Grille;
  }
  return nullptr;
}
