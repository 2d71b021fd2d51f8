#include "qt/MainWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QStandardPaths>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

namespace {

// Writes an answer to standard output; false when it could not all be written (a full disk, a
// closed pipe), which makes the answer a failure.
bool answer(const QString& text)
{
    return std::fputs(qPrintable(text), stdout) >= 0 && std::fflush(stdout) == 0;
}

// While the window system is reached: a window system that cannot be reached at all ends the
// program with one line saying so, rather than Qt's own account of it, an abort and a core dump.
void whileStarting(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg) {
        std::fputs("vornix: cannot open a window: no display could be reached (is DISPLAY or WAYLAND_DISPLAY set?)\n",
                   stderr);
        std::_Exit(EXIT_FAILURE);
    }
    if (QLatin1StringView(context.category).startsWith(QLatin1StringView("qt.qpa")))
        return; // the window system's own words on the same failure
    std::fputs(qPrintable(qFormatLogMessage(type, context, message) + u'\n'), stderr);
}

} // namespace

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
        return answer(QStringLiteral("vornix " VORNIX_VERSION "\n")) ? EXIT_SUCCESS : EXIT_FAILURE;
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        // Without an application object Qt cannot name the program itself.
        return answer(parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("vornix")))
            ? EXIT_SUCCESS
            : EXIT_FAILURE;
    }

    const QtMessageHandler usual = qInstallMessageHandler(whileStarting);
    QApplication app(argc, argv);
    qInstallMessageHandler(usual);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.vornix.Vornix"));
    vornix::qt::MainWindow window;
    // The window's size and panels, in the player's configuration folder (~/.config/vornix).
    window.useSettings(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
                       + QStringLiteral("/window.conf"));
    window.show();
    return QApplication::exec();
}
