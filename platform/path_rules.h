// How paths are spelled and compared on one platform: the separator, what a
// root is, whether stored paths are upper-cased, where the program keeps its
// data, and what the page calls a drive. The library asks these rules and
// never spells a separator or a drive of its own.
#ifndef HOPDIR_PLATFORM_PATH_RULES_H_
#define HOPDIR_PLATFORM_PATH_RULES_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/short_string.h"

namespace hopdir {

// Where the programs keep their data: a directory with a trailing separator
// (empty for none), whole, however long; and the start of it that must
// exist already, so that only the directories after it are ever made.
struct DataPlace {
  std::string Directory;
  std::string MustExist;
};

class PathRules {
 public:
  virtual ~PathRules() = default;

  // The character between directory names: '\' on Windows, '/' on POSIX.
  virtual char Separator() const = 0;
  // Whether `c` ends the directory part of a full file name (Windows also
  // cuts after '/' and after the drive's ':').
  virtual bool EndsDirectoryPart(char c) const = 0;
  // Everything of `path` up to and including the last character that ends
  // its directory part; empty when it has none.
  Str255 DirectoryPart(const Str255& path) const;
  // Whether `path` names a root that keeps its trailing separator (D:\, /).
  virtual bool IsRoot(const Str255& path) const = 0;
  // The root of the drive or file system tree `path` lies on.
  virtual Str255 RootOf(const Str255& path) const = 0;

  // A path in the form it is stored in the history and handed to the shell:
  // upper-cased (a..z) on Windows, unchanged where names keep their case.
  virtual Str255 StoredForm(const Str255& path) const = 0;
  // A stored path in the form an upper-cased search key is looked for in:
  // as stored on Windows (entries are upper case already), upper-cased
  // (a..z) where paths keep their case.
  virtual Str255 SearchForm(const Str255& path) const = 0;

  // The bytes of the longest start of `name`, at most `max_bytes`, that
  // ends between two characters: where names are UTF-8, a slot that keeps
  // part of a name never keeps part of a character.
  virtual size_t ClipName(std::string_view name, size_t max_bytes) const = 0;

  // Whether a directory's entries come in the order in which users see
  // names listed (Windows keeps them so); elsewhere the order is arbitrary
  // (hash order on ext4), and "the first" means the first on the page.
  virtual bool ListsInNameOrder() const = 0;

  // Line ending of the text files the programs write.
  virtual std::string_view LineEnding() const = 0;
  // The platform's own way of asking a program for its usage besides -h and
  // --help: "/?" on Windows, none (empty) where "/?" could name a path.
  virtual std::string_view HelpSwitch() const = 0;

  // Where the programs keep their data (the history), given the programs'
  // own directory.
  virtual DataPlace DataDirectory(const Str255& program_dir) const = 0;

  // Captions of the page's drive buttons and root button, and the title of
  // its paths list for the drive named `drive_name`.
  virtual const char* PreviousDriveCaption() const = 0;
  virtual const char* NextDriveCaption() const = 0;
  virtual const char* RootCaption() const = 0;
  virtual Str255 PathsTitle(const Str255& drive_name) const = 0;
};

// Drive letters, backslashes, CR LF, upper-cased history, data beside the
// programs.
class WindowsPathRules : public PathRules {
 public:
  char Separator() const override { return '\\'; }
  bool EndsDirectoryPart(char c) const override;
  bool IsRoot(const Str255& path) const override;
  Str255 RootOf(const Str255& path) const override;
  Str255 StoredForm(const Str255& path) const override;
  Str255 SearchForm(const Str255& path) const override { return path; }
  size_t ClipName(std::string_view name, size_t max_bytes) const override {
    return name.size() < max_bytes ? name.size() : max_bytes;
  }
  bool ListsInNameOrder() const override { return true; }
  std::string_view LineEnding() const override { return "\r\n"; }
  std::string_view HelpSwitch() const override { return "/?"; }
  // The programs' own directory, which exists.
  DataPlace DataDirectory(const Str255& program_dir) const override;
  const char* PreviousDriveCaption() const override { return "<Drive"; }
  const char* NextDriveCaption() const override { return "Drive>"; }
  const char* RootCaption() const override { return "\\"; }
  Str255 PathsTitle(const Str255& drive_name) const override;
};

// One tree under "/", names that keep their case, LF, the data directory
// of the XDG base directory rules, mount points for drives.
class PosixPathRules : public PathRules {
 public:
  char Separator() const override { return '/'; }
  bool EndsDirectoryPart(char c) const override { return c == '/'; }
  bool IsRoot(const Str255& path) const override { return path == "/"; }
  Str255 RootOf(const Str255& /*path*/) const override { return Str255("/"); }
  Str255 StoredForm(const Str255& path) const override { return path; }
  Str255 SearchForm(const Str255& path) const override;
  size_t ClipName(std::string_view name, size_t max_bytes) const override;
  bool ListsInNameOrder() const override { return false; }
  std::string_view LineEnding() const override { return "\n"; }
  std::string_view HelpSwitch() const override { return ""; }
  // $HOPDIR_HOME, else $XDG_DATA_HOME/hopdir, else $HOME/.local/share/hopdir
  // (HOME itself must exist); a variable that holds no absolute path counts
  // as unset.
  DataPlace DataDirectory(const Str255& program_dir) const override;
  const char* PreviousDriveCaption() const override { return "<Mount"; }
  const char* NextDriveCaption() const override { return "Mount>"; }
  const char* RootCaption() const override { return "/"; }
  Str255 PathsTitle(const Str255& drive_name) const override;
};

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_PATH_RULES_H_
