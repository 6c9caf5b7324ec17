#include "tools/demobook.h"

#include "platform/table.h"

#include <algorithm>

namespace {

struct TDemoGig
{
    int MonthOffset; // relative to today's month
    int Day;         // clamped to the month's length
    int Hour, Minute;
    double Length;
    const char* Venue;
    const char* Contact;
    const char* Phone;
    const char* Email;
    const char* Address;
    const char* City;
    const char* State;
    const char* Zip;
    const char* Notes;
};

// Days within a month are distinct even after clamping to 28, so no two gigs share a date.
const TDemoGig DemoGigs[] = {
    {-1, 6, 20, 0, 3, "The Blue Lantern", "Maria Lopez", "(503) 555-0142",
     "maria@bluelantern.example", "412 SE Alder St", "Portland", "OR", "97214",
     "Two sets, house PA. Parking behind the building."},
    {-1, 13, 19, 30, 2.5, "Riverside Jazz Club", "Dave Whitaker", "(503) 555-0187",
     "booking@riversidejazz.example", "88 River Rd", "Portland", "OR", "97201",
     "Quartet. Bring the upright bass."},
    {-1, 20, 14, 0, 2, "Maple Grove Winery", "Priya Shah", "(541) 555-0110",
     "events@maplegrove.example", "2300 Vineyard Ln", "Dundee", "OR", "97115",
     "Outdoor patio; acoustic only."},
    {-1, 27, 21, 0, 3, "Harbor Street Tavern", "Tom O'Neill", "(360) 555-0123",
     "tom@harborst.example", "17 Harbor St", "Astoria", "OR", "97103",
     "Paid at the door split, 70/30."},
    {0, 3, 18, 0, 4, "Grand Ballroom", "Grace Kim", "(503) 555-0199",
     "grace.kim@grandhotel.example", "1000 SW Broadway", "Portland", "OR", "97205",
     "Wedding reception: first dance at 19:15, cake at 21:00."},
    {0, 8, 20, 30, 2.5, "The Copper Kettle", "Sam Rivera", "(503) 555-0164",
     "sam@copperkettle.example", "5 NW 23rd Ave", "Portland", "OR", "97210",
     "Open with the new tune."},
    {0, 14, 19, 0, 3, "St. Cecilia's Hall", "Father Michael Burke", "(503) 555-0108",
     "office@stcecilia.example", "230 N Church St", "Beaverton", "OR", "97005",
     "Benefit concert; no fee, mileage paid."},
    {0, 19, 17, 0, 2, "", "Linda Park", "(971) 555-0151", "linda.park@mail.example", "", "", "", "",
     "Private party: venue not booked yet; Linda calls back."},
    {0, 24, 21, 30, 3, "Cellar Door", "Jules Martin", "(503) 555-0176", "jules@cellardoor.example",
     "1214 SE Belmont St", "Portland", "OR", "97214", "Late set; load in through the alley."},
    {0, 29, 20, 0, 3, "Union Station Lounge", "Ray Patel", "(503) 555-0133",
     "ray@unionlounge.example", "800 NW 6th Ave", "Portland", "OR", "97209",
     "Month-end residency."},
    {1, 2, 19, 30, 2.5, "Lakeview Pavilion", "Ann Foster", "(541) 555-0128",
     "afoster@lakeview.example", "1 Lakeshore Dr", "Bend", "OR", "97702",
     "Festival slot 19:30 to 22:00."},
    {1, 9, 20, 0, 3, "The Velvet Room", "Marco Bellini", "(503) 555-0115",
     "marco@velvetroom.example", "321 SW Stark St", "Portland", "OR", "97204",
     "Jazz standards, dress code black."},
    {1, 16, 13, 0, 2, "Old Mill Brewery", "Kate Sullivan", "(503) 555-0190",
     "kate@oldmillbrew.example", "45 Mill St", "Oregon City", "OR", "97045",
     "Sunday brunch, quiet volume."},
    {1, 23, 20, 0, 3, "The Blue Lantern", "Maria Lopez", "(503) 555-0142",
     "maria@bluelantern.example", "412 SE Alder St", "Portland", "OR", "97214",
     "Return date, same deal."},
    {1, 30, 21, 0, 3, "Riverside Jazz Club", "Dave Whitaker", "(503) 555-0187",
     "booking@riversidejazz.example", "88 River Rd", "Portland", "OR", "97201",
     "Late show, two sets."},
};

struct TDemoContact
{
    const char* Venue;
    const char* Name1;
    const char* Phone1;
    const char* Email1;
    const char* Name2;
    const char* Phone2;
    const char* Email2;
    const char* Address;
    const char* City;
    const char* State;
    const char* Zip;
    const char* Comments;
};

const TDemoContact DemoContacts[] = {
    {"The Blue Lantern", "Maria Lopez", "(503) 555-0142", "maria@bluelantern.example", "Ben Lopez",
     "(503) 555-0143", "ben@bluelantern.example", "412 SE Alder St", "Portland", "OR", "97214",
     "Books a month ahead. Prefers e-mail."},
    {"Riverside Jazz Club", "Dave Whitaker", "(503) 555-0187", "booking@riversidejazz.example", "",
     "", "", "88 River Rd", "Portland", "OR", "97201", "Pays by check after the gig."},
    {"Maple Grove Winery", "Priya Shah", "(541) 555-0110", "events@maplegrove.example", "", "", "",
     "2300 Vineyard Ln", "Dundee", "OR", "97115-9012", "Summer season only."},
    {"Grand Ballroom", "Grace Kim", "(503) 555-0199", "grace.kim@grandhotel.example", "Front desk",
     "(503) 555-0100", "frontdesk@grandhotel.example", "1000 SW Broadway", "Portland", "OR",
     "97205", "Weddings and galas; contracts through the hotel."},
    {"The Copper Kettle", "Sam Rivera", "(503) 555-0164", "sam@copperkettle.example", "", "", "",
     "5 NW 23rd Ave", "Portland", "OR", "97210", "Small stage, no drums."},
    {"Old Mill Brewery", "Kate Sullivan", "(503) 555-0190", "kate@oldmillbrew.example", "", "", "",
     "45 Mill St", "Oregon City", "OR", "97045", "Sunday brunch series."},
};

void Set(TTable& table, const char* field, const QString& value)
{
    table.FieldByName(QString::fromLatin1(field))->SetAsString(value);
}

void Set(TTable& table, const char* field, const char* value)
{
    Set(table, field, QString::fromUtf8(value));
}

TDateTime GigDate(TDateTime today, int monthOffset, int day)
{
    int y = 0, m = 0, d = 0;
    DecodeDate(today, y, m, d);
    DecodeDate(IncMonth(EncodeDate(y, m, 1), monthOffset), y, m, d);
    return EncodeDate(y, m, std::min(day, DaysInAMonth(y, m)));
}

int FillGigs(const QString& alias, TDateTime today)
{
    TTable gigs;
    gigs.SetDatabaseName(alias);
    gigs.SetTableName(QStringLiteral("gig.db"));
    gigs.Open();
    for (const TDemoGig& gig : DemoGigs) {
        gigs.Append();
        gigs.FieldByName(QStringLiteral("Gig date"))
            ->SetAsDateTime(GigDate(today, gig.MonthOffset, gig.Day));
        gigs.FieldByName(QStringLiteral("Gig time"))
            ->SetAsDateTime(EncodeTime(gig.Hour, gig.Minute, 0, 0));
        gigs.FieldByName(QStringLiteral("Gig length"))->SetAsFloat(gig.Length);
        Set(gigs, "Gig venue", gig.Venue);
        Set(gigs, "Gig contact name", gig.Contact);
        Set(gigs, "Gig phone", gig.Phone);
        Set(gigs, "Email address", gig.Email);
        Set(gigs, "Gig address", gig.Address);
        Set(gigs, "Gig city", gig.City);
        Set(gigs, "Gig state", gig.State);
        Set(gigs, "Gig zip", gig.Zip);
        Set(gigs, "Notes", gig.Notes);
        gigs.Post();
    }
    return gigs.RecordCount();
}

int FillContacts(const QString& alias)
{
    TTable contacts;
    contacts.SetDatabaseName(alias);
    contacts.SetTableName(QStringLiteral("contacts.db"));
    contacts.Open();
    for (const TDemoContact& c : DemoContacts) {
        contacts.Append();
        Set(contacts, "Venue", c.Venue);
        Set(contacts, "Contact name 1", c.Name1);
        Set(contacts, "Contact phone 1", c.Phone1);
        Set(contacts, "Contact email 1", c.Email1);
        Set(contacts, "Contact name 2", c.Name2);
        Set(contacts, "Contact phone 2", c.Phone2);
        Set(contacts, "Contact email 2", c.Email2);
        Set(contacts, "Contact address line 1", c.Address);
        Set(contacts, "Contact city", c.City);
        Set(contacts, "Contact state", c.State);
        Set(contacts, "Contact zip", c.Zip);
        Set(contacts, "Contact comments", c.Comments);
        contacts.Post();
    }
    return contacts.RecordCount();
}

} // namespace

TDemoBookSummary FillDemoBook(const QString& alias, TDateTime today)
{
    TDemoBookSummary summary;
    summary.Gigs = FillGigs(alias, today);
    summary.Contacts = FillContacts(alias);
    return summary;
}
