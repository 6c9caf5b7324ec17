#pragma once

#include <QString>

// Horizontal text alignment of captions and items.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TVAlignment { vtaCenter, vtaTop, vtaBottom };

// The TCanvas::DrawText flag for an alignment: DT_LEFT, DT_RIGHT or DT_CENTER.
int AlignToFlag(TAlignment alignment);
// DT_VCENTER, DT_TOP or DT_BOTTOM.
int VAlignToFlag(TVAlignment alignment);

// Flattens text for one-line storage: every carriage return becomes the two characters
// "\n" (backslash, n) and line feeds are dropped.
QString LFToCLF(const QString& text);
