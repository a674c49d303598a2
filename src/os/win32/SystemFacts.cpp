#include "os/SystemFacts.h"

#include <windows.h>

#include "base/PathText.h"
#include "os/win32/WideText.h"

namespace lintavo::os {

namespace {

// Text that a Windows call writes into a buffer it is given, asked for its length first;
// `write(nullptr, 0)` gives the length with the terminating NUL, `write(buffer, size)` the text.
template <typename Write>
std::string AskedText(Write write) {
  const int length = write(nullptr, 0);
  if (length <= 0) {
    return std::string();
  }
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  const int written = write(text.data(), length);
  text.resize(written > 0 ? static_cast<std::size_t>(written - 1) : 0);
  return win32::Narrow(text);
}

}  // namespace

// GetVersionEx answers what the program's manifest promises; RtlGetVersion the version that runs.
SystemVersion OperatingSystemVersion() {
  SystemVersion version{"Windows NT", 0, 0, 0};
  using GetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  const auto getVersion =
      ntdll == nullptr ? nullptr
                       : reinterpret_cast<GetVersionFunction>(
                             reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (getVersion != nullptr && getVersion(&info) == 0) {
    version.name = info.dwPlatformId == VER_PLATFORM_WIN32_NT ? "Windows NT" : "Windows";
    version.major = static_cast<int>(info.dwMajorVersion);
    version.minor = static_cast<int>(info.dwMinorVersion);
    version.build = static_cast<int>(info.dwBuildNumber);
  }
  return version;
}

std::uint32_t UserLocaleId() {
  return GetUserDefaultLCID();
}

std::string DecimalSeparator() {
  const std::string separator = AskedText([](wchar_t* buffer, int size) {
    return GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, size);
  });
  return separator.empty() ? "." : separator;
}

std::string LocalDateTimeText() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  const std::string date = AskedText([&now](wchar_t* buffer, int size) {
    return GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, buffer, size);
  });
  const std::string time = AskedText([&now](wchar_t* buffer, int size) {
    return GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &now, nullptr, buffer, size);
  });
  return date + " " + time;
}

std::string SystemFolder() {
  return AskedText([](wchar_t* buffer, int size) {
    // The length it gives without a buffer counts the NUL; with one, it does not.
    const UINT length = GetSystemDirectoryW(buffer, static_cast<UINT>(size));
    return buffer == nullptr ? static_cast<int>(length) : static_cast<int>(length) + 1;
  });
}

std::string TemporaryFolder() {
  const std::string folder = AskedText([](wchar_t* buffer, int size) {
    const DWORD length = GetTempPathW(static_cast<DWORD>(size), buffer);
    return buffer == nullptr ? static_cast<int>(length) : static_cast<int>(length) + 1;
  });
  return base::WithTrailingDelimiter(folder);
}

std::string FallbackTemporaryFolder() {
  return "c:";
}

}  // namespace lintavo::os
