#include "project/ResourceTemplateLibrary.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QResource>

#include "app/QtText.h"

TemplateLibraryLoader g_templateLibraryLoader = LoadInstalledTemplateLibrary;

namespace {
// Each loaded library gets a root of its own, so that a second load cannot see the first.
int g_libraryRoots = 0;
} // namespace

std::unique_ptr<ResourceTemplateLibrary> ResourceTemplateLibrary::Load(const QString& file) {
    if (!QFileInfo(file).isFile()) {
        return nullptr;
    }
    const QString root = QString("/VTTpl%1").arg(++g_libraryRoots);
    if (!QResource::registerResource(file, root)) {
        return nullptr;
    }
    return std::unique_ptr<ResourceTemplateLibrary>(new ResourceTemplateLibrary(file, root));
}

ResourceTemplateLibrary::~ResourceTemplateLibrary() {
    m_entries.clear();
    QResource::unregisterResource(m_file, m_root);
}

const QByteArray* ResourceTemplateLibrary::Entry(const QString& path) {
    const auto cached = m_entries.constFind(path);
    if (cached != m_entries.constEnd()) {
        return &cached.value();
    }
    const QString name = ":" + m_root + "/" + path;
    const QResource resource(name);
    if (!resource.isValid() || !QFileInfo(name).isFile()) {
        return nullptr;
    }
    return &m_entries.insert(path, resource.uncompressedData()).value();
}

std::optional<std::span<const std::uint8_t>>
ResourceTemplateLibrary::FindEntry(std::string_view type, std::string_view name) {
    const QByteArray* bytes = Entry(ToQt(std::string(type)) + "/" + ToQt(std::string(name)));
    if (!bytes) {
        return std::nullopt;
    }
    return std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes->constData()),
                                         static_cast<std::size_t>(bytes->size()));
}

std::string ResourceTemplateLibrary::LibraryString(int id) {
    const QByteArray* bytes = Entry(QString("string/%1").arg(id));
    return bytes ? bytes->toStdString() : std::string();
}

std::unique_ptr<TemplateLibrary> LoadInstalledTemplateLibrary() {
    return ResourceTemplateLibrary::Load(QCoreApplication::applicationDirPath() + "/" +
                                         kTemplateLibraryFile);
}
