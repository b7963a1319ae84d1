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
    io.Lire = [this](const TDocument& cible, const std::string& chemin, bool) {
      Lectures++;
      TResultatLecture r;
      r.Fichier = chemin;
      r.N0 = cible.NbSurf();
      if (chemin == "/bateaux/abime.kvb") {
        r.Constats.push_back({TGravite::Erreur, chemin, 0, "Fichier abîmé"});
        return r;
      }
      auto lu = std::make_unique<TDocumentLu>();
      lu->Doc.Precision = cible.Precision;
      if (chemin == "/bateaux/partiel.kvb") {
        // As the real reader: part of the file lost, the rest returned for the caller to take or not.
        NouvelleSurface(lu->Doc, "Partielle", 1, {});
        r.Constats.push_back({TGravite::Avertissement, chemin, 0, "Lu en partie"});
      } else {
        auto it = Fichiers.find(chemin);
        if (it == Fichiers.end()) {
          r.Constats.push_back({TGravite::Erreur, chemin, 0, "Le fichier " + chemin + " est introuvable"});
          return r;
        }
        it->second(lu->Doc);
      }
      // Numbered after the target's surfaces, up to the limit, as the reader does.
      auto& tab = lu->Doc.TabSurf;
      if (r.N0 + static_cast<int>(tab.size()) > MaxSurf) tab.resize(static_cast<size_t>(MaxSurf - r.N0));
      for (size_t k = 0; k < tab.size(); k++) {
        tab[k]->NumSurf = r.N0 + static_cast<int>(k);
        if (auto* n = dynamic_cast<TSurface*>(tab[k].get())) n->Net.NumSurf = tab[k]->NumSurf;
      }
      r.Contenu = std::move(lu);
      return r;
    };
    io.Installe = DocumentIOStandard().Installe;
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

  // disqueReel: the program's own reader and writer on real files, reads counted.
  explicit FenetreTest(TLigneCommande lc = {}, bool disqueReel = false) {
    Disque.Fichiers["/bateaux/yacht.kvb"] = [](TDocument& d) { modele::Yacht(d, 20, 0); };
    Disque.Fichiers["/bateaux/ancien.kvb"] = [](TDocument& d) {
      AfficheMessage("Version ancienne", mtWarning, mbOK);
      NouvelleSurface(d, "Ancienne", 1, {});
    };
    Disque.Fichiers["/bateaux/plan.kvb"] = [](TDocument& d) {
      NouvelleSurface(d, "Plan", 1, {});
      MajSurface(d, true, -1);
    };
    TDocumentIO io = Disque.IO();
    if (disqueReel) {
      io = DocumentIOStandard();
      io.Lire = [this, lire = io.Lire](const TDocument& cible, const std::string& chemin, bool d) {
        Disque.Lectures++;
        return lire(cible, chemin, d);
      };
    }
    F = std::make_unique<TMainForm>(lc, io);
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
