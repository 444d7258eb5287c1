#pragma once
#include <QMessageBox>
#include <QString>

namespace administrator::window {

// A message box titled "Mervalis" whose text is shown as it stands. Its texts hold
// names of files and folders and tag fields: a file named "<b>Intro.mp3" must not
// turn the message bold and run its lines together.
// A box may offer one more button beside OK; true when that one was chosen.
bool showPlainMessage(QWidget* parent, QMessageBox::Icon icon, const QString& text, const QString& details = {},
                      const QString& otherButton = {});

}  // namespace administrator::window
