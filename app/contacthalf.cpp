#include "app/contacthalf.h"

#include "app/formbuilder.h"

#include <QPushButton>

namespace {

constexpr TLabelPlace ContactLabels[] = {
    {"contactsLabel", "Contacts", 520, 9},       {"contactVenueLabel", "Venue", 520, 258},
    {"contactNamesLabel", "Contacts", 521, 347}, {"contactPhoneLabel", "Phone", 652, 347},
    {"contactEmailLabel", "Email", 779, 347},    {"contactAddressLabel", "Address", 520, 451},
    {"contactCityLabel", "City", 520, 523},      {"contactStateLabel", "State", 648, 523},
    {"contactZipLabel", "Zip", 691, 523},        {"contactCommentsLabel", "Comments", 520, 579},
};

constexpr TEditPlace ContactEdits[] = {
    {"contactVenueEdit", "Venue", 520, 272, 377, 21, 20},
    {"contactName1Edit", "Contact name 1", 520, 360, 121, 21, 21},
    {"contactPhone1Edit", "Contact phone 1", 648, 360, 121, 21, 22},
    {"contactEmail1Edit", "Contact email 1", 776, 360, 161, 21, 23},
    {"contactName2Edit", "Contact name 2", 520, 392, 121, 21, 24},
    {"contactPhone2Edit", "Contact phone 2", 648, 392, 121, 21, 25},
    {"contactEmail2Edit", "Contact email 2", 776, 392, 161, 21, 26},
    {"contactName3Edit", "Contact name 3", 520, 424, 121, 21, 27},
    {"contactPhone3Edit", "Contact phone 3", 648, 424, 121, 21, 28},
    {"contactEmail3Edit", "Contact email 3", 776, 424, 161, 21, 29},
    {"contactAddress1Edit", "Contact address line 1", 520, 464, 185, 21, 30},
    {"contactAddress2Edit", "Contact address line 2", 520, 496, 185, 21, 31},
    {"contactCityEdit", "Contact city", 520, 536, 121, 21, 32},
    {"contactStateEdit", "Contact state", 648, 536, 33, 21, 33},
    {"contactZipEdit", "Contact zip", 688, 536, 121, 21, 34},
};

constexpr TEditPlace ContactComments = {
    "contactCommentsMemo", "Contact comments", 520, 592, 417, 129, 35};

} // namespace

TRecordBook BuildContactHalf(TFormBuilder& builder)
{
    TRecordBook book;
    for (const TLabelPlace& label : ContactLabels)
        builder.Label(label);
    book.Navigator = builder.Navigator("contactNavigator", QRect(520, 24, 340, 25), 40);
    // No column list: the grid shows every field the contact table has.
    book.Grid = builder.Grid("contactGrid", QRect(520, 48, 345, 192), {}, 39);
    for (const TEditPlace& edit : ContactEdits)
        book.Edits.push_back(builder.Edit(edit));
    book.Comments = builder.Memo(ContactComments);
    book.Report =
        builder.Button("Button4", QStringLiteral("Contact Report"), QRect(832, 464, 89, 25), 42);
    return book;
}
