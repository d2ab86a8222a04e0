#include "tests/support/fake_file_system.h"

#include <algorithm>

namespace hopdir::testing {
namespace {

std::string Upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

bool IsRoot(const std::string& key) { return key.size() == 3 && key[1] == ':'; }

int DriveOf(const std::string& key) {
  if (key.size() >= 2 && key[1] == ':' && key[0] >= 'A' && key[0] <= 'Z') return key[0] - 'A' + 1;
  return 0;
}

std::string LastPart(const std::string& key) {
  size_t slash = key.find_last_of('\\');
  return slash == std::string::npos ? key : key.substr(slash + 1);
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

FakeFileSystem::FakeFileSystem() {
  free_.fill(-1);
  for (int drive = 1; drive <= 26; ++drive) {
    drive_dirs_[static_cast<size_t>(drive)] =
        std::string(1, static_cast<char>('A' + drive - 1)) + ":\\";
  }
  SetFreeBytes(3, 1 << 30);
  AddDir("C:\\HOPDIR");
  SetCurrentDirectory("C:\\");
}

std::string FakeFileSystem::Key(const std::string& path) {
  std::string key = Upper(path);
  while (key.size() > 3 && key.back() == '\\') key.pop_back();
  if (key.size() == 2 && key[1] == ':') key += '\\';
  return key;
}

std::string FakeFileSystem::Parent(const std::string& key) {
  if (IsRoot(key)) return "";
  size_t slash = key.find_last_of('\\');
  if (slash == std::string::npos) return "";
  std::string parent = key.substr(0, slash);
  if (parent.size() == 2 && parent[1] == ':') parent += '\\';
  return parent;
}

bool FakeFileSystem::WildcardMatch(const std::string& pattern, const std::string& name) {
  // "*.*" and a trailing ".*" also match names without a dot, as on Windows.
  std::string p = Upper(pattern);
  std::string n = Upper(name);
  auto match = [](const std::string& pat, const std::string& text) {
    size_t pi = 0, ti = 0, star = std::string::npos, mark = 0;
    while (ti < text.size()) {
      if (pi < pat.size() && (pat[pi] == '?' || pat[pi] == text[ti])) {
        ++pi;
        ++ti;
      } else if (pi < pat.size() && pat[pi] == '*') {
        star = pi++;
        mark = ti;
      } else if (star != std::string::npos) {
        pi = star + 1;
        ti = ++mark;
      } else {
        return false;
      }
    }
    while (pi < pat.size() && pat[pi] == '*') ++pi;
    return pi == pat.size();
  };
  if (match(p, n)) return true;
  if (p.size() >= 2 && p.compare(p.size() - 2, 2, ".*") == 0 && n.find('.') == std::string::npos) {
    return match(p.substr(0, p.size() - 2), n);
  }
  return false;
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
  if (drive > 0 && drive_dirs_[static_cast<size_t>(drive)].empty()) {
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

Str255 FakeFileSystem::CurrentDirectory() { return DriveCurrentDirectory(current_drive_); }

Str255 FakeFileSystem::DriveCurrentDirectory(int drive) {
  if (drive < 1 || drive > 26) return Str255();
  return Str255(drive_dirs_[static_cast<size_t>(drive)]);
}

int64_t FakeFileSystem::DriveFreeBytes(int drive) {
  if (drive < 1 || drive > 26) return -1;
  return free_[static_cast<size_t>(drive)];
}

std::unique_ptr<DirectorySearch> FakeFileSystem::Search(const Str255& pattern,
                                                        uint16_t /*attributes*/) {
  // Like FindFirstFileA, the attribute set does not filter: callers do.
  std::string full = pattern.ToStd();
  size_t slash = full.find_last_of('\\');
  std::string dir = slash == std::string::npos ? drive_dirs_[static_cast<size_t>(current_drive_)]
                                               : full.substr(0, slash + 1);
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

int FakeFileSystem::OpenForReading(const Str255& path, std::unique_ptr<RawFile>& file) {
  const Node* node = Find(path.ToStd());
  if (node == nullptr)
    return Find(Parent(Key(path.ToStd()))) ? kErrorFileNotFound : kErrorPathNotFound;
  if ((node->Attributes & kAttrDirectory) != 0) return kErrorAccessDenied;
  file = std::make_unique<FakeRawFile>(*this, Key(path.ToStd()), false);
  return 0;
}

int FakeFileSystem::CreateForWriting(const Str255& path, std::unique_ptr<RawFile>& file) {
  std::string key = Key(path.ToStd());
  if (auto it = CreateFails.find(key); it != CreateFails.end()) return it->second;
  const Node* parent = Find(Parent(key));
  if (parent == nullptr || (parent->Attributes & kAttrDirectory) == 0) return kErrorPathNotFound;
  if (Node* node = Find(key)) {
    if ((node->Attributes & (kAttrDirectory | kAttrReadOnly)) != 0) return kErrorAccessDenied;
    node->Content.clear();
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

int FakeFileSystem::ToShellCodePage(const Str255& text, Str255& converted) {
  converted = Str255();
  for (int i = 0; i < text.Length(); ++i) {
    char c = text[i];
    if (UnmappableBytes.find(c) != std::string::npos) return kErrorNoTranslation;
    auto it = ShellTranslation.find(c);
    converted.Append(it == ShellTranslation.end() ? c : it->second);
  }
  return 0;
}

}  // namespace hopdir::testing
