// Dialogs for tests: answers come from a queue primed before the code asks; every question is recorded.
#pragma once

#include "framework/dialogs.h"

#include <QList>
#include <QStringList>
#include <functional>

namespace zarvo {

class FakeDialogs final : public Dialogs {
public:
  struct Asked {
    QString kind;    // "message", "input", "file", "error"
    QString text;    // message text, input prompt, file filter or error text
    QString caption; // caption, or the proposed file name for "file"
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    QString defaultText; // input boxes only
  };
  QList<Asked> asked;

  // Next answers, taken in order. A message box with no primed answer answers OK/Yes;
  // an input box with none is cancelled; a file dialog with none is cancelled.
  QList<Answer> nextAnswers;
  QList<std::optional<QString>> nextInputs; // nullopt = Cancel
  QList<std::optional<QString>> nextFiles;  // nullopt = Cancel
  // Run inside ShowError and MessageBox, while the box would be open (its own event loop running).
  std::function<void()> whileErrorShown;
  std::function<void()> whileMessageShown;
  // Run inside InputBox and OpenFile, while the dialog would be open.
  std::function<void()> whileInputShown;
  std::function<void()> whileFileShown;

  Answer MessageBox(QWidget* owner, const QString& text, const QString& caption, Buttons buttons,
                    Icon icon) override;
  QString InputBox(const QString& caption, const QString& prompt, const QString& defaultText) override;
  std::optional<QString> OpenFile(QWidget* owner, const QString& filter, const QString& fileName) override;
  void ShowError(const QString& text) override;

  QStringList Texts() const; // texts of everything asked, in order
};

} // namespace zarvo
