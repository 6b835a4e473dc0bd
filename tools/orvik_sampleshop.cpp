// Writes a sample shop: the four stock files and a reader count file.
#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>
#include <system_error>
#include <type_traits>
#include <vector>

#include "sampleshop.h"

namespace {

const char* const kUsage =
    "usage: orvik_sampleshop [--count-file PATH] DIR [PRODUCTS [LINES [CODES [SEED]]]]\n"
    "\n"
    "Writes CASSA.001, CASSA.002, CASSA.004 and CASSA.005 of a sample shop into\n"
    "DIR, and a reader count file of count lines (default DIR/orvik.dat).\n"
    "\n"
    "  PRODUCTS  products in the product file (default 2000)\n"
    "  LINES     lines in the count file (default 1000)\n"
    "  CODES     distinct product codes counted, at most LINES (default 400)\n"
    "  SEED      the same seed gives the same shop (default 1)\n"
    "  --count-file PATH  where the count file goes\n";

bool parseNumber(std::string_view text, std::uint64_t& value) {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

struct Arguments {
    std::filesystem::path directory;
    std::filesystem::path countFile;
    orvik::sampleshop::ShopSize size;
};

bool parseArguments(int argc, char** argv, Arguments& arguments) {
    std::vector<std::string_view> positional;
    for (int i = 1; i < argc; ++i) {
        std::string_view argument = argv[i];
        if (argument == "--count-file" && i + 1 < argc)
            arguments.countFile = argv[++i];
        else if (argument.starts_with("-"))
            return false;
        else
            positional.push_back(argument);
    }
    if (positional.empty() || positional.size() > 5)
        return false;
    arguments.directory = std::filesystem::path(positional[0]);
    auto& size = arguments.size;
    auto readInto = [](std::string_view text, auto& field) {
        std::uint64_t value = 0;
        if (!parseNumber(text, value))
            return false;
        field = static_cast<std::remove_reference_t<decltype(field)>>(value);
        return true;
    };
    const std::size_t count = positional.size();
    if ((count > 1 && !readInto(positional[1], size.products)) ||
        (count > 2 && !readInto(positional[2], size.countLines)) ||
        (count > 3 && !readInto(positional[3], size.countedCodes)) ||
        (count > 4 && !readInto(positional[4], size.seed)))
        return false;
    if (arguments.countFile.empty())
        arguments.countFile = arguments.directory / "orvik.dat";
    return true;
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--help" || std::string_view(argv[i]) == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
    Arguments arguments;
    if (!parseArguments(argc, argv, arguments)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    std::error_code ignored;
    std::filesystem::create_directories(arguments.directory, ignored);
    const auto shop = orvik::sampleshop::makeShop(arguments.size);
    if (auto error = orvik::sampleshop::writeShop(shop, arguments.directory, arguments.countFile);
        error.failed()) {
        std::fprintf(stderr, "orvik_sampleshop: %s\n", error.message().c_str());
        return 1;
    }
    std::printf("%zu products, %zu index entries, %zu events, %zu names, %zu count lines\n",
                shop.products.size(), shop.index.size(), shop.events.size(), shop.names.size(),
                shop.countLines.size());
    return 0;
}
