#include "qt/exit_guard.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <exception>

namespace tht::qt {
namespace {

QtMessageHandler previousHandler = nullptr;

void handleMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (previousHandler)
    previousHandler(type, context, text);
  else
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
  if (type == QtFatalMsg) {
    std::fflush(stderr);
    std::_Exit(0);
  }
}

void endOnUncaughtException() {
  if (const std::exception_ptr current = std::current_exception()) {
    try {
      std::rethrow_exception(current);
    } catch (const std::exception& error) {
      std::fprintf(stderr, "TransHoraventTEBA: %s\n", error.what());
    } catch (...) {
      std::fprintf(stderr, "TransHoraventTEBA: unknown error\n");
    }
  }
  std::fflush(stderr);
  std::_Exit(0);
}

}  // namespace

void endWithZeroOnFatalErrors() {
  previousHandler = qInstallMessageHandler(handleMessage);
  std::set_terminate(endOnUncaughtException);
}

}  // namespace tht::qt
