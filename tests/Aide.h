// Test helpers: a recorder of the messages the core shows, and a guard of the shell
// hooks; both put the defaults back when they go, whatever assertion failed meanwhile.
#pragma once

#include <string>
#include <vector>

#include "base/Services.h"

// Hooks a test sets by hand go back to the defaults at the end of its scope.
struct GardeServices {
  GardeServices() = default;
  GardeServices(const GardeServices&) = delete;
  GardeServices& operator=(const GardeServices&) = delete;
  ~GardeServices() { RestaureServicesDefaut(); }
};

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
