#include "ConformanceSuite.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace fs = std::filesystem;

namespace {

bool suitesRequired() {
  const char* ci = std::getenv("CI");
  return ci != nullptr && std::string_view(ci) == "true";
}

void failOnCiRun(const fs::path& path) {
  if (suitesRequired()) ADD_FAILURE() << "conformance suite file missing on a CI run: " << path;
}

void skipOrFail(const fs::path& path) {
  if (suitesRequired()) return failOnCiRun(path);
  GTEST_SKIP() << "conformance suite not found at " << path << "; skipped";
}

}  // namespace

fs::path conformanceSuite(std::string_view name) {
  return fs::path(TOSSBOX_TESTDATA_DIR) / name;
}

bool suitePresent(std::initializer_list<fs::path> needed) {
  for (const fs::path& path : needed) {
    if (fs::exists(path)) continue;
    skipOrFail(path);
    return false;
  }
  return true;
}

bool optionalSuiteFile(const fs::path& file) {
  if (fs::exists(file)) return true;
  failOnCiRun(file);
  return false;
}
