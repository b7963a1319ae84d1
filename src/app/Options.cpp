#include "app/Options.h"

TOptions& Options() {
  static TOptions o;
  return o;
}
