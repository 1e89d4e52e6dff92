// The video in the preview through a recording device: the commands of a video in their
// order, the loop, the clicks over it, and every place that closes it.
#include <QCursor>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <map>

#include "../core/media/AviFixtures.h"
#include "ProgramFixture.h"
#include "core/picture/FitRectangle.h"
#include "forms/list/UList.h"
#include "forms/picture/PictureControl.h"
#include "forms/render/RenderVideo.h"
#include "platform/media/MediaCommands.h"
#include "platform/ui/AsyncKeyState.h"

using namespace tossbox;
namespace fs = std::filesystem;

namespace {

class RecordingMedia : public MediaCommands {
 public:
  MediaReply send(std::string_view text) override {
    const std::string command(text);
    commands.push_back(command);
    if (onCommand) onCommand(command);
    if (command.rfind("open ", 0) == 0) {
      if (openError != 0) return {openError, {}};
      open = true;
      return {};
    }
    if (!open) return {263, {}};
    if (command == "close mvid") open = false;
    const auto reply = replies.find(command);
    return {0, reply != replies.end() ? reply->second : std::string()};
  }
  [[nodiscard]] std::string errorText(int error) const override {
    return "device error " + std::to_string(error);
  }
  [[nodiscard]] bool isOpen(std::string_view alias) const override {
    return open && alias == "mvid";
  }

  std::vector<std::string> commands;
  std::map<std::string, std::string> replies = {
      {"where mvid source", "0 0 320 240"}, {"status mvid length", "50"},
      {"status mvid volume", "1000"},       {"info mvid version", "1.5"},
      {"info mvid product", "recorder"},    {"status mvid mode", "playing"}};
  int openError = 0;
  bool open = false;
  std::function<void(const std::string&)> onCommand;
};

std::string putCommand(const FitResult& fit) {
  return "put mvid window at " + std::to_string(fit.left) + " " + std::to_string(fit.top) + " " +
         std::to_string(fit.width) + " " + std::to_string(fit.height);
}

void pressOutside(Qt::MouseButton button, QEvent::Type type = QEvent::MouseButtonPress) {
  QWidget elsewhere;
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
  QMouseEvent event(type, QPointF(1, 1), QPointF(1, 1), button, held, Qt::NoModifier);
  QCoreApplication::sendEvent(&elsewhere, &event);
}

}  // namespace

class VideoTest : public ProgramTest {
 protected:
  // A program without files, its device a recorder, and these files loaded.
  void startWith(const std::vector<std::string>& names,
                 const fixtures::ByteVector& bytes = fixtures::aviBytes()) {
    start();
    auto device = std::make_unique<RecordingMedia>();
    media = device.get();
    program->setMedia(std::move(device));
    folder = home.makeDir("my videos");
    for (const std::string& name : names) fixtures::writeFile((folder / name).string(), bytes);
    main().LoadPaths({folder.string()});
    media->commands.clear();
  }

  QWidget& panel2() { return *main().findChild<QWidget*>(QStringLiteral("Panel2")); }
  QString counter() { return main().staticText1().text(); }
  void pointAtPanel2() { QCursor::setPos(panel2().mapToGlobal(panel2().rect().center())); }

  RecordingMedia* media = nullptr;
  fs::path folder;
};

TEST_F(VideoTest, AVideoInThePreviewSendsItsCommandsInOrder) {
  startWith({"first clip.avi"});
  main().ShowCurrent();
  const std::string path = (folder / "first clip.avi").string();
  const FitResult fit = FitRectangle(0, 320, 140, 181, 240);
  const std::vector<std::string> expected = {
      "close mvid",
      "open \"" + path + "\" alias mvid style child parent " +
          std::to_string(main().image1().parentWidget()->winId()),
      "where mvid source",
      "seek mvid to start",
      "play mvid window",
      putCommand(fit),
      "realize mvid normal",
      "window mvid state show",
      "status mvid length",
      "status mvid volume",
      "info mvid version",
      "info mvid product",
      "play mvid window"};
  EXPECT_EQ(media->commands, expected);
  EXPECT_EQ(main().image1().geometry(), QRect(fit.left, fit.top, fit.width, fit.height));

  const ShownFileInfo& shown = program->state().shown;
  EXPECT_EQ(shown.kind, 8);
  EXPECT_EQ(shown.format, "AVIﾌｧｲﾙ");
  EXPECT_EQ(shown.width, 320);
  EXPECT_EQ(shown.height, 240);
  EXPECT_EQ(shown.number, 50);
  EXPECT_EQ(shown.volume, 1000);
  EXPECT_EQ(shown.version, "1.5");
  EXPECT_EQ(shown.depth, "recorder");
  EXPECT_TRUE(main().timer1().isActive());
  EXPECT_EQ(main().timer1().interval(), TForm1::kVideoLoopInterval);
  EXPECT_EQ(main().statusText(), QStringLiteral("first clip.avi"));
  EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(VideoTest, AnOpenVideoClosesFirstAndTheViewerPlacesItUnderItsBar) {
  startWith({"clip.avi"});
  ASSERT_TRUE(media->open);
  QWidget viewer;
  PictureControl viewerImage(&viewer);
  main().timer1().stop();
  const std::string path = (folder / "clip.avi").string();
  RenderArgs args{viewerImage, path, 0, 768, 1024, 1, TargetRole::Viewer};
  EXPECT_TRUE(RenderVideo(program->renderServices(), args));
  ASSERT_GE(media->commands.size(), 2u);
  EXPECT_EQ(media->commands[0], "close mvid");
  EXPECT_EQ(media->commands[1].rfind("open \"" + path + "\" alias mvid", 0), 0u);
  const FitResult fit = FitRectangle(1, 320, 768, 1024, 240);
  EXPECT_EQ(media->commands[5], "put mvid window at 0 16 " + std::to_string(fit.width) + " " +
                                    std::to_string(fit.height));
  // The viewer's clip is not looped by the main window.
  EXPECT_FALSE(main().timer1().isActive());
}

TEST_F(VideoTest, ASizeThatCannotBeParsedFallsBackToTheHeaderThenToTheBox) {
  fixtures::AviLayout small;
  small.width = 160;
  small.height = 120;
  startWith({"small.avi"}, fixtures::aviBytes(small));
  media->replies["where mvid source"] = "0 0 abc 240";
  main().ShowCurrent();
  EXPECT_EQ(media->commands[5], putCommand(FitRectangle(0, 160, 140, 181, 120)));
  EXPECT_EQ(program->state().shown.width, 160);
  EXPECT_EQ(program->state().shown.height, 120);

  // No header to fall back on either: the video window takes the whole box.
  fixtures::writeFile((folder / "small.avi").string(), {'n', 'o', 't', ' ', 'a', 'v', 'i'});
  media->commands.clear();
  main().ShowCurrent();
  EXPECT_EQ(media->commands[5], putCommand(FitRectangle(0, 181, 140, 181, 140)));
  EXPECT_EQ(program->state().shown.width, 0);
  EXPECT_EQ(program->state().shown.height, 0);
  EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(VideoTest, AVideoThatCannotBeOpenedShowsItsErrorOnceAndTheFileName) {
  startWith({"broken.avi"});
  media->openError = 265;
  boxes.clearShown();
  EXPECT_TRUE(main().ShowCurrent());
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("device error 265"));
  ASSERT_EQ(media->commands.size(), 2u);  // the close of the clip before, and the open
  EXPECT_EQ(media->commands[1].rfind("open ", 0), 0u);
  EXPECT_EQ(main().statusText(), QStringLiteral("broken.avi"));
  EXPECT_FALSE(main().timer1().isActive());
  EXPECT_EQ(program->state().shown.kind, 8);
}

TEST_F(VideoTest, Timer1RestartsTheClipOnlyWhenItHasStopped) {
  startWith({"clip.avi"});
  main().Timer1Timer();
  EXPECT_EQ(media->commands, std::vector<std::string>{"status mvid mode"});
  media->commands.clear();
  media->replies["status mvid mode"] = "stopped";
  main().Timer1Timer();
  EXPECT_EQ(media->commands, (std::vector<std::string>{"status mvid mode", "seek mvid to start",
                                                       "play mvid window"}));
  // Nothing open: the reply is no "stopped" and nothing else is sent.
  main().ShowCurrent();
  media->open = false;
  media->commands.clear();
  main().Timer1Timer();
  EXPECT_EQ(media->commands, std::vector<std::string>{"status mvid mode"});
}

TEST_F(VideoTest, ClicksOverTheVideoStepAndAHeldRightButtonStepsBackEachTick) {
  startWith({"a.avi", "b.avi", "c.avi", "d.avi"});
  pointAtPanel2();
  (void)program->asyncKeys().read(Qt::LeftButton);
  (void)program->asyncKeys().read(Qt::RightButton);

  pressOutside(Qt::LeftButton);
  main().Timer1Timer();
  EXPECT_EQ(counter(), QStringLiteral("2/4"));
  main().Timer1Timer();  // still held: a left click steps once
  EXPECT_EQ(counter(), QStringLiteral("2/4"));
  pressOutside(Qt::LeftButton, QEvent::MouseButtonRelease);

  pressOutside(Qt::LeftButton);
  main().Timer1Timer();
  EXPECT_EQ(counter(), QStringLiteral("3/4"));
  pressOutside(Qt::LeftButton, QEvent::MouseButtonRelease);

  pressOutside(Qt::RightButton);
  main().Timer1Timer();  // newly pressed: not yet
  EXPECT_EQ(counter(), QStringLiteral("3/4"));
  main().Timer1Timer();
  EXPECT_EQ(counter(), QStringLiteral("2/4"));
  main().Timer1Timer();
  EXPECT_EQ(counter(), QStringLiteral("1/4"));
  main().Timer1Timer();  // at the first entry
  EXPECT_EQ(counter(), QStringLiteral("1/4"));
  pressOutside(Qt::RightButton, QEvent::MouseButtonRelease);

  // Away from the video the buttons do nothing here.
  QCursor::setPos(main().mapToGlobal(QPoint(-50, -50)));
  pressOutside(Qt::LeftButton);
  main().Timer1Timer();
  EXPECT_EQ(counter(), QStringLiteral("1/4"));
  pressOutside(Qt::LeftButton, QEvent::MouseButtonRelease);
}

TEST_F(VideoTest, AClickOnThePanelStepsOnceNotAgainOnTheNextTick) {
  startWith({"a.avi", "b.avi", "c.avi"});
  pointAtPanel2();
  QTest::mousePress(&panel2(), Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_EQ(counter(), QStringLiteral("2/3"));
  main().Timer1Timer();
  EXPECT_EQ(counter(), QStringLiteral("2/3"));
  QTest::mouseRelease(&panel2(), Qt::LeftButton, {}, QPoint(2, 2));
}

TEST_F(VideoTest, TheClipIsClosedBeforeAMoveAndWhenTheWindowCloses) {
  startWith({"moving clip.avi"});
  const fs::path source = folder / "moving clip.avi";
  const fs::path target = home.makeDir("target") / "moving clip.avi";
  bool sourceThereAtClose = false;
  media->onCommand = [&](const std::string& command) {
    if (command == "close mvid") sourceThereAtClose = fs::exists(source);
  };
  ASSERT_TRUE(media->open);
  const OperationResult moved =
      program->fileOperation().run(ActionKind::Move, source.string(), target.string(), false);
  EXPECT_TRUE(moved.ok());
  EXPECT_TRUE(sourceThereAtClose);
  EXPECT_EQ(media->commands, std::vector<std::string>{"close mvid"});
  EXPECT_TRUE(fs::exists(target));

  fixtures::writeFile(source.string(), fixtures::aviBytes());
  main().ShowCurrent();
  ASSERT_TRUE(media->open);
  main().close();
  EXPECT_FALSE(media->open);
  EXPECT_FALSE(main().timer1().isActive());
}

TEST_F(VideoTest, AClipThatCannotPlayIsReportedOncePerShowing) {
  // The first showing renders the file twice; the real device refuses bytes that are no video.
  const fs::path videos = home.makeDir("broken videos");
  fixtures::writeFile((videos / "broken clip.avi").string(),
                      {'n', 'o', ' ', 'v', 'i', 'd', 'e', 'o'});
  start({videos.string()});
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_FALSE(boxes.shown()[0].text.isEmpty());
  EXPECT_EQ(main().statusText(), QStringLiteral("broken clip.avi"));
  // Shown again later, it is reported again.
  main().ShowCurrent();
  EXPECT_EQ(boxes.shown().size(), 2u);
}
