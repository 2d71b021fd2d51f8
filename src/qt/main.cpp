#include "qt/MainWindow.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vornix"));
    QApplication::setApplicationVersion(QStringLiteral(VORNIX_VERSION));
    vornix::qt::MainWindow window;
    window.show();
    return QApplication::exec();
}
