// The main window starting the countdown that the command line gave.
#include "main/main_window.h"

#include "options/options_window.h"

#include <QRadioButton>
#include <QTimeEdit>

namespace zarvo {

void TForm1::StartTimed(const TimedStart& start) {
  FormOptions->SelectActions(start.selection);
  (start.mode == CountdownMode::At ? RadioAt : RadioAfter)->setChecked(true);
  SetTime->setTime(QTime::fromMSecsSinceStartOfDay(start.pickerMs));
  if (!CountdownRunning)
    StartClick();
}

} // namespace zarvo
