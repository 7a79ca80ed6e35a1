#pragma once
// Work for a view, done off the window's thread one piece at a time. A request made while one
// runs waits in place of any request before it, so a burst of edits costs one more run, not
// one each, and what is shown catches up with the latest state.

#include <QObject>
#include <QThreadPool>
#include <functional>
#include <memory>

namespace dlg::ui {

class LatestJob : public QObject {
  Q_OBJECT
 public:
  // Runs off the window's thread; what it returns runs on the window's thread afterwards.
  using Work = std::function<std::function<void()>()>;

  explicit LatestJob(QObject* parent = nullptr);
  // Waits for nothing: a run in progress goes on to its end by itself and its result is
  // dropped. Work must therefore hold what it reads (by value or shared pointer), never the
  // object that asked for it.
  ~LatestJob() override;

  void Request(Work work);
  // True from a request until its result has been handed over.
  bool Busy() const { return running_ || pending_ != nullptr; }

  // Whether any job's run is still going, including those of jobs gone: the program ends
  // without waiting for them, which a normal exit would not do safely while one runs.
  static bool AnyRunning();

 signals:
  void finished();  // after each result has run, when nothing waits

 private:
  struct Owner;
  void Start(Work work);

  std::shared_ptr<Owner> owner_;
  bool running_ = false;
  Work pending_;
};

// Lets go of what a view showed on another thread: freeing a million rows would keep the
// window's thread from its events.
template <class T>
void ReleaseAside(std::shared_ptr<T> held) {
  if (!held) return;
  QThreadPool::globalInstance()->start([held = std::move(held)]() mutable { held.reset(); });
}

}  // namespace dlg::ui
