#include "app/appinfo.h"
#include "app/formbuilder.h"
#include "gigbookfixture.h"
#include "platform/label.h"

#include <QFontInfo>
#include <QHeaderView>
#include <QPushButton>

namespace {

class MainFormLayoutTest : public GigBookFixture
{
protected:
    void SetUp() override
    {
        GigBookFixture::SetUp();
        AddGigsAndContacts();
        OpenForm();
    }

    QWidget* Child(const QString& name) const { return m_form->findChild<QWidget*>(name); }
};

struct TPlace
{
    const char* Name;
    QRect Geometry;
    const char* Caption = nullptr; // of a button
};

// Every control of the window where the layout puts it: left, top, width, height.
const TPlace Places[] = {
    {"gigNavigator", {40, 22, 340, 25}},
    {"gigGrid", {40, 48, 345, 193}},
    {"gigVenueEdit", {40, 272, 417, 21}},
    {"gigDateEdit", {40, 318, 121, 21}},
    {"gigTimeEdit", {169, 317, 121, 21}},
    {"gigLengthEdit", {297, 317, 49, 21}},
    {"Button2", {352, 317, 105, 25}, "Calendar"},
    {"gigContactName1Edit", {40, 360, 121, 21}},
    {"gigPhone1Edit", {168, 360, 121, 21}},
    {"gigEmail1Edit", {296, 360, 161, 21}},
    {"gigContactName2Edit", {40, 392, 121, 21}},
    {"gigPhone2Edit", {168, 392, 121, 21}},
    {"gigEmail2Edit", {296, 392, 161, 21}},
    {"gigContactName3Edit", {40, 424, 121, 21}},
    {"gigPhone3Edit", {168, 424, 121, 21}},
    {"gigEmail3Edit", {296, 424, 161, 21}},
    {"gigAddressEdit", {40, 464, 185, 21}},
    {"gigAddress2Edit", {40, 496, 185, 21}},
    {"Button3", {352, 464, 89, 25}, "Gig Report"},
    {"gigCityEdit", {40, 536, 121, 21}},
    {"gigStateEdit", {168, 536, 33, 21}},
    {"gigZipEdit", {208, 536, 121, 21}},
    {"gigCommentsMemo", {40, 592, 417, 129}},
    {"contactNavigator", {520, 24, 340, 25}},
    {"contactGrid", {520, 48, 345, 192}},
    {"contactVenueEdit", {520, 272, 377, 21}},
    {"contactName1Edit", {520, 360, 121, 21}},
    {"contactPhone1Edit", {648, 360, 121, 21}},
    {"contactEmail1Edit", {776, 360, 161, 21}},
    {"contactName2Edit", {520, 392, 121, 21}},
    {"contactPhone2Edit", {648, 392, 121, 21}},
    {"contactEmail2Edit", {776, 392, 161, 21}},
    {"contactName3Edit", {520, 424, 121, 21}},
    {"contactPhone3Edit", {648, 424, 121, 21}},
    {"contactEmail3Edit", {776, 424, 161, 21}},
    {"contactAddress1Edit", {520, 464, 185, 21}},
    {"contactAddress2Edit", {520, 496, 185, 21}},
    {"Button4", {832, 464, 89, 25}, "Contact Report"},
    {"contactCityEdit", {520, 536, 121, 21}},
    {"contactStateEdit", {648, 536, 33, 21}},
    {"contactZipEdit", {688, 536, 121, 21}},
    {"contactCommentsMemo", {520, 592, 417, 129}},
    {"Bevel1", {480, 8, 9, 729}},
    {"Button1", {448, 744, 75, 25}, "&Close"},
    {"Label10", {632, 744, 180, 13}},
    {"Button7", {864, 744, 75, 25}, "Help"},
};

struct TCaption
{
    const char* Name;
    const char* Text;
    QPoint At;
};

const TCaption Captions[] = {
    {"gigsLabel", "Gigs", {40, 6}},
    {"gigVenueLabel", "Venue", {43, 258}},
    {"gigDateLabel", "Date", {41, 304}},
    {"gigTimeLabel", "Time", {171, 304}},
    {"gigLengthLabel", "Length", {301, 304}},
    {"gigContactsLabel", "Contacts", {41, 347}},
    {"gigPhoneLabel", "Phone", {172, 347}},
    {"gigEmailLabel", "Email", {299, 347}},
    {"gigAddressLabel", "Address", {40, 451}},
    {"gigCityLabel", "City", {40, 523}},
    {"gigStateLabel", "State", {168, 523}},
    {"gigZipLabel", "Zip", {211, 523}},
    {"gigCommentsLabel", "Comments", {40, 579}},
    {"contactsLabel", "Contacts", {520, 9}},
    {"contactVenueLabel", "Venue", {520, 258}},
    {"contactNamesLabel", "Contacts", {521, 347}},
    {"contactPhoneLabel", "Phone", {652, 347}},
    {"contactEmailLabel", "Email", {779, 347}},
    {"contactAddressLabel", "Address", {520, 451}},
    {"contactCityLabel", "City", {520, 523}},
    {"contactStateLabel", "State", {648, 523}},
    {"contactZipLabel", "Zip", {691, 523}},
    {"contactCommentsLabel", "Comments", {520, 579}},
    {"versionLabel", "Version 1", {888, 8}},
};

QColor TextColour(const QWidget* widget)
{
    return widget->palette().color(QPalette::WindowText);
}

int PixelsOf(const QImage& image, const QRect& area, const QColor& colour)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixelColor(x, y) == colour;
    }
    return count;
}

} // namespace

TEST_F(MainFormLayoutTest, TheWindowIsSkyBlueVantorInAnEightPointSansSerif)
{
    EXPECT_EQ(m_form->windowTitle(), QStringLiteral("Vantor"));
    EXPECT_EQ(m_form->pos(), QPoint(292, 108));
    // 965 x 819 with the frame.
    EXPECT_EQ(m_form->size(), QSize(957, 788));
    EXPECT_EQ(m_form->size(), ClassicClientSize(965, 819));
    EXPECT_EQ(m_form->palette().color(QPalette::Window), ToQColor(clSkyBlue));
    EXPECT_EQ(m_form->font().pixelSize(), 11);
    // The classic face is mapped to a sans serif that is installed here.
    EXPECT_TRUE(QFontInfo(m_form->font()).family().startsWith(QLatin1String("DejaVu Sans")))
        << QFontInfo(m_form->font()).family().toStdString();
}

TEST_F(MainFormLayoutTest, EveryControlHasItsPlaceAndSizeAndEveryButtonItsCaption)
{
    for (const TPlace& place : Places) {
        QWidget* control = Child(QString::fromLatin1(place.Name));
        ASSERT_NE(control, nullptr) << place.Name;
        EXPECT_EQ(control->geometry(), place.Geometry) << place.Name;
        EXPECT_TRUE(control->isVisible()) << place.Name;
        if (auto* button = qobject_cast<QPushButton*>(control)) {
            EXPECT_EQ(button->text(), QString::fromLatin1(place.Caption)) << place.Name;
            QString shown = button->text();
            shown.remove(QLatin1Char('&'));
            EXPECT_LE(button->fontMetrics().horizontalAdvance(shown) + 8, button->width())
                << place.Name;
        }
    }
}

TEST_F(MainFormLayoutTest, CaptionsAreBoldAndSitWhereTheyBelongAndTheLinkIsBlue)
{
    for (const TCaption& caption : Captions) {
        auto* label = m_form->findChild<TLabel*>(QString::fromLatin1(caption.Name));
        ASSERT_NE(label, nullptr) << caption.Name;
        EXPECT_EQ(label->text(), QString::fromLatin1(caption.Text)) << caption.Name;
        EXPECT_EQ(label->pos(), caption.At) << caption.Name;
        EXPECT_TRUE(label->font().bold()) << caption.Name;
        // Nothing is cut off: the label is as wide as its text needs.
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()))
            << caption.Name;
    }
    EXPECT_EQ(TextColour(m_form->findChild<TLabel*>(QStringLiteral("versionLabel"))),
              ToQColor(clRed));

    // The link label shows the maker's address, bold, underlined and blue, under a hand.
    TLabel* link = m_form->LinkLabel();
    EXPECT_EQ(link, m_form->findChild<TLabel*>(QStringLiteral("Label10")));
    EXPECT_TRUE(QString::fromLatin1(MakerWebAddress).endsWith(link->text()));
    EXPECT_TRUE(link->font().bold() && link->font().underline());
    EXPECT_EQ(TextColour(link), ToQColor(clBlue));
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_LE(link->fontMetrics().horizontalAdvance(link->text()), link->width());
}

TEST_F(MainFormLayoutTest, TabGoesThroughTheControlsInTheirNumberedOrder)
{
    const QStringList expected =
        QStringLiteral(
            "gigVenueEdit gigDateEdit gigTimeEdit gigLengthEdit gigContactName1Edit gigPhone1Edit "
            "gigEmail1Edit gigContactName2Edit gigPhone2Edit gigEmail2Edit gigContactName3Edit "
            "gigPhone3Edit gigEmail3Edit gigAddressEdit gigAddress2Edit gigCityEdit gigStateEdit "
            "gigZipEdit gigCommentsMemo contactVenueEdit contactName1Edit contactPhone1Edit "
            "contactEmail1Edit contactName2Edit contactPhone2Edit contactEmail2Edit "
            "contactName3Edit contactPhone3Edit contactEmail3Edit contactAddress1Edit "
            "contactAddress2Edit contactCityEdit contactStateEdit contactZipEdit "
            "contactCommentsMemo gigGrid Button1 Button2 contactGrid Button3 Button4 Button7")
            .split(QLatin1Char(' '));
    // Walk the focus chain the way Tab does.
    QStringList order;
    QWidget* w = Child(QStringLiteral("gigVenueEdit"));
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled())
            order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != Child(QStringLiteral("gigVenueEdit")) && order.size() <= expected.size());
    order.removeAll(QString()); // the window itself and unnamed internals
    EXPECT_EQ(order, expected);

    // And with the keys themselves, across the memo that takes no tabs.
    Child(QStringLiteral("gigZipEdit"))->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("gigCommentsMemo"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("contactVenueEdit"));
}

TEST_F(MainFormLayoutTest, GridsShowTheirColumnsAndEditsTheirFieldSizes)
{
    TDBGridModel* gigs = m_form->Gigs().Grid->GridModel();
    ASSERT_EQ(gigs->columnCount(), 2);
    EXPECT_EQ(gigs->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Gig date"));
    EXPECT_EQ(gigs->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Gig venue"));

    TDBGridModel* contacts = m_form->Contacts().Grid->GridModel();
    const TFieldDefs& defs = ContactTable()->FieldDefs();
    ASSERT_EQ(contacts->columnCount(), defs.Count());
    for (int i = 0; i < defs.Count(); ++i)
        EXPECT_EQ(contacts->headerData(i, Qt::Horizontal).toString(), defs.Items(i).Name);

    EXPECT_EQ(GigEdit("Gig venue")->maxLength(), 40);
    EXPECT_EQ(GigEdit("Gig state")->maxLength(), 2);
    EXPECT_EQ(GigEdit("Gig zip")->maxLength(), 5);
    EXPECT_EQ(GigEdit("Gig phone")->maxLength(), 20);
    EXPECT_EQ(GigEdit("Gig phone 3")->maxLength(), 30);
    EXPECT_EQ(GigEdit("Gig city")->maxLength(), 20);
    EXPECT_EQ(m_form->Gigs().Comments->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

TEST_F(MainFormLayoutTest, PaintsTheBackgroundTheBevelAndTheColouredCaptions)
{
    const QImage image = m_form->grab().toImage();
    if (const QByteArray dir = qgetenv("VANTOR_SCREENSHOT_DIR"); !dir.isEmpty())
        image.save(QDir(QString::fromLocal8Bit(dir)).filePath(QStringLiteral("mainform.png")));
    EXPECT_EQ(image.pixelColor(5, 5), ToQColor(clSkyBlue));
    EXPECT_EQ(image.pixelColor(500, 780), ToQColor(clSkyBlue));
    EXPECT_EQ(image.size(), m_form->size());
    // The bevel: a dark line with a light one beside it, from top to bottom.
    EXPECT_EQ(image.pixelColor(480, 8), ToQColor(clBtnShadow));
    EXPECT_EQ(image.pixelColor(480, 736), ToQColor(clBtnShadow));
    EXPECT_EQ(image.pixelColor(481, 400), ToQColor(clBtnHighlight));
    EXPECT_EQ(image.pixelColor(484, 400), ToQColor(clSkyBlue));
    // Coloured text, somewhere in their captions (antialiasing blends the edges).
    EXPECT_GT(
        PixelsOf(image, m_form->findChild<QWidget*>("versionLabel")->geometry(), ToQColor(clRed)),
        10);
    EXPECT_GT(PixelsOf(image, m_form->LinkLabel()->geometry(), ToQColor(clBlue)), 10);
}
