// Feeds arbitrary bytes through the class program: scanner, parser, sorting
// and printing. The first byte picks the options (private members, file
// order, trace level), the rest is the header text; a line "@@FILE@@" starts
// a second header, so that links between files are exercised too.
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "class_tool.h"
#include "fatal_exit.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    classdoc::ClassToolOptions options;
    options.printPrivate = (data[0] & 1) != 0;
    options.sortAlphabetical = (data[0] & 2) == 0;
    options.debugLevel = (data[0] >> 2) & 3;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string_view marker = "@@FILE@@\n";
    const std::size_t split = text.find(marker);

    std::ostringstream out;
    try {
        classdoc::ClassTool tool(options, out);
        tool.readText(text.substr(0, split), "first.h");
        if (split != std::string_view::npos) tool.readText(text.substr(split + marker.size()), "second.h");
        tool.printAll();
    } catch (const classdoc::FatalExit&) {
    }
    return 0;
}
