#include "browsers/firefox/FirefoxHomePage.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "base/PathText.h"
#include "browsers/BrowserFiles.h"
#include "browsers/firefox/FirefoxPrefs.h"
#include "os/BrowserLocks.h"
#include "os/Files.h"

namespace lintavo::browsers {

namespace {

constexpr std::string_view kBlockNote =
    "// Lintavo takes these lines out again once Firefox has taken the page up.";
constexpr std::string_view kBeforePrefix = "// before: ";
constexpr std::string_view kBeforeNone = "none";
constexpr std::string_view kBeforeNameEnd = " = ";
constexpr const char* kPrefsJsName = "prefs.js";

// Where Lintavo's blocks lie in a file: from the first byte of a line that is exactly the
// beginning marker to the end of the next line that is exactly the end marker, its line break
// included.
struct Blocks {
  std::vector<std::pair<std::size_t, std::size_t>> ranges;
  bool unended = false;  // a beginning without an end: where the block ends cannot be told
};

Blocks FindBlocks(std::string_view text) {
  Blocks blocks;
  bool inBlock = false;
  std::size_t begin = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t contentEnd = text.find_first_of("\r\n", pos);
    std::size_t lineEnd = contentEnd;
    if (contentEnd == std::string_view::npos) {
      contentEnd = lineEnd = text.size();
    } else {
      lineEnd = contentEnd + (text.compare(contentEnd, 2, "\r\n") == 0 ? 2 : 1);
    }
    const std::string_view content = text.substr(pos, contentEnd - pos);
    if (!inBlock && content == kHomePageBlockBegin) {
      inBlock = true;
      begin = pos;
    } else if (inBlock && content == kHomePageBlockEnd) {
      blocks.ranges.emplace_back(begin, lineEnd);
      inBlock = false;
    }
    pos = lineEnd;
  }
  blocks.unended = inBlock;
  return blocks;
}

std::string BeforeLine(std::string_view name, const std::optional<PrefValue>& before) {
  return std::string(kBeforePrefix) + std::string(name) + std::string(kBeforeNameEnd) +
         (before ? PrefLiteral(*before) : std::string(kBeforeNone));
}

std::string BlockText(const HomePageBlock& block, std::string_view lineBreak) {
  std::string text;
  const auto addLine = [&](std::string_view line) {
    text += line;
    text += lineBreak;
  };
  addLine(kHomePageBlockBegin);
  addLine(kBlockNote);
  if (block.beforeKnown) {
    addLine(BeforeLine(kHomePagePref, block.homePageBefore));
    if (block.setsStartupPage) {
      addLine(BeforeLine(kStartupPagePref, block.startupPageBefore));
    }
  }
  addLine("user_pref(" + PrefStringLiteral(kHomePagePref) + ", " + PrefStringLiteral(block.url) +
          ");");
  if (block.setsStartupPage) {
    addLine("user_pref(" + PrefStringLiteral(kStartupPagePref) + ", " +
            std::string(kStartWithHomePage) + ");");
  }
  addLine(kHomePageBlockEnd);
  return text;
}

// The value a "before" line gives into `value`: a literal, or nothing for "none". False, with
// `value` untouched, when the line says neither.
bool ReadBeforeValue(std::string_view text, std::optional<PrefValue>& value) {
  if (text == kBeforeNone) {
    value.reset();
    return true;
  }
  auto literal = ParsePrefLiteral(text);
  if (!literal) {
    return false;
  }
  value = std::move(*literal);
  return true;
}

// Reads the "before" lines of a block's text into `block`.
void ReadBeforeLines(std::string_view text, HomePageBlock& block) {
  // Lines end at CR, LF or CR LF; the empty line inside a CR LF is no "before" line.
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t lineEnd = std::min(text.find_first_of("\r\n", pos), text.size());
    std::string_view line = text.substr(pos, lineEnd - pos);
    pos = lineEnd + 1;
    if (!line.starts_with(kBeforePrefix)) {
      continue;
    }
    line.remove_prefix(kBeforePrefix.size());
    // "<name> = <value>"; a value alone is the home page, as earlier versions wrote it.
    std::string_view name = kHomePagePref;
    if (const std::size_t end = line.find(kBeforeNameEnd);
        end != std::string_view::npos && !line.starts_with('"') && !line.starts_with('\'')) {
      name = line.substr(0, end);
      line.remove_prefix(end + kBeforeNameEnd.size());
    }
    if (name == kHomePagePref && !block.beforeKnown) {
      block.beforeKnown = ReadBeforeValue(line, block.homePageBefore);
    } else if (name == kStartupPagePref) {
      ReadBeforeValue(line, block.startupPageBefore);
    }
  }
}

// The file with its blocks replaced by `replacement` (at the first block's place) or, when it has
// none, with `replacement` added at the end.
std::optional<std::string> ReplaceBlocks(std::string_view text, std::string_view replacement) {
  if (!ParsePrefStatements(text)) {
    return std::nullopt;
  }
  const Blocks blocks = FindBlocks(text);
  if (blocks.unended) {
    return std::nullopt;
  }
  std::string result;
  if (blocks.ranges.empty()) {
    result = text;
    if (!replacement.empty() && !result.empty() && result.back() != '\n' && result.back() != '\r') {
      result += LineBreakOf(text);
    }
    result += replacement;
  } else {
    std::size_t copied = 0;
    for (const auto& [begin, end] : blocks.ranges) {
      result.append(text.substr(copied, begin - copied));
      if (copied == 0) {
        result += replacement;
      }
      copied = end;
    }
    result.append(text.substr(copied));
  }
  // The blocks hold whole statements and comments, so the rest still reads without error.
  if (!ParsePrefStatements(result)) {
    return std::nullopt;
  }
  return result;
}

bool Write(const std::string& path, const std::string& before, const std::string& after) {
  return after == before || os::WriteFileAtomically(path, after) == 0;
}

}  // namespace

std::optional<PreferencesEdit> WithFirefoxHomePage(std::string_view prefsJs, std::string_view url) {
  const auto statements = ParsePrefStatements(prefsJs);
  if (!statements) {
    return std::nullopt;
  }
  const auto literalOf = [&](std::string_view name) -> std::optional<std::string> {
    const auto value = LastUserValue(*statements, name);
    return value ? std::optional(PrefLiteral(*value)) : std::nullopt;
  };
  std::vector<PrefChange> changes = {
      {std::string(kHomePagePref), literalOf(kHomePagePref), PrefStringLiteral(url)},
      {std::string(kStartupPagePref), literalOf(kStartupPagePref), std::string(kStartWithHomePage)},
  };
  // A profile that restores its previous session at start keeps doing so.
  if (LastUserValue(*statements, kStartupPagePref) == PrefValue(kRestorePreviousSession)) {
    changes.back().set.reset();
  }
  std::vector<UserPref> prefs;
  for (const PrefChange& change : changes) {
    if (change.set) {
      prefs.push_back({change.name, *change.set});
    }
  }
  auto text = WithUserPrefs(prefsJs, prefs);
  if (!text) {
    return std::nullopt;
  }
  return PreferencesEdit{std::move(*text), std::move(changes)};
}

bool SamePrefValue(std::string_view a, std::string_view b) {
  const auto first = ParsePrefLiteral(a);
  return first && first == ParsePrefLiteral(b);
}

std::optional<HomePageBlock> FindHomePageBlock(std::string_view userJs) {
  const Blocks blocks = FindBlocks(userJs);
  if (blocks.ranges.empty()) {
    return std::nullopt;
  }
  const auto [begin, end] = blocks.ranges.front();
  const std::string_view text = userJs.substr(begin, end - begin);
  const auto statements = ParsePrefStatements(text);
  const auto url = statements ? LastUserString(*statements, kHomePagePref) : std::nullopt;
  if (!url) {
    return std::nullopt;
  }
  HomePageBlock block;
  block.url = *url;
  block.setsStartupPage = LastUserValue(*statements, kStartupPagePref).has_value();
  ReadBeforeLines(text, block);
  return block;
}

std::optional<std::string> WithHomePageBlock(std::string_view userJs, const HomePageBlock& block) {
  return ReplaceBlocks(userJs, BlockText(block, LineBreakOf(userJs)));
}

std::optional<std::string> WithoutHomePageBlock(std::string_view userJs) {
  return ReplaceBlocks(userJs, "");
}

bool UserJsSetsHomePage(std::string_view userJs) {
  const Blocks blocks = FindBlocks(userJs);
  const auto statements = ParsePrefStatements(userJs);
  if (blocks.unended || !statements) {
    return false;
  }
  return std::any_of(statements->begin(), statements->end(), [&](const PrefStatement& statement) {
    return statement.user && statement.name == kHomePagePref &&
           std::none_of(blocks.ranges.begin(), blocks.ranges.end(), [&](const auto& range) {
             return statement.begin >= range.first && statement.begin < range.second;
           });
  });
}

HomePageOutcome SetFirefoxHomePage(const std::string& profileFolder, const std::string& url) {
  if (!os::DirectoryExists(profileFolder)) {
    return HomePageOutcome::kNoProfile;
  }
  const std::string prefsPath = base::JoinPath(profileFolder, kPrefsJsName);
  const std::string userPath = base::JoinPath(profileFolder, "user.js");
  std::string prefs;
  const os::ExistingFile prefsState = ReadPreferenceFile(prefsPath, prefs);
  std::string user;
  const os::ExistingFile userState = ReadPreferenceFile(userPath, user);
  if (userState == os::ExistingFile::Read && UserJsSetsHomePage(user)) {
    return HomePageOutcome::kPinnedByPerson;
  }
  // What prefs.js holds is what the record keeps: without it, nothing is changed.
  const auto edit =
      prefsState == os::ExistingFile::Unreadable ? std::nullopt : WithFirefoxHomePage(prefs, url);
  if (!edit) {
    return HomePageOutcome::kNotSet;
  }

  const bool inUse = os::FirefoxProfileInUse(profileFolder);
  std::optional<std::string> newPrefs;
  std::optional<std::string> newUser;
  if (!inUse) {
    newPrefs = edit->text;
    // A block of an earlier run would set its own page at the next start; it goes. A user.js that
    // cannot be read cannot be read by Firefox either, and holds no block it would take up.
    if (userState == os::ExistingFile::Read) {
      const Blocks blocks = FindBlocks(user);
      if (!blocks.ranges.empty() || blocks.unended) {
        newUser = WithoutHomePageBlock(user);
        if (!newUser) {
          return HomePageOutcome::kNotSet;
        }
      }
    }
  } else {
    if (userState == os::ExistingFile::Unreadable) {
      return HomePageOutcome::kNotSet;
    }
    HomePageBlock block;
    block.url = url;
    block.beforeKnown = true;
    for (const PrefChange& change : edit->changes) {
      std::optional<PrefValue> before =
          change.current ? ParsePrefLiteral(*change.current) : std::nullopt;
      if (change.name == kHomePagePref) {
        block.homePageBefore = std::move(before);
      } else if (change.name == kStartupPagePref) {
        block.setsStartupPage = change.set.has_value();
        block.startupPageBefore = std::move(before);
      }
    }
    newUser = WithHomePageBlock(user, block);
    if (!newUser) {
      return HomePageOutcome::kNotSet;
    }
  }
  // The record goes first: a file changed without it would lose the person's values for good.
  if (!KeepHomePageRecord(profileFolder, kPrefsJsName, edit->changes, SamePrefValue) ||
      (newPrefs && !Write(prefsPath, prefs, *newPrefs)) ||
      (newUser && !Write(userPath, user, *newUser))) {
    return HomePageOutcome::kNotSet;
  }
  return inUse ? HomePageOutcome::kSetAtNextStart : HomePageOutcome::kSet;
}

void SettleFirefoxHomePage(const std::string& profileFolder) {
  const std::string userPath = base::JoinPath(profileFolder, "user.js");
  std::string user;
  if (ReadPreferenceFile(userPath, user) != os::ExistingFile::Read) {
    return;
  }
  const auto block = FindHomePageBlock(user);
  if (!block) {
    return;
  }
  std::string prefs;
  if (ReadPreferenceFile(base::JoinPath(profileFolder, kPrefsJsName), prefs) ==
      os::ExistingFile::Unreadable) {
    return;
  }
  const auto statements = ParsePrefStatements(prefs);
  if (!statements) {
    return;
  }
  const std::optional<PrefValue> homePage = LastUserValue(*statements, kHomePagePref);
  const bool takenUp = homePage == PrefValue(block->url);
  const bool changedSince = block->beforeKnown && homePage != block->homePageBefore;
  if (!takenUp && !changedSince) {
    return;
  }
  if (const auto newUser = WithoutHomePageBlock(user)) {
    Write(userPath, user, *newUser);
  }
}

}  // namespace lintavo::browsers
