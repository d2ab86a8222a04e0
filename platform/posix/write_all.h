// write(2) until every byte is out, past interruptions and partial writes.
#ifndef HOPDIR_PLATFORM_POSIX_WRITE_ALL_H_
#define HOPDIR_PLATFORM_POSIX_WRITE_ALL_H_

#include <string_view>

namespace hopdir {

// 0, or the errno of the write that failed.
int WriteAll(int fd, std::string_view bytes);

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_POSIX_WRITE_ALL_H_
