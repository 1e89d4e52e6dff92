// The one-copy rule between two real processes.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

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
}
