// handoff_racer DIR COMMAND: a neighbour who may rename files in DIR (a
// TMPDIR that others may write, without the sticky bit). Of the files
// hopdir.* made there, the first, third, ... it takes once something has
// been written into them, the others the moment they are made: it renames
// a file of its own that runs COMMAND over that name, and says "struck
// NAME" on standard output. It runs until it is killed.
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>

namespace {

// Puts a file of ours that runs `command` where `name` is.
void Strike(const std::string& dir, const char* name, const std::string& command, int& made) {
  const std::string own =
      dir + "/.racer." + std::to_string(getpid()) + "." + std::to_string(made++);
  const int fd = open(own.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return;
  const std::string script = command + "\n";
  const bool written =
      write(fd, script.data(), script.size()) == static_cast<ssize_t>(script.size());
  close(fd);
  if (written && rename(own.c_str(), (dir + "/" + name).c_str()) == 0) {
    std::printf("struck %s\n", name);
    std::fflush(stdout);
  } else {
    unlink(own.c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: handoff_racer DIR COMMAND\n");
    return 2;
  }
  const std::string dir = argv[1];
  const std::string command = argv[2];
  const int watch = inotify_init1(IN_CLOEXEC);
  if (watch < 0 || inotify_add_watch(watch, dir.c_str(), IN_CREATE | IN_CLOSE_WRITE) < 0) {
    std::perror("handoff_racer");
    return 1;
  }
  int made = 0;
  int seen = 0;
  std::set<std::string> written_ones;
  alignas(inotify_event) char buffer[16384];
  for (;;) {
    const ssize_t got = read(watch, buffer, sizeof buffer);
    if (got <= 0) continue;
    for (ssize_t at = 0; at < got;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      if (event->len == 0 || std::strncmp(event->name, "hopdir.", 7) != 0) continue;
      // A file just made, or one with its script in it: what the shell
      // would run next.
      if ((event->mask & IN_CREATE) != 0) {
        if (++seen % 2 == 1) {
          written_ones.insert(event->name);
        } else {
          Strike(dir, event->name, command, made);
        }
        continue;
      }
      struct stat info = {};
      if (written_ones.count(event->name) != 0 &&
          stat((dir + "/" + event->name).c_str(), &info) == 0 && info.st_size > 0) {
        written_ones.erase(event->name);
        Strike(dir, event->name, command, made);
      }
    }
  }
}
