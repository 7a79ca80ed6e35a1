#include "fileio/worker.h"

#include <system_error>

namespace dlg {

Worker::~Worker() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  if (thread_.joinable()) thread_.join();
}

bool Worker::Post(std::function<void()> job) {
  std::lock_guard lock(mutex_);
  if (!thread_.joinable()) {
    try {
      thread_ = std::thread([this] { Loop(); });
    } catch (const std::system_error&) {
      return false;
    }
  }
  jobs_.push_back(std::move(job));
  wake_.notify_one();
  return true;
}

void Worker::Settle() {
  std::unique_lock lock(mutex_);
  done_.wait(lock, [this] { return jobs_.empty() && !running_; });
}

void Worker::Loop() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
    if (jobs_.empty()) return;
    std::function<void()> job = std::move(jobs_.front());
    jobs_.pop_front();
    running_ = true;
    lock.unlock();
    job();
    lock.lock();
    running_ = false;
    if (jobs_.empty()) done_.notify_all();
  }
}

}  // namespace dlg
