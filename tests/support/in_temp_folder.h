// A test fixture that runs each test in a fresh empty folder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace testing_support {

// Runs each test in a fresh empty folder, so files the code writes
// (result files, dumps) land there and are read back from there.
class InTempFolder : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = std::filesystem::temp_directory_path() /
                  (std::string("zelk_") + info->test_suite_name() + "_" + info->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        std::filesystem::current_path(folder_);
    }
    void TearDown() override {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(folder_);
    }

private:
    std::filesystem::path previous_;
    std::filesystem::path folder_;
};

}  // namespace testing_support
