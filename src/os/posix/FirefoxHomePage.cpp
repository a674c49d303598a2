#include "os/posix/FirefoxHomePage.h"

#include <utility>
#include <vector>

#include "os/Files.h"
#include "os/PathText.h"
#include "os/posix/BrowserFiles.h"
#include "os/posix/BrowserLocks.h"
#include "os/posix/FirefoxPrefs.h"

namespace lintavo::os::posix {

namespace {

constexpr std::string_view kBlockNote =
    "// Lintavo takes these lines out again once Firefox has taken the page up.";
constexpr std::string_view kBeforePrefix = "// before: ";
constexpr std::string_view kBeforeNone = "none";

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

std::string BlockText(const HomePageBlock& block, std::string_view lineBreak) {
  std::string text;
  const auto addLine = [&](std::string_view line) {
    text += line;
    text += lineBreak;
  };
  addLine(kHomePageBlockBegin);
  addLine(kBlockNote);
  if (block.beforeKnown) {
    addLine(std::string(kBeforePrefix) +
            (block.before ? PrefStringLiteral(*block.before) : std::string(kBeforeNone)));
  }
  addLine("user_pref(" + PrefStringLiteral(kHomePagePref) + ", " + PrefStringLiteral(block.url) +
          ");");
  addLine("user_pref(" + PrefStringLiteral(kStartupPagePref) + ", " +
          std::string(kStartWithHomePage) + ");");
  addLine(kHomePageBlockEnd);
  return text;
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
  return after == before || WriteFileAtomically(path, after) == 0;
}

}  // namespace

std::optional<std::string> WithFirefoxHomePage(std::string_view prefsJs, std::string_view url) {
  return WithUserPrefs(prefsJs, {{std::string(kHomePagePref), PrefStringLiteral(url)},
                                 {std::string(kStartupPagePref), std::string(kStartWithHomePage)}});
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
  for (std::size_t at = text.find(kBeforePrefix); at != std::string_view::npos;
       at = text.find(kBeforePrefix, at + 1)) {
    if (at != 0 && text[at - 1] != '\n' && text[at - 1] != '\r') {
      continue;  // not at the start of a line
    }
    std::string_view rest = text.substr(at + kBeforePrefix.size());
    rest = rest.substr(0, rest.find_first_of("\r\n"));
    if (rest == kBeforeNone) {
      block.beforeKnown = true;
    } else if (auto before = ParsePrefLiteral(rest);
               before && std::holds_alternative<std::string>(*before)) {
      block.beforeKnown = true;
      block.before = std::get<std::string>(std::move(*before));
    }
    break;
  }
  return block;
}

std::optional<std::string> WithHomePageBlock(std::string_view userJs, const HomePageBlock& block) {
  return ReplaceBlocks(userJs, BlockText(block, LineBreakOf(userJs)));
}

std::optional<std::string> WithoutHomePageBlock(std::string_view userJs) {
  return ReplaceBlocks(userJs, "");
}

HomePageOutcome SetFirefoxHomePage(const std::string& profileFolder, const std::string& url) {
  if (!DirectoryExists(profileFolder)) {
    return HomePageOutcome::kNoProfile;
  }
  const std::string prefsPath = JoinPath(profileFolder, "prefs.js");
  const std::string userPath = JoinPath(profileFolder, "user.js");
  std::string prefs;
  const ExistingFile prefsState = ReadPreferenceFile(prefsPath, prefs);
  std::string user;
  const ExistingFile userState = ReadPreferenceFile(userPath, user);

  if (!FirefoxProfileInUse(profileFolder)) {
    const auto newPrefs =
        prefsState == ExistingFile::Unreadable ? std::nullopt : WithFirefoxHomePage(prefs, url);
    if (!newPrefs) {
      return HomePageOutcome::kNotSet;
    }
    // A block of an earlier run would set its own page at the next start; it goes. A user.js that
    // cannot be read cannot be read by Firefox either, and holds no block it would take up.
    std::optional<std::string> newUser;
    if (userState == ExistingFile::Read) {
      const Blocks blocks = FindBlocks(user);
      if (!blocks.ranges.empty() || blocks.unended) {
        newUser = WithoutHomePageBlock(user);
        if (!newUser) {
          return HomePageOutcome::kNotSet;
        }
      }
    }
    if (!Write(prefsPath, prefs, *newPrefs) || (newUser && !Write(userPath, user, *newUser))) {
      return HomePageOutcome::kNotSet;
    }
    return HomePageOutcome::kSet;
  }

  if (userState == ExistingFile::Unreadable) {
    return HomePageOutcome::kNotSet;
  }
  HomePageBlock block;
  block.url = url;
  if (prefsState != ExistingFile::Unreadable) {
    if (const auto statements = ParsePrefStatements(prefs)) {
      block.beforeKnown = true;
      block.before = LastUserString(*statements, kHomePagePref);
    }
  }
  const auto newUser = WithHomePageBlock(user, block);
  if (!newUser || !Write(userPath, user, *newUser)) {
    return HomePageOutcome::kNotSet;
  }
  return HomePageOutcome::kSetAtNextStart;
}

void SettleFirefoxHomePage(const std::string& profileFolder) {
  const std::string userPath = JoinPath(profileFolder, "user.js");
  std::string user;
  if (ReadPreferenceFile(userPath, user) != ExistingFile::Read) {
    return;
  }
  const auto block = FindHomePageBlock(user);
  if (!block) {
    return;
  }
  std::string prefs;
  if (ReadPreferenceFile(JoinPath(profileFolder, "prefs.js"), prefs) == ExistingFile::Unreadable) {
    return;
  }
  const auto statements = ParsePrefStatements(prefs);
  if (!statements) {
    return;
  }
  const std::optional<std::string> homePage = LastUserString(*statements, kHomePagePref);
  const bool takenUp = homePage == block->url;
  const bool changedSince = block->beforeKnown && homePage != block->before;
  if (!takenUp && !changedSince) {
    return;
  }
  if (const auto newUser = WithoutHomePageBlock(user)) {
    Write(userPath, user, *newUser);
  }
}

}  // namespace lintavo::os::posix
