// GoogleTest entry point for tests that need the program's application object.
#include <gtest/gtest.h>
#include <cstdlib>

#include "TempHome.h"
#include "platform/ui/TossboxApplication.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  TempHome::settleProcessFolders();
  tossbox::TossboxApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
