// Replays inputs through a fuzz target without libFuzzer: every file named on
// the command line, or found directly in a folder named there, goes once
// through LLVMFuzzerTestOneInput. A failed check aborts; an empty replay (no
// inputs found) fails too, so a missing corpus is noticed.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

bool replay(const std::filesystem::path& file) {
    std::ifstream input(file, std::ios::binary);
    if (!input) {
        std::fprintf(stderr, "replay: cannot read %s\n", file.string().c_str());
        return false;
    }
    const std::vector<char> bytes((std::istreambuf_iterator<char>(input)),
                                  std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path path(argv[i]);
        std::vector<std::filesystem::path> files;
        if (std::filesystem::is_directory(path)) {
            for (const auto& entry : std::filesystem::directory_iterator(path)) {
                if (entry.is_regular_file()) files.push_back(entry.path());
            }
        } else {
            files.push_back(path);
        }
        for (const auto& file : files) {
            if (!replay(file)) return 1;
            ++replayed;
        }
    }
    std::printf("replay: %d inputs\n", replayed);
    return replayed > 0 ? 0 : 1;
}
