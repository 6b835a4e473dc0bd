// The narrow and the wide printed report, line by line.
#include "results/reportprinting.h"
#include "results/resultsfixture.h"
#include "text/codepage.h"

namespace orvik::test {
namespace {

using namespace orvik::literals;

// A product found in the stock files, its cells as the review fills them.
const ReviewRow kStocked = {"6410000000017",
                            "Kahvi Tumma Paahto 500 g",
                            "        12",
                            "         9",
                            "        -3",
                            " 100000012",
                            " 099999997",
                            "Elintarvikkeet ja juomat ",
                            "Kuivatuotteet            ",
                            "2012-11-13",
                            "      4.95",
                            "      3.10",
                            "Tukkuliike Oy            ",
                            "     -9,30",
                            "0999999991"};

// One document: begin, orientation, font, the lines, end.
void expectOneDocument(const FakePrintingService& printer, PageOrientation orientation,
                       int points) {
    ASSERT_GE(printer.calls.size(), 4u);
    EXPECT_EQ(printer.calls[0].kind, PrintCall::Begin);
    EXPECT_EQ(printer.calls[1].kind, PrintCall::Orientation);
    EXPECT_EQ(printer.calls[1].number, static_cast<int>(orientation));
    EXPECT_EQ(printer.calls[2].kind, PrintCall::Font);
    EXPECT_EQ(printer.calls[2].text, "Courier New");
    EXPECT_EQ(printer.calls[2].number, points);
    EXPECT_EQ(printer.calls.back().kind, PrintCall::End);
    EXPECT_EQ(printer.lines().size(), printer.calls.size() - 4);
}

TEST(NarrowReport, HeadingThenOneNinetyCharacterLinePerRowWithCutFields) {
    ReviewRow unstocked = newCountedRow("999", "         2");
    ReviewRow longTexts = kStocked;
    longTexts[colTuote] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    longTexts[colNimitys] = "Nimi joka on pidempi kuin kentta";
    longTexts[colMyyntihinta] = "12345678901.00";
    longTexts[colLukija] = "1234567,891";
    FakePrintingService printer;
    printNarrowReport(listOf({kStocked, unstocked, longTexts}), printer);
    expectOneDocument(printer, PageOrientation::Portrait, 9);

    const std::string rule = "     " + std::string(85, '-');
    const std::vector<std::string> expected = {
        rule,
        "     TUOTEKOODI          TUOTTEEN NIMITYS          "
        "MYY-HINTA   VARASTO    LUETTU    EROTUS",
        rule, "",
        "     6410000000017       Kahvi Tumma Paahto 500 g  "
        "     4.95        12         9        -3",
        "     999" + std::string(17 + 25 + 20 + 9, ' ') + "2" + std::string(10, ' '),
        // Texts are cut, numbers printed whole.
        "     ABCDEFGHIJKLMNOPQRSTNimi joka on pidempi "
        "kuin 12345678901.00        12 1234567,891        -3"};
    EXPECT_EQ(printer.lines(), expected);

    FakePrintingService empty;
    printNarrowReport(ReviewList{}, empty);
    EXPECT_EQ(empty.lines(), std::vector<std::string>(expected.begin(), expected.begin() + 4));
}

TEST(WideReport, TitlesFromTheListThenTrimmedLeftAlignedFieldsOf162Characters) {
    ColumnTitles titles;
    for (const ReviewColumnLayout& column : reviewColumns())
        titles.push_back(column.title);
    ReviewRow longName = kStocked;
    longName[colNimitys] = "Kahvi Tumma Paahto 500 g xyz";
    ReviewRow longValue = kStocked;
    longValue[colEroOH] = "999999999000000,00";
    FakePrintingService printer;
    printWideReport(listOf({kStocked, longName, longValue}), titles, printer);
    expectOneDocument(printer, PageOrientation::Landscape, 8);

    const std::string rule(161, '-');
    const std::string row =
        " 6410000000017   Kahvi Tumma Paa 12           9            -3           "
        "Elintarvikke Kuivatuottee 2012-11-13   4.95         3.10         "
        "Tukkuliike O -9,30       ";
    const std::vector<std::string> expected = {
        rule,
        " Tuote           Nimitys         Varasto      Lukija       Erotus       Tuoteryhmä   "
        "Tuoteluokka  Inventoitu   Myyntihinta  Ostohinta    Toimittaja   Ero OH      "_cp,
        rule,
        row,
        row,
        row.substr(0, 149) + " 999999999000000,00"};
    EXPECT_EQ(printer.lines(), expected);
    EXPECT_EQ(row.size(), 162u);
}

TEST(WideReport, TitlesAreTrimmedCutAndBlankWhereTheListHasNone) {
    ColumnTitles titles(colEroOH + 1);
    titles[colTuote] = "  Koodi  ";
    titles[colEroOH] = "Ero ostohinnoin";
    FakePrintingService printer;
    printWideReport(ReviewList{}, titles, printer);
    ASSERT_EQ(printer.lines().size(), 3u);
    EXPECT_EQ(printer.lines()[1], " Koodi" + std::string(11 + 15 + 9 * 13, ' ') + " Ero ostohinn");
}

TEST(PrintOutcomeMessages, FailureIsAnErrorFileIsANoticeSuccessIsSilent) {
    FakeMessageBoxes messages;
    tellPrintOutcome({true, ""}, messages);
    EXPECT_TRUE(messages.shown.empty());
    tellPrintOutcome({true, " Raportti tallennettiin tiedostoon x.pdf "}, messages);
    tellPrintOutcome({false, "tulostin ei vastaa"}, messages);
    tellPrintOutcome({false, ""}, messages);
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[0].text, " Raportti tallennettiin tiedostoon x.pdf ");
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Information);
    EXPECT_EQ(messages.shown[1].text, " Tulostus ei onnistunut: tulostin ei vastaa ");
    EXPECT_EQ(messages.shown[1].title, " Virhe");
    for (int i : {1, 2})
        EXPECT_EQ(messages.shown[i].icon, MsgIcon::Exclamation);
}

} // namespace
} // namespace orvik::test
