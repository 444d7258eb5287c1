#include "frmMain.h"

#include <QCoreApplication>
#include <QTabBar>
#include <algorithm>
#include <map>
#include <memory>
#include <ui/FolderReading.h>
#include <ui/Twips.h>

#include "RunGuard.h"
#include "PlainMessageBox.h"
#include "SummaryBox.h"

namespace mervalis {
namespace {

using platform::ui::DirListBox;
using platform::ui::DriveListBox;
using platform::ui::FileListBox;
using platform::ui::twipsRect;
using platform::ui::twipsToPixels;

constexpr int kNoTabIndex = -1;

QLabel* makeLabel(const QString& caption, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

}  // namespace

frmMain::frmMain(WindowServices services, QWidget* parent) : QWidget(parent), services_(std::move(services)) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("Mervalis"));
  createControls();
  placeControls();
  connectHandlers();
  Form_Load();
}

void frmMain::createControls() {
  SSTab1 = new QTabWidget(this);
  for (const char* caption : {"Database", "MP3's", "Process"})
    SSTab1->addTab(new QWidget(), QString::fromUtf8(caption));

  // Every control lies on the tab control itself, so its position counts from the
  // tab control's top-left corner; the page switch shows one page's controls.
  QWidget* tab = SSTab1;
  // One mount table for the window: every list asks the same questions of it.
  const auto drives = std::make_shared<platform::ui::DriveTable>();
  lblDBase = makeLabel(QStringLiteral("Select the MP3 Database"), tab);
  Dir1 = new DirListBox(drives, tab);
  Drive1 = new DriveListBox(drives, tab);
  File1 = new FileListBox(tab);
  cmdExit1 = new QPushButton(QStringLiteral("Exit"), tab);
  cmdNext1 = new QPushButton(QStringLiteral("Next >"), tab);
  Label1 = makeLabel(QStringLiteral("Source Directory"), tab);
  Label3 = makeLabel(QStringLiteral("Will process selected directory and one level below"), tab);
  Dir2 = new DirListBox(drives, tab);
  Drive2 = new DriveListBox(drives, tab);
  File2 = new FileListBox(tab);
  Label2 = makeLabel(QStringLiteral("Root MP3 Destination Directory"), tab);
  Dir3 = new DirListBox(drives, tab);
  Drive3 = new DriveListBox(drives, tab);
  Label4 = makeLabel(
      QStringLiteral("MP3s will be moved to: <Dest Dir> \\ <Artist> \\ <Album> \\ <Track Title>.mp3"), tab);
  Lyrebox1 = new QWidget(tab);
  cmdPrev2 = new QPushButton(QStringLiteral("< Previous"), tab);
  cmdNext2 = new QPushButton(QStringLiteral("Next >"), tab);
  lbllog = new LogView(QStringLiteral("Log Report"), tab);
  cmdExit3 = new QPushButton(QStringLiteral("Exit"), tab);
  cmdAboutLyrebox = new QPushButton(QStringLiteral("About Lyrebox"), tab);
  cmdPrev3 = new QPushButton(QStringLiteral("< Previous"), tab);
  cmdGo = new QPushButton(QStringLiteral("Process"), tab);

  (void)File1->setPattern(QStringLiteral("*.mdb"));
  (void)File2->setPattern(QStringLiteral("*.mp3"));
  Lyrebox1->setFocusPolicy(Qt::NoFocus);
}

void frmMain::placeControls() {
  struct Placement {
    QWidget* control;
    int page, left, top, width, height, tabIndex;
  };
  const Placement layout[] = {
      {lblDBase, 0, 480, 600, 3735, 495, 4},      {Dir1, 0, 480, 960, 2055, 1440, 2},
      {Drive1, 0, 480, 2520, 2055, 315, 1},       {File1, 0, 2760, 960, 2055, 1845, 3},
      {cmdExit1, 0, 3360, 4680, 1335, 375, 22},   {cmdNext1, 0, 4800, 4680, 1335, 375, 18},
      {Label1, 1, 360, 600, 1455, 375, 13},       {Label3, 1, 360, 1200, 1455, 855, 16},
      {Dir2, 1, 2040, 600, 1815, 1440, 6},        {Drive2, 1, 2040, 2280, 1815, 315, 5},
      {File2, 1, 3960, 600, 2175, 2040, 8},       {Label2, 1, 240, 2760, 2295, 255, 14},
      {Dir3, 1, 240, 3120, 1935, 1440, 12},       {Drive3, 1, 240, 4680, 1935, 315, 11},
      {Label4, 1, 2400, 3240, 2775, 495, 17},     {Lyrebox1, 1, 5760, 4080, 495, 495, kNoTabIndex},
      {cmdPrev2, 1, 3360, 4680, 1335, 375, 20},   {cmdNext2, 1, 4800, 4680, 1335, 375, 19},
      {lbllog, 2, 240, 480, 5895, 4095, 9},       {cmdExit3, 2, 480, 4680, 1335, 375, 15},
      {cmdAboutLyrebox, 2, 1920, 4680, 1335, 375, 10}, {cmdPrev3, 2, 3360, 4680, 1335, 375, 21},
      {cmdGo, 2, 4800, 4680, 1335, 375, 7},
  };
  const double dpi = logicalDpiX();
  resize(twipsToPixels(6630, dpi), twipsToPixels(5385, dpi));
  SSTab1->setGeometry(twipsRect(*this, 120, 120, 6375, 5175));
  SSTab1->tabBar()->setStyleSheet(QStringLiteral("QTabBar::tab { height: %1px; }").arg(twipsToPixels(520, dpi)));

  std::map<int, QWidget*> keyboardOrder;
  for (const auto& p : layout) {
    p.control->setGeometry(twipsRect(*this, p.left, p.top, p.width, p.height));
    p.control->setProperty("page", p.page);
    if (p.tabIndex != kNoTabIndex && p.control->focusPolicy() != Qt::NoFocus) keyboardOrder[p.tabIndex] = p.control;
  }
  QWidget* previous = SSTab1;
  for (const auto& [index, control] : keyboardOrder) {
    setTabOrder(previous, control);
    previous = control;
  }
  Lyrebox1->hide();
}

void frmMain::connectHandlers() {
  connect(SSTab1, &QTabWidget::currentChanged, this, [this](int page) {
    for (QObject* child : SSTab1->children())
      if (auto* control = qobject_cast<QWidget*>(child); control && control->property("page").isValid())
        control->setVisible(control != Lyrebox1 && control->property("page").toInt() == page);
  });
  connect(cmdNext1, &QPushButton::clicked, this, &frmMain::cmdNext1_Click);
  connect(cmdPrev2, &QPushButton::clicked, this, &frmMain::cmdPrev2_Click);
  connect(cmdPrev3, &QPushButton::clicked, this, &frmMain::cmdPrev3_Click);
  connect(cmdExit1, &QPushButton::clicked, this, &frmMain::cmdExit1_Click);
  connect(cmdExit3, &QPushButton::clicked, this, &frmMain::cmdExit3_Click);
  connect(cmdAboutLyrebox, &QPushButton::clicked, this, &frmMain::cmdAboutLyrebox_Click);
  connect(cmdGo, &QPushButton::clicked, this, &frmMain::cmdGo_Click);
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

void frmMain::Form_Load() {
  SSTab1->setCurrentIndex(0);
  emit SSTab1->currentChanged(0);
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

void frmMain::cmdGo_Click() {
  if (running_) return;
  running_ = true;
  const RunInputs inputs = readRunInputs();
  bool closeRequested = false;
  {
    RunGuard guard(*this);
    services_.runImport(inputs, *this);
    // Whatever the run did or did not show, the whole log stands when it ends.
    lbllog->showPending();
    closeRequested = guard.closeWasRequested();
  }
  running_ = false;
  if (closeRequested) close();
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
RunInputs frmMain::readRunInputs() const {
  using platform::ui::toFsPath;
  return {toFsPath(Dir1->path() + QStringLiteral("/") + File1->fileName()).string(), toFsPath(Dir2->path()).string(),
          toFsPath(Dir3->path()).string()};
}

void frmMain::clearLog() { lbllog->setCaption(QString()); }

void frmMain::appendLog(std::u16string_view text) {
  lbllog->append(QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
}

void frmMain::showSummary(const std::u16string& summary) {
  // The message comes after the run, with the window taking input again and the
  // whole log shown.
  lbllog->showPending();
  showSummaryBox(this, QString::fromStdU16String(summary));
}

}  // namespace mervalis
