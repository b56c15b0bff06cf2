// What a screen reader finds of a running program: its accessible objects over AT-SPI, on the
// accessibility bus that the test's session bus starts on demand. The program must be started with
// QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 (no screen reader runs to switch its bridge on).
#pragma once

#include <QString>
#include <QStringList>

namespace zarvo::test {

// The names (for labels: their texts) of every accessible object of the application called
// `application` on the accessibility bus, depth first; empty when none is found. With `contents`,
// each name is followed by the object's text where it has one (an edit field, a memo). With
// `window`, only the application's windows of that name are read.
QStringList AccessibleNames(const QString& application, bool contents = false, const QString& window = {});

} // namespace zarvo::test
