#include "layout/LayoutVersion.h"

namespace {

// Process-wide because the record store's archive readers consult it without being given a
// file; the program touches it from the user-interface thread only.
double lastReadVersion = 0;

}  // namespace

double LastReadLayoutVersion() { return lastReadVersion; }

void NoteLayoutVersionRead(double version) { lastReadVersion = version; }
