// Font faces: text measured and drawn from the font's own tables must come out as Qt's
// shaping lays it out, and text that needs shaping must still get it.
#include "platform/canvas.h"
#include "platform/fontface.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace {

QImage WhiteImage(int w = 260, int h = 40)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

TFont DejaVu(int height, TFontStyles style = 0)
{
    TFont font;
    font.SetName(QStringLiteral("DejaVu Sans"));
    font.SetHeight(height);
    font.SetStyle(style);
    return font;
}

// Latin, accented Latin-1, Greek and Cyrillic, with pairs the font kerns ("AV", "To").
const QStringList SimpleTexts = {
    QStringLiteral("AVATAR To Wo Ta"),
    QStringLiteral("Rehearsal with the quartet at "),
    QStringLiteral("Café Zürich, Straße"),
    QStringLiteral("Ωμέγα"),
    QStringLiteral("Концерт"),
    QStringLiteral("Jazz – “live” · 12½ €"),
};

// Marks, right-to-left and complex scripts, characters beyond the basic plane, controls.
const QStringList ShapedTexts = {
    QStringLiteral("Cafe\u0301"), QStringLiteral("שלום"),           QStringLiteral("مرحبا"),
    QStringLiteral("नमस्ते"),       QStringLiteral("Gig \U0001F3B7"), QStringLiteral("a\u200Db"),
};

} // namespace

// The font's kerning table and its layout tables may round a pair apart by 1/64 pixel,
// so a kerned line can come out a pixel apart from shaping; never more.
TEST(FontFace, SimpleTextIsPlacedWithTheAdvancesShapingGives)
{
    for (TFontStyles style : {TFontStyles(0), TFontStyles(fsBold), TFontStyles(fsItalic)}) {
        for (int height : {-11, -16}) {
            const auto face = TFontFace::Of(DejaVu(height, style), nullptr);
            const QFontMetrics& fm = face->Metrics();
            for (const QString& text : SimpleTexts) {
                SCOPED_TRACE(text.toStdString());
                TPlacedGlyphs placed;
                ASSERT_TRUE(face->Place(text, placed));
                ASSERT_EQ(placed.Count(), text.size());
                EXPECT_EQ(face->Width(text), qRound(placed.Width()));
                EXPECT_NEAR(face->Width(text), fm.horizontalAdvance(text), 1);
                for (int count = 1; count <= text.size(); ++count)
                    EXPECT_NEAR(qRound(placed.PrefixWidth(count)),
                                fm.horizontalAdvance(text, count), 1);
            }
        }
    }
    // Without kerned pairs the advances are exactly those of shaping.
    const auto face = TFontFace::Of(DejaVu(-11), nullptr);
    const QString unkerned = QStringLiteral("Rehearsal with the quartet at ");
    EXPECT_EQ(face->Width(unkerned), face->Metrics().horizontalAdvance(unkerned));
    // Kerning applies within a line: "To" is narrower than "T" and "o" apart.
    EXPECT_LT(face->Width(u"To"), face->Width(u"T") + face->Width(u"o"));
    TPlacedGlyphs placed;
    ASSERT_TRUE(face->Place(u"To", placed));
    EXPECT_LT(placed.Starts[1], placed.Ends[0]);
    EXPECT_EQ(placed.SpanWidth(0, 1), placed.Ends[0]);
}

TEST(FontFace, TextThatNeedsShapingIsLeftToTheMetrics)
{
    const auto face = TFontFace::Of(DejaVu(-12), nullptr);
    for (const QString& text : ShapedTexts) {
        SCOPED_TRACE(text.toStdString());
        TPlacedGlyphs placed;
        EXPECT_FALSE(face->Place(text, placed));
        EXPECT_EQ(face->Width(text), face->Metrics().horizontalAdvance(text));
    }
    TPlacedGlyphs empty;
    EXPECT_TRUE(face->Place(QString(), empty));
    EXPECT_EQ(face->Width(QString()), 0);
}

TEST(FontFace, FacesAreSharedByFontShapeAndDeviceResolutionAndKeptByTheCanvas)
{
    const auto regular = TFontFace::Of(DejaVu(-12), nullptr);
    EXPECT_EQ(TFontFace::Of(DejaVu(-12), nullptr), regular);
    TFont red = DejaVu(-12);
    red.SetColor(clRed);
    EXPECT_EQ(TFontFace::Of(red, nullptr), regular);
    EXPECT_NE(TFontFace::Of(DejaVu(-13), nullptr), regular);
    EXPECT_NE(TFontFace::Of(DejaVu(-12, fsBold), nullptr), regular);

    QImage screen = WhiteImage(), printerLike = WhiteImage();
    printerLike.setDotsPerMeterX(11811); // 300 dots per inch
    printerLike.setDotsPerMeterY(11811);
    EXPECT_EQ(TFontFace::Of(DejaVu(-12), &screen), regular);
    EXPECT_NE(TFontFace::Of(DejaVu(-12), &printerLike), regular);

    SetTextAntialiasing(false);
    EXPECT_NE(TFontFace::Of(DejaVu(-12), nullptr), regular);
    EXPECT_EQ(TFontFace::Of(DejaVu(-12), nullptr)->Font().styleStrategy(), QFont::NoAntialias);
    SetTextAntialiasing(true);

    // The canvas keeps its face while only the colour or the orientation changes.
    QImage image = WhiteImage();
    TCanvas c(&image);
    c.Font() = DejaVu(-12);
    const TFontFace* face = &c.Face();
    c.Font().SetColor(clRed);
    c.Font().SetOrientation(900);
    EXPECT_EQ(&c.Face(), face);
    c.Font().SetStyle(fsBold);
    EXPECT_NE(&c.Face(), face);
    EXPECT_TRUE(c.QtFont().bold());
    EXPECT_EQ(c.TextWidth(QStringLiteral("To")),
              QFontMetrics(c.QtFont()).horizontalAdvance(QStringLiteral("To")));
}

// The canvas draws simple text as a glyph run; the pixels must be those that Qt's own text
// drawing gives, decorations included, and the measured width must be the drawn one.
TEST(FontFace, CanvasTextLooksLikeShapedTextAndEndsWhereMeasured)
{
    SetTextAntialiasing(false);
    // Sizes whose lines are one pixel thick and sizes whose lines are thicker.
    for (int height : {-6, -9, -11, -12, -14, -17, -23, -26, -33})
        for (TFontStyles style : {TFontStyles(0), TFontStyles(fsBold | fsUnderline),
                                  TFontStyles(fsItalic | fsStrikeOut)}) {
            for (const QString& text : SimpleTexts + ShapedTexts) {
                SCOPED_TRACE(text.toStdString() + " at " + std::to_string(height));
                QImage byCanvas = WhiteImage(400, 60), byPainter = WhiteImage(400, 60);
                int width = 0;
                QFont font;
                {
                    TCanvas c(&byCanvas);
                    c.Font() = DejaVu(height, style);
                    c.Font().SetColor(clBlack);
                    c.Brush().SetColor(clYellow);
                    c.TextOut(5, 6, text);
                    width = c.TextWidth(text);
                    EXPECT_EQ(c.PenPos(), TPoint(5 + width, 6));
                    font = c.QtFont();
                }
                {
                    QPainter p(&byPainter);
                    const QFontMetrics fm(font, &byPainter);
                    p.fillRect(QRect(5, 6, fm.horizontalAdvance(text), fm.height()), Qt::yellow);
                    p.setFont(font);
                    p.setPen(Qt::black);
                    p.drawText(5, 6 + fm.ascent(), text);
                    EXPECT_EQ(width, fm.horizontalAdvance(text));
                }
                EXPECT_EQ(byCanvas, byPainter);
            }
        }
    SetTextAntialiasing(true);
}

TEST(FontFace, RotatedCanvasTextLooksLikeRotatedShapedText)
{
    SetTextAntialiasing(false);
    const QString text = QStringLiteral("AVATAR Tour");
    QImage byCanvas = WhiteImage(60, 160), byPainter = WhiteImage(60, 160);
    QFont font;
    {
        TCanvas c(&byCanvas);
        c.Font() = DejaVu(-14, fsUnderline);
        c.Font().SetColor(clBlack);
        c.Font().SetOrientation(900);
        c.Brush().SetStyle(bsClear);
        c.TextOut(10, 150, text);
        font = c.QtFont();
    }
    {
        QPainter p(&byPainter);
        p.translate(10, 150);
        p.rotate(-90);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(0, QFontMetrics(font, &byPainter).ascent(), text);
    }
    EXPECT_EQ(byCanvas, byPainter);
    SetTextAntialiasing(true);
}

TEST(FontFace, APrefixUnderlinesItsCharacterWhereTheGlyphsPutIt)
{
    SetTextAntialiasing(false);
    QImage image = WhiteImage(120, 30);
    TCanvas c(&image);
    c.Font() = DejaVu(-14);
    c.Font().SetColor(clBlack);
    c.Brush().SetStyle(bsClear);
    TRect r(4, 2, 120, 30);
    c.DrawText(QStringLiteral("To&Wer"), r, DT_SINGLELINE);
    const TFontFace& face = c.Face();
    TPlacedGlyphs placed;
    ASSERT_TRUE(face.Place(u"ToWer", placed));
    const int left = 4 + qRound(placed.PrefixWidth(2));
    const int width = qRound(placed.SpanWidth(2, 3));
    const int y = 2 + face.Ascent() + std::max(1, face.Metrics().underlinePos());
    c.ReleasePainter();
    for (int x = left; x < left + width; ++x)
        EXPECT_EQ(FromQColor(image.pixelColor(x, y)), clBlack) << x;
    EXPECT_EQ(FromQColor(image.pixelColor(left - 1, y)), clWhite);
    EXPECT_EQ(FromQColor(image.pixelColor(left + width, y)), clWhite);
    SetTextAntialiasing(true);
}

// Fonts compare by every attribute, and names by their characters wherever they are kept.
TEST(FontFace, FontsAreTheSameOnlyWhenEveryAttributeIs)
{
    const TFont base = DejaVu(-12, fsBold);
    TFont copy = base;
    EXPECT_TRUE(copy.SameAs(base));
    TFont unshared = DejaVu(-12, fsBold);
    unshared.SetName(QStringLiteral("DejaVu ") + QStringLiteral("Sans")); // equal, not shared
    EXPECT_TRUE(unshared.SameAs(base));

    // Two names read from one buffer: the same start, not the same name.
    static const QChar chars[] = {u'A', u'r', u'i', u'a', u'l', u'X'};
    TFont shorter = base, longer = base;
    shorter.SetName(QString::fromRawData(chars, 5));
    longer.SetName(QString::fromRawData(chars, 6));
    EXPECT_FALSE(shorter.SameAs(longer));
    TFont other = base;
    other.SetName(QStringLiteral("DejaVu Sanz"));
    EXPECT_FALSE(other.SameAs(base));

    TFont changed = base;
    changed.SetHeight(-13);
    EXPECT_FALSE(changed.SameAs(base));
    changed = base;
    changed.SetColor(clRed);
    EXPECT_FALSE(changed.SameAs(base));
    changed = base;
    changed.SetStyle(fsItalic);
    EXPECT_FALSE(changed.SameAs(base));
    changed = base;
    changed.SetOrientation(900);
    EXPECT_FALSE(changed.SameAs(base));
}
