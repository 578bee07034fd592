// The keyboard and screen-reader side of the dialog: accessible names and tooltips of the glyph
// buttons, their shortcuts, and copying the name on display (Ctrl+C and the display's context
// menu).
#include <QClipboard>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>

#include "app/client_dialog.h"
#include "app/dialog_shortcuts.h"
#include "app/glyph_button.h"
#include "app/text_codec.h"

using namespace qorv::app;

void TQorvDlgClient::SetUpKeyboard() {
  for (const ButtonShortcut& entry : kButtonShortcuts) {
    TGlyphButton* button = Button(entry.Id);
    const QString hint = QString::fromLatin1(entry.Hint);
    button->setAccessibleName(hint);
    button->setToolTip(hint);
    if (*entry.Keys == '\0') continue;
    const QKeySequence keys(QString::fromLatin1(entry.Keys), QKeySequence::PortableText);
    button->setAccessibleDescription(keys.toString(QKeySequence::NativeText));
    // A shortcut presses the button as a click would: not while it is disabled or hidden.
    auto* shortcut = new QShortcut(keys, this);
    connect(shortcut, &QShortcut::activated, button, [button] {
      if (!button->isHidden()) button->click();
    });
  }
  // The Store-page button's hint carries the page size.
  const auto update_store_page_hint = [this] {
    const QString hint = QLatin1String(kHintStorePage) + FromCp1252(PageSizeText());
    Button(kIdStorePage)->setToolTip(hint);
    Button(kIdStorePage)->setAccessibleName(hint);
  };
  connect(page_size_, &QLineEdit::textChanged, this, update_store_page_hint);
  update_store_page_hint();

  auto* copy = new QShortcut(QKeySequence(QString::fromLatin1(kCopyNameKeys)), this);
  connect(copy, &QShortcut::activated, this, &TQorvDlgClient::CopyShownName);
  name_display_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(name_display_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    QMenu* menu = NameDisplayMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(name_display_->mapToGlobal(at));
  });
}

QMenu* TQorvDlgClient::NameDisplayMenu() {
  auto* menu = new QMenu(this);
  QAction* copy =
      menu->addAction(QString::fromLatin1(kCopyMenuText), this, &TQorvDlgClient::CopyShownName);
  copy->setShortcut(QKeySequence(QString::fromLatin1(kCopyNameKeys)));
  copy->setEnabled(!shown_name_.isEmpty());
  return menu;
}

void TQorvDlgClient::CopyShownName() {
  if (shown_name_.isEmpty()) return;
  QGuiApplication::clipboard()->setText(shown_name_);
}
