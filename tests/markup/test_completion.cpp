#include "markup/completion.h"

#include "support/pixels.h"

#include <gtest/gtest.h>

TEST(Completion, EveryChangeNotifiesOnce)
{
    TCompletion c;
    int changes = 0;
    TCompletion* sender = nullptr;
    c.OnChange = [&](TCompletion* s) {
        ++changes;
        sender = s;
    };
    c.SetLevel0Color(clNavy);
    c.SetLevel0ColorTo(clNavy);
    c.SetLevel1Color(clNavy);
    c.SetLevel1ColorTo(clNavy);
    c.SetLevel2Color(clNavy);
    c.SetLevel2ColorTo(clNavy);
    c.SetLevel3Color(clNavy);
    c.SetLevel3ColorTo(clNavy);
    c.SetLevel1Perc(50);
    c.SetLevel2Perc(80);
    c.SetBorderColor(clNavy);
    c.SetShowBorder(false);
    c.SetStacked(true);
    c.SetShowPercentage(false);
    c.SetCompletionSmooth(false);
    c.SetShowGradient(false);
    c.SetSteps(16);
    c.SetBackgroundColor(clNavy);
    EXPECT_EQ(changes, 18);
    EXPECT_EQ(sender, &c);
    c.Font().SetColor(clRed);
    EXPECT_EQ(changes, 19);

    // Storing the value a property already has is no change.
    c.SetSteps(16);
    c.SetStacked(true);
    c.SetLevel0Color(clNavy);
    c.Font().SetColor(clRed);
    EXPECT_EQ(changes, 19);
}

TEST(Completion, AssignCopiesEverythingAndNotifiesOnce)
{
    TCompletion source;
    source.SetLevel3Color(clPurple);
    source.SetShowGradient(false);
    source.Font().SetHeight(-20);
    TCompletion target;
    int changes = 0;
    target.OnChange = [&](TCompletion*) { ++changes; };
    target.Assign(source);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(target.Level3Color(), clPurple);
    EXPECT_FALSE(target.ShowGradient());
    EXPECT_EQ(target.Font().Height(), -20);
    // The target's font still reports to the target.
    target.Font().SetHeight(-9);
    EXPECT_EQ(changes, 2);
}

TEST(Completion, GaugeSettingsCarryThePropertiesAndTheDefaultsDrawAGradientBar)
{
    TCompletion c;
    c.SetLevel1Perc(40);
    c.SetStacked(true);
    c.SetSteps(3);
    const TGaugeSettings vertical = c.GaugeSettings(goVertical);
    EXPECT_EQ(vertical.Level1Perc, 40);
    EXPECT_TRUE(vertical.Stacked);
    EXPECT_EQ(vertical.Steps, 3);
    EXPECT_EQ(vertical.Level2Color, 0x00C6FFu); // orange
    EXPECT_EQ(vertical.Font, &c.Font());
    EXPECT_EQ(vertical.Orientation, goVertical);

    // The planner's stated defaults; the drawing below shows the others.
    TCompletion defaults;
    const TGaugeSettings d = defaults.GaugeSettings();
    EXPECT_EQ(d.Level1Color, 0x00FFFFu);
    EXPECT_EQ(d.Level3Color, 0x0000FFu);
    for (TColor to : {d.Level1ColorTo, d.Level2ColorTo, d.Level3ColorTo})
        EXPECT_EQ(to, 0xFFFFFFu);
    EXPECT_EQ(d.Level1Perc, 70);
    EXPECT_EQ(d.Level2Perc, 90);
    EXPECT_FALSE(d.Stacked);
    EXPECT_TRUE(d.ShowPercentage);
    EXPECT_TRUE(d.CompletionSmooth);
    EXPECT_EQ(d.Steps, 8);
    EXPECT_EQ(d.Orientation, goHorizontal);
    defaults.SetShowPercentage(false);
    QImage image = FilledImage(102, 12);
    {
        TCanvas canvas(&image);
        DrawGauge(canvas, TRect(0, 0, 102, 12), 50, defaults.GaugeSettings());
    }
    // Border in grey, bar 50 pixels whose middle row is the level-0 green itself, the
    // rest of the inside in button face.
    EXPECT_EQ(At(image, 0, 5), 0x808080u);
    EXPECT_EQ(At(image, 20, 6), 0x00FF00u);
    EXPECT_EQ(At(image, 20, 1), 0xFFFFFFu); // the To colour at the bar's edge
    EXPECT_EQ(At(image, 51, 6), ColorToRGB(clBtnFace));
    EXPECT_EQ(At(image, 50, 6), 0x00FF00u);
}
