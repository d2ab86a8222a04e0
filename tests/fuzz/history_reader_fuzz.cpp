// Any bytes as HOPMENU.DAT, at start and again when the save reads it under
// the lock (another run may have written anything meanwhile), with any line
// endings and of any length, in either path convention. The start read
// loads the first hundred non-empty lines in order, clipped at 255;
// the save writes the lines it read again, at most 100, with its own two
// entries in front (the start only where it has a name); and what it wrote
// loads back as the same list.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/paths.h"
#include "core/program_dir.h"
#include "hopmenu/history.h"
#include "platform/platform.h"
#include "tests/support/fake_platform.h"

using hopdir::testing::FakePlatform;

namespace {

using Lines = std::vector<std::string>;

// A broken invariant says which before the input is kept.
void Check(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "broken: %s\n", what);
  std::abort();
}

// The input taken apart from the front; what is missing reads as zeros.
class Input {
 public:
  Input(const uint8_t* data, size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}
  unsigned Byte() {
    if (rest_.empty()) return 0;
    const auto byte = static_cast<unsigned char>(rest_[0]);
    rest_.remove_prefix(1);
    return byte;
  }
  size_t Number(size_t max) {
    const unsigned high = Byte();
    return (high << 8 | Byte()) % (max + 1);
  }
  std::string Text(size_t max) {
    const std::string_view text = rest_.substr(0, Number(max));
    rest_.remove_prefix(text.size());
    return std::string(text);
  }

 private:
  std::string_view rest_;
};

// A file made of a short pattern repeated to a length of up to 30000 bytes
// (long lines, many lines, runs of CR or LF), then a free tail.
std::string TakeFile(Input& input) {
  const std::string pattern = input.Text(8);
  const size_t length = pattern.empty() ? 0 : input.Number(30000);
  std::string file;
  while (file.size() < length) file += pattern;
  file.resize(length);
  return file + input.Text(600);
}

// The file as lines: LF or CR LF ends a line, the last may have no ending,
// each keeps its first 255 bytes, where lines end in LF without the CRs at
// its end, and empty lines do not count.
Lines LinesOf(const std::string& file, bool posix) {
  Lines lines;
  size_t start = 0;
  while (start < file.size()) {
    size_t end = file.find('\n', start);
    std::string line = file.substr(start, end == std::string::npos ? end : end - start);
    if (end != std::string::npos && !line.empty() && line.back() == '\r') line.pop_back();
    line.resize(std::min<size_t>(line.size(), 255));
    while (posix && !line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
    start = end == std::string::npos ? file.size() : end + 1;
  }
  return lines;
}

Lines Loaded(const hopdir::History& history) {
  Lines lines;
  for (int16_t i = 1; i <= history.Entries().Count; ++i) {
    lines.push_back(history.Entry(i).ToStd());
  }
  return lines;
}

// The start directory as the save keeps it (its form for the history,
// without a trailing separator), so that the model needs no rules of its
// own for case and separators.
std::string StoredStart(const hopdir::Str255& path) {
  hopdir::Str255 stored = hopdir::Os().paths.StoredForm(path);
  hopdir::StripTrailingSeparator(stored);
  return stored.ToStd();
}

// What the save does to the list for one path: a path with a line break
// is left out, another moves to the front, the oldest entry making room.
void MoveToFront(Lines& lines, const std::string& path) {
  if (path.find_first_of("\r\n") != std::string::npos) return;
  for (auto it = lines.begin(); it != lines.end(); ++it) {
    if (*it == path) {
      lines.erase(it);
      break;
    }
  }
  if (lines.size() == 100) lines.pop_back();
  lines.insert(lines.begin(), path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input input(data, size);
  const bool posix = (input.Byte() & 1) != 0;
  FakePlatform fake(posix ? hopdir::testing::Convention::kPosix
                          : hopdir::testing::Convention::kWindows);
  const std::string dir = posix ? "/data/hopdir/" : "C:\\HOPDIR\\";
  const std::string path = dir + "HOPMENU.DAT";
  if (posix) {
    fake.process.Env["HOPDIR_HOME"] = "/data/hopdir";
  } else {
    fake.files.SetExecutablePath("C:\\HOPDIR\\hopmenu.exe");
  }
  const std::string at_start = TakeFile(input);
  const std::string at_save = TakeFile(input);
  const hopdir::Str255 start(input.Text(300));
  const hopdir::Str255 destination(input.Text(300));
  fake.files.AddFile(path, at_start);
  hopdir::StartCore();

  const Lines lines = LinesOf(at_start, posix);
  auto history = std::make_unique<hopdir::History>();
  const int code = fake.RunToExit([&] { history->Load(); });
  Check(code == -1 && Loaded(*history) ==
                          Lines(lines.begin(), lines.begin() + std::min<size_t>(lines.size(), 100)),
        "the start read loads the first hundred non-empty lines");

  fake.files.AddFile(path, at_save);
  Lines saved = LinesOf(at_save, posix);
  if (saved.size() > 100) saved.resize(100);
  // A start directory that was removed has no name, and no line.
  if (const std::string stored_start = StoredStart(start); !stored_start.empty()) {
    MoveToFront(saved, stored_start);
  }
  MoveToFront(saved, hopdir::Os().paths.StoredForm(destination).ToStd());
  Check(fake.RunToExit([&] { history->Save(start, destination); }) == -1, "the save ends normally");
  std::string expected;
  for (const std::string& line : saved) expected += line + (posix ? "\n" : "\r\n");
  Check(fake.files.Content(path) == expected,
        "the save writes the lines read again, its two in front");
  Check(!fake.files.Exists(dir + "HOPMENU.$$$") && fake.console.Output.empty(),
        "the save leaves no temporary file and says nothing");

  // An empty destination (-A before any jump) is an empty line, which the
  // next load skips.
  std::erase(saved, std::string());
  history = std::make_unique<hopdir::History>();
  Check(fake.RunToExit([&] { history->Load(); }) == -1 && Loaded(*history) == saved,
        "what the save wrote loads back as the list it wrote");
  return 0;
}
