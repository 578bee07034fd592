#include "app/chapter_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace qorv::app {

namespace {

constexpr char kFolderName[] = "quorvane";

}  // namespace

QString UserChapterFolder(const QProcessEnvironment& environment) {
  QString data_home = environment.value(QStringLiteral("XDG_DATA_HOME"));
  // Relative paths in XDG_DATA_HOME are invalid and are ignored.
  if (data_home.isEmpty() || QDir::isRelativePath(data_home)) {
    data_home = environment.value(QStringLiteral("HOME"), QDir::homePath()) +
                QStringLiteral("/.local/share");
  }
  return QDir::cleanPath(data_home + QLatin1Char('/') + QLatin1String(kFolderName));
}

QString InstalledSampleFolder() {
  return QDir::cleanPath(QCoreApplication::applicationDirPath() + QLatin1Char('/') +
                         QStringLiteral(QORV_SAMPLES_FROM_BINDIR));
}

bool PrepareChapterFolder(const QString& folder, const QString& samples, QString* error) {
  if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder)) {
    *error = QStringLiteral("cannot create the folder ") + folder;
    return false;
  }
  const QStringList chapters = {QStringLiteral("*.qrv")};
  if (!QDir(folder).entryList(chapters, QDir::Files).isEmpty()) return true;
  const QDir sample_dir(samples);
  for (const QString& name : sample_dir.entryList(chapters, QDir::Files, QDir::Name)) {
    // QFile::copy never replaces a file that exists.
    QFile::copy(sample_dir.filePath(name), folder + QLatin1Char('/') + name);
  }
  return true;
}

void EnterUserChapterFolder() {
  const QString folder = UserChapterFolder(QProcessEnvironment::systemEnvironment());
  QString error;
  if (!PrepareChapterFolder(folder, InstalledSampleFolder(), &error) || !QDir::setCurrent(folder)) {
    if (error.isEmpty()) error = QStringLiteral("cannot enter the folder ") + folder;
    std::fprintf(stderr, "quorvane: %s\n", qPrintable(error));
  }
}

}  // namespace qorv::app
