#include <gtest/gtest.h>

#include <filesystem>

#include "os/Paths.h"
#include "os/Registry.h"
#include "support/RegistryValues.h"
#include "support/TestEnvironment.h"

namespace lintavo {
namespace {

using os::RegistryKey;
using os::RegistryRoot;

constexpr const char* kHelpEngineServer =
    "CLSID\\{adb880a6-d8ff-11cf-9377-00aa003b7a11}\\InprocServer32";

std::optional<std::string> DefaultValue(const char* key) {
  const auto opened = RegistryKey::OpenForReading(RegistryRoot::ClassesRoot, key);
  return opened ? test::TextOf(opened->Query("")) : std::nullopt;
}

// The help engine's registration names the engine module beside the running program, while it is
// there.
TEST(ClassesRootViewTest, TheHelpEngineIsRegisteredByItsModuleBesideTheProgram) {
  const test::IsolatedHome home;
  const std::string module = os::ProgramFolder() + LINTAVO_HELP_ENGINE_FILE_NAME;
  ASSERT_FALSE(std::filesystem::exists(module)) << "the test puts the module there itself";
  EXPECT_EQ(DefaultValue(kHelpEngineServer), std::nullopt);

  test::WriteFileBytes(module, "");
  const auto value = DefaultValue(kHelpEngineServer);
  std::filesystem::remove(module);
  EXPECT_EQ(value, module);
  EXPECT_EQ(DefaultValue(kHelpEngineServer), std::nullopt);
}

// As on Windows, the user's own class keys (Software\Classes in the user's hive) stand over the
// ones the system gives, and add keys of their own.
TEST(ClassesRootViewTest, TheUsersOwnClassKeysStandOverTheDerivedOnes) {
  const test::IsolatedHome home;
  auto own = RegistryKey::Create(RegistryRoot::CurrentUser,
                                 std::string("Software\\Classes\\") + kHelpEngineServer);
  ASSERT_TRUE(own && own->SetString("", "%SystemRoot%\\System32\\hhctrl.ocx"));
  auto other = RegistryKey::Create(RegistryRoot::CurrentUser, "Software\\Classes\\Lintavo.Page");
  ASSERT_TRUE(other && other->SetString("Kind", "page"));

  EXPECT_EQ(DefaultValue(kHelpEngineServer), "%SystemRoot%\\System32\\hhctrl.ocx");
  auto page = RegistryKey::OpenForReading(RegistryRoot::ClassesRoot, "LINTAVO.PAGE");
  ASSERT_TRUE(page);
  EXPECT_EQ(test::TextOf(page->Query("kind")), "page");
  EXPECT_FALSE(page->SetString("Kind", "changed")) << "class keys are read-only here";
  EXPECT_FALSE(RegistryKey::OpenForReading(RegistryRoot::ClassesRoot, "Lintavo.Other"));
}

}  // namespace
}  // namespace lintavo
