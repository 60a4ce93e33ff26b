#include "album/worker_pool.h"

// A pool made for the work; its threads end with it.
WorkerPool::WorkerPool() : pool_(new QThreadPool) {}

WorkerPool::~WorkerPool() {
  waitForDone();
  delete pool_;
}
