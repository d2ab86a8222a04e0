#include "tests/support/fake_file_system.h"

#include <algorithm>

#include "platform/wildcard.h"

namespace hopdir::testing {
namespace {

std::string Upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

class FakeSearch : public DirectorySearch {
 public:
  explicit FakeSearch(std::vector<FindRecord> records) : records_(std::move(records)) {}
  bool Next(FindRecord& record) override {
    if (next_ >= records_.size()) return false;
    record = records_[next_++];
    return true;
  }

 private:
  std::vector<FindRecord> records_;
  size_t next_ = 0;
};

class FakeRawFile : public RawFile {
 public:
  FakeRawFile(FakeFileSystem& fs, std::string key, bool writing)
      : fs_(fs), key_(std::move(key)), writing_(writing) {
    if (!writing_) snapshot_ = fs_.Find(key_)->Content;
  }
  int Read(char* buffer, int size, int& got) override {
    got = 0;
    if (writing_) return kErrorAccessDenied;
    if (fs_.ReadFailsWith != 0) return fs_.ReadFailsWith;
    size_t count = std::min(static_cast<size_t>(size), snapshot_.size() - offset_);
    std::copy_n(snapshot_.begin() + static_cast<std::ptrdiff_t>(offset_), count, buffer);
    offset_ += count;
    got = static_cast<int>(count);
    return 0;
  }
  int Write(std::string_view bytes) override {
    if (!writing_) return kErrorAccessDenied;
    FakeFileSystem::Node* node = fs_.Find(key_);
    if (node == nullptr) return kErrorFileNotFound;
    return fs_.SpendWriteBudget(node->Content, bytes);
  }
  int Close() override { return writing_ ? fs_.CloseFailsWith : 0; }

 private:
  FakeFileSystem& fs_;
  std::string key_;
  bool writing_;
  std::string snapshot_;
  size_t offset_ = 0;
};

}  // namespace

FakeFileSystem::FakeFileSystem(bool posix) : posix_(posix), separator_(posix ? '/' : '\\') {
  free_.fill(-1);
  if (posix_) {
    // One tree: "/" is the first mount, and the current directory is "/".
    nodes_["/"] = Node{"/", kAttrDirectory, 0, "", {}};
    AddMount("/", 1 << 30);
    current_drive_ = 1;
    drive_dirs_[0] = "/";
    executable_ = "/opt/hopdir/bin/hopmenu";
    AddDir("/opt/hopdir/bin");
    return;
  }
  for (int drive = 1; drive <= 26; ++drive) {
    drive_dirs_[static_cast<size_t>(drive)] =
        std::string(1, static_cast<char>('A' + drive - 1)) + ":\\";
  }
  SetFreeBytes(3, 1 << 30);
  AddDir("C:\\HOPDIR");
  SetCurrentDirectory("C:\\");
}

bool FakeFileSystem::IsRoot(const std::string& key) const {
  return posix_ ? key == "/" : key.size() == 3 && key[1] == ':';
}

int FakeFileSystem::DriveOf(const std::string& key) const {
  if (posix_) {
    // The mount whose point is the longest start of the path.
    int best = 0;
    size_t best_length = 0;
    for (int drive = 1; drive <= mounts_; ++drive) {
      const std::string& point = drive_dirs_[static_cast<size_t>(drive)];
      bool under = key == point || point == "/" ||
                   (key.size() > point.size() && key.compare(0, point.size(), point) == 0 &&
                    key[point.size()] == '/');
      if (under && point.size() >= best_length) {
        best = drive;
        best_length = point.size();
      }
    }
    return best;
  }
  if (key.size() >= 2 && key[1] == ':' && key[0] >= 'A' && key[0] <= 'Z') return key[0] - 'A' + 1;
  return 0;
}

std::string FakeFileSystem::LastPart(const std::string& key) const {
  size_t slash = key.find_last_of(separator_);
  return slash == std::string::npos ? key : key.substr(slash + 1);
}

std::string FakeFileSystem::Key(const std::string& path) const {
  if (posix_) {
    std::string key = path;
    while (key.size() > 1 && key.back() == '/') key.pop_back();
    return key;
  }
  std::string key = Upper(path);
  while (key.size() > 3 && key.back() == '\\') key.pop_back();
  if (key.size() == 2 && key[1] == ':') key += '\\';
  return key;
}

std::string FakeFileSystem::Parent(const std::string& key) const {
  if (IsRoot(key)) return "";
  size_t slash = key.find_last_of(separator_);
  if (slash == std::string::npos) return "";
  if (posix_) return slash == 0 ? "/" : key.substr(0, slash);
  std::string parent = key.substr(0, slash);
  if (parent.size() == 2 && parent[1] == ':') parent += '\\';
  return parent;
}

int FakeFileSystem::AddMount(const std::string& path, int64_t free_bytes) {
  int drive = ++mounts_;
  if (path != "/") AddDir(path);
  drive_dirs_[static_cast<size_t>(drive)] = Key(path);
  free_[static_cast<size_t>(drive)] = free_bytes;
  return drive;
}

bool FakeFileSystem::WildcardMatch(const std::string& pattern, const std::string& name) const {
  return hopdir::WildcardMatch(pattern, name, !posix_);
}

FakeFileSystem::Node& FakeFileSystem::Ensure(const std::string& key, uint32_t attributes) {
  auto it = nodes_.find(key);
  if (it != nodes_.end()) return it->second;
  std::string parent = Parent(key);
  if (!parent.empty()) Ensure(parent, kAttrDirectory).Children.push_back(key);
  Node& node = nodes_[key];
  node.Name = IsRoot(key) ? key : LastPart(key);
  node.Attributes = attributes;
  int drive = DriveOf(key);
  if (!posix_ && drive > 0 && drive_dirs_[static_cast<size_t>(drive)].empty()) {
    drive_dirs_[static_cast<size_t>(drive)] = key.substr(0, 3);
  }
  return node;
}

void FakeFileSystem::AddDir(const std::string& path, uint32_t attributes) {
  std::string key = Key(path);
  Node& node = Ensure(key, attributes | kAttrDirectory);
  node.Attributes = attributes | kAttrDirectory;
  if (!IsRoot(key))
    node.Name = LastPart(path.back() == '\\' ? path.substr(0, path.size() - 1) : path);
}

void FakeFileSystem::AddFile(const std::string& path, const std::string& content,
                             uint32_t attributes, uint64_t write_time) {
  std::string key = Key(path);
  Node& node = Ensure(key, attributes);
  node.Name = LastPart(path);
  node.Attributes = attributes;
  node.Content = content;
  node.WriteTime = write_time;
}

void FakeFileSystem::SetCurrentDirectory(const std::string& path) {
  if (posix_) {
    // One current directory, kept apart from the mount points.
    AddDir(path);
    drive_dirs_[0] = Key(path);
    return;
  }
  std::string key = Key(path);
  current_drive_ = DriveOf(key);
  SetDriveDirectory(current_drive_, path);
}

void FakeFileSystem::SetDriveDirectory(int drive, const std::string& path) {
  AddDir(path);
  std::string dir = path;
  while (dir.size() > 3 && dir.back() == '\\') dir.pop_back();
  drive_dirs_[static_cast<size_t>(drive)] = dir;
}

void FakeFileSystem::SetFreeBytes(int drive, int64_t bytes) {
  free_[static_cast<size_t>(drive)] = bytes;
}

bool FakeFileSystem::Exists(const std::string& path) const { return Find(path) != nullptr; }

bool FakeFileSystem::IsDirectory(const std::string& path) const {
  const Node* node = Find(path);
  return node != nullptr && (node->Attributes & kAttrDirectory) != 0;
}

std::optional<std::string> FakeFileSystem::Content(const std::string& path) const {
  const Node* node = Find(path);
  if (node == nullptr || (node->Attributes & kAttrDirectory) != 0) return std::nullopt;
  return node->Content;
}

std::vector<std::string> FakeFileSystem::Children(const std::string& path) const {
  std::vector<std::string> names;
  if (const Node* node = Find(path)) {
    for (const std::string& key : node->Children) names.push_back(nodes_.at(key).Name);
  }
  return names;
}

FakeFileSystem::Node* FakeFileSystem::Find(const std::string& path) {
  auto it = nodes_.find(Key(path));
  return it == nodes_.end() ? nullptr : &it->second;
}

const FakeFileSystem::Node* FakeFileSystem::Find(const std::string& path) const {
  auto it = nodes_.find(Key(path));
  return it == nodes_.end() ? nullptr : &it->second;
}

int FakeFileSystem::SpendWriteBudget(std::string& content, std::string_view bytes) {
  if (WriteBudget < 0) {
    content.append(bytes);
    return 0;
  }
  size_t allowed = std::min(static_cast<size_t>(WriteBudget), bytes.size());
  content.append(bytes.substr(0, allowed));
  WriteBudget -= static_cast<int64_t>(allowed);
  return allowed < bytes.size() ? kErrorDiskFull : 0;
}

Str255 FakeFileSystem::CurrentDirectory() {
  if (posix_) return Str255(drive_dirs_[0]);
  return Str255(drive_dirs_[static_cast<size_t>(current_drive_)]);
}

std::vector<DrivePlace> FakeFileSystem::DrivePlaces() {
  std::vector<DrivePlace> places;
  const int count = posix_ ? mounts_ : 26;
  for (int drive = 1; drive <= count; ++drive) {
    const std::string root = posix_ ? drive_dirs_[static_cast<size_t>(drive)]
                                    : std::string(1, static_cast<char>('A' + drive - 1)) + ":\\";
    const std::string label = posix_ ? root : root.substr(0, 2);
    places.push_back({Str255(root), Str255(label)});
  }
  return places;
}

int FakeFileSystem::DrivePlaceOf(const Str255& path) {
  if (posix_) return DriveOf(Key(path.ToStd())) - 1;
  const char letter = UpCaseChar(path[0]);
  return letter >= 'A' && letter <= 'Z' ? letter - 'A' : -1;
}

Str255 FakeFileSystem::DriveLabelOf(const Str255& path) {
  if (!posix_) return path.Sub(0, 2);
  return Str255(drive_dirs_[static_cast<size_t>(DriveOf(Key(path.ToStd())))]);
}

int FakeFileSystem::DriveNumberOfRoot(const Str255& root) const {
  if (!posix_) {
    const char letter = UpCaseChar(root[0]);
    return letter >= 'A' && letter <= 'Z' ? letter - 'A' + 1 : 0;
  }
  for (int drive = 1; drive <= mounts_; ++drive) {
    if (drive_dirs_[static_cast<size_t>(drive)] == Key(root.ToStd())) return drive;
  }
  return 0;
}

int64_t FakeFileSystem::FreeBytes(const Str255& root) {
  const int drive = DriveNumberOfRoot(root);
  return drive == 0 ? -1 : free_[static_cast<size_t>(drive)];
}

Str255 FakeFileSystem::CurrentDirectoryOn(const Str255& root) {
  if (posix_) return root;
  const int drive = DriveNumberOfRoot(root);
  return drive == 0 ? Str255() : Str255(drive_dirs_[static_cast<size_t>(drive)]);
}

std::unique_ptr<DirectorySearch> FakeFileSystem::Search(const Str255& pattern,
                                                        uint16_t /*attributes*/) {
  // Like FindFirstFileA, the attribute set does not filter: callers do.
  std::string full = pattern.ToStd();
  size_t slash = full.find_last_of(separator_);
  std::string dir =
      slash == std::string::npos ? CurrentDirectory().ToStd() : full.substr(0, slash + 1);
  std::string mask = slash == std::string::npos ? full : full.substr(slash + 1);
  std::vector<FindRecord> records;
  const Node* node = Find(dir);
  if (node != nullptr && (node->Attributes & kAttrDirectory) != 0) {
    auto add = [&](const std::string& name, const Node& entry) {
      if (!WildcardMatch(mask, name)) return;
      FindRecord record;
      record.Name = name;
      record.Attributes = entry.Attributes;
      record.Size = entry.Content.size();
      record.WriteTime = entry.WriteTime;
      records.push_back(record);
    };
    if (DotsFirst && !IsRoot(Key(dir))) {
      add(".", *node);
      add("..", *Find(Parent(Key(dir))));
    }
    for (const std::string& key : node->Children) add(nodes_.at(key).Name, nodes_.at(key));
  }
  return std::make_unique<FakeSearch>(std::move(records));
}

std::unique_ptr<DirectorySearch> FakeFileSystem::ListDirectory(const Str255& dir,
                                                               EntryDetail /*detail*/) {
  std::string pattern = dir.ToStd();
  if (pattern.empty() || pattern.back() != separator_) pattern += separator_;
  return Search(Str255(pattern + "*.*"), 0);
}

int FakeFileSystem::OpenForReading(const Str255& path, std::unique_ptr<RawFile>& file) {
  const Node* node = Find(path.ToStd());
  if (node == nullptr)
    return Find(Parent(Key(path.ToStd()))) ? kErrorFileNotFound : kErrorPathNotFound;
  if ((node->Attributes & kAttrDirectory) != 0) return kErrorAccessDenied;
  file = std::make_unique<FakeRawFile>(*this, Key(path.ToStd()), false);
  return 0;
}

int FakeFileSystem::CreateForWriting(const Str255& path, std::unique_ptr<RawFile>& file) {
  return OpenWritable(path, Opening::kCreateOrTruncate, file);
}

int FakeFileSystem::CreateNew(const Str255& path, std::unique_ptr<RawFile>& file) {
  return OpenWritable(path, Opening::kCreateNew, file);
}

int FakeFileSystem::OpenForWriting(const Str255& path, std::unique_ptr<RawFile>& file) {
  return OpenWritable(path, Opening::kTruncateExisting, file);
}

int FakeFileSystem::OpenWritable(const Str255& path, Opening opening,
                                 std::unique_ptr<RawFile>& file) {
  std::string key = Key(path.ToStd());
  if (auto it = CreateFails.find(key); it != CreateFails.end()) return it->second;
  const Node* parent = Find(Parent(key));
  if (parent == nullptr || (parent->Attributes & kAttrDirectory) == 0) return kErrorPathNotFound;
  if (Node* node = Find(key)) {
    if (opening == Opening::kCreateNew) return kErrorFileExists;
    if ((node->Attributes & (kAttrDirectory | kAttrReadOnly)) != 0) return kErrorAccessDenied;
    node->Content.clear();
  } else if (opening == Opening::kTruncateExisting) {
    return kErrorFileNotFound;
  } else {
    AddFile(path.ToStd(), "", kAttrArchive);
  }
  file = std::make_unique<FakeRawFile>(*this, key, true);
  return 0;
}

int FakeFileSystem::DeleteFile(const Str255& path) {
  ++DeleteCalls;
  Deleted.push_back(path.ToStd());
  if (DeleteFailsWith != 0) return DeleteFailsWith;
  std::string key = Key(path.ToStd());
  Node* node = Find(key);
  if (node == nullptr) return Find(Parent(key)) ? kErrorFileNotFound : kErrorPathNotFound;
  if ((node->Attributes & (kAttrDirectory | kAttrReadOnly)) != 0) return kErrorAccessDenied;
  Node* parent = Find(Parent(key));
  auto& siblings = parent->Children;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), key), siblings.end());
  nodes_.erase(key);
  return 0;
}

int FakeFileSystem::ReplaceFile(const Str255& source, const Str255& target) {
  if (!LockHeld) ++ReplacesWithoutLock;
  if (ReplaceFailsWith != 0) return ReplaceFailsWith;
  Node* from = Find(source.ToStd());
  if (from == nullptr) return kErrorFileNotFound;
  Node* to = Find(target.ToStd());
  if (to != nullptr && (to->Attributes & kAttrDirectory) != 0) return kErrorAccessDenied;
  std::string content = from->Content;
  uint32_t attributes = from->Attributes;
  DeleteFile(source);
  --DeleteCalls;
  Deleted.pop_back();
  if (to == nullptr) {
    AddFile(target.ToStd(), content, attributes);
  } else {
    to->Content = content;
  }
  return 0;
}

int FakeFileSystem::CanChangeTo(const Str255& path) {
  // "." and ".." steps resolved as the system does; ".." stops at the root.
  std::vector<std::string> steps;
  std::string rest = path.ToStd();
  for (size_t end = 0; end != std::string::npos; rest.erase(0, end + 1)) {
    end = rest.find(separator_);
    const std::string step = rest.substr(0, end);
    if (step == "..") {
      if (steps.size() > 1) steps.pop_back();
    } else if (step != "." && (step != "" || steps.empty())) {
      steps.push_back(step);
    }
  }
  std::string resolved;
  for (const std::string& step : steps) resolved += step + separator_;
  const Node* node = Find(resolved);
  if (node == nullptr) return kErrorPathNotFound;
  return (node->Attributes & kAttrDirectory) != 0 ? 0 : kErrorPathNotFound;
}

int FakeFileSystem::EnsureDirectory(const Str255& path) {
  if (EnsureDirectoryFailsWith != 0) return EnsureDirectoryFailsWith;
  const Node* node = Find(path.ToStd());
  if (node != nullptr) return (node->Attributes & kAttrDirectory) != 0 ? 0 : kErrorFileExists;
  AddDir(path.ToStd());
  return 0;
}

namespace {

class FakeLock : public FileLock {
 public:
  explicit FakeLock(bool& held) : held_(held) { held_ = true; }
  ~FakeLock() override { held_ = false; }
  FakeLock(const FakeLock&) = delete;
  FakeLock& operator=(const FakeLock&) = delete;

 private:
  bool& held_;
};

}  // namespace

int FakeFileSystem::Lock(const Str255& path, std::unique_ptr<FileLock>& lock) {
  ++LockCalls;
  if (LockFailsWith != 0) return LockFailsWith;
  // One process: a second lock while the first is held would wait forever.
  if (LockHeld) return kErrorLockViolation;
  if (!Exists(path.ToStd())) AddFile(path.ToStd());
  lock = std::make_unique<FakeLock>(LockHeld);
  return 0;
}

int FakeFileSystem::ToShellCodePage(std::string_view text, std::string& converted) {
  converted.clear();
  for (char c : text) {
    if (UnmappableBytes.find(c) != std::string::npos) return kErrorNoTranslation;
    auto it = ShellTranslation.find(c);
    if (it == ShellTranslation.end()) {
      converted += c;
    } else {
      converted += it->second;
    }
  }
  return 0;
}

}  // namespace hopdir::testing
