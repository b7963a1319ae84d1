// The main window: the frame holding the four view windows, the main menu, the tool
// bar, the toolbox and the pop-up menus (all built from the command registry,
// Registre.h), and the status bar with its progress bar. It owns the document, keeps
// its modified state, and asks before anything is lost. It installs the shell hooks
// the core calls.
#pragma once

#include <QMainWindow>
#include <QString>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/DocumentIO.h"
#include "app/LigneCommande.h"
#include "base/Debug.h"
#include "model/Document.h"
#include "session/Avis.h"
#include "session/ObjCom.h"
#include "views/FormFille.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QMdiArea;
class QMdiSubWindow;
class QProgressBar;
class QToolBar;
class QUrl;
class TBoiteOutilsForm;
class TCalculatriceForm;
class TDebugForm;
class TEditionProgramme;
struct TCommande;

class TMainForm : public QMainWindow, public THoteVues {
  Q_OBJECT

 public:
  // Runs the start-up of the main window: first document, command line (the file it
  // names is read), view windows, menus. Nothing is drawn before PremierAffichage().
  explicit TMainForm(const TLigneCommande& lc, TDocumentIO io = DocumentIOStandard(),
                     QWidget* parent = nullptr);
  ~TMainForm() override;

  // The first display: enable drawing, lay out the views, restore their placements
  // or fit them, draw; with someone to answer, show a start-up reading error and offer
  // the recovery document. Without (a screenshot, a test), no dialog opens: a default
  // answer would replace the design asked for by a copy of another.
  void PremierAffichage(bool interactif = true);

  // THoteVues
  TDocument& Document() override { return Doc; }
  const TDocument& Document() const { return Doc; }
  const TAffichageVues& Affichage() const override { return Aff; }
  const TOptionsVues& OptionsVues() const override { return OptV; }
  const TGrilleVue& GrilleVue() const override { return Grille; }
  // Nothing is drawn while the handler of an uncaught error works on the document.
  bool DessinPermis() const override { return DessinOK && !GestionErreurEnCours(); }
  bool ModeZoom() const override;
  bool ModeDeplacer() const override;
  void FinModeZoom() override;
  void FinModeDeplacer() override;
  void Molette(TFormFille& v, int delta, TModifs m) override;
  void MenuVue(TFormFille& v, const QPoint& global) override;
  void EcritStatus(int panneau, const std::string& texte) override;
  THoteEdition* HoteEdition() override;
  // Undo, the editing commands and modes, the instant-hydrostatics panel.
  TEditionProgramme* Edition() const { return Edit; }

  // The document's life. Each returns whether it went through (false: cancelled or failed,
  // the document is then as it was).
  bool Nouveau();
  bool Ouvrir();
  bool Fermer();
  bool Enregistrer();
  bool EnregistrerSous();
  // Reads a file: after closing the current document, or merged into it.
  bool OuvrirFichier(const std::string& chemin, bool demarrage, bool fusion);
  // A file named from outside the menus (handed by a later start, dropped on the window):
  // the open command's question (close the design, or merge the file into it), then the read.
  bool OuvrirDemande(const std::string& chemin);
  // Files to merge into the design: each after a question unless `sansQuestion`.
  void FusionneFichiers(const std::vector<std::string>& fichiers, bool sansQuestion);
  // The first through OuvrirDemande, the others merged into it.
  void OuvreFichiersDemandes(const std::vector<std::string>& fichiers, bool fusion);

  // View commands on the active view (the menu's and the keyboard's).
  void Agrandir(TModifs m);
  void Reduire(TModifs m);
  void Ajuster(TFormFille& v, bool memorise);
  void AjusterTout();
  void ActiveVue(int type, bool maximise);
  void MosaiqueHorizontale();
  void MosaiqueVerticale();
  void Mosaique(bool horizontale, bool grille = false);
  // The start-up layout: the four views (and the studio when shown) two by two.
  void Disposition2x2() { Mosaique(true, true); }
  void Cascade();
  // A tool window shown for the first time without a stored place: beside what it serves,
  // never over the menus and tool bar (small ones at the top right of the views' area,
  // one under the other; large ones beside the main window when the screen has room).
  void PlaceOutil(QWidget* w);
  // Whether the views follow the main window's size (tiled, until one is moved by hand).
  bool DispositionSuivie() const { return Disposition != TDisposition::Libre; }
  void ReorganiseIcones();
  void ChangePrecision(int n);
  void Copier();
  void GuideUtilisateur();
  // Zoom and move modes (the view's mouse acts on them).
  void ChangeModeZoom(bool on);
  void ChangeModeDeplacer(bool on);
  // The keyboard hook: arrows pan (or turn the perspective with Shift), Page Up/Down zoom.
  bool TraiteTouche(int touche, Qt::KeyboardModifiers m);

  // Redraws one view, and every other visible view, so that no window shows a stale model.
  void AfficheNet();
  void RafraichitFenetresOutils();

  // The commands: runs one through the dispatcher (what its handler throws is caught
  // and reported); sets every action's enabled, checked, shown states and caption from
  // its command's tests. Both return false / do nothing for an unknown name.
  bool Lance(const std::string& nom, bool coche = false);
  void Rafraichit();
  QAction* Action(const QString& nom) const;
  bool ModeDebug() const { return Debug; }

  TFormFille* Vue(int type) const;
  TFormFille* FenetreActive() const;
  QMdiSubWindow* SousFenetre(int type) const;
  QMdiArea* Zone() const { return Mdi; }
  QToolBar* BarreOutils() const { return Barre; }
  TBoiteOutilsForm* BoiteOutils() const { return Boite; }
  TCalculatriceForm* Calculatrice() const { return Calc; }
  TDebugForm* Debogueur() const { return Dbg; }
  QLabel* Panneau(int i) const { return Panneaux[static_cast<size_t>(i)]; }
  QProgressBar* Progression() const { return Progress; }
  int Port() const { return PortDebug; }
  // The error of the file named on the command line, until the first display shows it.
  const std::string& ErreurOuverture() const { return ErreurDemarrage; }

  // File choice: (save?, filter in the text table's "name|pattern|..." form, initial path)
  // -> chosen path, empty when cancelled. Tests install their own.
  std::function<QString(bool enregistrer, const QString& filtre, const QString& initial)> ChoisirFichier;
  // The user's guide: looked for from the program's folder, opened with the desktop's
  // default program (true: it started). Tests install their own.
  QString DossierProgramme;
  std::function<bool(const QUrl&)> OuvreDocument;
  TDocumentIO IO;

  // The display switches: the session's, read by the views and the updates alike.
  TAffichageVues& Aff = AffichageCalculs();
  TOptionsVues OptV;
  TGrilleVue Grille;

  // The window beside the four views (the studio): a view command it takes over while
  // active returns true.
  std::function<bool(const std::string& commande, TModifs m)> CommandeFenetre;
  std::function<bool()> FenetreHorsVuesActive;
  void VueRedessinee(TFormFille& v) override { Q_EMIT RedessinVue(v.Type()); }

 Q_SIGNALS:
  // The model was drawn again in the views: the windows beside them (studio, vertex
  // editor and list) follow.
  void ModeleRedessine();
  // A view kind was activated; one was drawn again (the view-control window follows).
  void ActivationVue(int type);
  void RedessinVue(int type);

 public:
 protected:
  void closeEvent(QCloseEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;
  // A document dropped from the file manager opens as one named on the command line would.
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dropEvent(QDropEvent* e) override;

 private:
  TDocument Doc;
  // The notices of change of Doc: selections follow at once, the rest at the next turn
  // of the event loop, once for a command's many notices.
  TAbonnement AbonnementDoc;
  bool MajPrevue = false;
  bool VuesAJour = true;
  void AvisRecu(const TAvis& a);
  bool DessinOK = false;
  bool Debug = false;
  bool Zoom = false, Deplacer = false;
  int VueAnnoncee = tvSection;
  int PortDebug = PortDebugDefaut;
  std::string ErreurDemarrage;
  bool ModeCapture = false;  // nobody is there to answer a question
  QMdiArea* Mdi = nullptr;
  std::array<TFormFille*, 4> Vues{};
  std::array<QMdiSubWindow*, 4> Sous{};
  std::array<QLabel*, 5> Panneaux{};
  QProgressBar* Progress = nullptr;
  QToolBar* Barre = nullptr;
  TBoiteOutilsForm* Boite = nullptr;
  TCalculatriceForm* Calc = nullptr;
  TDebugForm* Dbg = nullptr;
  TEditionProgramme* Edit = nullptr;
  // The registry's commands as built: the command (a copy), its action, its menu.
  struct TCommandeConstruite;
  std::vector<TCommandeConstruite> Construites;
  std::vector<std::pair<QAction*, QAction*>> Separateurs;  // (separator, the item after it)
  QMenu* PopVue = nullptr;
  QMenu* PopZone = nullptr;
  // The last layout command; the area's resizes lay the windows out again by it.
  enum class TDisposition { Libre, Horizontale, Verticale, Grille, Cascade };
  TDisposition Disposition = TDisposition::Libre;
  bool EnDisposition = false;  // the moves and resizes are ours
  void Redispose();
  // The windows of the area that a layout places: views first, then the others shown.
  std::vector<QMdiSubWindow*> FenetresADisposer() const;

  void CreeActions();
  void CreeMenu(const std::string& place, QMenu* parent);
  void CreeMenus();
  void Lance(const TCommande& c, bool coche);
  void CreeBarreOutils();
  void CreeBoiteOutils();
  void CreeBarreEtat();
  void CreeVues();
  void InstalleServices();
  void Relie();
  void EtapesFermeture();
  bool DemandeSauvegarde();
  bool QuestionOuverture(bool& fusion);
  void AppliqueVuesDocument();
  void CopieVuesDansDocument();
  void VueActivee(QMdiSubWindow* s);
  void MajCaption();
};
