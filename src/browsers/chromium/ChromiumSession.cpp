#include "browsers/chromium/ChromiumSession.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>

#include "base/LittleEndian.h"
#include "browsers/BrowserFiles.h"
#include "browsers/chromium/PickleReader.h"

namespace lintavo::browsers {

namespace {

using Window = ShellWindows::Window;

constexpr std::string_view kSignature = "SNSS";
constexpr std::int32_t kVersion = 1;
constexpr std::int32_t kVersionWithMarker = 3;

// The commands that decide which windows and tabs are open and what each tab shows, with the ids
// Chromium writes them under (components/sessions, session_service_commands.cc).
enum : std::uint8_t {
  kSetTabWindow = 0,
  kSetTabIndexInWindow = 2,
  kTabNavigationPathPrunedFromBack = 5,
  kUpdateTabNavigation = 6,
  kSetSelectedNavigationIndex = 7,
  kSetWindowType = 9,
  kTabNavigationPathPrunedFromFront = 11,
  kTabClosed = 16,
  kWindowClosed = 17,
  kTabNavigationPathPruned = 24,
  // Written once the state the file starts with is complete.
  kInitialStateMarker = 255,
};

// The window type of an ordinary browser window (SessionWindow::TYPE_NORMAL).
constexpr std::int32_t kNormalWindow = 0;

// Chromium keeps at most 50 entries in a tab's history; a file that gives a tab more than this
// is damaged. The bound also keeps each command's work small.
constexpr std::size_t kMaxNavigationsPerTab = 256;

// The sizes of the fixed-size payloads: 32-bit fields, and for the closing commands a 32-bit id
// and a 64-bit time, which is 8-byte aligned.
constexpr std::size_t kTwoFieldsSize = 8;
constexpr std::size_t kThreeFieldsSize = 12;
constexpr std::size_t kClosedSize = 16;

struct Navigation {
  std::int32_t index;
  std::string url;
};

struct Tab {
  std::int32_t window = 0;  // 0: in no window
  std::int32_t visualIndex = -1;
  std::int32_t currentNavigation = -1;
  std::vector<Navigation> navigations;  // in order of their index
};

// The 32-bit fields of a payload that must be exactly `size` bytes long.
template <std::size_t kCount>
std::optional<std::array<std::int32_t, kCount>> FixedFields(std::string_view payload,
                                                            std::size_t size) {
  if (payload.size() != size) {
    return std::nullopt;
  }
  std::array<std::int32_t, kCount> fields{};
  for (std::size_t i = 0; i < kCount; ++i) {
    fields[i] = static_cast<std::int32_t>(base::LittleEndian(payload.substr(i * 4, 4)));
  }
  return fields;
}

// The first navigation whose index is `index` or above.
std::vector<Navigation>::iterator NavigationFrom(std::vector<Navigation>& navigations,
                                                 std::int64_t index) {
  return std::find_if(navigations.begin(), navigations.end(),
                      [index](const Navigation& n) { return n.index >= index; });
}

// Replays the commands of one file, as the browser does when it restores it.
class Replay {
 public:
  // Applies one command; false when it is malformed, which ends the replay.
  bool Apply(std::uint8_t id, std::string_view payload) {
    switch (id) {
      case kSetTabWindow:
        return SetTabWindow(payload);
      case kSetTabIndexInWindow:
        return SetTabField(payload, &Tab::visualIndex);
      case kSetSelectedNavigationIndex:
        return SetTabField(payload, &Tab::currentNavigation);
      case kUpdateTabNavigation:
        return UpdateNavigation(payload);
      case kTabNavigationPathPrunedFromBack:
        return PruneFromBack(payload);
      case kTabNavigationPathPrunedFromFront:
        return PruneFromFront(payload);
      case kTabNavigationPathPruned:
        return Prune(payload);
      case kSetWindowType:
        return SetWindowType(payload);
      case kTabClosed:
        return Close(payload, tabs_);
      case kWindowClosed:
        return Close(payload, windowTypes_);
      case kInitialStateMarker:
        markerSeen_ = true;
        return true;
      default:
        return true;
    }
  }

  bool MarkerSeen() const { return markerSeen_; }

  // The tabs of the open normal windows: windows by id (ids grow, so this is the order they were
  // created in), tabs by their index in the window, then by id.
  std::vector<Window> OpenTabs() const {
    std::map<std::int32_t, std::vector<std::pair<std::int32_t, const Tab*>>> windows;
    for (const auto& [id, tab] : tabs_) {
      const auto type = windowTypes_.find(tab.window);
      if (tab.window != 0 && type != windowTypes_.end() && type->second == kNormalWindow) {
        windows[tab.window].emplace_back(id, &tab);
      }
    }
    std::vector<Window> open;
    for (auto& [window, tabs] : windows) {
      std::sort(tabs.begin(), tabs.end(), [](const auto& a, const auto& b) {
        return std::pair(a.second->visualIndex, a.first) <
               std::pair(b.second->visualIndex, b.first);
      });
      for (const auto& [id, tab] : tabs) {
        open.push_back(WindowOfTab(*tab));
      }
    }
    return open;
  }

 private:
  template <typename Map>
  static bool HasRoom(const Map& map, std::int32_t id) {
    return map.size() < kMaxTabsPerSession || map.contains(id);
  }

  // The tab with `id`, which a command about an unknown tab creates, as in the browser (a tab
  // that no command puts into a window is not shown); nothing when there is no room for it.
  Tab* TabWithId(std::int32_t id) { return HasRoom(tabs_, id) ? &tabs_[id] : nullptr; }

  // Window id, tab id.
  bool SetTabWindow(std::string_view payload) {
    const auto fields = FixedFields<2>(payload, kTwoFieldsSize);
    Tab* tab = fields ? TabWithId((*fields)[1]) : nullptr;
    if (tab == nullptr) {
      return false;
    }
    tab->window = (*fields)[0];
    return true;
  }

  // Tab id, the new value of `field`.
  bool SetTabField(std::string_view payload, std::int32_t Tab::*field) {
    const auto fields = FixedFields<2>(payload, kTwoFieldsSize);
    Tab* tab = fields ? TabWithId((*fields)[0]) : nullptr;
    if (tab == nullptr) {
      return false;
    }
    tab->*field = (*fields)[1];
    return true;
  }

  // Window id, window type.
  bool SetWindowType(std::string_view payload) {
    const auto fields = FixedFields<2>(payload, kTwoFieldsSize);
    if (!fields || !HasRoom(windowTypes_, (*fields)[0])) {
      return false;
    }
    windowTypes_[(*fields)[0]] = (*fields)[1];
    return true;
  }

  // Tab or window id, the time it closed.
  template <typename Map>
  static bool Close(std::string_view payload, Map& open) {
    if (payload.size() != kClosedSize) {
      return false;
    }
    open.erase(static_cast<std::int32_t>(base::LittleEndian(payload.substr(0, 4))));
    return true;
  }

  // Tab id, then the navigation entry: its index, URL, title (UTF-16), page state and transition
  // type. More fields follow that this reader does not need.
  bool UpdateNavigation(std::string_view payload) {
    PickleReader pickle(payload);
    std::int32_t tabId = 0;
    Navigation navigation;
    std::string_view url;
    std::string_view pageState;
    std::int32_t transition = 0;
    if (!pickle.ReadInt(tabId) || !pickle.ReadInt(navigation.index) || !pickle.ReadString(url) ||
        !pickle.SkipString16() || !pickle.ReadString(pageState) || !pickle.ReadInt(transition)) {
      return false;
    }
    Tab* tab = TabWithId(tabId);
    if (tab == nullptr) {
      return false;
    }
    navigation.url = url;
    const auto at = NavigationFrom(tab->navigations, navigation.index);
    if (at != tab->navigations.end() && at->index == navigation.index) {
      *at = std::move(navigation);
      return true;
    }
    if (tab->navigations.size() == kMaxNavigationsPerTab) {
      return false;
    }
    tab->navigations.insert(at, std::move(navigation));
    return true;
  }

  // Tab id, the index from which on the entries are gone.
  bool PruneFromBack(std::string_view payload) {
    const auto fields = FixedFields<2>(payload, kTwoFieldsSize);
    Tab* tab = fields ? TabWithId((*fields)[0]) : nullptr;
    if (tab == nullptr) {
      return false;
    }
    tab->navigations.erase(NavigationFrom(tab->navigations, (*fields)[1]), tab->navigations.end());
    return true;
  }

  // Tab id, the number of entries gone from the front.
  bool PruneFromFront(std::string_view payload) {
    const auto fields = FixedFields<2>(payload, kTwoFieldsSize);
    Tab* tab = fields && (*fields)[1] > 0 ? TabWithId((*fields)[0]) : nullptr;
    if (tab == nullptr) {
      return false;
    }
    RemoveNavigations(*tab, 0, (*fields)[1]);
    return true;
  }

  // Tab id, the index of the first entry gone, the number of entries gone.
  bool Prune(std::string_view payload) {
    const auto fields = FixedFields<3>(payload, kThreeFieldsSize);
    Tab* tab = fields && (*fields)[1] >= 0 && (*fields)[2] > 0 ? TabWithId((*fields)[0]) : nullptr;
    if (tab == nullptr) {
      return false;
    }
    RemoveNavigations(*tab, (*fields)[1], (*fields)[2]);
    return true;
  }

  // Removes `count` entries from `index` on and renumbers the ones after them; the selected entry
  // keeps pointing at the same page, or at the one before the removed ones.
  static void RemoveNavigations(Tab& tab, std::int32_t index, std::int32_t count) {
    const std::int64_t end = std::int64_t{index} + count;
    if (tab.currentNavigation >= index && tab.currentNavigation < end) {
      tab.currentNavigation = index - 1;
    } else if (tab.currentNavigation >= end) {
      tab.currentNavigation -= count;
    }
    tab.navigations.erase(NavigationFrom(tab.navigations, index),
                          NavigationFrom(tab.navigations, end));
    for (Navigation& navigation : tab.navigations) {
      if (navigation.index >= index) {
        navigation.index -= count;
      }
    }
  }

  static Window WindowOfTab(const Tab& tab) {
    Window window;
    window.isWebBrowser = true;
    if (tab.navigations.empty()) {
      return window;
    }
    auto current =
        std::find_if(tab.navigations.begin(), tab.navigations.end(),
                     [&tab](const Navigation& n) { return n.index >= tab.currentNavigation; });
    if (current == tab.navigations.end()) {
      current = std::prev(tab.navigations.end());
    }
    window.locationUrl = current->url;
    window.hasDocument = !window.locationUrl.empty();
    return window;
  }

  std::unordered_map<std::int32_t, Tab> tabs_;
  std::unordered_map<std::int32_t, std::int32_t> windowTypes_;
  bool markerSeen_ = false;
};

}  // namespace

std::optional<std::vector<Window>> ChromiumSessionTabs(std::string_view file) {
  constexpr std::size_t kHeaderSize = 8;
  if (file.size() < kHeaderSize || !file.starts_with(kSignature)) {
    return std::nullopt;
  }
  const auto version = static_cast<std::int32_t>(base::LittleEndian(file.substr(4, 4)));
  if (version != kVersion && version != kVersionWithMarker) {
    return std::nullopt;
  }
  Replay replay;
  std::string_view rest = file.substr(kHeaderSize);
  while (rest.size() >= 2) {
    const auto size = static_cast<std::uint32_t>(base::LittleEndian(rest.substr(0, 2)));
    rest.remove_prefix(2);
    if (size == 0 || size > rest.size()) {
      break;
    }
    const auto id = static_cast<std::uint8_t>(rest[0]);
    const std::string_view payload = rest.substr(1, size - 1);
    rest.remove_prefix(size);
    if (!replay.Apply(id, payload)) {
      break;
    }
  }
  if (version == kVersionWithMarker && !replay.MarkerSeen()) {
    return std::nullopt;
  }
  return replay.OpenTabs();
}

}  // namespace lintavo::browsers
