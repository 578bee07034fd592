#include "app/text_viewer.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

#include "app/text_codec.h"

void OpenInTextViewer(const std::string& file_name) {
  const QString path = QDir::current().absoluteFilePath(qorv::app::FromCp1252(file_name));
  QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
