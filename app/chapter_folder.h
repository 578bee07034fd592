// The user's Chapter folder, where the program started from the desktop's menu works:
// $XDG_DATA_HOME/quorvane, or ~/.local/share/quorvane when XDG_DATA_HOME is unset or not an
// absolute path. "quorvane --chapter-folder" creates it with the installed sample Chapters on its
// first start (and again whenever it holds no Chapter) and makes it the current directory, so
// that the Chapter list is not empty and the Store and the generation log live there.
#pragma once

#include <QProcessEnvironment>
#include <QString>

namespace qorv::app {

QString UserChapterFolder(const QProcessEnvironment& environment);

// The installed sample Chapters: share/quorvane/chapters beside the program's bin folder.
QString InstalledSampleFolder();

// Creates `folder` (and its parents) when it does not exist, and copies the *.qrv files of
// `samples` into it whenever it holds no *.qrv file at all. A folder with any Chapter in it is
// left as it is, so the user's files are never overwritten and a sample the user deleted stays
// deleted while others remain. Missing samples leave the folder empty. Returns false, with the
// reason in `error`, when the folder cannot be made.
bool PrepareChapterFolder(const QString& folder, const QString& samples, QString* error);

// Prepares the user's Chapter folder and makes it the current directory; on failure reports on
// standard error and stays in the current directory. Needs the QCoreApplication.
void EnterUserChapterFolder();

}  // namespace qorv::app
