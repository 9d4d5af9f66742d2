#include "platform/RepeatableText.h"

#include <QByteArray>
#include <QtGlobal>

void MakeTextRepeatable() {
  // Read by each font engine as it is made. Drawing every glyph anew costs about a tenth of a
  // batch of photographs at 300 dpi and 4 ms of a preview redraw; files that depend on what the
  // process drew before would cost more.
  qputenv("QT_NO_FT_CACHE", QByteArray("1"));
}
