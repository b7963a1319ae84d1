// Test helpers: a recorder of the messages the core shows, restored on exit.
#pragma once

#include <string>
#include <vector>

#include "app/Services.h"

struct EnregistreMessages {
  std::vector<std::string> Textes;
  int Reponse = -1;  // -1: the dialog's default answer
  EnregistreMessages() {
    Services().AfficheMessage = [this](const std::string& t, int, int buttons) {
      Textes.push_back(t);
      return Reponse >= 0 ? Reponse : ReponseParDefaut(buttons);
    };
  }
  ~EnregistreMessages() { RestaureServicesDefaut(); }
  bool A(const std::string& t) const {
    for (const auto& x : Textes)
      if (x == t) return true;
    return false;
  }
};
