#pragma once
// A resource-only library beside the program: a file in Qt's binary resource format whose
// entries are kept as <type>/<name> and whose string table is the folder "string".

#include <QByteArray>
#include <QMap>
#include <QString>
#include <memory>
#include <string>

class ResourceLibrary {
public:
    // Registers the library file; null when it is missing or not a resource file.
    static std::unique_ptr<ResourceLibrary> Load(const QString& file);
    ~ResourceLibrary();
    ResourceLibrary(const ResourceLibrary&) = delete;
    ResourceLibrary& operator=(const ResourceLibrary&) = delete;

    // The uncompressed bytes of entry `name` of type `type`, kept while the library is loaded;
    // null when the library has no such entry.
    const QByteArray* Entry(const QString& type, const QString& name);
    // Text `id` of the string table; empty when it holds none.
    std::string String(int id);

private:
    ResourceLibrary(QString file, QString root) : m_file(file), m_root(root) {}

    QString m_file;
    QString m_root;
    QMap<QString, QByteArray> m_entries;
};

// The path of `name` in the program's own folder, where the libraries are installed.
QString ProgramFolderFile(const char* name);
