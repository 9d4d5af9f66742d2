#include "cli/HeadlessApplication.h"

#include <QGuiApplication>
#include <QtGlobal>

namespace {

// Qt's warnings about the environment (a missing runtime folder and the like) mean nothing to
// someone running a command; only its critical and fatal messages are passed on.
void KeepSeriousMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg) qt_message_output(type, context, text);
}

}  // namespace

HeadlessApplication::HeadlessApplication() {
  if (QCoreApplication::instance() == nullptr) {
    previousHandler_ = qInstallMessageHandler(KeepSeriousMessages);
    application_ = std::make_unique<QGuiApplication>(argc_, argv_);
  }
}

HeadlessApplication::~HeadlessApplication() {
  if (application_) {
    application_.reset();
    qInstallMessageHandler(previousHandler_);
  }
}
