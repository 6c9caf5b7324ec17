#include "app/gighalf.h"

#include "app/formbuilder.h"

#include <QPushButton>

namespace {

constexpr TLabelPlace GigLabels[] = {
    {"gigsLabel", "Gigs", 40, 6},
    {"gigVenueLabel", "Venue", 43, 258},
    {"gigDateLabel", "Date", 41, 304},
    {"gigTimeLabel", "Time", 171, 304},
    {"gigLengthLabel", "Length", 301, 304},
    {"gigContactsLabel", "Contacts", 41, 347},
    {"gigPhoneLabel", "Phone", 172, 347},
    {"gigEmailLabel", "Email", 299, 347},
    {"gigAddressLabel", "Address", 40, 451},
    {"gigCityLabel", "City", 40, 523},
    {"gigStateLabel", "State", 168, 523},
    {"gigZipLabel", "Zip", 211, 523},
    {"gigCommentsLabel", "Comments", 40, 579},
};

constexpr TEditPlace GigEdits[] = {
    {"gigVenueEdit", "Gig venue", 40, 272, 417, 21, 1},
    {"gigDateEdit", "Gig date", 40, 318, 121, 21, 2},
    {"gigTimeEdit", "Gig time", 169, 317, 121, 21, 3},
    {"gigLengthEdit", "Gig length", 297, 317, 49, 21, 4},
    {"gigContactName1Edit", "Gig contact name", 40, 360, 121, 21, 5},
    {"gigPhone1Edit", "Gig phone", 168, 360, 121, 21, 6},
    {"gigEmail1Edit", "Email address", 296, 360, 161, 21, 7},
    {"gigContactName2Edit", "Gig contact 2 name", 40, 392, 121, 21, 8},
    {"gigPhone2Edit", "Gig phone 2", 168, 392, 121, 21, 9},
    {"gigEmail2Edit", "Email address 2", 296, 392, 161, 21, 10},
    {"gigContactName3Edit", "Gig contact 3 name", 40, 424, 121, 21, 11},
    {"gigPhone3Edit", "Gig phone 3", 168, 424, 121, 21, 12},
    {"gigEmail3Edit", "Email address 3", 296, 424, 161, 21, 13},
    {"gigAddressEdit", "Gig address", 40, 464, 185, 21, 14},
    {"gigAddress2Edit", "Gig address 2", 40, 496, 185, 21, 15},
    {"gigCityEdit", "Gig city", 40, 536, 121, 21, 16},
    {"gigStateEdit", "Gig state", 168, 536, 33, 21, 17},
    {"gigZipEdit", "Gig zip", 208, 536, 121, 21, 18},
};

constexpr TEditPlace GigComments = {"gigCommentsMemo", "Notes", 40, 592, 417, 129, 19};

} // namespace

TRecordBook BuildGigHalf(TFormBuilder& builder)
{
    TRecordBook book;
    for (const TLabelPlace& label : GigLabels)
        builder.Label(label);
    book.Navigator = builder.Navigator("gigNavigator", QRect(40, 22, 340, 25), 0);
    book.Grid = builder.Grid("gigGrid", QRect(40, 48, 345, 193),
                             {QStringLiteral("Gig date"), QStringLiteral("Gig venue")}, 36);
    for (const TEditPlace& edit : GigEdits)
        book.Edits.push_back(builder.Edit(edit));
    book.Comments = builder.Memo(GigComments);
    book.Calendar =
        builder.Button("Button2", QStringLiteral("Calendar"), QRect(352, 317, 105, 25), 38);
    book.Report =
        builder.Button("Button3", QStringLiteral("Gig Report"), QRect(352, 464, 89, 25), 41);
    return book;
}
