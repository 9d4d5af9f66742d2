#include "platform/RepeatableText.h"

#include <QByteArray>
#include <QtGlobal>

void MakeTextRepeatable() {
  // Read by each font engine as it is made. Drawing every glyph anew costs nothing measurable
  // beside a composite's pictures.
  qputenv("QT_NO_FT_CACHE", QByteArray("1"));
}
