#pragma once
// The public conformance suites beside the project. A developer without them gets the suite
// tests skipped; a CI run (CI=true) must have them, so there a missing suite fails the test.
#include <filesystem>
#include <initializer_list>
#include <string_view>

// The folder of the suite `name` under the shared test data.
[[nodiscard]] std::filesystem::path conformanceSuite(std::string_view name);

// True when every path of `needed` exists. Otherwise skips the running test (fails it on a CI
// run), and the test should return at once.
[[nodiscard]] bool suitePresent(std::initializer_list<std::filesystem::path> needed);

// True when `file`, one a test can do without, exists. A missing one is passed over in silence,
// except on a CI run, where it fails the running test.
[[nodiscard]] bool optionalSuiteFile(const std::filesystem::path& file);
