#include "app/main_frame.h"

#include <QCloseEvent>
#include <QResizeEvent>

#include "app/client_dialog.h"
#include "app/control_ids.h"
#include "app/dialog_texts.h"
#include "app/glyph_button.h"
#include "app/help_viewer.h"
#include "app/resource_files.h"

using namespace qorv::app;

TSDIDecFrame::TSDIDecFrame(const QString& title, TQorvDlgClient* client)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint) {
  setWindowTitle(title);
  setWindowIcon(qorv::app::ApplicationIcon());
  setAttribute(Qt::WA_DeleteOnClose, false);
  client_ = client != nullptr ? client : new TQorvDlgClient(this);
  client_->setParent(this);
  client_->move(0, 0);
  // The frame shrinks to its client, collapsed: the option area starts hidden.
  SetClientSize(CollapsedClientSize());
  client_->SetOptionsShown(false);
}

QSize TSDIDecFrame::CollapsedClientSize() const {
  const QRect marker = client_->Control(kIdOptionAreaMarker)->geometry();
  return QSize(marker.x() + marker.width() - kDialogFrameMetric,
               marker.y() - 3 * kDialogFrameMetric);
}

QSize TSDIDecFrame::ExpandedClientSize() const {
  const QRect marker = client_->Control(kIdBottomMarker)->geometry();
  return QSize(marker.x() + marker.width() - kDialogFrameMetric,
               marker.y() + marker.height() - kDialogFrameMetric);
}

void TSDIDecFrame::SetClientSize(QSize size) {
  // Neither the user nor the window manager may resize the window; only the program does.
  setFixedSize(size);
}

void TSDIDecFrame::ToggleOptions() {
  const bool shown = !client_->OptionsShown();
  SetClientSize(shown ? ExpandedClientSize() : CollapsedClientSize());
  client_->Button(kIdOptions)->SetGlyphs(shown ? kGlyphOptionsShown : kGlyphOptionsHidden);
  client_->SetOptionsShown(shown);
}

void TSDIDecFrame::MinimizeMain() {
  showMinimized();
}

void TSDIDecFrame::ShowHelp(QWidget* owner) {
  OpenHelpTopics(owner, QString::fromLatin1(kHelpFileName));
}

void TSDIDecFrame::resizeEvent(QResizeEvent* event) {
  // The client dialog always fills the frame's client area.
  client_->resize(event->size());
  QWidget::resizeEvent(event);
}

void TSDIDecFrame::closeEvent(QCloseEvent* event) {
  // A Chapter load must end before the dialog and its tables go.
  client_->WaitForLoad();
  QWidget::closeEvent(event);
}
