#include "platform/store/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringDecoder>
#include <QStringList>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <system_error>

namespace tonvela {

namespace {

// Qt keeps process-wide caches of settings files, destroyed at exit in the
// reverse order of their creation; a QSettings used after that crashes. Our
// programs save in their own stop code, before any static goes, but a write
// from a destructor at exit must still not take the process down: the caches
// are created here, while the statics are initialised, so they outlive every
// owner made later. A write that comes after them all is skipped, and said so.
std::atomic<bool> qtSettingsGone{false};

struct QtSettingsLifetime {
    QtSettingsLifetime() { QSettings probe(QStringLiteral("/dev/null"), QSettings::IniFormat); }
    ~QtSettingsLifetime() { qtSettingsGone = true; }
};
const QtSettingsLifetime qtSettingsLifetime;

// The file of the process. Never destroyed, so writes at exit still find it.
struct Root {
    std::mutex lock;
    QString file;
    // Corrupt files that could not be moved aside. Qt keeps what it parsed of
    // them, so a later check would pass: they stay refused in this process.
    QStringList refused;
};

Root& root() {
    static Root* const instance = new Root;
    return *instance;
}

QString usableFile() {
    Root& r = root();
    const std::lock_guard<std::mutex> guard(r.lock);
    return r.refused.contains(r.file) ? QString() : r.file;
}

void refuse(const QString& file) {
    Root& r = root();
    const std::lock_guard<std::mutex> guard(r.lock);
    r.refused.append(file);
}

QString configDir() {
    const QString own = qEnvironmentVariable("TONVELA_CONFIG_DIR");
    if (!own.isEmpty())
        return QFileInfo(own).absoluteFilePath();
    // A relative XDG_CONFIG_HOME is to be ignored.
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (QDir::isAbsolutePath(xdg))
        return xdg;
    return QDir::homePath() + QStringLiteral("/.config");
}

bool isPathPart(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

enum class FileState { Usable, Unreadable, Corrupt };

// Qt's reader accepts almost anything, and a write would replace the file by
// what it understood, so the whole file is checked before Qt may write it.
FileState inspect(const QString& file) {
    const QFileInfo info(file);
    if (!info.exists() && !info.isSymLink())
        return FileState::Usable;
    // Only a regular file is opened: reading a pipe in its place would block.
    QFile in(file);
    if (!info.isFile() || !in.open(QIODevice::ReadOnly))
        return FileState::Unreadable;
    const QByteArray data = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return FileState::Unreadable;
    // Decoding the whole text reveals any bytes that are not UTF-8.
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(data);
    if (utf8.hasError())
        return FileState::Corrupt;
    QSettings parsed(file, QSettings::IniFormat);
    // Sections are parsed on first use: listing every key finds every error.
    parsed.allKeys();
    switch (parsed.status()) {
    case QSettings::NoError:
        return FileState::Usable;
    case QSettings::FormatError:
        return FileState::Corrupt;
    default:
        return FileState::Unreadable;
    }
}

// Keeps a corrupt file for the user under the first free backup name.
bool moveAside(const QString& file) {
    for (int n = 1; n <= 100; ++n) {
        QString backup = file + QStringLiteral(".corrupt");
        if (n > 1)
            backup += u'.' + QString::number(n);
        const QFileInfo taken(backup);
        if (taken.exists() || taken.isSymLink())
            continue;
        return QFile::rename(file, backup);
    }
    return false;
}

QString keyOf(const std::string& section, const std::string& name) {
    return QString::fromStdString(section).toLower() + u'/' + QString::fromStdString(name);
}

} // namespace

struct SettingsFile::Impl {
    std::unique_ptr<QSettings> settings;
};

int SettingsFile::openRoot(const std::string& company, const std::string& product) {
    Root& r = root();
    const std::lock_guard<std::mutex> guard(r.lock);
    r.file.clear();
    if (!isPathPart(company) || !isPathPart(product))
        return EINVAL;
    const QString dir = configDir() + u'/' + QString::fromStdString(company);
    const std::filesystem::path native(QFile::encodeName(dir).toStdString());
    std::error_code error;
    std::filesystem::create_directories(native, error);
    if (!error && !std::filesystem::is_directory(native, error))
        error = std::make_error_code(std::errc::not_a_directory);
    if (error)
        return error.value() ? error.value() : EIO;
    r.file = dir + u'/' + QString::fromStdString(product) + QStringLiteral(".ini");
    return 0;
}

std::string SettingsFile::path() {
    Root& r = root();
    const std::lock_guard<std::mutex> guard(r.lock);
    return r.file.toStdString();
}

SettingsFile::SettingsFile() : impl(std::make_unique<Impl>()) {
    const QString file = usableFile();
    if (file.isEmpty() || qtSettingsGone)
        return;
    switch (inspect(file)) {
    case FileState::Usable:
        break;
    case FileState::Unreadable:
        return;
    case FileState::Corrupt:
        if (!moveAside(file)) {
            refuse(file);
            return;
        }
        break;
    }
    impl->settings = std::make_unique<QSettings>(file, QSettings::IniFormat);
}

SettingsFile::~SettingsFile() {
    if (!impl->settings)
        return;
    if (qtSettingsGone) {
        // Qt's caches are gone: destroying the object would crash.
        static_cast<void>(impl->settings.release());
        return;
    }
    impl->settings->sync();
}

bool SettingsFile::isOpen() const {
    return impl->settings != nullptr;
}

std::optional<std::string> SettingsFile::read(const std::string& section,
                                              const std::string& name) const {
    if (!impl->settings)
        return std::nullopt;
    const QVariant value = impl->settings->value(keyOf(section, name));
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString().toStdString();
    case QMetaType::QByteArray:
        return value.toByteArray().toStdString();
    case QMetaType::QStringList:
        // An unquoted text with commas, written by hand; Qt writes lists so.
        return value.toStringList().join(QStringLiteral(", ")).toStdString();
    default:
        return std::nullopt;
    }
}

void SettingsFile::write(const std::string& section, const std::string& name,
                         const std::string& text) {
    if (qtSettingsGone) {
        std::fprintf(stderr, "tonvela: a setting written at process exit was not saved: %s/%s\n",
                     section.c_str(), name.c_str());
        return;
    }
    if (!impl->settings)
        return;
    impl->settings->setValue(keyOf(section, name), QString::fromStdString(text));
}

} // namespace tonvela
