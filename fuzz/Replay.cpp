// Replays a committed corpus through a fuzz target's entry point, so that the
// ordinary test build checks every seed and every kept reproducer under its
// sanitizers without clang. A failing input aborts inside the target; the
// name printed last is the one.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

TEST(FuzzCorpus, EveryInputPasses)
{
    std::vector<std::filesystem::path> inputs;
    for (const auto& entry : std::filesystem::directory_iterator(LANVOY_FUZZ_CORPUS)) {
        if (entry.is_regular_file())
            inputs.push_back(entry.path());
    }
    std::sort(inputs.begin(), inputs.end());
    ASSERT_FALSE(inputs.empty()) << "no inputs in " << LANVOY_FUZZ_CORPUS;
    for (const auto& path : inputs) {
        std::ifstream in(path, std::ios::binary);
        std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        ASSERT_TRUE(in.good() || in.eof()) << path;
        std::fprintf(stderr, "%s\n", path.filename().string().c_str());
        // A copy the size of the input, so that reads past its end are caught.
        std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
        LLVMFuzzerTestOneInput(data.data(), data.size());
    }
}
