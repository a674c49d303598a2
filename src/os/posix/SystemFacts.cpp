#include "os/SystemFacts.h"

#include <langinfo.h>
#include <locale.h>
#include <sys/utsname.h>

#include <array>
#include <cstdlib>
#include <ctime>

#include "os/posix/LocaleIds.h"

namespace lintavo::os {

namespace {

// The value of the first of `names` that is set and not empty, as the C library picks the locale
// of a category.
std::string FirstSetVariable(std::initializer_list<const char*> names) {
  for (const char* name : names) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') {
      return value;
    }
  }
  return {};
}

// The user's locale for one category, as the environment names it; the "C" locale when it names
// none or one that is not installed. Freed when it goes.
class UserLocale {
 public:
  explicit UserLocale(int categoryMask) : locale_(newlocale(categoryMask, "", nullptr)) {
    if (locale_ == nullptr) {
      locale_ = newlocale(categoryMask, "C", nullptr);
    }
  }
  UserLocale(const UserLocale&) = delete;
  UserLocale& operator=(const UserLocale&) = delete;
  ~UserLocale() {
    if (locale_ != nullptr) {
      freelocale(locale_);
    }
  }

  locale_t Get() const { return locale_; }

 private:
  locale_t locale_;
};

}  // namespace

SystemVersion OperatingSystemVersion() {
  SystemVersion version;
  utsname system{};
  if (uname(&system) != 0) {
    return version;
  }
  version.name = system.sysname;
  // The release reads "6.1.0-18-amd64": its first three numbers, whatever follows them.
  std::array<int, 3> numbers{};
  const char* at = system.release;
  for (int& number : numbers) {
    char* end = nullptr;
    number = static_cast<int>(std::strtol(at, &end, 10));
    if (end == at || *end != '.') {
      break;
    }
    at = end + 1;
  }
  version.major = numbers[0];
  version.minor = numbers[1];
  version.build = numbers[2];
  return version;
}

std::uint32_t UserLocaleId() {
  return LocaleIdOfLocaleName(FirstSetVariable({"LC_ALL", "LC_NUMERIC", "LANG"}));
}

std::string DecimalSeparator() {
  const UserLocale numeric(LC_NUMERIC_MASK);
  return numeric.Get() != nullptr ? nl_langinfo_l(RADIXCHAR, numeric.Get()) : ".";
}

std::string LocalDateTimeText() {
  const UserLocale time(LC_TIME_MASK);
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  std::array<char, 256> text{};
  const std::size_t length = time.Get() != nullptr
                                 ? strftime_l(text.data(), text.size(), "%x %X", &local, time.Get())
                                 : std::strftime(text.data(), text.size(), "%x %X", &local);
  return std::string(text.data(), length);
}

std::string SystemFolder() {
  return "/usr/lib";
}

std::string TemporaryFolder() {
  const std::string folder = FirstSetVariable({"TMPDIR"});
  return (folder.empty() ? std::string("/tmp") : folder) + (folder.ends_with('/') ? "" : "/");
}

std::string FallbackTemporaryFolder() {
  return "/";
}

}  // namespace lintavo::os
