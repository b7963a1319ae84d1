// The text table: every user-interface text and message by key ("rs..."),
// French by default, replaceable from a language file "lang_<name>.dat".
#pragma once

#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

// The current text of a key. An unknown key is a programming error: it yields
// the key itself so that the fault shows on screen instead of an empty text.
const std::string& rs(std::string_view cle);

// Fills the table from a language file (Windows-1252, key=text per line); a
// missing file gives the French defaults. Returns whether the file was read. A file
// that is empty, cut short or not Windows-1252 text is refused whole: the French
// defaults stay, and `refus` (when given) receives the message that says why, as it
// does for a missing file.
bool ChargerChaines(const std::string& chemin, std::string* refus = nullptr);
// The key of the reason why these bytes are no language file ("rsLangueVide",
// "rsLangueTronquee", "rsLangueEncodage"), or empty.
std::string DefautFichierLangue(std::string_view octets);
// The current texts in the table's order (what the windows show, for re-translation).
std::vector<std::string> ValeursChaines();
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

// Another name of a key in language files: a line "Autre=text" sets the key's text when
// the file has no line of the key itself.
struct TAliasChaine {
  const char* Autre;
  const char* Cle;
  // Whether a dump of the windows' texts names the text by `Autre`.
  bool Ecrit = true;
};
const std::vector<TAliasChaine>& AliasChaines();
// The name a dump of the windows' texts gives a key: its documented name where the table
// names it otherwise, else the key itself.
std::string NomDocumente(const std::string& cle);

// The placeholders of a printf format, one letter each in order: 'i' an integer
// (%d %u %x %c..., and a '*' width or precision), 'f' a floating value, 's' a C string,
// 'p' a pointer, '?' anything printf would not take ("%%" is no placeholder). With exact,
// each is written with its length and conversion ("ld", ".4f" is "f"), the form a
// translated text must keep.
std::string Placeholders(std::string_view fmt, bool exact = false);
// Whether each field of a translated text is no wider and no more precise than the same
// placeholder of the default text: a width or a precision the default does not have
// (%99999999s for %s) would have every caption drawn with that many characters. The kinds
// of the placeholders are Placeholders' business; texts with other counts are refused.
bool ChampsDansDefaut(std::string_view texte, std::string_view defaut);

// printf-style formatting of a table text with the C numeric locale's point. A text is
// used as a format only when its placeholders take the values given, in kind and number;
// otherwise it comes back as it is (a language file's texts are checked against the
// defaults when the file is read, so that only a fault of the code gets there).
std::string FormatC(const char* fmt, ...);

namespace chaines_detail {
template <typename T>
constexpr char Genre() {
  using U = std::decay_t<T>;
  if constexpr (std::is_integral_v<U> || std::is_enum_v<U>)
    return 'i';
  else if constexpr (std::is_floating_point_v<U>)
    return 'f';
  else if constexpr (std::is_same_v<U, const char*> || std::is_same_v<U, char*>)
    return 's';
  else if constexpr (std::is_pointer_v<U>)
    return 'p';
  else
    return '?';
}
std::string SansPlaceholders(const std::string& fmt);  // "%%" as "%"
}  // namespace chaines_detail

template <typename... A>
std::string Format(const char* fmt, A... a) {
  static constexpr char genres[] = {chaines_detail::Genre<A>()..., '\0'};
  static_assert(((chaines_detail::Genre<A>() != '?') && ...), "Format takes numbers, C strings and pointers");
  if (!fmt) return {};
  if (Placeholders(fmt) != genres) return fmt;  // never an unchecked text as a format
  if constexpr (sizeof...(A) == 0)
    return chaines_detail::SansPlaceholders(fmt);
  else
    return FormatC(fmt, a...);
}
template <typename... A>
std::string Format(const std::string& fmt, A... a) {
  return Format(fmt.c_str(), a...);
}
