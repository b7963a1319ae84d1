// The measuring and dimensioning modes in the views: a press, drag and release (two for
// an angle) places a distance, radius or angle; a measure shows its value in the status
// bar, a dimension joins the document. The rubber band is drawn over the view, never
// into its image. Registered at start-up (the six mode commands); nothing to call.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "edition/Mesures.h"
#include "session/Avis.h"
#include "views/FormFille.h"

class TMainForm;

class TOutilsMesure : public QObject {
 public:
  explicit TOutilsMesure(TMainForm& f);
  ~TOutilsMesure() override;
  // The tools of the main window, made (and wired to its views) at first use.
  static TOutilsMesure& De(TMainForm& f);

  bool eventFilter(QObject* o, QEvent* e) override;
  // Forgets the gesture under way and what it shows (a mode changed, the document closed).
  void Reinitialise();
  int Couleur() const;  // the setting "Mesure"

  TGesteMesure Geste;
  bool Cotation = false;
  // The view of the gesture under way, or of the last measure still shown.
  QPointer<TFormFille> VueGeste;
  bool Affiche = false;  // a figure is shown over VueGeste
  bool Final = false;    // ... and it is a finished measure (with its value)

 private:
  TAbonnement Avis;
  TMainForm& F;
  bool FinParGeste = false;  // the mode is being turned off by the end of a gesture
  // The mode checked now: the tool and whether it makes a dimension; false when none.
  bool ModeCourant(TGenreMesure& g, bool& cotation) const;
  void MontreBande(TFormFille& v);
  void FinDuMode();
};

// Paints the tool's figure over one view.
class TCalqueMesure : public QWidget {
 public:
  TCalqueMesure(TOutilsMesure& o, TFormFille& v);

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  TOutilsMesure& O;
  TFormFille& V;
};
