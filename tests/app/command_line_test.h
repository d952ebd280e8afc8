#pragma once
// What the command-line tests share: a scratch folder of their own for each test, the program's
// command line run in this process with its standard output and error captured, files read
// whole, and one pair of analyses in the analysis table's 35 columns.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/cli_main.h"

namespace kelvorad::testing {

// A magnetite-ilmenite pair as one TAB-separated line (no line end).
inline constexpr const char* kOnePair =
    "MT-01\t0.12\t8.45\t2.10\t0.48\t0.09\t\t\t80.52\t0.44\t0.02\t0.11\t1.45\t0.03\t\t\t\t\t"
    "ILM-01\t0.04\t45.10\t0.21\t0.31\t0.05\t\t\t47.90\t0.62\t\t0.03\t2.48\t0.02\t\t\t";

inline std::string readWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class CommandLineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("kelvorad_cli_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    // Runs "kelvorad ARGS" with standard output and error captured in out_ and err_.
    int runKelvorad(std::vector<std::string> args) {
        args.insert(args.begin(), "kelvorad");
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        const int code = runCommandLine(static_cast<int>(argv.size()), argv.data());
        out_ = ::testing::internal::GetCapturedStdout();
        err_ = ::testing::internal::GetCapturedStderr();
        return code;
    }
    std::filesystem::path writeInput(const std::string& name, const std::string& text) {
        std::ofstream(dir_ / name, std::ios::binary) << text;
        return dir_ / name;
    }
    static std::string read(const std::filesystem::path& path) { return readWholeFile(path); }

    std::filesystem::path dir_;
    std::string out_;
    std::string err_;
};

}  // namespace kelvorad::testing
