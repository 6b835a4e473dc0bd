// The narrow and the wide printed report, line by line.
#include "common/codepage.h"
#include "platform/doubles/fakeplatform.h"
#include "results/reportprinting.h"
#include "results/resultsfixture.h"
#include "review/reviewlist.h"

namespace orvik::test {
namespace {

using namespace orvik::literals;

const std::string kNarrowRule = "     " + std::string(85, '-');
const std::string kWideRule(161, '-');

ColumnTitles listTitles() {
    ColumnTitles titles;
    for (const ReviewColumnLayout& column : reviewColumns())
        titles.push_back(column.title);
    return titles;
}

// A row as the review fills it for a product found in the stock files.
ReviewRow stockedRow() {
    ReviewRow row;
    row[colTuote] = "6410000000017";
    row[colNimitys] = "Kahvi Tumma Paahto 500 g"; // 24 characters
    row[colVarasto] = "        12";
    row[colLukija] = "         9";
    row[colErotus] = "        -3";
    row[colSortSaldo] = " 100000012";
    row[colSortErotus] = " 099999997";
    row[colTuoteryhma] = "Elintarvikkeet ja juomat "; // 25
    row[colTuoteluokka] = "Kuivatuotteet            ";
    row[colInventoitu] = "2012-11-13";
    row[colMyyntihinta] = "      4.95";
    row[colOstohinta] = "      3.10";
    row[colToimittaja] = "Tukkuliike Oy            ";
    row[colEroOH] = "     -9,30";
    row[colSortEroMh] = "0999999991";
    return row;
}

TEST(NarrowReport, PrintsHeadingAndOneFixedLinePerRowAsOneDocument) {
    FakePrintingService printer;
    ReviewRow unstocked; // not in the stock files: blank stock columns
    unstocked.fill(std::string(10, ' '));
    unstocked[colTuote] = "999";
    unstocked[colNimitys] = "";
    unstocked[colLukija] = "         2";
    const ReviewList list = listOf({stockedRow(), unstocked});
    printNarrowReport(list, printer);

    ASSERT_GE(printer.calls.size(), 4u);
    EXPECT_EQ(printer.calls[0].kind, PrintCall::Begin);
    EXPECT_EQ(printer.calls[1].kind, PrintCall::Orientation);
    EXPECT_EQ(printer.calls[1].number, static_cast<int>(PageOrientation::Portrait));
    EXPECT_EQ(printer.calls[2].kind, PrintCall::Font);
    EXPECT_EQ(printer.calls[2].text, "Courier New");
    EXPECT_EQ(printer.calls[2].number, 9);
    EXPECT_EQ(printer.calls.back().kind, PrintCall::End);

    const std::vector<std::string> expected = {kNarrowRule,
                                               "     TUOTEKOODI          TUOTTEEN NIMITYS          "
                                               "MYY-HINTA   VARASTO    LUETTU    EROTUS",
                                               kNarrowRule,
                                               "",
                                               "     6410000000017       Kahvi Tumma Paahto 500 g  "
                                               "     4.95        12         9        -3",
                                               std::string(5, ' ') + "999" +
                                                   std::string(17 + 25 + 10 + 10 + 9, ' ') + "2" +
                                                   std::string(10, ' ')};
    EXPECT_EQ(printer.lines(), expected);
    for (std::size_t i = 4; i < expected.size(); ++i)
        EXPECT_EQ(printer.lines()[i].size(), 90u);
}

TEST(NarrowReport, CutsLongTextsToTheirColumns) {
    ReviewRow row = stockedRow();
    row[colTuote] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";         // first 20 kept
    row[colNimitys] = "Nimi joka on pidempi kuin kentta"; // first 25 kept
    row[colMyyntihinta] = "12345678901.00";               // last 10 kept
    row[colLukija] = "1234567,891";
    FakePrintingService printer;
    printNarrowReport(listOf({row}), printer);
    EXPECT_EQ(printer.lines().back(), "     ABCDEFGHIJKLMNOPQRSTNimi joka on pidempi "
                                      "kuin5678901.00        12234567,891        -3");
}

TEST(NarrowReport, EmptyListPrintsOnlyTheHeading) {
    FakePrintingService printer;
    printNarrowReport(ReviewList{}, printer);
    EXPECT_EQ(printer.lines().size(), 4u);
    EXPECT_EQ(printer.calls.back().kind, PrintCall::End);
}

TEST(WideReport, TitlesComeFromTheListAndRowsAreTrimmedLeftAlignedFields) {
    FakePrintingService printer;
    ReviewRow longNames = stockedRow();
    longNames[colNimitys] = "Kahvi Tumma Paahto 500 g xyz"; // cut to 15
    printWideReport(listOf({stockedRow(), longNames}), listTitles(), printer);

    EXPECT_EQ(printer.calls[1].number, static_cast<int>(PageOrientation::Landscape));
    EXPECT_EQ(printer.calls[2].text, "Courier New");
    EXPECT_EQ(printer.calls[2].number, 8);

    const std::vector<std::string> lines = printer.lines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], kWideRule);
    EXPECT_EQ(lines[1], " Tuote           Nimitys         Varasto      Lukija       Erotus       "
                        "Tuoteryhmä   Tuoteluokka  Inventoitu   Myyntihinta  Ostohinta    "
                        "Toimittaja   Ero OH      "_cp);
    EXPECT_EQ(lines[2], kWideRule);
    const std::string row =
        " 6410000000017   Kahvi Tumma Paa 12           9            -3           "
        "Elintarvikke Kuivatuottee 2012-11-13   4.95         3.10         "
        "Tukkuliike O -9,30       ";
    EXPECT_EQ(lines[3], row);
    EXPECT_EQ(lines[4], row);
    EXPECT_EQ(lines[1].size(), 162u);
    EXPECT_EQ(lines[3].size(), 162u);
}

TEST(WideReport, TitlesAreReadAsGivenAndMissingOnesLeftBlank) {
    ColumnTitles titles = listTitles();
    titles[colTuote] = "  Koodi  ";
    titles[colEroOH] = "Ero ostohinnoin";
    titles.resize(colEroOH + 1);
    FakePrintingService printer;
    printWideReport(ReviewList{}, titles, printer);
    ASSERT_EQ(printer.lines().size(), 3u);
    const std::string title = printer.lines()[1];
    EXPECT_EQ(title.substr(0, 17), " Koodi           ");
    EXPECT_EQ(title.substr(149), " Ero ostohinn");

    FakePrintingService noTitles;
    printWideReport(ReviewList{}, {}, noTitles);
    EXPECT_EQ(noTitles.lines()[1], std::string(162, ' '));
}

TEST(PrintOutcomeMessages, FailureIsAnErrorFileIsANoticeSuccessIsSilent) {
    FakeMessageBoxes messages;
    tellPrintOutcome({true, ""}, messages);
    EXPECT_TRUE(messages.shown.empty());

    tellPrintOutcome({true, " Raportti tallennettiin tiedostoon x.pdf "}, messages);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, " Raportti tallennettiin tiedostoon x.pdf ");
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Information);

    tellPrintOutcome({false, "tulostin ei vastaa"}, messages);
    tellPrintOutcome({false, ""}, messages);
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[1].text, " Tulostus ei onnistunut: tulostin ei vastaa ");
    EXPECT_EQ(messages.shown[1].title, " Virhe");
    EXPECT_EQ(messages.shown[1].icon, MsgIcon::Exclamation);
    EXPECT_FALSE(messages.shown[2].text.empty());
    EXPECT_EQ(messages.shown[2].icon, MsgIcon::Exclamation);
}

} // namespace
} // namespace orvik::test
