#pragma once
// The application object: every exception that escapes an event handler
// ends that handler and is shown in an error box, never leaving the loop.
#include <QApplication>

#include "platform/prompt/MessageBoxes.h"

namespace tossbox {

class TossboxApplication : public QApplication {
  Q_OBJECT
 public:
  TossboxApplication(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;
  [[nodiscard]] MessageBoxes& messageBoxes() { return boxes_; }

 private:
  MessageBoxes boxes_;
};

// Shows what an escaped exception says in the program's error box.
void reportEscapedError(MessageBoxes& boxes, const QString& what);

}  // namespace tossbox
