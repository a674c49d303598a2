// Runs a fuzz target once on every file named on the command line, folders included (all files
// below them, in name order): the corpus replay that CTest runs, built without libFuzzer.
// A target that finds a fault aborts; the last "replaying" line names the input.
#include <sys/resource.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

// Whether AddressSanitizer is on: GCC defines __SANITIZE_ADDRESS__, clang answers __has_feature.
#if defined(__SANITIZE_ADDRESS__)
#define LINTAVO_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LINTAVO_ADDRESS_SANITIZER 1
#endif
#endif

#if defined(LINTAVO_ADDRESS_SANITIZER)
// An input that makes a target build a text of gigabytes is a fault to report, not a reason to
// exhaust the machine: one allocation above 2 GiB is reported where it happens.
extern "C" const char* __asan_default_options() {
  return "max_allocation_size_mb=2048";
}
#endif

extern "C" const char* __ubsan_default_options() {
  return "print_stacktrace=1";
}

namespace {

namespace fs = std::filesystem;

// Without AddressSanitizer, a limit on the address space makes such an allocation fail (and the
// uncaught std::bad_alloc abort the replay) before it fills the memory.
void LimitMemory() {
#if !defined(LINTAVO_ADDRESS_SANITIZER)
  constexpr rlim_t kAddressSpace = rlim_t{4} << 30;
  const rlimit limit{kAddressSpace, kAddressSpace};
  setrlimit(RLIMIT_AS, &limit);
#endif
}

std::vector<fs::path> InputFiles(int argc, char** argv) {
  std::vector<fs::path> files;
  for (int i = 1; i < argc; ++i) {
    const fs::path argument = argv[i];
    if (!fs::is_directory(argument)) {
      files.push_back(argument);
      continue;
    }
    std::vector<fs::path> inFolder;
    for (const auto& entry : fs::recursive_directory_iterator(argument)) {
      if (entry.is_regular_file()) {
        inFolder.push_back(entry.path());
      }
    }
    std::sort(inFolder.begin(), inFolder.end());
    files.insert(files.end(), inFolder.begin(), inFolder.end());
  }
  return files;
}

}  // namespace

int main(int argc, char** argv) {
  LimitMemory();
  const std::vector<fs::path> files = InputFiles(argc, argv);
  if (files.empty()) {
    std::fprintf(stderr, "usage: %s FILE-OR-FOLDER...\nno input files found\n", argv[0]);
    return 1;
  }
  for (const fs::path& file : files) {
    std::fprintf(stderr, "replaying %s\n", file.c_str());
    std::ifstream in(file, std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "cannot read %s\n", file.c_str());
      return 1;
    }
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
  std::fprintf(stderr, "%zu inputs replayed without a fault\n", files.size());
  return 0;
}
