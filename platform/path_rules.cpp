#include "platform/path_rules.h"

#include "platform/platform.h"

namespace hopdir {
namespace {

Str255 UpperCased(const Str255& path) {
  Str255 upper(path);
  for (int i = 0; i < upper.Length(); ++i) upper.At(i) = UpCaseChar(upper[i]);
  return upper;
}

// `dir` with one trailing '/' added unless it has one; empty stays empty.
std::string AsDirectory(std::string dir) {
  if (!dir.empty() && dir.back() != '/') dir += '/';
  return dir;
}

// The value of an environment variable that holds an absolute path.
bool AbsolutePathIn(const char* name, std::string& path) {
  return Os().process.Environment(name, path) && !path.empty() && path[0] == '/';
}

}  // namespace

Str255 PathRules::DirectoryPart(const Str255& path) const {
  for (int i = path.Length() - 1; i >= 0; --i) {
    if (EndsDirectoryPart(path[i])) return path.Sub(0, i + 1);
  }
  return Str255();
}

bool WindowsPathRules::EndsDirectoryPart(char c) const { return c == '\\' || c == '/' || c == ':'; }

bool WindowsPathRules::IsRoot(const Str255& path) const {
  // D:\ and the like: the first ":\" starts at the next-to-last character.
  int drive_root = path.Find(":\\");
  return drive_root >= 0 && drive_root == path.Length() - 2;
}

Str255 WindowsPathRules::RootOf(const Str255& path) const { return path.Sub(0, 1) + ":\\"; }

Str255 WindowsPathRules::StoredForm(const Str255& path) const { return UpperCased(path); }

DataPlace WindowsPathRules::DataDirectory(const Str255& program_dir) const {
  std::string dir = program_dir.ToStd();
  if (!dir.empty() && dir.back() != '\\') dir += '\\';
  return {dir, dir};
}

Str255 WindowsPathRules::PathsTitle(const Str255& drive_name) const {
  return "Paths on Drive " + drive_name;
}

Str255 PosixPathRules::SearchForm(const Str255& path) const { return UpperCased(path); }

size_t PosixPathRules::ClipName(std::string_view name, size_t max_bytes) const {
  if (name.size() <= max_bytes) return name.size();
  // Back to the lead byte of the character the cut falls in; a character
  // that ends right at the cut, and bytes that are no UTF-8, stay.
  size_t start = max_bytes;
  while (start > 0 && max_bytes - start < 4 &&
         (static_cast<unsigned char>(name[start]) & 0xC0) == 0x80) {
    --start;
  }
  const auto lead = static_cast<unsigned char>(name[start]);
  const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  return start + length > max_bytes && (lead & 0xC0) == 0xC0 ? start : max_bytes;
}

DataPlace PosixPathRules::DataDirectory(const Str255& /*program_dir*/) const {
  // A relative path would put the history under whatever directory the
  // user stands in; the XDG base directory rules ignore a relative
  // XDG_DATA_HOME for the same reason.
  std::string dir;
  if (AbsolutePathIn("HOPDIR_HOME", dir)) return {AsDirectory(dir), ""};
  if (AbsolutePathIn("XDG_DATA_HOME", dir)) return {AsDirectory(dir) + "hopdir/", ""};
  if (AbsolutePathIn("HOME", dir)) return {AsDirectory(dir) + ".local/share/hopdir/", dir};
  return {};
}

Str255 PosixPathRules::PathsTitle(const Str255& drive_name) const {
  return "Paths on " + drive_name;
}

}  // namespace hopdir
