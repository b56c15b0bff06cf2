// The file dialog's "Applications" filter: programs on Linux have no extension, so it lists the files
// the user may execute, and folders to walk into.
#pragma once

#include <QSortFilterProxyModel>

namespace zarvo {

class ProgramFilter final : public QSortFilterProxyModel {
  Q_OBJECT
public:
  using QSortFilterProxyModel::QSortFilterProxyModel;

  // Off, every row the dialog's own name filter lets through is shown (the "All files" filter).
  void SetActive(bool active);
  bool Active() const { return active_; }

protected:
  bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
  bool active_ = true;
};

} // namespace zarvo
