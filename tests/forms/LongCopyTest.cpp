// A sort of a file over the long-copy size: the status line shows the wait text with the
// percentage while the window goes on running, and the result is that of a small file.
#include <sys/resource.h>

#include <QRegularExpression>
#include <QTimer>
#include <csignal>

#include "SortingFixture.h"
#include "core/sorting/FileTransfer.h"

using namespace tossbox;
namespace fs = std::filesystem;

class LongCopyTest : public SortingTest {
 protected:
  static constexpr std::size_t kSize = std::size_t{100} << 20;

  void SetUp() override {
    SortingTest::SetUp();
    bytes.assign(kSize, 'x');
    for (std::size_t i = 0; i < kSize; i += std::size_t{1} << 20)
      bytes[i] = static_cast<char>('A' + (i >> 20) % 26);
    touch(in / "big.txt", bytes);
    touch(in / "next.txt", "next");
    start({(in / "big.txt").string(), (in / "next.txt").string()});
    setButton(1, copies);
  }

  // Presses button 1 while a timer notes every status text shown meanwhile.
  std::vector<QString> pressNoting() {
    std::vector<QString> seen;
    QTimer sampler;
    sampler.setInterval(0);
    QObject::connect(&sampler, &QTimer::timeout, [&] {
      if (seen.empty() || seen.back() != status()) seen.push_back(status());
    });
    sampler.start();
    press(1);
    return seen;
  }

  std::vector<std::string> leftovers() const {
    std::vector<std::string> found;
    if (!fs::exists(copies)) return found;
    for (const auto& item : fs::directory_iterator(copies))
      if (isHiddenCopyName(item.path().filename().string())) found.push_back(item.path());
    return found;
  }

  std::string bytes;
  fs::path copies = home.root() / "copies";
};

TEST_F(LongCopyTest, ShowsItsPercentageAndEndsAsASmallCopyDoes) {
  std::vector<int> pauses;
  program->setPause([&](int ms) { pauses.push_back(ms); });
  const std::vector<QString> seen = pressNoting();

  const QRegularExpression waiting(QStringLiteral("^しばらくお待ち下さい．．．(\\d+)%$"));
  std::vector<int> percents;
  for (const QString& text : seen)
    if (const auto match = waiting.match(text); match.hasMatch())
      percents.push_back(match.captured(1).toInt());
  ASSERT_FALSE(percents.empty());
  EXPECT_EQ(percents.front(), 0);
  EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));

  EXPECT_TRUE(read(copies / "big.txt") == bytes);
  ASSERT_EQ(historyBox().count(), 1);
  EXPECT_EQ(historyLine(0).toStdString(),
            "\"big.txt\" を \"copies/big.txt\" にコピーしました。　(" + (in / "big.txt").string() +
                " => " + (copies / "big.txt").string() + ")");
  EXPECT_EQ(status(), "next.txt");
  EXPECT_EQ(list().selectedIndex(), 1);
  EXPECT_EQ(pauses, std::vector<int>{100});
  EXPECT_TRUE(leftovers().empty());
}

TEST_F(LongCopyTest, AFailureMidwayLeavesNoHalfFileAndSaysSo) {
  struct rlimit saved {};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit limited = saved;
  limited.rlim_cur = std::uint64_t{40} << 20;
  ::setrlimit(RLIMIT_FSIZE, &limited);
  const std::vector<QString> seen = pressNoting();
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);

  EXPECT_FALSE(seen.empty());
  EXPECT_EQ(status(), "ｺﾋﾟｰできませんでした。");
  EXPECT_FALSE(fs::exists(copies / "big.txt"));
  EXPECT_TRUE(leftovers().empty());
  EXPECT_TRUE(program->history().empty());
  EXPECT_EQ(historyBox().count(), 0);
  EXPECT_EQ(list().selectedIndex(), 0);
  EXPECT_EQ(fs::file_size(in / "big.txt"), kSize);
}
