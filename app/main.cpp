#include "app/start_up.h"

int main(int argc, char** argv) {
  return run_trailbook(argc, argv);
}
