#pragma once

#include <QString>

#include <memory>
#include <vector>

class THTMLPicture;

// Pictures fetched by address for the markup renderer, owned by the cache and found by
// their ID (the address), letter case included.
class THTMLPictureCache
{
public:
    THTMLPictureCache();
    ~THTMLPictureCache();
    THTMLPictureCache(const THTMLPictureCache&) = delete;
    THTMLPictureCache& operator=(const THTMLPictureCache&) = delete;

    // A new empty picture, appended to the cache.
    THTMLPicture* AddPicture();
    // The first picture whose ID equals id exactly, or null.
    THTMLPicture* FindPicture(const QString& id) const;
    int Count() const { return int(m_pictures.size()); }
    // Null for an index outside [0, Count).
    THTMLPicture* GetPicture(int index) const;
    // Replaces (and frees) the picture at index; the cache owns picture from then on.
    void SetPicture(int index, THTMLPicture* picture);
    // Frees every picture and empties the cache.
    void ClearPictures();
    // One animation tick for every picture; true when any of them changed frame.
    bool Animate();

private:
    std::vector<std::unique_ptr<THTMLPicture>> m_pictures;
};
