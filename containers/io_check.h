// The fatal run-time I/O error: every file and console step is checked, and
// the first failure ends the program with the platform's error number.
#ifndef HOPDIR_CONTAINERS_IO_CHECK_H_
#define HOPDIR_CONTAINERS_IO_CHECK_H_

namespace hopdir {

// Ends the program when `result` (an I/O error number) is not 0: a report
// in a message, then exit code = `result`.
void CheckIo(int result);

}  // namespace hopdir

#endif  // HOPDIR_CONTAINERS_IO_CHECK_H_
