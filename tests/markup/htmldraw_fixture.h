#pragma once

// Shared set-up of the markup renderer suites: a white image with a canvas in the test
// font (DejaVu Sans, 13 pixels, black, no antialiasing) and helpers that measure text in
// exactly that font.
#include "support/pixels.h"

#include "markup/htmldraw.h"

#include "platform/canvas.h"
#include "platform/graphics.h"

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <memory>

class HTMLDrawTest : public ::testing::Test
{
protected:
    static constexpr int FontPixels = 13;

    void SetUp() override
    {
        SetTextAntialiasing(false);
        Reset(300, 120);
    }
    void TearDown() override
    {
        canvas.reset();
        SetTextAntialiasing(true);
    }

    // A fresh white image of the given size with a canvas in the test font.
    void Reset(int width, int height)
    {
        canvas.reset();
        image = FilledImage(width, height, clWhite);
        canvas = std::make_unique<TCanvas>(&image);
        canvas->Font().SetName(QStringLiteral("DejaVu Sans"));
        canvas->Font().SetHeight(-FontPixels);
        canvas->Font().SetColor(clBlack);
        canvas->Brush().SetColor(clWhite);
    }

    // The image as drawn so far (the canvas finishes its painting first).
    const QImage& Pixels()
    {
        canvas->ReleasePainter();
        return image;
    }

    bool Draw(const QString& text, const TRect& r)
    {
        return HTMLDrawEx(*canvas, text, r, params, result);
    }

    THTMLDrawResult Measure(const QString& text, const TRect& r = TRect(0, 0, 300, 120))
    {
        THTMLDrawParams measuring = params;
        measuring.MeasureOnly = true;
        THTMLDrawResult measured;
        HTMLDrawEx(*canvas, text, r, measuring, measured);
        return measured;
    }

    // Width and height of plain text in the test font with the given style.
    int WidthOf(const QString& text, TFontStyles style = 0, int pixels = FontPixels)
    {
        const TFont saved = canvas->Font();
        canvas->Font().SetStyle(style);
        canvas->Font().SetHeight(-pixels);
        const int width = canvas->TextWidth(text);
        canvas->Font() = saved;
        return width;
    }
    int HeightOf(int pixels = FontPixels)
    {
        const TFont saved = canvas->Font();
        canvas->Font().SetHeight(-pixels);
        const int height = canvas->TextHeight(QStringLiteral("gh"));
        canvas->Font() = saved;
        return height;
    }
    int LineHeight() { return HeightOf(); }

    // The canvas font is the test font again, whatever the markup changed.
    void ExpectTestFontRestored()
    {
        EXPECT_EQ(canvas->Font().Name(), QStringLiteral("DejaVu Sans"));
        EXPECT_EQ(canvas->Font().Height(), -FontPixels);
        EXPECT_EQ(canvas->Font().Style(), 0);
        EXPECT_EQ(canvas->Font().Color(), clBlack);
    }

    QImage image;
    std::unique_ptr<TCanvas> canvas;
    THTMLDrawParams params;
    THTMLDrawResult result;
};
