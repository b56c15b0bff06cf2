// The real dialogs: QMessageBox, QInputDialog and QFileDialog.
#pragma once

#include "framework/dialogs.h"

namespace zarvo {

class QtDialogs final : public Dialogs {
public:
  Answer MessageBox(QWidget* owner, const QString& text, const QString& caption, Buttons buttons,
                    Icon icon) override;
  QString InputBox(const QString& caption, const QString& prompt, const QString& defaultText) override;
  std::optional<QString> OpenFile(QWidget* owner, const QString& filter, const QString& fileName) override;
  void ShowError(const QString& text) override;
};

} // namespace zarvo
