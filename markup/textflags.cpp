#include "markup/textflags.h"

#include "platform/canvas.h"

int AlignToFlag(TAlignment alignment)
{
    switch (alignment) {
    case taRightJustify:
        return DT_RIGHT;
    case taCenter:
        return DT_CENTER;
    case taLeftJustify:
        break;
    }
    return DT_LEFT;
}

int VAlignToFlag(TVAlignment alignment)
{
    switch (alignment) {
    case vtaTop:
        return DT_TOP;
    case vtaBottom:
        return DT_BOTTOM;
    case vtaCenter:
        break;
    }
    return DT_VCENTER;
}

QString LFToCLF(const QString& text)
{
    QString result;
    result.reserve(text.size() * 2);
    for (const QChar c : text) {
        if (c == QLatin1Char('\r'))
            result += QLatin1String("\\n");
        else if (c != QLatin1Char('\n'))
            result += c;
    }
    return result;
}
