#include "album/page/path_steps.h"

PathSteps path_steps(const AnsiText& path) {
  PathSteps steps;
  if (path.startsWith('/')) steps.root = "/";
  steps.names = path.split('/');
  steps.names.removeAll(AnsiText());
  return steps;
}

bool same_step(const AnsiText& a, const AnsiText& b) {
  return a == b;
}
