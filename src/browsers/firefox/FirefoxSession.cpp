#include "browsers/firefox/FirefoxSession.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>

namespace lintavo::browsers {

namespace {

using Json = nlohmann::json;
using Window = ShellWindows::Window;

// The page of a tab that has not shown anything yet.
constexpr std::string_view kBlankPage = "about:blank";

// What an open container of the file is to the reader.
enum class Role : std::uint8_t {
  kOther,
  kSession,  // the top-level object
  kWindows,  // its "windows" array
  kWindow,
  kTabs,  // a window's "tabs" array
  kTab,
  kEntries,  // a tab's "entries" array
  kEntry,
};
// Everything the reader wants lies in the first levels; deeper containers are counted, not
// remembered, so however deep a file nests, the reading costs no memory for it.
constexpr std::size_t kRememberedLevels = 8;

// The key whose value comes next, when it is one the reader wants.
enum class Field : std::uint8_t { kNone, kWindows, kTabs, kEntries, kIndex, kUserTypedValue, kUrl };

// The entry URLs of one tab. Firefox writes a tab's index after its entries, so every URL is kept
// until the tab ends. They are packed into one text, so that a file of millions of tiny entries
// costs little more than its own size.
class EntryUrls {
 public:
  void Clear() {
    text_.clear();
    ends_.clear();
  }
  void Add(std::string_view url) {
    text_ += url;
    ends_.push_back(text_.size());
  }
  std::size_t Count() const { return ends_.size(); }
  std::string_view At(std::size_t i) const {
    const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
    return std::string_view(text_).substr(begin, ends_[i] - begin);
  }

 private:
  std::string text_;
  std::vector<std::size_t> ends_;
};

struct Tab {
  EntryUrls entries;
  std::int64_t index = 0;  // 1-based; 0 when the file gives none
  bool loadingTypedAddress = false;
};

// The current entry of a tab, chosen as Firefox chooses it when it restores the tab.
std::size_t CurrentEntry(const Tab& tab) {
  const auto count = static_cast<std::int64_t>(tab.entries.Count());
  std::int64_t current = tab.index == 0 ? count : tab.index;
  current = std::max<std::int64_t>(std::min(current, count), 1);
  return static_cast<std::size_t>(current - 1);
}

Window WindowOfTab(const Tab& tab) {
  Window window;
  window.isWebBrowser = true;
  if (tab.entries.Count() == 0) {
    return window;
  }
  const std::string_view url = tab.entries.At(CurrentEntry(tab));
  window.locationUrl = url;
  window.hasDocument = !url.empty() && !(url == kBlankPage && tab.loadingTypedAddress);
  return window;
}

// Reads the file as a stream of JSON events (nlohmann's SAX interface), keeping only the tabs of
// the open windows. Any syntax error ends the reading: a half-written file is not used.
class SessionReader {
 public:
  std::vector<Window> TakeTabs() { return std::move(tabs_); }

  bool start_object(std::size_t /*elements*/) {
    const Role role = ObjectRole();
    if (role == Role::kTab) {
      tab_ = Tab();
    } else if (role == Role::kEntry) {
      entryUrl_.clear();
    }
    Open(role);
    return true;
  }
  bool end_object() {
    const Role role = Close();
    if (role == Role::kEntry) {
      tab_.entries.Add(entryUrl_);
    } else if (role == Role::kTab && tabs_.size() < kMaxTabsPerSession) {
      tabs_.push_back(WindowOfTab(tab_));
    }
    return true;
  }
  bool start_array(std::size_t /*elements*/) {
    const Role role = ArrayRole();
    if (role == Role::kEntries) {
      tab_.entries.Clear();  // of two "entries" keys, the last counts
    }
    Open(role);
    return true;
  }
  bool end_array() {
    Close();
    return true;
  }
  bool key(Json::string_t& name) {
    field_ = FieldOf(Current(), name);
    return true;
  }
  bool string(Json::string_t& value) {
    if (Current() == Role::kEntry && field_ == Field::kUrl) {
      entryUrl_ = std::move(value);
    } else if (Current() == Role::kTab && field_ == Field::kUserTypedValue) {
      tab_.loadingTypedAddress = !value.empty();
    }
    field_ = Field::kNone;
    return true;
  }
  bool number_integer(Json::number_integer_t value) {
    TakeIndex(value);
    return true;
  }
  bool number_unsigned(Json::number_unsigned_t value) {
    constexpr auto kLargest = static_cast<Json::number_unsigned_t>(INT64_MAX);
    TakeIndex(static_cast<std::int64_t>(std::min(value, kLargest)));
    return true;
  }
  bool number_float(Json::number_float_t /*value*/, const Json::string_t& /*text*/) {
    return Skip();
  }
  bool boolean(bool /*value*/) { return Skip(); }
  bool null() { return Skip(); }
  bool binary(Json::binary_t& /*value*/) { return Skip(); }
  bool parse_error(std::size_t /*position*/, const std::string& /*token*/,
                   const nlohmann::detail::exception& /*error*/) {
    return false;
  }

 private:
  static Field FieldOf(Role container, std::string_view name) {
    switch (container) {
      case Role::kSession:
        return name == "windows" ? Field::kWindows : Field::kNone;
      case Role::kWindow:
        return name == "tabs" ? Field::kTabs : Field::kNone;
      case Role::kTab:
        return name == "entries"          ? Field::kEntries
               : name == "index"          ? Field::kIndex
               : name == "userTypedValue" ? Field::kUserTypedValue
                                          : Field::kNone;
      case Role::kEntry:
        return name == "url" ? Field::kUrl : Field::kNone;
      default:
        return Field::kNone;
    }
  }

  Role Current() const {
    return depth_ == 0 || depth_ > kRememberedLevels ? Role::kOther : roles_[depth_ - 1];
  }
  Role ObjectRole() const {
    if (depth_ == 0) {
      return Role::kSession;
    }
    switch (Current()) {
      case Role::kWindows:
        return Role::kWindow;
      case Role::kTabs:
        return Role::kTab;
      case Role::kEntries:
        return Role::kEntry;
      default:
        return Role::kOther;
    }
  }
  Role ArrayRole() const {
    const Role container = Current();
    if (container == Role::kSession && field_ == Field::kWindows) {
      return Role::kWindows;
    }
    if (container == Role::kWindow && field_ == Field::kTabs) {
      return Role::kTabs;
    }
    if (container == Role::kTab && field_ == Field::kEntries) {
      return Role::kEntries;
    }
    return Role::kOther;
  }
  void Open(Role role) {
    if (depth_ < kRememberedLevels) {
      roles_[depth_] = role;
    }
    ++depth_;
    field_ = Field::kNone;
  }
  Role Close() {
    const Role role = Current();
    --depth_;
    field_ = Field::kNone;
    return role;
  }
  void TakeIndex(std::int64_t value) {
    if (Current() == Role::kTab && field_ == Field::kIndex) {
      tab_.index = value;
    }
    field_ = Field::kNone;
  }
  bool Skip() {
    field_ = Field::kNone;
    return true;
  }

  std::array<Role, kRememberedLevels> roles_{};
  std::size_t depth_ = 0;
  Field field_ = Field::kNone;
  Tab tab_;
  std::string entryUrl_;
  std::vector<Window> tabs_;
};

}  // namespace

std::optional<std::vector<Window>> FirefoxSessionTabs(std::string_view json) {
  // JSON text never holds a NUL byte (strings escape control characters), and the parser would
  // take one for the end of the text and pass over whatever follows.
  if (json.find('\0') != std::string_view::npos) {
    return std::nullopt;
  }
  SessionReader reader;
  if (!Json::sax_parse(json.begin(), json.end(), &reader)) {
    return std::nullopt;
  }
  return reader.TakeTabs();
}

}  // namespace lintavo::browsers
