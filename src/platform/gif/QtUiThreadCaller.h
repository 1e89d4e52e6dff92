#pragma once
// Runs GIF painters' calls on the Qt GUI thread: a waiting call is posted to an object living on
// that thread, and StopPaint's wait runs the queued calls itself, so stopping never deadlocks.
#include <QObject>
#include <memory>

#include "core/gif/GifUiThreadCaller.h"

namespace tossbox {

class QtUiThreadCaller : public QueuedUiThreadCaller {
 public:
  // Made on the GUI thread.
  QtUiThreadCaller();
  ~QtUiThreadCaller() override;

  // Handles pending events for a painter that runs inside a draw call.
  bool processMessages() override;

 protected:
  void wake() override;

 private:
  std::unique_ptr<QObject> receiver_;
};

}  // namespace tossbox
