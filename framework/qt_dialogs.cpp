#include "framework/qt_dialogs.h"

#include "framework/program_filter.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace zarvo {

QString ToQtNameFilter(const QString& filter) {
  const qsizetype bar = filter.indexOf(QLatin1Char('|'));
  if (bar < 0)
    return filter;
  QString patterns = filter.mid(bar + 1);
  patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
  return filter.left(bar) + QStringLiteral(" (") + patterns + QLatin1Char(')');
}

namespace {

QString Title(const QString& caption) {
  return caption.isEmpty() ? QApplication::applicationDisplayName() : caption;
}

// Texts may break lines as LF CR or CR LF; the box shows each as one line break.
QString DisplayText(QString text) {
  text.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

QMessageBox::Icon ToQt(Icon icon) {
  switch (icon) {
  case Icon::Information: return QMessageBox::Information;
  case Icon::Question: return QMessageBox::Question;
  case Icon::Warning: return QMessageBox::Warning;
  case Icon::Error: return QMessageBox::Critical;
  case Icon::None: break;
  }
  return QMessageBox::NoIcon;
}

} // namespace

Answer QtDialogs::MessageBox(QWidget* owner, const QString& text, const QString& caption, Buttons buttons,
                             Icon icon) {
  QMessageBox box(ToQt(icon), Title(caption), DisplayText(text), QMessageBox::NoButton, owner);
  // A text may carry the user's own words (a file name, a message): never read as markup.
  box.setTextFormat(Qt::PlainText);
  box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
  QAbstractButton* yes = nullptr;
  QAbstractButton* ok = nullptr;
  switch (buttons) {
  case Buttons::Ok: ok = box.addButton(QMessageBox::Ok); break;
  case Buttons::OkCancel:
    ok = box.addButton(QMessageBox::Ok);
    box.addButton(QMessageBox::Cancel);
    break;
  case Buttons::YesNo:
    yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
    box.setDefaultButton(static_cast<QPushButton*>(yes));
    box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    break;
  }
  box.exec();
  if (buttons == Buttons::YesNo)
    return box.clickedButton() == yes ? Answer::Yes : Answer::No;
  if (buttons == Buttons::Ok)
    return Answer::Ok;
  return box.clickedButton() == ok ? Answer::Ok : Answer::Cancel;
}

QString QtDialogs::InputBox(const QString& caption, const QString& prompt, const QString& defaultText) {
  QInputDialog dialog;
  dialog.setWindowTitle(caption);
  // The prompt's label names the edit box, so an "&" in it would mark a shortcut key: doubled, it
  // shows as itself.
  QString label = prompt;
  dialog.setLabelText(label.replace(QLatin1Char('&'), QStringLiteral("&&")));
  dialog.setInputMode(QInputDialog::TextInput);
  dialog.setWindowFlag(Qt::WindowStaysOnTopHint, true);
  if (auto* promptLabel = dialog.findChild<QLabel*>())
    promptLabel->setTextFormat(Qt::PlainText);
  // Typing is limited, the default is not: a longer default is shown whole (it could only be
  // shortened), so that OK without editing returns it as Cancel does.
  dialog.setTextValue(defaultText);
  if (auto* edit = dialog.findChild<QLineEdit*>()) {
    edit->setMaxLength(std::max<int>(kInputBoxMaxLength, static_cast<int>(defaultText.size())));
    edit->selectAll();
  }
  // Centred on the screen, as the box has no owner window.
  dialog.adjustSize();
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    dialog.move(screen->availableGeometry().center() - dialog.rect().center());
  if (dialog.exec() != QDialog::Accepted)
    return defaultText;
  return dialog.textValue();
}

std::optional<QString> QtDialogs::OpenFile(QWidget* owner, const QString& filter, const QString& fileName) {
  QFileDialog dialog(owner);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  if (filter == kApplicationsFilter) {
    // The filter model only works in Qt's own dialog, not in a desktop's native one.
    const QString caption = QStringLiteral("Applications");
    const QString programs = caption + QStringLiteral(" (*)");
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setNameFilters({programs, QStringLiteral("All files (*)")});
    auto* onlyPrograms = new ProgramFilter(&dialog);
    dialog.setProxyModel(onlyPrograms);
    // The chosen filter is reported as shown, without its patterns.
    QObject::connect(&dialog, &QFileDialog::filterSelected, onlyPrograms, [=](const QString& chosen) {
      onlyPrograms->SetActive(chosen == caption || chosen == programs);
    });
  } else {
    dialog.setNameFilter(ToQtNameFilter(filter));
  }
  dialog.selectFile(fileName);
  dialog.setSizeGripEnabled(true);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

void QtDialogs::ShowError(const QString& text) {
  QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), DisplayText(text),
                  QMessageBox::Ok);
  box.setTextFormat(Qt::PlainText);
  box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
  box.exec();
}

} // namespace zarvo
