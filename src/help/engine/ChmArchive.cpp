#include "help/engine/ChmArchive.h"

#include <chm_lib.h>

#include <cstdint>
#include <filesystem>

namespace lintavo::help {

namespace {

// A damaged directory can claim any length for an object; no page or picture of a help file comes
// near this, and nothing larger is ever allocated for one.
constexpr std::uint64_t kLargestObject = 64u << 20;

// Stops at a stored object whose last byte lies beyond the end of the file: the file was cut
// short, and what chmlib would unpack from it is garbage rather than a failure.
int CheckStoredObjectEnd(chmFile* file, chmUnitInfo* unit, void* context) {
  if (unit->space != CHM_UNCOMPRESSED || unit->length == 0) {
    return CHM_ENUMERATOR_CONTINUE;
  }
  unsigned char last = 0;
  if (chm_retrieve_object(file, unit, &last, unit->length - 1, 1) != 1) {
    *static_cast<bool*>(context) = false;
    return CHM_ENUMERATOR_SUCCESS;
  }
  return CHM_ENUMERATOR_CONTINUE;
}

int CollectPath(chmFile*, chmUnitInfo* unit, void* context) {
  static_cast<std::vector<std::string>*>(context)->emplace_back(unit->path);
  return CHM_ENUMERATOR_CONTINUE;
}

}  // namespace

std::unique_ptr<ChmArchive> ChmArchive::Open(const std::string& path) {
  // chmlib would open a pipe or a device too, and wait on it for ever.
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    return nullptr;
  }
  chmFile* file = chm_open(path.c_str());
  if (file == nullptr) {
    return nullptr;
  }
  std::unique_ptr<ChmArchive> archive(new ChmArchive(file));
  bool whole = true;
  chm_enumerate(file, CHM_ENUMERATE_ALL, CheckStoredObjectEnd, &whole);
  return whole ? std::move(archive) : nullptr;
}

ChmArchive::ChmArchive(chmFile* file) : file_(file) {}

ChmArchive::~ChmArchive() {
  chm_close(file_);
}

std::optional<std::string> ChmArchive::Read(const std::string& objectPath) const {
  chmUnitInfo unit{};
  if (chm_resolve_object(file_, objectPath.c_str(), &unit) != CHM_RESOLVE_SUCCESS ||
      unit.length > kLargestObject) {
    return std::nullopt;
  }
  std::string bytes(static_cast<std::size_t>(unit.length), '\0');
  if (bytes.empty()) {
    return bytes;
  }
  const LONGINT64 read =
      chm_retrieve_object(file_, &unit, reinterpret_cast<unsigned char*>(bytes.data()), 0,
                          static_cast<LONGINT64>(unit.length));
  return read == static_cast<LONGINT64>(unit.length) ? std::optional(std::move(bytes))
                                                     : std::nullopt;
}

std::vector<std::string> ChmArchive::ObjectPaths() const {
  std::vector<std::string> paths;
  chm_enumerate(file_, CHM_ENUMERATE_ALL, CollectPath, &paths);
  return paths;
}

}  // namespace lintavo::help
