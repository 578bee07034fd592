// The synchronous requests through which a worker thread (the Chapter load thread) reaches the
// widgets: each is carried out on the user-interface thread while the worker waits.
//
// Close() ends the exchange from the user-interface thread without serving any event loop: the
// request a worker waits on, and every later one, returns at once without running. The dialog
// closes it before it joins the load thread in its destructor, so that neither thread waits for
// the other.
#pragma once

#include <QObject>
#include <condition_variable>
#include <functional>
#include <mutex>

class UiThreadRequests : public QObject {
  Q_OBJECT

 public:
  // Requests run on the thread that `this` lives on (the thread that creates it).
  explicit UiThreadRequests(QObject* parent = nullptr);

  // Runs `request` on the user-interface thread and returns once it has run (true), or at once
  // when the exchange is closed (false, not run). On the user-interface thread itself it runs
  // directly.
  bool Run(const std::function<void()>& request);

  // From the user-interface thread: no request runs any more.
  void Close();

 private:
  // On the user-interface thread: runs the waiting request, if any.
  void Serve();

  std::mutex mutex_;
  std::condition_variable done_;
  const std::function<void()>* waiting_ = nullptr;  // the worker's request, until it has run
  bool ran_ = false;
  bool closed_ = false;
};
