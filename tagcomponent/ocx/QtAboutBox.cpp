#include "QtAboutBox.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QThread>

#include "../ComponentServices.h"
#include "OwnResources.h"
#include "frmAbout.h"

namespace lyrebox {

namespace {

// A picture this library carries; an empty one if it is missing or unreadable,
// which leaves the box usable.
QPixmap ownPicture(const char* type, const char* format) {
  QPixmap picture;
  if (const auto bytes = ownResource(type, 1))
    picture.loadFromData(bytes->data(), static_cast<uint>(bytes->size()), format);
  return picture;
}

}  // namespace

automation::HRESULT showQtAboutBox() {
  // Widgets live only on a widget application's own thread.
  const auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
  if (!application || QThread::currentThread() != application->thread()) return LYREBOX_E_NOWINDOWSYSTEM;
  // Made afresh on every call, so the texts are filled anew each time. An
  // exception is turned into an HRESULT by About's fence.
  frmAbout dialog(ownPicture(kAboutImageType, "BMP"), QIcon(ownPicture(kAboutIconType, "ICO")));
  dialog.exec();
  return automation::S_OK;
}

}  // namespace lyrebox
