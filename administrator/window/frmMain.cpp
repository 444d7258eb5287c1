#include <administrator/window/frmMain.h>

#include <QCoreApplication>
#include <QEvent>
#include <QKeySequence>
#include <QShortcut>
#include <QTabBar>
#include <algorithm>
#include <map>
#include <memory>
#include <platform/ui/FolderReading.h>
#include <platform/ui/FontScale.h>
#include <platform/ui/Twips.h>

#include <administrator/window/CaptionFit.h>
#include <administrator/window/PlainMessageBox.h>
#include <administrator/window/PreviewDialog.h>
#include <administrator/window/RunGuard.h>

namespace administrator::window {
namespace {

using platform::ui::DirListBox;
using platform::ui::DriveListBox;
using platform::ui::TwipsScale;

// The window's client area and the tab control's place on it, in twips.
constexpr int kClientWidth = 6630, kClientHeight = 5385;
constexpr int kTabLeft = 120, kTabTop = 120, kTabWidth = 6375, kTabHeight = 5175, kTabStripHeight = 520;

bool captionsFit(const std::vector<const WizardPage*>& pages, const TwipsScale& scale) {
  for (const WizardPage* page : pages)
    for (const Placement& p : page->layout())
      if (!captionFits(*p.control, scale.rect(p.left, p.top, p.width, p.height))) return false;
  return true;
}

// The font's measure gives the scale; a caption whose letters run wider than the
// font's average would still be cut, so the whole layout grows a little more until
// every caption reads whole.
TwipsScale scaleForFont(const QWidget& window, const std::vector<const WizardPage*>& pages) {
  const double dpi = window.logicalDpiX();
  const QSizeF byFont = platform::ui::fontScale(window.font(), dpi);
  const TwipsScale scale(dpi, byFont.width(), byFont.height());
  constexpr double kStep = 0.02, kLargest = 3.0;
  for (double growth = 1.0; growth < kLargest; growth += kStep)
    if (captionsFit(pages, scale.grownBy(growth))) return scale.grownBy(growth);
  return scale.grownBy(kLargest);
}

}  // namespace

frmMain::frmMain(WindowServices services, QWidget* parent) : QWidget(parent), services_(std::move(services)) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("Mervalis"));
  createControls();
  placeControls();
  setKeyboardOrder();
  connectHandlers();
  connectKeyboard();
  Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::createControls() {
  SSTab1 = new QTabWidget(this);
  SSTab1->setObjectName(QStringLiteral("SSTab1"));
  for (const char* caption : {"Database", "MP3's", "Process"})
    SSTab1->addTab(new QWidget(), QString::fromUtf8(caption));

  // One mount table for the window: every list asks the same questions of it.
  const auto drives = std::make_shared<platform::ui::DriveTable>();
  databasePage_ = std::make_unique<DatabasePage>(*SSTab1, drives);
  mp3sPage_ = std::make_unique<Mp3sPage>(*SSTab1, drives);
  processPage_ = std::make_unique<ProcessPage>(*SSTab1);
  pages_ = {databasePage_.get(), mp3sPage_.get(), processPage_.get()};

  const DatabasePage::Controls& database = databasePage_->controls();
  lblDBase = database.lblDBase;
  Dir1 = database.Dir1;
  Drive1 = database.Drive1;
  File1 = database.File1;
  cmdExit1 = database.cmdExit1;
  cmdNext1 = database.cmdNext1;
  const Mp3sPage::Controls& mp3s = mp3sPage_->controls();
  Label1 = mp3s.Label1;
  Label3 = mp3s.Label3;
  Dir2 = mp3s.Dir2;
  Drive2 = mp3s.Drive2;
  File2 = mp3s.File2;
  Label2 = mp3s.Label2;
  Dir3 = mp3s.Dir3;
  Drive3 = mp3s.Drive3;
  Label4 = mp3s.Label4;
  Lyrebox1 = mp3s.Lyrebox1;
  cmdPrev2 = mp3s.cmdPrev2;
  cmdNext2 = mp3s.cmdNext2;
  cmdPreview = mp3s.cmdPreview;
  const ProcessPage::Controls& process = processPage_->controls();
  lbllog = process.lbllog;
  cmdExit3 = process.cmdExit3;
  cmdAboutLyrebox = process.cmdAboutLyrebox;
  cmdPrev3 = process.cmdPrev3;
  cmdGo = process.cmdGo;
  runView_ = std::make_unique<WindowRunView>(*lbllog, *this, *cmdGo);
}

void frmMain::placeControls() {
  const TwipsScale scale = scaleForFont(*this, pages_);
  resize(scale.x(kClientWidth), scale.y(kClientHeight));
  SSTab1->setGeometry(scale.rect(kTabLeft, kTabTop, kTabWidth, kTabHeight));
  SSTab1->tabBar()->setStyleSheet(QStringLiteral("QTabBar::tab { height: %1px; }").arg(scale.y(kTabStripHeight)));
  for (const WizardPage* page : pages_) page->place(scale);
}

// The keyboard goes through the controls in the layout's order, across all pages:
// those of hidden pages are passed over.
void frmMain::setKeyboardOrder() {
  std::map<int, QWidget*> keyboardOrder;
  for (const WizardPage* page : pages_)
    for (const Placement& p : page->layout())
      if (takesFocus(p)) keyboardOrder[p.tabIndex] = p.control;
  QWidget* previous = SSTab1;
  for (const auto& [index, control] : keyboardOrder) {
    setTabOrder(previous, control);
    previous = control;
  }
}

void frmMain::connectHandlers() {
  connect(SSTab1, &QTabWidget::currentChanged, this, &frmMain::showPage);
  connect(cmdNext1, &QPushButton::clicked, this, &frmMain::cmdNext1_Click);
  connect(cmdPrev2, &QPushButton::clicked, this, &frmMain::cmdPrev2_Click);
  connect(cmdPrev3, &QPushButton::clicked, this, &frmMain::cmdPrev3_Click);
  connect(cmdExit1, &QPushButton::clicked, this, &frmMain::cmdExit1_Click);
  connect(cmdExit3, &QPushButton::clicked, this, &frmMain::cmdExit3_Click);
  connect(cmdAboutLyrebox, &QPushButton::clicked, this, &frmMain::cmdAboutLyrebox_Click);
  connect(cmdGo, &QPushButton::clicked, this, &frmMain::cmdGo_Click);
  connect(cmdPreview, &QPushButton::clicked, this, &frmMain::cmdPreview_Click);
  connect(Drive1, &DriveListBox::Change, this, &frmMain::Drive1_Change);
  connect(Dir1, &DirListBox::Change, this, &frmMain::Dir1_Change);
  connect(Drive2, &DriveListBox::Change, this, &frmMain::Drive2_Change);
  connect(Dir2, &DirListBox::Change, this, &frmMain::Dir2_Change);
  connect(Drive3, &DriveListBox::Change, this, &frmMain::Drive3_Change);
  for (DriveListBox* drive : {Drive1, Drive2, Drive3})
    connect(drive, &DriveListBox::listError, this, [this](const QString& why) { showListError(why); });
  for (DirListBox* dir : {Dir1, Dir2, Dir3})
    connect(dir, &DirListBox::listError, this, [this](const QString& why) { showListError(why); });
}

// Ctrl+Tab and Ctrl+PgDown go to the next page, with Shift or PgUp to the one before,
// wherever the focus is on the window: the lists would take PgDown for themselves.
void frmMain::connectKeyboard() {
  const std::pair<QKeySequence, int> steps[] = {
      {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},      {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
      {QKeySequence(Qt::CTRL | Qt::Key_Backtab), -1}, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
      {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1},
  };
  for (const auto& [keys, step] : steps) {
    auto* shortcut = new QShortcut(keys, this);  // owned by the window
    connect(shortcut, &QShortcut::activated, this, [this, step = step] { stepPage(step); });
  }
}

// During a run the run guard keeps these keys away, as it does every input.
void frmMain::stepPage(int step) {
  const int count = SSTab1->count();
  SSTab1->setCurrentIndex((SSTab1->currentIndex() + step + count) % count);
}

// Only the current page's controls are shown. A focus left on a page that goes
// moves to the new page's first control in the keyboard order.
void frmMain::showPage(int page) {
  const WizardPage& shown = *pages_.at(static_cast<std::size_t>(page));
  QWidget* focused = focusWidget();
  const bool focusLeavesPage = !shown.holds(focused) && std::any_of(pages_.begin(), pages_.end(),
                                                                    [focused](auto* p) { return p->holds(focused); });
  shown.setCurrent(true);
  for (const WizardPage* other : pages_)
    if (other != &shown) other->setCurrent(false);
  if (QWidget* first = shown.firstInKeyboardOrder(); focusLeavesPage && first) first->setFocus(Qt::TabFocusReason);
}

// A new font gives the layout a new size: the window keeps it at that font.
void frmMain::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange && SSTab1) placeControls();  // once the controls exist
  QWidget::changeEvent(event);
}

void frmMain::Form_Load() {
  SSTab1->setCurrentIndex(0);
  showPage(0);
}

void frmMain::cmdNext1_Click() { SSTab1->setCurrentIndex(1); }
void frmMain::cmdPrev2_Click() { SSTab1->setCurrentIndex(0); }
void frmMain::cmdPrev3_Click() { SSTab1->setCurrentIndex(1); }
void frmMain::cmdExit1_Click() { endProgram(); }
void frmMain::cmdExit3_Click() { endProgram(); }

void frmMain::cmdAboutLyrebox_Click() {
  if (const QString error = services_.showAbout(); !error.isEmpty())
    showPlainMessage(this, QMessageBox::Warning, error);
}

// During a run the same button is its Stop, the one control that acts.
void frmMain::cmdGo_Click() {
  if (running_) {
    if (importing_) runView_->requestStop();
    return;
  }
  const importrun::RunInputs inputs = readRunInputs();
  importing_ = true;
  runView_->beginRun();
  (void)whileHeld(
      [&] {
        services_.runImport(inputs, *runView_);
        // Whatever the run did or did not show, the whole log stands when it ends.
        lbllog->showPending();
        runView_->endRun();
      },
      cmdGo);
  importing_ = false;
  // Asked for in the run's summary box, after the run has let the catalogue go.
  if (const std::string run = runView_->takeUndoRequest(); !run.empty() && services_.undoRun)
    (void)whileHeld([&] {
      services_.undoRun(run, *runView_);
      lbllog->showPending();
    });
}

// The plan reads every tag through the component, so it holds the window as a run
// does; the dialog comes after, with the window taking input again.
void frmMain::cmdPreview_Click() {
  if (running_) return;
  importrun::RunInputs inputs = readRunInputs();
  if (File1->fileName().isEmpty()) inputs.cataloguePath.clear();
  RunPreview preview;
  if (!whileHeld([&] { preview = services_.preview(inputs); })) return;
  PreviewDialog dialog(inputs, preview, this);
  dialog.exec();
}

bool frmMain::whileHeld(const std::function<void()>& work, QWidget* stopControl) {
  running_ = true;
  bool closeRequested = false;
  {
    RunGuard guard(*this, stopControl);
    work();
    closeRequested = guard.closeWasRequested();
  }
  running_ = false;
  if (closeRequested) close();
  return !closeRequested;
}

void frmMain::Drive1_Change() { (void)listMoved(Dir1->setPath(Drive1->drive())); }
void frmMain::Dir1_Change() { (void)listMoved(File1->setPath(Dir1->path())); }

void frmMain::Drive2_Change() {
  if (listMoved(Dir2->setPath(Drive2->drive()))) (void)listMoved(Drive3->setDrive(Drive2->drive()));
}

void frmMain::Dir2_Change() {
  if (listMoved(File2->setPath(Dir2->path()))) (void)listMoved(Dir3->setPath(Dir2->path()));
}

void frmMain::Drive3_Change() { (void)listMoved(Dir3->setPath(Drive3->drive())); }

void frmMain::endProgram() { services_.quit(); }

bool frmMain::listMoved(const platform::ui::ListResult& result) {
  if (!result) showListError(result.reason());
  return result.ok();
}

void frmMain::showListError(const QString& reason) { showPlainMessage(this, QMessageBox::Warning, reason); }

// The lists' text carries each byte of a name that is not UTF-8; the run needs the
// bytes themselves, or it would look for a folder that is not there.
importrun::RunInputs frmMain::readRunInputs() const {
  using platform::ui::toFsPath;
  return {toFsPath(Dir1->path() + QStringLiteral("/") + File1->fileName()).string(), toFsPath(Dir2->path()).string(),
          toFsPath(Dir3->path()).string()};
}

}  // namespace administrator::window
