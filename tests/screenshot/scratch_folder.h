// A folder of its own for each screenshot test, empty when the test starts
// and removed after it.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#if defined(_WIN32)
#include <process.h> // _getpid: Microsoft's library has no <unistd.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

#include <gtest/gtest.h>

namespace corvane::screenshot::testing {

class ScratchFolderTest : public ::testing::Test {
protected:
  // The folder is named after `prefix`, the process and the test.
  explicit ScratchFolderTest(std::string prefix) : prefix_(std::move(prefix)) {}

  void SetUp() override {
    const auto *test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = std::filesystem::temp_directory_path() /
              (prefix_ + "-" + std::to_string(::getpid()) + "-" + test->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::filesystem::path folder_;

private:
  std::string prefix_;
};

} // namespace corvane::screenshot::testing
