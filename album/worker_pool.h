#pragma once
// A thread pool of one's own for one piece of work, so that waiting for it waits for that work
// alone. Where its threads come from, and whether they end with it, is the platform's part
// (worker_pool_posix.cpp, worker_pool_windows.cpp).
#include <QMutex>
#include <QThreadPool>
#include <QWaitCondition>
#include <utility>

class WorkerPool {
 public:
  WorkerPool();
  ~WorkerPool();  // waits for the work started
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;

  // Runs `work` on one of the pool's threads (or queues it until one is free).
  template <typename Work>
  void start(Work work) {
    {
      const QMutexLocker lock(&mutex_);
      ++running_;
    }
    pool_->start([this, work = std::move(work)]() mutable {
      {
        Work own = std::move(work);  // gone before the pool hears of the end
        own();
      }
      finished_one();
    });
  }

  // Whether all the work started has ended, waiting up to `msecs` (-1: as long as it takes).
  bool waitForDone(int msecs = -1);

 private:
  void finished_one();

  QThreadPool* pool_;
  QMutex mutex_;
  QWaitCondition idle_;
  int running_ = 0;
};
