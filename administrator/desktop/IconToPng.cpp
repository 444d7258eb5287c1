// Turns the component's icon into the PNG that desktop menus show for the program.
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s ICON.ico OUT.png\n", argv[0]);
    return 2;
  }
  QImage icon(QString::fromLocal8Bit(argv[1]));
  if (icon.isNull() || !icon.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::fprintf(stderr, "cannot convert %s to %s\n", argv[1], argv[2]);
    return 1;
  }
  return 0;
}
