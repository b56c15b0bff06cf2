#include "framework/error_box.h"

#include "framework/dialogs.h"

namespace zarvo {

void RunGuarded(Dialogs& dialogs, const std::function<void()>& handler) {
  try {
    handler();
  } catch (const Error& e) {
    dialogs.ShowError(e.Text());
  } catch (const std::exception& e) {
    dialogs.ShowError(QString::fromLocal8Bit(e.what()));
  }
}

} // namespace zarvo
