#include "os/ShellLink.h"

#include <sys/stat.h>

#include "os/Files.h"
#include "os/posix/DesktopEntry.h"

namespace lintavo::os {

namespace {

std::string FileName(const std::string& path) {
  return path.substr(path.find_last_of('/') + 1);
}

std::string WithoutExtension(const std::string& name) {
  const std::size_t dot = name.find_last_of('.');
  return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

// The icon installed beside the program: /opt/app/lintavo has /opt/app/lintavo.png.
std::string IconBeside(const std::string& target) {
  return target + ".png";
}

}  // namespace

bool SaveShellLink(const std::string& linkPath, const std::string& target,
                   const std::string& workingFolder) {
  if (linkPath.empty()) {
    return false;
  }
  using posix::EscapeKeyFileValue;
  const std::string launcher =
      "[Desktop Entry]\n"
      "Type=Application\n"
      "Name=" +
      EscapeKeyFileValue(WithoutExtension(FileName(linkPath))) + "\n" +
      "Exec=" + EscapeKeyFileValue(posix::QuoteExecArgument(target)) + "\n" +
      "Path=" + EscapeKeyFileValue(workingFolder) + "\n" +
      "Icon=" + EscapeKeyFileValue(IconBeside(target)) + "\n" + "Terminal=false\n";
  // Desktops start only launchers marked executable, so the link is written as a program.
  return WriteFileAtomically(linkPath, launcher, FileKind::Program) == 0;
}

}  // namespace lintavo::os
