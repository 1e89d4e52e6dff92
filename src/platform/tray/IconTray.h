#pragma once
// TIconTray: one icon in the desktop's notification area for as long as the component lives,
// with a tooltip, the icon's mouse messages turned into events, and menus for the left and
// right buttons. The shell behind it is a TrayShell.
#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <stdexcept>

#include "platform/tray/TrayIconIds.h"
#include "platform/tray/TrayShell.h"

namespace tossbox {

// The shell refused to add, change or remove the icon.
class EIconTrayError : public std::runtime_error {
 public:
  EIconTrayError() : std::runtime_error("Registration Error") {}
};

enum class TrayButton { Left, Right, Middle };

class TIconTray : public QObject {
  Q_OBJECT
 public:
  // The notification area's tip holds 63 characters.
  static constexpr int kHintLimit = 63;

  // owner: the form the component belongs to (its pending mouse mode is cancelled before a
  // menu pops up); the id comes from ids.
  TIconTray(QObject* owner, TrayShell& shell, TrayIconIds& ids);
  ~TIconTray() override;
  TIconTray(const TIconTray&) = delete;
  TIconTray& operator=(const TIconTray&) = delete;

  // The property setters pass the change to the shell at once and throw EIconTrayError when
  // it refuses; the new value is kept all the same.
  [[nodiscard]] const QIcon& Icon() const { return icon_; }
  void setIcon(const QIcon& icon);
  [[nodiscard]] const QString& Hint() const { return hint_; }
  void setHint(const QString& hint);
  [[nodiscard]] bool ShowHint() const { return showHint_; }
  void setShowHint(bool show);
  // A menu that is destroyed is forgotten here.
  [[nodiscard]] QMenu* RBtnPopupMenu() const { return rBtnPopupMenu_; }
  void setRBtnPopupMenu(QMenu* menu) { rBtnPopupMenu_ = menu; }
  [[nodiscard]] QMenu* LBtnPopupMenu() const { return lBtnPopupMenu_; }
  void setLBtnPopupMenu(QMenu* menu) { lBtnPopupMenu_ = menu; }

  [[nodiscard]] int IconId() const { return iconId_; }
  // True while the icon is in the notification area.
  [[nodiscard]] bool Registered() const { return registered_; }

  // Active: adds the icon, or brings the shown one up to date; an icon without a picture is
  // taken as inactive. Inactive: removes the icon if it is there. Throws EIconTrayError when
  // the shell refuses, leaving Registered() as it was.
  void UpdateTrayIcon(bool active);

 signals:
  void OnClick();
  void OnDblClick();
  void OnMouseDown(tossbox::TrayButton button, tossbox::TrayShiftState shift, int x, int y);
  void OnMouseUp(tossbox::TrayButton button, tossbox::TrayShiftState shift, int x, int y);
  void OnMouseMove(tossbox::TrayShiftState shift, int x, int y);

 private:
  void handleMessage(int message);
  void popUp(QMenu* menu);

  TrayShell& shell_;
  const int iconId_;
  QIcon icon_;
  QString hint_;
  bool showHint_ = true;
  bool registered_ = false;
  QPointer<QMenu> rBtnPopupMenu_;
  QPointer<QMenu> lBtnPopupMenu_;
};

}  // namespace tossbox
