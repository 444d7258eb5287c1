// The About box's library: frmAbout shown by the component through one exported
// function (AboutBoxLibrary.h).
#include <platform/automation/Guarded.h>

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QThread>

#include <tagcomponent/ComponentServices.h>
#include <tagcomponent/ocx/AboutBoxLibrary.h>
#include <tagcomponent/about/frmAbout.h>

namespace {

// An empty picture if the bytes are missing or unreadable, which leaves the box usable.
QPixmap pictureOf(const unsigned char* bytes, std::size_t size, const char* format) {
  QPixmap picture;
  if (bytes && size > 0) picture.loadFromData(bytes, static_cast<uint>(size), format);
  return picture;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) platform::automation::HRESULT lyreboxShowAboutBox(
    const unsigned char* image, std::size_t imageSize, const unsigned char* icon, std::size_t iconSize) {
  static_assert(std::is_same_v<decltype(&lyreboxShowAboutBox), tagcomponent::ocx::ShowAboutBoxFunction>);
  return platform::automation::guarded([&]() -> platform::automation::HRESULT {
    // Widgets live only on a widget application's own thread.
    const auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!application || QThread::currentThread() != application->thread())
      return tagcomponent::LYREBOX_E_NOWINDOWSYSTEM;
    // Made afresh on every call, so the texts are filled anew each time.
    tagcomponent::about::frmAbout dialog(pictureOf(image, imageSize, "BMP"), QIcon(pictureOf(icon, iconSize, "ICO")));
    dialog.exec();
    return platform::automation::S_OK;
  });
}
