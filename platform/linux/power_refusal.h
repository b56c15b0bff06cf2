// The system's refusal of a power request, said in plain words instead of a D-Bus error name.
#pragma once

#include <QDBusMessage>
#include <QString>

namespace zarvo {

// Why `reply` (an error answer to a power request) means the request will not be carried out, as a
// sentence fragment that follows "because": "the system's security policy does not allow it".
QString PlainPowerRefusal(const QDBusMessage& reply);

// The same reasons for the cases that have no reply of their own.
QString NoSystemBusReason();
QString SleepNeverBeganReason();
QString LogindGoneReason();
// Why the system will not carry out the action of `word` when logind says "no" or "na" to it.
QString NotAllowedReason(const QString& word);
QString NotAvailableReason(const QString& word);
QString NoSessionReason();

} // namespace zarvo
