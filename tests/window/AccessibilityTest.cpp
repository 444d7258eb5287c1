// What a screen reader is told of the window's controls and its message boxes.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QMessageBox>
#include <QTabWidget>

#include <tests/support/ModalAnswerer.h>
#include <administrator/window/PlainMessageBox.h>
#include <tests/window/WindowTestSupport.h>

using namespace administrator::window;

namespace {

std::string accessibleText(QWidget* widget, QAccessible::Text which = QAccessible::Name) {
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
  return face ? face->text(which).toStdString() : "(no interface)";
}

TEST(Accessibility, EveryControlIsNamedAndListsByTheLabelsThatHeadThem) {
  const tests::window::CountingWindow made;
  // A drop-down is named by the drive it shows; its purpose is its description.
  const std::pair<const char*, const char*> dropDowns[] = {
      {"Drive1", "Database drive"}, {"Drive2", "Source drive"}, {"Drive3", "Destination drive"}};
  for (const auto& [control, purpose] : dropDowns) {
    auto* dropDown = made.control<platform::ui::DriveListBox>(control);
    ASSERT_NE(dropDown, nullptr) << control;
    EXPECT_EQ(accessibleText(dropDown), dropDown->drive().toStdString()) << control;
    EXPECT_EQ(accessibleText(dropDown, QAccessible::Description), purpose) << control;
  }
  const std::pair<const char*, const char*> names[] = {
      {"lblDBase", "Select the MP3 Database"},
      {"Dir1", "Select the MP3 Database"},
      {"File1", "Database files"},
      {"cmdExit1", "Exit"},
      {"cmdNext1", "Next >"},
      {"cmdNew1", "New..."},
      {"Label1", "Source Directory"},
      {"Label3", "Will process selected directory and one level below"},
      {"Dir2", "Source Directory"},
      {"File2", "Source MP3 files"},
      {"Label2", "Root MP3 Destination Directory"},
      {"Dir3", "Root MP3 Destination Directory"},
      {"Label4", "MP3s will be moved to: <Dest Dir> \\ <Artist> \\ <Album> \\ <Track Title>.mp3"},
      {"cmdPrev2", "< Previous"},
      {"cmdNext2", "Next >"},
      {"cmdPreview", "Preview"},
      {"lbllog", "Log Report"},
      {"cmdExit3", "Exit"},
      {"cmdAboutLyrebox", "About Lyrebox"},
      {"cmdPrev3", "< Previous"},
      {"cmdGo", "Process"},
  };
  for (const auto& [control, name] : names) {
    QWidget* widget = made.control(control);
    ASSERT_NE(widget, nullptr) << control;
    EXPECT_EQ(accessibleText(widget), name) << control;
  }
  QAccessibleInterface* log = QAccessible::queryAccessibleInterface(made.window->lbllog);
  EXPECT_TRUE(log->state().readOnly);
  EXPECT_FALSE(log->state().editable);
  // Nothing a person can reach goes unnamed, whatever a later control is called.
  for (QWidget* widget : made.window->SSTab1->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (widget->focusPolicy() != Qt::NoFocus) {
      EXPECT_NE(accessibleText(widget), "") << widget->objectName().toStdString();
    }
  }
}

TEST(Accessibility, AMessageBoxIsAnnouncedByItsTitleAndText) {
  QString name, description;
  ::tests::support::ModalAnswerer answerer([&](QWidget* modal) {
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(modal);
    name = box->text(QAccessible::Name);
    description = box->text(QAccessible::Description);
    modal->close();
  });
  showPlainMessage(nullptr, QMessageBox::Warning, QStringLiteral("The folder /music has gone."));
  ASSERT_EQ(answerer.answered, 1);
  EXPECT_EQ(name, QStringLiteral("Mervalis"));
  EXPECT_EQ(description, QStringLiteral("The folder /music has gone."));
}

}  // namespace
