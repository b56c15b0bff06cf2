// Modal boxes, input box, file-open dialog and the error box: the one seam every window asks through.
#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace zarvo {

enum class Buttons { Ok, OkCancel, YesNo };
enum class Icon { None, Information, Question, Warning, Error };
enum class Answer { Ok, Cancel, Yes, No };

class Dialogs {
public:
  virtual ~Dialogs() = default;

  // A modal message box owned by `owner`. An empty caption means the application's title.
  virtual Answer MessageBox(QWidget* owner, const QString& text, const QString& caption, Buttons buttons,
                            Icon icon) = 0;
  // A one-line input box: returns the edited text on OK, `defaultText` otherwise.
  virtual QString InputBox(const QString& caption, const QString& prompt, const QString& defaultText) = 0;
  // The file-open dialog. `filter` is "Description|*.a;*.b", or kApplicationsFilter; the chosen file
  // must exist.
  // Returns the full file name, or nothing when cancelled.
  virtual std::optional<QString> OpenFile(QWidget* owner, const QString& filter, const QString& fileName) = 0;
  // The standard error box: error icon, the application's title as caption, the error text.
  virtual void ShowError(const QString& text) = 0;

  // The plain informational box with an OK button and the application's title.
  void ShowMessage(const QString& text) { MessageBox(nullptr, text, QString(), Buttons::Ok, Icon::None); }
};

// The input box's edit field takes at most this many characters.
inline constexpr int kInputBoxMaxLength = 255;

// The filter of the dialog that picks a program to run. The real dialog lists the files the user may
// execute (and folders) under it, and "All files" as a second choice.
inline const QString kApplicationsFilter = QStringLiteral("Applications|<executable>");

// Turns "Sounds(*.mp3,*.wav)|*.mp3;*.wav" into a Qt name filter "Sounds(*.mp3,*.wav) (*.mp3 *.wav)".
QString ToQtNameFilter(const QString& filter);

} // namespace zarvo
