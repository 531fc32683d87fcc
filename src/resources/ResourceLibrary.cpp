#include "resources/ResourceLibrary.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QResource>

namespace {
// Each loaded library gets a root of its own, so that two libraries (or a second load of the
// same one) cannot see each other's entries.
int g_libraryRoots = 0;
} // namespace

std::unique_ptr<ResourceLibrary> ResourceLibrary::Load(const QString& file) {
    if (!QFileInfo(file).isFile()) {
        return nullptr;
    }
    const QString root = QString("/library%1").arg(++g_libraryRoots);
    if (!QResource::registerResource(file, root)) {
        return nullptr;
    }
    return std::unique_ptr<ResourceLibrary>(new ResourceLibrary(file, root));
}

ResourceLibrary::~ResourceLibrary() {
    m_entries.clear();
    QResource::unregisterResource(m_file, m_root);
}

const QByteArray* ResourceLibrary::Entry(const QString& type, const QString& name) {
    const QString path = type + "/" + name;
    const auto cached = m_entries.constFind(path);
    if (cached != m_entries.constEnd()) {
        return &cached.value();
    }
    const QString resourcePath = ":" + m_root + "/" + path;
    const QResource resource(resourcePath);
    if (!resource.isValid() || !QFileInfo(resourcePath).isFile()) {
        return nullptr;
    }
    return &m_entries.insert(path, resource.uncompressedData()).value();
}

std::string ResourceLibrary::String(int id) {
    const QByteArray* bytes = Entry("string", QString::number(id));
    return bytes ? bytes->toStdString() : std::string();
}

QString ProgramFolderFile(const char* name) {
    return QCoreApplication::applicationDirPath() + "/" + name;
}
