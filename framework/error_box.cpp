#include "framework/error_box.h"

#include "framework/dialogs.h"

namespace zarvo {

namespace {

void Run(const std::function<void()>& handler, const std::function<void(const QString&)>& show) {
  try {
    handler();
  } catch (const Error& e) {
    show(e.Text());
  } catch (const std::exception& e) {
    show(QString::fromLocal8Bit(e.what()));
  }
}

} // namespace

void RunGuarded(Dialogs& dialogs, const std::function<void()>& handler) {
  Run(handler, [&dialogs](const QString& text) { dialogs.ShowError(text); });
}

void ShowErrorLater(Dialogs& dialogs, QObject* context, const QString& text) {
  QMetaObject::invokeMethod(
      context, [&dialogs, text] { dialogs.ShowError(text); }, Qt::QueuedConnection);
}

void RunGuardedLater(Dialogs& dialogs, QObject* context, const std::function<void()>& handler) {
  Run(handler, [&dialogs, context](const QString& text) { ShowErrorLater(dialogs, context, text); });
}

} // namespace zarvo
