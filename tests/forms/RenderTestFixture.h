#pragma once
// A preview picture control inside a window, the render services around it,
// and a folder for the files a test makes.
#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "../core/picture/PictureFixtures.h"
#include "TempHome.h"
#include "core/picture/ShownFileInfo.h"
#include "forms/picture/PictureControl.h"
#include "forms/render/RenderCall.h"

class RenderTest : public testing::Test {
 protected:
  RenderTest() {
    folder_ = home_.makeDir("pictures dir");
    temp_ = home_.makeDir("tmp");
    const char* old = std::getenv("TMPDIR");
    if (old != nullptr) savedTmp_ = old;
    setenv("TMPDIR", temp_.c_str(), 1);
    window_.resize(400, 300);
    preview_ = new tossbox::PictureControl(&window_);
    other_ = new tossbox::PictureControl(&window_);
    preview_->hide();
    other_->hide();
    services_.preview = preview_;
    services_.shown = &shown_;
    services_.progress = [this](tossbox::ProgressStage stage, int percent) {
      progress_.emplace_back(stage, percent);
    };
  }

  ~RenderTest() override {
    if (savedTmp_) {
      setenv("TMPDIR", savedTmp_->c_str(), 1);
    } else {
      unsetenv("TMPDIR");
    }
  }

  std::string file(const std::string& name, const fixtures::ByteVector& bytes) {
    const std::string path = (folder_ / name).string();
    fixtures::writeFile(path, bytes);
    return path;
  }

  [[nodiscard]] tossbox::RenderArgs previewArgs(const std::string& path) const {
    return tossbox::RenderArgs{*preview_, path, 1, 140, 181, 0};
  }

  [[nodiscard]] static QImage rgb(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB32);
  }

  TempHome home_;
  std::filesystem::path folder_;
  std::filesystem::path temp_;
  std::optional<std::string> savedTmp_;
  QWidget window_;
  tossbox::PictureControl* preview_ = nullptr;
  tossbox::PictureControl* other_ = nullptr;
  tossbox::ShownFileInfo shown_;
  tossbox::RenderServices services_;
  std::vector<std::pair<tossbox::ProgressStage, int>> progress_;
};

// Where FitRectangle put a control, as (left, top, width, height).
inline QRect placed(const tossbox::PictureControl& control) {
  return control.geometry();
}
