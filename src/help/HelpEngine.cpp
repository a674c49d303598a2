#include "help/HelpEngine.h"

#include "os/Files.h"
#include "os/Registry.h"
#include "os/RegistryKeys.h"

namespace lintavo {

namespace {

os::LibraryHandle engineHandle = 0;
HtmlHelpFunction htmlHelpEntry = nullptr;

}  // namespace

std::string LocateHelpEngine() {
  const auto key =
      os::RegistryKey::OpenForReading(os::RegistryRoot::ClassesRoot, os::kHelpEngineServerKey);
  if (!key) {
    return std::string();
  }
  const auto value = key->Query("");
  std::string path =
      value && value->type == os::RegistryValueType::String ? value->text : std::string();
  return !path.empty() && os::FileExists(path) ? path : std::string();
}

void LoadHelpEngine() {
  if (engineHandle == 0) {
    LoadHelpEngine(LocateHelpEngine());
  }
}

void LoadHelpEngine(const std::string& path) {
  if (engineHandle != 0 || path.empty()) {
    return;
  }
  engineHandle = os::LoadSharedLibrary(path);
  if (engineHandle == 0) {
    return;
  }
  // The exported function has the entry's type; the library interface can only say "a function".
  htmlHelpEntry =
      reinterpret_cast<HtmlHelpFunction>(os::FindLibraryFunction(engineHandle, kHtmlHelpEntryName));
}

void UnloadHelpEngine() {
  if (engineHandle == 0) {
    return;
  }
  os::UnloadSharedLibrary(engineHandle);
  htmlHelpEntry = nullptr;
  engineHandle = 0;
}

os::LibraryHandle HelpEngineHandle() {
  return engineHandle;
}

HtmlHelpFunction HtmlHelpEntry() {
  return htmlHelpEntry;
}

}  // namespace lintavo
