// Test helpers for the main window: a window on the offscreen platform with an
// in-memory document store, scripted answers to its questions, and file choices.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <deque>
#include <map>
#include <memory>

#include "app/Principale.h"
#include "base/Services.h"
#include "session/ObjCom.h"
#include "views/Modele.h"

// Documents "on disk" for the window: a name gives a builder; writes are recorded.
struct FauxDisque {
  std::map<std::string, std::function<void(TDocument&)>> Fichiers;
  std::vector<std::string> Ecrits;
  bool EcritureOk = true;
  int Lectures = 0;

  TDocumentIO IO() {
    TDocumentIO io;
    io.Lire = [this](TDocument& doc, const std::string& chemin, bool, bool fusion, std::string& err) {
      Lectures++;
      if (chemin == "/bateaux/abime.kvb") {
        // A reader that says what went wrong in a message of its own.
        AfficheMessage("Fichier abîmé", mtError, mbOK);
        return false;
      }
      if (chemin == "/bateaux/partiel.kvb") {
        // As the real reader: a read with errors is taken only when the user says so.
        if (AfficheMessage("Lu en partie", mtWarning, mbYes | mbNo) != mrYes) {
          err = "Ouverture abandonnée";
          return false;
        }
        if (!fusion) doc.Vider();
        NouvelleSurface(doc, "Partielle", 1, {});
        doc.FichierLuAvecErreurs = chemin;
        return true;
      }
      auto it = Fichiers.find(chemin);
      if (it == Fichiers.end()) {
        err = "Le fichier " + chemin + " est introuvable";
        return false;
      }
      TDocument lu;
      it->second(lu);
      if (!fusion) doc.Vider();
      for (auto& s : lu.TabSurf) {
        if (doc.NbSurf() >= MaxSurf) break;
        s->NumSurf = doc.NbSurf();
        if (auto* n = dynamic_cast<TSurface*>(s.get())) n->Net.NumSurf = s->NumSurf;
        doc.TabSurf.push_back(std::move(s));
      }
      return true;
    };
    io.Ecrire = [this](TDocument& doc, std::string& err) {
      if (!EcritureOk) {
        err = "Erreur d'écriture de " + doc.NomFichier;
        return false;
      }
      Ecrits.push_back(doc.NomFichier);
      return true;
    };
    return io;
  }
};

struct FenetreTest {
  TAffichageGarde Garde;  // the window sets the session's toggles: they come back after it
  FauxDisque Disque;
  std::unique_ptr<TMainForm> F;
  std::deque<int> Reponses;           // answers to the next questions, in order
  std::vector<std::string> Messages;  // every message shown
  std::deque<QString> Choix;          // answers of the file dialogs ("" = cancelled)

  explicit FenetreTest(TLigneCommande lc = {}) {
    Disque.Fichiers["/bateaux/yacht.kvb"] = [](TDocument& d) { modele::Yacht(d, 20, 0); };
    Disque.Fichiers["/bateaux/ancien.kvb"] = [](TDocument& d) {
      AfficheMessage("Version ancienne", mtWarning, mbOK);
      NouvelleSurface(d, "Ancienne", 1, {});
    };
    Disque.Fichiers["/bateaux/plan.kvb"] = [](TDocument& d) {
      NouvelleSurface(d, "Plan", 1, {});
      MajSurface(d, true, -1);
    };
    F = std::make_unique<TMainForm>(lc, Disque.IO());
    Services().AfficheMessage = [this](const std::string& t, int, int boutons) {
      Messages.push_back(t);
      if (Reponses.empty()) return ReponseParDefaut(boutons);
      int r = Reponses.front();
      Reponses.pop_front();
      return r;
    };
    F->ChoisirFichier = [this](bool, const QString&, const QString&) {
      QString c = Choix.empty() ? QString() : Choix.front();
      if (!Choix.empty()) Choix.pop_front();
      return c;
    };
    F->resize(1200, 900);
    F->show();
    QApplication::processEvents();
    F->PremierAffichage(false);
    QApplication::processEvents();
  }
  ~FenetreTest() {
    // The window asks nothing more when it goes.
    F->Document().Modifie = false;
    F.reset();
    RestaureServicesDefaut();
  }
  QAction* A(const char* nom) const {
    QAction* a = F->Action(nom);
    EXPECT_NE(a, nullptr) << nom;
    return a;
  }
  TDocument& Doc() { return F->Document(); }
  TFormFille& Vue(int t) { return *F->Vue(t); }
  bool A_Vu(const std::string& t) const {
    for (const auto& m : Messages)
      if (m == t) return true;
    return false;
  }
};
