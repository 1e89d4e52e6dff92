#pragma once
// Base of the program's ten windows: each knows the program it belongs to
// and lives, shown or hidden, until the program ends. Each show and close
// reaches the window's FormShow and FormClose, and a mouse move over any
// control the window watches gives the pointer back.
#include <QWidget>

namespace tossbox {

class Program;

class ProgramWindow : public QWidget {
  Q_OBJECT
 public:
  ProgramWindow(Program& program, const QString& objectName, const QString& caption,
                Qt::WindowFlags flags);

  // Shows the window again as it was when it was hidden (into the tray): FormShow, which
  // sets a window up afresh, is left out.
  void showAsItWas();

 protected:
  // Fixed client size for windows whose frame the user cannot size.
  void setClientSize(int width, int height, bool fixed);
  Program& program() { return program_; }

  virtual void FormShow() {}
  virtual void FormClose() {}
  // FormShow is left out when the window comes back with the minimized program.
  void showOnlyWhenOpened() { showWhenRestored_ = false; }

  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Program& program_;
  bool showWhenRestored_ = true;
  bool showingAsItWas_ = false;
};

}  // namespace tossbox
