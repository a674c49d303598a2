#include "os/posix/ChromiumHomePage.h"

#include <nlohmann/json.hpp>

#include "os/Files.h"
#include "os/PathText.h"
#include "os/posix/BrowserFiles.h"

namespace lintavo::os::posix {

namespace {

using Json = nlohmann::json;

// The member `name` of `object` as an object, made when missing; nothing when it is something
// else, which the browser would not read as its settings either.
Json* ObjectMember(Json& object, const char* name) {
  Json& member = object[name];
  if (member.is_null()) {
    member = Json::object();
  }
  return member.is_object() ? &member : nullptr;
}

}  // namespace

std::optional<std::string> WithChromiumHomePage(std::string_view preferences,
                                                std::string_view url) {
  bool tooDeep = false;
  // The parser itself keeps its own stack; the depth is checked so that writing the value back,
  // which recurses, stays shallow.
  const Json::parser_callback_t checkDepth = [&tooDeep](int depth, Json::parse_event_t event,
                                                        Json&) {
    if ((event == Json::parse_event_t::object_start || event == Json::parse_event_t::array_start) &&
        depth >= kMaxPreferencesDepth) {
      tooDeep = true;
    }
    return !tooDeep;
  };
  Json root = Json::parse(preferences.begin(), preferences.end(), checkDepth, false);
  if (tooDeep || root.is_discarded() || !root.is_object()) {
    return std::nullopt;
  }
  Json* browser = ObjectMember(root, "browser");
  Json* session = ObjectMember(root, "session");
  if (browser == nullptr || session == nullptr) {
    return std::nullopt;
  }
  const std::string page(url);
  root["homepage"] = page;
  root["homepage_is_newtabpage"] = false;
  (*browser)["show_home_button"] = true;
  (*session)["restore_on_startup"] = kRestoreOnStartupUrls;
  (*session)["startup_urls"] = Json::array({page});
  // Text that is no valid UTF-8 cannot be written as JSON; the browser's own file never holds any.
  try {
    return root.dump();
  } catch (const Json::exception&) {
    return std::nullopt;
  }
}

HomePageOutcome SetChromiumHomePage(const std::string& profileFolder, const std::string& url) {
  const std::string path = JoinPath(profileFolder, "Preferences");
  std::string preferences;
  switch (ReadPreferenceFile(path, preferences)) {
    case ExistingFile::Missing:
      return HomePageOutcome::kNoProfile;
    case ExistingFile::Unreadable:
      return HomePageOutcome::kNotSet;
    case ExistingFile::Read:
      break;
  }
  const auto updated = WithChromiumHomePage(preferences, url);
  if (!updated) {
    return HomePageOutcome::kNotSet;
  }
  if (*updated != preferences && WriteFileAtomically(path, *updated) != 0) {
    return HomePageOutcome::kNotSet;
  }
  return HomePageOutcome::kSet;
}

}  // namespace lintavo::os::posix
