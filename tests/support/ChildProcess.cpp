#include "support/ChildProcess.h"

#include <fcntl.h>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace testsupport {
namespace {

// The child's exit statuses.
constexpr int kBodyRan = 0;
constexpr int kNotPrepared = 1;
constexpr int kBodyThrew = 2;

// The text a child sends back through a pipe, read to its end.
std::string ReadAll(int descriptor) {
  std::string text;
  char buffer[4096];
  for (ssize_t got; (got = ::read(descriptor, buffer, sizeof buffer)) > 0;) {
    text.append(buffer, static_cast<std::size_t>(got));
  }
  return text;
}

std::string Failed(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

// Forks; in the child, prepare readies the process (an empty text when it could, otherwise why
// not) and body runs after it. The text comes back through a pipe.
ChildResult Run(const std::function<std::string()>& prepare,
                const std::function<std::string()>& body) {
  int ends[2];
  if (::pipe(ends) != 0) return {false, false, Failed("pipe")};
  std::fflush(nullptr);  // buffered output would otherwise be written twice
  const pid_t child = ::fork();
  if (child < 0) return {false, false, Failed("fork")};
  if (child == 0) {
    ::close(ends[0]);
    int status = kBodyRan;
    std::string text = prepare();
    if (!text.empty()) {
      status = kNotPrepared;
    } else {
      try {
        text = body();
      } catch (...) {
        text = "the body threw an exception";
        status = kBodyThrew;
      }
    }
    // A blocking write to a pipe goes whole unless a signal breaks into it, which none does here.
    (void)!::write(ends[1], text.data(), text.size());
    ::_exit(status);
  }
  ::close(ends[1]);
  ChildResult result;
  result.text = ReadAll(ends[0]);
  ::close(ends[0]);
  int status = 0;
  if (::waitpid(child, &status, 0) != child) return {false, false, Failed("waitpid")};
  result.prepared = !WIFEXITED(status) || WEXITSTATUS(status) != kNotPrepared;
  result.ran = WIFEXITED(status) && WEXITSTATUS(status) == kBodyRan;
  if (WIFSIGNALED(status)) {
    result.text = "the child ended by signal " + std::to_string(WTERMSIG(status));
  }
  return result;
}

}  // namespace

ChildResult RunInChild(const std::function<std::string()>& body) {
  return Run([] { return std::string(); }, body);
}

ChildResult RunUnprivileged(const std::vector<std::filesystem::path>& reached,
                            const std::function<std::string()>& body) {
  return Run(
      [&] {
        if (::geteuid() == 0) {
          if (::setgroups(0, nullptr) != 0) return Failed("setgroups");
          if (::setgid(kUnprivilegedId) != 0) return Failed("setgid");
          if (::setuid(kUnprivilegedId) != 0) return Failed("setuid");
        }
        for (const std::filesystem::path& path : reached) {
          if (::access(path.c_str(), X_OK) != 0) {
            return Failed(("the unprivileged user cannot reach " + path.string()).c_str());
          }
        }
        return std::string();
      },
      body);
}

ChildResult RunOnSmallFileSystem(const std::filesystem::path& mountPoint, std::size_t bytes,
                                 const std::function<std::string()>& body) {
  return Run(
      [&] {
        if (::unshare(CLONE_NEWNS) != 0) return Failed("unshare");
        // Without this the mount would show in the namespace the child was made from.
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
          return Failed("making the mounts private");
        }
        const std::string options = "size=" + std::to_string(bytes);
        if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, options.c_str()) != 0) {
          return Failed("mount");
        }
        return std::string();
      },
      body);
}

int WithMemoryLimit(std::size_t headroom, const std::function<int()>& body) {
  const ChildResult child = Run(
      [&] {
        unsigned long pages = 0;
        if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
          if (std::fscanf(statm, "%lu", &pages) != 1) pages = 0;
          std::fclose(statm);
        }
        const rlimit limit{pages * static_cast<unsigned long>(::sysconf(_SC_PAGESIZE)) + headroom,
                           RLIM_INFINITY};
        if (pages == 0) return std::string("the address space could not be measured");
        if (::setrlimit(RLIMIT_AS, &limit) != 0) return Failed("setrlimit");
        return std::string();
      },
      [&] { return std::to_string(body()); });
  return child.ran ? std::stoi(child.text) : -1;
}

bool LiftMemoryLimit() {
  const rlimit limit{RLIM_INFINITY, RLIM_INFINITY};
  return ::setrlimit(RLIMIT_AS, &limit) == 0;
}

std::filesystem::path MakeUnprivilegedFolder(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  GiveToUnprivileged(folder);
  return folder;
}

void GiveToUnprivileged(const std::filesystem::path& path) {
  if (::geteuid() == 0) (void)::chown(path.c_str(), kUnprivilegedId, kUnprivilegedId);
}

void FillFileSystem(const std::filesystem::path& folder) {
  const std::string filler = (folder / "filler").string();
  const int descriptor = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (descriptor < 0) return;
  const std::string block(4096, 'f');
  while (::write(descriptor, block.data(), block.size()) > 0) {
  }
  while (::write(descriptor, "f", 1) > 0) {
  }
  ::close(descriptor);
}

}  // namespace testsupport
