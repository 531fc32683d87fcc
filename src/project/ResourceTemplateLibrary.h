#pragma once
// The template library "VTTpl.dll" beside the program: a file in Qt's binary resource format
// whose entries are kept as <type>/<name> (Project, Text, Wave) and whose string table is the
// folder "string" (string 1 is the library's version). The core receives the entries' bytes.

#include <QByteArray>
#include <QMap>
#include <QString>
#include <functional>
#include <memory>

#include "project/Templates.h"

inline constexpr const char* kTemplateLibraryFile = "VTTpl.dll";

class ResourceTemplateLibrary : public TemplateLibrary {
public:
    // Registers the library file; null when it is missing or not a resource file.
    static std::unique_ptr<ResourceTemplateLibrary> Load(const QString& file);
    ~ResourceTemplateLibrary() override;

    std::optional<std::span<const std::uint8_t>> FindEntry(std::string_view type,
                                                           std::string_view name) override;
    std::string LibraryString(int id) override;

private:
    ResourceTemplateLibrary(QString file, QString root) : m_file(file), m_root(root) {}
    const QByteArray* Entry(const QString& path);

    QString m_file;
    QString m_root;
    // The uncompressed bytes handed out, kept while the library is loaded.
    QMap<QString, QByteArray> m_entries;
};

// How the new-project dialog loads the template library: by default the file beside the
// program; tests install their own. The library stays loaded while the returned object lives.
using TemplateLibraryLoader = std::function<std::unique_ptr<TemplateLibrary>()>;
extern TemplateLibraryLoader g_templateLibraryLoader;
std::unique_ptr<TemplateLibrary> LoadInstalledTemplateLibrary();
