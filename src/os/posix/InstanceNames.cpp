#include "os/posix/InstanceNames.h"

#include <sys/un.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <string>

#include "base/Text.h"

namespace lintavo::os::posix {

namespace {

constexpr std::size_t kHashDigits = 16;

// `name` itself when it has at most `limit` bytes; otherwise its head, '~' and the hash of the
// whole name in hexadecimal, `limit` bytes in all.
std::string Shortened(const std::string& name, std::size_t limit) {
  if (name.size() <= limit) {
    return name;
  }
  char hash[kHashDigits + 1];
  std::snprintf(hash, sizeof hash, "%016llx",
                static_cast<unsigned long long>(base::StableHash(name)));
  return name.substr(0, limit - kHashDigits - 1) + "~" + hash;
}

std::string PerUserName(const std::string& mappingName, uid_t user) {
  return mappingName + "-" + std::to_string(user);
}

}  // namespace

std::string RecordObjectName(const std::string& mappingName, uid_t user) {
  // The object is a file in the shared memory folder: its name must fit one file name.
  return "/" + Shortened(PerUserName(mappingName, user), NAME_MAX);
}

std::string ActivationSocketName(const std::string& mappingName, uid_t user) {
  static constexpr char kPrefix[] = "lintavo-activate:";
  // An abstract address uses the socket path field after its leading NUL byte.
  constexpr std::size_t kRoom = sizeof(sockaddr_un::sun_path) - 1 - (sizeof kPrefix - 1);
  return kPrefix + Shortened(PerUserName(mappingName, user), kRoom);
}

}  // namespace lintavo::os::posix
