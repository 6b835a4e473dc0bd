// The notices the review shows about what it could not read.
#include <algorithm>
#include <cstddef>
#include <string>

#include "files/filefailure.h"
#include "review/reviewnotices.h"
#include "text/codepage.h"

namespace orvik {

using namespace orvik::literals;

namespace {

constexpr std::size_t kLinesShown = 5;
constexpr std::size_t kLineTextShown = 40;

std::string shownLine(const UnreadLine& line) {
    std::string text = line.text.substr(0, kLineTextShown);
    if (line.text.size() > kLineTextShown)
        text += "...";
    return "\n rivi " + std::to_string(line.lineNumber) + ": \"" + text + "\"";
}

} // namespace

std::string unreadLinesNotice(const ReviewList& list) {
    const std::size_t count = list.unreadLines.size();
    if (count == 0)
        return {};
    // "From 3 lines the quantity could not be read:", the first few lines,
    // how many more, and that they are not in the list.
    std::string notice = " " + std::to_string(count) + " riviltä ei voitu lukea määrää:"_cp;
    const std::size_t shown = std::min(count, kLinesShown);
    for (std::size_t i = 0; i < shown; ++i)
        notice += shownLine(list.unreadLines[i]);
    if (count > shown)
        notice += "\n ja " + std::to_string(count - shown) + " muuta.";
    notice += "\n Niitä ei näytetä listassa. "_cp;
    return notice;
}

std::string unreadableStockNotice(const StockPassResult& result) {
    const auto& files = result.unreadableFiles;
    if (files.empty())
        return {};
    // "Stock file(s) X could not be read. The list has no stock data."
    std::string notice = files.size() == 1 ? " Varastotiedostoa " : " Varastotiedostoja ";
    for (std::size_t i = 0; i < files.size(); ++i)
        notice += (i == 0 ? "" : ", ") + files[i];
    notice += " ei voitu lukea. Listassa ei ole varastotietoja. ";
    return notice;
}

std::string zeroRowsLeftNotice(const FileError& failure, const std::string& zeroRowPath) {
    if (!failure.failed())
        return {};
    // Left out, not lost: the file stays until the review can take and
    // remove it in one go.
    return fileFailureText(failure) + "Tiedoston " + zeroRowPath +
           " nollainventointirivit eivät ole listassa; ne otetaan listaan, kun tiedoston voi "
           "lukea ja poistaa. "_cp;
}

} // namespace orvik
