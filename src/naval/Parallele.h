// Independent pieces of one calculation shared between the machine's cores: the
// waterlines of a table, the displacements of the cross curves. The hooks of the
// calculation (progress, stop) stay on the calling thread, between batches.
#pragma once

#include <algorithm>

#include "base/Fils.h"

// Threads used for n pieces: one per core, at most n, at least 1.
inline int NbFils(int n) { return std::clamp(std::min(FilsMachine(), n), 1, 64); }

// Runs f(i) for i in [debut, fin) on the kept threads (base/Fils.h), the calling one
// included, and waits for all. An exception of any piece is rethrown here once all are done.
// A piece that shares its own work again (a table's waterline cutting its surfaces) runs it
// on its own thread: the cores are busy already.
inline thread_local bool DansParallele = false;

template <typename F>
void EnParallele(int debut, int fin, F&& f) {
  const int n = fin - debut;
  if (n <= 0) return;
  if (DansParallele || NbFils(n) == 1) {
    for (int i = debut; i < fin; i++) f(i);
    return;
  }
  Partage(n, [&](int i) {
    const bool avant = DansParallele;
    DansParallele = true;
    try {
      f(debut + i);
    } catch (...) {
      DansParallele = avant;
      throw;
    }
    DansParallele = avant;
  });
}
