#include "shell/LayoutSnapshot.h"

#include "shell/CMontageDoc.h"

void LayoutSnapshot::Apply(CMontageDoc& document) { document.ExchangeLayout(layout_); }
