#include "app/ui_thread_requests.h"

#include <QThread>

UiThreadRequests::UiThreadRequests(QObject* parent) : QObject(parent) {}

bool UiThreadRequests::Run(const std::function<void()>& request) {
  if (QThread::currentThread() == thread()) {
    request();
    return true;
  }
  std::unique_lock lock(mutex_);
  if (closed_) return false;
  waiting_ = &request;
  ran_ = false;
  // Posted, so the user-interface thread picks it up from its event loop; a post that arrives
  // after this object is gone is dropped by Qt.
  QMetaObject::invokeMethod(this, &UiThreadRequests::Serve, Qt::QueuedConnection);
  done_.wait(lock, [this] { return ran_ || closed_; });
  waiting_ = nullptr;
  return ran_;
}

void UiThreadRequests::Serve() {
  const std::function<void()>* request = nullptr;
  {
    std::lock_guard lock(mutex_);
    if (closed_ || waiting_ == nullptr || ran_) return;
    request = waiting_;
  }
  // The worker waits until `ran_` is set, so the request stays alive while it runs; Close()
  // cannot come meanwhile, as it runs on this thread too.
  (*request)();
  std::lock_guard lock(mutex_);
  ran_ = true;
  done_.notify_all();
}

void UiThreadRequests::Close() {
  std::lock_guard lock(mutex_);
  closed_ = true;
  done_.notify_all();
}
