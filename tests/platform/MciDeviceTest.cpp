#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

#include "TempHome.h"
#include "platform/media/MciDevice.h"
#include "platform/media/VideoSurface.h"

namespace tossbox {
namespace {

bool waitFor(const std::function<bool()>& done, int milliseconds = 8000) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > milliseconds) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

std::string quoted(const std::string& path) {
  return "\"" + path + "\"";
}

class MciDeviceTest : public testing::Test {
 protected:
  MciDeviceTest() {
    folder_ = home_.makeDir("clips with blanks");
    parent_.resize(200, 160);
    parent_.show();
  }

  std::string openCommand(const std::string& path) {
    return "open " + quoted(path) + " alias mvid style child parent " +
           std::to_string(parent_.winId());
  }

  // A one-second 320 x 240 clip at 25 frames a second, or empty when ffmpeg is missing.
  std::string makeClip(const std::string& name) {
    const std::string path = (folder_ / name).string();
    const std::string command =
        "ffmpeg -loglevel error -y -f lavfi -i testsrc=size=320x240:rate=25:duration=1 "
        "-c:v mpeg4 '" +
        path + "' > /dev/null 2>&1";
    if (std::system("ffmpeg -version > /dev/null 2>&1") != 0) return {};
    return std::system(command.c_str()) == 0 ? path : std::string();
  }

  TempHome home_;
  std::filesystem::path folder_;
  QWidget parent_;
  MciDevice device_;
};

TEST_F(MciDeviceTest, PlaysAClipInAChildOfTheNamedWindowAndLoopsWhenAsked) {
  const std::string path = makeClip("a \"quoted\" clip.avi");
  if (path.empty()) GTEST_SKIP() << "ffmpeg is not installed: no clip to play";

  const MediaReply opened = device_.send(openCommand(path));
  ASSERT_TRUE(opened.ok()) << device_.errorText(opened.error);
  ASSERT_TRUE(device_.isOpen("mvid"));
  EXPECT_FALSE(device_.isOpen("other"));
  ASSERT_NE(device_.surface(), nullptr);
  EXPECT_EQ(device_.surface()->parentWidget(), &parent_);
  EXPECT_EQ(device_.send("where mvid source").text, "0 0 320 240");
  EXPECT_EQ(device_.send("status mvid length").text, "25");
  EXPECT_EQ(device_.send("status mvid volume").text, "1000");
  EXPECT_FALSE(device_.send("info mvid product").text.empty());
  EXPECT_EQ(device_.send("status mvid mode").text, "stopped");
  EXPECT_EQ(device_.send(openCommand(path)).error, kMediaAliasInUse);
  EXPECT_EQ(device_.send("put mvid window at 1 2 -3 4").error, kMediaBadParameter);

  EXPECT_TRUE(device_.send("seek mvid to start").ok());
  EXPECT_TRUE(device_.send("play mvid window").ok());
  EXPECT_TRUE(device_.send("put mvid window at 5 6 160 120").ok());
  EXPECT_TRUE(device_.send("realize mvid normal").ok());
  EXPECT_TRUE(device_.send("window mvid state show").ok());
  EXPECT_EQ(device_.surface()->geometry(), QRect(5, 6, 160, 120));
  EXPECT_TRUE(device_.surface()->isVisible());
  EXPECT_EQ(device_.send("status mvid mode").text, "playing");
  EXPECT_TRUE(waitFor([&] { return device_.surface()->hasFrame(); })) << "no frame decoded";

  // At its end the clip stops; seeking to the start and playing runs it again.
  EXPECT_TRUE(waitFor([&] { return device_.send("status mvid mode").text == "stopped"; }));
  EXPECT_TRUE(device_.send("seek mvid to start").ok());
  EXPECT_TRUE(device_.send("play mvid window").ok());
  EXPECT_EQ(device_.send("status mvid mode").text, "playing");

  EXPECT_TRUE(device_.send("close mvid").ok());
  EXPECT_FALSE(device_.isOpen("mvid"));
  EXPECT_EQ(device_.surface(), nullptr);
  EXPECT_TRUE(parent_.findChildren<VideoSurface*>().isEmpty());
}

TEST_F(MciDeviceTest, AnswersFailuresWithCodesAndTheirTexts) {
  const auto errorOf = [&](const std::string& command) { return device_.send(command).error; };
  EXPECT_EQ(errorOf(openCommand((folder_ / "missing clip.avi").string())), kMediaFileNotFound);
  EXPECT_EQ(errorOf(openCommand(folder_.string())), kMediaFileNotFound);
  EXPECT_EQ(errorOf("open " + quoted((folder_ / "x.avi").string()) +
                    " alias mvid style child parent 4000000000"),
            kMediaNoParent);
  EXPECT_EQ(errorOf("open \"unterminated alias mvid"), kMediaBadParameter);
  EXPECT_EQ(errorOf("play mvid window"), kMediaNotOpen);
  EXPECT_EQ(errorOf("status mvid mode"), kMediaNotOpen);
  EXPECT_EQ(errorOf("rewind mvid"), kMediaUnknownCommand);
  EXPECT_EQ(errorOf("close"), kMediaUnknownCommand);
  EXPECT_FALSE(device_.isOpen("mvid"));

  // Bytes that are no video are refused at the open, and nothing stays open.
  const std::string text = (folder_ / "not a clip.avi").string();
  std::ofstream(text) << "plain words, no pictures";
  EXPECT_EQ(errorOf(openCommand(text)), kMediaCannotPlay);
  EXPECT_FALSE(device_.isOpen("mvid"));
  EXPECT_TRUE(parent_.findChildren<VideoSurface*>().isEmpty());

  std::set<std::string> texts;
  for (int error : {kMediaUnknownCommand, kMediaBadParameter, kMediaNotOpen, kMediaFileNotFound,
                    kMediaCannotPlay, kMediaAliasInUse, kMediaNoParent})
    texts.insert(device_.errorText(error));
  EXPECT_EQ(texts.size(), 7u);
}

}  // namespace
}  // namespace tossbox
