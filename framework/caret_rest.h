// The text cursor blinks while the user works in a field and rests, steady, once nobody has typed
// or clicked into a field for a while, as on the usual desktops. A field that merely has the focus
// (the time field when the program starts, a window coming to the front) shows a steady cursor:
// a blinking one redraws its field twice a second, and a countdown utility sits for hours with its
// time field focused. A key, a click or scroll into a field, or moving the focus with the keyboard
// or the mouse makes it blink again.
#pragma once

#include <QObject>
#include <QTimer>

namespace zarvo {

class CaretRest final : public QObject {
  Q_OBJECT
public:
  // Rests the cursor now and watches the application's input from now on. `restAfterMs`: the
  // quiet time after which a blinking cursor rests again.
  explicit CaretRest(int restAfterMs = 10'000);
  // Gives the desktop's blinking back.
  ~CaretRest() override;
  CaretRest(const CaretRest&) = delete;
  CaretRest& operator=(const CaretRest&) = delete;

  bool Resting() const { return resting_; }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void Rest();
  // Blinking again (if it rested), and the quiet time counted afresh.
  void Wake();

  QTimer quiet_;
  // The desktop's blinking period, given back on the next input.
  int flashTime_ = 0;
  bool resting_ = false;
};

} // namespace zarvo
