// The real dialogs: the file dialog that picks a program (what its "Applications" filter lists, and
// what it returns), and the input box and message boxes as the user reads them.
#include "framework/dialogs.h"
#include "framework/qt_dialogs.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace zarvo;

namespace {

void MakeFile(const QString& path, bool executable) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write("#!/bin/sh\n");
  file.close();
  QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
  if (executable)
    permissions |= QFile::ExeOwner;
  QVERIFY(file.setPermissions(permissions));
}

QStringList Listed(QFileDialog* dialog) {
  auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
  if (!view || !view->model())
    return {};
  QStringList names;
  const QModelIndex root = view->rootIndex();
  for (int row = 0; row < view->model()->rowCount(root); ++row)
    names << view->model()->index(row, 0, root).data().toString();
  names.sort();
  return names;
}

} // namespace

class TestProgramDialog : public QObject {
  Q_OBJECT

  // Runs `whileOpen` on the dialog once it is up, then opens the program dialog.
  std::optional<QString> OpenWith(const std::function<void(QFileDialog*)>& whileOpen) {
    QTimer poll;
    bool done = false;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!dialog || done)
        return;
      done = true;
      poll.stop();
      whileOpen(dialog);
      if (dialog->isVisible())
        dialog->reject();
    });
    poll.start(20);
    QtDialogs dialogs;
    return dialogs.OpenFile(nullptr, kApplicationsFilter, QStringLiteral("Zarvo.exe"));
  }

  // Runs `whileOpen` on the modal box of type T once it is up (from within `open`, which opens it).
  template <typename T, typename Open> void WhileOpen(const std::function<void(T*)>& whileOpen, Open open) {
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      if (auto* box = qobject_cast<T*>(QApplication::activeModalWidget())) {
        poll.stop();
        whileOpen(box);
        if (box->isVisible())
          box->reject();
      }
    });
    poll.start(20);
    open();
  }

  // What a screen reader, and the eye, reads on a label.
  static QString Shown(QLabel* label) {
    QAccessibleInterface* a = label ? QAccessible::queryAccessibleInterface(label) : nullptr;
    return a ? a->text(QAccessible::Name) : QStringLiteral("<no label>");
  }

private slots:
  // The prompt reads as written: an "&" is no shortcut marker and tags are no markup. A default
  // longer than the typing limit is shown and returned whole; typing stops at 255 characters.
  void inputBoxShowsItsPromptAsWrittenAndTheDefaultWhole() {
    QtDialogs dialogs;
    const QString longDefault = QStringLiteral("/usr/bin/env ") + QString(300, QLatin1Char('a'));
    QString prompt, edit;
    QString answer;
    WhileOpen<QInputDialog>(
        [&](QInputDialog* box) {
          prompt = Shown(box->findChild<QLabel*>());
          edit = box->findChild<QLineEdit*>()->text();
          box->accept();
        },
        [&] {
          answer = dialogs.InputBox(QStringLiteral("Application Path & Parameters"),
                                    QStringLiteral("Path & <b>parameters</b>:"), longDefault);
        });
    QCOMPARE(prompt, QStringLiteral("Path & <b>parameters</b>:"));
    QCOMPARE(edit, longDefault);
    QCOMPARE(answer, longDefault);

    WhileOpen<QInputDialog>(
        [&](QInputDialog* box) {
          auto* line = box->findChild<QLineEdit*>();
          line->selectAll();
          QTest::keyClicks(line, QString(300, QLatin1Char('b')));
          box->accept();
        },
        [&] {
          answer = dialogs.InputBox(QStringLiteral("Message"), QStringLiteral("Message to show:"), QString());
        });
    QCOMPARE(answer, QString(kInputBoxMaxLength, QLatin1Char('b')));
  }

  // A box's text may carry a file name the user chose: it is shown as written, never as markup.
  void boxesShowTheirTextAsPlainText() {
    QtDialogs dialogs;
    const QString text = QStringLiteral("The sound could not be played:\n/tmp/<b>loud</b>.wav");
    QString shown;
    auto read = [&](QMessageBox* box) {
      shown = Shown(box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")));
    };
    WhileOpen<QMessageBox>(read, [&] { dialogs.ShowError(text); });
    QCOMPARE(shown, text);
    shown.clear();
    WhileOpen<QMessageBox>(
        read, [&] { dialogs.MessageBox(nullptr, text, QString(), Buttons::Ok, Icon::Information); });
    QCOMPARE(shown, text);
  }

  void listsProgramsAndFoldersThenAllFiles() {
    QTemporaryDir folder;
    MakeFile(folder.filePath(QStringLiteral("alarm.sh")), true);
    MakeFile(folder.filePath(QStringLiteral("notes.txt")), false);
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("scripts")));
    const QStringList programs{QStringLiteral("alarm.sh"), QStringLiteral("scripts")};
    const QStringList all{QStringLiteral("alarm.sh"), QStringLiteral("notes.txt"), QStringLiteral("scripts")};

    QStringList filters;
    bool listedPrograms = false, listedAll = false, listedProgramsAgain = false;
    const std::optional<QString> chosen = OpenWith([&](QFileDialog* dialog) {
      filters = dialog->nameFilters();
      QCOMPARE(dialog->selectedFiles().value(0).section(QLatin1Char('/'), -1), QStringLiteral("Zarvo.exe"));
      dialog->setDirectory(folder.path());
      QTRY_COMPARE_WITH_TIMEOUT(Listed(dialog), programs, 15000);
      listedPrograms = true;
      auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
      QVERIFY(types);
      QCOMPARE(types->itemText(0), QStringLiteral("Applications"));
      // As a user switches the filter: the arrow keys on the type list.
      QTest::keyClick(types, Qt::Key_Down);
      QTRY_COMPARE_WITH_TIMEOUT(Listed(dialog), all, 15000);
      listedAll = true;
      QTest::keyClick(types, Qt::Key_Up);
      QTRY_COMPARE_WITH_TIMEOUT(Listed(dialog), programs, 15000);
      listedProgramsAgain = true;
      dialog->selectFile(folder.filePath(QStringLiteral("alarm.sh")));
      // The name typed over the proposed one, as a user does, then Open.
      auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      QVERIFY(name);
      name->selectAll();
      QTest::keyClicks(name, QStringLiteral("alarm.sh"));
      QCOMPARE(name->text(), QStringLiteral("alarm.sh"));
      QMetaObject::invokeMethod(dialog, "accept");
    });
    QCOMPARE(filters, (QStringList{QStringLiteral("Applications (*)"), QStringLiteral("All files (*)")}));
    QVERIFY(listedPrograms && listedAll && listedProgramsAgain);
    QCOMPARE(chosen, std::optional<QString>(folder.filePath(QStringLiteral("alarm.sh"))));
  }

  void cancelledGivesNothing() {
    QVERIFY(!OpenWith([](QFileDialog* dialog) { dialog->reject(); }));
  }
};

QTEST_MAIN(TestProgramDialog)
#include "test_program_dialog.moc"
