#pragma once

#include "markup/gauge.h"
#include "platform/color.h"
#include "platform/graphics.h"

#include <functional>

// The completion-bar settings that a planner stores with its form and turns into
// TGaugeSettings for DrawGauge. Every setter that changes a value fires OnChange, so the
// owner can repaint; so does a change of Font.
class TCompletion
{
public:
    TCompletion();
    TCompletion(const TCompletion&) = delete;
    TCompletion& operator=(const TCompletion&) = delete;

    std::function<void(TCompletion* sender)> OnChange;

    // Copies every property of another set (one notification).
    void Assign(const TCompletion& source);
    // The gauge record for these settings; Font points at this object's font.
    TGaugeSettings GaugeSettings(TGaugeOrientation orientation = goHorizontal) const;

    TColor Level0Color() const { return m_settings.Level0Color; }
    void SetLevel0Color(TColor value) { Set(m_settings.Level0Color, value); }
    TColor Level0ColorTo() const { return m_settings.Level0ColorTo; }
    void SetLevel0ColorTo(TColor value) { Set(m_settings.Level0ColorTo, value); }
    TColor Level1Color() const { return m_settings.Level1Color; }
    void SetLevel1Color(TColor value) { Set(m_settings.Level1Color, value); }
    TColor Level1ColorTo() const { return m_settings.Level1ColorTo; }
    void SetLevel1ColorTo(TColor value) { Set(m_settings.Level1ColorTo, value); }
    TColor Level2Color() const { return m_settings.Level2Color; }
    void SetLevel2Color(TColor value) { Set(m_settings.Level2Color, value); }
    TColor Level2ColorTo() const { return m_settings.Level2ColorTo; }
    void SetLevel2ColorTo(TColor value) { Set(m_settings.Level2ColorTo, value); }
    TColor Level3Color() const { return m_settings.Level3Color; }
    void SetLevel3Color(TColor value) { Set(m_settings.Level3Color, value); }
    TColor Level3ColorTo() const { return m_settings.Level3ColorTo; }
    void SetLevel3ColorTo(TColor value) { Set(m_settings.Level3ColorTo, value); }
    int Level1Perc() const { return m_settings.Level1Perc; }
    void SetLevel1Perc(int value) { Set(m_settings.Level1Perc, value); }
    int Level2Perc() const { return m_settings.Level2Perc; }
    void SetLevel2Perc(int value) { Set(m_settings.Level2Perc, value); }
    TColor BorderColor() const { return m_settings.BorderColor; }
    void SetBorderColor(TColor value) { Set(m_settings.BorderColor, value); }
    bool ShowBorder() const { return m_settings.ShowBorder; }
    void SetShowBorder(bool value) { Set(m_settings.ShowBorder, value); }
    bool Stacked() const { return m_settings.Stacked; }
    void SetStacked(bool value) { Set(m_settings.Stacked, value); }
    bool ShowPercentage() const { return m_settings.ShowPercentage; }
    void SetShowPercentage(bool value) { Set(m_settings.ShowPercentage, value); }
    bool CompletionSmooth() const { return m_settings.CompletionSmooth; }
    void SetCompletionSmooth(bool value) { Set(m_settings.CompletionSmooth, value); }
    bool ShowGradient() const { return m_settings.ShowGradient; }
    void SetShowGradient(bool value) { Set(m_settings.ShowGradient, value); }
    int Steps() const { return m_settings.Steps; }
    void SetSteps(int value) { Set(m_settings.Steps, value); }
    TColor BackgroundColor() const { return m_settings.BackgroundColor; }
    void SetBackgroundColor(TColor value) { Set(m_settings.BackgroundColor, value); }
    // The percentage text font.
    TFont& Font() { return m_font; }
    const TFont& Font() const { return m_font; }
    void SetFont(const TFont& font) { m_font.Assign(font); }

private:
    template <class T> void Set(T& field, T value)
    {
        if (field == value) return;
        field = value;
        Changed();
    }
    void Changed();

    // Holds the property values; Orientation and Font are filled in by GaugeSettings.
    TGaugeSettings m_settings;
    TFont m_font;
};
