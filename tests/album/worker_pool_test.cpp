#include "album/worker_pool.h"

#include <gtest/gtest.h>

#include <QThread>
#include <atomic>

namespace {

constexpr int kLongEnoughMs = 20000;

TEST(WorkerPool, WaitsForItsOwnWorkAlone) {
  std::atomic<bool> release{false};
  WorkerPool held;
  held.start([&] {
    while (!release) QThread::msleep(1);
  });
  for (int round = 0; round < 3; ++round) {  // pools that ended are taken again on Windows
    WorkerPool other;
    std::atomic<int> done{0};
    for (int i = 0; i < 8; ++i) other.start([&] { ++done; });
    EXPECT_TRUE(other.waitForDone(kLongEnoughMs));
    EXPECT_EQ(done, 8);
  }
  EXPECT_FALSE(held.waitForDone(0));
  release = true;
  EXPECT_TRUE(held.waitForDone(kLongEnoughMs));
}

// The window makes an album on a worker thread, and the album its previews on a pool of its own.
TEST(WorkerPool, WorkMayWaitForAPoolOfItsOwn) {
  std::atomic<int> inner_done{0};
  WorkerPool outer;
  outer.start([&] {
    WorkerPool inner;
    for (int i = 0; i < 16; ++i) inner.start([&] { ++inner_done; });
    inner.waitForDone();
  });
  EXPECT_TRUE(outer.waitForDone(kLongEnoughMs));
  EXPECT_EQ(inner_done, 16);
}

}  // namespace
