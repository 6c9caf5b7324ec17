#include "markup/htmlsysicons.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QIcon>

namespace {

QAbstractFileIconProvider*& ProviderOverride()
{
    static QAbstractFileIconProvider* provider = nullptr;
    return provider;
}

QAbstractFileIconProvider& Provider()
{
    if (QAbstractFileIconProvider* provider = ProviderOverride()) return *provider;
    static QFileIconProvider platform;
    return platform;
}

bool IsIndex(QStringView name)
{
    if (name.isEmpty()) return false;
    for (const QChar c : name) {
        if (c < u'0' || c > u'9') return false;
    }
    return true;
}

QIcon IconFor(QStringView name)
{
    QAbstractFileIconProvider& provider = Provider();
    if (IsIndex(name)) {
        const int index = name.size() > 2 ? -1 : name.toInt();
        if (index < QAbstractFileIconProvider::Computer || index > QAbstractFileIconProvider::File)
            return {};
        return provider.icon(static_cast<QAbstractFileIconProvider::IconType>(index));
    }
    if (name.contains(QChar::Null)) return {}; // no file has such a name
    const QFileInfo info(name.toString());
    QIcon icon = provider.icon(info);
    if (icon.isNull() && !info.exists()) icon = provider.icon(QAbstractFileIconProvider::File);
    return icon;
}

} // namespace

QImage HTMLSystemIcon(QStringView name, int size)
{
    const QIcon icon = IconFor(name.trimmed());
    if (icon.isNull()) return {};
    return icon.pixmap(size, size).toImage();
}

void SetHTMLIconProvider(QAbstractFileIconProvider* provider)
{
    ProviderOverride() = provider;
}
