#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// Runs parts of a test in a child process: as a user whom permissions hold back, with a small
// file system that the child alone sees, or with little memory. A body reports to the test through
// what it returns, since a child's test assertions never reach the test's results.
namespace testsupport {

// The user and group id of nobody, whom children drop to when the tests run as the superuser.
inline constexpr unsigned kUnprivilegedId = 65534;

// How a child process went. Prepared is false when the child could not be readied as asked (a
// machine may refuse the privilege); ran is true when the body then ran and the child ended
// normally. Text is the body's result, or why the child was not readied or did not end normally.
struct ChildResult {
  bool prepared = false;
  bool ran = false;
  std::string text;
};

// Runs body in a child process, so that what it changes of the process (limits, the current
// folder, the user) stays there.
ChildResult RunInChild(const std::function<std::string()>& body);

// Runs body in a child process as the unprivileged user when the tests run as the superuser,
// whom permissions do not hold back; otherwise as the test's own user. The child is not prepared
// when that user cannot reach each of the paths the body needs (a folder to search, a program to
// run), as where the tests lie in a folder of the superuser's that nobody else may enter.
ChildResult RunUnprivileged(const std::vector<std::filesystem::path>& reached,
                            const std::function<std::string()>& body);

// Runs body in a child process with a mount table of its own, in which a fresh tmpfs of the given
// size is mounted on the empty folder mountPoint; the mount goes with the child. A machine that
// does not let the tests mount (a container without the privilege) gives prepared false.
ChildResult RunOnSmallFileSystem(const std::filesystem::path& mountPoint, std::size_t bytes,
                                 const std::function<std::string()>& body);

// Runs body in a child process whose address space may grow by headroom bytes from the start of
// body, so that memory runs out for real; returns the body's result, or -1 when the child could
// not be limited or did not end normally.
int WithMemoryLimit(std::size_t headroom, const std::function<int()>& body);

// Lets the calling child's address space grow freely again.
bool LiftMemoryLimit();

// Makes the folder, and gives it to the unprivileged user when the tests run as the superuser,
// so that a body run by RunUnprivileged owns it.
std::filesystem::path MakeUnprivilegedFolder(const std::filesystem::path& folder);

// Gives the file or folder to the unprivileged user when the tests run as the superuser.
void GiveToUnprivileged(const std::filesystem::path& path);

// Fills the file system that holds folder with a file named "filler" until no byte more fits.
void FillFileSystem(const std::filesystem::path& folder);

}  // namespace testsupport
