#include "help/engine/HelpFile.h"

#include "base/Text.h"
#include "help/engine/SystemFile.h"

namespace lintavo::help {

namespace {

// The first object whose path ends in `extension`, for a file whose "#SYSTEM" names none.
std::string FirstWithExtension(const ChmArchive& archive, std::string_view extension) {
  for (const std::string& path : archive.ObjectPaths()) {
    if (path.size() > extension.size() &&
        base::EqualIgnoringAsciiCase(std::string_view(path).substr(path.size() - extension.size()),
                                     extension)) {
      return path;
    }
  }
  return std::string();
}

// A page's path inside the file, from a link to it that may lack the leading "/" or carry a
// "#place" within the page.
std::string PagePath(std::string_view link) {
  const std::string_view page = link.substr(0, link.find('#'));
  return page.empty() || page.front() == '/' ? std::string(page) : "/" + std::string(page);
}

std::vector<SiteMapEntry> ReadSiteMap(const ChmArchive& archive, const std::string& path) {
  const auto html = path.empty() ? std::nullopt : archive.Read(path);
  return html ? ParseSiteMap(*html) : std::vector<SiteMapEntry>();
}

}  // namespace

std::unique_ptr<HelpFile> HelpFile::Open(const std::string& path) {
  auto archive = ChmArchive::Open(path);
  if (!archive) {
    return nullptr;
  }
  std::unique_ptr<HelpFile> file(new HelpFile(std::move(archive)));
  const ChmArchive& chm = *file->archive_;
  const SystemFacts facts = ParseSystemFile(chm.Read("/#SYSTEM").value_or(std::string()));
  file->title_ = facts.title;
  file->contents_ = ReadSiteMap(
      chm, facts.contentsFile.empty() ? FirstWithExtension(chm, ".hhc") : facts.contentsFile);
  file->index_ =
      ReadSiteMap(chm, facts.indexFile.empty() ? FirstWithExtension(chm, ".hhk") : facts.indexFile);

  file->defaultTopic_ = facts.defaultTopic;
  if (file->defaultTopic_.empty()) {
    for (const SiteMapEntry& entry : file->contents_) {
      if (!entry.local.empty()) {
        file->defaultTopic_ = entry.local;
        break;
      }
    }
  }
  // A file whose first page cannot be read is damaged, whatever else it still holds.
  if (file->defaultTopic_.empty() || !chm.Read(PagePath(file->defaultTopic_))) {
    return nullptr;
  }
  return file;
}

}  // namespace lintavo::help
