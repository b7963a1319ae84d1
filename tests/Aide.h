// Test helpers: a recorder of the messages the core shows, and a guard of the shell
// hooks; both put the defaults back when they go, whatever assertion failed meanwhile.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
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

// A FIFO nobody writes to: opening it to read blocks. After `delaiMs` a writer opens
// and closes it now and then, so that a reader that did block gets an empty file and
// the test fails instead of hanging.
class FifoSansEcrivain {
 public:
  explicit FifoSansEcrivain(std::string chemin, int delaiMs = 5000) : Chemin(std::move(chemin)) {
    ::unlink(Chemin.c_str());
    Cree = ::mkfifo(Chemin.c_str(), 0600) == 0;
    Fil = std::thread([this, delaiMs] {
      const auto fin = std::chrono::steady_clock::now() + std::chrono::milliseconds(delaiMs);
      while (!Fini) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (std::chrono::steady_clock::now() < fin) continue;
        // Succeeds only while a reader has it open.
        int fd = ::open(Chemin.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) {
          ::close(fd);
          Liberations++;
        }
      }
    });
  }
  FifoSansEcrivain(const FifoSansEcrivain&) = delete;
  FifoSansEcrivain& operator=(const FifoSansEcrivain&) = delete;
  ~FifoSansEcrivain() {
    Fini = true;
    Fil.join();
    ::unlink(Chemin.c_str());
  }
  const std::string Chemin;
  bool Cree = false;
  std::atomic<int> Liberations{0};  // readers found blocked on it

 private:
  std::atomic<bool> Fini{false};
  std::thread Fil;
};
