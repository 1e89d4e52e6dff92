// The settings store under SIGKILL: a child saves it over and over while this test kills it
// at random moments. Whatever the moment, the file must hold the last finished save or the one
// under way, whole, and the start-up clean-up must take away the half-written temporary file.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "KillRecords.h"
#include "TempHome.h"
#include "core/files/UniqueFd.h"
#include "platform/settings/SettingsStore.h"

extern char** environ;

namespace tossbox {
namespace {

namespace fs = std::filesystem;
using killtest::recordFor;

constexpr int kSavesPerChild = 1000;

unsigned environmentNumber(const char* name, unsigned fallback) {
  const char* text = std::getenv(name);
  return text != nullptr && *text != '\0' ? static_cast<unsigned>(std::stoul(text)) : fallback;
}

// The running saver: its pid and the read end of its standard output.
struct Saver {
  pid_t pid = -1;
  UniqueFd announcements;
};

Saver startSaver(const fs::path& store, int first) {
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) return {};
  UniqueFd readEnd(ends[0]);
  UniqueFd writeEnd(ends[1]);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, writeEnd.get(), STDOUT_FILENO);
  std::string program = TOSSBOX_SETTINGS_SAVER;
  std::string storeText = store.string();
  std::string firstText = std::to_string(first);
  std::string countText = std::to_string(kSavesPerChild);
  std::vector<char*> argv{program.data(), storeText.data(), firstText.data(), countText.data(),
                          nullptr};
  Saver saver;
  const int spawned =
      ::posix_spawn(&saver.pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) saver.pid = -1;
  saver.announcements = std::move(readEnd);
  return saver;
}

// The next number the saver announced; nullopt at the end of its output.
std::optional<int> nextAnnouncement(int fd) {
  std::uint32_t number = 0;
  auto* bytes = reinterpret_cast<char*>(&number);
  std::size_t have = 0;
  while (have < sizeof number) {
    const ssize_t got = ::read(fd, bytes + have, sizeof number - have);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return std::nullopt;
    have += static_cast<std::size_t>(got);
  }
  return static_cast<int>(number);
}

int temporaryFilesBeside(const fs::path& store) {
  const std::string prefix = store.filename().string() + ".tmp.";
  int count = 0;
  for (const auto& entry : fs::directory_iterator(store.parent_path()))
    if (entry.path().filename().string().starts_with(prefix)) ++count;
  return count;
}

TEST(SettingsKill, StoreIsOldOrNewAfterEveryKill) {
  TempHome home;
  const unsigned seed = environmentNumber("TOSSBOX_KILL_SEED", 1811);
  const unsigned kills = environmentNumber("TOSSBOX_KILL_COUNT", 40);
  std::printf("settings kill test: seed %u, %u kills\n", seed, kills);
  std::mt19937 random(seed);
  // Up to a few saves' time (each waits for fsync) after the saver's first announcement.
  std::uniform_int_distribution<int> delayUs(0, 50000);

  const SettingsStore store;
  ASSERT_TRUE(store.saveRecord(recordFor(0)).saved);
  int onDisk = 0;
  int next = 1;
  int foundOld = 0;
  int foundLeftover = 0;
  for (unsigned kill = 0; kill < kills; ++kill) {
    SCOPED_TRACE("kill " + std::to_string(kill) + " of seed " + std::to_string(seed));
    Saver saver = startSaver(store.path(), next);
    ASSERT_GT(saver.pid, 0) << "cannot start " << TOSSBOX_SETTINGS_SAVER;
    std::optional<int> last = nextAnnouncement(saver.announcements.get());
    std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
    ::kill(saver.pid, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(saver.pid, &status, 0), saver.pid);
    // A saver that ended by itself before the kill must have done all its saves.
    if (!WIFSIGNALED(status)) {
      ASSERT_EQ(WEXITSTATUS(status), 0);
    }
    while (const std::optional<int> more = nextAnnouncement(saver.announcements.get()))
      last = more;
    ASSERT_TRUE(last) << "the saver was killed before its first save";

    // Save *last was under way: the file holds it or the one before, which for the saver's
    // first save is what the previous run left.
    const int before = *last == next ? onDisk : *last - 1;
    const SettingsLoadResult loaded = store.loadRecord(killtest::kScreen);
    ASSERT_TRUE(loaded.errors.empty()) << loaded.errors.front();
    ASSERT_TRUE(loaded.keyExisted);
    if (loaded.record == recordFor(*last)) {
      onDisk = *last;
    } else {
      ASSERT_EQ(loaded.record, recordFor(before)) << "neither save " << *last << " nor " << before;
      onDisk = before;
      ++foundOld;
    }
    next = *last + 1;

    const int temporaries = temporaryFilesBeside(store.path());
    ASSERT_LE(temporaries, 1);
    foundLeftover += temporaries;
    EXPECT_EQ(store.removeLeftovers(), temporaries);
    EXPECT_EQ(temporaryFilesBeside(store.path()), 0);
  }
  std::vector<fs::path> left;
  for (const auto& entry : fs::directory_iterator(store.path().parent_path()))
    left.push_back(entry.path().filename());
  EXPECT_EQ(left, std::vector<fs::path>{"Software-stv.reg"});
  std::printf("settings kill test: %d saves, %d kills found the older record, %d left a "
              "temporary file\n", next - 1, foundOld, foundLeftover);
}

}  // namespace
}  // namespace tossbox
