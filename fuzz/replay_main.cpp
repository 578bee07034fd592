// Runs a libFuzzer target once over every file of the given directories (and any files given
// directly), in name order, without libFuzzer: the corpus replay that CTest runs in every build.
// A failing input aborts the program, and its name is the last one printed.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

bool CollectInputs(const fs::path& place, std::vector<fs::path>& inputs) {
  std::error_code error;
  if (fs::is_directory(place, error)) {
    for (const fs::directory_entry& entry : fs::directory_iterator(place, error)) {
      if (entry.is_regular_file()) inputs.push_back(entry.path());
    }
    return !error;
  }
  if (fs::is_regular_file(place, error)) {
    inputs.push_back(place);
    return true;
  }
  return false;
}

bool ReadBytes(const fs::path& path, std::string& bytes) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return !file.bad();
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    if (!CollectInputs(argv[i], inputs)) {
      std::fprintf(stderr, "replay: cannot read %s\n", argv[i]);
      return 2;
    }
  }
  if (inputs.empty()) {
    std::fprintf(stderr, "usage: %s CORPUS_DIR_OR_FILE...\n", argv[0]);
    return 2;
  }
  std::sort(inputs.begin(), inputs.end());
  std::string bytes;
  for (const fs::path& input : inputs) {
    if (!ReadBytes(input, bytes)) {
      std::fprintf(stderr, "replay: cannot read %s\n", input.c_str());
      return 2;
    }
    std::fprintf(stderr, "%s\n", input.c_str());
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
  std::printf("replayed %zu inputs\n", inputs.size());
  return 0;
}
