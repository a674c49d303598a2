#include "browsers/HomePageRecord.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "base/PathText.h"
#include "browsers/BrowserFiles.h"
#include "os/Files.h"

namespace lintavo::browsers {

namespace {

// Members stay in the order written: the name first, as people read it.
using Json = nlohmann::ordered_json;

const RecordedPref* FindRecorded(const std::optional<HomePageRecord>& record,
                                 const std::string& name) {
  if (!record) {
    return nullptr;
  }
  const auto found = std::find_if(record->prefs.begin(), record->prefs.end(),
                                  [&](const RecordedPref& pref) { return pref.name == name; });
  return found == record->prefs.end() ? nullptr : &*found;
}

}  // namespace

std::optional<std::string> HomePageRecordText(const HomePageRecord& record) {
  Json prefs = Json::array();
  for (const RecordedPref& pref : record.prefs) {
    prefs.push_back({{"name", pref.name},
                     {"before", pref.before ? Json(*pref.before) : Json(nullptr)},
                     {"set", pref.set}});
  }
  const Json text = {{"file", record.file}, {"preferences", std::move(prefs)}};
  try {
    return text.dump(2) + "\n";
  } catch (const Json::exception&) {
    return std::nullopt;
  }
}

std::optional<HomePageRecord> ParseHomePageRecord(std::string_view text) {
  const Json root = Json::parse(text.begin(), text.end(), nullptr, false);
  if (!root.is_object() || !root.contains("file") || !root["file"].is_string() ||
      !root.contains("preferences") || !root["preferences"].is_array()) {
    return std::nullopt;
  }
  HomePageRecord record;
  record.file = root["file"].get<std::string>();
  for (const Json& pref : root["preferences"]) {
    if (!pref.is_object() || !pref.contains("name") || !pref["name"].is_string() ||
        !pref.contains("set") || !pref["set"].is_string() || !pref.contains("before") ||
        !(pref["before"].is_string() || pref["before"].is_null())) {
      return std::nullopt;
    }
    RecordedPref recorded{pref["name"].get<std::string>(), std::nullopt,
                          pref["set"].get<std::string>()};
    if (pref["before"].is_string()) {
      recorded.before = pref["before"].get<std::string>();
    }
    record.prefs.push_back(std::move(recorded));
  }
  return record;
}

HomePageRecord HomePageRecordAfter(const std::optional<HomePageRecord>& earlier,
                                   const std::string& file, const std::vector<PrefChange>& changes,
                                   const SameValue& sameValue) {
  // An earlier record of another file says nothing about this one.
  const std::optional<HomePageRecord> usable =
      earlier && earlier->file == file ? earlier : std::nullopt;
  HomePageRecord record{file, {}};
  for (const PrefChange& change : changes) {
    const RecordedPref* recorded = FindRecorded(usable, change.name);
    const bool stillOurs =
        recorded != nullptr && change.current && sameValue(recorded->set, *change.current);
    if (change.set) {
      record.prefs.push_back(
          {change.name, stillOurs ? recorded->before : change.current, *change.set});
    } else if (stillOurs) {
      record.prefs.push_back(*recorded);
    }
  }
  return record;
}

bool KeepHomePageRecord(const std::string& profileFolder, const std::string& file,
                        const std::vector<PrefChange>& changes, const SameValue& sameValue) {
  const std::string path = base::JoinPath(profileFolder, kHomePageRecordName);
  std::string stored;
  const os::ExistingFile state = ReadPreferenceFile(path, stored);
  if (state == os::ExistingFile::Unreadable) {
    return false;
  }
  const std::optional<HomePageRecord> earlier =
      state == os::ExistingFile::Read ? ParseHomePageRecord(stored) : std::nullopt;
  const auto text = HomePageRecordText(HomePageRecordAfter(earlier, file, changes, sameValue));
  if (!text) {
    return false;
  }
  return (state == os::ExistingFile::Read && *text == stored) ||
         os::WriteFileAtomically(path, *text) == 0;
}

}  // namespace lintavo::browsers
