// The time field of the main window: a time edit in which a single click selects the section under
// the pointer (hours, minutes or seconds), so that digits typed next replace it.
#pragma once

#include <QTimeEdit>

namespace zarvo {

class TimePicker : public QTimeEdit {
  Q_OBJECT
public:
  explicit TimePicker(QTime time, QWidget* parent = nullptr);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  bool pressing_ = false;
};

} // namespace zarvo
