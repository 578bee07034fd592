// TSDIDecFrame: the main window. A fixed-size top-level window (title bar, system menu, minimise
// box; no maximise box, no sizing border) whose client is the dialog TQorvDlgClient. Only the
// program changes its size: collapsed, the option area lies below its lower edge; ToggleOptions
// uncovers or covers it, keeping the top-left corner where it is.
#pragma once

#include <QWidget>

class TQorvDlgClient;

class TSDIDecFrame : public QWidget {
  Q_OBJECT

 public:
  // Creates the client dialog itself when none is given.
  explicit TSDIDecFrame(const QString& title, TQorvDlgClient* client = nullptr);

  TQorvDlgClient* Client() const { return client_; }

  // The services the dialog's commands use.
  void ToggleOptions();
  void MinimizeMain();
  // The About line, then the help topics owned by `owner`.
  void ShowHelp(QWidget* owner);

  // The client sizes of the two states, from the layout markers.
  QSize CollapsedClientSize() const;
  QSize ExpandedClientSize() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void SetClientSize(QSize size);

  TQorvDlgClient* client_ = nullptr;
};

// The width of the dialog frame that the layout markers were placed for: the window ends this
// far inside the markers' right edge, and the collapsed view three frames above the option area.
inline constexpr int kDialogFrameMetric = 3;
