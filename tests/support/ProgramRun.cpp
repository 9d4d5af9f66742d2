#include "support/ProgramRun.h"

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>

ProgramResult RunProgram(const std::string& arguments, const std::filesystem::path& scratch,
                         int timeLimitSeconds) {
  return RunProgramAt(MONTAGE_BINARY_DIR "/montage-designer", arguments, scratch, timeLimitSeconds);
}

ProgramResult RunProgramAt(const std::filesystem::path& program, const std::string& arguments,
                           const std::filesystem::path& scratch, int timeLimitSeconds) {
  return RunShell("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout " +
                      std::to_string(timeLimitSeconds) + " '" + program.string() + "' " + arguments,
                  scratch);
}

ProgramResult RunShell(const std::string& command, const std::filesystem::path& scratch) {
  const std::filesystem::path errPath = scratch / "stderr.txt";
  ProgramResult result;
  // The parentheses send the standard error of every part of a compound command to the file.
  const std::string line = "( " + command + " ) 2>'" + errPath.string() + "'";
  FILE* pipe = ::popen(line.c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[4096];
  for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
    result.out.append(buffer, read);
  }
  const int status = ::pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.err = ReadFile(errPath);
  return result;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string DefaultLayoutText() {
  return ReadFile(MONTAGE_SOURCE_DIR "/tests/cli/data/default-layout.txt");
}
