#include "browsers/chromium/ChromiumHomePage.h"

#include <nlohmann/json.hpp>

#include "base/PathText.h"
#include "browsers/BrowserFiles.h"
#include "browsers/JsonMembers.h"
#include "os/Files.h"

namespace lintavo::browsers {

namespace {

using Json = nlohmann::json;

constexpr const char* kPreferencesName = "Preferences";

// The members the home page sets, by their paths.
constexpr const char* kHomePage = "homepage";
constexpr const char* kHomePageIsNewTabPage = "homepage_is_newtabpage";
constexpr const char* kShowHomeButton = "browser.show_home_button";
constexpr const char* kRestoreOnStartup = "session.restore_on_startup";
constexpr const char* kStartupUrls = "session.startup_urls";

// Whether the text is one JSON object nested no deeper than Chromium reads.
bool IsPreferencesObject(std::string_view text) {
  bool tooDeep = false;
  // The parser keeps its own stack; the depth is checked because Chromium refuses what goes deeper.
  const Json::parser_callback_t checkDepth = [&tooDeep](int depth, Json::parse_event_t event,
                                                        Json&) {
    if ((event == Json::parse_event_t::object_start || event == Json::parse_event_t::array_start) &&
        depth >= kMaxPreferencesDepth) {
      tooDeep = true;
    }
    return !tooDeep;
  };
  const Json root = Json::parse(text.begin(), text.end(), checkDepth, false);
  return !tooDeep && root.is_object();
}

bool IsRestoreLastSession(const std::optional<std::string>& restoreOnStartup) {
  if (!restoreOnStartup) {
    return false;
  }
  const Json value = Json::parse(*restoreOnStartup, nullptr, false);
  return value.is_number_integer() && value == kRestoreLastSession;
}

}  // namespace

std::optional<PreferencesEdit> WithChromiumHomePage(std::string_view preferences,
                                                    std::string_view url) {
  if (!IsPreferencesObject(preferences)) {
    return std::nullopt;
  }
  std::string page;
  std::string pages;
  // Text that is no valid UTF-8 cannot be written as JSON; the browser's own file never holds any.
  try {
    page = Json(std::string(url)).dump();
    pages = Json::array({std::string(url)}).dump();
  } catch (const Json::exception&) {
    return std::nullopt;
  }
  std::vector<PrefChange> changes = {{kHomePage, std::nullopt, page},
                                     {kHomePageIsNewTabPage, std::nullopt, "false"},
                                     {kShowHomeButton, std::nullopt, "true"},
                                     {kRestoreOnStartup, std::nullopt, std::nullopt},
                                     {kStartupUrls, std::nullopt, std::nullopt}};
  for (PrefChange& change : changes) {
    const JsonMember member = FindJsonMember(preferences, change.name);
    if (member.state == JsonMember::State::kUnclear) {
      return std::nullopt;
    }
    if (member.state == JsonMember::State::kFound) {
      change.current = std::string(member.value);
    }
  }
  // A browser that continues where the person left off keeps doing so, with its pages.
  PrefChange& restoreOnStartup = changes[3];
  PrefChange& startupUrls = changes[4];
  if (!IsRestoreLastSession(restoreOnStartup.current)) {
    restoreOnStartup.set = std::to_string(kRestoreOnStartupUrls);
    startupUrls.set = pages;
  }
  PreferencesEdit edit{std::string(preferences), changes};
  for (const PrefChange& change : changes) {
    if (!change.set) {
      continue;
    }
    auto text = WithJsonMember(edit.text, change.name, *change.set);
    if (!text) {
      return std::nullopt;
    }
    edit.text = std::move(*text);
  }
  return edit;
}

bool SameJsonValue(std::string_view a, std::string_view b) {
  const Json first = Json::parse(a.begin(), a.end(), nullptr, false);
  const Json second = Json::parse(b.begin(), b.end(), nullptr, false);
  return !first.is_discarded() && !second.is_discarded() && first == second;
}

HomePageOutcome SetChromiumHomePage(const std::string& profileFolder, const std::string& url) {
  const std::string path = base::JoinPath(profileFolder, kPreferencesName);
  std::string preferences;
  switch (ReadPreferenceFile(path, preferences)) {
    case os::ExistingFile::Missing:
      return HomePageOutcome::kNoProfile;
    case os::ExistingFile::Unreadable:
      return HomePageOutcome::kNotSet;
    case os::ExistingFile::Read:
      break;
  }
  const auto edit = WithChromiumHomePage(preferences, url);
  // The record goes first: a file changed without it would lose the person's values for good.
  if (!edit || !KeepHomePageRecord(profileFolder, kPreferencesName, edit->changes, SameJsonValue)) {
    return HomePageOutcome::kNotSet;
  }
  if (edit->text != preferences && os::WriteFileAtomically(path, edit->text) != 0) {
    return HomePageOutcome::kNotSet;
  }
  return HomePageOutcome::kSet;
}

}  // namespace lintavo::browsers
