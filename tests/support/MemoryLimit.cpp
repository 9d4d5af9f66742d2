#include "support/MemoryLimit.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

namespace testsupport {

int WithMemoryLimit(std::size_t headroom, const std::function<int()>& body) {
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    unsigned long pages = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
      if (std::fscanf(statm, "%lu", &pages) != 1) pages = 0;
      std::fclose(statm);
    }
    const rlimit limit{pages * static_cast<unsigned long>(::sysconf(_SC_PAGESIZE)) + headroom,
                       RLIM_INFINITY};
    if (pages == 0 || ::setrlimit(RLIMIT_AS, &limit) != 0) ::_exit(100);
    ::_exit(body());
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool LiftMemoryLimit() {
  const rlimit limit{RLIM_INFINITY, RLIM_INFINITY};
  return ::setrlimit(RLIMIT_AS, &limit) == 0;
}

}  // namespace testsupport
