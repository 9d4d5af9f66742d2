#pragma once

#include <filesystem>
#include <string>

// What one run of the built program gave.
struct ProgramResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the built montage-designer with the arguments (quoted for the shell by the caller) and
// no display at all, keeping its standard error in the scratch folder. A run that blocks is
// ended after the time limit and shows as exit status 124; a crash shows as 128 plus the signal.
ProgramResult RunProgram(const std::string& arguments, const std::filesystem::path& scratch,
                         int timeLimitSeconds = 120);

// The same for another copy of the program, such as an installed one.
ProgramResult RunProgramAt(const std::filesystem::path& program, const std::string& arguments,
                           const std::filesystem::path& scratch, int timeLimitSeconds = 120);

// Runs a shell command line as given (a compound one too), keeping its standard error in the
// scratch folder; the status reads as RunProgram's does.
ProgramResult RunShell(const std::string& command, const std::filesystem::path& scratch);

std::string ReadFile(const std::filesystem::path& path);

// The default layout file as "montage-designer layout" writes it; the layout command's test
// holds the checked-in copy read here to the program's output.
std::string DefaultLayoutText();
