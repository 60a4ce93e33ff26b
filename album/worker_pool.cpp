#include "album/worker_pool.h"

#include <QDeadlineTimer>

bool WorkerPool::waitForDone(int msecs) {
  const QDeadlineTimer deadline(msecs);
  const QMutexLocker lock(&mutex_);
  while (running_ > 0) {
    if (!idle_.wait(&mutex_, deadline)) break;
  }
  return running_ == 0;
}

void WorkerPool::finished_one() {
  const QMutexLocker lock(&mutex_);
  if (--running_ == 0) idle_.wakeAll();
}
