#include "base/PathText.h"

namespace lintavo::base {

namespace {

bool IsDelimiter(char c) {
  return kPathDelimiters.find(c) != std::string_view::npos;
}

}  // namespace

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (path.empty() || !IsDelimiter(path.back())) {
    path += kPathDelimiter;
  }
  path += name;
  return path;
}

std::string WithTrailingDelimiter(std::string path) {
  if (!path.empty() && !IsDelimiter(path.back())) {
    path += kPathDelimiter;
  }
  return path;
}

std::string WithoutTrailingDelimiter(std::string path) {
  while (path.size() > 1 && IsDelimiter(path.back())) {
    path.pop_back();
  }
  return path;
}

std::string FileUrlOfPath(std::string_view path) {
  std::string url = "file://";
  if (!path.starts_with(kPathDelimiter)) {
    url += '/';
  }
  for (const char c : path) {
    url += IsDelimiter(c) ? '/' : c;
  }
  return url;
}

std::string ParentFolder(std::string_view path) {
  const auto delimiter = path.find_last_of(kPathDelimiters);
  if (delimiter == std::string_view::npos) {
    return ".";
  }
  return std::string(delimiter == 0 ? path.substr(0, 1) : path.substr(0, delimiter));
}

}  // namespace lintavo::base
