#include "qt/MainWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv)
{
    // The data folders are named after the program as installed: ~/.local/share/vornix.
    QApplication::setApplicationName(QStringLiteral("vornix"));
    QApplication::setApplicationVersion(QStringLiteral(VORNIX_VERSION));

    // --help and --version answer without a display; anything else on the line is ignored.
    QStringList arguments;
    for (int n = 0; n < argc; ++n)
        arguments << QString::fromLocal8Bit(argv[n]);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Three-dimensional noughts and crosses on a 4x4x4 cube against the computer or a friend."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.parse(arguments);
    if (parser.isSet(version))
        parser.showVersion();
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        // Without an application object Qt cannot name the program itself.
        std::fputs(qPrintable(parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("vornix"))),
                   stdout);
        return 0;
    }

    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.vornix.Vornix"));
    vornix::qt::MainWindow window;
    window.show();
    return QApplication::exec();
}
