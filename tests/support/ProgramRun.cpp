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
  return RunCommand("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" + program.string() +
                        "' " + arguments,
                    scratch, timeLimitSeconds);
}

ProgramResult RunCommand(const std::string& command, const std::filesystem::path& scratch,
                         int timeLimitSeconds) {
  const std::filesystem::path errPath = scratch / "stderr.txt";
  const std::string line = "timeout " + std::to_string(timeLimitSeconds) + " " + command + " 2>'" +
                           errPath.string() + "'";
  ProgramResult result;
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
