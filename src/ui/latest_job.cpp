#include "ui/latest_job.h"

#include <QMetaObject>
#include <atomic>
#include <mutex>
#include <thread>

namespace dlg::ui {

namespace {
std::atomic<int> g_running{0};
}  // namespace

// The job as its runs see it: gone (null) once the job is destroyed. A run hands its result
// over under the lock, so the job cannot go meanwhile; a result queued to a job gone since is
// dropped by Qt with the job's events.
struct LatestJob::Owner {
  std::mutex lock;
  LatestJob* job = nullptr;
};

LatestJob::LatestJob(QObject* parent) : QObject(parent), owner_(std::make_shared<Owner>()) {
  owner_->job = this;
}

LatestJob::~LatestJob() {
  const std::lock_guard<std::mutex> held(owner_->lock);
  owner_->job = nullptr;
}

bool LatestJob::AnyRunning() { return g_running.load() > 0; }

void LatestJob::Request(Work work) {
  if (running_) {
    pending_ = std::move(work);
    return;
  }
  Start(std::move(work));
}

void LatestJob::Start(Work work) {
  running_ = true;
  ++g_running;
  // A thread of its own, not a pool's: a pool is waited for when it is destroyed, and a map
  // laid out for a file no longer shown must keep neither Quit nor the next file waiting.
  std::thread([owner = owner_, work = std::move(work)] {
    std::function<void()> done = work();
    {
      const std::lock_guard<std::mutex> held(owner->lock);
      if (LatestJob* job = owner->job) {
        QMetaObject::invokeMethod(
            job,
            [job, done = std::move(done)] {
              job->running_ = false;
              if (done) done();
              if (job->pending_) {
                Work next = std::move(job->pending_);
                job->pending_ = nullptr;
                job->Start(std::move(next));
              } else {
                emit job->finished();
              }
            },
            Qt::QueuedConnection);
      }
    }
    --g_running;
  }).detach();
}

}  // namespace dlg::ui
