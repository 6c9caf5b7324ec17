// Images of the markup renderer: IMG tags and the BODY background. A source names an
// image of the image list ("IDX:n"), a file or standard icon ("SSYS:", "LSYS:"), a picture
// fetched by address (anything with "://", kept in the picture cache) or a picture of the
// container by name. A source that yields nothing draws nothing and takes no room.
#include "markup/htmldraw_p.h"
#include "markup/htmlpicture.h"
#include "markup/htmlpicturecache.h"
#include "markup/htmlsysicons.h"
#include "markup/htmltext.h"
#include "markup/picturecontainer.h"
#include "markup/printbitmap.h"

#include "platform/exceptions.h"
#include "platform/imagelist.h"

#include <QBrush>
#include <QFile>
#include <QFileInfo>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr int SmallIconSize = 16;
constexpr int LargeIconSize = 32;
constexpr int MaxImageSide = 10000;
constexpr qint64 MaxPictureFileSize = 64 * 1024 * 1024;

// An image ready to lay out and draw: one of an image-list index, a picture or an icon.
struct TImageSource
{
    const TImageList* List = nullptr;
    int Index = -1;
    const THTMLPicture* Picture = nullptr;
    QImage Icon;
    int Width = 0; // natural size in pixels at 96 dots per inch
    int Height = 0;

    bool Valid() const { return Width > 0 && Height > 0; }
    QImage Image() const
    {
        if (List) return List->Image(Index);
        if (Picture) return Picture->Image();
        return Icon;
    }
};

// The bytes of a "file://" picture: only a regular file, and no more than a picture for an
// item could need, so that a device or a file that never ends cannot stall a paint.
QByteArray PictureFileBytes(const QString& address)
{
    const QString path = address.mid(7);
    if (path.isEmpty() || path.contains(QChar::Null)) return {}; // no file has such a name
    QFile file(path);
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly)) return {};
    QByteArray bytes;
    while (bytes.size() <= MaxPictureFileSize) {
        const QByteArray chunk = file.read(64 * 1024);
        if (chunk.isEmpty()) return bytes;
        bytes += chunk;
    }
    return {};
}

// Pictures by address are kept in the cache; a new address is registered there and, for
// "res://" and "file://", loaded at once. Nothing is transferred over a network.
const THTMLPicture* CachedPicture(THTMLPictureCache* cache, const QString& address)
{
    if (!cache) return nullptr;
    if (THTMLPicture* picture = cache->FindPicture(address)) return picture;
    THTMLPicture* picture = cache->AddPicture();
    picture->SetAsynch(false);
    try {
        if (address.startsWith(QLatin1String("FILE://"), Qt::CaseInsensitive)) {
            picture->SetID(address);
            const QByteArray bytes = PictureFileBytes(address);
            if (!bytes.isEmpty()) picture->LoadFromData(bytes);
        } else {
            picture->LoadFromURL(address);
        }
    } catch (const Exception&) {
        picture->SetID(address); // a picture that does not load stays empty
    }
    return cache->FindPicture(address);
}

TImageSource FromPicture(const THTMLPicture* picture)
{
    TImageSource source;
    if (!picture || picture->GetEmpty()) return source;
    source.Picture = picture;
    source.Width = picture->GetMaxWidth();
    source.Height = picture->GetMaxHeight();
    return source;
}

TImageSource FromImageList(const TImageList* list, QStringView number)
{
    TImageSource source;
    const int index = LeadingInt(number);
    if (!list || index < 0 || index >= list->Count()) return source;
    source.List = list;
    source.Index = index;
    source.Width = list->Width();
    source.Height = list->Height();
    return source;
}

TImageSource FromIcon(QStringView name, int size)
{
    TImageSource source;
    source.Icon = HTMLSystemIcon(name, size);
    if (source.Icon.isNull()) return source;
    source.Width = size;
    source.Height = size;
    return source;
}

TImageSource ResolveSource(const THTMLDrawContext& ctx, const QString& src)
{
    const THTMLDrawParams& p = ctx.Params;
    if (src.startsWith(QLatin1String("IDX:"), Qt::CaseInsensitive))
        return FromImageList(p.Images, QStringView(src).mid(4));
    if (src.startsWith(QLatin1String("SSYS:"), Qt::CaseInsensitive))
        return FromIcon(QStringView(src).mid(5), SmallIconSize);
    if (src.startsWith(QLatin1String("LSYS:"), Qt::CaseInsensitive))
        return FromIcon(QStringView(src).mid(5), LargeIconSize);
    if (src.contains(QLatin1String("://"))) return FromPicture(CachedPicture(p.PictureCache, src));
    if (p.PictureContainer) return FromPicture(p.PictureContainer->FindPicture(src));
    return {};
}

TImageSource SourceOf(const THTMLDrawContext& ctx, const THTMLTag& tag, QLatin1StringView name)
{
    return ResolveSource(ctx, UndoubleAmpersands(tag.Attribute(name).trimmed()));
}

// ---------------------------------------------------------------------------
// Drawing

int Scaled(int pixels, double factor)
{
    return static_cast<int>(
        std::clamp(std::lround(pixels * factor), 0L, long(HTMLCoordinateLimit)));
}

void PrintImage(THTMLDrawContext& ctx, const TImageSource& source, int x, int y, int width,
                int height)
{
    const double factor = ctx.PrintScale();
    const TRect target(x, y, ClampCoordinate(x + static_cast<long long>(Scaled(width, factor))),
                       ClampCoordinate(y + static_cast<long long>(Scaled(height, factor))));
    PrintBitmap(ctx.Canvas, target, source.Image());
}

// A picture with several frames shows one at a time; the room of the largest is cleared
// first so that a smaller frame does not leave the last one's pixels around it.
void ClearFrameArea(THTMLDrawContext& ctx, const THTMLPicture& picture, int x, int y)
{
    if (picture.GetFrameCount() <= 1 || ctx.Style.Background == clNone) return;
    ctx.Canvas.Brush().SetColor(ctx.Style.Background);
    ctx.Canvas.FillRect(
        TRect(x, y, x + ctx.ScaleX(picture.GetMaxWidth()), y + ctx.ScaleY(picture.GetMaxHeight())));
}

// target is the laid-out rectangle; stretched says WIDTH and HEIGHT were given.
void DrawImage(THTMLDrawContext& ctx, const TImageSource& source, const TRect& target,
               bool stretched, int width, int height)
{
    if (ctx.Params.Print) {
        PrintImage(ctx, source, target.Left, target.Top, width, height);
        return;
    }
    if (source.Picture) {
        ClearFrameArea(ctx, *source.Picture, target.Left, target.Top);
        if (stretched)
            source.Picture->DrawStretched(ctx.Canvas, target);
        else
            source.Picture->DrawAt(ctx.Canvas, target.Left, target.Top);
        return;
    }
    const QImage image = source.Image();
    if (target.Width() == image.width() && target.Height() == image.height())
        ctx.Canvas.Draw(target.Left, target.Top, image);
    else
        ctx.Canvas.StretchDraw(target, image);
}

THTMLTextAlign TextAlignOf(const THTMLTag& tag)
{
    const QString align = tag.Attribute(QLatin1StringView("ALIGN")).toString().toUpper();
    if (align.contains(QLatin1String("TOP"))) return THTMLTextAlign::Top;
    if (align.contains(QLatin1String("MIDDLE"))) return THTMLTextAlign::Middle;
    return THTMLTextAlign::Bottom;
}

void HitTestImage(THTMLDrawContext& ctx, THTMLLine& line, const THTMLTag& tag, const TRect& r)
{
    if (!ctx.PointIn(r)) return;
    THTMLStyle& style = ctx.Style;
    ctx.Result.ImageAlt = tag.Attribute(QLatin1StringView("ALT")).toString();
    if (!style.InLink) return;
    line.Out.ObjectHit = true;
    style.LinkHit = true;
    ctx.Result.AnchorVal = UndoubleAmpersands(style.LinkValue);
}

} // namespace

THTMLTagAction PlaceImage(THTMLDrawContext& ctx, THTMLLine& line, const THTMLTag& tag)
{
    const TImageSource source = SourceOf(ctx, tag, QLatin1StringView("SRC"));
    if (!source.Valid()) return THTMLTagAction::Continue;
    const int givenWidth = LeadingInt(tag.Attribute(QLatin1StringView("WIDTH")));
    const int givenHeight = LeadingInt(tag.Attribute(QLatin1StringView("HEIGHT")));
    const bool stretched = givenWidth > 0 && givenHeight > 0;
    const int width = std::min(stretched ? givenWidth : source.Width, MaxImageSide);
    const int height = std::min(stretched ? givenHeight : source.Height, MaxImageSide);
    const int layoutWidth = ctx.ScaleX(width);
    const int layoutHeight = ctx.ScaleY(height);
    if (ctx.EndsLineBefore(line, layoutWidth)) return THTMLTagAction::EndLineBefore;

    if (line.Measuring()) {
        line.Out.Height = std::max(line.Out.Height, layoutHeight);
        const THTMLTextAlign align = TextAlignOf(tag);
        if (align != THTMLTextAlign::Bottom) line.Out.TextAlign = align;
    } else {
        const int top = line.Top + line.Layout.Above;
        const TRect r(line.X(), top,
                      ClampCoordinate(line.X() + static_cast<long long>(layoutWidth)),
                      top + layoutHeight);
        if (line.Painting()) DrawImage(ctx, source, r, stretched, width, height);
        if (ctx.HitTesting()) HitTestImage(ctx, line, tag, r);
    }
    line.Advance(layoutWidth);
    line.Placed = true;
    line.Breakable = true;
    return THTMLTagAction::Continue;
}

void DrawBodyBackground(THTMLDrawContext& ctx, const THTMLTag& tag)
{
    const TRect& r = ctx.Rect;
    if (r.IsEmpty()) return;
    if (tag.HasAttribute(QLatin1StringView("BGCOLOR")) && !ctx.Params.Selected) {
        ctx.Canvas.Brush().SetColor(HTMLColorValue(tag.Attribute(QLatin1StringView("BGCOLOR"))));
        ctx.Canvas.FillRect(r);
    }
    const TImageSource source = SourceOf(ctx, tag, QLatin1StringView("BACKGROUND"));
    QPainter* painter = ctx.Canvas.Painter();
    if (!source.Valid() || !painter) return;
    QImage tile = source.Image();
    const int width = ctx.ScaleX(source.Width);
    const int height = ctx.ScaleY(source.Height);
    if (tile.isNull() || width <= 0 || height <= 0) return;
    if (tile.width() != width || tile.height() != height) tile = tile.scaled(width, height);
    // One textured fill tiles the picture from the rectangle's top-left, clipped to it.
    QBrush brush(tile);
    brush.setTransform(QTransform::fromTranslate(r.Left, r.Top));
    painter->fillRect(r.ToQRect(), brush);
}
