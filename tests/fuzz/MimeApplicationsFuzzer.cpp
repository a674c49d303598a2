// Fuzz target for the default-browser lookup. The input is the user's mimeapps.list; the
// application folder holds a few desktop entries, some in a subfolder that a '-' of an id may
// stand for, and a link that leads back up. Whatever the list says, the program found must be one
// that an installed, visible entry names.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>

#include "FuzzSupport.h"
#include "os/posix/MimeApplications.h"

namespace {

namespace fs = std::filesystem;
namespace fuzz = lintavo::fuzz;

// A program that is on no PATH, so it is returned as written.
constexpr std::string_view kBareProgram = "lintavo-fuzz-no-such-program";

const std::set<std::string, std::less<>> kPrograms = {"/opt/fuzz/a-b", "/opt/fuzz/a slash b",
                                                      std::string(kBareProgram)};

// The desktop files, made once per process:
//   a-b.desktop         the id "a-b.desktop" in the folder itself
//   a/b.desktop         the same id split at its dash, a quoted program with a blank
//   a/hidden.desktop    deleted by the user (Hidden=true)
//   a/up -> ..          a link back to the application folder
//   no-exec.desktop     no Exec line
//   bare.desktop        a program named without a folder
std::string MakeApplications() {
  const fuzz::Scratch& scratch = fuzz::Scratch::Get();
  const fs::path folder = fs::path(scratch.DataHome()) / "applications";
  fs::create_directories(folder / "a");
  const auto entry = [&folder](const std::string& name, const std::string& lines) {
    fuzz::WriteBytes((folder / name).string(), "[Desktop Entry]\nType=Application\n" + lines);
  };
  entry("a-b.desktop", "Exec=/opt/fuzz/a-b %u\n");
  entry("a/b.desktop", "Exec=\"/opt/fuzz/a slash b\" %U\n");
  entry("a/hidden.desktop", "Hidden=true\nExec=/opt/fuzz/hidden\n");
  entry("no-exec.desktop", "Name=No program\n");
  entry("bare.desktop", "Exec=" + std::string(kBareProgram) + " %f\n");
  fs::create_directory_symlink("..", folder / "a" / "up");
  return scratch.ConfigHome() + "/mimeapps.list";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string listFile = MakeApplications();
  fuzz::WriteBytes(listFile, fuzz::AsText(data, size));
  if (const auto program = lintavo::os::posix::DefaultApplicationProgram("text/html")) {
    fuzz::Expect(
        kPrograms.contains(*program),
        "the default application is no installed entry's program: " + fuzz::Printable(*program));
  }
  return 0;
}
