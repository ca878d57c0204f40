// Shared helpers of the storage tests: a temporary folder and the independent readers.
#pragma once

#include "platform/storage/storage.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace fs = std::filesystem;
using namespace lirma::storage;

class TempDir {
public:
    TempDir() {
        std::random_device rd;
        path_ = fs::temp_directory_path() / ("lirma-test-" + std::to_string(rd()) + std::to_string(rd()));
        fs::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }
    fs::path operator/(const std::string& s) const { return path_ / s; }

private:
    fs::path path_;
};

inline std::string runCommand(const std::string& cmd, int* status = nullptr) {
    std::string out;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return out;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    int st = pclose(p);
    if (status) *status = st;
    return out;
}

inline std::string shellQuote(const std::string& s) {
    std::string out = "'";
    for (char c : s) {
        if (c == '\'') out += "'\\''";
        else out += c;
    }
    return out + "'";
}

// JSON of the table as dbfread sees it (tests/tools/dbf_dump.py).
inline std::string dumpWithDbfread(const fs::path& file) {
    int st = 0;
    std::string out = runCommand("/usr/bin/python3 " + std::string(LIRMA_TEST_TOOLS_DIR) + "/dbf_dump.py " +
                                     shellQuote(file.string()) + " 2>&1",
                                 &st);
    EXPECT_EQ(st, 0) << out;
    return out;
}

inline std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

inline void writeFile(const fs::path& p, const std::string& data) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << data;
}
