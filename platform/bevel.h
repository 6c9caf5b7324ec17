#pragma once

#include <QWidget>

class TCanvas;

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

// An etched line or box that divides a form: a dark and a light line side by side,
// the dark one first when lowered.
class TBevel : public QWidget
{
public:
    explicit TBevel(QWidget* parent = nullptr);

    TBevelShape Shape() const { return m_shape; }
    void SetShape(TBevelShape shape);
    TBevelStyle Style() const { return m_style; }
    void SetStyle(TBevelStyle style);

    // Paints the bevel into width x height pixels of the canvas, from its origin.
    void PaintTo(TCanvas& canvas, int width, int height) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TBevelShape m_shape = bsBox;
    TBevelStyle m_style = bsLowered;
};
