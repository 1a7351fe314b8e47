// Nothing a tuner measured is lost: every way of leaving or replacing a
// document with unsaved measurements asks first, a session that ends without
// saving leaves a recovery file the next start offers, the sound input's
// failures show, and the hand-over of a later start talks only to this user.
#include "app/FileDialogs.h"
#include "app/MainFrame.h"
#include "app/SingleInstance.h"
#include "app/TonvelaApp.h"
#include "app/TonvelaView.h"
#include "audio/CaptureDriverManager.h"
#include "panel/MeasuringTool.h"
#include "panel/ProtocolControl.h"
#include "platform/audio/VirtualAudioBackend.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/WindowSystem.h"
#include "platform/gui/WindowTesting.h"
#include "platform/store/Settings.h"
#include "resources/Language.h"
#include "state/Archive.h"
#include "state/DataStructure.h"
#include "state/RecoveryFile.h"
#include "state/TonvelaDoc.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMimeData>
#include <QThread>
#include <QUrl>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <optional>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace tonvela {
namespace {

namespace fs = std::filesystem;

bool processEventsUntil(const std::function<bool()>& done, int limitMs = 20000) {
    QElapsedTimer deadline;
    deadline.start();
    while (!done()) {
        if (deadline.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

std::vector<std::uint8_t> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The recovery files (documents) in the state folder of the settings tree.
std::vector<std::string> recoveryFiles() {
    std::vector<std::string> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(RecoveryFile::defaultDirectory(), error))
        if (entry.path().extension() == ".tnv")
            found.push_back(entry.path().string());
    return found;
}

Protocol& protocol() {
    return DataStructure::getInstance().getProtocol();
}

class UnsavedWorkTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* old = std::getenv("TONVELA_CONFIG_DIR");
        previousTree = old ? old : "";
        setenv("TONVELA_CONFIG_DIR", dir.file("config").c_str(), 1);
        Settings::openRoot("Tonvela");
        Settings("settings").writeString("language", "en");
        resetLanguage();
        setMessageBoxAnswer([this](const std::string& text, const std::string&, unsigned) {
            boxes.push_back(text);
            if (answers.empty())
                return IDCANCEL;
            const int answer = answers.front();
            answers.erase(answers.begin());
            return answer;
        });
        setFileDialogAnswer([this](bool) {
            if (fileAnswers.empty())
                return std::string();
            const std::string answer = fileAnswers.front();
            fileAnswers.erase(fileAnswers.begin());
            return answer;
        });
    }

    void TearDown() override {
        stop();
        SingleInstance::setPeerCheck(nullptr);
        setMessageBoxAnswer(nullptr);
        setFileDialogAnswer(nullptr);
        setenv("TONVELA_CONFIG_DIR", previousTree.c_str(), 1);
        Settings::openRoot("Tonvela");
        resetLanguage();
    }

    // A virtual sound card that plays quietly in real time; deviceCount 0
    // gives a machine without any input.
    void start(const std::vector<std::string>& arguments = {}, int deviceCount = 1) {
        stop();
        auto made = std::make_unique<VirtualAudioBackend>();
        for (int i = 0; i < deviceCount; ++i) {
            VirtualInputDevice device;
            device.name = "USB Interface";
            device.pacing = VirtualInputDevice::Pacing::RealTime;
            device.generator = [](double) { return 0.0; };
            made->addInputDevice(device);
        }
        made->setOutputPacing(VirtualAudioBackend::OutputPacing::RealTime, false);
        backend = made.get();
        ASSERT_TRUE(installAudioBackend(std::move(made)));
        app.emplace();
        ASSERT_EQ(app->initInstance(arguments), TonvelaApp::Start::Running);
    }

    void stop() {
        if (app) {
            app->exitInstance();
            app.reset();
            installAudioBackend(nullptr);
            backend = nullptr;
        }
        resetLanguage();
    }

    MainFrame& frame() { return *app->getMainFrame(); }
    TonvelaDoc& document() { return *app->getDocument(); }
    std::string title() { return frame().windowTitle().toStdString(); }

    void saveAs(const std::string& path) {
        fileAnswers = {path};
        ASSERT_TRUE(frame().onFileSaveAs());
    }

    // Drops path on the main window as a file manager does.
    void drop(const std::string& path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
        QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(&frame(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent event(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&frame(), &event);
    }

    // Hands path to the running program as a later start does, without
    // blocking this thread, which is also the running program's.
    void handOver(const std::string& path) {
        const std::size_t asked = boxes.size();
        QLocalSocket socket;
        socket.connectToServer(SingleInstance::serverName());
        ASSERT_TRUE(socket.waitForConnected(1000));
        socket.write("open " + QByteArray::fromStdString(path) + '\n');
        socket.flush();
        ASSERT_TRUE(processEventsUntil([&] { return boxes.size() > asked; }));
    }

    test::TempDir dir;
    std::string previousTree;
    std::optional<TonvelaApp> app;
    VirtualAudioBackend* backend = nullptr;
    std::vector<std::string> boxes;
    std::vector<int> answers;
    std::vector<std::string> fileAnswers;
};

TEST_F(UnsavedWorkTest, EveryWayOfLeavingAsksAfterRecordRemoveAndClear) {
    start();
    const std::string base = dir.file("Grand piano.tnv");
    const std::string other = dir.file("Other.tnv");
    protocol().setFrequency(60, 523.0f, true);
    saveAs(other);
    protocol().setFrequency(60, 0.0f, true);
    protocol().setFrequency(57, 440.5f, true);
    saveAs(base);
    const std::vector<std::uint8_t> saved = fileBytes(base);

    struct Change {
        const char* what;
        std::function<void()> apply;
        float a4After; // the entry of A4 the change leaves
    };
    const Change changes[] = {
        {"Record", [] { protocol().setFrequency(45, 220.25f, true); }, 440.5f},
        {"Remove", [] { protocol().setFrequency(57, 0.0f, true); }, 0.0f},
        {"Clear", [] { protocol().clear(); }, 0.0f},
    };
    enum Way { New, Open, HandedOver, Dropped, Exit, Close };
    const char* wayNames[] = {"New", "Open", "handed over", "dropped", "Exit", "close"};
    const struct {
        int answer;
        const char* name;
    } answersToTry[] = {{IDYES, "Yes"}, {IDNO, "No"}, {IDCANCEL, "Cancel"}};

    for (const Change& change : changes) {
        for (int way = New; way <= Close; ++way) {
            for (const auto& reply : answersToTry) {
                const std::string what =
                    std::string(change.what) + ", " + wayNames[way] + ", " + reply.name;
                SCOPED_TRACE(what);
                // The saved protocol, opened and unchanged, on screen.
                if (!frame().isVisible())
                    frame().show();
                answers = {IDNO};
                ASSERT_TRUE(frame().openDocumentFile(base));
                ASSERT_EQ(fileBytes(base), saved);
                boxes.clear();

                change.apply();
                ASSERT_TRUE(document().IsModified());
                EXPECT_EQ(title(), "Grand piano.tnv* - Tonvela");

                answers = {reply.answer};
                fileAnswers = {other};
                switch (way) {
                case New:
                    frame().action(57600)->trigger();
                    break;
                case Open:
                    frame().action(57601)->trigger();
                    break;
                case HandedOver:
                    handOver(other);
                    break;
                case Dropped:
                    drop(other);
                    break;
                case Exit:
                    frame().action(57665)->trigger();
                    break;
                case Close:
                    frame().close();
                    break;
                }
                ASSERT_EQ(boxes.size(), 1u);
                EXPECT_EQ(boxes[0], "Save changes to Grand piano.tnv?");

                if (reply.answer == IDCANCEL) {
                    // Everything stays: the window, the document and its change.
                    EXPECT_TRUE(frame().isVisible());
                    EXPECT_TRUE(document().IsModified());
                    EXPECT_EQ(frame().getPathName(), base);
                    EXPECT_EQ(protocol().getFrequency(57), change.a4After);
                    EXPECT_EQ(fileBytes(base), saved);
                    continue;
                }
                // Yes saved the change first, No left the file as it was.
                TonvelaDoc* doc = &document();
                if (reply.answer == IDYES)
                    EXPECT_NE(fileBytes(base), saved);
                else
                    EXPECT_EQ(fileBytes(base), saved);
                if (reply.answer == IDYES) {
                    // Back to the saved state for the next case.
                    std::ofstream(base, std::ios::binary | std::ios::trunc)
                        .write(reinterpret_cast<const char*>(saved.data()),
                               static_cast<std::streamsize>(saved.size()));
                }
                switch (way) {
                case New:
                    EXPECT_TRUE(frame().getPathName().empty());
                    EXPECT_EQ(protocol().getFrequency(57), 0.0f);
                    break;
                case Open:
                case HandedOver:
                case Dropped:
                    EXPECT_EQ(frame().getPathName(), other);
                    EXPECT_EQ(protocol().getFrequency(60), 523.0f);
                    break;
                case Exit:
                case Close:
                    EXPECT_FALSE(frame().isVisible());
                    break;
                }
                EXPECT_FALSE(doc->IsModified() && way != Exit && way != Close);
            }
        }
    }
}

TEST_F(UnsavedWorkTest, LoadingAndSavingLeaveTheDocumentUnmodified) {
    start();
    EXPECT_EQ(title(), "New protocol - Tonvela");
    protocol().setFrequency(57, 441.0f, true);
    EXPECT_EQ(title(), "New protocol* - Tonvela");
    saveAs(dir.file("a.tnv"));
    EXPECT_EQ(title(), "a.tnv - Tonvela");
    answers = {IDNO};
    ASSERT_TRUE(frame().onFileNew());
    EXPECT_EQ(title(), "New protocol - Tonvela");
    ASSERT_TRUE(frame().openDocumentFile(dir.file("a.tnv")));
    EXPECT_EQ(title(), "a.tnv - Tonvela");
    EXPECT_FALSE(document().IsModified());
    EXPECT_TRUE(boxes.empty());
}

// A crash: a program that wrote its recovery file and ended at once.
void crashWithRecoveryFile(const std::vector<std::uint8_t>& bytes, const std::string& path) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        RecoveryFile file;
        std::_Exit(file.write(bytes, path) ? 3 : 4);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 3);
}

TEST_F(UnsavedWorkTest, RecoveryFileFollowsEveryChangeAndGoesWithASaveOrANo) {
    start();
    EXPECT_TRUE(recoveryFiles().empty());
    protocol().setFrequency(57, 441.0f, true);
    ASSERT_TRUE(processEventsUntil([] { return recoveryFiles().size() == 1; }));
    const std::string file = recoveryFiles()[0];
    // The file is a document, in the user's state folder only this user enters.
    struct stat info;
    ASSERT_EQ(::stat(RecoveryFile::defaultDirectory().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 077, 0u);
    const std::vector<std::uint8_t> first = fileBytes(file);
    EXPECT_EQ(std::string(first.begin(), first.begin() + 5), "vel04");

    // Each change is written again.
    protocol().setFrequency(58, 466.0f, true);
    ASSERT_TRUE(processEventsUntil([&] { return fileBytes(file) != first; }));

    // A save removes it; the next change brings it back; No to the question removes it.
    saveAs(dir.file("saved.tnv"));
    ASSERT_TRUE(processEventsUntil([] { return recoveryFiles().empty(); }));
    protocol().clear();
    ASSERT_TRUE(processEventsUntil([] { return recoveryFiles().size() == 1; }));
    answers = {IDNO};
    ASSERT_TRUE(frame().onFileNew());
    QCoreApplication::processEvents();
    EXPECT_TRUE(recoveryFiles().empty());

    // Closing with No and a clean exit leave nothing behind.
    protocol().setFrequency(57, 441.0f, true);
    ASSERT_TRUE(processEventsUntil([] { return recoveryFiles().size() == 1; }));
    answers = {IDNO};
    EXPECT_TRUE(frame().close());
    stop();
    EXPECT_TRUE(recoveryFiles().empty());
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(RecoveryFile::defaultDirectory(), error))
        ADD_FAILURE() << "left behind: " << entry.path();
}

TEST_F(UnsavedWorkTest, ProtocolOfACrashedSessionIsOfferedAndRestoredWithEveryValue) {
    // The document the crashed session had: a saved file, changed since.
    start();
    const std::string path = dir.file("Church organ.tnv");
    protocol().setFrequency(57, 440.76f, true);
    saveAs(path);
    DataStructure::getInstance().getToneScales().setScale("pythagorean", 2, 415.5f, -1.25f);
    document().setCustomer("Parish");
    for (int note = 0; note < Protocol::NoteCount; note += 5)
        protocol().setFrequency(note, 16.351597f * std::exp2(note / 12.0f) + 0.25f, true);
    ArchiveWriter archive;
    document().Serialize(archive);
    std::vector<float> expected;
    for (int note = 0; note < Protocol::NoteCount; ++note)
        expected.push_back(protocol().getFrequency(note));
    answers = {IDNO};
    ASSERT_TRUE(frame().onFileNew());
    DataStructure::getInstance().getToneScales().setScale("equal", 0, 440.0f, 0.0f);
    answers = {IDNO};
    ASSERT_TRUE(frame().close());
    stop();
    ASSERT_TRUE(recoveryFiles().empty());

    crashWithRecoveryFile(archive.bytes(), path);
    ASSERT_EQ(recoveryFiles().size(), 1u);
    const std::string left = recoveryFiles()[0];

    boxes.clear();
    answers = {IDYES};
    start();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "The last session ended without saving the protocol \"Church organ.tnv\".\n"
                        "Do you want to restore it?");
    // Restored as the modified document it was, under its name.
    EXPECT_TRUE(document().IsModified());
    EXPECT_EQ(title(), "Church organ.tnv* - Tonvela");
    EXPECT_EQ(frame().getPathName(), path);
    EXPECT_EQ(document().getCustomer(), "Parish");
    const ToneScaleCollection& scales = DataStructure::getInstance().getToneScales();
    EXPECT_EQ(scales.getCurrentScale()->getKey(), "pythagorean");
    EXPECT_EQ(scales.getKeynote(), 2);
    EXPECT_EQ(scales.getStandardPitch(), 415.5f);
    EXPECT_EQ(scales.getCalibration(), -1.25f);
    for (int note = 0; note < Protocol::NoteCount; ++note)
        EXPECT_EQ(protocol().getFrequency(note), expected[static_cast<std::size_t>(note)]) << note;
    // Every value, texts, date and version too: it saves to the same bytes.
    ArchiveWriter restored;
    document().Serialize(restored);
    EXPECT_EQ(restored.bytes(), archive.bytes());
    // This session's own file holds it now; the crashed session's is gone.
    ASSERT_EQ(recoveryFiles().size(), 1u);
    EXPECT_NE(recoveryFiles()[0], left);

    // A session that ends without the user's word (the desktop logs out)
    // keeps it; the next start offers it again, and No removes it.
    stop();
    ASSERT_EQ(recoveryFiles().size(), 1u);
    boxes.clear();
    answers = {IDNO};
    start();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_FALSE(document().IsModified());
    EXPECT_EQ(title(), "New protocol - Tonvela");
    EXPECT_TRUE(recoveryFiles().empty());
}

TEST_F(UnsavedWorkTest, RecoveryQuestionInGerman) {
    crashWithRecoveryFile(std::vector<std::uint8_t>{'v', 'e', 'l', '0', '4'}, "");
    Settings("settings").writeString("language", "de");
    answers = {IDYES};
    start();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0], "Die letzte Sitzung endete, ohne das Protokoll \"Neues Protokoll\" zu "
                        "speichern.\nWollen Sie es wiederherstellen?");
    // A recovery file that cannot be read is reported and not offered again.
    EXPECT_EQ(boxes[1].rfind("Unerwartetes Dateiformat.\n", 0), 0u) << boxes[1];
    EXPECT_EQ(title(), "Neues Protokoll - Tonvela");
    EXPECT_TRUE(recoveryFiles().empty());
}

TEST_F(UnsavedWorkTest, TwoRunningProgramsNeverShareARecoveryFile) {
    const std::string folder = dir.file("state");
    RecoveryFile first(folder);
    RecoveryFile second(folder);
    EXPECT_NE(first.path(), second.path());
    ASSERT_TRUE(first.write({'v', 'e', 'l', '0', '4'}, "/a.tnv"));
    ASSERT_TRUE(second.write({'v', 'e', 'l', '0', '4'}, ""));
    // A running program's file is never offered to another one.
    RecoveryFile third(folder);
    RecoveryFile::LeftBehind found;
    EXPECT_FALSE(third.claimLeftBehind(found));
}

TEST_F(UnsavedWorkTest, VanishedSoundInputShowsAndMeasuringResumes) {
    start();
    ASSERT_TRUE(processEventsUntil(
        [] { return CaptureDriverManager::status().state == InputStatus::Delivering; }));
    ASSERT_TRUE(processEventsUntil([&] { return frame().idleMessage() == "Ready"; }));
    protocol().setFrequency(57, 440.5f, true);

    // The interface is unplugged while measuring.
    backend->failDevice(0);
    ASSERT_TRUE(processEventsUntil([&] {
        return frame().idleMessage() == "The sound input stopped delivering: USB Interface";
    })) << frame().idleMessage().toStdString();
    EXPECT_EQ(protocol().getFrequency(57), 440.5f);

    // It is there again: measuring resumes by itself.
    ASSERT_TRUE(processEventsUntil([&] { return frame().idleMessage() == "Ready"; }))
        << frame().idleMessage().toStdString();
    EXPECT_EQ(CaptureDriverManager::status().state, InputStatus::Delivering);
    EXPECT_EQ(protocol().getFrequency(57), 440.5f);
}

TEST_F(UnsavedWorkTest, NoSoundInputAtAllIsSaidInBothLanguages) {
    start({}, 0);
    ASSERT_TRUE(processEventsUntil([&] {
        return frame().idleMessage() == "No sound input: No input device available.";
    })) << frame().idleMessage().toStdString();
    stop();
    Settings("settings").writeString("language", "de");
    start({}, 0);
    ASSERT_TRUE(processEventsUntil([&] {
        return frame().idleMessage() == "Kein Toneingang: Kein Eingabeger\xC3\xA4t verf\xC3\xBC"
                                        "gbar.";
    })) << frame().idleMessage().toStdString();
}

TEST_F(UnsavedWorkTest, HandOverSocketIsPrivateAndTalksOnlyToThisUser) {
    // In the runtime folder of the session, never in the shared /tmp.
    const std::string runtime = std::getenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(SingleInstance::serverName().toStdString().rfind(runtime + "/", 0), 0u);
    {
        const std::string saved = runtime;
        unsetenv("XDG_RUNTIME_DIR");
        const std::string fallback = SingleInstance::serverName().toStdString();
        setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
        EXPECT_EQ(fallback.rfind(RecoveryFile::defaultDirectory() + "/run/", 0), 0u) << fallback;
        struct stat info;
        ASSERT_EQ(::stat(QFileInfo(QString::fromStdString(fallback)).path().toLocal8Bit(), &info),
                  0);
        EXPECT_EQ(info.st_mode & 077, 0u);
    }

    // A stranger took the socket's name first and answers "ok" to anything.
    start();
    protocol().setFrequency(45, 220.5f, true);
    const std::string path = dir.file("handed.tnv");
    saveAs(path);
    stop();
    QLocalServer stranger;
    ASSERT_TRUE(stranger.listen(SingleInstance::serverName()));
    QByteArray heard;
    QObject::connect(&stranger, &QLocalServer::newConnection, [&] {
        while (QLocalSocket* socket = stranger.nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::readyRead, [&heard, socket] {
                heard += socket->readAll();
                socket->write("ok\n");
            });
        }
    });
    // Every peer counts as another user now.
    SingleInstance::setPeerCheck([](uid_t) { return false; });
    EXPECT_FALSE(SingleInstance::handOver(QString::fromStdString(path)));
    QCoreApplication::processEvents();
    EXPECT_TRUE(heard.isEmpty()) << heard.toStdString();

    // The start goes on by itself and opens the file.
    start({path});
    EXPECT_EQ(frame().getPathName(), path);
    EXPECT_EQ(protocol().getFrequency(45), 220.5f);

    // And takes no path from a stranger.
    QLocalSocket intruder;
    intruder.connectToServer(SingleInstance::serverName());
    ASSERT_TRUE(intruder.waitForConnected(1000));
    intruder.write("open " + QByteArray::fromStdString(dir.file("other.tnv")) + '\n');
    intruder.flush();
    processEventsUntil([] { return false; }, 300);
    EXPECT_EQ(frame().getPathName(), path);
    EXPECT_TRUE(boxes.empty());
}

} // namespace
} // namespace tonvela

namespace tonvela {
namespace {

// The first size fits a 1366 x 768 screen; at the smallest size every
// display is still legible, the protocol grid with a 12-pixel font at least.
TEST_F(UnsavedWorkTest, WindowStartsOnASmallScreenAndStaysLegibleAtItsSmallest) {
    start();
    EXPECT_LE(frame().width(), 1366);
    EXPECT_LE(frame().height() + MainFrame::WindowFrameAllowance, 768);
    EXPECT_GE(frame().width(), frame().minimumWidth());
    EXPECT_GE(frame().height(), frame().minimumHeight());

    frame().resize(200, 200); // smaller than allowed
    QCoreApplication::processEvents();
    EXPECT_EQ(frame().size(), QSize(MainFrame::MinimumWidth, MainFrame::MinimumHeight));
    MeasuringTool& panel = *frame().getView()->getMeasuringTool();
    const ProtocolControl& grid = panel.getProtocolControl();
    ASSERT_TRUE(isWindowVisible(grid.getHandle()));
    const Rect cell = grid.cellRect(57);
    EXPECT_GE(ProtocolControl::fontSizeFor(cell.right - cell.left + 1, cell.bottom - cell.top + 1),
              12)
        << "cell " << cell.right - cell.left << " x " << cell.bottom - cell.top;
}

} // namespace
} // namespace tonvela

namespace tonvela {
namespace {

// With the rights to be another user (root), a real stranger: a program of
// the user "nobody" listening under the socket's name answers "ok" to
// anything. A later start hands it nothing and opens the file itself.
TEST_F(UnsavedWorkTest, RealStrangerUnderTheSocketsNameGetsNoPath) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs the rights to run a listener as another user";
    const std::string folder = "/tmp/tonvela-stranger-" + std::to_string(::getpid());
    ASSERT_EQ(::mkdir(folder.c_str(), 0777), 0);
    ::chmod(folder.c_str(), 0777);
    const std::string name = QFileInfo(SingleInstance::serverName()).fileName().toStdString();
    const std::string socketPath = folder + "/" + name;

    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(pipeFds[0]);
        ::alarm(20);
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            std::_Exit(5);
        const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socketPath.c_str());
        if (::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(listener, 4) != 0)
            std::_Exit(6);
        [[maybe_unused]] ssize_t done = ::write(pipeFds[1], "L", 1);
        const int peer = ::accept(listener, nullptr, nullptr);
        char heard[512];
        const ssize_t n = ::read(peer, heard, sizeof heard);
        done = ::send(peer, "ok\n", 3, MSG_NOSIGNAL);
        if (n > 0)
            done = ::write(pipeFds[1], heard, static_cast<std::size_t>(n));
        std::_Exit(0);
    }
    ::close(pipeFds[1]);
    char ready = 0;
    ASSERT_EQ(::read(pipeFds[0], &ready, 1), 1);
    // Now only root and the stranger's socket are in a folder as private as
    // a runtime folder.
    ::chmod(folder.c_str(), 0700);
    const char* oldRuntime = std::getenv("XDG_RUNTIME_DIR");
    const std::string savedRuntime = oldRuntime ? oldRuntime : "";
    setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
    EXPECT_EQ(SingleInstance::serverName().toStdString(), socketPath);
    EXPECT_FALSE(SingleInstance::handOver(QStringLiteral("/home/someone/secret.tnv")));

    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    std::string heard;
    char buffer[512];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        heard.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeFds[0]);
    EXPECT_EQ(heard, "");
    setenv("XDG_RUNTIME_DIR", savedRuntime.c_str(), 1);
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace tonvela
