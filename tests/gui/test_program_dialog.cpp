// The real file dialog that picks a program: what its "Applications" filter lists, and what it returns.
#include "framework/dialogs.h"
#include "framework/qt_dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QListView>
#include <QLineEdit>
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

private slots:
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
