#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "SortingFixtures.h"
#include "core/sorting/HistoryEntry.h"
#include "core/sorting/HistoryList.h"
#include "core/sorting/HistoryLog.h"
#include "core/text/AnsiText.h"

namespace tossbox {
namespace {

using namespace std::chrono;

TEST(HistoryText, TheFourLinesOfTheHistoryWindow) {
  EXPECT_EQ(HistoryText(ActionKind::Copy, false, "/in/cat.jpg", "/srv/Pets/cat.jpg"),
            "\"cat.jpg\" を \"Pets/cat.jpg\" にコピーしました。\u3000(/in/cat.jpg => "
            "/srv/Pets/cat.jpg)");
  EXPECT_EQ(HistoryText(ActionKind::Copy, true, "/in/cat.jpg", "/srv/Pets/img010.jpg"),
            "\"cat.jpg\" を \"Pets/img010.jpg\" に名前を変えコピーしました。\u3000(/in/cat.jpg => "
            "/srv/Pets/img010.jpg)");
  EXPECT_EQ(HistoryText(ActionKind::Move, false, "/in/cat.jpg", "/srv/Pets/cat.jpg"),
            "\"cat.jpg\" を \"Pets/cat.jpg\" に移動しました。  (/in/cat.jpg => /srv/Pets/cat.jpg)");
  EXPECT_EQ(HistoryText(ActionKind::Trash, false, "/in/cat.jpg", ""),
            "\"cat.jpg\" をゴミ箱へ捨てました。\u3000 (/in/cat.jpg)");
}

TEST(HistoryEntry, CountedBytesSplitSourceAndTargetAlsoPast255Bytes) {
  const std::string source = "/in/" + std::string(300, 'x') + ".jpg";  // 308 bytes = 0x134
  const std::string target = std::string("/out/\0z.jpg", 11);
  const auto entry = HistoryEntry::make(ActionKind::Move, true, source, target);
  ASSERT_TRUE(entry);
  const std::string_view bytes = entry->bytes();
  ASSERT_EQ(bytes.size(), 4 + source.size() + target.size());
  EXPECT_EQ(bytes.substr(0, 4), std::string_view("\x02\x01\x34\x01", 4));
  EXPECT_EQ(bytes.substr(4, source.size()), source);
  EXPECT_EQ(entry->source(), source);
  EXPECT_EQ(entry->target(), target);

  HistoryList history;
  history.RecordAction(ActionKind::Move, true, source, target);
  history.RecordAction(ActionKind::Trash, false, "/in/a.jpg", "");
  history.markUndone(0);
  history.markUndone(0);
  EXPECT_EQ(static_cast<int>(history.entry(0).bytes()[0]), 5);
  EXPECT_EQ(history.entry(0).source(), source);
  EXPECT_EQ(history.line(0).rfind("[取消済] \"", 0), 0u);
  EXPECT_EQ(history.line(0).find("[取消済]", 1), std::string::npos);
  EXPECT_EQ(history.entry(1).bytes(), std::string_view("\x03\x00\x09\x00/in/a.jpg", 13));

  EXPECT_FALSE(HistoryEntry::make(ActionKind::Copy, false, std::string(0x10000, 'a'), "/t"));
  EXPECT_TRUE(HistoryEntry::make(ActionKind::Copy, false, std::string(0xFFFF, 'a'), "/t"));
}

// Records what it is told, as the history window would mirror it.
class RecordingView : public HistoryObserver {
 public:
  std::vector<std::string> told;
  void historyAppended(std::size_t index) override { told.push_back("+" + std::to_string(index)); }
  void historyLineChanged(std::size_t index) override {
    told.push_back("~" + std::to_string(index));
  }
  void historyCleared() override { told.emplace_back("clear"); }
};

TEST(HistoryList, TellsItsViewsOfEveryChange) {
  HistoryList history;
  RecordingView first;
  RecordingView gone;
  history.addObserver(first);
  history.addObserver(gone);
  history.RecordAction(ActionKind::Copy, false, "/in/a.jpg", "/out/a.jpg");
  history.removeObserver(gone);
  history.RecordAction(ActionKind::Trash, false, "/in/b.jpg", "");
  history.markUndone(1);
  history.markUndone(1);  // already undone: nothing changes, nothing is told
  EXPECT_THROW(history.RecordAction(ActionKind::Copy, false, std::string(0x10000, 'a'), "/t"),
               std::length_error);
  history.clear();
  EXPECT_EQ(first.told, (std::vector<std::string>{"+0", "+1", "~1", "clear"}));
  EXPECT_EQ(gone.told, std::vector<std::string>{"+0"});
}

TEST(HistoryLog, NameAndPathRules) {
  EXPECT_EQ(proposedLogName(2026y / December / 7), "LOG20261207");
  EXPECT_EQ(proposedLogName(2027y / January / 31), "LOG20270131");
  EXPECT_EQ(logFilePath("/home/u/LOG20261207"), "/home/u/LOG20261207.txt");
  EXPECT_EQ(logFilePath("/home/u/name.txt"), "/home/u/name.txt.txt");
}

TEST(HistoryLog, Cp932BytesWithCrLfAndVisibleEscapes) {
  const std::vector<std::string> lines = {
      HistoryText(ActionKind::Copy, false, "/in/cat.jpg", "/srv/Pets/cat.jpg"),
      "[取消済] " + HistoryText(ActionKind::Trash, false, "/in/cat.jpg", ""),
  };
  const std::string bytes = historyLogBytes(lines);
  // "コ" is 83 52 and the full-width blank 81 40 in CP932.
  EXPECT_NE(bytes.find("\x83\x52"), std::string::npos);
  EXPECT_NE(bytes.find("\x81\x42\x81\x40(/in/cat.jpg"), std::string::npos);
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
  const auto back = cp932ToUtf8(bytes);
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, lines[0] + "\r\n" + lines[1] + "\r\n");

  EXPECT_EQ(logLineBytes("a\xF0\x9F\x98\x80z"), "a\\u{1F600}z");
  EXPECT_EQ(logLineBytes("caf\xC3\xA9"), "caf\\u{00E9}");
  EXPECT_EQ(logLineBytes("bad\xFF\xC3"), "bad\\x{FF}\\x{C3}");
  EXPECT_EQ(logLineBytes("a\\b\nc\td"), "a\\\\b\\x{0A}c\td");
  EXPECT_EQ(logLineBytes("猫\xF0\x9F\x98\x80"), "\x94\x4c\\u{1F600}");
}

TEST(HistoryLog, WritesTheBytesAndReportsAFolderThatIsNotThere) {
  TempTree folder;
  TempTree trashFolder;
  testing::FolderTrash trash(trashFolder.path("trash"));
  const std::string path = logFilePath(folder.path("LOG20261207"));
  const std::string bytes = historyLogBytes(std::vector<std::string>{"a", "b"});
  writeHistoryLog(path, bytes, trash);
  EXPECT_EQ(testing::readFile(path), "a\r\nb\r\n");
  writeHistoryLog(path, "c\r\n", trash);
  EXPECT_EQ(testing::readFile(path), "c\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.root()), {}), 1);
  EXPECT_EQ(testing::readFile(trashFolder.path("trash/1-LOG20261207.txt")), "a\r\nb\r\n");
  EXPECT_THROW(writeHistoryLog(folder.path("missing/LOG.txt"), bytes, trash), std::system_error);
}

TEST(HistoryLog, WhatCannotBeReplacedSafelyStaysAsItWas) {
  TempTree folder;
  testing::FolderTrash trash(folder.path("trash"));
  const std::string path = folder.path("logs/LOG.txt");
  testing::writeFile(path, "old");

  // The old file cannot go to the trash: it is not replaced and nothing is left behind.
  trash.refuseTrash = true;
  EXPECT_THROW(writeHistoryLog(path, "new\r\n", trash), std::system_error);
  EXPECT_EQ(testing::readFile(path), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path("logs")), {}), 1);

  // A folder under the log's name is never replaced.
  trash.refuseTrash = false;
  const std::string taken = folder.path("logs/taken.txt");
  testing::writeFile(taken + "/inside", "kept");
  EXPECT_THROW(writeHistoryLog(taken, "new\r\n", trash), std::system_error);
  EXPECT_EQ(testing::readFile(taken + "/inside"), "kept");
  EXPECT_TRUE(std::filesystem::is_empty(folder.path("trash")));
}

}  // namespace
}  // namespace tossbox
