// What a screen reader reads: every label that shows a value is named by what it shows, follows it
// as it changes, and keeps the words that explain it as its description.
#include "zarvo_fixture.h"

#include <QAccessible>

using namespace zarvo;
using namespace zarvo::test;

namespace {

QString Name(QWidget* w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); }
QString Description(QWidget* w) {
  return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Description);
}

} // namespace

class TestAccessibleValues : public QObject {
  Q_OBJECT
private slots:
  void valueLabelsReadAsWhatTheyShow() {
    Zarvo z;
    z.ClickOption(TFormOptions::ShutDownRow);
    z.form1->StartClick();
    z.Tick();
    QCOMPARE(Name(z.form1->Label_Time), QStringLiteral("10:00:00"));
    QCOMPARE(Description(z.form1->Label_Time), QStringLiteral("Local time"));
    QCOMPARE(Name(z.form1->Label_TimeRemaining), QStringLiteral("00:00:59"));
    QCOMPARE(Description(z.form1->Label_TimeRemaining), QStringLiteral("Time remaining"));
    z.Tick(1000);
    QCOMPARE(Name(z.form1->Label_Time), QStringLiteral("10:00:01"));
    QCOMPARE(Name(z.form1->Label_TimeRemaining), QStringLiteral("00:00:58"));
    QCOMPARE(Name(z.windows.FormTime()->Label_TimeRemaining), QStringLiteral("00:00:58"));
    QCOMPARE(Description(z.windows.FormTime()->Label_TimeRemaining), QStringLiteral("Time remaining"));

    QTest::mouseMove(z.form1->Counter, QPoint(5, 5));
    QCOMPARE(Name(z.form1->LabelToolTip), QStringLiteral("Show counter"));
    QCOMPARE(Description(z.form1->LabelToolTip), QStringLiteral("Help"));

    TFormCounter* counter = z.windows.FormCounter();
    QCOMPARE(Name(counter->LabelInfo), counter->LabelInfo->text());
    QVERIFY(!Name(counter->LabelInfo).isEmpty());
    QCOMPARE(Description(counter->LabelInfo), QStringLiteral("Counter state"));
    QCOMPARE(Name(counter->Label_Time), counter->Label_Time->text());
    QVERIFY(Name(counter->Label_Time).startsWith(QStringLiteral("00:00:00")));
    QCOMPARE(Description(counter->Label_Time), QStringLiteral("Counter time elapsed"));

    // The image buttons keep their tooltip-style names.
    QCOMPARE(Name(z.form1->Counter), QStringLiteral("Show counter"));
  }
};

QTEST_MAIN(TestAccessibleValues)
#include "test_accessible_values.moc"
