#include "platform/linux/power_supply.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <optional>

namespace zarvo {

namespace {

QString ReadText(const QDir& dir, const char* name) {
  QFile f(dir.filePath(QLatin1String(name)));
  if (!f.open(QIODevice::ReadOnly))
    return {};
  return QString::fromUtf8(f.read(256)).trimmed();
}

std::optional<qint64> ReadNumber(const QDir& dir, const char* name) {
  bool ok = false;
  const qint64 value = ReadText(dir, name).toLongLong(&ok);
  if (!ok || value < 0)
    return std::nullopt;
  return value;
}

// Sums of one quantity over all batteries; unknown as soon as one battery lacks it.
struct Total {
  qint64 sum = 0;
  bool known = true;
  void Add(std::optional<qint64> v) {
    if (v)
      sum += *v;
    else
      known = false;
  }
  bool Usable() const { return known && sum > 0; }
};

constexpr quint32 Unknown32 = 0xFFFFFFFF;

quint32 Seconds(qint64 amount, qint64 rate) {
  const qint64 s = amount * 3600 / rate;
  return s >= qint64(Unknown32) ? Unknown32 - 1 : quint32(s);
}

} // namespace

PowerStatus ReadPowerSupplyStatus(const QString& folder) {
  bool anyMains = false, mainsOnline = false;
  int batteries = 0;
  bool charging = false, discharging = false, onMainsByBattery = false;
  Total energyNow, energyFull, power, chargeNow, chargeFull, current, capacity, timeToEmpty;

  const QDir root(folder);
  const QStringList entries = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
  for (const QString& entry : entries) {
    const QDir dir(root.filePath(entry));
    if (ReadText(dir, "scope") == QLatin1String("Device"))
      continue; // a peripheral's own battery
    const QString type = ReadText(dir, "type");
    if (type == QLatin1String("Battery")) {
      if (ReadText(dir, "present") == QLatin1String("0"))
        continue;
      ++batteries;
      const QString status = ReadText(dir, "status");
      charging |= status == QLatin1String("Charging");
      discharging |= status == QLatin1String("Discharging");
      onMainsByBattery |= status == QLatin1String("Full") || status == QLatin1String("Not charging");
      energyNow.Add(ReadNumber(dir, "energy_now"));
      energyFull.Add(ReadNumber(dir, "energy_full"));
      power.Add(ReadNumber(dir, "power_now"));
      chargeNow.Add(ReadNumber(dir, "charge_now"));
      chargeFull.Add(ReadNumber(dir, "charge_full"));
      current.Add(ReadNumber(dir, "current_now"));
      capacity.Add(ReadNumber(dir, "capacity"));
      timeToEmpty.Add(ReadNumber(dir, "time_to_empty_now"));
    } else if (!type.isEmpty()) {
      const QString online = ReadText(dir, "online");
      if (!online.isEmpty()) {
        anyMains = true;
        mainsOnline |= online != QLatin1String("0");
      }
    }
  }

  PowerStatus s;
  if (anyMains)
    s.acLineStatus = mainsOnline ? 1 : 0;
  else if (batteries == 0)
    s.acLineStatus = 1; // nothing else can power a machine without a battery
  else if (discharging)
    s.acLineStatus = 0;
  else if (charging || onMainsByBattery)
    s.acLineStatus = 1;
  else
    s.acLineStatus = 255;

  if (batteries == 0) {
    s.batteryFlag = 128;
    return s;
  }

  int percent = -1;
  if (energyNow.known && energyFull.Usable())
    percent = int(energyNow.sum * 100 / energyFull.sum);
  else if (chargeNow.known && chargeFull.Usable())
    percent = int(chargeNow.sum * 100 / chargeFull.sum);
  else if (capacity.known)
    percent = int(capacity.sum / batteries);
  if (percent > 100)
    percent = 100;

  if (percent < 0) {
    s.batteryFlag = charging ? 8 : 255;
  } else {
    s.batteryLifePercent = quint8(percent);
    quint8 flag = percent > 66 ? 1 : percent < 5 ? 4 : percent < 33 ? 2 : 0;
    if (charging)
      flag |= 8;
    s.batteryFlag = flag;
  }

  // Times are only meaningful while the batteries run the machine.
  if (s.acLineStatus == 0) {
    if (energyNow.known && power.Usable()) {
      s.batteryLifeTime = Seconds(energyNow.sum, power.sum);
      if (energyFull.Usable())
        s.batteryFullLifeTime = Seconds(energyFull.sum, power.sum);
    } else if (chargeNow.known && current.Usable()) {
      s.batteryLifeTime = Seconds(chargeNow.sum, current.sum);
      if (chargeFull.Usable())
        s.batteryFullLifeTime = Seconds(chargeFull.sum, current.sum);
    } else if (batteries == 1 && timeToEmpty.Usable()) {
      s.batteryLifeTime = quint32(std::min<qint64>(timeToEmpty.sum, Unknown32 - 1));
    }
  }
  return s;
}

} // namespace zarvo
