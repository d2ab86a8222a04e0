#include "platform/path_rules.h"

#include <memory>
#include <string>

#include "platform/platform.h"
#include "platform/utf8.h"

namespace hopdir {
namespace {

Str255 UpperCased(const Str255& path) {
  Str255 upper(path);
  for (int i = 0; i < upper.Length(); ++i) upper.At(i) = UpCaseChar(upper[i]);
  return upper;
}

// Windows error numbers that the write probe tells apart.
constexpr int kErrorAccessDenied = 5;
constexpr int kErrorWriteProtect = 19;
constexpr int kErrorFileExists = 80;

// Created and deleted at once, to learn whether a directory takes new files.
constexpr const char* kWriteProbeName = "HOPDIR.$W$";
// The longest name of a file the programs keep in their data directory.
constexpr int kLongestDataFileName = 14;  // "HopdirTemp.Bat"

bool Refuses(int result) { return result == kErrorAccessDenied || result == kErrorWriteProtect; }

// Whether the programs may create their files in `dir`: false only when
// the system refuses a new file there (a folder such as Program Files that
// only administrators write). Any other failure is left for the real write
// to report.
bool TakesNewFiles(const Str255& dir) {
  const std::string probe = dir.ToStd() + kWriteProbeName;
  if (probe.size() > static_cast<size_t>(Str255::kCapacity)) return true;
  FileSystem& files = Os().files;
  std::unique_ptr<RawFile> file;
  const int created = files.CreateNew(Str255(probe), file);
  if (created == 0) {
    file->Close();
    file.reset();
    files.DeleteFile(Str255(probe));
    return true;
  }
  // Another run probes at this moment, or one ended between its create
  // and its delete: whether the directory takes changes, deleting tells.
  if (created == kErrorFileExists) return !Refuses(files.DeleteFile(Str255(probe)));
  return !Refuses(created);
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

size_t PathRules::ClipName(std::string_view name, size_t max_bytes) const {
  return Utf8ClipLength(name, max_bytes);
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
  const DataPlace own{dir, dir};
  if (program_dir.Empty() || TakesNewFiles(program_dir)) return own;
  std::string local;
  if (!Os().process.Environment("LOCALAPPDATA", local) || local.empty()) return own;
  if (local.back() != '\\') local += '\\';
  const std::string data_dir = local + "Hopdir\\";
  // A data directory too deep for its files' names would be clipped into
  // another directory.
  if (data_dir.size() + kLongestDataFileName > static_cast<size_t>(Str255::kCapacity)) return own;
  return {data_dir, local};
}

Str255 WindowsPathRules::PathsTitle(const Str255& drive_name) const {
  return "Paths on Drive " + drive_name;
}

Str255 PosixPathRules::SearchForm(const Str255& path) const { return UpperCased(path); }

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
