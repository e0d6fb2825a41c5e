#include "look.h"
#include "zrcadlo.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zrcadlo"));
    QApplication::setDesktopFileName(QStringLiteral("zrcadlo"));
    Look::apply(app);

    Zrcadlo window;
    window.show();
    return QApplication::exec();
}
