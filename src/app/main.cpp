// Lintavo's entry. Until the main window arrives, a start builds the ten pages from the settings
// file and the template beside the program, and says where they are.
#include <cstdio>

#include "os/Failure.h"
#include "os/Paths.h"
#include "pages/ConfigLocation.h"
#include "pages/WebManager.h"

int main() {
  using namespace lintavo;
  try {
    const std::string programFolder = os::ProgramFolder();
    const TWebManager store(LocateConfigFile(programFolder), programFolder);
    store.GeneratePages();
    std::printf("Lintavo keeps your ten start pages in: %s\n", store.RootFolder.c_str());
  } catch (const Failure& failure) {
    std::fprintf(stderr, "%s\n", failure.what());
    return 1;
  }
  return 0;
}
