// Turns the component's icon into the PNGs that desktop menus show for the program,
// at its own size or scaled to the size a theme folder asks for.
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <cstdlib>

namespace {

// Whole multiples keep the pixel art crisp; other sizes are smoothed.
QImage scaled(const QImage& icon, int size) {
  const bool whole = size % icon.width() == 0 && size % icon.height() == 0;
  return icon.scaled(size, size, Qt::KeepAspectRatio, whole ? Qt::FastTransformation : Qt::SmoothTransformation);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: %s ICON.ico OUT.png [SIZE]\n", argv[0]);
    return 2;
  }
  const int size = argc == 4 ? std::atoi(argv[3]) : 0;
  if (argc == 4 && (size < 1 || size > 1024)) {
    std::fprintf(stderr, "%s: SIZE must be 1 to 1024, not %s\n", argv[0], argv[3]);
    return 2;
  }
  QImage icon(QString::fromLocal8Bit(argv[1]));
  if (!icon.isNull() && size > 0) icon = scaled(icon, size);
  if (icon.isNull() || !icon.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::fprintf(stderr, "cannot convert %s to %s\n", argv[1], argv[2]);
    return 1;
  }
  return 0;
}
