// Default shell hooks for a program without windows.
#include "base/Services.h"

#include <cstdio>

namespace {

TServices ServicesDefaut() {
  TServices s;
  s.ProgressMax = [](int) {};
  s.ProgressPos = [](int) {};
  s.ProgressVisible = [](bool) {};
  s.WriteStatusBar = [](int, const std::string&) {};
  s.AfficheMessage = [](const std::string& text, int, int buttons) {
    std::fprintf(stderr, "%s\n", text.c_str());
    return ReponseParDefaut(buttons);
  };
  s.MarqueModifie = [](bool) {};
  s.CurseurAttente = [](bool) {};
  return s;
}

TServices& Instance() {
  static TServices s = ServicesDefaut();
  return s;
}

}  // namespace

TServices& Services() { return Instance(); }

void RestaureServicesDefaut() { Instance() = ServicesDefaut(); }

int ReponseParDefaut(int buttons) {
  // The dialog's left-to-right order of buttons.
  static const int ordre[][2] = {{mbYes, mrYes},       {mbNo, mrNo},         {mbOK, mrOk},
                                 {mbRetry, mrRetry},   {mbIgnore, mrIgnore}, {mbAll, mrAll},
                                 {mbCancel, mrCancel}, {mbAbort, mrAbort},   {mbHelp, mrNone}};
  for (const auto& b : ordre)
    if (buttons & b[0]) return b[1];
  return mrNone;
}

int AfficheMessage(const std::string& text, int type, int buttons) {
  auto& f = Services().AfficheMessage;
  return f ? f(text, type, buttons) : ReponseParDefaut(buttons);
}

void WriteStatusBar(int panel, const std::string& text) {
  if (Services().WriteStatusBar) Services().WriteStatusBar(panel, text);
}

void ProgressMax(int maximum) {
  if (Services().ProgressMax) Services().ProgressMax(maximum);
}

void ProgressPos(int position) {
  if (Services().ProgressPos) Services().ProgressPos(position);
}

void ProgressVisible(bool visible) {
  if (Services().ProgressVisible) Services().ProgressVisible(visible);
}

TCurseurAttente::TCurseurAttente(bool actif) : Actif(actif) {
  if (Actif && Services().CurseurAttente) Services().CurseurAttente(true);
}

TCurseurAttente::~TCurseurAttente() {
  if (Actif && Services().CurseurAttente) Services().CurseurAttente(false);
}

TMessagesCollectes::TMessagesCollectes() : Ancien(Services().AfficheMessage) {
  Services().AfficheMessage = [this](const std::string& texte, int, int boutons) {
    Textes.push_back(texte);
    return ReponseParDefaut(boutons);
  };
}

TMessagesCollectes::~TMessagesCollectes() {
  if (!Rendu) Services().AfficheMessage = Ancien;
}

std::vector<std::string> TMessagesCollectes::Rend() {
  if (!Rendu) Services().AfficheMessage = Ancien;
  Rendu = true;
  return Textes;
}
