// Fault signals and std::terminate. Little is safe inside a signal handler; the work
// is tried all the same, since the process is lost anyway, and a guard makes sure that
// a fault inside it ends the process instead of looping.
#include "base/Crash.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

namespace {

std::atomic<TTravailCrash> Travail{nullptr};
std::atomic<bool> Commence{false};
constexpr int Signaux[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};
bool Installe = false;

void Ecrit(const char* t) {
  ssize_t r = ::write(STDERR_FILENO, t, std::strlen(t));
  (void)r;
}

[[noreturn]] void Termine(int sig) {
  ::signal(sig, SIG_DFL);
  ::raise(sig);
  ::_exit(128 + sig);
}

void Lance(const char* raison) {
  TTravailCrash t = Travail.load();
  if (t) t(raison);
}

void SurSignal(int sig) {
  // The first entry does the work; any later one (a fault in the work, another thread)
  // leaves at once.
  if (Commence.exchange(true)) Termine(sig);
  Ecrit("brivane: ");
  Ecrit(NomSignal(sig));
  Ecrit(", the open design is being saved\n");
  Lance(NomSignal(sig));
  Termine(sig);
}

void SurTerminate() {
  if (!Commence.exchange(true)) {
    std::string r = "std::terminate";
    if (std::exception_ptr e = std::current_exception()) {
      try {
        std::rethrow_exception(e);
      } catch (const std::exception& x) {
        r += std::string(": ") + x.what();
      } catch (...) {
      }
    }
    Ecrit("brivane: ");
    Ecrit(r.c_str());
    Ecrit(", the open design is being saved\n");
    Lance(r.c_str());
  }
  // SIGABRT finds the work started and ends the process with it.
  std::abort();
}

}  // namespace

const char* NomSignal(int sig) {
  switch (sig) {
    case SIGSEGV:
      return "SIGSEGV";
    case SIGBUS:
      return "SIGBUS";
    case SIGILL:
      return "SIGILL";
    case SIGFPE:
      return "SIGFPE";
    case SIGABRT:
      return "SIGABRT";
    default:
      return "signal";
  }
}

bool CrashEnCours() { return Commence.load(); }

void InstalleGestionCrash(TTravailCrash travail) {
  Travail.store(travail);
  if (Installe) return;
  Installe = true;
  // Room for the work when the fault is a stack overflow: writing a design needs some.
  static char pile[1 << 18];
  stack_t s{};
  s.ss_sp = pile;
  s.ss_size = sizeof pile;
  ::sigaltstack(&s, nullptr);
  struct sigaction a {};
  a.sa_handler = SurSignal;
  sigemptyset(&a.sa_mask);
  // NODEFER: a fault inside the work re-enters the handler, which ends the process,
  // instead of being held back while the faulting instruction repeats.
  a.sa_flags = SA_ONSTACK | SA_NODEFER;
  for (int sig : Signaux) ::sigaction(sig, &a, nullptr);
  std::set_terminate(SurTerminate);
}
