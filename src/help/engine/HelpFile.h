#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "help/engine/ChmArchive.h"
#include "help/engine/SiteMap.h"

namespace lintavo::help {

// A compiled help file as the help window shows it: its title, the page it opens at, its contents
// and index, and the pages and pictures they lead to.
class HelpFile {
 public:
  // The help file at `path`; nullptr when it is missing or damaged: not a compiled help file, or
  // one whose opening page cannot be read.
  static std::unique_ptr<HelpFile> Open(const std::string& path);

  const std::string& Title() const { return title_; }
  // The page the file opens at, as a link from the file's root ("/intro.htm", "intro.htm#top").
  const std::string& DefaultTopic() const { return defaultTopic_; }
  const std::vector<SiteMapEntry>& Contents() const { return contents_; }
  const std::vector<SiteMapEntry>& Index() const { return index_; }

  // A page, picture or style sheet by its path inside the file; nullopt when it cannot be read.
  std::optional<std::string> Read(const std::string& objectPath) const {
    return archive_->Read(objectPath);
  }

 private:
  explicit HelpFile(std::unique_ptr<ChmArchive> archive) : archive_(std::move(archive)) {}

  std::unique_ptr<ChmArchive> archive_;
  std::string title_;
  std::string defaultTopic_;
  std::vector<SiteMapEntry> contents_;
  std::vector<SiteMapEntry> index_;
};

}  // namespace lintavo::help
