#include "markup/completion.h"

// The property defaults are those of TGaugeSettings.
TCompletion::TCompletion()
{
    m_font.OnChange = [this] { Changed(); };
}

void TCompletion::Changed()
{
    if (OnChange) OnChange(this);
}

void TCompletion::Assign(const TCompletion& source)
{
    if (&source == this) return;
    auto handler = std::move(m_font.OnChange);
    m_font.Assign(source.m_font);
    m_font.OnChange = std::move(handler);
    m_settings = source.m_settings;
    Changed();
}

TGaugeSettings TCompletion::GaugeSettings(TGaugeOrientation orientation) const
{
    TGaugeSettings settings = m_settings;
    settings.Font = &m_font;
    settings.Orientation = orientation;
    return settings;
}
