#pragma once
// A fresh program in a private home for each test: its own settings store,
// trash and lock, every box answered by the test.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QUrl>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "TempHome.h"
#include "forms/main/MainUnit.h"
#include "forms/main/Program.h"
#include "platform/prompt/MessageBoxes.h"
#include "platform/ui/TossboxApplication.h"

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    boxes.clearShown();
    boxes.setResponder([this](const auto&) { return answer; });
  }

  // trayShell: the notification area of the program; the desktop's own when none.
  tossbox::Program& start(std::vector<std::string> arguments = {},
                          std::unique_ptr<tossbox::TrayShell> trayShell = nullptr) {
    program.reset();
    program = std::make_unique<tossbox::Program>(boxes, std::move(arguments), std::move(trayShell));
    program->setPause([](int) {});
    // Nothing opens a desktop program or a file dialog in a test: they are recorded.
    program->setOpener([this](const QUrl& url) {
      opened.push_back(url);
      return true;
    });
    program->setSaveFileChooser([this](const tossbox::SaveFileRequest& request) {
      saveRequests.push_back(request);
      return saveAnswer;
    });
    program->showMainWindow();
    QApplication::processEvents();
    return *program;
  }

  void stop() { program.reset(); }

  std::filesystem::path storeFile() const { return home.configHome() / "stv" / "Software-stv.reg"; }

  static void touch(const std::filesystem::path& file, const std::string& content = "x") {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
  }

  tossbox::TForm1& main() { return program->form1(); }

  TempHome home;
  // The application's own boxes: errors escaping a handler land there too.
  tossbox::MessageBoxes& boxes =
      static_cast<tossbox::TossboxApplication*>(QCoreApplication::instance())->messageBoxes();
  tossbox::BoxAnswer answer = tossbox::BoxAnswer::Ok;
  std::vector<QUrl> opened;
  // What the save dialog answers: a path, or nullopt for its cancel.
  std::optional<std::string> saveAnswer;
  std::vector<tossbox::SaveFileRequest> saveRequests;
  std::unique_ptr<tossbox::Program> program;
};
