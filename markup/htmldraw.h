#pragma once

#include "platform/color.h"
#include "platform/geometry.h"

#include <QString>

class QWidget;
class TCanvas;
class TImageList;
class THTMLPictureCache;
class TPictureContainer;

// Inputs of HTMLDrawEx. Positions are canvas pixels; link numbers are noted with each.
struct THTMLDrawParams
{
    TImageList* Images = nullptr; // source of "IDX:" images
    int XPos = -1;                // hit-test point
    int YPos = -1;
    int FocusLink = -1;              // 0-based link that gets a focus rectangle, -1 for none
    int HoverLink = -1;              // 1-based link under the mouse (a MouseLink), 0 or -1 for none
    int ShadowOffset = 1;            // SHAD shadow, right and down
    bool HitTestOnly = false;        // lay out and hit-test, paint nothing
    bool MeasureOnly = false;        // measure every line, even below the rectangle; no hit test
    bool Print = false;              // images go through PrintBitmap, scaled by ResFactor
    bool Selected = false;           // link and FONT colours and backgrounds are not applied
    bool BlinkOn = true;             // visible phase of BLINK text
    bool HoverUnderlineOnly = false; // only link HoverLink is underlined
    bool WordWrap = true;            // wrap at blanks; otherwise cut each line with "..."
    bool Themed = false;             // form controls in the desktop style, else the classic one
    double ResFactor = 1.0;          // printer pixels per screen pixel
    TColor URLColor = clBlue;
    TColor HoverColor = clNone;     // background of the hovered link
    TColor HoverFontColor = clNone; // text colour of the hovered link
    TColor ShadowColor = clGray;
    THTMLPictureCache* PictureCache = nullptr;     // pictures by address ("://")
    TPictureContainer* PictureContainer = nullptr; // pictures by name
    QWidget* Owner = nullptr; // widget whose style draws form controls when themed
};

// Outputs of HTMLDrawEx. AnchorVal keeps the value the caller gave it unless the hit-test
// point lies on a link or a control; everything else is set by every call.
struct THTMLDrawResult
{
    QString AnchorVal;   // value of the link at the point, "ctrl" on a form control
    QString StripVal;    // plain text of what was laid out, hidden text included
    QString FocusAnchor; // value of link FocusLink
    int XSize = 0;       // width of the widest line, pixels
    int YSize = 0;       // height of the lines laid out, pixels
    int HyperLinks = 0;  // links met
    int MouseLink = -1;  // 1-based link at the point, -1 for none
    TRect HoverRect;     // bounds of that link's text
    TRect ControlRect;   // form control at the point, (0,0,0,0) for none
    QString ControlID;
    QString ControlValue;
    QString ControlType; // upper case
    QString ImageAlt;    // ALT text of the image at the point
};

// Draws, measures or hit-tests markup text in rect. Lines start at (r.Left + 1, r.Top).
// The canvas font and brush are the starting style and are restored on return. Returns
// true when the point lies on link text, on an image inside a link or on a form control.
// Never raises: malformed markup, missing pictures and absurd sizes are tolerated.
bool HTMLDrawEx(TCanvas& canvas, const QString& text, const TRect& r, const THTMLDrawParams& params,
                THTMLDrawResult& result);
