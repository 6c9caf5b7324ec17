// Report text: where lines break, and where the lines land when drawn.
#include "platform/canvas.h"
#include "platform/reportfont.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

constexpr TColor Ink = clNavy;

// The rectangle around the pixels that are not white (right and bottom exclusive), and
// whether they all have the ink colour.
struct TInk
{
    TRect Bounds{0, 0, 0, 0};
    bool AllInk = true;
};

TInk InkIn(const QImage& image, const TRect& area)
{
    TInk ink;
    bool any = false;
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x) {
            const TColor pixel = FromQColor(image.pixelColor(x, y));
            if (pixel == clWhite) continue;
            ink.AllInk = ink.AllInk && pixel == Ink;
            if (!any) ink.Bounds = TRect(x, y, x + 1, y + 1);
            any = true;
            ink.Bounds.Left = std::min(ink.Bounds.Left, x);
            ink.Bounds.Top = std::min(ink.Bounds.Top, y);
            ink.Bounds.Right = std::max(ink.Bounds.Right, x + 1);
            ink.Bounds.Bottom = std::max(ink.Bounds.Bottom, y + 1);
        }
    return ink;
}

class ReportFontTest : public ::testing::Test
{
protected:
    QImage m_image{320, 160, QImage::Format_RGB32};
    std::unique_ptr<TCanvas> m_canvas;

    void SetUp() override
    {
        SetTextAntialiasing(false);
        m_image.fill(Qt::white);
        m_canvas = std::make_unique<TCanvas>(&m_image);
        UseFont(0);
    }
    void TearDown() override
    {
        m_canvas.reset();
        SetTextAntialiasing(true);
    }
    void UseFont(TFontStyles style)
    {
        m_canvas->Font().SetName(QStringLiteral("DejaVu Sans"));
        m_canvas->Font().SetHeight(-16);
        m_canvas->Font().SetColor(Ink);
        m_canvas->Font().SetStyle(style);
        m_canvas->SetBkMode(bkTransparent);
    }
    TInk Drawn(const TRect& area)
    {
        m_canvas->ReleasePainter();
        return InkIn(m_image, area);
    }
    TRect Everywhere() const { return TRect(0, 0, m_image.width(), m_image.height()); }
};

// The rules every wrapping keeps: lines within the width unless a single character is
// wider, and all characters other than the blanks at breaks still there, in order.
void ExpectWrapped(const TReportFont& font, const QString& paragraph, int width,
                   const QStringList& lines)
{
    QString joined;
    for (const QString& line : lines) {
        const bool oneCharacter =
            line.size() == 1 || (line.size() == 2 && line[0].isHighSurrogate());
        if (!oneCharacter) {
            EXPECT_LE(font.Width(line), width) << qPrintable(line);
        }
        joined += line;
    }
    QString letters = paragraph;
    letters.remove(QLatin1Char(' '));
    joined.remove(QLatin1Char(' '));
    EXPECT_EQ(joined, letters);
}

} // namespace

TEST_F(ReportFontTest, WordsShareALineWhileTheyFitAndLineBreaksAreKept)
{
    const TReportFont font(*m_canvas);
    const int width =
        std::max(font.Width(QStringLiteral("Two sets,")), font.Width(QStringLiteral("house PA.")));
    ASSERT_GT(font.Width(QStringLiteral("Two sets, house")), width);
    EXPECT_EQ(font.Wrap(QStringLiteral("Two sets, house PA."), width),
              (QStringList{QStringLiteral("Two sets,"), QStringLiteral("house PA.")}));
    EXPECT_EQ(font.LineCount(QStringLiteral("Two sets, house PA."), width), 2);
    EXPECT_EQ(font.Wrap(QStringLiteral("Two sets, house PA."), 1000),
              QStringList{QStringLiteral("Two sets, house PA.")});
    EXPECT_EQ(font.Wrap(QStringLiteral("a  b"), 1000), QStringList{QStringLiteral("a  b")})
        << "blanks inside a line stay";
    // Line breaks and empty lines are kept; no text has no lines.
    const QString notes = QStringLiteral("Load in at 5.\n\nTwo sets");
    EXPECT_EQ(font.Wrap(notes, 1000), (QStringList{QStringLiteral("Load in at 5."), QString(),
                                                   QStringLiteral("Two sets")}));
    EXPECT_EQ(font.LineCount(notes, 1000), 3);
    EXPECT_TRUE(font.Wrap(QString(), 1000).isEmpty());
    EXPECT_EQ(font.LineCount(QString(), 1000), 0);
}

TEST_F(ReportFontTest, AWordWiderThanTheLineIsCutWhereItFillsIt)
{
    const TReportFont font(*m_canvas);
    const QString word = QStringLiteral("Zimmermannstrasse");
    const int width = font.Width(QStringLiteral("Zimmer"));
    const QStringList lines = font.Wrap(word, width);
    ASSERT_GE(lines.size(), 3);
    ExpectWrapped(font, word, width, lines);
    qsizetype used = 0;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        used += lines[i].size();
        EXPECT_GT(font.Width(lines[i] + word[used]), width) << "line " << i << " could take more";
    }
    // However narrow the column, every line takes a character.
    EXPECT_EQ(font.Wrap(QStringLiteral("abc"), 1),
              (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
}

TEST_F(ReportFontTest, TextThatNeedsShapingWrapsByTheSameRules)
{
    const TReportFont font(*m_canvas);
    // Combining accents, a Han character the font lacks, and a surrogate pair.
    const QString venue = QString::fromUtf8("Cafe\u0301 Zu\u0308rich \u5c71 Hall \U0001D11E");
    const int width = font.Width(QString::fromUtf8("Cafe\u0301 Zu\u0308rich"));
    const QStringList lines = font.Wrap(venue, width);
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0], QString::fromUtf8("Cafe\u0301 Zu\u0308rich"));
    ExpectWrapped(font, venue, width, lines);
    // A character beyond the basic plane is never split across lines.
    const QString clefs = QString::fromUtf8("\U0001D11E\U0001D11E\U0001D11E");
    EXPECT_EQ(font.Wrap(clefs, 1), QStringList(3, QString::fromUtf8("\U0001D11E")));
}

TEST_F(ReportFontTest, ALineLandsWhereTextOutPutsItOnceFlushed)
{
    TReportFont font(*m_canvas);
    const QString title = QStringLiteral("Gig Report: Harbor Street");
    m_canvas->TextOut(10, 10, title);
    font.DrawLine(*m_canvas, 10, 60, title);
    EXPECT_EQ(Drawn(TRect(0, 50, 320, 160)).Bounds, TRect(0, 0, 0, 0)) << "collected until flushed";
    font.Flush(*m_canvas);
    const TInk byCanvas = Drawn(TRect(0, 0, 320, 50));
    const TInk byFont = Drawn(TRect(0, 50, 320, 160));
    EXPECT_TRUE(byFont.AllInk);
    EXPECT_EQ(byFont.Bounds.Top - 50, byCanvas.Bounds.Top);
    EXPECT_EQ(byFont.Bounds.Bottom - 50, byCanvas.Bounds.Bottom);
    EXPECT_EQ(byFont.Bounds.Left, byCanvas.Bounds.Left);
    // Placement from the font's own advances may differ from hinted shaping by a pixel.
    EXPECT_NEAR(byFont.Bounds.Right, byCanvas.Bounds.Right, 2);
    EXPECT_NEAR(byFont.Bounds.Right - 10, font.Width(title), 2);
}

TEST_F(ReportFontTest, WrappedTextStaysInsideItsBox)
{
    TReportFont font(*m_canvas);
    const int line = font.LineHeight();
    // Three lines of "Wm": the box shows the first, half the second and none of the third.
    const TRect box(20, 10, 20 + font.Width(QStringLiteral("Wm")), 10 + line + line / 2);
    font.Draw(*m_canvas, box, box.Top, QStringLiteral("Wm Wm Wm"));
    font.Flush(*m_canvas);
    const TInk ink = Drawn(Everywhere());
    EXPECT_TRUE(ink.AllInk);
    EXPECT_GE(ink.Bounds.Left, box.Left);
    EXPECT_LE(ink.Bounds.Right, box.Right);
    EXPECT_LE(ink.Bounds.Bottom, box.Bottom) << "the cut line is clipped";
    EXPECT_FALSE(Drawn(TRect(box.Left, box.Top + line, box.Right, box.Bottom)).Bounds.IsEmpty())
        << "the top of the second line shows";

    // A column narrower than one character still shows the character, cut at its edge.
    m_image.fill(Qt::white);
    const TRect narrow(100, 10, 100 + font.Width(QStringLiteral("W")) / 2, 10 + 3 * line);
    font.Draw(*m_canvas, narrow, narrow.Top, QStringLiteral("WWW"));
    font.Flush(*m_canvas);
    const TInk cut = Drawn(Everywhere());
    EXPECT_GE(cut.Bounds.Left, narrow.Left);
    EXPECT_EQ(cut.Bounds.Right, narrow.Right);
    EXPECT_GT(cut.Bounds.Bottom, narrow.Top + 2 * line) << "one W a line, three lines";
}

TEST_F(ReportFontTest, EachUnderlinedLineHasItsOwnUnderline)
{
    UseFont(fsUnderline);
    TReportFont font(*m_canvas);
    const int line = font.LineHeight();
    font.Draw(*m_canvas, TRect(10, 10, 310, 150), 10, QStringLiteral("i\nWWWWWW"));
    font.Flush(*m_canvas);
    const TInk first = Drawn(TRect(0, 10, 320, 10 + line));
    const TInk second = Drawn(TRect(0, 10 + line, 320, 10 + 2 * line));
    EXPECT_LE(first.Bounds.Right, 10 + font.Width(QStringLiteral("i")) + 1);
    EXPECT_GE(second.Bounds.Right, 10 + font.Width(QStringLiteral("WWWWWW")) - 1);
    EXPECT_GT(first.Bounds.Bottom, 10 + m_canvas->FontMetrics().ascent()) << "underlined";
}

TEST_F(ReportFontTest, TextThatNeedsShapingIsDrawnByTheCanvas)
{
    TReportFont font(*m_canvas);
    const QString venue = QString::fromUtf8("Cafe\u0301 M\u00fcller");
    const TRect box(10, 10, 310, 60);
    font.Draw(*m_canvas, box, box.Top, venue);
    font.Flush(*m_canvas);
    const TInk shaped = Drawn(Everywhere());
    m_image.fill(Qt::white);
    m_canvas->TextRect(box, box.Left, box.Top, venue);
    const TInk byCanvas = Drawn(Everywhere());
    EXPECT_FALSE(shaped.Bounds.IsEmpty());
    EXPECT_EQ(shaped.Bounds, byCanvas.Bounds);
}
