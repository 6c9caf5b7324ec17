#include "platform/aliases.h"

#include "platform/exceptions.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

// The base directory named by an XDG variable, or its documented default under $HOME;
// relative values are ignored as the XDG rules ask.
QString XdgDirectory(const char* variable, const QString& fallbackUnderHome)
{
    const QString value = qEnvironmentVariable(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value)) return QDir::cleanPath(value);
    return QDir::cleanPath(QDir::homePath() + QLatin1Char('/') + fallbackUnderHome);
}

QString ConfiguredPath(const QString& alias)
{
    QSettings settings(AliasConfigFile(), QSettings::IniFormat);
    for (const QString& group : settings.childGroups()) {
        if (group.compare(alias, Qt::CaseInsensitive) != 0) continue;
        const QString path = settings.value(group + QStringLiteral("/path")).toString().trimmed();
        if (!path.isEmpty()) return path;
    }
    return {};
}

QString ExpandHome(const QString& path)
{
    if (path == QLatin1String("~")) return QDir::homePath();
    if (path.startsWith(QLatin1String("~/"))) return QDir::homePath() + path.mid(1);
    return path;
}

} // namespace

QString AliasConfigFile()
{
    return XdgDirectory("XDG_CONFIG_HOME", QStringLiteral(".config")) +
           QStringLiteral("/vantor/aliases.ini");
}

QString AliasDirectory(const QString& alias)
{
    const QString configured = ConfiguredPath(alias);
    if (!configured.isEmpty()) {
        // A relative path is taken relative to the configuration file, not to wherever the
        // program happens to be started.
        const QDir configDir = QFileInfo(AliasConfigFile()).absoluteDir();
        return QDir::cleanPath(configDir.absoluteFilePath(ExpandHome(configured)));
    }
    if (alias.compare(QLatin1String(DefaultAliasName), Qt::CaseInsensitive) == 0)
        return XdgDirectory("XDG_DATA_HOME", QStringLiteral(".local/share")) +
               QStringLiteral("/vantor");
    throw EDatabaseError(QStringLiteral("Unknown database alias '%1': it has no section with a "
                                        "path in %2")
                             .arg(alias, AliasConfigFile()));
}
