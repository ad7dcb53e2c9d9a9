// Two runs into two folders must give the same bytes: the resources are
// rebuilt on every machine and must not change the product.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "generated_output.h"

TEST(Determinism, TwoRunsWriteIdenticalFiles) {
    std::string a = makeTempDir(), b = makeTempDir();
    ASSERT_FALSE(a.empty());
    ASSERT_FALSE(b.empty());
    ASSERT_EQ(runGenerator(a), 0);
    ASSERT_EQ(runGenerator(b), 0);
    for (const std::string& name : expectedFiles()) {
        std::vector<uint8_t> first = readFileBytes(a + "/" + name);
        std::vector<uint8_t> second = readFileBytes(b + "/" + name);
        ASSERT_FALSE(first.empty()) << name;
        EXPECT_TRUE(first == second) << name << " differs between runs";
    }
    std::filesystem::remove_all(a);
    std::filesystem::remove_all(b);
}

TEST(Determinism, WritesExactlyTheExpectedFiles) {
    const std::string& dir = generatedDir();
    ASSERT_FALSE(dir.empty());
    std::set<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) found.insert(entry.path().filename().string());
    std::set<std::string> wanted(expectedFiles().begin(), expectedFiles().end());
    EXPECT_EQ(found, wanted);
}

TEST(Determinism, RefusesAMissingArgument) {
    std::string command = std::string("\"") + ARTGEN_EXE + "\" > /dev/null 2>&1";
    EXPECT_NE(std::system(command.c_str()), 0);
}
