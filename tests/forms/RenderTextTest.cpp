// The text renderer in every place it draws, and the sound renderer's speaker.
#include <unistd.h>

#include <QPainter>

#include "RenderTestFixture.h"
#include "core/picture/ShownFileTexts.h"
#include "core/text/TextLines.h"
#include "forms/common/ByteText.h"
#include "forms/render/RenderText.h"
#include "forms/render/RenderWave.h"
#include "platform/art/Artwork.h"

using namespace tossbox;

namespace {

fixtures::ByteVector bytesOf(std::string_view text) {
  return fixtures::ByteVector(text.begin(), text.end());
}

std::string numberedLines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "line " + std::to_string(i) + "\r\n";
  return text;
}

// Whether band i (the 10 pixels of line i) holds anything but white.
bool inked(const QImage& picture, int band) {
  const QImage image = picture.convertToFormat(QImage::Format_RGB32);
  for (int y = band * 10; y < std::min(image.height(), band * 10 + 10); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != qRgb(255, 255, 255)) return true;
  return false;
}

bool allWhite(const QImage& picture) {
  const QImage image = picture.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != qRgb(255, 255, 255)) return false;
  return true;
}

}  // namespace

class RenderTextTest : public RenderTest {
 protected:
  RenderTextTest() {
    services_.textLines = &lines_;
    services_.showWaitText = [this] { events_.push_back("wait"); };
    services_.restoreStatusText = [this] { events_.push_back("restore"); };
    services_.playSound = [this](const std::string& path) { played_.push_back(path); };
    services_.listTextInViewer = [this](int mode) { viewerModes_.push_back(mode); };
    services_.art = &art_;
  }

  bool render(const std::string& path) { return RenderText(services_, previewArgs(path)); }
  bool renderInto(TargetRole role, const std::string& path, int boxHeight, int boxWidth,
                  int mode = 0) {
    return RenderText(services_, RenderArgs{*other_, path, 1, boxHeight, boxWidth, mode, role});
  }

  std::vector<std::string> keptLines() const {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < lines_.size(); ++i) out.emplace_back(lines_[i]);
    return out;
  }

  TextLines lines_;
  Artwork art_;
  std::vector<std::string> events_;
  std::vector<std::string> played_;
  std::vector<int> viewerModes_;
};

TEST_F(RenderTextTest, PreviewDrawsTheFirstLinesAndCountsThemAll) {
  ASSERT_TRUE(render(file("three.txt", bytesOf("one\ntwo\nthree\n"))));
  EXPECT_EQ(placed(*preview_), QRect(4, 4, 180, 140));
  EXPECT_FALSE(preview_->isHidden());
  const QImage three = preview_->picture().image();
  EXPECT_EQ(three.size(), QSize(180, 140));
  for (int band = 0; band < 3; ++band) EXPECT_TRUE(inked(three, band)) << band;
  for (int band = 3; band < 14; ++band) EXPECT_FALSE(inked(three, band)) << band;
  EXPECT_EQ(shown_.kind, 6);
  EXPECT_EQ(shown_.format, shown_text::kPlainText);
  EXPECT_EQ(shown_.height, 3);
  EXPECT_EQ(shown_.width, 11);
  EXPECT_EQ(shown_.fileSize, 14);
  EXPECT_EQ(events_, (std::vector<std::string>{"wait", "restore"}));

  const std::string forty = numberedLines(40);
  ASSERT_TRUE(render(file("forty.txt", bytesOf(forty))));
  EXPECT_EQ(shown_.height, 40);
  EXPECT_EQ(shown_.width, static_cast<int>(forty.size()) - 80);
  EXPECT_EQ(lines_.size(), 40u);
  EXPECT_EQ(lines_[39], "line 39");
  for (int band = 0; band < 14; ++band) EXPECT_TRUE(inked(preview_->picture().image(), band));
}

TEST_F(RenderTextTest, FormatNamesAndWhatABinaryDocumentShows) {
  ASSERT_TRUE(render(file("tool.ini", bytesOf("[main]\nkey=1\n"))));
  EXPECT_EQ(shown_.format, "設定 ﾌｧｲﾙ");
  EXPECT_EQ(keptLines(), (std::vector<std::string>{"[main]", "key=1"}));

  constexpr char kDoc[] = "\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1\r\nmore\0\0\0hidden text\r\n";
  const std::string doc(kDoc, sizeof kDoc - 1);
  ASSERT_TRUE(render(file("letter.doc", bytesOf(doc))));
  EXPECT_EQ(shown_.format, "MS Word ﾌｧｲﾙ");
  EXPECT_EQ(keptLines(), (std::vector<std::string>{"\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1", "more"}));
  EXPECT_EQ(shown_.height, 2);
  EXPECT_EQ(shown_.width, 12);
  EXPECT_EQ(shown_.fileSize, static_cast<std::int64_t>(doc.size()));

  ASSERT_TRUE(render(file("mixed.txt", bytesOf("a\rb\r\nc\nd\n\re"))));
  EXPECT_EQ(keptLines(), (std::vector<std::string>{"a", "b", "c", "d", "", "e"}));
  EXPECT_EQ(shown_.height, 6);
  EXPECT_EQ(shown_.width, 5);
}

TEST_F(RenderTextTest, RichTextGoesThroughItsConverter) {
  const std::string rtf = "{\\rtf1\\ansi plain\\par second}";
  const std::string path = file("note.rtf", bytesOf(rtf));
  ASSERT_TRUE(render(path));
  EXPECT_EQ(shown_.format, "ﾘｯﾁﾃｷｽﾄ ﾌｧｲﾙ");
  EXPECT_TRUE(lines_.empty());
  EXPECT_EQ(shown_.height, 0);
  EXPECT_TRUE(allWhite(preview_->picture().image()));

  std::string given;
  services_.rtfLines = [&given](std::string_view document) {
    given = document;
    return std::vector<std::string>{"plain", "\x83\x65\x83\x4c\x83\x58\x83\x67"};
  };
  ASSERT_TRUE(render(path));
  EXPECT_EQ(given, rtf);
  EXPECT_EQ(shown_.height, 2);
  EXPECT_EQ(shown_.width, 13);
  // Converted lines are CP932 whatever bytes the document held.
  EXPECT_EQ(textLineText(lines_[1], lines_.utf8()), "テキスト");
}

TEST_F(RenderTextTest, Cp932AndUtf8FilesReadTheSame) {
  const std::string utf8 = "設定 ﾌｧｲﾙ\ncafé\n";
  const std::string cp932 = "\x90\xdd\x92\xe8 \xcc\xa7\xb2\xd9\ncaf\x82\xa0\n";  // あ for é
  ASSERT_TRUE(render(file("utf8.txt", bytesOf(utf8))));
  EXPECT_TRUE(lines_.utf8());
  // é's UTF-8 bytes are also two half-width katakana in CP932; the whole file decides.
  EXPECT_EQ(textLineText(lines_[1], lines_.utf8()), "café");
  EXPECT_EQ(shown_.width, static_cast<int>(utf8.size()) - 2);
  const QImage fromUtf8 = preview_->picture().image();

  ASSERT_TRUE(render(file("sjis.txt", bytesOf(cp932))));
  EXPECT_FALSE(lines_.utf8());
  EXPECT_EQ(textLineText(lines_[0], lines_.utf8()), "設定 ﾌｧｲﾙ");
  EXPECT_EQ(textLineText(lines_[1], lines_.utf8()), "cafあ");
  EXPECT_EQ(shown_.width, 14);
  const QImage fromCp932 = preview_->picture().image();
  // The first line is drawn alike from both files, the second not.
  EXPECT_EQ(fromUtf8.copy(0, 0, 180, 10), fromCp932.copy(0, 0, 180, 10));
  EXPECT_NE(fromUtf8.copy(0, 10, 180, 10), fromCp932.copy(0, 10, 180, 10));
  // A byte CP932 has no character for shows as one replacement, the rest as it stands.
  EXPECT_EQ(textLineText("a\xa0\x82\xa0", false), QStringLiteral("a\uFFFDあ"));
}

TEST_F(RenderTextTest, OtherWindowsDrawFromTheLinesOfThePreview) {
  const std::string path = file("shown.txt", bytesOf(numberedLines(20)));
  ASSERT_TRUE(render(path));
  ASSERT_EQ(::unlink(path.c_str()), 0);  // the others must not read it again
  events_.clear();

  ASSERT_TRUE(renderInto(TargetRole::FileInfo, path, 94, 116));
  EXPECT_EQ(placed(*other_), QRect(2, 2, 118, 96));
  EXPECT_FALSE(other_->isHidden());
  const QImage info = other_->picture().image();
  EXPECT_EQ(info.size(), QSize(118, 96));
  for (int band = 0; band < 9; ++band) EXPECT_TRUE(inked(info, band)) << band;

  other_->hide();
  ASSERT_TRUE(renderInto(TargetRole::SameNameSource, path, 94, 130));
  EXPECT_EQ(placed(*other_), QRect(4, 5, 130, 96));
  EXPECT_FALSE(other_->isHidden());
  EXPECT_TRUE(inked(other_->picture().image(), 0));

  ASSERT_TRUE(renderInto(TargetRole::Viewer, path, 768, 1024, 1));
  EXPECT_EQ(viewerModes_, std::vector<int>{1});
  EXPECT_TRUE(events_.empty());
  EXPECT_EQ(shown_.height, 20);

  // The file already in the target folder is read for itself; the lines stay the preview's.
  other_->clearPicture();
  const std::string existing =
      file("existing.txt", bytesOf("ONE LINE"));  // capitals: nothing reaches the next band
  ASSERT_TRUE(renderInto(TargetRole::SameNameTarget, existing, 94, 130));
  EXPECT_EQ(placed(*other_), QRect(4, 5, 130, 96));
  EXPECT_TRUE(inked(other_->picture().image(), 0));
  EXPECT_FALSE(inked(other_->picture().image(), 1));
  EXPECT_EQ(lines_.lineCount(), 20u);
  EXPECT_EQ(shown_.height, 20);
}

TEST_F(RenderTextTest, WithoutLinesTheOtherWindowsDrawNothing) {
  other_->hide();
  ASSERT_TRUE(renderInto(TargetRole::SameNameSource, "/nowhere.txt", 94, 130));
  EXPECT_TRUE(other_->isHidden());
  EXPECT_TRUE(other_->picture().isNull());
  ASSERT_TRUE(renderInto(TargetRole::FileInfo, "/nowhere.txt", 94, 116));
  EXPECT_FALSE(other_->isHidden());
  EXPECT_TRUE(other_->picture().isNull());
  ASSERT_TRUE(renderInto(TargetRole::Viewer, "/nowhere.txt", 768, 1024));
  EXPECT_TRUE(viewerModes_.empty());
  // An empty file in the target folder still gets its white box.
  ASSERT_TRUE(renderInto(TargetRole::SameNameTarget, file("empty.txt", {}), 94, 130));
  EXPECT_TRUE(allWhite(other_->picture().image()));
}

TEST_F(RenderTextTest, AnUnreadableFileThrowsAndPutsTheStatusBack) {
  ASSERT_TRUE(render(file("before.txt", bytesOf("old text\n"))));
  events_.clear();
  const std::filesystem::path folder = folder_ / "x.txt";
  std::filesystem::create_directory(folder);
  try {
    (void)render(folder.string());
    ADD_FAILURE() << "no error";
  } catch (const std::system_error& error) {
    EXPECT_NE(std::string(error.what()).find(folder.string()), std::string::npos);
    EXPECT_EQ(error.code(), std::errc::is_a_directory);
  }
  EXPECT_EQ(events_, (std::vector<std::string>{"wait", "restore"}));
  // The lines of the file before are not passed off as this one's.
  EXPECT_TRUE(lines_.empty());
  EXPECT_FALSE(preview_->isHidden());
}

TEST_F(RenderTextTest, SoundShowsTheSpeakerAndPlays) {
  shown_.width = 77;
  shown_.height = 88;
  const std::string path = file("chime.wav", bytesOf(std::string_view("RIFF\x24\0\0\0WAVE", 12)));
  ASSERT_TRUE(RenderWave(services_, previewArgs(path)));
  EXPECT_EQ(placed(*preview_), QRect(67, 48, 54, 54));
  EXPECT_FALSE(preview_->isHidden());
  EXPECT_EQ(rgb(preview_->picture().image()), rgb(art_.imageList1(0).toImage()));
  EXPECT_EQ(shown_.kind, 7);
  EXPECT_EQ(shown_.format, "ｳｴｰﾌﾞﾌｧｲﾙ");
  EXPECT_EQ(shown_.fileSize, 12);
  EXPECT_EQ(shown_.width, 77);
  EXPECT_EQ(shown_.height, 88);
  EXPECT_EQ(played_, std::vector<std::string>{path});

  // The speaker is not enlarged even when the call allows it; the information window has its own.
  ASSERT_TRUE(
      RenderWave(services_, RenderArgs{*other_, path, 1, 94, 116, 1, TargetRole::FileInfo}));
  EXPECT_EQ(placed(*other_).size(), QSize(54, 54));
  EXPECT_EQ(rgb(other_->picture().image()), rgb(art_.imageList1(16).toImage()));
  EXPECT_NE(rgb(art_.imageList1(16).toImage()), rgb(art_.imageList1(0).toImage()));
}
