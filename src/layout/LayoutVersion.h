#pragma once

// The version of the layout file format that this program writes and compares when it reads one.
inline constexpr double LayoutFileVersion = 2.453;

// The version saved in the last layout file read in this process, 0 before any was read. The
// record archive carries no version of its own and is read in the form this version implies.
double LastReadLayoutVersion();
void NoteLayoutVersionRead(double version);
