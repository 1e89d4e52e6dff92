#pragma once
// Base of the program's ten windows: each knows the program it belongs to
// and lives, shown or hidden, until the program ends.
#include <QWidget>

namespace tossbox {

class Program;

class ProgramWindow : public QWidget {
  Q_OBJECT
 public:
  ProgramWindow(Program& program, const QString& objectName, const QString& caption,
                Qt::WindowFlags flags);

 protected:
  // Fixed client size for windows whose frame the user cannot size.
  void setClientSize(int width, int height, bool fixed);
  Program& program() { return program_; }

 private:
  Program& program_;
};

}  // namespace tossbox
