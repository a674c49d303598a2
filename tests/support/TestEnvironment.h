#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lintavo::test {

// A fresh temporary folder, removed with all its content when the object goes.
class TempFolder {
 public:
  TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder();

  const std::filesystem::path& Path() const { return path_; }
  // The path of `name` inside the folder, as text.
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// Points HOME and the XDG folders (config, data, runtime) at new empty folders for the lifetime
// of the object, and clears the XDG variables that would lead elsewhere. The previous values come
// back when it goes, so tests never touch the real home of the person running them.
class IsolatedHome {
 public:
  IsolatedHome();
  IsolatedHome(const IsolatedHome&) = delete;
  IsolatedHome& operator=(const IsolatedHome&) = delete;
  ~IsolatedHome();

  std::string Home() const { return (root_.Path() / "home").string(); }
  std::string ConfigHome() const { return (root_.Path() / "home/.config").string(); }
  std::string DataHome() const { return (root_.Path() / "home/.local/share").string(); }
  std::string RuntimeDir() const { return (root_.Path() / "run").string(); }

 private:
  TempFolder root_;
  struct SavedVariables;
  std::unique_ptr<SavedVariables> saved_;
};

// Sets one variable of this process's environment, or removes it given nothing.
void SetVariable(const std::string& name, const std::optional<std::string>& value);

std::string ReadFileBytes(const std::string& path);
// The names of the entries in `folder`, sorted: a failed or abandoned write leaves nothing there.
std::vector<std::string> FolderContent(const std::string& folder);
void WriteFileBytes(const std::string& path, const std::string& bytes);

// The path of a file in tests/fixtures.
std::string FixturePath(const std::string& name);

}  // namespace lintavo::test
