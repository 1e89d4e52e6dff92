// The shared test helpers: temporary trees that always go away, and conformance suites that a
// CI run cannot do without.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "ConformanceSuite.h"
#include "TempTree.h"

namespace fs = std::filesystem;

namespace {

// Sets CI (or takes it away) for one test and puts the old value back.
class ScopedCi {
 public:
  explicit ScopedCi(const char* value) {
    if (const char* old = std::getenv("CI")) saved_ = old;
    if (value)
      setenv("CI", value, 1);
    else
      unsetenv("CI");
  }
  ~ScopedCi() {
    if (saved_)
      setenv("CI", saved_->c_str(), 1);
    else
      unsetenv("CI");
  }
  ScopedCi(const ScopedCi&) = delete;
  ScopedCi& operator=(const ScopedCi&) = delete;

 private:
  std::optional<std::string> saved_;
};

}  // namespace

TEST(TestSupport, TempTreeRemovesEverythingEvenWhereRightsWereTakenAway) {
  std::string root;
  {
    const TempTree tree("with spaces ", fs::temp_directory_path());
    root = tree.root();
    EXPECT_EQ(fs::path(root).filename().string().rfind("with spaces ", 0), 0u);
    EXPECT_TRUE(fs::is_regular_file(tree.file("locked/deep/a.jpg")));
    EXPECT_TRUE(fs::is_symlink(tree.link("locked/loop", ".")));
    fs::permissions(tree.path("locked/deep"), fs::perms::none);
    fs::permissions(tree.path("locked"), fs::perms::owner_read);
  }
  EXPECT_FALSE(fs::exists(root));
}

TEST(TestSupport, AMissingSuiteFailsACiRunAndIsPassedOverOtherwise) {
  const TempTree tree;
  const fs::path missing = tree.path("no such suite");
  {
    const ScopedCi ci("true");
    EXPECT_TRUE(suitePresent({tree.root(), tree.file("TESTS")}));
    EXPECT_TRUE(optionalSuiteFile(tree.path("TESTS")));
    EXPECT_NONFATAL_FAILURE(EXPECT_FALSE(suitePresent({tree.root(), missing})),
                            "missing on a CI run");
    EXPECT_NONFATAL_FAILURE(EXPECT_FALSE(optionalSuiteFile(missing)), "missing on a CI run");
  }
  for (const char* notCi : {static_cast<const char*>(nullptr), "false"}) {
    const ScopedCi ci(notCi);
    EXPECT_FALSE(optionalSuiteFile(missing));
  }
}
