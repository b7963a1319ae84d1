// One program per user: the first start listens on a local socket in the user's runtime
// folder; a later start hands its documents to it (or only asks it to come to the front)
// and ends.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QLocalServer;
class QLocalSocket;

// This user's server: a socket in the user's own runtime folder.
QString NomServeurInstance();

// A request to the running program: its documents (absolute names, maybe none) and
// whether they are merged without a question.
struct TDemandeInstance {
  QStringList Fichiers;
  bool Fusion = false;
};

// The later start's side: hands the request to the running program, waiting `attenteMs` at
// most for its answer (it may still be starting). Gives the document it had open (empty for
// none) when it answered; false when nothing answered.
bool TransmetAInstance(const TDemandeInstance& d, QString* documentOuvert = nullptr, int attenteMs = 30000);

// The running program's side. Listens from its creation, before the main window exists;
// requests wait in the socket's queue until Traite(), which the program calls once ready.
class TServeurInstance : public QObject {
 public:
  explicit TServeurInstance(QObject* parent = nullptr);
  bool Ecoute() const;
  // `traite` is called for each request at the next turn of the event loop (it may ask
  // questions); `document` gives the open document's name for the answers.
  void Traite(std::function<void(const TDemandeInstance&)> traite, std::function<QString()> document);

 private:
  QLocalServer* Serveur = nullptr;
  std::function<void(const TDemandeInstance&)> Traitement;
  std::function<QString()> Document;
  void Connexion();
  void Lit(QLocalSocket* s);
};
