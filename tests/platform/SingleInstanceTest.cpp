// The one-copy rule between two real processes.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <system_error>
#include "TempHome.h"
#include "platform/instance/SingleInstance.h"

using tossbox::SingleInstance;

namespace {

// Runs `body` in a child process and returns its exit code.
template <typename Body>
int inChild(Body body) {
  const pid_t pid = fork();
  if (pid == 0) _exit(body());
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(SingleInstance, ASecondProcessIsRefusedWhileTheFirstRuns) {
  TempHome home;
  EXPECT_EQ(SingleInstance::defaultLockPath(), (home.runtimeDir() / "TOSSMTX").string());
  {
    const SingleInstance first;
    ASSERT_TRUE(first.acquired());
    EXPECT_EQ(inChild([] { return SingleInstance().acquired() ? 1 : 0; }), 0);
  }
  // Released with its owner: the next start gets it.
  EXPECT_EQ(inChild([] { return SingleInstance().acquired() ? 1 : 0; }), 1);
}

TEST(SingleInstance, TheLockDiesWithItsProcessHoweverItEnds) {
  TempHome home;
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t holder = fork();
  if (holder == 0) {
    const SingleInstance held;
    const char byte = held.acquired() ? 'y' : 'n';
    (void)!write(ready[1], &byte, 1);
    pause();
    _exit(0);
  }
  char byte = 0;
  ASSERT_EQ(read(ready[0], &byte, 1), 1);
  ASSERT_EQ(byte, 'y');
  EXPECT_FALSE(SingleInstance().acquired());
  kill(holder, SIGKILL);
  waitpid(holder, nullptr, 0);
  EXPECT_TRUE(SingleInstance().acquired());
  close(ready[0]);
  close(ready[1]);
}

TEST(SingleInstance, WithoutARuntimeFolderTheLockIsPerUserInTmp) {
  TempHome home;
  unsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(SingleInstance::defaultLockPath(), "/tmp/TOSSMTX-" + std::to_string(getuid()));
  // Nor a relative one, even where the working folder holds a folder of that name.
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(home.root());
  setenv("XDG_RUNTIME_DIR", "runtime", 1);
  EXPECT_EQ(SingleInstance::defaultLockPath(), "/tmp/TOSSMTX-" + std::to_string(getuid()));
  std::filesystem::current_path(before);
}

// Only a lock held by another copy is "already running". A lock file this user cannot open
// (another user's, a folder closed to it) is an error with the system's reason: here the child
// runs as nobody against a runtime folder only its owner may enter (as root), or the folder is
// made read-only (as anyone else).
TEST(SingleInstance, ALockThatCannotBeOpenedIsAnErrorNotAnotherCopy) {
  TempHome home;
  const bool asRoot = geteuid() == 0;
  if (!asRoot) chmod(home.runtimeDir().c_str(), 0500);
  const std::string lock = (home.runtimeDir() / "TOSSMTX").string();
  int reason[2];
  ASSERT_EQ(pipe(reason), 0);
  const int state = inChild([&] {
    if (asRoot && (setgid(65534) != 0 || setuid(65534) != 0)) return 9;
    const SingleInstance refused(lock);
    (void)!write(reason[1], refused.failure().data(), refused.failure().size());
    return static_cast<int>(refused.state());
  });
  close(reason[1]);
  char text[256] = {};
  (void)!read(reason[0], text, sizeof text - 1);
  close(reason[0]);
  chmod(home.runtimeDir().c_str(), 0700);
  EXPECT_EQ(state, static_cast<int>(SingleInstance::State::Failed));
  EXPECT_STREQ(text, std::generic_category().message(EACCES).c_str());

  // A FIFO or a link at the lock's name is not a lock file either.
  ASSERT_EQ(mkfifo(lock.c_str(), 0600), 0);
  EXPECT_EQ(SingleInstance().state(), SingleInstance::State::Failed);
  unlink(lock.c_str());
  ASSERT_EQ(symlink((home.root() / "elsewhere").c_str(), lock.c_str()), 0);
  EXPECT_EQ(SingleInstance().state(), SingleInstance::State::Failed);
  unlink(lock.c_str());

  // While a copy holds it, the next one is told just that.
  const SingleInstance first;
  ASSERT_EQ(first.state(), SingleInstance::State::Acquired);
  EXPECT_EQ(inChild([] { return static_cast<int>(SingleInstance().state()); }),
            static_cast<int>(SingleInstance::State::HeldByAnother));
}
