// The surface, precision and grid commands of the main window and their screenshot
// names: each command opens its window, and each change ends the same way (document
// updated where it is out of date, views redrawn, tool windows refreshed).
#include "model/forms/CommandesSurfaces.h"

#include <QAction>

#include "app/CommandesEdition.h"
#include "app/Principale.h"
#include "base/Chaines.h"
#include "base/Debug.h"
#include "base/Services.h"
#include "document/GestFich.h"
#include "edition/GrilleVue.h"
#include "model/forms/GrilleForm.h"
#include "model/forms/ListeSurfForm.h"
#include "model/forms/PrecisForm.h"
#include "model/forms/PropSurfForm.h"
#include "model/forms/SurfNewForm.h"
#include "session/ObjCom.h"
#include "ui/Registre.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// What follows every change of the surfaces: what is out of date is brought up to
// date (only the surfaces whose flags were cleared are evaluated again), then the views
// and the tool windows show it.
void Actualise(TMainForm& f, bool videSelections) {
  TDocument& d = f.Document();
  if (videSelections)
    for (int t = tvSection; t <= tvPersp; t++)
      if (TFormFille* v = f.Vue(t)) v->VideSelection();
  if (!d.PCCourant.Existe() || d.PCCourant.NumSurf >= d.NbSurf()) PCCourantPremierLibre(d);
  {
    TCurseurAttente attente;
    GeometrieModifiee(d, avGeometrie | avListe | avProprietes);
  }
  if (auto* v = f.findChild<TListeSurfVisiblesForm*>("ListeSurfVisiblesForm"); v && v->isVisible())
    v->Rafraichit();
  // The commands' states follow the surface count and the precision.
  f.Rafraichit();
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
    // No reason: the user declined to write over the file.
    if (!ok && !erreur.empty()) {
      DbgErr(erFichier, "TMainForm.ExportSurfacesClick", 0, {c, erreur});
      AfficheMessage(erreur, mtError, mbOK);
    }
    return ok;
  };
  if (l->Prepare(lsExport)) l->open();
}

void Connecte(TMainForm& f, const TFenetresSurfaces& w) {
  w.SurfNew->QuandCree = [&f](int k) {
    // The snapshot holds the new surface: an undo then never reaches an older edit.
    if (TEditionProgramme* e = f.Edition()) e->RecordAction(taSnapshot, "rsEtapeNouvelleSurface");
    MajSurface(f.Document(), true, k);
    Actualise(f, false);
  };
  w.ListeSurf->AvantModification = [&f](int mode) {
    TEditionProgramme* e = f.Edition();
    if (!e) return;
    if (mode == lsSuppr)
      e->RecordAction(taListeChangee, "rsEtapeSupprSurfaces");
    else if (mode == lsDupliquer)
      e->RecordAction(taListeChangee, "rsEtapeDupliquerSurfaces");
    else if (mode == lsMirroirV || mode == lsMirroirH)
      e->RecordAction(taSnapshot, "rsEtapeMiroir");
  };
  w.ListeSurf->QuandApplique = [&f](const TChangementSurfaces& c) {
    if (c.Mode == lsSuppr)
      if (TEditionProgramme* e = f.Edition()) e->RepareSelections();
    if (c.Mode != lsExport) Actualise(f, true);
  };
  w.Visibles->QuandChange = [&f] { Actualise(f, true); };
  w.PropSurf->QuandApplique = [&f](const std::vector<int>&) { Actualise(f, true); };
  w.Precis->QuandApplique = [&f](int n) {
    ::ChangePrecision(f.Document(), n);
    Actualise(f, false);
  };
  // The menu's radio items show the precision in force, also after a Cancel.
  QObject::connect(w.Precis, &QDialog::finished, &f, [&f] { f.Rafraichit(); });
  w.Grille->QuandApplique = [&f] {
    f.Grille = GrilleDuDocument(f.Document());
    Actualise(f, false);
  };
  w.Grille->OuvrePortee = [&f] { OuvreListe(f, lsPorteeCalc); };
}

using F = TMainForm;

bool AvecSurface(const F& f) { return f.Document().NbSurf() > 0; }

const TEnregistrement Enregistre([] {
  EnregistreCommande({.Nom = "MeSurfAjouter", .Execute = [](F& f, bool) {
                        if (f.Document().NbSurf() >= MaxSurf) {
                          AfficheMessage(rs("rsErrMaxSurf"), mtWarning, mbOK);
                          return;
                        }
                        TSurfNewForm* s = FenetresSurfaces(f).SurfNew;
                        s->Prepare();
                        s->open();
                      }});
  EnregistreCommande({.Nom = "MeSurfSupprimer", .Actif = AvecSurface, .Execute = [](F& f, bool) {
                        OuvreListe(f, lsSuppr);
                      }});
  EnregistreCommande({.Nom = "MeSurfDupliquer", .Actif = AvecSurface, .Execute = [](F& f, bool) {
                        if (f.Document().NbSurf() >= MaxSurf) {
                          AfficheMessage(rs("rsErrMaxSurf"), mtWarning, mbOK);
                          return;
                        }
                        OuvreListe(f, lsDupliquer);
                      }});
  EnregistreCommande({.Nom = "MeSurfRenommer", .Actif = AvecSurface, .Execute = [](F& f, bool) {
                        OuvreListe(f, lsRenommer);
                      }});
  EnregistreCommande({.Nom = "MeSurfVerrouillage", .Actif = AvecSurface, .Execute = [](F& f, bool) {
                        OuvreListe(f, lsVerrou);
                      }});
  EnregistreCommande({.Nom = "MePorteeCalculs", .Actif = AvecSurface, .Execute = [](F& f, bool) {
                        OuvreListe(f, lsPorteeCalc);
                      }});
  EnregistreCommande({.Nom = "MeSurfProprietes", .Actif = AvecSurface, .Execute = [](F& f, bool) {
                        TPropSurfForm* p = FenetresSurfaces(f).PropSurf;
                        const TPC& pc = f.Document().PCCourant;
                        p->Prepare(pc.Existe() ? pc.NumSurf : 0);
                        p->open();
                      }});
  EnregistreCommande({.Nom = "MeSurfVisibilite", .Actif = AvecSurface, .Execute = [](F& f, bool) {
                        TListeSurfVisiblesForm* v = FenetresSurfaces(f).Visibles;
                        v->Rafraichit();
                        v->show();
                        v->raise();
                      }});
  EnregistreCommande({.Nom = "MePrecPerso",
                      .Coche =
                          [](const F& f) {
                            int n = f.Document().Precision;
                            return n != 10 && n != 20 && n != 50 && n != 100;
                          },
                      .Execute =
                          [](F& f, bool) {
                            TPrecisForm* p = FenetresSurfaces(f).Precis;
                            p->Prepare(f.Document().Precision);
                            p->open();
                          }});
  EnregistreCommande({.Nom = "MeEspacementGrille", .Execute = [](F& f, bool) {
                        TGrilleForm* g = FenetresSurfaces(f).Grille;
                        g->Prepare();
                        g->open();
                      }});
  EnregistreCommande(
      {.Nom = "MeExportSurfaces", .Actif = AvecSurface, .Execute = [](F& f, bool) { ExporteSurfaces(f); }});

  // The screenshot mode: each window alone, filled from the document.
  auto montre = [](QWidget* w) {
    w->adjustSize();
    w->show();
    return w;
  };
  EnregistreFenetre({.Nom = "surfnew", .Ordre = 200, .Montre = [montre](F& f) -> QWidget* {
                       TSurfNewForm* w = FenetresSurfaces(f).SurfNew;
                       w->Prepare();
                       return montre(w);
                     }});
  EnregistreFenetre({.Nom = "listesurf", .Ordre = 210, .Montre = [montre](F& f) -> QWidget* {
                       TListeSurfForm* w = FenetresSurfaces(f).ListeSurf;
                       w->Prepare(lsVerrou);
                       return montre(w);
                     }});
  EnregistreFenetre({.Nom = "propsurf", .Ordre = 220, .Montre = [montre](F& f) -> QWidget* {
                       TPropSurfForm* w = FenetresSurfaces(f).PropSurf;
                       w->Prepare(0);
                       return montre(w);
                     }});
  EnregistreFenetre({.Nom = "precis", .Ordre = 230, .Montre = [montre](F& f) -> QWidget* {
                       TPrecisForm* w = FenetresSurfaces(f).Precis;
                       w->Prepare(f.Document().Precision);
                       return montre(w);
                     }});
  EnregistreFenetre({.Nom = "grille", .Ordre = 240, .Montre = [montre](F& f) -> QWidget* {
                       TGrilleForm* w = FenetresSurfaces(f).Grille;
                       w->Prepare();
                       return montre(w);
                     }});
});

}  // namespace

TFenetresSurfaces FenetresSurfaces(TMainForm& f) {
  TFenetresSurfaces r;
  r.SurfNew = f.findChild<TSurfNewForm*>("SurfNewForm");
  r.ListeSurf = f.findChild<TListeSurfForm*>("ListeSurfForm");
  r.Visibles = f.findChild<TListeSurfVisiblesForm*>("ListeSurfVisiblesForm");
  r.PropSurf = f.findChild<TPropSurfForm*>("PropSurfForm");
  r.Precis = f.findChild<TPrecisForm*>("PrecisForm");
  r.Grille = f.findChild<TGrilleForm*>("GrilleForm");
  if (r.SurfNew) return r;
  TDocument& d = f.Document();
  r.SurfNew = new TSurfNewForm(d, &f);
  r.ListeSurf = new TListeSurfForm(d, &f);
  r.Visibles = new TListeSurfVisiblesForm(d, &f);
  r.PropSurf = new TPropSurfForm(d, &f);
  r.Precis = new TPrecisForm(&f);
  r.Grille = new TGrilleForm(d, &f);
  Connecte(f, r);
  return r;
}
