#include "platform/bevel.h"

#include "platform/canvas.h"

#include <QPainter>

TBevel::TBevel(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TBevel::SetShape(TBevelShape shape)
{
    if (m_shape == shape) return;
    m_shape = shape;
    update();
}

void TBevel::SetStyle(TBevelStyle style)
{
    if (m_style == style) return;
    m_style = style;
    update();
}

void TBevel::PaintTo(TCanvas& canvas, int width, int height) const
{
    const TColor dark = m_style == bsLowered ? clBtnShadow : clBtnHighlight;
    const TColor light = m_style == bsLowered ? clBtnHighlight : clBtnShadow;
    auto fill = [&canvas](TColor color, int left, int top, int right, int bottom) {
        canvas.Brush().SetColor(color);
        canvas.Brush().SetStyle(bsSolid);
        canvas.FillRect(TRect(left, top, right, bottom));
    };
    switch (m_shape) {
    case bsBox: {
        TRect r(0, 0, width, height);
        Frame3D(canvas, r, dark, light, 1);
        break;
    }
    case bsFrame: {
        // Two offset outlines make an etched groove.
        TRect outer(0, 0, width - 1, height - 1);
        Frame3D(canvas, outer, dark, dark, 1);
        TRect inner(1, 1, width, height);
        Frame3D(canvas, inner, light, light, 1);
        break;
    }
    case bsTopLine:
        fill(dark, 0, 0, width, 1);
        fill(light, 0, 1, width, 2);
        break;
    case bsBottomLine:
        fill(dark, 0, height - 2, width, height - 1);
        fill(light, 0, height - 1, width, height);
        break;
    case bsLeftLine:
        fill(dark, 0, 0, 1, height);
        fill(light, 1, 0, 2, height);
        break;
    case bsRightLine:
        fill(dark, width - 2, 0, width - 1, height);
        fill(light, width - 1, 0, width, height);
        break;
    case bsSpacer:
        break;
    }
}

void TBevel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    TCanvas canvas(&painter);
    PaintTo(canvas, width(), height());
}
