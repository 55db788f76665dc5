#include "state.h"

#include <QDir>

namespace {
ProjectState &instance() {
    static ProjectState state;
    return state;
}
} // namespace

ProjectState &G() {
    return instance();
}

void ResetState() {
    instance() = ProjectState{};
}

void SetAppPath(const QString &dir) {
    QString path = QDir::cleanPath(QDir(dir).absolutePath());
    if (!path.endsWith(QLatin1Char('/'))) path += QLatin1Char('/');
    G().gAppPath = path;
    G().gDataPath = path + QStringLiteral("DATA/");
}
