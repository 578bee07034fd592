// TQorvDlgClient: the whole user interface, built from dialog template 2000 and filling the main
// frame. It owns the controls, the fonts, the Chapter list and the session (the current Chapter,
// the statistics block, the history ring, the generator and the Store), and shows what the
// session does: it is the display and the commands.
//
// Threading: everything runs on the user-interface thread except the Chapter load thread, which
// reaches the dialog only through ShowProgressGauge, SetProgress and the hand-over at its end; each
// of those is a blocking request carried out on the user-interface thread (UiThreadRequests).
// While the thread runs the session holds no Chapter and the controls that would touch one are
// disabled. Destroying the dialog during a load abandons the load's remaining requests and joins
// the thread; it serves no event loop.
#pragma once

#include <QWidget>
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/dialog_fonts.h"
#include "app/dialog_template.h"
#include "app/text_viewer.h"
#include "chapter/client.h"
#include "deny/deny_list.h"
#include "generator/generation_request.h"
#include "session/chapter_list.h"
#include "session/lexicon_session.h"

class QButtonGroup;
class QComboBox;
class QFileSystemWatcher;
class QTimer;
class QLabel;
class QMenu;
class QLineEdit;
class QProgressBar;
class QScrollBar;
class TGlyphButton;
class UiThreadRequests;

class TQorvDlgClient : public QWidget, public qorv::LoadGauge {
  Q_OBJECT

 public:
  enum class DisplayStyle { kName, kMessage };

  // Opens a file for the user to read, without waiting.
  using FileViewer = std::function<void(const std::string& file_name)>;

  explicit TQorvDlgClient(QWidget* parent = nullptr);
  ~TQorvDlgClient() override;

  TQorvDlgClient(const TQorvDlgClient&) = delete;
  TQorvDlgClient& operator=(const TQorvDlgClient&) = delete;

  // The control with a template id, or nullptr.
  QWidget* Control(int id) const;
  TGlyphButton* Button(int id) const;
  // Whether the check box or radio button `id` is checked.
  bool IsChecked(int id) const;

  // The commands of the command table.
  void ToggleOptions();
  void MinimizeMain();
  void ShowHelp();
  void GenerateNext();
  void StoreName();
  void StorePage();
  void ClearStore();
  void ViewStore();
  void ViewLog();
  void StartChapterLoad();
  // Picks the Chapter list's entry of `file_name` (a file of the Chapter folder) and starts its
  // load, as the user's pick does; false when the list has no such entry or a load runs.
  bool PickChapterFile(const std::string& file_name);
  void BrowseHistory();
  void CheckPageSize();

  // The name display and the options.
  void ShowInDisplay(const std::string& text, DisplayStyle style);
  void ShowAbout();
  void ApplyAutomaticOptions(const qorv::TQorvChapter& chapter);
  qorv::GenerationRequest ReadGenerationOptions();
  void UpdateHint(const QPoint& global_position);

  // Copies the name on display to the clipboard (Ctrl+C); nothing while the display shows the
  // About line, a Chapter heading, a message or nothing.
  void CopyShownName();
  // The name on display in Unicode; empty when the display shows no name.
  const QString& ShownNameText() const { return shown_name_; }
  // A new context menu of the name display (Copy), owned by the dialog.
  QMenu* NameDisplayMenu();

  // The generate command's parts. A name that holds a word of the Chapter folder's "deny.txt"
  // is taken back and another made, within the attempt limit of one name.
  std::optional<std::string> GenerateName();
  // Reads "deny.txt" of the Chapter folder, when there is one, as every Chapter load does; a
  // line that is not a word is skipped.
  void ReadDenyList();
  const qorv::DenyList& DenyList() const { return deny_list_; }
  void ShowHistoryEntry(int n);
  void ShowPosition();

  // The load's gauge: called by the loader on the load thread.
  void ShowProgressGauge() override;
  void SetProgress(int value) override;

  // Blocks until a running load has ended, carrying out its requests meanwhile. Called before
  // the main window closes, so that the thread never outlives the tables it fills.
  void WaitForLoad();
  bool LoadRunning() const { return load_thread_.joinable(); }

  // State, for the frame and the tests.
  qorv::LexiconSession& Session() { return session_; }
  const qorv::LexiconSession& Session() const { return session_; }
  bool OptionsShown() const { return options_shown_; }
  void SetOptionsShown(bool shown) { options_shown_ = shown; }
  bool LoadingChapter() const { return loading_chapter_; }
  const std::vector<qorv::ChapterListEntry>& ChapterList() const { return chapter_list_; }
  const std::string& SelectedChapterFile() const { return selected_chapter_file_; }
  const qorv::app::DialogFonts& Fonts() const { return fonts_; }
  qorv::app::DialogBaseUnits BaseUnits() const { return base_units_; }

  // Test seams: the file viewer, and the desktop's opener that the default viewer asks first
  // (the driver and the Store's clock are the session's).
  void SetFileViewer(FileViewer viewer) { file_viewer_ = std::move(viewer); }
  void SetDesktopOpener(qorv::app::DesktopOpener opener) { desktop_opener_ = std::move(opener); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void CreateControls();
  void SetUpControls();
  void RunCreation();
  void WireCommands();
  void SetUpKeyboard();
  void ScanChapters();
  void WatchChapterFolder();
  void WatchChapterFiles();
  void ShowNoChapter();
  const qorv::ChapterListEntry& ChapterListEntryAt(int row) const;
  int ChapterRow(const std::string& file_name) const;
  void LoadThread(std::string file_name, int expected_name_count);
  void FinishChapterLoad(std::unique_ptr<qorv::TQorvChapter> chapter);
  void ShowGauge(bool shown);
  // What a store did: the names that reached the file, and the failure that stopped it.
  struct StoreOutcome {
    int Stored = 0;
    qorv::Result<void> Written;    // success, or the failure that stopped the store
    bool KeptForeignFile = false;  // a foreign "STORED.txt" was kept as "STORED.bak"
  };
  StoreOutcome AppendToStore(int n);
  void ShowStoreFailure(const StoreOutcome& outcome, int asked);
  void ViewFile(const char* file_name);
  std::string PageSizeText() const;

  // Controls, by id.
  std::map<int, QWidget*> controls_;
  QComboBox* chapter_combo_ = nullptr;
  QComboBox* initial_letter_ = nullptr;
  QLabel* name_display_ = nullptr;
  QLabel* status_line_ = nullptr;
  QLabel* hint_line_ = nullptr;
  QScrollBar* history_bar_ = nullptr;
  QProgressBar* gauge_ = nullptr;
  QLineEdit* page_size_ = nullptr;
  QButtonGroup* level_group_ = nullptr;
  QButtonGroup* validation_group_ = nullptr;

  qorv::app::DialogFonts fonts_;
  qorv::app::DialogBaseUnits base_units_{};

  std::string selected_chapter_file_;
  int selected_name_count_ = 0;
  std::vector<qorv::ChapterListEntry> chapter_list_;
  // The folder the list shows (the current directory at creation), watched for changes.
  QString chapter_folder_;
  QFileSystemWatcher* folder_watcher_ = nullptr;
  qorv::DenyList deny_list_;  // empty without a deny.txt
  QTimer* rescan_timer_ = nullptr;
  bool options_shown_ = false;
  bool loading_chapter_ = false;
  QString shown_name_;

  // The destructor joins the load thread before any member goes.
  qorv::LexiconSession session_;
  UiThreadRequests* ui_requests_ = nullptr;  // a child of the dialog
  std::thread load_thread_;
  std::atomic<bool> load_finished_{false};

  FileViewer file_viewer_;
  qorv::app::DesktopOpener desktop_opener_ = &qorv::app::OpenWithDesktop;
};
