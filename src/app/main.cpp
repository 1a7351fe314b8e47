// tonvela: the desktop tuner.
#include "app/TonvelaApp.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QStringList>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onTerminate(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

// SIGTERM and SIGINT (a session ending, Ctrl+C in a terminal) end the event
// loop, so the program goes down its own quit path and keeps the settings.
void quitOnTermination(QApplication& application) {
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &application);
    QObject::connect(notifier, &QSocketNotifier::activated, &application, [] {
        char byte;
        while (::read(signalPipe[0], &byte, 1) > 0) {
        }
        QApplication::quit();
    });
    struct sigaction action {};
    action.sa_handler = onTerminate;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

} // namespace

int main(int argc, char** argv) {
    // The version and the usage need no display.
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--version") {
            std::printf("tonvela %s\n", TONVELA_VERSION);
            return 0;
        }
        if (arg == "--help" || arg == "-h") {
            std::fputs(tonvela::TonvelaApp::usage().c_str(), stdout);
            return 0;
        }
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tonvela"));
    QApplication::setOrganizationName(QStringLiteral("Korvex"));
    QApplication::setDesktopFileName(QStringLiteral("tonvela"));

    std::vector<std::string> arguments;
    const QStringList all = QApplication::arguments();
    for (qsizetype i = 1; i < all.size(); ++i)
        arguments.push_back(all[i].toStdString());

    tonvela::TonvelaApp app;
    switch (app.initInstance(arguments)) {
    case tonvela::TonvelaApp::Start::Running:
        break;
    case tonvela::TonvelaApp::Start::HandedOver:
        return 0;
    case tonvela::TonvelaApp::Start::Failed:
        return app.exitCode();
    }
    quitOnTermination(application);
    const int code = QApplication::exec();
    app.exitInstance();
    return code;
}
