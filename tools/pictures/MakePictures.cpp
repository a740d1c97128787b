// Writes the pictures that sit beside the programs: "title.ico" (the
// program icon) and "background.bmp" (the main window's background tile),
// both drawn by the programs' own picture code. With --icons, the program
// icon at each of its drawn sizes as "radio-clone-suite-SIZE.png" instead,
// for the desktop's icon theme.
//
//   make_pictures DIRECTORY
//   make_pictures --icons DIRECTORY

#include "AtomicFile.h"
#include "Pictures.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImageWriter>

#include <cstdio>
#include <string>
#include <string_view>

namespace {

bool Write(const QImage& image, const QString& path, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(image)) {
        std::fprintf(stderr, "make_pictures: %s: %s\n", qPrintable(path),
                     qPrintable(writer.errorString()));
        return false;
    }
    std::string error;
    if (!radio::WriteFileAtomically(
            path.toStdString(),
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), error)) {
        std::fprintf(stderr, "make_pictures: %s\n", error.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const bool icons = argc == 3 && std::string_view(argv[1]) == "--icons";
    if (argc != 2 && !icons) {
        std::fprintf(stderr, "usage: make_pictures [--icons] DIRECTORY\n");
        return 2;
    }
    // Drawing text and gradients needs a GUI application, not a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString directory = QString::fromLocal8Bit(argv[argc - 1]) + QStringLiteral("/");
    if (icons) {
        for (const int size : radio::kTitleIconSizes) {
            const QString name = QStringLiteral("radio-clone-suite-%1.png").arg(size);
            if (!Write(radio::TitleIconImage(size), directory + name, "png")) {
                return 1;
            }
        }
        return 0;
    }
    // A 24-bit tile, as the programs' own bitmap.
    const QImage tile = radio::BackgroundTile().convertToFormat(QImage::Format_RGB888);
    const bool ok =
        Write(radio::TitleIconImage(48), directory + QStringLiteral("title.ico"), "ico") &&
        Write(tile, directory + QStringLiteral("background.bmp"), "bmp");
    return ok ? 0 : 1;
}
