// Errors that reach a handler's edge are shown in the standard error box, and the program goes on.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <stdexcept>

namespace zarvo {

class Dialogs;

// An error raised by a framework or platform call, with the text the user sees.
class Error : public std::runtime_error {
public:
  explicit Error(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}
  const QString& Text() const { return text_; }

private:
  QString text_;
};

// Runs `handler`; an error it raises is shown with Dialogs::ShowError instead of leaving the handler.
void RunGuarded(Dialogs& dialogs, const std::function<void()>& handler);

// Shows the error box once the handler that is running has returned. Qt does not run a timer's
// handler again before it has returned, so a modal box opened inside a tick would stop that timer
// (and the clock and countdown with it) until the box is closed. Nothing is shown if `context` is
// destroyed first.
void ShowErrorLater(Dialogs& dialogs, QObject* context, const QString& text);

// RunGuarded for timer handlers: a raised error is shown with ShowErrorLater.
void RunGuardedLater(Dialogs& dialogs, QObject* context, const std::function<void()>& handler);

} // namespace zarvo
