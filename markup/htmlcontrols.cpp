// Form controls in markup ("<CONTROL TYPE=... ID=... VALUE=... WIDTH=...>"): edit boxes,
// combo boxes, check boxes, radio buttons and push buttons, drawn by Qt's widget style:
// the owner's (or the application's) style when themed, the classic style otherwise.
// They are pictures of controls; the caller turns a hit into a real editor.
#include "markup/controltag.h"
#include "markup/htmldraw_p.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

constexpr int MaxControlWidth = 10000;
constexpr int MinEditWidth = 64;

enum class TControlKind { None, Edit, Combo, Check, Radio, Button };

TControlKind KindOf(const QString& type)
{
    if (type == QLatin1String("EDIT")) return TControlKind::Edit;
    if (type == QLatin1String("COMBO")) return TControlKind::Combo;
    if (type == QLatin1String("CHECK")) return TControlKind::Check;
    if (type == QLatin1String("RADIO")) return TControlKind::Radio;
    if (type == QLatin1String("BUTTON")) return TControlKind::Button;
    return TControlKind::None;
}

// WIDTH when given, else room for the value; scaled for the printer.
int ControlWidth(THTMLDrawContext& ctx, TControlKind kind, const TControlTag& control, int height)
{
    int width = control.WidthPixels();
    if (width <= 0) {
        ctx.ApplyFont();
        const int text = ctx.Canvas.TextWidth(control.Value);
        switch (kind) {
        case TControlKind::Edit:
            width = std::max(MinEditWidth, text + 12);
            break;
        case TControlKind::Combo:
            width = std::max(MinEditWidth, text + 12) + height;
            break;
        case TControlKind::Button:
            width = text + 16;
            break;
        default:
            width = height;
            break;
        }
    }
    if (ctx.Params.Print) width = static_cast<int>(std::lround(width * ctx.PrintScale()));
    return std::clamp(width, 0, MaxControlWidth);
}

// The classic look, made once and freed with the application.
QStyle* ClassicStyle()
{
    static QPointer<QStyle> style;
    if (!style) {
        style = QStyleFactory::create(QStringLiteral("Windows"));
        if (style) style->setParent(qApp);
    }
    return style ? style.data() : QApplication::style();
}

QWidget* ThemeOwner(const THTMLDrawContext& ctx)
{
    return ctx.Params.Themed ? ctx.Params.Owner : nullptr;
}

// Widget styles need the widget application; without one the controls are plain boxes.
QStyle* ControlStyle(const THTMLDrawContext& ctx)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return nullptr;
    if (!ctx.Params.Themed) return ClassicStyle();
    return ctx.Params.Owner ? ctx.Params.Owner->style() : QApplication::style();
}

void InitOption(QStyleOption& option, const THTMLDrawContext& ctx, const TRect& r, bool hot)
{
    QWidget* owner = ThemeOwner(ctx);
    option.rect = r.ToQRect();
    option.state = QStyle::State_Enabled;
    if (hot && ctx.Params.Themed) option.state |= QStyle::State_MouseOver;
    option.palette = owner ? owner->palette() : QApplication::palette();
    option.fontMetrics = ctx.Canvas.FontMetrics();
    option.direction = Qt::LeftToRight;
}

void DrawEdit(QStyle& style, QPainter& p, const THTMLDrawContext& ctx, const TRect& r,
              const TControlTag& control, bool hot)
{
    QWidget* owner = ThemeOwner(ctx);
    QStyleOptionFrame frame;
    InitOption(frame, ctx, r, hot);
    frame.state |= QStyle::State_Sunken;
    frame.lineWidth = style.pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, owner);
    style.drawPrimitive(QStyle::PE_PanelLineEdit, &frame, &p, owner);
    const QRect text = frame.rect.adjusted(frame.lineWidth + 2, 0, -(frame.lineWidth + 2), 0);
    style.drawItemText(&p, text, Qt::AlignLeft | Qt::AlignVCenter, frame.palette, true,
                       control.Value, QPalette::Text);
}

void DrawCombo(QStyle& style, QPainter& p, const THTMLDrawContext& ctx, const TRect& r,
               const TControlTag& control, bool hot)
{
    QWidget* owner = ThemeOwner(ctx);
    QStyleOptionComboBox combo;
    InitOption(combo, ctx, r, hot);
    combo.currentText = control.Value;
    combo.editable = false;
    combo.frame = true;
    combo.subControls = QStyle::SC_All;
    style.drawComplexControl(QStyle::CC_ComboBox, &combo, &p, owner);
    style.drawControl(QStyle::CE_ComboBoxLabel, &combo, &p, owner);
}

void DrawButton(QStyle& style, QPainter& p, const THTMLDrawContext& ctx, const TRect& r,
                const TControlTag& control, TControlKind kind, bool hot)
{
    QWidget* owner = ThemeOwner(ctx);
    QStyleOptionButton button;
    InitOption(button, ctx, r, hot);
    if (kind == TControlKind::Button) {
        button.text = control.Value;
        button.state |= QStyle::State_Raised;
        style.drawControl(QStyle::CE_PushButton, &button, &p, owner);
        return;
    }
    button.state |= control.Checked() ? QStyle::State_On : QStyle::State_Off;
    style.drawControl(kind == TControlKind::Check ? QStyle::CE_CheckBox : QStyle::CE_RadioButton,
                      &button, &p, owner);
}

// Without a widget style: a framed box with the value, enough to show where it is.
void DrawPlainControl(THTMLDrawContext& ctx, const TRect& r, const TControlTag& control,
                      TControlKind kind)
{
    TCanvas& canvas = ctx.Canvas;
    canvas.Pen().SetColor(clBlack);
    canvas.Brush().SetColor(kind == TControlKind::Button ? clBtnFace : clWindow);
    canvas.Rectangle(r);
    QString text = control.Value;
    if (kind == TControlKind::Check || kind == TControlKind::Radio)
        text = control.Checked() ? QStringLiteral("x") : QString();
    TRect inner(r.Left + 3, r.Top, r.Right - 3, r.Bottom);
    canvas.SetBkMode(bkTransparent);
    canvas.DrawText(text, inner, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

// Styles set clip rectangles of their own, so a control is drawn into a picture of its
// size first; the canvas then draws that within the markup's clip.
void DrawControl(THTMLDrawContext& ctx, const TRect& r, const TControlTag& control,
                 TControlKind kind, bool hot)
{
    if (r.IsEmpty()) return;
    ctx.ApplyFont();
    QStyle* style = ControlStyle(ctx);
    if (!style) {
        DrawPlainControl(ctx, r, control, kind);
        return;
    }
    QImage picture(r.Width(), r.Height(), QImage::Format_ARGB32_Premultiplied);
    if (picture.isNull()) return;
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setFont(ctx.Canvas.QtFont());
    const TRect local(0, 0, r.Width(), r.Height());
    switch (kind) {
    case TControlKind::Edit:
        DrawEdit(*style, painter, ctx, local, control, hot);
        break;
    case TControlKind::Combo:
        DrawCombo(*style, painter, ctx, local, control, hot);
        break;
    default:
        DrawButton(*style, painter, ctx, local, control, kind, hot);
        break;
    }
    painter.end();
    ctx.Canvas.Draw(r.Left, r.Top, picture);
}

bool HitTestControl(THTMLDrawContext& ctx, const THTMLLine& line, const TRect& r,
                    const TControlTag& control)
{
    const int px = ctx.Params.XPos;
    const int py = ctx.Params.YPos;
    if (px < r.Left || px >= r.Right || py < line.Top || py >= r.Bottom) return false;
    ctx.Result.AnchorVal = QStringLiteral("ctrl");
    ctx.Result.ControlRect = r;
    ctx.Result.ControlID = control.ID;
    ctx.Result.ControlValue = control.Value;
    ctx.Result.ControlType = control.Type;
    return true;
}

} // namespace

THTMLTagAction PlaceControl(THTMLDrawContext& ctx, THTMLLine& line, const THTMLTag& tag)
{
    const TControlTag control = ParseControlTag(tag.Text);
    const TControlKind kind = KindOf(control.Type);
    if (kind == TControlKind::None) return THTMLTagAction::Continue;
    const int height = ctx.TextHeight() + 6;
    const int width = ControlWidth(ctx, kind, control, height);
    if (ctx.EndsLineBefore(line, width)) return THTMLTagAction::EndLineBefore;

    if (line.Measuring()) {
        line.Out.Height = std::max(line.Out.Height, height);
    } else {
        const int top = line.Top + line.Layout.Above;
        const TRect r(line.X(), top, ClampCoordinate(line.X() + static_cast<long long>(width)),
                      top + height);
        bool hot = false;
        if (ctx.HitTesting() && HitTestControl(ctx, line, r, control)) {
            line.Out.ObjectHit = true;
            hot = true;
        }
        if (line.Painting()) DrawControl(ctx, r, control, kind, hot);
    }
    line.Advance(width);
    line.Placed = true;
    line.Breakable = true;
    return THTMLTagAction::Continue;
}
