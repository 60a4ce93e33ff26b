#include <QMutex>
#include <vector>

#include "album/worker_pool.h"

// The pools' threads never end before the process does: when a MinGW thread ends, the emulated
// thread-local storage of the C++ runtime is freed before the thread_local destructors run, and
// Qt's QRegularExpression keeps one (its JIT stack) in every thread that matched. A worker thread
// that ends crashes in that destructor, inside the loader, and the process then never exits.
// Threads that are still there at exit are ended by the system without running them. So a pool
// is never deleted: once its work is done it waits, threads and all, for the next WorkerPool.

namespace {

QMutex idle_pools_mutex;
std::vector<QThreadPool*> idle_pools;

}  // namespace

WorkerPool::WorkerPool() {
  const QMutexLocker lock(&idle_pools_mutex);
  if (idle_pools.empty()) {
    pool_ = new QThreadPool;
    pool_->setExpiryTimeout(-1);
  } else {
    pool_ = idle_pools.back();
    idle_pools.pop_back();
  }
}

WorkerPool::~WorkerPool() {
  waitForDone();
  const QMutexLocker lock(&idle_pools_mutex);
  idle_pools.push_back(pool_);
}
