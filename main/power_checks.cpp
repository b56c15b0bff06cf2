// Telling the user when a power action cannot happen: checked when a countdown starts (and when its
// selection changes), reported when the system refuses it, and a countdown that came too late.
#include "main/main_window.h"

#include "framework/dialogs.h"
#include "main/power_action.h"
#include "platform/platform.h"

namespace zarvo {

namespace {

// What the action of `word` does, as the end of "Zarvo cannot ..." or "Zarvo could not ...".
QString ActionPhrase(const QString& word) {
  if (word == QLatin1String("restart"))
    return QStringLiteral("restart the computer");
  if (word == QLatin1String("logoff"))
    return QStringLiteral("log you off");
  if (word == QLatin1String("standby"))
    return QStringLiteral("put the computer on stand-by");
  if (word == QLatin1String("hibernate"))
    return QStringLiteral("hibernate the computer");
  return QStringLiteral("shut the computer down");
}

QString Sentence(const QString& reason) {
  return reason.isEmpty() ? QString() : reason.left(1).toUpper() + reason.mid(1) + QLatin1Char('.');
}

} // namespace

void TForm1::SelectionChanged() {
  if (CountdownRunning())
    CheckSelectedPowerAction();
}

void TForm1::CheckSelectedPowerAction() {
  const quint64 check = ++powerCheck_;
  const std::optional<PowerAction> action = SelectedPowerAction(Selection);
  if (!action)
    return;
  const QString word = ActionWord(*action);
  platform_.CheckPowerAction(word, [this, check, word](const PowerCapability& capability) {
    // A later check, a stopped countdown or another action makes this answer stale.
    if (check != powerCheck_ || !CountdownRunning())
      return;
    const std::optional<PowerAction> now = SelectedPowerAction(Selection);
    if (!now || ActionWord(*now) != word)
      return;
    switch (capability.answer) {
    case PowerCapability::Answer::Yes: return;
    case PowerCapability::Answer::Challenge: {
      hints_.SetNotice(QStringLiteral("A password will be needed"));
      DesktopNotification n;
      n.summary = QStringLiteral("Zarvo");
      n.body =
          QStringLiteral("When the time is up, the system will ask for an administrator's password to %1. "
                         "Stay near the computer if you can.")
              .arg(ActionPhrase(word));
      platform_.ShowNotification(n);
      return;
    }
    case PowerCapability::Answer::No:
      MessageBoxLater(QStringLiteral("This computer will not let Zarvo %1 when the time is up.\n\n%2\n\n"
                                     "The countdown goes on, and the other actions will be carried out.")
                          .arg(ActionPhrase(word), Sentence(capability.reason)),
                      QStringLiteral("Zarvo"), Icon::Warning);
      return;
    }
  });
}

void TForm1::ReportPowerRefusal(const QString& word, const QString& reason) {
  const QString text = QStringLiteral("Zarvo could not %1.\n\n%2").arg(ActionPhrase(word), Sentence(reason));
  // Seen even while the windows are in the tray or behind others.
  DesktopNotification n;
  n.summary = QStringLiteral("Zarvo");
  n.body = text;
  n.critical = true;
  platform_.ShowNotification(n);
  MessageBoxLater(text, QStringLiteral("Zarvo"), Icon::Error);
}

void TForm1::CountdownLapsed(int lateMs) {
  session_.Stop();
  const int minutes = (lateMs + 30'000) / 60'000; // to the nearest minute
  MessageBoxLater(QStringLiteral("Zarvo could not act on time: the computer was too busy to run it, and the "
                                 "time ran out %1 ago.\n\nThe countdown has been stopped; nothing was done.")
                      .arg(minutes >= 1 ? QStringLiteral("%1 min").arg(minutes)
                                        : QStringLiteral("%1 s").arg(lateMs / 1000)),
                  QStringLiteral("Zarvo"), Icon::Warning);
}

} // namespace zarvo
