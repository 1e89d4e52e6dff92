#pragma once
// Every message and confirmation box of the program goes through here, so a
// test can answer the boxes instead of a person.
#include <QString>
#include <functional>
#include <vector>

class QWidget;

namespace tossbox {

enum class BoxIcon { None, Error, Warning, Information, Question };
enum class BoxButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class BoxAnswer { Ok, Cancel, Yes, No };

struct BoxRequest {
  QString text;
  QString caption;  // empty: the program's title
  BoxIcon icon = BoxIcon::None;
  BoxButtons buttons = BoxButtons::Ok;
  QWidget* owner = nullptr;
};

class MessageBoxes {
 public:
  using Responder = std::function<BoxAnswer(const BoxRequest&)>;

  BoxAnswer show(const BoxRequest& request);
  BoxAnswer error(const QString& text, QWidget* owner = nullptr);
  BoxAnswer confirm(const QString& text, QWidget* owner = nullptr);

  // Replaces the real dialog; every request is still remembered in shown().
  void setResponder(Responder responder) { responder_ = std::move(responder); }
  [[nodiscard]] const std::vector<BoxRequest>& shown() const { return shown_; }
  void clearShown() { shown_.clear(); }

 private:
  BoxAnswer showDialog(const BoxRequest& request) const;

  Responder responder_;
  std::vector<BoxRequest> shown_;
};

}  // namespace tossbox
