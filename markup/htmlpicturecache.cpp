#include "markup/htmlpicturecache.h"

#include "markup/htmlpicture.h"
#include "platform/exceptions.h"

THTMLPictureCache::THTMLPictureCache() = default;
THTMLPictureCache::~THTMLPictureCache() = default;

THTMLPicture* THTMLPictureCache::AddPicture()
{
    m_pictures.push_back(std::make_unique<THTMLPicture>());
    return m_pictures.back().get();
}

THTMLPicture* THTMLPictureCache::FindPicture(const QString& id) const
{
    for (const auto& picture : m_pictures) {
        if (picture->ID() == id) return picture.get();
    }
    return nullptr;
}

THTMLPicture* THTMLPictureCache::GetPicture(int index) const
{
    if (index < 0 || index >= Count()) return nullptr;
    return m_pictures[size_t(index)].get();
}

void THTMLPictureCache::SetPicture(int index, THTMLPicture* picture)
{
    if (index < 0 || index >= Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    if (m_pictures[size_t(index)].get() == picture) return;
    m_pictures[size_t(index)].reset(picture);
}

void THTMLPictureCache::ClearPictures()
{
    m_pictures.clear();
}

bool THTMLPictureCache::Animate()
{
    bool changed = false;
    for (const auto& picture : m_pictures) {
        if (picture->Step()) changed = true;
    }
    return changed;
}
