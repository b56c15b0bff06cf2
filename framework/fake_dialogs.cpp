#include "framework/fake_dialogs.h"

namespace zarvo {

Answer FakeDialogs::MessageBox(QWidget*, const QString& text, const QString& caption, Buttons buttons,
                               Icon icon) {
  asked.append({QStringLiteral("message"), text, caption, buttons, icon, {}});
  if (whileMessageShown)
    whileMessageShown();
  if (!nextAnswers.isEmpty())
    return nextAnswers.takeFirst();
  return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
}

QString FakeDialogs::InputBox(const QString& caption, const QString& prompt, const QString& defaultText) {
  asked.append({QStringLiteral("input"), prompt, caption, Buttons::OkCancel, Icon::None, defaultText});
  if (whileInputShown)
    whileInputShown();
  const std::optional<QString> answer = nextInputs.isEmpty() ? std::nullopt : nextInputs.takeFirst();
  return answer ? answer->left(kInputBoxMaxLength) : defaultText;
}

std::optional<QString> FakeDialogs::OpenFile(QWidget*, const QString& filter, const QString& fileName) {
  asked.append({QStringLiteral("file"), filter, fileName, Buttons::OkCancel, Icon::None, {}});
  if (whileFileShown)
    whileFileShown();
  return nextFiles.isEmpty() ? std::nullopt : nextFiles.takeFirst();
}

void FakeDialogs::ShowError(const QString& text) {
  asked.append({QStringLiteral("error"), text, {}, Buttons::Ok, Icon::Error, {}});
  if (whileErrorShown)
    whileErrorShown();
}

QStringList FakeDialogs::Texts() const {
  QStringList texts;
  for (const Asked& a : asked)
    texts << a.text;
  return texts;
}

} // namespace zarvo
