#pragma once
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include <administrator/importrun/ImportRun.h>
#include <administrator/importrun/RunView.h>
#include <platform/ui/DirListBox.h>
#include <platform/ui/DriveListBox.h>
#include <platform/ui/FileListBox.h>

#include <administrator/window/DatabasePage.h>
#include <administrator/window/LogView.h>
#include <administrator/window/Mp3sPage.h>
#include <administrator/window/ProcessPage.h>
#include <administrator/window/RunPreview.h>
#include <administrator/window/WindowRunView.h>

namespace administrator::window {

// What the window asks of the rest of the program: the import run, what a run
// would do (touching nothing; an empty catalogue path: none is chosen), and the
// component's About box (an error text, empty on success).
struct WindowServices {
  std::function<void(const importrun::RunInputs&, importrun::RunView&)> runImport;
  std::function<RunPreview(const importrun::RunInputs&)> preview;
  // Takes a recorded run back, showing what it did as a run shows its log and summary.
  std::function<void(const std::string& runId, importrun::RunView&)> undoRun;
  std::function<QString()> showAbout;
  // Ends the program at once, without a question.
  std::function<void()> quit = [] { QCoreApplication::exit(0); };
};

// The program's one window: three pages walked through in order (choose the
// catalogue, choose the source and destination folders, run the import). Each page
// keeps its own controls and layout; the window holds the handlers, which link
// controls across pages. Its layout grows with its font (FontScale.h) until every
// caption reads whole, and keeps that size at that font.
class frmMain : public QWidget {
  Q_OBJECT
 public:
  explicit frmMain(WindowServices services, QWidget* parent = nullptr);
  ~frmMain() override;

  // The controls by their names, as the pages made them.
  QTabWidget* SSTab1 = nullptr;
  QLabel* lblDBase = nullptr;
  platform::ui::DirListBox* Dir1 = nullptr;
  platform::ui::DriveListBox* Drive1 = nullptr;
  platform::ui::FileListBox* File1 = nullptr;
  QPushButton* cmdExit1 = nullptr;
  QPushButton* cmdNext1 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label3 = nullptr;
  platform::ui::DirListBox* Dir2 = nullptr;
  platform::ui::DriveListBox* Drive2 = nullptr;
  platform::ui::FileListBox* File2 = nullptr;
  QLabel* Label2 = nullptr;
  platform::ui::DirListBox* Dir3 = nullptr;
  platform::ui::DriveListBox* Drive3 = nullptr;
  QLabel* Label4 = nullptr;
  QWidget* Lyrebox1 = nullptr;  // the component's place: it has no run-time appearance
  QPushButton* cmdPrev2 = nullptr;
  QPushButton* cmdNext2 = nullptr;
  QPushButton* cmdPreview = nullptr;
  LogView* lbllog = nullptr;
  QPushButton* cmdExit3 = nullptr;
  QPushButton* cmdAboutLyrebox = nullptr;
  QPushButton* cmdPrev3 = nullptr;
  QPushButton* cmdGo = nullptr;

  bool runInProgress() const { return running_; }

  // The run's view, also for callers that drive it without a run.
  importrun::RunView& runView() { return *runView_; }
  void clearLog() { runView_->clearLog(); }
  void appendLog(std::u16string_view text) { runView_->appendLog(text); }
  void showSummary(const std::u16string& summary) { runView_->showSummary(summary); }

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void createControls();
  void placeControls();
  void setKeyboardOrder();
  void connectHandlers();
  void connectKeyboard();
  void showPage(int page);
  void stepPage(int step);

  void Form_Load();
  void cmdNext1_Click();
  void cmdPrev2_Click();
  void cmdPrev3_Click();
  void cmdExit1_Click();
  void cmdExit3_Click();
  void cmdAboutLyrebox_Click();
  void cmdGo_Click();
  void cmdPreview_Click();
  void Drive1_Change();
  void Dir1_Change();
  void Drive2_Change();
  void Dir2_Change();
  void Drive3_Change();

  void endProgram();
  // A list that refused to move: say why; the window stays usable.
  bool listMoved(const platform::ui::ListResult& result);
  void showListError(const QString& reason);
  importrun::RunInputs readRunInputs() const;
  // Holds the window as a run does while `work` uses the component, whose yields
  // would otherwise let input in, all but the stop control's if one is given;
  // false when a close came meanwhile and was done.
  bool whileHeld(const std::function<void()>& work, QWidget* stopControl = nullptr);

  WindowServices services_;
  std::unique_ptr<DatabasePage> databasePage_;
  std::unique_ptr<Mp3sPage> mp3sPage_;
  std::unique_ptr<ProcessPage> processPage_;
  std::vector<const WizardPage*> pages_;
  std::unique_ptr<WindowRunView> runView_;
  bool running_ = false;
  bool importing_ = false;  // a run, not a preview, holds the window
};

}  // namespace administrator::window
