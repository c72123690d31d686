// SPDX-License-Identifier: MIT
#include "DroppedFiles.h"

#include <QByteArray>
#include <QMimeData>
#include <QUrl>

namespace twinvane::ui {

std::vector<std::string> DroppedFiles(const QMimeData* data) {
    static const QString kUriList = QStringLiteral("text/uri-list");
    if (data == nullptr || !data->hasFormat(kUriList)) {
        return {};
    }
    std::vector<std::string> files;
    // QUrl::toLocalFile would decode the name to UTF-16 and replace every
    // byte that is not UTF-8; the encoded path decodes to the bytes as sent.
    for (const QByteArray& line : data->data(kUriList).split('\n')) {
        const QByteArray entry = line.trimmed();
        if (entry.isEmpty() || entry.startsWith('#')) {
            continue; // blank lines and comments carry no file
        }
        const QUrl url = QUrl::fromEncoded(entry);
        const QString host = url.host();
        if (!url.isValid() || !url.isLocalFile() ||
            !(host.isEmpty() || host == QStringLiteral("localhost"))) {
            return {};
        }
        const QByteArray path =
            QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
        if (path.isEmpty()) {
            return {};
        }
        files.push_back(path.toStdString());
    }
    return files;
}

} // namespace twinvane::ui
