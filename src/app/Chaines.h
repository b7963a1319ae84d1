// The text table: every user-interface text and message by key ("rs..."),
// French by default, replaceable from a language file "lang_<name>.dat".
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The current text of a key. An unknown key is a programming error: it yields
// the key itself so that the fault shows on screen instead of an empty text.
const std::string& rs(std::string_view cle);

// Fills the table from a language file (Windows-1252, key=text per line); a
// missing file gives the French defaults. Returns whether the file was read.
bool ChargerChaines(const std::string& chemin);
// Back to the French defaults.
void ChaineDefauts();

struct TChaineDef {
  const char* Cle;
  const char* Defaut;
};
// The keys in the table's order, with their defaults.
const std::vector<TChaineDef>& TableChaines();
// Whether the table knows a key (exact case).
bool ChaineConnue(std::string_view cle);

// printf-style formatting of a table text with the C numeric locale's point.
// A translated text keeps its placeholders: the code passes its values to it.
std::string FormatC(const char* fmt, ...);

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-security"
template <typename... A>
std::string Format(const char* fmt, A... a) {
  return FormatC(fmt, a...);
}
template <typename... A>
std::string Format(const std::string& fmt, A... a) {
  return FormatC(fmt.c_str(), a...);
}
#pragma GCC diagnostic pop
