// TFormOptions: the eight action buttons and their check images that fill ActionSelection.
#pragma once

#include "framework/satellite_frame.h"
#include "options/action_selection.h"

#include <array>

class QLabel;

namespace zarvo {

class Dialogs;

class TFormOptions final : public SatelliteWindow {
  Q_OBJECT
public:
  // The one writer of the selection.
  TFormOptions(const QWidget& anchor, HintLine& hints, const SkinPictures& skin, Dialogs& dialogs,
               ActionSelection& selection);

  // One row per action, in the window's order: shut down .. hibernate, sound, application, message.
  enum Row { ShutDownRow, RestartRow, LogOffRow, StandByRow, HibernateRow, ZarvoRow, ExecuteRow, MessageRow };
  static constexpr int kRows = 8;

  void ShutDownClick() { PowerClick(PowerAction::ShutDown); }
  void RestartClick() { PowerClick(PowerAction::Restart); }
  void LogOffClick() { PowerClick(PowerAction::LogOff); }
  void StandByClick() { PowerClick(PowerAction::StandBy); }
  void HibernateClick() { PowerClick(PowerAction::Hibernate); }
  void ZarvoClick();
  void ExecuteClick();
  void MessageClick();
  // Selects what the command line asked for, as if it had been chosen here: the flags and their
  // texts, and the check images.
  void SelectActions(const ActionSelection& chosen);

  void CloseButtonClick() override;

  ImageButton* Button(int row) const { return buttons_[row]; }
  ImageControl* Check(int row) const { return checks_[row]; }
  const ImageList& List(int row) const { return lists_[row]; }
  // Which Check_List image a check shows: 0 not selected, 1 selected.
  int CheckState(int row) const { return checkState_[row]; }

  ImageList Check_List;

signals:
  // An action was selected or deselected (or its text changed).
  void SelectionChanged();

protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void BackgroundHover() override;

private:
  void PowerClick(PowerAction action);
  void SetCheck(int row, bool selected);
  void ButtonMoved(int row);

  Dialogs& dialogs_;
  ActionSelection& selection_;
  std::array<ImageButton*, kRows> buttons_{};
  std::array<ImageControl*, kRows> checks_{};
  std::array<ImageList, kRows> lists_;
  std::array<int, kRows> checkState_{};
};

} // namespace zarvo
