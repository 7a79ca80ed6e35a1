#include "ui/latest_job.h"

#include <QMetaObject>
#include <QPointer>

namespace dlg::ui {

LatestJob::LatestJob(QObject* parent) : QObject(parent) { pool_.setMaxThreadCount(1); }

LatestJob::~LatestJob() { pool_.waitForDone(); }

void LatestJob::Request(Work work) {
  if (running_) {
    pending_ = std::move(work);
    return;
  }
  Start(std::move(work));
}

void LatestJob::Start(Work work) {
  running_ = true;
  QPointer<LatestJob> self(this);
  pool_.start([self, work = std::move(work)] {
    std::function<void()> done = work();
    // Queued to this object: dropped by Qt should the object be gone by then.
    if (self)
      QMetaObject::invokeMethod(
          self.data(),
          [self, done = std::move(done)] {
            if (!self) return;
            self->running_ = false;
            if (done) done();
            if (self->pending_) {
              Work next = std::move(self->pending_);
              self->pending_ = nullptr;
              self->Start(std::move(next));
            } else {
              emit self->finished();
            }
          },
          Qt::QueuedConnection);
  });
}

}  // namespace dlg::ui
