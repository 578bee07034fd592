#include "app_test_support.h"

#include "tests/chapter_source.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QtTest>

#include "app/dialog_texts.h"

namespace qorv::test {

CurrentDirectory::CurrentDirectory() : previous_(QDir::currentPath()) {
  QDir::setCurrent(dir_.path());
}

CurrentDirectory::~CurrentDirectory() {
  QDir::setCurrent(previous_);
}

void CurrentDirectory::CopySample(const QString& file_name) const {
  const QString source = qEnvironmentVariable("QORV_SOURCE_DIR") + "/chapters/" + file_name;
  QFile::copy(source, dir_.filePath(file_name));
}

void CurrentDirectory::Write(const QString& file_name, const std::string& bytes) const {
  QFile file(dir_.filePath(file_name));
  if (file.open(QIODevice::WriteOnly)) {
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
  }
}

std::string CurrentDirectory::Read(const QString& file_name) const {
  QFile file(dir_.filePath(file_name));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll().toStdString();
}

std::string ChapterBytes(const std::string& title, const std::string& genopt,
                         const std::string& names) {
  return qorv::testing::ChapterSource{
      .genopt = genopt, .title = title, .date = "2026", .names_text = names}
      .Text();
}

QString LabelText(const TQorvDlgClient& dialog, int id) {
  const auto* label = qobject_cast<const QLabel*>(dialog.Control(id));
  return label != nullptr ? label->text() : QString();
}

void MoveMouse(QWidget* widget, QPoint local) {
  QMouseEvent move(QEvent::MouseMove, QPointF(local), QPointF(widget->mapToGlobal(local)),
                   Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &move);
}

void MoveMouseOver(QWidget* widget) {
  MoveMouse(widget, widget->rect().center());
}

void PickChapter(TQorvDlgClient& dialog, const QString& title) {
  auto* combo = qobject_cast<QComboBox*>(dialog.Control(102));
  const int index = combo->findText(title);
  QVERIFY2(index >= 0, qPrintable("no Chapter titled " + title));
  combo->setCurrentIndex(index);
  emit combo->activated(index);
}

void PickChapterAndWait(TQorvDlgClient& dialog, const QString& title) {
  PickChapter(dialog, title);
  dialog.WaitForLoad();
}

std::unique_ptr<TSDIDecFrame> NewMainWindow() {
  return std::make_unique<TSDIDecFrame>(QString::fromLatin1(qorv::app::kApplicationName));
}

}  // namespace qorv::test
