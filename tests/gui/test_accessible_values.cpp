// What a screen reader reads: every label that shows a value is named by what it shows, follows it
// as it changes, and keeps the words that explain it as its description.
#include "zarvo_fixture.h"

#include <QAccessible>

using namespace zarvo;
using namespace zarvo::test;

namespace {

QString Description(const QWidget* window, const QString& name) {
  return QAccessible::queryAccessibleInterface(Control(window, name))->text(QAccessible::Description);
}

} // namespace

class TestAccessibleValues : public QObject {
  Q_OBJECT
private slots:
  void valueLabelsReadAsWhatTheyShow() {
    Zarvo z;
    const QString time = QStringLiteral("Label_Time"), remaining = QStringLiteral("Label_TimeRemaining");
    z.ClickOption(TFormOptions::ShutDownRow);
    z.PressStart();
    z.Tick();
    QCOMPARE(AccessibleName(z.Main(), time), QStringLiteral("10:00:00"));
    QCOMPARE(Description(z.Main(), time), QStringLiteral("Local time"));
    QCOMPARE(AccessibleName(z.Main(), remaining), QStringLiteral("00:00:59"));
    QCOMPARE(Description(z.Main(), remaining), QStringLiteral("Time remaining"));
    z.Tick(1000);
    QCOMPARE(AccessibleName(z.Main(), time), QStringLiteral("10:00:01"));
    QCOMPARE(AccessibleName(z.Main(), remaining), QStringLiteral("00:00:58"));
    QCOMPARE(AccessibleName(z.TimeWindow(), remaining), QStringLiteral("00:00:58"));
    QCOMPARE(Description(z.TimeWindow(), remaining), QStringLiteral("Time remaining"));

    Hover(z.Main(), QStringLiteral("Counter"), QPoint(5, 5));
    QCOMPARE(AccessibleName(z.Main(), QStringLiteral("LabelToolTip")), QStringLiteral("Show counter"));
    QCOMPARE(Description(z.Main(), QStringLiteral("LabelToolTip")), QStringLiteral("Help"));

    const QString info = QStringLiteral("LabelInfo");
    QCOMPARE(AccessibleName(z.CounterWindow(), info), Text(z.CounterWindow(), info));
    QVERIFY(!AccessibleName(z.CounterWindow(), info).isEmpty());
    QCOMPARE(Description(z.CounterWindow(), info), QStringLiteral("Counter state"));
    QCOMPARE(AccessibleName(z.CounterWindow(), time), Text(z.CounterWindow(), time));
    QVERIFY(AccessibleName(z.CounterWindow(), time).startsWith(QStringLiteral("00:00:00")));
    QCOMPARE(Description(z.CounterWindow(), time), QStringLiteral("Counter time elapsed"));

    // The image buttons keep their tooltip-style names.
    QCOMPARE(AccessibleName(z.Main(), QStringLiteral("Counter")), QStringLiteral("Show counter"));
    // The time picker is read as its value under its name.
    QCOMPARE(AccessibleName(z.Main(), QStringLiteral("SetTime")), QStringLiteral("Time"));
    QCOMPARE(AccessibleValue(z.Main(), QStringLiteral("SetTime")), QStringLiteral("00:01:00"));
  }
};

QTEST_MAIN(TestAccessibleValues)
#include "test_accessible_values.moc"
