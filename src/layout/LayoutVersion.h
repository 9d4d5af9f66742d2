#pragma once

// The program's version, which the window's title, the version check and --version show.
inline constexpr double ProgramVersion = 2.453;
// The version of the layout file format that this program writes and compares when it reads one.
// A layout file carries the version of the program that wrote it, so the two are one number.
inline constexpr double LayoutFileVersion = ProgramVersion;

// The version saved in the last layout file read in this process, 0 before any was read. The
// record archive carries no version of its own and is read in the form this version implies.
double LastReadLayoutVersion();
void NoteLayoutVersionRead(double version);
