// The view commands (Voir), the window commands (Fenêtre), the pop-up menus of a view
// and of the window area, and the views' names for the screenshot mode.
#include <QGuiApplication>
#include <QMdiArea>
#include <iterator>
#include <string>

#include "app/LigneCommande.h"
#include "app/Principale.h"
#include "edition/Cadrage.h"
#include "ui/Registre.h"
#include "views/FormFille.h"

namespace {

using F = TMainForm;

TModifs ModifsClavier() {
  Qt::KeyboardModifiers m = QGuiApplication::queryKeyboardModifiers();
  return {(m & Qt::ControlModifier) != 0, (m & Qt::AltModifier) != 0, (m & Qt::ShiftModifier) != 0};
}

// Runs f on the active view (FenetreActive says when there is none).
template <class Fn>
auto SurActive(Fn fn) {
  return [fn](F& f, bool) {
    if (TFormFille* v = f.FenetreActive()) fn(f, *v);
  };
}

const char* const NomsVues[4] = {"MeVueSection", "MeVuePlan", "MeVueProfil", "MeVuePersp"};
const char* const PopVues[4] = {"MePopZoneSection", "MePopZonePlan", "MePopZoneProfil", "MePopZonePersp"};
const char* const ClesVues[4] = {"rsVueSection", "rsVuePlan", "rsVueProfil", "rsVuePersp"};

const TEnregistrement Enregistre([] {
  // Voir
  EnregistreCommande({.Nom = "MeZoom",
                      .Coche = [](const F& f) { return f.ModeZoom(); },
                      .Execute = [](F& f, bool on) { f.ChangeModeZoom(on); }});
  EnregistreCommande({.Nom = "MeDeplacer",
                      .Coche = [](const F& f) { return f.ModeDeplacer(); },
                      .Execute = [](F& f, bool on) { f.ChangeModeDeplacer(on); }});
  EnregistreCommande({.Nom = "MeAgrandir", .Execute = [](F& f, bool) { f.Agrandir(ModifsClavier()); }});
  EnregistreCommande({.Nom = "MeReduire", .Execute = [](F& f, bool) { f.Reduire(ModifsClavier()); }});
  EnregistreCommande(
      {.Nom = "MeAjuster", .Execute = SurActive([](F& f, TFormFille& v) { f.Ajuster(v, true); })});
  EnregistreCommande({.Nom = "MeRecentrer", .Execute = [](F& f, bool c) {
                        if (f.CommandeFenetre && f.CommandeFenetre("MeRecentrer", ModifsClavier())) return;
                        SurActive([](F& f, TFormFille& v) {
                          v.Cadrage.MemorisePrecedente();
                          v.Cadrage.CentreModele(f.Document(), f.Aff.Moitie);
                          v.Redessine();
                        })(f, c);
                      }});
  EnregistreCommande({.Nom = "MeVuePrecedente", .Execute = [](F& f, bool) {
                        f.FinModeZoom();
                        if (TFormFille* v = f.FenetreActive()) {
                          v->Cadrage.EchangePrecedente();
                          v->Redessine();
                        }
                      }});
  EnregistreCommande({.Nom = "MeSauverVue", .Execute = SurActive([](F& f, TFormFille& v) {
                                              v.Cadrage.SauveVue(
                                                  f.Document().VuesPerso[static_cast<size_t>(v.Type())]);
                                              f.Document().MarqueModifie();
                                            })});
  EnregistreCommande({.Nom = "MeVuePerso", .Execute = SurActive([](F& f, TFormFille& v) {
                                             TVuePerso& p =
                                                 f.Document().VuesPerso[static_cast<size_t>(v.Type())];
                                             if (!p.Sauvee) {
                                               // Nothing saved for this kind yet: the current view becomes
                                               // the custom one.
                                               f.Lance("MeSauverVue");
                                               return;
                                             }
                                             v.Cadrage.MemorisePrecedente();
                                             v.Cadrage.RestaureVue(p);
                                             v.Redessine();
                                           })});
  // Vertex: the row and column items are named after the active view.
  EnregistreCommande({.Nom = "MeAjoutLigne", .Libelle = [](const F& f) -> std::string {
                        return f.Document().VueActive == tvSection ? "rsMeAjoutLigneCaption"
                                                                   : "rsMeAjoutColonneCaption";
                      }});
  EnregistreCommande({.Nom = "MeSupprLigne", .Libelle = [](const F& f) -> std::string {
                        return f.Document().VueActive == tvSection ? "rsMeSupprLigneCaption"
                                                                   : "rsMeSupprColonneCaption";
                      }});
  // Fenêtre
  for (int t = tvSection; t <= tvPersp; t++)
    EnregistreCommande({.Nom = NomsVues[t],
                        .Coche =
                            [t](const F& f) {
                              const bool autre = f.FenetreHorsVuesActive && f.FenetreHorsVuesActive();
                              return f.Document().VueActive == t && !autre;
                            },
                        .Execute = [t](F& f, bool) { f.ActiveVue(t, true); }});
  EnregistreCommande({.Nom = "MeMosaiqueH", .Execute = [](F& f, bool) { f.MosaiqueHorizontale(); }});
  EnregistreCommande({.Nom = "MeMosaiqueV", .Execute = [](F& f, bool) { f.MosaiqueVerticale(); }});
  EnregistreCommande({.Nom = "MeCascade", .Execute = [](F& f, bool) { f.Cascade(); }});
  EnregistreCommande({.Nom = "MeDisposition2x2", .Places = {{"MeFenetre", 85}}, .Execute = [](F& f, bool) {
                        f.Disposition2x2();
                      }});
  EnregistreCommande({.Nom = "MeReorganiser", .Execute = [](F& f, bool) { f.ReorganiseIcones(); }});

  // The pop-up of a view (it acts on the view clicked, made active first).
  EnregistreCommande({.Nom = "MePopVueAjuster",
                      .Places = {{"PopVue", 10}},
                      .CleLibelle = "rsPopAjuster",
                      .Execute = SurActive([](F& f, TFormFille& v) { f.Ajuster(v, true); })});
  EnregistreCommande({.Nom = "MePopVueCentrer",
                      .Places = {{"PopVue", 20}},
                      .CleLibelle = "rsPopCentrer",
                      .Execute = SurActive([](F& f, TFormFille& v) {
                        v.Cadrage.CentreModele(f.Document(), f.Aff.Moitie);
                        v.Redessine();
                      })});
  EnregistreCommande({.Nom = "MeZoom", .Places = {{"PopVue", 30, true}}});
  EnregistreCommande({.Nom = "MeDeplacer", .Places = {{"PopVue", 40}}});
  EnregistreCommande({.Nom = "MePop3DExpress",
                      .Places = {{"PopVue", 50}},
                      .Genre = TGenre::SousMenu,
                      .CleLibelle = "rsPop3DExpress",
                      .Visible = [](const F& f) { return f.Document().VueActive == tvPersp; }});
  for (size_t i = 0; i < std::size(PresetsPersp); i++) {
    const TPresetPersp& p = PresetsPersp[i];
    EnregistreCommande({.Nom = "MePop3D" + std::to_string(i),
                        .Places = {{"MePop3DExpress", static_cast<int>(i) * 10}},
                        .CleLibelle = p.Nom,
                        .Execute = SurActive([p](F& f, TFormFille& v) {
                          v.Cadrage.Angles(p.Azimut, p.Elevation);
                          v.Cadrage.CentreOuAjuste(f.Document(), f.Aff.Moitie, f.OptV.ZoomMax);
                          v.Redessine();
                        })});
  }

  // The pop-up of the window area.
  EnregistreCommande({.Nom = "MePopZoneAjuster",
                      .Places = {{"PopZone", 10}},
                      .CleLibelle = "rsPopAjuster",
                      .Execute = [](F& f, bool) { f.AjusterTout(); }});
  EnregistreCommande({.Nom = "MePopZoneCentrer",
                      .Places = {{"PopZone", 20}},
                      .CleLibelle = "rsPopCentrer",
                      .Execute = [](F& f, bool) {
                        for (int t = tvSection; t <= tvPersp; t++) {
                          f.Vue(t)->Cadrage.CentreModele(f.Document(), f.Aff.Moitie);
                          f.Vue(t)->Redessine();
                        }
                      }});
  for (int t = tvSection; t <= tvPersp; t++)
    EnregistreCommande({.Nom = PopVues[t],
                        .Places = {{"PopZone", 30 + t, t == tvSection}},
                        .CleLibelle = ClesVues[t],
                        .Execute = [t](F& f, bool) { f.ActiveVue(t, true); }});
  EnregistreCommande({.Nom = "MeControleVues", .Places = {{"PopZone", 40, true}}});
  EnregistreCommande({.Nom = "MeSelectionVertex", .Places = {{"PopZone", 41}}});
  EnregistreCommande({.Nom = "MePopZoneMosaique",
                      .Places = {{"PopZone", 50, true}},
                      .CleLibelle = "rsPopMosaique",
                      .Execute = [](F& f, bool) { f.MosaiqueHorizontale(); }});
  EnregistreCommande({.Nom = "MePopZoneCascade",
                      .Places = {{"PopZone", 60}},
                      .CleLibelle = "rsPopCascade",
                      .Execute = [](F& f, bool) { f.Cascade(); }});

  // The screenshot mode's view names: the view maximised.
  struct {
    const char* Nom;
    int Ordre;
    bool Nommee;
  } const noms[] = {{"section", 0, true},     {"transversale", 0, false}, {"transverse", 0, false},
                    {"plan", 1, true},        {"profile", 2, true},       {"profil", 2, false},
                    {"perspective", 3, true}, {"persp", 3, false}};
  for (const auto& n : noms) {
    int t = TypeVueParNom(n.Nom);
    EnregistreFenetre({.Nom = n.Nom, .Ordre = n.Ordre, .Nommee = n.Nommee, .Montre = [t](F& f) -> QWidget* {
                         f.ActiveVue(t, true);
                         return &f;
                       }});
  }
});

}  // namespace
