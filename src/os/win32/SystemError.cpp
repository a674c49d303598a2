#include "os/SystemError.h"

#include <windows.h>

#include "os/win32/WideText.h"

namespace lintavo::os {

ErrorCode ErrorCodeOf(ErrorCondition condition) {
  switch (condition) {
    case ErrorCondition::kNotFound:
      return ERROR_FILE_NOT_FOUND;
    case ErrorCondition::kIsAFolder:
      return ERROR_DIRECTORY;
    case ErrorCondition::kInvalidData:
      return ERROR_INVALID_DATA;
    case ErrorCondition::kFileTooLarge:
      return ERROR_FILE_TOO_LARGE;
  }
  return ERROR_INVALID_DATA;
}

// The system's text without the line break it ends with.
std::string SystemErrorMessage(ErrorCode code) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  if (length == 0 || text == nullptr) {
    return "Unknown error " + std::to_string(static_cast<unsigned long>(code));
  }
  std::wstring message(text, length);
  LocalFree(text);
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r')) {
    message.pop_back();
  }
  return win32::Narrow(message);
}

}  // namespace lintavo::os
