#pragma once
// Texts between the core (UTF-8, "\r\n" line ends as the string table writes them) and Qt.

#include <QString>
#include <string>

inline QString ToQt(const std::string& text) {
    QString result = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return result;
}

inline std::string FromQt(const QString& text) {
    return text.toStdString();
}
