// Renders the program's icon, drawn as SVG, to the PNG sizes of the hicolor icon theme:
//     make_icons icon.svg out-dir size...
// writes out-dir/<size>x<size>/<name>.png for each size, with Qt's own SVG renderer.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: make_icons icon.svg out-dir size...\n");
        return 2;
    }
    const QString svg = args[1];
    const QString name = QFileInfo(svg).completeBaseName();
    for (const QString& sizeText : args.mid(3)) {
        const int size = sizeText.toInt();
        QImageReader reader(svg);
        reader.setScaledSize(QSize(size, size));
        const QImage image = reader.read();
        const QString dir = QStringLiteral("%1/%2x%2").arg(args[2]).arg(size);
        if (image.isNull() || !QDir().mkpath(dir) || !image.save(dir + QLatin1Char('/') + name + ".png")) {
            std::fprintf(stderr, "make_icons: cannot render %s at %d pixels\n", qPrintable(svg), size);
            return 1;
        }
    }
    return 0;
}
