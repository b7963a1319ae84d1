// Independent pieces of one calculation shared between the machine's cores: the
// waterlines of a table, the displacements of the cross curves. The hooks of the
// calculation (progress, stop) stay on the calling thread, between batches.
#pragma once

#include <algorithm>
#include <exception>
#include <thread>
#include <vector>

// Threads used for n pieces: one per core, at most n, at least 1.
inline int NbFils(int n) {
  const int c = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  return std::clamp(std::min(c, n), 1, 64);
}

// Runs f(i) for i in [debut, fin) on up to NbFils threads, the calling one included, and
// waits for all. An exception of any piece is rethrown here once all are done.
// A piece that shares its own work again (a table's waterline cutting its surfaces) runs it
// on its own thread: the cores are busy already.
inline thread_local bool DansParallele = false;

template <typename F>
void EnParallele(int debut, int fin, F&& f) {
  const int n = fin - debut;
  if (n <= 0) return;
  const int k = DansParallele ? 1 : NbFils(n);
  if (k == 1) {
    for (int i = debut; i < fin; i++) f(i);
    return;
  }
  std::vector<std::exception_ptr> erreurs(static_cast<size_t>(k));
  auto travail = [&](int t) {
    const bool avant = DansParallele;
    DansParallele = true;
    try {
      for (int i = debut + t; i < fin; i += k) f(i);
    } catch (...) {
      erreurs[static_cast<size_t>(t)] = std::current_exception();
    }
    DansParallele = avant;
  };
  std::vector<std::thread> fils;
  for (int t = 1; t < k; t++) fils.emplace_back(travail, t);
  travail(0);
  for (auto& x : fils) x.join();
  for (auto& e : erreurs)
    if (e) std::rethrow_exception(e);
}
