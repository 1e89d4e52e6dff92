// The file information window in the running program: its lines for the file
// on show, content kept while it stays open, and the preview's video given
// back when it closes.
#include <QListWidget>
#include <QToolButton>

#include "GifTestFiles.h"
#include "ShownFileFixture.h"
#include "core/picture/FitRectangle.h"
#include "forms/fileinfo/UFileInfo.h"
#include "forms/picture/PictureControl.h"
#include "forms/viewer/ULarge.h"
#include "platform/media/MediaCommands.h"

using namespace tossbox;
namespace fs = std::filesystem;

namespace {

// A device that opens anything and answers the size and facts of a clip.
class ClipDevice : public MediaCommands {
 public:
  MediaReply send(std::string_view text) override {
    const std::string command(text);
    commands.push_back(command);
    if (command.rfind("open ", 0) == 0) open = true;
    if (command == "close mvid") open = false;
    if (command == "where mvid source") return {0, "0 0 320 240"};
    if (command == "status mvid length") return {0, "75"};
    if (command == "status mvid volume") return {0, "500"};
    if (command == "info mvid version") return {0, "2.0"};
    if (command == "info mvid product") return {0, "clip device"};
    return {};
  }
  [[nodiscard]] std::string errorText(int) const override { return {}; }
  [[nodiscard]] bool isOpen(std::string_view alias) const override {
    return open && alias == "mvid";
  }

  std::vector<std::string> commands;
  bool open = false;
};

}  // namespace

class FileInfoTest : public ShownFileTest {
 protected:
  TForm6& info() { return program->form6(); }
  std::vector<QString> lines() {
    std::vector<QString> shown;
    for (int row = 0; row < info().listBox1().count(); ++row)
      shown.push_back(info().listBox1().item(row)->text());
    return shown;
  }
  // Opened through the file menu, as the user does.
  void openFromMenu() {
    main().speedButton(3).setChecked(true);
    main().action("N17").trigger();
  }
};

TEST_F(FileInfoTest, TheLinesOfAJpegAGifATextAndASound) {
  const fixtures::ByteVector photo = jpeg(120, 80);
  startWith({{"a photo.jpg", photo},
             {"b still.gif", gif_files::animation(30, 20, {{gif_files::kRedIndex, 0}})},
             {"c notes.txt", text("one\ntwo\n")},
             {"d bell.wav", text("RIFF")}});
  show("a photo.jpg");
  openFromMenu();
  ASSERT_TRUE(info().isVisible());
  EXPECT_FALSE(main().speedButton(3).isChecked());
  EXPECT_EQ(info().size(), QSize(429, 123));
  EXPECT_TRUE(info().windowFlags() & Qt::WindowStaysOnTopHint);
  const std::vector<QString> jpeg = lines();
  ASSERT_EQ(jpeg.size(), 10u);
  EXPECT_EQ(jpeg[0], QStringLiteral("ﾌｧｲﾙ名 \ta photo.jpg"));
  EXPECT_EQ(jpeg[1], QStringLiteral("場所　\t") + QString::fromStdString(folder.string()));
  EXPECT_EQ(jpeg[2], QStringLiteral(" "));
  EXPECT_EQ(std::vector<QString>(jpeg.begin() + 5, jpeg.end()),
            (std::vector<QString>{"圧縮率 \t90 %", "ｶﾗｰﾓｰﾄﾞ \tｶﾗｰ", "種類   \t24ﾋﾞｯﾄ RGBｶﾗｰ",
                                  "幅     \t120 ﾋﾟｸｾﾙ", "高さ   \t80 ﾋﾟｸｾﾙ"}));
  const QString bytes = QString::number(photo.size());
  EXPECT_TRUE(jpeg[4].endsWith(photo.size() > 1024 ? " KB (" + bytes + "ﾊﾞｲﾄ)" : bytes + "ﾊﾞｲﾄ"))
      << jpeg[4].toStdString();
  // The picture in the 116 x 94 box, from the preview's own.
  const FitResult fit = FitRectangle(0, 120, 94, 116, 80);
  EXPECT_EQ(info().image1().geometry(), QRect(fit.left, fit.top, fit.width, fit.height));
  EXPECT_FALSE(info().image1().picture().isNull());
  // Scrolls as far as the widest line, tabs expanded.
  const QFontMetrics metrics(info().listBox1().font());
  int widest = 0;
  for (const QString& line : jpeg)
    widest =
        std::max(widest, metrics.size(Qt::TextExpandTabs, line, info().tabStopPixels()).width());
  EXPECT_EQ(info().horizontalExtent(), widest);
  EXPECT_EQ(info().tabStopPixels(), 5 * metrics.averageCharWidth());

  // Not refreshed while open, even when the main window moves on.
  show("b still.gif");
  openFromMenu();
  EXPECT_EQ(lines(), jpeg);
  info().close();
  EXPECT_FALSE(info().isVisible());

  openFromMenu();
  const std::vector<QString> gif = lines();
  ASSERT_GE(gif.size(), 6u);
  EXPECT_EQ(gif[0], QStringLiteral("ﾌｧｲﾙ名 \tb still.gif"));
  EXPECT_EQ(gif[5], QStringLiteral("ﾌﾚｰﾑ数 \t1 ﾌﾚｰﾑ"));
  info().close();

  show("c notes.txt");
  openFromMenu();
  const std::vector<QString> text = lines();
  ASSERT_EQ(text.size(), 7u);
  EXPECT_EQ(text[4], QStringLiteral("ﾌｧｲﾙｻｲｽﾞ \t8ﾊﾞｲﾄ"));
  EXPECT_EQ(text[5], QStringLiteral("文字数\t6 文字"));
  EXPECT_EQ(text[6], QStringLiteral("行数   \t2 行"));
  info().close();

  show("d bell.wav");
  openFromMenu();
  const std::vector<QString> wave = lines();
  ASSERT_EQ(wave.size(), 5u);
  EXPECT_EQ(wave[3], QStringLiteral("ﾌｫｰﾏｯﾄ \tｳｴｰﾌﾞﾌｧｲﾙ"));
  info().close();
}

TEST_F(FileInfoTest, ClosingAfterAVideoGivesThePreviewItsClipBack) {
  startWith({{"a clip.avi", text("RIFF")}, {"b photo.jpg", jpeg(30, 20)}});
  auto device = std::make_unique<ClipDevice>();
  ClipDevice& media = *device;
  program->setMedia(std::move(device));
  show("a clip.avi");
  openFromMenu();
  const std::vector<QString> video = lines();
  ASSERT_EQ(video.size(), 9u);
  EXPECT_EQ(video[5], QStringLiteral("ﾊﾞｰｼﾞｮﾝ\t2.0"));
  EXPECT_EQ(video[6], QStringLiteral("ﾌﾟﾛﾀﾞｸﾄ\tclip device"));
  EXPECT_EQ(video[7], QStringLiteral("ﾌﾚｰﾑ数 \t75 ﾌﾚｰﾑ"));
  EXPECT_EQ(video[8], QStringLiteral("音量  \t500/1000"));
  // Nobody watches that clip for clicks: the viewer's watch is the viewer's alone.
  EXPECT_FALSE(program->form3().timer1().isActive());
  const auto opens = [&] {
    return std::count_if(media.commands.begin(), media.commands.end(),
                         [](const std::string& c) { return c.rfind("open ", 0) == 0; });
  };
  const auto before = opens();
  info().close();
  EXPECT_EQ(opens(), before + 1);
  EXPECT_TRUE(main().timer1().isActive());

  // After any other kind the preview is left as it is.
  show("b photo.jpg");
  openFromMenu();
  media.commands.clear();
  const Picture shown = main().image1().picture();
  info().close();
  EXPECT_EQ(opens(), 0);
  EXPECT_EQ(main().image1().picture().source(), shown.source());
}
