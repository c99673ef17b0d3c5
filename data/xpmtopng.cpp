// Build tool: converts the program's XPM icon into the PNG that the desktop's icon theme needs.
//
// usage: tovrin_xpmtopng <icon.xpm> <icon.png>
#include <QImage>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QTextStream err(stderr);
    if (argc != 3) {
        err << "usage: " << argv[0] << " <icon.xpm> <icon.png>\n";
        return 2;
    }
    const QString from = QString::fromLocal8Bit(argv[1]);
    const QString to = QString::fromLocal8Bit(argv[2]);
    const QImage icon(from, "XPM");
    if (icon.isNull()) {
        err << "cannot read " << from << " as an XPM image\n";
        return 1;
    }
    if (!icon.save(to, "PNG")) {
        err << "cannot write " << to << "\n";
        return 1;
    }
    return 0;
}
