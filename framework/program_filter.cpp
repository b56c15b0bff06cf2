#include "framework/program_filter.h"

#include <QFileSystemModel>

namespace zarvo {

void ProgramFilter::SetActive(bool active) {
  if (active == active_)
    return;
  active_ = active;
  invalidateFilter();
}

bool ProgramFilter::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
  if (!active_)
    return true;
  const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
  if (!files)
    return true;
  const QFileInfo info = files->fileInfo(files->index(sourceRow, 0, sourceParent));
  // Folders (and the links to them) stay, or the user could not walk to the program.
  return info.isDir() || (info.isFile() && info.isExecutable());
}

} // namespace zarvo
